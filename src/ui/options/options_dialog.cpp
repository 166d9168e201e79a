// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/options/options_dialog.h"

#include "ui/options/options_window.h"

namespace vx {

bool RunOptionsDialog(QWidget* parent, OptionsContext& context) {
    // Built afresh at every opening, as the loading steps expect.
    OptionsWindow dialog(context, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vx
