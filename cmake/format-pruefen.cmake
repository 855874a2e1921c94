# Fails unless every C++ file of the sources is as clang-format writes it
# with the tree's .clang-format: the files git tracks, so that build folders
# and generated files never count; without git, those of the source folders.
#
#   cmake -DQUELLE=<sources> -DCLANG_FORMAT=<clang-format> -P format-pruefen.cmake
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format not found: scripts/deps.sh test installs it")
endif()
execute_process(COMMAND git -c core.quotePath=false -C ${QUELLE} ls-files -- *.cpp *.h
  OUTPUT_VARIABLE dateien RESULT_VARIABLE status ERROR_QUIET)
if(status EQUAL 0)
  string(REGEX REPLACE "\n$" "" dateien "${dateien}")
  string(REPLACE "\n" ";" dateien "${dateien}")
  list(TRANSFORM dateien PREPEND ${QUELLE}/)
else()
  set(dateien)
  foreach(ordner app bench engine tests tools ui)
    file(GLOB_RECURSE da ${QUELLE}/${ordner}/*.cpp ${QUELLE}/${ordner}/*.h)
    list(APPEND dateien ${da})
  endforeach()
endif()
set(da)
foreach(datei IN LISTS dateien)
  if(EXISTS ${datei})  # not deleted but not yet committed
    list(APPEND da ${datei})
  endif()
endforeach()
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${da} RESULT_VARIABLE status)
list(LENGTH da anzahl)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Not as clang-format writes them (above): run clang-format -i on them")
endif()
message("${anzahl} files as clang-format writes them")
