#!/bin/sh
# Installs the Debian packages the build and the tests need, only those that are missing.
# MinGW-w64 and Wine build and run the Windows tests; dpkg-dev (dpkg-shlibdeps), file, lintian,
# help2man, man-db, desktop-file-utils, appstream, xdg-utils, shared-mime-info and libglib2.0-bin
# (GIO, behind xdg-mime on GNOME) make and check the packages; strace shows which files the unpacked
# editor opens.
set -eu

PACKAGES="cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
nlohmann-json3-dev libcli11-dev python3 fonts-dejavu-core bc clang libclang-rt-14-dev neovim
g++-mingw-w64-x86-64-posix wine wine64
dpkg-dev file lintian help2man man-db desktop-file-utils appstream xdg-utils shared-mime-info libglib2.0-bin
strace"

# npm fetches the SARIF validator and the LSP protocol library the tests run, and packages the VS Code
# extension; a node installation of another origin will do.
if ! command -v npm >/dev/null 2>&1; then
    PACKAGES="$PACKAGES npm"
fi

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    echo "Installing:$missing"
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing >/dev/null
fi
