#!/usr/bin/env bash
# Builds one layer probe. "builds": the probe must compile. "fails HEADER": it must fail
# because HEADER cannot be found, and for no other reason.
set -u
build_dir=$1 target=$2 outcome=$3 header=${4:-}
output=$(cmake --build "$build_dir" --target "$target" 2>&1)
status=$?
if [ "$outcome" = builds ]; then
  [ $status -eq 0 ] && exit 0
  printf '%s\n' "$output"; echo "expected $target to build"; exit 1
fi
if [ $status -ne 0 ] && grep -q "fatal error: $header: No such file" <<<"$output"; then exit 0; fi
printf '%s\n' "$output"; echo "expected $target to fail for want of $header"; exit 1
