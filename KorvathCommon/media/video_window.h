#pragma once
// Plays the first Theora stream of an Ogg file held whole in memory: decodes frames up to a play time,
// adapts the decoder's post-processing to how far ahead it runs, converts the picture into an ARGB
// streaming texture (opaque, or with the alpha taken from the picture's right half and cut by a mask),
// and starts over at the end of the data until its pass limit is reached. Pages of other streams are
// ignored. Main thread only.

#include <ogg/ogg.h>
#include <theora/theoradec.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/texture.h"

class TVideoWindowDataListener {
public:
    virtual ~TVideoWindowDataListener() = default;
    // A pass through the data has ended; passes counts the passes ended so far.
    virtual void OnLoopFinished(int passes) {}
};

// One pixel of the conversion: BT.601 with 13-bit fixed-point factors and a luma offset of 15, so studio
// black (16) comes out as 1, each channel clamped to 0..255.
TRgb ConvertYCbCr(int y, int cb, int cr);

class TVideoWindow {
public:
    static constexpr int kMaxLevel = 7;
    // The sync layer is fed in chunks of at most this many bytes.
    static constexpr uint32_t kChunkSize = 4096;
    // Larger pictures are refused: nothing the game ships comes near, and broken headers could ask for
    // gigabytes.
    static constexpr uint32_t kMaxPixels = 2048u * 2048u;

    TVideoWindow();
    ~TVideoWindow();
    TVideoWindow(const TVideoWindow&) = delete;
    TVideoWindow& operator=(const TVideoWindow&) = delete;

    // Reads the whole file and its headers: frames per second, 0 when the file cannot be opened or
    // holds no playable Theora stream.
    float Open(const std::string& file);
    // The same over a file image already in memory; name is only for the log.
    float OpenBytes(const std::string& name, std::string bytes);
    // Decodes up to the target play time: false when the window was not playing; the caller then
    // checks mPlaying.
    bool Advance(float targetSeconds);
    // Convert the last decoded frame into the texture; fillAlphaMap keeps the frame's alpha per pixel.
    void WriteFrameOpaque(const TTextureHandle& texture, bool fillAlphaMap);
    void WriteFrameWithAlpha(const TTextureHandle& texture, bool fillAlphaMap);
    // The alpha map value; 0 outside the map.
    int AlphaAt(int col, int row) const;
    // The picture width, halved in alpha mode.
    uint32_t GetFrameWidth() const;
    uint32_t GetPictureHeight() const { return mInfo.pic_height; }
    int GetLevel() const { return mLevel; }
    // Frames decoded since the window was opened (all passes).
    int GetDecodedFrames() const { return mDecodedFrames; }
    const std::string& GetFileName() const { return mFileName; }
    // Decoders alive in the process, so long runs can show that none pile up.
    static long GetLiveDecoders();

    bool mPlaying = true;
    // Set when a new pass has begun; the owner clears it.
    bool mRestarted = false;
    // Passes to play; -1 plays for ever.
    int mPassLimit = 1;
    int mPasses = 0;
    bool mAlphaMode = false;
    // Set by the alpha writer with a mask: some pixel kept an alpha above 0.
    bool mAlphaVisible = false;
    bool mFrameWritten = false;
    // Where the picture's top-left pixel falls in the mask.
    int mMaskOffsetX = 0;
    int mMaskOffsetY = 0;
    TTextureHandle mMask;
    TVideoWindowDataListener* mListener = nullptr;
    float mTargetTime = 0;
    float mLastFrameTime = -1;
    float mFrameDuration = 0;

private:
    void ParseHeaders();
    // Checks what the decoder will hand out against what the converter reads; false (logged) refuses it.
    bool CheckFormat();
    bool NextPage();
    bool NextPacket();
    bool NextPacketLooping();
    void SetDecoderLevel();
    // The decoded planes, checked against the picture: false when no frame can be read.
    bool GetPlanes(th_ycbcr_buffer planes) const;
    void ResizeAlphaMap(int value);
    void Release();

    uint32_t mReadPosition = 0;
    ogg_sync_state mSync{};
    ogg_page mPage{};
    ogg_packet mPacket{};
    ogg_stream_state mStream{};
    bool mHasStream = false;
    int mHeadersRead = 0;
    th_info mInfo{};
    th_comment mComment{};
    th_dec_ctx* mDecoder = nullptr;
    th_setup_info* mSetup = nullptr;
    int mLevel = 0;
    int mMaxLevel = kMaxLevel;
    int mPendingLevel = 0;
    std::string mFileImage;
    std::string mFileName;
    // Chroma subsampling shifts of the stream's pixel format.
    int mChromaShiftX = 1;
    int mChromaShiftY = 1;
    bool mFrameDecoded = false;
    int mDecodedFrames = 0;
    int mFramesThisPass = 0;
    std::vector<std::vector<int32_t>> mAlphaMap;
};
