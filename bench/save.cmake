# Saving and loading a full game state, beside plain writes and reads of the same bytes.
add_executable(bench_save ${CMAKE_CURRENT_LIST_DIR}/bench_save.cpp)
target_link_libraries(bench_save PRIVATE orvane_core)
