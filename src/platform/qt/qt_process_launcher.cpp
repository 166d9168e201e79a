// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_process_launcher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <fstream>

namespace vx {

bool QtProcessLauncher::IsWindowsExecutable(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char magic[2] = {};
    return file.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

LaunchResult QtProcessLauncher::Launch(const std::string& path, const std::string& workingFolder) {
    if (!desktopAvailable_) return {};
    const QString program = QString::fromStdString(path);
    const QString folder = QString::fromStdString(workingFolder);
    qint64 pid = 0;
    bool started = false;
    if (IsWindowsExecutable(path)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (wine.isEmpty()) return {LaunchResult::Outcome::WineMissing, 0};
        started = QProcess::startDetached(wine, {program}, folder, &pid);
    } else {
        started = QProcess::startDetached(program, {}, folder, &pid);
    }
    if (!started || pid <= 0) return {};
    return {LaunchResult::Outcome::Started, pid};
}

}  // namespace vx
