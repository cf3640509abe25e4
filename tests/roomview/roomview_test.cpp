// The demonstration rooms played through the viewer's host: each step's reactions in order, the state of
// the objects and tools it touched, completion, and the same ending after a save and a restore into a
// fresh host in the middle.

#include "objects/object.h"
#include "room_table_fixture.h"
#include "rooms/pocket.h"

namespace {

using roomtable::TStep;

class RoomViewTest : public roomtable::RoomTableTest {};

TEST_F(RoomViewTest, Workshop) {
    const auto open = [](const char* pocket) {
        return [pocket](TRoomHost& host) {
            TRoom* sub = host.GetRoom();
            while (sub->GetOpenSubSpace() != nullptr) {
                sub = sub->GetOpenSubSpace();
            }
            EXPECT_EQ(sub->mName, pocket);
        };
    };
    const auto lamp = [](int collected, bool complete) {
        return [=](TRoomHost& host) {
            TTool* tool = host.GetRoom()->GetGlobalTools()->FindById("lamp");
            EXPECT_EQ(tool->GetCollected(), collected);
            EXPECT_EQ(tool->IsComplete(), complete);
        };
    };
    const std::vector<TStep> steps = {
        {"click cat", {"miss cat"}, nullptr},
        {"click cabinet", {}, open("cabinet")},
        {"wait 400", {}, nullptr},
        {"click wick", {"given lamp wick"}, lamp(2, false)},
        {"click casket", {}, open("casket")},
        {"wait 400", {}, nullptr},
        {"click glass", {"given lamp glass"}, lamp(3, true)},
        {"click chip", {"given spark"}, [](TRoomHost& host) { EXPECT_TRUE(Object(host, "chip")->mVisible); }},
        // Both tools the casket names are out: it closes and shrinks away.
        {"wait 800", {"event closepocket"}, open("cabinet")},
        // A press beside the cabinet closes it.
        {"click 200 700", {}, nullptr},
        {"wait 500", {"event undoneclosepocket"}, open("workshop")},
        {"save", {"saved"}, nullptr},
        {"take lamp",
         {"holds lamp"},
         [](TRoomHost& host) { EXPECT_EQ(host.GetHeldTool()->GetCurrentId(), "lamp_lit"); }},
        {"click lantern",
         {"given key", "applied lamp_lit lantern"},
         [](TRoomHost& host) { EXPECT_TRUE(Object(host, "lantern")->mVisible); }},
        {"drop", {}, nullptr},
        {"take key", {"holds key"}, nullptr},
        {"click door", {"applied key door"}, [](TRoomHost& host) { EXPECT_FALSE(host.IsCompleted()); }},
        {"wait 300", {"event complete", "completed workshop"}, nullptr},
    };
    PlayRoom("roomview/workshop.xml", steps);
}

TEST_F(RoomViewTest, GalleryAndGarden) {
    const auto visible = [](const char* id, bool shown) {
        return [=](TRoomHost& host) { EXPECT_EQ(Object(host, id)->mVisible, shown) << id; };
    };
    const std::vector<TStep> steps = {
        {"click arch", {"room garden"}, nullptr},
        {"wait 100", {}, nullptr},
        {"click gate", {"room gallery"}, nullptr},
        {"wait 100", {}, nullptr},
        {"hint", {"hint shown"}, [](TRoomHost& host) { EXPECT_NE(host.GetRoom()->mHintEffects[0], nullptr); }},
        {"click cup", {"found cup"}, visible("cup", false)},
        {"click vase", {"found vase"}, visible("vase", false)},
        {"click statue", {}, [](TRoomHost& host) { EXPECT_TRUE(Object(host, "statue")->IsLocked()); }},
        {"click lever", {"interaction lever"}, visible("lever", false)},
        // The list is complete: its own reaction unlocks the statue.
        {"wait 100", {"unlock statue"}, [](TRoomHost& host) { EXPECT_FALSE(Object(host, "statue")->IsLocked()); }},
        {"save", {"saved"}, nullptr},
        {"click statue", {"found statue"}, visible("statue", false)},
        {"wait 300", {"event complete", "completed gallery"}, nullptr},
    };
    PlayRoom("roomview/gallery.xml", steps);

    const std::vector<TStep> garden = {
        {"click bell", {"given coin"}, visible("bell", false)},
        {"wait 100", {}, nullptr},
        {"save", {"saved"}, nullptr},
        {"take coin", {"holds coin"}, nullptr},
        {"click well", {"applied coin well"}, nullptr},
        {"wait 300", {"event complete", "completed garden"}, nullptr},
    };
    mSaved.clear();
    PlayRoom("roomview/garden.xml", garden);
}

} // namespace
