#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what lands there: both programs,
# the samples, the desktop entry, the icons and the man pages. Usage: check_install.sh
# BUILD_DIR WITH_UI(ON|OFF)
set -euo pipefail
build=$1
with_ui=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_file() { [ -f "$dest/usr/$1" ] || fail "missing $1"; }

DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null

expect_file bin/quillmere-cli
expect_file share/quillmere/Samples/sample1.xls
expect_file share/quillmere/Samples/sample2.xls
pages=(quillmere-cli)
if [ "$with_ui" = ON ]; then
  expect_file bin/quillmere
  pages+=(quillmere)
fi

for page in "${pages[@]}"; do
  file=$dest/usr/share/man/man1/$page.1.gz
  if [ ! -f "$file" ]; then fail "missing man page $page.1.gz"; continue; fi
  zcat "$file" | grep -q "^\.TH \"\?${page^^}\"\? \"\?1\"\? " ||
    fail "$page.1 has no .TH line for section 1"
  zcat "$file" | grep -q -- 'help' || fail "$page.1 does not describe --help"
  warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "$page.1 formats with warnings: $warnings"
done

# The installed programs run from their new place and answer without a display.
"$dest/usr/bin/quillmere-cli" --help | grep -q '^Usage: quillmere-cli' ||
  fail "installed quillmere-cli --help"

if [ "$with_ui" = ON ]; then
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$dest/usr/bin/quillmere" --version)
  [[ $version == "quillmere "* ]] || fail "installed quillmere --version said: $version"

  entry=$dest/usr/share/applications/quillmere.desktop
  if [ -f "$entry" ]; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
    grep -q '^Exec=quillmere %F$' "$entry" || fail "the desktop entry does not pass files"
    mime=$(sed -n 's/^MimeType=//p' "$entry")
    for type in application/vnd.openxmlformats-officedocument.spreadsheetml.sheet \
      application/vnd.ms-excel.sheet.macroEnabled.12 \
      application/vnd.openxmlformats-officedocument.spreadsheetml.template \
      application/vnd.ms-excel.template.macroEnabled.12 \
      application/vnd.ms-excel.sheet.binary.macroEnabled.12 \
      application/vnd.ms-excel application/vnd.oasis.opendocument.spreadsheet text/csv; do
      [[ ";$mime" == *";$type;"* ]] || fail "the desktop entry lacks $type"
    done
  else
    fail "missing share/applications/quillmere.desktop"
  fi

  for side in 16 22 24 32 48 64 128 256; do
    icon=$dest/usr/share/icons/hicolor/${side}x${side}/apps/quillmere.png
    if [ ! -f "$icon" ]; then fail "missing the ${side}px icon"; continue; fi
    size=$(identify -format '%wx%h' "$icon")
    [ "$size" = "${side}x${side}" ] || fail "the ${side}px icon is $size"
  done
fi

# Nothing else of the build (tests, tools, benchmarks) is installed.
stray=$(find "$dest/usr/bin" -type f ! -name quillmere ! -name quillmere-cli)
[ -z "$stray" ] || fail "unexpected programs installed: $stray"

if [ $failures -ne 0 ]; then exit 1; fi
echo "install tree ok: $(find "$dest" -type f | wc -l) files"
