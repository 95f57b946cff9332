# Shared by the packaging checks; sourced, not run.
# Environment from CTest: TAVENZO_SOURCE_DIR, TAVENZO_APP_ID, TAVENZO_VERSION, TAVENZO_ICON_SIZES, TAVENZO_GRADED_LISTS,
# TAVENZO_LICENCE_FILES.

tests_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

skip() {
    echo "SKIPPED: $* (scripts/dev.sh installs it)"
    exit 77
}

# need_tools <package> <command>...: skips the test when a command is missing.
need_tools() {
    local package=$1
    shift
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "'$tool' not found, it comes with the package $package"
    done
}

# A desktop entry passes when the validator has nothing to say about it, not even a hint.
validate_desktop_entry() {
    local file=$1 report
    report=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate rejects $file: $report"
    [ -z "$report" ] || fail "desktop-file-validate has remarks on $file: $report"
}

# desktop_value <file> <key>: the unlocalised value of a key in the [Desktop Entry] group.
desktop_value() {
    awk -F= -v key="$2" '/^\[/ { group = $0 }
        group == "[Desktop Entry]" && $1 == key { print substr($0, length(key) + 2) }' "$1"
}

# Documents installed from the build's licenze/ folder (picture licences and notice), from the sources, and made by
# the build (the changelog, compressed).
doc_files_from_build="${TAVENZO_LICENCE_FILES:-LICENSE-Noto-Emoji.txt NOTICE-pictures.txt}"
doc_files_from_sources="copyright guida-per-insegnanti.md"
doc_files_made="changelog.gz"

# check_layout <prefix-dir> <build-dir>: the installed tree is exactly the program, its content folder, the desktop
# entry with its icons, the metainfo, the manual page and the documentation; the content folder holds what the build
# placed beside the executable, byte for byte, and no .txt file but the word lists.
check_layout() {
    local prefix=$1 build=$2
    local content_dir="$prefix/share/tavenzo" expected actual

    [ -f "$prefix/bin/tavenzo" ] && [ ! -L "$prefix/bin/tavenzo" ] && [ -x "$prefix/bin/tavenzo" ] \
        || fail "no executable bin/tavenzo"
    file -b "$prefix/bin/tavenzo" | grep -q '^ELF' || fail "bin/tavenzo is not an ELF executable"

    local item word_lists
    [ -n "$TAVENZO_GRADED_LISTS" ] || fail "TAVENZO_GRADED_LISTS is empty"
    for item in lista.txt $TAVENZO_GRADED_LISTS jpg suoni; do
        [ -e "$content_dir/$item" ] || fail "the content folder share/tavenzo lacks $item"
    done
    [ -n "$(find "$content_dir/jpg" -name '*.jpg' -print -quit)" ] || fail "no pictures in the content folder"
    [ "$(find "$content_dir/suoni" -name '*.wav' | wc -l)" -eq 5 ] || fail "the content folder lacks the five sounds"
    # "Cambia lista di parole" opens here: anything else ending in .txt would be offered as a list.
    word_lists=$(printf '%s\n' lista.txt $TAVENZO_GRADED_LISTS | sort)
    actual=$(cd "$content_dir" && find . -maxdepth 1 -iname '*.txt' -printf '%f\n' | sort)
    [ "$word_lists" = "$actual" ] \
        || fail "the content folder's .txt files are not the word lists: $(diff <(echo "$word_lists") <(echo "$actual"))"

    # The build keeps the licence texts in a subfolder of its program folder; they are installed as documentation.
    expected=$(cd "$build/bin" && find . -type f ! -path ./tavenzo ! -path './licenze/*' | sort)
    actual=$(cd "$content_dir" && find . -type f | sort)
    [ "$expected" = "$actual" ] \
        || fail "the content folder differs from the build's: $(diff <(echo "$expected") <(echo "$actual"))"
    while read -r item; do
        cmp -s "$build/bin/$item" "$content_dir/$item" || fail "installed $item differs from the built one"
    done <<<"$expected"
    for item in $doc_files_from_build; do
        cmp -s "$build/bin/licenze/$item" "$prefix/share/doc/tavenzo/$item" \
            || fail "share/doc/tavenzo/$item is missing or differs from the built one"
    done
    cmp -s "$TAVENZO_SOURCE_DIR/docs/guida-per-insegnanti.md" "$prefix/share/doc/tavenzo/guida-per-insegnanti.md" \
        || fail "share/doc/tavenzo/guida-per-insegnanti.md is missing or differs from the sources"
    zcat "$prefix/share/doc/tavenzo/changelog.gz" | cmp -s - "$TAVENZO_SOURCE_DIR/packaging/changelog" \
        || fail "share/doc/tavenzo/changelog.gz is not the packaging changelog"

    expected=$( (
        echo ./bin/tavenzo
        (cd "$build/bin" && find . -type f ! -path ./tavenzo ! -path './licenze/*') | sed 's|^\./|./share/tavenzo/|'
        echo ./share/applications/tavenzo.desktop
        for size in $TAVENZO_ICON_SIZES; do echo "./share/icons/hicolor/${size}x${size}/apps/tavenzo.png"; done
        echo "./share/metainfo/$TAVENZO_APP_ID.metainfo.xml"
        echo ./share/man/man6/tavenzo.6.gz
        for item in $doc_files_from_build $doc_files_from_sources $doc_files_made; do
            echo "./share/doc/tavenzo/$item"
        done
    ) | sort)
    actual=$(cd "$prefix" && find . ! -type d | sort)
    [ "$expected" = "$actual" ] \
        || fail "installed files differ from the expected set: $(diff <(echo "$expected") <(echo "$actual"))"

    local size dims
    for size in $TAVENZO_ICON_SIZES; do
        dims=$(file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/tavenzo.png")
        [[ $dims == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] || fail "icon ${size}x$size is '$dims'"
    done
    echo "layout: $(echo "$actual" | wc -l) files as expected under $prefix"
}

# check_manual_page <prefix-dir>: the manual page renders without a warning and documents every option that
# `tavenzo --help` lists, and the program prints its version without a display.
check_manual_page() {
    local prefix=$1
    local page="$prefix/share/man/man6/tavenzo.6.gz" warnings text options option version
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) \
        || fail "man cannot render $page: $warnings"
    [ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null | col -b)
    # The option column of the help: "  -h, --help        mostra ...", "  --cartella DIR    ...".
    options=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tavenzo" --help \
        | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//' | tr ', ' '\n\n' | grep '^-' | sort -u)
    [ -n "$options" ] || fail "tavenzo --help lists no options"
    for option in $options; do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "the manual page does not document $option"
    done
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tavenzo" --version | head -n 1) \
        || fail "tavenzo --version fails without a display"
    [ "$version" = "tavenzo $TAVENZO_VERSION" ] || fail "tavenzo --version says '$version', not 'tavenzo $TAVENZO_VERSION'"
    grep -qE "^Tavenzo $TAVENZO_VERSION[[:space:]]" <<<"$(tail -n 1 <<<"$text")" \
        || fail "the manual page is not that of version $TAVENZO_VERSION: $(tail -n 1 <<<"$text")"
    echo "manual page: renders cleanly, documents $(echo $options); $version"
}

# check_menu_entry <prefix-dir>: the desktop entry a menu would list starts a command of this prefix and names an
# icon that the hicolor theme of this prefix holds; the metainfo points at that entry.
check_menu_entry() {
    local prefix=$1 entry exec icon launchable
    entry="$prefix/share/applications/tavenzo.desktop"
    validate_desktop_entry "$entry"
    exec=$(desktop_value "$entry" Exec)
    [ -x "$prefix/bin/${exec%% *}" ] || fail "Exec=$exec is not a command in $prefix/bin"
    icon=$(desktop_value "$entry" Icon)
    [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "Icon=$icon is not in the hicolor theme"
    launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' \
        "$prefix/share/metainfo/$TAVENZO_APP_ID.metainfo.xml")
    [ "$launchable" = tavenzo.desktop ] || fail "the metainfo launches '$launchable', not tavenzo.desktop"
    echo "menu entry: Exec=$exec, Icon=$icon, launchable $launchable"
}

# start_program <command> <working-dir> list|nolist [<file for the loaded files>]: see start_program.sh.
start_program() {
    local entry="$TAVENZO_SOURCE_DIR/packaging/tavenzo.desktop"
    # Display numbers from 150 up keep clear of the fixed displays developers use.
    xvfb-run -a -n 150 -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$tests_dir/start_program.sh" "$1" "$2" "$(desktop_value "$entry" StartupWMClass)" "$3" "${4:-}" \
        || fail "start from $1 ($3)"
}
