# Writes the chart of a fixed series with diagramm_muster and compares it
# byte for byte with the file committed in gleich/; the Linux and the Windows
# build run the same comparison. Lists come with "|" for ";".
#
#   cmake -DPROGRAMM=... [-DEMULATOR=...] -DBEREICH=klima -DREIHE=kurz
#         -DERWARTET=gleich/klima-kurz.svg -DAUSGABE=out.svg -P gleich.cmake
#
# After a deliberate change of the chart, write the files anew with the
# Linux build: GLEICH_NEU=1 ctest --preset default -R diagramm_gleich
cmake_minimum_required(VERSION 3.22)
string(REPLACE "|" ";" emulator "${EMULATOR}")
execute_process(COMMAND ${emulator} ${PROGRAMM} ${BEREICH} ${REIHE} ${AUSGABE}
  RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${PROGRAMM} ${BEREICH} ${REIHE} ended with ${status}")
endif()
if(DEFINED ENV{GLEICH_NEU})
  file(COPY_FILE ${AUSGABE} ${ERWARTET})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${AUSGABE} ${ERWARTET}
  RESULT_VARIABLE verschieden)
if(verschieden)
  message(FATAL_ERROR "${AUSGABE} differs from ${ERWARTET}")
endif()
