// The rewards on the level map: one place per reward of the catalogue, the picture of each found one,
// the flight of a reward found since the last visit, and the tip when a place is pressed.

#include <gtest/gtest.h>

#include "app/renderer.h"
#include "map/map_window.h"
#include "map/reward_place.h"
#include "map_fixture.h"
#include "media/sound_manager.h"

namespace {

std::vector<TRewardPlace*> PlacesOf(const TMapWindow& map) {
    std::vector<TRewardPlace*> places;
    for (TMyWindow* child : map.mChildren) {
        if (child->GetType() == TRewardPlace::kType) {
            places.push_back(dynamic_cast<TRewardPlace*>(child));
        }
    }
    return places;
}

void Advance(TRewardPlace& place, float seconds) {
    for (float t = 0; t < seconds - 0.001f; t += 0.125f) {
        place.Update(0.125f);
    }
}

} // namespace

class RewardPlaceTest : public MapScreensTest {
protected:
    void SetUp() override {
        MapScreensTest::SetUp();
        StartWithPlayer();
        MarkMapTipsSeen();
        ASSERT_EQ(GetRewardList().size(), 4u);
    }

    TMapWindow* OpenMap() {
        ShowMapScreen();
        Frames(kFaderFrames);
        return TopScreen<TMapWindow>();
    }
};

TEST_F(RewardPlaceTest, EveryRewardHasAPlaceAndTheNewOnesAreInFrontInCatalogueOrder) {
    TRewardList& rewards = GetRewardList();
    rewards[0]->mObtained = true;
    rewards[0]->mNew = true;
    rewards[1]->mObtained = true;
    rewards[2]->mObtained = true;
    rewards[2]->mNew = true;
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    const std::vector<TRewardPlace*> places = PlacesOf(*map);
    ASSERT_EQ(places.size(), 4u);
    // The old rewards keep catalogue order, the new ones follow them in catalogue order.
    const std::vector<TReward*> order = {rewards[1].get(), rewards[3].get(), rewards[0].get(), rewards[2].get()};
    for (size_t i = 0; i < places.size(); ++i) {
        SCOPED_TRACE(i);
        const TReward* reward = places[i]->GetReward();
        EXPECT_EQ(reward, order[i]);
        EXPECT_EQ(places[i]->GetX(), reward->mX);
        EXPECT_EQ(places[i]->GetY(), reward->mY);
        EXPECT_EQ(places[i]->GetWidth(), 64);
        EXPECT_EQ(places[i]->GetHeight(), 64);
        EXPECT_EQ(places[i]->mNew, reward == rewards[0].get() || reward == rewards[2].get());
    }
    EXPECT_FALSE(map->AreAllRewardsObtained());
}

// Two rewards won in one level: the later one of the catalogue flies at once, the earlier one 4 s later.
TEST_F(RewardPlaceTest, NewRewardsFlyInOneAfterAnotherTheLastFirst) {
    TRewardList& rewards = GetRewardList();
    for (int i : {0, 2}) {
        rewards[static_cast<size_t>(i)]->mObtained = true;
        rewards[static_cast<size_t>(i)]->mNew = true;
    }
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    TRewardPlace* first = nullptr;
    TRewardPlace* last = nullptr;
    for (TRewardPlace* place : PlacesOf(*map)) {
        first = place->GetReward() == rewards[0].get() ? place : first;
        last = place->GetReward() == rewards[2].get() ? place : last;
    }
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    // The map has shown for about a second and a half: the last reward has landed, the first still waits.
    EXPECT_EQ(last->GetFlight(), nullptr);
    EXPECT_FALSE(rewards[2]->mNew);
    ASSERT_NE(first->GetFlight(), nullptr);
    EXPECT_GT(first->GetFlight()->GetDelay(), 2.0f);
    EXPECT_LT(first->GetFlight()->GetDelay(), 3.0f);
    EXPECT_TRUE(rewards[0]->mNew);
    Seconds(4.0f);
    EXPECT_EQ(first->GetFlight(), nullptr);
    EXPECT_FALSE(rewards[0]->mNew);
}

// One flight alone: 4 s hidden, then "getreward" as it appears, shrinking from 1.5 to 1.0 in 0.3 s,
// waiting 0.3 s, and half a second along its arc to the middle of the place.
TEST_F(RewardPlaceTest, AFlightWaitsShrinksPausesAndFollowsItsArc) {
    TReward& reward = *GetRewardList()[3];
    reward.mObtained = true;
    reward.mNew = true;
    TRewardPlace place;
    place.Start(4.0f, &reward);
    ASSERT_NE(place.GetFlight(), nullptr);
    TSoundManager* sound = TSoundManager::FindInstance();
    ASSERT_NE(sound, nullptr);
    sound->StopSound("getreward");
    struct Stop {
        float time;
        bool visible;
        int state;
        bool sound;
    };
    const Stop stops[] = {
        {3.875f, false, TRewardFlight::kShrinking, false},
        {4.125f, true, TRewardFlight::kShrinking, true},
        {4.5f, true, TRewardFlight::kWaiting, true},
        {4.875f, true, TRewardFlight::kMoving, true},
    };
    float now = 0;
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.time);
        Advance(place, stop.time - now);
        now = stop.time;
        const TRewardFlight* flight = place.GetFlight();
        ASSERT_NE(flight, nullptr);
        EXPECT_EQ(const_cast<TRewardFlight*>(flight)->IsVisible(), stop.visible);
        EXPECT_EQ(flight->GetState(), stop.state);
        EXPECT_EQ(sound->IsSoundPlaying("getreward"), stop.sound);
        if (stop.state == TRewardFlight::kShrinking && stop.visible) {
            EXPECT_GT(flight->mScaleX, 1.0f);
            EXPECT_LE(flight->mScaleX, 1.5f);
        }
        if (stop.state == TRewardFlight::kMoving) {
            // On its way from the screen's centre to the place's.
            EXPECT_GT(flight->mBaseX, 683.0f);
            EXPECT_LT(flight->mBaseX, reward.mX + 32.0f);
        }
    }
    Advance(place, 0.5f);
    EXPECT_EQ(place.GetFlight(), nullptr);
    EXPECT_FALSE(reward.mNew);
}

TEST_F(RewardPlaceTest, PressingAPlaceTellsToFindTheMissingPieces) {
    struct Case {
        const char* what;
        int obtained;
        const char* tip;
    };
    const Case cases[] = {{"some missing", 3, "TipMahFindPieces"}, {"all found", 4, ""}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        for (int i = 0; i < 4; ++i) {
            GetRewardList()[static_cast<size_t>(i)]->mObtained = i < test.obtained;
        }
        TMapWindow* map = OpenMap();
        ASSERT_NE(map, nullptr);
        const TReward& reward = *GetRewardList()[0];
        ClickAt(reward.mX + 32, reward.mY + 32);
        EXPECT_EQ(ShowingTipName(), test.tip);
        HideTutorial();
        // Shown again on every press.
        if (*test.tip != 0) {
            Frames(2);
            ClickAt(reward.mX + 32, reward.mY + 32);
            EXPECT_EQ(ShowingTipName(), test.tip);
            HideTutorial();
        }
        FreshMenu();
    }
}

TEST_F(RewardPlaceTest, ARewardStillWaitingWhenTheMapIsLeftFliesOnTheNextVisit) {
    TRewardList& rewards = GetRewardList();
    for (int i : {0, 1}) {
        rewards[static_cast<size_t>(i)]->mObtained = true;
        rewards[static_cast<size_t>(i)]->mNew = true;
    }
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    FreshMenu();
    EXPECT_FALSE(rewards[1]->mNew);
    EXPECT_TRUE(rewards[0]->mNew);
    ShowMapScreen();
    // The map shows half way through the fader; alone now, the reward flies at once.
    Frames(6);
    map = TopScreen<TMapWindow>();
    ASSERT_NE(map, nullptr);
    int flights = 0;
    for (TRewardPlace* place : PlacesOf(*map)) {
        if (place->GetFlight() != nullptr) {
            ++flights;
            EXPECT_EQ(place->GetReward(), rewards[0].get());
            EXPECT_FLOAT_EQ(place->GetFlight()->GetDelay(), 0.0f);
        }
    }
    EXPECT_EQ(flights, 1);
    Frames(kFaderFrames);
    EXPECT_FALSE(rewards[0]->mNew);
}

TEST_F(RewardPlaceTest, AFoundRewardShowsItsPictureAndAMissingOneNothing) {
    TRewardList& rewards = GetRewardList();
    rewards[0]->mObtained = true;
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    auto drawnAt = [](int x, int y) {
        SDL_SetRenderDrawColor(GetSDLRenderer(), 0, 0, 0, 255);
        SDL_RenderClear(GetSDLRenderer());
        TMyWindowManager::Get()->Draw();
        uint32_t pixel = 0;
        const SDL_Rect rect{x, y, 1, 1};
        EXPECT_EQ(SDL_RenderReadPixels(GetSDLRenderer(), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
        return pixel & 0xFFFFFF;
    };
    // The middle of each place, drawn with and without its reward found: only a found one changes it.
    const uint32_t found = drawnAt(rewards[0]->mX + 32, rewards[0]->mY + 32);
    const uint32_t missing = drawnAt(rewards[1]->mX + 32, rewards[1]->mY + 32);
    rewards[0]->mObtained = false;
    rewards[1]->mObtained = true;
    EXPECT_NE(drawnAt(rewards[0]->mX + 32, rewards[0]->mY + 32), found);
    EXPECT_NE(drawnAt(rewards[1]->mX + 32, rewards[1]->mY + 32), missing);
}
