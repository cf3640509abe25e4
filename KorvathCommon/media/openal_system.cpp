#include "media/openal_system.h"

#include <SDL.h>

#include "app/log.h"

namespace {

TOpenAlSystem* gInstance = nullptr;

// The device the game asks for first; where it does not exist the default device is used.
const char* const kDeviceName = "Generic Software";

ALint GetSourceState(ALuint source) {
    ALint state = 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    CheckAlError();
    return state;
}

void QueueBuffers(ALuint source, ALsizei count, const ALuint* buffers) {
    alSourceQueueBuffers(source, count, buffers);
    CheckAlError();
}

} // namespace

TOpenAlSystem* TOpenAlSystem::GetInstance() {
    if (gInstance == nullptr) {
        ALCdevice* device = OpenAlDevice(kDeviceName);
        ALCcontext* context = device != nullptr ? alcCreateContext(device, nullptr) : nullptr;
        gInstance = new TOpenAlSystem(device, context);
    }
    return gInstance;
}

TOpenAlSystem* TOpenAlSystem::CreateInstance(ALCdevice* device, ALCcontext* context) {
    DestroyInstance();
    gInstance = new TOpenAlSystem(device, context);
    return gInstance;
}

void TOpenAlSystem::DestroyInstance() {
    delete gInstance;
    gInstance = nullptr;
}

bool TOpenAlSystem::HasInstance() {
    return gInstance != nullptr;
}

TOpenAlSystem::TOpenAlSystem(ALCdevice* device, ALCcontext* context) : mDevice(device, context) {
    if (!mDevice.IsOpen()) {
        TLogFile::Get()->Printf("OpenAL: no audio device, the game runs without sound");
        return;
    }
    alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
    CheckAlError();
}

TOpenAlSystem::~TOpenAlSystem() = default;

TAlStream* TOpenAlSystem::FindBySource(uint32_t source) {
    if (source == 0) {
        return nullptr;
    }
    for (auto& [handle, stream] : mStreams) {
        if (stream->source.Name() == source) {
            return stream.get();
        }
    }
    return nullptr;
}

uint32_t TOpenAlSystem::OpenStream(const std::string& path) {
    std::lock_guard<std::mutex> lock(mMutex);
    if (!mDevice.IsOpen()) {
        return 0;
    }
    auto stream = std::make_unique<TAlStream>();
    stream->path = path;
    const TVorbisFile::TOpenResult opened = stream->file.Open(path);
    return AddStream(std::move(stream), opened);
}

uint32_t TOpenAlSystem::OpenStreamBytes(const std::string& name, std::string bytes) {
    std::lock_guard<std::mutex> lock(mMutex);
    if (!mDevice.IsOpen()) {
        return 0;
    }
    auto stream = std::make_unique<TAlStream>();
    stream->path = name;
    const TVorbisFile::TOpenResult opened = stream->file.OpenBytes(std::move(bytes));
    return AddStream(std::move(stream), opened);
}

uint32_t TOpenAlSystem::AddStream(std::unique_ptr<TAlStream> stream, TVorbisFile::TOpenResult opened) {
    const std::string& path = stream->path;
    switch (opened) {
    case TVorbisFile::TOpenResult::NoFile:
        TLogFile::Get()->Printf("ERROR: Could not find file named \"%s\"", path.c_str());
        return 0;
    case TVorbisFile::TOpenResult::NotVorbis:
        TLogFile::Get()->Printf("Cannot open og file %s", path.c_str());
        return 0;
    case TVorbisFile::TOpenResult::NoInfo:
        TLogFile::Get()->Printf("ERROR: \"%s\" is not a valid Ogg Vorbis file.", path.c_str());
        return 0;
    case TVorbisFile::TOpenResult::Opened:
        break;
    }
    int channels = stream->file.Info()->channels;
    if (channels > 2) {
        // Only mono and stereo have an OpenAL format here; anything else would play garbled.
        TLogFile::Get()->Printf("ERROR: \"%s\" has %d channels, only mono and stereo play", path.c_str(), channels);
        return 0;
    }
    if (!stream->buffers.Generate()) {
        // The stream is closed again: a 0 or stale name must never pass for a handle.
        TLogFile::Get()->Printf("Buffers Error");
        return 0;
    }
    stream->format = channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    uint32_t handle = stream->buffers[0];
    mStreams[handle] = std::move(stream);
    return handle;
}

bool TOpenAlSystem::FillBuffer(ALuint buffer, TAlStream& stream) {
    int total = 0;
    int errors = 0;
    while (total < kChunkSize) {
        long n = stream.file.Read(mChunk.data() + total, kChunkSize - total);
        if (n > 0) {
            total += static_cast<int>(n);
            errors = 0;
        } else if (n == 0) {
            break;
        } else {
            TLogFile::Get()->Printf("Error streaming audio");
            if (++errors >= kMaxDecodeErrors) {
                TLogFile::Get()->Printf("Stream \"%s\" keeps failing to decode, the rest is skipped",
                                        stream.path.c_str());
                break;
            }
        }
    }
    if (total == 0) {
        return false;
    }
    alBufferData(buffer, stream.format, mChunk.data(), total, static_cast<ALsizei>(stream.file.Info()->rate));
    CheckAlError();
    return true;
}

uint32_t TOpenAlSystem::Play(uint32_t handle, bool loop, float gain) {
    std::lock_guard<std::mutex> lock(mMutex);
    auto found = mStreams.find(handle);
    if (handle == 0 || found == mStreams.end()) {
        return 0;
    }
    TAlStream& stream = *found->second;
    ov_raw_seek(stream.file.Decoder(), 0);
    if (stream.source.Name() != 0) {
        stream.source.StopAndUnqueue();
    } else if (!stream.source.Generate()) {
        stream.state = TStreamState::Stopped;
        return 0;
    }
    if (!FillBuffer(stream.buffers[0], stream)) {
        EndPlay(stream);
        return 0;
    }
    ALsizei queued = FillBuffer(stream.buffers[1], stream) ? 2 : 1;
    stream.loop = loop;
    stream.gain = gain;
    stream.state = TStreamState::Playing;
    ALuint source = stream.source.Name();
    alSourcef(source, AL_GAIN, gain);
    CheckAlError();
    QueueBuffers(source, queued, stream.buffers.Names());
    alSourcePlay(source);
    CheckAlError();
    return source;
}

void TOpenAlSystem::EndPlay(TAlStream& stream) {
    stream.source.Delete();
    stream.state = TStreamState::Stopped;
}

void TOpenAlSystem::RefillProcessed(TAlStream& stream) {
    ALuint source = stream.source.Name();
    for (ALint i = GetProcessedBuffers(source); i > 0; --i) {
        ALuint buffer = UnqueueBuffer(source);
        if (buffer == 0) {
            continue;
        }
        if (FillBuffer(buffer, stream)) {
            QueueBuffers(source, 1, &buffer);
            continue;
        }
        if (stream.loop) {
            ov_raw_seek(stream.file.Decoder(), 0);
            // A refill that fails even from the start must not queue the old contents again.
            if (FillBuffer(buffer, stream)) {
                QueueBuffers(source, 1, &buffer);
                continue;
            }
        }
        if (GetSourceState(source) == AL_PLAYING) {
            continue; // the other buffer plays out
        }
        EndPlay(stream);
        return;
    }
}

bool TOpenAlSystem::Update() {
    std::lock_guard<std::mutex> lock(mMutex);
    for (auto& [handle, streamPtr] : mStreams) {
        TAlStream& stream = *streamPtr;
        if (!stream.source.IsLive() || stream.state == TStreamState::Paused) {
            continue;
        }
        // A gain changed behind the system's back is given again on every pass.
        alSourcef(stream.source.Name(), AL_GAIN, stream.gain);
        CheckAlError();
        RefillProcessed(stream);
        if (stream.source.IsLive() && stream.state == TStreamState::Playing &&
            GetSourceState(stream.source.Name()) != AL_PLAYING) {
            // A source whose queue ran dry starts again.
            alSourcePlay(stream.source.Name());
            CheckAlError();
        }
    }
    return !mStopRequested;
}

void TOpenAlSystem::Stop(uint32_t source) {
    std::lock_guard<std::mutex> lock(mMutex);
    if (!alIsSource(source)) {
        return;
    }
    alSourceStop(source);
    CheckAlError();
    if (TAlStream* stream = FindBySource(source)) {
        EndPlay(*stream);
    }
}

void TOpenAlSystem::Pause(uint32_t source, bool pause) {
    std::lock_guard<std::mutex> lock(mMutex);
    if (!alIsSource(source)) {
        return;
    }
    TAlStream* stream = FindBySource(source);
    if (pause) {
        alSourcePause(source);
        CheckAlError();
        if (stream != nullptr) {
            stream->state = TStreamState::Paused;
        }
        return;
    }
    // Only a paused source resumes: playing one that was not paused would start its queue over.
    if (GetSourceState(source) == AL_PAUSED) {
        alSourcePlay(source);
        CheckAlError();
    }
    if (stream != nullptr && stream->state == TStreamState::Paused) {
        stream->state = TStreamState::Playing;
    }
}

bool TOpenAlSystem::IsPlaying(uint32_t source) {
    return IsInState(source, TStreamState::Playing, AL_PLAYING);
}

bool TOpenAlSystem::IsPaused(uint32_t source) {
    return IsInState(source, TStreamState::Paused, AL_PAUSED);
}

bool TOpenAlSystem::IsInState(uint32_t source, TStreamState state, ALint alState) {
    std::lock_guard<std::mutex> lock(mMutex);
    if (!alIsSource(source)) {
        return false;
    }
    // A stream's own state decides; a source outside every stream is asked directly.
    const TAlStream* stream = FindBySource(source);
    return stream != nullptr ? stream->state == state : GetSourceState(source) == alState;
}

void TOpenAlSystem::SetGain(uint32_t source, float gain) {
    std::lock_guard<std::mutex> lock(mMutex);
    if (!alIsSource(source)) {
        return;
    }
    if (TAlStream* stream = FindBySource(source)) {
        stream->gain = gain;
    }
    alSourcef(source, AL_GAIN, gain);
    CheckAlError();
}

void TOpenAlSystem::CloseStream(uint32_t handle) {
    std::lock_guard<std::mutex> lock(mMutex);
    mStreams.erase(handle);
}

uint32_t TOpenAlSystem::GetSource(uint32_t handle) {
    std::lock_guard<std::mutex> lock(mMutex);
    auto found = mStreams.find(handle);
    return found != mStreams.end() ? found->second->source.Name() : 0;
}

void TOpenAlSystem::RequestStop() {
    std::lock_guard<std::mutex> lock(mMutex);
    mStopRequested = true;
}

int RunAudioThread(void* /*data*/) {
    while (TOpenAlSystem::GetInstance()->Update()) {
        SDL_Delay(100);
    }
    return 0;
}

TAudioThread::TAudioThread() {
    mThread = SDL_CreateThread(RunAudioThread, "audio", nullptr);
    if (mThread == nullptr) {
        TLogFile::Get()->Printf("Cannot start the audio thread: %s", SDL_GetError());
    }
}

TAudioThread::~TAudioThread() {
    if (mThread == nullptr) {
        return;
    }
    TOpenAlSystem::GetInstance()->RequestStop();
    SDL_WaitThread(mThread, nullptr);
}
