# Fails when a program carries a run-time library search path: the game and its tools link
# only static project libraries and system libraries, so any RPATH or RUNPATH is a mistake,
# and an empty entry in one makes the loader search the current folder.
#
# usage: cmake -DPROGRAMS="a;b" -P no_search_path.cmake
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND readelf --dynamic ${program}
    OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${program}")
  endif()
  string(REGEX MATCH "\\((RPATH|RUNPATH)\\)[^\n]*" found "${dynamic}")
  if(found)
    message(FATAL_ERROR "${program} has a library search path: ${found}")
  endif()
endforeach()
