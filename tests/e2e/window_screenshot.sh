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
[[ "$w $h" == "$LAYOUT_W $LAYOUT_H" ]] || fail "client area is ${w}x$h, not ${LAYOUT_W}x$LAYOUT_H"
((ox == (sw - w) / 2 && oy == (sh - h) / 2)) || fail "window at $ox,$oy is not centred on ${sw}x$sh"
pass "${LAYOUT_W}x$LAYOUT_H, centred"

props="$(xprop -id "$WID")"
grep -q "program specified minimum size: $LAYOUT_W by $LAYOUT_H" <<<"$props" || fail "no fixed minimum size"
grep -q "program specified maximum size: $LAYOUT_W by $LAYOUT_H" <<<"$props" || fail "no fixed maximum size"
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

# expect_corner RRGGBB PANEL near|far WHAT: the first or the last pixel of
# a panel's rectangle (its border) has that colour.
expect_corner() {
  local -n r="$2"
  if [[ "$3" == near ]]; then
    expect_pixel "$1" "${r[0]}" "${r[1]}" "$4"
  else
    expect_pixel "$1" $((r[0] + r[2] - TWIPS_PER_PIXEL)) $((r[1] + r[3] - TWIPS_PER_PIXEL)) "$4"
  fi
}
snapshot
expect_corner C0C0C0 SHAPE1_1 near "clock panel border"
expect_corner C0C0C0 SHAPE1_5 far "antiarrhythmic panel's far corner"
expect_corner E0E0E0 SHAPE1_4 near "CPR panel border"
expect_corner E0E0E0 SHAPE1_6 far "rhythm panel's far corner"
expect_pixel 404040 $((LIST_RECT[0] + 80)) $((LIST_RECT[1] + LIST_RECT[3] - 115)) "record list's lower end"
expect_pixel 000080 $((EVENT_LEFT[0] + 90)) $((EVENT_TOP[0] + 90)) "event button"
expect_pixel 400000 $((EVENT_LEFT[15] + 90)) $((EVENT_TOP[15] + 90)) "CPR終了 button"
pass "every corner of the window on screen"

snap_window "${VELTRASA_SCREENSHOT:-$PWD/veltrasa-window.png}"
pass "window picture in ${VELTRASA_SCREENSHOT:-$PWD/veltrasa-window.png}"
