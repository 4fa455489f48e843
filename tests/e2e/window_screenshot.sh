#!/usr/bin/env bash
# The main window as it first appears: fixed size, centred, minimise only,
# with its icon, and the whole window on screen. The picture of the window
# is kept as veltrasa-window.png in the test's working directory for a
# person to look at.
source "$(dirname "$0")/lib.sh"
start_display
start_program

read -r sw sh < <(screen_size)
read -r ox oy < <(window_origin)
read -r w h < <(window_size)
[[ "$w $h" == "1227 869" ]] || fail "client area is ${w}x$h, not 1227x869"
((ox == (sw - w) / 2 && oy == (sh - h) / 2)) || fail "window at $ox,$oy is not centred on ${sw}x$sh"
pass "1227x869, centred"

props="$(xprop -id "$WID")"
grep -q 'program specified minimum size: 1227 by 869' <<<"$props" || fail "no fixed minimum size"
grep -q 'program specified maximum size: 1227 by 869' <<<"$props" || fail "no fixed maximum size"
grep -q '^_NET_WM_NAME(UTF8_STRING) = "Veltrasa２００５"' <<<"$props" || fail "caption"
# Motif hints: flags, functions, decorations. Functions: 0x08 minimise,
# 0x10 maximise, 0x20 close; decorations: 0x20 minimise, 0x40 maximise.
motif="$(sed -n 's/^_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = //p' <<<"$props")"
IFS=', ' read -r _ functions decorations _ <<<"$motif"
((functions & 0x08)) || fail "minimise not offered ($motif)"
((!(functions & 0x30))) || fail "maximise or close offered ($motif)"
((decorations & 0x20 && !(decorations & 0x40))) || fail "title bar buttons ($motif)"
grep -q 'Icon (32 x 32)' <<<"$props" || fail "no 32x32 icon"
grep -q 'Icon (16 x 16)' <<<"$props" || fail "no 16x16 icon"
pass "minimise only, fixed size, stopwatch icon"

snapshot
expect_pixel C0C0C0 45 60 "clock panel border"
expect_pixel C0C0C0 18330 1590 "antiarrhythmic panel's far corner"
expect_pixel E0E0E0 7065 1680 "CPR panel border"
expect_pixel E0E0E0 18315 12900 "rhythm panel's far corner"
expect_pixel 404040 200 12800 "record list's lower end"
expect_pixel 000080 7170 5340 "event button"
expect_pixel 400000 15690 5340 "CPR終了 button"
pass "every corner of the window on screen"

snap_window "${VELTRASA_SCREENSHOT:-$PWD/veltrasa-window.png}"
pass "window picture in ${VELTRASA_SCREENSHOT:-$PWD/veltrasa-window.png}"
