// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "app/command_line.h"
#include "app/desktop_game_remote.h"
#include "app/printed_message_boxes.h"
#include "platform/qt/qt_beeper.h"
#include "platform/qt/qt_document_opener.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_boxes.h"
#include "session/state_folder.h"
#include "ui/editor/editor_window.h"
#include "vx_version.h"

namespace {

std::string NativePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

// True when the arguments were only a question about the program, answered here.
bool AnsweredWithoutWindow(const vx::CommandLine& line) {
    switch (line.action) {
        case vx::CommandLine::Action::Help:
            std::cout << vx::UsageText();
            return true;
        case vx::CommandLine::Action::Version:
            std::cout << "vistolarex " << vx::kVersion << '\n';
            return true;
        default:
            return false;
    }
}

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
    // Before Qt starts, so that --help works without a display.
    const vx::CommandLine early = vx::ParseCommandLine(argc, argv);
    if (AnsweredWithoutWindow(early)) return 0;
    if (!vx::DisplayNamed(argc, argv,
                          [](const char* name) -> const char* { return std::getenv(name); })) {
        // The manual's path needs no window; everything else does.
        if (early.action != vx::CommandLine::Action::PrintManualPath) {
            std::cerr << vx::kNoDisplayText << '\n';
            return 1;
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    // What Qt left of the arguments, after it took its own options out.
    const vx::CommandLine commandLine = vx::ParseCommandLine(argc, argv);
    if (AnsweredWithoutWindow(commandLine)) return 0;
    if (commandLine.action == vx::CommandLine::Action::Unknown) {
        std::cerr << "vistolarex: unknown option " << commandLine.text
                  << "\nTry 'vistolarex --help'; a file name that starts with a dash "
                     "follows '--'.\n";
        return 2;
    }
    // Before any path is asked for: the user's configuration folder is named after it.
    QApplication::setApplicationName(QStringLiteral("Vistolarex"));
    QApplication::setApplicationVersion(QString::fromUtf8(vx::kVersion));
    // Taskbars and Wayland compositors find the name and icon through the desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("vistolarex"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/48x48/vistolarex.png"));
    icon.addFile(QStringLiteral(":/icons/256x256/vistolarex.png"));
    QApplication::setWindowIcon(icon);
    const bool probe = commandLine.action == vx::CommandLine::Action::PrintManualPath;

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
    // Asking for the manual's path must not touch another instance's recovery files.
    if (!probe) platform.stateFolder = vx::DefaultStateFolder();
    vx::EditorWindow window(ProgramFolder(), probe ? std::string() : commandLine.text, platform);
    if (probe) {
        std::cout << window.ManualPath() << '\n';
        return 0;
    }
    shownBoxes.SetParent(&window);
    fileDialog.SetParent(&window);
    window.show();
    // Logging out ends the program in an orderly way too.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.EndOrderly(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.EndOrderly(); });
    window.OfferRecoveries();
    return QApplication::exec();
}
