#include "objects/finish_video_wrapper.h"

#include "app/buffer.h"
#include "app/log.h"
#include "graphics/saved_flags.h"

TFinishVideoWrapperObject::~TFinishVideoWrapperObject() {
    if (mVideo != nullptr && mVideo->mVideoListener == this) {
        mVideo->mVideoListener = nullptr;
    }
}

void TFinishVideoWrapperObject::OnLoaded() {
    TObject::OnLoaded();
    mVideo = GetChildren().empty() ? nullptr : dynamic_cast<TVideoObject*>(GetChildren().front().get());
    if (mVideo == nullptr) {
        TLogFile::Get()->Printf("finish_video_wrapper %s: first child is not a video, nothing to wait for",
                                mName.c_str());
        return;
    }
    mVideo->mVideoListener = this;
}

bool TFinishVideoWrapperObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mPending) {
        mPending = false;
        ApplyAfterEvent(0);
    }
    return false;
}

void TFinishVideoWrapperObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mArmed = true;
}

void TFinishVideoWrapperObject::OnVideoLoop(int passes) {
    if (mArmed) {
        mArmed = false;
        mPending = true;
    }
}

void TFinishVideoWrapperObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mArmed);
    WriteFlag(writer, mPending);
}

void TFinishVideoWrapperObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mArmed = ReadFlag(reader);
    mPending = ReadFlag(reader);
}
