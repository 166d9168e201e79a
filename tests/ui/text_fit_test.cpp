// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Every text of the editor window and the options dialog fits whole at the common
// desktop font sizes.
#include <QLabel>
#include <QRadioButton>
#include <QStyleOption>
#include <QTabBar>

#include "editor_fixture.h"
#include "ui/elided_label.h"
#include "ui/options_window.h"

namespace vx::testing {
namespace {

// The texts whose width or height exceeds the room the style gives them, each as
// "objectName: text".
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

class TextFitTest : public EditorTest {
  protected:
    void TearDown() override {
        EditorTest::TearDown();
        QApplication::setFont(font_);
    }

  private:
    QFont font_ = QApplication::font();
};

TEST_F(TextFitTest, NothingIsCutOffFromEightToTwelvePoints) {
    const QFont design = QApplication::font();
    for (int points : {8, 10, 12}) {
        SCOPED_TRACE(points);
        QFont font = design;
        font.setPointSize(points);
        QApplication::setFont(font);
        FrmMain& w = Restart();
        w.show();
        // At the design font the window keeps its designed size.
        if (points == 8) {
            EXPECT_EQ(w.width(), Twips(w.logicalDpiX())(11055));
        }
        // The widest texts the boxes come to hold.
        for (TvPage* page : {&Tv1(), &Tv2()}) {
            page->CurrentCam()->setText("255");
            page->TotalCams()->setText("255");
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
        ASSERT_NE(path, nullptr);
        EXPECT_TRUE(path->ShownText().startsWith("/home/someone/"))
            << path->ShownText().toStdString();
        EXPECT_TRUE(path->ShownText().endsWith("/games/GPL"));
        EXPECT_TRUE(path->ShownText().contains(QChar(0x2026)));
        EXPECT_EQ(path->toolTip().toStdString(), working.GPLFolder);
    }
}

}  // namespace
}  // namespace vx::testing
