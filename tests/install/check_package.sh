#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder, lists its control data with
# dpkg-deb -I and checks that it depends on run-time packages only.
# Usage: check_package.sh BUILD_DIR WITH_UI(ON|OFF)
set -euo pipefail
build=$1
with_ui=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
deb=$(find "$out" -maxdepth 1 -name 'quillmere_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "FAIL: cpack made no package"; cat "$out/cpack.log"; exit 1; }

dpkg-deb -I "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

needed=(libc6 libstdc++6 libzip4 libexpat1 libgsf-1-114 libxlsxwriter4)
if [ "$with_ui" = ON ]; then
  needed+=(libqt6core6 libqt6widgets6 libqt6webenginewidgets6 libqt6webenginecore6-bin
    qt6-qpa-plugins)
fi
for package in "${needed[@]}"; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
    fail "Depends lacks $package"
done
[[ $depends != *-dev* ]] || fail "Depends names a development package: $depends"

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/quillmere-cli ./usr/share/quillmere/Samples/sample1.xls \
  ./usr/share/man/man1/quillmere-cli.1.gz ./usr/share/doc/quillmere/copyright \
  ./usr/share/doc/quillmere/changelog.gz; do
  [[ $contents == *"$path"* ]] || fail "the package lacks $path"
done
if [ "$with_ui" = ON ]; then
  for path in ./usr/bin/quillmere ./usr/share/applications/quillmere.desktop \
    ./usr/share/icons/hicolor/48x48/apps/quillmere.png; do
    [[ $contents == *"$path"* ]] || fail "the package lacks $path"
  done
fi
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ ", $recommends," == *", xdg-utils"* ]] || fail "Recommends lacks xdg-utils: $recommends"
description=$(dpkg-deb -f "$deb" Description)
! grep -q '^ *[;.]' <<<"$description" || fail "the Description has lines beginning with ';' or '.'"

# The man page of the command line holds each command's options and the exit codes.
man_page=$(mktemp -d)
dpkg-deb -x "$deb" "$man_page"
page=$(zcat "$man_page/usr/share/man/man1/quillmere-cli.1.gz")
rm -rf "$man_page"
for wanted in '.SH COMMANDS' '.SS compare' '\-\-ignore\-case' '.SS textconv' '.SH "EXIT STATUS"'; do
  [[ $page == *"$wanted"* ]] || fail "the man page lacks $wanted"
done

# lintian, where it is installed, finds no errors.
if command -v lintian >/dev/null; then
  report=$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1 || true)
  echo "$report"
  ! grep -q '^E:' <<<"$report" || fail "lintian reports errors"
fi
[ $failures -eq 0 ]
