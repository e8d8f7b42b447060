#!/usr/bin/env bash
# Sets up the machine, builds ルミタグ (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMITAG_TESTS=OFF
cmake --build build-release --target lumitag
exec build-release/src/app/lumitag
