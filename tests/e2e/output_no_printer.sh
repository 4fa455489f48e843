#!/usr/bin/env bash
# With no printer installed, printing takes the recovery path: both
# questions are asked again, the report is copied twice, and the program
# ends at once even though no clipboard manager runs.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"
start_display
start_cups
start_program

start=$(date +%s)
click_event 0
end_record
answer_message n # save? No
answer_message y # print? Yes: fails
answer_message n # save? (again) No
answer_message n # print? (again) No
# The first copy is on the clipboard while its notice is open.
timeout 15 xdotool search --sync --onlyvisible --name "^Veltrasa2005$" >/dev/null || fail "no notice"
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
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "still running"
grep -qi 'segmentation\|abort' "$E2E_TMP/program.log" && fail "crashed: $(cat "$E2E_TMP/program.log")"
pass "no printer: asked again, copied twice, ended in $took ms"
