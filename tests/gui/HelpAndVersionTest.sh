#!/bin/sh
# --help and --version answer in a terminal without a desktop; an unknown option fails. Arguments: program, version.
HOME=$(mktemp -d) && export HOME XDG_CONFIG_HOME="$HOME" && trap 'rm -rf "$HOME"' EXIT
bare() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$1" "$2"; }
[ "$(bare "$1" --version)" = "vellum-mp3 $2" ] || { echo "FAILED: --version" >&2; exit 1; }
case $(bare "$1" --help) in *"[FILE|FOLDER]..."*--version*) ;; *) echo "FAILED: --help" >&2; exit 1 ;; esac
if QT_QPA_PLATFORM=offscreen "$1" --bogus 2>/dev/null; then echo "FAILED: --bogus was taken" >&2; exit 1; fi
