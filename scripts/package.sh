#!/bin/sh
# Builds every package and archive into dist/:
#   varko-check-VERSION-linux-x64.tar.gz    varko-check-VERSION-windows-x64.zip
#   varko-check_VERSION-1_amd64.deb         varko_VERSION-1_amd64.deb
# The Linux programs come from build-package (or VARKO_LINUX_BUILD, e.g. a build the tests already
# made), the Windows one from build-win (or VARKO_WINDOWS_BUILD); a missing build is configured.
set -eu
cd "$(dirname "$0")/.."
ROOT="$PWD"
JOBS="$(nproc)"
LINUX_BUILD="${VARKO_LINUX_BUILD:-build-package}"
WINDOWS_BUILD="${VARKO_WINDOWS_BUILD:-build-win}"

scripts/deps.sh

if [ ! -f "$LINUX_BUILD/CMakeCache.txt" ]; then
    cmake -S . -B "$LINUX_BUILD" -DCMAKE_BUILD_TYPE=Release -DVARKO_BUILD_TESTS=OFF -DVARKO_BUILD_BENCH=OFF >/dev/null
fi
if [ ! -f "$WINDOWS_BUILD/CMakeCache.txt" ]; then
    cmake -S . -B "$WINDOWS_BUILD" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
        -DVARKO_BUILD_GUI=OFF -DVARKO_BUILD_TESTS=OFF -DVARKO_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$LINUX_BUILD" -j"$JOBS"
cmake --build "$WINDOWS_BUILD" -j"$JOBS"

mkdir -p dist
(cd "$LINUX_BUILD" && cpack -G "TGZ;DEB" -B "$ROOT/dist" >/dev/null)
(cd "$WINDOWS_BUILD" && cpack -G ZIP -B "$ROOT/dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls -1 dist
