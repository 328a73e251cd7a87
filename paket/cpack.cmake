# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a configured build folder
# (./build.sh package does that with the preset "paket").
set(CPACK_PACKAGE_NAME zifferon)
set(CPACK_PACKAGE_VENDOR "Nordhain")
set(CPACK_PACKAGE_CONTACT "Zifferon <dev@zifferon.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Lernprogramm für klassische Verschlüsselungsverfahren")
set(CPACK_PACKAGE_DESCRIPTION
    "Zifferon ver- und entschlüsselt Texte mit klassischen Verfahren wie
Caesar, ROT13, Matrix-Transposition und Vigenère und zeigt in
Demonstrationen Schritt für Schritt, wie sie arbeiten. Gedacht für den
Unterricht in der Schule; die Oberfläche ist deutsch.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries come from dpkg-shlibdeps; the fonts and Qt's German labels are
# looked up at run time, so no linker sees them. FreeFont draws the stand-ins
# of control bytes (U+2400…), which no Liberation font has.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-freefont-ttf")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The windows' SVG icons are drawn by Qt's SVG plug-ins, which no linker sees either.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
