#!/usr/bin/env bash
# Builds the program and runs every test twice: in the normal build, and in a
# build with AddressSanitizer + UndefinedBehaviorSanitizer (LeakSanitizer on).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scripts/build.sh build
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 600)
scripts/package-test.sh build
scripts/build.sh build-asan -DZELVORA_SANITIZE=ON -DZELVORA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure --parallel "$(nproc)" --timeout 900)
