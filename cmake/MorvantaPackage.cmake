# Install rules and the Debian package (cpack -G DEB in the build folder).
include(GNUInstallDirs)
foreach(program IN ITEMS morvanta morvanta-run morvanta-cli morvanta-xref)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
if(NOT WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvanta.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvanta.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME morvanta)
set(CPACK_PACKAGE_VENDOR "Morvanta developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Receive, edit and send back elements of 2200 program files over FTP job files")
set(CPACK_PACKAGE_CONTACT "Morvanta developers <morvanta@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
include(CPack)
