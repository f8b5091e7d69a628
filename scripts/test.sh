#!/usr/bin/env bash
# Builds Linkwise and runs the whole test suite (no display needed), then
# builds it again with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan (without benchmarks) and runs the suite a second time there.
# LINKWISE_SKIP_SANITIZE=1 leaves the second pass out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 900)

if [ "${LINKWISE_SKIP_SANITIZE:-0}" = 1 ]; then
    exit 0
fi
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Release -DLINKWISE_SANITIZE=ON -DLINKWISE_BENCHMARKS=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)"
cd build-asan
# Qt keeps some allocations for the life of the process; leaks are not what
# this pass looks for.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 1800
