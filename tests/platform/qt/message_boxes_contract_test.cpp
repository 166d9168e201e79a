// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "modal_answerer.h"
#include "platform/qt/qt_message_boxes.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

// What the user saw of a box.
struct Seen {
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::Information;
    BoxButtons buttons = BoxButtons::Ok;
};

// Each harness offers Boxes(), AnswerNext(answer) and LastSeen().
class ScriptedHarness {
  public:
    MessageBoxes& Boxes() { return boxes_; }
    void AnswerNext(BoxAnswer answer) { boxes_.answers.push_back(answer); }
    Seen LastSeen() {
        const auto& s = boxes_.shown.back();
        return {s.title, s.text, s.icon, s.buttons};
    }

  private:
    testing::ScriptedMessageBoxes boxes_;
};

class QtHarness {
  public:
    MessageBoxes& Boxes() { return boxes_; }
    void AnswerNext(BoxAnswer answer) {
        answerer_.AnswerNext([this, answer](QMessageBox& box) {
            seen_.title = box.windowTitle().toStdString();
            seen_.text = box.text().toStdString();
            seen_.icon = box.icon() == QMessageBox::Warning    ? BoxIcon::Exclamation
                         : box.icon() == QMessageBox::Critical ? BoxIcon::Critical
                                                               : BoxIcon::Information;
            const auto buttons = box.standardButtons();
            // Anything but exactly OK or exactly OK + Cancel shows up as a wrong title.
            if (buttons == (QMessageBox::Ok | QMessageBox::Cancel)) {
                seen_.buttons = BoxButtons::OkCancel;
            } else if (buttons == QMessageBox::Ok) {
                seen_.buttons = BoxButtons::Ok;
            } else {
                seen_.title = "unexpected buttons";
            }
            box.button(answer == BoxAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
    }
    Seen LastSeen() {
        EXPECT_TRUE(answerer_.Answered());
        return seen_;
    }

  private:
    QtMessageBoxes boxes_;
    testing::ModalAnswerer<QMessageBox> answerer_;
    Seen seen_;
};

template <class Harness>
class MessageBoxesContract : public ::testing::Test {
  protected:
    Harness harness;
};
using Harnesses = ::testing::Types<ScriptedHarness, QtHarness>;
TYPED_TEST_SUITE(MessageBoxesContract, Harnesses);

// A question goes ahead only on OK; a notice has only OK. Title, text (its line
// breaks and markup-like characters too) and icon show as given.
TYPED_TEST(MessageBoxesContract, ShowsTheBoxAsGivenAndReturnsTheAnswer) {
    const struct {
        const char* title;
        const char* text;
        BoxIcon icon;
        BoxButtons buttons;
        BoxAnswer answer;
    } rows[] = {
        {"Vistolarex: Safety request", "File exists. Overwrite?", BoxIcon::Exclamation,
         BoxButtons::OkCancel, BoxAnswer::Cancel},
        {"Vistolarex: Info", "Start?", BoxIcon::Information, BoxButtons::OkCancel, BoxAnswer::Ok},
        {"Runtime-Error!", "first line\r\nsecond & <b>third</b>", BoxIcon::Critical, BoxButtons::Ok,
         BoxAnswer::Ok},
    };
    for (const auto& row : rows) {
        this->harness.AnswerNext(row.answer);
        EXPECT_EQ(this->harness.Boxes().Show(row.title, row.text, row.icon, row.buttons),
                  row.answer);
        const Seen seen = this->harness.LastSeen();
        EXPECT_EQ(seen.title + "|" + seen.text, std::string(row.title) + "|" + row.text);
        EXPECT_EQ(seen.icon, row.icon) << row.title;
        EXPECT_EQ(seen.buttons, row.buttons) << row.title;
    }
}

TEST(QtMessageBoxes, EscapeOnAQuestionIsCancelAndOnANoticeIsOk) {
    QtMessageBoxes boxes;
    testing::ModalAnswerer<QMessageBox> answerer;
    answerer.AnswerNext([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(boxes.Show("Vistolarex: Safety request", "Really exit?", BoxIcon::Exclamation,
                         BoxButtons::OkCancel),
              BoxAnswer::Cancel);
    EXPECT_TRUE(answerer.Answered());

    answerer.AnswerNext([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(boxes.Show("Debug-Mode", "Code: 1", BoxIcon::Exclamation, BoxButtons::Ok),
              BoxAnswer::Ok);
    EXPECT_TRUE(answerer.Answered());
}

}  // namespace
}  // namespace vx
