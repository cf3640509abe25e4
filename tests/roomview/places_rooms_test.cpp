// The places puzzles' demonstration rooms played through the viewer's host: each step's reactions in order,
// the slots' and places' state, the chest unlocked by the puzzle's after-event 0, completion, and the same
// ending after a save and a restore into a fresh host in the middle.

#include "objects/places_items_objects.h"
#include "objects/places_objects.h"
#include "room_table_fixture.h"

namespace {

using roomtable::TStep;

class PlacesRoomsTest : public roomtable::RoomTableTest {};

// The slots' indices, each followed by "+" when placed and "L" when locked.
std::function<void(TRoomHost&)> Slots(const std::string& expected) {
    return [expected](TRoomHost& host) {
        std::string text;
        for (const char* id : {"a", "b", "c"}) {
            auto* slot = dynamic_cast<TPlacesItemsObject*>(host.GetRoom()->FindObjectById(id));
            ASSERT_NE(slot, nullptr) << id;
            text += (text.empty() ? "" : " ") + std::to_string(slot->mIndex) + (slot->mPlaced ? "+" : "") +
                    (slot->IsLocked() ? "L" : "");
        }
        EXPECT_EQ(text, expected);
    };
}

// The places' pieces (the tile's colour letter), each followed by "~" while it slides and "+" when set.
std::function<void(TRoomHost&)> Places(const std::string& expected) {
    return [expected](TRoomHost& host) {
        std::string text;
        for (const char* id : {"p1", "p2", "p3"}) {
            auto* place = dynamic_cast<TPlacesObject*>(host.GetRoom()->FindObjectById(id));
            ASSERT_NE(place, nullptr) << id;
            const std::string& name = place->mImageName;
            text += (text.empty() ? "" : " ") + name.substr(name.size() - 5, 1) + (place->IsSliding() ? "~" : "") +
                    (place->mSet ? "+" : "");
        }
        EXPECT_EQ(text, expected);
    };
}

std::function<void(TRoomHost&)> ChestLocked(bool locked) {
    return [locked](TRoomHost& host) { EXPECT_EQ(host.GetRoom()->FindObjectById("chest")->IsLocked(), locked); };
}

TEST_F(PlacesRoomsTest, SlotsExchangeTheirTiles) {
    const std::vector<TStep> steps = {
        {"click a", {"given piece"}, Slots("1 2 0")},
        {"take piece", {"holds piece"}, nullptr},
        {"click b", {}, Slots("2 1+ 0")},
        {"drop", {}, ChestLocked(true)},
        {"wait 100", {}, nullptr},
        {"save", {"saved"}, nullptr},
        {"click a", {"given piece"}, nullptr},
        {"take piece", {"holds piece"}, nullptr},
        // Every slot at its tile: the shelf's after-event 0 unlocks the chest.
        {"click c", {"unlock chest"}, Slots("0+L 1+ 2+")},
        {"drop", {}, ChestLocked(false)},
        {"wait 100", {}, nullptr},
        {"click chest", {}, nullptr},
        {"wait 300", {"event complete", "completed placesitems"}, nullptr},
    };
    PlayRoom("roomview/placesitems.xml", steps);
}

TEST_F(PlacesRoomsTest, PlacesSwapPiecesThatSlideBack) {
    const std::vector<TStep> steps = {
        {"click p1", {"given piece"}, Places("g r b")},
        {"take piece", {"holds piece"}, nullptr},
        {"click p2", {}, Places("r~ g b")},
        {"drop", {}, nullptr},
        // 250 pixels at 0.002 s each.
        {"wait 450", {}, Places("r~ g b")},
        {"wait 100", {}, Places("r+ g b")},
        {"save", {"saved"}, nullptr},
        {"click p2", {"given piece"}, nullptr},
        {"take piece", {"holds piece"}, nullptr},
        {"click p3", {}, Places("r+ b~ g")},
        {"drop", {}, ChestLocked(true)},
        {"wait 600", {"unlock chest"}, Places("r+ b+ g+")},
        {"click chest", {}, nullptr},
        {"wait 300", {"event complete", "completed places"}, nullptr},
    };
    PlayRoom("roomview/places.xml", steps);
}

} // namespace
