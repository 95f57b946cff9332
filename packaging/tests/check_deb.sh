#!/usr/bin/env bash
# `cpack -G DEB` builds a package whose control fields and files are right, about which lintian has nothing to say,
# whose program is built with Debian's hardening flags, whose dependencies cover every library and plug-in the program
# loads, which this system could install, and whose unpacked program starts.
#   check_deb.sh <build-dir> <scratch-dir>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_tools dpkg-dev dpkg-shlibdeps dpkg-architecture
need_tools binutils readelf
need_tools lintian lintian

build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/elsewhere"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 \
    || { cat "$scratch/cpack.log"; fail "cpack -G DEB"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb="$scratch/out/tavenzo_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in $(ls "$scratch/out")"

# ---- control fields
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tavenzo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "Maintainer or Description missing"
depends=$(field Depends)
echo "Depends: $depends"
# Package names of the Depends field, alternatives included, without versions.
declared=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/:any//; s/ //g' | grep -v '^$' | sort -u)
is_declared() { grep -qx "$1" <<<"$declared"; }
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libqt6svg6 qt6-image-formats-plugins \
    fonts-liberation2 fonts-dejavu-core qt6-translations-l10n libespeak-ng1 espeak-ng-data; do
    is_declared "$p" || fail "Depends lacks $p"
done

# ---- lintian has nothing to say (no error, no warning); its advice (info, pedantic) is shown
lintian --info --display-info --pedantic --tag-display-limit 0 "$deb" 2>&1 | grep -E '^[EWIPX]: ' \
    | sed 's/^/lintian advice: /' || true
# As root (CI) lintian says on its error stream that it would rather not be; anything else there is shown.
verdict=$(lintian "$deb" 2>"$scratch/lintian.err") || fail "lintian fails on the package: $verdict $(cat "$scratch/lintian.err")"
grep -v 'running with root privileges is not recommended' "$scratch/lintian.err" >&2 || true
[ -z "$verdict" ] || fail "lintian finds errors or warnings in the package: $verdict"
echo "lintian: nothing to say"

# ---- file list: all under /usr, owned by root, modes as installed programs have
listing=$(dpkg-deb -c "$deb")
awk '$2 != "root/root" { exit 1 }' <<<"$listing" \
    || fail "entries not owned by root: $(awk '$2 != "root/root"' <<<"$listing")"
awk '$6 !~ /^\.\/(usr\/.*)?$/ { exit 1 }' <<<"$listing" || fail "entries outside /usr"
grep -q '^-rwxr-xr-x .* \./usr/bin/tavenzo$' <<<"$listing" || fail "usr/bin/tavenzo is not mode 755"
awk '$1 ~ /^-/ && $6 != "./usr/bin/tavenzo" && $1 != "-rw-r--r--" { exit 1 }' <<<"$listing" \
    || fail "data files not mode 644: $(awk '$1 ~ /^-/ && $1 != "-rw-r--r--"' <<<"$listing")"

# ---- unpacked tree: the same layout as `cmake --install`, a menu entry whose command and icon exist
dpkg-deb -x "$deb" "$scratch/root"
check_layout "$scratch/root/usr" "$build"
need_tools desktop-file-utils desktop-file-validate
check_menu_entry "$scratch/root/usr"
need_tools man-db man
need_tools bsdextrautils col
check_manual_page "$scratch/root/usr"
program="$scratch/root/usr/bin/tavenzo"
if readelf -S "$program" | grep -qE '\.(debug_info|comment)'; then
    fail "the packaged program is not stripped"
fi

# ---- hardening: position independent, relocations read-only and bound at start, stack protector, fortified calls
headers=$(readelf -hldW "$program")
grep -qE 'Type: +DYN' <<<"$headers" || fail "the program is not position independent"
grep -q 'GNU_RELRO' <<<"$headers" || fail "the program has no read-only relocations (relro)"
grep -qE '\((FLAGS|FLAGS_1)\).*\bNOW\b' <<<"$headers" || fail "the program's symbols are not bound at start"
imported=$(readelf --dyn-syms -W "$program" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')
grep -qx '__stack_chk_fail' <<<"$imported" || fail "the program is built without the stack protector"
# The fortified variants (__memcpy_chk ...) appear only where the compiler knows a buffer's size, which the program's
# C++ may never give it; so the build's own compile commands are what shows that every file was built fortified.
commands=$(grep -E '"command": ".* -c [^"]*/(app|ui|core|feedback|exercises)/[^"]*\.cpp"' "$build/compile_commands.json") \
    || fail "no compile commands of the program in $build/compile_commands.json"
unfortified=$(grep -v -e '-D_FORTIFY_SOURCE=[1-9]' <<<"$commands" | sed -E 's/.* -c ([^"]*)".*/\1/') || true
[ -z "$unfortified" ] || fail "built without _FORTIFY_SOURCE: $unfortified"
fortified=$(grep -E '^__[a-z_]+_chk$' <<<"$imported" | grep -vx '__stack_chk_fail' | paste -sd' ') || true
echo "hardening: PIE, relro, bind now, stack protector, $(wc -l <<<"$commands") files built with _FORTIFY_SOURCE" \
    "(checked calls: ${fortified:-none the compiler could size})"

# ---- every library the program links comes from a package the Depends field names
declare -A owner_of
# find_owners <path>...: fills owner_of for the paths, asking dpkg once (each query reads its whole database).
find_owners() {
    local path candidates=() packages owned
    for path in "$@"; do
        # Merged /usr: the loader may name /lib/... where the package ships /usr/lib/..., or the other way round.
        candidates+=("$path" "$(readlink -f "$path")")
        case "$path" in
        /usr/*) candidates+=("${path#/usr}") ;;
        *) candidates+=("/usr$path") ;;
        esac
    done
    while IFS= read -r line; do
        packages=${line%: /*}
        owned=/${line##*: /}
        owner_of[$owned]=${packages%%[:,]*}
    done < <(dpkg -S "${candidates[@]}" 2>/dev/null || true)
}
package_of() {
    local path=$1 p
    for p in "$path" "$(readlink -f "$path")" "${path#/usr}" "/usr$path"; do
        if [ -n "${owner_of[$p]:-}" ]; then
            echo "${owner_of[$p]}"
            return
        fi
    done
    fail "no package owns $path"
}

needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
resolved=$(ldd "$program")
libraries=()
for lib in $needed; do
    path=$(awk -v lib="$lib" '$1 == lib { print $3 }' <<<"$resolved")
    [ -n "$path" ] || fail "$lib is not found on this system"
    libraries+=("$path")
done
find_owners "${libraries[@]}"
for path in "${libraries[@]}"; do
    p=$(package_of "$path")
    is_declared "$p" || fail "$path comes from $p, which Depends does not name"
done
echo "linked libraries: all from declared packages ($(echo $needed))"

# ---- this system (the release the package is built for) satisfies the dependencies
if [ "$(id -u)" -eq 0 ]; then
    dpkg --dry-run -i "$deb" >"$scratch/dry-run.log" 2>&1 \
        || { cat "$scratch/dry-run.log"; fail "dpkg refuses the package"; }
    echo "dpkg --dry-run -i: dependencies satisfied"
else
    echo "not root: dpkg --dry-run -i left out"
fi

# ---- the unpacked program starts, and what it loads by name at run time is declared too
need_tools xvfb xvfb-run
need_tools xdotool xdotool
need_tools x11-utils xprop
start_program "$scratch/root/usr/bin/tavenzo" "$scratch/elsewhere" list "$scratch/mapped.txt"
grep -E "/qt6/|/fonts/" "$scratch/mapped.txt"
grep -q '/qt6/plugins/platforms/libqxcb\.so$' "$scratch/mapped.txt" || fail "the X11 platform plug-in was not loaded"
mapfile -t loaded < <(grep -E '/qt6/(plugins|translations)/' "$scratch/mapped.txt")
liberation=$(grep -m 1 '/fonts/.*Liberation' "$scratch/mapped.txt") || fail "no Liberation font was loaded"
find_owners "${loaded[@]}" "$liberation"
for path in "${loaded[@]}" "$liberation"; do
    p=$(package_of "$path")
    is_declared "$p" || fail "the program loaded $path from $p, which Depends does not name"
done
echo "plug-ins, translations and fonts loaded: all from declared packages"
rm -rf "$scratch"
