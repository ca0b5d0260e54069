#!/bin/sh
# vellum-mp3 --help and --version answer in a terminal without a desktop; an unknown option ends the start with a
# failure. Arguments: the program, the project's version.
set -u
program=$1 version=$2
fail() { echo "FAILED: $*" >&2; exit 1; }
HOME=$(mktemp -d "${TMPDIR:-/tmp}/vellum-home.XXXXXX") && export HOME XDG_CONFIG_HOME="$HOME/.config"
trap 'rm -rf "$HOME"' EXIT
no_desktop() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@"; }

[ "$(no_desktop --version)" = "vellum-mp3 $version" ] || fail "--version"
help=$(no_desktop --help) || fail "--help ended with a failure"
case $help in
*"[FILE|FOLDER]..."*"--version"*) ;;
*) fail "--help printed: $help" ;;
esac
QT_QPA_PLATFORM=offscreen "$program" --bogus 2>/dev/null && fail "an unknown option was taken"
exit 0
