# Installation and packages: `cmake --install` puts the program, the command-line tool, the help,
# the shipped history and amounts, the demo slip, a desktop entry, icons and AppStream metadata
# in place; `cpack` makes a Debian package and a self-extracting installer (Kugelwerk-*.sh),
# the file the online update fetches and starts on Linux.
include(GNUInstallDirs)

# Files that lie beside the program in a build folder go to share/kugelwerk/ (Windows: beside it);
# the program looks in both places.
if(WIN32)
  set(KW_SHARE_DIR ${CMAKE_INSTALL_BINDIR})
else()
  set(KW_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/kugelwerk)
endif()

if(TARGET kugelwerk-cli)
  install(TARGETS kugelwerk-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/Demo.emt DESTINATION ${KW_SHARE_DIR})
if(TARGET kw_shipped_data)
  install(FILES ${CMAKE_BINARY_DIR}/GZahlen.emz ${CMAKE_BINARY_DIR}/EMQuoten.emq DESTINATION ${KW_SHARE_DIR})
endif()

if(KW_BUILD_UI)
  install(TARGETS kugelwerk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/Kugelwerk.qch ${CMAKE_BINARY_DIR}/Kugelwerk.qhc DESTINATION ${KW_SHARE_DIR})
  if(UNIX)
    set(KW_APP_ID de.kugelwerk.Kugelwerk)
    install(FILES ${CMAKE_SOURCE_DIR}/data/linux/${KW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/data/linux/${KW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${CMAKE_SOURCE_DIR}/data/linux/${KW_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # The PNG sizes are rendered from the SVG at build time.
    find_package(Qt6 REQUIRED COMPONENTS Svg)
    add_executable(kw_render_icons ${CMAKE_SOURCE_DIR}/tools/icons/render_icons.cpp)
    target_link_libraries(kw_render_icons PRIVATE kw_common Qt6::Gui Qt6::Svg)
    set(KW_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
    add_custom_command(
      OUTPUT ${KW_ICON_DIR}/256x256/${KW_APP_ID}.png
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:kw_render_icons>
              ${CMAKE_SOURCE_DIR}/data/linux/${KW_APP_ID}.svg ${KW_ICON_DIR}
      DEPENDS kw_render_icons ${CMAKE_SOURCE_DIR}/data/linux/${KW_APP_ID}.svg
      COMMENT "Programmsymbol in allen Größen"
      VERBATIM)
    add_custom_target(kw_icons ALL DEPENDS ${KW_ICON_DIR}/256x256/${KW_APP_ID}.png)
    foreach(size 16 24 32 48 64 128 256)
      install(FILES ${KW_ICON_DIR}/${size}x${size}/${KW_APP_ID}.png
              DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
  endif()
endif()

if(UNIX)
  # What a Debian package must carry besides the program.
  set(KW_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/changelog.gz)
  add_custom_command(
    OUTPUT ${KW_CHANGELOG_GZ}
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/data/linux/changelog > ${KW_CHANGELOG_GZ}
    DEPENDS ${CMAKE_SOURCE_DIR}/data/linux/changelog)
  add_custom_target(kw_changelog ALL DEPENDS ${KW_CHANGELOG_GZ})
  install(FILES ${CMAKE_SOURCE_DIR}/data/linux/copyright ${KW_CHANGELOG_GZ}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kugelwerk)
endif()

set(CPACK_PACKAGE_NAME kugelwerk)
set(CPACK_PACKAGE_VENDOR "Kugelwerk")
set(CPACK_PACKAGE_CONTACT "Kugelwerk <info@kugelwerk-lotto.de>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EuroMillions draws, prize amounts and tip rows")
set(CPACK_PACKAGE_DESCRIPTION "Kugelwerk keeps the history of every EuroMillions draw and the prize amounts,
evaluates your tip rows against any draw or period to the cent, shows number
statistics, builds tip rows and prints them onto betting slips. Its user
interface is German.")
set(CPACK_PACKAGE_FILE_NAME Kugelwerk-${PROJECT_VERSION}-Linux)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/data/linux/copyright)
set(CPACK_GENERATOR DEB STGZ)
set(CPACK_STRIP_FILES ON)
# The self-extracting installer unpacks into the prefix it is given, without a versioned subfolder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_DEBIAN_PACKAGE_NAME kugelwerk)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs in German and the help viewer's SQLite driver come as plugins and
# translations, which the library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libqt6sql6-sqlite")
include(CPack)
