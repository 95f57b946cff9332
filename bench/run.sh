#!/usr/bin/env bash
# Builds Tavenzo in Release with the benchmarks and runs them all, then prints one summary table against the
# targets. Everything it prints also lands in build-release/bench-results/.
#
#   bench/run.sh            the whole set (about five minutes on two cores)
#   bench/run.sh --quick    fewer repetitions, for a first look
#
# Environment: BENCH_BUILD_DIR (default build-release), BENCH_RUNS (start-up runs, default 5).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BENCH_BUILD_DIR:-$here/build-release}"
runs="${BENCH_RUNS:-5}"
exercises=200
opens=40
min_time=0.5
if [ "${1:-}" = "--quick" ]; then
    exercises=50
    opens=10
    min_time=0.1
    runs=3
fi

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVENZO_BUILD_BENCH=ON -DTAVENZO_BUILD_TESTS=OFF
else
    cmake "$build" -DCMAKE_BUILD_TYPE=Release -DTAVENZO_BUILD_BENCH=ON >/dev/null
fi
cmake --build "$build" -j 2

results="$build/bench-results"
mkdir -p "$results"
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own for the runs under X.
n=140
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
display=":$n"
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"

screen_bench="$build/bench/tavenzo_screen_bench"
offscreen() { env -u DISPLAY QT_QPA_PLATFORM=offscreen "$@"; }
under_x() { env DISPLAY="$display" QT_QPA_PLATFORM=xcb "$@"; }

echo "== core benchmarks" >&2
"$build/bench/tavenzo_core_bench" --benchmark_min_time="$min_time" 2>/dev/null | tee "$results/core.txt" >&2

echo "== screens" >&2
: >"$results/screens.md"
for run in offscreen under_x; do
    "$run" "$screen_bench" --exercises "$exercises" --opens "$opens" | tee -a "$results/screens.md" >&2
done

echo "== memory" >&2
: >"$results/memory.md"
for run in offscreen under_x; do
    for list in bundled 500; do
        "$run" "$screen_bench" --memory 10 --list "$list" | tee -a "$results/memory.md" >&2
    done
done

echo "== start-up" >&2
DISPLAY=$display "$here/bench/startup.sh" --runs "$runs" --map-timer "$build/bench/tavenzo_map_timer" \
    "$build/bin/tavenzo" "$build/bench/tavenzo_qt_floor" | tee "$results/startup.md" >&2

echo "== start-up steps" >&2
for _ in $(seq 15); do
    DISPLAY=$display "$build/bench/tavenzo_startup_phases"
done >"$work/phases"
# Medians per step, in the order the steps run.
awk '{ if (!($1 in n)) order[++steps] = $1; n[$1]++; cpu[$1, n[$1]] = $2; faults[$1, n[$1]] = $3 }
    function median(a, key, count,    i, j, t, v) {
        for (i = 1; i <= count; i++) v[i] = a[key, i]
        for (i = 1; i <= count; i++) for (j = i + 1; j <= count; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        return v[int((count + 1) / 2)]
    }
    END { for (s = 1; s <= steps; s++) { k = order[s]; printf "| %s | %.1f | %d |\n", k, median(cpu, k, n[k]), median(faults, k, n[k]) } }' \
    "$work/phases" | tee "$results/phases.md" >&2

verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v != "-" && v + 0 <= limit + 0) ? "met" : "**missed**" }'; }

{
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."
    echo
    echo "| platform | list (words) | screen | new exercise p50 ms | p95 ms | max ms | open p50 ms | p95 ms | max ms | new ≤ 8 ms p95 | open ≤ 16 ms p95 |"
    echo "|---|---|---|---|---|---|---|---|---|---|---|"
    while IFS= read -r row; do
        new95=$(echo "$row" | awk -F'|' '{print $6}')
        open95=$(echo "$row" | awk -F'|' '{print $9}')
        echo "$row $(verdict "$new95" 8) | $(verdict "$open95" 16) |"
    done <"$results/screens.md"
    echo
    echo "| platform | list (words) | rounds | resident set after each round, MiB | growth round 2 → 10, MiB | ≤ 50 MiB | flat (within 2 MiB) |"
    echo "|---|---|---|---|---|---|---|"
    while IFS= read -r row; do
        last=$(echo "$row" | awk -F'|' '{n = split($5, v, " "); print v[n]}')
        growth=$(echo "$row" | awk -F'|' '{print $6}')
        echo "$row $(verdict "$last" 50) | $(verdict "$growth" 2) |"
    done <"$results/memory.md"
    echo
    echo "| program | start | runs | median ms | min ms | max ms | median CPU ms | page faults | RSS at map MiB | RSS 0.5 s later MiB | target |"
    echo "|---|---|---|---|---|---|---|---|---|---|---|"
    while IFS= read -r row; do
        kind=$(echo "$row" | awk -F'|' '{gsub(/ /, "", $3); print $3}')
        median=$(echo "$row" | awk -F'|' '{gsub(/ /, "", $5); print $5}')
        limit=50
        [ "$kind" = cold ] && limit=120
        case "$row" in
        *tavenzo_qt_floor*) echo "$row reference: an empty Qt window |" ;;
        *) echo "$row ≤ $limit ms: $(verdict "$median" "$limit") |" ;;
        esac
    done <"$results/startup.md"
    echo
    echo "| start-up step (median of 15 starts under X) | CPU ms | page faults |"
    echo "|---|---|---|"
    cat "$results/phases.md"
} | tee "$results/summary.md"
