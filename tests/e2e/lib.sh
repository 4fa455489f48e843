# Shared helpers for end-to-end tests: a private Xvfb display, the real
# program started on it, clicks at controls given in twips, pixel samples.
# Source it from a test script; the program's path is $VELTRASA_BIN.
set -euo pipefail

: "${VELTRASA_BIN:?VELTRASA_BIN must name the veltrasa executable}"
E2E_TMP="$(mktemp -d /tmp/veltrasa-e2e.XXXXXX)"
E2E_PIDS=()
PROGRAM_PID=""
WID=""

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Starts Xvfb on a free display number and exports DISPLAY.
start_display() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      if xdpyinfo >/dev/null 2>&1; then return 0; fi
      sleep 0.1
    done
    fail "Xvfb did not start on :$n"
  done
  fail "no free X display"
}

# Starts the program and waits for its main window (one polling client, so
# the program's own connection is not starved). Retries if it could not
# connect to the display.
start_program() {
  local attempt
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$E2E_TMP/runtime}"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  for attempt in 1 2 3; do
    (cd "${E2E_WORKDIR:-$E2E_TMP}" && exec "$VELTRASA_BIN") >"$E2E_TMP/program.log" 2>&1 &
    PROGRAM_PID=$!
    E2E_PIDS+=("$PROGRAM_PID")
    WID="$(timeout 20 xdotool search --sync --onlyvisible --name '^Veltrasa' 2>/dev/null | head -n1 || true)"
    if [[ -n "$WID" ]]; then
      sleep 0.3
      return 0
    fi
    kill "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
    echo "program did not show its window (attempt $attempt):" >&2
    cat "$E2E_TMP/program.log" >&2
  done
  fail "the program's window never appeared"
}

# Top-left corner of the main window's client area on the screen.
window_origin() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  echo "$X $Y"
}

# twips_to_screen LEFT TOP WIDTH HEIGHT: the centre of that rectangle.
twips_to_screen() {
  local ox oy
  read -r ox oy < <(window_origin)
  echo "$((ox + ($1 + $3 / 2) / 15)) $((oy + ($2 + $4 / 2) / 15))"
}

# pointer_to X Y: moves the pointer there on the screen and waits until it
# is there. (mousemove --sync waits for a motion that never comes when the
# pointer is already there, as at a second press of the same button.)
pointer_to() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  if [[ "$X $Y" != "$1 $2" ]]; then xdotool mousemove --sync "$1" "$2"; fi
}

# click_twips LEFT TOP WIDTH HEIGHT [BUTTON]: a click at the centre.
click_twips() {
  local x y
  read -r x y < <(twips_to_screen "$1" "$2" "$3" "$4")
  pointer_to "$x" "$y"
  xdotool click "${5:-1}"
  sleep 0.2
}

# Event button i (0..15) and rhythm button i (0..5), from the window layout.
EVENT_LEFT=(7080 7080 7080 7080 7080 9840 9840 9840 9840 9840 12630 12630 12630 12630 12630 15600)
EVENT_TOP=(5250 6420 7590 8760 9930 5250 6420 7590 8760 9930 5250 6420 7590 8760 9930 5250)
RHYTHM_LEFT=(7290 9108 14562 10926 12744 16380)
click_event() { click_twips "${EVENT_LEFT[$1]}" "${EVENT_TOP[$1]}" 2715 1005; }
click_rhythm() { click_twips "${RHYTHM_LEFT[$1]}" 11730 1695 855; }

# Colour of the screen pixel at client position (twips) as RRGGBB.
pixel_twips() {
  local ox oy
  read -r ox oy < <(window_origin)
  pixel_screen "$((ox + $1 / 15))" "$((oy + $2 / 15))"
}
pixel_screen() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n1 | tr 'a-f' 'A-F'
}

screenshot() { import -window root "$1"; }

# Waits up to 10 s for the program to end; fails if it does not.
wait_program_end() {
  local i
  for i in $(seq 1 100); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      wait "$PROGRAM_PID" 2>/dev/null || true
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end"
}

# Runs the rest of the calling script on a private session bus of its own
# (nothing is started on it on demand). Call before anything else is set up.
use_private_session_bus() {
  if [[ -z "${VELTRASA_PRIVATE_BUS:-}" ]]; then
    rm -rf "$E2E_TMP"
    trap - EXIT
    export VELTRASA_PRIVATE_BUS=1
    exec dbus-run-session --config-file="$(dirname "${BASH_SOURCE[0]}")/session-bus.conf" -- bash "$0" "$@"
  fi
}

# The accessibility bus on the session bus, with AT-SPI switched on as a
# screen reader switches it on; read the window with read_window.py (run
# with /usr/bin/python3). Call after use_private_session_bus and
# start_display, before start_program. The launcher keeps the switch in
# GSettings; the private bus starts no dconf service to store it, so the
# launcher gets an in-memory store of its own.
start_accessibility_bus() {
  export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  GSETTINGS_BACKEND=memory /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_TMP/at-spi.log" 2>&1 &
  E2E_PIDS+=($!)
  local i
  for i in $(seq 1 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.1
  done
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null ||
    fail "the accessibility bus did not start"
}

# The program's open popup menu (its visible window that the window manager
# does not manage), or nothing.
popup_menu() {
  local wid
  for wid in $(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null || true); do
    if xwininfo -id "$wid" 2>/dev/null | grep -q 'Override Redirect State: yes'; then
      echo "$wid"
      return 0
    fi
  done
  return 0
}

# Waits for the edit window (編集) and sets EDIT_X, EDIT_Y, EDIT_WIDTH and
# EDIT_HEIGHT to its place on the screen; fails if it does not open.
find_edit_window() {
  local wid
  wid="$(wait_window '^編集$' 10 | head -n1)"
  [[ -n "$wid" ]] || fail "the edit window did not open"
  eval "$(xdotool getwindowgeometry --shell "$wid" | sed 's/^/EDIT_/')"
}

# Presses 変更 (Command2) in the edit window found by find_edit_window and
# waits until the window has gone.
press_change() {
  xdotool mousemove --sync $((EDIT_X + 392)) $((EDIT_Y + 67)) click 1
  local i
  for i in $(seq 1 50); do
    xdotool search --onlyvisible --name '^編集$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "変更 did not close the edit window"
}

# wait_window NAME_REGEX SECONDS: prints the id of the first visible window
# whose name matches, polling gently; fails (status 1) after SECONDS.
# xdotool's own --sync gives up with an X error when another window
# vanishes while it looks, so each look is simply tried again.
wait_window() {
  local deadline=$((SECONDS + $2)) wid
  while ((SECONDS <= deadline)); do
    wid="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)"
    if [[ -n "$wid" ]]; then
      echo "$wid"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Waits for the next message box (caption "Veltrasa2005"; the main window's
# caption has full-width digits), presses KEY in it and waits until it has
# gone. Y/N answer a question, Return takes the default, Escape is No.
answer_message() {
  local key="$1" wid
  wid="$(wait_window '^Veltrasa2005$' 15 2>/dev/null | head -n1 || true)"
  [[ -n "$wid" ]] || fail "no message box appeared (to answer $key)"
  press_in_box "$wid" "$key"
}

# press_in_box WID KEY: presses KEY in message box WID and waits until it
# has gone.
press_in_box() {
  local wid="$1" key="$2" i
  sleep 0.2
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  xdotool key --clearmodifiers "$key"
  for i in $(seq 1 100); do
    if ! xdotool search --onlyvisible --name '^Veltrasa2005$' 2>/dev/null | grep -qx "$wid"; then return 0; fi
    sleep 0.1
  done
  fail "the message box did not close after $key"
}

# The window of an open message box, or nothing.
message_box() {
  xdotool search --onlyvisible --name '^Veltrasa2005$' 2>/dev/null | head -n1 || true
}

# Declines whatever the shut-down asks (questions No, notices OK, dialogs
# cancelled) until the program ends; fails if it has not ended in 15 s.
# The program's exit status is left in PROGRAM_STATUS.
decline_until_end() {
  local i box
  for i in $(seq 1 150); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      PROGRAM_STATUS=0
      wait "$PROGRAM_PID" 2>/dev/null || PROGRAM_STATUS=$?
      return 0
    fi
    box="$(message_box)"
    if [[ -n "$box" ]]; then
      xdotool windowfocus --sync "$box" 2>/dev/null || true
      xdotool key --clearmodifiers n 2>/dev/null || true
      sleep 0.2
      if [[ "$(message_box)" == "$box" ]]; then xdotool key --clearmodifiers Escape 2>/dev/null || true; fi
    fi
    sleep 0.1
  done
  fail "the program did not end"
}

# Presses the CPR終了 button and answers Yes: the window closes.
end_record() {
  click_event 15
  answer_message Return
}

# Screen size as "WIDTH HEIGHT".
screen_size() {
  xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p'
}

# Size of the main window's client area as "WIDTH HEIGHT".
window_size() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  echo "$WIDTH $HEIGHT"
}

# snapshot: grabs the screen once so that several samples see the same
# moment (and cost one grab). snap_* read the last snapshot.
SNAP="$E2E_TMP/snap.png"
SNAP_ORIGIN=""
snapshot() {
  SNAP_ORIGIN="$(window_origin)"
  import -window root "$SNAP"
}

# snap_pixel_twips LEFT TOP: colour at that client position as RRGGBB.
snap_pixel_twips() {
  local ox oy
  read -r ox oy <<<"$SNAP_ORIGIN"
  convert "$SNAP" -crop "1x1+$((ox + $1 / 15))+$((oy + $2 / 15))" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n1 | tr 'a-f' 'A-F'
}

# snap_region_has RRGGBB LEFT TOP WIDTH HEIGHT: succeeds if some pixel of
# that client rectangle (twips) has exactly that colour.
snap_region_has() {
  local ox oy
  read -r ox oy <<<"$SNAP_ORIGIN"
  convert "$SNAP" -crop "$(($4 / 15))x$(($5 / 15))+$((ox + $2 / 15))+$((oy + $3 / 15))" +repage \
    -unique-colors -depth 8 txt:"$E2E_TMP/region.txt" 2>/dev/null
  grep -qi " #$1 " "$E2E_TMP/region.txt"
}

# snap_window FILE: the main window's client area from the last snapshot.
snap_window() {
  local ox oy w h
  read -r ox oy <<<"$SNAP_ORIGIN"
  read -r w h < <(window_size)
  convert "$SNAP" -crop "${w}x${h}+$ox+$oy" +repage "$1"
}

# snap_crop_twips FILE LEFT TOP WIDTH HEIGHT: that client rectangle of the
# last snapshot.
snap_crop_twips() {
  local ox oy
  read -r ox oy <<<"$SNAP_ORIGIN"
  convert "$SNAP" -crop "$(($4 / 15))x$(($5 / 15))+$((ox + $2 / 15))+$((oy + $3 / 15))" +repage "$1"
}

# settled CHECK ARGS...: runs a check on the last snapshot, and on fresh
# ones for about three seconds while it fails: a busy machine may not have
# repainted the window yet.
settled() {
  local i
  for i in $(seq 1 12); do
    if "$@"; then return 0; fi
    sleep 0.25
    snapshot
  done
  return 1
}

snap_pixel_is() { [[ "$(snap_pixel_twips "$2" "$3")" == "$1" ]]; }
snap_region_lacks() { ! snap_region_has "$@"; }

# expect_pixel RRGGBB LEFT TOP WHAT, expect_region RRGGBB L T W H WHAT,
# expect_no_region RRGGBB L T W H WHAT: checks on the screen that fail the
# test with WHAT.
expect_pixel() {
  settled snap_pixel_is "$1" "$2" "$3" ||
    fail "$4: expected #$1 at ($2, $3) twips, got #$(snap_pixel_twips "$2" "$3")"
}
expect_region() {
  settled snap_region_has "$1" "$2" "$3" "$4" "$5" || fail "$6: no #$1 in ($2, $3, $4, $5) twips"
}
expect_no_region() {
  settled snap_region_lacks "$1" "$2" "$3" "$4" "$5" || fail "$6: #$1 found in ($2, $3, $4, $5) twips"
}
