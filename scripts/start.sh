#!/usr/bin/env bash
# Builds Linkwise and starts it. Without a display it says so and shows the
# core at work through linkwise-cli on the sample files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/linkwise "$@" samples/*.txt
fi
echo "No display found: running linkwise-cli on the samples instead of the desktop program."
build/bin/linkwise-cli --version
for f in samples/*.txt; do
    echo "== linkwise-cli check $f"
    build/bin/linkwise-cli check "$f" || true
done
