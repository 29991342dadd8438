#!/usr/bin/env bash
# Builds the programs, lays out the program folder under build/programfolder and starts the
# browser from it.
#
# With a desktop (DISPLAY set) the browser shows there; without one it runs headless
# (PLATFORM_DISPLAY=headless or =desktop forces either). Ctrl+C or SIGTERM closes its main window
# as a user would, so it saves its settings and ends. "--seconds N" ends it that way after
# N seconds. With PLATFORM_PNG_AT_EXIT set to a folder, pictures of the screen and of each window
# are written there as the run ends.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=""
while (($#)); do
    case "$1" in
        --seconds)
            seconds=${2:?"--seconds needs a number"}
            shift 2
            ;;
        *)
            echo "usage: $0 [--seconds N]" >&2
            exit 2
            ;;
    esac
done

scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release

folder=build/programfolder
mkdir -p "$folder"
if [[ -d programfolder ]]; then
    cp -r --update programfolder/. "$folder/"
fi

declare -A programs=(
    [browser/program/quorra]=quorra.exe
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

if [[ -n "${PLATFORM_PNG_AT_EXIT:-}" ]]; then
    mkdir -p "$PLATFORM_PNG_AT_EXIT"
    PLATFORM_PNG_AT_EXIT=$(realpath "$PLATFORM_PNG_AT_EXIT")
    export PLATFORM_PNG_AT_EXIT
fi

echo "Program folder: $folder"
if [[ ! -x "$folder/quorra.exe" ]]; then
    echo "The browser program is not built." >&2
    exit 1
fi
cd "$folder"
if [[ -z "$seconds" ]]; then
    echo "Ctrl+C closes the browser."
    exec ./quorra.exe
fi
./quorra.exe &
browser=$!
sleep "$seconds"
kill -TERM "$browser" 2>/dev/null || true
wait "$browser"
