# Runs varko-check (through EMULATOR when set, e.g. Wine) in a fresh copy of the fixture mod and
# compares its standard output byte for byte with EXPECT, and its exit status with STATUS.
# ARGS holds the arguments separated by "|"; SETUP names a script run first in the work folder,
# which may call run_program(<args>...) and must_equal(<actual> <expected> <what>).
# Called with -DEXE= -DEMULATOR= -DWORK= -DFIXTURE= -DEXPECT= -DSTATUS= -DARGS= [-DSETUP=] [-DINPUT=].

function(must_equal actual expected what)
    if(NOT "${actual}" STREQUAL "${expected}")
        message(FATAL_ERROR "${what}: got '${actual}', expected '${expected}'")
    endif()
endfunction()

# Runs the program with the given arguments in WORK (standard input from INPUT, when set); its
# status goes to RUN_STATUS.
function(run_program)
    set(input_file /dev/null)
    if(INPUT)
        set(input_file ${INPUT})
    endif()
    execute_process(COMMAND ${EMULATOR} ${EXE} ${ARGN} WORKING_DIRECTORY ${WORK} INPUT_FILE ${input_file}
                    OUTPUT_FILE ${WORK}/stdout ERROR_FILE ${WORK}/stderr RESULT_VARIABLE status)
    set(RUN_STATUS "${status}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${FIXTURE}/addon ${FIXTURE}/sod DESTINATION ${WORK})
if(SETUP)
    include(${SETUP})
endif()

string(REPLACE "|" ";" arguments "${ARGS}")
run_program(${arguments})
file(READ ${WORK}/stderr errors)
must_equal("${RUN_STATUS}" "${STATUS}" "exit status (standard error: ${errors})")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/stdout ${EXPECT} RESULT_VARIABLE differs)
if(differs)
    file(READ ${WORK}/stdout shown HEX)
    file(READ ${EXPECT} wanted HEX)
    message(FATAL_ERROR "standard output differs from ${EXPECT}\ngot:    ${shown}\nwanted: ${wanted}")
endif()
