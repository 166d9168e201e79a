// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

namespace vx::bench {

// The option that makes vx_bench the game of the remote's replay: a full-screen
// window that lives until a file "stop" appears in its working folder (a minute at
// most).
inline constexpr const char* kStandInOption = "--stand-in-game";
int RunStandInGame();

}  // namespace vx::bench
