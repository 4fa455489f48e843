# Desktop integration and the Debian package.
#
#   cmake --install build [--prefix DIR]   program, menu entry, icon, man page,
#                                          software-centre entry, changelog, copyright
#   (cd build && cpack)                    build/veltrasa_<version>_<arch>.deb
include(GNUInstallDirs)

set(VELTRASA_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

# The menu entry (English and Japanese) and the stopwatch icon, the same
# SVG the program shows as its window icon (src/CMakeLists.txt).
install(FILES ${VELTRASA_DATA_DIR}/veltrasa.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELTRASA_DATA_DIR}/veltrasa.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The man page, compressed as Debian installs man pages.
find_program(VELTRASA_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz
  COMMAND ${VELTRASA_GZIP} -9 -n -c ${VELTRASA_DATA_DIR}/veltrasa.1 > ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz
  DEPENDS ${VELTRASA_DATA_DIR}/veltrasa.1
  VERBATIM)
add_custom_target(veltrasa_manpage ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Who answers for the package: the Maintainer field and the changelog's
# signature. Set it to the team that builds the package for its wards:
#   cmake --preset default -DVELTRASA_MAINTAINER="Name <address>"
set(VELTRASA_MAINTAINER "Veltrasa2005 maintainers <maintainers@users.noreply.c-seed-7a8e9ef4.example>"
    CACHE STRING "The package's maintainer, as Name <address>")

# The entry software centres list the program by (AppStream), with this
# version and its date among the releases.
set(VELTRASA_APPSTREAM_ID org.veltrasa2005.veltrasa)
configure_file(${VELTRASA_DATA_DIR}/veltrasa.metainfo.xml.in ${VELTRASA_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VELTRASA_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The licences (data/copyright), and the changelog compressed as Debian
# keeps a native package's changelog.
execute_process(COMMAND date -u -R -d ${VELTRASA_RELEASE_DATE} OUTPUT_VARIABLE VELTRASA_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${VELTRASA_DATA_DIR}/changelog.in changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND ${VELTRASA_GZIP} -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/changelog > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(veltrasa_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
set(VELTRASA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/veltrasa)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${VELTRASA_DATA_DIR}/copyright DESTINATION ${VELTRASA_DOC_DIR})

# A stripped install (cpack strips) also drops the compiler's .comment
# section, as Debian's packages do; the debug information stays in the
# build tree's program.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                          \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/veltrasa COMMAND_ERROR_IS_FATAL ANY)
endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrasa)
set(CPACK_PACKAGE_VENDOR "Veltrasa2005")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "record of a cardiopulmonary resuscitation in the emergency department")
# Wrapped as Debian's control files are read (lines under 80 columns).
set(CPACK_PACKAGE_DESCRIPTION
    "While a team performs cardiopulmonary resuscitation, one person keeps the
record by pressing large buttons; each press becomes a time-stamped Japanese
row, and five counters show the time since arrival, CPR or the last shock and
the last doses. The record is saved as a Shift-JIS text file or printed, and
copied to the clipboard.")
set(CPACK_PACKAGE_CONTACT "${VELTRASA_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries (libqt6widgets6, libqt6printsupport6, libqt6gui6,
# libqt6core6, libqt6dbus6), X11 and the C++ runtime come from
# dpkg-shlibdeps, and libcups2 comes with Qt's print support. What the
# binary does not link but uses at run time is named here: the fonts
# standing in for the window's Windows fonts, Qt's Japanese translations of
# its dialogs, Qt's SVG icon engine that draws the window's icon, and xclip, which keeps the report on the clipboard after the
# program has ended where no clipboard manager takes it (a Depends, not a
# Recommends: without it the report is lost on such desktops, and installs
# without recommended packages are common on ward PCs).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-lato, qt6-translations-l10n, libqt6svg6, xclip")
# Japanese is typed into a correction through an input method with a Qt 6
# module: ibus (whose module is part of libqt6gui6) with Mozc, or fcitx5 with
# Mozc and its Qt 6 frontend. Debian's Japanese desktop task installs uim
# outside GNOME, which Qt 6 cannot use. The two clauses read "ibus-mozc, or
# both fcitx5 packages": where neither is installed apt adds fcitx5, which
# im-config's automatic choice prefers to uim, and where fcitx5 lacks only
# its Qt 6 frontend apt adds that.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fcitx5-mozc | ibus-mozc, fcitx5-frontend-qt6 | ibus-mozc")
include(CPack)
