#!/usr/bin/env bash
# Start-up time of the program: from process start until its splash window "Form1" is mapped on an X display and
# until its first paint reaches the server, cold (page cache dropped before every run, which needs root) and warm,
# with its CPU time, page faults and resident set at the first paint.
#
#   bench/startup.sh [--runs N] [--map-timer PATH] [--arg ARG]... PROGRAM [PROGRAM...]
#
# Several programs (a build before and after a change, the program and an empty Qt window) are measured in turns, so
# a busy machine weighs on all of them alike; each --arg is given to every program (--arg --schermo-intero).
# Prints one Markdown row per program and kind:
#   | program | kind | runs | median paint ms | min ms | max ms | median map ms | median CPU ms | page faults |
#   RSS at paint MiB | RSS 0.5 s later MiB | paint ÷ last program's |
# The last column is the median, over the turns, of the program's first paint divided by the last program's in the
# same turn: on a machine whose load comes and goes it is steadier than a ratio of the two medians.
# Uses $DISPLAY when set, otherwise starts its own Xvfb (1280x1024, or BENCH_SCREEN) on a free display.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
runs=5
timer=""
programs=()
args=()
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs=$2; shift 2 ;;
    --map-timer) timer=$2; shift 2 ;;
    --arg) args+=("$2"); shift 2 ;;
    -h | --help) sed -n '2,14p' "$0"; exit 0 ;;
    *) programs+=("$(realpath "$1")"); shift ;;
    esac
done
[ "${#programs[@]}" -gt 0 ] || { echo "usage: $0 [--runs N] [--map-timer PATH] [--arg ARG]... PROGRAM..." >&2; exit 2; }
if [ -z "$timer" ]; then
    timer=$(realpath "$here/../build-release/bench/tavenzo_map_timer" 2>/dev/null || true)
fi
[ -x "$timer" ] || { echo "startup: no map timer (build with -DTAVENZO_BUILD_BENCH=ON, or pass --map-timer)" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    n=140
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${BENCH_SCREEN:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
# A private runtime folder keeps Qt from warning about a missing one on every start.
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"

can_drop=no
if [ -w /proc/sys/vm/drop_caches ] && sync && echo 3 >/proc/sys/vm/drop_caches 2>/dev/null; then
    can_drop=yes
fi

# One run: prints "painted mapped cpu faults rss_paint rss_settled" (painted is -1 where the first paint cannot be
# seen). A run that fails (no window painted within ten seconds) is reported and prints "failed"; it is left out of
# the figures, and the runs column counts the others.
measure() {
    local out
    if ! out=$("$timer" Form1 10000 500 "$1" "${args[@]}" 2>&1 >"$work/run.out"); then
        echo "startup: a run of $1 failed: $out" >&2
        echo failed
        return 0
    fi
    sed -E 's/mapped_ms=([0-9.-]+) painted_ms=([0-9.-]+) cpu_ms=([0-9.]+) faults=([0-9-]+) rss_paint_kib=([0-9-]+) rss_settled_kib=([0-9-]+)/\2 \1 \3 \4 \5 \6/' \
        "$work/run.out"
}

kinds=(warm)
[ "$can_drop" = yes ] && kinds=(cold warm)
for p in "${programs[@]}"; do
    measure "$p" >/dev/null # the first start fills the caches the warm runs rely on
done
for kind in "${kinds[@]}"; do
    for i in $(seq "$runs"); do
        for index in "${!programs[@]}"; do
            if [ "$kind" = cold ]; then
                sync
                echo 3 >/proc/sys/vm/drop_caches
            fi
            measure "${programs[$index]}" >>"$work/$kind.$index"
        done
    done
done

# Median of one number a line, printed with the given format (default one decimal); "-" for none or not seen.
median() {
    sort -n | awk -v format="${1:-%.1f}" '{v[NR] = $1} END {if (NR == 0 || v[1] < 0) print "-"; else printf format, v[int((NR + 1) / 2)]}'
}
last=$((${#programs[@]} - 1))
for index in "${!programs[@]}"; do
    label="${programs[$index]}${args[*]:+ ${args[*]}}"
    for kind in "${kinds[@]}"; do
        ratio=-
        if [ "$index" -ne "$last" ]; then
            ratio=$(paste -d' ' "$work/$kind.$index" "$work/$kind.$last" \
                | awk '$1 != "failed" && $1 > 0 && $7 != "failed" && $7 > 0 {print $1 / $7}' | median %.2f)
        fi
        grep -v failed "$work/$kind.$index" >"$work/$kind.$index.ok" || true
        f="$work/$kind.$index.ok"
        printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$label" "$kind" "$(wc -l <"$f")" \
            "$(cut -d' ' -f1 "$f" | median)" "$(cut -d' ' -f1 "$f" | sort -n | head -n1)" \
            "$(cut -d' ' -f1 "$f" | sort -n | tail -n1)" "$(cut -d' ' -f2 "$f" | median)" \
            "$(cut -d' ' -f3 "$f" | median)" "$(cut -d' ' -f4 "$f" | median %d)" \
            "$(cut -d' ' -f5 "$f" | awk '{print $1 / 1024}' | median)" \
            "$(cut -d' ' -f6 "$f" | awk '{print $1 / 1024}' | median)" "$ratio"
    done
    [ "$can_drop" = yes ] || printf '| %s | cold | 0 | not measured: dropping the page cache needs root | | | | | | | | |\n' \
        "$label"
done
