#!/usr/bin/env bash
# The real program starts on a display, paints the window's background
# and a navy panel, and lives on through two presses.
source "$(dirname "$0")/lib.sh"
start_display
start_program

[[ "$(pixel_twips 200 1400)" == "000040" ]] || fail "clock panel is not navy"
[[ "$(pixel_twips 30 30)" == "000000" ]] || fail "window background is not black"
pass "panels drawn"

click_event 0
click_event 1
kill -0 "$PROGRAM_PID" || fail "program died after presses"
pass "presses recorded without a crash"
