# cmake --install: the programs in bin/, what they ship in share/kugelo/ (Land/, the win sound, the public
# draw history; the programs find it from bin/ as ../share/kugelo), and the desktop integration: the
# desktop entry, the icon in the hicolor theme and the AppStream metadata.
set(kugelo_app_id example.kugelo.Kugelo)

install(TARGETS kugelo kugelo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(kugelo_share ${CMAKE_INSTALL_DATADIR}/kugelo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Land DESTINATION ${kugelo_share})
install(FILES ${PROJECT_SOURCE_DIR}/data/yippee.wav ${PROJECT_SOURCE_DIR}/data/loto-history.csv
  DESTINATION ${kugelo_share})

foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/kugelo-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${kugelo_app_id}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/kugelo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${kugelo_app_id}.svg)

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${kugelo_app_id}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The desktop entry starts the program by its full path, so that it also works from a prefix outside the
# search path; the path is that of the prefix given to cmake --install.
install(CODE "
  set(kugelo_bindir \"${CMAKE_INSTALL_BINDIR}\")
  if(NOT IS_ABSOLUTE \"\${kugelo_bindir}\")
    set(kugelo_bindir \"\${CMAKE_INSTALL_PREFIX}/\${kugelo_bindir}\")
  endif()
  set(KUGELO_EXEC \"\${kugelo_bindir}/kugelo\")
  set(kugelo_applications \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  if(IS_ABSOLUTE \"${CMAKE_INSTALL_DATADIR}\")
    set(kugelo_applications \"${CMAKE_INSTALL_DATADIR}/applications\")
  endif()
  configure_file(\"${PROJECT_SOURCE_DIR}/data/desktop/${kugelo_app_id}.desktop.in\"
    \"\$ENV{DESTDIR}\${kugelo_applications}/${kugelo_app_id}.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${kugelo_applications}/${kugelo_app_id}.desktop\")
")
