# The Tech Tree Graph window on a large tree: layout on the worker, items into the scene in
# slices, painting, and the longest task of the GUI thread meanwhile.
add_executable(graph_bench ${CMAKE_CURRENT_SOURCE_DIR}/graph_bench.cpp)
target_link_libraries(graph_bench PRIVATE maintree_crossview)
