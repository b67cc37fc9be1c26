#!/usr/bin/env bash
# Installs what is missing, checks that the system still compiles for 32-bit Windows, runs the
# threaded tests under ThreadSanitizer and then every test under AddressSanitizer and
# UndefinedBehaviorSanitizer. The last lines are CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== Windows (i686 mingw-w64): system library compile check"
cmake --preset mingw >/dev/null
cmake --build --preset mingw

echo "== ThreadSanitizer: threaded tests"
cmake --preset tsan >/dev/null
cmake --build --preset tsan --target threaded_tests
ctest --preset tsan

echo "== AddressSanitizer + UndefinedBehaviorSanitizer: all tests"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
