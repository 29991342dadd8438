#!/usr/bin/env bash
# Builds the programs, lays out the program folder under build/programfolder and starts the
# browser from it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release

folder=build/programfolder
mkdir -p "$folder"
if [[ -d programfolder ]]; then
    cp -r --update programfolder/. "$folder/"
fi

declare -A programs=(
    [browser/quorra]=quorra.exe
    [picture/glintora]=exec/gt/glintora.exe
    [manager/deskvane]=dv/dv.exe
    [tray/dvtp]=dv/dvtp.exe
)
for target in "${!programs[@]}"; do
    if [[ -x "build/release/$target" ]]; then
        mkdir -p "$folder/$(dirname "${programs[$target]}")"
        cp "build/release/$target" "$folder/${programs[$target]}"
    fi
done

echo "Program folder: $folder"
if [[ ! -x "$folder/quorra.exe" ]]; then
    echo "The browser program is not built yet; so far the libraries and their tests exist."
    exit 0
fi
cd "$folder"
exec ./quorra.exe
