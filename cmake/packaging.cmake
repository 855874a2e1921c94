# Debian package of Dunstwerk: dunstwerk_<version>_<architecture>.deb, made
# from the install rules (app/CMakeLists.txt) placed under /usr.
#
#   cmake --build build --target deb      (or scripts/deb-packen.sh build)
#
# dpkg-deb packs it from a staged tree, with the files' times set to
# SOURCE_DATE_EPOCH (the time of the last commit unless given) and root as
# owner, so that the same sources give the same package. Needs dpkg-dev:
# dpkg-shlibdeps works out the library dependencies from the program file.
#
# This writes the control file the script completes: the architecture, the
# installed size and the libraries the program links are known only once
# the program is built. "Zusaetzlich" lists packages the program needs
# besides those; the script adds them to Depends.

if(NOT (UNIX AND NOT WIN32 AND NOT APPLE) OR CMAKE_CROSSCOMPILING)
  return()
endif()

# Found at run time, so not seen by dpkg-shlibdeps: Liberation Sans stands in
# for the Arial the window asks for, and libqt6svg6 holds the Qt plugins that
# read the SVG icon.
set(_zusaetzlich "fonts-liberation, libqt6svg6")
string(CONCAT _beschreibung
    "calculator for the state of moist air at 1 bar\n"
    " Dunstwerk computes the state of moist air at a total pressure of 1 bar, for\n"
    " drying technology. From the air temperature with the relative humidity,\n"
    " the wet-bulb temperature or the vapour content it computes dew-point and\n"
    " wet-bulb temperature, relative and absolute humidity, vapour content,\n"
    " density, vapour and saturation pressure, the vapour content at the\n"
    " wet-bulb state, the water uptake capacity and the enthalpy.\n"
    " .\n"
    " The program's window is in German.\n")
# DUNSTWERK_PAKET_BETREUER: set in app/CMakeLists.txt, which also writes the
# package's changelog with it.
file(WRITE ${CMAKE_BINARY_DIR}/deb/control.in
  "Package: dunstwerk\n"
  "Version: ${PROJECT_VERSION}\n"
  "Architecture: %ARCHITEKTUR%\n"
  "Maintainer: ${DUNSTWERK_PAKET_BETREUER}\n"
  "Installed-Size: %GROESSE%\n"
  "Depends: %BIBLIOTHEKEN%\n"
  "Zusaetzlich: ${_zusaetzlich}\n"
  "Section: science\n"
  "Priority: optional\n"
  "Description: ${_beschreibung}")

add_custom_target(deb
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/deb-packen.sh ${CMAKE_BINARY_DIR}
  COMMENT "Debian package in ${CMAKE_BINARY_DIR}"
  VERBATIM)
add_dependencies(deb Dunstwerk_340z dunstwerk-rechne)
