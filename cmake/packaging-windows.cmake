# Packages of the Windows program: a ZIP to unpack anywhere, with the
# program and a short German text beside it, and an installer for one user
# that needs no administrator rights. Both hold the console program
# dunstwerk-rechne.exe beside the window's.
#
#   cd build-win && cpack -G "ZIP;NSIS"
#
# gives Dunstwerk-<version>-win64.zip and Dunstwerk-<version>-win64-setup.exe,
# with the time SOURCE_DATE_EPOCH in the ZIP when it is set (the release).
set(CPACK_PACKAGE_NAME Dunstwerk)
set(CPACK_PACKAGE_VENDOR Dunstwerk)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zustand feuchter Luft bei 1 bar")
# The ZIP's name and its top folder; the installer adds "-setup" (below).
set(DUNSTWERK_PAKET Dunstwerk-${PROJECT_VERSION}-win64)
set(DUNSTWERK_INSTALLER ${DUNSTWERK_PAKET}-setup)
set(CPACK_PACKAGE_FILE_NAME ${DUNSTWERK_PAKET})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Dunstwerk)
# One key for every version, so that a newer installer replaces the older.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Dunstwerk)
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_STRIP_FILES ON)

# The text beside the program in the ZIP: what it is, its version, and how to
# check the download's checksum. UTF-8 with a byte order mark and CRLF, so
# that the Notepad of Windows 7 shows the umlauts too. The installer installs
# the program alone.
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/LIESMICH.txt.in LIESMICH.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LIESMICH.txt DESTINATION .)

# The stock NSIS template installs for all users and asks for administrator
# rights; this one installs for the current user only.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
set(CPACK_NSIS_DISPLAY_NAME Dunstwerk)
set(CPACK_NSIS_PACKAGE_NAME Dunstwerk)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/dunstwerk.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/app/dunstwerk.ico)
set(CPACK_DUNSTWERK_PROGRAMM Dunstwerk_340z.exe)
set(CPACK_DUNSTWERK_RECHNER dunstwerk-rechne.exe)
set(CPACK_DUNSTWERK_VERSION_PUNKTE ${DUNSTWERK_VERSION_PUNKTE})
set(CPACK_DUNSTWERK_INSTALLER ${DUNSTWERK_INSTALLER})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/nsis/dateiname.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/zip-sortieren.cmake)

include(CPack)

# Starts the program, or its shortcut, and waits for its window: the package
# checks of the release and the installer test use it under Wine.
add_executable(fenster_pruefen ${PROJECT_SOURCE_DIR}/tests/exe/fenster_pruefen.cpp)
target_compile_definitions(fenster_pruefen PRIVATE UNICODE _UNICODE)
# The installer test (below), beside fenster_pruefen, which it starts.
add_executable(installer_test ${PROJECT_SOURCE_DIR}/tests/exe/installer_test.cpp)
target_compile_definitions(installer_test
  PRIVATE UNICODE _UNICODE DUNSTWERK_VERSION=L"${PROJECT_VERSION}")
dunstwerk_breiter_einstieg(fenster_pruefen installer_test)
target_link_libraries(fenster_pruefen PRIVATE shell32 ole32)

# The packages as a user meets them (label paket; cpack first): the program
# unpacked from the ZIP into a folder with a blank and an umlaut opens its
# window; the installer installs the same program silently, which starts
# from its start-menu entry, and uninstalls without a trace.
set(_entpackt "${CMAKE_BINARY_DIR}/Mein Download ä")
file(MAKE_DIRECTORY ${_entpackt})
set(_zip_programm "${_entpackt}/${DUNSTWERK_PAKET}/Dunstwerk_340z.exe")
string(REPLACE "/" "\\" _zip_programm_win "Z:${_zip_programm}")  # Wine's drive Z: is /
dunstwerk_test(NAME zip_auspacken COMMAND ${CMAKE_COMMAND} -E tar xf ../${DUNSTWERK_PAKET}.zip
  WORKING_DIRECTORY ${_entpackt})
dunstwerk_test(NAME zip_fenster COMMAND fenster_pruefen ${_zip_programm_win})
string(REPLACE "/" "\\" _installer_win "Z:${CMAKE_BINARY_DIR}/${DUNSTWERK_INSTALLER}.exe")
if(DUNSTWERK_REPRODUZIERBAR)  # else cpack strips each package's copy at its own time
  set(_gleich ${_zip_programm_win})
endif()
dunstwerk_test(NAME installer COMMAND installer_test ${_installer_win} ${_gleich})
dunstwerk_test(NAME zip_geordnet COMMAND ${CMAKE_COMMAND} -DPAKET=${CMAKE_BINARY_DIR}/${DUNSTWERK_PAKET}.zip
  -P ${PROJECT_SOURCE_DIR}/cmake/geordnet.cmake)
set_tests_properties(zip_auspacken PROPERTIES FIXTURES_SETUP zip LABELS paket)
set_tests_properties(zip_geordnet PROPERTIES LABELS paket)
# Both open the program's window, which would take the focus from the window tests.
set_tests_properties(zip_fenster installer PROPERTIES FIXTURES_REQUIRED zip LABELS paket
  RESOURCE_LOCK anzeige TIMEOUT 120)
