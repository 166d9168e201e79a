// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace vx {

// What a screen reader calls the controls of a row of values. Every name leads
// with the set and the row ("TV1 field 2: ..."), since the same rows stand on
// several pages of one window; the visible captions stay as they are.
QString RowEntryName(const QString& set, int field, const char* label);
QString RowStepperName(const QString& set, int field, const char* label);
QString RowAssignName(const QString& set, int field, const char* label);

}  // namespace vx
