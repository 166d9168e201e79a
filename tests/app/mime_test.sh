#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# The installed MIME type as a desktop sees it: registered in a scratch
# XDG_DATA_HOME, a camera file is recognised by its name and by its content, and
# text files that merely share a letter with the signature are left alone.
# Usage: mime_test.sh MIME_XML CAMTOOL
set -euo pipefail
xml="$1"
camtool="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME="$scratch/share"
export XDG_DATA_DIRS="${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
# The generic desktop: xdg-mime asks shared-mime-info (through mimetype), not the
# tester's own desktop.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

mkdir -p "$XDG_DATA_HOME/mime/packages"
cp "$xml" "$XDG_DATA_HOME/mime/packages/"
update-mime-database "$XDG_DATA_HOME/mime"
type="$(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$xml")"

"$camtool" demo "$scratch/track.cam" >/dev/null
cp "$scratch/track.cam" "$scratch/track-without-suffix"
printf 'BEST regards,\nthe team\n' >"$scratch/letter"
printf 'POST /index.html HTTP/1.1\r\nHost: example\r\n\r\n' >"$scratch/request"

status=0
expect() {
    local file="$1" claimed="$2" got
    got="$(xdg-mime query filetype "$scratch/$file")"
    if [ "$claimed" = yes ] && [ "$got" != "$type" ]; then
        echo "FAIL: $file is $got, not $type" >&2
        status=1
    elif [ "$claimed" = no ] && [ "$got" = "$type" ]; then
        echo "FAIL: $file claimed as $type" >&2
        status=1
    fi
}
expect track.cam yes
expect track-without-suffix yes
expect letter no
expect request no
exit $status
