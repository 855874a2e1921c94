# Runs a program and compares the file it wrote byte for byte with one
# committed beside the tests; the Linux and the Windows build run the same
# comparison, so both give the same bytes. Lists come with "|" for ";".
#
#   cmake -DPROGRAMM=... [-DEMULATOR=wine-run.sh|PREFIX] [-DARGUMENTE=a|b]
#         [-DEINGABE=in.csv] [-DSTANDARDAUSGABE=ON] -DSTATUS=1
#         -DERWARTET=expected -DAUSGABE=written -P gleich.cmake
#
# EINGABE is the program's standard input; with STANDARDAUSGABE its
# standard output is AUSGABE, else the program writes AUSGABE itself (the
# arguments name it). After a deliberate change, write the expected files
# anew with the Linux program: GLEICH_NEU=1 ctest --preset default -R gleich
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" argumente "${ARGUMENTE}")
set(umleitung)
if(EINGABE)
  list(APPEND umleitung INPUT_FILE ${EINGABE})
endif()
if(STANDARDAUSGABE)
  list(APPEND umleitung OUTPUT_FILE ${AUSGABE})
endif()
execute_process(COMMAND ${emulator} ${PROGRAMM} ${argumente} ${umleitung} RESULT_VARIABLE status)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "${PROGRAMM} ${argumente} ended with ${status}, not ${STATUS}")
endif()
if(DEFINED ENV{GLEICH_NEU})
  file(COPY_FILE ${AUSGABE} ${ERWARTET})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${AUSGABE} ${ERWARTET}
  RESULT_VARIABLE verschieden)
if(verschieden)
  message(FATAL_ERROR "${AUSGABE} differs from ${ERWARTET}")
endif()
