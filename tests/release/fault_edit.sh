#!/usr/bin/env bash
# Rows corrected to extremes keep the program working and reach the outputs
# whole: one row is made 100,000 characters long (pasted into the edit
# window), into another are pasted control characters (tab, SOH, ESC, DEL,
# NUL, NEL, APC and a CR LF), each of which becomes one space. The program
# records on; the report on the clipboard and the Shift-JIS file hold both
# rows exactly, with no NUL to cut them short for a reader of C strings.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../e2e/output_env.sh"
source "$(dirname "$0")/fault_env.sh"
export E2E_WORKDIR="$E2E_TMP/work"
mkdir -p "$E2E_WORKDIR"
start_display

# The clipboard pasted at the end of the selected row.
append_clipboard_to_selected_row() {
  correct_selected_row xdotool key --clearmodifiers ctrl+v
}

"$PY" - "$E2E_TMP/long.txt" "$E2E_TMP/control.txt" <<'PYEOF'
import sys
# Full-width kanji, half-width katakana and ASCII: two, one and one byte
# each in code page 932.
unit = "心肺蘇生ｱｲｳ abc "
long_text = (unit * (100000 // len(unit) + 1))[:100000]
open(sys.argv[1], "w", encoding="utf-8").write(long_text)
open(sys.argv[2], "w", encoding="utf-8", newline="").write(" a\tb\x01c\x1bd\x7fe\x00f\x85g\x9fh\r\ni")
PYEOF

start_program
START=$(date +%s)
click_event 0 # row 0 病院到着, selected
clipboard_from "$E2E_TMP/long.txt"
append_clipboard_to_selected_row
click_event 1 # row 1 ＣＰＲ開始, selected
clipboard_from "$E2E_TMP/control.txt"
append_clipboard_to_selected_row
click_event 2 # row 2: the program records on
kill -0 "$PROGRAM_PID" || fail "the program died while editing"
pass "rows corrected to 100,000 characters and to control characters"

end_record
answer_message y         # save? Yes
close_save_dialog Return # the proposed name
wait_window "$MESSAGE_TITLE" 15 >/dev/null || fail "no copied notice"
timeout 10 xclip -o -selection clipboard >"$E2E_TMP/report.txt" || fail "nothing on the clipboard"
"$PY" - "$E2E_DIR" "$E2E_TMP" "$START" "$(date +%s)" <<'PYEOF' || fail "clipboard report"
import sys
sys.path.insert(0, sys.argv[1])
import report_check
tmp = sys.argv[2]
long_text = open(tmp + "/long.txt", encoding="utf-8").read()
report_check.check_clipboard(tmp + "/report.txt", float(sys.argv[3]), float(sys.argv[4]), [
    "\u3000病院到着" + long_text, "\u3000ＣＰＲ開始 a b c d e f g h i", "\u3000電気的除細動1回目施行", "\u3000ＣＰＲ終了"])
PYEOF
answer_message Return
ended_normally
pass "the clipboard report holds both rows exactly, control characters as spaces"

files=("$E2E_WORKDIR"/*)
[[ ${#files[@]} -eq 1 && -f "${files[0]}" ]] || fail "expected one saved file, found: ${files[*]}"
"$PY" "$E2E_DIR/report_check.py" file "${files[0]}" "$E2E_TMP/report.txt" "$START" "$(date +%s)" ||
  fail "the saved file"
pass "the Shift-JIS file holds both rows exactly ($(stat -c %s "${files[0]}") bytes)"
