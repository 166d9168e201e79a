#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Gives every tracked source, build and script file the licence header: the two
# SPDX lines naming The Vistolarex developers as copyright holders and MIT as the
# licence, in the file's comment style, after a shebang line. Files that have
# them are left as they are, so the script may run again at any time. Data,
# documents and licence texts are covered by .reuse/dep5 instead. Needs reuse
# (Debian package).
set -euo pipefail
cd "$(dirname "$0")/.."

c_style=()
hash_style=()
unknown=()
while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue
    case "$file" in
        LICENSES/* | .reuse/* | data/* | doc/* | *.md) continue ;;
    esac
    grep -q 'SPDX-License-Identifier:' "$file" && continue
    case "$file" in
        *.cpp | *.h) c_style+=("$file") ;;
        *.sh | *.awk | *.cmake | *.supp | */CMakeLists.txt | CMakeLists.txt | .gitignore | .clang-format | .ci/*)
            hash_style+=("$file") ;;
        *) unknown+=("$file") ;;
    esac
done < <(git ls-files -z)

if ((${#unknown[@]})); then
    printf 'no comment style known for: %s\n' "${unknown[@]}" >&2
    exit 1
fi

annotate() {
    reuse annotate --copyright "The Vistolarex developers" --license MIT --exclude-year \
        --copyright-style spdx --template vistolarex "$@" >/dev/null
}
((${#c_style[@]} == 0)) || annotate --style c "${c_style[@]}"
((${#hash_style[@]} == 0)) || annotate --style python "${hash_style[@]}"
echo "headers added: $((${#c_style[@]} + ${#hash_style[@]})) files"
