// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/camera_clipboard.h"

#include <QByteArray>
#include <QMimeData>
#include <QString>

namespace vx {

namespace {

QString MimeType() { return QString::fromLatin1(kCameraMimeType); }

std::optional<std::vector<TvCamera>> OwnRecords(const QMimeData& data) {
    if (!data.hasFormat(MimeType())) return std::nullopt;
    const QByteArray bytes = data.data(MimeType());
    return CamerasFromRecordBytes(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

std::unique_ptr<QMimeData> CameraMimeData(SetId set, int number, const TvCamera& camera) {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(CameraClipboardText(set, number, camera)));
    const std::string bytes = CameraRecordBytes({camera});
    data->setData(MimeType(), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return data;
}

ClipboardCameras CamerasFromMimeData(const QMimeData* data) {
    if (data == nullptr) return ClipboardCameras{{}, kNoCameraOnClipboardText};
    if (std::optional<std::vector<TvCamera>> records = OwnRecords(*data)) {
        return ClipboardCameras{std::move(*records), {}};
    }
    if (!data->hasText()) return ClipboardCameras{{}, kNoCameraOnClipboardText};
    return CamerasFromClipboardText(data->text().toStdString());
}

bool HoldsCameras(const QMimeData* data) {
    if (data == nullptr) return false;
    return OwnRecords(*data).has_value() ||
           (data->hasText() && HoldsCameraRows(data->text().toStdString()));
}

}  // namespace vx
