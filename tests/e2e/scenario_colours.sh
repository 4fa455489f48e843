#!/usr/bin/env bash
# A resuscitation as a person records it: arrival, CPR start, epinephrine
# twice, PEA then ventricular fibrillation. After each step the screen shows
# the counters, the latest-rhythm mark and the reversible-causes panel in
# the colours that tell the team what is going on.
source "$(dirname "$0")/lib.sh"

NAVY_PANEL=000040
NAVY_BUTTON=000080
BROWN=804000
ORANGE=FF8000
OLIVE=808000
YELLOW=FFFF00
RED=FF0000

# Digit boxes (twips): the tens digit of each display (its minutes' tens).
# The CPR digits' boxes reach up into the top strip; only their part inside
# the CPR panel (SHAPE1_4, below its border) is searched, so the
# epinephrine digits above never count.
ARRIVAL_DIGIT=("${LABEL1_3[@]}")
EPINEPHRINE_DIGIT=("${LABEL1_11[@]}")
ATROPINE_DIGIT=("${LABEL9_11[@]}")
ANTIARRHYTHMIC_DIGIT=("${LABEL8_11[@]}")
cpr_top=$((SHAPE1_4[1] + TWIPS_PER_PIXEL))
CPR_DIGIT=("${LABEL6_3[0]}" "$cpr_top" "${LABEL6_3[2]}" $((LABEL6_3[1] + LABEL6_3[3] - cpr_top)))
CPR_TITLE=("${LABEL4_2[@]}")
EPINEPHRINE_TITLE=("${LABEL4_3[@]}")

# A spot inside rhythm button i, clear of its bevel and caption.
rhythm_spot() { echo "$((${RHYTHM_LEFT[$1]} + 90)) $((RHYTHM_TOP + 90))"; }
expect_rhythm() {
  local x y
  read -r x y < <(rhythm_spot "$1")
  expect_pixel "$2" "$x" "$y" "$3"
}

start_display
start_program

snapshot
expect_pixel "$NAVY_PANEL" $((SHAPE1_1[0] + 155)) $((SHAPE1_1[1] + SHAPE1_1[3] - 205)) "clock panel"
expect_pixel 000000 $((2 * TWIPS_PER_PIXEL)) $((2 * TWIPS_PER_PIXEL)) "window background"
expect_region "$BROWN" "${ARRIVAL_DIGIT[@]}" "idle arrival counter"
expect_no_region "$ORANGE" "${ARRIVAL_DIGIT[@]}" "idle arrival counter"
for digit in EPINEPHRINE_DIGIT ATROPINE_DIGIT ANTIARRHYTHMIC_DIGIT CPR_DIGIT; do
  declare -n box="$digit"
  expect_region "$OLIVE" "${box[@]}" "idle ${digit}"
  expect_no_region "$YELLOW" "${box[@]}" "idle ${digit}"
done
for i in 0 1 2 3 4 5; do expect_rhythm "$i" "$NAVY_BUTTON" "rhythm button $i at start"; done
expect_pixel 000000 "${CAUSES_PANEL_SPOT[@]}" "reversible-causes panel hidden at start"
expect_no_region "$YELLOW" "${CAUSES_LIST[@]}" "reversible causes hidden at start"
pass "start-up colours"

click_event 0 # 病院到着
snapshot
expect_region "$ORANGE" "${ARRIVAL_DIGIT[@]}" "arrival counter after 病院到着"
expect_no_region "$BROWN" "${ARRIVAL_DIGIT[@]}" "arrival digits after 病院到着"
expect_region "$OLIVE" "${CPR_DIGIT[@]}" "CPR counter still idle"
pass "arrival counter active"

click_event 1 # CPR開始
snapshot
expect_region "$YELLOW" "${CPR_DIGIT[@]}" "CPR counter after CPR開始"
expect_no_region "$OLIVE" "${CPR_DIGIT[@]}" "CPR counter after CPR開始"
expect_region FFFFFF "${CPR_TITLE[@]}" "CPR counter title"
pass "CPR counter active"

click_event 5 # エピネフリン
snapshot
snap_crop_twips "$E2E_TMP/title1.png" "${EPINEPHRINE_TITLE[@]}"
click_event 5 # the second dose, a quick second press of the same button
snapshot
title_changed() {
  snap_crop_twips "$E2E_TMP/title2.png" "${EPINEPHRINE_TITLE[@]}"
  [[ "$(compare -metric AE "$E2E_TMP/title1.png" "$E2E_TMP/title2.png" null: 2>&1 || true)" != 0 ]]
}
settled title_changed || fail "the second エピネフリン press did not change the counter's title"
expect_region "$YELLOW" "${EPINEPHRINE_DIGIT[@]}" "epinephrine counter after two doses"
expect_region FFFFFF "${EPINEPHRINE_TITLE[@]}" "epinephrine counter title"
expect_region "$OLIVE" "${ATROPINE_DIGIT[@]}" "atropine counter untouched"
expect_region "$OLIVE" "${ANTIARRHYTHMIC_DIGIT[@]}" "antiarrhythmic counter untouched"
pass "epinephrine counter active, others idle"

click_rhythm 3 # ＰＥＡ
snapshot
expect_rhythm 3 "$RED" "ＰＥＡ marked as the latest rhythm"
for i in 0 1 2 4 5; do expect_rhythm "$i" "$NAVY_BUTTON" "rhythm button $i after ＰＥＡ"; done
expect_pixel "$NAVY_PANEL" "${CAUSES_PANEL_SPOT[@]}" "reversible-causes panel after ＰＥＡ"
expect_region "$YELLOW" "${CAUSES_LIST[@]}" "reversible causes listed after ＰＥＡ"
pass "ＰＥＡ shows the reversible causes"

click_rhythm 0 # 心室細動
snapshot
expect_rhythm 0 "$RED" "心室細動 marked as the latest rhythm"
for i in 1 2 3 4 5; do expect_rhythm "$i" "$NAVY_BUTTON" "rhythm button $i after 心室細動"; done
expect_pixel 000000 "${CAUSES_PANEL_SPOT[@]}" "reversible-causes panel after 心室細動"
expect_no_region "$YELLOW" "${CAUSES_LIST[@]}" "reversible causes after 心室細動"
expect_region "$ORANGE" "${ARRIVAL_DIGIT[@]}" "arrival counter keeps counting"
expect_region "$YELLOW" "${CPR_DIGIT[@]}" "CPR counter keeps counting"
pass "心室細動 hides the reversible causes"

kill -0 "$PROGRAM_PID" || fail "the program ended during the scenario"
