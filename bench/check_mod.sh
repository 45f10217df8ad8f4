#!/bin/sh
# Times varko-check over a generated mod (5,000 ODF files of about 200 lines, 3,000 SOD files,
# 1,500 declarations, a tech tree of 2,000 entries with 20 circles and 20 repeated objects, the
# include lines layered over 100 base files) side by side with cat reading the same files, and
# with --extra (the checks across files). Each run times cat, varko-check and varko-check --extra;
# the best and the median of the runs are reported, with the ratios.
# Usage: bench/check_mod.sh [runs]   (VARKO_BENCH_MOD=DIR times another generated mod)
set -eu
cd "$(dirname "$0")/.."
RUNS="${1:-9}"
MOD="${VARKO_BENCH_MOD:-bench/out/mod-layered}"
CHECK=build-bench/bin/varko-check

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVARKO_BUILD_GUI=OFF -DVARKO_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target varko-check core_bench >/dev/null
if [ ! -d "$MOD" ] && [ -n "${VARKO_BENCH_MOD:-}" ]; then
    echo "no generated mod in $MOD (bench/gen_mod.py makes one)" >&2
    exit 2
elif [ ! -d "$MOD" ]; then
    python3 bench/gen_mod.py "$MOD" --seed 1 --circles 20 --bases 100 >/dev/null
fi
FILES=$(mktemp)
trap 'rm -f "$FILES" "$FILES.cat" "$FILES.check" "$FILES.extra"' EXIT
find "$MOD/addon" -type f \( -name '*.odf' -o -name '*.tt' \) | sort >"$FILES"

# Seconds taken by the command, its output thrown away.
seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}

echo "cat, varko-check and varko-check --extra over $MOD ($(wc -l <"$FILES") files), $RUNS runs, load $(cut -d' ' -f1 /proc/loadavg):"
i=0
while [ "$i" -lt "$RUNS" ]; do
    seconds xargs cat <"$FILES" >>"$FILES.cat"
    seconds "$CHECK" --appdir "$MOD/app" "$MOD/addon" >>"$FILES.check"
    seconds "$CHECK" --appdir "$MOD/app" --extra "$MOD/addon" >>"$FILES.extra"
    i=$((i + 1))
done
best() { sort -n "$1" | head -n 1; }
median() { sort -n "$1" | sed -n "$(((RUNS + 1) / 2))p"; }
ratio() { printf '  %-22s best %.2f, median %.2f\n' "$1" "$(echo "$(best "$2") / $(best "$3")" | bc -l)" \
    "$(echo "$(median "$2") / $(median "$3")" | bc -l)"; }
for kind in cat check extra; do
    printf '  %-22s best %.3f s, median %.3f s\n' "$kind" "$(best "$FILES.$kind")" "$(median "$FILES.$kind")"
done
ratio "check / cat" "$FILES.check" "$FILES.cat"
ratio "extra / check" "$FILES.extra" "$FILES.check"
build-bench/bin/core_bench --benchmark_min_time=0.5
