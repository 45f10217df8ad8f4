# The header-only libraries and GoogleTest for a cross build: the host's /usr/include must not
# reach the cross compiler, so only the libraries' own header folders are copied into the build tree.
set(VARKO_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(COPY /usr/include/CLI /usr/include/nlohmann DESTINATION ${VARKO_HOST_HEADERS})

add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${VARKO_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${VARKO_HOST_HEADERS})

if(VARKO_BUILD_TESTS)
    # Debian's GoogleTest sources, built with the cross compiler (they define the GTest:: names).
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Tests are listed when CTest runs them, under the Wine set-up of scripts/wine_tests.sh, not
# while building.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
