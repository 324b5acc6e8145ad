# Installation (cmake --install, make install) and the Debian package.
#   <prefix>/lib/vst/sorel.so           where Linux hosts look for VST 2 plug-ins
#   <prefix>/bin/sorel-render           finds the plug-in as ../lib/vst/sorel.so
#   <prefix>/share/man/man1/            sorel-render.1.gz, made from its --help
#   <prefix>/share/doc/sorel/           README.md, the pages the about view links to, LICENSE
if(WIN32)
  return()  # the Windows DLLs travel in the zip built by cmake/windows-zip
endif()
include(GNUInstallDirs)

install(TARGETS sorel LIBRARY DESTINATION lib/vst)
install(TARGETS sorel-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/sorel-render.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/doc/credits.md ${PROJECT_SOURCE_DIR}/doc/editor.md
              ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/sorel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorel)
set(CPACK_PACKAGE_VENDOR "The Sorel developers")
set(CPACK_PACKAGE_CONTACT "The Sorel developers <sorel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stereo mastering processor (VST 2.4 plug-in) and sorel-render, its command-line host")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
