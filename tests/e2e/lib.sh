# shellcheck shell=bash disable=SC2034 # its variables are for the scripts that source it
# Shared helpers for end-to-end tests: a private Xvfb display, the real
# program started on it, clicks at controls given in twips, pixel samples.
# Source it from a test script; the program's path is $VELTRASA_BIN.
set -euo pipefail

: "${VELTRASA_BIN:?VELTRASA_BIN must name the veltrasa executable}"
# The controls' places in twips (EVENT_LEFT, RHYTHM_LEFT, LIST_RECT, the
# labels and shapes by their form names as LABEL1_3 or SHAPE2, the edit
# window's EDIT_CHANGE_RECT, ...), written from the windows' layout tables
# by the build (tools/layout_tables.cpp).
: "${VELTRASA_LAYOUT:?VELTRASA_LAYOUT must name build/tests/e2e/layout.sh}"
# shellcheck source=/dev/null
source "$VELTRASA_LAYOUT"
E2E_TMP="$(mktemp -d /tmp/veltrasa-e2e.XXXXXX)"
E2E_PIDS=()
PROGRAM_PID=""
PROGRAM_ARGS=()
WID=""

e2e_cleanup() {
  local pid
  stop_user_world
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

# A home, XDG folders and session of the test's own (ctest starts every test
# so; a script run by hand gets one inside its scratch folder).
if [[ -z "${VELTRASA_PRIVATE_HOME:-}" ]]; then
  # shellcheck source=../support/hermetic.sh
  source "$(dirname "${BASH_SOURCE[0]}")/../support/hermetic.sh"
  private_world "$E2E_TMP/home"
fi

# The windows' titles, as xdotool name patterns: the main window (its
# caption has full-width digits), every message box, the edit window and
# Qt's save-file dialog (Japanese, or English without the translations).
MAIN_TITLE='^Veltrasa２００５$'
MESSAGE_TITLE='^Veltrasa2005$'
EDIT_TITLE='^編集$'
SAVE_DIALOG_TITLE='名前を付けて保存|Save'

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# wait_for SECONDS COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; fails (status 1) after SECONDS. Every wait on a condition goes
# through it.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS <= deadline)) || return 1
    sleep 0.1
  done
}

# wait_handled [WID]: waits until the program owning window WID (the main
# window unless given) has dealt with everything sent to it so far, the
# keys and clicks included: it answers a _NET_WM_PING sent to the window
# only after them. A window that has gone counts as done with. Gives up
# after 10 s. Painting comes later: the pixel checks retry for that. (Qt sends the
# answer to the root window for whoever listens to its structure.)
wait_handled() {
  # Now and then no answer comes back although the program goes on (seen
  # under load): the wait then ends after 10 s and the checks that follow,
  # which retry, decide.
  "${PY:-/usr/bin/python3}" - "${1:-$WID}" <<'PYEOF' || echo "note: no answer to a ping of window ${1:-$WID}" >&2
import select, sys, time
from Xlib import X, display, error
from Xlib.protocol import event
d = display.Display()
gone = []
d.set_error_handler(lambda *_: gone.append(True))
root = d.screen().root
root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
window = d.create_resource_object("window", int(sys.argv[1], 0))
protocols, ping = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("_NET_WM_PING")
stamp = time.monotonic_ns() // 1000000 & 0xFFFFFFFF
window.send_event(event.ClientMessage(window=window, client_type=protocols, data=(32, [ping, stamp, window.id, 0, 0])))
d.sync()
deadline = time.monotonic() + 10
while not gone and time.monotonic() < deadline:
    select.select([d], [], [], 0.1)
    while d.pending_events():
        e = d.next_event()
        if e.type == X.ClientMessage and e.client_type == protocols and list(e.data[1][:2]) == [ping, stamp]:
            sys.exit(0)
sys.exit(0 if gone else 1)
PYEOF
}

# start_display [WIDTHxHEIGHT]: starts Xvfb on a free display number, with
# a screen of that size (1600x1200 unless given), and exports DISPLAY. Xvfb
# picks the number itself (-displayfd): tests started together that looked
# for a free number each would both take the same one.
start_display() {
  local size="${1:-1600x1200}" n=""
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
  E2E_PIDS+=($!)
  display_up() {
    n="$(head -n1 "$E2E_TMP/display" 2>/dev/null)"
    [[ -n "$n" ]] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1
  }
  wait_for 10 display_up || { cat "$E2E_TMP/xvfb.log" >&2; fail "Xvfb did not start"; }
  export DISPLAY=":$n"
}

# Starts openbox, a window manager from the desktop, with a configuration
# and home of the test's own, and waits until it manages the screen.
start_window_manager() {
  local home="$E2E_TMP/wm-home"
  mkdir -p "$home/.config/openbox"
  cat >"$home/.config/openbox/rc.xml" <<'RC'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme><name>Clearlooks</name><titleLayout>NLIMC</titleLayout></theme>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <desktops><number>1</number></desktops>
  <margins><top>0</top><bottom>0</bottom><left>0</left><right>0</right></margins>
</openbox_config>
RC
  HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share" \
    openbox --sm-disable --config-file "$home/.config/openbox/rc.xml" >"$E2E_TMP/openbox.log" 2>&1 &
  E2E_PIDS+=($!)
  wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_for 5 wm_running || { cat "$E2E_TMP/openbox.log" >&2; fail "the window manager did not start"; }
}

# start_weston [--xwayland] [WIDTHxHEIGHT]: starts weston, the Wayland
# reference compositor, with its desktop shell (a panel 32 pixels tall along
# the top) on one output of that size (1366x768 unless given), and exports
# WAYLAND_DISPLAY (a socket in the private XDG_RUNTIME_DIR). The output is
# shown in a window on an Xvfb display of its own, WESTON_SCREEN, through
# which the test sees the output and moves weston's pointer
# (`DISPLAY=$WESTON_SCREEN import ...`). With --xwayland, weston's XWayland
# server and its X window manager run too, and DISPLAY names that server,
# as in a GNOME or Plasma session; without, DISPLAY is unset. WESTON_PID is
# weston's process, which ends its XWayland server with it. WESTON_PANEL is
# the panel's height in pixels.
WESTON_PANEL=32
start_weston() {
  local xwayland=() size
  if [[ "${1:-}" == --xwayland ]]; then
    xwayland=(--xwayland)
    shift
  fi
  size="${1:-1366x768}"
  start_display "$size"
  WESTON_SCREEN="$DISPLAY"
  export WAYLAND_DISPLAY="wayland-veltrasa-$$"
  weston --backend=x11-backend.so --width="${size%x*}" --height="${size#*x}" --use-pixman --no-config \
    --idle-time=0 --socket="$WAYLAND_DISPLAY" "${xwayland[@]}" --log="$E2E_TMP/weston.log" >/dev/null 2>&1 &
  WESTON_PID=$!
  E2E_PIDS+=("$WESTON_PID")
  unset DISPLAY
  # Ready once the desktop shell has drawn its panel and background.
  weston_drawn() {
    [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" && "$(DISPLAY=$WESTON_SCREEN pixel_screen 2 16)" != 000000 &&
      "$(DISPLAY=$WESTON_SCREEN pixel_screen 2 $((${size#*x} - 2)))" != 000000 ]]
  }
  wait_for 10 weston_drawn || true
  [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] || { cat "$E2E_TMP/weston.log" >&2; fail "weston did not start"; }
  if ((${#xwayland[@]})); then
    local display
    display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_TMP/weston.log" | tail -n1)"
    [[ -n "$display" ]] || { cat "$E2E_TMP/weston.log" >&2; fail "weston started no XWayland server"; }
    export DISPLAY="$display"
    # XWayland itself starts at the first connection.
    x_display_up() { xdpyinfo >/dev/null 2>&1; }
    wait_for 10 x_display_up || fail "XWayland did not start on $DISPLAY"
  fi
}

# weston_pointer_aside: weston's pointer moved onto the panel's left end,
# once weston has drawn it there (the corner of the output changes).
weston_pointer_aside() {
  local X Y SCREEN WINDOW
  eval "$(DISPLAY="$WESTON_SCREEN" xdotool getmouselocation --shell)"
  [[ "$X $Y" != "1 1" ]] || return 0
  DISPLAY="$WESTON_SCREEN" import -window root -crop 32x32+0+0 "$E2E_TMP/corner.png"
  DISPLAY="$WESTON_SCREEN" xdotool mousemove --sync 1 1
  pointer_in_corner() {
    DISPLAY="$WESTON_SCREEN" import -window root -crop 32x32+0+0 "$E2E_TMP/corner-now.png"
    [[ "$(compare -metric AE "$E2E_TMP/corner.png" "$E2E_TMP/corner-now.png" null: 2>&1 || true)" != 0 ]]
  }
  # The corner may look the same with the pointer there (it started close
  # by): the checks that follow decide.
  wait_for 5 pointer_in_corner || echo "note: the output's corner did not change as the pointer moved there" >&2
}

# weston_window: the rectangle of the main window's client area on weston's
# output as "X Y WIDTH HEIGHT": the extent of the window's black background
# (#000000) below the panel, the pointer moved aside first.
weston_window() {
  weston_pointer_aside
  local w h
  read -r w h < <(DISPLAY="$WESTON_SCREEN" screen_size)
  DISPLAY="$WESTON_SCREEN" import -window root "$E2E_TMP/weston.png"
  convert "$E2E_TMP/weston.png" -crop "${w}x$((h - WESTON_PANEL))+0+$WESTON_PANEL" +repage -fill red -opaque black \
    -fill black +opaque red -format '%@' info: | awk -F'[x+]' -v panel="$WESTON_PANEL" '{ print $3, $4 + panel, $1, $2 }'
}

# frame_on_screen WID WHAT: the window WID with the frame the window manager
# drew around it (_NET_FRAME_EXTENTS) lies inside the screen's work area
# (_NET_WORKAREA); prints the frame as "LEFT TOP WIDTH HEIGHT".
frame_on_screen() {
  local X Y WIDTH HEIGHT l r t b ax ay aw ah
  read -r X Y WIDTH HEIGHT < <(client_geometry "$1")
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
  [[ -n "$b" ]] || fail "$2: the window manager gave it no frame"
  read -r ax ay aw ah < <(xprop -root _NET_WORKAREA | sed -n 's/.*= //p' | tr -d , | cut -d' ' -f1-4)
  ((X - l >= ax && Y - t >= ay && X + WIDTH + r <= ax + aw && Y + HEIGHT + b <= ay + ah)) ||
    fail "$2: ${WIDTH}x$HEIGHT at $X,$Y in a frame of $l,$r,$t,$b is not inside the work area ${aw}x$ah+$ax+$ay"
  echo "$((X - l)) $((Y - t)) $((WIDTH + l + r)) $((HEIGHT + t + b))"
}

# Starts the program (in $E2E_WORKDIR, with $PROGRAM_PATH as its PATH if
# set, through the command prefix $PROGRAM_RUNNER if set) and waits for its
# main window (one polling client, so the program's own connection is not
# starved). Retries if it could not connect to the display. Without an X
# display (natively on Wayland, see start_weston) no window can be looked
# up: it waits for the program's report of the window's first paint
# instead, and leaves WID empty. SHOWN_AT is when the window was found
# (seconds since the epoch).
PROGRAM_RUNNER=()
start_program() {
  local attempt
  for attempt in 1 2 3; do
    launch_program
    if [[ -z "${DISPLAY:-}" ]]; then
      if wait_for 20 grep -q '^exposed ' "$E2E_TMP/program.log"; then return 0; fi
    else
      WID="$(timeout 20 xdotool search --sync --onlyvisible --name "$MAIN_TITLE" 2>/dev/null | head -n1 || true)"
      if [[ -n "$WID" ]]; then
        SHOWN_AT="$(date +%s.%N)"
        wait_for 10 window_fitted || fail "the window kept another size than the one it asked for"
        return 0
      fi
    fi
    kill -KILL "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
    echo "program did not show its window (attempt $attempt):" >&2
    cat "$E2E_TMP/program.log" >&2
  done
  fail "the program's window never appeared"
}

# stall_program SECONDS: the program stopped (SIGSTOP) for that long, as a
# paused virtual machine or an overloaded machine stops it, then continued.
stall_program() {
  kill -STOP "$PROGRAM_PID"
  program_stopped() { [[ "$(awk '{print $3}' "/proc/$PROGRAM_PID/stat")" == T ]]; }
  wait_for 1 program_stopped || fail "the program did not stop"
  # The stop itself is what is tested: time passes while the program sleeps.
  sleep "$1"
  kill -CONT "$PROGRAM_PID"
}

# Starts the program as start_program does, without waiting for a window;
# sets PROGRAM_PID.
launch_program() {
  (
    cd "${E2E_WORKDIR:-$E2E_TMP}"
    if [[ -z "${DISPLAY:-}" ]]; then export VELTRASA_REPORT_EXPOSED=1; fi
    PATH="${PROGRAM_PATH:-$PATH}" exec "${PROGRAM_RUNNER[@]}" "$VELTRASA_BIN" "${PROGRAM_ARGS[@]}"
  ) >"$E2E_TMP/program.log" 2>&1 &
  PROGRAM_PID=$!
  E2E_PIDS+=("$PROGRAM_PID")
}

# main_windows PID: the visible main windows of the program with that pid.
main_windows() {
  xdotool search --all --onlyvisible --pid "$1" --name "$MAIN_TITLE" 2>/dev/null || true
}

# The size in pixels of the main window's client area as laid out (the
# tables' CLIENT_WIDTH x CLIENT_HEIGHT twips) and as shown: the helpers
# below that look at the window read its size as it is (client_geometry) and
# scale by it, so they point at the same controls on a window shown smaller
# than laid out.
LAYOUT_W=$((CLIENT_WIDTH / TWIPS_PER_PIXEL))
LAYOUT_H=$((CLIENT_HEIGHT / TWIPS_PER_PIXEL))
CLIENT_W=$LAYOUT_W
CLIENT_H=$LAYOUT_H
# twips_x TWIPS, twips_y TWIPS: a horizontal or vertical client position in
# twips as pixels, on a client area of CLIENT_W x CLIENT_H pixels.
twips_x() { echo $(($1 * CLIENT_W / CLIENT_WIDTH)); }
twips_y() { echo $(($1 * CLIENT_H / CLIENT_HEIGHT)); }

# window_fitted: the main window has the size it asked for (a window of
# fixed size: its minimum), as it has once its window manager is done with
# it and it has fitted itself again.
window_fitted() {
  [[ "$(window_size)" == "$(xprop -id "$WID" WM_NORMAL_HINTS |
    sed -n 's/.*program specified minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p')" ]] && wait_handled
}

# client_geometry WID: a window's client area on the screen as "X Y WIDTH
# HEIGHT" (xdotool's own counts a window manager's frame offset twice).
client_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print x, y, w, h }'
}

# Top-left corner of the main window's client area on the screen.
window_origin() {
  local x y w h
  read -r x y w h < <(client_geometry "$WID")
  echo "$x $y"
}

# twips_to_screen LEFT TOP WIDTH HEIGHT [WINDOW]: the centre of that
# rectangle of the main window's client area (or of WINDOW's, a window laid
# out as WINDOW_WIDTH x WINDOW_HEIGHT twips in the tables: EDIT for the
# edit window, whose id is EDIT_WID) on the screen.
twips_to_screen() {
  local ox oy CLIENT_W CLIENT_H CLIENT_WIDTH="$CLIENT_WIDTH" CLIENT_HEIGHT="$CLIENT_HEIGHT" wid="$WID"
  if [[ -n "${5:-}" ]]; then
    local width="${5}_CLIENT_WIDTH" height="${5}_CLIENT_HEIGHT" window="${5}_WID"
    CLIENT_WIDTH=${!width} CLIENT_HEIGHT=${!height} wid=${!window}
  fi
  read -r ox oy CLIENT_W CLIENT_H < <(client_geometry "$wid")
  echo "$((ox + $(twips_x $(($1 + $3 / 2))))) $((oy + $(twips_y $(($2 + $4 / 2)))))"
}

# pointer_to X Y: moves the pointer there on the screen and waits until it
# is there. (mousemove --sync waits for a motion that never comes when the
# pointer is already there, as at a second press of the same button.)
pointer_to() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  if [[ "$X $Y" != "$1 $2" ]]; then xdotool mousemove --sync "$1" "$2"; fi
}

# click_twips LEFT TOP WIDTH HEIGHT [BUTTON]: a click at the centre, once
# the program has dealt with it.
click_twips() {
  local x y
  read -r x y < <(twips_to_screen "$1" "$2" "$3" "$4")
  pointer_to "$x" "$y"
  xdotool click "${5:-1}"
  wait_handled
}

# Event button i (0..15) and rhythm button i (0..5).
click_event() { click_twips "${EVENT_LEFT[$1]}" "${EVENT_TOP[$1]}" "$EVENT_WIDTH" "$EVENT_HEIGHT"; }
click_rhythm() { click_twips "${RHYTHM_LEFT[$1]}" "$RHYTHM_TOP" "$RHYTHM_WIDTH" "$RHYTHM_HEIGHT"; }
# The reversible causes' list (LABEL2), and a spot inside their panel
# (SHAPE2) clear of its labels: ten pixels in from its lower right corner.
CAUSES_LIST=("${LABEL2[@]}")
CAUSES_PANEL_SPOT=($((SHAPE2[0] + SHAPE2[2] - 10 * TWIPS_PER_PIXEL)) $((SHAPE2[1] + SHAPE2[3] - 10 * TWIPS_PER_PIXEL)))

# Colour of the screen pixel at client position (twips) as RRGGBB.
pixel_twips() {
  local ox oy CLIENT_W CLIENT_H
  read -r ox oy CLIENT_W CLIENT_H < <(client_geometry "$WID")
  pixel_screen "$((ox + $(twips_x "$1")))" "$((oy + $(twips_y "$2")))"
}
pixel_screen() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n1 | tr 'a-f' 'A-F'
}

screenshot() { import -window root "$1"; }

# program_ended: the program (PROGRAM_PID) has ended.
program_ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }

# Waits up to 10 s for the program to end; fails if it does not.
wait_program_end() {
  wait_for 10 program_ended || fail "the program did not end"
  wait "$PROGRAM_PID" 2>/dev/null || true
}

# Runs the rest of the calling script on a private session bus of its own
# (nothing is started on it on demand), in a fresh private world. Call
# before anything else is set up.
use_private_session_bus() {
  if [[ -z "${VELTRASA_PRIVATE_BUS:-}" ]]; then
    local here
    here="$(dirname "${BASH_SOURCE[0]}")"
    rm -rf "$E2E_TMP"
    trap - EXIT
    export VELTRASA_PRIVATE_BUS=1
    exec bash "$here/../support/hermetic.sh" \
      dbus-run-session --config-file="$here/session-bus.conf" -- bash "$0" "$@"
  fi
}

# The accessibility bus on the session bus, with AT-SPI switched on as a
# screen reader switches it on; read the window with read_window.py (run
# with /usr/bin/python3). Call after use_private_session_bus and
# start_display, before start_program. The launcher keeps the switch in
# GSettings; the private bus starts no dconf service to store it, so the
# launcher gets an in-memory store of its own.
start_accessibility_bus() {
  GSETTINGS_BACKEND=memory /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_TMP/at-spi.log" 2>&1 &
  E2E_PIDS+=($!)
  a11y_bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
  }
  wait_for 5 a11y_bus_up || true
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null ||
    fail "the accessibility bus did not start"
}

# The program's open popup menu (its visible window that the window manager
# does not manage), or nothing; menu_open: there is one.
menu_open() { [[ -n "$(popup_menu)" ]]; }
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

# menu_choose ITEM: in the open popup menu, the item captioned ITEM (修正,
# 削除, 元に戻す: POPUP_ITEMS) chosen from the keyboard (the menu opens with
# no item highlighted; Down skips the separators), once the program has
# dealt with the choice.
menu_choose() {
  local keys=() item
  wait_for 5 menu_open || fail "no popup menu open (to choose $1)"
  for item in "${POPUP_ITEMS[@]}"; do
    if [[ "$item" != - ]]; then keys+=(Down); fi
    [[ "$item" == "$1" ]] && break
  done
  [[ "$item" == "$1" ]] || fail "no $1 in the popup menu (${POPUP_ITEMS[*]})"
  xdotool key "${keys[@]}" Return
  wait_handled
}

# Waits for the edit window (編集) and its keyboard focus, and sets
# EDIT_WID, and EDIT_X, EDIT_Y, EDIT_WIDTH and EDIT_HEIGHT to its client
# area on the screen; fails if it does not open.
find_edit_window() {
  EDIT_WID="$(wait_window "$EDIT_TITLE" 10 | head -n1 || true)"
  [[ -n "$EDIT_WID" ]] || fail "the edit window did not open"
  wait_focus "$EDIT_WID" 5 || fail "the edit window did not get the keyboard"
  read -r EDIT_X EDIT_Y EDIT_WIDTH EDIT_HEIGHT < <(client_geometry "$EDIT_WID")
}

# Presses 変更 (EDIT_CHANGE_RECT) in the edit window found by
# find_edit_window, once the program has dealt with what was typed, and
# waits until the window has gone.
press_change() {
  local x y
  wait_handled
  read -r x y < <(twips_to_screen "${EDIT_CHANGE_RECT[@]}" EDIT)
  pointer_to "$x" "$y"
  xdotool click 1
  wait_window_gone "$EDIT_TITLE" 10 || fail "変更 did not close the edit window"
}

# wait_window NAME_REGEX SECONDS: prints the id of the first visible window
# whose name matches, polling gently; fails (status 1) after SECONDS.
# xdotool's own --sync gives up with an X error when another window
# vanishes while it looks, so each look is simply tried again.
wait_window() {
  local wid
  window_shown() { wid="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)" && [[ -n "$wid" ]]; }
  wait_for "$2" window_shown "$1" || return 1
  echo "$wid"
}

# wait_window_gone NAME_REGEX SECONDS [WID]: waits until no visible window
# whose name matches (or not window WID) is left; fails (status 1) after
# SECONDS.
wait_window_gone() {
  window_gone() {
    local open
    open="$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)"
    [[ -z "$open" ]] || { [[ -n "${2:-}" ]] && ! grep -qx "$2" <<<"$open"; }
  }
  wait_for "$2" window_gone "$1" "${3:-}"
}

# wait_focus WID SECONDS: waits until window WID has the keyboard focus
# (keys sent before then go to the window that had it); fails (status 1)
# after SECONDS.
wait_focus() {
  has_focus() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]]; }
  wait_for "$2" has_focus "$1"
}

# Waits for the next message box (caption "Veltrasa2005"; the main window's
# caption has full-width digits), presses KEY in it and waits until it has
# gone. Y/N answer a question, Return takes the default, Escape is No.
answer_message() {
  local key="$1" wid
  wid="$(wait_window "$MESSAGE_TITLE" 15 2>/dev/null | head -n1 || true)"
  [[ -n "$wid" ]] || fail "no message box appeared (to answer $key)"
  press_in_box "$wid" "$key"
}

# press_in_box WID KEY: presses KEY in message box WID, once the program
# has dealt with its showing and it has the keyboard, and waits until it
# has gone.
press_in_box() {
  local wid="$1" key="$2"
  focus_window "$wid"
  xdotool key --clearmodifiers "$key"
  wait_window_gone "$MESSAGE_TITLE" 10 "$wid" || fail "the message box did not close after $key"
}

# focus_window WID: gives window WID the keyboard once its program has dealt
# with its showing, and waits until it has it (keys sent before then would
# go to the window that had it).
focus_window() {
  wait_handled "$1"
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  wait_focus "$1" 5 || fail "window $1 did not get the keyboard"
}

# close_window WID: asks the window manager to close window WID, as its
# title bar's close button does (_NET_CLOSE_WINDOW).
close_window() {
  /usr/bin/python3 - "$1" <<'PYEOF'
import sys
from Xlib import X, display
from Xlib.protocol import event
d = display.Display()
root = d.screen().root
message = event.ClientMessage(window=d.create_resource_object("window", int(sys.argv[1])),
                              client_type=d.intern_atom("_NET_CLOSE_WINDOW"), data=(32, [X.CurrentTime, 2, 0, 0, 0]))
root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
d.flush()
PYEOF
}

# The window of an open message box, or nothing.
message_box() {
  xdotool search --onlyvisible --name "$MESSAGE_TITLE" 2>/dev/null | head -n1 || true
}

# Declines whatever the shut-down asks (questions No, notices OK, dialogs
# cancelled) until the program ends; fails if it has not ended in 15 s.
# The program's exit status is left in PROGRAM_STATUS.
decline_until_end() {
  decline_or_end() {
    program_ended && return 0
    local box
    box="$(message_box)"
    if [[ -n "$box" ]]; then
      xdotool windowfocus --sync "$box" 2>/dev/null || true
      xdotool key --clearmodifiers n 2>/dev/null || true
      wait_handled "$box"
      if [[ "$(message_box)" == "$box" ]]; then xdotool key --clearmodifiers Escape 2>/dev/null || true; fi
    fi
    return 1
  }
  wait_for 15 decline_or_end || fail "the program did not end"
  PROGRAM_STATUS=0
  wait "$PROGRAM_PID" 2>/dev/null || PROGRAM_STATUS=$?
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
  local x y w h
  read -r x y w h < <(client_geometry "$WID")
  echo "$w $h"
}

# snapshot: grabs the screen once so that several samples see the same
# moment (and cost one grab). snap_* read the last snapshot.
SNAP="$E2E_TMP/snap.png"
SNAP_GEOMETRY=""
snapshot() {
  SNAP_GEOMETRY="$(client_geometry "$WID")"
  import -window root "$SNAP"
}

# snap_pixel_twips LEFT TOP: colour at that client position as RRGGBB.
snap_pixel_twips() {
  local ox oy CLIENT_W CLIENT_H
  read -r ox oy CLIENT_W CLIENT_H <<<"$SNAP_GEOMETRY"
  convert "$SNAP" -crop "1x1+$((ox + $(twips_x "$1")))+$((oy + $(twips_y "$2")))" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n1 | tr 'a-f' 'A-F'
}

# snap_region_has RRGGBB LEFT TOP WIDTH HEIGHT: succeeds if some pixel of
# that client rectangle (twips) has exactly that colour.
snap_region_has() {
  convert "$SNAP" -crop "$(snap_box_twips "$2" "$3" "$4" "$5")" +repage \
    -unique-colors -depth 8 txt:"$E2E_TMP/region.txt" 2>/dev/null
  grep -qi " #$1 " "$E2E_TMP/region.txt"
}

# snap_window FILE: the main window's client area from the last snapshot.
snap_window() {
  local ox oy w h
  read -r ox oy w h <<<"$SNAP_GEOMETRY"
  convert "$SNAP" -crop "${w}x${h}+$ox+$oy" +repage "$1"
}

# snap_crop_twips FILE LEFT TOP WIDTH HEIGHT: that client rectangle of the
# last snapshot.
snap_crop_twips() {
  convert "$SNAP" -crop "$(snap_box_twips "$2" "$3" "$4" "$5")" +repage "$1"
}

# snap_box_twips LEFT TOP WIDTH HEIGHT: that client rectangle (twips) as an
# ImageMagick geometry on the last snapshot.
snap_box_twips() {
  local ox oy CLIENT_W CLIENT_H
  read -r ox oy CLIENT_W CLIENT_H <<<"$SNAP_GEOMETRY"
  echo "$(twips_x "$3")x$(twips_y "$4")+$((ox + $(twips_x "$1")))+$((oy + $(twips_y "$2")))"
}

# settled CHECK ARGS...: runs a check on the last snapshot, and on fresh
# ones for about three seconds while it fails: a busy machine may not have
# repainted the window yet.
settled() {
  "$@" && return 0
  fresh_check() {
    snapshot
    "$@"
  }
  wait_for 3 fresh_check "$@"
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

# An ordinary user, for what will not run as root (Mozc). user_world sets
# AS_USER to a command prefix that runs a command as that user, in a world
# of its own: a private home with XDG folders under the scratch folder (as
# hermetic.sh makes them), the test's display, a session bus of its own
# (started here; nothing is started on it on demand) and nothing else of the
# test's environment. As root the user is veltrasa-e2e, a system user
# without a home or a login shell, created the first time; anyone else is
# that user already. Call after start_display. The program runs so with
# PROGRAM_RUNNER=("${AS_USER[@]}" NAME=VALUE...).
E2E_USER=veltrasa-e2e
AS_USER=()
user_world() {
  local here home="$E2E_TMP/user" owner=() world
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  if [[ $(id -u) -eq 0 ]]; then
    # Tests started together may each try to create it; one succeeds, and
    # the others find it once it is made.
    user_made() {
      id -u "$E2E_USER" >/dev/null 2>&1 ||
        useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
          "$E2E_USER" 2>"$E2E_TMP/useradd.log"
    }
    wait_for 3 user_made || { cat "$E2E_TMP/useradd.log" >&2; fail "could not create the user $E2E_USER"; }
    owner=(setpriv --reuid="$E2E_USER" --regid="$E2E_USER" --init-groups)
    # The user passes through the scratch folder to its home and to files
    # named to it, and lists nothing else there.
    chmod 711 "$E2E_TMP"
  fi
  mapfile -t world < <(
    # shellcheck source=../support/hermetic.sh
    source "$here/../support/hermetic.sh"
    private_world "$home"
    env | grep -E '^(HOME|XDG_[A-Z_]+_(HOME|DIR)|GSETTINGS_BACKEND)='
  )
  cp "$here/session-bus.conf" "$home/session-bus.conf"
  if ((${#owner[@]})); then chown -R "$E2E_USER:" "$home"; fi
  # Every process of the world carries VELTRASA_E2E_WORLD, which is how
  # stop_user_world finds the daemons that outlive their parents.
  AS_USER=("${owner[@]}" env -i "VELTRASA_E2E_WORLD=$E2E_TMP" "${world[@]}" "DISPLAY=$DISPLAY"
    "PATH=/usr/local/bin:/usr/bin:/bin" "LC_ALL=${LC_ALL:-C.UTF-8}")
  "${AS_USER[@]}" dbus-daemon --config-file="$home/session-bus.conf" --nofork --print-address \
    >"$E2E_TMP/user-bus.address" 2>"$E2E_TMP/user-bus.log" &
  E2E_PIDS+=($!)
  wait_for 5 test -s "$E2E_TMP/user-bus.address" || { cat "$E2E_TMP/user-bus.log" >&2; fail "the user's session bus did not start"; }
  AS_USER+=("DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$E2E_TMP/user-bus.address")")
  # A build folder the user cannot reach (under root's home, say) gives it
  # a copy of the program.
  if ! "${AS_USER[@]}" test -x "$VELTRASA_BIN"; then
    install -m 755 "$VELTRASA_BIN" "$E2E_TMP/veltrasa"
    VELTRASA_BIN="$E2E_TMP/veltrasa"
  fi
}

# Ends what runs in the user's world, the daemons that left their parents
# among it (Mozc's server and its candidate window outlive the engine that
# started them).
stop_user_world() {
  ((${#AS_USER[@]})) || return 0
  local f pid
  for f in /proc/[0-9]*/environ; do
    pid="${f#/proc/}"
    pid="${pid%/environ}"
    if tr '\0' '\n' 2>/dev/null <"$f" | grep -qxF "VELTRASA_E2E_WORLD=$E2E_TMP"; then
      kill "$pid" 2>/dev/null || true
    fi
  done
}

# Starts ibus with the Mozc engine in the user's world (user_world) and
# waits until Mozc is the engine. Mozc begins in direct input (Latin
# letters) until Hankaku/Zenkaku is pressed; its ibus setting
# active_on_launch makes it begin in hiragana, as the edit window asks.
start_ibus_mozc() {
  local home="$E2E_TMP/user"
  mkdir -p "$home/.config/mozc"
  cat >"$home/.config/mozc/ibus_config.textproto" <<'CONF'
engines {
  name: "mozc-jp"
  longname: "Mozc"
  layout: "default"
  layout_variant: ""
  layout_option: ""
  rank: 80
}
active_on_launch: True
CONF
  if [[ $(id -u) -eq 0 ]]; then chown -R "$E2E_USER:" "$home/.config/mozc"; fi
  INPUT_METHOD=ibus
  # Neither the panel nor the emoji picker: nothing but the engine.
  "${AS_USER[@]}" ibus-daemon --single --emoji-extension=disable >"$E2E_TMP/ibus.log" 2>&1 &
  E2E_PIDS+=($!)
  mozc_engine() {
    "${AS_USER[@]}" ibus engine mozc-jp >/dev/null 2>&1 || true
    ibus_on
  }
  wait_for 20 mozc_engine || { cat "$E2E_TMP/ibus.log" >&2; fail "ibus did not take Mozc as its engine"; }
}
ibus_on() { [[ "$("${AS_USER[@]}" ibus engine 2>/dev/null)" == mozc-jp ]]; }

# Starts fcitx5 with Mozc in the user's world (user_world) as the only
# input method of its group, switched on in every new window (fcitx5's
# ActiveByDefault), and waits until it answers on the session bus.
start_fcitx5_mozc() {
  local home="$E2E_TMP/user"
  mkdir -p "$home/.config/fcitx5"
  cat >"$home/.config/fcitx5/profile" <<'CONF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
CONF
  cat >"$home/.config/fcitx5/config" <<'CONF'
[Behavior]
ActiveByDefault=True
CONF
  if [[ $(id -u) -eq 0 ]]; then chown -R "$E2E_USER:" "$home/.config/fcitx5"; fi
  INPUT_METHOD=fcitx5
  "${AS_USER[@]}" fcitx5 --disable=all --enable=dbus,dbusfrontend,xcb,keyboard,mozc >"$E2E_TMP/fcitx5.log" 2>&1 &
  E2E_PIDS+=($!)
  fcitx5_answers() {
    "${AS_USER[@]}" dbus-send --session --print-reply --dest=org.fcitx.Fcitx5 /controller \
      org.fcitx.Fcitx.Controller1.CurrentInputMethod 2>/dev/null | grep -q '"'
  }
  wait_for 20 fcitx5_answers || { cat "$E2E_TMP/fcitx5.log" >&2; fail "fcitx5 did not start"; }
}
fcitx5_on() {
  "${AS_USER[@]}" dbus-send --session --print-reply --dest=org.fcitx.Fcitx5 /controller \
    org.fcitx.Fcitx.Controller1.State 2>/dev/null | grep -q 'int32 2'
}

# Waits until the input method started by start_ibus_mozc or
# start_fcitx5_mozc is on in the window that has the keyboard (fcitx5
# switches it on, and loads Mozc, only once the window has told it of its
# focus: a key typed before goes in as it is); fails after SECONDS.
wait_input_method_on() {
  wait_for "$1" "${INPUT_METHOD}_on" || fail "$INPUT_METHOD is not on in the focused window"
}
