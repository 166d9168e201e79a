#include <QApplication>
#include <QDir>

#include "app/command_line.h"
#include "platform/qt/qt_beeper.h"
#include "platform/qt/qt_document_opener.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/x11/desktop_game_remote.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // What Qt left of the arguments, after it took its own options out.
    const std::string commandLine = vx::CommandLineText(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistolarex"));

    vx::QtMessageBoxes boxes;
    vx::QtBeeper beeper;
    vx::QtFileDialog fileDialog;
    vx::QtDocumentOpener opener;
    std::unique_ptr<vx::GameRemote> remote = vx::MakeDesktopGameRemote(boxes, beeper);

    const std::string programFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    vx::FrmMain window(programFolder, commandLine,
                       vx::EditorPlatform{boxes, beeper, fileDialog, opener, *remote});
    boxes.SetParent(&window);
    fileDialog.SetParent(&window);
    window.show();
    return QApplication::exec();
}
