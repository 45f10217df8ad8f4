#!/bin/sh
# Packages the VS Code extension of editors/vscode into build/varko-VERSION.vsix with @vscode/vsce.
# npm fetches vscode-languageclient (shipped inside the package) and vsce into build/vscode-extension.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/build/vscode-extension"

mkdir -p "$work"
cp -R "$root/editors/vscode/." "$work/"
cd "$work"
npm install --no-audit --no-fund
version=$(node -p "require('./package.json').version")
npx vsce package --skip-license --allow-missing-repository -o "$root/build/varko-$version.vsix" </dev/null
echo "Wrote build/varko-$version.vsix"
