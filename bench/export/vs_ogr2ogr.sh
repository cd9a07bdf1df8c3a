#!/bin/bash
# The file exports against GDAL's ogr2ogr on the same points, interleaved three times;
# prints the best times and the ratios.
#  - CSV: our CSV export of the synthetic map against ogr2ogr writing the same points
#    from the map saved as a GeoPackage (one table per dataset) to CSV, the same three
#    fields with X and Y.
#  - GeoPackage: our GIS file export against ogr2ogr writing those CSV files into a
#    GeoPackage (one layer per dataset, spatial index as ours).
# Usage: vs_ogr2ogr.sh [PUSHPINS] [build folder]
set -eu
n=${1:-1000000}
build=${2:-"$(cd "$(dirname "$0")/../.." && pwd)/build"}
bench="$build/bin/export_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bin/synthetic_document" "$work/map.gpkg" "$n"
# The point tables of the document, one per dataset.
mapfile -t layers < <(ogrinfo -ro -q "$work/map.gpkg" | awk '/\(Point\)/ {print $2}')

# Seconds of wall-clock time a command takes.
seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}
ours() {
    "$bench" --benchmark_filter="$1/$n/" --benchmark_format=csv 2>/dev/null |
        awk -F, -v b="$1" 'index($1, b) {print $3}'
}
to_csv() {
    rm -rf "$work/csv"
    ogr2ogr -f CSV "$work/csv" "$work/map.gpkg" "${layers[@]}" -lco GEOMETRY=AS_XY \
        -select Category,Count,Score
}
to_gpkg() {
    rm -f "$work/out.gpkg"
    ogr2ogr -f GPKG "$work/out.gpkg" "$work/csv" -oo X_POSSIBLE_NAMES=X \
        -oo Y_POSSIBLE_NAMES=Y -oo KEEP_GEOM_COLUMNS=NO -oo AUTODETECT_TYPE=YES \
        -a_srs EPSG:4326
}

csv_ours=() csv_peer=() gpkg_ours=() gpkg_peer=()
for round in 1 2 3; do
    csv_ours+=("$(ours BM_CsvExport)")
    csv_peer+=("$(seconds to_csv)")
    gpkg_ours+=("$(ours BM_GisExport)")
    gpkg_peer+=("$(seconds to_gpkg)")
    echo "round $round: CSV export ${csv_ours[-1]} s, ogr2ogr GPKG->CSV ${csv_peer[-1]} s;" \
         "GeoPackage export ${gpkg_ours[-1]} s, ogr2ogr CSV->GPKG ${gpkg_peer[-1]} s"
done
best() { printf '%s\n' "$@" | sort -g | head -1; }
report() {
    local a b
    a=$(best "${@:3:3}")
    b=$(best "${@:6:3}")
    echo "best: $1 $a s, $2 $b s, ours/ogr2ogr $(echo "scale=2; $a / $b" | bc)," \
         "ogr2ogr/ours $(echo "scale=2; $b / $a" | bc)"
}
report "CSV export" "ogr2ogr GPKG->CSV" "${csv_ours[@]}" "${csv_peer[@]}"
report "GeoPackage export" "ogr2ogr CSV->GPKG" "${gpkg_ours[@]}" "${gpkg_peer[@]}"
