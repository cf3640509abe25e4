// The sound manager over the loopback device: "sounds.xml", lists by name, routing of requests,
// volume groups and pausing on focus loss.

#include <tinyxml.h>

#include "app/missing_names.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "media/sound_test_support.h"

namespace sound_test {
namespace {

const char* const kSoundsXml = R"(<sounds>
  <music id="mainmenu" name="theme"/>
  <sound id="click" name="click" volume="0.5"/>
  <music1 id="level1" name="theme"/>
  <voice id="hello" name="voice"/>
  <music1 id="level2" name="theme2"/>
  <other id="stray" name="click"/>
  <sound id="both" name="click"/>
  <voice id="both" name="voice"/>
  <sound id="later" name="click" delay="1"/>
</sounds>
)";

class SoundManagerTest : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        for (const char* name : {"theme", "theme2", "click", "voice", "drip"}) {
            WriteSound(name, MakeTone(2.0));
        }
        ASSERT_TRUE(harness::WriteFile("assets/sounds.xml", kSoundsXml));
        mManager = TSoundManager::CreateInstance(false);
        mManager->Load("sounds.xml");
    }

    static std::vector<std::string> Ids(const TPlayList* list) {
        std::vector<std::string> ids;
        for (const TSoundInfoPtr& entry : list->GetEntries()) {
            ids.push_back(entry->GetId());
        }
        return ids;
    }

    TSoundInfoPtr SoundEntry(const char* list, const char* id) const {
        return mManager->FindSoundList(list)->FindById(id);
    }

    // Adds the stage list "stage" with the entries "drip" and "click", not loaded.
    void AddStageList() {
        mStage.Clear();
        mStage.Parse("<stage><sound id='drip' name='drip'/><sound id='click' name='drip'/></stage>");
        mManager->AddSoundList("stage", mStage.RootElement(), "sound", false, 0);
    }

    static int MissingCount(const std::string& id) {
        int count = 0;
        for (const TMissingName& missing : GetMissingNames()) {
            count += missing.kind == "sound" && missing.name == id ? 1 : 0;
        }
        return count;
    }

    TSoundManager* mManager = nullptr;
    TiXmlDocument mStage;
};

TEST_F(SoundManagerTest, LoadsTheFourListsInDocumentOrderAndOpensThem) {
    struct Case {
        const char* list;
        bool music;
        std::vector<std::string> ids;
        int group;
    };
    const Case cases[] = {
        {"music", true, {"mainmenu"}, -1},
        {"music1", true, {"level1", "level2"}, -1},
        {"sound", false, {"click", "both", "later"}, 0},
        {"voice", false, {"hello", "both"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const TPlayList* list =
            c.music ? static_cast<const TPlayList*>(mManager->FindMusicList(c.list)) : mManager->FindSoundList(c.list);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(Ids(list), c.ids);
        EXPECT_TRUE(list->IsLoaded());
        for (const TSoundInfoPtr& entry : list->GetEntries()) {
            EXPECT_NE(entry->GetHandle(), 0u) << entry->GetId();
        }
        if (!c.music) {
            EXPECT_EQ(mManager->FindSoundList(c.list)->GetGroup(), c.group);
        }
    }
    EXPECT_EQ(mManager->FindSoundList("other"), nullptr);
    EXPECT_EQ(mManager->FindSoundList("Sound"), nullptr);
    EXPECT_EQ(GetXmlRootWalkers(), 0);
}

TEST_F(SoundManagerTest, MissingOrBrokenFileLoadsNothingAndRequestsStaySilent) {
    const char* const files[] = {nullptr, "<sounds><sound id='click' name='click'"};
    for (const char* text : files) {
        SCOPED_TRACE(text != nullptr ? "broken" : "missing");
        ASSERT_EQ(std::remove("assets/sounds.xml"), 0);
        if (text != nullptr) {
            ASSERT_TRUE(harness::WriteFile("assets/sounds.xml", text));
        }
        mManager = TSoundManager::CreateInstance(false);
        mManager->Load("sounds.xml");
        EXPECT_EQ(mManager->FindSoundList("sound"), nullptr);
        EXPECT_EQ(mManager->FindMusicList("music"), nullptr);
        mManager->PlaySound("click");
        mManager->PlayMusic("mainmenu");
        mManager->Update(0.1f);
        EXPECT_FALSE(mManager->IsSoundPlaying("click"));
        EXPECT_FALSE(mManager->IsAnyMusicPlaying());
        ASSERT_TRUE(harness::WriteFile("assets/sounds.xml", kSoundsXml));
    }
}

TEST_F(SoundManagerTest, SoundIdInSeveralListsPlaysFromTheFirstLoadedListByName) {
    mManager->PlaySound("both");
    EXPECT_TRUE(SoundEntry("sound", "both")->IsPlaying());
    EXPECT_FALSE(SoundEntry("voice", "both")->IsPlaying());

    // "stage" comes before "sound" by name, but is asked only once it is loaded.
    AddStageList();
    mManager->PlaySound("click");
    EXPECT_TRUE(SoundEntry("sound", "click")->IsPlaying());
    EXPECT_FALSE(SoundEntry("stage", "click")->IsPlaying());
    mManager->FindSoundList("stage")->LoadSounds();
    mManager->PlaySound("drip");
    EXPECT_TRUE(mManager->IsSoundPlaying("drip"));
}

TEST_F(SoundManagerTest, UnknownSoundIsReportedOnceAndAnUnloadedOneNever) {
    AddStageList();
    struct Case {
        const char* id;
        int reports;
    };
    const Case cases[] = {{"nope", 1}, {"drip", 0}, {"", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        mManager->PlaySound(c.id);
        mManager->PlaySound(c.id);
        EXPECT_EQ(MissingCount(c.id), c.reports);
        EXPECT_EQ(CountLogLines(std::string("sound not found ") + c.id), c.reports);
    }
    mManager->PlayMusic("nomusic");
    EXPECT_EQ(MissingCount("nomusic"), 1);
}

TEST_F(SoundManagerTest, StopSoundEndsThePlayAndAWaitingRequest) {
    mManager->PlaySound("click");
    mManager->StopSound("click");
    EXPECT_FALSE(mManager->IsSoundPlaying("click"));

    mManager->PlaySound("later");
    mManager->Update(0.5f);
    mManager->StopSound("later");
    mManager->Update(1.0f);
    EXPECT_FALSE(mManager->IsSoundPlaying("later"));
}

TEST_F(SoundManagerTest, GroupVolumesAreClampedForListsAndRememberedAsGiven) {
    struct Case {
        const char* name;
        void (*change)(TSoundManager&);
        float sound; // volume of the list "sound" after the change
        float voice; // of "voice"
        float music; // of "music"
        float laterGroup0;
        float laterGroup1;
    };
    const Case cases[] = {
        {"effects above 1", [](TSoundManager& m) { m.SetGroupVolume(1.5f, 0); }, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f},
        {"effects", [](TSoundManager& m) { m.SetGroupVolume(0.25f, 0); }, 0.25f, 1.0f, 1.0f, 0.25f, 1.0f},
        {"voice", [](TSoundManager& m) { m.SetGroupVolume(0.3f, 1); }, 1.0f, 0.3f, 1.0f, 1.0f, 0.3f},
        {"group 2: no list, but the voice volume", [](TSoundManager& m) { m.SetGroupVolume(0.4f, 2); }, 1.0f, 1.0f,
         1.0f, 1.0f, 0.4f},
        {"music below 0", [](TSoundManager& m) { m.SetMusicVolume(-0.5f); }, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mManager = TSoundManager::CreateInstance(false);
        mManager->Load("sounds.xml");
        mManager->PlaySound("click");
        c.change(*mManager);
        EXPECT_FLOAT_EQ(mManager->FindSoundList("sound")->GetVolume(), c.sound);
        EXPECT_FLOAT_EQ(mManager->FindSoundList("voice")->GetVolume(), c.voice);
        EXPECT_FLOAT_EQ(mManager->FindMusicList("music")->GetVolume(), c.music);
        EXPECT_FLOAT_EQ(SourceGain(SoundEntry("sound", "click")->GetPlayId()), 0.5f * c.sound);

        mStage.Clear();
        mStage.Parse("<stage><sound id='drip' name='drip'/></stage>");
        mManager->AddSoundList("effects2", mStage.RootElement(), "sound", false, 0);
        mManager->AddSoundList("voices2", mStage.RootElement(), "sound", false, 1);
        EXPECT_FLOAT_EQ(mManager->FindSoundList("effects2")->GetVolume(), c.laterGroup0);
        EXPECT_FLOAT_EQ(mManager->FindSoundList("voices2")->GetVolume(), c.laterGroup1);
    }
}

TEST_F(SoundManagerTest, StageListCannotTakeTheNameOfTheGameLists) {
    mStage.Parse("<stage><sound id='drip' name='drip'/></stage>");
    for (const char* name : {"music", "music1", "sound", "voice"}) {
        SCOPED_TRACE(name);
        mManager->AddSoundList(name, mStage.RootElement(), "sound", false, 0);
        mManager->AddMusicList(name, mStage.RootElement(), "sound");
        EXPECT_EQ(CountLogLines(std::string("sound list ") + name +
                                ": the name belongs to the game's own lists, list skipped"),
                  1);
        EXPECT_EQ(CountLogLines(std::string("music list ") + name +
                                ": the name belongs to the game's own lists, list skipped"),
                  1);
    }
    EXPECT_EQ(Ids(mManager->FindSoundList("sound")), (std::vector<std::string>{"click", "both", "later"}));
    EXPECT_EQ(Ids(mManager->FindSoundList("voice")), (std::vector<std::string>{"hello", "both"}));
    EXPECT_EQ(Ids(mManager->FindMusicList("music")), (std::vector<std::string>{"mainmenu"}));
    EXPECT_EQ(Ids(mManager->FindMusicList("music1")), (std::vector<std::string>{"level1", "level2"}));
    mManager->PlaySound("click");
    EXPECT_TRUE(mManager->IsSoundPlaying("click"));
}

TEST_F(SoundManagerTest, ListAddedUnderATakenNameReplacesTheOldOneAndAnEmptyNameNothing) {
    AddStageList();
    mManager->FindSoundList("stage")->LoadSounds();
    mManager->PlaySound("drip");
    mStage.Clear();
    mStage.Parse("<stage><sound id='rain' name='drip'/></stage>");
    mManager->AddSoundList("stage", mStage.RootElement(), "sound", true, 0);
    mManager->AddSoundList("", mStage.RootElement(), "sound", true, 0);

    EXPECT_EQ(Ids(mManager->FindSoundList("stage")), std::vector<std::string>{"rain"});
    EXPECT_EQ(mManager->FindSoundList(""), nullptr);
    // The old list's streams went with it.
    EXPECT_FALSE(mManager->IsSoundPlaying("drip"));
    EXPECT_TRUE(IsSilent(RenderWithUpdates(0.2)));
}

TEST_F(SoundManagerTest, MusicIsPlayedByIdOrByListAndStopsWithAFade) {
    mManager->StartMusicList("nothing", false);
    EXPECT_FALSE(mManager->IsAnyMusicPlaying());

    mManager->StartMusicList("music1", false);
    EXPECT_TRUE(mManager->IsMusicPlaying("level1"));
    mManager->PlayMusic("mainmenu");
    EXPECT_TRUE(mManager->IsMusicPlaying("mainmenu"));
    EXPECT_FALSE(mManager->IsMusicPlaying("level2"));

    mManager->Update(5.0f);
    mManager->StopMusic();
    mManager->Update(2.5f);
    EXPECT_TRUE(mManager->IsAnyMusicPlaying());
    mManager->Update(2.5f);
    EXPECT_FALSE(mManager->IsAnyMusicPlaying());
}

TEST_F(SoundManagerTest, FocusLossPausesEverythingAndRegainResumesOnlyWhatWasPaused) {
    mManager->PlaySound("click");
    mManager->PlayMusic("mainmenu");
    mManager->Update(5.0f);
    RenderWithUpdates(0.3);

    mManager->PauseAll(true);
    EXPECT_TRUE(SoundEntry("sound", "click")->IsPaused());
    EXPECT_TRUE(mManager->FindMusicList("music")->GetCurrent()->IsPaused());
    EXPECT_TRUE(IsSilent(RenderWithUpdates(0.3)));

    // A sound started while the window has no focus plays, and the resume leaves it alone.
    mManager->PlaySound("hello");
    RenderWithUpdates(0.2);
    uint32_t hello = SoundEntry("voice", "hello")->GetPlayId();
    ALint helloOffset = SourceInt(hello, AL_SAMPLE_OFFSET);
    ASSERT_GT(helloOffset, 8000);
    mManager->PauseAll(false);
    EXPECT_GE(SourceInt(hello, AL_SAMPLE_OFFSET), helloOffset);
    EXPECT_TRUE(SoundEntry("sound", "click")->IsPlaying());
    EXPECT_TRUE(mManager->IsMusicPlaying("mainmenu"));
    EXPECT_GT(Rms(RenderWithUpdates(0.2)), 3000.0);

    // A second regain, with no loss in between, restarts nothing either.
    helloOffset = SourceInt(hello, AL_SAMPLE_OFFSET);
    ASSERT_GT(helloOffset, 1000);
    mManager->PauseAll(false);
    EXPECT_GE(SourceInt(hello, AL_SAMPLE_OFFSET), helloOffset);
}

TEST_F(SoundManagerTest, PlaySoundShortcutsGoThroughTheManager) {
    PlaySoundIfNamed("");
    EXPECT_TRUE(GetMissingNames().empty());
    PlaySoundIfNamed("hello");
    EXPECT_TRUE(mManager->IsSoundPlaying("hello"));
    PlaySoundByName("click");
    EXPECT_TRUE(mManager->IsSoundPlaying("click"));
    PlaySoundByName("nope");
    EXPECT_EQ(MissingCount("nope"), 1);
}

TEST_F(SoundManagerTest, ProfileVolumesReachTheListsWhenAProfileIsApplied) {
    TUserInfo* profile = TUserInfo::Get();
    profile->SetMusicVolume(0.2f);
    profile->SetGroupVolume(0, 0.6f);
    profile->SetGroupVolume(1, 1.4f);
    profile->SetGroupVolume(2, 0.1f);
    ApplyProfileVolumes();
    profile->Reset();

    EXPECT_FLOAT_EQ(mManager->FindMusicList("music")->GetVolume(), 0.2f);
    EXPECT_FLOAT_EQ(mManager->FindMusicList("music1")->GetVolume(), 0.2f);
    EXPECT_FLOAT_EQ(mManager->FindSoundList("sound")->GetVolume(), 0.6f);
    EXPECT_FLOAT_EQ(mManager->FindSoundList("voice")->GetVolume(), 1.0f);
    AddStageList();
    EXPECT_FLOAT_EQ(mManager->FindSoundList("stage")->GetVolume(), 0.6f);
}

TEST(SoundShutdownTest, DestroyingWithNothingBuiltOpensNothing) {
    TSoundManager::DestroyInstance();
    EXPECT_FALSE(TOpenAlSystem::HasInstance());
}

} // namespace
} // namespace sound_test
