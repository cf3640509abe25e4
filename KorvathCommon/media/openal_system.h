#pragma once
// The lowest layer of sound: Ogg Vorbis files streamed through OpenAL, each on a source fed by two
// queued buffers that the audio thread refills. One mutex guards everything here; every operation
// holds it for its whole body.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "media/openal_handles.h"

struct SDL_Thread;

enum class TStreamState { Opened = 0, Playing = 1, Stopped = 2, Paused = 3 };

// One opened file. Decoder, file and buffers live from OpenStream to CloseStream; the source
// comes and goes with each play.
struct TAlStream {
    std::string path;
    TAlBufferPair buffers;
    TAlSource source;
    TVorbisFile file;
    bool loop = false;
    ALenum format = AL_FORMAT_STEREO16;
    TStreamState state = TStreamState::Opened;
    float gain = 1.0f;
};

class TOpenAlSystem {
public:
    static constexpr int kChunkSize = 49152;
    // A decode that keeps failing this many times in a row ends the fill: the audio thread must
    // never spin on a broken file while it holds the lock.
    static constexpr int kMaxDecodeErrors = 8;

    // The single system; the first call opens the default device.
    static TOpenAlSystem* GetInstance();
    // Test seam: replaces the single system by one over the given device and context, owned from now on.
    static TOpenAlSystem* CreateInstance(ALCdevice* device, ALCcontext* context);
    static void DestroyInstance();
    static bool HasInstance();

    ~TOpenAlSystem();
    TOpenAlSystem(const TOpenAlSystem&) = delete;
    TOpenAlSystem& operator=(const TOpenAlSystem&) = delete;

    // The stream handle (the name of its first buffer), 0 on failure.
    uint32_t OpenStream(const std::string& path);
    // The same over a file's bytes in memory; the name is for the log lines.
    uint32_t OpenStreamBytes(const std::string& name, std::string bytes);
    // Rewinds and plays; the source, 0 on failure.
    uint32_t Play(uint32_t handle, bool loop, float gain);
    void Stop(uint32_t source);
    void Pause(uint32_t source, bool pause);
    bool IsPlaying(uint32_t source);
    bool IsPaused(uint32_t source);
    void SetGain(uint32_t source, float gain);
    void CloseStream(uint32_t handle);
    // The source the stream plays on now, 0 when none. A source the audio thread has freed may be
    // handed to another stream, so a caller's play id is current only while this still returns it.
    uint32_t GetSource(uint32_t handle);

    // One refill pass over every stream; false once a stop was requested. The audio thread's body.
    bool Update();
    // Asks the audio thread to end after its current pass.
    void RequestStop();
    bool HasDevice() const { return mDevice.IsOpen(); }

private:
    // Keeps an opened stream with its buffers (called with the lock held); 0, logged, when it cannot play.
    uint32_t AddStream(std::unique_ptr<TAlStream> stream, TVorbisFile::TOpenResult opened);
    TOpenAlSystem(ALCdevice* device, ALCcontext* context);

    TAlStream* FindBySource(uint32_t source);
    bool IsInState(uint32_t source, TStreamState state, ALint alState);
    bool FillBuffer(ALuint buffer, TAlStream& stream);
    void EndPlay(TAlStream& stream);
    void RefillProcessed(TAlStream& stream);

    std::mutex mMutex;
    // Declared before the streams, so the streams are closed while the context is still current.
    TAlDevice mDevice;
    std::map<uint32_t, std::unique_ptr<TAlStream>> mStreams;
    bool mStopRequested = false;
    std::array<char, kChunkSize> mChunk{};
};

// The body of the thread named "audio": a refill pass every 100 ms until a stop is requested.
int RunAudioThread(void* data);

// The running audio thread; destruction requests the stop and joins it.
class TAudioThread {
public:
    TAudioThread();
    ~TAudioThread();
    TAudioThread(const TAudioThread&) = delete;
    TAudioThread& operator=(const TAudioThread&) = delete;

private:
    SDL_Thread* mThread = nullptr;
};
