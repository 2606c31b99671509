# What `cmake --install` and the package put where. The program finds its
# shipped folders in <prefix>/share/keepsake relative to its own folder
# (ProgramPaths), so the tree must keep bin/ and share/ side by side.
include(GNUInstallDirs)

set(KEEPSAKE_INSTALL_SHIPPEDDIR ${CMAKE_INSTALL_DATADIR}/keepsake)

# Only what a user starts; the build tools and the tests stay in the build.
install(TARGETS keepsake keepsake-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The shipped folders come from the sources, not from build/bin, where a
# program run from the build may have written the user's settings.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/shipped/
  DESTINATION ${KEEPSAKE_INSTALL_SHIPPEDDIR})
# The two databases are made by the build from the schema in the code.
install(FILES ${CMAKE_BINARY_DIR}/bin/DataViaBase/Keepsake.mdb
  DESTINATION ${KEEPSAKE_INSTALL_SHIPPEDDIR}/DataViaBase)
install(FILES "${CMAKE_BINARY_DIR}/bin/我的知识库/Keepsake.mdb"
  DESTINATION "${KEEPSAKE_INSTALL_SHIPPEDDIR}/我的知识库")

set(icons ${PROJECT_SOURCE_DIR}/resources/icons)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${icons}/hicolor/${size}x${size}/apps/keepsake.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${icons}/keepsake.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop}/io.github.keepsake.keepsake.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/io.github.keepsake.keepsake.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
