#pragma once
// The scene object that plays an Ogg Theora file while it is active: it decodes at its frame rate into a
// streaming texture, posts interface events at cue times and when a play starts and finishes, runs its
// click reactions when a play ends, and may start again after a random pause. The room's drawing of
// objects does not draw the frame; DrawFrame does, for those that ask (the ghost catcher's viewer).

#include <memory>
#include <string>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/texture.h"
#include "media/video_window.h"
#include "objects/object.h"

struct TVideoCue {
    std::string name;
    float time = 0;
};

// Told of every end of a pass and of every finished play of one video object.
class TVideoObjectListener {
public:
    virtual ~TVideoObjectListener() = default;
    virtual void OnVideoFinished() {}
    virtual void OnVideoLoop(int passes) {}
};

class TVideoObject : public TObject, public TVideoWindowDataListener {
public:
    TVideoObject();
    ~TVideoObject() override;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 10; }
    // Opens the video (its first frame when asked); the object has no image of its own.
    void LoadResources() override;
    void UnloadResources() override;
    void OnRoomBroadcast(int value) override {}
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void Activate(int index, int x, int y) override;
    bool HitTestSelf(int x, int y) override;
    virtual void DrawFrame();
    void OnLoopFinished(int passes) override;

    // Nothing while a frame texture exists (the video is open).
    void OpenVideo(const std::string& file, bool stretch, int loops, bool withAlpha);
    void ShowFirstFrame();
    void FinishPlayback();
    // "name,seconds;name,seconds": one cue per item; an item that is not a name and a time gives an
    // empty cue.
    static void ParseCueList(const std::string& text, std::vector<TVideoCue>& cues);

    TVideoWindow* GetWindow() const { return mWindow.get(); }
    const TTextureHandle& GetFrameTexture() const { return mFrameTexture; }
    // Closes the window and drops the texture.
    void CloseVideo();

    bool mReservedFlag = false;
    float mPlayTime = 0;
    float mTimeSinceFrame = 0;
    int mActivations = 0;
    int mMaxCountActive = -1;
    bool mStretch = false;
    bool mFrameReady = false;
    bool mStopped = true;
    // The "fps" attribute; 0 takes the file's.
    float mFpsAttribute = 0;
    float mFrameInterval = 0;
    int mLoop = 1;
    bool mWithAlpha = false;
    float mRepeatTime = 0;
    float mRepeatRand = 0;
    IncValue mReplayTimer;
    bool mPlayed = false;
    bool mGetFirstFrameOnLoad = true;
    bool mHideInterf = false;
    bool mRestoreInterf = true;
    bool mLockLocation = false;
    bool mUnlockLocation = true;
    TVideoObjectListener* mVideoListener = nullptr;
    bool mCheckCoords = false;
    bool mLoadIfPlayed = true;
    int mNextMonolog = 0;
    std::vector<TVideoCue> mMonologs;
    int mNextSound = 0;
    std::vector<TVideoCue> mSounds;
    bool mShowFrame = false;
    bool mHideFrame = true;

protected:
    // Draws the frame texture at the object's place, as DrawFrame does once its checks pass.
    void DrawFrameTexture();
    void WriteFrame();

    std::unique_ptr<TVideoWindow> mWindow;
    TTextureHandle mFrameTexture;

private:
    void PostCues();
    // A play started by an activation is running (not one only opened for its first frame).
    bool mPlayStarted = false;
    // An activation could not open the video: the next update reports the play finished.
    bool mOpenFailed = false;
};

// Posts an undelayed interface event with one argument.
void PostVideoEvent(const std::string& name, const std::string& argument = "");
