#!/usr/bin/env bash
# Installs what the build needs, builds the Qt 6 tree and starts the host on the demo map.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh" 6
# Record the Locastra add-in (load behaviour 3) in the host's per-user add-in list.
"$top/build/bin/maphost" --register-addin="$top/build/lib/libLocastra.so"
exec "$top/build/bin/maphost" "$@"
