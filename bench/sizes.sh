#!/usr/bin/env bash
# What a user downloads, before and now: the .scr, the MSI, the .deb and the
# Linux program, in bytes and MB (10^6), from two source trees whose `linux`
# and `windows` presets are built here if needed (the MSI with the build, the
# .deb by the package target). Writes out/bench/sizes.md.
#   bench/sizes.sh BEFORE_TREE [NOW_TREE]
set -euo pipefail
cd "$(dirname "$0")/.."
before=$(realpath "$1")
now=$(realpath "${2:-.}")
mkdir -p out/bench
build() {
    (
        cd "$1"
        for preset in linux windows; do
            cmake --preset "$preset" >/dev/null
            cmake --build --preset "$preset" >/dev/null
        done
        cmake --build --preset linux --target package >/dev/null
    )
}
files() {
    local tree=$1
    echo "$tree/build/windows/Glimmerpond3D.scr" "$(ls "$tree"/build/windows/Glimmerpond3D-*.msi)" \
        "$(ls "$tree"/build/linux/glimmerpond3d_*_amd64.deb)" "$tree/build/linux/Glimmerpond3D"
}
build "$before"
build "$now"
read -r -a was <<<"$(files "$before")"
read -r -a is <<<"$(files "$now")"
{
    echo "| File | before, bytes | now, bytes | before, MB | now, MB |"
    echo "|---|---|---|---|---|"
    names=(".scr" "MSI" ".deb" "Linux program (unstripped)")
    for i in 0 1 2 3; do
        a=$(stat -c %s "${was[$i]}")
        b=$(stat -c %s "${is[$i]}")
        awk -v n="${names[$i]}" -v a="$a" -v b="$b" \
            'BEGIN { printf "| %s | %d | %d | %.1f | %.1f |\n", n, a, b, a / 1e6, b / 1e6 }'
    done
} | tee out/bench/sizes.md
