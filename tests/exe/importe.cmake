# Fails when the program file would not start on a bare Windows 7 SP1:
# - it imports a DLL that such a system lacks, such as the compiler's
#   libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll, or the
#   universal C runtime (api-ms-win-crt-*, an update for Windows 7);
# - it imports a system function that the Windows headers declare only for a
#   newer Windows: every imported function is named in a small C++ file that
#   the cross compiler checks with Windows 7 as the target;
# - it is not a GUI program (which would open a console window beside the
#   window), or, with -DKONSOLE=ON, not a console program (which would
#   write nowhere when started from a command prompt).
#
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DCXX=x86_64-w64-mingw32-g++
#         -DPROGRAMM=Dunstwerk_340z.exe -DARBEIT=DIR [-DKONSOLE=ON] [-DPROBE=NAME.cpp]
#         -P importe.cmake
cmake_minimum_required(VERSION 3.22)

# What a bare Windows 7 SP1 brings; msvcrt.dll is its C runtime.
set(erlaubt KERNEL32 USER32 GDI32 COMCTL32 OLEACC OLE32 OLEAUT32 ADVAPI32 SHELL32 MSVCRT)
# The headers that declare the functions of those DLLs.
set(koepfe windows.h commctrl.h objbase.h oleauto.h oleacc.h shellapi.h)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAMM}
  OUTPUT_VARIABLE kopf RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAMM} failed: ${status}")
endif()

if(KONSOLE)
  if(NOT kopf MATCHES "Subsystem[ \t]+0*3[ \t]+\\(Windows CUI\\)")
    message(FATAL_ERROR "${PROGRAMM} is not a Windows console program")
  endif()
elseif(NOT kopf MATCHES "Subsystem[ \t]+0*2[ \t]+\\(Windows GUI\\)")
  message(FATAL_ERROR "${PROGRAMM} is not a Windows GUI program")
endif()

# The import tables: "DLL Name: X.dll", then one line per function with its
# address, hint and name.
string(FIND "${kopf}" "The Import Tables" anfang)
if(anfang EQUAL -1)
  message(FATAL_ERROR "No imports found in ${PROGRAMM}")
endif()
string(SUBSTRING "${kopf}" ${anfang} -1 importe)
string(FIND "${importe}" "\nThe " ende)
string(SUBSTRING "${importe}" 0 ${ende} importe)
string(REGEX MATCHALL "DLL Name: [^\r\n]+|\n\t[0-9a-fA-F]+\t +[0-9]+ +[A-Za-z_][A-Za-z0-9_]*"
       eintraege "${importe}")

set(fremd)
set(pruefungen)
set(dll)
foreach(eintrag IN LISTS eintraege)
  if(eintrag MATCHES "^DLL Name: *(.+)$")
    string(STRIP "${CMAKE_MATCH_1}" dll)
    message(STATUS "imports ${dll}")
    string(TOUPPER "${dll}" gross)
    string(REGEX REPLACE "\\.DLL$" "" name "${gross}")
    if(NOT name IN_LIST erlaubt)
      list(APPEND fremd ${dll})
    endif()
  elseif(eintrag MATCHES "([A-Za-z_][A-Za-z0-9_]*)$")
    # The C runtime's names are not Windows API; its DLL is checked above.
    if(NOT name STREQUAL "MSVCRT")
      string(APPEND pruefungen "  (void)&::${CMAKE_MATCH_1};  // ${dll}\n")
    endif()
  endif()
endforeach()
if(fremd)
  message(FATAL_ERROR "${PROGRAMM} imports DLLs a bare Windows 7 SP1 does not have: ${fremd}")
endif()
if(NOT pruefungen)
  message(FATAL_ERROR "No imported functions found in ${PROGRAMM}")
endif()

set(probe "// Written by importe.cmake: the functions ${PROGRAMM} imports, as the\n")
string(APPEND probe "// headers declare them for Windows 7.\n")
string(APPEND probe "#define _WIN32_WINNT 0x0601\n#define WINVER 0x0601\n#define NOMINMAX\n")
foreach(datei IN LISTS koepfe)
  string(APPEND probe "#include <${datei}>\n")
endforeach()
string(APPEND probe "\nvoid Windows7() {\n${pruefungen}}\n")
if(NOT PROBE)
  set(PROBE windows7_probe.cpp)
endif()
file(WRITE ${ARBEIT}/${PROBE} "${probe}")
execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${ARBEIT}/${PROBE}
  RESULT_VARIABLE status ERROR_VARIABLE fehler)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAMM} imports functions newer than Windows 7 "
                      "(see ${ARBEIT}/${PROBE}):\n${fehler}")
endif()
string(REGEX MATCHALL "\n" zeilen "${pruefungen}")
list(LENGTH zeilen anzahl)
message(STATUS "${anzahl} imported system functions are declared for Windows 7")
