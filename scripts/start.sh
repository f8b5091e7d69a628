#!/usr/bin/env bash
# Builds Linkwise and starts it. Without a display it says so and shows the
# core at work through linkwise-cli on the sample files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/linkwise "$@" samples/border-links.txt
fi

echo "No display found: running linkwise-cli on the samples instead of the desktop program."
cli=build/bin/linkwise-cli
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
show() { echo; echo "\$ linkwise-cli $*"; "$cli" "$@" || true; }

show --version
show check samples/border-links.txt
show calc trigger samples/border-links.txt --report "$out/trigger.lwrpt"
show report "$out/trigger.lwrpt"
show calc single samples/link-pair.txt --report "$out/pair.lwrpt"
show report "$out/pair.lwrpt"
show calc single samples/repeater-link.txt --report "$out/repeater.lwrpt"
show report "$out/repeater.lwrpt"
echo; echo "\$ linkwise-cli calc detail samples/terrain/ridge-links.txt samples/terrain/ridge-links.txt --tx t:0 --rx r:3 --terrain samples/terrain --out detail.txt | head -70"
"$cli" calc detail samples/terrain/ridge-links.txt samples/terrain/ridge-links.txt --tx t:0 --rx r:3 \
    --terrain samples/terrain --out "$out/detail.txt" | head -70 || true
