# The run loop against embedded Lua, and scenario loading against a plain read.
pkg_check_modules(LUA REQUIRED IMPORTED_TARGET lua5.4)

add_executable(bench_loop ${CMAKE_CURRENT_LIST_DIR}/loop_bench.cpp)
target_link_libraries(bench_loop PRIVATE orvane_core PkgConfig::LUA)

add_executable(bench_load ${CMAKE_CURRENT_LIST_DIR}/load_bench.cpp)
target_link_libraries(bench_load PRIVATE orvane_core)
