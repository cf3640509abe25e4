// The options window driven by the pointer: the volume sliders acting on the profile and the sound
// manager at once, "ok" writing the profile and "menu" not, the music started for the player to hear,
// the custom cursor choice, and the full-screen box with its refusal on a small desktop.

#include "dialogs/options_window.h"
#include "dialogs_fixture.h"
#include "media/sound_manager.h"
#include "screens/screen_openers.h"
#include "windows/game_cursors.h"
#include "windows/message_box.h"

namespace dialogtest {
namespace {

class OptionsWindowTest : public RunningDialogsTest {
protected:
    void SetUp() override {
        RunningDialogsTest::SetUp();
        // The harness made the window windowed behind the settings' back.
        TSettings::Get()->ReadFullscreen();
    }

    TOptionsWindow* OpenOptions() {
        OpenOptionsWindow();
        Settle();
        return dynamic_cast<TOptionsWindow*>(FindWindow(TOptionsWindow::kWindowId));
    }

    static TBaseSlider* Slider(const TMyWindow* window, int id) {
        return dynamic_cast<TBaseSlider*>(window->FindChildById(id));
    }
};

TEST_F(OptionsWindowTest, EachSliderSetsItsVolumeInTheProfileAndTheSoundManagerAtOnce) {
    AddPlayer("Ann");
    TOptionsWindow* options = OpenOptions();
    ASSERT_NE(options, nullptr);
    TSoundManager* sound = TSoundManager::FindInstance();
    ASSERT_NE(sound, nullptr);
    TUserInfo* profile = TUserInfo::Get();
    const struct {
        int slider;
        float at;
        float (*profileVolume)(const TUserInfo*);
        const char* list; // the list whose volume follows, "" for none
        bool music;
    } cases[] = {
        {TOptionsWindow::kMusicSlider, 0.25f, [](const TUserInfo* p) { return p->GetMusicVolume(); }, "music", true},
        {TOptionsWindow::kSoundSlider, 0.75f, [](const TUserInfo* p) { return p->GetGroupVolume(0); }, "sound", false},
        {TOptionsWindow::kVoiceSlider, 0.5f, [](const TUserInfo* p) { return p->GetGroupVolume(1); }, "", false},
        {TOptionsWindow::kGroup2Slider, 1.0f, [](const TUserInfo* p) { return p->GetGroupVolume(2); }, "", false},
    };
    for (const auto& entry : cases) {
        ClickSlider(Slider(options, entry.slider), entry.at);
        EXPECT_NEAR(entry.profileVolume(profile), entry.at, 0.01f) << entry.slider;
        if (entry.list[0] != '\0') {
            const TPlayList* list = entry.music ? static_cast<const TPlayList*>(sound->FindMusicList(entry.list))
                                                : static_cast<const TPlayList*>(sound->FindSoundList(entry.list));
            ASSERT_NE(list, nullptr) << entry.list;
            EXPECT_NEAR(list->GetVolume(), entry.at, 0.01f) << entry.slider;
        }
    }
    // "menu" keeps the volumes in memory but writes nothing.
    Click(FindButton(options, "menu"));
    Settle();
    EXPECT_EQ(FindWindow(TOptionsWindow::kWindowId), nullptr);
    EXPECT_NEAR(profile->GetMusicVolume(), 0.25f, 0.01f);
    ASSERT_TRUE(TSettings::Get()->LoadProfile());
    EXPECT_FLOAT_EQ(profile->GetMusicVolume(), TBaseUserInfo::kDefaultMusicVolume);
}

TEST_F(OptionsWindowTest, OkWritesTheVolumesIntoTheProfileFile) {
    AddPlayer("Ann");
    TOptionsWindow* options = OpenOptions();
    ASSERT_NE(options, nullptr);
    // The sliders start at the profile's volumes.
    EXPECT_FLOAT_EQ(Slider(options, TOptionsWindow::kMusicSlider)->mValue, TBaseUserInfo::kDefaultMusicVolume);
    ClickSlider(Slider(options, TOptionsWindow::kSoundSlider), 0.25f);
    ClickSlider(Slider(options, TOptionsWindow::kVoiceSlider), 0.75f);
    Click(FindButton(options, "ok"));
    Settle();
    EXPECT_EQ(FindWindow(TOptionsWindow::kWindowId), nullptr);
    TUserInfo::Get()->SetGroupVolume(0, 1.0f);
    TUserInfo::Get()->SetGroupVolume(1, 1.0f);
    ASSERT_TRUE(TSettings::Get()->LoadProfile());
    EXPECT_NEAR(TUserInfo::Get()->GetGroupVolume(0), 0.25f, 0.01f);
    EXPECT_NEAR(TUserInfo::Get()->GetGroupVolume(1), 0.75f, 0.01f);
}

TEST_F(OptionsWindowTest, TheMusicSliderStartsTheMenuTuneWhereNothingPlaysAndClosingStopsIt) {
    TSoundManager* sound = TSoundManager::FindInstance();
    ASSERT_NE(sound, nullptr);
    sound->StopMusic();
    TOptionsWindow* options = OpenOptions();
    ASSERT_NE(options, nullptr);
    ClickSlider(Slider(options, TOptionsWindow::kMusicSlider), 0.5f);
    EXPECT_TRUE(options->HasStartedMusic());
    EXPECT_TRUE(sound->IsMusicPlaying("mainmenu"));
    Click(FindButton(options, "menu"));
    Settle();
    EXPECT_FALSE(sound->IsAnyMusicPlaying());
}

TEST_F(OptionsWindowTest, TheCursorBoxSwitchesTheCursorsAndTheSetting) {
    TOptionsWindow* options = OpenOptions();
    ASSERT_NE(options, nullptr);
    TMyButton* box = FindButton(options, "customcursor");
    ASSERT_NE(box, nullptr);
    const bool before = TSettings::Get()->IsCustomCursor();
    EXPECT_EQ(box->mChecked, before);
    Click(box);
    EXPECT_EQ(box->mChecked, !before);
    EXPECT_EQ(TSettings::Get()->IsCustomCursor(), !before);
    Click(box);
    EXPECT_EQ(TSettings::Get()->IsCustomCursor(), before);
}

TEST_F(OptionsWindowTest, FullScreenIsEnteredAnywhereButLeftOnlyOnADesktopTallerThan600) {
    const struct {
        int desktopHeight;
        bool startFull;
        bool endFull;
        bool refused;
    } cases[] = {{768, false, true, false},
                 {600, false, true, false},
                 {768, true, false, false},
                 {600, true, true, true},
                 {480, true, true, true}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(FormatString("desktop %d, full screen %d", entry.desktopHeight, entry.startFull));
        TSettings* settings = TSettings::Get();
        if (settings->IsFullscreen() != entry.startFull) {
            settings->ToggleFullscreen();
        }
        ASSERT_EQ(settings->IsFullscreen(), entry.startFull);
        GetDisplay().mHeightBeforeStart = entry.desktopHeight;
        TOptionsWindow* options = OpenOptions();
        ASSERT_NE(options, nullptr);
        TMyButton* box = FindButton(options, "fullscreen");
        EXPECT_EQ(box->mChecked, entry.startFull);
        Click(box);
        Frame();
        EXPECT_EQ(settings->IsFullscreen(), entry.endFull);
        EXPECT_EQ(box->mChecked, entry.endFull);
        auto* notice = dynamic_cast<TMessageBoxOkWindow*>(TMyWindowManager::Get()->GetPopups().back());
        ASSERT_EQ(notice != nullptr, entry.refused);
        if (notice != nullptr) {
            EXPECT_EQ(notice->GetMessage()->mTextKey, "wrongresolution");
            Settle();
            Click(notice->FindChildById(1));
            Settle();
        }
        Click(FindButton(options, "menu"));
        Settle();
        ASSERT_EQ(FindWindow(TOptionsWindow::kWindowId), nullptr);
    }
}

TEST_F(OptionsWindowTest, TheFullScreenBoxFollowsADisplaySwitchMadeElsewhereWithinAFrame) {
    TOptionsWindow* options = OpenOptions();
    ASSERT_NE(options, nullptr);
    TMyButton* box = FindButton(options, "fullscreen");
    const bool before = box->mChecked;
    TSettings::Get()->ToggleFullscreen();
    Frame();
    EXPECT_EQ(box->mChecked, !before);
}

} // namespace
} // namespace dialogtest
