#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds
# there: the programs, a valid desktop entry, valid AppStream metadata and the
# icon at every size of the hicolor theme.
#   install_test.sh BUILD_DIR EXPECT_GAME(0|1)
set -euo pipefail

build_dir=$1
expect_game=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

app_id=org.kalmora.Kalmora
[ -x "$prefix/bin/kalmora-tool" ] || fail "kalmora-tool not installed"
if [ "$expect_game" = 1 ]; then
    [ -x "$prefix/bin/kalmora" ] || fail "kalmora not installed"
fi
[ "$("$prefix/bin/kalmora-tool" generate easy --seed 7 | wc -l)" = 9 ] ||
    fail "the installed kalmora-tool does not run"

desktop="$prefix/share/applications/$app_id.desktop"
desktop-file-validate "$desktop" || fail "desktop entry invalid"
grep -qx 'Exec=kalmora' "$desktop" || fail "desktop entry does not start kalmora"
appstreamcli validate --no-net --strict "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "AppStream metadata invalid"

for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [ -f "$icon" ] || fail "icon $size missing"
    actual=$(identify -format '%w %h' "$icon") || fail "icon $size is no image"
    [ "$actual" = "$size $size" ] || fail "icon $size is $actual"
done
# The board in the middle of the icon is opaque paper, its corner transparent.
centre=$(convert "$prefix/share/icons/hicolor/48x48/apps/$app_id.png" -format '%[pixel:p{10,10}]' info:)
corner=$(convert "$prefix/share/icons/hicolor/48x48/apps/$app_id.png" -format '%[fx:a]' -crop 1x1+0+0 info:)
[ "$corner" = 0 ] || fail "icon corner not transparent ($corner)"
case "$centre" in
srgb\(255,255,240\) | srgba\(255,255,240,1\)) ;;
*) fail "icon paper colour is $centre" ;;
esac
# The large icon carries the blue digit of the game's board.
colours=$(convert "$prefix/share/icons/hicolor/256x256/apps/$app_id.png" -format '%c' histogram:info:-)
grep -q '#0000F0FF' <<<"$colours" || fail "icon 256 has no digit"
echo "installed and valid: $prefix"
