#!/usr/bin/env bash
# A second start while a record is open, under a window manager: before
# showing a window of its own it asks whether to start another record, No
# being the default. No (Return, Escape, the box closed) brings the open
# record's window to the front over another program's and ends without
# touching the clipboard; Yes opens a second record cascaded from the
# first, both whole on the screen. Ending both leaves each record's own
# report on the clipboard. A first program that has stopped does not hold
# the question up, one that was killed does not stop the next start, and
# nothing is left once the records have ended.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"
start_display
start_window_manager
start_clipboard_manager

start_program
FIRST_WID=$WID FIRST_PID=$PROGRAM_PID
start=$(date +%s)
click_event 0 # 病院到着, in the first record
read -r fx fy fw fh < <(frame_on_screen "$FIRST_WID" "first record")

# second_start: starts the program again and waits for its question; sets
# SECOND_PID, BOX and ASKED_MS (from the start to the question). Fails if
# the new program shows a main window.
second_start() {
  local started
  started=$(date +%s%N)
  launch_program
  SECOND_PID=$PROGRAM_PID
  BOX="$(wait_window "$MESSAGE_TITLE" 15)" || fail "no question at a second start"
  ASKED_MS=$((($(date +%s%N) - started) / 1000000))
  [[ -z "$(main_windows "$SECOND_PID")" ]] || fail "the second start showed a window before its question"
}
# ended_without_record: the second start has ended, with status 0.
ended_without_record() {
  PROGRAM_PID=$SECOND_PID
  wait_program_end
  local status=0
  wait "$SECOND_PID" 2>/dev/null || status=$?
  ((status == 0)) || fail "the second start ended with status $status"
}
# first_in_front: the first record's window is the active one and above
# the other program's.
first_active() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$FIRST_WID" ]]; }
first_in_front() {
  local stacking
  wait_for 3 first_active || fail "$1: the first record is not active"
  stacking="$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g')"
  (($(grep -nx "$(printf '0x%x' "$FIRST_WID")" <<<"$stacking" | cut -d: -f1) > \
    $(grep -nx "$(printf '0x%x' "$OTHER_WID")" <<<"$stacking" | cut -d: -f1))) ||
    fail "$1: the first record is below the other program's window"
}
# Another program's window over the record, with the keyboard; something of
# its own on the clipboard.
cover_first() {
  xmessage -geometry "+$((fx + 100))+$((fy + 100))" "another program" 2>/dev/null &
  E2E_PIDS+=($!)
  OTHER_WID="$(wait_window '^xmessage$' 10)" || fail "xmessage did not open"
  wait_focus "$OTHER_WID" 5 || xdotool windowactivate --sync "$OTHER_WID"
}
cover_first
echo "another program's text" | xclip -selection clipboard -in

# --- No, the default: Return -------------------------------------------------
second_start
USUAL_MS=$ASKED_MS
press_in_box "$BOX" Return
ended_without_record
first_in_front "after Return"
[[ "$(timeout 10 xclip -o -selection clipboard)" == "another program's text" ]] ||
  fail "the second start touched the clipboard"
pass "Return: no second record, the first in front, the clipboard untouched"

# --- No by closing the box, the display spelt another way ------------------
xdotool windowactivate --sync "$OTHER_WID"
DISPLAY="$DISPLAY.0" second_start
close_window "$BOX"
wait_window_gone "$MESSAGE_TITLE" 10 "$BOX" || fail "the question did not close"
ended_without_record
first_in_front "after closing the question"
pass "closing the question: no second record, the first in front"

# --- Yes: a second record, cascaded -----------------------------------------
second_start
press_in_box "$BOX" y
second_shown() { SECOND_WID="$(main_windows "$SECOND_PID" | head -n1)" && [[ -n "$SECOND_WID" ]]; }
wait_for 10 second_shown || fail "Yes opened no second record"
# Once the window manager has framed it and it has fitted itself, the
# second record's frame is one title bar down and right of the first's.
cascaded() {
  read -r _ _ top _ < <(xprop -id "$SECOND_WID" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
  [[ -n "$top" ]] || return 1
  step=$((top > 32 ? top : 32))
  WID=$SECOND_WID window_fitted || return 1
  read -r sx sy sw sh < <(frame_on_screen "$SECOND_WID" "second record")
  [[ "$sx $sy $sw $sh" == "$((fx + step)) $((fy + step)) $fw $fh" ]]
}
wait_for 5 cascaded ||
  fail "second record's frame ${sw}x$sh at $sx,$sy; the first's ${fw}x$fh at $fx,$fy, step $step"
pass "Yes: the second record one title bar ($step px) down and right of the first, both whole on the screen"

WID=$SECOND_WID PROGRAM_PID=$SECOND_PID
second_started=$(date +%s)
click_event 1 # ＣＰＲ開始, in the second record
end_with_copy_only n # save? No, print? No, copied: OK
report_on_clipboard "$second_started" "$(date +%s)" $'\u3000ＣＰＲ開始' $'\u3000ＣＰＲ終了' ||
  fail "the second record's report"
WID=$FIRST_WID PROGRAM_PID=$FIRST_PID
end_with_copy_only n
report_on_clipboard "$start" "$(date +%s)" $'\u3000病院到着' $'\u3000ＣＰＲ終了' || fail "the first record's report"
pass "each record ended with its own report on the clipboard"

# --- a first program that has stopped, then one that was killed -------------
start_program
kill -STOP "$PROGRAM_PID"
STOPPED_PID=$PROGRAM_PID
second_start
((ASKED_MS < USUAL_MS + 1000)) || fail "the question came after ${ASKED_MS} ms, usually after ${USUAL_MS} ms"
answered=$(date +%s%N)
press_in_box "$BOX" Escape
ended_without_record
ended_ms=$((($(date +%s%N) - answered) / 1000000))
((ended_ms < 2500)) || fail "the second start ended ${ended_ms} ms after No"
kill -CONT "$STOPPED_PID"
pass "a stopped first program holds up neither the question ($ASKED_MS ms, usually $USUAL_MS ms) nor the end"

# listening: the places held on this display (the selections' owners).
listening() { "$PY" -c "from Xlib import display; d = display.Display(); print(*(p for p in range(8) if \
  d.get_selection_owner(d.intern_atom('_VELTRASA_RECORD_$(id -u)_%d' % p))))"; }
[[ -n "$(listening)" ]] || fail "the stopped program's place is not to be seen"
kill -KILL "$STOPPED_PID"
wait "$STOPPED_PID" 2>/dev/null || true
start_program
[[ -z "$(message_box)" ]] || fail "a question after the first program was killed"
[[ "$(listening)" == 0 ]] || fail "places held: $(listening)"
end_record
decline_until_end
[[ -z "$(listening)" ]] || fail "left behind: $(listening)"
pass "after a killed program the next start opens its record; nothing is left behind"
