// The demonstration rooms played through the viewer's host: each step's reactions in order, the state of
// the objects and tools it touched, completion, and the same ending after a save and a restore into a
// fresh host in the middle.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/renderer.h"
#include "harness/harness.h"
#include "objects/object.h"
#include "room_host.h"
#include "rooms/pocket.h"

namespace {

using Lines = std::vector<std::string>;

// One step: an action ("click" takes an object id, the point is that object's centre in the loaded
// room), what the host hears, and a check of what the step changed.
struct TStep {
    std::string action;
    Lines heard;
    std::function<void(TRoomHost&)> check;
};

class RoomViewTest : public testing::Test {
protected:
    void SetUp() override {
        mRoot = std::make_unique<harness::ScopedDataRoot>(ROOMVIEW_ROOMS_DIR);
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        mWindow = SDL_CreateWindow("roomview test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
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

    // Plays the steps from first to last (a "save" step keeps the state for the round trip) and checks
    // each; returns the final saved state.
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
        const std::vector<uint8_t> resumed = PlaySteps(fresh, steps, mResumeAt, false);
        EXPECT_EQ(resumed, ending);
        for (size_t i = 0; i < std::min(resumed.size(), ending.size()); ++i) {
            if (resumed[i] != ending[i]) {
                std::string a, b;
                for (size_t k = (i > 40 ? i - 40 : 0); k < i + 8 && k < ending.size(); ++k) {
                    a += std::to_string(ending[k]) + " ";
                    b += std::to_string(resumed[k]) + " ";
                }
                ADD_FAILURE() << "first difference at " << i << " of " << ending.size() << "/" << resumed.size() << "\n"
                              << a << "\n"
                              << b;
                break;
            }
        }
        EXPECT_TRUE(fresh.IsCompleted());
    }

    static TObject* Object(TRoomHost& host, const std::string& id) { return host.GetRoom()->FindObjectById(id); }

    std::unique_ptr<harness::ScopedDataRoot> mRoot;
    SDL_Window* mWindow = nullptr;
    std::vector<uint8_t> mSaved;
    size_t mResumeAt = 0;
};

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
