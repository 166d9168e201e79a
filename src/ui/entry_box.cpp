#include "ui/entry_box.h"

#include <QFocusEvent>
#include <QLabel>
#include <QTimer>

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
}  // namespace

void EntryBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!MovesInsideWindow(event->reason())) return;
    // Gaining the focus selects the whole text, so typing replaces it.
    selectAll();
    if (event->reason() == Qt::MouseFocusReason) {
        // The press that brought the focus would place the cursor after us.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) selectAll();
        });
    }
    emit focusGained();
}

void EntryBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (MovesInsideWindow(event->reason())) emit focusLost();
}

}  // namespace vx
