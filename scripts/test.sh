#!/bin/sh
# Installs what is missing, builds with warnings as errors, and runs every test: the plain build,
# then the core, command-line and language-server tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the background jobs under ThreadSanitizer, then a short run of every
# fuzz target. The Windows build under Wine (scripts/wine_tests.sh) and the packages
# (scripts/package.sh, tests/packaging/check_packages.sh) run on their own for now.
set -eu
cd "$(dirname "$0")/.."
JOBS="$(nproc)"

scripts/deps.sh

cmake -S . -B build-ci -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARKO_WERROR=ON >/dev/null
cmake --build build-ci -j"$JOBS"
ctest --test-dir build-ci --output-on-failure -j"$JOBS"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVARKO_WERROR=ON -DVARKO_BUILD_GUI=OFF \
    -DVARKO_BUILD_BENCH=OFF -DVARKO_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j"$JOBS"
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
    ctest --test-dir build-asan --output-on-failure -j"$JOBS"

# The check runs' worker threads under ThreadSanitizer.
scripts/tsan.sh

# Each fuzz target briefly, under AddressSanitizer and UndefinedBehaviorSanitizer.
scripts/fuzz.sh 15
