// The fading, multi-tool and collections rooms played through the viewer's host: what the host hears at
// each step, the objects' state at chosen times, completion, and the same ending after a save and a
// restore into a fresh host in the middle.

#include "objects/collection_objects.h"
#include "objects/fading_objects.h"
#include "objects/multitool_object.h"
#include "room_table_fixture.h"

namespace {

using roomtable::TStep;

// Objects here may be children of others; the restored host's greeting is not checked.
class CatalogueRoomsTest : public roomtable::RoomTableTest {
protected:
    // "click ID" presses the centre of that object.
    std::string Resolve(TRoomHost& host, const std::string& action) override {
        if (action.rfind("click ", 0) != 0 || std::isdigit(static_cast<unsigned char>(action[6]))) {
            return action;
        }
        TObject* object = Find(host, action.substr(6));
        EXPECT_NE(object, nullptr) << action;
        return object == nullptr
                   ? "wait 0"
                   : "click " + std::to_string(object->GetCenterX()) + " " + std::to_string(object->GetCenterY());
    }
    void Restored(TRoomHost& fresh) override { fresh.TakeTranscript(); }

    // A room object or a child of one.
    static TObject* Find(TRoomHost& host, const std::string& id) {
        if (TObject* object = host.GetRoom()->FindObjectById(id)) {
            return object;
        }
        for (const auto& object : host.GetRoom()->GetObjects()) {
            if (TObject* child = object->FindChildById(id)) {
                return child;
            }
        }
        return nullptr;
    }
    template <typename Kind> static Kind* Get(TRoomHost& host, const std::string& id) {
        auto* kind = dynamic_cast<Kind*>(Find(host, id));
        EXPECT_NE(kind, nullptr) << id;
        return kind;
    }
    static std::function<void(TRoomHost&)> Alpha(const std::string& id, float alpha) {
        return [=](TRoomHost& host) { EXPECT_NEAR(Find(host, id)->mAlpha, alpha, 0.04f) << id; };
    }
};

TEST_F(CatalogueRoomsTest, GlowFadesOnceAndShowsTheStar) {
    const auto notes = [](TRoomHost& host) {
        // Collected at full alpha, still to find at 30 %, unknown shown as it is.
        EXPECT_FLOAT_EQ(Get<TNoteCollectionItemObject>(host, "robin")->mAlpha, 1.0f);
        EXPECT_NEAR(Get<TNoteCollectionItemObject>(host, "wren")->mAlpha, 0.3f, 1e-6f);
        EXPECT_FLOAT_EQ(Get<TNoteCollectionItemObject>(host, "owl")->mAlpha, 1.0f);
        EXPECT_EQ(Find(host, "wren")->mImageName, "roomview/img/wren_note.png");
    };
    const std::vector<TStep> steps = {
        {"wait 0", {}, notes},
        // The robin's points label fades in under the pointer; the wren's never does.
        {"move 200 610", {}, nullptr},
        {"wait 300",
         {},
         [](TRoomHost& host) {
             EXPECT_NEAR(Get<TNoteCollectionItemObject>(host, "robin")->mLabelTween.current, 1.0f, 1e-6f);
         }},
        {"move 350 610", {}, nullptr},
        {"wait 300",
         {},
         [](TRoomHost& host) {
             EXPECT_NEAR(Get<TNoteCollectionItemObject>(host, "robin")->mLabelTween.current, 0.0f, 1e-6f);
             EXPECT_NEAR(Get<TNoteCollectionItemObject>(host, "wren")->mLabelTween.current, 0.0f, 1e-6f);
         }},
        {"click bell", {"activate glow"}, Alpha("glow", 0)},
        {"wait 300", {}, Alpha("glow", 0.5f)},
        {"wait 300", {}, Alpha("glow", 1.0f)},
        {"wait 300", {}, Alpha("glow", 0.5f)},
        {"click star", {}, nullptr},
        // Event 0 at the end of the fade shows the star.
        {"wait 350", {"show star"}, [](TRoomHost& host) { EXPECT_TRUE(Find(host, "star")->mVisible); }},
        {"save", {"saved"}, Alpha("glow", 0)},
        {"click star", {}, nullptr},
        {"wait 300", {"event complete", "completed fading"}, nullptr},
    };
    PlayRoom("roomview/fading.xml", steps);
}

TEST_F(CatalogueRoomsTest, PanelTakesBothKeysInOrderAndUnlocksTheDoor) {
    const auto complete = [](bool done) {
        return [=](TRoomHost& host) { EXPECT_EQ(Get<TMultyToolObject>(host, "panel")->mComplete, done); };
    };
    const std::vector<TStep> steps = {
        {"click brassshelf", {"given brass"}, nullptr},
        {"click ironshelf", {"given iron"}, nullptr},
        {"take iron", {"holds iron"}, nullptr},
        // In order: the iron key waits for the brass one.
        {"click ironlock", {}, complete(false)},
        {"drop", {}, nullptr},
        {"take brass", {"holds brass"}, nullptr},
        // Anywhere on the panel: the brass key pressed on the iron lock reaches the brass lock.
        {"click ironlock", {"applied brass brasslock"}, complete(false)},
        {"click brasslock", {}, complete(false)},
        {"drop", {}, nullptr},
        {"save", {"saved"}, nullptr},
        {"click door", {}, [](TRoomHost& host) { EXPECT_TRUE(Find(host, "door")->IsLocked()); }},
        {"take iron", {"holds iron"}, nullptr},
        {"click ironlock", {"applied iron ironlock", "unlock door", "applied iron panel"}, complete(true)},
        {"drop", {}, [](TRoomHost& host) { EXPECT_FALSE(Find(host, "door")->IsLocked()); }},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed multitool"}, nullptr},
    };
    PlayRoom("roomview/multitool.xml", steps);
}

TEST_F(CatalogueRoomsTest, ConchIsCollectedWithItsEffect) {
    const std::vector<TStep> steps = {
        {"wait 100",
         {},
         [](TRoomHost& host) {
             EXPECT_FLOAT_EQ(Find(host, "birds")->mAlpha, 1.0f);
             EXPECT_NEAR(Find(host, "shells")->mAlpha, 0.3f, 1e-6f);
             EXPECT_EQ(Find(host, "shells")->mImageName, "roomview/img/shells_note.png");
             EXPECT_FALSE(TCollectionsRegistry::GetInstance()->FindItem("conch")->collected);
         }},
        {"save", {"saved"}, nullptr},
        {"click conch",
         {"collection effect conch 5"},
         [](TRoomHost& host) {
             EXPECT_FALSE(Find(host, "conch")->mVisible);
             EXPECT_TRUE(TCollectionsRegistry::GetInstance()->FindItem("conch")->collected);
         }},
        {"wait 300", {"event complete", "completed collections"}, nullptr},
        // The effect's message comes half a second after the pick-up.
        {"wait 300", {"collection effect done conch"}, nullptr},
    };
    PlayRoom("roomview/collections.xml", steps);
}

} // namespace
