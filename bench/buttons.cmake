# Button-wait benchmark: one pointer move (hit test, highlight, redraw) against a copy of the screen.
add_executable(bench_buttons ${CMAKE_CURRENT_LIST_DIR}/bench_buttons.cpp)
target_link_libraries(bench_buttons PRIVATE orvane_core)
