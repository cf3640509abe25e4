// Sound entries and play lists over the loopback device: repeats, delays, volumes, and the music
// list's fades, queue and track order. Time is stepped by the test.

#include <set>

#include <tinyxml.h>

#include "media/music_play_list.h"
#include "media/play_list.h"
#include "media/sound_test_support.h"

namespace sound_test {
namespace {

class FinishCounter : public TSoundInfoListener {
public:
    void OnSoundFinished() override { ++count; }
    int count = 0;
};

class PlayListTest : public SoundTest {
protected:
    // Parses a document in place of the last one and returns its root.
    TiXmlElement* Parse(const char* text) {
        mDocument.Clear();
        mDocument.Parse(text);
        return mDocument.RootElement();
    }

    // One step of the game as it runs: output mixed, the audio thread's pass, the frame's update.
    std::vector<int16_t> Step(TPlayList& list, float dt) {
        std::vector<int16_t> out = mLoopback.Render(static_cast<int>(std::lround(dt * kRate)));
        mSystem->Update();
        list.Update(dt);
        return out;
    }

    // Starts of sound in the output: silent 10 ms windows followed by loud ones.
    static int CountStarts(const std::vector<int16_t>& stereo) {
        int starts = 0;
        bool loud = false;
        for (size_t f = 0; f + 441 <= stereo.size() / 2; f += 441) {
            bool now = Rms(stereo, f * 2, (f + 441) * 2) > 1000.0;
            starts += now && !loud ? 1 : 0;
            loud = now;
        }
        return starts;
    }

    TiXmlDocument mDocument;
};

TEST_F(PlayListTest, EntryReadsItsAttributes) {
    struct Case {
        const char* xml;
        const char* id;
        int loop;
        float volume;
        float delay;
        bool streamed;
        const char* path;
    };
    const Case cases[] = {
        {"<sound id='click' name='ui/click' loop='3' volume='0.5' delay='1.5' streamed='false'/>", "click", 3, 0.5f,
         1.5f, false, "assets/ui/click.ogg"},
        {"<sound/>", "", 1, 1.0f, 0.0f, true, "assets/.ogg"},
        {"<sound id='wind' name='wind' loop='-1' streamed='1'/>", "wind", -1, 1.0f, 0.0f, true, "assets/wind.ogg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        TSoundInfoPtr entry = TAlSoundInfo::Create(Parse(c.xml), false);
        EXPECT_EQ(entry->GetId(), c.id);
        EXPECT_EQ(entry->GetLoop(), c.loop);
        EXPECT_FLOAT_EQ(entry->GetBaseVolume(), c.volume);
        EXPECT_FLOAT_EQ(entry->GetDelay(), c.delay);
        EXPECT_EQ(entry->IsStreamed(), c.streamed);
        EXPECT_EQ(entry->GetPath(), c.path);
        EXPECT_EQ(entry->GetHandle(), 0u);
    }
}

TEST_F(PlayListTest, RepeatCountGivesThatManyPlaysInARowThenOneReport) {
    // 0.25 s ends inside a 0.1 s step, so each new play follows a short silence.
    WriteSound("beep", MakeTone(0.25));
    struct Case {
        const char* loop;
        int plays;
    };
    const Case cases[] = {{"0", 1}, {"1", 1}, {"3", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loop);
        std::string xml = std::string("<list><sound id='beep' name='beep' loop='") + c.loop + "'/></list>";
        TSoundPlayList list(Parse(xml.c_str()), "sound", true, 0);
        TSoundInfoPtr entry = list.FindById("beep");
        FinishCounter finished;
        entry->SetListener(&finished);

        ASSERT_TRUE(list.Play("beep"));
        std::vector<int16_t> out;
        for (int i = 0; i < 15; ++i) {
            std::vector<int16_t> part = Step(list, 0.1f);
            out.insert(out.end(), part.begin(), part.end());
        }
        EXPECT_EQ(CountStarts(out), c.plays);
        EXPECT_EQ(finished.count, 1);
        EXPECT_FALSE(list.IsPlaying("beep"));
    }
}

TEST_F(PlayListTest, EndlessLoopPlaysOnWithoutReporting) {
    WriteSound("hum", MakeTone(0.6));
    TSoundPlayList list(Parse("<list><sound id='hum' name='hum' loop='-1'/></list>"), "sound", true, 0);
    FinishCounter finished;
    list.FindById("hum")->SetListener(&finished);
    list.Play("hum");
    std::vector<int16_t> out;
    for (int i = 0; i < 15; ++i) {
        std::vector<int16_t> part = Step(list, 0.1f);
        out.insert(out.end(), part.begin(), part.end());
    }
    EXPECT_EQ(CountStarts(out), 1);
    EXPECT_EQ(finished.count, 0);
    EXPECT_TRUE(list.IsPlaying("hum"));
}

TEST_F(PlayListTest, DelayedRequestStartsAfterItsDelayAndAgainRestartsTheWait) {
    WriteSound("gong", MakeTone(1.0));
    TSoundPlayList list(Parse("<list><sound id='gong' name='gong' delay='2.5'/></list>"), "sound", true, 0);
    list.Play("gong");
    for (int i = 0; i < 9; ++i) {
        list.Update(0.25f);
    }
    EXPECT_FALSE(list.IsPlaying("gong"));
    list.Play("gong"); // at 2.25 s: the wait starts over
    for (int i = 0; i < 9; ++i) {
        list.Update(0.25f);
    }
    EXPECT_FALSE(list.IsPlaying("gong"));
    list.Update(0.25f);
    EXPECT_TRUE(list.IsPlaying("gong"));
}

TEST_F(PlayListTest, StoppedOrUnloadedDelayedRequestNeverStarts) {
    WriteSound("gong", MakeTone(1.0));
    struct Case {
        const char* name;
        void (*cancel)(TSoundPlayList&);
    };
    const Case cases[] = {
        {"entry stop", [](TSoundPlayList& list) { list.FindById("gong")->Stop(); }},
        {"list stop", [](TSoundPlayList& list) { list.Stop(); }},
        {"unload, then load again",
         [](TSoundPlayList& list) {
             list.UnloadSounds();
             list.LoadSounds();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSoundPlayList list(Parse("<list><sound id='gong' name='gong' delay='2.5'/></list>"), "sound", true, 0);
        list.Play("gong");
        list.Update(1.0f);
        c.cancel(list);
        for (int i = 0; i < 5; ++i) {
            list.Update(1.0f);
            EXPECT_FALSE(list.IsPlaying("gong")) << "after " << 2 + i << " s";
        }
    }
}

TEST_F(PlayListTest, VolumeTimesBaseVolumeIsTheGainNowOrAtTheNextPlay) {
    WriteSound("tone", MakeTone(1.0));
    struct Case {
        float volume;
        float gain;
    };
    const Case cases[] = {{0.5f, 0.4f}, {1.5f, 0.8f}, {-0.5f, 0.0f}, {1.0f, 0.8f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.volume);
        TSoundPlayList playing(Parse("<list><sound id='tone' name='tone' volume='0.8'/></list>"), "sound", true, 0);
        playing.Play("tone");
        playing.SetVolume(c.volume);
        EXPECT_FLOAT_EQ(SourceGain(playing.FindById("tone")->GetPlayId()), c.gain);
        playing.Stop();

        TSoundPlayList later(Parse("<list><sound id='tone' name='tone' volume='0.8'/></list>"), "sound", true, 0);
        later.SetVolume(c.volume);
        later.Play("tone");
        EXPECT_FLOAT_EQ(SourceGain(later.FindById("tone")->GetPlayId()), c.gain);
    }
}

TEST_F(PlayListTest, EntryWhoseSourceWentToAnotherSoundLeavesThatSoundAlone) {
    WriteSound("short", MakeTone(0.2));
    WriteSound("long", MakeTone(3.0));
    TSoundPlayList list(Parse("<list><sound id='short' name='short'/><sound id='long' name='long'/></list>"), "sound",
                        true, 0);
    TSoundInfoPtr shortEntry = list.FindById("short");
    FinishCounter finished;
    shortEntry->SetListener(&finished);
    shortEntry->Play();
    uint32_t oldSource = shortEntry->GetPlayId();
    mLoopback.Render(kRate / 2);
    mSystem->Update(); // the audio thread ends the play and frees its source

    TSoundInfoPtr longEntry = list.FindById("long");
    longEntry->Play();
    ASSERT_EQ(longEntry->GetPlayId(), oldSource) << "OpenAL did not hand the freed source out again";

    EXPECT_FALSE(shortEntry->IsPlaying());
    shortEntry->SetVolume(0.1f);
    EXPECT_FLOAT_EQ(SourceGain(oldSource), 1.0f);
    // Its end is reported now, not when the other sound ends.
    shortEntry->Update(0.1f);
    EXPECT_EQ(finished.count, 1);
    shortEntry->Stop();
    EXPECT_TRUE(longEntry->IsPlaying());
}

// One step of a music timeline and the state after it.
struct MusicStep {
    const char* action; // "play <id>", "stop", "pause", "resume" or "update"
    float dt;
    float fade;
    const char* current; // "" when none
    const char* queued;
};

class MusicListTest : public PlayListTest {
protected:
    void SetUp() override {
        PlayListTest::SetUp();
        for (const char* id : {"a", "b", "c"}) {
            WriteSound(id, MakeTone(0.5));
        }
    }

    std::unique_ptr<TMusicPlayList> MakeList() {
        return std::make_unique<TMusicPlayList>(
            Parse("<sounds><music id='a' name='a'/><music id='c' name='c'/><music id='b' name='b'/></sounds>"),
            "music");
    }

    static std::string IdOf(const TSoundInfoPtr& entry) { return entry ? entry->GetId() : ""; }

    // Runs the steps with no mixing, so every track plays on for as long as the timeline needs.
    void RunTimeline(TMusicPlayList& list, const std::vector<MusicStep>& steps, float volume) {
        list.SetVolume(volume);
        int index = 0;
        for (const MusicStep& step : steps) {
            SCOPED_TRACE(testing::Message() << "step " << index++ << " " << step.action);
            std::string action = step.action;
            if (action.rfind("play ", 0) == 0) {
                EXPECT_TRUE(list.Play(action.substr(5)));
            } else if (action == "stop") {
                list.Stop();
            } else if (action == "pause" || action == "resume") {
                list.Pause(action == "pause");
            } else {
                list.Update(step.dt);
            }
            EXPECT_FLOAT_EQ(list.GetFadeFactor(), step.fade);
            EXPECT_EQ(IdOf(list.GetCurrent()), step.current);
            EXPECT_EQ(IdOf(list.GetQueued()), step.queued);
            if (list.GetCurrent() && action != "resume" && action != "pause" && action.rfind("play", 0) != 0) {
                EXPECT_FLOAT_EQ(SourceGain(list.GetCurrent()->GetPlayId()), volume * step.fade);
            }
        }
    }
};

TEST_F(MusicListTest, FadesInOutAndBackAndHandsOverToTheQueuedTrack) {
    auto list = MakeList();
    RunTimeline(*list,
                {
                    {"play a", 0, 0.0f, "a", ""},
                    {"update", 2.5f, 0.5f, "a", ""},
                    {"update", 2.5f, 1.0f, "a", ""},
                    {"play b", 0, 1.0f, "a", "b"},
                    {"update", 2.5f, 0.5f, "a", "b"},
                    {"play a", 0, 0.5f, "a", ""}, // back to the current track: fades in over 2.5 s
                    {"update", 1.25f, 0.75f, "a", ""},
                    {"update", 1.25f, 1.0f, "a", ""},
                    {"play b", 0, 1.0f, "a", "b"},
                    {"play c", 0, 1.0f, "a", "c"}, // the later request replaces the queued one
                    {"update", 5.0f, 0.0f, "c", ""},
                    {"update", 5.0f, 1.0f, "c", ""},
                    {"stop", 0, 1.0f, "c", ""},
                    {"update", 2.5f, 0.5f, "c", ""},
                    {"update", 2.5f, 0.0f, "", ""},
                },
                0.8f);
    EXPECT_FALSE(list->FindById("a")->IsPlaying());
    EXPECT_FALSE(list->FindById("c")->IsPlaying());
}

TEST_F(MusicListTest, NewTrackStartsSilentAndAFadeOutFromSilenceStillTakesATenthOfASecond) {
    auto list = MakeList();
    list->Play("a");
    EXPECT_FLOAT_EQ(SourceGain(list->GetCurrent()->GetPlayId()), 0.0f);
    RunTimeline(*list,
                {
                    {"play b", 0, 0.0f, "a", "b"},
                    {"update", 0.05f, 0.0f, "a", "b"},
                    {"update", 0.05f, 0.0f, "b", ""},
                    {"update", 2.5f, 0.5f, "b", ""},
                },
                1.0f);
    EXPECT_FALSE(list->FindById("a")->IsPlaying());
    EXPECT_TRUE(list->FindById("b")->IsPlaying());
}

TEST_F(MusicListTest, PausedListKeepsItsFadeAndQueueUntilResumed) {
    auto list = MakeList();
    RunTimeline(*list,
                {
                    {"play a", 0, 0.0f, "a", ""},
                    {"update", 5.0f, 1.0f, "a", ""},
                    {"play b", 0, 1.0f, "a", "b"},
                    {"update", 2.5f, 0.5f, "a", "b"},
                    {"pause", 0, 0.5f, "a", "b"},
                    {"update", 5.0f, 0.5f, "a", "b"},
                    {"resume", 0, 0.5f, "a", "b"},
                    {"update", 2.5f, 0.0f, "b", ""},
                },
                1.0f);
}

TEST_F(MusicListTest, PausedTrackIsPausedAtTheSource) {
    auto list = MakeList();
    list->Play("a");
    list->Pause(true);
    EXPECT_TRUE(list->GetCurrent()->IsPaused());
    list->Pause(false);
    EXPECT_TRUE(list->GetCurrent()->IsPlaying());
}

TEST_F(MusicListTest, TrackThatEndsIsFollowedByTheRequestedOneElseByTheNextInTheList) {
    struct Case {
        const char* name;
        const char* request; // "" none, "stop", or a track id
        const char* following;
    };
    const Case cases[] = {
        {"no request: the next of the list", "", "c"},
        {"a track queued while fading out", "b", "b"},
        {"stopped while fading out: silence", "stop", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto list = MakeList();
        list->Play("a");
        list->Update(5.0f); // full volume; no mixing yet, so the track has not moved
        std::string request = c.request;
        if (request == "stop") {
            list->Stop();
        } else if (!request.empty()) {
            list->Play(request);
        }
        for (int i = 0; i < 7; ++i) {
            Step(*list, 0.1f); // the 0.5 s track ends while the fade-out is still under way
        }
        EXPECT_EQ(IdOf(list->GetCurrent()), c.following);
        EXPECT_EQ(IdOf(list->GetQueued()), "");
        if (list->GetCurrent()) {
            EXPECT_TRUE(list->GetCurrent()->IsPlaying());
        }
        EXPECT_FALSE(list->FindById("a")->IsPlaying());
    }
}

TEST_F(MusicListTest, LastTrackIsFollowedByTheFirst) {
    auto list = MakeList();
    list->Play("b");
    for (int i = 0; i < 7; ++i) {
        Step(*list, 0.1f);
    }
    EXPECT_EQ(IdOf(list->GetCurrent()), "a");
}

TEST_F(MusicListTest, FirstOrRandomPickNeverTakesTheLastOfSeveralTracks) {
    struct Case {
        const char* xml;
        bool random;
        std::set<std::string> picks;
    };
    const Case cases[] = {
        {"<s><music id='a' name='a'/></s>", true, {"a"}},
        {"<s><music id='a' name='a'/><music id='b' name='b'/></s>", true, {"a"}},
        {"<s><music id='a' name='a'/><music id='b' name='b'/><music id='c' name='c'/></s>", true, {"a", "b"}},
        {"<s><music id='a' name='a'/><music id='b' name='b'/><music id='c' name='c'/></s>", false, {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        std::set<std::string> picks;
        for (int i = 0; i < 40; ++i) {
            TMusicPlayList list(Parse(c.xml), "music");
            EXPECT_TRUE(list.PlayFirstOrRandom(c.random));
            picks.insert(IdOf(list.GetCurrent()));
        }
        EXPECT_EQ(picks, c.picks);
    }
    TMusicPlayList empty(Parse("<s/>"), "music");
    EXPECT_FALSE(empty.PlayFirstOrRandom(true));
}

} // namespace
} // namespace sound_test
