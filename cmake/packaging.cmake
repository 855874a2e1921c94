# Debian package of Dunstwerk: dunstwerk_<version>_<architecture>.deb, made
# by CPack from every install() rule, placed under /usr.
#
#   cpack --preset deb        (or: cd build && cpack -G DEB)
#
# The same sources give the same bytes when SOURCE_DATE_EPOCH is set (the
# release sets it to the commit's time) and the umask is 022: CPack takes the
# files' times from it, makes root their owner, and packs in one thread.
# dpkg-shlibdeps (dpkg-dev) works out the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dunstwerk)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time, so not seen by dpkg-shlibdeps: Liberation Sans stands in
# for the Arial the window asks for. (libqt6svg6, whose plugins read the SVG
# icon, is named already: the window links Qt SVG.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DUNSTWERK_PAKET_BETREUER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the state of moist air at 1 bar")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Dunstwerk computes the state of moist air at a total pressure of 1 bar, for\n"
    "drying technology. From the air temperature with the relative humidity,\n"
    "the wet-bulb temperature or the vapour content it computes dew-point and\n"
    "wet-bulb temperature, relative and absolute humidity, vapour content,\n"
    "density, vapour and saturation pressure, the vapour content at the\n"
    "wet-bulb state, the water uptake capacity and the enthalpy.\n"
    "\n"
    "The program's window is in German.")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                OUTPUT_STRIP_TRAILING_WHITESPACE)
include(CPack)

# The package as a user meets it (label paket; cpack first): lintian (errors
# fail), the AppStream metadata, the desktop entry (any line it prints is a
# fault), its library dependencies, and a start of the program as unpacked
# from it, which must still run after two seconds.
enable_testing()
set(_deb ${CMAKE_BINARY_DIR}/dunstwerk_${PROJECT_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb)
set(_aus ${CMAKE_BINARY_DIR}/deb-entpackt)
set(_id de.dunstwerk.Dunstwerk)
add_test(NAME deb_auspacken COMMAND sh -c "rm -rf \"$1\" && dpkg-deb -x \"$0\" \"$1\"" ${_deb} ${_aus})
# lintian loses files under a path with letters beyond ASCII, as TMPDIR may have.
add_test(NAME deb_lintian COMMAND lintian --fail-on error --tag-display-limit 0 ${_deb})
set_tests_properties(deb_lintian PROPERTIES ENVIRONMENT TMPDIR=/tmp)
add_test(NAME deb_abhaengigkeiten COMMAND dpkg-deb --field ${_deb} Depends)
set_tests_properties(deb_abhaengigkeiten PROPERTIES
  PASS_REGULAR_EXPRESSION "fonts-liberation.*libqt6svg6.*libqt6widgets6")
add_test(NAME deb_appstream COMMAND ${CMAKE_COMMAND} -DDATEI=${_aus}/usr/share/metainfo/${_id}.metainfo.xml
  -P ${PROJECT_SOURCE_DIR}/cmake/appstream-pruefen.cmake)
add_test(NAME deb_desktop COMMAND desktop-file-validate ${_aus}/usr/share/applications/${_id}.desktop)
set_tests_properties(deb_desktop PROPERTIES FAIL_REGULAR_EXPRESSION ".")
# 124: still running when timeout ended it, as a window program should be.
add_test(NAME deb_start COMMAND sh -c "timeout 2 \"$0\"; test $? -eq 124" ${_aus}/usr/bin/Dunstwerk_340z)
set_tests_properties(deb_start PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen FAIL_REGULAR_EXPRESSION
  "shared librar|shared object|cannot load|could not (load|find)|plugin|not found")
add_test(NAME deb_geordnet COMMAND ${CMAKE_COMMAND} -DPAKET=${_deb}
  -P ${PROJECT_SOURCE_DIR}/cmake/geordnet.cmake)
set_tests_properties(deb_auspacken PROPERTIES FIXTURES_SETUP deb LABELS paket)
set_tests_properties(deb_lintian deb_abhaengigkeiten deb_appstream deb_desktop deb_start deb_geordnet
  PROPERTIES LABELS paket)
set_tests_properties(deb_appstream deb_desktop deb_start PROPERTIES FIXTURES_REQUIRED deb)
