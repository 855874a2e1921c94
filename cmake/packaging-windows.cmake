# Packages of the Windows program: a ZIP to unpack anywhere, and an
# installer for one user that needs no administrator rights.
#
#   cd build-win && cpack -G "ZIP;NSIS"
set(CPACK_PACKAGE_NAME Dunstwerk)
set(CPACK_PACKAGE_VENDOR Dunstwerk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zustand feuchter Luft bei 1 bar")
# Also the installer test looks for this name.
set(DUNSTWERK_PAKET Dunstwerk-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${DUNSTWERK_PAKET})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Dunstwerk)
# One key for every version, so that a newer installer replaces the older.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Dunstwerk)
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_STRIP_FILES ON)

# The stock NSIS template installs for all users and asks for administrator
# rights; this one installs for the current user only.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
set(CPACK_NSIS_DISPLAY_NAME Dunstwerk)
set(CPACK_NSIS_PACKAGE_NAME Dunstwerk)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/dunstwerk.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/app/dunstwerk.ico)
set(CPACK_DUNSTWERK_PROGRAMM Dunstwerk_340z.exe)

include(CPack)
