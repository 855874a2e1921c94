# Fails when the program file imports a DLL that a plain Windows 10 or 11 may
# lack, such as the compiler's libstdc++-6.dll, libgcc_s_seh-1.dll or
# libwinpthread-1.dll, or when it is not a GUI program (which would open a
# console window beside the window).
#
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAMM=Dunstwerk_340z.exe -P importe.cmake
cmake_minimum_required(VERSION 3.22)

set(erlaubt
  KERNEL32 USER32 GDI32 COMCTL32 OLEACC OLE32 OLEAUT32 ADVAPI32 SHELL32 MSVCRT)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAMM}
  OUTPUT_VARIABLE kopf RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAMM} failed: ${status}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" zeilen "${kopf}")
if(NOT zeilen)
  message(FATAL_ERROR "No imports found in ${PROGRAMM}")
endif()
set(fremd)
foreach(zeile IN LISTS zeilen)
  string(REGEX REPLACE "^DLL Name: *" "" dll "${zeile}")
  string(STRIP "${dll}" dll)
  message(STATUS "imports ${dll}")
  string(TOUPPER "${dll}" gross)
  string(REGEX REPLACE "\\.DLL$" "" name "${gross}")
  # The universal C runtime comes as the api-ms-win-crt-* API sets.
  if(NOT name IN_LIST erlaubt AND NOT name MATCHES "^API-MS-WIN-CRT-[A-Z0-9-]+$")
    list(APPEND fremd ${dll})
  endif()
endforeach()
if(fremd)
  message(FATAL_ERROR "${PROGRAMM} imports DLLs Windows does not bring: ${fremd}")
endif()

if(NOT kopf MATCHES "Subsystem[ \t]+0*2[ \t]+\\(Windows GUI\\)")
  message(FATAL_ERROR "${PROGRAMM} is not a Windows GUI program")
endif()
