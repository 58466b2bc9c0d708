# bench_inifiles: inih parses the same ini text as the reference.
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
target_link_libraries(bench_inifiles PRIVATE PkgConfig::INIH)
# bench_graphics: cairo draws the same text line as the reference.
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
target_link_libraries(bench_graphics PRIVATE PkgConfig::CAIRO)
# bench_host: the window host over SDL's dummy driver; the reference is the list's own repaint.
target_link_libraries(bench_host PRIVATE host)
# ... and the gallery, whose accessible tree it reads, with its layout beside the program.
if(TARGET gallery_window)
  target_link_libraries(bench_host PRIVATE gallery_window)
  configure_file(${PROJECT_SOURCE_DIR}/apps/gallery/Gallery.lfm ${CMAKE_CURRENT_BINARY_DIR}/Gallery.lfm COPYONLY)
endif()
