# The Debian package, made by CPack (scripts/package). Qt's libraries are
# found by dpkg-shlibdeps; what the program loads as plugins is named here:
# the platform plugins for a display and the SVG icon engine (our icons and
# the icon themes are SVG). The desktop's caches are brought up to date by
# the triggers of shared-mime-info, desktop-file-utils and the icon cache.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME recaster)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of Recaster II import configuration files")
set(CPACK_PACKAGE_DESCRIPTION "\
Recaster II imports bibliographic records downloaded from online databases
into a reference manager. A configuration file (.cfg) tells it how to read
one family of downloaded files. This package holds the desktop editor of
those files, recaster, and the command-line tool recaster-cfg.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
if(NOT CPACK_DEBIAN_PACKAGE_MAINTAINER)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Recaster II developers <recaster@example.org>")
endif()
include(CPack)
