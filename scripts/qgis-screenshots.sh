#!/usr/bin/env bash
# Pictures of Locastra's windows inside QGIS as a user sees them: QGIS under a virtual
# X server with a window manager (openbox), a profile of its own with the plugin
# enabled, on the demo project; qgis_screenshots.py drives the windows from inside
# QGIS and takes each picture of the whole screen.
#
# Usage: scripts/qgis-screenshots.sh [OUT_DIR]   (default: ./qgis-screenshots)
# Needs build-qt5 (the plugin) and build (maphost, which writes the demo map).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(mkdir -p "${1:-qgis-screenshots}" && cd "${1:-qgis-screenshots}" && pwd)"
for tool in openbox:openbox import:imagemagick xvfb-run:xvfb; do
    command -v "${tool%%:*}" >/dev/null || apt-get install -y --no-install-recommends "${tool#*:}"
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work" TMPDIR="$work/tmp" LOCASTRA_SHOTS="$out"
mkdir -p "$TMPDIR"
QT_QPA_PLATFORM=offscreen "$top/build/bin/maphost" --write-demo "$work/document.gpkg"
QT_QPA_PLATFORM=offscreen /usr/bin/python3 "$top/scripts/qgis_demo_project.py" \
    "$work/document.gpkg" "$work/Demo Map.gpkg" "$work/Demo Map.qgz"
QT_QPA_PLATFORM=offscreen /usr/bin/python3 "$top/scripts/qgis_demo_project.py" --enable-plugin \
    "$work" shots "$top/build-qt5/qgis-plugin" liblocastra_qgis
# shellcheck disable=SC2016
timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    openbox & sleep 1
    qgis --profiles-path "$0" --profile shots --nologo --noversioncheck --code "$1" "$2"' \
    "$work" "$top/scripts/qgis_screenshots.py" "$work/Demo Map.qgz" || true
cat "$out/log.txt"
