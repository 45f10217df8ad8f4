# The second run replaces the baseline the first one wrote; a third run must find it complete.
foreach(round 1 2)
    run_program(--addon addon --sod sod --write-baseline base.json addon)
    must_equal("${RUN_STATUS}" 0 "writing the baseline, round ${round}")
endforeach()
file(GLOB leftovers LIST_DIRECTORIES true ${WORK}/.base.json*)
must_equal("${leftovers}" "" "files left beside the baseline")
