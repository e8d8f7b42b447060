#!/usr/bin/env bash
# Sets up the machine, builds everything in Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMITAG_SANITIZE=ON -DLUMITAG_WERROR=ON
cmake --build build-test
cd build-test
exec ctest --output-on-failure --timeout 600 -j2
