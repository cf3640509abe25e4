#!/usr/bin/env bash
# Builds the game (build/, RelWithDebInfo) and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$top"
tools/ensure-packages.sh --for run packages.txt
jobs=$(nproc)
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERDANEL_TESTS=OFF >/dev/null
fi
cmake --build build -j "$jobs" --target verdanel
exec build/bin/verdanel "$@"
