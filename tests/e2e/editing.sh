#!/usr/bin/env bash
# Rows recorded in a hurry are put right on the real program: a row is
# corrected by typing in the edit window, one is deleted and brought back by
# undo (after a new row was recorded), another is deleted for good; the
# clipboard report at the end holds exactly the corrected record.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"

# The record list's left edge and top in twips.
LIST_LEFT=${LIST_RECT[0]}
LIST_TOP=${LIST_RECT[1]}
ROWS_TOP=0
ROW_PX=0

# Finds where the rows lie from the highlight of the selected row $1 (the
# newest): a column of pixels down the list's left margin.
measure_rows() {
  local ox oy first count
  read -r ox oy < <(window_origin)
  read -r count first < <(import -window root -crop "1x400+$((ox + LIST_LEFT / 15 + 3))+$((oy + LIST_TOP / 15))" \
    -depth 8 txt:- | sed -n 's/^0,\([0-9]*\):.*#\([0-9A-Fa-f]\{6\}\).*/\1 \2/p' | uniq -f1 -c |
    awk '$3 != "404040" && $3 != "000000" && $1 > 10 { print $1, $2; exit }')
  [[ -n "$count" ]] || fail "no selected row to be seen in the record list"
  ROW_PX=$count
  ROWS_TOP=$((first - ROW_PX * $1))
}

# Screen position of the centre of row $1 of the record list.
row_point() {
  local ox oy
  read -r ox oy < <(window_origin)
  echo "$((ox + LIST_LEFT / 15 + 120)) $((oy + LIST_TOP / 15 + ROWS_TOP + ROW_PX * $1 + ROW_PX / 2))"
}
left_click_row() {
  local x y
  read -r x y < <(row_point "$1")
  xdotool mousemove --sync "$x" "$y" click 1
  sleep 0.2
}
# A right-button press on row $1, then the menu item chosen from the
# keyboard: $2 is 1 (修正), 2 (削除) or 3 (元に戻す); the separator is skipped.
menu_on_row() {
  local x y keys=()
  read -r x y < <(row_point "$1")
  xdotool mousemove --sync "$x" "$y" click 3
  sleep 0.4
  for ((i = 0; i < $2; i++)); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
  sleep 0.4
}

start_display
start_clipboard_manager
start_program

start=$(date +%s)

click_event 0 # row 0 病院到着
click_event 1 # row 1 ＣＰＲ開始
click_event 2 # row 2 電気的除細動1回目施行
click_event 5 # row 3 エピネフリン1回目投与
click_event 6 # row 4 アトロピン1回目投与
measure_rows 4

# 修正 on row 1: the right press lands on row 3 but must not select it.
left_click_row 1
menu_on_row 3 1
find_edit_window
eval "$(xdotool getwindowgeometry --shell "$WID" | sed 's/^/MAIN_/')"
((EDIT_WIDTH == 624 && EDIT_HEIGHT == 89)) || fail "edit window is ${EDIT_WIDTH}x${EDIT_HEIGHT}"
dx=$((2 * EDIT_X + EDIT_WIDTH - 2 * MAIN_X - MAIN_WIDTH))
dy=$((2 * EDIT_Y + EDIT_HEIGHT - 2 * MAIN_Y - MAIN_HEIGHT))
((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)) || fail "edit window not centred (off by $dx/2, $dy/2)"
# expect_edit_pixel X Y RRGGBB WHAT: a pixel of the edit window, given the
# window a few seconds to paint.
expect_edit_pixel() {
  local i got
  for i in $(seq 1 15); do
    got="$(pixel_screen $((EDIT_X + $1)) $((EDIT_Y + $2)))"
    [[ "$got" == "$3" ]] && return 0
    sleep 0.2
  done
  fail "$4: expected #$3, got #$got"
}
expect_edit_pixel 3 3 000000 "edit window background"
expect_edit_pixel 171 51 FFC0C0 "light red rectangle behind ｷｬﾝｾﾙ"
expect_edit_pixel 431 85 C0FFC0 "light green rectangle behind 変更"
pass "edit window opened, centred on the main window"

wait_focus "$EDIT_WID" 5 || fail "the edit window did not get the keyboard"
xdotool type --delay 40 ' corrected'
# Enter and Escape in the edit box neither press a button nor close.
xdotool key Return Escape
sleep 0.3
xdotool search --onlyvisible --name "$EDIT_TITLE" >/dev/null || fail "Enter or Escape closed the edit window"
press_change
pass "row corrected by typing"

# 削除 of row 2, a new row, then 元に戻す: row 2 comes back at its place.
left_click_row 2
menu_on_row 0 2
click_event 9 # キシロカイン1回目投与, appended at the end
menu_on_row 0 3
# 削除 of row 0, for good.
left_click_row 0
menu_on_row 4 2
kill -0 "$PROGRAM_PID" || fail "the program died while editing"
pass "deleted, undone, deleted"

end_with_copy_only
end=$(date +%s)

report_on_clipboard "$start" "$end" \
  $'\u3000ＣＰＲ開始 corrected' $'\u3000電気的除細動1回目施行' $'\u3000エピネフリン1回目投与' \
  $'\u3000アトロピン1回目投与' $'\u3000キシロカイン1回目投与' $'\u3000ＣＰＲ終了' ||
  { cat "$E2E_TMP/report.txt" >&2; fail "clipboard report"; }
pass "the clipboard report holds the corrected record"
