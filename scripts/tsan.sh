#!/bin/sh
# Builds the core and the tests of every background job with ThreadSanitizer and runs them: the
# worker pattern itself, check runs while the GUI thread edits the document and takes the results,
# the script hierarchy, live checks, Check Mod, completion's names and the Mod Files listing,
# the match count, crash-recovery copies while the GUI thread saves and closes, the Properties
# view and the Tech Tree Graph while newer requests overtake them, the reference search, and the
# varko-check workers that share one set of include closures.
# Qt itself is not instrumented: the memory functions it calls from its own threads (the raster
# painter fills on a thread pool) are not checked, since their locking is invisible here.
# tests/tsan.supp lists what that still leaves, and why.
set -eu
cd "$(dirname "$0")/.."
JOBS="$(nproc)"

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVARKO_WERROR=ON -DVARKO_SANITIZE=thread \
    -DVARKO_BUILD_GUI=ON -DVARKO_BUILD_BENCH=OFF >/dev/null
SUITES="maintree_worker_tests maintree_checkrun_tests maintree_navigation_tests assist_tests search_tests \
    session_tests crossview_tests maintree_window_tests"
# shellcheck disable=SC2086
cmake --build build-tsan -j"$JOBS" --target textrules compiler compiler_tests $SUITES

# Some window tests start a second process (QProcess forks, then execs at once): die_after_fork=0
# lets the fork happen instead of ending the test.
TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp ignore_noninstrumented_modules=1 halt_on_error=1 second_deadlock_stack=1 history_size=4 die_after_fork=0"
QT_QPA_PLATFORM=offscreen
LANG=C.UTF-8
export TSAN_OPTIONS QT_QPA_PLATFORM LANG
for suite in $SUITES; do
    "build-tsan/bin/$suite"
done
build-tsan/bin/compiler_tests --gtest_filter='IncludeClosures*:CachingOdfSource*'
