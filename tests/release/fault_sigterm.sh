#!/usr/bin/env bash
# SIGTERM in the middle of a record (system shut-down, `kill`) closes the
# window the normal way: the program runs its shut-down and ends with status
# 0 instead of dying on the signal with the record unsaved.
source "$(dirname "$0")/../e2e/lib.sh"
start_display
start_program

click_event 0
click_event 1
kill -0 "$PROGRAM_PID" || fail "program died after presses"

kill -TERM "$PROGRAM_PID"
wait_program_end
status=0
wait "$PROGRAM_PID" 2>/dev/null || status=$?
[[ $status -eq 0 ]] || fail "program ended with status $status (143 means killed by SIGTERM)"
pass "SIGTERM ends the record through the normal shut-down"
