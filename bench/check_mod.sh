#!/bin/sh
# Times varko-check over two generated mods of 5,000 ODF files of about 200 lines (3,000 SOD
# files, 1,500 declarations, a tech tree of 2,000 entries with 20 circles and 20 repeated
# objects) side by side with cat reading the same files, and with --extra (the checks across
# files). In the first mod the include lines are layered over 100 base files; in the second every
# file includes exactly one other file at random (chains of about 70 includes ending in circles).
# Each run times cat, varko-check and varko-check --extra over each mod; the best and the median
# of the runs are reported, with the ratios.
# Usage: bench/check_mod.sh [runs]   (VARKO_BENCH_MOD=DIR times another generated mod only)
set -eu
cd "$(dirname "$0")/.."
RUNS="${1:-9}"
CHECK=build-bench/bin/varko-check

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVARKO_BUILD_GUI=OFF -DVARKO_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target varko-check core_bench >/dev/null
if [ -n "${VARKO_BENCH_MOD:-}" ]; then
    [ -d "$VARKO_BENCH_MOD" ] || { echo "no generated mod in $VARKO_BENCH_MOD (bench/gen_mod.py makes one)" >&2; exit 2; }
    MODS="$VARKO_BENCH_MOD"
else
    MODS="bench/out/mod-layered bench/out/mod-single"
    [ -d bench/out/mod-layered ] || python3 bench/gen_mod.py bench/out/mod-layered --seed 1 --circles 20 --bases 100 >/dev/null
    [ -d bench/out/mod-single ] || python3 bench/gen_mod.py bench/out/mod-single --seed 1 --circles 20 --single-includes >/dev/null
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
n=0
for mod in $MODS; do
    n=$((n + 1))
    find "$mod/addon" -type f \( -name '*.odf' -o -name '*.tt' \) | sort >"$WORK/files$n"
done

# Seconds taken by the command, its output thrown away.
seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}

echo "cat, varko-check and varko-check --extra, $RUNS runs, load $(cut -d' ' -f1 /proc/loadavg):"
i=0
while [ "$i" -lt "$RUNS" ]; do
    n=0
    for mod in $MODS; do
        n=$((n + 1))
        seconds xargs cat <"$WORK/files$n" >>"$WORK/cat$n"
        seconds "$CHECK" --appdir "$mod/app" "$mod/addon" >>"$WORK/check$n"
        seconds "$CHECK" --appdir "$mod/app" --extra "$mod/addon" >>"$WORK/extra$n"
    done
    i=$((i + 1))
done
best() { sort -n "$1" | head -n 1; }
median() { sort -n "$1" | sed -n "$(((RUNS + 1) / 2))p"; }
ratio() { printf '  %-22s best %.2f, median %.2f\n' "$1" "$(echo "$(best "$2") / $(best "$3")" | bc -l)" \
    "$(echo "$(median "$2") / $(median "$3")" | bc -l)"; }
n=0
for mod in $MODS; do
    n=$((n + 1))
    echo "$mod ($(wc -l <"$WORK/files$n") files):"
    for kind in cat check extra; do
        printf '  %-22s best %.3f s, median %.3f s\n' "$kind" "$(best "$WORK/$kind$n")" "$(median "$WORK/$kind$n")"
    done
    ratio "check / cat" "$WORK/check$n" "$WORK/cat$n"
    ratio "extra / check" "$WORK/extra$n" "$WORK/check$n"
done
build-bench/bin/core_bench --benchmark_min_time=0.5
