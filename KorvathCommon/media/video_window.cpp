#include "media/video_window.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/file_object.h"
#include "app/log.h"

namespace {

long gLiveDecoders = 0;

// Larger files are not read at all.
constexpr size_t kMaxFileBytes = 256u * 1024u * 1024u;

int Clamp255(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

TRgb ConvertYCbCr(int y, int cb, int cr) {
    const int luma = 9535 * (y - 15);
    const int r = (luma + 13074 * (cr - 128)) >> 13;
    const int g = (luma - 3203 * (cb - 128) - 6660 * (cr - 128)) >> 13;
    const int b = (luma + 16531 * (cb - 128)) >> 13;
    return TRgb{static_cast<uint8_t>(Clamp255(r)), static_cast<uint8_t>(Clamp255(g)),
                static_cast<uint8_t>(Clamp255(b))};
}

long TVideoWindow::GetLiveDecoders() {
    return gLiveDecoders;
}

TVideoWindow::TVideoWindow() {
    ogg_sync_init(&mSync);
    th_info_init(&mInfo);
    th_comment_init(&mComment);
}

TVideoWindow::~TVideoWindow() {
    Release();
}

void TVideoWindow::Release() {
    if (mDecoder != nullptr) {
        th_decode_free(mDecoder);
        mDecoder = nullptr;
        --gLiveDecoders;
    }
    if (mSetup != nullptr) {
        th_setup_free(mSetup);
        mSetup = nullptr;
    }
    if (mHasStream) {
        ogg_stream_clear(&mStream);
        mHasStream = false;
    }
    ogg_sync_clear(&mSync);
    th_info_clear(&mInfo);
    th_comment_clear(&mComment);
    mFileImage.clear();
    mAlphaMap.clear();
    mMask.Reset();
}

float TVideoWindow::Open(const std::string& file) {
    TFileObject input;
    if (!input.Open(file, false)) {
        LogDebug("TVideoWindow : error opening file %s", file.c_str());
        return 0;
    }
    std::string bytes;
    if (!ReadOpenFile(input, bytes, kMaxFileBytes)) {
        return 0;
    }
    input.Close();
    return OpenBytes(file, std::move(bytes));
}

float TVideoWindow::OpenBytes(const std::string& name, std::string bytes) {
    // A second open starts from a clean reader.
    TTextureHandle mask = mMask;
    Release();
    mMask = mask;
    ogg_sync_init(&mSync);
    th_info_init(&mInfo);
    th_comment_init(&mComment);
    mFileName = name;
    mFileImage = std::move(bytes);
    mReadPosition = 0;
    mHeadersRead = 0;
    mPlaying = true;
    mFrameDecoded = false;
    mLastFrameTime = -1;
    ParseHeaders();
    if (!mPlaying) {
        return 0;
    }
    return static_cast<float>(mInfo.fps_numerator) / static_cast<float>(mInfo.fps_denominator);
}

bool TVideoWindow::NextPage() {
    while (ogg_sync_pageout(&mSync, &mPage) != 1) {
        if (mReadPosition >= mFileImage.size()) {
            return false;
        }
        const uint32_t count = std::min<uint32_t>(static_cast<uint32_t>(mFileImage.size()) - mReadPosition, kChunkSize);
        char* buffer = ogg_sync_buffer(&mSync, count);
        if (buffer == nullptr) {
            return false;
        }
        std::memcpy(buffer, mFileImage.data() + mReadPosition, count);
        ogg_sync_wrote(&mSync, count);
        mReadPosition += count;
    }
    return true;
}

void TVideoWindow::ParseHeaders() {
    // The beginning-of-stream pages come first; the first stream that answers as Theora is kept.
    bool more = NextPage();
    while (more && ogg_page_bos(&mPage) != 0) {
        ogg_stream_state candidate;
        ogg_stream_init(&candidate, ogg_page_serialno(&mPage));
        ogg_stream_pagein(&candidate, &mPage);
        ogg_packet packet;
        if (ogg_stream_packetout(&candidate, &packet) == 1 && !mHasStream &&
            th_decode_headerin(&mInfo, &mComment, &mSetup, &packet) >= 0) {
            mStream = candidate;
            mHasStream = true;
            mHeadersRead = 1;
        } else {
            ogg_stream_clear(&candidate);
        }
        more = NextPage();
    }
    if (!more || !mHasStream) {
        TLogFile::Get()->Printf(mHasStream ? "TVideoWindow : headers cut short in %s"
                                           : "TVideoWindow : no Theora stream in %s",
                                mFileName.c_str());
        mPlaying = false;
        return;
    }
    ogg_stream_pagein(&mStream, &mPage);
    while (mHeadersRead < 3) {
        const int result = ogg_stream_packetout(&mStream, &mPacket);
        if (result > 0) {
            // A broken header (a negative answer) ends here too: the decoder could not be set up from it.
            if (th_decode_headerin(&mInfo, &mComment, &mSetup, &mPacket) <= 0) {
                TLogFile::Get()->Printf("TVideoWindow : broken headers in %s", mFileName.c_str());
                mPlaying = false;
                return;
            }
            ++mHeadersRead;
        } else if (result < 0) {
            mPlaying = false;
            return;
        } else {
            if (!NextPage()) {
                TLogFile::Get()->Printf("TVideoWindow : headers cut short in %s", mFileName.c_str());
                mPlaying = false;
                return;
            }
            if (ogg_page_serialno(&mPage) == mStream.serialno) {
                ogg_stream_pagein(&mStream, &mPage);
            }
        }
    }
    if (!CheckFormat()) {
        mPlaying = false;
        return;
    }
    mDecoder = th_decode_alloc(&mInfo, mSetup);
    th_setup_free(mSetup);
    mSetup = nullptr;
    if (mDecoder == nullptr) {
        TLogFile::Get()->Printf("TVideoWindow : decoder refused %s", mFileName.c_str());
        mPlaying = false;
        return;
    }
    ++gLiveDecoders;
    mFrameDuration = static_cast<float>(mInfo.fps_denominator) / static_cast<float>(mInfo.fps_numerator);
    int decoderMax = kMaxLevel;
    if (th_decode_ctl(mDecoder, TH_DECCTL_GET_PPLEVEL_MAX, &decoderMax, sizeof(decoderMax)) != 0) {
        decoderMax = kMaxLevel;
    }
    mMaxLevel = std::clamp(decoderMax, 0, kMaxLevel);
    mLevel = mMaxLevel;
    SetDecoderLevel();
}

bool TVideoWindow::CheckFormat() {
    const char* name = mFileName.c_str();
    switch (mInfo.pixel_fmt) {
    case TH_PF_420:
        mChromaShiftX = mChromaShiftY = 1;
        break;
    case TH_PF_422:
        mChromaShiftX = 1;
        mChromaShiftY = 0;
        break;
    case TH_PF_444:
        mChromaShiftX = mChromaShiftY = 0;
        break;
    default:
        TLogFile::Get()->Printf("TVideoWindow : unsupported pixel format %d in %s", static_cast<int>(mInfo.pixel_fmt),
                                name);
        return false;
    }
    if (mInfo.fps_numerator == 0 || mInfo.fps_denominator == 0) {
        TLogFile::Get()->Printf("TVideoWindow : no frame rate in %s", name);
        return false;
    }
    const uint64_t framePixels = static_cast<uint64_t>(mInfo.frame_width) * mInfo.frame_height;
    if (mInfo.pic_width == 0 || mInfo.pic_height == 0 || framePixels > kMaxPixels ||
        mInfo.pic_x + static_cast<uint64_t>(mInfo.pic_width) > mInfo.frame_width ||
        mInfo.pic_y + static_cast<uint64_t>(mInfo.pic_height) > mInfo.frame_height) {
        TLogFile::Get()->Printf("TVideoWindow : picture %ux%u of frame %ux%u refused in %s", mInfo.pic_width,
                                mInfo.pic_height, mInfo.frame_width, mInfo.frame_height, name);
        return false;
    }
    return true;
}

void TVideoWindow::SetDecoderLevel() {
    if (mDecoder != nullptr) {
        int level = mLevel;
        th_decode_ctl(mDecoder, TH_DECCTL_SET_PPLEVEL, &level, sizeof(level));
    }
}

bool TVideoWindow::NextPacket() {
    while (mHasStream) {
        const int result = ogg_stream_packetout(&mStream, &mPacket);
        if (result == 1) {
            return true;
        }
        if (result < 0 || !NextPage()) {
            break;
        }
        if (ogg_page_serialno(&mPage) == mStream.serialno) {
            ogg_stream_pagein(&mStream, &mPage);
        }
    }
    mPlaying = false;
    return false;
}

bool TVideoWindow::NextPacketLooping() {
    if (NextPacket()) {
        return true;
    }
    ++mPasses;
    const int framesInPass = mFramesThisPass;
    mFramesThisPass = 0;
    if (mListener != nullptr) {
        mListener->OnLoopFinished(mPasses);
    }
    if (mPassLimit != -1 && mPasses >= mPassLimit) {
        mPlaying = false;
        return false;
    }
    // A pass without a single frame would start over for ever inside one Advance.
    if (framesInPass == 0) {
        TLogFile::Get()->Printf("TVideoWindow : no frame in a pass of %s", mFileName.c_str());
        mPlaying = false;
        return false;
    }
    mReadPosition = 0;
    mLastFrameTime = 0;
    mTargetTime = 0;
    mRestarted = true;
    // The new pass is read as a fresh stream, so its pages are not taken for a hole after the old ones,
    // and the decoder counts its frames from the first again.
    ogg_sync_reset(&mSync);
    ogg_stream_reset(&mStream);
    ogg_int64_t start = 0;
    th_decode_ctl(mDecoder, TH_DECCTL_SET_GRANPOS, &start, sizeof(start));
    if (!NextPacket()) {
        return false;
    }
    mPlaying = true;
    return true;
}

bool TVideoWindow::Advance(float targetSeconds) {
    if (!mPlaying || mDecoder == nullptr) {
        return false;
    }
    mTargetTime = targetSeconds;
    while (NextPacketLooping()) {
        if (mPendingLevel != 0) {
            const int level = mLevel + mPendingLevel;
            if (level >= 0 && level <= mMaxLevel) {
                mLevel = level;
                SetDecoderLevel();
            }
            mPendingLevel = 0;
        }
        if (mPacket.granulepos >= 0) {
            th_decode_ctl(mDecoder, TH_DECCTL_SET_GRANPOS, &mPacket.granulepos, sizeof(mPacket.granulepos));
        }
        ogg_int64_t granule = -1;
        if (th_decode_packetin(mDecoder, &mPacket, &granule) != 0) {
            continue;
        }
        mFrameDecoded = true;
        ++mDecodedFrames;
        ++mFramesThisPass;
        mLastFrameTime = granule >= 0 ? static_cast<float>(th_granule_time(mDecoder, granule)) : -1.0f;
        // The target is the field: a pass that began inside this call compares with its own start.
        if (mTargetTime <= mLastFrameTime) {
            break;
        }
        if (mLevel > 0) {
            mPendingLevel = -1;
        }
    }
    // Ahead by more than a frame: spend more on post-processing. Only a frame still behind the target
    // lowers it; a lead under one frame is where a decode step at the file's own rate always lands.
    const float lead = mLastFrameTime - mTargetTime;
    if (lead > mFrameDuration) {
        if (mLevel < mMaxLevel) {
            mPendingLevel = 1;
        }
    } else if (lead < 0 && mLevel > 0) {
        mPendingLevel = -1;
    }
    return true;
}

uint32_t TVideoWindow::GetFrameWidth() const {
    return mAlphaMode ? mInfo.pic_width / 2 : mInfo.pic_width;
}

bool TVideoWindow::GetPlanes(th_ycbcr_buffer planes) const {
    if (mDecoder == nullptr || !mFrameDecoded || th_decode_ycbcr_out(mDecoder, planes) != 0) {
        return false;
    }
    const uint64_t right = static_cast<uint64_t>(mInfo.pic_x) + mInfo.pic_width;
    const uint64_t bottom = static_cast<uint64_t>(mInfo.pic_y) + mInfo.pic_height;
    return planes[0].data != nullptr && planes[1].data != nullptr && planes[2].data != nullptr &&
           right <= static_cast<uint64_t>(planes[0].width) && bottom <= static_cast<uint64_t>(planes[0].height) &&
           ((right - 1) >> mChromaShiftX) < static_cast<uint64_t>(planes[1].width) &&
           ((bottom - 1) >> mChromaShiftY) < static_cast<uint64_t>(planes[1].height) &&
           planes[1].width == planes[2].width && planes[1].height == planes[2].height;
}

void TVideoWindow::ResizeAlphaMap(int value) {
    mAlphaMap.assign(mInfo.pic_height, std::vector<int32_t>(GetFrameWidth(), value));
}

namespace {

// Reads the planes at picture coordinates: the picture offset and the chroma subsampling applied.
struct TPlaneReader {
    const th_img_plane* planes;
    uint32_t picX;
    uint32_t picY;
    int shiftX;
    int shiftY;

    int Luma(uint32_t col, uint32_t row) const {
        return planes[0].data[static_cast<ptrdiff_t>(picY + row) * planes[0].stride + (picX + col)];
    }
    int Chroma(int plane, uint32_t col, uint32_t row) const {
        const th_img_plane& p = planes[plane];
        return p.data[static_cast<ptrdiff_t>((picY + row) >> shiftY) * p.stride + ((picX + col) >> shiftX)];
    }
};

} // namespace

void TVideoWindow::WriteFrameOpaque(const TTextureHandle& texture, bool fillAlphaMap) {
    mAlphaMode = false;
    mAlphaVisible = false;
    th_ycbcr_buffer planes;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!texture || !GetPlanes(planes) || !texture->Lock(pixels, pitch)) {
        return;
    }
    const TPlaneReader reader{planes, mInfo.pic_x, mInfo.pic_y, mChromaShiftX, mChromaShiftY};
    // Never past the texture, whatever size it was made with.
    const uint32_t width = std::min<uint32_t>(GetFrameWidth(), static_cast<uint32_t>(std::max(0, texture->GetWidth())));
    const uint32_t height =
        std::min<uint32_t>(mInfo.pic_height, static_cast<uint32_t>(std::max(0, texture->GetHeight())));
    for (uint32_t row = 0; row < height; ++row) {
        uint32_t* line = pixels + static_cast<ptrdiff_t>(row) * pitch;
        for (uint32_t col = 0; col < width; ++col) {
            const TRgb rgb =
                ConvertYCbCr(reader.Luma(col, row), reader.Chroma(1, col, row), reader.Chroma(2, col, row));
            line[col] = 0xFF000000u | static_cast<uint32_t>(rgb.r) << 16 | static_cast<uint32_t>(rgb.g) << 8 | rgb.b;
        }
    }
    if (fillAlphaMap) {
        ResizeAlphaMap(255);
    }
    texture->Unlock();
    mFrameWritten = true;
}

void TVideoWindow::WriteFrameWithAlpha(const TTextureHandle& texture, bool fillAlphaMap) {
    mAlphaMode = true;
    mAlphaVisible = false;
    th_ycbcr_buffer planes;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!texture || !GetPlanes(planes) || !texture->Lock(pixels, pitch)) {
        return;
    }
    const TPlaneReader reader{planes, mInfo.pic_x, mInfo.pic_y, mChromaShiftX, mChromaShiftY};
    const uint32_t frameWidth = GetFrameWidth();
    const uint32_t width = std::min<uint32_t>(frameWidth, static_cast<uint32_t>(std::max(0, texture->GetWidth())));
    const uint32_t height =
        std::min<uint32_t>(mInfo.pic_height, static_cast<uint32_t>(std::max(0, texture->GetHeight())));
    if (fillAlphaMap) {
        ResizeAlphaMap(0);
    }
    const TTexture* mask = mMask.Get();
    const int maskWidth = mask != nullptr ? mask->GetWidth() : 0;
    const int maskHeight = mask != nullptr ? mask->GetHeight() : 0;
    for (uint32_t row = 0; row < height; ++row) {
        uint32_t* line = pixels + static_cast<ptrdiff_t>(row) * pitch;
        for (uint32_t col = 0; col < width; ++col) {
            const TRgb rgb =
                ConvertYCbCr(reader.Luma(col, row), reader.Chroma(1, col, row), reader.Chroma(2, col, row));
            // The alpha is the red of the right-half pixel; its chroma column is taken from its own
            // position, which stays right for odd frame widths.
            const uint32_t alphaCol = col + frameWidth;
            int alpha = ConvertYCbCr(reader.Luma(alphaCol, row), 128, reader.Chroma(2, alphaCol, row)).r;
            if (mask != nullptr) {
                const int u = static_cast<int>(col) + mMaskOffsetX, v = static_cast<int>(row) + mMaskOffsetY;
                if (u < 0 || v < 0 || u >= maskWidth || v >= maskHeight) {
                    alpha = 0;
                } else {
                    alpha = static_cast<int>(static_cast<float>(alpha) *
                                             static_cast<float>(255 - mask->GetAlphaAt(u, v)) / 255.0f);
                }
                if (alpha > 0) {
                    mAlphaVisible = true;
                }
            }
            line[col] = static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(rgb.r) << 16 |
                        static_cast<uint32_t>(rgb.g) << 8 | rgb.b;
            if (fillAlphaMap) {
                mAlphaMap[row][col] = alpha;
            }
        }
    }
    texture->Unlock();
    mFrameWritten = true;
}

int TVideoWindow::AlphaAt(int col, int row) const {
    if (row < 0 || col < 0 || static_cast<size_t>(row) >= mAlphaMap.size() ||
        static_cast<size_t>(col) >= mAlphaMap[static_cast<size_t>(row)].size()) {
        return 0;
    }
    return mAlphaMap[static_cast<size_t>(row)][static_cast<size_t>(col)];
}
