#pragma once
// A container whose first child is a video object: once activated, the next pass its video completes
// makes it run its after-event reactions of group 0 on its following update.

#include "objects/object.h"
#include "objects/video_object.h"

class TFinishVideoWrapperObject : public TObject, public TVideoObjectListener {
public:
    ~TFinishVideoWrapperObject() override;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 78; }
    // Listens to its first child; a first child that is not a video (or none) is logged and left alone.
    void OnLoaded() override;
    void Activate(int index, int x, int y) override;
    void RestoreState(TBaseBuffer& reader) override;
    void SaveState(TBaseBuffer& writer) override;
    void OnVideoLoop(int passes) override;

    // The video listened to; null when the first child is not one.
    TVideoObject* GetVideo() const { return mVideo; }

    bool mArmed = false;
    bool mPending = false;

private:
    TVideoObject* mVideo = nullptr;
};
