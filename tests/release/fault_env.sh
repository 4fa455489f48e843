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
