# The script hierarchy on a large document: the build off the GUI thread, and what the GUI
# thread does to take its copy and to show the result.
add_executable(nav_bench ${CMAKE_CURRENT_SOURCE_DIR}/nav_bench.cpp)
target_link_libraries(nav_bench PRIVATE maintree_navigation benchmark::benchmark)
