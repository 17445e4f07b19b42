#!/usr/bin/env bash
# Installs the built game into a fresh prefix, as `cmake --install` does for a
# package, then checks the tree it lays out and runs the desktop's own
# validators on the launcher and the metainfo.
#
# Usage: installation.sh CMAKE BUILD_DIR
set -u
cmake="$1"
build="$2"
id=org.zibeloumalice.zibeloumalice
work=$(mktemp -d)
prefix="$work/prefix"
# A save file put in the build's data folder by this test only.
dummy_save=
cleanup() {
    [ -n "$dummy_save" ] && rm -f "$dummy_save"
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The players saved while playing from the build folder must not travel
# with the game.
if [ ! -e "$build/datas/4.bin" ]; then
    dummy_save="$build/datas/4.bin"
    printf '0\r\n0\r\n' >"$dummy_save"
fi
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
    cat "$work/install.log"
    fail "cmake --install failed"
}
if [ -n "$dummy_save" ]; then
    rm -f "$dummy_save"
    dummy_save=
fi

[ -x "$prefix/bin/zibelou-malice" ] || fail "no executable bin/zibelou-malice"
# The game loads its sound from <exe dir>/../lib/zibelou-malice.
[ -f "$prefix/bin/../lib/zibelou-malice/zibelou-malice-audio.so" ] ||
    fail "no sound module lib/zibelou-malice/zibelou-malice-audio.so"
# The game looks for its data folder at <exe dir>/../share/zibelou-malice/datas.
datas="$prefix/bin/../share/zibelou-malice/datas"
for f in 101 116 dessins dessins2 dessins3 aide bouton 2.bin 1.amb 1.vic 1.def; do
    [ -s "$datas/$f" ] || fail "datas/$f missing"
done
[ "$(ls "$datas" | wc -l)" -eq "$(ls "$build/datas" | grep -vc '^4\.bin')" ] ||
    fail "datas holds $(ls "$datas" | wc -l) files, the build's $(ls "$build/datas" | grep -vc '^4\.bin')"
ls "$datas" | grep -q '^4\.bin' && fail "a save file was installed"

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
icons="$prefix/share/icons/hicolor"
[ -f "$desktop" ] || fail "no $id.desktop"
[ -f "$metainfo" ] || fail "no $id.metainfo.xml"
[ -f "$icons/scalable/apps/$id.svg" ] || fail "no scalable icon"
for n in 16 22 24 32 48 64 128 256; do
    png="$icons/${n}x${n}/apps/$id.png"
    if [ ! -f "$png" ]; then
        fail "no ${n} x ${n} icon"
        continue
    fi
    # Width and height of the PNG header, big-endian at bytes 16 to 23.
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    w=$((((w1 * 256 + w2) * 256 + w3) * 256 + w4))
    h=$((((h1 * 256 + h2) * 256 + h3) * 256 + h4))
    [ "$w" = "$n" ] && [ "$h" = "$n" ] || fail "the ${n} x ${n} icon is $w x $h"
done

# The launcher starts the installed program and names the installed icon.
grep -qx "Exec=zibelou-malice" "$desktop" || fail "Exec is not zibelou-malice"
grep -qx "Icon=$id" "$desktop" || fail "Icon is not $id"
grep -qx "Categories=Education;Game;KidsGame;" "$desktop" || fail "Categories"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
grep -q '<content_attribute id="money-gambling">mild</content_attribute>' "$metainfo" ||
    fail "the point games are not declared"
grep -q '@' "$metainfo" && fail "a placeholder was left in the metainfo"

missing=()
command -v desktop-file-validate >/dev/null || missing+=(desktop-file-utils)
command -v appstreamcli >/dev/null || missing+=(appstream)
if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP the validators: install ${missing[*]} (./check does)"
    [ $failures -eq 0 ] && exit 77
    exit 1
fi
# desktop-file-validate prints hints (the two main categories asked for) but
# fails only on errors and warnings.
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"

[ $failures -eq 0 ] && echo "The installed tree is complete and valid."
[ $failures -eq 0 ]
