#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) in
# build/fuzz and runs each for the given number of seconds (default 60).
# Prints the executions and findings of every target; exits non-zero when any
# target found a crash, a leak, a time-out or an out-of-memory input. The
# inputs that did are kept in build/fuzz/findings/.
#   scripts/fuzz.sh [seconds] [target...]
# FUZZ_SEED fixes libFuzzer's random seed (0, the default, picks a new one),
# so that a CI run mutates the same way each time.
set -eu
cd "$(dirname "$0")/.."

seconds="${1:-60}"
[ $# -gt 0 ] && shift
targets="${*:-config_open_fuzz json_import_fuzz modbus_answer_fuzz panel_request_fuzz}"

./scripts/setup.sh fuzz

dir=build/fuzz
CXX=clang++ cmake -S fuzz -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
# shellcheck disable=SC2086
cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)" --target make_seeds $targets

seeds="$dir/seeds"
rm -rf "$seeds"
"$dir/make_seeds" "$seeds" 2>/dev/null
mkdir -p "$dir/findings" "$dir/tmp"

status=0
summary=""
for t in $targets; do
    corpus="$dir/corpus/$t"
    mkdir -p "$corpus"
    log="$dir/$t.log"
    before="$(ls "$dir/findings" | grep -c "^$t-" || true)"
    rc=0
    # -timeout catches a hang on one input; the corpus grows across runs.
    TMPDIR="$(pwd)/$dir/tmp" "$dir/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -print_final_stats=1 -seed="${FUZZ_SEED:-0}" -artifact_prefix="$dir/findings/$t-" "$corpus" "$seeds/$t" >"$log" 2>&1 || rc=$?
    execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    after="$(ls "$dir/findings" | grep -c "^$t-" || true)"
    findings=$((after - before))
    if [ "$rc" -ne 0 ] && [ "$findings" -eq 0 ]; then
        findings=1 # failed without leaving an input: see the log
    fi
    [ "$findings" -ne 0 ] && status=1
    summary="$summary$(printf '%-22s executions %-10s findings %s (exit %s, log %s)' "$t" "${execs:-?}" "$findings" "$rc" "$log")
"
done

rm -rf "$dir/tmp"
printf '%s' "$summary"
exit "$status"
