#!/usr/bin/env bash
# install_test.sh tree BUILD STAGE            install into DESTDIR=STAGE, check files and validators
# install_test.sh program STAGE PLUGINS TITLE  run the installed program through a whole clean run
# install_test.sh package BUILD OUT           build the .deb, check its fields, files and lintian
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Every file an install with the prefix /usr puts in place, nothing more.
installed_files() {
    sed 's|^|./usr/|' <<'LIST'
bin/klarwell
bin/klarwell-undo
share/applications/com.orvane.klarwell.desktop
share/doc/klarwell/changelog.gz
share/doc/klarwell/copyright
share/icons/hicolor/128x128/apps/com.orvane.klarwell.png
share/icons/hicolor/16x16/apps/com.orvane.klarwell.png
share/icons/hicolor/24x24/apps/com.orvane.klarwell.png
share/icons/hicolor/256x256/apps/com.orvane.klarwell.png
share/icons/hicolor/32x32/apps/com.orvane.klarwell.png
share/icons/hicolor/48x48/apps/com.orvane.klarwell.png
share/icons/hicolor/64x64/apps/com.orvane.klarwell.png
share/icons/hicolor/scalable/apps/com.orvane.klarwell.svg
share/man/man1/klarwell-undo.1.gz
share/man/man1/klarwell.1.gz
share/metainfo/com.orvane.klarwell.metainfo.xml
LIST
}

same_list() {  # what, expected, actual
    if [ "$2" != "$3" ]; then
        diff <(echo "$2") <(echo "$3") >&2 || true
        fail "$1 differ from the expected list"
    fi
}

# Width and height from a PNG's header: big-endian words at bytes 16 and 20.
png_size() {
    local b
    read -ra b < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))x$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))"
}

tree() {
    local build=$1 stage=$2
    rm -rf "$stage"
    DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
    same_list "installed files" "$(installed_files)" "$(cd "$stage" && find . ! -type d | LC_ALL=C sort)"

    # The names that tie entry, icon, metadata and program together: a mismatch leaves the menu
    # without its icon or the software centre without its application, and no validator sees it.
    local entry=$stage/usr/share/applications/com.orvane.klarwell.desktop
    local meta=$stage/usr/share/metainfo/com.orvane.klarwell.metainfo.xml
    grep -qx 'Exec=klarwell' "$entry" && grep -qx 'Icon=com.orvane.klarwell' "$entry" || fail "Exec or Icon"
    grep -qF '<id>com.orvane.klarwell</id>' "$meta" || fail "metainfo id"
    grep -qF '<launchable type="desktop-id">com.orvane.klarwell.desktop</launchable>' "$meta" || fail "launchable"
    grep -qF '<binary>klarwell</binary>' "$meta" || fail "provides/binary"
    grep -qF '<release version="3.0.1"' "$meta" || fail "release 3.0.1"
    # Hints count too: one of them is a menu entry listed twice.
    local said
    said=$(desktop-file-validate "$entry" 2>&1) && [ -z "$said" ] || fail "desktop entry: $said"
    appstreamcli validate --no-net --strict "$meta" || fail "metainfo"

    local size
    for size in 16 24 32 48 64 128 256; do
        [ "$(png_size "$stage/usr/share/icons/hicolor/${size}x${size}/apps/com.orvane.klarwell.png")" = "${size}x${size}" ] ||
            fail "the ${size}x${size} icon has another size"
    done
}

program() {
    local stage=$1 plugins=$2 title=$3
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/music" "$work/state"
    printf 'tune' >"$work/music/it's.mp3"

    local out
    out=$(QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH=$plugins XDG_STATE_HOME=$work/state \
        QT_QPA_GENERIC_PLUGINS="klarwelldriver:$work/music" "$stage/usr/bin/klarwell") ||
        fail "klarwell ended with status $?"
    echo "$out"
    grep -qxF "window: $title visible 1" <<<"$out" || fail "the window was not shown as $title"

    # The apostrophe goes, the content stays.
    same_list "music files" "its.mp3" "$(ls -A "$work/music")"
    [ "$(cat "$work/music/its.mp3")" = tune ] || fail "content of its.mp3 changed"

    # The log is in the state folder, never beside the installed program.
    local log=$work/state/klarwell/cleanup.log
    [ -f "$log" ] || fail "no $log"
    [ "$(wc -l <"$log")" = 1 ] || fail "the log holds other than one line"
    grep -qF "$work/music/it's.mp3" "$log" && grep -qF "$work/music/its.mp3" "$log" || fail "log line: $(cat "$log")"
    [ ! -e "$stage/usr/bin/cleanup.log" ] || fail "cleanup.log written beside the installed program"
}

package() {
    local build=$1 out=$2
    rm -rf "$out"
    mkdir -p "$out"
    cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" || { cat "$out/cpack.log"; fail "cpack"; }
    local deb=$out/klarwell_3.0.1_amd64.deb
    [ -f "$deb" ] || fail "no klarwell_3.0.1_amd64.deb"

    local info
    info=$(dpkg-deb --info "$deb")
    echo "$info"
    local field
    for field in 'Package: klarwell' 'Version: 3.0.1' 'Architecture: amd64' 'Section: sound' 'Priority: optional'; do
        grep -qx " $field" <<<"$info" || fail "no '$field'"
    done
    grep -qE '^ Maintainer: .+ <[^ @]+@[^ @]+>$' <<<"$info" || fail "maintainer"
    grep -qE '^ Description: .+' <<<"$info" || fail "short description"
    [ "$(sed -n '/^ Description:/,$p' <<<"$info" | wc -l)" -ge 4 ] || fail "long description"
    ! grep -qE '&[a-z]+;' <<<"$info" || fail "markup entities in the control fields"
    local depends dep
    depends=$(sed -n 's/^ Depends: //p' <<<"$info" | tr ',' '\n' | sed 's/^ *//; s/ .*//')
    # From the linked libraries, then what no library names: the window's platform plugins and faces.
    for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-liberation fonts-dejavu-extra; do
        grep -qxF "$dep" <<<"$depends" || fail "Depends lacks $dep"
    done

    local contents
    contents=$(dpkg-deb --contents "$deb")
    same_list "package files" "$(installed_files)" "$(grep -v '^d' <<<"$contents" | awk '{print $6}' | LC_ALL=C sort)"
    grep -v '^d' <<<"$contents" | awk '$2 != "root/root" {exit 1}' || fail "a file not owned by root"
    for program in klarwell klarwell-undo; do
        grep -qE "^-rwxr-xr-x .* \./usr/bin/$program\$" <<<"$contents" || fail "$program's mode"
    done
    [ "$(grep -v '^d' <<<"$contents" | grep -cv '^-rw-r--r--')" = 2 ] || fail "a data file not 0644"

    lintian --fail-on error "$deb" || fail "lintian reports errors"
}

mode=$1
shift
"$mode" "$@"
