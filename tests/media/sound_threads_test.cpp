// The real audio thread on the default (null output) device: the main thread plays, stops, pauses
// and changes volumes while the thread streams. These tests check safety, not timing.

#include <SDL.h>

#include <chrono>

#include "media/sound_test_support.h"

namespace sound_test {
namespace {

const char* const kSoundsXml = R"(<sounds>
  <music id="theme" name="long"/>
  <sound id="loop" name="loop" loop="-1"/>
  <sound id="blip" name="short"/>
  <sound id="twice" name="short" loop="2"/>
  <voice id="line" name="long"/>
</sounds>
)";

class AudioThreadTest : public testing::Test {
protected:
    void SetUp() override {
        mAssets = std::make_unique<TAssetsRoot>();
        ASSERT_TRUE(mAssets->IsReady());
        ASSERT_TRUE(WriteOggVorbis("assets/loop.ogg", MakeTone(0.4)));
        ASSERT_TRUE(WriteOggVorbis("assets/short.ogg", MakeTone(0.2, 660.0, 1)));
        ASSERT_TRUE(WriteOggVorbis("assets/long.ogg", MakeTone(4.0)));
        ASSERT_TRUE(harness::WriteFile("assets/sounds.xml", kSoundsXml));
    }

    void TearDown() override { TSoundManager::DestroyInstance(); }

    // Waits for a condition with a generous limit, running the game's frame update meanwhile.
    static bool PollFor(TSoundManager* manager, bool (*condition)(TSoundManager*)) {
        for (int i = 0; i < 500; ++i) {
            if (condition(manager)) {
                return true;
            }
            SDL_Delay(10);
            manager->Update(0.01f);
        }
        return condition(manager);
    }

    static double SecondsToDestroy() {
        auto start = std::chrono::steady_clock::now();
        TSoundManager::DestroyInstance();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    std::unique_ptr<TAssetsRoot> mAssets;
};

TEST_F(AudioThreadTest, MainThreadRequestsWhileTheThreadStreams) {
    TSoundManager* manager = TSoundManager::GetInstance();
    ASSERT_TRUE(TOpenAlSystem::GetInstance()->HasDevice());
    manager->Load("sounds.xml");
    manager->PlaySound("loop");
    manager->PlayMusic("theme");

    TOpenAlSystem* system = TOpenAlSystem::GetInstance();
    for (int i = 0; i < 150; ++i) {
        manager->PlaySound(i % 2 == 0 ? "blip" : "twice");
        manager->SetGroupVolume(static_cast<float>(i % 10) / 10.0f, i % 2);
        manager->SetMusicVolume(static_cast<float>(i % 7) / 7.0f);
        if (i % 15 == 0) {
            manager->PlaySound("line");
            manager->PauseAll(true);
        }
        if (i % 15 == 5) {
            manager->PauseAll(false);
            manager->StopSound("line");
        }
        if (i % 25 == 0) {
            uint32_t handle = system->OpenStream("assets/short.ogg");
            system->Play(handle, false, 0.5f);
            system->CloseStream(handle);
        }
        manager->Update(0.01f);
        SDL_Delay(10);
    }
    manager->PauseAll(false);
    manager->StopSound("blip");
    manager->StopSound("twice");

    // 1.5 s and more than three times its length later, the endless loop plays on.
    EXPECT_TRUE(manager->IsSoundPlaying("loop"));
    manager->PlaySound("blip");
    EXPECT_TRUE(PollFor(manager, [](TSoundManager* m) { return !m->IsSoundPlaying("blip"); }));
    // One pass and one 100 ms delay at most, with a wide margin.
    EXPECT_LT(SecondsToDestroy(), 2.0);
    EXPECT_FALSE(TOpenAlSystem::HasInstance());
}

TEST_F(AudioThreadTest, WithoutADeviceTheThreadRunsAndJoins) {
    TOpenAlSystem::CreateInstance(nullptr, nullptr);
    TSoundManager* manager = TSoundManager::GetInstance();
    manager->Load("sounds.xml");
    for (int i = 0; i < 20; ++i) {
        manager->PlaySound("blip");
        manager->PlayMusic("theme");
        manager->SetGroupVolume(0.5f, 0);
        manager->PauseAll(i % 2 == 0);
        manager->Update(0.01f);
        SDL_Delay(10);
    }
    EXPECT_FALSE(manager->IsSoundPlaying("blip"));
    EXPECT_FALSE(manager->IsAnyMusicPlaying());
    EXPECT_LT(SecondsToDestroy(), 2.0);
}

} // namespace
} // namespace sound_test
