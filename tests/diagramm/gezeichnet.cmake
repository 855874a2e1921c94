# Writes a chart with diagramm_muster, then checks that it is well-formed XML
# (xmllint) and that a real renderer draws it (librsvg's rsvg-convert).
#
#   cmake -DPROGRAMM=... -DBEREICH=trocknung -DREIHE=lang -DAUSGABE=out.svg -P gezeichnet.cmake
cmake_minimum_required(VERSION 3.22)
foreach(befehl "${PROGRAMM};${BEREICH};${REIHE};${AUSGABE}"
               "xmllint;--noout;${AUSGABE}"
               "rsvg-convert;--dpi-x;96;--dpi-y;96;-o;${AUSGABE}.png;${AUSGABE}")
  execute_process(COMMAND ${befehl} RESULT_VARIABLE status ERROR_VARIABLE fehler)
  if(NOT status STREQUAL "0" OR NOT fehler STREQUAL "")
    message(FATAL_ERROR "${befehl}: ${status} ${fehler}")
  endif()
endforeach()
# A drawn A4 page at 96 dpi: 1123 by 794 pixels, or near it.
file(SIZE ${AUSGABE}.png groesse)
if(groesse LESS 20000)
  message(FATAL_ERROR "${AUSGABE}.png is only ${groesse} bytes")
endif()
