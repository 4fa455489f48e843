#!/usr/bin/env bash
# The record list at a long resuscitation, used in a hurry, with the real
# fonts and rows, read through AT-SPI as a screen reader reads it: after 40
# presses of buttons whose rows are wider than the list the newest row
# shows whole and highlighted; 元に戻す after scrolling away brings its row
# back into view; the right button chooses nothing from the popup menu; a
# Ctrl-click keeps the selected row selected; Shift+F10 and the Menu key on
# the focused list open the menu, from which rows are corrected.
source "$(dirname "$0")/lib.sh"
use_private_session_bus "$@"
start_display
start_accessibility_bus
READ=("/usr/bin/python3" "$(dirname "$0")/read_window.py")
start_program

# selected ROW COUNT [END]: row ROW of COUNT is the selected one, wholly in
# view (through AT-SPI); sets ROW_X ROW_Y ROW_W ROW_H, its place in the
# client area in pixels.
selected() {
  local out
  out="$("${READ[@]}" selected "$@")" || fail "row $1 of $2 selected and in view${3:+, ending in $3}"
  read -r ROW_X ROW_Y ROW_W ROW_H < <(sed -n 's/^rect //p' <<<"$out")
}
# The centre of the selected row on the screen.
row_centre() {
  local ox oy
  read -r ox oy < <(window_origin)
  echo "$((ox + ROW_X + ROW_W / 2)) $((oy + ROW_Y + ROW_H / 2))"
}
menu_closed() { ! menu_open; }
# right_press: the right button pressed where the pointer is, and the menu
# it opens shown.
right_press() {
  xdotool mousedown 3
  wait_for 5 menu_open || fail "the right press opened no menu"
}
# snap_px reads the last snapshot at a client position in pixels.
snap_px() { snap_pixel_twips $(($1 * TWIPS_PER_PIXEL)) $(($2 * TWIPS_PER_PIXEL)); }

# 40 presses of 除細動, エピネフリン and キシロカイン, rows wider than the list.
BUTTONS=(2 5 9)
for i in $(seq 0 39); do click_event "${BUTTONS[$((i % 3))]}"; done
selected 39 40 $'\u3000電気的除細動14回目施行'
# Its highlight on the screen runs from the list's left edge to the scroll
# bar; the row above is not highlighted.
snapshot
mid=$((ROW_Y + ROW_H / 2))
highlight="$(snap_px $((ROW_X + 1)) "$mid")"
[[ "$highlight" != 404040 && "$highlight" != C0C0C0 ]] || fail "the newest row is not highlighted (#$highlight)"
snap_region_has "$highlight" $(((ROW_X + ROW_W - 4) * TWIPS_PER_PIXEL)) $((ROW_Y * TWIPS_PER_PIXEL)) \
  $((4 * TWIPS_PER_PIXEL)) $((ROW_H * TWIPS_PER_PIXEL)) ||
  fail "the newest row's highlight does not reach the list's right edge"
[[ "$(snap_px $((ROW_X + 1)) $((mid - ROW_H)))" == 404040 ]] || fail "the row above the newest is highlighted too"
snap_window "${VELTRASA_LIST_SCREENSHOT:-$PWD/veltrasa-record-list.png}"
pass "the newest of 40 wide rows shows whole and highlighted (picture in ${VELTRASA_LIST_SCREENSHOT:-$PWD/veltrasa-record-list.png})"

# 削除 of row 35, the list scrolled to its top with the wheel, 元に戻す:
# row 35 is back, selected and in view.
read -r x y < <(row_centre)
pointer_to "$x" "$y"
xdotool click 1 # focus in the list, row 39
xdotool key End Up Up Up Up
selected 35 40
xdotool click 3
menu_choose 削除
selected 38 39
xdotool click --repeat 20 --delay 30 4
xdotool click 3
menu_choose 元に戻す
selected 35 40
pass "元に戻す after scrolling away shows the row put back"

# Where the menu's items lie from where it opens (at the pointer).
"${READ[@]}" rows >"$E2E_TMP/rows-before" || fail "reading the rows"
read -r px py < <(row_centre)
pointer_to "$px" "$py"
xdotool click 3
wait_for 5 menu_open || fail "the right click opened no menu"
"${READ[@]}" menu-items >"$E2E_TMP/items" || fail "reading the popup menu"
xdotool key Escape
wait_for 5 menu_closed || fail "Escape did not close the menu"
item_offset() { awk -v name="$1" -v px="$px" -v py="$py" '$1 == "item" && $2 == name { print $3 - px, $4 - py }' "$E2E_TMP/items"; }
read -r edit_dx edit_dy < <(item_offset 修正)
read -r delete_dx delete_dy < <(item_offset 削除)
[[ -n "$edit_dy" && -n "$delete_dy" ]] || fail "no 修正 or 削除 in the menu: $(cat "$E2E_TMP/items")"
# The right press that opens the menu, dragged onto 削除 and released there
# once the program has followed the pointer; once it has dealt with the
# release the menu is still open.
pointer_to "$px" "$py"
right_press
pointer_to $((px + edit_dx)) $((py + edit_dy))
pointer_to $((px + delete_dx)) $((py + delete_dy))
wait_handled
xdotool mouseup 3
wait_handled
menu_open || fail "the right-button release on 削除 closed the menu"
xdotool key Escape
wait_for 5 menu_closed || fail "Escape did not close the menu"
# A right click on 修正: once the program has dealt with it, no edit window
# and the menu still open.
pointer_to "$px" "$py"
xdotool click 3
wait_for 5 menu_open || fail "the right click opened no menu"
pointer_to $((px + edit_dx)) $((py + edit_dy))
xdotool click 3
wait_handled
! xdotool search --onlyvisible --name "$EDIT_TITLE" >/dev/null 2>&1 || fail "a right click on 修正 opened the edit window"
menu_open || fail "the right click on 修正 closed the menu"
xdotool key Escape
wait_for 5 menu_closed || fail "Escape did not close the menu"
"${READ[@]}" rows >"$E2E_TMP/rows-after" || fail "reading the rows"
cmp -s "$E2E_TMP/rows-before" "$E2E_TMP/rows-after" || fail "the right button changed the rows"
selected 35 40
pass "the right button chose nothing from the menu"

# A Ctrl-click on the selected row.
read -r x y < <(row_centre)
pointer_to "$x" "$y"
xdotool keydown ctrl click 1 keyup ctrl
wait_handled
selected 35 40
pass "a Ctrl-click leaves the selected row selected"

# Shift+F10 on the focused list: the menu below the selected row, 修正.
xdotool key shift+F10
wait_for 5 menu_open || fail "Shift+F10 opened no menu"
menu="$(popup_menu)"
read -r ox oy < <(window_origin)
read -r menu_x menu_y _ _ < <(client_geometry "$menu")
((menu_x == ox + ROW_X && menu_y == oy + ROW_Y + ROW_H)) ||
  fail "the menu opened at $menu_x,$menu_y, not below the selected row at $((ox + ROW_X)),$((oy + ROW_Y))"
menu_choose 修正
find_edit_window
xdotool type --delay 40 ' shift-f10'
press_change
selected 35 40 $'\u3000キシロカイン12回目投与 shift-f10'
# The Menu key on row 34.
xdotool key Up
xdotool key Menu
menu_choose 修正
find_edit_window
xdotool type --delay 40 ' menu'
press_change
selected 34 40 $'\u3000エピネフリン12回目投与 menu'
[[ -z "$(popup_menu)" ]] || fail "a menu is still open after the correction"
pass "Shift+F10 and the Menu key correct rows"

kill -0 "$PROGRAM_PID" || fail "the program died"
end_record
decline_until_end
[[ "$PROGRAM_STATUS" == 0 ]] || fail "the program ended with status $PROGRAM_STATUS"
