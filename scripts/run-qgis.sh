#!/usr/bin/env bash
# Installs what it needs (QGIS among it, without recommends), builds the add-in for
# QGIS (Qt 5) and our map host (Qt 6, which writes the demo map), and starts QGIS on a
# project made from the demo map, with a profile of its own in which the Locastra
# plugin is enabled: Plugins > Locastra > "Locastra..." opens the tool window.
# A QGIS profile of the user's own is never changed. Arguments go on to QGIS.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$top/scripts/install-deps.sh" qgis
bash "$top/scripts/build.sh" all

state="${XDG_DATA_HOME:-$HOME/.local/share}/Locastra/qgis-demo"
mkdir -p "$state"
# The demo is made once; a project the user changed and saved is kept.
if [ ! -f "$state/Demo Map.qgz" ]; then
    QT_QPA_PLATFORM=offscreen "$top/build/bin/maphost" --write-demo "$state/document.gpkg"
    QT_QPA_PLATFORM=offscreen /usr/bin/python3 "$top/scripts/qgis_demo_project.py" \
        "$state/document.gpkg" "$state/Demo Map.gpkg" "$state/Demo Map.qgz"
    rm -f "$state/document.gpkg"
fi
QT_QPA_PLATFORM=offscreen /usr/bin/python3 "$top/scripts/qgis_demo_project.py" --enable-plugin \
    "$state" demo "$top/build-qt5/qgis-plugin" liblocastra_qgis
exec qgis --profiles-path "$state" --profile demo --nologo --noversioncheck "$@" \
    "$state/Demo Map.qgz"
