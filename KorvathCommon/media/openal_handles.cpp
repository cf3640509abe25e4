#include "media/openal_handles.h"

#include <atomic>
#include <cstdio>

#include "app/log.h"

namespace {

std::atomic<bool> gDecodeFault{false};

} // namespace

const char* GetAlErrorText(ALenum code) {
    switch (code) {
    case AL_INVALID_NAME:
        return "The specified source name is not valid";
    case AL_INVALID_ENUM:
        return "The specified parameter is not valid";
    case AL_INVALID_VALUE:
        return "The value given is out of range";
    case AL_INVALID_OPERATION:
        return "There is no current context";
    default:
        return "Unknown OpenAL error";
    }
}

void CheckAlError() {
    ALenum code = alGetError();
    if (code != AL_NO_ERROR) {
        TLogFile::Get()->Printf("OpenAL error: %s", GetAlErrorText(code));
    }
}

TAlDevice::TAlDevice(ALCdevice* device, ALCcontext* context) {
    if (device != nullptr && context != nullptr && alcMakeContextCurrent(context)) {
        mDevice = device;
        mContext = context;
        return;
    }
    if (context != nullptr) {
        alcDestroyContext(context);
    }
    if (device != nullptr) {
        alcCloseDevice(device);
    }
}

TAlDevice::~TAlDevice() {
    if (mContext == nullptr) {
        return;
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(mContext);
    alcCloseDevice(mDevice);
}

ALCdevice* OpenAlDevice(const char* name) {
    // Named devices differ between platforms; the default device stands in for a missing one.
    ALCdevice* device = alcOpenDevice(name);
    return device != nullptr ? device : alcOpenDevice(nullptr);
}

TAlBufferPair::~TAlBufferPair() {
    if (mNames[0] != 0 || mNames[1] != 0) {
        alDeleteBuffers(2, mNames);
        CheckAlError();
    }
}

bool TAlBufferPair::Generate() {
    alGenBuffers(2, mNames);
    CheckAlError();
    return mNames[0] != 0 && mNames[1] != 0;
}

bool TAlSource::Generate() {
    alGenSources(1, &mName);
    CheckAlError();
    if (mName == 0) {
        return false;
    }
    alSource3f(mName, AL_POSITION, 0.0f, 0.0f, 0.0f);
    CheckAlError();
    return true;
}

void StopAlSource(ALuint source) {
    if (!alIsSource(source)) {
        return;
    }
    alSourceStop(source);
    CheckAlError();
    // After a stop every queued buffer counts as processed, so the queue ends empty.
    for (ALint i = GetProcessedBuffers(source); i > 0; --i) {
        UnqueueBuffer(source);
    }
}

ALint GetProcessedBuffers(ALuint source) {
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    CheckAlError();
    return processed;
}

ALuint UnqueueBuffer(ALuint source) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source, 1, &buffer);
    CheckAlError();
    return buffer;
}

void TAlSource::StopAndUnqueue() {
    StopAlSource(mName);
}

void TAlSource::Delete() {
    if (mName == 0) {
        return;
    }
    if (alIsSource(mName)) {
        StopAndUnqueue();
        alDeleteSources(1, &mName);
        CheckAlError();
    }
    mName = 0;
}

TVorbisFile::~TVorbisFile() {
    if (mOpen) {
        ov_clear(&mDecoder);
    }
}

TVorbisFile::TOpenResult TVorbisFile::Open(const std::string& path) {
    return OpenDecoder(std::fopen(path.c_str(), "rb"));
}

TVorbisFile::TOpenResult TVorbisFile::OpenBytes(std::string bytes) {
    mBytes = std::move(bytes);
    // An empty memory file cannot be opened; it is no Vorbis stream either.
    if (mBytes.empty()) {
        return TOpenResult::NotVorbis;
    }
    return OpenDecoder(fmemopen(mBytes.data(), mBytes.size(), "rb"));
}

TVorbisFile::TOpenResult TVorbisFile::OpenDecoder(FILE* file) {
    if (file == nullptr) {
        return TOpenResult::NoFile;
    }
    if (ov_open(file, &mDecoder, nullptr, 0) < 0) {
        std::fclose(file);
        return TOpenResult::NotVorbis;
    }
    // From here on the decoder owns the file and closes it.
    mOpen = true;
    mInfo = ov_info(&mDecoder, -1);
    return mInfo != nullptr ? TOpenResult::Opened : TOpenResult::NoInfo;
}

long TVorbisFile::Read(char* buffer, int length) {
    if (gDecodeFault.load()) {
        return OV_EREAD;
    }
    int section = 0;
    return ov_read(&mDecoder, buffer, length, 0, 2, 1, &section);
}

void SetStreamDecodeFault(bool fault) {
    gDecodeFault.store(fault);
}
