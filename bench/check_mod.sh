#!/bin/sh
# Times varko-check over a generated mod (5,000 ODF files of about 200 lines, 3,000 SOD files,
# 1,500 declarations, a tech tree of 2,000 entries) side by side with cat reading the same files,
# and prints the ratio. Each run times cat, then varko-check; the best and the median of the
# runs are reported. Usage: bench/check_mod.sh [runs]
set -eu
cd "$(dirname "$0")/.."
RUNS="${1:-9}"
MOD=bench/out/mod
CHECK=build-bench/bin/varko-check

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVARKO_BUILD_GUI=OFF -DVARKO_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target varko-check core_bench >/dev/null
if [ ! -d "$MOD" ]; then
    python3 bench/gen_mod.py "$MOD" --seed 1 >/dev/null
fi
FILES=$(mktemp)
trap 'rm -f "$FILES" "$FILES.cat" "$FILES.check"' EXIT
find "$MOD/addon" -type f \( -name '*.odf' -o -name '*.tt' \) | sort >"$FILES"

# Seconds taken by the command, its output thrown away.
seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}

echo "varko-check and cat over $MOD ($(wc -l <"$FILES") files), $RUNS runs, load $(cut -d' ' -f1 /proc/loadavg):"
i=0
while [ "$i" -lt "$RUNS" ]; do
    seconds xargs cat <"$FILES" >>"$FILES.cat"
    seconds "$CHECK" --appdir "$MOD/app" "$MOD/addon" >>"$FILES.check"
    i=$((i + 1))
done
best() { sort -n "$1" | head -n 1; }
median() { sort -n "$1" | sed -n "$(((RUNS + 1) / 2))p"; }
printf '  %-12s best %.3f s, median %.3f s\n' cat "$(best "$FILES.cat")" "$(median "$FILES.cat")"
printf '  %-12s best %.3f s, median %.3f s\n' varko-check "$(best "$FILES.check")" "$(median "$FILES.check")"
printf '  ratio        best %.2f, median %.2f\n' "$(echo "$(best "$FILES.check") / $(best "$FILES.cat")" | bc -l)" \
    "$(echo "$(median "$FILES.check") / $(median "$FILES.cat")" | bc -l)"
build-bench/bin/core_bench --benchmark_min_time=0.5
