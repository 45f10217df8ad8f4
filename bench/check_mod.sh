#!/bin/sh
# Times varko-check over a generated mod (5,000 ODF files of about 200 lines, 3,000 SOD files,
# 1,500 declarations, a tech tree of 2,000 entries). Usage: bench/check_mod.sh [runs]
set -eu
cd "$(dirname "$0")/.."
RUNS="${1:-5}"
MOD=bench/out/mod

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVARKO_BUILD_GUI=OFF -DVARKO_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target varko-check core_bench >/dev/null
if [ ! -d "$MOD" ]; then
    python3 bench/gen_mod.py "$MOD" --seed 1 >/dev/null
fi

echo "varko-check over $MOD ($(find "$MOD/addon" -name '*.odf' | wc -l) ODF files), $RUNS runs:"
i=0
while [ "$i" -lt "$RUNS" ]; do
    start=$(date +%s.%N)
    build-bench/bin/varko-check --appdir "$MOD/app" "$MOD/addon" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "  run $((i + 1)): $(echo "$end - $start" | bc) s"
    i=$((i + 1))
done
build-bench/bin/core_bench --benchmark_min_time=0.5
