#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test suite; then builds the whole
# project a second time with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/) and runs
# every suite again there, failing on any report.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPAGEWRIGHT_SANITIZE=ON "$@" >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/../scripts/lsan.supp:print_suppressions=0"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
