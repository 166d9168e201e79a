# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Sourced by the scripts that need an X server: without DISPLAY, starts a private
# Xvfb for the rest of the calling script and stops it when that script exits.
if [ -z "${DISPLAY:-}" ]; then
    display=":$((90 + RANDOM % 9))"
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY="$display"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi
