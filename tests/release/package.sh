#!/usr/bin/env bash
# The Debian package as a ward PC gets it: cpack builds the .deb, its control
# fields name the libraries and fonts the program needs, it unpacks (dpkg -x
# into a scratch root, leaving this machine's packages alone) into a program,
# a valid menu entry, an icon and a readable man page, and the unpacked
# program starts on a display and shows its window.
# Usage: package.sh BUILD_DIR
set -euo pipefail

BUILD_DIR="$(cd "${1:?usage: package.sh BUILD_DIR}" && pwd)"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
SCRATCH="$(mktemp -d /tmp/veltrasa-deb.XXXXXX)"
trap 'rm -rf "$SCRATCH"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# --- build -------------------------------------------------------------------
if ! (cd "$SCRATCH" && cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$SCRATCH/out") >"$SCRATCH/cpack.log" 2>&1; then
    cat "$SCRATCH/cpack.log" >&2
    fail "cpack could not build the package"
fi
debs=("$SCRATCH"/out/*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "expected one .deb, got: ${debs[*]}"
DEB="${debs[0]}"
pass "built $(basename "$DEB")"

# --- control fields ----------------------------------------------------------
[[ "$(dpkg-deb -f "$DEB" Package)" == veltrasa ]] || fail "package name"
[[ "$(dpkg-deb -f "$DEB" Architecture)" == "$(dpkg --print-architecture)" ]] || fail "architecture"
[[ -n "$(dpkg-deb -f "$DEB" Version)" ]] || fail "no version"
depends="$(dpkg-deb -f "$DEB" Depends)"
echo "Depends: $depends"
# Package names only, one per line (versions and alternatives dropped).
names="$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g' | grep -v '^$' | sort -u)"
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-lato qt6-translations-l10n xclip; do
    grep -qx "$needed" <<<"$names" || fail "Depends does not name $needed"
done
# Everything named must exist in Debian: here, the names must all be
# installed packages (setup.sh installs what the program needs).
while read -r name; do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" ||
        fail "dependency $name is not a package installed on this machine"
done <<<"$names"
pass "dependencies name the Qt libraries, the fonts, Qt's translations and xclip"

# --- contents ----------------------------------------------------------------
ROOTFS="$SCRATCH/root"
dpkg -x "$DEB" "$ROOTFS"
BIN="$ROOTFS/usr/bin/veltrasa"
DESKTOP="$ROOTFS/usr/share/applications/veltrasa.desktop"
ICON="$ROOTFS/usr/share/icons/hicolor/scalable/apps/veltrasa.svg"
MAN="$ROOTFS/usr/share/man/man1/veltrasa.1.gz"
PNG16="$ROOTFS/usr/share/icons/hicolor/16x16/apps/veltrasa.png"
PNG32="$ROOTFS/usr/share/icons/hicolor/32x32/apps/veltrasa.png"
for f in "$BIN" "$DESKTOP" "$ICON" "$PNG16" "$PNG32" "$MAN"; do
    [[ -f "$f" ]] || fail "package lacks ${f#"$ROOTFS"}"
done
[[ -x "$BIN" ]] || fail "program is not executable"
# The installed program finds the system's Qt, never a build tree.
if readelf -d "$BIN" | grep -Eq 'R(UN)?PATH'; then
    fail "installed program carries an RPATH: $(readelf -d "$BIN" | grep -E 'R(UN)?PATH')"
fi
if ldd "$BIN" | grep -q 'not found'; then
    fail "unresolved libraries: $(ldd "$BIN" | grep 'not found')"
fi
pass "program, menu entry, icon and man page are in place"

desktop-file-validate "$DESKTOP" || fail "desktop-file-validate rejects the menu entry"
grep -qx 'Name=Veltrasa2005' "$DESKTOP" || fail "English name"
grep -q '^Name\[ja\]=.*[^ -~]' "$DESKTOP" || fail "Japanese name"
grep -q '^Comment\[ja\]=' "$DESKTOP" || fail "Japanese comment"
grep -qx 'Icon=veltrasa' "$DESKTOP" || fail "icon name"
exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$DESKTOP")"
[[ -x "$ROOTFS/usr/bin/$exec_name" ]] || fail "Exec=$exec_name is not the installed program"
/usr/bin/python3 -c 'import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); sys.exit(0 if r.tag.endswith("svg") else 1)' "$ICON" ||
    fail "icon is not an SVG document"
# A PNG's size is in its header: width and height at bytes 16..23.
png_size() { /usr/bin/python3 -c 'import sys, struct; d = open(sys.argv[1], "rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8] == b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$1"; }
[[ "$(png_size "$PNG16")" == 16x16 ]] || fail "16x16 icon is $(png_size "$PNG16")"
[[ "$(png_size "$PNG32")" == 32x32 ]] || fail "32x32 icon is $(png_size "$PNG32")"
pass "menu entry valid, icon well-formed"

man_err="$SCRATCH/man.err"
man_text="$(MANWIDTH=80 man -l --warnings "$MAN" 2>"$man_err")" || fail "man cannot format the page"
[[ ! -s "$man_err" ]] || fail "man page warnings: $(cat "$man_err")"
grep -q 'veltrasa' <<<"$man_text" || fail "man page has no text"
grep -q 'SYNOPSIS' <<<"$man_text" || fail "man page has no synopsis"
pass "man page formats without warnings"

# --- the installed program starts --------------------------------------------
export VELTRASA_BIN="$BIN"
# shellcheck source=../e2e/lib.sh
source "$HERE/../e2e/lib.sh"
trap 'e2e_cleanup; rm -rf "$SCRATCH"' EXIT
start_display
start_program
[[ "$(readlink -f "/proc/$PROGRAM_PID/exe")" == "$(readlink -f "$BIN")" ]] || fail "the running program is not the unpacked one"
[[ "$(xdotool getwindowname "$WID")" == Veltrasa* ]] || fail "window title: $(xdotool getwindowname "$WID")"
kill -0 "$PROGRAM_PID" || fail "the installed program died"
pass "the installed program shows its window"
