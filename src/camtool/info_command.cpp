// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <optional>

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

int RunInfo(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string& path = words.operands[0];
    CamDocument doc;
    std::optional<std::uint64_t> length;
    if (!LoadOrReport(path, in, doc, err, &length)) return kExitFailure;

    out << "file: " << (path == kStandardStream ? "standard input" : path) << "\n";
    out << "length: " << (length ? std::to_string(*length) : std::string("unknown"))
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
