#!/usr/bin/env bash
# Builds Linkwise and runs the whole test suite (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 900
