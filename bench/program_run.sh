#!/usr/bin/env bash
# Times the whole cosmology program: wall time and peak memory over several runs,
# each in an empty directory with no standard input.
# Usage: bench/program_run.sh [path/to/cosmology] [runs]
set -euo pipefail
program=$(realpath "${1:-build/cosmology}")
runs=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for i in $(seq "$runs"); do
    dir="$work/run$i"
    mkdir "$dir"
    (cd "$dir" && /usr/bin/time -f "%e %M" -o "$work/time$i" "$program" </dev/null >/dev/null)
done
cat "$work"/time* | awk '{ wall += $1; if ($1 > worst) worst = $1; if (best == "" || $1 < best) best = $1;
                           if ($2 > rss) rss = $2 }
    END { printf "runs: %d  wall: mean %.3f s, best %.3f s, worst %.3f s  peak memory: %.1f MB\n",
                 NR, wall / NR, best, worst, rss / 1024 }'
