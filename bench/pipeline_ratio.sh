#!/usr/bin/env bash
# varnwick-cli against a plain scripted version of the same name pipeline
# (bench/pipeline_scripted.py) on the synthetic 100k-name package, as whole
# processes: the two run in turn, and each pair's time ratio is taken so that
# a machine whose speed drifts still compares alike. Prints the medians of
# each command's wall and CPU seconds and of the pair ratios (scripted / cli).
#
#   bench/pipeline_ratio.sh [build folder] [runs]
#
# Needs the bench_Pipeline and varnwick-cli targets built, and python3.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
runs="${2:-9}"

cli="$build/bin/varnwick-cli"
fixture="$build/bench/bench_Pipeline"
source "$here/common.sh"
need_built "bench_Pipeline and varnwick-cli" "$cli" "$fixture"
python="$(python3 -c 'import sys; print(sys.executable)')"

package="$("$fixture" --write-fixture "$scratch/data")"

# One run: wall and CPU (user + system) seconds.
measure() {
    /usr/bin/time -f '%e %U %S' -o "$scratch/time" "$@" >/dev/null 2>&1
    awk '{print $1, $2 + $3}' "$scratch/time"
}


run_cli() { measure "$cli" --data-dir "$scratch/data" "$package" -o "$scratch/cli.int" --force; }
run_scripted() {
    measure "$python" "$here/pipeline_scripted.py" "$scratch/data" "$package" "$scratch/scripted.int"
}

# A first run of each fills the caches; it is not counted.
run_cli >/dev/null
run_scripted >/dev/null
cmp -s "$scratch/cli.int" "$scratch/scripted.int" ||
    echo "note: the two texts differ; the scripted version is no longer the same pipeline" >&2

: >"$scratch/pairs"
for _ in $(seq "$runs"); do
    echo "$(run_cli) $(run_scripted)" >>"$scratch/pairs"
done

column_median() { awk "{print $1}" "$scratch/pairs" | median; }
echo "runs: $runs pairs, 100k names"
echo "varnwick-cli  wall $(column_median '$1') s  cpu $(column_median '$2') s"
echo "scripted      wall $(column_median '$3') s  cpu $(column_median '$4') s"
echo "ratio scripted/cli  wall $(column_median '$3 / $1')  cpu $(column_median '$4 / $2')"
