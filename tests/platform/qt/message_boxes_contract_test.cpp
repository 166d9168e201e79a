#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <functional>
#include <memory>

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

class BoxesHarness {
  public:
    virtual ~BoxesHarness() = default;
    virtual MessageBoxes& Boxes() = 0;
    virtual void AnswerNext(BoxAnswer answer) = 0;
    virtual Seen LastSeen() = 0;
};

class ScriptedHarness : public BoxesHarness {
  public:
    MessageBoxes& Boxes() override { return boxes_; }
    void AnswerNext(BoxAnswer answer) override { boxes_.answers.push_back(answer); }
    Seen LastSeen() override {
        const auto& s = boxes_.shown.back();
        return {s.title, s.text, s.icon, s.buttons};
    }

  private:
    testing::ScriptedMessageBoxes boxes_;
};

class QtHarness : public BoxesHarness {
  public:
    MessageBoxes& Boxes() override { return boxes_; }
    void AnswerNext(BoxAnswer answer) override {
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
    Seen LastSeen() override {
        EXPECT_TRUE(answerer_.Answered());
        return seen_;
    }

  private:
    QtMessageBoxes boxes_;
    testing::ModalAnswerer<QMessageBox> answerer_;
    Seen seen_;
};

using HarnessFactory = std::function<std::unique_ptr<BoxesHarness>()>;

class MessageBoxesContract : public ::testing::TestWithParam<HarnessFactory> {
  protected:
    std::unique_ptr<BoxesHarness> harness = GetParam()();
};

TEST_P(MessageBoxesContract, QuestionShowsItsTextAndOnlyOkGoesAhead) {
    harness->AnswerNext(BoxAnswer::Cancel);
    EXPECT_EQ(harness->Boxes().Show("Vistolarex: Safety request", "File exists. Overwrite?",
                                    BoxIcon::Exclamation, BoxButtons::OkCancel),
              BoxAnswer::Cancel);
    Seen seen = harness->LastSeen();
    EXPECT_EQ(seen.title, "Vistolarex: Safety request");
    EXPECT_EQ(seen.text, "File exists. Overwrite?");
    EXPECT_EQ(seen.icon, BoxIcon::Exclamation);
    EXPECT_EQ(seen.buttons, BoxButtons::OkCancel);

    harness->AnswerNext(BoxAnswer::Ok);
    EXPECT_EQ(harness->Boxes().Show("Vistolarex: Info", "Start?", BoxIcon::Information,
                                    BoxButtons::OkCancel),
              BoxAnswer::Ok);
    EXPECT_EQ(harness->LastSeen().icon, BoxIcon::Information);
}

TEST_P(MessageBoxesContract, NoticeHasOnlyOkAndKeepsItsLinesAndIcon) {
    harness->AnswerNext(BoxAnswer::Ok);
    const std::string text = "first line\r\nsecond & <b>third</b>";
    EXPECT_EQ(harness->Boxes().Show("Runtime-Error!", text, BoxIcon::Critical, BoxButtons::Ok),
              BoxAnswer::Ok);
    Seen seen = harness->LastSeen();
    EXPECT_EQ(seen.title, "Runtime-Error!");
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.icon, BoxIcon::Critical);
    EXPECT_EQ(seen.buttons, BoxButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(Scripted, MessageBoxesContract, ::testing::Values(HarnessFactory([] {
                             return std::make_unique<ScriptedHarness>();
                         })));
INSTANTIATE_TEST_SUITE_P(Qt, MessageBoxesContract, ::testing::Values(HarnessFactory([] {
                             return std::make_unique<QtHarness>();
                         })));

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
