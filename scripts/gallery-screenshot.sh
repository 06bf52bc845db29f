#!/usr/bin/env bash
# Usage: scripts/gallery-screenshot.sh OUT.png
# Runs tessel-gallery on a virtual display (Xvfb, installed when missing) and writes a picture
# of its window to OUT.png. BUILD_DIR picks the build folder (default: build); the gallery is
# built there when it is missing.
set -euo pipefail

out=${1:-}
if [[ -z "$out" ]]; then
    echo "usage: $0 OUT.png" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
gallery=$build/bin/tessel-gallery

if [[ ! -x "$gallery" ]]; then
    cmake --build "$build" --target tessel-gallery
fi

if ! command -v Xvfb >/dev/null 2>&1; then
    echo "Xvfb is missing: installing it" >&2
    if [[ $(id -u) -eq 0 ]]; then
        apt-get update -qq && apt-get install -y -qq xvfb
    else
        sudo apt-get update -qq && sudo apt-get install -y -qq xvfb
    fi
fi

# A free display number.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.1
done

case "$out" in
    /*) target=$out ;;
    *) target=$PWD/$out ;;
esac
DISPLAY=":$display" TESSEL_BACKEND=sdl "$gallery" --screenshot "$target"
