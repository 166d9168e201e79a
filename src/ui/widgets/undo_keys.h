// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QKeySequence>
#include <QList>

namespace vx {

// The platform's undo and redo keys together with the usual Ctrl+Z, Ctrl+Shift+Z and
// Ctrl+Y, whichever the desktop's own list leaves out.
QList<QKeySequence> UndoKeys();
QList<QKeySequence> RedoKeys();
bool IsUndoKey(const QKeySequence& keys);
bool IsRedoKey(const QKeySequence& keys);

}  // namespace vx
