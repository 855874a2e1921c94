# Checks that a package lists its files in the byte order of their names, so
# that the order in which the file system lists a folder, which differs
# between file systems and machines, never reaches its bytes: CPack sorts the
# Debian package's (and its md5sums), cmake/zip-sortieren.cmake the ZIP's.
#
#   cmake -DPAKET=dunstwerk_1.02_amd64.deb -P geordnet.cmake
cmake_minimum_required(VERSION 3.25)
if(PAKET MATCHES "[.]deb$")
  execute_process(COMMAND dpkg-deb --fsys-tarfile ${PAKET} COMMAND tar -t
                  OUTPUT_VARIABLE dateien COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-deb --info ${PAKET} md5sums
                  OUTPUT_VARIABLE summen COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE "(^|\n)[0-9a-f]+  " "\\1" summen "${summen}")
  set(listen dateien summen)
else()
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${PAKET}
                  OUTPUT_VARIABLE dateien COMMAND_ERROR_IS_FATAL ANY)
  set(listen dateien)
endif()
foreach(liste IN LISTS listen)
  string(REGEX REPLACE "/(\n|$)" "\\1" namen "${${liste}}")
  string(STRIP "${namen}" namen)
  string(REPLACE "\n" ";" namen "${namen}")
  set(sortiert ${namen})
  list(SORT sortiert)
  if(NOT namen STREQUAL sortiert)
    message(FATAL_ERROR "${PAKET}: ${liste} not in the order of their names:\n${${liste}}")
  endif()
endforeach()
