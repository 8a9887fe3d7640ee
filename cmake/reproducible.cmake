# The same sources give the same Zelvista.exe and DLL bytes wherever and
# whenever they are built: the linker writes no time stamp into the PE headers
# (windres writes none into the resources), and no source or build folder
# reaches the code through __FILE__ or debug information.
add_compile_options(
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
  -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
