#!/usr/bin/env bash
# Plays every demonstration room with roomview under Xvfb and saves a picture of each at its start and at
# its completion, into build/roomview-shots/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
"$top/tools/ensure-packages.sh" xvfb xauth
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target roomview
rooms=$top/tools/roomview/rooms
shots=$top/build/roomview-shots
rm -rf "$shots"
mkdir -p "$shots"
cd "$shots"
for actions in "$rooms"/*.actions; do
    room=$(basename "$actions" .actions)
    xvfb-run -a -s "-screen 0 1366x768x24" env SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software \
        SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null \
        "$top/build/bin/roomview" --root "$rooms" --play "roomview/$room.xml" "$actions" \
        --out "$shots/$room.state" --shots "$shots/$room"
done
echo "pictures in $shots:"
ls "$shots"
