// The video scene object over the clips of tools/make_videos.py: its attributes and cue lists, the
// events of a play in order and at their times, passes, the activation limit, plays that cannot start,
// the decode rate, the replay pause, the hit test, the drawn frame and the saved state.

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/buffer.h"
#include "media/video_test_support.h"
#include "object_test_support.h"
#include "objects/video_object.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;

// Every interface event with the play time of the object at that moment.
class TEventLog : public TInterfaceEventListener {
public:
    void OnInterfaceEvent(TInterfaceEvent event, std::string name) override {
        std::string line = name;
        if (!event.argument1.empty()) {
            line += " " + event.argument1;
        }
        lines.push_back(line);
        times.push_back(mObject != nullptr ? mObject->mPlayTime : 0.0f);
    }
    // The lines logged since the last Take.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(lines);
        times.clear();
        return taken;
    }
    float TimeOf(const std::string& line, int occurrence = 0) const {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == line && occurrence-- == 0) {
                return times[i];
            }
        }
        return -1;
    }
    int Count(const std::string& line) const { return static_cast<int>(std::count(lines.begin(), lines.end(), line)); }

    TVideoObject* mObject = nullptr;
    std::vector<std::string> lines;
    std::vector<float> times;
};

struct TVideoRecorder : TVideoObjectListener {
    void OnVideoFinished() override { calls.push_back("finished"); }
    void OnVideoLoop(int passes) override { calls.push_back("loop " + std::to_string(passes)); }
    std::vector<std::string> calls;
};

class VideoObjectTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        std::filesystem::create_directories(Root() + "/assets/videos");
        for (const char* clip : {"flat32.ogv", "alpha32.ogv"}) {
            std::filesystem::copy_file(video_test::ClipPath(clip), Root() + "/assets/videos/" + clip);
        }
        TInterfaceEvents::Get().mListener = &mEvents;
    }
    void TearDown() override {
        TInterfaceEvents::Get().mListener = nullptr;
        TInterfaceEvents::Get().Clear();
        ObjectTest::TearDown();
    }
    // A video object loaded from its attributes with its file under "videos/".
    std::unique_ptr<TVideoObject> MakeVideo(const std::string& attributes) {
        auto video = Load<TVideoObject>(attributes, "videos/");
        video->SetListener(&mListener);
        mEvents.mObject = video.get();
        return video;
    }
    // Updates until the play stops or the time runs out; the seconds it took.
    static float RunUntilStopped(TVideoObject& video, float step, float limit) {
        float elapsed = 0;
        while (!video.mStopped && elapsed < limit) {
            video.Update(step);
            elapsed += step;
        }
        return elapsed;
    }

    TEventLog mEvents;
    TRecordingListener mListener;
};

TEST(VideoCueTest, ParsesCueLists) {
    struct TCase {
        const char* text;
        std::vector<std::pair<std::string, float>> cues;
    };
    const TCase cases[] = {
        {"", {}},
        {"door,1.5;bell,0.5", {{"door", 1.5f}, {"bell", 0.5f}}},
        {" door , 2 ; ; bell,0.25 ", {{"door", 2.0f}, {"bell", 0.25f}}},
        // Anything but a name and a time is an empty cue, posted at once.
        {"alone;a,1,2;b,3", {{"", 0.0f}, {"", 0.0f}, {"b", 3.0f}}},
    };
    for (const TCase& c : cases) {
        std::vector<TVideoCue> cues{{"stale", 9.0f}};
        TVideoObject::ParseCueList(c.text, cues);
        ASSERT_EQ(cues.size(), c.cues.size()) << c.text;
        for (size_t i = 0; i < cues.size(); ++i) {
            EXPECT_EQ(cues[i].name, c.cues[i].first) << c.text;
            EXPECT_FLOAT_EQ(cues[i].time, c.cues[i].second) << c.text;
        }
    }
}

TEST_F(VideoObjectTest, ReadsItsAttributes) {
    auto plain = MakeVideo(R"(name="flat32.ogv")");
    EXPECT_EQ(plain->GetTypeId(), 10);
    EXPECT_EQ(plain->mMaxCountActive, -1);
    EXPECT_EQ(plain->mLoop, 1);
    EXPECT_TRUE(plain->mGetFirstFrameOnLoad);
    EXPECT_FALSE(plain->mShowFrame);
    EXPECT_TRUE(plain->mHideFrame);
    EXPECT_FALSE(plain->mCheckCoords);
    EXPECT_EQ(plain->mHitAlphaThreshold, 0);
    EXPECT_TRUE(plain->mStopped);

    auto full = MakeVideo(R"(name="alpha32.ogv" maxcountactive="2" loop="-1" withalpha="1" stretch="1" fps="25"
        hideinterf="1" locklocation="1" repeattime="5" repeatrand="1" testalpha="50" sounds="s,1" monologs="m,2;n,3")");
    EXPECT_EQ(full->mMaxCountActive, 2);
    EXPECT_EQ(full->mLoop, -1);
    EXPECT_TRUE(full->mWithAlpha);
    EXPECT_TRUE(full->mStretch);
    EXPECT_FLOAT_EQ(full->mFpsAttribute, 25.0f);
    EXPECT_TRUE(full->mShowFrame); // follows "hideinterf"
    EXPECT_TRUE(full->mLockLocation);
    EXPECT_FLOAT_EQ(full->mRepeatTime, 5.0f);
    EXPECT_TRUE(full->mCheckCoords); // "testalpha" turns the alpha test on
    EXPECT_EQ(full->mHitAlphaThreshold, 127);
    EXPECT_EQ(full->mSounds.size(), 1u);
    EXPECT_EQ(full->mMonologs.size(), 2u);
    EXPECT_EQ(full->mImageName, "videos/alpha32.ogv");
}

// One play of the 1-second clip: the activation events, a lock per decode step, the cues at their times
// and in list order, then the finish events and the click reactions.
TEST_F(VideoObjectTest, PostsItsEventsInOrderAndOnTime) {
    auto video = MakeVideo(R"(id="v" name="flat32.ogv" hideinterf="1" locklocation="1"
        sounds="first,0.6;second,0.3" monologs="talk,0.2" aae="door")");
    video->LoadResources();
    EXPECT_FALSE(video->mStopped);
    EXPECT_TRUE(mEvents.Take().empty());
    video->Activate(0, 0, 0);
    EXPECT_EQ(mEvents.Take(), (std::vector<std::string>{"hideinterf", "locklocation", "showframe"}));

    const float elapsed = RunUntilStopped(*video, 0.05f, 5.0f);
    EXPECT_NEAR(elapsed, 1.05f, 0.11f);
    EXPECT_NEAR(mEvents.TimeOf("videomonolog talk"), 0.2f, 0.051f);
    EXPECT_NEAR(mEvents.TimeOf("play_sound first"), 0.6f, 0.051f);
    // The second cue waited for the first and came on the next update.
    EXPECT_NEAR(mEvents.TimeOf("play_sound second"), mEvents.TimeOf("play_sound first") + 0.05f, 0.001f);
    EXPECT_GE(mEvents.Count("locklocation"), 9);
    const std::vector<std::string> tail(mEvents.lines.end() - 3, mEvents.lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"showinterf", "unlocklocation", "hideframe"}));

    EXPECT_TRUE(video->mStopped);
    EXPECT_TRUE(video->mPlayed);
    EXPECT_FALSE(video->IsActive());
    EXPECT_FALSE(video->GetWindow());
    EXPECT_FALSE(video->GetFrameTexture());
    EXPECT_EQ(video->mClickCounter, 1); // two per finished play
    EXPECT_EQ(mListener.Take(), (std::vector<std::string>{"activate //door", "clicked v"}));
}

// "loop" 2: the second pass has its own time line and posts every cue again; the listener hears of both
// passes, and the finish comes after the second, about two seconds in.
TEST_F(VideoObjectTest, EveryPassPlaysWholeWithItsCues) {
    auto video = MakeVideo(R"(name="flat32.ogv" loop="2" sounds="knock,0.3" monologs="hello,0.5")");
    TVideoRecorder recorder;
    video->mVideoListener = &recorder;
    video->Activate(0, 0, 0);
    const float elapsed = RunUntilStopped(*video, 0.05f, 6.0f);
    EXPECT_NEAR(elapsed, 2.05f, 0.16f);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"loop 1", "loop 2", "finished"}));
    EXPECT_EQ(mEvents.Count("play_sound knock"), 2);
    EXPECT_EQ(mEvents.Count("videomonolog hello"), 2);
    EXPECT_NEAR(mEvents.TimeOf("play_sound knock", 1), 0.3f, 0.051f);
    EXPECT_NEAR(mEvents.TimeOf("videomonolog hello", 1), 0.5f, 0.051f);
}

// Activated again half-way: the play starts over with its cues, and the picture is the one of the new
// play time.
TEST_F(VideoObjectTest, ActivationDuringAPlayStartsItOver) {
    auto video = MakeVideo(R"(name="flat32.ogv" sounds="knock,0.3")");
    video->Activate(0, 0, 0);
    objtest::Advance(*video, 0.6f, 0.05f);
    ASSERT_EQ(mEvents.Count("play_sound knock"), 1);
    video->Activate(0, 0, 0);
    objtest::Advance(*video, 0.2f, 0.05f);
    EXPECT_EQ(mEvents.Count("play_sound knock"), 1);
    ASSERT_NE(video->GetWindow(), nullptr);
    EXPECT_LE(video->GetWindow()->mLastFrameTime, 0.3f + 1e-4f);
    objtest::Advance(*video, 0.2f, 0.05f);
    EXPECT_EQ(mEvents.Count("play_sound knock"), 2);
    EXPECT_NEAR(mEvents.TimeOf("play_sound knock", 1), 0.3f, 0.051f);
    EXPECT_EQ(video->mActivations, 2);
}

// "maxcountactive" 0 allows one play. A refused activation plays nothing, even when loading the
// resources again had opened the video for its first frame.
TEST_F(VideoObjectTest, ActivationLimitHoldsWhenTheVideoIsOpen) {
    auto video = MakeVideo(R"(id="v" name="flat32.ogv" maxcountactive="0")");
    video->LoadResources();
    video->Activate(0, 0, 0);
    RunUntilStopped(*video, 0.05f, 5.0f);
    ASSERT_TRUE(video->mPlayed);
    const int clicks = video->mClickCounter;
    mListener.Take();
    mEvents.Take();

    video->LoadResources();
    ASSERT_TRUE(video->GetFrameTexture());
    video->Activate(0, 0, 0);
    EXPECT_FALSE(video->GetFrameTexture());
    EXPECT_FALSE(video->GetWindow());
    objtest::Advance(*video, 2.0f, 0.05f);
    EXPECT_EQ(video->mClickCounter, clicks);
    EXPECT_TRUE(mListener.Take().empty());
    EXPECT_TRUE(mEvents.Take().empty());
    EXPECT_EQ(video->mActivations, 1);
}

// A play that cannot start still finishes on the next update, so whatever waits for it goes on: a missing
// file, and a file with broken headers even with its own "fps".
TEST_F(VideoObjectTest, PlayThatCannotStartStillFinishes) {
    const std::string clip = video_test::ClipBytes("flat32.ogv");
    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/videos/broken.ogv", clip.substr(0, 400)));
    for (const char* attributes : {R"(id="v" name="missing.ogv")", R"(id="v" name="broken.ogv" fps="10")"}) {
        SCOPED_TRACE(attributes);
        auto video = MakeVideo(attributes);
        TVideoRecorder recorder;
        video->mVideoListener = &recorder;
        video->Activate(0, 0, 0);
        EXPECT_FALSE(video->GetFrameTexture());
        EXPECT_TRUE(recorder.calls.empty());
        video->Update(0.01f);
        EXPECT_EQ(recorder.calls, std::vector<std::string>{"finished"});
        EXPECT_EQ(mEvents.Take(), std::vector<std::string>{"hideframe"});
        EXPECT_EQ(mListener.Take(), std::vector<std::string>{"clicked v"});
        EXPECT_FALSE(video->IsActive());
        EXPECT_TRUE(video->mPlayed);
        video->Update(0.01f);
        EXPECT_EQ(recorder.calls.size(), 1u);
    }
    EXPECT_TRUE(harness::LogContains("video videos/missing.ogv not played"));
}

// Decode steps come at the clip's rate (10 a second) whatever the update step, and a lower "fps" does not
// slow them down.
TEST_F(VideoObjectTest, DecodesAtLeastAtTheClipsRate) {
    for (const char* fps : {"0", "5"}) {
        SCOPED_TRACE(fps);
        auto video = MakeVideo(std::string(R"(name="flat32.ogv" fps=")") + fps + "\"");
        video->Activate(0, 0, 0);
        EXPECT_FLOAT_EQ(video->mFrameInterval, 0.1f);
        objtest::Advance(*video, 0.9f, 0.03f);
        ASSERT_NE(video->GetWindow(), nullptr);
        EXPECT_GE(video->GetWindow()->GetDecodedFrames(), 8);
        EXPECT_LE(video->GetWindow()->GetDecodedFrames(), 10);
        EXPECT_TRUE(video->mFrameReady);
    }
}

// "repeattime" 5 and "repeatrand" 1: the object plays again 4 to 6 seconds after a finished play.
TEST_F(VideoObjectTest, ReplaysAfterARandomPause) {
    std::srand(7);
    auto video = MakeVideo(R"(name="flat32.ogv" repeattime="5" repeatrand="1")");
    video->Activate(0, 0, 0);
    RunUntilStopped(*video, 0.05f, 5.0f);
    ASSERT_FALSE(video->IsActive());
    float pause = 0;
    while (!video->IsActive() && pause < 10.0f) {
        video->Update(0.05f);
        pause += 0.05f;
    }
    EXPECT_GE(pause, 4.0f);
    EXPECT_LE(pause, 6.06f);
    EXPECT_EQ(video->mActivations, 2);
    EXPECT_TRUE(video->GetFrameTexture());
}

TEST_F(VideoObjectTest, HitTestFollowsCheckCoordsAndTheAlpha) {
    struct TCase {
        const char* attributes;
        int x, y;
        bool hit;
    };
    const TCase cases[] = {
        {R"(name="alpha32.ogv" withalpha="1" x="10" y="10")", 12, 12, false}, // no "checkcoords"
        {R"(name="alpha32.ogv" withalpha="1" x="10" y="10" checkcoords="1")", 12, 38, true},
        {R"(name="alpha32.ogv" withalpha="1" x="10" y="10" checkcoords="1")", 42, 12, false}, // outside
        {R"(name="alpha32.ogv" withalpha="1" x="10" y="10" testalpha="50")", 12, 12, true},   // alpha 255
        {R"(name="alpha32.ogv" withalpha="1" x="10" y="10" testalpha="50")", 12, 38, false},  // alpha about 1
        // Stretched to twice the size: the point is scaled back into the frame.
        {R"(name="alpha32.ogv" withalpha="1" x="10" y="10" w="64" h="64" stretch="1" testalpha="50")", 70, 40, true},
        {R"(name="alpha32.ogv" withalpha="1" x="10" y="10" w="64" h="64" stretch="1" testalpha="50")", 70, 60, false},
    };
    for (const TCase& c : cases) {
        auto video = MakeVideo(c.attributes);
        video->LoadResources();
        EXPECT_EQ(video->HitTestSelf(c.x, c.y), c.hit) << c.attributes << " at " << c.x << "," << c.y;
    }
}

TEST_F(VideoObjectTest, DrawFrameDrawsOnlyAnActivePlay) {
    auto video = MakeVideo(R"(name="flat32.ogv" x="4" y="4" w="8" h="8" stretch="0")");
    video->LoadResources();
    const TRgba fill{200, 0, 0, 255};
    const int grey = (9535 * (1 + 20 * 5)) >> 13;
    BeginCanvas(fill);
    video->DrawFrame(); // opened, not activated
    EXPECT_TRUE(NearColor(Pixel(6, 6), fill));
    video->Activate(0, 0, 0);
    objtest::Advance(*video, 0.55f, 0.05f);
    BeginCanvas(fill);
    video->Draw(1.0f); // the room's drawing of objects shows no frame
    EXPECT_TRUE(NearColor(Pixel(6, 6), fill));
    video->DrawFrame();
    EXPECT_TRUE(NearColor(Pixel(6, 6), TRgba{grey, grey, grey, 255}, 3));
    EXPECT_TRUE(NearColor(Pixel(3, 3), fill));
    video->SetVisible(false);
    BeginCanvas(fill);
    video->DrawFrame();
    EXPECT_TRUE(NearColor(Pixel(6, 6), fill));
}

TEST_F(VideoObjectTest, SavedStateKeepsItsLayout) {
    auto video = MakeVideo(R"(id="v" name="flat32.ogv")");
    video->mReservedFlag = true;
    video->mPlayed = true;
    video->mActivations = 0x0203;
    video->mNextMonolog = 4;
    video->mNextSound = 5;
    video->mPlayTime = 1.25f;
    video->mTimeSinceFrame = 0.0404f;
    video->mFrameInterval = 0.1f;
    video->mReplayTimer.Set(0, 1, 2.0f, true);
    TBaseBuffer object;
    video->TObject::SaveState(object);
    TBaseBuffer saved;
    video->SaveState(saved);
    const std::vector<uint8_t>& bytes = saved.GetBytes();
    ASSERT_EQ(bytes.size(), object.GetBytes().size() + 3 + 6 + 12 + 24);
    const size_t at = object.GetBytes().size();
    const std::vector<uint8_t> fields(bytes.begin() + static_cast<long>(at),
                                      bytes.begin() + static_cast<long>(at) + 21);
    EXPECT_EQ(fields,
              (std::vector<uint8_t>{1, 1, 1, 0x03, 0x02, 4, 0, 5, 0, 0xE2, 0x04, 0, 0, 40, 0, 0, 0, 100, 0, 0, 0}));

    auto restored = MakeVideo(R"(id="v" name="flat32.ogv")");
    restored->RestoreState(saved);
    EXPECT_TRUE(restored->mReservedFlag);
    EXPECT_TRUE(restored->mStopped);
    EXPECT_TRUE(restored->mPlayed);
    EXPECT_EQ(restored->mActivations, 0x0203);
    EXPECT_EQ(restored->mNextSound, 5);
    EXPECT_FLOAT_EQ(restored->mPlayTime, 1.25f);
    EXPECT_TRUE(restored->mReplayTimer.running);
    EXPECT_FALSE(restored->GetWindow()); // restoring opens nothing
    EXPECT_TRUE(saved.IsReadComplete());
}

} // namespace
