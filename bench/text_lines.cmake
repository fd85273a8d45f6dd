# Whole text lines through display_text_line in skip mode: characters per second.
add_executable(bench_text_lines ${CMAKE_CURRENT_LIST_DIR}/bench_text_lines.cpp)
target_link_libraries(bench_text_lines PRIVATE orvane_core)
