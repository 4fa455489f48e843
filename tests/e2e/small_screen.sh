#!/usr/bin/env bash
# The main window on a laptop's screen (WIDTHxHEIGHT, the first argument),
# under a real window manager: the whole window, title bar included, is on
# the screen, scaled down just enough and with its proportions kept; presses
# at the scaled buttons record their rows; ＰＥＡ shows the reversible
# causes; the edit window opens scaled alike, centred on the main window;
# the message boxes and the save dialog open on the screen; the
# record ends with CPR終了 and its report is on the clipboard. The picture of
# the screen is kept as veltrasa-WIDTHxHEIGHT.png in the test's working
# directory for a person to look at.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"
size="${1:?screen size, e.g. 1024x768}"
start_display "$size"
start_window_manager
start_clipboard_manager
start=$(date +%s)
start_program

# Scaled by the one factor at which the window and its frame just fit, once
# the window manager has framed it and it has fitted itself to the frame.
read -r sw sh < <(screen_size)
scaled_to_fit() {
  read -r fx fy fw fh < <(frame_on_screen "$WID" "main window")
  read -r w h < <(window_size)
  read -r ew eh < <(awk -v sw="$sw" -v sh="$sh" -v fw=$((fw - w)) -v fh=$((fh - h)) -v lw="$LAYOUT_W" -v lh="$LAYOUT_H" 'BEGIN {
    f = (sw - fw) / lw; if ((sh - fh) / lh < f) f = (sh - fh) / lh
    printf "%d %d\n", lw * f + 0.5, lh * f + 0.5 }')
  [[ "$w $h" == "$ew $eh" ]]
}
wait_for 5 scaled_to_fit || fail "client area ${w}x$h, expected ${ew}x$eh on ${sw}x$sh"
((fw == sw || fh == sh)) || fail "frame ${fw}x$fh fills neither the width nor the height of ${sw}x$sh"
((fx == (sw - fw) / 2 && fy == (sh - fh) / 2)) || fail "frame at $fx,$fy is not centred on ${sw}x$sh"
props="$(xprop -id "$WID")"
grep -q "program specified minimum size: $w by $h" <<<"$props" || fail "not of fixed size at ${w}x$h"
pass "the window in its frame fits ${sw}x$sh at ${w}x$h, centred"

snapshot
# The borders of the panels at the window's left and right ends (one pixel
# wide, wherever the scale rounds them to).
# Bands halfway down the clock panel's left border (SHAPE1_1, from the
# window's edge) and the rhythm panel's right border (SHAPE1_6).
expect_region C0C0C0 0 $((SHAPE1_1[1] + SHAPE1_1[3] / 2)) $((SHAPE1_1[0] + 75)) 300 "clock panel's left border"
expect_region E0E0E0 $((SHAPE1_6[0] + SHAPE1_6[2] - 90)) $((SHAPE1_6[1] + SHAPE1_6[3] / 2)) 150 300 \
  "rhythm panel's right border"
expect_pixel 404040 $((LIST_RECT[0] + 80)) $((LIST_RECT[1] + LIST_RECT[3] - 115)) "record list's lower end"
expect_pixel 000000 "${CAUSES_PANEL_SPOT[@]}" "reversible-causes panel hidden at start"
pass "the window's corners on screen"

click_event 0 # 病院到着
click_event 1 # CPR開始
click_event 2 # 除細動
click_event 5 # エピネフリン
click_rhythm 3 # ＰＥＡ
snapshot
expect_pixel 000040 "${CAUSES_PANEL_SPOT[@]}" "reversible-causes panel after ＰＥＡ"
expect_region FFFF00 "${CAUSES_LIST[@]}" "reversible causes listed after ＰＥＡ"
expect_pixel FF0000 $((RHYTHM_LEFT[3] + 90)) $((RHYTHM_TOP + 90)) "ＰＥＡ marked as the latest rhythm"
pass "ＰＥＡ shows the reversible causes"
screenshot "${VELTRASA_SCREENSHOT_DIR:-$PWD}/veltrasa-$size.png"
pass "picture of the screen in ${VELTRASA_SCREENSHOT_DIR:-$PWD}/veltrasa-$size.png"

# 修正 on the newest row (from the list's menu): the edit window opens at the
# main window's scale, centred on it; ｷｬﾝｾﾙ closes it.
click_twips "${LIST_RECT[@]}" 3
menu_choose 修正
edit="$(wait_window "$EDIT_TITLE" 10)" || fail "the edit window did not open"
lw=$LAYOUT_W lh=$LAYOUT_H ew0=$((EDIT_CLIENT_WIDTH / TWIPS_PER_PIXEL)) eh0=$((EDIT_CLIENT_HEIGHT / TWIPS_PER_PIXEL))
scaled_alike() {
  ((cw * lw - ew0 * w <= lw && ew0 * w - cw * lw <= lw && ch * lh - eh0 * h <= lh && eh0 * h - ch * lh <= lh))
}
centred() {
  ((2 * ex + ew - 2 * fx - fw <= 2 && 2 * fx + fw - 2 * ex - ew <= 2 && 2 * ey + eh - 2 * fy - fh <= 2 &&
    2 * fy + fh - 2 * ey - eh <= 2))
}
# Once the window manager has framed and placed it.
edit_placed() {
  xprop -id "$edit" _NET_FRAME_EXTENTS | grep -q '=' || return 1
  read -r ex ey ew eh < <(frame_on_screen "$edit" "edit window")
  read -r _ _ cw ch < <(client_geometry "$edit")
  scaled_alike && centred
}
wait_for 5 edit_placed || true
scaled_alike || fail "edit window ${cw}x$ch, not ${ew0}x$eh0 scaled as the main window's ${w}x$h"
centred || fail "edit window at $ex,$ey ${ew}x$eh is not centred on the main window"
xdotool key Tab space # ｷｬﾝｾﾙ
wait_window_gone "$EDIT_TITLE" 5 || fail "ｷｬﾝｾﾙ did not close the edit window"
pass "the edit window opened at ${cw}x$ch, centred on the main window"

# CPR終了: the question opens on the screen; the save dialog too (cancelled:
# nothing is saved); the report is copied all the same.
click_event 15
box="$(wait_window "$MESSAGE_TITLE" 15)" || fail "no question after CPR終了"
frame_on_screen "$box" "question" >/dev/null
press_in_box "$box" Return # end the record? Yes
box="$(wait_window "$MESSAGE_TITLE" 15)" || fail "no question whether to save"
press_in_box "$box" y # save as a text file? Yes
dialog="$(wait_window "$SAVE_DIALOG_TITLE" 15)" || fail "the save dialog did not appear"
frame_on_screen "$dialog" "save dialog" >/dev/null
answer_save_dialog Escape
box="$(wait_window "$MESSAGE_TITLE" 15)" || fail "no notice of the copy"
frame_on_screen "$box" "notice" >/dev/null
press_in_box "$box" Return
wait_program_end
end=$(date +%s)
pass "the questions, the save dialog and the notice opened on the screen"

report_on_clipboard "$start" "$end" \
  $'\u3000病院到着' $'\u3000ＣＰＲ開始' $'\u3000電気的除細動1回目施行' $'\u3000エピネフリン1回目投与' \
  $'\u3000ﾘｽﾞﾑﾁｪｯｸ：ＰＥＡ' $'\u3000ＣＰＲ終了' || fail "clipboard report"
pass "the rows pressed on the scaled window are in the report"
