#!/usr/bin/env bash
# Configures and builds the tree (Release, Ninja): with Qt 6 into ./build (our map
# host, the add-in and their tests) and with Qt 5 into ./build-qt5 (what runs inside
# QGIS: the add-in, the QGIS host and their tests).
# Usage: build.sh [6|5|all]   (default: all)
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
flavour="${1:-all}"
build_with() {
    local major="$1" dir="$2"
    cmake -S "$top" -B "$top/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DLOCASTRA_QT_MAJOR="$major"
    cmake --build "$top/$dir" -j "$(nproc)"
}
case "$flavour" in
6) build_with 6 build ;;
5) build_with 5 build-qt5 ;;
all) build_with 6 build && build_with 5 build-qt5 ;;
*) echo "usage: build.sh [6|5|all]" >&2; exit 2 ;;
esac
