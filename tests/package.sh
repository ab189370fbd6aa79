#!/usr/bin/env bash
# Builds the Debian package into a scratch folder and checks its version, its dependencies (the
# libraries found by dpkg-shlibdeps and the fonts the captions need) and that it holds the
# program, its menu entry, icon and metainfo.
#   tests/package.sh CPACK BUILD_DIR APP_ID VERSION
set -euo pipefail

cpack=$1 build=$2 app_id=$3 version=$4
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
"$cpack" --config "$build/CPackConfig.cmake" -B "$output" >/dev/null
package=$output/function-graph_${version}_$(dpkg --print-architecture).deb
[[ -f $package ]] || { echo "FAIL: no $package; made: $(ls "$output")"; exit 1; }

failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }

[[ $(dpkg-deb -f "$package" Package) == function-graph ]] || fail "wrong package name"
[[ $(dpkg-deb -f "$package" Version) == "$version" ]] || fail "version is not $version"
[[ -n $(dpkg-deb -f "$package" Maintainer) ]] || fail "no maintainer"
depends=$(dpkg-deb -f "$package" Depends)
for dependency in fonts-ipafont-gothic fonts-urw-base35 libqt6widgets6 libqt6multimedia6 libc6; do
    [[ ", $depends," == *", $dependency"[\ ,]* ]] || fail "Depends lacks $dependency: $depends"
done
recommends=$(dpkg-deb -f "$package" Recommends)
for recommended in qt6-wayland qt6-xdgdesktopportal-platformtheme; do
    [[ ", $recommends," == *", $recommended,"* ]] || fail "Recommends lacks $recommended: $recommends"
done

[[ $(dpkg-deb -f "$package" Recommends) == *qt6-translations-l10n* ]] ||
    fail "Recommends lacks qt6-translations-l10n"

contents=$(dpkg-deb -c "$package")
for file in usr/bin/function-graph "usr/share/applications/$app_id.desktop" \
    "usr/share/metainfo/$app_id.metainfo.xml" "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
    "usr/share/icons/hicolor/48x48/apps/$app_id.png" usr/lib/function-graph/libfunction-graph-sound.so; do
    [[ $contents == *" ./$file"* ]] || fail "the package lacks /$file"
done

((failures == 0)) || { echo "$failures check(s) failed" && exit 1; }
echo "package: all checks passed"
