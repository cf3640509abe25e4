#!/usr/bin/env bash
# Takes PNGs of every screen and dialog of the game under Xvfb, into build/shots/: the screen tour of
# the test suite, run against a real X display, saves a picture at each of its stops.
#   tools/screenshots.sh            all the tour's stops
#   tools/screenshots.sh FILTER     only the tour tests matching the GoogleTest filter
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/tools/ensure-packages.sh" "$top/packages.txt"
"$top/tools/ensure-packages.sh" xvfb xauth
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target test_game
shots=$top/build/shots
rm -rf "$shots"
mkdir -p "$shots"
cd "$top/build/bin"
xvfb-run -a -s "-screen 0 1366x768x24" env SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software \
    SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null VERDANEL_SHOTS_DIR="$shots" \
    ./test_game --gtest_filter="${1:-ScreenTour*:GameTypesRoadTest.ThePicture*}"
echo "screenshots in $shots:"
ls "$shots"
