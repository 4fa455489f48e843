#!/usr/bin/env bash
# Assistive technology reads the running window through AT-SPI: every
# button by its caption at its place, the counters, the clock, the date,
# the record list's rows with the selected one, the counters' titles, the
# reversible-causes panel only while it shows, the question boxes, the
# record list's popup menu and the edit window. A counter reads the time
# since its event also after the program was stopped for a while.
source "$(dirname "$0")/lib.sh"
use_private_session_bus "$@"
start_display

start_accessibility_bus

READ=("/usr/bin/python3" "$(dirname "$0")/read_window.py")
before="$(date +%F)"
start_program
"${READ[@]}" start "$before" "$(date +%F)" || fail "the window right after start-up"

click_event 0     # 病院到着
cpr_started="$(date +%s.%N)"
click_event 1     # CPR開始
click_event 5     # エピネフリン
click_event 6     # アトロピン
click_event 7     # アンカロン
click_rhythm 3    # ＰＥＡ
"${READ[@]}" after "$before" "$(date +%F)" || fail "the window after the presses"

# Stopped for 5 s, the program has its ticks delivered late: the CPR
# counter shows the real time since CPR開始 all the same.
stall_program 5
"${READ[@]}" counter cpr "$cpr_started" || fail "the CPR counter after the program was stopped for 5 s"

# The record list's popup menu (a right press below the rows), 修正 on the
# newest row, the edit window read and closed through AT-SPI.
click_twips "${LIST_RECT[@]}" 3
"${READ[@]}" menu || fail "the popup menu" # moves to 修正 with Down
xdotool key Return
"${READ[@]}" edit || fail "the edit window"
"${READ[@]}" cancel-edit || fail "pressing ｷｬﾝｾﾙ"
wait_window_gone "$EDIT_TITLE" 5 || fail "the edit window stayed open after ｷｬﾝｾﾙ"
"${READ[@]}" after "$before" "$(date +%F)" || fail "the window after the edit window was cancelled"

click_event 15    # CPR終了: the question box, answered No
"${READ[@]}" question || fail "the question box"
answer_message n
kill -0 "$PROGRAM_PID" || fail "the program ended on No"
end_record
decline_until_end
[[ "$PROGRAM_STATUS" == 0 ]] || fail "the program ended with status $PROGRAM_STATUS"
pass "the record ended"
