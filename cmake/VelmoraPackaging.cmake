# A Debian package: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <info@velmora.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess clock for two players")
# Debian's control file wants lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [[Velmora shows the remaining times of White and Black in one window.
Each player ends a move with their own key or mouse button, which hands
the running clock to the opponent. The time control, the language
(English or German), the sound cues and the keys are chosen in dialogs
and kept per user.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora.example.org")
# The linked libraries are found by dpkg-shlibdeps. Loaded at run time and
# not linked: Qt's SVG image plugin draws the about dialog's pictures, Qt's X11
# plugin takes libXcursor for the desktop's cursor theme (the links' hand),
# and the Liberation fonts give the clock's Arial its metrics.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libxcursor1, fonts-liberation")
# Debian keeps the commands of games in /usr/games.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianGamesFolder.cmake)

include(CPack)
