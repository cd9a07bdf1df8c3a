#!/usr/bin/env bash
# Installs what the build needs, builds both Qt flavours and runs the whole test suite
# of each: Qt 6 (our map host and the add-in) and Qt 5 (the add-in and the QGIS host).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$top/scripts/install-deps.sh" qgis
bash "$top/scripts/build.sh" all
status=0
for dir in build build-qt5; do
    echo "== tests of $dir"
    (cd "$top/$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)") || status=1
done
exit "$status"
