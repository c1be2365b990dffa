#!/usr/bin/env bash
# What --check costs beside --list over a game folder of 100 skin packages
# with their installed .int files: medians of whole-process wall times over
# several runs, and their ratio.
#
#   bench/check.sh [build folder] [runs] [package]
#
# The packages are copies of one real package (by default the game's
# SkTrooperSkins.utx from the shared fixtures); their .int files are written
# by varnwick-cli itself, so the check reads what it would be given.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
runs="${2:-7}"
package="${3:-$here/../../shared/fixtures/ut-full/SkTrooperSkins.utx}"
cli="$build/bin/varnwick-cli"
source "$here/common.sh"
need_built varnwick-cli "$cli"
[ -f "$package" ] || { echo "missing $package: give a package as the third argument" >&2; exit 1; }

mkdir -p "$scratch/game/Textures" "$scratch/game/System"
base="$(basename "$package" .utx)"
for i in $(seq -w 1 100); do
    cp "$package" "$scratch/game/Textures/${base}_$i.utx"
done
packages=("$scratch"/game/Textures/*.utx)
"$cli" --output-dir "$scratch/game/System" "${packages[@]}" >/dev/null 2>&1 || true

list=$(median_ms "$runs" "$cli" --list "${packages[@]}")
check=$(median_ms "$runs" "$cli" --check --installed --game-dir "$scratch/game" "${packages[@]}")
echo "100 packages: --list ${list} ms, --check ${check} ms (medians of $runs runs)"
awk -v c="$check" -v l="$list" 'BEGIN { printf "check/list %.2f, check-list %d ms\n", c / l, c - l }'
