# Film decoding benchmark: decode and scale per picture against a plain copy.
add_executable(bench_video ${CMAKE_CURRENT_LIST_DIR}/bench_video.cpp)
target_link_libraries(bench_video PRIVATE orvane_core)
