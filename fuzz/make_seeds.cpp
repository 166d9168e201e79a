// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Writes the seed corpora of the fuzz targets from the project's own writers:
// make_seeds <folder> creates <folder>/cam, <folder>/config, <folder>/locale,
// <folder>/csv and <folder>/entry.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <tuple>
#include <vector>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "formats/cam_csv_file.h"
#include "settings/config_file.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void Save(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes CamWithCounts(int tv1, int tv2) {
    vx::CamDocument doc;
    vx::NewDocument(doc);
    vx::ApplyNewCameraDefaults(doc, vx::FactoryCameraDefaults());
    doc.TV1.SetCount(tv1);
    doc.TV2.SetCount(tv2);
    for (int i = 1; i <= tv1; ++i)
        doc.TV1.Camera(i).SetFloat(vx::TvField::Distance, 10.0f * static_cast<float>(i));
    for (int i = 1; i <= tv2; ++i)
        doc.TV2.Camera(i).SetFloat(vx::TvField::Distance, 15.0f * static_cast<float>(i));
    vx::UpdateHeaderSize(doc);
    return vx::SerializeCamDocument(doc);
}

void CamSeeds(const fs::path& folder) {
    Save(folder, "start", CamWithCounts(1, 1));
    Save(folder, "small", CamWithCounts(3, 2));
    Save(folder, "empty-sets", CamWithCounts(0, 0));
    Save(folder, "largest", CamWithCounts(255, 255));
    Bytes trailing = CamWithCounts(2, 1);
    trailing.insert(trailing.end(), {1, 2, 3, 4, 5});
    Save(folder, "trailing", trailing);
    Bytes cut = CamWithCounts(4, 4);
    cut.resize(cut.size() / 2);
    Save(folder, "truncated", cut);
}

// The camtool CSV of each generated camera file, as a spreadsheet would get it.
void CsvSeeds(const fs::path& folder) {
    const std::pair<int, int> counts[] = {{1, 1}, {3, 2}, {0, 0}, {12, 7}};
    for (const auto& [tv1, tv2] : counts) {
        vx::CamDocument doc;
        if (vx::ParseCamBytes(CamWithCounts(tv1, tv2), doc) != vx::LoadOutcome::Success) continue;
        const std::string csv = vx::CamDocumentCsv(doc);
        Save(folder, "csv-" + std::to_string(tv1) + "-" + std::to_string(tv2),
             Bytes(csv.begin(), csv.end()));
    }
}

void ConfigSeeds(const fs::path& folder) {
    Save(folder, "factory", vx::SerializeSettings(vx::Settings{}));
    vx::Settings s;
    s.GPLFolder = "/home/racer/gpl";
    s.SafetyAssign = s.ShowInformation = false;
    s.ClickCount = 3;
    for (int i = 1; i <= 3; ++i) {
        s.ClickIntervals[static_cast<std::size_t>(i)] = 1500 * i;
        s.ClickX[static_cast<std::size_t>(i)] = 20000 * i;
        s.ClickY[static_cast<std::size_t>(i)] = 9000 * i;
    }
    s.PlayScript = true;
    s.ShutdownDelay = 250;
    Save(folder, "recorded", vx::SerializeSettings(s));
    Bytes cut = vx::SerializeSettings(s);
    cut.resize(100);
    Save(folder, "truncated", cut);
    // A game folder deep below a compatibility layer: a record well beyond 8 KB.
    s.GPLFolder = "/home/racer";
    while (s.GPLFolder.size() < 9000) s.GPLFolder += "/.wine/drive_c/Sierra/GPL";
    Save(folder, "long-folder", vx::SerializeSettings(s));
    // Both texts as long as their 16-bit lengths allow: the largest record there is.
    s.Signature = std::string(0xFFFF, 'S');
    s.GPLFolder.resize(0xFFFF, 'g');
    Save(folder, "full-size", vx::SerializeSettings(s));
}

// Typed entry: locale, field, FixedSwitchOver, camera 1's 14 patterns, the text.
void EntrySeeds(const fs::path& folder) {
    vx::CamDocument doc;
    vx::NewDocument(doc);
    vx::ApplyNewCameraDefaults(doc, vx::FactoryCameraDefaults());
    const std::vector<std::uint8_t> camera = vx::SerializeCamDocument(doc);
    const std::tuple<int, int, int, std::string> seeds[] = {
        {0, 0, 1, "120.5"}, {1, 0, 1, "-12,25"}, {2, 2, 0, "1,000.5"}, {3, 7, 0, "-180"},
        {0, 11, 0, "360"},  {1, 16, 0, "2,5"},   {0, 28, 0, "30000"},  {2, 33, 0, "-45.5"},
        {0, 1, 0, "abc"},   {3, 30, 0, "1E3"},
    };
    int n = 0;
    for (const auto& [locale, field, switchOver, text] : seeds) {
        Bytes bytes{static_cast<std::uint8_t>(locale), static_cast<std::uint8_t>(field),
                    static_cast<std::uint8_t>(switchOver)};
        // Camera 1 of TV1 follows the header and the count bytes.
        bytes.insert(bytes.end(), camera.begin() + 16, camera.begin() + 16 + 56);
        bytes.insert(bytes.end(), text.begin(), text.end());
        Save(folder, "seed" + std::to_string(n++), bytes);
    }
}

void LocaleSeeds(const fs::path& folder) {
    // The first byte picks the locale: 0 C, 1 German, 2 English, 3 French.
    const std::pair<char, std::string> seeds[] = {
        {0, "12.5"},     {1, "12,5"},    {1, "-0,001"},  {2, "1e10"}, {3, "1,5E-3"},
        {0, " 42 "},     {1, "1.000,5"}, {2, "1,000.5"}, {0, "abc"},  {3, "-1,79769313486231E308"},
        {0, "4.9e-324"}, {1, "+7"},      {2, ""},        {0, "inf"},
    };
    int n = 0;
    for (const auto& [locale, text] : seeds) {
        Bytes bytes{static_cast<std::uint8_t>(locale)};
        bytes.insert(bytes.end(), text.begin(), text.end());
        Save(folder, "seed" + std::to_string(n++), bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_seeds <folder>\n";
        return 2;
    }
    const fs::path root = argv[1];
    for (const char* name : {"cam", "config", "locale", "csv", "entry"}) {
        fs::create_directories(root / name);
    }
    CamSeeds(root / "cam");
    ConfigSeeds(root / "config");
    LocaleSeeds(root / "locale");
    CsvSeeds(root / "csv");
    EntrySeeds(root / "entry");
    return 0;
}
