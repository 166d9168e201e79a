// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/cam_document.h"
#include "editing/coverage.h"

namespace vx {

// An all-zero set still gets a strip this long, so that its marks have somewhere to go.
inline constexpr double kMinimumOverviewRange = 100.0;
// A click farther than this from every mark selects nothing.
inline constexpr double kOverviewClickTolerance = 6.0;

// One camera on the strip. Distances are metres along the track, always finite.
struct OverviewMark {
    int number = 0;           // as the user counts, from 1
    double distance = 0.0;    // field 0
    double changeOver = 0.0;  // field 0 + field 3; may lie before the camera
    bool fixed = false;
    bool shown = false;
    bool outOfOrder = false;  // closer to the start line than the camera before it
    bool invalid = false;     // field 0 or 3 is not a finite number and was replaced
    bool neverLive = false;   // the next camera's switch point does not lie beyond its own
    // Its switch point lies at or before the one of the camera in front of it.
    bool switchOutOfOrder = false;
    // Far from its own stretch, or a switch point beyond the lap: for the tooltip.
    std::vector<std::string> notes;
    // The values as stored, non-finite ones included, for the tooltip.
    double storedDistance = 0.0;
    double storedChangeOver = 0.0;
};

// A piece of a camera's live stretch on the strip. A stretch that runs on across the
// start/finish line shows again one lap earlier, at the start of the strip; one that
// begins before the line shows again one lap later, at its end.
struct OverviewBand {
    int number = 0;
    double from = 0.0;  // the piece, in metres along the track
    double to = 0.0;
    double liveFrom = 0.0;  // the whole stretch, for the tooltip
    double liveTo = 0.0;
};

struct OverviewStrip {
    double start = 0.0;  // 0, or lower when a value lies before the start line
    double end = kMinimumOverviewRange;
    std::vector<OverviewMark> marks;  // cameras 1 to count, in set order
    std::vector<OverviewBand> bands;  // in set order, empty without a coverage
};

// The strip of cameras 1 to count of a set, `shownCamera` flagged.
OverviewStrip BuildOverviewStrip(const CameraSet& set, int shownCamera);

// Adds the live stretches and the never-live cameras of the set's coverage; the strip
// then reaches at least to the end of the lap.
void AddCoverage(OverviewStrip& strip, const SetCoverage& coverage);

// The camera whose band lies under pixel x, or none.
std::optional<int> BandAtX(const OverviewStrip& strip, double x, int width, int margin);

// The x pixel of a distance on a strip `width` pixels wide with `margin` pixels kept
// free at both ends; distances outside the range land on its ends.
double DistanceToX(const OverviewStrip& strip, double distance, int width, int margin);

// The camera whose mark lies nearest to pixel x, or none when every mark lies farther
// than `tolerance` pixels; of marks at the same place the lowest number wins.
std::optional<int> CameraAtX(const OverviewStrip& strip, double x, int width, int margin,
                             double tolerance = kOverviewClickTolerance);

// Distances of the labelled ticks: a 1-2-5 step that leaves at least `minSpacing`
// pixels between neighbours, from the first multiple of the step within the range.
std::vector<double> OverviewTicks(const OverviewStrip& strip, int width, int margin,
                                  double minSpacing);

// Metres in the locale's format, 3 decimals at most ("120", "12,5").
std::string FormatMetres(double metres);

// "Camera 3: 120 m, fixed, change-over at 140 m"; a camera never live says so.
std::string MarkToolTip(const OverviewMark& mark);
// "Camera 3: live from 350 m to 900 m (550 m)"
std::string BandToolTip(const OverviewBand& band);

}  // namespace vx
