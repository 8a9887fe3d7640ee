# The program's version is the one line of src/res/version.txt ("4.00"). The
# About box, the version resource, the manifest and scripts/package all take
# it from there; this writes it out for the resource compiler.
file(STRINGS ${CMAKE_SOURCE_DIR}/src/res/version.txt ZELVISTA_VERSION LIMIT_COUNT 1)
if(NOT ZELVISTA_VERSION MATCHES "^([0-9]+)\\.([0-9][0-9])$")
  message(FATAL_ERROR "src/res/version.txt must hold a version such as 4.00, not '${ZELVISTA_VERSION}'")
endif()
set(ZELVISTA_VERSION_MAJOR ${CMAKE_MATCH_1})
math(EXPR ZELVISTA_VERSION_MINOR "${CMAKE_MATCH_2} + 0")  # "05" is 5, not octal
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/version.txt)

set(ZELVISTA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/src/res/zelvista_version.h.in ${ZELVISTA_GENERATED_DIR}/zelvista_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/src/res/zelvista.manifest.in ${ZELVISTA_GENERATED_DIR}/zelvista.manifest @ONLY)
