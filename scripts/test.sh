#!/usr/bin/env bash
# Builds all three presets from scratch if needed and runs every test:
# unit and GL tests natively (plain and under AddressSanitizer/UBSan), shader
# validation, the reader's fuzzer, and the end-to-end tests of the Windows
# build under Wine and of the Linux build under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/fetch-glfw.sh >/dev/null

for preset in linux-asan linux windows; do
    echo "== build: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

for preset in linux-asan linux windows; do
    echo "== test: $preset"
    ctest --preset "$preset"
done
echo "All tests passed."
