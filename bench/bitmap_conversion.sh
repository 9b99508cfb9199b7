#!/usr/bin/env bash
# Times reading the eight floor pictures from the program's resources into
# staging floats, as start-up does. Uses the native Release-with-debug-info
# build (the `linux` preset, or the folder in GP_BUILD_DIR), building it first.
#
#   bench/bitmap_conversion.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${GP_BUILD_DIR:-build/linux}

cmake --preset linux -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target glimmer_core glimmer_resources >/dev/null
program="$build_dir/bench/bitmap_conversion"
mkdir -p "$(dirname "$program")"
c++ -std=c++17 -O2 -I. -o "$program" bench/bitmap_conversion.cpp \
    "$build_dir/libglimmer_core.a" "$build_dir/libglimmer_resources.a"
"$program" "${1:-7}"
