// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/widgets/entry_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include "ui/widgets/undo_keys.h"
#include "ui/widgets/value_stepper.h"

namespace vx {

void NameAfterLabel(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    QString name = label->text().trimmed();
    for (const QString& lead : {QStringLiteral("-->"), QStringLiteral(":")}) {
        if (name.endsWith(lead)) name.chop(lead.size());
    }
    field->setAccessibleName(name.trimmed());
}

namespace {
bool MovesInsideWindow(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

constexpr int kPageOfSteps = 10;

// The steps a key takes on the stepper beside the box; 0 for any other key.
int StepsOfKey(const QKeyEvent& key) {
    if (key.modifiers() & ~Qt::KeypadModifier) return 0;
    switch (key.key()) {
        case Qt::Key_Up:
            return 1;
        case Qt::Key_Down:
            return -1;
        case Qt::Key_PageUp:
            return kPageOfSteps;
        case Qt::Key_PageDown:
            return -kPageOfSteps;
        default:
            return 0;
    }
}
}  // namespace

EntryBox::EntryBox(const QString& text, QWidget* parent) : QLineEdit(text, parent), shown_(text) {}

void EntryBox::Show(const QString& text) {
    shown_ = text;
    setText(text);
}

bool EntryBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence keys(key->keyCombination());
        // Typing of its own is undone in the box, as in any text box; without it the
        // keys belong to the document's Undo and Redo.
        if ((IsUndoKey(keys) && !isUndoAvailable()) || (IsRedoKey(keys) && !isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Every focus gain selects the whole text, so typing replaces it: also the one that
    // arrives as the window becomes active, as with the first click after start-up,
    // which activates the window and focuses the box in one.
    if (event->reason() == Qt::PopupFocusReason) return;
    selectAll();
    if (event->reason() == Qt::MouseFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
        // The press that brought the focus would place the cursor after us.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) selectAll();
        });
    }
    emit focusGained();
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    const int steps = stepper_ != nullptr ? StepsOfKey(*event) : 0;
    if (steps == 0 || !stepper_->isEnabled()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The click on a stepper takes the focus from the box, which commits the text
    // first; the key commits it the same way and stays in the box.
    if (Changed()) emit focusLost();
    stepper_->StepBy(steps);
    selectAll();
}

void EntryBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (MovesInsideWindow(event->reason())) emit focusLost();
}

}  // namespace vx
