// Streaming through a loopback device: what is heard, how buffers are refilled, and how broken
// files and failing calls end.

#include <dirent.h>

#include "app/log.h"

#include "media/sound_test_support.h"

namespace sound_test {
namespace {

constexpr int kFramesPerStereoBuffer = TOpenAlSystem::kChunkSize / 4;

// Frames of a window of output, as indexes into stereo samples.
size_t At(double seconds) {
    return static_cast<size_t>(seconds * kRate);
}

// Open file descriptors; the log is opened first so that its file is counted on both sides.
int CountOpenFiles() {
    TLogFile::Get();
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder) != nullptr) {
            ++count;
        }
        closedir(folder);
    }
    return count;
}

using OpenAlSystemTest = SoundTest;

TEST_F(OpenAlSystemTest, LongStereoToneStreamsThroughTwoFullBuffersAndIsHeardAtItsPitch) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(2.0)));
    ASSERT_NE(handle, 0u);
    ALuint source = mSystem->Play(handle, false, 1.0f);
    ASSERT_NE(source, 0u);
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), 2);
    ALint size = 0;
    alGetBufferi(handle, AL_SIZE, &size);
    EXPECT_EQ(size, TOpenAlSystem::kChunkSize);

    // Past the first buffer: the update puts it back with the next part of the file.
    std::vector<int16_t> out = mLoopback.Render(kFramesPerStereoBuffer + 100);
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_PROCESSED), 1);
    EXPECT_TRUE(mSystem->Update());
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), 2);
    EXPECT_TRUE(mSystem->IsPlaying(source));

    std::vector<int16_t> more = RenderWithUpdates(1.0);
    out.insert(out.end(), more.begin(), more.end());
    EXPECT_NEAR(LeftFrequency(out, At(0.1), At(1.2)), 440.0, 5.0);
    EXPECT_GT(Rms(out, At(0.1) * 2, At(1.2) * 2), 3000.0);
}

TEST_F(OpenAlSystemTest, StreamThatEndsFreesItsSourceAndFallsSilent) {
    struct Case {
        const char* name;
        TPcm pcm;
        int queuedAtStart;
    };
    const Case cases[] = {
        {"long stereo, two buffers", MakeTone(0.6), 2},
        {"short mono, one buffer", MakeTone(0.2, 440.0, 1), 1},
        {"mono at another rate", MakeTone(0.3, 440.0, 1, 22050), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint32_t handle = mSystem->OpenStream(WriteSound("end", c.pcm));
        ALuint source = mSystem->Play(handle, false, 1.0f);
        ASSERT_NE(source, 0u);
        EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), c.queuedAtStart);

        double length = static_cast<double>(c.pcm.Frames()) / c.pcm.rate;
        std::vector<int16_t> out = RenderWithUpdates(length + 0.5);
        EXPECT_GT(Rms(out, 0, At(length * 0.8) * 2), 3000.0);
        EXPECT_TRUE(IsSilent(out, At(length + 0.1)));
        EXPECT_FALSE(alIsSource(source));
        EXPECT_FALSE(mSystem->IsPlaying(source));
        EXPECT_EQ(mSystem->GetSource(handle), 0u);
        mSystem->CloseStream(handle);
    }
}

TEST_F(OpenAlSystemTest, LoopingStreamStartsOverWithoutAGapAndKeepsPlaying) {
    // 440 Hz, then 880 Hz: the low tone coming back after the high one shows the restart.
    uint32_t handle = mSystem->OpenStream(WriteSound("two", MakeTones(2, kRate, {{440.0, 0.4}, {880.0, 0.4}})));
    ALuint source = mSystem->Play(handle, true, 1.0f);
    ASSERT_NE(source, 0u);

    std::vector<int16_t> out = RenderWithUpdates(2.0);
    EXPECT_TRUE(mSystem->IsPlaying(source));
    EXPECT_EQ(mSystem->GetSource(handle), source);
    const double windows[][2] = {{0.05, 0.35}, {0.45, 0.75}, {0.85, 1.15}, {1.25, 1.55}};
    const double expected[] = {440.0, 880.0, 440.0, 880.0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(LeftFrequency(out, At(windows[i][0]), At(windows[i][1])), expected[i], 10.0) << "window " << i;
    }
    // No silent stretch at the seams: every 10 ms of the output carries the tone.
    for (size_t f = 0; f + 441 <= out.size() / 2; f += 441) {
        ASSERT_GT(Rms(out, f * 2, (f + 441) * 2), 1000.0) << "silent at frame " << f;
    }
}

TEST_F(OpenAlSystemTest, PlayAgainRestartsFromTheBeginningOnTheSameSource) {
    uint32_t handle = mSystem->OpenStream(WriteSound("two", MakeTones(2, kRate, {{440.0, 0.5}, {880.0, 1.0}})));
    ALuint source = mSystem->Play(handle, false, 1.0f);
    std::vector<int16_t> before = RenderWithUpdates(0.8);
    EXPECT_NEAR(LeftFrequency(before, At(0.6), At(0.8)), 880.0, 10.0);

    EXPECT_EQ(mSystem->Play(handle, false, 1.0f), source);
    std::vector<int16_t> after = RenderWithUpdates(0.3);
    EXPECT_NEAR(LeftFrequency(after, At(0.02), At(0.3)), 440.0, 10.0);
}

TEST_F(OpenAlSystemTest, StopSilencesAndEndsThePlay) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(2.0)));
    ALuint source = mSystem->Play(handle, true, 1.0f);
    EXPECT_GT(Rms(RenderWithUpdates(0.2)), 3000.0);

    mSystem->Stop(source);
    EXPECT_TRUE(IsSilent(RenderWithUpdates(0.3)));
    EXPECT_FALSE(mSystem->IsPlaying(source));
    EXPECT_EQ(mSystem->GetSource(handle), 0u);
    // The stream stays open and plays again.
    EXPECT_NE(mSystem->Play(handle, false, 1.0f), 0u);
}

TEST_F(OpenAlSystemTest, GainScalesTheOutputAndUpdateRestoresIt) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(3.0)));
    ALuint source = mSystem->Play(handle, true, 1.0f);
    RenderWithUpdates(0.1);
    double full = Rms(RenderWithUpdates(0.3));
    ASSERT_GT(full, 3000.0);

    struct Case {
        const char* name;
        float gain;
        bool setBehindTheBack;
        double expectedRatio;
    };
    const Case cases[] = {
        {"half", 0.5f, false, 0.5},
        {"quarter", 0.25f, false, 0.25},
        {"changed behind the system's back, restored by the update", 0.5f, true, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.setBehindTheBack) {
            mSystem->SetGain(source, 1.0f);
            alSourcef(source, AL_GAIN, c.gain);
        } else {
            mSystem->SetGain(source, c.gain);
        }
        mSystem->Update();
        RenderWithUpdates(0.1); // past the gain ramp
        EXPECT_NEAR(Rms(RenderWithUpdates(0.3)) / full, c.expectedRatio, 0.03);
    }
}

TEST_F(OpenAlSystemTest, PausedStreamIsSilentGetsNoRefillAndResumesWhereItWas) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(3.0)));
    ALuint source = mSystem->Play(handle, false, 1.0f);
    RenderWithUpdates(0.5);

    mSystem->Pause(source, true);
    EXPECT_TRUE(mSystem->IsPaused(source));
    EXPECT_FALSE(mSystem->IsPlaying(source));
    ALint offset = SourceInt(source, AL_SAMPLE_OFFSET);
    ALint processed = SourceInt(source, AL_BUFFERS_PROCESSED);
    alSourcef(source, AL_GAIN, 0.2f);
    EXPECT_TRUE(IsSilent(RenderWithUpdates(0.5)));
    EXPECT_EQ(SourceInt(source, AL_SAMPLE_OFFSET), offset);
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_PROCESSED), processed);
    EXPECT_FLOAT_EQ(SourceGain(source), 0.2f); // a paused stream gets no gain from the update

    mSystem->Pause(source, false);
    EXPECT_TRUE(mSystem->IsPlaying(source));
    EXPECT_GT(Rms(RenderWithUpdates(0.3)), 3000.0);
}

TEST_F(OpenAlSystemTest, ResumingAStreamThatWasNotPausedLeavesItWhereItIs) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(3.0)));
    ALuint source = mSystem->Play(handle, false, 1.0f);
    mLoopback.Render(8000);
    ALint offset = SourceInt(source, AL_SAMPLE_OFFSET);
    ASSERT_GE(offset, 7000);

    mSystem->Pause(source, false);
    EXPECT_GE(SourceInt(source, AL_SAMPLE_OFFSET), offset);
    EXPECT_TRUE(mSystem->IsPlaying(source));
}

TEST_F(OpenAlSystemTest, BrokenFilesAreRefusedWithTheirLogLine) {
    ASSERT_TRUE(harness::WriteFile("assets/text.ogg", "this is not an Ogg file\n"));
    WriteSound("three", MakeTone(0.3, 440.0, 3));
    struct Case {
        const char* path;
        const char* line;
    };
    const Case cases[] = {
        {"assets/none.ogg", "ERROR: Could not find file named \"assets/none.ogg\""},
        {"assets/text.ogg", "Cannot open og file assets/text.ogg"},
        {"assets/three.ogg", "ERROR: \"assets/three.ogg\" has 3 channels, only mono and stereo play"},
    };
    int filesBefore = CountOpenFiles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(mSystem->OpenStream(c.path), 0u);
        EXPECT_EQ(CountLogLines(c.line), 1);
    }
    EXPECT_EQ(CountOpenFiles(), filesBefore);
}

// A file's bytes in memory stream as the file does, and broken bytes are refused with the file's log
// lines under the name given, leaving no file open.
TEST_F(OpenAlSystemTest, BytesInMemoryStreamAsTheFileAndBrokenOnesAreRefused) {
    const std::string tone = harness::ReadFile(WriteSound("tone", MakeTone(2.0)));
    const std::string three = harness::ReadFile(WriteSound("three", MakeTone(0.3, 440.0, 3)));
    const struct {
        const char* name;
        std::string bytes;
        const char* line;
    } refused[] = {
        {"mem/text.ogg", "this is not an Ogg file\n", "Cannot open og file mem/text.ogg"},
        {"mem/empty.ogg", "", "Cannot open og file mem/empty.ogg"},
        {"mem/cut.ogg", tone.substr(0, 60), "Cannot open og file mem/cut.ogg"},
        {"mem/three.ogg", three, "ERROR: \"mem/three.ogg\" has 3 channels, only mono and stereo play"},
    };
    int filesBefore = CountOpenFiles();
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mSystem->OpenStreamBytes(c.name, c.bytes), 0u);
        EXPECT_EQ(CountLogLines(c.line), 1);
    }
    EXPECT_EQ(CountOpenFiles(), filesBefore);

    uint32_t handle = mSystem->OpenStreamBytes("mem/tone.ogg", tone);
    ASSERT_NE(handle, 0u);
    ASSERT_NE(mSystem->Play(handle, false, 1.0f), 0u);
    std::vector<int16_t> out = RenderWithUpdates(1.5);
    EXPECT_NEAR(LeftFrequency(out, At(0.1), At(1.2)), 440.0, 5.0);
    EXPECT_GT(Rms(out, At(0.1) * 2, At(1.2) * 2), 3000.0);
    mSystem->CloseStream(handle);
    EXPECT_EQ(CountOpenFiles(), filesBefore);
}

TEST_F(OpenAlSystemTest, FileWithoutSamplesOpensButDoesNotPlay) {
    uint32_t handle = mSystem->OpenStream(WriteSound("empty", TPcm{}));
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(mSystem->Play(handle, false, 1.0f), 0u);
    EXPECT_EQ(mSystem->GetSource(handle), 0u);
    EXPECT_EQ(mSystem->Play(handle, true, 1.0f), 0u);
}

TEST_F(OpenAlSystemTest, RepeatingDecodeErrorEndsTheFillInsteadOfSpinning) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(3.0)));
    ALuint source = mSystem->Play(handle, true, 1.0f);
    ASSERT_NE(source, 0u);

    SetStreamDecodeFault(true);
    RenderWithUpdates(1.0);
    // Both buffers played out and could not be refilled, even from the start: the play ends.
    EXPECT_FALSE(mSystem->IsPlaying(source));
    EXPECT_EQ(mSystem->GetSource(handle), 0u);
    int errors = CountLogLines("Error streaming audio");
    EXPECT_GE(errors, TOpenAlSystem::kMaxDecodeErrors);
    EXPECT_EQ(CountLogLines("Stream \"assets/tone.ogg\" keeps failing to decode, the rest is skipped") *
                  TOpenAlSystem::kMaxDecodeErrors,
              errors);
    RenderWithUpdates(1.0);
    EXPECT_EQ(CountLogLines("Error streaming audio"), errors);
    EXPECT_EQ(mSystem->Play(handle, false, 1.0f), 0u);

    SetStreamDecodeFault(false);
    EXPECT_NE(mSystem->Play(handle, false, 1.0f), 0u);
}

TEST_F(OpenAlSystemTest, StreamWhoseBuffersFailIsClosedAndGivesNoHandle) {
    std::string path = WriteSound("tone", MakeTone(0.5));
    int filesBefore = CountOpenFiles();
    ALCcontext* context = alcGetCurrentContext();
    alcMakeContextCurrent(nullptr);
    uint32_t handle = mSystem->OpenStream(path);
    alcMakeContextCurrent(context);

    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(CountLogLines("Buffers Error"), 1);
    EXPECT_EQ(CountOpenFiles(), filesBefore);
    EXPECT_EQ(mSystem->Play(0, false, 1.0f), 0u);
    EXPECT_NE(mSystem->OpenStream(path), 0u);
}

TEST_F(OpenAlSystemTest, SourceOutsideEveryStreamIsStoppedAndNoStreamChanges) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(2.0)));
    ALuint ours = mSystem->Play(handle, true, 1.0f);
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    TPcm pcm = MakeTone(1.0);
    alBufferData(buffer, AL_FORMAT_STEREO16, pcm.samples.data(), static_cast<ALsizei>(pcm.samples.size() * 2), kRate);
    ALuint foreign = 0;
    alGenSources(1, &foreign);
    alSourcei(foreign, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcePlay(foreign);
    EXPECT_TRUE(mSystem->IsPlaying(foreign));

    mSystem->Stop(foreign);
    EXPECT_EQ(SourceInt(foreign, AL_SOURCE_STATE), AL_STOPPED);
    EXPECT_FALSE(mSystem->IsPlaying(foreign));
    EXPECT_TRUE(mSystem->IsPlaying(ours));
    EXPECT_EQ(mSystem->GetSource(handle), ours);

    alDeleteSources(1, &foreign);
    alDeleteBuffers(1, &buffer);
}

TEST_F(OpenAlSystemTest, UnknownHandlesAndSourcesChangeNothing) {
    uint32_t handle = mSystem->OpenStream(WriteSound("tone", MakeTone(1.0)));
    ALuint source = mSystem->Play(handle, true, 0.7f);
    const uint32_t unknown = handle + source + 1000;
    EXPECT_EQ(mSystem->Play(unknown, false, 1.0f), 0u);
    EXPECT_EQ(mSystem->Play(0, false, 1.0f), 0u);
    mSystem->CloseStream(unknown);
    mSystem->Stop(unknown);
    mSystem->Pause(unknown, true);
    mSystem->SetGain(unknown, 0.1f);
    EXPECT_FALSE(mSystem->IsPlaying(unknown));
    EXPECT_FALSE(mSystem->IsPaused(unknown));
    EXPECT_TRUE(mSystem->Update());
    EXPECT_TRUE(mSystem->IsPlaying(source));
    EXPECT_FLOAT_EQ(SourceGain(source), 0.7f);
}

TEST_F(OpenAlSystemTest, RequestedStopEndsTheUpdateLoop) {
    EXPECT_TRUE(mSystem->Update());
    mSystem->RequestStop();
    EXPECT_FALSE(mSystem->Update());
}

TEST(OpenAlDeviceTest, MissingNamedDeviceFallsBackToTheDefaultOne) {
    // The named device does not exist here; the test environment's default is the null output.
    TOpenAlSystem::DestroyInstance();
    EXPECT_TRUE(TOpenAlSystem::GetInstance()->HasDevice());
    TOpenAlSystem::DestroyInstance();
    EXPECT_FALSE(harness::LogContains("no audio device"));
}

TEST(OpenAlDeviceTest, WithoutADeviceEverythingIsSilentAndSaysSoOnce) {
    TOpenAlSystem* system = TOpenAlSystem::CreateInstance(nullptr, nullptr);
    EXPECT_FALSE(system->HasDevice());
    EXPECT_EQ(system->OpenStream("assets/anything.ogg"), 0u);
    EXPECT_EQ(system->Play(1, false, 1.0f), 0u);
    EXPECT_FALSE(system->IsPlaying(1));
    EXPECT_TRUE(system->Update());
    EXPECT_EQ(CountLogLines("OpenAL: no audio device, the game runs without sound"), 1);
    EXPECT_EQ(harness::LogLines().size(), 1u);
    TOpenAlSystem::DestroyInstance();
}

} // namespace
} // namespace sound_test
