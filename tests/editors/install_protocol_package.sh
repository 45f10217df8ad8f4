#!/bin/sh
# Installs vscode-languageserver-protocol from npm into DIR, once; the Node client tests need it.
# Usage: install_protocol_package.sh DIR
set -eu
dir=$1

if [ -f "$dir/node_modules/vscode-languageserver-protocol/package.json" ]; then
    echo "vscode-languageserver-protocol is installed in $dir"
    exit 0
fi
if ! command -v npm >/dev/null 2>&1; then
    echo "SKIPPED: npm is not installed"
    exit 77
fi
if ! npm ping >/dev/null 2>&1; then
    echo "SKIPPED: npm cannot reach its registry"
    exit 77
fi
mkdir -p "$dir"
npm install --no-audit --no-fund --prefix "$dir" "vscode-languageserver-protocol@~3.17.5"
