#!/bin/sh
# Writes a help2man include file for quillmere-cli: each command's --help as a subsection of
# COMMANDS, and the exit codes as a section of their own.
# Usage: man-sections.sh PROGRAM OUTPUT
set -eu
program=$1
output=$2

# Roff takes a backslash as an escape and a line starting with "." or "'" as a request.
as_roff() {
  sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e 's/^\([.'"'"']\)/\\\&\1/'
}

{
  echo "[COMMANDS]"
  for command in compare cells sheets textconv git-diff; do
    echo ".SS $command"
    echo ".nf"
    "$program" "$command" --help | as_roff
    echo ".fi"
  done
  echo "[EXIT STATUS]"
  echo ".TP"
  echo "0"
  echo "no differences (or, for cells, sheets and textconv, the listing was written)"
  echo ".TP"
  echo "1"
  echo "differences found"
  echo ".TP"
  echo "2"
  echo "an error: a file could not be read or written, or the arguments were wrong; with"
  echo "folders, a pair failed while the others were still compared"
} >"$output"
