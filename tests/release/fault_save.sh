#!/usr/bin/env bash
# Saving the record where it cannot be written – a read-only folder, a full
# disk, a file name too long for the file system – shows the failure, asks
# again (the record can then be saved elsewhere) and still copies the report
# to the clipboard; nothing half-written is left behind. A FIFO chosen as
# the file is refused the same way and stays a FIFO. A file name with
# characters outside code page 932 is saved under exactly that name.
#
# The folders are small tmpfs mounts in a private mount namespace, which
# needs root; the test is skipped otherwise.
if [[ -z "${VELTRASA_FAULT_NS:-}" ]]; then
  if [[ $(id -u) -ne 0 ]] || ! unshare --mount --propagation private true 2>/dev/null; then
    echo "skipped: mounting test file systems needs root"
    exit 77
  fi
  VELTRASA_FAULT_NS=1 exec unshare --mount --propagation private bash "$0" "$@"
fi
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../e2e/output_env.sh"
source "$(dirname "$0")/fault_env.sh"
trap 'umount -l "$E2E_TMP"/readonly "$E2E_TMP"/full 2>/dev/null; e2e_cleanup' EXIT
start_display

# Starts the program in folder $1 and makes a record of two rows, then ends
# it. The save dialog opens in that folder: no run remembers where an
# earlier one saved.
record_in() {
  export E2E_WORKDIR="$1"
  start_program
  START=$(date +%s)
  click_event 0
  click_event 1
  end_record
}
ROWS=($'\u3000病院到着' $'\u3000ＣＰＲ開始' $'\u3000ＣＰＲ終了')

# After a save that failed: the failure notice, then the exit sequence once
# more – saved as PATH if given, else No to both questions – and the copies
# of both sequences; the program ends normally.
after_failed_save() {
  answer_message Return # could not be saved
  if [[ -n "${1:-}" ]]; then
    answer_message y # save? (asked again) Yes
    type_save_name "$1"
    close_save_dialog Return
  else
    answer_message n # save? (asked again) No
    answer_message n # print? No
  fi
  answer_message Return             # copied (the repeated sequence)
  check_copy_and_close "${ROWS[@]}" # copied (the first sequence)
  ended_normally
}

# --- a read-only folder: saved elsewhere on the second try --------------------
RO="$E2E_TMP/readonly"
ELSEWHERE="$E2E_TMP/elsewhere"
mkdir -p "$RO" "$ELSEWHERE"
mount -t tmpfs -o ro,size=64k veltrasa-ro "$RO"
record_in "$RO"
answer_message y         # save? Yes
close_save_dialog Return # the proposed name, in the read-only folder
after_failed_save "$ELSEWHERE/record"
[[ -z "$(ls -A "$RO")" ]] || fail "something was written to the read-only folder"
"$PY" "$E2E_DIR/report_check.py" file "$ELSEWHERE/record.txt" "$E2E_TMP/report.txt" "$START" "$(date +%s)" ||
  fail "the record saved on the second try"
pass "read-only folder: failure shown, saved elsewhere, copied"

# --- a full disk ----------------------------------------------------------------
FULL="$E2E_TMP/full"
mkdir -p "$FULL"
mount -t tmpfs -o size=64k veltrasa-full "$FULL"
dd if=/dev/zero of="$FULL/filler" bs=4k 2>/dev/null || true
record_in "$FULL"
answer_message y         # save? Yes
close_save_dialog Return # the proposed name, on the full disk
after_failed_save
[[ "$(ls -A "$FULL")" == filler ]] || fail "a partial file was left on the full disk: $(ls -A "$FULL")"
pass "full disk: failure shown, nothing half-written, copied"

# --- file names at the file system's limit of 255 bytes ----------------------
# Qt's dialog refuses a name longer than the limit; a name it accepts can
# still become one byte too long when ".txt" is added.
a_times() { printf 'a%.0s' $(seq 1 "$1"); }
WORK="$E2E_TMP/work"
mkdir -p "$WORK"
record_in "$WORK"
answer_message y # save? Yes
type_save_name "$(a_times 300)"
dialog="$(wait_window "$SAVE_DIALOG_TITLE" 5)"
xdotool key --clearmodifiers Return
# Once the program has dealt with the Return the dialog is still there.
wait_handled "$dialog"
xdotool search --onlyvisible --name "$SAVE_DIALOG_TITLE" >/dev/null || fail "the dialog took a 300-byte name"
close_save_dialog Escape          # cancel
check_copy_and_close "${ROWS[@]}" # copied
ended_normally
[[ -z "$(ls -A "$WORK")" ]] || fail "a file was left behind: $(ls -A "$WORK")"
pass "300-byte file name: refused by the dialog, cancelled, copied"

record_in "$WORK"
answer_message y # save? Yes
type_save_name "$(a_times 252)"
close_save_dialog Return # 256 bytes with .txt
after_failed_save "$(a_times 251)"
[[ "$(ls -A "$WORK")" == "$(a_times 251).txt" ]] || fail "expected only the 255-byte name: $(ls -A "$WORK")"
"$PY" "$E2E_DIR/report_check.py" file "$WORK/$(a_times 251).txt" "$E2E_TMP/report.txt" "$START" "$(date +%s)" ||
  fail "the record saved under a 255-byte name"
rm -f "$WORK"/*
pass "252 bytes +.txt: failure shown, saved on the second try under 255 bytes"

# --- a file name outside code page 932 ----------------------------------------
NAME=$'記録_\u00e9\u00df_\ud55c_\u20ac'
record_in "$WORK"
answer_message y # save? Yes
type_save_name "$NAME"
close_save_dialog Return
check_copy_and_close "${ROWS[@]}" # copied
ended_normally
[[ -f "$WORK/$NAME.txt" ]] || fail "not saved under the name typed; folder holds: $(ls -A "$WORK")"
"$PY" "$E2E_DIR/report_check.py" file "$WORK/$NAME.txt" "$E2E_TMP/report.txt" "$START" "$(date +%s)" ||
  fail "the record saved under a name outside code page 932"
pass "file name outside code page 932: saved under that name"

# --- a FIFO chosen as the file: refused, not replaced ---------------------------
rm -f "$WORK"/*
mkfifo "$WORK/pipe.txt"
record_in "$WORK"
answer_message y # save? Yes
type_save_name pipe.txt
dialog="$(wait_window "$SAVE_DIALOG_TITLE" 5)"
xdotool key --clearmodifiers Return
# Qt's own question whether to replace pipe.txt, over the dialog: Yes.
question_over_dialog() {
  question="$(xdotool search --onlyvisible --name "$SAVE_DIALOG_TITLE" 2>/dev/null | grep -vx "$dialog" | head -n1 || true)"
  [[ -n "$question" ]]
}
wait_for 5 question_over_dialog || fail "no question whether to replace pipe.txt"
focus_window "$question"
xdotool key --clearmodifiers y
after_failed_save
[[ -p "$WORK/pipe.txt" && "$(ls -A "$WORK")" == pipe.txt ]] || fail "the FIFO was replaced: $(ls -lA "$WORK")"
pass "FIFO chosen as the file: refused, failure shown, still a FIFO, copied"
