#!/usr/bin/env bash
# With no fonts at all the program still starts, draws its window and
# records presses: a missing font never stops it.
source "$(dirname "$0")/lib.sh"
start_display

cat >"$E2E_TMP/fonts.conf" <<XML
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$E2E_TMP/no-fonts</dir><cachedir>$E2E_TMP/font-cache</cachedir></fontconfig>
XML
mkdir -p "$E2E_TMP/no-fonts"
export FONTCONFIG_FILE="$E2E_TMP/fonts.conf"
start_program

snapshot
expect_pixel 000040 200 1400 "clock panel"
expect_pixel 000080 7170 5340 "event button"
click_event 0
click_rhythm 3
snapshot
expect_pixel FF0000 "$((${RHYTHM_LEFT[3]} + 90))" 11820 "ＰＥＡ marked"
expect_pixel 000040 18135 10785 "reversible-causes panel shown"
kill -0 "$PROGRAM_PID" || fail "the program ended"
pass "runs without fonts"
