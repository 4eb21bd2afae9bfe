# The Debian package (cpack -G DEB, see scripts/package). It registers nothing when installed:
# registration is per user, by `kzdlogsrv register`.
set(CPACK_PACKAGE_NAME kzdlogsrv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Configuration module for a datalog server of remote telemetry stations")
set(CPACK_PACKAGE_DESCRIPTION
    "An in-process module with a COM-shaped interface (libkzdlogsrv.so) that edits the\n\
configuration file of a datalog server, starts the server, sends it commands and reads its\n\
status; its host program kzdlogsrv, a stand-in server for tests and demonstrations, the\n\
headers, CMake package and pkg-config file for hosts, and the manual pages.")
set(CPACK_PACKAGE_CONTACT "kzdlogsrv developers <kzdlogsrv@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_GENERATOR DEB)
include(CPack)
