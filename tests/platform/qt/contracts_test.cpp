// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Each interface's contract runs against the scripted double and the Qt
// implementation: a harness per side offers the interface and what the user saw.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "modal_answerer.h"
#include "platform/qt/qt_document_opener.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_boxes.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

template <class Harness>
class Contract : public ::testing::Test {
  protected:
    Harness harness;
};

// What the user saw of a box: "title|text|icon|buttons", icon and buttons as numbers.
std::string Seen(const std::string& title, const std::string& text, BoxIcon icon, int buttons) {
    return title + "|" + text + "|" + std::to_string(static_cast<int>(icon)) + "|" +
           std::to_string(buttons);
}

// Boxes(), AnswerNext(answer) and LastSeen().
class ScriptedBoxes {
  public:
    MessageBoxes& Boxes() { return boxes_; }
    void AnswerNext(BoxAnswer answer) { boxes_.answers.push_back(answer); }
    std::string LastSeen() {
        const auto& s = boxes_.shown.back();
        return Seen(s.title, s.text, s.icon, s.buttons == BoxButtons::Ok ? 1 : 2);
    }

  private:
    testing::ScriptedMessageBoxes boxes_;
};

class QtBoxes {
  public:
    MessageBoxes& Boxes() { return boxes_; }
    void AnswerNext(BoxAnswer answer) {
        seen_ = "no box";
        answerer_.AnswerNext([this, answer](QMessageBox& box) {
            const auto icon = box.icon() == QMessageBox::Warning    ? BoxIcon::Exclamation
                              : box.icon() == QMessageBox::Critical ? BoxIcon::Critical
                                                                    : BoxIcon::Information;
            // Anything but exactly OK or exactly OK + Cancel counts as 0.
            const auto buttons = box.standardButtons();
            seen_ = Seen(box.windowTitle().toStdString(), box.text().toStdString(), icon,
                         buttons == QMessageBox::Ok                           ? 1
                         : buttons == (QMessageBox::Ok | QMessageBox::Cancel) ? 2
                                                                              : 0);
            box.button(answer == BoxAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
    }
    std::string LastSeen() { return seen_; }

  private:
    QtMessageBoxes boxes_;
    testing::ModalAnswerer<QMessageBox> answerer_;
    std::string seen_;
};

template <class Harness>
using MessageBoxesContract = Contract<Harness>;
using MessageBoxesHarnesses = ::testing::Types<ScriptedBoxes, QtBoxes>;
TYPED_TEST_SUITE(MessageBoxesContract, MessageBoxesHarnesses);

// A question goes ahead only on OK; a notice has only OK. Title, text (its line
// breaks and markup-like characters too) and icon show as given.
TYPED_TEST(MessageBoxesContract, ShowsTheBoxAsGivenAndReturnsTheAnswer) {
    using enum BoxIcon;
    const std::tuple<const char*, const char*, BoxIcon, BoxButtons, BoxAnswer> rows[] = {
        {"Vistolarex: Safety request", "Overwrite?", Exclamation, BoxButtons::OkCancel,
         BoxAnswer::Cancel},
        {"Vistolarex: Info", "Start?", Information, BoxButtons::OkCancel, BoxAnswer::Ok},
        {"Runtime-Error!", "one\r\ntwo & <b>3</b>", Critical, BoxButtons::Ok, BoxAnswer::Ok},
    };
    for (const auto& [title, text, icon, buttons, answer] : rows) {
        this->harness.AnswerNext(answer);
        EXPECT_EQ(this->harness.Boxes().Show(title, text, icon, buttons), answer);
        EXPECT_EQ(this->harness.LastSeen(),
                  Seen(title, text, icon, buttons == BoxButtons::Ok ? 1 : 2));
    }
}

TEST(QtMessageBoxes, EscapeOnAQuestionIsCancelAndOnANoticeIsOk) {
    QtMessageBoxes boxes;
    testing::ModalAnswerer<QMessageBox> answerer;
    for (const auto buttons : {BoxButtons::OkCancel, BoxButtons::Ok}) {
        answerer.AnswerNext([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        EXPECT_EQ(boxes.Show("Vistolarex: Safety request", "Exit?", BoxIcon::Exclamation, buttons),
                  buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel);
        EXPECT_TRUE(answerer.Answered());
    }
}

// Dialog(), PickNext(path) (the user's next answer: a full path, or nullopt to
// cancel) and LastSeen(): the folder it opened in and the name it offered, as
// "folder|name".
class ScriptedFiles {
  public:
    FileDialog& Dialog() { return dialog_; }
    void PickNext(std::optional<std::string> path) { dialog_.picks.push_back(path); }
    std::string LastSeen() { return dialog_.initialFolder + "|" + dialog_.fileName; }

  private:
    testing::ScriptedFileDialog dialog_;
};

QLineEdit& NameEdit(QFileDialog& dialog) {
    return *dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

class QtFiles {
  public:
    FileDialog& Dialog() { return dialog_; }
    void PickNext(std::optional<std::string> path) {
        seen_ = "no dialog";
        answerer_.AnswerNext([this, path](QFileDialog& dialog) {
            seen_ =
                (QDir::cleanPath(dialog.directory().absolutePath()) + "|" + NameEdit(dialog).text())
                    .toStdString();
            if (!path) return dialog.reject();
            dialog.selectFile(QString::fromStdString(*path));
            static_cast<QDialog&>(dialog).accept();  // runs QFileDialog::accept
        });
    }
    std::string LastSeen() { return seen_; }

  private:
    QtFileDialog dialog_;
    testing::ModalAnswerer<QFileDialog> answerer_;
    std::string seen_;
};

template <class Harness>
using FileDialogContract = Contract<Harness>;
using FileDialogHarnesses = ::testing::Types<ScriptedFiles, QtFiles>;
TYPED_TEST_SUITE(FileDialogContract, FileDialogHarnesses);

// Opens in the folder it was given, offers the name, returns the pick; Cancel is
// no name at all and keeps the folder.
TYPED_TEST(FileDialogContract, OpensInTheGivenFolderOffersTheNameAndReturnsThePick) {
    testing::ScratchFolder scratch;
    const std::string folder = scratch.Root();
    FileDialog& dialog = this->harness.Dialog();
    dialog.SetInitialFolder(folder);
    const std::tuple<const char*, std::optional<std::string>, bool> rows[] = {
        {"", scratch.WriteFile("monza.cam", "", false), false},
        {"monza.cam", folder + "/new.cam", true},
        {"", std::nullopt, false},
        {"", std::nullopt, true}};
    for (const auto& [offered, pick, save] : rows) {
        dialog.SetFileName(offered);
        this->harness.PickNext(pick);
        EXPECT_EQ(save ? dialog.AskSave() : dialog.AskOpen(), pick);
        EXPECT_EQ(this->harness.LastSeen(), folder + "|" + offered);
        EXPECT_EQ(dialog.InitialFolder(), folder);
    }
}

// A typed name is saved as .cam without the dialog's own overwrite question, which
// would leave exec() waiting; a folder whose name is not UTF-8 gives its bytes back.
TEST(QtFileDialog, ShowsTitleAndFiltersAndKeepsTheFileSystemsBytes) {
    testing::ScratchFolder scratch;
    const std::string folder = scratch.Path("caf\xE9");
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    testing::WriteBytes(folder + "/track.cam", {'x'});
    QtFileDialog dialog;
    dialog.SetInitialFolder(folder);
    testing::ModalAnswerer<QFileDialog> answerer;
    for (bool save : {true, false}) {
        answerer.AnswerNext([save](QFileDialog& shown) {
            EXPECT_EQ(shown.windowTitle(), "Vistolarex: Load&Save");
            EXPECT_EQ(shown.nameFilters(),
                      QStringList({"GPL-camera-files (*.cam)", "All Files (*.*)"}));
            EXPECT_TRUE(!save || shown.testOption(QFileDialog::DontConfirmOverwrite));
            NameEdit(shown).setText(save ? "track" : "track.cam");
            static_cast<QDialog&>(shown).accept();
        });
        EXPECT_EQ(save ? dialog.AskSave() : dialog.AskOpen(), folder + "/track.cam");
        EXPECT_TRUE(answerer.Answered());
    }
}

// Stands in for the desktop's handler of local files.
class FileUrlCatcher : public QObject {
    Q_OBJECT
  public:
    std::vector<std::string> opened;
  public slots:
    void handle(const QUrl& url) { opened.push_back(url.toLocalFile().toStdString()); }
};

// Opener() and Opened(), the paths that reached the desktop.
class ScriptedOpener {
  public:
    DocumentOpener& Opener() { return opener_; }
    std::vector<std::string> Opened() { return opener_.opened; }

  private:
    testing::RecordingOpener opener_;
};

class QtOpener {
  public:
    QtOpener() { QDesktopServices::setUrlHandler("file", &catcher_, "handle"); }
    ~QtOpener() { QDesktopServices::unsetUrlHandler("file"); }
    DocumentOpener& Opener() { return opener_; }
    std::vector<std::string> Opened() { return catcher_.opened; }

  private:
    FileUrlCatcher catcher_;
    QtDocumentOpener opener_;
};

template <class Harness>
using DocumentOpenerContract = Contract<Harness>;
using DocumentOpenerHarnesses = ::testing::Types<ScriptedOpener, QtOpener>;
TYPED_TEST_SUITE(DocumentOpenerContract, DocumentOpenerHarnesses);

TYPED_TEST(DocumentOpenerContract, HandsOverThePathAsItStands) {
    const std::vector<std::string> paths{"/opt/Vistolarex 1.53/VistolarexHelp.html",
                                         "/tmp/100% #1/a&b.html"};
    for (const std::string& path : paths) this->harness.Opener().Open(path);
    EXPECT_EQ(this->harness.Opened(), paths);
}

}  // namespace
}  // namespace vx

#include "contracts_test.moc"
