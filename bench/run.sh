#!/usr/bin/env bash
# Measures the program's speed, memory and time keeping and prints one table,
# each figure beside its budget with PASS or FAIL; exits 1 if any fails.
# Timings are ratios against bench/baseline, a minimal Qt Widgets program
# measured in the same run, because the machine is shared and noisy.
#
#   bench/run.sh                  the full run (about 2 minutes)
#   bench/run.sh --quick          shorter runs (under 1 minute)
#   bench/run.sh --ci             the quick runs for ctest: fails only if a
#                                 figure cannot be measured, so the benchmarks
#                                 do not rot; verdicts are printed, not enforced,
#                                 as a shared CI machine makes timings flaky
#   bench/run.sh --timekeeping [SECONDS]
#                                 only the time keeping: the real program for
#                                 SECONDS (600) with the other core kept busy
#
# Exit status: 0 every budget passes, 1 a budget fails, 2 a figure could not
# be measured. The executables come from build/ or from $VELTRASA_BIN,
# $VELTRASA_BASELINE_BIN, $VELTRASA_BENCH_PRESS_BIN and
# $VELTRASA_BENCH_OUTPUT_BIN. The private display's screen is 1600x1200
# without a window manager; VELTRASA_BENCH_SCREEN=WIDTHxHEIGHT gives another
# size (a laptop's, on which the window is scaled down) and
# VELTRASA_BENCH_WM=1 runs openbox on it.
set -euo pipefail
trap 'exit 2' ERR

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${VELTRASA_BUILD_DIR:-$HERE/../build}"
export VELTRASA_BIN="${VELTRASA_BIN:-$BUILD/src/veltrasa}"
export VELTRASA_LAYOUT="${VELTRASA_LAYOUT:-$BUILD/tests/e2e/layout.sh}"
BASELINE_BIN="${VELTRASA_BASELINE_BIN:-$BUILD/bench/veltrasa_baseline}"
PRESS_BIN="${VELTRASA_BENCH_PRESS_BIN:-$BUILD/bench/bench_press}"
OUTPUT_BIN="${VELTRASA_BENCH_OUTPUT_BIN:-$BUILD/bench/bench_output}"
export LC_ALL=C.UTF-8

MODE=full
TIMEKEEPING_SECONDS=600
ENFORCE=1
case "${1:-}" in
--quick) MODE=quick ;;
--ci)
    MODE=quick
    ENFORCE=0
    ;;
--timekeeping)
    MODE=timekeeping
    TIMEKEEPING_SECONDS="${2:-600}"
    ;;
"") ;;
*)
    sed -n '2,21p' "$0" >&2
    exit 2
    ;;
esac

for bin in "$VELTRASA_BIN" "$BASELINE_BIN" "$PRESS_BIN" "$OUTPUT_BIN"; do
    [[ -x "$bin" ]] || {
        echo "missing $bin: build first (cmake --build build)" >&2
        exit 2
    }
done

# The private display, the program's start and the clicks.
source "$HERE/../tests/e2e/lib.sh"
bench_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    e2e_cleanup
}
trap bench_cleanup EXIT
fail() {
    echo "could not measure: $*" >&2
    exit 2
}

# ---------------------------------------------------------------- helpers

ROWS=()
FAILED=0

# row FIGURE MEASURED BASELINE BUDGET OK: OK is 1 (PASS), empty (FAIL) or
# - (a figure without a budget of its own).
row() {
    local result=PASS
    if [[ "$5" == - ]]; then
        result=""
    elif [[ "$5" != 1 ]]; then
        result=FAIL
        FAILED=1
    fi
    ROWS+=("$1|$2|$3|$4|$result")
}

print_table() {
    local line format='%-42s %12s %12s %-36s %s\n'
    printf "\n$format" figure measured baseline budget result
    printf '%s\n' "$(printf '%.0s-' {1..112})"
    for line in "${ROWS[@]}"; do
        IFS='|' read -r a b c d e <<<"$line"
        printf "$format" "$a" "$b" "$c" "$d" "$e"
    done
    printf '\n%s, %s, %s cores, load %s\n' "$(date -u '+%Y-%m-%d %H:%M UTC')" "$MODE" "$(nproc)" \
        "$(cut -d' ' -f1-3 /proc/loadavg)"
}

# Arithmetic on decimals.
calc() { awk "BEGIN { printf \"%.${2:-2}f\", $1 }"; }
holds() { awk "BEGIN { exit !($1) }"; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }

# CPU time of all of a process's threads so far, in nanoseconds.
cpu_ns() {
    local total=0 run rest f
    for f in /proc/"$1"/task/*/schedstat; do
        read -r run rest <"$f" 2>/dev/null || continue
        total=$((total + run))
    done
    echo "$total"
}

peak_rss_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

# launch BIN [VAR=VALUE...]: starts BIN with the first-expose report and
# waits for the report. Sets LAUNCHED_PID and LAUNCH_US (microseconds from
# start to painted window).
launch() {
    local bin="$1" attempt t0 fd line
    shift
    for attempt in 1 2 3; do
        t0="$(now_us)"
        exec {fd}< <(exec env "$@" VELTRASA_REPORT_EXPOSED=1 "$bin" 2>>"$E2E_TMP/launch.log")
        LAUNCHED_PID=$!
        E2E_PIDS+=("$LAUNCHED_PID")
        if read -r -t 20 -u "$fd" line && [[ "$line" == exposed\ * ]]; then
            exec {fd}<&-
            LAUNCH_US=$((${line#exposed } - t0))
            return 0
        fi
        exec {fd}<&-
        kill "$LAUNCHED_PID" 2>/dev/null || true
        echo "$bin did not report its window (attempt $attempt):" >&2
        tail -n 5 "$E2E_TMP/launch.log" >&2 || true
    done
    fail "$bin never showed its window"
}

# Ends a measured program at once: a polite signal would run its shut-down
# and leave it waiting on the save question.
stop() {
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# ------------------------------------------------------ 1, 2: start-up, memory

# start_ups RUNS: starts the program and the baseline RUNS times each,
# interleaved, and sets STARTUP_P, STARTUP_B (median microseconds to the
# painted window), RSS_P and RSS_B (median peak resident kB).
start_ups() {
    local runs=$1 i startup_p=() startup_b=() rss_p=() rss_b=()
    # One unmeasured start of each fills the font and file caches.
    launch "$VELTRASA_BIN" && stop "$LAUNCHED_PID"
    launch "$BASELINE_BIN" && stop "$LAUNCHED_PID"
    for ((i = 0; i < runs; i++)); do
        launch "$VELTRASA_BIN"
        startup_p+=("$LAUNCH_US")
        sleep 0.5
        rss_p+=("$(peak_rss_kb "$LAUNCHED_PID")")
        stop "$LAUNCHED_PID"
        launch "$BASELINE_BIN"
        startup_b+=("$LAUNCH_US")
        sleep 0.5
        rss_b+=("$(peak_rss_kb "$LAUNCHED_PID")")
        stop "$LAUNCHED_PID"
    done
    STARTUP_P="$(median "${startup_p[@]}")"
    STARTUP_B="$(median "${startup_b[@]}")"
    RSS_P="$(median "${rss_p[@]}")"
    RSS_B="$(median "${rss_b[@]}")"
}

measure_startup() {
    start_ups "$1"
    local sp=$STARTUP_P sb=$STARTUP_B rp=$RSS_P rb=$RSS_B
    row "start-up to first paint (median of $1)" "$(calc "$sp/1000" 0) ms" "$(calc "$sb/1000" 0) ms" \
        "<= 1.5 x baseline ($(calc "$sp/$sb") x)" "$(holds "$sp <= 1.5 * $sb" && echo 1)"
    row "peak resident memory after start-up" "$(calc "$rp/1024" 1) MiB" "$(calc "$rb/1024" 1) MiB" \
        "<= 1.5 x baseline ($(calc "$rp/$rb") x)" "$(holds "$rp <= 1.5 * $rb" && echo 1)"
}

# Start-up under a window manager that never sends the frame it draws:
# weston's X window manager, on XWayland in a weston session of 1366x768.
# Nothing waits for an answer that does not come, so the program costs about
# what a bare Qt window costs under the same manager.
measure_startup_weston() {
    local display=$DISPLAY
    start_weston --xwayland 1366x768
    start_ups "$1"
    local sp=$STARTUP_P sb=$STARTUP_B
    row "start-up under weston's X WM (median of $1)" "$(calc "$sp/1000" 0) ms" "$(calc "$sb/1000" 0) ms" \
        "<= 1.2 x baseline ($(calc "$sp/$sb") x)" "$(holds "$sp <= 1.2 * $sb" && echo 1)"
    kill "$WESTON_PID"
    wait "$WESTON_PID" || true
    export DISPLAY=$display
    unset WAYLAND_DISPLAY
}

# ------------------------------------------------------------- 3: idle cost

measure_idle() {
    local seconds=$1
    start_program
    local program=$PROGRAM_PID
    # The clock runs from start-up; start all five counters.
    local button
    for button in 0 1 5 6 7; do click_event "$button"; done
    xdotool mousemove 0 0
    # Measured side by side, so the machine's noise falls on both.
    launch "$BASELINE_BIN"
    local baseline=$LAUNCHED_PID
    sleep 2
    local p0 b0 p1 b1 t0 t1
    p0="$(cpu_ns "$program")"
    b0="$(cpu_ns "$baseline")"
    t0="$(now_us)"
    sleep "$seconds"
    p1="$(cpu_ns "$program")"
    b1="$(cpu_ns "$baseline")"
    t1="$(now_us)"
    kill -0 "$program" || fail "the program died while idle"
    stop "$baseline"
    stop "$program"
    local p=$((p1 - p0)) b=$((b1 - b0)) wall=$((t1 - t0))
    # Share of one core, in per cent.
    local pp bp
    pp="$(calc "$p / ($wall * 1000) * 100" 3)"
    bp="$(calc "$b / ($wall * 1000) * 100" 3)"
    row "idle CPU, clock + 5 counters, ${seconds} s" "$pp %" "$bp %" \
        "<= 1.5 x baseline ($(calc "$p/$b") x)" "$(holds "$p <= 1.5 * $b" && echo 1)"
    row "  as a share of one core" "$pp %" "" "< 0.5 %" "$(holds "$pp < 0.5" && echo 1)"
}

# ------------------------------------------------------------- 4: a press

# bench_median JSON NAME [FIELD]: the median CPU time (or FIELD, e.g.
# real_time) of benchmark NAME, in its unit.
bench_median() {
    awk -v want="\"$2_median\"," -v field="\"${3:-cpu_time}\":" '
        $1 == "\"name\":" { name = $2 }
        $1 == field && name == want { sub(",", "", $2); print $2 + 0; exit }' "$1"
}

# run_benchmarks BIN REPETITIONS MIN_TIME JSON
run_benchmarks() {
    "$1" --benchmark_repetitions="$2" --benchmark_min_time="$3" \
        --benchmark_report_aggregates_only=true --benchmark_format=json >"$4" 2>"$4.log" ||
        {
            cat "$4.log" >&2
            fail "$(basename "$1") failed"
        }
}

measure_press() {
    local json="$E2E_TMP/press.json"
    run_benchmarks "$PRESS_BIN" "$1" "$2" "$json"
    local p10 p1k p10k pp10k c10 c10k
    p10="$(bench_median "$json" Press/10)"
    p1k="$(bench_median "$json" Press/1000)"
    p10k="$(bench_median "$json" Press/10000)"
    pp10k="$(bench_median "$json" PressAndPaint/10000)"
    c10="$(bench_median "$json" ClickToPixels/10/real_time real_time)"
    c10k="$(bench_median "$json" ClickToPixels/10000/real_time real_time)"
    row "press, 10 rows" "$(calc "$p10" 0) us" "" "" -
    row "press, 1,000 rows" "$(calc "$p1k" 0) us" "" "" -
    row "press, 10,000 rows" "$(calc "$p10k" 0) us" "" "< 1000 us" "$(holds "$p10k < 1000" && echo 1)"
    row "press and repaint, 10,000 rows (CPU)" "$(calc "$pp10k/1000" 1) ms" "" "" -
    row "click to pixels, 10 rows" "$(calc "$c10/1000" 1) ms" "" "" -
    row "click to pixels, 10,000 rows" "$(calc "$c10k/1000" 1) ms" "" "< 16 ms (one frame)" \
        "$(holds "$c10k < 16000" && echo 1)"
}

# ------------------------------------------------------------- 5: output

measure_output() {
    local json="$E2E_TMP/output.json"
    run_benchmarks "$OUTPUT_BIN" "$1" "$2" "$json"
    local report file read print window sheet
    report="$(bench_median "$json" ClipboardReport/10000)"
    file="$(bench_median "$json" TextFileBytes/10000)"
    read="$(bench_median "$json" ReadRows/10000)"
    print="$(bench_median "$json" PrintoutToPdf/1000)"
    window="$(bench_median "$json" SummaryShown/10000)"
    sheet="$(bench_median "$json" SummarySheetToPdf/10000)"
    # Both read the rows from the record list first.
    row "clipboard report, 10,000 rows" "$(calc "$read + $report" 1) ms" "" \
        "< 50 ms (read $(calc "$read" 1) + text $(calc "$report" 1))" "$(holds "$read + $report < 50" && echo 1)"
    row "CP932 file bytes, 10,000 rows" "$(calc "$read + $file" 1) ms" "" \
        "< 50 ms (read $(calc "$read" 1) + bytes $(calc "$file" 1))" "$(holds "$read + $file < 50" && echo 1)"
    row "printout of 1,000 rows into a PDF" "$(calc "$print" 0) ms" "" "< 2000 ms" "$(holds "$print < 2000" && echo 1)"
    row "summary of 10,000 rows, window shown" "$(calc "$window" 1) ms" "" "< 50 ms" "$(holds "$window < 50" && echo 1)"
    row "summary of 10,000 rows, sheet printed" "$(calc "$sheet" 0) ms" "" "< 200 ms" "$(holds "$sheet < 200" && echo 1)"
}

# ---------------------------------------------------------- 6: time keeping

# Each running counter's value against the wall time since its button was
# pressed. Counters tick at their own phase, so the lateness of a counter is
# the smallest (wall time - value) over dumps spread across more than one
# second: right after a tick it is the accumulated error alone.
measure_timekeeping() {
    local seconds=$1
    export VELTRASA_DUMP_COUNTERS=1
    start_program
    local program=$PROGRAM_PID
    # The other core is kept busy for the whole run.
    (while :; do :; done) &
    E2E_PIDS+=($!)

    local buttons=(0 1 5 6 7) starts=() i x y a b
    for i in "${buttons[@]}"; do
        read -r x y < <(twips_to_screen "${EVENT_LEFT[$i]}" "${EVENT_TOP[$i]}" "$EVENT_WIDTH" "$EVENT_HEIGHT")
        xdotool mousemove --sync "$x" "$y"
        a="$(now_us)"
        xdotool click 1
        b="$(now_us)"
        starts+=($(((a + b) / 2)))
        sleep 0.3
    done
    xdotool mousemove 0 0

    local early late
    early="$(lateness "$program" "${starts[@]}")"
    echo "counters after a few seconds: lateness (s) $early" >&2
    sleep "$((seconds > 10 ? seconds - 10 : 1))"
    late="$(lateness "$program" "${starts[@]}")"
    stop "$program"
    local names=(arrival CPR epinephrine atropine antiarrhythmic) k
    for k in 0 1 2 3 4; do
        set -- $late
        shift "$k"
        local v=$1
        row "time keeping, ${names[$k]} counter" "$v s" "" "abs(lateness) <= 1 s after ${seconds} s" \
            "$(holds "$v <= 1 && $v >= -1" && echo 1)"
    done
}

# lateness PID START_US...: for each counter, min over 12 dumps 0.1 s apart
# of (wall seconds since start - counted seconds).
lateness() {
    local pid=$1
    shift
    local log="$E2E_TMP/program.log" before i t line times=() lines=()
    for ((i = 0; i < 12; i++)); do
        before="$(grep -c '^counters ' "$log" || true)"
        t="$(now_us)"
        kill -USR1 "$pid"
        local _
        for _ in $(seq 1 50); do
            (($(grep -c '^counters ' "$log" || true) > before)) && break
            sleep 0.02
        done
        line="$(grep '^counters ' "$log" | tail -n 1)"
        times+=("$t")
        lines+=("$line")
        sleep 0.1
    done
    local k start result=()
    local keys=(arrival cpr epinephrine atropine antiarrhythmic)
    for k in 0 1 2 3 4; do
        start="${*:$((k + 1)):1}"
        local best=""
        for ((i = 0; i < ${#times[@]}; i++)); do
            local value
            value="$(sed -n "s/.* ${keys[$k]}=\([0-9]*\).*/\1/p" <<<"${lines[$i]}")"
            local off
            off="$(calc "(${times[$i]} - $start) / 1000000 - $value" 3)"
            if [[ -z "$best" ]] || holds "$off < $best"; then best=$off; fi
        done
        result+=("$best")
    done
    echo "${result[*]}"
}

# ------------------------------------------------------------------- main

start_display ${VELTRASA_BENCH_SCREEN:+"$VELTRASA_BENCH_SCREEN"}
if [[ -n "${VELTRASA_BENCH_WM:-}" ]]; then start_window_manager; fi
case "$MODE" in
full)
    measure_startup 9
    measure_startup_weston 9
    measure_idle 60
    measure_press 5 0.3
    measure_output 5 0.3
    ;;
quick)
    measure_startup 5
    measure_startup_weston 3
    measure_idle 10
    measure_press 3 0.05
    measure_output 3 0.05
    ;;
timekeeping)
    measure_timekeeping "$TIMEKEEPING_SECONDS"
    ;;
esac
print_table
((ENFORCE)) || exit 0
exit "$FAILED"
