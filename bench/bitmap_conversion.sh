#!/usr/bin/env bash
# Times reading the eight floor pictures from the program's resources into
# staging floats, as start-up does, without OpenGL. Builds bench/bitmap_conversion
# in the `linux` preset with the benchmarks on (build/bench-linux, or the
# folder in GP_BENCH_LINUX_DIR) first.
#
#   bench/bitmap_conversion.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${GP_BENCH_LINUX_DIR:-build/bench-linux}

cmake --preset linux -B "$build_dir" -DGP_BUILD_BENCH=ON >/dev/null
cmake --build "$build_dir" --target bitmap_conversion >/dev/null
"$build_dir/bench/bitmap_conversion" "${1:-7}"
