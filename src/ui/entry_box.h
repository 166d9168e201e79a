#pragma once

#include <QLineEdit>

namespace vx {

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
