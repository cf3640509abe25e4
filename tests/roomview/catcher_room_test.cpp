// The catcher room played through the viewer's host: the ghost and the rune show only under the ghost
// catcher's lens, the ghost flees the lens, both are caught with the catcher and raise their find flags,
// the catcher plays its viewer video and sparkle around the pointer, and the room ends the same after a
// save and a restore into a fresh host.

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "objects/ghost_object.h"
#include "objects/infrared_object.h"
#include "room_table_fixture.h"
#include "rooms/ghost_catcher_tool.h"

namespace {

using roomtable::Lines;
using roomtable::TStep;

TGhostObject* Ghost(TRoomHost& host) {
    return dynamic_cast<TGhostObject*>(host.GetRoom()->FindObjectById("ghost"));
}

TInfraredObject* Rune(TRoomHost& host) {
    return dynamic_cast<TInfraredObject*>(host.GetRoom()->FindObjectById("rune"));
}

TGhostCatcherTool* Catcher(TRoomHost& host) {
    return dynamic_cast<TGhostCatcherTool*>(TToolList::GetPlayerTools().FindById("catcher"));
}

class CatcherRoomTest : public roomtable::RoomTableTest {
protected:
    // "click ID" and "move ID" go to the object's centre where it is now (the ghost flies).
    std::string Resolve(TRoomHost& host, const std::string& action) override {
        std::istringstream line(action);
        std::string verb, target;
        line >> verb >> target;
        if ((verb != "click" && verb != "move") || target.empty() ||
            std::isdigit(static_cast<unsigned char>(target[0]))) {
            return action;
        }
        TObject* object = host.GetRoom()->FindObjectById(target);
        EXPECT_NE(object, nullptr) << action;
        if (object == nullptr) {
            return "wait 0";
        }
        return verb + " " + std::to_string(object->GetCenterX()) + " " + std::to_string(object->GetCenterY());
    }
    void Opened(TRoomHost& host) override { EXPECT_EQ(host.TakeTranscript(), (Lines{"room catcher"})); }
    void Restored(TRoomHost& fresh) override {
        EXPECT_EQ(fresh.TakeTranscript(), (Lines{"room catcher", "restored"}));
        // A caught ghost stays caught and loads no video again.
        EXPECT_TRUE(Ghost(fresh)->mCaught);
        fresh.Run("take catcher");
    }
};

TEST_F(CatcherRoomTest, FleeCatchAndFind) {
    const auto ghostUnderLens = [](bool shown) {
        return [=](TRoomHost& host) {
            EXPECT_EQ(Ghost(host)->mShown, shown);
            ASSERT_NE(Ghost(host)->GetWindow(), nullptr);
            // The lens's shape is the ghost's mask only while the lens covers it.
            EXPECT_EQ(static_cast<bool>(Ghost(host)->GetWindow()->mMask), shown);
        };
    };
    int startX = 0, startY = 0;
    const std::vector<TStep> steps = {
        // Without the catcher neither is found; the rune is locked besides.
        {"click ghost",
         {},
         [&](TRoomHost& host) {
             EXPECT_FALSE(Ghost(host)->mCaught);
             startX = static_cast<int>(Ghost(host)->GetX());
             startY = static_cast<int>(Ghost(host)->GetY());
         }},
        {"take catcher",
         {"event hideframe", "holds catcher"},
         [](TRoomHost& host) {
             TGhostCatcherTool* catcher = Catcher(host);
             ASSERT_NE(catcher, nullptr);
             EXPECT_EQ(catcher->GetKind(), TTool::kGhostCatcher);
             EXPECT_TRUE(catcher->GetFinger().mVisible);
             EXPECT_FALSE(catcher->GetViewer().mActive);
             EXPECT_TRUE(catcher->GetShape().mTexture);
         }},
        {"move 300 600", {}, nullptr},
        {"wait 200", {}, ghostUnderLens(false)},
        // The lens over the ghost: it is masked, updated, and flies off.
        {"move ghost", {}, [](TRoomHost& host) { EXPECT_TRUE(Ghost(host)->GetMover()->moving); }},
        {"wait 700",
         {},
         [&](TRoomHost& host) {
             TGhostObject* ghost = Ghost(host);
             const int x = static_cast<int>(ghost->GetX()), y = static_cast<int>(ghost->GetY());
             EXPECT_TRUE(x != startX || y != startY) << x << "," << y;
             EXPECT_LE(std::abs(x - startX), 200);
             EXPECT_LE(std::abs(y - startY), 200);
             EXPECT_FALSE(ghost->mCaught);
         }},
        {"click rune", {}, [](TRoomHost& host) { EXPECT_FALSE(Rune(host)->mCaught); }},
        {"click ghost",
         {"event hideframe", "unlock rune", "applied catcher ghost", "event ghostfound"},
         [](TRoomHost& host) {
             EXPECT_TRUE(Ghost(host)->mCaught);
             TGhostCatcherTool* catcher = Catcher(host);
             ASSERT_NE(catcher->GetCatchEffect(), nullptr);
             EXPECT_EQ(catcher->GetCatchEffect()->GetTrails().size(), 6u);
             EXPECT_FALSE(catcher->GetFinger().mVisible);
             EXPECT_EQ(catcher->mEyeIndex, 3);
             EXPECT_FLOAT_EQ(catcher->mTargetAlpha, 0.0f);
             // The viewer starts again, centred on the pointer.
             TVideoObject& viewer = catcher->GetViewer();
             EXPECT_TRUE(viewer.mActive);
             ASSERT_NE(viewer.GetWindow(), nullptr);
             EXPECT_EQ(static_cast<int>(viewer.GetX()) + 48, host.GetPointerX());
             EXPECT_EQ(static_cast<int>(viewer.GetY()) + 48, host.GetPointerY());
         }},
        {"wait 300",
         {},
         [](TRoomHost& host) {
             TGhostCatcherTool* catcher = Catcher(host);
             EXPECT_TRUE(catcher->GetViewer().GetWindow()->mFrameWritten);
             EXPECT_GT(catcher->GetGlow().mAlpha, 0.0f);
             EXPECT_FALSE(catcher->GetFinger().mVisible);
         }},
        {"wait 400",
         {},
         [](TRoomHost& host) {
             // Half a second after the catch the finger is back and the glow has faded.
             EXPECT_TRUE(Catcher(host)->GetFinger().mVisible);
             EXPECT_FLOAT_EQ(Catcher(host)->GetGlow().mAlpha, 0.0f);
         }},
        {"save", {"saved"}, nullptr},
        // The rune shows where the lens's glass covers it.
        {"move 300 600", {}, nullptr},
        {"wait 100", {}, [](TRoomHost& host) { EXPECT_FALSE(Rune(host)->mShown); }},
        {"move rune", {}, nullptr},
        {"wait 100",
         {},
         [](TRoomHost& host) {
             EXPECT_TRUE(Rune(host)->mShown);
             EXPECT_TRUE(Rune(host)->mAlphaVisible);
             EXPECT_GT(Rune(host)->mViewW, 0.0f);
         }},
        {"click rune",
         {"event hideframe", "applied catcher rune", "event runefound"},
         [](TRoomHost& host) { EXPECT_TRUE(Rune(host)->mCaught); }},
        {"wait 300", {"event complete", "completed catcher"}, nullptr},
    };
    PlayRoom("roomview/catcher.xml", steps);
}

} // namespace
