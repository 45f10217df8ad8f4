#!/bin/sh
# Builds the core, the worker, the check-run, the session and the graph tests with ThreadSanitizer
# and runs those tests: they drive the worker threads of check runs while the GUI thread edits the
# document and takes the results, the thread that writes crash-recovery copies while the GUI thread
# saves and closes, and the workers of the Properties view and the Tech Tree Graph window while
# newer requests overtake them, and the varko-check workers that share one set of include closures.
# Qt itself is not instrumented: the memory functions it calls from its own threads (the raster
# painter fills on a thread pool) are not checked, since their locking is invisible here.
# tests/tsan.supp lists what that still leaves, and why.
set -eu
cd "$(dirname "$0")/.."
JOBS="$(nproc)"

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVARKO_WERROR=ON -DVARKO_SANITIZE=thread \
    -DVARKO_BUILD_GUI=ON -DVARKO_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$JOBS" --target textrules compiler maintree_worker_tests maintree_checkrun_tests \
    session_tests crossview_tests compiler_tests

TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp ignore_noninstrumented_modules=1 halt_on_error=1 second_deadlock_stack=1 history_size=4"
QT_QPA_PLATFORM=offscreen
LANG=C.UTF-8
export TSAN_OPTIONS QT_QPA_PLATFORM LANG
for suite in maintree_worker_tests maintree_checkrun_tests session_tests crossview_tests; do
    "build-tsan/bin/$suite"
done
build-tsan/bin/compiler_tests --gtest_filter='IncludeClosures*:CachingOdfSource*'
