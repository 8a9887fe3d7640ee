# Checks that the layer views keep what they must out: each probe includes a
# header its layer may not see and must fail to compile for that reason, and
# one allowed include must compile.
#   cmake -DCOMPILER=... -DLAYERS=<build>/layers -DWORK=<scratch folder> -P check_layer_rules.cmake
set(forbidden
  "list:app/main_window.h" "archive:app/main_window.h" "play:app/main_window.h"
  "system:app/main_window.h" "settings:app/main_window.h"
  "base:app/main_window.h" "base:list/entry.h" "base:res/resource.h")
set(allowed "list:base/text.h" "app:list/entry.h")

file(MAKE_DIRECTORY ${WORK})
function(probe layer header result)
  string(MAKE_C_IDENTIFIER "${layer}_${header}" name)
  set(source ${WORK}/${name}.cpp)
  file(WRITE ${source} "#include \"${header}\"\n")
  # In the C locale, so the compiler says "No such file" in words this script knows.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANGUAGE=C ${COMPILER} -std=c++20 -fsyntax-only -I${LAYERS}/${layer} ${source}
                  RESULT_VARIABLE code ERROR_VARIABLE errors OUTPUT_QUIET)
  if(code EQUAL 0)
    set(${result} "compiles" PARENT_SCOPE)
  elseif(errors MATCHES "No such file or directory")
    set(${result} "not visible" PARENT_SCOPE)
  else()
    set(${result} "other error: ${errors}" PARENT_SCOPE)
  endif()
endfunction()

set(failures "")
function(expect pairs wanted)
  foreach(pair IN LISTS pairs)
    string(REPLACE ":" ";" fields ${pair})
    list(GET fields 0 layer)
    list(GET fields 1 header)
    probe(${layer} ${header} result)
    if(NOT result STREQUAL wanted)
      set(failures ${failures} "${layer} with ${header}: ${result}, wanted: ${wanted}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()
expect("${forbidden}" "not visible")
expect("${allowed}" "compiles")
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "layer rules hold")
