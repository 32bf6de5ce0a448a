# Installs the programs, the desktop entry with its icon, the sample recordings and the README.
include(GNUInstallDirs)

if(TARGET kestrion-cli)
  install(TARGETS kestrion-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(TARGET kestrion-demo)
  install(TARGETS kestrion-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/resources/kestrion-demo.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kestrion-demo.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/samples/receiver-38400.bin ${PROJECT_SOURCE_DIR}/samples/simulator-drive.bin
              ${PROJECT_SOURCE_DIR}/samples/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrion-demo/samples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrion-demo)
