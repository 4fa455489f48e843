#!/usr/bin/env bash
# The Debian package as a ward PC gets it: cpack builds the .deb, its control
# fields name the libraries and fonts the program needs, it unpacks (dpkg -x
# into a scratch root, leaving this machine's packages alone) into a program,
# a valid menu entry, an icon and a readable man page, and the unpacked
# program starts on a display and shows its window. lintian finds no fault
# in it; as root, dpkg -i and dpkg -r leave nothing of it behind.
# Usage: package.sh BUILD_DIR
set -euo pipefail

BUILD_DIR="$(cd "${1:?usage: package.sh BUILD_DIR}" && pwd)"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
SCRATCH="$(mktemp -d /tmp/veltrasa-deb.XXXXXX)"
INSTALLED=""
# A package this test installed goes again whatever happens.
trap '[[ -z "$INSTALLED" ]] || dpkg --purge veltrasa >/dev/null 2>&1; rm -rf "$SCRATCH"' EXIT

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
VERSION="$(dpkg-deb -f "$DEB" Version)"
[[ -n "$VERSION" ]] || fail "no version"
# What Debian's checker says, the hardening tags (informational) included.
lintian -I "$DEB" >"$SCRATCH/lintian.log" 2>&1 || true
! grep -E '^[EW]: |hardening-' "$SCRATCH/lintian.log" || fail "lintian finds faults in the package"
depends="$(dpkg-deb -f "$DEB" Depends)"
echo "Depends: $depends"
# Package names only, one per line (versions and alternatives dropped).
names="$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g' | grep -v '^$' | sort -u)"
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-lato qt6-translations-l10n libqt6svg6 xclip; do
    grep -qx "$needed" <<<"$names" || fail "Depends does not name $needed"
done
# Everything named must exist in Debian: here, the names must all be
# installed packages (setup.sh installs what the program needs, and what
# it recommends for the tests).
installed() {
    local name
    for name in "${@:2}"; do
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" ||
            fail "$1 $name is not a package installed on this machine"
    done
}
mapfile -t depended < <(printf '%s\n' "$names")
installed dependency "${depended[@]}"
pass "dependencies name the Qt libraries, the fonts, Qt's translations and xclip"

# An input method through which Qt 6 takes Japanese: ibus-mozc, or fcitx5's
# Mozc with its Qt 6 frontend (uim, which has no Qt 6 module, is no answer).
recommends="$(dpkg-deb -f "$DEB" Recommends)"
echo "Recommends: $recommends"
# What a desktop with these packages lacks, read as apt reads the field:
# every clause needs one of its alternatives installed.
/usr/bin/python3 - "$recommends" <<'PYEOF' || fail "Recommends: $recommends"
import re, sys
clauses = [[re.sub(r"\(.*\)", "", a).strip() for a in c.split("|")] for c in sys.argv[1].split(",")]
satisfied = lambda installed: all(any(a in installed for a in c) for c in clauses)
for installed, enough in [({"ibus-mozc", "ibus"}, True), ({"fcitx5-mozc", "fcitx5-frontend-qt6"}, True),
                          ({"fcitx5-mozc"}, False), ({"fcitx5", "fcitx5-frontend-qt6"}, False),
                          ({"uim", "uim-mozc", "im-config"}, False), ({"ibus", "fcitx5"}, False)]:
    if satisfied(installed) != enough:
        sys.exit("with %s installed apt %s" % (sorted(installed), "would still add packages" if enough else "adds nothing"))
PYEOF
installed "recommended package" ibus-mozc fcitx5-mozc fcitx5-frontend-qt6
pass "recommends ibus-mozc, or fcitx5-mozc with fcitx5-frontend-qt6"

# --- contents ----------------------------------------------------------------
ROOTFS="$SCRATCH/root"
dpkg -x "$DEB" "$ROOTFS"
BIN="$ROOTFS/usr/bin/veltrasa"
DESKTOP="$ROOTFS/usr/share/applications/veltrasa.desktop"
ICON="$ROOTFS/usr/share/icons/hicolor/scalable/apps/veltrasa.svg"
MAN="$ROOTFS/usr/share/man/man1/veltrasa.1.gz"
for f in "$BIN" "$DESKTOP" "$ICON" "$MAN"; do
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
pass "menu entry valid, icon well-formed"

man_err="$SCRATCH/man.err"
man_text="$(MANWIDTH=80 man -l --warnings "$MAN" 2>"$man_err")" || fail "man cannot format the page"
[[ ! -s "$man_err" ]] || fail "man page warnings: $(cat "$man_err")"
grep -q 'veltrasa' <<<"$man_text" || fail "man page has no text"
grep -q 'SYNOPSIS' <<<"$man_text" || fail "man page has no synopsis"
pass "man page formats without warnings"

METAINFO=("$ROOTFS"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${METAINFO[@]}" || fail "appstreamcli rejects ${METAINFO[*]#"$ROOTFS"}"
grep -q "<release version=\"$VERSION\"" "${METAINFO[@]}" || fail "no release $VERSION in the software-centre entry"
pass "software-centre entry valid, with release $VERSION"

# Answers without a display; an unknown option is refused in one line; Qt's
# own options still reach Qt (the start below).
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$BIN" "$@"; }
[[ "$(nodisplay --version)" == "Veltrasa2005 $VERSION" ]] || fail "--version: $(nodisplay --version 2>&1)"
status=0
nodisplay --bogus >"$SCRATCH/bogus" 2>&1 || status=$?
[[ $status -eq 2 && "$(cat "$SCRATCH/bogus")" == *bogus* && $(wc -l <"$SCRATCH/bogus") -eq 1 ]] ||
    fail "--bogus: status $status, $(cat "$SCRATCH/bogus")"
nodisplay --help | grep -q -- '--version' || fail "--help does not list --version"
pass "--version prints $VERSION, --help answers, --bogus exits 2 with one line"

# --- installed and removed ---------------------------------------------------
if [[ $(id -u) -ne 0 ]]; then
    echo "note: not root, the package is not installed and removed"
elif dpkg-query -W -f='${Status}' veltrasa 2>/dev/null | grep -q installed; then
    fail "veltrasa is installed on this machine already; the test would remove it"
else
    # Of the package's paths only those there before (shared folders) may remain.
    mapfile -t paths < <(dpkg-deb -c "$DEB" | awk '{ sub(/^\./, "", $6); sub(/\/$/, "", $6); if ($6 != "") print $6 }')
    present() { local p; for p in "${paths[@]}"; do [[ ! -e "$p" ]] || echo "$p"; done; }
    before="$(present)"
    INSTALLED=1
    dpkg -i "$DEB" >"$SCRATCH/dpkg.log" 2>&1 || { cat "$SCRATCH/dpkg.log" >&2; fail "dpkg -i"; }
    dpkg -r veltrasa >>"$SCRATCH/dpkg.log" 2>&1 || { cat "$SCRATCH/dpkg.log" >&2; fail "dpkg -r"; }
    left="$(comm -13 <(echo "$before") <(present))"
    [[ -z "$left" ]] || fail "left behind after dpkg -r: $left"
    pass "installs with dpkg -i and leaves nothing behind after dpkg -r"
fi

# --- the installed program starts --------------------------------------------
export VELTRASA_BIN="$BIN"
# shellcheck source=../e2e/lib.sh
source "$HERE/../e2e/lib.sh"
trap 'e2e_cleanup; rm -rf "$SCRATCH"' EXIT
start_display
# shellcheck disable=SC2034 # Qt's own options, which must still reach Qt
PROGRAM_ARGS=(-platform xcb -display "$DISPLAY" -style=Fusion)
start_program
[[ "$(readlink -f "/proc/$PROGRAM_PID/exe")" == "$(readlink -f "$BIN")" ]] || fail "the running program is not the unpacked one"
[[ "$(xdotool getwindowname "$WID")" == Veltrasa* ]] || fail "window title: $(xdotool getwindowname "$WID")"
kill -0 "$PROGRAM_PID" || fail "the installed program died"
pass "the installed program shows its window"
