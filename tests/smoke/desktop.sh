# The real program's windows and a sound server of our own, for the scripts that drive the program as a person would:
# tests/smoke/smoke.sh and bench/voice_delay.sh source this file. The caller defines fail (say why and exit) and
# remember (note a background process for its clean-up), and sets work (a folder of its own); log names the program's
# log, app_pid its process.
# shellcheck shell=bash disable=SC2154 # work, log and app_pid are the caller's

# The window of the given exact title, once it is mapped; empty when it is not there.
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
wait_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(window "$1")
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
wait_gone() {
    for _ in $(seq 100); do
        [ -z "$(window "$1")" ] && return 0
        sleep 0.1
    done
    return 1
}
# The one visible program window that is neither the splash nor the menu.
exercise_window() {
    local id name
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
            name=$(xdotool getwindowname "$id" 2>/dev/null || true)
            if [ "$name" != "Form1" ] && [ "$name" != "Form2" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
# A new window ignores presses for the double-click interval, counted from when the program shows it; on a busy machine
# that can be long before the window is seen, or long after. The program says when the interval is over.
wait_takes_presses() {
    for _ in $(seq 400); do
        grep -q "^tavenzo.screens: window $1 " "$log" && return 0
        sleep 0.05
    done
    fail "window $1 did not say within 20 s that it takes presses"
}
click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# A PulseAudio server of our own, in user mode with its files under $work, that plays into a null sink whose monitor
# we record. The sink does not rewind, so what the program writes is what the monitor hears, in order.
start_sound_server() {
    local pa="$work/pulse"
    mkdir -p "$pa/home" "$pa/runtime"
    chmod 700 "$pa/runtime"
    HOME="$pa/home" XDG_CONFIG_HOME="$pa/home/.config" XDG_RUNTIME_DIR="$pa/runtime" \
        pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --log-target=stderr \
        -L "module-native-protocol-unix socket=$pa/native auth-anonymous=1" \
        -L "module-null-sink sink_name=smoke rate=44100 channels=1 norewinds=1" >"$pa/log" 2>&1 &
    sound_server_pid=$!
    remember "$sound_server_pid"
    sound_server="unix:$pa/native"
    for _ in $(seq 50); do
        pactl --server="$sound_server" info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    sed 's/^/  pulseaudio: /' "$pa/log" >&2
    fail "the sound server did not start"
}

stop_sound_server() {
    if [ -n "${sound_server_pid:-}" ]; then
        kill "$sound_server_pid" 2>/dev/null || true
        wait "$sound_server_pid" 2>/dev/null || true
        sound_server_pid=""
    fi
}

# Records the null sink's monitor into the raw file $1 (16-bit mono, 44.1 kHz) until stop_recording.
start_recording() {
    parec --server="$sound_server" -d smoke.monitor --raw --format=s16le --rate=44100 --channels=1 \
        --latency-msec=20 >"$1" 2>>"$work/parec.log" &
    recorder=$!
    remember "$recorder"
    sleep 0.3
}
stop_recording() {
    if [ -n "${recorder:-}" ]; then
        kill "$recorder" 2>/dev/null || true
        wait "$recorder" 2>/dev/null || true
        recorder=""
    fi
}
