#!/bin/bash
# Times GDAL's ogr2ogr writing N points (three short fields plus name) from CSV into a
# GeoPackage, with and without a spatial index, for comparison with maphost_document_bench.
# Usage: ogr2ogr_points.sh [N] [work folder]
set -eu
n=${1:-1000000}
work=${2:-$(mktemp -d)}
mkdir -p "$work"
csv="$work/points.csv"
awk -v n="$n" 'BEGIN {
    print "name,latitude,longitude,code,count,score"
    for (i = 0; i < n; i++)
        printf "Pin %d,%.1f,%.1f,C%d,%d,%.2f\n", i % 50000, -80 + (i % 1601) * 0.1,
               -179 + (i % 3581) * 0.1, i % 997, i, i * 0.25
}' > "$csv"

# Prints wall-clock and CPU (user + system) seconds, like the benchmark's Time and CPU.
run() {
    label=$1
    shift
    rm -f "$work/out.gpkg"
    TIMEFORMAT="$label: %R s wall, %U s user + %S s system CPU"
    time ogr2ogr -f GPKG "$work/out.gpkg" "$csv" -nln points -a_srs EPSG:4326 \
        -oo X_POSSIBLE_NAMES=longitude -oo Y_POSSIBLE_NAMES=latitude \
        -oo KEEP_GEOM_COLUMNS=NO -oo AUTODETECT_TYPE=YES "$@"
}

run "ogr2ogr CSV->GPKG, $n points, with spatial index"
run "ogr2ogr CSV->GPKG, $n points, no spatial index" -lco SPATIAL_INDEX=NO
rm -f "$csv" "$work/out.gpkg"
