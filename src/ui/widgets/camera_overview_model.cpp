// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/widgets/camera_overview_model.h"

#include <algorithm>
#include <cmath>

#include "editing/locale_number.h"

namespace vx {

namespace {

double UsableWidth(int width, int margin) {
    return std::max(1.0, static_cast<double>(width) - 2.0 * margin);
}

}  // namespace

OverviewStrip BuildOverviewStrip(const CameraSet& set, int shownCamera) {
    OverviewStrip strip;
    double low = 0.0;
    double high = 0.0;
    std::optional<double> previous;
    for (int number = 1; number <= set.Count(); ++number) {
        const TvCamera& camera = set.Camera(number);
        OverviewMark mark;
        mark.number = number;
        mark.fixed = camera.IsFixed();
        mark.shown = number == shownCamera;
        // Summed in double: two large floats must not overflow to infinity.
        mark.storedDistance = camera.Float(TvField::Distance);
        mark.storedChangeOver =
            mark.storedDistance + static_cast<double>(camera.Float(TvField::ChangeOver));
        const bool distanceOk = std::isfinite(mark.storedDistance);
        const bool changeOverOk = std::isfinite(mark.storedChangeOver);
        mark.invalid = !distanceOk || !changeOverOk;
        if (distanceOk) {
            mark.distance = mark.storedDistance;
            mark.changeOver = changeOverOk ? mark.storedChangeOver : mark.distance;
            // A broken camera in between must not hide an order fault around it.
            mark.outOfOrder = previous && mark.distance < *previous;
            previous = mark.distance;
            low = std::min({low, mark.distance, mark.changeOver});
            high = std::max({high, mark.distance, mark.changeOver});
        }
        strip.marks.push_back(mark);
    }
    strip.start = low;
    strip.end = std::max(high, low + kMinimumOverviewRange);
    // Cameras without a usable distance sit at the start of the strip, still clickable.
    for (OverviewMark& mark : strip.marks) {
        if (!std::isfinite(mark.storedDistance)) mark.distance = mark.changeOver = strip.start;
    }
    return strip;
}

void AddCoverage(OverviewStrip& strip, const SetCoverage& coverage) {
    strip.bands.clear();
    const double lap = coverage.lap.metres;
    if (std::isfinite(lap)) strip.end = std::max(strip.end, lap);
    std::optional<double> previous;
    for (const CameraCoverage& camera : coverage.cameras) {
        if (!camera.counted) continue;
        OverviewMark& mark = strip.marks.at(static_cast<std::size_t>(camera.number - 1));
        mark.neverLive = !camera.Live();
        mark.switchOutOfOrder = previous && camera.switchPoint <= *previous;
        previous = camera.switchPoint;
        for (const CoverageFinding& finding : camera.findings) {
            if (finding.kind == FindingKind::FarFromStretch ||
                finding.kind == FindingKind::BeyondLap) {
                mark.notes.push_back(finding.text);
            }
        }
        if (!camera.Live()) continue;
        const OverviewBand band{camera.number, camera.liveFrom, camera.liveTo, camera.liveFrom,
                                camera.liveTo};
        strip.bands.push_back(band);
        // The part beyond the line, or before it, shows again one lap away.
        for (const double shift :
             {camera.liveTo > lap ? -lap : 0.0, camera.liveFrom < 0 ? lap : 0.0}) {
            if (shift == 0.0) continue;
            OverviewBand wrapped = band;
            wrapped.from += shift;
            wrapped.to += shift;
            strip.bands.push_back(wrapped);
        }
    }
}

std::optional<int> BandAtX(const OverviewStrip& strip, double x, int width, int margin) {
    for (const OverviewBand& band : strip.bands) {
        if (x >= DistanceToX(strip, band.from, width, margin) &&
            x < DistanceToX(strip, band.to, width, margin)) {
            return band.number;
        }
    }
    return std::nullopt;
}

double DistanceToX(const OverviewStrip& strip, double distance, int width, int margin) {
    const double span = strip.end - strip.start;
    if (!std::isfinite(distance) || !(span > 0.0) || !std::isfinite(span)) return margin;
    const double fraction = std::clamp((distance - strip.start) / span, 0.0, 1.0);
    return margin + fraction * UsableWidth(width, margin);
}

std::optional<int> CameraAtX(const OverviewStrip& strip, double x, int width, int margin,
                             double tolerance) {
    std::optional<int> best;
    double bestGap = tolerance;
    for (const OverviewMark& mark : strip.marks) {
        const double gap = std::fabs(DistanceToX(strip, mark.distance, width, margin) - x);
        // Strictly nearer only: of marks at one place the first, lowest number stays.
        if (gap < bestGap || (!best && gap <= bestGap)) {
            best = mark.number;
            bestGap = gap;
        }
    }
    return best;
}

std::vector<double> OverviewTicks(const OverviewStrip& strip, int width, int margin,
                                  double minSpacing) {
    std::vector<double> ticks;
    const double span = strip.end - strip.start;
    if (!(span > 0.0) || !std::isfinite(span)) return ticks;
    const double pixelsPerMetre = UsableWidth(width, margin) / span;
    const double wanted = std::max(minSpacing, 1.0) / pixelsPerMetre;
    double step = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (step * factor >= wanted) {
            step *= factor;
            break;
        }
    }
    if (!std::isfinite(step) || !(step > 0.0)) return ticks;
    for (double tick = std::ceil(strip.start / step) * step; tick <= strip.end; tick += step) {
        ticks.push_back(tick);
        // The spacing bounds the count already; this guards against rounding.
        if (ticks.size() > static_cast<std::size_t>(width) + 2) break;
    }
    return ticks;
}

std::string FormatMetres(double metres) { return FormatLocaleNumber(RoundHalfEven(metres, 3), 7); }

std::string MarkToolTip(const OverviewMark& mark) {
    std::string text =
        "Camera " + std::to_string(mark.number) + ": " + FormatMetres(mark.storedDistance) +
        " m, " + (mark.fixed ? "fixed" : "moving") + ", change-over at " +
        FormatMetres(mark.storedChangeOver) + " m" + (mark.neverLive ? ", never live" : "");
    for (const std::string& note : mark.notes) text += ", " + note;
    return text;
}

std::string BandToolTip(const OverviewBand& band) {
    return "Camera " + std::to_string(band.number) + ": live from " + FormatMetres(band.liveFrom) +
           " m to " + FormatMetres(band.liveTo) + " m (" +
           FormatMetres(band.liveTo - band.liveFrom) + " m)";
}

}  // namespace vx
