# The Debian package of what cmake/Install.cmake installs, under /usr:
# cd build/release && cpack -G DEB writes kestrion-demo_<version>_amd64.deb. Its library
# dependencies come from the programs (dpkg-shlibdeps, in dpkg-dev); the Qt plugin it loads
# (the SVG icon engine) is named by hand.
set(CPACK_PACKAGE_NAME kestrion-demo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kestrion")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Evaluation console for Kestrion GPS receivers")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kestrion-demo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrion Demo developers <kestrion-demo@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "kestrion-demo decodes everything a Kestrion receiver sends on its serial line (its binary
protocol and NMEA 0183), shows it live in its views, logs it as text, and sends
configuration, poll and reset commands built in dialogs. kestrion-cli runs the same
engine without a window and simulates a receiver on a pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(KESTRION_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
endif()
include(CPack)
