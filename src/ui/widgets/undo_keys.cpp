// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/widgets/undo_keys.h"

namespace vx {

namespace {
QList<QKeySequence> With(QKeySequence::StandardKey standard, QList<QKeySequence> usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    for (const QKeySequence& key : usual) {
        if (!keys.contains(key)) keys << key;
    }
    return keys;
}
}  // namespace

QList<QKeySequence> UndoKeys() {
    return With(QKeySequence::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
}

QList<QKeySequence> RedoKeys() {
    return With(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                     QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

bool IsUndoKey(const QKeySequence& keys) { return UndoKeys().contains(keys); }
bool IsRedoKey(const QKeySequence& keys) { return RedoKeys().contains(keys); }

}  // namespace vx
