# One static library per folder of src/, each compiled against a view of
# src/ that holds only the folders it may include: its own, those of the
# layers it depends on, and res/ (resource ids) for everything above base.
# Including a header of a folder outside the view fails to compile, so a
# subsystem cannot include app/ and base/ cannot include anything else.
#
#   zelvista_layer(NAME [DEPENDS layer...] [LIBS system-lib...] [EXCLUDE file...]
#                  [INCLUDES folder...])   INCLUDES: headers from outside src/

# A relative include would step around the views: it fails the build too.
set(ZELVISTA_LAYER_CHECK ${CMAKE_BINARY_DIR}/layers/relative-includes.ok)
file(GLOB_RECURSE ZELVISTA_ALL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h ${CMAKE_SOURCE_DIR}/src/*.cpp)
add_custom_command(OUTPUT ${ZELVISTA_LAYER_CHECK}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/src -DSTAMP=${ZELVISTA_LAYER_CHECK}
          -P ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake
  DEPENDS ${ZELVISTA_ALL_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake
  COMMENT "Checking that no source includes by a relative path")
add_custom_target(zelvista_layer_check DEPENDS ${ZELVISTA_LAYER_CHECK})

function(zelvista_layer name)
  cmake_parse_arguments(L "" "" "DEPENDS;LIBS;EXCLUDE;INCLUDES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  foreach(excluded IN LISTS L_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "/${excluded}$")
  endforeach()
  add_library(zelvista_${name} STATIC ${sources})
  add_dependencies(zelvista_${name} zelvista_layer_check)

  set(visible ${name})
  foreach(dep IN LISTS L_DEPENDS)
    get_property(dep_visible GLOBAL PROPERTY ZELVISTA_VISIBLE_${dep})
    list(APPEND visible ${dep_visible})
  endforeach()
  if(NOT name STREQUAL "base")
    list(APPEND visible res)
  endif()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY ZELVISTA_VISIBLE_${name} ${visible})

  set(view ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view})
  foreach(folder IN LISTS visible)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${view}/${folder} RESULT linked SYMBOLIC)
    if(NOT linked EQUAL 0)
      # Where links are not allowed (Windows without developer mode), the view
      # holds copies of the headers, made again whenever a header changes.
      file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
      file(COPY ${headers} DESTINATION ${view}/${folder})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${headers})
    endif()
  endforeach()
  target_include_directories(zelvista_${name} PRIVATE ${view} ${L_INCLUDES})

  foreach(dep IN LISTS L_DEPENDS)
    target_link_libraries(zelvista_${name} PUBLIC zelvista_${dep})
  endforeach()
  target_link_libraries(zelvista_${name} PUBLIC ${L_LIBS})
  zelvista_cp932(zelvista_${name})
endfunction()
