# Runs dunstwerk-rechne on one of the files here, reading standard input, and
# compares what it writes byte for byte with the output committed beside it.
# The Linux and the Windows build run the same comparison, so both give the
# same bytes. Lists come with "|" for ";".
#
#   cmake -DPROGRAMM=... [-DEMULATOR=wine-run.sh|PREFIX] -DEINGABE=rf.csv
#         -DOPTIONEN=--dezimalkomma -DERWARTET=rf.komma.csv -DAUSGABE=out.csv -P gleich.cmake
#
# After a deliberate change of the digits, write the expected files anew with
# the Linux program: GLEICH_NEU=1 ctest --preset default -R rechne_gleich
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" optionen "${OPTIONEN}")
execute_process(COMMAND ${emulator} ${PROGRAMM} ${optionen}
  INPUT_FILE ${EINGABE} OUTPUT_FILE ${AUSGABE} RESULT_VARIABLE status)
# Every file has rows with errors: status 1.
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "${PROGRAMM} ${optionen} < ${EINGABE} ended with ${status}, not 1")
endif()
if(DEFINED ENV{GLEICH_NEU})
  file(COPY_FILE ${AUSGABE} ${ERWARTET})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${AUSGABE} ${ERWARTET}
  RESULT_VARIABLE verschieden)
if(verschieden)
  message(FATAL_ERROR "${AUSGABE} differs from ${ERWARTET}")
endif()
