#!/usr/bin/env bash
# Installs the build into a temporary prefix and packs it as a .deb, then checks what a user's desktop
# relies on: the program started from the installed bin/ finds its help page, the menu entry and the
# software-centre description are valid, and the package holds exactly the program's files, names the
# libraries and the Qt platform plugins it cannot start without, and passes lintian with no tag at all.
# Arguments: the build directory, the HelpPageProbe program, whether the build is hardened (ON or OFF).
set -euo pipefail
build=$1 probe=$2 hardened=$3
for tool in desktop-file-validate appstreamcli lintian dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null \
    || { echo "SKIPPED: $tool not found (scripts/install-deps --tests installs it)"; exit 77; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/vellum-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
expect_equal() { [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"; }

# The build tree: the page is copied beside the built program.
expect_equal "help page beside the built program" "$("$probe" "$build/app/")" "$build/app/Help/help.htm"
[ -f "$build/app/Help/help.htm" ] || fail "no help page beside the built program"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
# The probe runs from the installed bin/, beside the program, and looks up the page as the program does.
cp "$probe" "$prefix/bin/"
expect_equal "help page from the installed bin/" "$("$prefix/bin/$(basename "$probe")")" \
  "$prefix/share/vellum-mp3/Help/help.htm"
rm "$prefix/bin/$(basename "$probe")"

expected_files=(
  bin/vellum-mp3
  share/applications/vellum-mp3.desktop
  share/doc/vellum-mp3/changelog.gz
  share/doc/vellum-mp3/copyright
  share/icons/hicolor/128x128/apps/vellum-mp3.png
  share/icons/hicolor/16x16/apps/vellum-mp3.png
  share/icons/hicolor/24x24/apps/vellum-mp3.png
  share/icons/hicolor/256x256/apps/vellum-mp3.png
  share/icons/hicolor/32x32/apps/vellum-mp3.png
  share/icons/hicolor/48x48/apps/vellum-mp3.png
  share/icons/hicolor/64x64/apps/vellum-mp3.png
  share/icons/hicolor/scalable/apps/vellum-mp3.svg
  share/lintian/overrides/vellum-mp3
  share/man/man1/vellum-mp3.1.gz
  share/metainfo/vellum-mp3.metainfo.xml
  share/vellum-mp3/Help/help.htm
)
expected=$(printf '%s\n' "${expected_files[@]}")
expect_equal "installed files" "$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)" "$expected"
[ -x "$prefix/bin/vellum-mp3" ] || fail "installed program is not executable"

desktop-file-validate "$prefix/share/applications/vellum-mp3.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/vellum-mp3.metainfo.xml" >"$work/appstream.log" \
  || { cat "$work/appstream.log" >&2; fail "metainfo invalid"; }

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$(find "$work/package" -maxdepth 1 -name 'vellum-mp3_*.deb' | head -n 1)
if [ -z "$deb" ]; then
  fail "no vellum-mp3 package made"
else
  packed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | LC_ALL=C sort)
  expect_equal "packed files" "$packed" "$expected"
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in libqt6widgets6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $needed"[\ ,\(]* ]] || fail "Depends lacks $needed: $depends"
  done
  [[ "$(dpkg-deb -f "$deb" Recommends)" == *xdg-utils* ]] || fail "Recommends lacks xdg-utils"
  expect_equal "package name" "$(dpkg-deb -f "$deb" Package)" vellum-mp3
  expect_equal "section" "$(dpkg-deb -f "$deb" Section)" sound
  changelog_version=$(zcat "$prefix/share/doc/vellum-mp3/changelog.gz" | sed -n '1s/.*(\(.*\)).*/\1/p')
  expect_equal "changelog's version" "$changelog_version" "$(dpkg-deb -f "$deb" Version)"
  # Every tag counts, down to the pedantic ones; the overrides shipped with the package say why they are there.
  # A Debug or sanitizer build, which no package is made from, is not hardened.
  unhardened=()
  [ "$hardened" = ON ] || unhardened=(--suppress-tags hardening-no-fortify-functions,hardening-no-bindnow)
  lintian -I --pedantic --fail-on error,warning,info,pedantic "${unhardened[@]}" "$deb" >"$work/lintian.log" 2>&1 \
    || { cat "$work/lintian.log" >&2; fail "lintian"; }
fi

[ "$failures" -eq 0 ] && echo "installed tree and package checked"
exit $((failures > 0))
