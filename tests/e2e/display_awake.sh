#!/usr/bin/env bash
# The program keeps the display awake from start-up until it ends: one
# Inhibit to the desktop's screen-saver service at start-up, UnInhibit with
# the same cookie once the record has ended through CPR終了. Where the
# desktop has no such service, the desktop portal's Inhibit (idle), its
# request closed at the end; the portal is not asked where the screen-saver
# service answers. Without either, or without any session bus, it starts
# and ends as usual.
source "$(dirname "$0")/lib.sh"
use_private_session_bus "$@"
start_display

# start_standin LOG [OPTION...]: the stand-in services, logging to LOG.
start_standin() {
  /usr/bin/python3 "$(dirname "$0")/screensaver_standin.py" "$@" &
  STANDIN_PID=$!
  E2E_PIDS+=("$STANDIN_PID")
  wait_for 5 grep -q '^ready$' "$1" 2>/dev/null || fail "the stand-in screen-saver service did not start"
}
stop_standin() {
  kill "$STANDIN_PID"
  wait "$STANDIN_PID" 2>/dev/null || true
}
# The program said nothing about the screen saver or the bus, and ended
# with status 0.
ended_quietly() {
  [[ "$PROGRAM_STATUS" == 0 ]] || fail "$1: the program ended with status $PROGRAM_STATUS"
  if grep -iE 'screen ?saver|dbus|inhibit' "$E2E_TMP/program.log"; then fail "$1: the program printed messages"; fi
}

# inhibited LOG: the one Inhibit call in LOG; sets COOKIE.
inhibited() {
  local inhibits name reason
  inhibits="$(grep '^Inhibit [0-9]' "$1" || true)"
  [[ -n "$inhibits" && "$(wc -l <<<"$inhibits")" == 1 ]] || fail "expected one Inhibit, got: $(cat "$1")"
  read -r _ COOKIE name reason <<<"$inhibits"
  [[ "$name" == "Veltrasa2005" ]] || fail "Inhibit named the application '$name'"
  [[ -n "$reason" ]] || fail "Inhibit gave no reason"
}
# released LOG: exactly one UnInhibit in LOG, with COOKIE.
released() {
  [[ "$(grep -c '^UnInhibit ' "$1")" == 1 ]] || fail "expected one UnInhibit: $(cat "$1")"
  grep -qx "UnInhibit $COOKIE" "$1" || fail "UnInhibit with another cookie: $(cat "$1")"
}
# portal_inhibited LOG: the one portal Inhibit in LOG, for idle (8), with a
# reason and no window, and no screen-saver Inhibit; sets HANDLE.
portal_inhibited() {
  local inhibits flags reason window
  inhibits="$(grep '^PortalInhibit ' "$1" || true)"
  [[ -n "$inhibits" && "$(wc -l <<<"$inhibits")" == 1 ]] || fail "expected one portal Inhibit, got: $(cat "$1")"
  read -r _ HANDLE flags reason window <<<"$inhibits"
  [[ "$flags" == 8 && "$reason" != window=* && "$window" == window= ]] ||
    fail "portal Inhibit for flags $flags, reason '$reason', $window"
  ! grep -q '^Inhibit' "$1" || fail "the screen saver was asked too: $(cat "$1")"
}
# portal_released LOG: exactly one Close in LOG, of HANDLE.
portal_released() {
  [[ "$(grep -c '^Close ' "$1")" == 1 ]] || fail "expected one Close: $(cat "$1")"
  grep -qx "Close $HANDLE" "$1" || fail "another request closed: $(cat "$1")"
}
# run_record: a record started, ended through CPR終了 and declined.
run_record() {
  start_program
  end_record
  decline_until_end
}

LOG="$E2E_TMP/screensaver.log"
start_standin "$LOG" --portal
start_program
wait_for 5 grep -q '^Inhibit ' "$LOG" || true
inhibited "$LOG"
pass "Inhibit once at start-up (cookie $COOKIE)"
click_event 0
click_event 1
! grep -q '^UnInhibit' "$LOG" || fail "released while the record is open"
end_record
decline_until_end
ended_quietly "with the service"
inhibited "$LOG"
released "$LOG"
! grep -q '^PortalInhibit' "$LOG" || fail "the portal was asked although the screen saver answered"
pass "UnInhibit $COOKIE after CPR終了; the portal not asked"
stop_standin

# No screen-saver service: the portal, at once or late.
for answer in at-once slow; do
  PORTAL_LOG="$E2E_TMP/portal-$answer.log"
  if [[ "$answer" == slow ]]; then start_standin "$PORTAL_LOG" --portal-only --slow; else start_standin "$PORTAL_LOG" --portal-only; fi
  run_record
  ended_quietly "with the portal ($answer)"
  portal_inhibited "$PORTAL_LOG"
  portal_released "$PORTAL_LOG"
  pass "no screen-saver service: the portal inhibits idling until the end ($answer)"
  stop_standin
done

# A service that answers late: whether the record ends before or after the
# answer, the cookie it hands out is released.
SLOW_LOG="$E2E_TMP/slow.log"
start_standin "$SLOW_LOG" --slow
run_record
ended_quietly "with a slow service"
inhibited "$SLOW_LOG"
released "$SLOW_LOG"
pass "a late cookie is released too"
stop_standin

# A service that never answers holds up neither the window (the call times
# out after 2 s) nor the end.
SILENT_LOG="$E2E_TMP/silent.log"
start_standin "$SILENT_LOG" --silent
start_program
shown="$SHOWN_AT"
asked="$(sed -n 's/^Inhibit asked //p' "$SILENT_LOG")"
[[ -n "$asked" ]] || fail "the silent service was not asked"
awk -v a="$asked" -v s="$shown" 'BEGIN { exit !(s - a < 1.5) }' ||
  fail "the window waited for the silent service (asked $asked, shown $shown)"
end_record
decline_until_end
ended_quietly "with a silent service"
pass "a silent service delays nothing"
stop_standin

# No service on the bus, then no session bus at all (a bare X11 session):
# the program starts and ends as usual.
run_record
ended_quietly "without the service"
pass "without the service"
DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus" start_program
end_record
decline_until_end
ended_quietly "without a session bus"
pass "without a session bus"
