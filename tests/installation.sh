#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that every file lands where desktops look
# for it, that the icons have the sizes their folders promise, and that the desktop entry and the
# software-centre description pass their validators.
#   tests/installation.sh CMAKE BUILD_DIR APP_ID VERSION
set -euo pipefail

cmake=$1 build=$2 app_id=$3 version=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }

icons=share/icons/hicolor desktop=share/applications/$app_id.desktop
metainfo=share/metainfo/$app_id.metainfo.xml
expected=(bin/function-graph "$desktop" "$metainfo" "$icons/scalable/apps/$app_id.svg")
# The sound player, which the program loads from its library folder on the first sound.
module=$(cd "$prefix" && find . -path '*/function-graph/libfunction-graph-sound.so' -printf '%P')
[[ -n $module ]] || fail "the sound module is not installed"
expected+=("$module")
for size in 16 32 48 64 128 256; do
    image=$icons/${size}x${size}/apps/$app_id.png
    expected+=("$image")
    description=$(file -b "$prefix/$image")
    [[ $description == "PNG image data, $size x $size,"* ]] || fail "$image is: $description"
done
for file in "${expected[@]}"; do
    [[ -f $prefix/$file ]] || fail "$file is not installed"
done
[[ -x $prefix/bin/function-graph ]] || fail "the program is not executable"
# The installed program finds its translations.
LANG=de_DE.UTF-8 "$prefix/bin/function-graph" --help | grep -q "^Aufruf: " ||
    fail "the installed program does not speak German"
LANG=fr_FR.UTF-8 "$prefix/bin/function-graph" --help | grep -q "^Utilisation : " ||
    fail "the installed program does not speak French"
# Nothing else: a stray file would be shipped in the package too.
while IFS= read -r file; do
    [[ " ${expected[*]} " == *" $file "* ]] || fail "unexpected file $file"
done < <(cd "$prefix" && find . -type f -printf '%P\n')
[[ $(file -b --mime-type "$prefix/${expected[3]}") == image/svg+xml ]] ||
    fail "the scalable icon is no SVG"

# The module makes the player the program asks it for, and finds every library it needs.
nm -D "$prefix/$module" | grep -q " T createCurvePlayer$" || fail "the sound module makes no player"
! ldd "$prefix/$module" | grep -q "not found" || fail "the sound module lacks a library"

cd "$prefix"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
# The entry starts the installed program by name and shows the installed icon.
grep -qx "Exec=function-graph" "$desktop" || fail "the desktop entry does not run function-graph"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the icon $app_id"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo does not carry the id $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $app_id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

((failures == 0)) || { echo "$failures check(s) failed" && exit 1; }
echo "installation: all checks passed"
