#!/usr/bin/env bash
# SIGTERM in the middle of a record (system shut-down, `kill`) closes the
# window the normal way: the record is offered for saving and printing,
# copied to the clipboard, and the program ends with status 0 instead of
# dying on the signal with the record lost. Also while a question is open.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../e2e/output_env.sh"
source "$(dirname "$0")/fault_env.sh"
start_display

# The message box above the one open underneath ($UNDERNEATH): both carry
# the caption Veltrasa2005.
box_above() {
  local wid=""
  above_shown() {
    wid="$(xdotool search --onlyvisible --name "$MESSAGE_TITLE" 2>/dev/null | grep -vx "$UNDERNEATH" | head -n1 || true)"
    [[ -n "$wid" ]]
  }
  wait_for 15 above_shown || fail "no message box above the question"
  echo "$wid"
}

# Like answer_message, for the box above.
answer_above() {
  press_in_box "$(box_above)" "$1"
}

start_program
START=$(date +%s)
click_event 0
click_event 1
kill -TERM "$PROGRAM_PID"
answer_message n      # save as a text file? No
answer_message n      # print? No
check_copy_and_close $'\u3000病院到着' $'\u3000ＣＰＲ開始'
ended_normally
pass "SIGTERM runs the shut-down: questions asked, report copied, status 0"

# SIGTERM while the CPR終了 question is open, then a second SIGTERM during
# the shut-down: the shut-down runs once and is not cut short.
start_program
START=$(date +%s)
click_event 0
click_event 15
UNDERNEATH="$(wait_window "$MESSAGE_TITLE" 15 | head -n1 || true)"
[[ -n "$UNDERNEATH" ]] || fail "no CPR終了 question"
kill -TERM "$PROGRAM_PID"
box_above >/dev/null # the shut-down's first question
kill -TERM "$PROGRAM_PID"
kill -0 "$PROGRAM_PID" || fail "program died on SIGTERM during a question"
answer_above n      # save? No (the shut-down's question, above the CPR終了 one)
answer_above n      # print? No
box_above >/dev/null # the copied notice
timeout 10 xclip -o -selection clipboard >"$E2E_TMP/report.txt" || fail "nothing on the clipboard"
"$PY" "$E2E_DIR/report_check.py" clipboard "$E2E_TMP/report.txt" "$START" "$(date +%s)" $'\u3000病院到着' ||
  fail "clipboard report after SIGTERM during a question"
answer_above Return # copied
ended_normally
pass "SIGTERM during a question: one shut-down, report copied, status 0"
