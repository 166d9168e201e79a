// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/command_help.h"

#include "document/cam_document.h"
#include "editing/field_table.h"
#include "formats/field_quantity.h"

namespace vx::camtool {

namespace {

std::string RangeNote(const FieldInfo& info) {
    switch (info.kind) {
        case FieldKind::ModeFlag:
            return "0 = moving, 1 = fixed";
        case FieldKind::Unknown:
            return "not editable";
        case FieldKind::Angle:
            return "degrees, " + std::to_string(static_cast<int>(info.minimum)) + " to " +
                   std::to_string(static_cast<int>(info.maximum));
        case FieldKind::Length:
        case FieldKind::Factor:
            break;
    }
    return std::to_string(static_cast<int>(info.minimum)) + " to " +
           std::to_string(static_cast<int>(info.maximum));
}

// The field numbers, labels, kinds and entry ranges, from the editor's own tables.
std::string FieldList() {
    std::string text = "Fields of a TV camera (TV1, TV2):\n";
    for (int k = 0; k < kTvFieldCount; ++k) {
        const FieldInfo& info = TvFieldInfo(SetId::TV1, k);
        text += "  f" + std::to_string(k) + "  " + FieldName(info) + "  (" +
                FieldKindName(info.kind) + ", " + RangeNote(info) + ")\n";
    }
    text += "Fields of the pitlane camera (PIT):\n";
    for (int k = 0; k < kPitlaneFieldCount; ++k) {
        const FieldInfo& info = PitlaneFieldInfo(k);
        text += "  f" + std::to_string(k) + "  " + FieldName(info) + "  (" +
                FieldKindName(info.kind) + ", " + RangeNote(info) + ")\n";
    }
    return text;
}

constexpr const char* kNumbers =
    "Numbers are written and read in the C locale (a full stop as the decimal separator,\n"
    "no digit grouping) whatever the user's locale, so that the files are portable.\n";

}  // namespace

std::string InfoHelp() {
    return "usage: camtool info FILE\n"
           "Shows the header bytes, the size field and whether it matches the counts, the\n"
           "count bytes of TV1 and TV2, and the length of FILE against what its counts call\n"
           "for. FILE - reads standard input.\n";
}

std::string CopyHelp() {
    return "usage: camtool copy IN OUT\n"
           "Reads the track-camera file IN and writes it to OUT as the editor saves it; OUT is\n"
           "replaced whole or not at all. IN - reads standard input, OUT - writes the file to\n"
           "standard output.\n";
}

std::string NewHelp() {
    return "usage: camtool new OUT\n"
           "Writes the document the editor starts with, one camera in each set with the\n"
           "factory camera values, to OUT (- for standard output).\n";
}

std::string DemoHelp() {
    return "usage: camtool demo OUT\n"
           "Writes a demo track with fixed and moving cameras to OUT (- for standard output).\n";
}

std::string DumpHelp() {
    return std::string(
               "usage: camtool dump FILE [--json|--csv]\n"
               "Writes every camera of TV1 and TV2 and the pitlane camera of FILE to standard\n"
               "output, each field as its quantity and as its raw 32-bit pattern in 8 hex digits.\n"
               "Without an option: a table to read. --csv: the CSV that camtool import reads\n"
               "back. --json: one JSON object with the header bytes, the count bytes, and the "
               "sets\n"
               "with their cameras and fields {field, label, kind, value, raw}. FILE - reads\n"
               "standard input.\n"
               "Quantities: metres and zoom factors as the shortest number that gives back the\n"
               "stored single-precision value; angles in degrees with as many digits as it takes\n"
               "to give back the stored radians exactly (not the editor's rounded display); the\n"
               "mode flag as its integer; the unknown TV fields in degrees and the unknown "
               "pitlane\n"
               "fields as plain numbers, as the editor shows them.\n") +
           kNumbers +
           "CSV layout, one line each:\n"
           "  #header,4D,41,43,54,00,00,00,00,AC,00,00,00   the 12 header bytes in hex\n"
           "  #count,TV1,01,00,00,00                         the 4 count bytes of TV1\n"
           "  #count,TV2,01,00,00,00                         the 4 count bytes of TV2\n"
           "  set,camera,f0,f0_hex,...,f13,f13_hex           the column names\n"
           "  TV1,1,<f0>,<f0 hex>,...                        one row per TV1 camera, then TV2\n"
           "  PIT,1,<f0>,<f0 hex>,...,<f12 hex>,,            the pitlane camera (13 fields)\n" +
           FieldList();
}

std::string ImportHelp() {
    return std::string(
               "usage: camtool import CSV OUT\n"
               "Builds the track-camera file OUT from CSV in the layout that camtool dump --csv\n"
               "writes (see camtool dump --help).\n"
               "Field by field: while the quantity cell still reads as the pattern of the hex\n"
               "cell, that pattern is taken bit for bit, so untouched fields survive exactly (NaN\n"
               "and other odd patterns included). A changed quantity is entered as the editor\n"
               "enters a typed value: degrees become radians with pi = 3.14159265358979, the "
               "value\n"
               "is stored in single precision and must lie in the editor's entry range; the mode\n"
               "flag (f4) takes 0 or 1 only; the unknown fields cannot be changed.\n"
               "The rows decide the counts: count byte 0 of a set becomes its number of rows\n"
               "(0 to 255, a set may be empty), bytes 1 to 3 come from its #count line. TV rows\n"
               "are numbered 1, 2, ... within their set; exactly one PIT row is needed. The "
               "header\n"
               "is taken as carried, size field included, while every set has as many rows as\n"
               "its carried count byte 0; when a count differs, or the #header or a #count line "
               "is\n"
               "missing, the size field is computed from the counts, as the editor does when it\n"
               "inserts or removes a camera. A #header whose byte 3 is not 54 (the character T)\n"
               "is refused, as no reader would take the file.\n") +
           kNumbers +
           "A refused cell is reported as \"camtool: line L, column C: reason\" (columns count\n"
           "cells from 1) and nothing is written; the exit status is then 1. OUT is replaced\n"
           "whole or not at all. CSV - reads standard input, OUT - writes the file to\n"
           "standard output.\n";
}

std::string CheckHelp() {
    return std::string(
               "usage: camtool check FILE [--lap METRES|--coverage] [--far METRES]\n"
               "Reports, one line each, what a track maker should look at in FILE: a size field\n"
               "that does not match the counts, a set without cameras, a camera whose distance\n"
               "lies before the camera in front of it, values outside the editor's entry ranges,\n"
               "values that are not finite numbers, a mode flag other than 0 or 1, and bytes "
               "after\n"
               "the pitlane record. Each line names the set, the camera and the field label.\n"
               "--lap METRES adds the findings of camtool coverage for a lap of that length, and\n"
               "--coverage those for the estimated lap (see camtool coverage --help); --far\n"
               "METRES sets their far limit. FILE - reads standard input.\n") +
           "Exit status: 0 when there is nothing to report, 1 when there is, 2 when FILE\n"
           "cannot be read as a track-camera file or an option is wrong.\n";
}

std::string CoverageHelp() {
    return "usage: camtool coverage FILE [--lap METRES] [--set tv1|tv2] [--far METRES] "
           "[--csv|--json]\n"
           "Shows, per camera set (both, or the one of --set), where each camera is live\n"
           "along the lap. Field 3 is measured from the camera's own position, so the game\n"
           "changes to camera k at its switch point s(k) = field 0 + field 3 and keeps it\n"
           "until the car reaches the switch point of the next camera; the last camera is\n"
           "live across the start/finish line up to the lap length plus the first camera's\n"
           "switch point.\n"
           "One row per camera: number, position, switch point, live from, live to, length\n"
           "and findings:\n"
           "  never live          the next camera's switch point does not lie beyond its own\n"
           "  beyond the lap      the switch point lies beyond the lap length given\n"
           "  outside its stretch the camera stands more than the far limit (--far, 1000 m\n"
           "                      by default) outside its own live stretch, measured along\n"
           "                      the lap either way round: often a wrong sign in field 3\n"
           "  out of order        the camera lies before the camera in front of it\n"
           "  not finite          field 0 or 3 is no finite number; the camera is left out\n"
           "                      of the stretches\n"
           "--lap METRES gives the lap length; without it the lap is estimated as the next\n"
           "full 100 m above the largest position or switch point of both sets, and marked\n"
           "\"estimated\". --csv writes the columns\n"
           "set,camera,position,switch_point,live_from,live_to,length,findings, --json an\n"
           "array of objects with the same keys. Metres in the C locale with at most three\n"
           "decimals; several findings are joined by \"; \". FILE - reads standard input.\n";
}

std::string MoveHelp() {
    return "usage: camtool move IN OUT --set tv1|tv2 [--cameras FROM-TO] (--by METRES|--scale "
           "FACTOR) [--keep-switch-points]\n"
           "Reads IN, moves cameras FROM to TO of the set (all without --cameras) and writes\n"
           "the result to OUT: --by shifts their positions by METRES (negative: towards the\n"
           "start/finish line), --scale multiplies them by FACTOR. Positions are computed in\n"
           "double precision from the stored values and stored in single precision.\n"
           "The switch points move with their cameras (field 3 kept). --keep-switch-points\n"
           "keeps them where they are on the track instead: field 3 changes by minus each\n"
           "camera's own move, held within -10000 to 10000 m as a typed entry is; each value\n"
           "held at that limit is reported on standard error.\n"
           "The move is refused as a whole, naming the first camera, when a position would\n"
           "leave 0 to 50000 m or two neighbouring cameras that were in order would no longer\n"
           "be; nothing is written then and the exit status is 1. OUT is replaced whole or not\n"
           "at all. IN - reads standard input, OUT - writes the file to standard output.\n";
}

std::string DiffHelp() {
    return "usage: camtool diff A B\n"
           "Lists, one line each, what differs between the track-camera files A and B: header\n"
           "and count bytes, every field of the cameras both hold (by set, camera number and\n"
           "field label, with both quantities and hex patterns), the cameras only in A or only\n"
           "in B, and the number of bytes after the pitlane record. A or B - reads standard\n"
           "input (one of them only).\n"
           "Exit status: 0 when the files are the same, 1 when they differ, 2 on errors.\n";
}

}  // namespace vx::camtool
