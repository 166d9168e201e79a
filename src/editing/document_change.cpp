// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/document_change.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace vx {

namespace {

constexpr std::uint32_t kHeaderWords = kHeaderBytes / 4;
constexpr std::uint32_t kSetWords = 1 + kSlotCount * kTvFieldCount;

std::uint32_t Bytes4(const std::uint8_t* bytes) {
    std::uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Every word of the document is one of these; the byte arrays are read and written
// whole, four bytes at a time.
template <typename Doc, typename Visit>
void AtWord(Doc& doc, std::uint32_t index, Visit visit) {
    if (index < kHeaderWords) {
        visit(doc.Header.data() + 4 * index);
        return;
    }
    index -= kHeaderWords;
    for (auto* set : {&doc.TV1, &doc.TV2}) {
        if (index < kSetWords) {
            if (index == 0) {
                visit(set->CountBytes.data());
            } else {
                const std::uint32_t slot = (index - 1) / kTvFieldCount;
                visit(&set->Cameras[slot].Fields[(index - 1) % kTvFieldCount]);
            }
            return;
        }
        index -= kSetWords;
    }
    visit(&doc.Pitlane.Fields[index]);
}

std::uint32_t Get(const CamDocument& doc, std::uint32_t index) {
    std::uint32_t word = 0;
    AtWord(doc, index, [&word](const auto* where) {
        if constexpr (std::is_same_v<decltype(where), const std::uint8_t*>) {
            word = Bytes4(where);
        } else {
            word = *where;
        }
    });
    return word;
}

void Set(CamDocument& doc, std::uint32_t index, std::uint32_t word) {
    AtWord(doc, index, [word](auto* where) {
        if constexpr (std::is_same_v<decltype(where), std::uint8_t*>) {
            std::memcpy(where, &word, sizeof word);
        } else {
            *where = word;
        }
    });
}

}  // namespace

WordPlace PlaceOfWord(std::uint32_t index) {
    if (index < kHeaderWords) return {};
    index -= kHeaderWords;
    for (SetId set : {SetId::TV1, SetId::TV2}) {
        if (index < kSetWords) {
            if (index == 0) return {WordPlace::Area::Count, set};
            return {WordPlace::Area::Camera, set, static_cast<int>((index - 1) / kTvFieldCount) + 1,
                    static_cast<int>((index - 1) % kTvFieldCount)};
        }
        index -= kSetWords;
    }
    return {WordPlace::Area::Pitlane, SetId::TV1, 0, static_cast<int>(index)};
}

DocumentChange ChangeBetween(const CamDocument& before, const CamDocument& after) {
    DocumentChange change;
    auto compare = [&](std::uint32_t index) {
        const std::uint32_t old = Get(before, index);
        const std::uint32_t now = Get(after, index);
        if (old != now) change.words.push_back({index, old, now});
    };
    std::uint32_t index = 0;
    for (; index < kHeaderWords; ++index) compare(index);
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        const CameraSet& a = before.Set(id);
        const CameraSet& b = after.Set(id);
        compare(index++);
        // Most steps touch few cameras: equal records are passed over whole.
        for (int slot = 0; slot < kSlotCount; ++slot, index += kTvFieldCount) {
            if (a.Cameras[static_cast<std::size_t>(slot)] ==
                b.Cameras[static_cast<std::size_t>(slot)]) {
                continue;
            }
            for (int field = 0; field < kTvFieldCount; ++field) compare(index + field);
        }
    }
    for (int field = 0; field < kPitlaneFieldCount; ++field) compare(index + field);
    return change;
}

void Revert(CamDocument& doc, const DocumentChange& change) {
    for (const auto& word : change.words) Set(doc, word.index, word.before);
}

void Reapply(CamDocument& doc, const DocumentChange& change) {
    for (const auto& word : change.words) Set(doc, word.index, word.after);
}

void Absorb(DocumentChange& first, const DocumentChange& next) {
    for (const auto& word : next.words) {
        auto at = std::find_if(first.words.begin(), first.words.end(),
                               [&word](const auto& w) { return w.index == word.index; });
        if (at == first.words.end()) {
            first.words.push_back(word);
        } else {
            at->after = word.after;
        }
    }
    std::erase_if(first.words, [](const auto& w) { return w.before == w.after; });
    std::sort(first.words.begin(), first.words.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });
}

}  // namespace vx
