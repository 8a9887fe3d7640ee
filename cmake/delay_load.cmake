# shell32, comdlg32 and ole32 serve commands (the shell, the task tray, the
# file and folder dialogs), never the way to the first window, yet under Wine
# loading shell32 and comdlg32 with a program added about a sixth to a bare
# list view program's start-up. Linked through delay-load import libraries
# made here from the toolchain's own, each is loaded at the first call of one
# of its functions.
#
# ZELVISTA_DELAY_LOADED_LIBS: what to link in their place.

set(ZELVISTA_DELAY_LOADED_LIBS comdlg32 shell32 ole32)
if(NOT MINGW)
  return()
endif()

get_filename_component(_zelvista_bin ${CMAKE_CXX_COMPILER} DIRECTORY)
string(REGEX REPLACE "g\\+\\+(-posix)?(\\.exe)?$" "" _zelvista_prefix ${CMAKE_CXX_COMPILER})
get_filename_component(_zelvista_prefix ${_zelvista_prefix} NAME)
find_program(ZELVISTA_DLLTOOL NAMES ${_zelvista_prefix}dlltool dlltool HINTS ${_zelvista_bin} REQUIRED)
find_program(ZELVISTA_NM NAMES ${_zelvista_prefix}nm nm HINTS ${_zelvista_bin} REQUIRED)

set(ZELVISTA_DELAY_LOADED_LIBS)
set(_zelvista_delay_dir ${CMAKE_BINARY_DIR}/delay_load)
file(MAKE_DIRECTORY ${_zelvista_delay_dir})
foreach(name comdlg32 shell32 ole32)
  find_library(ZELVISTA_IMPORT_${name} NAMES lib${name}.a ${name} REQUIRED)
  set(delay_lib ${_zelvista_delay_dir}/lib${name}_delay.a)
  if(NOT EXISTS ${delay_lib} OR ZELVISTA_IMPORT_${name} IS_NEWER_THAN ${delay_lib})
    # Every function the import library offers, by name.
    execute_process(COMMAND ${ZELVISTA_NM} -g ${ZELVISTA_IMPORT_${name}}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "[^\n]* T [^\n]*" lines "${symbols}")
    set(exports)
    foreach(line IN LISTS lines)
      string(REGEX REPLACE ".* T " "" symbol "${line}")
      list(APPEND exports ${symbol})
    endforeach()
    list(REMOVE_DUPLICATES exports)
    list(SORT exports)
    string(TOUPPER ${name} upper)
    list(JOIN exports "\n" export_lines)
    file(WRITE ${_zelvista_delay_dir}/${name}.def "LIBRARY ${upper}.dll\nEXPORTS\n${export_lines}\n")
    # Relative names: dlltool names its symbols after the output path, and
    # they stay in the program's symbol table.
    execute_process(COMMAND ${ZELVISTA_DLLTOOL} -d ${name}.def -y lib${name}_delay.a
                    WORKING_DIRECTORY ${_zelvista_delay_dir} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  list(APPEND ZELVISTA_DELAY_LOADED_LIBS ${delay_lib})
endforeach()
