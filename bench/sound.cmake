# Starting a sound effect: dwave of a 1 s WAV from a cold and a warm cache, beside reading the same file.
add_executable(bench_dwave ${CMAKE_CURRENT_LIST_DIR}/bench_dwave.cpp)
target_link_libraries(bench_dwave PRIVATE orvane_core)
