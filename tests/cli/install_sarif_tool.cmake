# Installs the SARIF multitool from npm into TOOL_DIR once, before the tests that run it.
# Where it cannot be had, the reason goes to TOOL_DIR/unavailable.txt and the tests skip with it;
# this step itself only fails when the folder cannot be written.
# Usage: cmake -DTOOL_DIR=<dir> -DPACKAGE=<name@version> -DBINARY=<path> -P install_sarif_tool.cmake
file(MAKE_DIRECTORY "${TOOL_DIR}")
file(REMOVE "${TOOL_DIR}/unavailable.txt")
if(EXISTS "${BINARY}")
    return()
endif()

find_program(NPM npm)
if(NOT NPM)
    file(WRITE "${TOOL_DIR}/unavailable.txt" "npm is not installed")
    return()
endif()

execute_process(
    COMMAND "${NPM}" install --no-audit --no-fund --prefix "${TOOL_DIR}" "${PACKAGE}"
    WORKING_DIRECTORY "${TOOL_DIR}"
    RESULT_VARIABLE status
    ERROR_VARIABLE err
    OUTPUT_QUIET
    TIMEOUT 600)
if(NOT status EQUAL 0 OR NOT EXISTS "${BINARY}")
    string(STRIP "${err}" err)
    file(WRITE "${TOOL_DIR}/unavailable.txt" "npm could not install ${PACKAGE}: ${err}")
    message(STATUS "SARIF multitool unavailable: ${err}")
    return()
endif()
# npm may skip the package's own install script, which only makes the binary executable.
file(CHMOD "${BINARY}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
