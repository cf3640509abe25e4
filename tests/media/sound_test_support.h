#pragma once
// Shared by the sound tests: Ogg Vorbis files made on the spot, a loopback OpenAL device the test
// renders itself, and a data root with an "assets/" folder that becomes the working folder.

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <dlfcn.h>
#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "app/app_config.h"
#include "harness/harness.h"
#include "media/openal_system.h"
#include "media/sound_manager.h"

namespace sound_test {

constexpr int kRate = 44100;

// Interleaved 16-bit samples.
struct TPcm {
    int channels = 2;
    int rate = kRate;
    std::vector<int16_t> samples;

    size_t Frames() const { return samples.size() / static_cast<size_t>(channels); }
};

// One tone after the other, each of the given frequency and length; frequency 0 is silence.
struct TTonePart {
    double frequency;
    double seconds;
};

inline TPcm MakeTones(int channels, int rate, const std::vector<TTonePart>& parts, double amplitude = 0.5) {
    TPcm pcm;
    pcm.channels = channels;
    pcm.rate = rate;
    double phase = 0.0;
    for (const TTonePart& part : parts) {
        auto frames = static_cast<size_t>(std::lround(part.seconds * rate));
        for (size_t i = 0; i < frames; ++i) {
            auto value = static_cast<int16_t>(std::lround(std::sin(phase) * amplitude * 32767.0));
            phase += 2.0 * M_PI * part.frequency / rate;
            for (int c = 0; c < channels; ++c) {
                pcm.samples.push_back(value);
            }
        }
    }
    return pcm;
}

inline TPcm MakeTone(double seconds, double frequency = 440.0, int channels = 2, int rate = kRate) {
    return MakeTones(channels, rate, {{frequency, seconds}});
}

// The game only decodes; the encoder's one entry point is loaded at run time.
using TEncodeInitVbr = int (*)(vorbis_info*, long, long, float);
inline TEncodeInitVbr GetEncodeInitVbr() {
    static void* library = dlopen("libvorbisenc.so.2", RTLD_NOW);
    return library != nullptr ? reinterpret_cast<TEncodeInitVbr>(dlsym(library, "vorbis_encode_init_vbr")) : nullptr;
}

class TOggWriter {
public:
    explicit TOggWriter(FILE* file) : mFile(file) {}

    void WritePages(ogg_stream_state& stream, bool flush) {
        ogg_page page;
        while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
            std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), mFile);
            std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), mFile);
        }
    }

private:
    FILE* mFile;
};

inline void DrainEncoder(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, TOggWriter& out) {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            out.WritePages(stream, false);
        }
    }
}

// Encodes pcm into an Ogg Vorbis file; false when the encoder is missing or refuses the layout.
inline bool WriteOggVorbis(const std::string& path, const TPcm& pcm) {
    TEncodeInitVbr encodeInit = GetEncodeInitVbr();
    if (encodeInit == nullptr) {
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (encodeInit(&info, pcm.channels, pcm.rate, 0.5f) != 0) {
        vorbis_info_clear(&info);
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        vorbis_info_clear(&info);
        return false;
    }
    TOggWriter out(file);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    out.WritePages(stream, true);

    const size_t frames = pcm.Frames();
    for (size_t start = 0; start < frames; start += 1024) {
        size_t count = std::min<size_t>(1024, frames - start);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (size_t i = 0; i < count; ++i) {
            for (int c = 0; c < pcm.channels; ++c) {
                buffer[c][i] =
                    static_cast<float>(pcm.samples[(start + i) * static_cast<size_t>(pcm.channels) + c]) / 32768.0f;
            }
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        DrainEncoder(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    DrainEncoder(dsp, block, stream, out);
    out.WritePages(stream, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(file) == 0;
}

// A loopback device: nothing plays until the test renders, so time advances only by render calls.
class TLoopbackDevice {
public:
    TLoopbackDevice() {
        auto openDevice =
            reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        mRender = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        if (openDevice == nullptr || mRender == nullptr) {
            return;
        }
        mDevice = openDevice(nullptr);
        const ALCint attributes[] = {
            ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT, ALC_FREQUENCY, kRate, 0};
        mContext = mDevice != nullptr ? alcCreateContext(mDevice, attributes) : nullptr;
    }

    bool IsReady() const { return mDevice != nullptr && mContext != nullptr; }
    ALCdevice* Device() const { return mDevice; }
    ALCcontext* Context() const { return mContext; }

    // Mixes frames of stereo output.
    std::vector<int16_t> Render(int frames) const {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        mRender(mDevice, out.data(), frames);
        return out;
    }

private:
    ALCdevice* mDevice = nullptr;
    ALCcontext* mContext = nullptr;
    LPALCRENDERSAMPLESSOFT mRender = nullptr;
};

inline double Rms(const std::vector<int16_t>& samples, size_t begin = 0, size_t end = SIZE_MAX) {
    end = std::min(end, samples.size());
    if (begin >= end) {
        return 0.0;
    }
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(end - begin));
}

// Output with nothing but the mixer's dither in it, from a frame on. The first 10 ms after a stop or
// pause are skipped: the mixer ramps a stopped source down instead of cutting it.
inline bool IsSilent(const std::vector<int16_t>& stereo, size_t fromFrame = 441) {
    return Rms(stereo, fromFrame * 2) < 4.0;
}

// The pitch of the left channel of stereo output between two frames, from its sign changes.
inline double LeftFrequency(const std::vector<int16_t>& stereo, size_t beginFrame, size_t endFrame) {
    int changes = 0;
    for (size_t f = beginFrame + 1; f < endFrame; ++f) {
        bool before = stereo[(f - 1) * 2] >= 0;
        bool now = stereo[f * 2] >= 0;
        changes += before != now ? 1 : 0;
    }
    return changes / 2.0 / (static_cast<double>(endFrame - beginFrame) / kRate);
}

inline ALint SourceInt(ALuint source, ALenum name) {
    ALint value = 0;
    alGetSourcei(source, name, &value);
    return value;
}

inline float SourceGain(ALuint source) {
    ALfloat value = -1.0f;
    alGetSourcef(source, AL_GAIN, &value);
    return value;
}

inline int CountLogLines(const std::string& text) {
    int count = 0;
    for (const std::string& line : harness::LogLines()) {
        count += line == text ? 1 : 0;
    }
    return count;
}

// A fresh data root with an "assets/" folder, the working folder while it lives.
class TAssetsRoot {
public:
    TAssetsRoot() : mRoot(harness::MakeTempFolder()), mDataRoot(mRoot) {
        mReady = mkdir((mRoot + "/assets").c_str(), 0755) == 0 && SetWorkingFolderToExe();
    }

    bool IsReady() const { return mReady; }

private:
    std::string mRoot;
    harness::ScopedDataRoot mDataRoot;
    bool mReady = false;
};

// A data root, and a loopback OpenAL system that no audio thread touches: the test renders and
// calls the stream update itself.
class SoundTest : public testing::Test {
protected:
    void SetUp() override {
        mAssets = std::make_unique<TAssetsRoot>();
        ASSERT_TRUE(mAssets->IsReady());
        ASSERT_NE(GetEncodeInitVbr(), nullptr) << "libvorbisenc.so.2 is needed to make the test files";
        ASSERT_TRUE(mLoopback.IsReady()) << "the OpenAL loopback device is not available";
        mSystem = TOpenAlSystem::CreateInstance(mLoopback.Device(), mLoopback.Context());
        ASSERT_TRUE(mSystem->HasDevice());
    }

    void TearDown() override {
        TSoundManager::DestroyInstance();
        TOpenAlSystem::DestroyInstance();
        SetStreamDecodeFault(false);
    }

    // Writes "assets/<name>.ogg" and returns that path.
    std::string WriteSound(const std::string& name, const TPcm& pcm) {
        std::string path = "assets/" + name + ".ogg";
        EXPECT_TRUE(WriteOggVorbis(path, pcm)) << path;
        return path;
    }

    // Renders in steps of about 100 ms, each followed by one stream update, as the audio thread would.
    std::vector<int16_t> RenderWithUpdates(double seconds, int stepFrames = 4410) {
        std::vector<int16_t> all;
        auto total = static_cast<int>(std::lround(seconds * kRate));
        for (int done = 0; done < total; done += stepFrames) {
            std::vector<int16_t> part = mLoopback.Render(std::min(stepFrames, total - done));
            all.insert(all.end(), part.begin(), part.end());
            mSystem->Update();
        }
        return all;
    }

    std::unique_ptr<TAssetsRoot> mAssets;
    TLoopbackDevice mLoopback;
    TOpenAlSystem* mSystem = nullptr;
};

} // namespace sound_test
