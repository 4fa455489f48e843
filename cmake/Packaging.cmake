# Desktop integration and the Debian package.
#
#   cmake --install build [--prefix DIR]   program, menu entry, icon, man page
#   (cd build && cpack)                    build/veltrasa_<version>_<arch>.deb
include(GNUInstallDirs)

set(VELTRASA_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

# The menu entry (English and Japanese) and the stopwatch icon. The program
# paints its window icon itself, at 16 and 32 pixels; the same painting is
# written to PNG files for those sizes at build time, and a hand-drawn SVG of
# the same stopwatch serves the larger sizes menus use.
install(FILES ${VELTRASA_DATA_DIR}/veltrasa.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELTRASA_DATA_DIR}/veltrasa.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
add_executable(veltrasa_render_icon tools/render_icon.cpp)
target_link_libraries(veltrasa_render_icon PRIVATE veltrasa_core)
set(VELTRASA_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${VELTRASA_ICON_DIR}/16/veltrasa.png ${VELTRASA_ICON_DIR}/32/veltrasa.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELTRASA_ICON_DIR}/16 ${VELTRASA_ICON_DIR}/32
  COMMAND veltrasa_render_icon 16 ${VELTRASA_ICON_DIR}/16/veltrasa.png 32 ${VELTRASA_ICON_DIR}/32/veltrasa.png
  DEPENDS veltrasa_render_icon
  VERBATIM)
add_custom_target(veltrasa_icons ALL DEPENDS ${VELTRASA_ICON_DIR}/16/veltrasa.png ${VELTRASA_ICON_DIR}/32/veltrasa.png)
foreach(size 16 32)
  install(FILES ${VELTRASA_ICON_DIR}/${size}/veltrasa.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The man page, compressed as Debian installs man pages.
find_program(VELTRASA_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz
  COMMAND ${VELTRASA_GZIP} -9 -n -c ${VELTRASA_DATA_DIR}/veltrasa.1 > ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz
  DEPENDS ${VELTRASA_DATA_DIR}/veltrasa.1
  VERBATIM)
add_custom_target(veltrasa_manpage ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/veltrasa.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrasa)
set(CPACK_PACKAGE_VENDOR "Veltrasa2005")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "record of a cardiopulmonary resuscitation in the emergency department")
set(CPACK_PACKAGE_DESCRIPTION
    "While a team performs cardiopulmonary resuscitation, one person keeps the record by pressing large buttons; each press becomes a time-stamped Japanese row, and five counters show the time since arrival, CPR or the last shock and the last doses. The record is saved as a Shift-JIS text file or printed, and copied to the clipboard.")
set(CPACK_PACKAGE_CONTACT "Veltrasa2005 maintainers <veltrasa@localhost>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries (libqt6widgets6, libqt6printsupport6, libqt6gui6,
# libqt6core6, libqt6dbus6), X11 and the C++ runtime come from
# dpkg-shlibdeps, and libcups2 comes with Qt's print support. What the
# binary does not link but uses at run time is named here: the fonts
# standing in for the window's Windows fonts, Qt's Japanese translations of
# its dialogs, and xclip, which keeps the report on the clipboard after the
# program has ended where no clipboard manager takes it (a Depends, not a
# Recommends: without it the report is lost on such desktops, and installs
# without recommended packages are common on ward PCs).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-lato, qt6-translations-l10n, xclip")
include(CPack)
