# The GUI thread's longest single task while the editor's document is checked.
add_executable(check_run_bench ${CMAKE_CURRENT_SOURCE_DIR}/check_run_bench.cpp)
target_link_libraries(check_run_bench PRIVATE maintree)
