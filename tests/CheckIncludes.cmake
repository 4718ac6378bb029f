# Fails when a source file includes a header of a layer it may not use: the
# files of src/<layer>/ and those of the test suite tests/<layer>/ (which may
# also use the shared helpers of tests/common). Each folder names the folders
# whose headers it may include; headers are included by their path below
# src/, so the first folder of the path is the layer.
cmake_minimum_required(VERSION 3.22)
set(allowed_barcode barcode)
set(allowed_document barcode document)
set(allowed_engine barcode document engine)
set(allowed_gui barcode document engine gui)
set(allowed_cli barcode document engine cli)
set(allowed_desktop barcode document engine gui desktop)

set(wrong 0)
set(count 0)
# Checks the files below root; own names the folders every file there may
# include besides those of its layer.
function(check_tree root own)
  file(GLOB_RECURSE sources RELATIVE ${root} ${root}/*.h ${root}/*.cpp)
  foreach(source ${sources})
    if(NOT source MATCHES "^([a-z]+)/" OR CMAKE_MATCH_1 STREQUAL "common")
      continue()  # src/pch.h, the helpers of tests/common
    endif()
    set(layer ${CMAKE_MATCH_1})
    if(NOT DEFINED allowed_${layer})
      message(SEND_ERROR "${root}/${source}: folder ${layer} is no layer known to this check")
      math(EXPR wrong "${wrong} + 1")
      continue()
    endif()
    math(EXPR count "${count} + 1")
    file(STRINGS ${root}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" header "${line}")
      if(NOT header MATCHES "^([a-z]+)/")
        if(NOT own)  # in src/ every header is named by its path below src/
          message(SEND_ERROR "${root}/${source} includes \"${header}\": name it by its path below src/")
          math(EXPR wrong "${wrong} + 1")
        endif()
        continue()
      endif()
      if(NOT CMAKE_MATCH_1 IN_LIST allowed_${layer} AND NOT CMAKE_MATCH_1 IN_LIST own)
        message(SEND_ERROR "${root}/${source} (layer ${layer}) includes ${header}")
        math(EXPR wrong "${wrong} + 1")
      endif()
    endforeach()
  endforeach()
  set(wrong ${wrong} PARENT_SCOPE)
  set(count ${count} PARENT_SCOPE)
endfunction()

check_tree(${SRC} "")
if(TESTS)
  check_tree(${TESTS} common)
endif()
if(wrong GREATER 0)
  message(FATAL_ERROR "${wrong} includes cross the layers")
endif()
message(STATUS "the includes of ${count} files follow the layers")
