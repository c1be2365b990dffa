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
source "$here/common.sh"
need_built varnwick-cli "$cli"

for ((i = 0; i < copies; ++i)); do
    for f in "$packages"/*.utx; do cp "$f" "$scratch/$i-$(basename "$f")"; done
done
files=("$scratch"/*.utx)
cat "${files[@]}" >/dev/null # into the page cache for both

list=$(median_ms "$runs" "$cli" --list "${files[@]}")
plain=$(median_ms "$runs" cat "${files[@]}")
bytes=$(cat "${files[@]}" | wc -c)
echo "${#files[@]} packages, $((bytes / 1048576)) MiB"
echo "--list: ${list} ms   cat: ${plain} ms   ratio: $(awk -v a="$list" -v b="$plain" 'BEGIN { printf "%.2f", (b ? a / b : 0) }')"
