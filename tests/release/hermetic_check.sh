#!/usr/bin/env bash
# Every registered test runs in a private world (tests/support/hermetic.sh),
# and that world holds nothing of the caller's: a fresh, empty home with
# private XDG folders that is gone afterwards, no display, no session bus,
# no printer choice; the test's exit status (77 = skipped included) passes
# through.   hermetic_check.sh BUILD_DIR
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
HERMETIC="$HERE/../support/hermetic.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

# 1. Each test's command starts with the wrapper.
(cd "$1" && ctest --show-only=json-v1) | /usr/bin/python3 -c '
import json, sys
tests = json.load(sys.stdin)["tests"]
bad = [t["name"] for t in tests
       if len(t["command"]) < 2 or not t["command"][1].endswith("/tests/support/hermetic.sh")]
if not tests or bad:
    sys.exit("tests not run through hermetic.sh: %s" % (", ".join(bad) or "none registered"))
print("ok: all %d tests run through hermetic.sh" % len(tests))
'

# 2. What a test sees.
export DISPLAY=:99 DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent PRINTER=someone WAYLAND_DISPLAY=wayland-0
outer_home="$HOME"
seen="$(bash "$HERMETIC" bash -c '
  set -u
  echo "home=$HOME"
  echo "entries=$(find "$HOME" -mindepth 1 -not -type d | wc -l)"
  for v in XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME XDG_RUNTIME_DIR; do
    [[ "${!v}" == "$HOME"/* && -d "${!v}" ]] || echo "bad=$v"
  done
  [[ "$(stat -c %a "$XDG_RUNTIME_DIR")" == 700 ]] || echo "bad=runtime mode"
  for v in DISPLAY DBUS_SESSION_BUS_ADDRESS PRINTER WAYLAND_DISPLAY; do
    [[ -z "${!v:-}" ]] || echo "bad=$v set"
  done
  echo "gsettings=$GSETTINGS_BACKEND"
')"
home="$(sed -n 's/^home=//p' <<<"$seen")"
[[ -n "$home" && "$home" != "$outer_home" ]] || fail "the test's home is the caller's ($home)"
grep -q '^entries=0$' <<<"$seen" || fail "the test's home was not empty: $seen"
! grep '^bad=' <<<"$seen" || fail "the test's world leaks the caller's"
grep -q '^gsettings=memory$' <<<"$seen" || fail "settings are not kept in memory"
[[ ! -e "$home" ]] || fail "the test's home is left behind: $home"
echo "ok: a fresh private world, removed afterwards"

status=0
bash "$HERMETIC" bash -c 'exit 77' || status=$?
[[ $status -eq 77 ]] || fail "exit status 77 came out as $status"
echo "ok: the test's exit status passes through"
