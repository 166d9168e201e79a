// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "document/cam_reader.h"

#include <bit>
#include <cstring>

#include "document/io_error.h"
#include "document/little_endian.h"
#include "document/read_file_prefix.h"

namespace vx {

namespace {

// The longest file whose content is read: both sets full; the rest is ignored.
constexpr std::size_t kMaxCamFileBytes = 72 + kTvRecordBytes * 2 * 255;
constexpr std::uint8_t kSignatureByte3 = 84;  // 'T'

// Checks the file's structure stage by stage, as far as the bytes reach, without
// storing anything, so that a refused file leaves the document exactly as it was.
// Without a listener no text is built and the cameras are not walked one by one.
LoadOutcome CheckStructure(const std::vector<std::uint8_t>& bytes, const ProgressSink& progress) {
    if (progress) progress("Reading CAMFile-Header...");
    // A file too short to hold byte 3 has no signature at all.
    if (bytes.size() < 4 || bytes[3] != kSignatureByte3) return LoadOutcome::NotACameraFile;
    std::size_t at = kHeaderBytes;
    if (bytes.size() < at) return LoadOutcome::Truncated;
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        const char* name = SetName(id);
        if (progress) progress(std::string("Reading number of ") + name + "-cams...");
        if (bytes.size() - at < kCountBytes) return LoadOutcome::Truncated;
        const std::size_t count = bytes[at];
        at += kCountBytes;
        const std::size_t whole = (bytes.size() - at) / kTvRecordBytes;
        if (progress) {
            for (std::size_t i = 1; i <= count; ++i) {
                progress(std::string("Reading data of ") + name + "-cam # " + std::to_string(i) +
                         "...");
                if (i > whole) return LoadOutcome::Truncated;
            }
        } else if (count > whole) {
            return LoadOutcome::Truncated;
        }
        at += kTvRecordBytes * count;
    }
    if (progress) progress("Reading data of Pitlane-cam...");
    if (bytes.size() - at < kPitlaneRecordBytes) return LoadOutcome::Truncated;
    return LoadOutcome::Success;
}

// One copy where the machine's byte order is the file's (the byte-wise reader takes
// thirty times as long as a plain copy), the byte-wise reader elsewhere.
template <std::size_t N>
const std::uint8_t* TakeWords(const std::uint8_t* in, std::array<std::uint32_t, N>& words) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(words.data(), in, N * 4);
    } else {
        for (std::size_t k = 0; k < N; ++k) words[k] = LoadLittleEndian(in + 4 * k);
    }
    return in + N * 4;
}

// Takes over bytes that CheckStructure accepted; slots beyond a count are emptied.
void TakeContent(const std::vector<std::uint8_t>& bytes, CamDocument& doc) {
    const std::uint8_t* in = bytes.data();
    std::memcpy(doc.Header.data(), in, kHeaderBytes);
    in += kHeaderBytes;
    for (CameraSet* set : {&doc.TV1, &doc.TV2}) {
        std::memcpy(set->CountBytes.data(), in, kCountBytes);
        in += kCountBytes;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            auto& fields = set->Cameras[static_cast<std::size_t>(slot)].Fields;
            if (slot < set->Count()) {
                in = TakeWords(in, fields);
            } else {
                fields.fill(0);
            }
        }
    }
    TakeWords(in, doc.Pitlane.Fields);
}

}  // namespace

LoadOutcome ParseCamBytes(const std::vector<std::uint8_t>& bytes, CamDocument& staging,
                          const ProgressSink& progress) {
    const LoadOutcome outcome = CheckStructure(bytes, progress);
    if (outcome == LoadOutcome::Success) TakeContent(bytes, staging);
    return outcome;
}

LoadResult ReadCamFile(const std::string& name, CamDocument& doc, const ProgressSink& progress) {
    if (name.empty()) return {LoadOutcome::NoName, {}, {}};
    std::vector<std::uint8_t> bytes;
    FileStamp stamp;
    if (const int error = ReadFilePrefix(name, kMaxCamFileBytes, bytes, &stamp); error != 0) {
        return {LoadOutcomeForError(error), SystemError(error), {}};
    }
    const LoadOutcome outcome = ParseCamBytes(bytes, doc, progress);
    return {outcome, {}, outcome == LoadOutcome::Success ? stamp : FileStamp{}};
}

std::string ExtractCamPath(const std::string& camFileName) {
    const std::size_t last = camFileName.rfind('/');
    if (last == std::string::npos) return {};
    return camFileName.substr(0, last + 1);
}

}  // namespace vx
