# What `cmake --install` puts under the prefix:
#
#   bin/recaster, bin/recaster-cfg             the two programs, nothing else
#   share/recaster/Forms/*.TWF                 the sample workforms
#   share/recaster/Config/Sample.cfg           the sample configuration
#   share/recaster/Config/Sample-v2.cfg        the same in the older format
#   share/recaster/help/*.html                 the help pages
#   share/applications/recaster.desktop        the desktop entry
#   share/icons/hicolor/*/apps/recaster.*      the program's icon, SVG and PNG
#   share/mime/packages/recaster.xml           the file type of configurations
#   share/man/man1/recaster.1, recaster-cfg.1  the manual pages
#
# The programs find their data in share/recaster/ relative to bin/ (see
# DataDirectories() in src/base/paths.h), so an installed tree may be moved.
# Libraries, tests and the build's helper programs are not installed. The
# desktop's caches (MIME types, desktop entries, icons) are the package
# manager's business; after installing by hand, see the README.
if(NOT TARGET recaster OR NOT TARGET recaster-cfg)
  return()
endif()

set(RECASTER_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/${RECASTER_DATA_NAME})
set(RECASTER_FULL_DATADIR ${CMAKE_INSTALL_FULL_DATADIR}/${RECASTER_DATA_NAME})
set(staged ${CMAKE_BINARY_DIR}/bin)

install(TARGETS recaster recaster-cfg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Data the build made beside the programs, and the help pages from the source.
install(DIRECTORY ${staged}/Forms/ DESTINATION ${RECASTER_INSTALL_DATADIR}/Forms
  FILES_MATCHING PATTERN "*.TWF")
install(FILES ${staged}/Config/Sample.cfg ${staged}/Config/Sample-v2.cfg
  DESTINATION ${RECASTER_INSTALL_DATADIR}/Config)
file(GLOB help_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/resources/help/*.html)
install(FILES ${help_pages} DESTINATION ${RECASTER_INSTALL_DATADIR}/help)

# The desktop.
set(data ${PROJECT_SOURCE_DIR}/data)
install(FILES ${data}/recaster.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/recaster-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME recaster.xml)
install(FILES ${data}/icons/recaster.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${data}/icons/recaster-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME recaster.png)
endforeach()

# Manual pages: recaster.1 from its template, recaster-cfg.1 made by the build
# from the tool's commands (src/cli/CMakeLists.txt).
configure_file(${data}/recaster.1.in ${CMAKE_BINARY_DIR}/man/recaster.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/man/recaster.1 ${CMAKE_BINARY_DIR}/man/recaster-cfg.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Installs into a temporary prefix and checks the result (cmake/install_test.sh).
add_test(NAME install
  COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/install_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
