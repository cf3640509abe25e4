#!/usr/bin/env bash
# Plays every demonstration room with roomview under Xvfb and saves a picture of each at its start and at
# its completion, into build/roomview-shots/: ROOM-start.png and ROOM-end.png as the game draws rooms,
# ROOM-added-start.png and ROOM-added-end.png in the developer view (--added-draws). Room names given as
# arguments play only those rooms.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
"$top/tools/ensure-packages.sh" xvfb xauth
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target roomview
rooms=$top/tools/roomview/rooms
shots=$top/build/roomview-shots
mkdir -p "$shots"
cd "$shots"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for actions in "$rooms"/*.actions; do
        names+=("$(basename "$actions" .actions)")
    done
fi
play() { # room, shot prefix, extra options...
    local room=$1 prefix=$2
    shift 2
    xvfb-run -a -s "-screen 0 1366x768x24" env SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software \
        SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null \
        "$top/build/bin/roomview" --root "$rooms" "$@" --play "roomview/$room.xml" "$rooms/$room.actions" \
        --out "$shots/$room.state" --shots "$prefix"
}
for room in "${names[@]}"; do
    play "$room" "$shots/$room"
    play "$room" "$shots/$room-added" --added-draws
done
echo "pictures in $shots:"
ls "$shots"
