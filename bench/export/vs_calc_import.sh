#!/bin/bash
# The spreadsheet export into Calc against LibreOffice's own import of the same rows
# as a CSV file (soffice --headless --convert-to ods), interleaved three times; prints
# the best times and the ratio. Usage: vs_calc_import.sh [PUSHPINS] [build folder]
set -eu
n=${1:-100000}
build=${2:-"$(cd "$(dirname "$0")/../.." && pwd)/build"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same shape of rows the export writes: three short fields, an empty column,
# latitude and longitude.
awk -v n="$n" 'BEGIN {
    print "Category,Count,Score,,Latitude,Longitude"
    for (i = 0; i < n; i++)
        printf "C%d,%d,%.2f,,%.13f,%.13f\n", i % 997, i, i * 0.25,
               -80 + (i % 1601) * 0.1 + 1e-9 * i, -179 + (i % 3581) * 0.1 + 1e-9 * i
}' > "$work/rows.csv"

ours=()
peer=()
arg=$n
for round in 1 2 3; do
    t=$("$build/bin/calc_export_bench" --benchmark_filter="BM_ExportToCalc/$arg/" \
        --benchmark_format=csv 2>/dev/null | awk -F, '/BM_ExportToCalc/ {print $3}')
    ours+=("$t")
    start=$(date +%s.%N)
    soffice -env:UserInstallation="file://$work/profile$round" --headless \
        --convert-to ods --outdir "$work" "$work/rows.csv" > /dev/null 2>&1
    peer+=("$(echo "$(date +%s.%N) - $start" | bc)")
    echo "round $round: export to Calc ${ours[-1]} s, LibreOffice CSV import ${peer[-1]} s"
done
best() { printf '%s\n' "$@" | sort -g | head -1; }
b_ours=$(best "${ours[@]}")
b_peer=$(best "${peer[@]}")
echo "best: export to Calc $b_ours s, LibreOffice CSV import $b_peer s," \
     "ratio $(echo "scale=2; $b_ours / $b_peer" | bc)"
