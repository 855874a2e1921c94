# Debian package of Dunstwerk, made with `cpack -G DEB` in the build folder:
# dunstwerk_<version>_amd64.deb. The files in it are those of the install
# rules (app/CMakeLists.txt), placed under /usr.
#
# Needs dpkg-dev (dpkg-shlibdeps works out the library dependencies from the
# program file) and file (CPack uses it to find the program files).

if(NOT (UNIX AND NOT WIN32 AND NOT APPLE) OR CMAKE_CROSSCOMPILING)
  return()
endif()

set(DUNSTWERK_PAKET_BETREUER "Dunstwerk maintainers <maintainers@dunstwerk.de>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dunstwerk)
set(CPACK_PACKAGE_VENDOR "Dunstwerk maintainers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${DUNSTWERK_PAKET_BETREUER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the state of moist air at 1 bar")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME dunstwerk)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DUNSTWERK_PAKET_BETREUER})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time, so not seen by dpkg-shlibdeps: Liberation Sans stands in
# for the Arial the window asks for, and libqt6svg6 holds the Qt plugins that
# read the SVG icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Dunstwerk computes the state of moist air at a total pressure of 1 bar, for\n"
    "drying technology. From the air temperature with the relative humidity,\n"
    "the wet-bulb temperature or the vapour content it computes dew-point and\n"
    "wet-bulb temperature, relative and absolute humidity, vapour content,\n"
    "density, vapour and saturation pressure, the vapour content at the\n"
    "wet-bulb state, the water uptake capacity and the enthalpy.\n"
    "\n"
    "The program's window is in German.")

include(CPack)
