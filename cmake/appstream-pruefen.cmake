# Validates AppStream metadata with appstreamcli, from its YAML report: fails
# on every error and warning but url-homepage-missing (Debian 13 asks for a
# homepage the project does not have). Infos pass, as in appstreamcli's verdict.
#
#   cmake -DDATEI=APP.metainfo.xml -P appstream-pruefen.cmake
execute_process(COMMAND appstreamcli validate --no-net --format=yaml ${DATEI}
  OUTPUT_VARIABLE bericht ERROR_VARIABLE fehler)
message("${bericht}${fehler}")
if(NOT bericht MATCHES "\nPassed: ")
  message(FATAL_ERROR "appstreamcli gave no report on ${DATEI}")
endif()
string(REGEX MATCHALL "\n- [^\n]*(\n  [^\n]*)*" funde "${bericht}")
foreach(fund IN LISTS funde)
  string(REGEX MATCH "\n[- ] tag: ([^\n]*)" _ "${fund}")
  set(tag ${CMAKE_MATCH_1})
  string(REGEX MATCH "\n[- ] severity: ([a-z]*)" _ "${fund}")
  if(CMAKE_MATCH_1 MATCHES "^(error|warning)$" AND NOT tag STREQUAL "url-homepage-missing")
    list(APPEND schlecht ${tag})
  endif()
endforeach()
if(schlecht)
  message(FATAL_ERROR "AppStream metadata ${DATEI}: ${schlecht}")
endif()
