// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <vector>

#include "document/cam_document.h"

namespace vx {

// The 32-bit words of a document that one editing step changed, each with its value
// before and after, in the order of the file: header, TV1 count and cameras, TV2
// count and cameras, pitlane camera. Taking a step back or doing it again writes
// these words alone, so both are exact to the bit, free slots and count bytes 1 to 3
// included. DataSaved is no part of a change.
struct DocumentChange {
    struct Word {
        std::uint32_t index;
        std::uint32_t before;
        std::uint32_t after;
    };
    std::vector<Word> words;

    bool Empty() const { return words.empty(); }
};

// Where a word of the document lies, so that a view redraws only what a step touched.
struct WordPlace {
    enum class Area { Header, Count, Camera, Pitlane };
    Area area = Area::Header;
    SetId set = SetId::TV1;  // for Count and Camera
    int camera = 0;          // 1-based slot, for Camera
    int field = 0;           // for Camera and Pitlane
};
WordPlace PlaceOfWord(std::uint32_t index);

DocumentChange ChangeBetween(const CamDocument& before, const CamDocument& after);
void Revert(CamDocument& doc, const DocumentChange& change);
void Reapply(CamDocument& doc, const DocumentChange& change);
// `next`, made right after `first`, joins it: the result leads from the document
// before `first` to the one after `next`. Words that end where they began drop out.
void Absorb(DocumentChange& first, const DocumentChange& next);

}  // namespace vx
