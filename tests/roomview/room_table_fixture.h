#pragma once
// Plays a demonstration room from an action table through the viewer's host: each step's reactions in
// order and a check of what it changed, completion, and the same saved ending after a save and a restore
// into a fresh host in the middle.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/renderer.h"
#include "harness/harness.h"
#include "objects/object.h"
#include "room_host.h"

namespace roomtable {

using Lines = std::vector<std::string>;

// One step: an action ("click" takes an object id, the point is that object's centre), what the host
// hears, and a check of what the step changed.
struct TStep {
    std::string action;
    Lines heard;
    std::function<void(TRoomHost&)> check;
};

class RoomTableTest : public testing::Test {
protected:
    void SetUp() override {
        mRoot = std::make_unique<harness::ScopedDataRoot>(ROOMVIEW_ROOMS_DIR);
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        mWindow = SDL_CreateWindow("room table test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        ASSERT_NE(mWindow, nullptr);
        ASSERT_NE(CreateRenderer(mWindow), nullptr);
    }
    void TearDown() override {
        DestroyRenderer();
        SDL_DestroyWindow(mWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        mRoot.reset();
    }

    // "click ID" presses the centre of that object; a fixture whose rooms name points only, or that finds
    // ids elsewhere, says so here.
    virtual std::string Resolve(TRoomHost& host, const std::string& action) {
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
            SCOPED_TRACE(std::to_string(i) + ": " + step.action);
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
        BeforeEnding(host);
        return host.SavedState();
    }

    // The whole table, then from its save point again in a fresh host: the same saved ending, completed.
    void PlayRoom(const std::string& file, const std::vector<TStep>& steps) {
        std::vector<uint8_t> ending;
        {
            TRoomHost host;
            ASSERT_TRUE(host.Open(file));
            Opened(host);
            ending = PlaySteps(host, steps, 0, true);
            EXPECT_TRUE(host.IsCompleted());
        }
        ASSERT_FALSE(mSaved.empty());
        TRoomHost fresh;
        ASSERT_TRUE(fresh.Open(file));
        fresh.SetSaved(mSaved);
        fresh.Restore();
        Restored(fresh);
        const std::vector<uint8_t> resumed = PlaySteps(fresh, steps, mResumeAt, false);
        EXPECT_EQ(resumed, ending);
        ReportFirstDifference(ending, resumed);
        EXPECT_TRUE(fresh.IsCompleted());
    }

    // Both runs' endings are compared after this; a fixture whose rooms hold state that is random by design
    // parks it here.
    virtual void BeforeEnding(TRoomHost& host) {}
    // What the room says on opening, before the first step.
    virtual void Opened(TRoomHost& host) { host.TakeTranscript(); }
    // What the fresh host says and holds right after the restore, before the steps after the save.
    virtual void Restored(TRoomHost& fresh) {
        EXPECT_EQ(fresh.TakeTranscript(), (Lines{"room " + fresh.GetRoom()->mName, "restored"}));
    }

    // Two saved states compare as long byte lists; name where they part, with the bytes around it.
    static void ReportFirstDifference(const std::vector<uint8_t>& ending, const std::vector<uint8_t>& resumed) {
        const size_t common = std::min(resumed.size(), ending.size());
        for (size_t i = 0; i < common; ++i) {
            if (resumed[i] != ending[i]) {
                std::string a, b;
                for (size_t k = (i > 40 ? i - 40 : 0); k < i + 8 && k < common; ++k) {
                    a += std::to_string(ending[k]) + " ";
                    b += std::to_string(resumed[k]) + " ";
                }
                ADD_FAILURE() << "first difference at " << i << " of " << ending.size() << "/" << resumed.size() << "\n"
                              << a << "\n"
                              << b;
                return;
            }
        }
    }

    static TObject* Object(TRoomHost& host, const std::string& id) { return host.GetRoom()->FindObjectById(id); }

    std::unique_ptr<harness::ScopedDataRoot> mRoot;
    SDL_Window* mWindow = nullptr;
    std::vector<uint8_t> mSaved;
    size_t mResumeAt = 0;
};

} // namespace roomtable
