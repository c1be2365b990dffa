#!/usr/bin/env bash
# Start-up cost of the wizard next to an empty Qt window linked the same way:
# time from starting the process to the window's first paint, and resident
# memory (VmRSS) at that moment; medians over several runs.
#
#   bench/startup.sh [build folder] [runs]
#
# Without a display it runs itself again under xvfb-run. The settings store
# is a private one holding both folders, so no settings window comes first.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
runs="${2:-15}"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$runs"
fi

wizard="$build/bin/bench_startup_wizard"
empty="$build/bin/bench_empty_widget"
source "$here/common.sh"
need_built "the bench_startup_wizard and bench_empty_widget targets" "$wizard" "$empty"
mkdir -p "$scratch/home/.config/Varnwick" "$scratch/game/Textures" "$scratch/game/System" \
    "$scratch/runtime"
chmod 700 "$scratch/runtime"
printf '[Settings]\nUTDir=%s\nUTXDir=%s\n' "$scratch/game" "$scratch/game/Textures" \
    > "$scratch/home/.config/Varnwick/Varnwick.conf"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime"

# One run: milliseconds to first paint and VmRSS in kB.
measure() {
    local start output paint rss
    start=$(date +%s%N)
    output=$("$@" 2>/dev/null)
    paint=$(sed -n 's/^paint_ns=//p' <<<"$output")
    rss=$(sed -n 's/^rss_kb=//p' <<<"$output")
    [ -n "$paint" ] && [ -n "$rss" ] || { echo "no first paint from $1" >&2; exit 1; }
    echo "$(( (paint - start) / 1000 )) $rss"
}


# A first start of each fills the caches; it is not counted.
measure "$wizard" >/dev/null
measure "$empty" >/dev/null
: > "$scratch/wizard"; : > "$scratch/empty"
for ((i = 0; i < runs; i++)); do
    measure "$wizard" >> "$scratch/wizard"
    measure "$empty" >> "$scratch/empty"
done

wizard_us=$(cut -d' ' -f1 "$scratch/wizard" | median)
empty_us=$(cut -d' ' -f1 "$scratch/empty" | median)
wizard_kb=$(cut -d' ' -f2 "$scratch/wizard" | median)
empty_kb=$(cut -d' ' -f2 "$scratch/empty" | median)
printf '%-14s %16s %12s\n' "program" "first paint ms" "VmRSS kB"
printf '%-14s %16.1f %12.0f\n' "empty widget" "$(bc -l <<<"$empty_us / 1000")" "$empty_kb"
printf '%-14s %16.1f %12.0f\n' "wizard" "$(bc -l <<<"$wizard_us / 1000")" "$wizard_kb"
printf '%-14s %16.2f %12.2f\n' "ratio" "$(bc -l <<<"$wizard_us / $empty_us")" \
    "$(bc -l <<<"$wizard_kb / $empty_kb")"
