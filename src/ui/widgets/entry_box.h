// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QLineEdit>

class QLabel;

namespace vx {

class ValueStepper;

// Makes label the buddy of field and gives field the label's text as its
// accessible name, without the arrow or colon that lead the eye to the box, so
// that a screen reader announces "Height from the ground [m]" and not "edit".
void NameAfterLabel(QLabel* label, QWidget* field);

// A one-line entry that reports focus moving in and out between the window's own
// controls. Switching to another application or opening a popup menu is neither:
// a value is committed only when the user moves on inside the window.
class EntryBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit EntryBox(const QString& text, QWidget* parent = nullptr);

    // The program's own writing of the box; typing over it is what Changed() tells.
    void Show(const QString& text);
    // Whether the text differs from what the program last showed: only such a text
    // is the user's, so only it is committed.
    bool Changed() const { return text() != shown_; }
    // The stepper beside the box: Up and Down take one of its steps, Page Up and Page
    // Down ten, each after committing what was typed, as a click on it would.
    void SetStepper(ValueStepper* stepper) { stepper_ = stepper; }

  signals:
    void focusGained();
    void focusLost();

  protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString shown_;
    ValueStepper* stepper_ = nullptr;
};

}  // namespace vx
