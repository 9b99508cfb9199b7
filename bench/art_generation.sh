#!/usr/bin/env bash
# Times the picture generator (gen_art): all eight floors, the About picture
# and the icons, as the build makes them. Builds the tool natively (Release)
# into its own folder first, then runs it several times into a scratch folder.
#
#   bench/art_generation.sh [runs] [cores]
#
# runs: how many timed runs (default 5). cores: pin the runs to this many
# cores with taskset (default 2, the build machine's count; 0 leaves them free).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
cores=${2:-2}
tool_dir=${GP_BENCH_DIR:-build/bench-tools}

cmake -S tools -B "$tool_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tool_dir" --target gen_art >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

pin=()
if [ "$cores" -gt 0 ]; then
    pin=(taskset -c "0-$((cores - 1))")
fi
echo "gen_art on ${cores/#0/all} cores of $(nproc), $runs runs"
TIMEFORMAT='%R %U %S'
walls=()
for i in $(seq "$runs"); do
    times=$({ time "${pin[@]}" "$tool_dir/gen_art" "$out" >/dev/null; } 2>&1)
    read -r wall user sys <<<"$times"
    printf 'run %d: wall %.2f s, user %.2f s, system %.2f s\n' "$i" "$wall" "$user" "$sys"
    walls+=("$wall")
done
median=$(printf '%s\n' "${walls[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "median wall time: $median s"
