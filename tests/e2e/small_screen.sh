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

# Scaled by the one factor at which the window and its frame just fit.
read -r fx fy fw fh < <(frame_on_screen "$WID" "main window")
read -r w h < <(window_size)
read -r sw sh < <(screen_size)
read -r ew eh < <(awk -v sw="$sw" -v sh="$sh" -v fw=$((fw - w)) -v fh=$((fh - h)) 'BEGIN {
  f = (sw - fw) / 1227; if ((sh - fh) / 869 < f) f = (sh - fh) / 869
  printf "%d %d\n", 1227 * f + 0.5, 869 * f + 0.5 }')
[[ "$w $h" == "$ew $eh" ]] || fail "client area ${w}x$h, expected ${ew}x$eh on ${sw}x$sh"
((fw == sw || fh == sh)) || fail "frame ${fw}x$fh fills neither the width nor the height of ${sw}x$sh"
((fx == (sw - fw) / 2 && fy == (sh - fh) / 2)) || fail "frame at $fx,$fy is not centred on ${sw}x$sh"
props="$(xprop -id "$WID")"
grep -q "program specified minimum size: $w by $h" <<<"$props" || fail "not of fixed size at ${w}x$h"
pass "the window in its frame fits ${sw}x$sh at ${w}x$h, centred"

snapshot
# The borders of the panels at the window's left and right ends (one pixel
# wide, wherever the scale rounds them to).
expect_region C0C0C0 0 900 120 300 "clock panel's left border"
expect_region E0E0E0 18240 12000 150 300 "rhythm panel's right border"
expect_pixel 404040 200 12800 "record list's lower end"
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
click_twips 120 1695 6870 11220 3
sleep 0.4
xdotool key Down Return
edit="$(wait_window "$EDIT_TITLE" 10)" || fail "the edit window did not open"
sleep 0.3
read -r ex ey ew eh < <(frame_on_screen "$edit" "edit window")
read -r _ _ cw ch < <(client_geometry "$edit")
((cw * 1227 - 624 * w <= 1227 && 624 * w - cw * 1227 <= 1227 && ch * 869 - 89 * h <= 869 && 89 * h - ch * 869 <= 869)) ||
  fail "edit window ${cw}x$ch, not 624x89 scaled as the main window's ${w}x$h"
((2 * ex + ew - 2 * fx - fw <= 2 && 2 * fx + fw - 2 * ex - ew <= 2 && 2 * ey + eh - 2 * fy - fh <= 2 &&
  2 * fy + fh - 2 * ey - eh <= 2)) || fail "edit window at $ex,$ey ${ew}x$eh is not centred on the main window"
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
