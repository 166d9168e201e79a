# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# The Debian package: cpack -G DEB in a build folder (scripts/package.sh). Its
# dependencies come from the shared libraries the programs link (dpkg-shlibdeps);
# the desktop database, the MIME database and the icon cache are brought up to
# date by the triggers of the packages that own them, so no maintainer scripts.
set(CPACK_PACKAGE_NAME vistolarex)
set(CPACK_PACKAGE_VENDOR "The Vistolarex developers")
set(CPACK_PACKAGE_CONTACT "The Vistolarex developers <vistolarex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the track-camera files of GPL")
# One line each, as the control file wants them short.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Vistolarex edits the track-camera files (.cam) of the racing simulation"
    "GPL: the two TV camera sets and the pitlane camera of a track, every value"
    "shown as a readable quantity and written back bit for bit."
    "A remote control starts the game under Wine, replays a recorded click"
    "script into it and takes it back out on F5. The command-line tool camtool"
    "dumps, imports, checks and compares camera files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Wine runs the game; xdg-open hands the manual to the browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, xdg-utils")
include(CPack)
