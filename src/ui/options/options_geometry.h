// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

class QWidget;

namespace vx {

// Places a window's frame in the middle of the screen it is on.
void CentreOnScreen(QWidget& window);

}  // namespace vx
