#pragma once
// Owners of the OpenAL and Ogg Vorbis handles the streaming layer uses: the device with its context,
// the two buffers and the source of a stream, and the decoder with its file. Every OpenAL error is
// logged, never fatal.

#include <cstdint>
#include <string>

#include <AL/al.h>
#include <AL/alc.h>
#include <vorbis/vorbisfile.h>

// Logs "OpenAL error: %s" when alGetError reports an error.
void CheckAlError();
const char* GetAlErrorText(ALenum code);

// The device and its current context; closes both at destruction.
class TAlDevice {
public:
    // Takes both; when either is null, or the context cannot be made current, closes what it was
    // given and holds nothing.
    TAlDevice(ALCdevice* device, ALCcontext* context);
    ~TAlDevice();
    TAlDevice(const TAlDevice&) = delete;
    TAlDevice& operator=(const TAlDevice&) = delete;

    bool IsOpen() const { return mContext != nullptr; }

private:
    ALCdevice* mDevice = nullptr;
    ALCcontext* mContext = nullptr;
};

// Opens the named device, then the default one; null when neither opens.
ALCdevice* OpenAlDevice(const char* name);

// The two buffers a stream plays from; the first name is the stream's handle.
class TAlBufferPair {
public:
    TAlBufferPair() = default;
    ~TAlBufferPair();
    TAlBufferPair(const TAlBufferPair&) = delete;
    TAlBufferPair& operator=(const TAlBufferPair&) = delete;

    // False when either name came back 0.
    bool Generate();
    ALuint operator[](int index) const { return mNames[index]; }
    const ALuint* Names() const { return mNames; }

private:
    ALuint mNames[2] = {0, 0};
};

// A stream's source. Deleting it stops it and unqueues its buffers first.
class TAlSource {
public:
    TAlSource() = default;
    ~TAlSource() { Delete(); }
    TAlSource(const TAlSource&) = delete;
    TAlSource& operator=(const TAlSource&) = delete;

    // A new source at the origin; false when OpenAL gave none.
    bool Generate();
    // Stops the source and unqueues every buffer; the source stays.
    void StopAndUnqueue();
    void Delete();
    ALuint Name() const { return mName; }
    bool IsLive() const { return mName != 0 && alIsSource(mName); }

private:
    ALuint mName = 0;
};

// Stops any live source (one that belongs to no stream as well) and unqueues its buffers.
void StopAlSource(ALuint source);
ALint GetProcessedBuffers(ALuint source);
// Takes the oldest processed buffer off the queue; 0 when none came off.
ALuint UnqueueBuffer(ALuint source);

// A Vorbis decoder that owns its file from a successful open on.
class TVorbisFile {
public:
    TVorbisFile() = default;
    ~TVorbisFile();
    TVorbisFile(const TVorbisFile&) = delete;
    TVorbisFile& operator=(const TVorbisFile&) = delete;

    enum class TOpenResult { Opened, NoFile, NotVorbis, NoInfo };
    TOpenResult Open(const std::string& path);
    // The same over a file's bytes, kept by the decoder and read through an in-memory FILE*.
    TOpenResult OpenBytes(std::string bytes);
    OggVorbis_File* Decoder() { return &mDecoder; }
    // Decodes 16-bit signed little-endian samples: bytes read, 0 at the end, negative on an error.
    long Read(char* buffer, int length);
    const vorbis_info* Info() const { return mInfo; }

private:
    // Takes the file (closing it on failure).
    TOpenResult OpenDecoder(FILE* file);

    std::string mBytes;
    OggVorbis_File mDecoder{};
    vorbis_info* mInfo = nullptr;
    bool mOpen = false;
};

// Test seam: while set, every decode of an open stream fails as a damaged file's does.
void SetStreamDecodeFault(bool fault);
