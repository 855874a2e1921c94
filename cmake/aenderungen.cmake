# Reads CHANGELOG.md, the one list of what each version brings, for the
# package's files that carry versions and dates:
#
#   dunstwerk_aenderungen(DEBIAN_CHANGELOG <file> BETREUER <name and mail>)
#
# writes the Debian changelog, an entry per section with its list items as
# the entry's lines, and sets DUNSTWERK_DATUM (YYYY-MM-DD) to the date of the
# project's version, whose section must exist, and DUNSTWERK_APPSTREAM_RELEASES
# to a <release> element per version.
function(dunstwerk_aenderungen)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "DEBIAN_CHANGELOG;BETREUER" "")
  set(quelle ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${quelle})
  file(READ ${quelle} text)
  string(APPEND text "\n## ")  # the end of the last section
  set(kopf "\n## ([0-9][0-9.]*) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)\n")
  string(REGEX MATCHALL "${kopf}" koepfe "${text}")
  set(debian "")
  set(releases "")
  foreach(k IN LISTS koepfe)
    string(REGEX MATCH "${kopf}" _ "${k}")
    set(version ${CMAKE_MATCH_1})
    set(tag ${CMAKE_MATCH_2})
    if(version STREQUAL PROJECT_VERSION)
      set(datum ${tag})
    endif()
    # The section, from after its heading to the next; "- item" with its
    # lines indented by two becomes "  * item" indented by four, without the
    # blank lines between items and Markdown's backticks.
    string(FIND "${text}" "${k}" anfang)
    string(LENGTH "${k}" laenge)
    math(EXPR anfang "${anfang} + ${laenge}")
    string(SUBSTRING "${text}" ${anfang} -1 abschnitt)
    string(FIND "${abschnitt}" "\n## " ende)
    string(SUBSTRING "${abschnitt}" 0 ${ende} abschnitt)
    string(REGEX REPLACE "\n\n+" "\n" abschnitt "\n${abschnitt}\n")
    string(REPLACE "\n  " "\n    " abschnitt "${abschnitt}")
    string(REPLACE "\n- " "\n  * " abschnitt "${abschnitt}")
    string(REPLACE "`" "" abschnitt "${abschnitt}")
    string(STRIP "${abschnitt}" abschnitt)
    if(NOT abschnitt MATCHES "^\\* ")
      message(FATAL_ERROR "CHANGELOG.md: the section of ${version} must be a list (\"- ...\")")
    endif()
    # Noon of the day, a minute earlier for each older section: Debian wants
    # every entry later than the one before, also for two versions a day.
    list(LENGTH releases aelter)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C TZ=UTC
                    date -R -d "${tag} 12:00 UTC ${aelter} minutes ago"
                    OUTPUT_VARIABLE zeit OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(APPEND debian "dunstwerk (${version}) unstable; urgency=medium\n\n  ${abschnitt}\n\n"
                         " -- ${arg_BETREUER}  ${zeit}\n\n")
    list(APPEND releases "<release version=\"${version}\" date=\"${tag}\"/>")
  endforeach()
  if(NOT DEFINED datum)
    message(FATAL_ERROR "CHANGELOG.md has no section \"## ${PROJECT_VERSION} (YYYY-MM-DD)\" "
                        "for the project's version: add one, newest first")
  endif()
  string(STRIP "${debian}" debian)
  file(WRITE ${arg_DEBIAN_CHANGELOG} "${debian}\n")
  list(JOIN releases "\n    " releases)
  set(DUNSTWERK_DATUM ${datum} PARENT_SCOPE)
  set(DUNSTWERK_APPSTREAM_RELEASES "${releases}" PARENT_SCOPE)
endfunction()
