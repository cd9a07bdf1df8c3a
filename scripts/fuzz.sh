#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang (AddressSanitizer and UBSan on)
# in build-fuzz and runs each for SECONDS seconds, two at a time.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     e.g. scripts/fuzz.sh 600 fuzz_import_csv
#
# Each target starts from the seeds in fuzz/corpus/<name>/ (name = target without
# "fuzz_") plus what earlier runs added to build-fuzz/corpus/<name>/; fuzz_help_file
# also from the help file the build compiles (build-fuzz/lib/locastra.chm). Findings (crash-*,
# leak-*, timeout-*, oom-*) are written to build-fuzz/findings/<target>/; rerun one with
# build-fuzz/bin/<target> FILE. Exits non-zero when any target found something.
set -euo pipefail

seconds="${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}"
shift
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$top/build-fuzz"
all_targets=(fuzz_import_csv fuzz_import_geojson fuzz_import_gpx fuzz_import_kml
             fuzz_open_document fuzz_help_file)
[[ $# -gt 0 ]] && targets=("$@") || targets=("${all_targets[@]}")
parallel="${FUZZ_PARALLEL:-2}"

# clang and its sanitizer and libFuzzer runtimes
if ! command -v clang++ >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
    apt-get install -y --no-install-recommends clang libclang-rt-14-dev
fi

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOCASTRA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$parallel" --target "${targets[@]}"

mkdir -p "$build/logs"
run_target() {
    local target="$1" name="${1#fuzz_}"
    mkdir -p "$build/corpus/$name" "$build/findings/$target"
    if [[ "$target" == fuzz_help_file ]]; then
        cp "$build/lib/locastra.chm" "$build/corpus/$name/locastra.chm"
    fi
    # The first folder receives new inputs; the seed folder is only read.
    local seeds=()
    [[ -d "$top/fuzz/corpus/$name" ]] && seeds=("$top/fuzz/corpus/$name")
    "$build/bin/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target/" \
        "$build/corpus/$name" "${seeds[@]}" >"$build/logs/$target.log" 2>&1 || true
}

running=0
for target in "${targets[@]}"; do
    if ((running >= parallel)); then
        wait -n
        running=$((running - 1))
    fi
    run_target "$target" &
    running=$((running + 1))
done
wait

status=0
printf '%-22s %14s %10s %s\n' target executions exec/s findings
for target in "${targets[@]}"; do
    log="$build/logs/$target.log"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
    found="$(find "$build/findings/$target" -type f | wc -l)"
    printf '%-22s %14s %10s %s\n' "$target" "${runs:-?}" "${rate:-?}" "$found"
    ((found == 0)) && [[ -n "$runs" ]] || status=1
done
exit "$status"
