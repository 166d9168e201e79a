#include <filesystem>

#include "camtool/commands.h"
#include "camtool/tool_files.h"

namespace vx::camtool {

namespace {

template <typename Bytes>
std::string Decimal(const Bytes& bytes) {
    std::string text;
    for (const auto byte : bytes) {
        if (!text.empty()) text += ' ';
        text += std::to_string(static_cast<unsigned>(byte));
    }
    return text;
}

void PrintSet(std::ostream& out, SetId id, const CameraSet& set) {
    out << SetName(id) << " count: " << set.Count() << " (count bytes " << Decimal(set.CountBytes)
        << ")\n";
}

}  // namespace

int RunInfo(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    const std::string& path = operands[0];
    CamDocument doc;
    if (!LoadOrReport(path, doc, err)) return kExitFailure;

    std::error_code error;
    const auto length = std::filesystem::file_size(path, error);
    out << "file: " << path << "\n";
    out << "length: " << (error ? std::string("unknown") : std::to_string(length))
        << " bytes (the counts call for " << doc.FileLength() << ")\n";
    out << "header: " << Decimal(doc.Header) << "\n";
    out << "size field: " << doc.SizeField();
    if (doc.SizeField() == doc.ExpectedSizeField()) {
        out << " (matches the counts)\n";
    } else {
        out << " (does not match the counts, which call for " << doc.ExpectedSizeField() << ")\n";
    }
    PrintSet(out, SetId::TV1, doc.TV1);
    PrintSet(out, SetId::TV2, doc.TV2);
    return kExitOk;
}

}  // namespace vx::camtool
