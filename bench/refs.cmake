# bench_graphics: cairo draws the same text line as the reference.
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
target_link_libraries(bench_graphics PRIVATE PkgConfig::CAIRO)
