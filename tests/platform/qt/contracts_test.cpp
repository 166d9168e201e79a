// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Each interface's contract runs against the scripted double and the Qt
// implementation: a harness per side offers the interface and what the user saw.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "platform/qt/qt_document_opener.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_boxes.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

// Answers the next modal window of type W as soon as it is up, the way a user
// would: polls for it while the code under test sits in its exec().
template <class W>
struct ModalAnswerer {
    ModalAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
            if (window == nullptr || !window->isVisible()) return;
            timer_.stop();
            answer_(*window);
        });
    }
    void AnswerNext(std::function<void(W&)> answer) {
        answer_ = std::move(answer);
        timer_.start();
    }
    bool Answered() const { return !timer_.isActive(); }

  private:
    QTimer timer_;
    std::function<void(W&)> answer_;
};

// What the user saw of a box: "title|text|icon|buttons|preselected", all but the
// texts as numbers.
std::string Seen(const std::string& title, const std::string& text, BoxIcon icon, int buttons,
                 BoxAnswer preselected) {
    return title + "|" + text + "|" + std::to_string(static_cast<int>(icon)) + "|" +
           std::to_string(buttons) + "|" + std::to_string(static_cast<int>(preselected));
}

// What the user saw of a question with buttons of its own: its buttons in order
// of their texts, the default one last.
std::string SeenChoice(const std::string& title, const std::string& text, BoxIcon icon,
                       std::vector<std::string> buttons, const std::string& defaultButton) {
    std::sort(buttons.begin(), buttons.end());
    std::string seen = title + "|" + text + "|" + std::to_string(static_cast<int>(icon));
    for (const auto& button : buttons) seen += "|" + button;
    return seen + "|default " + defaultButton;
}

// Boxes(), AnswerNext(answer), LastSeen(); ChooseNext(index, text) picks the button
// at index, whose text is text, and LastChoiceSeen() tells what that question showed.
struct ScriptedBoxes : testing::ScriptedMessageBoxes {
    MessageBoxes& Boxes() { return *this; }
    void AnswerNext(BoxAnswer answer) { answers.push_back(answer); }
    void ChooseNext(int index, const std::string&) { choices.push_back(index); }
    std::string LastSeen() {
        const Shown& box = shown.back();
        return Seen(box.title, box.text, box.icon, box.buttons == BoxButtons::Ok ? 1 : 2,
                    box.preselected);
    }
    std::string LastChoiceSeen() {
        const Chosen& q = questions.back();
        return SeenChoice(q.title, q.text, q.icon, q.buttons, q.buttons.at(q.defaultButton));
    }
};

BoxIcon IconOf(const QMessageBox& box) {
    return box.icon() == QMessageBox::Warning    ? BoxIcon::Exclamation
           : box.icon() == QMessageBox::Critical ? BoxIcon::Critical
                                                 : BoxIcon::Information;
}

struct QtBoxes {
    MessageBoxes& Boxes() { return boxes_; }
    void AnswerNext(BoxAnswer answer) {
        seen_ = "no box";
        answerer_.AnswerNext([this, answer](QMessageBox& box) {
            // Anything but exactly OK or exactly OK + Cancel counts as 0.
            const auto buttons = box.standardButtons();
            seen_ = Seen(box.windowTitle().toStdString(), box.text().toStdString(), IconOf(box),
                         buttons == QMessageBox::Ok                           ? 1
                         : buttons == (QMessageBox::Ok | QMessageBox::Cancel) ? 2
                                                                              : 0,
                         box.defaultButton() == box.button(QMessageBox::Cancel) ? BoxAnswer::Cancel
                                                                                : BoxAnswer::Ok);
            box.button(answer == BoxAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
    }
    void ChooseNext(int, const std::string& text) {
        seen_ = "no box";
        answerer_.AnswerNext([this, text](QMessageBox& box) {
            std::vector<std::string> buttons;
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* button : box.buttons()) {
                buttons.push_back(button->text().toStdString());
                if (button->text().toStdString() == text) chosen = button;
            }
            seen_ = SeenChoice(box.windowTitle().toStdString(), box.text().toStdString(),
                               IconOf(box), buttons, box.defaultButton()->text().toStdString());
            if (chosen != nullptr) chosen->click();
        });
    }
    std::string LastSeen() { return seen_; }
    std::string LastChoiceSeen() { return seen_; }

  private:
    QtMessageBoxes boxes_;
    ModalAnswerer<QMessageBox> answerer_;
    std::string seen_;
};

template <class Harness>
struct MessageBoxesContract : ::testing::Test {
    Harness harness;
};
using MessageBoxesHarnesses = ::testing::Types<ScriptedBoxes, QtBoxes>;
TYPED_TEST_SUITE(MessageBoxesContract, MessageBoxesHarnesses);

// A question goes ahead only on OK; a notice has only OK. Title, text (its line
// breaks and markup-like characters too), icon and the preselected button show as
// given, OK unless asked otherwise. With buttons of its own, the answer is the one
// chosen, by its place in the list given.
TYPED_TEST(MessageBoxesContract, ShowsTheBoxAsGivenAndReturnsTheAnswer) {
    using enum BoxIcon;
    using enum BoxAnswer;
    const std::tuple<const char*, const char*, BoxIcon, BoxButtons, BoxAnswer, BoxAnswer> rows[] = {
        {"Vistolarex: Safety request", "Overwrite?", Exclamation, BoxButtons::OkCancel, Ok, Cancel},
        {"Vistolarex: Safety request", "Changed?", Exclamation, BoxButtons::OkCancel, Cancel, Ok},
        {"Vistolarex: Info", "Start?", Information, BoxButtons::OkCancel, Ok, Ok},
        {"Runtime-Error!", "one\r\ntwo & <b>3</b>", Critical, BoxButtons::Ok, Ok, Ok},
    };
    for (const auto& [title, text, icon, buttons, preselected, answer] : rows) {
        this->harness.AnswerNext(answer);
        MessageBoxes& boxes = this->harness.Boxes();
        EXPECT_EQ(preselected == Ok ? boxes.Show(title, text, icon, buttons)
                                    : boxes.Show(title, text, icon, buttons, preselected),
                  answer);
        EXPECT_EQ(this->harness.LastSeen(),
                  Seen(title, text, icon, buttons == BoxButtons::Ok ? 1 : 2, preselected));
    }
    const std::vector<std::string> buttons = {"Save and Test", "Test without saving", "Cancel"};
    for (int index = 0; index < 3; ++index) {
        this->harness.ChooseNext(index, buttons[index]);
        EXPECT_EQ(this->harness.Boxes().Choose("Vistolarex: Safety request", "Save first?",
                                               BoxIcon::Exclamation, buttons, 1, 2),
                  index);
        EXPECT_EQ(this->harness.LastChoiceSeen(),
                  SeenChoice("Vistolarex: Safety request", "Save first?", BoxIcon::Exclamation,
                             buttons, "Test without saving"));
    }
}

// Return is the preselected answer or the default button; Escape is Cancel on a
// question, OK on a notice, the escape button if any, and else leaves it open.
TEST(QtMessageBoxes, ReturnAndEscapeAnswerAsTheBoxStands) {
    QtMessageBoxes boxes;
    ModalAnswerer<QMessageBox> answerer;
    const auto press = [&answerer](Qt::Key key, const auto& ask, bool staysOpen = false) {
        answerer.AnswerNext([key, staysOpen](QMessageBox& box) {
            QTest::keyClick(&box, key);
            EXPECT_EQ(box.isVisible(), staysOpen);
            if (box.isVisible()) QTest::keyClick(&box, Qt::Key_Return);
        });
        const auto answer = ask();
        EXPECT_TRUE(answerer.Answered());
        return answer;
    };
    const auto show = [&boxes](BoxButtons buttons, BoxAnswer preselected) {
        return [=, &boxes] {
            return boxes.Show("t", "q", BoxIcon::Exclamation, buttons, preselected);
        };
    };
    const auto choose = [&boxes](int escape) {
        return [=, &boxes] {
            return boxes.Choose("t", "q", BoxIcon::Information, {"Restore", "Show", "Discard"}, 2,
                                escape);
        };
    };
    using enum BoxAnswer;
    EXPECT_EQ(press(Qt::Key_Escape, show(BoxButtons::OkCancel, Ok)), Cancel);
    EXPECT_EQ(press(Qt::Key_Escape, show(BoxButtons::Ok, Ok)), Ok);
    EXPECT_EQ(press(Qt::Key_Return, show(BoxButtons::OkCancel, Ok)), Ok);
    EXPECT_EQ(press(Qt::Key_Return, show(BoxButtons::OkCancel, Cancel)), Cancel);
    EXPECT_EQ(press(Qt::Key_Return, choose(1)), 2);
    EXPECT_EQ(press(Qt::Key_Escape, choose(1)), 1);
    EXPECT_EQ(press(Qt::Key_Escape, choose(-1), true), 2);
}

// Dialog(), PickNext(path) (the user's next answer: a full path, or nullopt to cancel)
// and LastSeen(): the folder it opened in and the name it offered, as "folder|name".
struct ScriptedFiles : testing::ScriptedFileDialog {
    FileDialog& Dialog() { return *this; }
    void PickNext(std::optional<std::string> path) { picks.push_back(path); }
    std::string LastSeen() { return initialFolder + "|" + fileName; }
};

QLineEdit& NameEdit(QFileDialog& dialog) {
    return *dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

struct QtFiles {
    FileDialog& Dialog() { return dialog_; }
    void PickNext(std::optional<std::string> path) {
        seen_ = "no dialog";
        answerer_.AnswerNext([this, path](QFileDialog& dialog) {
            seen_ =
                (QDir::cleanPath(dialog.directory().absolutePath()) + "|" + NameEdit(dialog).text())
                    .toStdString();
            EXPECT_EQ(dialog.windowTitle(), "Vistolarex: Load&Save");
            EXPECT_EQ(dialog.nameFilters(),
                      QStringList({"GPL-camera-files (*.cam)", "All Files (*.*)"}));
            if (!path) return dialog.reject();
            dialog.selectFile(QString::fromStdString(*path));
            static_cast<QDialog&>(dialog).accept();  // runs QFileDialog::accept
        });
    }
    std::string LastSeen() { return seen_; }

  private:
    QtFileDialog dialog_;
    ModalAnswerer<QFileDialog> answerer_;
    std::string seen_;
};

template <class Harness>
struct FileDialogContract : ::testing::Test {
    Harness harness;
};
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
TEST(QtFileDialog, SavesATypedNameAsCamAndKeepsTheFileSystemsBytes) {
    testing::ScratchFolder scratch;
    const std::string folder = scratch.Path("caf\xE9");
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    testing::WriteBytes(folder + "/track.cam", {'x'});
    QtFileDialog dialog;
    dialog.SetInitialFolder(folder);
    ModalAnswerer<QFileDialog> answerer;
    answerer.AnswerNext([](QFileDialog& shown) {
        if (!shown.testOption(QFileDialog::DontConfirmOverwrite)) return shown.reject();
        NameEdit(shown).setText("track");
        static_cast<QDialog&>(shown).accept();
    });
    EXPECT_EQ(dialog.AskSave(), folder + "/track.cam");
    EXPECT_TRUE(answerer.Answered());
}

// Stands in for the desktop's handler of local files.
class FileHandler : public QObject {
    Q_OBJECT
  public slots:
    void handle(const QUrl& url) { opened.push_back(url.toLocalFile().toStdString()); }

  public:
    std::vector<std::string> opened;
};

TEST(QtDocumentOpener, HandsOverThePathAsItStands) {
    FileHandler handler;
    QDesktopServices::setUrlHandler("file", &handler, "handle");
    const std::vector<std::string> paths{"/opt/Vistolarex 1.53/VistolarexHelp.html",
                                         "/tmp/100% #1/a&b.html"};
    for (const std::string& path : paths) QtDocumentOpener().Open(path);
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(handler.opened, paths);
}

}  // namespace
}  // namespace vx

#include "contracts_test.moc"
