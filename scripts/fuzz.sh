#!/bin/sh
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each for a while (default 15 s each) from the seeds in examples/, data/ and fuzz/seeds/.
# A crash, a sanitizer report or a broken property stops the script with the failing input saved
# in build-fuzz/. Usage: scripts/fuzz.sh [seconds-per-target] [target...]
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-15}"
[ $# -gt 0 ] && shift
TARGETS="${*:-fuzz_text_rules fuzz_profile fuzz_odf_checker fuzz_tt_checker fuzz_lsp_protocol}"

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVARKO_FUZZ=ON -DVARKO_WERROR=ON \
    -DVARKO_BUILD_GUI=OFF -DVARKO_BUILD_TESTS=OFF -DVARKO_BUILD_BENCH=OFF >/dev/null
# shellcheck disable=SC2086
cmake --build build-fuzz -j"$(nproc)" --target $TARGETS

# Absolute paths, so that the corpus and the seeds do not depend on where the script started.
ROOT="$PWD"
seeds_for() {
    case "$1" in
    fuzz_profile) echo "$ROOT/fuzz/seeds/profile" ;;
    fuzz_tt_checker) echo "$ROOT/examples/addon" ;;
    fuzz_lsp_protocol) echo "$ROOT/fuzz/seeds/lsp" ;;
    *) echo "$ROOT/examples/addon $ROOT/data" ;;
    esac
}

for target in $TARGETS; do
    corpus="$ROOT/build-fuzz/corpus/$target"
    log="$ROOT/build-fuzz/$target.log"
    mkdir -p "$corpus"
    echo "== $target, $SECONDS_EACH s"
    status=0
    # shellcheck disable=SC2046
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build-fuzz/bin/$target" -max_total_time="$SECONDS_EACH" -max_len=4096 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$ROOT/build-fuzz/$target-" "$corpus" $(seeds_for "$target") \
        >"$log" 2>&1 || status=$?
    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" >&2
        echo "fuzz: $target failed (status $status); see $log and build-fuzz/$target-*" >&2
        exit 1
    fi
done
