#!/bin/sh
# Builds the fuzz target with clang and runs it for a while (default 60 s) on the sample mod.
set -eu
cd "$(dirname "$0")/.."
SECONDS_TO_RUN="${1:-60}"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DVARKO_FUZZ=ON \
    -DVARKO_BUILD_GUI=OFF -DVARKO_BUILD_TESTS=OFF -DVARKO_BUILD_BENCH=OFF \
    -DVARKO_SANITIZE=address,undefined >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_text_rules
mkdir -p build-fuzz/corpus
cp examples/addon/* data/*.txt build-fuzz/corpus/
build-fuzz/bin/fuzz_text_rules -max_total_time="$SECONDS_TO_RUN" -max_len=4096 build-fuzz/corpus
