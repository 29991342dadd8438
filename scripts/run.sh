#!/usr/bin/env bash
# Builds the programs, lays out the program folder under build/programfolder and starts the
# browser from it, or with "deskvane" the desktop manager (dv/dv.exe).
#
# The browser runs headless (there is no display presenter yet): Ctrl+C or SIGTERM closes its main
# window as a user would, so it saves its settings and ends. "--seconds N" ends it that way after
# N seconds. With PLATFORM_PNG_AT_EXIT set to a folder, pictures of the screen and of each window
# are written there as the run ends.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=""
program=quorra.exe
name="The browser"
while (($#)); do
    case "$1" in
        deskvane)
            program=dv/dv.exe
            name="The desktop manager"
            shift
            ;;
        --seconds)
            seconds=${2:?"--seconds needs a number"}
            shift 2
            ;;
        *)
            echo "usage: $0 [deskvane] [--seconds N]" >&2
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
    [manager/program/deskvane]=dv/dv.exe
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
if [[ ! -x "$folder/$program" ]]; then
    echo "$name is not built." >&2
    exit 1
fi
# A program runs from its own folder, as the autostart entries of the Run keys start it.
cd "$folder/$(dirname "$program")"
program=./$(basename "$program")
if [[ -z "$seconds" ]]; then
    echo "$name runs headless; Ctrl+C closes it."
    exec "$program"
fi
"$program" &
running=$!
sleep "$seconds"
kill -TERM "$running" 2>/dev/null || true
wait "$running"
