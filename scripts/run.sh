#!/usr/bin/env bash
# Builds the programs, lays out the program folder under build/programfolder and starts one of
# them from it: the browser (quorra, the default), the picture collector (glintora) or the desktop
# manager (deskvane), which starts its tray companion (dv/dvtp.exe with its hook library) in turn.
#
# With a desktop (DISPLAY set) the program shows there; without one it runs headless
# (PLATFORM_DISPLAY=headless or =desktop forces either). Ctrl+C or SIGTERM closes its main window
# as a user would, so the program saves its settings and ends. "--seconds N" ends it that way
# after N seconds. With PLATFORM_PNG_AT_EXIT set to a folder, pictures of the screen and of each
# window are written there as the run ends.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=""
program=quorra
while (($#)); do
    case "$1" in
        --seconds)
            seconds=${2:?"--seconds needs a number"}
            shift 2
            ;;
        quorra | glintora | deskvane)
            program=$1
            shift
            ;;
        *)
            echo "usage: $0 [quorra|glintora|deskvane] [--seconds N]" >&2
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
    [picture/program/glintora]=exec/gt/glintora.exe
    [manager/program/deskvane]=dv/dv.exe
    [tray/program/dvtp]=dv/dvtp.exe
    [tray/program/hookpad.so]=dv/hookpad.so
    # The desktop module and the page engine's module, beside each program that may load them.
    [browser/program/desktopdisplay.so]=desktopdisplay.so
    [browser/program/webkitview.so]=webkitview.so
    [picture/program/desktopdisplay.so]=exec/gt/desktopdisplay.so
    [picture/program/webkitview.so]=exec/gt/webkitview.so
    [manager/program/desktopdisplay.so]=dv/desktopdisplay.so
    [manager/program/webkitview.so]=dv/webkitview.so
)
for target in "${!programs[@]}"; do
    if [[ -f "build/release/$target" ]]; then
        mkdir -p "$folder/$(dirname "${programs[$target]}")"
        cp "build/release/$target" "$folder/${programs[$target]}"
    fi
done

if [[ -n "${PLATFORM_PNG_AT_EXIT:-}" ]]; then
    mkdir -p "$PLATFORM_PNG_AT_EXIT"
    PLATFORM_PNG_AT_EXIT=$(realpath "$PLATFORM_PNG_AT_EXIT")
    export PLATFORM_PNG_AT_EXIT
fi

declare -A files=([quorra]=quorra.exe [glintora]=exec/gt/glintora.exe [deskvane]=dv/dv.exe)
file=${files[$program]}
echo "Program folder: $folder"
if [[ ! -x "$folder/$file" ]]; then
    echo "The program $program is not built." >&2
    exit 1
fi
# Each program runs from its own folder, as its data paths are relative to it.
cd "$folder/$(dirname "$file")"
if [[ -z "$seconds" ]]; then
    echo "Ctrl+C closes $program."
    exec "./$(basename "$file")"
fi
"./$(basename "$file")" &
running=$!
sleep "$seconds"
kill -TERM "$running" 2>/dev/null || true
wait "$running"
