# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Sourced by the scripts that need an X server: without DISPLAY, starts a private
# Xvfb for the rest of the calling script and stops it when that script exits.
if [ -z "${DISPLAY:-}" ]; then
    # The first display no other X server holds: neither its socket nor its lock file.
    display=""
    for n in $(seq 90 99); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            display=":$n"
            break
        fi
    done
    if [ -z "$display" ]; then
        echo "no free X display in :90 to :99" >&2
        exit 1
    fi
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY="$display"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi
