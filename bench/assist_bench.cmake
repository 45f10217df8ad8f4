# The assist features on large inputs: live checking of a 100,000-line document, completion among
# 100,000 names, and checking a whole generated mod while the problems view fills.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(assist_bench ${CMAKE_CURRENT_SOURCE_DIR}/assist_bench.cpp)
target_link_libraries(assist_bench PRIVATE maintree_assist maintree Qt6::Test)

# The Mod Files page listing and filtering a large addon directory with accessibility on.
add_executable(mod_files_bench ${CMAKE_CURRENT_SOURCE_DIR}/mod_files_bench.cpp)
target_link_libraries(mod_files_bench PRIVATE maintree_assist Qt6::Test)
