#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "app/command_line.h"
#include "app/desktop_game_remote.h"
#include "app/printed_message_boxes.h"
#include "platform/qt/qt_beeper.h"
#include "platform/qt/qt_document_opener.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_boxes.h"
#include "ui/main_window.h"
#include "vx_version.h"

namespace {

std::string NativePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

// The program's folder as bytes: Qt's text form would lose a name that is not UTF-8.
std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return NativePath(QCoreApplication::applicationDirPath());
    return program.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    // A save over the file-size limit is then reported in the window, not a crash.
    std::signal(SIGXFSZ, SIG_IGN);
    // Before the application object, which would need a display.
    if (argc == 2 && std::string_view(argv[1]) == vx::kVersionOption) {
        std::cout << "vistolarex " << vx::kVersion << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    // What Qt left of the arguments, after it took its own options out.
    const std::string commandLine = vx::CommandLineText(argc, argv);
    // Before any path is asked for: the user's configuration folder is named after it.
    QApplication::setApplicationName(QStringLiteral("Vistolarex"));
    const bool probe = commandLine == vx::kPrintManualPathOption;

    vx::QtMessageBoxes shownBoxes;
    vx::PrintedMessageBoxes printedBoxes(std::cerr);
    vx::MessageBoxes& boxes = probe ? static_cast<vx::MessageBoxes&>(printedBoxes) : shownBoxes;
    vx::QtBeeper beeper;
    vx::QtFileDialog fileDialog;
    vx::QtDocumentOpener opener;
    std::unique_ptr<vx::GameRemote> remote = vx::MakeDesktopGameRemote(boxes, beeper);

    vx::EditorPlatform platform{boxes, beeper, fileDialog, opener, *remote};
    platform.configFallbackFolder =
        NativePath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    vx::FrmMain window(ProgramFolder(), probe ? std::string() : commandLine, platform);
    if (probe) {
        std::cout << window.ManualPath() << '\n';
        return 0;
    }
    shownBoxes.SetParent(&window);
    fileDialog.SetParent(&window);
    window.show();
    return QApplication::exec();
}
