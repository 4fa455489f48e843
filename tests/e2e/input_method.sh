#!/usr/bin/env bash
# Japanese typed into a correction through a real input method with Mozc,
# the two the package recommends: ibus (GNOME's choice on Debian, reached
# through the ibus module built into Qt) or fcitx5 (through its Qt 6
# frontend).   input_method.sh ibus|fcitx5
# At the end of a row, "kakunin", space (convert) and Return (commit) in the
# edit box make the row end in 確認, the Return does not press 変更, and the
# clipboard report holds the corrected row. Mozc will not run as root, so
# the input method and the program run as an ordinary user (user_world).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"

IM="${1:-ibus}"
start_display
user_world
"start_${IM}_mozc"
# shellcheck disable=SC2034 # read by start_program
PROGRAM_RUNNER=("${AS_USER[@]}" "QT_IM_MODULE=${IM/fcitx5/fcitx}")
start_program
start=$(date +%s)

click_event 0 # row 0 病院到着
click_event 1 # row 1 ＣＰＲ開始, selected
# Mozc's server starts at the first key, which may pass through untouched
# while it does (the row then ends in "k悪人"): one key typed and taken back
# first, once the server runs. Each key then waits for the one before: the
# input method hands them to Mozc one by one over its own bus and answers
# the program later, telling nothing a test could wait on (the preedit is
# not in the edit box's text), so each gets a pause to be answered in.
mozc_server_runs() {
  local f
  for f in /proc/[0-9]*/environ; do
    if [[ "$(cat "${f%/environ}/comm" 2>/dev/null)" == mozc_server ]] &&
      tr '\0' '\n' 2>/dev/null <"$f" | grep -qxF "VELTRASA_E2E_WORLD=$E2E_TMP"; then return 0; fi
  done
  return 1
}
answered() { sleep 0.5; }
type_kakunin() {
  wait_input_method_on 10
  xdotool type a
  wait_for 10 mozc_server_runs || fail "Mozc's server did not start at the first key"
  answered
  xdotool key BackSpace
  answered
  xdotool type --delay 150 kakunin
  answered
  xdotool key space
  answered
  xdotool key Return
  answered
  # Once the program has dealt with the commit, the edit window is still
  # open.
  wait_handled
  xdotool search --onlyvisible --name "$EDIT_TITLE" >/dev/null || fail "Return that commits the word pressed 変更"
}
correct_selected_row type_kakunin
kill -0 "$PROGRAM_PID" || fail "the program died while Japanese was typed"

end_with_copy_only
end=$(date +%s)

report_on_clipboard "$start" "$end" $'\u3000病院到着' $'\u3000ＣＰＲ開始確認' $'\u3000ＣＰＲ終了' ||
  { cat "$E2E_TMP/report.txt" "$E2E_TMP/$IM.log" >&2; fail "the clipboard report"; }
pass "kakunin, space, Return through $IM and Mozc made the row end in 確認"
