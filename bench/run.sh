#!/usr/bin/env bash
# Builds Tavenzo in Release with the benchmarks and runs them all, in a window and in full-screen mode, then prints
# one summary against the targets. Everything it prints also lands in build-release/bench-results/.
#
#   bench/run.sh            the whole set (about four minutes on two cores, once built)
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
xvfb_pids=()
cleanup() {
    for pid in "${xvfb_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Displays of our own for the runs under X: the window rows at 1280x1024, the full-screen rows on a 1920x1080 screen
# (a classroom projector).
start_xvfb() {
    local n=140
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pids+=($!)
    for _ in $(seq 50); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 || { echo "run: Xvfb $1 did not start" >&2; exit 1; }
    display=":$n"
}
window_size=1280x1024
full_size=1920x1080
start_xvfb "$window_size"
window_display=$display
start_xvfb "$full_size"
full_display=$display
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"

screen_bench="$build/bench/tavenzo_screen_bench"
offscreen() { env -u DISPLAY QT_QPA_PLATFORM=offscreen "$@"; }
under_x() { env DISPLAY="$window_display" QT_QPA_PLATFORM=xcb "$@"; }
full_screen() { env DISPLAY="$full_display" QT_QPA_PLATFORM=xcb "$@" --schermo-intero; }

echo "== core benchmarks" >&2
"$build/bench/tavenzo_core_bench" --benchmark_min_time="$min_time" 2>/dev/null | tee "$results/core.txt" >&2

echo "== studio" >&2
: >"$results/studio.md"
for run in offscreen under_x; do
    echo "$run:" >>"$results/studio.md"
    "$run" "$build/bench/tavenzo_studio_bench" 10 2>/dev/null | tee -a "$results/studio.md" >&2
done

echo "== screens" >&2
: >"$results/screens.md"
for run in offscreen under_x full_screen; do
    "$run" "$screen_bench" --exercises "$exercises" --opens "$opens" | tee -a "$results/screens.md" >&2
done

echo "== memory" >&2
: >"$results/memory.md"
for run in offscreen under_x full_screen; do
    for list in bundled 500; do
        "$run" "$screen_bench" --memory 10 --list "$list" | tee -a "$results/memory.md" >&2
    done
done

echo "== start-up" >&2
DISPLAY=$window_display "$here/bench/startup.sh" --runs "$runs" --map-timer "$build/bench/tavenzo_map_timer" \
    "$build/bin/tavenzo" "$build/bench/tavenzo_qt_floor" | tee "$results/startup.md" >&2
DISPLAY=$full_display "$here/bench/startup.sh" --runs "$runs" --map-timer "$build/bench/tavenzo_map_timer" \
    --arg --schermo-intero "$build/bin/tavenzo" "$build/bench/tavenzo_qt_floor" | tee "$results/startup-full.md" >&2

echo "== the spoken word" >&2
"$here/bench/voice_delay.sh" "$build/bin/tavenzo" 20 | tee "$results/voice.md" >&2

echo "== start-up steps" >&2
# Medians per step, in the order the steps run: "step cpu faults".
step_medians() {
    awk '{ if (!($1 in n)) order[++steps] = $1; n[$1]++; cpu[$1, n[$1]] = $2; faults[$1, n[$1]] = $3 }
        function median(a, key, count,    i, j, t, v) {
            for (i = 1; i <= count; i++) v[i] = a[key, i]
            for (i = 1; i <= count; i++) for (j = i + 1; j <= count; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            return v[int((count + 1) / 2)]
        }
        END { for (s = 1; s <= steps; s++) { k = order[s]; printf "%s %.1f %d\n", k, median(cpu, k, n[k]), median(faults, k, n[k]) } }'
}
for _ in $(seq 15); do
    DISPLAY=$window_display "$build/bench/tavenzo_startup_phases"
done | step_medians >"$work/phases-window"
for _ in $(seq 15); do
    DISPLAY=$full_display "$build/bench/tavenzo_startup_phases" --schermo-intero
done | step_medians >"$work/phases-full"
# One row per step: the window's figures, then full screen's.
join -j1 -o 1.1,1.2,1.3,2.2,2.3 <(awk '{print NR "_" $0}' "$work/phases-window") \
    <(awk '{print NR "_" $0}' "$work/phases-full") \
    | sed -E 's/^[0-9]+_//' | awk '{printf "| %s | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5}' \
    | tee "$results/phases.md" >&2

verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v != "-" && v != "" && v + 0 <= limit + 0) ? "met" : "**missed**" }'; }
column() { echo "$1" | awk -F'|' -v n="$2" '{gsub(/^ +| +$/, "", $n); print $n}'; }

# Start-up rows with the program's first paint against the empty window's, same start (cold, warm), same screen and
# same turn (startup.sh's last column: the empty window is the last program measured).
startup_rows() {
    local file=$1 limit=$2 row
    while IFS= read -r row; do
        case "$row" in
        *tavenzo_qt_floor*) echo "$row reference: an empty Qt window |" ;;
        *) echo "$row ≤ $limit × the empty window: $(verdict "$(column "$row" 13)" "$limit") |" ;;
        esac
    done <"$file"
}

{
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), load average $(cut -d' ' -f1-3 /proc/loadavg) at the end; Xvfb $window_size for the window rows, $full_size for full screen."
    echo
    echo "| platform | mode | list (words) | screen | new exercise p50 ms | p95 ms | max ms | open p50 ms | p95 ms | max ms | new ≤ 8 ms p95 | open ≤ 16 ms p95 |"
    echo "|---|---|---|---|---|---|---|---|---|---|---|---|"
    while IFS= read -r row; do
        case "$row" in
        *"(empty window)"*) echo "$row reference | reference |" ;;
        *) echo "$row $(verdict "$(column "$row" 7)" 8) | $(verdict "$(column "$row" 10)" 16) |" ;;
        esac
    done <"$results/screens.md"
    echo
    echo "| platform | mode | list (words) | rounds | resident set after each round, MiB | growth round 2 → 10, MiB | private (RssAnon) after round 10, MiB | ≤ 40 MiB (window), ≤ 45 MiB (full screen) | flat (within 2 MiB) |"
    echo "|---|---|---|---|---|---|---|---|---|"
    while IFS= read -r row; do
        last=$(column "$row" 6 | awk '{print $NF}')
        limit=40
        case "$(column "$row" 3)" in full*) limit=45 ;; esac
        growth=$(column "$row" 7)
        echo "$row $(verdict "$last" "$limit") | $(verdict "$growth" 2) |"
    done <"$results/memory.md"
    echo
    echo "| program | start | runs | median first paint ms | min ms | max ms | median map ms | median CPU ms | page faults | RSS at paint MiB | RSS 0.5 s later MiB | paint ÷ empty window | target |"
    echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|"
    startup_rows "$results/startup.md" 1.3
    startup_rows "$results/startup-full.md" 1.5
    echo
    echo "| start-up step (median of 15 starts under X) | window CPU ms | page faults | full screen CPU ms | page faults |"
    echo "|---|---|---|---|---|"
    cat "$results/phases.md"
    echo
    echo "| spoken word | right answers heard | words heard | delay p50 ms | p95 ms | max ms | ≤ 50 ms p95 |"
    echo "|---|---|---|---|---|---|---|"
    cat "$results/voice.md"
} | tee "$results/summary.md"
