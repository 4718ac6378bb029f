# Fails when a program below the window layer needs Qt Widgets or Qt Print
# Support: PROGRAMS lists tagmora-cli and the test programs of the barcode,
# document, engine and command-line layers, which link those layers only.
foreach(program ${PROGRAMS})
  execute_process(COMMAND readelf -d ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "readelf failed on ${program}")
  endif()
  string(REGEX MATCHALL "\\[libQt6(Widgets|PrintSupport)[^]]*\\]" window "${dynamic}")
  if(window)
    message(SEND_ERROR "${program} needs ${window}")
    set(failed 1)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "window libraries below the window layer")
endif()
message(STATUS "no window library below the window layer")
