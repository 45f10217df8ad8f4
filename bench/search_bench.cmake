# Find Next, Find Previous, Replace All and the match count on a 100,000-line document.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(search_bench ${CMAKE_CURRENT_SOURCE_DIR}/search_bench.cpp)
target_link_libraries(search_bench PRIVATE maintree_search Qt6::Test benchmark::benchmark)
