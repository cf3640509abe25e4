// The button and ball rooms played through the viewer's host: what the host hears at each step, the state
// of the puzzle and mechanism objects at chosen moments, completion, and the same ending after a save and
// a restore into a fresh host in the middle.

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/renderer.h"
#include "harness/harness.h"
#include "objects/ball_objects.h"
#include "objects/button_objects.h"
#include "objects/object.h"
#include "room_host.h"

namespace {

using Lines = std::vector<std::string>;

struct TStep {
    std::string action;
    Lines heard;
    std::function<void(TRoomHost&)> check;
};

class BallButtonRoomsTest : public testing::Test {
protected:
    void SetUp() override {
        mRoot = std::make_unique<harness::ScopedDataRoot>(ROOMVIEW_ROOMS_DIR);
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        mWindow = SDL_CreateWindow("rooms test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        ASSERT_NE(mWindow, nullptr);
        ASSERT_NE(CreateRenderer(mWindow), nullptr);
    }
    void TearDown() override {
        DestroyRenderer();
        SDL_DestroyWindow(mWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        mRoot.reset();
    }

    std::vector<uint8_t> PlaySteps(TRoomHost& host, const std::vector<TStep>& steps, size_t first, bool check) {
        for (size_t i = first; i < steps.size(); ++i) {
            const TStep& step = steps[i];
            SCOPED_TRACE(step.action);
            EXPECT_TRUE(host.Run(step.action));
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
        fresh.TakeTranscript();
        EXPECT_EQ(PlaySteps(fresh, steps, mResumeAt, false), ending);
        EXPECT_TRUE(fresh.IsCompleted());
    }

    template <typename T = TObject> static T* Object(TRoomHost& host, const std::string& id) {
        auto* object = dynamic_cast<T*>(host.GetRoom()->FindObjectById(id));
        EXPECT_NE(object, nullptr) << id;
        return object;
    }

    std::unique_ptr<harness::ScopedDataRoot> mRoot;
    SDL_Window* mWindow = nullptr;
    std::vector<uint8_t> mSaved;
    size_t mResumeAt = 0;
};

// The buttons locked, in panel order ("-" for an unlocked one).
std::function<void(TRoomHost&)> Keys(const std::string& locked, bool chestLocked) {
    return [=](TRoomHost& host) {
        std::string now;
        for (const char* id : {"red", "green", "blue"}) {
            now += host.GetRoom()->FindObjectById(id)->IsLocked() ? id[0] : '-';
        }
        EXPECT_EQ(now, locked);
        EXPECT_EQ(host.GetRoom()->FindObjectById("chest")->IsLocked(), chestLocked);
    };
}

TEST_F(BallButtonRoomsTest, Buttons) {
    const auto bell = [](bool pressed) {
        return [pressed](TRoomHost& host) { EXPECT_EQ(Object<TClickButtonObject>(host, "bell")->mPressed, pressed); };
    };
    const std::vector<TStep> steps = {
        {"press 260 610", {}, bell(true)},
        {"wait 100", {}, bell(true)},
        {"release 260 610", {}, bell(false)},
        {"click 490 300", {}, Keys("--b", true)},
        {"click 230 300", {}, Keys("r-b", true)},
        {"click 360 300", {}, Keys("rgb", true)},
        {"wait 400", {}, Keys("rgb", true)},
        {"wait 200", {}, Keys("---", true)},
        // The record holds no half-made attempt, so the state is saved between attempts.
        {"save", {"saved"}, nullptr},
        {"click 230 300", {}, Keys("r--", true)},
        {"click 360 300", {}, Keys("rg-", true)},
        {"click 490 300", {"unlock chest"}, Keys("rgb", false)},
        {"wait 100", {}, nullptr},
        {"click 1000 370", {}, nullptr},
        {"wait 300", {"event complete", "completed buttons"}, nullptr},
    };
    PlayRoom("roomview/buttons.xml", steps);
}

TEST_F(BallButtonRoomsTest, Balls) {
    const auto shutter = [](int state, int x, int ballY) {
        return [=](TRoomHost& host) {
            auto* object = Object<TShutterObject>(host, "shutter");
            EXPECT_EQ(object->mState, state);
            EXPECT_EQ(static_cast<int>(object->mX), x);
            EXPECT_EQ(static_cast<int>(Object(host, "sh_ball")->mY), ballY);
        };
    };
    const auto gun = [](int state, int y) {
        return [=](TRoomHost& host) {
            auto* object = Object<TGunBallObject>(host, "gun");
            EXPECT_EQ(object->mState, state);
            if (y >= 0) {
                EXPECT_EQ(static_cast<int>(object->mY), y);
            }
        };
    };
    const auto shooter = [](int state) {
        return [=](TRoomHost& host) { EXPECT_EQ(Object<TBallShooterObject>(host, "shooter")->mState, state); };
    };
    const std::vector<TStep> steps = {
        // The launcher's ball has rolled onto the spring by the time the shutter is done.
        {"click 70 130", {"activate shutter"}, shutter(TShutterObject::kOpening, 120, 110)},
        {"wait 700", {"show lamp", "unlock fire"}, shutter(TShutterObject::kDone, 10, 310)},
        {"click 485 720", {"activate gun"}, gun(TGunBallObject::kFlyingOut, -1)},
        {"wait 1000", {}, gun(TGunBallObject::kFlyingOut, -1)},
        {"click 900 310", {}, nullptr},
        // Caught on its way back: standing on the barrier at 300.
        {"wait 700", {}, gun(TGunBallObject::kRiding, 270)},
        {"wait 0", {}, shooter(TBallShooterObject::kOnSpring)},
        {"click 470 310", {}, nullptr},
        {"wait 1700",
         {"show trophy"},
         [](TRoomHost& host) {
             EXPECT_EQ(Object<TGunBallObject>(host, "gun")->mState, TGunBallObject::kDone);
             EXPECT_FALSE(Object(host, "gun")->mVisible);
             EXPECT_FALSE(Object(host, "barrier")->IsLocked());
             EXPECT_TRUE(Object(host, "trophy")->IsLocked());
         }},
        {"save", {"saved"}, nullptr},
        {"wait 100", {}, shooter(TBallShooterObject::kOnSpring)},
        {"drag 820 580 820 730", {}, shooter(TBallShooterObject::kFlying)},
        {"wait 2500",
         {"unlock trophy"},
         [](TRoomHost& host) {
             EXPECT_TRUE(Object(host, "shooter")->IsLocked());
             EXPECT_EQ(static_cast<int>(Object(host, "sball")->mX), 1250);
             EXPECT_EQ(static_cast<int>(Object(host, "sball")->mY), 180);
         }},
        {"click 1270 660", {}, nullptr},
        {"wait 300", {"event complete", "completed balls"}, nullptr},
    };
    PlayRoom("roomview/balls.xml", steps);
}

} // namespace
