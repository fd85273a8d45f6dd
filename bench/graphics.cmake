# Composition benchmark: draw_image against a plain copy and pixman.
pkg_check_modules(PIXMAN REQUIRED IMPORTED_TARGET pixman-1)
add_executable(bench_compose ${CMAKE_CURRENT_LIST_DIR}/bench_compose.cpp)
target_link_libraries(bench_compose PRIVATE orvane_core PkgConfig::PIXMAN)
