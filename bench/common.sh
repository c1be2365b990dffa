# What the whole-process benchmarks share; sourced, not run. Expects `build`
# (the build folder) to be set.

# Exits with a hint unless every program is built: need_built TARGETS PROGRAM...
need_built() {
    local targets="$1" program
    shift
    for program in "$@"; do
        [ -x "$program" ] || { echo "missing $program: build $targets" >&2; exit 1; }
    done
}

# A scratch folder for this run, removed when the script ends.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# The median of the numbers on standard input, one a line.
median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

# Median wall milliseconds of RUNS runs of the command: median_ms RUNS COMMAND...
median_ms() {
    local runs="$1" start end
    shift
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        echo $(((end - start) / 1000000))
    done | median
}
