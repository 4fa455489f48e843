#!/usr/bin/env bash
# A record of 60 rows printed on the default printer (a capturing CUPS
# queue): two sheets with the title on each and every row; the report then
# stays on the clipboard after the program has ended.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"
start_display
start_clipboard_manager
start_cups capture
start_program

start=$(date +%s)
click_event 0
click_event_times 5 58
texts=($'\u3000病院到着')
for i in $(seq 1 58); do texts+=($'\u3000エピネフリン'"${i}"'回目投与'); done
texts+=($'\u3000ＣＰＲ終了')
end_record
answer_message n   # save as a text file? No
answer_message y   # print? Yes
answer_message Return # copied to the clipboard
wait_program_end
end=$(date +%s)
pass "printed and ended"

report_on_clipboard "$start" "$end" "${texts[@]}" ||
  fail "clipboard report"
pass "the report of 60 rows is on the clipboard after the end"

printed_job 10
pdftotext -layout "$JOB" "$E2E_TMP/job.txt"
"$PY" "$E2E_DIR/report_check.py" pdf "$E2E_TMP/job.txt" "$E2E_TMP/report.txt" 2 || fail "printout"
pdfinfo "$JOB" | grep -Eq 'Page size: +595(\.[0-9]+)? x 84[12](\.[0-9]+)? pts \(A4\)' || fail "not A4 portrait: $(pdfinfo "$JOB" | grep 'Page size')"
pdffonts "$JOB" | grep -q 'IPAPMincho' || fail "not printed in the Mincho face: $(pdffonts "$JOB")"
pass "two A4 sheets with the title and all 60 rows"
if [[ -n "${E2E_KEEP_DIR:-}" ]]; then cp "$JOB" "$E2E_TMP/report.txt" "$E2E_KEEP_DIR/"; fi
