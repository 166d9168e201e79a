// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// What a copy puts on the system clipboard and what a paste takes from it.
#include <gtest/gtest.h>

#include "support/sample_camera.h"

#include <QMimeData>

#include "ui/camera_clipboard.h"

namespace vx {
namespace {

using testing::SampleCamera;

TEST(CameraMimeData, OurRecordsWinOverTheTextAndPlainTextHoldsNoCamera) {
    auto mime = CameraMimeData(SetId::TV1, 3, SampleCamera(1));
    EXPECT_TRUE(HoldsCameras(mime.get()));
    QMimeData plain;
    plain.setText("42");
    EXPECT_FALSE(HoldsCameras(&plain));
    EXPECT_FALSE(HoldsCameras(nullptr));
    // Our records win over the text, which another program may have changed.
    mime->setText("nonsense");
    const ClipboardCameras own = CamerasFromMimeData(mime.get());
    ASSERT_TRUE(own.Ok());
    EXPECT_EQ(own.cameras, std::vector<TvCamera>{SampleCamera(1)});
    // A broken record of our type falls back to the text.
    mime->setData(kCameraMimeType, QByteArray(10, '\0'));
    EXPECT_EQ(CamerasFromMimeData(mime.get()).refusal, "Clipboard holds no camera. Ready.");
}

}  // namespace
}  // namespace vx
