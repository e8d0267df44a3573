# Installation: the names everything installed goes by, and every install
# rule, in one place. Included from the top level after the program's target
# exists and before the tests, which check what these rules put in place.
# The Debian package (debian/) installs through these same rules.

set(PYRAMID_APP_ID io.github.jinko_pyramid.jinko_pyramid)   # AppStream id and desktop file name
set(PYRAMID_EXECUTABLE jinko-pyramid)                        # installed program
set(PYRAMID_PACKAGE_NAME jinko-pyramid)                      # documentation folder, package
set(PYRAMID_ICON_NAME jinko-pyramid)                         # icon theme name
set(PYRAMID_ICON_SIZES 16 24 32 48 64 128 256)               # PNG sizes in pixels
set(PYRAMID_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${PYRAMID_PACKAGE_NAME})

if(NOT PYRAMID_WITH_QT)
  return()
endif()

# The program's start-up (in pyramid_app) names its desktop entry itself, so
# Wayland desktops match its window to the entry and the icon.
target_compile_definitions(pyramid_app PRIVATE PYRAMID_APP_ID="${PYRAMID_APP_ID}")
# Every library it links is the system's own, found without a run path (Qt's
# project set-up would add $ORIGIN ones for libraries installed beside it).
set_target_properties(jinko-pyramid PROPERTIES INSTALL_RPATH "")
install(TARGETS jinko-pyramid RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The icon: the scalable source, and PNGs rendered from it at build time
# (packaging/icons.cmake), so every size is drawn for its size instead of
# enlarged from a smaller one.
set(icon_files)
if(PYRAMID_WITH_ICONS)
  foreach(size IN LISTS PYRAMID_ICON_SIZES)
    set(png ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}/${PYRAMID_ICON_NAME}.png)
    pyramid_render_icon(${size} ${png})
    list(APPEND icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  set(PYRAMID_ICON_SIZES)
endif()
add_custom_target(application_icons ALL DEPENDS ${icon_files})
install(FILES ${PYRAMID_ICON_SOURCE}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
        RENAME ${PYRAMID_ICON_NAME}.svg)

# The population library the program starts in (the desktop entry's Path).
set(PYRAMID_INSTALLED_LIBRARY_DIR ${CMAKE_INSTALL_FULL_DATADIR}/${PYRAMID_PACKAGE_NAME})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/${PYRAMID_PACKAGE_NAME})

# Desktop entry and AppStream metainfo.
configure_file(${PROJECT_SOURCE_DIR}/packaging/jinko-pyramid.desktop.in
               ${PROJECT_BINARY_DIR}/packaging/${PYRAMID_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/jinko-pyramid.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${PYRAMID_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${PYRAMID_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
# The prefix may change at install time (`cmake --install --prefix`, the
# package's /usr): the entry's Path follows the library to where it landed.
install(CODE "
  set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/applications/${PYRAMID_APP_ID}.desktop\")
  file(READ \"\${entry}\" text)
  string(REGEX REPLACE \"\nPath=[^\n]*\" \"\nPath=\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/${PYRAMID_PACKAGE_NAME}\" text \"\${text}\")
  file(WRITE \"\${entry}\" \"\${text}\")")
install(FILES ${PROJECT_BINARY_DIR}/packaging/${PYRAMID_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

# The manual page, in English and Japanese; man finds the Japanese one under
# man/ja for a Japanese locale.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/man/jinko-pyramid.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/man/jinko-pyramid.ja.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1 RENAME jinko-pyramid.1)

# Documentation: the README and the Japanese guide with their pictures, in
# the same relative places as in the source tree so their links hold.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${PYRAMID_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/main-window.png ${PROJECT_SOURCE_DIR}/docs/pyramid-analysis.png
        DESTINATION ${PYRAMID_DOC_DIR}/docs)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ja DESTINATION ${PYRAMID_DOC_DIR}/docs
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
# The licence, as the copyright file Debian systems keep for every package
# (the Debian package replaces it with its machine-readable debian/copyright).
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${PYRAMID_DOC_DIR} RENAME copyright)
