// The places puzzles' demonstration rooms played through the viewer's host: each step's reactions in order,
// the slots' and places' state, the chest unlocked by the puzzle's after-event 0, completion, and the same
// ending after a save and a restore into a fresh host in the middle.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/renderer.h"
#include "harness/harness.h"
#include "objects/object.h"
#include "objects/places_items_objects.h"
#include "objects/places_objects.h"
#include "room_host.h"

namespace {

using Lines = std::vector<std::string>;

// One step: an action ("click" takes an object id, the point is that object's centre), what the host
// hears, and a check of what the step changed.
struct TStep {
    std::string action;
    Lines heard;
    std::function<void(TRoomHost&)> check;
};

class PlacesRoomsTest : public testing::Test {
protected:
    void SetUp() override {
        mRoot = std::make_unique<harness::ScopedDataRoot>(ROOMVIEW_ROOMS_DIR);
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        mWindow = SDL_CreateWindow("places rooms test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        ASSERT_NE(mWindow, nullptr);
        ASSERT_NE(CreateRenderer(mWindow), nullptr);
    }
    void TearDown() override {
        DestroyRenderer();
        SDL_DestroyWindow(mWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        mRoot.reset();
    }

    static std::string Resolve(TRoomHost& host, const std::string& action) {
        if (action.rfind("click ", 0) != 0 || std::isdigit(static_cast<unsigned char>(action[6]))) {
            return action;
        }
        TObject* object = host.GetRoom()->FindObjectById(action.substr(6));
        EXPECT_NE(object, nullptr) << action;
        if (object == nullptr) {
            return "wait 0";
        }
        return "click " + std::to_string(object->GetCenterX()) + " " + std::to_string(object->GetCenterY());
    }

    std::vector<uint8_t> PlaySteps(TRoomHost& host, const std::vector<TStep>& steps, size_t first, bool check) {
        for (size_t i = first; i < steps.size(); ++i) {
            const TStep& step = steps[i];
            SCOPED_TRACE(step.action);
            EXPECT_TRUE(host.Run(Resolve(host, step.action)));
            const Lines heard = host.TakeTranscript();
            if (step.action == "save") {
                mSaved = host.SavedState();
                mResumeAt = i + 1;
            }
            if (check) {
                EXPECT_EQ(heard, step.heard);
                if (step.check) {
                    step.check(host);
                }
            }
        }
        return host.SavedState();
    }

    // The whole table, then from its save point again in a fresh host: the same saved ending, completed.
    void PlayRoom(const std::string& file, const std::vector<TStep>& steps) {
        std::vector<uint8_t> ending;
        {
            TRoomHost host;
            ASSERT_TRUE(host.Open(file));
            host.TakeTranscript();
            ending = PlaySteps(host, steps, 0, true);
            EXPECT_TRUE(host.IsCompleted());
        }
        ASSERT_FALSE(mSaved.empty());
        TRoomHost fresh;
        ASSERT_TRUE(fresh.Open(file));
        fresh.SetSaved(mSaved);
        fresh.Restore();
        EXPECT_EQ(fresh.TakeTranscript(), (Lines{"room " + fresh.GetRoom()->mName, "restored"}));
        EXPECT_EQ(PlaySteps(fresh, steps, mResumeAt, false), ending);
        EXPECT_TRUE(fresh.IsCompleted());
    }

    static TObject* Object(TRoomHost& host, const std::string& id) { return host.GetRoom()->FindObjectById(id); }

    std::unique_ptr<harness::ScopedDataRoot> mRoot;
    SDL_Window* mWindow = nullptr;
    std::vector<uint8_t> mSaved;
    size_t mResumeAt = 0;
};

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
