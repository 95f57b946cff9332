#!/usr/bin/env bash
# Smoke test of the real program under Xvfb, driven with real X input (xdotool) and, for sound, a real sound server.
#   tests/smoke/smoke.sh path/to/tavenzo
# Checks, each run against a program started afresh:
#   screens       splash, menu, every exercise in and out with "Esci" -> "Sì", then "Esci" -> "Sì" on the menu: the
#                 process ends by itself with status 0
#   splash-click  a double click on the splash where the menu's "Esci" appears does not reach "Esci"
#   title         the exercise windows carry no title; splash and menu keep theirs, every window keeps its class
#   config        opening and cancelling the word-list dialog leaves a fresh home and configuration folder empty, also
#                 without XDG_RUNTIME_DIR, when the temporary folder gets only the toolkit's empty runtime folder
#   double-click  a real double click on a word of "parole" counts as one answer
#   sound         one wrong and one right answer are heard on a PulseAudio server of our own, at their full length, and
#                 nothing is written into the fresh home and configuration folder
#   sound-session 24 answers in a row, some while the sound before still plays: every one is heard, at its length
#   sound-formats the failure sound in 8-bit, 24-bit, 32-bit and 48 kHz stereo PCM: each heard at its full length
#   studio        tavenzo --insegnante: six words typed in (one with an accent, without a picture), two phone photos imported (one stored turned, with its EXIF
#                 orientation), saved and made the start-up list; then the children's run plays parole with it,
#                 disegni shows both photos upright and whole, and the other four exercises open with it
#   list-double-click a double click on "Cambia lista di parole" opens the dialog and chooses nothing in it
#   f11           F11 takes the splash, the menu and an exercise to the full screen and back, the counts kept
#   voice         with --voce, a right answer is heard as its sound followed at once by the word, a wrong one as the
#                 failure sound alone; in the automatic mode the next item comes only after the word
#   studio-voice  in the studio, "Registra" records a word from a microphone of our own (a pipe source fed a tone
#                 between stretches of quiet) into voci/<word>.wav without the quiet; "Ascolta" plays it, and the
#                 synthesiser's word for a word without a recording
# SMOKE_SHOTS names a folder the studio check copies its screenshots into.
# SMOKE_ONLY picks checks by name; the names of exercise screens pick the screens check on just those screens:
#   SMOKE_ONLY=sound tests/smoke/smoke.sh build/bin/tavenzo
#   SMOKE_ONLY="parole disegni title" tests/smoke/smoke.sh build/bin/tavenzo
set -euo pipefail

exe=$(realpath "$1")
content=$(dirname "$exe")
display=${SMOKE_DISPLAY:-:97}
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
log=""
check=""

all_checks=(screens splash-click title config double-click key-double-click accents sound sound-session sound-formats voice
    full-screen studio list-double-click f11 studio-voice)
all_screens=(lettera1 lettera lettere parole disegni DISEGNI1)

# A recorded sound may be this much shorter or longer than the sound in its file and still count as that sound. Both
# are measured the same way, from the first to the last sample above the threshold, so a faithful playback comes out
# within a few milliseconds (the server's blocks); a sound cut off or stretched by a tenth of a second does not.
sound_tolerance=0.05
# In the session an answer that cuts off the one before is timed by the clock of this script, between two runs of
# xdotool, so the start of the cut-off sound may move by a few more milliseconds. A silent answer, a lost tail or a
# stretched sound are off by 0.15 s or more.
session_tolerance=0.08
# Samples above this fraction of full scale count as sound: -60 dBFS, far below any note, far above the null sink's
# digital silence.
sound_threshold=0.001

# ---------------------------------------------------------------------------------------------------------------------
# Processes. Everything started in the background is written down, so the final clean-up can end exactly those.

remember() { echo "$1" >>"$work/pids"; }

cleanup() {
    local pid
    if [ -f "$work/pids" ]; then
        while read -r pid; do kill "$pid" 2>/dev/null || true; done <"$work/pids"
    fi
    # Waiting for the server to go lets the next run take the same display at once.
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "smoke: FAIL${check:+ [$check]}: $*" >&2
    [ -n "$log" ] && [ -s "$log" ] && sed 's/^/  program: /' "$log" >&2
    exit 1
}

# Options given to the program by the check that runs it.
program_options=()
# Set by a check to start the program as a session without a runtime folder would: no XDG_RUNTIME_DIR, no sound server
# named, and a temporary folder of its own ($run/tmp) where what it leaves can be seen.
without_runtime_folder=""

# Starts the program in the folder $1 (its copy of tavenzo) with the extra environment given after it, from a
# working directory of its own, with a fresh home and configuration folder so no run reads or writes the machine's.
# Without a sound server of our own the program is pointed at a socket that does not exist: it then has no audio
# device, as on a machine without sound, and the sound library never starts a server of its own. The program is asked
# to say when each of its windows takes presses (wait_takes_presses).
start_program() {
    local folder=$1
    shift
    local run
    run=$(mktemp -d "$work/run.XXXX")
    mkdir -p "$run/cwd" "$run/home" "$run/config" "$run/runtime" "$run/tmp"
    chmod 700 "$run/runtime"
    log="$run/tavenzo.log"
    local session=(XDG_RUNTIME_DIR="$run/runtime" PULSE_SERVER="unix:$run/no-sound-server")
    local unset=()
    if [ -n "$without_runtime_folder" ]; then
        session=(TMPDIR="$run/tmp")
        unset=(-u XDG_RUNTIME_DIR -u PULSE_SERVER -u PULSE_RUNTIME_PATH -u PULSE_COOKIE)
    fi
    (
        cd "$run/cwd"
        unset QT_QPA_PLATFORM
        exec env "${unset[@]}" HOME="$run/home" XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/data" \
            "${session[@]}" QT_LOGGING_RULES="tavenzo.screens.info=true" QT_FORCE_STDERR_LOGGING=1 \
            "$@" "$folder/tavenzo" "${program_options[@]}" >"$log" 2>&1
    ) &
    app_pid=$!
    remember "$app_pid"
}

# Fails unless the program of the current check left its home, configuration and data folders as they were: empty, or
# not there. $1 says after what.
expect_nothing_written() {
    local run=${log%/tavenzo.log} left
    # The data folder is not made for the program, so find fails on it unless the program made it.
    left=$(cd "$run" && { find home config data -mindepth 1 2>/dev/null || true; } | paste -sd' ')
    [ -z "$left" ] || fail "the program wrote into its home or configuration folder $1: $left"
}

# Ends the program of the current check if it is still running.
stop_program() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    app_pid=""
}

# A program folder of our own: a copy of the executable (it finds its files beside its real path, so a link would not
# do), the given words as lista.txt with CR LF line ends, and the bundled pictures and sounds.
program_folder() {
    local folder="$work/$1"
    shift
    mkdir -p "$folder"
    cp "$exe" "$folder/tavenzo"
    ln -s "$content/jpg" "$folder/jpg"
    ln -s "$content/suoni" "$folder/suoni"
    printf '%s\r\n' "$@" >"$folder/lista.txt"
    echo "$folder"
}

# Waits for the program to end by itself; fails unless it ends with status 0.
expect_exit() {
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end after $1"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status after $1"
}

# ---------------------------------------------------------------------------------------------------------------------
# Windows and input.

# The program's windows, clicks and a sound server of our own are shared with the bench.
# shellcheck source-path=SCRIPTDIR source=desktop.sh
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
# A real double click: two presses 80 ms apart, well inside any double-click interval.
double_click_at() { xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 80 1; }
confirm_yes() { sleep 0.4; xdotool key Return; }
# Longer than the double-click interval (400 ms unless the desktop says otherwise): two single clicks this far apart
# stay two single clicks.
settle() { sleep 0.7; }

# Cancels the word-list dialog with Escape and closes the message that says the list stays as it was.
cancel_list_dialog() {
    xdotool key Escape
    wait_window Tavenzo >/dev/null || fail "cancelling the list dialog brought no message"
    sleep 0.3
    xdotool key Return
    wait_gone Tavenzo || fail "the message after the cancelled dialog did not close"
}

# Height of a window, and the position of its top-left corner on the screen.
window_height() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^HEIGHT=//p'; }
window_origin() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^[XY]=//p' | paste -sd' '; }

# An exercise window is a main window: its menu bar lies above the client area that the screen's positions refer to,
# so the bar is what the window has beyond the client height.
menu_bar_height() {
    local bar=$(($(window_height "$1") - $2))
    if [ "$bar" -le 0 ] || [ "$bar" -ge 60 ]; then
        fail "cannot place the client area: the window is $(window_height "$1") high for a client height of $2"
    fi
    echo "$bar"
}

# A property of a window as text, without quotes; empty when the property is absent or empty.
property() {
    xprop -id "$1" -notype "$2" 2>/dev/null | grep -v 'not found' | sed -e "s/^$2 = //" -e 's/"//g' || true
}

# Red, green and blue (0..255) of one pixel of a window, in window coordinates.
pixel() {
    import -window "$1" "$work/pixel.png"
    convert "$work/pixel.png" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}
# A rectangle of a window, in window coordinates, saved as a PNG.
capture() { import -window "$1" -crop "$4x$5+$2+$3" +repage "$6"; }
same_image() { compare -metric AE "$1" "$2" null: >/dev/null 2>&1; }

open_menu_from_splash() {
    local splash
    splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
    wait_takes_presses "$splash"
    click_at "$splash" 600 560
    wait_window Form2 >/dev/null || fail "the menu Form2 did not open from the splash"
    wait_gone Form1 || fail "the splash stayed open"
}

# Opens an exercise from the menu by the centre of its button; prints the exercise's window.
open_exercise() {
    local x=$1 y=$2 name=$3 menu screen
    menu=$(window Form2)
    [ -n "$menu" ] || fail "the menu is not shown before $name"
    wait_takes_presses "$menu"
    click_at "$menu" "$x" "$y"
    wait_gone Form2 || fail "$name did not open (the menu stayed)"
    screen=$(exercise_window) || fail "no window for $name"
    echo "$screen"
}

leave_exercise() {
    local screen=$1 name=$2
    settle
    # "Esci" is the last command of the menu bar: Alt opens the bar on its first command, Left wraps to the last.
    xdotool windowfocus "$screen" 2>/dev/null || true
    sleep 0.2
    xdotool key alt
    sleep 0.2
    xdotool key Left
    sleep 0.2
    xdotool key Return
    confirm_yes
    wait_window Form2 >/dev/null || fail "leaving $name with Esci -> Sì did not bring the menu back"
}

quit_from_menu() {
    local menu
    menu=$(window Form2)
    [ -n "$menu" ] || fail "the menu is not shown at the end"
    wait_takes_presses "$menu"
    click_at "$menu" 469 435
    confirm_yes
    expect_exit "Esci -> Sì on the menu"
}

# Centre of each exercise's button, in client pixels of the menu.
button_of() {
    case "$1" in
    lettera1) echo "161 50" ;;
    lettera) echo "467 50" ;;
    lettere) echo "161 147" ;;
    parole) echo "467 147" ;;
    disegni) echo "161 243" ;;
    DISEGNI1) echo "469 243" ;;
    esac
}

# ---------------------------------------------------------------------------------------------------------------------
# The checks.

check_screens() {
    start_program "$content"
    local splash
    splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
    sleep 0.5
    import -window root "$work/splash.png"
    local spread
    spread=$(convert "$work/splash.png" -format "%[fx:standard_deviation]" info:)
    awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' || fail "the splash screenshot is blank (spread $spread)"
    echo "smoke: splash shown (screenshot spread $spread)"
    open_menu_from_splash
    echo "smoke: menu shown"
    local name screen
    for name in "${screens[@]}"; do
        # shellcheck disable=SC2046
        screen=$(open_exercise $(button_of "$name") "$name")
        leave_exercise "$screen" "$name"
        echo "smoke: $name opened and left"
    done
    quit_from_menu
    echo "smoke: the program ended with status 0"
}

# The first press of a double click on the splash opens the menu; the second must not act on the menu, which now lies
# under the pointer with "Esci" exactly there.
check_splash_click() {
    start_program "$content"
    local splash menu
    splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
    wait_takes_presses "$splash"
    local splash_at
    splash_at=$(window_origin "$splash")
    double_click_at "$splash" 469 435
    menu=$(wait_window Form2) || fail "the double click on the splash did not open the menu"
    [ "$(window_origin "$menu")" = "$splash_at" ] \
        || fail "the menu opened at $(window_origin "$menu"), not where the splash was ($splash_at): cannot aim at Esci"
    sleep 1
    [ -z "$(window Tavenzo)" ] \
        || fail "the second click of a double click on the splash reached the menu's Esci: the exit question came up"
    # The pointer is on "Esci": once the menu takes presses a single click there is taken.
    wait_takes_presses "$menu"
    click_at "$menu" 469 435
    wait_window Tavenzo >/dev/null || fail "a single click on the menu's Esci brought no exit question"
    xdotool key Return
    expect_exit "Esci -> Sì on the menu"
    echo "smoke: splash-click: a double click on the splash opened the menu and went no further"
}

check_title() {
    start_program "$content"
    local splash menu screen name title prop
    splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
    [ "$(property "$splash" _NET_WM_NAME)" = Form1 ] || fail "the splash is titled '$(property "$splash" _NET_WM_NAME)'"
    local class
    class=$(property "$splash" WM_CLASS)
    [ -n "$class" ] || fail "the splash has no WM_CLASS"
    open_menu_from_splash
    menu=$(window Form2)
    [ "$(property "$menu" _NET_WM_NAME)" = Form2 ] || fail "the menu is titled '$(property "$menu" _NET_WM_NAME)'"
    for name in "${all_screens[@]}"; do
        # shellcheck disable=SC2046
        screen=$(open_exercise $(button_of "$name") "$name")
        # Read once the window has settled, not in the instant it is mapped.
        settle
        for prop in _NET_WM_NAME WM_NAME; do
            title=$(property "$screen" "$prop")
            [ -z "$title" ] || fail "the $name window carries the title '$title' ($prop)"
        done
        [ "$(property "$screen" WM_CLASS)" = "$class" ] \
            || fail "the $name window has WM_CLASS '$(property "$screen" WM_CLASS)', not '$class'"
        leave_exercise "$screen" "$name"
    done
    quit_from_menu
    echo "smoke: title: no exercise window has a title; splash Form1, menu Form2, WM_CLASS $class throughout"
}

check_config() {
    config_dialog_run
    # Without a runtime folder the sound library would make folders of its own in the configuration folder and in the
    # temporary folder. The toolkit makes its own runtime folder there, empty, and warns; nothing else may appear.
    without_runtime_folder=yes
    config_dialog_run
    without_runtime_folder=""
    local tmp=${log%/tavenzo.log}/tmp left
    left=$(cd "$tmp" && find . -mindepth 1 ! -path "./runtime-$(id -un)" | sed 's|^\./||' | paste -sd' ')
    [ -z "$left" ] || fail "without XDG_RUNTIME_DIR the program left in the temporary folder: $left"
    echo "smoke: config: the same without XDG_RUNTIME_DIR and a sound server named, and nothing left in the temporary folder"
}

config_dialog_run() {
    start_program "$content"
    open_menu_from_splash
    local menu
    menu=$(window Form2)
    wait_takes_presses "$menu"
    click_at "$menu" 163 339
    # The dialog is the one program window besides the menu.
    exercise_window >/dev/null || fail "Cambia lista di parole opened no dialog"
    settle
    cancel_list_dialog
    quit_from_menu
    expect_nothing_written "after the list dialog"
    echo "smoke: config: the list dialog opened and cancelled left the home and configuration folders empty"
}

# A real double click on a wrong word must count one wrong answer. Two single wrong clicks give the picture of the
# wrong count " 2"; after "Azzera conteggio", one single wrong click and one double click must give the same picture.
check_double_click() {
    start_program "$(program_folder parole-words cane gatto mela sole nave casa)"
    open_menu_from_splash
    local screen bar
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of parole) parole)
    bar=$(menu_bar_height "$screen" 502)
    # The first word, inside its border; a right answer turns it red and waits for avanti.
    local word_x=$((48 + 109)) word_y=$((bar + 56 + 28)) corner_x=51 corner_y=$((bar + 59))
    local found="" rgb
    wait_takes_presses "$screen"
    for _ in $(seq 10); do
        settle
        click_at "$screen" "$word_x" "$word_y"
        sleep 0.3
        rgb=$(pixel "$screen" "$corner_x" "$corner_y")
        if ! awk -v c="$rgb" 'BEGIN { split(c, v, " "); exit !(v[1] > 200 && v[2] < 60 && v[3] < 60) }'; then
            found=yes
            break
        fi
        # Right: avanti (472, 376, 129 x 65) builds another exercise.
        settle
        click_at "$screen" 536 $((bar + 408))
    done
    [ -n "$found" ] || fail "the first word of parole was right in ten exercises running"
    settle
    click_at "$screen" "$word_x" "$word_y"
    settle
    local count_x=296 count_y=$((bar + 9))
    capture "$screen" "$count_x" "$count_y" 57 41 "$work/two.png"
    # "Azzera conteggio" is the first command of the menu bar.
    click_at "$screen" 40 $((bar / 2))
    settle
    capture "$screen" "$count_x" "$count_y" 57 41 "$work/zero.png"
    same_image "$work/two.png" "$work/zero.png" && fail "the wrong count looks the same before and after Azzera conteggio"
    click_at "$screen" "$word_x" "$word_y"
    settle
    double_click_at "$screen" "$word_x" "$word_y"
    settle
    capture "$screen" "$count_x" "$count_y" 57 41 "$work/after.png"
    same_image "$work/two.png" "$work/after.png" \
        || fail "one click and one double click on a wrong word did not count 2 wrong answers (see the count label)"
    leave_exercise "$screen" parole
    quit_from_menu
    echo "smoke: double-click: a double click on a wrong word of parole counted one wrong answer"
}

# The centre of key $1 (0..20) of a letter screen's keyboard, seven keys a row, in the window whose menu bar is $2 high.
key_at() { echo "$((32 + 56 * ($1 % 7) + 20)) $(($2 + 336 + 40 * ($1 / 7) + 16))"; }
# The keys' indexes in keyboard order: a b c d e f g h i l m n o p q r s t u v z.
key_of() {
    local keys=abcdefghilmnopqrstuvz
    local before=${keys%%"$1"*}
    echo "${#before}"
}

# A count label of a letter screen as a picture: $1 the window, $2 the label's x, y in the form, $3 the bar's height,
# $4 the file.
count_picture() {
    local x y
    read -r x y <<<"$2"
    capture "$1" "$x" $((y + $3)) 57 41 "$4"
}

# A real double click on a key counts one press: on a wrong key of the spell-the-word exercise, whose keys stay, one
# wrong answer, the same as a single click gives.
check_key_double_click() {
    start_program "$(program_folder key-words orso)"
    open_menu_from_splash
    local screen bar errati="520 136"
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of lettere) lettere)
    bar=$(menu_bar_height "$screen" 480)
    wait_takes_presses "$screen"
    # shellcheck disable=SC2046
    click_at "$screen" $(key_at "$(key_of z)" "$bar")
    settle
    count_picture "$screen" "$errati" "$bar" "$work/one.png"
    # "Azzera conteggio" is the first command of the menu bar.
    click_at "$screen" 40 $((bar / 2))
    settle
    count_picture "$screen" "$errati" "$bar" "$work/zero.png"
    same_image "$work/one.png" "$work/zero.png" && fail "the wrong count looks the same before and after Azzera conteggio"
    # shellcheck disable=SC2046
    double_click_at "$screen" $(key_at "$(key_of z)" "$bar")
    settle
    count_picture "$screen" "$errati" "$bar" "$work/after.png"
    same_image "$work/one.png" "$work/after.png" \
        || fail "a double click on a wrong key of lettere did not count exactly one wrong answer (see the count label)"
    leave_exercise "$screen" lettere
    quit_from_menu
    echo "smoke: key-double-click: a double click on a wrong key of lettere counted one wrong answer"
}

# A word with an accent is finished with the key of its plain vowel: "città" in the missing-inner-letter exercise
# (until the masked letter is the "à", each try on "a" being right or wrong; a case switch brings a new exercise) and
# spelt whole in spell-the-word, each time counted right and never wrong.
check_accents() {
    start_program "$(program_folder accent-words città)"
    open_menu_from_splash
    local screen bar found=""
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of lettera) lettera)
    bar=$(menu_bar_height "$screen" 575)
    wait_takes_presses "$screen"
    count_picture "$screen" "85 93" "$bar" "$work/esatti-before.png"
    local option=2
    for _ in $(seq 30); do
        count_picture "$screen" "91 135" "$bar" "$work/errati-before.png"
        settle
        # shellcheck disable=SC2046
        click_at "$screen" $(key_at "$(key_of a)" "$bar")
        settle
        count_picture "$screen" "85 93" "$bar" "$work/esatti-now.png"
        if ! same_image "$work/esatti-before.png" "$work/esatti-now.png"; then
            found=yes
            break
        fi
        count_picture "$screen" "91 135" "$bar" "$work/errati-now.png"
        same_image "$work/errati-before.png" "$work/errati-now.png" \
            && fail "a press on the key a in lettera counted neither right nor wrong"
        # Another letter was masked: "minuscolo" or "MAIUSCOLO" builds a new exercise.
        click_at "$screen" 553 $((bar + 160 + 24 * (option - 1)))
        option=$((3 - option))
    done
    [ -n "$found" ] || fail "the key a never finished città in lettera (thirty exercises)"
    leave_exercise "$screen" lettera

    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of lettere) lettere)
    bar=$(menu_bar_height "$screen" 480)
    wait_takes_presses "$screen"
    count_picture "$screen" "518 100" "$bar" "$work/esatti-before.png"
    count_picture "$screen" "520 136" "$bar" "$work/errati-before.png"
    for letter in c i t t a; do
        settle
        # shellcheck disable=SC2046
        click_at "$screen" $(key_at "$(key_of "$letter")" "$bar")
    done
    # The completed word counts after its pause of four seconds.
    sleep 5
    count_picture "$screen" "518 100" "$bar" "$work/esatti-now.png"
    count_picture "$screen" "520 136" "$bar" "$work/errati-now.png"
    same_image "$work/errati-before.png" "$work/errati-now.png" || fail "spelling citta in lettere counted a wrong answer"
    same_image "$work/esatti-before.png" "$work/esatti-now.png" && fail "spelling citta in lettere did not finish città"
    leave_exercise "$screen" lettere
    quit_from_menu
    echo "smoke: accents: città finished with the key a in lettera and spelt citta in lettere"
}


# Start and length (seconds) of each stretch of sound in the audio that sox reads with the given arguments, one line
# each. Pauses shorter than 150 ms belong to the sound around them (the failure sound has one between its two notes).
sound_bursts() {
    sox "$@" -t dat - | awk -v thr="$sound_threshold" -v gap=0.15 '
        /^;/ { next }
        {
            v = $2 < 0 ? -$2 : $2
            if (v <= thr) next
            if (!on) { start = $1; on = 1 }
            else if ($1 - last > gap) { printf "%.3f %.3f\n", start, last - start; start = $1 }
            last = $1
        }
        END { if (on) printf "%.3f %.3f\n", start, last - start }'
}

# How long a sound file is heard: its stretches of sound from the first to the last, measured as a recording is.
audible_length() {
    sound_bursts "$1" | awk 'NR == 1 { first = $1 } { end = $1 + $2 } END { printf "%.3f\n", end - first }'
}

recorded_bursts() { sound_bursts -t raw -r 44100 -e signed -b 16 -c 1 "$1"; }

# Succeeds when length $1 is within the tolerance $2 of how long one of the sound files given after them is heard.
matches_one_of() {
    local length=$1 tolerance=$2 file
    shift 2
    for file in "$@"; do
        awk -v a="$length" -v b="$(audible_length "$file")" -v t="$tolerance" \
            'BEGIN { exit !(a - b <= t && b - a <= t) }' && return 0
    done
    return 1
}

# How long each of the given sound files is heard, for messages.
audible_lengths() {
    local file
    for file in "$@"; do echo "$(basename "$file") $(audible_length "$file") s"; done | paste -sd, | sed 's/,/, /g'
}

# The recording chain itself: a file played by the server's own player must be heard at its full length, so that a
# sound found short later is the program's doing.
check_recorder() {
    local sounds="$content/suoni" bursts
    start_recording "$work/control.raw"
    paplay --server="$sound_server" "$sounds/no.wav"
    sleep 0.3
    stop_recording
    bursts=$(recorded_bursts "$work/control.raw")
    if [ "$(echo "$bursts" | grep -c .)" -ne 1 ] || ! matches_one_of "$(echo "$bursts" | cut -d' ' -f2)" "$sound_tolerance" "$sounds/no.wav"; then
        fail "the recorder did not hear paplay's no.wav as it is: heard ${bursts:-nothing} (start, length)"
    fi
    echo "smoke: $check: the recorder hears no.wav played by paplay for $(echo "$bursts" | cut -d' ' -f2) s"
}

# A program on our own sound server whose one word is "ape", in the missing-first-letter exercise; sets the caller's
# screen (the exercise's window) and bar (its menu bar's height).
start_sound_exercise() {
    start_sound_server
    check_recorder
    open_sound_exercise "$(program_folder "$1" ape)"
}

# The program in the folder $1 on our sound server, in the missing-first-letter exercise; sets screen and bar.
open_sound_exercise() {
    start_program "$1" PULSE_SERVER="$sound_server"
    open_menu_from_splash
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of lettera1) lettera1)
    bar=$(menu_bar_height "$screen" 575)
    wait_takes_presses "$screen"
}

# The length of the longest of the given sound files, plus $1 seconds.
longest_plus() {
    local extra=$1
    shift
    for f in "$@"; do soxi -D "$f"; done | sort -n | tail -n 1 | awk -v extra="$extra" '{ print $1 + extra }'
}

check_sound() {
    local sounds="$content/suoni" bursts screen bar
    start_sound_exercise sound-words
    local wrong_wait right_wait
    # Each answer is given time for its sound to end, with room to spare.
    wrong_wait=$(longest_plus 0.7 "$sounds/no.wav")
    right_wait=$(longest_plus 0.7 "$sounds"/si[1-4].wav)
    start_recording "$work/heard.raw"
    # The word shows as "_pe": key b (1) is wrong, key a (0) is right.
    # shellcheck disable=SC2046
    click_at "$screen" $(key_at 1 "$bar")
    sleep "$wrong_wait"
    # shellcheck disable=SC2046
    click_at "$screen" $(key_at 0 "$bar")
    sleep "$right_wait"
    stop_recording
    bursts=$(recorded_bursts "$work/heard.raw")
    echo "smoke: sound: heard (start, length in seconds): $(echo "$bursts" | paste -sd';' | sed 's/;/; /g')"
    [ "$(echo "$bursts" | grep -c .)" -eq 2 ] || fail "expected 2 sounds in the recording, heard: ${bursts:-nothing}"
    local wrong right
    wrong=$(echo "$bursts" | sed -n 1p | cut -d' ' -f2)
    right=$(echo "$bursts" | sed -n 2p | cut -d' ' -f2)
    matches_one_of "$wrong" "$sound_tolerance" "$sounds/no.wav" \
        || fail "the wrong answer was heard for $wrong s, not as $(audible_lengths "$sounds/no.wav") (± $sound_tolerance s)"
    matches_one_of "$right" "$sound_tolerance" "$sounds"/si[1-4].wav \
        || fail "the right answer was heard for $right s, not as any of $(audible_lengths "$sounds"/si[1-4].wav) (± $sound_tolerance s)"
    stop_program
    # A sound library meeting a server for the first time in an account writes a cookie, unless it is kept from it.
    expect_nothing_written "on a sound server"
    echo "smoke: sound: a wrong and a right answer were heard as no.wav and one of si1..si4.wav"
}

# The sample formats the README says play, each heard whole through the program's one sink: the failure sound written
# as 8-bit unsigned, 24-bit (which Qt's decoder hands over as 16-bit) and 32-bit PCM, and as 16-bit stereo at 48 kHz,
# all under the plain header that the decoder reads.
check_sound_formats() {
    local screen bar format name folder bursts heard=""
    start_sound_server
    check_recorder
    for format in "8-bit:-e unsigned -b 8" "24-bit:-e signed -b 24" "32-bit:-e signed -b 32" "stereo-48k:-c 2 -r 48000"; do
        name=${format%%:*}
        folder=$(program_folder "format-$name" ape)
        rm "$folder/suoni"
        mkdir "$folder/suoni"
        ln -s "$content"/suoni/si[1-4].wav "$folder/suoni/"
        # shellcheck disable=SC2086
        sox -D "$content/suoni/no.wav" ${format#*:} -t wavpcm "$folder/suoni/no.wav"
        open_sound_exercise "$folder"
        start_recording "$work/format-$name.raw"
        # The word shows as "_pe": key b (1) is wrong.
        # shellcheck disable=SC2046
        click_at "$screen" $(key_at 1 "$bar")
        sleep "$(longest_plus 0.7 "$folder/suoni/no.wav")"
        stop_recording
        stop_program
        bursts=$(recorded_bursts "$work/format-$name.raw")
        if [ "$(echo "$bursts" | grep -c .)" -ne 1 ] \
            || ! matches_one_of "$(echo "$bursts" | cut -d' ' -f2)" "$sound_tolerance" "$folder/suoni/no.wav"; then
            fail "no.wav in $name was heard as ${bursts:-nothing} (start, length), not once as" \
                "$(audible_lengths "$folder/suoni/no.wav") (± $sound_tolerance s)"
        fi
        heard="$heard $name:$(echo "$bursts" | cut -d' ' -f2)"
    done
    echo "smoke: sound-formats: the failure sound heard whole in each format (s):$heard"
}

# A long session in the missing-first-letter exercise, answered as a quick child does: rounds of one answer, each
# heard to its end, and rounds of two, the second given 0.35 s after the first, while its sound still plays. The word is
# "ape": key a (0) is right, then "avanti" brings the next exercise; every other key is wrong once per exercise. A
# round is heard as one sound: from the start of its first answer's sound to the end of its last, which plays whole.
# So each round must give one sound, as long as the time between its answers plus the last answer's sound file.
check_sound_session() {
    local sounds="$content/suoni" screen bar
    start_sound_exercise session-words
    local no_wait si_wait
    no_wait=$(longest_plus 0.6 "$sounds/no.wav")
    si_wait=$(longest_plus 0.6 "$sounds"/si[1-4].wav)
    # w: a wrong answer, r: a right one; one word a round.
    local rounds=(w ww w ww wr r ww w wr ww w ww r ww wr)
    local round answer key wrong_key=1 first last answers=0
    : >"$work/rounds"
    start_recording "$work/session.raw"
    for round in "${rounds[@]}"; do
        first=""
        for ((i = 0; i < ${#round}; i++)); do
            answer=${round:i:1}
            [ "$i" -eq 0 ] || sleep 0.35
            if [ "$answer" = r ]; then
                key=0
                wrong_key=1
            else
                key=$wrong_key
                wrong_key=$((wrong_key + 1))
            fi
            last=$EPOCHREALTIME
            [ -n "$first" ] || first=$last
            # shellcheck disable=SC2046
            click_at "$screen" $(key_at "$key" "$bar")
            answers=$((answers + 1))
        done
        echo "$first $last $round" >>"$work/rounds"
        if [ "$answer" = r ]; then
            sleep "$si_wait"
            # avanti (448, 368, 129 x 65)
            click_at "$screen" 512 $((bar + 400))
            sleep 0.3
        else
            sleep "$no_wait"
        fi
    done
    stop_recording
    local bursts
    bursts=$(recorded_bursts "$work/session.raw")
    echo "smoke: sound-session: $answers answers in ${#rounds[@]} rounds; heard (start, length in seconds):" \
        "$(echo "$bursts" | paste -sd';' | sed 's/;/; /g')"
    local heard_count
    heard_count=$(echo "$bursts" | grep -c . || true)
    if [ "$heard_count" -ne "${#rounds[@]}" ]; then
        fail "expected ${#rounds[@]} sounds, one a round, heard $heard_count: an answer was not heard, or came late" \
            "(rounds at $(awk 'NR == 1 { t0 = $1 } { printf "%.2f%s ", $1 - t0, $3 }' "$work/rounds")s)"
    fi
    local n=0 line length gap kind own owns=""
    while read -r first last round; do
        n=$((n + 1))
        line=$(echo "$bursts" | sed -n "${n}p")
        length=$(echo "$line" | cut -d' ' -f2)
        gap=$(awk -v a="$first" -v b="$last" 'BEGIN { printf "%.3f", b - a }')
        # The last answer's own sound: what the round was heard for, less the time to that answer.
        own=$(awk -v l="$length" -v g="$gap" 'BEGIN { printf "%.3f", l - g }')
        owns="$owns $round:$own"
        if [ "${round: -1}" = r ]; then kind=right; else kind=wrong; fi
        if [ "$kind" = right ]; then
            matches_one_of "$own" "$session_tolerance" "$sounds"/si[1-4].wav \
                || fail "round $n ($round): heard for $length s with $gap s between its answers, so the right answer" \
                    "for $own s, not as any of $(audible_lengths "$sounds"/si[1-4].wav) (± $session_tolerance s)"
        else
            matches_one_of "$own" "$session_tolerance" "$sounds/no.wav" \
                || fail "round $n ($round): heard for $length s with $gap s between its answers, so the wrong answer" \
                    "for $own s, not as $(audible_lengths "$sounds/no.wav") (± $session_tolerance s)"
        fi
    done <"$work/rounds"
    stop_program
    echo "smoke: sound-session: each round's last answer heard for (s):$owns"
    echo "smoke: sound-session: every one of $answers answers was heard, each round's last sound whole"
}

# A 1920 x 1080 X server of the check's own on the first free display after the main one, which becomes DISPLAY.
start_full_hd_screen() {
    local n=$((${display#:} + 1))
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    local server=$!
    remember "$server"
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    if ! xdpyinfo >/dev/null 2>&1 || ! kill -0 "$server" 2>/dev/null; then
        fail "no 1920 x 1080 X server of our own on $DISPLAY"
    fi
}

# The classroom mode on a 1920 x 1080 screen of its own: every screen covers the display, and what it shows spans its
# table's width times the factor at which it fits.
check_full_screen() {
    start_full_hd_screen
    program_options=(--schermo-intero)
    start_program "$content"

    # covers <window> <name> <designed width> <designed height> <has a menu bar>
    covers() {
        local id=$1 name=$2 width=$3 height=$4 bar=0 size shot="$work/full-$2.png" content factor
        size=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd'x')
        [ "$size" = "1920x1080" ] || fail "$name is $size, not the whole 1920 x 1080 screen"
        # The menu bar grows with the screen too; what lies below this much of the top is the client area.
        [ "$5" = yes ] && bar=60
        import -window root "$shot"
        # What differs from the background colour below the menu bar: the screen's controls, pictures and words.
        content=$(convert "$shot" -crop "1920x$((1080 - bar))+0+$bar" +repage -fuzz 3% -trim -format "%w" info:)
        factor=$(awk -v w="$width" -v h="$height" -v b="$bar" 'BEGIN { f = 1920 / w; g = (1080 - b) / h; print (g < f ? g : f) }')
        awk -v c="$content" -v f="$factor" -v w="$width" 'BEGIN { exit !(c >= 0.75 * f * w && c <= f * w + 2) }' \
            || fail "$name shows $content pixels across, not about $factor times its $width"
        echo "smoke: full-screen: $name covers 1920 x 1080, content $content pixels across (factor $factor)"
    }
    # The centre of a menu button, in pixels of the full-screen menu.
    scaled_button() {
        awk -v x="$1" -v y="$2" 'BEGIN { f = 1920 / 676; g = 1080 / 498; f = g < f ? g : f;
            printf "%d %d\n", (1920 - int(676 * f + 0.5)) / 2 + x * f, y * f }'
    }

    local splash menu name screen
    splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
    settle
    covers "$splash" splash 707 608 no
    wait_takes_presses "$splash"
    click_at "$splash" 960 1000
    menu=$(wait_window Form2) || fail "the menu did not open from the full-screen splash"
    settle
    covers "$menu" menu 676 498 no
    for name in "${screens[@]}"; do
        # shellcheck disable=SC2046
        screen=$(open_exercise $(scaled_button $(button_of "$name")) "$name")
        settle
        case "$name" in
        lettera1 | lettera) covers "$screen" "$name" 706 575 yes ;;
        lettere) covers "$screen" "$name" 624 480 yes ;;
        parole) covers "$screen" "$name" 672 502 yes ;;
        disegni) covers "$screen" "$name" 640 480 yes ;;
        DISEGNI1) covers "$screen" "$name" 638 480 yes ;;
        esac
        leave_exercise "$screen" "$name"
    done
    menu=$(window Form2)
    wait_takes_presses "$menu"
    # shellcheck disable=SC2046
    click_at "$menu" $(scaled_button 469 435)
    confirm_yes
    expect_exit "Esci -> Sì on the full-screen menu"
}

# A photo of four coloured quarters (red, lime / blue, yellow), as a phone saves it: $1 the file, $2 the EXIF
# orientation (1 upright, 6 stored a quarter turn away, as a phone held on its side saves it). ImageMagick writes no
# EXIF of its own, so the segment with the orientation tag goes in by hand, right after the start of the image.
phone_photo() {
    local turn=()
    [ "$2" = 6 ] && turn=(-rotate 270)
    convert \( -size 200x150 xc:red -size 200x150 xc:lime +append \) \
        \( -size 200x150 xc:blue -size 200x150 xc:yellow +append \) -append "${turn[@]}" -quality 95 "jpg:$1.plain"
    {
        head -c 2 "$1.plain"
        printf '\xff\xe1\x00\x22Exif\x00\x00MM\x00\x2a\x00\x00\x00\x08\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01'
        # The orientation as a big-endian SHORT, padded to four bytes, then no further directory.
        printf '\x00'
        case $2 in
        1) printf '\x01' ;;
        6) printf '\x06' ;;
        esac
        printf '\x00\x00\x00\x00\x00\x00'
        tail -c +3 "$1.plain"
    } >"$1"
    rm "$1.plain"
    [ "$(identify -format '%[orientation]' "$1")" = "$([ "$2" = 6 ] && echo RightTop || echo TopLeft)" ] ||
        fail "the test photo $1 does not carry orientation $2"
}

# Whether the picture box at x y w h of a window shows the four quarters upright: red top left, lime top right, blue
# bottom left, yellow bottom right.
shows_quarters() {
    local window=$1 x=$2 y=$3 w=$4 h=$5
    import -window "$window" "$work/box.png"
    convert "$work/box.png" -format \
        "%[fx:int(255*p{$((x + w / 4)),$((y + h / 4))}.r)] %[fx:int(255*p{$((x + w / 4)),$((y + h / 4))}.g)] %[fx:int(255*p{$((x + w / 4)),$((y + h / 4))}.b)] %[fx:int(255*p{$((x + 3 * w / 4)),$((y + h / 4))}.r)] %[fx:int(255*p{$((x + 3 * w / 4)),$((y + h / 4))}.g)] %[fx:int(255*p{$((x + 3 * w / 4)),$((y + h / 4))}.b)] %[fx:int(255*p{$((x + w / 4)),$((y + 3 * h / 4))}.r)] %[fx:int(255*p{$((x + w / 4)),$((y + 3 * h / 4))}.g)] %[fx:int(255*p{$((x + w / 4)),$((y + 3 * h / 4))}.b)] %[fx:int(255*p{$((x + 3 * w / 4)),$((y + 3 * h / 4))}.r)] %[fx:int(255*p{$((x + 3 * w / 4)),$((y + 3 * h / 4))}.g)] %[fx:int(255*p{$((x + 3 * w / 4)),$((y + 3 * h / 4))}.b)]" \
        info: | awk '{ exit !($1 > 180 && $2 < 80 && $3 < 80 && $4 < 80 && $5 > 180 && $6 < 80 &&
                             $7 < 80 && $8 < 80 && $9 > 180 && $10 > 180 && $11 > 180 && $12 < 80) }'
}

# The studio window of the running program; its title names the list.
studio_window() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --pid "$app_pid" --name "Tavenzo, liste di parole" 2>/dev/null | head -n 1 | grep . &&
            return 0
        sleep 0.1
    done
    return 1
}

# A file chosen in the open or save dialog: the name field has the focus, so the path is typed and confirmed.
choose_file() {
    sleep 1
    xdotool key ctrl+a
    xdotool type --delay 15 "$1"
    sleep 0.2
    xdotool key Return
    sleep 1
}

check_studio() {
    local photos="$work/telefono" data="$work/studio-data"
    mkdir -p "$photos" "$data"
    phone_photo "$photos/IMG_0001.jpg" 6
    phone_photo "$photos/IMG_0002.jpg" 1
    program_options=(--insegnante)
    start_program "$content" XDG_DATA_HOME="$data"
    local studio
    studio=$(studio_window) || fail "tavenzo --insegnante showed no studio window"
    wait_takes_presses "$studio"
    local word
    for word in zio nonna città cane gatto mela; do
        # "Aggiungi una parola" (the first button under the table) opens the new row for typing.
        click_at "$studio" 75 561
        sleep 0.4
        xdotool type --delay 15 "$word"
        xdotool key Return
        sleep 0.3
        if [ "$word" = zio ] || [ "$word" = nonna ]; then
            # "Scegli la figura…", for the row just added.
            click_at "$studio" 65 589
            choose_file "$photos/$([ "$word" = zio ] && echo IMG_0001.jpg || echo IMG_0002.jpg)"
        fi
    done
    import -window "$studio" "$work/studio.png"
    # Save: a new list goes to the teacher's folder under the name the dialog offers, parole.txt.
    xdotool key ctrl+s
    choose_file "$data/tavenzo/parole.txt"
    [ -f "$data/tavenzo/parole.txt" ] || fail "the studio did not save the list (see $work/studio.png)"
    [ "$(cat "$data/tavenzo/parole.txt")" = "$(printf 'zio\r\nnonna\r\ncittà\r\ncane\r\ngatto\r\nmela\r')" ] ||
        fail "the saved list is not the six words in UTF-8 with CR LF: $(od -c "$data/tavenzo/parole.txt" | head -5)"
    local picture
    for picture in zio nonna; do
        [ "$(identify -format '%m %wx%h' "$data/tavenzo/jpg/$picture.jpg" 2>/dev/null)" = "JPEG 600x600" ] ||
            fail "the photo of $picture was not imported as a 600 x 600 JPEG"
    done
    # "Usa questa lista all'avvio": the menu Lista, its sixth entry (the separator is skipped).
    click_at "$studio" 20 8
    sleep 0.4
    xdotool key Down Down Down Down Down Down Return
    confirm_yes
    [ -f "$data/tavenzo/lista.txt" ] || fail "\"Usa questa lista all'avvio\" did not write the teacher's lista.txt"
    # Nothing is left unsaved, so closing (Ctrl+W) asks nothing and ends the program.
    # Without a window manager the keyboard goes where the pointer clicked last: on the studio's summary line.
    sleep 0.4
    click_at "$studio" 600 60
    sleep 0.3
    xdotool key ctrl+w
    expect_exit "closing the studio with the list saved"
    echo "smoke: studio: six words (one with an accent) and two photos made, saved and made the start-up list"

    program_options=()
    start_program "$content" XDG_DATA_HOME="$data"
    # The start-up list is checked once the splash is up: città has no picture, and the message says so.
    local splash
    splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
    wait_takes_presses "$splash"
    sleep 1
    xdotool key Return
    open_menu_from_splash
    local screen bar
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of parole) parole)
    wait_takes_presses "$screen"
    bar=$(menu_bar_height "$screen" 502)
    settle
    click_at "$screen" $((48 + 109)) $((bar + 56 + 28))
    settle
    leave_exercise "$screen" parole
    # disegni shows all six pictures: both photos among them, upright and whole.
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of disegni) disegni)
    wait_takes_presses "$screen"
    bar=$(menu_bar_height "$screen" 480)
    import -window "$screen" "$work/disegni.png"
    local upright=0 box
    for box in "32 56 169 153" "224 56 177 153" "424 56 169 153" "32 216 169 153" "224 216 176 153" "424 216 169 153"; do
        local x y w h
        read -r x y w h <<<"$box"
        shows_quarters "$screen" "$((x + 6))" "$((bar + y + 6))" "$((w - 12))" "$((h - 12))" && upright=$((upright + 1))
    done
    [ -z "${SMOKE_SHOTS:-}" ] || cp "$work/studio.png" "$work/disegni.png" "$SMOKE_SHOTS/"
    [ "$upright" -eq 2 ] || fail "disegni shows $upright of the two photos upright (see $work/disegni.png)"
    leave_exercise "$screen" disegni
    local name
    for name in lettera1 lettera lettere DISEGNI1; do
        # shellcheck disable=SC2046
        screen=$(open_exercise $(button_of "$name") "$name")
        leave_exercise "$screen" "$name"
    done
    quit_from_menu
    echo "smoke: studio: parole played with the teacher's list, disegni shows both photos upright, the other four open"
}

# The dialog opens under the pointer, its list of files where the button was; the second click of a double click on
# the button must not select a file there (Return would then open it) but land on nothing, as on a new screen.
check_list_double_click() {
    start_program "$content"
    open_menu_from_splash
    local menu dialog
    menu=$(window Form2)
    wait_takes_presses "$menu"
    double_click_at "$menu" 163 339
    dialog=$(exercise_window) || fail "a double click on Cambia lista di parole opened no dialog"
    wait_takes_presses "$dialog"
    settle
    import -window root "$work/list-double-click.png"
    xdotool key Return
    sleep 1
    [ -n "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | grep -x "$dialog")" ] \
        || fail "the second click of the double click chose a list in the dialog (Return opened it)"
    cancel_list_dialog
    quit_from_menu
    echo "smoke: list-double-click: the dialog opened by a double click took no press of it"
}

# F11 on a 1920 x 1080 screen of its own, the program started in windows: each screen goes full-screen and comes back
# at its own size; in parole a count made before the switches shows the same after them.
check_f11() {
    start_full_hd_screen
    start_program "$(program_folder f11-words cane gatto mela sole nave casa)"

    size_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd'x'; }
    # press_f11 <window> <name> <size expected after it>
    press_f11() {
        xdotool windowfocus "$1" 2>/dev/null || true
        sleep 0.2
        xdotool key F11
        local size=""
        for _ in $(seq 50); do
            size=$(size_of "$1")
            [ "$size" = "$3" ] && break
            sleep 0.1
        done
        [ "$size" = "$3" ] || fail "after F11 $2 is $size, not $3"
        echo "smoke: f11: $2 is $3"
    }

    local splash menu screen bar
    splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
    settle
    local splash_size
    splash_size=$(size_of "$splash")
    press_f11 "$splash" splash 1920x1080
    press_f11 "$splash" splash "$splash_size"
    open_menu_from_splash
    menu=$(window Form2)
    press_f11 "$menu" menu 1920x1080
    press_f11 "$menu" menu 676x498
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of parole) parole)
    bar=$(menu_bar_height "$screen" 502)
    wait_takes_presses "$screen"
    # The first word: right or wrong, one of the two counts moves from "0".
    click_at "$screen" 157 $((bar + 84))
    settle
    # Both count labels, from Esatti's to Errati's right edge.
    capture "$screen" 136 $((bar + 9)) 217 41 "$work/f11-before.png"
    press_f11 "$screen" parole 1920x1080
    import -window root "$work/f11-parole-full.png"
    press_f11 "$screen" parole "672x$((502 + bar))"
    settle
    capture "$screen" 136 $((bar + 9)) 217 41 "$work/f11-after.png"
    same_image "$work/f11-before.png" "$work/f11-after.png" \
        || fail "the counts of parole look different after F11 twice"
    leave_exercise "$screen" parole
    quit_from_menu
    echo "smoke: f11: splash, menu and parole switched to the full screen and back; the counts of parole kept"
}

# With the spoken word on (--voce) in the missing-first-letter exercise, word "ape": a wrong answer is heard as the
# failure sound alone; a right one as its answer sound, then at once the word in the synthesiser's voice, without a
# gap and without overlap: one stretch of sound as long as the two together, whose part after the answer sound is a
# word (0.3 to 1.5 s) starting within 50 ms. Every right answer plays si1.wav here, so the recording says where the
# answer ends. Then, in the automatic mode, the next item's window changes only once the word has been heard.
voice_gap_limit=0.05
check_studio_voice() {
    local data="$work/studio-voice-data" fifo="$work/pulse/microfono" i
    mkdir -p "$data"
    start_sound_server
    check_recorder
    pactl --server="$sound_server" load-module module-pipe-source source_name=microfono file="$fifo" format=s16le \
        rate=16000 channels=1 >/dev/null
    pactl --server="$sound_server" set-default-source microfono
    # What the teacher says: 0.7 s of the room's quiet, a word (here a tone of half a second), quiet again.
    sox -n -r 16000 -c 1 -b 16 -e signed -t raw "$work/said.raw" synth 0.7 sine 300 vol 0 : synth 0.5 sine 300 vol 0.08 \
        : synth 1.3 sine 300 vol 0
    program_options=(--insegnante)
    start_program "$content" XDG_DATA_HOME="$data" PULSE_SERVER="$sound_server"
    local studio
    studio=$(studio_window) || fail "tavenzo --insegnante showed no studio window"
    wait_takes_presses "$studio"
    for word in gatto cane; do
        click_at "$studio" 75 561
        sleep 0.4
        xdotool type --delay 15 "$word"
        xdotool key Return
        sleep 0.3
    done
    # The first row, then "Registra"; the microphone hears the word in real time, then "Ferma la registrazione".
    click_at "$studio" 290 160
    sleep 0.3
    click_at "$studio" 136 617
    sleep 0.3
    for i in $(seq 0 24); do
        dd if="$work/said.raw" bs=3200 skip="$i" count=1 2>/dev/null
        sleep 0.1
    done >"$fifo"
    click_at "$studio" 136 617
    sleep 0.8
    local saved="$data/tavenzo/voci/gatto.wav" length
    [ -f "$saved" ] || fail "\"Registra\" saved no voci/gatto.wav"
    length=$(soxi -D "$saved")
    awk -v l="$length" 'BEGIN { exit !(l >= 0.5 && l <= 0.7) }' \
        || fail "the recording lasts $length s, not the half-second word with a little of the quiet around it"
    echo "smoke: studio-voice: \"Registra\" saved voci/gatto.wav of $length s from 2.5 s heard by the microphone"

    # "Ascolta" on the recorded word, then on the word the synthesiser says.
    local heard bursts
    start_recording "$work/listen.raw"
    click_at "$studio" 50 617
    sleep 2
    click_at "$studio" 290 270
    sleep 0.3
    click_at "$studio" 50 617
    sleep 2
    stop_recording
    bursts=$(recorded_bursts "$work/listen.raw")
    echo "smoke: studio-voice: heard (start, length in seconds): $(echo "$bursts" | paste -sd';' | sed 's/;/; /g')"
    [ "$(echo "$bursts" | grep -c .)" -eq 2 ] || fail "expected 2 sounds (the recording, then the synthesiser's word), heard: ${bursts:-nothing}"
    heard=$(echo "$bursts" | sed -n 1p | cut -d' ' -f2)
    matches_one_of "$heard" "$sound_tolerance" "$saved" \
        || fail "\"Ascolta\" played the recording for $heard s, not as voci/gatto.wav ($(audible_length "$saved") s)"
    heard=$(echo "$bursts" | sed -n 2p | cut -d' ' -f2)
    awk -v l="$heard" 'BEGIN { exit !(l >= 0.3 && l <= 1.5) }' \
        || fail "\"Ascolta\" on a word without a recording was heard for $heard s, not as a word of 0.3 to 1.5 s"
    echo "smoke: studio-voice: \"Ascolta\" played the recording whole and the synthesiser's word ($heard s)"
    stop_program
    stop_sound_server
}

check_voice() {
    local sounds="$content/suoni" folder screen bar bursts i
    start_sound_server
    check_recorder
    folder=$(program_folder voice-words ape)
    rm "$folder/suoni"
    mkdir "$folder/suoni"
    ln -s "$sounds/no.wav" "$folder/suoni/no.wav"
    for i in 1 2 3 4; do ln -s "$sounds/si1.wav" "$folder/suoni/si$i.wav"; done
    # The same voice at the same pace, said by the synthesiser's own program: how long the word is heard.
    espeak-ng -v it -s 130 -w "$work/ape.wav" ape
    local answer word
    answer=$(audible_length "$sounds/si1.wav")
    word=$(audible_length "$work/ape.wav")
    program_options=(--voce)
    open_sound_exercise "$folder"
    start_recording "$work/voice.raw"
    # shellcheck disable=SC2046
    click_at "$screen" $(key_at 1 "$bar")
    sleep "$(longest_plus 0.7 "$sounds/no.wav")"
    # shellcheck disable=SC2046
    click_at "$screen" $(key_at 0 "$bar")
    sleep "$(longest_plus 2.5 "$sounds/si1.wav")"
    stop_recording
    bursts=$(recorded_bursts "$work/voice.raw")
    echo "smoke: voice: heard (start, length in seconds): $(echo "$bursts" | paste -sd';' | sed 's/;/; /g')"
    [ "$(echo "$bursts" | grep -c .)" -eq 2 ] || fail "expected 2 sounds (the failure sound; the answer with its word), heard: ${bursts:-nothing}"
    local wrong right start rest_start rest_length
    wrong=$(echo "$bursts" | sed -n 1p | cut -d' ' -f2)
    start=$(echo "$bursts" | sed -n 2p | cut -d' ' -f1)
    right=$(echo "$bursts" | sed -n 2p | cut -d' ' -f2)
    matches_one_of "$wrong" "$sound_tolerance" "$sounds/no.wav" \
        || fail "the wrong answer was heard for $wrong s, not as $(audible_lengths "$sounds/no.wav") alone (± $sound_tolerance s)"
    awk -v a="$right" -v b="$answer" -v w="$word" -v t=0.08 'BEGIN { d = a - b - w; exit !(d <= t && -d <= t) }' \
        || fail "the right answer and its word were heard for $right s, not as si1.wav ($answer s) and then the word ($word s)"
    # What follows the end of the answer sound.
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$work/voice.raw" "$work/after-answer.wav" trim "$(awk -v s="$start" -v a="$answer" 'BEGIN { print s + a }')"
    rest_start=$(sound_bursts "$work/after-answer.wav" | head -n 1 | cut -d' ' -f1)
    rest_length=$(audible_length "$work/after-answer.wav")
    awk -v s="${rest_start:-9}" -v g="$voice_gap_limit" 'BEGIN { exit !(s <= g) }' \
        || fail "the word started ${rest_start:-never} s after the answer sound ended (at most $voice_gap_limit s)"
    awk -v l="$rest_length" 'BEGIN { exit !(l >= 0.3 && l <= 1.5) }' \
        || fail "after the answer sound a sound of $rest_length s was heard, not a word of 0.3 to 1.5 s"
    echo "smoke: voice: a wrong answer heard as no.wav alone; a right one as si1.wav ($answer s) and, ${rest_start} s after it, the word ($rest_length s; espeak-ng alone: $word s)"

    # The automatic mode: "prosegue automaticamente" on the menu, then the right answer again, watched.
    leave_exercise "$screen" lettera1
    local menu
    menu=$(window Form2)
    wait_takes_presses "$menu"
    click_at "$menu" 472 352
    sleep 0.3
    # shellcheck disable=SC2046
    screen=$(open_exercise $(button_of lettera1) lettera1)
    bar=$(menu_bar_height "$screen" 575)
    wait_takes_presses "$screen"
    capture "$screen" 32 $((bar + 256)) 561 73 "$work/item-before.png"
    start_recording "$work/auto.raw"
    local recording_from=$EPOCHREALTIME clicked changed="" now
    # shellcheck disable=SC2046
    click_at "$screen" $(key_at 0 "$bar")
    clicked=$EPOCHREALTIME
    # The word shows whole ("ape"), and the next item shows "_pe" again: the label is watched until it is back.
    local seen_whole=""
    while awk -v n="$EPOCHREALTIME" -v c="$clicked" 'BEGIN { exit !(n - c < 5) }'; do
        capture "$screen" 32 $((bar + 256)) 561 73 "$work/item-now.png"
        now=$EPOCHREALTIME
        if same_image "$work/item-before.png" "$work/item-now.png"; then
            if [ -n "$seen_whole" ]; then
                changed=$now
                break
            fi
        else
            seen_whole=yes
        fi
    done
    sleep 0.5
    stop_recording
    [ -n "$seen_whole" ] || fail "in the automatic mode the right answer never showed the whole word"
    [ -n "$changed" ] || fail "in the automatic mode the next item did not come within 5 s"
    bursts=$(recorded_bursts "$work/auto.raw")
    [ "$(echo "$bursts" | grep -c .)" -eq 1 ] || fail "in the automatic mode expected one sound (answer and word), heard: ${bursts:-nothing}"
    # The end of the word in the script's time, counted from recording_from, which is taken once the recorder has run
    # for 0.3 s: so the end comes out later than it was, if anything, and the check is the stricter for it.
    local word_end
    word_end=$(echo "$bursts" | awk -v r="$recording_from" '{ printf "%.3f", r + $1 + $2 }')
    awk -v c="$changed" -v e="$word_end" 'BEGIN { exit !(c >= e) }' \
        || fail "in the automatic mode the next item came $(awk -v c="$changed" -v e="$word_end" 'BEGIN { printf "%.3f", e - c }') s before the word had been heard"
    echo "smoke: voice: in the automatic mode the next item came $(awk -v c="$changed" -v e="$word_end" 'BEGIN { printf "%.3f", c - e }') s after the word ended"
    leave_exercise "$screen" lettera1
    quit_from_menu
    # The synthesiser keeps nothing on disk either.
    expect_nothing_written "with the spoken word"
}

# ---------------------------------------------------------------------------------------------------------------------
# Which checks run.

checks=()
screens=()
for word in ${SMOKE_ONLY:-}; do
    if [[ " ${all_checks[*]} " == *" $word "* ]]; then
        checks+=("$word")
    elif [[ " ${all_screens[*]} " == *" $word "* ]]; then
        screens+=("$word")
    else
        echo "smoke: SMOKE_ONLY names neither a check (${all_checks[*]}) nor a screen (${all_screens[*]}): $word" >&2
        exit 2
    fi
done
if [ "${#checks[@]}" -eq 0 ] && [ "${#screens[@]}" -eq 0 ]; then
    checks=("${all_checks[@]}")
fi
if [ "${#screens[@]}" -gt 0 ] && [[ " ${checks[*]} " != *" screens "* ]]; then
    checks=(screens "${checks[@]}")
fi
[ "${#screens[@]}" -gt 0 ] || screens=("${all_screens[@]}")

# -noreset: by default the server resets when its last client leaves, and a program starting just then cannot connect.
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# A server already on that display would answer too; ours must be the one running.
if ! xdpyinfo >/dev/null 2>&1 || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    fail "Xvfb did not start on $display (is the display taken?)"
fi

# Ends what the current check started; every check leaves through here, failed or not.
stop_check() {
    stop_program
    stop_recording
    stop_sound_server
}

# Each check runs in a subshell of its own, so a failure ends that check (and what it started) and the others still
# run.
failed=()
for check in "${checks[@]}"; do
    set +e
    (
        set -e
        trap stop_check EXIT
        "check_${check//-/_}"
    )
    status=$?
    set -e
    [ "$status" -eq 0 ] || failed+=("$check")
done
check=""

if [ "${#failed[@]}" -gt 0 ]; then
    echo "smoke: FAILED: ${failed[*]} (passed: $((${#checks[@]} - ${#failed[@]})) of ${#checks[@]})" >&2
    exit 1
fi
echo "smoke: passed (${checks[*]})"
