// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/demo_track.h"

#include <span>

#include "editing/field_value.h"

namespace vx::camtool {

namespace {

struct DemoCamera {
    float distance, sideOffset, height, changeOver;
    bool fixed;
    float zoomStart, zoomFirst, zoomSecond;  // moving cameras
    float yaw, pitch, bank, openingAngle;    // fixed cameras, degrees
};

// Unused values are those the editor gives a new camera, so switching a demo
// camera's mode shows familiar numbers.
constexpr float kNewZoom = 0.1f;
constexpr float kNewOpening = 90.0f;

constexpr DemoCamera Fixed(float distance, float side, float height, float changeOver, float yaw,
                           float pitch, float bank, float opening) {
    return {distance, side,     height, changeOver, true, kNewZoom,
            kNewZoom, kNewZoom, yaw,    pitch,      bank, opening};
}

constexpr DemoCamera Moving(float distance, float side, float height, float changeOver, float start,
                            float first, float second) {
    return {distance, side, height, changeOver, false, start, first, second, 0, 0, 0, kNewOpening};
}

constexpr DemoCamera kTv1[] = {
    Fixed(0, -15, 8, -60, 75, -6, 0, 40),
    Moving(480, 22, 5, -150, 1.8f, 0.9f, 2.6f),
    Fixed(1050, -30, 12, -200, -120, -10, 0, 28),
    Moving(1620, 18, 4, -120, 2.2f, 1.2f, 3.0f),
    Fixed(2240, -25, 15, -250, 160, -12, 0, 35),
    Moving(2810, 35, 6, -180, 1.5f, 0.7f, 2.0f),
    Moving(3390, -12, 3.5f, -100, 2.8f, 1.6f, 3.4f),
    Fixed(3950, 28, 10, -220, -45, -8, 2, 45),
    Moving(4480, -20, 7, -140, 1.9f, 1.0f, 2.5f),
};

constexpr DemoCamera kTv2[] = {
    Moving(120, 10, 2.5f, -90, 1.2f, 0.6f, 1.8f), Fixed(760, -40, 20, -300, 100, -15, 0, 60),
    Moving(1380, 8, 3, -110, 2.5f, 1.4f, 3.2f),   Fixed(2000, -18, 9, -160, -80, -7, 0, 32),
    Fixed(2600, 45, 25, -350, 170, -20, 0, 70),   Moving(3150, -10, 4, -130, 1.7f, 0.8f, 2.2f),
    Moving(3700, 15, 6, -170, 2.0f, 1.1f, 2.9f),  Fixed(4250, -30, 11, -240, 30, -9, -1, 38),
};

float Radians(float degrees) { return static_cast<float>(DegreesToRadians(degrees)); }

void FillSet(CameraSet& set, std::span<const DemoCamera> cameras) {
    set.CountBytes = {static_cast<std::uint8_t>(cameras.size()), 0, 0, 0};
    int number = 1;
    for (const DemoCamera& c : cameras) {
        TvCamera& camera = set.Camera(number++);
        camera.SetFloat(TvField::Distance, c.distance);
        camera.SetFloat(TvField::SideOffset, c.sideOffset);
        camera.SetFloat(TvField::Height, c.height);
        camera.SetFloat(TvField::ChangeOver, c.changeOver);
        camera.SetInt(TvField::Mode, c.fixed ? 1 : 0);
        camera.SetFloat(TvField::ZoomStart, c.zoomStart);
        camera.SetFloat(TvField::ZoomFirst, c.zoomFirst);
        camera.SetFloat(TvField::ZoomSecond, c.zoomSecond);
        camera.SetFloat(TvField::Yaw, Radians(c.yaw));
        camera.SetFloat(TvField::Pitch, Radians(c.pitch));
        camera.SetFloat(TvField::Bank, Radians(c.bank));
        camera.SetFloat(TvField::OpeningAngle, Radians(c.openingAngle));
    }
}

}  // namespace

void BuildDemoTrack(CamDocument& doc) {
    NewDocument(doc);
    FillSet(doc.TV1, kTv1);
    FillSet(doc.TV2, kTv2);
    UpdateHeaderSize(doc);
    doc.Pitlane.SetFloat(PitlaneField::X, -310.5f);
    doc.Pitlane.SetFloat(PitlaneField::Y, 42.0f);
    doc.Pitlane.SetFloat(PitlaneField::Z, 7.5f);
    doc.Pitlane.SetFloat(PitlaneField::Yaw, Radians(155));
    doc.Pitlane.SetFloat(PitlaneField::Pitch, Radians(-8));
    doc.Pitlane.SetFloat(PitlaneField::Bank, Radians(0));
    doc.Pitlane.SetFloat(PitlaneField::OpeningAngle, Radians(50));
    doc.DataSaved = true;
}

}  // namespace vx::camtool
