# The sample screen savers a release ships: every .scr target under savers/
# that is built into the program folder, except those for tests only (marked
# with the target property ZELVISTA_TEST_ONLY, or named like a probe or test).
# scripts/package reads the list from sample_savers.txt in the build folder.
function(zelvista_collect_sample_savers dir result)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t IN LISTS targets)
    get_target_property(type ${t} TYPE)
    get_target_property(suffix ${t} SUFFIX)
    get_target_property(test_only ${t} ZELVISTA_TEST_ONLY)
    get_target_property(out_dir ${t} RUNTIME_OUTPUT_DIRECTORY)
    string(TOLOWER "${t}" lower)
    if(type STREQUAL "EXECUTABLE" AND suffix STREQUAL ".scr" AND NOT test_only
       AND (NOT out_dir OR out_dir STREQUAL "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
       AND NOT lower MATCHES "probe|test")
      list(APPEND found "$<TARGET_FILE:${t}>")
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    zelvista_collect_sample_savers(${sub} sub_found)
    list(APPEND found ${sub_found})
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

zelvista_collect_sample_savers(${CMAKE_SOURCE_DIR}/savers ZELVISTA_SAMPLE_SAVERS)
list(JOIN ZELVISTA_SAMPLE_SAVERS "\n" sample_lines)
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/sample_savers.txt CONTENT "${sample_lines}\n")
