#include "windows/game_cursors.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>

#include "app/log.h"
#include "app/xml_reader.h"
#include "windows/image_parts.h"

namespace {
std::unique_ptr<TGameCursors> gGameCursors;
} // namespace

void TGameCursor::LoadFromXml(const TiXmlElement* element) {
    mName = ReadXmlString(element, "name", "");
    mFileName = ReadXmlString(element, "filename", "");
    int rect[4] = {0, 0, 0, 0};
    ReadXmlFourInts(element, "rect", ",", rect);
    mRect = {rect[0], rect[1], rect[2], rect[3]};
    // A missing or unreadable hot spot is the top-left corner.
    const std::string hotspot = ReadXmlString(element, "hotspot", "");
    if (std::sscanf(hotspot.c_str(), "%d,%d", &mHotX, &mHotY) != 2) {
        mHotX = 0;
        mHotY = 0;
    }
    mFrames = std::max(ReadXmlInt(element, "frames", 1), 1);
    mSecondsPerFrame = ReadXmlFloat(element, "speed", 0.0f);
    mSystem = ReadXmlBool(element, "system", false);
}

void TGameCursor::LoadImage() {
    mImage.SetImage(mFileName);
    const TWindowRect frame = GetFrameRect(0);
    mHotX = std::clamp(mHotX, 0, std::max(frame.w - 1, 0));
    mHotY = std::clamp(mHotY, 0, std::max(frame.h - 1, 0));
}

TWindowRect TGameCursor::GetFrameRect(int index) const {
    const int imageW = TextureWidth(mImage);
    const int imageH = TextureHeight(mImage);
    if (mFrames == 1) {
        return mRect.w <= 0 ? TWindowRect{0, 0, imageW, imageH} : mRect;
    }
    // A frame width missing or wider than the image makes a single column of the image's width.
    const int w = mRect.w <= 0 || mRect.w > imageW ? imageW : mRect.w;
    const int h = mRect.h <= 0 ? imageH : mRect.h;
    const int columns = w > 0 ? std::max(imageW / w, 1) : 1;
    return {w * (index % columns), h * (index / columns), w, h};
}

void TGameCursor::ShowFrame() {
    SetSourceRect(mImage, GetFrameRect(mFrame));
}

void TGameCursor::Update(float dt) {
    mElapsed += dt;
    if (mElapsed < mSecondsPerFrame) {
        return;
    }
    mFrame = mFrame + 1 >= mFrames ? 0 : mFrame + 1;
    mElapsed = 0;
    ShowFrame();
}

void TGameCursor::Restart() {
    mElapsed = 0;
    mFrame = 0;
    ShowFrame();
}

void TGameCursor::Draw(int x, int y) {
    mImage.SetPosition(static_cast<float>(x - mHotX), static_cast<float>(y - mHotY), false);
    mImage.mAlpha = 1.0f;
    mImage.Draw(1.0f);
}

void TGameCursor::DrawAt(int x, int y) {
    mImage.SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    mImage.mAlpha = 1.0f;
    mImage.Draw(1.0f);
}

void TSystemGameCursor::Restart() {
    // Each system cursor is made once and kept until the set is deleted.
    if (!mCursor && !mFailed) {
        mCursor = MakeColorCursor(mFileName, mHotX, mHotY);
        mFailed = !mCursor;
        if (mFailed) {
            TLogFile::Get()->Printf("cursor not created %s", mFileName.c_str());
        }
    }
    if (mCursor) {
        SDL_SetCursor(mCursor.get());
    }
}

TGameCursors* TGameCursors::Get() {
    if (!gGameCursors) {
        gGameCursors.reset(new TGameCursors());
    }
    return gGameCursors.get();
}

TGameCursors* TGameCursors::FindInstance() {
    return gGameCursors.get();
}

void TGameCursors::Release() {
    gGameCursors.reset();
}

void TGameCursors::Load(const std::string& file) {
    Load(ReadXmlSource(file));
}

void TGameCursors::Load(const TXmlSource& source) {
    const std::string& file = source.mName;
    const TiXmlElement* root = ParseXmlRoot(source);
    if (root == nullptr) {
        return;
    }
    {
        TXmlRootWalk walk;
        const TiXmlElement* cursors = root->FirstChildElement("cursors");
        if (cursors == nullptr) {
            TLogFile::Get()->Printf("%s: no cursors element", file.c_str());
        } else {
            LoadFromXml(cursors);
        }
    }
    for (const std::unique_ptr<TGameCursor>& cursor : mCursors) {
        cursor->LoadImage();
    }
    SetDefault();
    ReleaseXmlRoot();
}

void TGameCursors::LoadFromXml(const TiXmlElement* element) {
    std::vector<TiXmlElement*> children;
    CollectXmlChildren(element, "cursor", children);
    for (const TiXmlElement* child : children) {
        std::unique_ptr<TGameCursor> cursor;
        if (ReadXmlBool(child, "system", false)) {
            cursor = std::make_unique<TSystemGameCursor>();
        } else {
            cursor = std::make_unique<TGameCursor>();
        }
        cursor->LoadFromXml(child);
        mCursors.push_back(std::move(cursor));
    }
}

TGameCursor* TGameCursors::Find(const std::string& name) const {
    for (const std::unique_ptr<TGameCursor>& cursor : mCursors) {
        if (cursor->mSystem != mCustomMode && cursor->mName == name) {
            return cursor.get();
        }
    }
    return nullptr;
}

void TGameCursors::MakeCurrent(TGameCursor* cursor) {
    mCurrent = cursor;
    if (cursor != nullptr) {
        cursor->Restart();
    }
}

void TGameCursors::Select(const std::string& name) {
    TGameCursor* cursor = Find(name);
    if (cursor != nullptr && cursor != mCurrent) {
        MakeCurrent(cursor);
    }
}

void TGameCursors::SetDefault() {
    if (!mCursors.empty()) {
        MakeCurrent(Find("default"));
    }
}

void TGameCursors::SetCustomCursors(bool custom) {
    mCustomMode = custom;
    SDL_ShowCursor(custom ? SDL_DISABLE : SDL_ENABLE);
    if (mCurrent == nullptr) {
        return;
    }
    TGameCursor* same = Find(mCurrent->mName);
    if (same != nullptr && same != mCurrent) {
        MakeCurrent(same);
    }
}

void TGameCursors::Update(float dt) {
    if (!mInside || !mEnabled) {
        return;
    }
    if (mCurrent != nullptr) {
        mCurrent->Update(dt);
    }
    SDL_ShowCursor(mCustomMode ? SDL_DISABLE : SDL_ENABLE);
}

void TGameCursors::Draw() {
    if (mInside && mEnabled && mCurrent != nullptr) {
        mCurrent->Draw(mPointerX, mPointerY);
    }
}
