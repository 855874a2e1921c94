# Read by cpack for each generator: the installer is
# Dunstwerk-<version>-win64-setup.exe beside the ZIP Dunstwerk-<version>-win64.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_DUNSTWERK_INSTALLER})
endif()
