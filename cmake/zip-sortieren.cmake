# Run by cpack after each package (CPACK_POST_BUILD_SCRIPTS): writes the ZIP
# anew with its files in the byte order of their names. CPack adds them in
# the order the file system lists a folder, which differs between file
# systems and machines, and the ZIP's bytes with it; the entries themselves
# (times, permissions) come out as CPack writes them. Folders are left to
# the files' paths, as the ZIP has none of its own.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()
file(GLOB_RECURSE dateien RELATIVE ${CPACK_TOPLEVEL_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
list(SORT dateien)
list(JOIN dateien "\n" liste)
file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/zip-inhalt.txt "${liste}\n")
foreach(zip IN LISTS CPACK_PACKAGE_FILES)
  file(REMOVE ${zip})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip --files-from=zip-inhalt.txt
                  WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
