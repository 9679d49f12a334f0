# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop side of the game: icon theme, desktop entry, AppStream data and the
# Debian package.

# The icon theme's bitmaps are rendered at build time (cmake/pictures.cmake).
foreach(size 16 32 48 128)
  install(FILES ${ZNDL_RENDERED_DIR}/icons/${size}/zandoodle.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# The group editor's icon, one drawing for every size.
set(ZNDL_EDITOR_ICON_PNGS)
foreach(size 16 32 48 128)
  set(png ${ZNDL_RENDERED_DIR}/icons/${size}/zandoodle-editor.png)
  zndl_render(${PROJECT_SOURCE_DIR}/assets/art/editor_icon.svg ${png} ${size} ${size})
  list(APPEND ZNDL_EDITOR_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(zndl_icons ALL DEPENDS ${ZNDL_ICON_PNGS} ${ZNDL_EDITOR_ICON_PNGS})
install(FILES assets/art/icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME zandoodle.svg)
install(FILES assets/art/editor_icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME zandoodle-editor.svg)
install(FILES assets/desktop/zandoodle.desktop assets/desktop/zandoodle-editor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/desktop/example.vormle.Zandoodle.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES docs/question-groups.md docs/importing-groups.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual pages and the changelog, compressed the way Debian wants them: gzip -9
# without a name or time stamp, so every build gives the same bytes.
find_program(ZNDL_GZIP gzip REQUIRED)
set(ZNDL_GZIPPED)
foreach(page zandoodle zandoodle-launcher zandoodle-check zandoodle-editor)
  set(gz ${PROJECT_BINARY_DIR}/man/${page}.6.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${ZNDL_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/docs/man/${page}.6 > ${gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.6
    COMMENT "Compressing the manual page ${page}(6)")
  list(APPEND ZNDL_GZIPPED ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()
set(changelog_gz ${PROJECT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
  OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
  COMMAND ${ZNDL_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog_gz}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the changelog")
list(APPEND ZNDL_GZIPPED ${changelog_gz})
add_custom_target(zndl_gzipped ALL DEPENDS ${ZNDL_GZIPPED})
# Debian's machine-readable copyright file; a native package's changelog.gz.
install(FILES packaging/copyright ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB builds zandoodle_4.2_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zandoodle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vormle Co. <zandoodle@vormle.example>")
set(CPACK_PACKAGE_VENDOR "Vormle Co.")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player party quiz show where the loser's pet meets an anvil")
set(CPACK_PACKAGE_DESCRIPTION
    "Two contestants answer multiple-choice questions in turn against a countdown,\n hosted by Pembril the penguin. The loser's pet meets an anvil; the winner\n takes a prize. Ships sample question groups, a group checker and a group\n editor that also exchange groups with spreadsheets and import the Open\n Trivia Database's questions.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# FluidSynth and SDL are loaded with dlopen(), where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6svg6, libfluidsynth3, libsdl2-2.0-0, timgm6mb-soundfont | fluid-soundfont-gm, fonts-dejavu-core, fonts-liberation2")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
