// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The window's controls, their texts and names, and that every text fits whole at the
// common desktop font sizes.
#include <QAccessible>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOption>
#include <QTabBar>
#include <map>

#include "editor_fixture.h"
#include "ui/elided_label.h"
#include "ui/options_window.h"
#include "ui/twips.h"

namespace vx::testing {
namespace {

// The texts wider or taller than the room the style gives them, as "objectName: text".
QStringList ClippedTexts(const QWidget& root) {
    QStringList clipped;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&root)) continue;
        const QStyle* style = widget->style();
        QString text;
        QRect room;
        if (auto* path = qobject_cast<ElidedLabel*>(widget)) {
            text = path->ShownText();
            room = path->contentsRect();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            room = label->contentsRect();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            text = button->text();
            room = style->subElementRect(
                qobject_cast<QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                      : QStyle::SE_PushButtonContents,
                &option, button);
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            QStyleOptionFrame option;
            option.initFrom(line);
            option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, line);
            text = line->text();
            // QLineEdit keeps 2 pixels blank on either side of its text.
            room = style->subElementRect(QStyle::SE_LineEditContents, &option, line)
                       .marginsRemoved(line->textMargins())
                       .adjusted(2, 0, -2, 0);
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->rect().contains(tabs->tabRect(i))) clipped << tabs->tabText(i);
            }
            continue;
        }
        if (text.isEmpty()) continue;
        const QFontMetrics metrics(widget->font());
        if (metrics.horizontalAdvance(text) > room.width() || metrics.height() > room.height()) {
            clipped << widget->objectName() + ": " + text;
        }
    }
    return clipped;
}

class LayoutTest : public EditorTest {
  protected:
    void TearDown() override {
        EditorTest::TearDown();
        QApplication::setFont(font_);
    }
    QFont font_ = QApplication::font();
};

TEST_F(LayoutTest, NothingIsCutOffAtEightOrTwelvePoints) {
    for (int points : {8, 12}) {
        SCOPED_TRACE(points);
        QFont font = font_;
        font.setPointSize(points);
        QApplication::setFont(font);
        FrmMain& w = Restart();
        w.show();
        if (points == 8) {
            EXPECT_EQ(w.width(), Twips(w.logicalDpiX())(11055)) << "the designed size";
        }
        for (TvPage* page : {&Tv1(), &Tv2()}) {  // the widest texts the boxes come to hold
            page->CurrentCam()->setText("255");
            page->CamData(3)->setText("-9999.999");
        }
        w.SetStatus(
            "Sorry, but the current camera has already the highest possible #1-value. "
            "Ready.");
        for (int tab = 0; tab < 3; ++tab) {
            w.CamData()->setCurrentIndex(tab);
            EXPECT_EQ(ClippedTexts(w).join(" | ").toStdString(), "") << "tab " << tab;
        }
        Settings working;
        working.GPLFolder = "/home/someone/" + std::string(300, 'x') + "/games/GPL";
        OptionsContext context{working, boxes, beeper, opener, remote, ""};
        OptionsWindow options(context, nullptr, {});
        options.show();
        auto* pages = options.findChild<QTabWidget*>("sstOptions");
        for (int tab = 0; tab < pages->count(); ++tab) {
            pages->setCurrentIndex(tab);
            EXPECT_EQ(ClippedTexts(options).join(" | ").toStdString(), "") << "options tab " << tab;
        }
        // A long game folder shows its start and its end, and the whole as the tooltip.
        const auto* path = options.findChild<ElidedLabel*>("lblGPLFolder");
        EXPECT_TRUE(path->ShownText().startsWith("/home/") && path->ShownText().endsWith("/GPL"));
        EXPECT_EQ(path->toolTip().toStdString(), working.GPLFolder);
    }
}

TEST_F(LayoutTest, ButtonsCarryTheirTextsInTabOrderAndTheWindowKeepsItsSize) {
    FrmMain& w = Start();
    Activate();
    EXPECT_EQ(w.windowTitle(), "Vistolarex V1.53");
    QWidget* previous = w.findChild<QPushButton*>("cmdLoadCAMFile");
    EXPECT_TRUE(previous->hasFocus());
    for (const char* name : {"cmdSaveCAMFile", "cmdTestCams", "cmdOptions", "cmdHelp", "cmdExit",
                             "cmdUndo", "cmdRedo"}) {
        EXPECT_EQ(previous->nextInFocusChain()->objectName().toStdString(), name);
        previous = previous->nextInFocusChain();
    }
    EXPECT_EQ(w.UndoButton()->toolTip(), "Nothing to undo");

    const QSize design = w.size();
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    w.showMaximized();
    QTRY_VERIFY(!w.isMaximized());
    EXPECT_EQ(w.size(), design);
}

TEST_F(LayoutTest, EveryEntryBoxIsAnnouncedByItsRowInTheWindowAndTheOptions) {
    using Names = std::map<std::string, std::string>;
    auto namesOf = [](const QWidget& root) {
        Names names;
        for (QLineEdit* box : root.findChildren<QLineEdit*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            names[box->objectName().toStdString()] =
                accessible ? accessible->text(QAccessible::Name).toStdString() : "";
        }
        return names;
    };
    Settings working;
    OptionsContext context{working, boxes, beeper, opener, remote, ""};
    const Names options = namesOf(OptionsWindow(context, nullptr, {}));
    const Names editor = namesOf(Start());
    ASSERT_EQ(editor.size(), 2u * (14 + 2) + 13 + 1);
    ASSERT_EQ(options.size(), 11u);
    for (const Names& names : {editor, options}) {
        for (const auto& [box, name] : names) EXPECT_NE(name, "") << box;
    }
    EXPECT_EQ(editor.at("txtTV2CamData_8"), "Yaw [°] (fixed cam)");
    EXPECT_EQ(editor.at("txtCurrentTV2Cam"), "TV2 camera number");
    EXPECT_EQ(options.at("txtDefaultValue_0"),
              "Place new camera [m] before/behind the currently shown camera");
}

}  // namespace
}  // namespace vx::testing
