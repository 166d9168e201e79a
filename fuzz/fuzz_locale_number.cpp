// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Any text parses without harm, and a number shown with 17 digits reads back
// as the same double, in each of the decimal conventions the first byte picks.
#include <QLocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editing/locale_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::French, QLocale::France)};
    QLocale::setDefault(locales[data[0] % 4]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::optional<double> value = vx::ParseLocaleNumber(text);
    if (!value) return 0;
    if (!std::isfinite(*value)) std::abort();
    const std::string shown = vx::FormatLocaleNumber(*value, 17);
    const std::optional<double> again = vx::ParseLocaleNumber(shown);
    if (!again || *again != *value) std::abort();
    return 0;
}
