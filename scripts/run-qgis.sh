#!/usr/bin/env bash
# Installs what it needs (QGIS among it, without recommends), builds the add-in for
# QGIS (Qt 5) and our map host (Qt 6, which writes the demo map), and starts QGIS on a
# project made from the demo map, with a profile of its own in which the Locastra
# plugin is enabled: Plugins > Locastra > "Locastra..." opens the tool window.
# A QGIS profile of the user's own is never changed. Other arguments go on to QGIS.
#
#   --postgis   also starts a private PostGIS server (scripts/postgis-server.sh) with
#               the demo's datasets as tables, and opens a second project, "Demo Map
#               (PostGIS)", whose layers are those tables, with a saved connection
#               "Locastra demo" in the profile; the server and its data go when QGIS
#               exits.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
postgis=0
qgis_args=()
for arg in "$@"; do
    if [ "$arg" = "--postgis" ]; then
        postgis=1
    else
        qgis_args+=("$arg")
    fi
done
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
project="$state/Demo Map.qgz"

if [ "$postgis" -eq 1 ]; then
    # A new server each time (new port and password), so its project is written anew:
    # the GeoPackage project, with what the user saved in it, stays as it is.
    server="$state/postgis.env"
    stop_server() { bash "$top/scripts/postgis-server.sh" stop "$server"; }
    trap stop_server EXIT
    trap 'exit 130' INT TERM
    bash "$top/scripts/postgis-server.sh" start "$server"
    project="$state/Demo Map (PostGIS).qgz"
    # The project and the profile hold the server's password: owner-only.
    (
        umask 077
        QT_QPA_PLATFORM=offscreen /usr/bin/python3 "$top/scripts/qgis_demo_project.py" \
            --postgis "$state/Demo Map.gpkg" "$server" "$state" demo "$project"
    )
    qgis --profiles-path "$state" --profile demo --nologo --noversioncheck \
        "${qgis_args[@]}" "$project"
    exit
fi
exec qgis --profiles-path "$state" --profile demo --nologo --noversioncheck \
    "${qgis_args[@]}" "$project"
