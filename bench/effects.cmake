# Effect steps: one crossfade, mask-crossfade and mosaic step beside a plain copy.
add_executable(bench_effects ${CMAKE_CURRENT_LIST_DIR}/bench_effects.cpp)
target_link_libraries(bench_effects PRIVATE orvane_core)
