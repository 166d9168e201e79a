#include "platform/qt/qt_process_launcher.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <fstream>

namespace vx {

bool QtProcessLauncher::IsWindowsExecutable(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char magic[2] = {};
    return file.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

bool QtProcessLauncher::Launch(const std::string& path) {
    if (!desktopAvailable_) return false;
    QString program = QString::fromStdString(path);
    qint64 pid = 0;
    bool started = IsWindowsExecutable(path)
                       ? QProcess::startDetached(QStringLiteral("wine"), {program}, {}, &pid)
                       : QProcess::startDetached(program, {}, {}, &pid);
    return started && pid > 0;
}

}  // namespace vx
