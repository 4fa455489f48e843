#!/usr/bin/env bash
# The report outlives the program on a desktop without a clipboard manager:
# a keeper (xclip) serves it after the end, received through a pipe – no
# command line, environment or file holds a row – and ends as soon as
# another program takes the clipboard. Where no keeper can be started
# (xclip not in the program's PATH), the notice says that the report will
# be lost and the save question comes once more: Yes saves, No ends. A
# clipboard manager that confirms it has saved the report keeps it, and no
# keeper is started; one that confirms without keeping anything (as
# weston's X window manager does) leaves it to the keeper.
source "$(dirname "$0")/lib.sh"
use_private_session_bus "$@"
source "$(dirname "$0")/output_env.sh"
export E2E_WORKDIR="$E2E_TMP/work"
mkdir -p "$E2E_WORKDIR"
start_display
start_accessibility_bus # the notices read as a screen reader reads them
XCLIP="$(command -v xclip)"

# --- no clipboard manager: kept after the end -------------------------------
clipboard_manager_running && fail "a clipboard manager runs on the test's display"
start_program
START=$(date +%s)
click_event 0 # 病院到着, selected
# A row no file or process could hold by chance (not exported, never
# written by the test).
MARKER="-$(od -An -N8 -tx1 /dev/urandom | tr -d ' \n')"
correct_selected_row xdotool type --delay 20 -- "$MARKER"
end_with_copy_only n
pass "No, No, OK: the program ended"

nowhere_but_the_clipboard "$MARKER"
pass "no command line, environment or file under the home or /tmp holds a row"

report_on_clipboard "$START" "$(date +%s)" \
  $'\u3000病院到着'"$MARKER" $'\u3000ＣＰＲ終了' || fail "clipboard report after the end"
pass "after the end the clipboard holds exactly the report"

mapfile -t keepers < <(clipboard_keepers)
((${#keepers[@]} == 1)) || fail "expected one keeper, found: ${keepers[*]}"
[[ "$(readlink "/proc/${keepers[0]}/cwd")" == / ]] || fail "the keeper keeps a folder in use"
echo other | "$XCLIP" -selection clipboard -in
no_keeper() { [[ -z "$(clipboard_keepers)" ]]; }
wait_for 1 no_keeper || fail "the keeper still runs a second after another program took the clipboard"
[[ "$(timeout 10 "$XCLIP" -o -selection clipboard)" == other ]] || fail "the other program's text is not on the clipboard"
pass "the keeper ended when another program took the clipboard"

# --- no keeper: told so, and asked once more whether to save ----------------
mkdir -p "$E2E_TMP/no-xclip"
export PROGRAM_PATH="$E2E_TMP/no-xclip"
record_declined
# The report is on the clipboard while the program runs.
wait_window "$MESSAGE_TITLE" 15 >/dev/null || fail "no notice"
report_on_clipboard "$START" "$(date +%s)" \
  $'\u3000病院到着' $'\u3000ＣＰＲ終了' || fail "clipboard report before the end"
answer_message Return     # will be lost: OK
answer_message y          # save? (once more) Yes
answer_save_dialog Return # the proposed name
wait_program_end
[[ -z "$(clipboard_keepers)" ]] || fail "a keeper runs although xclip is not in the program's PATH"
files=("$E2E_WORKDIR"/*)
[[ ${#files[@]} -eq 1 && -f "${files[0]}" ]] || fail "expected one saved file, found: ${files[*]}"
"$PY" "$E2E_DIR/report_check.py" file "${files[0]}" "$E2E_TMP/report.txt" "$START" "$(date +%s)" ||
  fail "the file saved on the second chance"
rm -f "${files[@]}"
pass "no keeper: told the report will be lost, saved on the second chance"

record_declined
answer_message Return # will be lost: OK
answer_message n      # save? (once more) No
wait_program_end
[[ -z "$(ls -A "$E2E_WORKDIR")" ]] || fail "something was saved: $(ls -A "$E2E_WORKDIR")"
pass "no keeper: declined once more, the program ended"

# --- a keeper that takes the clipboard and stops answering: not copied ------
mkdir -p "$E2E_TMP/hung"
printf '#!/bin/sh\n/bin/cat >/dev/null\n%s %s --hung </dev/null >/dev/null 2>&1 &\necho $! >%s\n' \
  "$PY" "$E2E_DIR/clipboard_manager_standin.py" "$E2E_TMP/hung.pid" >"$E2E_TMP/hung/xclip"
chmod +x "$E2E_TMP/hung/xclip"
export PROGRAM_PATH="$E2E_TMP/hung"
record_declined
asked=$SECONDS
wait_window "$MESSAGE_TITLE" 15 >/dev/null || fail "no notice"
((SECONDS - asked <= 7)) || fail "the notice came $((SECONDS - asked)) s after the questions"
/usr/bin/python3 "$E2E_DIR/read_window.py" notice クリップボードにコピーできませんでした || fail "the notice"
kill "$(cat "$E2E_TMP/hung.pid")"
answer_message Return # not copied: OK
answer_message n      # save? (once more) No
wait_program_end
pass "a keeper that stopped answering: told the report was not copied, in $((SECONDS - asked)) s, asked once more"

# start_standin [--lying]: the stand-in clipboard manager, in STANDIN_PID.
start_standin() {
  "$PY" "$E2E_DIR/clipboard_manager_standin.py" "$@" 2>"$E2E_TMP/standin.log" &
  STANDIN_PID=$!
  E2E_PIDS+=("$STANDIN_PID")
  wait_for 5 clipboard_manager_running || fail "the stand-in clipboard manager did not start"
}

# --- a clipboard manager that confirms the hand-over: no keeper -------------
unset PROGRAM_PATH
start_standin
record_declined
answer_message Return # copied: OK
wait_program_end
report_on_clipboard "$START" "$(date +%s)" \
  $'\u3000病院到着' $'\u3000ＣＰＲ終了' || fail "clipboard report kept by the manager"
[[ -z "$(clipboard_keepers)" ]] || fail "a keeper was started although the manager saved the report"
[[ ! -s "$E2E_TMP/standin.log" ]] || fail "the stand-in manager: $(cat "$E2E_TMP/standin.log")"
pass "a clipboard manager that saved the report keeps it; no keeper"

# --- a manager that confirms without keeping anything: the keeper keeps it --
kill "$STANDIN_PID"
wait "$STANDIN_PID" 2>/dev/null || true
start_standin --lying
record_declined
answer_message Return # copied: OK
wait_program_end
report_on_clipboard "$START" "$(date +%s)" \
  $'\u3000病院到着' $'\u3000ＣＰＲ終了' || fail "clipboard report after a manager that kept nothing"
mapfile -t keepers < <(clipboard_keepers)
((${#keepers[@]} == 1)) || fail "expected one keeper after a manager that kept nothing, found: ${keepers[*]}"
pass "a clipboard manager that confirmed without keeping anything: the keeper keeps the report"
