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
# The manifest asks for the Japanese code page; ZELVISTA_ACTIVE_CODE_PAGE is
# what the element says (the tests make copies that ask for another or none).
function(zelvista_manifest output code_page)
  if(code_page)
    set(ZELVISTA_ACTIVE_CODE_PAGE
        "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">${code_page}</activeCodePage>")
  else()
    set(ZELVISTA_ACTIVE_CODE_PAGE "<!-- no activeCodePage: the system's code page -->")
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/src/res/zelvista.manifest.in ${output} @ONLY)
endfunction()
zelvista_manifest(${ZELVISTA_GENERATED_DIR}/zelvista.manifest ja-JP)
