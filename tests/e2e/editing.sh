#!/usr/bin/env bash
# Rows recorded in a hurry are put right on the real program: a row is
# corrected by typing in the edit window, one is deleted and brought back by
# undo (after a new row was recorded), another is deleted for good; the
# clipboard report at the end holds exactly the corrected record.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"

ROWS_TOP=0
ROW_TWIPS=0

# Finds where the rows lie (twips below the list's top) from the highlight
# of the selected row $1 (the newest): a column of pixels down the list's
# left margin, three pixels in, as deep as the list.
measure_rows() {
  local first count
  snapshot
  read -r count first < <(convert "$SNAP" -crop "$(snap_box_twips $((LIST_RECT[0] + 3 * TWIPS_PER_PIXEL)) \
    "${LIST_RECT[1]}" "$TWIPS_PER_PIXEL" "${LIST_RECT[3]}")" -depth 8 txt:- |
    sed -n 's/^0,\([0-9]*\):.*#\([0-9A-Fa-f]\{6\}\).*/\1 \2/p' | uniq -f1 -c |
    awk '$3 != "404040" && $3 != "000000" && $1 > 10 { print $1, $2; exit }')
  [[ -n "$count" ]] || fail "no selected row to be seen in the record list"
  ROW_TWIPS=$((count * TWIPS_PER_PIXEL))
  ROWS_TOP=$(((first - count * $1) * TWIPS_PER_PIXEL))
}

# click_row ROW [BUTTON]: a click on row ROW of the record list, inside its
# left part.
click_row() {
  click_twips "${LIST_RECT[0]}" $((LIST_RECT[1] + ROWS_TOP + ROW_TWIPS * $1)) $((LIST_RECT[2] / 3)) "$ROW_TWIPS" "${2:-1}"
}
# menu_on_row ROW ITEM: a right-button press on row ROW, then ITEM (修正,
# 削除 or 元に戻す) chosen from the menu with the keyboard.
menu_on_row() {
  click_row "$1" 3
  menu_choose "$2"
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
click_row 1
menu_on_row 3 修正
find_edit_window
read -r main_x main_y main_width main_height < <(client_geometry "$WID")
edit_w=$((EDIT_CLIENT_WIDTH / TWIPS_PER_PIXEL)) edit_h=$((EDIT_CLIENT_HEIGHT / TWIPS_PER_PIXEL))
((EDIT_WIDTH == edit_w && EDIT_HEIGHT == edit_h)) || fail "edit window is ${EDIT_WIDTH}x${EDIT_HEIGHT}, not ${edit_w}x$edit_h"
dx=$((2 * EDIT_X + EDIT_WIDTH - 2 * main_x - main_width))
dy=$((2 * EDIT_Y + EDIT_HEIGHT - 2 * main_y - main_height))
((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)) || fail "edit window not centred (off by $dx/2, $dy/2)"
# edit_pixel_is X Y RRGGBB: the edit window's pixel at client position X, Y
# (twips) has that colour.
edit_pixel_is() { [[ "$(pixel_screen $((EDIT_X + $1 / TWIPS_PER_PIXEL)) $((EDIT_Y + $2 / TWIPS_PER_PIXEL)))" == "$3" ]]; }
# expect_edit_pixel X Y RRGGBB WHAT: so, given the window a few seconds to
# paint.
expect_edit_pixel() {
  wait_for 3 edit_pixel_is "$1" "$2" "$3" ||
    fail "$4: expected #$3, got #$(pixel_screen $((EDIT_X + $1 / TWIPS_PER_PIXEL)) $((EDIT_Y + $2 / TWIPS_PER_PIXEL)))"
}
# One pixel in from the corners: the window's top left, the upper left of
# the rectangle behind ｷｬﾝｾﾙ, the lower right of the one behind 変更 (both
# reach beyond their buttons).
p=$TWIPS_PER_PIXEL
expect_edit_pixel $((3 * p)) $((3 * p)) 000000 "edit window background"
expect_edit_pixel $((EDIT_CANCEL_SHAPE[0] + p)) $((EDIT_CANCEL_SHAPE[1] + p)) FFC0C0 "light red rectangle behind ｷｬﾝｾﾙ"
expect_edit_pixel $((EDIT_CHANGE_SHAPE[0] + EDIT_CHANGE_SHAPE[2] - 2 * p)) \
  $((EDIT_CHANGE_SHAPE[1] + EDIT_CHANGE_SHAPE[3] - 2 * p)) C0FFC0 "light green rectangle behind 変更"
pass "edit window opened, centred on the main window"

xdotool type --delay 40 ' corrected'
# Enter and Escape in the edit box neither press a button nor close: once
# the program has dealt with them the window is still there.
xdotool key Return Escape
wait_handled
xdotool search --onlyvisible --name "$EDIT_TITLE" >/dev/null || fail "Enter or Escape closed the edit window"
press_change
pass "row corrected by typing"

# 削除 of row 2, a new row, then 元に戻す: row 2 comes back at its place.
click_row 2
menu_on_row 0 削除
click_event 9 # キシロカイン1回目投与, appended at the end
menu_on_row 0 元に戻す
# 削除 of row 0, for good.
click_row 0
menu_on_row 4 削除
kill -0 "$PROGRAM_PID" || fail "the program died while editing"
pass "deleted, undone, deleted"

end_with_copy_only
end=$(date +%s)

report_on_clipboard "$start" "$end" \
  $'\u3000ＣＰＲ開始 corrected' $'\u3000電気的除細動1回目施行' $'\u3000エピネフリン1回目投与' \
  $'\u3000アトロピン1回目投与' $'\u3000キシロカイン1回目投与' $'\u3000ＣＰＲ終了' ||
  { cat "$E2E_TMP/report.txt" >&2; fail "clipboard report"; }
pass "the clipboard report holds the corrected record"
