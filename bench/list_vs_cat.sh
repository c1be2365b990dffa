#!/usr/bin/env bash
# `varnwick-cli --list` over a game's Textures folder worth of packages in one
# process, beside `cat` of the same files: whole-process wall time, medians of
# several runs, and their ratio. --list has no reason to read the pixels, so
# it should cost no more than reading every byte once.
#
#   bench/list_vs_cat.sh [build folder] [packages folder] [copies] [runs]
#
# The packages folder's .utx files (default: the shared game packages) are
# copied `copies` times into a scratch folder (default 45: 180 packages).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
packages="${2:-$here/../../shared/fixtures/ut-full}"
copies="${3:-45}"
runs="${4:-9}"
cli="$build/bin/varnwick-cli"
[ -x "$cli" ] || { echo "missing $cli: build the varnwick-cli target" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for ((i = 0; i < copies; ++i)); do
    for f in "$packages"/*.utx; do cp "$f" "$scratch/$i-$(basename "$f")"; done
done
files=("$scratch"/*.utx)
cat "${files[@]}" >/dev/null # into the page cache for both

# Median wall milliseconds of `runs` runs of the command.
median_ms() {
    local times=() start
    for ((r = 0; r < runs; ++r)); do
        start=$(date +%s%N)
        "$@" >/dev/null
        times+=($((($(date +%s%N) - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

list=$(median_ms "$cli" --list "${files[@]}")
plain=$(median_ms cat "${files[@]}")
bytes=$(cat "${files[@]}" | wc -c)
echo "${#files[@]} packages, $((bytes / 1048576)) MiB"
echo "--list: ${list} ms   cat: ${plain} ms   ratio: $(awk -v a="$list" -v b="$plain" 'BEGIN { printf "%.2f", (b ? a / b : 0) }')"
