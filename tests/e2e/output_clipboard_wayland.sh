#!/usr/bin/env bash
# In a Wayland session – weston, the program on XWayland, weston's X window
# manager owning CLIPBOARD_MANAGER – the report outlives the program: after
# the end a Wayland program (wl-paste) and an X program (xclip) both read
# exactly the report, whether the clipboard was empty before or held a
# Wayland program's or an X program's text. The keeper (xclip on XWayland)
# keeps it, and the program says it is copied.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"
# The program on XWayland, also where Qt's Wayland plugin is installed.
export QT_QPA_PLATFORM=xcb
start_weston --xwayland
clipboard_manager_running || fail "weston's X window manager does not own CLIPBOARD_MANAGER"

# wayland_clipboard_is TEXT: a Wayland program reads TEXT from the clipboard
# within a few seconds (weston passes the X clipboard on as it changes).
wayland_clipboard_is() {
  wayland_reads() { [[ "$(timeout 5 wl-paste --no-newline 2>/dev/null)" == "$1" ]]; }
  wait_for 6 wayland_reads "$1"
}

for earlier in nothing wayland x11; do
  case "$earlier" in
    wayland) printf 'earlier text' | wl-copy ;;
    x11) printf 'earlier text' | xclip -selection clipboard -in ;;
  esac
  if [[ "$earlier" != nothing ]]; then
    wayland_clipboard_is 'earlier text' || fail "the earlier text from $earlier is not on the clipboard"
  fi
  record_declined
  answer_message Return # copied: OK
  wait_program_end
  if grep -i clipboard "$E2E_TMP/program.log"; then fail "$earlier before: the program warned"; fi
  report_on_clipboard "$START" "$(date +%s)" \
    $'\u3000病院到着' $'\u3000ＣＰＲ終了' || fail "$earlier before: xclip after the end"
  timeout 10 wl-paste --no-newline --type 'text/plain;charset=utf-8' >"$E2E_TMP/wayland-report.txt" ||
    fail "$earlier before: a Wayland program reads nothing after the end"
  cmp -s "$E2E_TMP/report.txt" "$E2E_TMP/wayland-report.txt" ||
    fail "$earlier before: a Wayland program reads another text: $(head -c 200 "$E2E_TMP/wayland-report.txt")"
  mapfile -t keepers < <(clipboard_keepers)
  ((${#keepers[@]} == 1)) || fail "$earlier before: expected one keeper, found: ${keepers[*]}"
  pass "$earlier on the clipboard before: after the end wl-paste and xclip read exactly the report"
done
