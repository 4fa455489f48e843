#!/usr/bin/env bash
# The record saved under the proposed name through Qt's save dialog: the
# file holds the header and rows in code page 932 with CR LF, and the
# report stays on the clipboard after the program has ended. Saved into a
# folder browsed to in the dialog, named after the patient: once the
# program has ended nothing in the home holds the folder's name but the
# folder and the saved file, and Qt's settings are as the user had them.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/output_env.sh"
export E2E_WORKDIR="$E2E_TMP/work"
mkdir -p "$E2E_WORKDIR"
start_display
start_clipboard_manager
start_program

start=$(date +%s)
click_event 0
click_event 1
click_event 5
click_event 2
end_record
answer_message y          # save as a text file? Yes
answer_save_dialog Return # the proposed name
answer_message Return     # copied to the clipboard
wait_program_end
end=$(date +%s)
pass "saved and ended"
[[ ! -e "$XDG_CONFIG_HOME/QtProject.conf" ]] || fail "the save dialog left its settings in the home"

report_on_clipboard "$start" "$end" \
  $'\u3000病院到着' $'\u3000ＣＰＲ開始' $'\u3000エピネフリン1回目投与' $'\u3000電気的除細動1回目施行' \
  $'\u3000ＣＰＲ終了' || fail "clipboard report"
pass "the report is on the clipboard after the end"

files=("$E2E_WORKDIR"/*)
[[ ${#files[@]} -eq 1 ]] || fail "expected one file, found: ${files[*]}"
name="$(basename "${files[0]}")"
[[ "$name" =~ ^[0-9]{14}\.txt$ ]] || fail "file name $name"
named_at=$(date -d "${name:0:8} ${name:8:2}:${name:10:2}:${name:12:2}" +%s)
((named_at >= start && named_at <= end)) || fail "file name $name is not the time the dialog opened"
"$PY" "$E2E_DIR/report_check.py" file "${files[0]}" "$E2E_TMP/report.txt" "$start" "$end" || fail "file content"
pass "$name holds the record in code page 932"

# A name typed without ".txt" whose ".txt" file exists: Return at the
# question whether to replace it keeps the file, and the dialog comes back.
printf 'older record\r\n' >"$E2E_WORKDIR/old.txt"
start_program
end_record
answer_message y # save as a text file? Yes
answer_save_dialog ctrl+a
xdotool type --delay 20 old
xdotool key Return
answer_message Return     # old.txt exists. Replace it? Return: No
answer_save_dialog Escape # the dialog again: cancelled
answer_message Return     # copied to the clipboard
wait_program_end
[[ "$(cat "$E2E_WORKDIR/old.txt")" == $'older record\r' ]] || fail "old.txt was replaced"
[[ "$(ls "$E2E_WORKDIR" | wc -l)" -eq 2 ]] || fail "another file was saved: $(ls "$E2E_WORKDIR")"
pass "Return at the question whether to replace old.txt keeps it"

# Qt's file dialog settings of an earlier program; a folder named after the
# patient, browsed to in the dialog, and the record saved there. The names
# are typed, not pasted: the clipboard manager would keep them.
token="patient-$(date +%s%N)"
folder="$HOME/records/$token"
mkdir -p "$folder" "$XDG_CONFIG_HOME"
settings="$XDG_CONFIG_HOME/QtProject.conf"
printf '[FileDialog]\nhistory=file://%s\nlastVisited=file://%s\nviewMode=Detail\n' "$E2E_WORKDIR" "$E2E_WORKDIR" >"$settings"
cp "$settings" "$E2E_TMP/settings-before"
start_program
click_event 0
end_record
answer_message y # save as a text file? Yes
answer_save_dialog ctrl+a
xdotool type --delay 20 "$folder"
xdotool key Return # into the patient's folder
wait_handled "$(wait_window "$SAVE_DIALOG_TITLE" 5)"
xdotool key ctrl+a
xdotool type --delay 20 record
close_save_dialog Return
answer_message Return # copied to the clipboard
wait_program_end
[[ -f "$folder/record.txt" && "$(ls -A "$folder")" == record.txt ]] || fail "not saved as $folder/record.txt"
cmp -s "$settings" "$E2E_TMP/settings-before" || { cat "$settings" >&2; fail "Qt's settings were changed"; }
mapfile -t held < <(grep -rlsF -- "$token" "$HOME"; find "$HOME" -name "*$token*" ! -path "$folder")
((${#held[@]} == 0)) || fail "the patient's folder is named in ${held[*]}"
pass "saved in the patient's folder; nothing in the home names it but the folder itself"
