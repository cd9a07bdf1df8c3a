#!/usr/bin/env bash
# Installs what the build needs, builds everything and starts the host on the demo map.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"
exec "$top/build/bin/maphost" "$@"
