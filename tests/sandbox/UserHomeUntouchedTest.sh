#!/usr/bin/env bash
# A window test run by ctest leaves the user's own files alone: with HOME a fresh folder and no XDG folder set, it
# writes nothing there, and what Qt keeps for the user (the folder dialog's history) lands in the tests' home in
# the build tree instead.
# Arguments: the tests' build directory, the tests' home, a ctest pattern naming a test that opens a folder dialog.
set -euo pipefail
build=$1 sandbox=$2 pattern=$3
home=$(mktemp -d "${TMPDIR:-/tmp}/vellum-home.XXXXXX") log=$(mktemp)
trap 'rm -rf "$home" "$log"' EXIT

rm -f "$sandbox/.config/QtProject.conf"
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME -u XDG_CACHE_HOME -u XDG_RUNTIME_DIR HOME="$home" \
  ctest --test-dir "$build" -R "$pattern" --output-on-failure >"$log" 2>&1 \
  || { cat "$log"; echo "FAILED: the window test failed" >&2; exit 1; }
written=$(cd "$home" && find . -mindepth 1)
[ -z "$written" ] || { echo "FAILED: the window test wrote into the user's home: $written" >&2; exit 1; }
[ -f "$sandbox/.config/QtProject.conf" ] \
  || { echo "FAILED: no folder dialog history in $sandbox: '$pattern' names no test opening the dialog" >&2; exit 1; }
echo "the user's home untouched"
