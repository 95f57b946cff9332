#!/usr/bin/env bash
# How soon the word is heard after the answer sound: the real program with --voce, in the missing-first-letter
# exercise in the automatic mode, answering right again and again, heard on a PulseAudio server of our own (a null
# sink recorded from its monitor). For each right answer, the time from the answer sound's last sample above -60 dBFS
# to the word's first one; target 50 ms at the 95th percentile. Every right answer plays si1.wav here, so the recording
# says where the answer ends; every word starts with "a", so the key "a" is always right.
#
#   bench/voice_delay.sh [path/to/tavenzo] [answers]     default build/bin/tavenzo, 12 answers
#
# Prints one Markdown row: answers heard, words heard, delay p50 / p95 / max in ms, target met or missed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$(realpath "${1:-$here/build/bin/tavenzo}")
answers=${2:-12}
content=$(dirname "$exe")
work=$(mktemp -d)
pids=()
remember() { pids+=("$1"); }
# shellcheck source-path=SCRIPTDIR source=../tests/smoke/desktop.sh
source "$here/tests/smoke/desktop.sh"
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "voice_delay: $*" >&2
    [ -s "$work/tavenzo.log" ] && sed 's/^/  program: /' "$work/tavenzo.log" >&2
    exit 1
}
threshold=0.001

# A display and a sound server of our own.
n=150
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
remember $!
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
start_sound_server

# The program's folder: words that all start with "a", one answer sound.
folder="$work/program"
mkdir -p "$folder/suoni" "$work/run/home" "$work/run/config" "$work/run/runtime"
chmod 700 "$work/run/runtime"
cp "$exe" "$folder/tavenzo"
ln -s "$content/jpg" "$folder/jpg"
ln -s "$content/suoni/no.wav" "$folder/suoni/no.wav"
for i in 1 2 3 4; do ln -s "$content/suoni/si1.wav" "$folder/suoni/si$i.wav"; done
printf '%s\r\n' ape ala ago anatra ancora aquila arancia ala >"$folder/lista.txt"
log="$work/tavenzo.log"
(
    cd "$work/run"
    exec env -u QT_QPA_PLATFORM HOME="$work/run/home" XDG_CONFIG_HOME="$work/run/config" XDG_DATA_HOME="$work/run/data" \
        XDG_RUNTIME_DIR="$work/run/runtime" PULSE_SERVER="$sound_server" QT_LOGGING_RULES="tavenzo.screens.info=true" \
        QT_FORCE_STDERR_LOGGING=1 "$folder/tavenzo" --voce >"$log" 2>&1
) &
app_pid=$!
remember "$app_pid"

splash=$(wait_window Form1) || fail "no splash"
wait_takes_presses "$splash"
click_at "$splash" 600 560
menu=$(wait_window Form2) || fail "no menu"
wait_takes_presses "$menu"
# "prosegue automaticamente", then the missing-first-letter exercise.
click_at "$menu" 472 352
sleep 0.3
click_at "$menu" 161 50
screen=$(exercise_window) || fail "the exercise did not open"
wait_takes_presses "$screen"
bar=$(($(xdotool getwindowgeometry --shell "$screen" | sed -n 's/^HEIGHT=//p') - 575))

start_recording "$work/heard.raw"
for _ in $(seq "$answers"); do
    # Key "a", the first key; the next item comes by itself once the word has been heard.
    click_at "$screen" $((32 + 20)) $((bar + 336 + 16))
    sleep 2.6
done
stop_recording

# Per right answer: where its sound ends (its start plus how long si1.wav is heard) and where the sound after it
# starts, both measured by sample.
answer=$(sox "$content/suoni/si1.wav" -t dat - | awk -v t="$threshold" '/^;/ { next } { v = $2 < 0 ? -$2 : $2; if (v > t) { if (first == "") first = $1; last = $1 } } END { printf "%.5f", last - first }')
sox -t raw -r 44100 -e signed -b 16 -c 1 "$work/heard.raw" -t dat - | awk -v t="$threshold" -v a="$answer" -v want="$answers" '
    /^;/ { next }
    {
        v = $2 < 0 ? -$2 : $2
        if (v <= t) next
        # A sound after half a second of quiet is a new answer.
        if (last == "" || $1 - last > 0.5) { n++; start[n] = $1; after[n] = "" }
        if ($1 > start[n] + a + 0.0005 && after[n] == "") { after[n] = $1; prev[n] = last }
        last = $1
    }
    END {
        words = 0
        for (i = 1; i <= n; i++) {
            if (after[i] == "") continue
            # From the answer sound'"'"'s last loud sample to the word'"'"'s first.
            d = (after[i] - (prev[i] > start[i] + a ? start[i] + a : prev[i])) * 1000
            delays[++words] = d
        }
        # Sort.
        for (i = 1; i <= words; i++) for (j = i + 1; j <= words; j++) if (delays[j] < delays[i]) { x = delays[i]; delays[i] = delays[j]; delays[j] = x }
        p50 = words ? delays[int((words + 1) / 2)] : -1
        p95 = words ? delays[int(words * 0.95 + 0.999)] : -1
        mx = words ? delays[words] : -1
        verdict = words == want && n == want && p95 <= 50 ? "met" : "missed"
        printf "| lettera1, --voce, automatic mode | %d of %d | %d | %.1f | %.1f | %.1f | %s |\n", n, want, words, p50, p95, mx, verdict
    }'
