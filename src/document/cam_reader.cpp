#include "document/cam_reader.h"

#include <memory>

#include "document/io_error.h"
#include "document/little_endian.h"
#include "document/read_file_prefix.h"

namespace vx {

namespace {

// The longest file whose content is read: both sets full; the rest is ignored.
constexpr std::size_t kMaxCamFileBytes = 72 + kTvRecordBytes * 2 * 255;
constexpr std::uint8_t kSignatureByte3 = 84;  // 'T'

class ByteCursor {
  public:
    explicit ByteCursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    bool Has(std::size_t count) const { return bytes_.size() - position_ >= count; }
    std::uint8_t Byte() { return bytes_[position_++]; }
    std::uint32_t Word() {
        const std::uint32_t value = LoadLittleEndian(bytes_.begin() + Offset());
        position_ += 4;
        return value;
    }

  private:
    std::ptrdiff_t Offset() const { return static_cast<std::ptrdiff_t>(position_); }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t position_ = 0;
};

template <int N>
void ReadRecord(ByteCursor& in, FieldRecord<N>& record) {
    for (int k = 0; k < N; ++k) record.SetRaw(k, in.Word());
}

bool ReadSet(ByteCursor& in, SetId id, CameraSet& set, const ProgressSink& report) {
    const std::string name = SetName(id);
    report("Reading number of " + name + "-cams...");
    if (!in.Has(kCountBytes)) return false;
    for (std::uint8_t& byte : set.CountBytes) byte = in.Byte();
    for (int i = 1; i <= set.Count(); ++i) {
        report("Reading data of " + name + "-cam # " + std::to_string(i) + "...");
        if (!in.Has(kTvRecordBytes)) return false;
        ReadRecord(in, set.Camera(i));
    }
    return true;
}

}  // namespace

LoadOutcome ParseCamBytes(const std::vector<std::uint8_t>& bytes, CamDocument& staging,
                          const ProgressSink& progress) {
    const ProgressSink report = [&progress](const std::string& text) {
        if (progress) progress(text);
    };
    // Parsed apart so that a refused file leaves staging exactly as it was.
    auto parsed = std::make_unique<CamDocument>();
    ByteCursor in(bytes);

    report("Reading CAMFile-Header...");
    // A file too short to hold byte 3 has no signature at all.
    if (bytes.size() < 4 || bytes[3] != kSignatureByte3) return LoadOutcome::NotACameraFile;
    if (!in.Has(kHeaderBytes)) return LoadOutcome::Truncated;
    for (std::uint8_t& byte : parsed->Header) byte = in.Byte();

    if (!ReadSet(in, SetId::TV1, parsed->TV1, report)) return LoadOutcome::Truncated;
    if (!ReadSet(in, SetId::TV2, parsed->TV2, report)) return LoadOutcome::Truncated;

    report("Reading data of Pitlane-cam...");
    if (!in.Has(kPitlaneRecordBytes)) return LoadOutcome::Truncated;
    ReadRecord(in, parsed->Pitlane);

    parsed->DataSaved = staging.DataSaved;
    staging = *parsed;
    return LoadOutcome::Success;
}

LoadResult ReadCamFile(const std::string& name, CamDocument& doc, const ProgressSink& progress) {
    if (name.empty()) return {LoadOutcome::NoName, {}};
    std::vector<std::uint8_t> bytes;
    if (const int error = ReadFilePrefix(name, kMaxCamFileBytes, bytes); error != 0) {
        return {LoadOutcomeForError(error), SystemError(error)};
    }
    return {ParseCamBytes(bytes, doc, progress), {}};
}

std::string ExtractCamPath(const std::string& camFileName) {
    const std::size_t last = camFileName.rfind('/');
    if (last == std::string::npos) return {};
    return camFileName.substr(0, last + 1);
}

}  // namespace vx
