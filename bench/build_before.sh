#!/usr/bin/env bash
# Builds the program as it was at an earlier commit, for the "before" columns
# of the benchmarks: the commit's files (git archive, no checkout) in
# OUT/src, its `linux` and `windows` presets with the benchmark programs, and
# the programs the benchmarks run copied to OUT/linux and OUT/windows.
#
#   bench/build_before.sh COMMIT OUT
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$1
out=$(realpath -m "$2")
root=$PWD
rm -rf "$out/src" "$out/linux" "$out/windows"
mkdir -p "$out/src" "$out/linux" "$out/windows"
git archive "$commit" | tar -x -C "$out/src"
# GLFW's sources are fetched once per checkout, never committed.
ln -s "$root/.deps" "$out/src/.deps"
echo "$commit" >"$out/COMMIT"
(
    cd "$out/src"
    cmake --preset linux -B build/linux -DGP_BUILD_BENCH=ON >/dev/null
    cmake --build build/linux --target Glimmerpond3D startup_probe water_bench >/dev/null
    cmake --preset windows -B build/windows -DGP_BUILD_BENCH=ON >/dev/null
    cmake --build build/windows --target Glimmerpond3D startup_probe >/dev/null
)
cp "$out/src/build/linux/Glimmerpond3D" "$out/src/build/linux/bench/startup_probe" \
    "$out/src/build/linux/bench/water_bench" "$out/linux/"
cp "$out/src/build/windows/Glimmerpond3D.scr" "$out/src/build/windows/bench/startup_probe.exe" \
    "$out/windows/"
rm -rf "$out/src"
