# What the fault tests add to lib.sh and output_env.sh. Source after them.

# Waits for the last "copied to the clipboard" notice and, while it is open
# (the program owns the clipboard then; no clipboard manager is needed),
# checks the report against the rows made since $START, then closes it.
# ROWS... are the rows' event texts in order.
check_copy_and_close() {
  wait_window "$MESSAGE_TITLE" 15 >/dev/null || fail "no copied notice"
  timeout 10 xclip -o -selection clipboard >"$E2E_TMP/report.txt" || fail "nothing on the clipboard"
  "$PY" "$E2E_DIR/report_check.py" clipboard "$E2E_TMP/report.txt" "$START" "$(date +%s)" "$@" ||
    fail "clipboard report"
  answer_message Return
}

# Waits for the program to end and fails unless its exit status was 0.
ended_normally() {
  wait_program_end
  local status=0
  wait "$PROGRAM_PID" 2>/dev/null || status=$?
  [[ $status -eq 0 ]] || fail "program ended with status $status"
}

# Qt's save dialog, once it is up and has the keyboard.
save_dialog() {
  local wid
  wid="$(wait_window "$SAVE_DIALOG_TITLE" 15 2>/dev/null | head -n1 || true)"
  [[ -n "$wid" ]] || fail "the save dialog did not appear"
  sleep 0.6
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid" 2>/dev/null || true
  echo "$wid"
}
dialog_open() { xdotool search --onlyvisible --name "$SAVE_DIALOG_TITLE" 2>/dev/null | grep -qx "$1"; }

# Presses KEY in the save dialog until it has closed (a busy machine may
# drop a key pressed while the dialog is still settling).
close_save_dialog() {
  local wid _try _i
  wid="$(save_dialog)"
  [[ -n "$wid" ]] || fail "the save dialog did not appear"
  for _try in 1 2 3; do
    xdotool key --clearmodifiers "$1"
    for _i in $(seq 1 30); do
      dialog_open "$wid" || return 0
      sleep 0.1
    done
  done
  fail "the save dialog did not close after $1"
}

# Replaces the name in the save dialog by NAME (without accepting it). The
# name is pasted: xdotool types a character outside the keyboard map by
# remapping a spare key for a moment, and on a busy machine the dialog may
# read the key after the map has changed back, dropping that character.
type_save_name() {
  [[ -n "$(save_dialog)" ]] || fail "the save dialog did not appear"
  printf '%s' "$1" | xclip -selection clipboard -i
  xdotool key --clearmodifiers ctrl+a
  xdotool key --clearmodifiers ctrl+v
  sleep 0.3
}
