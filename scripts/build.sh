#!/usr/bin/env bash
# Configures and builds the whole tree into ./build (Release, Ninja).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$top/build" -j "$(nproc)"
