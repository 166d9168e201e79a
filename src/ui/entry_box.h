#pragma once

#include <QLineEdit>

class QLabel;

namespace vx {

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
    using QLineEdit::QLineEdit;

  signals:
    void focusGained();
    void focusLost();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace vx
