// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/control_names.h"

#include <QRegularExpression>

namespace vx {

namespace {

QString Row(const QString& set, int field) {
    return QStringLiteral("%1 field %2: ").arg(set).arg(field);
}

// The label as read aloud: no arrow pointing at the box.
QString Spoken(const char* label) {
    QString text = QString::fromUtf8(label).trimmed();
    if (text.endsWith(QStringLiteral("-->"))) text.chop(3);
    return text.trimmed();
}

// The quantity alone, without its unit: "Height from the ground".
QString Quantity(const char* label) {
    static const QRegularExpression unit(QStringLiteral("\\s*\\[[^\\]]*\\]"));
    return Spoken(label).remove(unit);
}

}  // namespace

QString RowEntryName(const QString& set, int field, const char* label) {
    return Row(set, field) + Spoken(label);
}

QString RowStepperName(const QString& set, int field, const char* label) {
    return Row(set, field) + QStringLiteral("step ") + Quantity(label);
}

QString RowAssignName(const QString& set, int field, const char* label) {
    return Row(set, field) + QStringLiteral("assign %1 to all cameras").arg(Quantity(label));
}

}  // namespace vx
