#!/bin/bash
# The spreadsheet export into Calc against Calc's own import of the same rows from a
# CSV file into a new, unsaved document (loadComponentFromURL with the CSV filter),
# both with Calc's start-up and a kept profile of their own, run interleaved three
# times (ROUNDS) by calc_export_bench. Prints every round (with the processor time of
# the host and of Calc), the best and the mean times with their ratios, and the host's
# growth during the export.
# Usage: [ROUNDS=n] vs_calc_import.sh [PUSHPINS] [build folder]
set -eu
n=${1:-100000}
build=${2:-"$(cd "$(dirname "$0")/../.." && pwd)/build"}
bench="$build/bin/calc_export_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# One benchmark run; prints its time, the host's and Calc's processor time (s) and the
# host's growth (MB, "-" for the peer).
run() {
    LOCASTRA_BENCH_PROFILE="$work/$1" "$bench" --benchmark_filter="$1/$2/" \
        --benchmark_format=csv 2>/dev/null | awk -F, '
        NR == 1 { for (i = 1; i <= NF; i++) column[$i] = i; next }
        /BM_/ { g = column["\"host_growth_MB\""]
                print $column["real_time"], $column["cpu_time"],
                      $column["\"calc_cpu_s\""], g ? $g : "-" }'
}

# Both profiles made before the rounds, each by one export, so that no round pays for a
# first start: LibreOffice runs its graphics self-tests at the first start of a profile
# (0.7 s), and the export records it as done, as a window of a user's Calc does.
run_in() {
    LOCASTRA_BENCH_PROFILE="$work/$1" "$bench" --benchmark_filter="$2/100000/" >/dev/null 2>&1
}
run_in BM_ExportToCalc BM_ExportToCalc
run_in BM_CalcCsvImport BM_ExportToCalc

ours=()
peer=()
growth=()
for round in $(seq "${ROUNDS:-3}"); do
    read -r t host calc g < <(run BM_ExportToCalc "$n")
    ours+=("$t")
    growth+=("$g")
    read -r pt _ pcalc _ < <(run BM_CalcCsvImport "$n")
    peer+=("$pt")
    echo "round $round: export to Calc $t s (host cpu $host s, Calc cpu $calc s," \
         "host +$g MB), Calc's CSV import $pt s (Calc cpu $pcalc s)"
done
best() { printf '%s\n' "$@" | sort -g | head -1; }
most() { printf '%s\n' "$@" | sort -g | tail -1; }
mean() { printf '%s\n' "$@" | awk '{ s += $1 } END { printf "%.3f", s / NR }'; }
b_ours=$(best "${ours[@]}")
b_peer=$(best "${peer[@]}")
m_ours=$(mean "${ours[@]}")
m_peer=$(mean "${peer[@]}")
echo "$n pushpins, best: export to Calc $b_ours s, Calc's CSV import $b_peer s," \
     "ratio $(echo "scale=2; $b_ours / $b_peer" | bc); mean: $m_ours s, $m_peer s," \
     "ratio $(echo "scale=2; $m_ours / $m_peer" | bc); host growth at most $(most "${growth[@]}") MB"
