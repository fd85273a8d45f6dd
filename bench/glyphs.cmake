# Glyph drawing: characters per second, with and without the coverage cache.
add_executable(bench_glyphs ${CMAKE_CURRENT_LIST_DIR}/bench_glyphs.cpp)
target_link_libraries(bench_glyphs PRIVATE orvane_core)
