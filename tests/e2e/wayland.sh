#!/usr/bin/env bash
# The program in a Wayland session: weston with its desktop shell on a
# 1366x768 output, the panel along the top.
#   xwayland  with weston's XWayland server (WAYLAND_DISPLAY and DISPLAY
#             both set, as in GNOME and Plasma sessions): the program runs on
#             X11, its window on the X display, and with the frame weston's
#             X window manager draws (which tells no frame extents, nor where
#             the panel is) the window lies on the output below the panel;
#   native    without an X display: the program runs natively on Wayland,
#             its whole window on the output below the panel, scaled down
#             with its proportions kept, and a press is recorded.
# Either way the large arrow pointer shows over the window's background, and
# Qt reports no pointer it could not make.
source "$(dirname "$0")/lib.sh"
mode="${1:?xwayland or native}"
OUTPUT_W=1366 OUTPUT_H=768
if [[ "$mode" == xwayland ]]; then start_weston --xwayland "${OUTPUT_W}x$OUTPUT_H"; else start_weston "${OUTPUT_W}x$OUTPUT_H"; fi
# The desktop before the window shows.
DISPLAY="$WESTON_SCREEN" import -window root "$E2E_TMP/desktop.png"
start_program
# Ended at once whatever happens: its shut-down would wait for answers.
trap 'kill -KILL "$PROGRAM_PID" 2>/dev/null || true; e2e_cleanup' EXIT

if [[ "$mode" == xwayland ]]; then
  [[ -n "$WID" ]] || fail "no window of the program on the X display $DISPLAY"
  pass "runs on X11: its window is on XWayland's display"
  read -r X Y CLIENT_W CLIENT_H < <(client_geometry "$WID")
  # The X display's places are the output's (the black of the window's
  # background is seen from its left, right and lower edges up into the
  # black title in the frame).
  read -r ox oy ow oh < <(weston_window)
  [[ "$ox $((oy + oh)) $ow" == "$X $((Y + CLIENT_H)) $CLIENT_W" ]] ||
    fail "window ${CLIENT_W}x$CLIENT_H at $X,$Y on the X display is ${ow}x$oh at $ox,$oy on the output"
  # The frame window weston put it in holds an even, see-through shadow
  # round the frame: the frame drawn starts where the output changed when
  # the window appeared (the shadow darkens it less, and only right and
  # below), at the same distance in from the frame window's left and top.
  parent="$(xwininfo -id "$WID" -tree | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')"
  read -r fx fy fw fh < <(client_geometry "$parent")
  # The pointer waits in the output's corner (weston_pointer_aside) for the
  # second picture only: the corner is left out of the comparison.
  corner=(-fill black -draw "rectangle 0,0 63,$((WESTON_PANEL + 63))")
  read -r cx cy < <(convert \( "$E2E_TMP/desktop.png" "${corner[@]}" \) \
    \( "$E2E_TMP/weston.png" "${corner[@]}" \) -compose difference -composite \
    -crop "${OUTPUT_W}x$((OUTPUT_H - WESTON_PANEL))+0+$WESTON_PANEL" +repage -colorspace gray -threshold 10% -format '%@' info: |
    awk -F'[x+]' -v panel="$WESTON_PANEL" '{ print $3, $4 + panel }')
  shadow=$((cx - fx))
  ((cy - fy == shadow)) || fail "the frame drawn at $cx,$cy is not evenly inside its frame window at $fx,$fy"
  fx=$((fx + shadow)) fy=$((fy + shadow)) fw=$((fw - 2 * shadow)) fh=$((fh - 2 * shadow))
  ((fx >= 0 && fy >= WESTON_PANEL && fx + fw <= OUTPUT_W && fy + fh <= OUTPUT_H)) ||
    fail "window ${CLIENT_W}x$CLIENT_H in its frame ${fw}x$fh at $fx,$fy is not inside the output below the panel"
  pass "the window in its frame, ${fw}x$fh at $fx,$fy, is on the output below the panel"
else
  read -r X Y CLIENT_W CLIENT_H < <(weston_window)
  ((X >= 0 && Y >= WESTON_PANEL && X + CLIENT_W <= OUTPUT_W && Y + CLIENT_H <= OUTPUT_H)) ||
    fail "window ${CLIENT_W}x$CLIENT_H at $X,$Y is not inside the output below the panel"
  ((CLIENT_W < LAYOUT_W && CLIENT_W * LAYOUT_H - CLIENT_H * LAYOUT_W <= LAYOUT_W &&
    CLIENT_H * LAYOUT_W - CLIENT_W * LAYOUT_H <= LAYOUT_W)) ||
    fail "window ${CLIENT_W}x$CLIENT_H is not the layout scaled down"
  pass "the whole window, ${CLIENT_W}x$CLIENT_H at $X,$Y, is on the output below the panel"
fi

# The pointer over the black background below CPR終了, above the
# reversible-causes panel (SHAPE2): the tip (the hot spot) black, the body
# and the tail white where the standard arrow has nothing.
x=$((X + $(twips_x $((EVENT_LEFT[15] + 400))))) y=$((Y + $(twips_y $((EVENT_TOP[15] + EVENT_HEIGHT + 345)))))
DISPLAY="$WESTON_SCREEN" xdotool mousemove --sync "$x" "$y"
if [[ "$mode" == xwayland ]]; then
  # weston hands the motion on to XWayland once it has taken it: then the
  # pointer is over the window there too (to within the pixel weston's
  # fractional position is rounded to), and weston draws the window's.
  over_window() {
    xdotool getmouselocation --shell | awk -F= -v x="$x" -v y="$y" -v w="$WID" '{ v[$1] = $2 }
      END { exit !(v["WINDOW"] == w && (v["X"] - x) ^ 2 <= 1 && (v["Y"] - y) ^ 2 <= 1) }'
  }
  wait_for 10 over_window || fail "weston did not pass the pointer at $x,$y on to XWayland: $(xdotool getmouselocation)"
fi
pointer_pixel() {
  convert "$E2E_TMP/pointer.png" -crop "1x1+$((x + $1))+$((y + $2))" -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'a-f' 'A-F'
}
# The compositor draws the new pointer when it next repaints: fresh
# pictures for a while (slow on a busy machine).
arrow_drawn() {
  DISPLAY="$WESTON_SCREEN" import -window root "$E2E_TMP/pointer.png"
  [[ "$(pointer_pixel 0 0) $(pointer_pixel 5 14) $(pointer_pixel 12 24)" == "000000 FFFFFF FFFFFF" ]]
}
wait_for 10 arrow_drawn || true
[[ "$(pointer_pixel 0 0) $(pointer_pixel 5 14) $(pointer_pixel 12 24)" == "000000 FFFFFF FFFFFF" ]] ||
  fail "no large arrow at the pointer: tip #$(pointer_pixel 0 0), body #$(pointer_pixel 5 14), tail #$(pointer_pixel 12 24)"
! grep -i 'mmap failed\|cursor' "$E2E_TMP/program.log" || fail "Qt could not make a pointer"
pass "the large arrow shows over the window"

if [[ "$mode" == native ]]; then
  # 病院到着 starts the arrival counter: its digits (in its panel SHAPE1_2)
  # leave their idle colour.
  DISPLAY="$WESTON_SCREEN" xdotool mousemove --sync "$((X + $(twips_x $((EVENT_LEFT[0] + EVENT_WIDTH / 2)))))" \
    "$((Y + $(twips_y $((EVENT_TOP[0] + EVENT_HEIGHT / 2)))))" click 1
  arrival_started() {
    DISPLAY="$WESTON_SCREEN" import -window root "$E2E_TMP/pressed.png"
    ! convert "$E2E_TMP/pressed.png" \
      -crop "$(twips_x "${SHAPE1_2[2]}")x$(twips_y "${SHAPE1_2[3]}")+$((X + $(twips_x "${SHAPE1_2[0]}")))+$((Y + $(twips_y "${SHAPE1_2[1]}")))" \
      +repage -unique-colors -depth 8 txt:- | grep -qi ' #804000 '
  }
  wait_for 10 arrival_started || fail "病院到着 did not start the arrival counter"
  pass "a press on the native window is recorded"
fi
