#!/usr/bin/env bash
# When printing fails – no printer installed, or the default printer's
# queue rejects the job – the recovery path runs: both questions are asked
# again and the report is copied twice. The program then ends at once even
# though no clipboard manager runs.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"
start_display
start_cups

failing_print_round() {
  start_program
  local start end closed took
  start=$(date +%s)
  click_event 0
  end_record
  answer_message n # save? No
  answer_message y # print? Yes: fails
  answer_message n # save? (again) No
  answer_message n # print? (again) No
  # The copy is on the clipboard while its notice is open.
  wait_window "$MESSAGE_TITLE" 15 >/dev/null || fail "no notice"
  clipboard_to "$E2E_TMP/report.txt"
  end=$(date +%s)
  "$PY" "$E2E_DIR/report_check.py" clipboard "$E2E_TMP/report.txt" "$start" "$end" \
    $'\u3000病院到着' $'\u3000ＣＰＲ終了' || fail "clipboard report"
  answer_message Return # copied (the repeated sequence)
  answer_message Return # copied (the first sequence)
  closed=$(date +%s%N)
  wait_program_end
  took=$((($(date +%s%N) - closed) / 1000000))
  ((took < 2500)) || fail "the program took $took ms to end without a clipboard manager"
  if grep -qi 'segmentation\|abort' "$E2E_TMP/program.log"; then fail "crashed: $(cat "$E2E_TMP/program.log")"; fi
  pass "$1: asked again, copied twice, ended in $took ms"
}

failing_print_round "no printer"

lpadmin -p capture -E -v "capture:$E2E_TMP/captured" -P "$E2E_DIR/cups/capture.ppd" 2>/dev/null
lpadmin -d capture
cupsreject capture
failing_print_round "rejecting queue"
[[ -z "$(ls -A "$E2E_TMP/captured")" ]] || fail "a job was printed"
