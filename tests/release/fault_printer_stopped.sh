#!/usr/bin/env bash
# Printing to a queue that is stopped (the printer paused or out of paper)
# loses nothing: the job waits in the queue, the report is copied, the
# program ends normally, and once the queue is started again the job prints
# with every row. (No printer at all, and a queue that rejects jobs, are
# tested in e2e_output_failing_printer.) Needs root for its own CUPS.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../e2e/output_env.sh"
source "$(dirname "$0")/fault_env.sh"
start_display
start_cups capture
cupsdisable capture || fail "could not stop the queue"

start_program
# shellcheck disable=SC2034 # read by check_copy_and_close
START=$(date +%s)
click_event 0
click_event 1
end_record
answer_message n # save? No
answer_message y # print? Yes, to the stopped queue
check_copy_and_close $'\u3000病院到着' $'\u3000ＣＰＲ開始' $'\u3000ＣＰＲ終了'
ended_normally
pass "printed to a stopped queue: copied, ended normally"

[[ "$(lpstat -o capture | wc -l)" -eq 1 ]] || fail "expected one job waiting: $(lpstat -o capture)"
[[ -z "$(ls -A "$CAPTURED")" ]] || fail "a stopped queue printed"
cupsenable capture
printed_job 20
pdftotext -layout "$JOB" "$E2E_TMP/job.txt"
"$PY" "$E2E_DIR/report_check.py" pdf "$E2E_TMP/job.txt" "$E2E_TMP/report.txt" 1 || fail "printout"
pass "the job waited in the queue and printed every row once it started"
