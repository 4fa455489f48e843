# shellcheck shell=bash disable=SC2034 # its variables are for the scripts that source it
# What the output tests add to lib.sh: a private clipboard manager, a
# private CUPS scheduler (with or without a capturing default printer),
# and the save-file dialog answered from the keyboard. Source it after
# lib.sh.

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
PY=/usr/bin/python3

clipboard_manager_running() {
  "$PY" - <<'PYEOF'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
if not d:
    sys.exit(2)
owner = x.XGetSelectionOwner(d, x.XInternAtom(d, b"CLIPBOARD_MANAGER", 0))
x.XCloseDisplay(d)
sys.exit(0 if owner else 1)
PYEOF
}

# A session bus and xfce4-clipman on the test's display; waits until it
# owns the CLIPBOARD_MANAGER selection.
start_clipboard_manager() {
  eval "$(dbus-launch --sh-syntax)"
  E2E_PIDS+=("$DBUS_SESSION_BUS_PID")
  xfce4-clipman >"$E2E_TMP/clipman.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 clipboard_manager_running || { cat "$E2E_TMP/clipman.log" >&2; fail "the clipboard manager did not start"; }
}

# A CUPS scheduler of the test's own on a private socket (CUPS_SERVER), so
# the machine's printers and its scheduler, running or not, play no part.
# With "capture", a queue that keeps each job's PDF in $CAPTURED is the
# default printer; without, no printer is installed.
start_cups() {
  if [[ $(id -u) -ne 0 ]]; then echo "skipped: running a CUPS scheduler of its own needs root"; exit 77; fi
  local root="$E2E_TMP/cups"
  CAPTURED="$E2E_TMP/captured"
  mkdir -p "$root"/{conf,spool/tmp,cache,state,log,serverbin/backend} "$CAPTURED"
  local d
  for d in filter cgi-bin daemon notifier monitor driver; do
    [[ -e /usr/lib/cups/$d ]] && ln -sfn "/usr/lib/cups/$d" "$root/serverbin/$d"
  done
  # Mode 0700: CUPS runs such a backend as root, so it may write anywhere.
  install -m 0700 "$E2E_DIR/cups/capture" "$root/serverbin/backend/capture"
  cat >"$root/conf/cupsd.conf" <<CONF
Listen $root/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
  cat >"$root/conf/cups-files.conf" <<CONF
ServerBin $root/serverbin
DataDir /usr/share/cups
CacheDir $root/cache
StateDir $root/state
RequestRoot $root/spool
TempDir $root/spool/tmp
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
FileDevice No
CONF
  cupsd -f -c "$root/conf/cupsd.conf" -s "$root/conf/cups-files.conf" >"$root/log/cupsd.out" 2>&1 &
  E2E_PIDS+=($!)
  export CUPS_SERVER="$root/cups.sock"
  cupsd_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
  wait_for 10 cupsd_running || { cat "$root/log/"* >&2; fail "cupsd did not start"; }
  if [[ "${1:-}" == capture ]]; then
    lpadmin -p capture -E -v "capture:$CAPTURED" -P "$E2E_DIR/cups/capture.ppd" 2>/dev/null ||
      fail "could not add the capturing printer"
    lpadmin -d capture || fail "could not make the capturing printer the default"
  fi
}

# printed_job SECONDS: waits up to SECONDS for the capturing printer to
# keep a job and sets JOB to its PDF; fails unless exactly one job came.
printed_job() {
  local jobs
  wait_for "$1" compgen -G "$CAPTURED/*.pdf" >/dev/null || true
  jobs=("$CAPTURED"/*.pdf)
  [[ ${#jobs[@]} -eq 1 && -f "${jobs[0]}" ]] || fail "expected one print job, found: ${jobs[*]}"
  JOB="${jobs[0]}"
}

# Waits for Qt's save-file dialog and presses KEYS in it.
answer_save_dialog() {
  [[ -n "$(save_dialog)" ]] || fail "the save dialog did not appear"
  xdotool key --clearmodifiers "$@"
}

# Qt's save dialog, once it is up, its program has dealt with its showing,
# and it has the keyboard.
save_dialog() {
  local wid
  wid="$(wait_window "$SAVE_DIALOG_TITLE" 15 2>/dev/null | head -n1 || true)"
  [[ -n "$wid" ]] || fail "the save dialog did not appear"
  # Under a window manager it is also made the active window.
  xdotool windowactivate --sync "$wid" 2>/dev/null || true
  focus_window "$wid"
  echo "$wid"
}
dialog_closed() { ! xdotool search --onlyvisible --name "$SAVE_DIALOG_TITLE" 2>/dev/null | grep -qx "$1"; }

# Presses KEY in the save dialog until it has closed (a busy machine may
# drop a key pressed while the dialog is still settling).
close_save_dialog() {
  local wid _try
  wid="$(save_dialog)"
  [[ -n "$wid" ]] || fail "the save dialog did not appear"
  for _try in 1 2 3; do
    xdotool key --clearmodifiers "$1"
    wait_for 3 dialog_closed "$wid" && return 0
  done
  fail "the save dialog did not close after $1"
}

# Replaces the name in the save dialog by NAME (without accepting it). The
# name is pasted: xdotool types a character outside the keyboard map by
# remapping a spare key for a moment, and on a busy machine the dialog may
# read the key after the map has changed back, dropping that character.
type_save_name() {
  local wid
  wid="$(save_dialog)"
  [[ -n "$wid" ]] || fail "the save dialog did not appear"
  clipboard_from <(printf '%s' "$1")
  xdotool key --clearmodifiers ctrl+a
  xdotool key --clearmodifiers ctrl+v
  wait_handled "$wid"
}

# clipboard_from FILE: puts the contents of FILE on the clipboard (xclip
# serves it until another program takes the clipboard over) and waits until
# the clipboard holds them.
clipboard_from() {
  cp "$1" "$E2E_TMP/clipboard-in"
  xclip -selection clipboard -i "$E2E_TMP/clipboard-in"
  clipboard_holds() { cmp -s "$E2E_TMP/clipboard-in" <(timeout 5 xclip -o -selection clipboard 2>/dev/null); }
  wait_for 10 clipboard_holds || fail "the clipboard does not hold what was put on it"
}

# Clicks event button i n times in quick succession.
click_event_times() {
  local i="$1" n="$2" x y
  read -r x y < <(twips_to_screen "${EVENT_LEFT[$i]}" "${EVENT_TOP[$i]}" "$EVENT_WIDTH" "$EVENT_HEIGHT")
  pointer_to "$x" "$y"
  xdotool click --repeat "$n" --delay 120 1
  wait_handled
}

# end_declined [KEY]: CPR終了 confirmed, then No to saving as a text file
# and to printing, answered with KEY (n unless given; Escape is No too).
end_declined() {
  end_record
  answer_message "${1:-n}" # save as a text file? No
  answer_message "${1:-n}" # print? No
}

# A record of two rows (病院到着, ＣＰＲ終了) ended with No to saving and to
# printing; START is when it began.
record_declined() {
  start_program
  START=$(date +%s)
  click_event 0
  end_declined
}

# end_with_copy_only [KEY]: ends the record with the copy alone: as
# end_declined KEY (Escape unless given), then the copied notice closed;
# waits until the program has ended.
end_with_copy_only() {
  end_declined "${1:-Escape}"
  answer_message Return # copied to the clipboard
  wait_program_end
}

# report_on_clipboard START END ROW...: the clipboard holds exactly the
# report of these rows (event texts, in order) stamped between START and END;
# the text is left in $E2E_TMP/report.txt.
report_on_clipboard() {
  clipboard_to "$E2E_TMP/report.txt"
  "$PY" "$E2E_DIR/report_check.py" clipboard "$E2E_TMP/report.txt" "$@"
}

# The clipboard's text as a file, read after the program has ended.
clipboard_to() {
  timeout 10 xclip -o -selection clipboard >"$1" || fail "the clipboard is empty after the program ended"
}

# correct_selected_row COMMAND...: 修正 from the record list's menu on the
# selected row, COMMAND run while the edit window is open (the caret is at
# the end of the row), then 変更.
correct_selected_row() {
  # A right press anywhere on the list opens the menu for the selected row.
  click_twips "${LIST_RECT[@]}" 3
  menu_choose 修正
  find_edit_window
  "$@"
  press_change
}

# The keeper serving the clipboard of this test's display: the pid of the
# xclip started by the program for $DISPLAY (alive, not a zombie).
clipboard_keepers() {
  local f pid
  for f in /proc/[0-9]*/cmdline; do
    pid="${f#/proc/}"
    pid="${pid%/cmdline}"
    if tr '\0' ' ' 2>/dev/null <"$f" | grep -q "^/[^ ]*xclip -display $DISPLAY -selection clipboard -in $" &&
      ! grep -q '^State:.*Z' "/proc/$pid/status" 2>/dev/null; then
      echo "$pid"
    fi
  done
}

# nowhere_but_the_clipboard TEXT: fails if a process's command line or
# environment, or a file under the home or /tmp, holds TEXT.
nowhere_but_the_clipboard() {
  local f found=()
  for f in /proc/[0-9]*/cmdline /proc/[0-9]*/environ; do
    if grep -qF -- "$1" "$f" 2>/dev/null; then found+=("$f"); fi
  done
  ((${#found[@]} == 0)) || fail "a row of the report is in ${found[*]}"
  mapfile -t found < <(grep -rlsF -- "$1" "$HOME" /tmp || true)
  ((${#found[@]} == 0)) || fail "a row of the report was written to ${found[*]}"
}
