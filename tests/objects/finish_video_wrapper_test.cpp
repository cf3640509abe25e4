// The wrapper that runs its after-event reactions once its video completes a pass after an activation.

#include <filesystem>
#include <string>
#include <vector>

#include "app/buffer.h"
#include "media/video_test_support.h"
#include "object_test_support.h"
#include "objects/finish_video_wrapper.h"
#include "objects/video_object.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;

class WrapperTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        std::filesystem::create_directories(Root() + "/assets/videos");
        std::filesystem::copy_file(video_test::ClipPath("flat32.ogv"), Root() + "/assets/videos/flat32.ogv");
    }
    // A wrapper with reactions "aae" over a first child made from the given element.
    std::unique_ptr<TFinishVideoWrapperObject> MakeWrapper(const std::string& childType,
                                                           const std::string& childAttributes) {
        auto wrapper = Load<TFinishVideoWrapperObject>(R"(id="w" aae="door")");
        if (!childType.empty()) {
            TObjectFactory factory;
            TObject* child = factory.Create(childType);
            TXml xml("<object " + childAttributes + "/>");
            child->LoadFromXml(xml.Root(), "videos/");
            EXPECT_TRUE(wrapper->AddChild(child));
        }
        wrapper->SetListener(&mListener);
        wrapper->OnLoaded();
        return wrapper;
    }
    // The reactions run by the wrapper's next update.
    std::vector<std::string> ReactionsOfNextUpdate(TFinishVideoWrapperObject& wrapper) {
        mListener.Take();
        wrapper.Update(0.01f);
        return mListener.Take();
    }

    TRecordingListener mListener;
    const std::vector<std::string> mDoor{"activate //door"};
};

TEST_F(WrapperTest, RunsItsReactionsOnceAfterAnActivatedPass) {
    auto wrapper = MakeWrapper("video", R"(name="flat32.ogv")");
    ASSERT_NE(wrapper->GetVideo(), nullptr);
    EXPECT_EQ(wrapper->GetTypeId(), 78);
    TVideoWindowDataListener& passes = *wrapper->GetVideo();

    // A pass before any activation runs nothing.
    passes.OnLoopFinished(1);
    EXPECT_TRUE(ReactionsOfNextUpdate(*wrapper).empty());

    // Armed: the next pass is pending until the wrapper's next update; a second pass adds nothing.
    wrapper->Activate(0, 0, 0);
    EXPECT_TRUE(wrapper->mArmed);
    passes.OnLoopFinished(2);
    passes.OnLoopFinished(3);
    EXPECT_FALSE(wrapper->mArmed);
    EXPECT_TRUE(wrapper->mPending);
    EXPECT_EQ(ReactionsOfNextUpdate(*wrapper), mDoor);
    EXPECT_TRUE(ReactionsOfNextUpdate(*wrapper).empty());
}

TEST_F(WrapperTest, PendingReactionSurvivesSaveAndRestore) {
    auto wrapper = MakeWrapper("video", R"(id="v" name="flat32.ogv")");
    wrapper->Activate(0, 0, 0);
    wrapper->GetVideo()->OnLoopFinished(1);
    TBaseBuffer saved;
    wrapper->SaveState(saved);

    auto restored = MakeWrapper("video", R"(id="v" name="flat32.ogv")");
    restored->RestoreState(saved);
    EXPECT_TRUE(saved.IsReadComplete());
    EXPECT_FALSE(restored->mArmed);
    EXPECT_TRUE(restored->mPending);
    EXPECT_EQ(ReactionsOfNextUpdate(*restored), mDoor);

    // Armed, not yet pending, the other way round.
    auto armed = MakeWrapper("video", R"(id="v" name="flat32.ogv")");
    armed->Activate(0, 0, 0);
    TBaseBuffer armedSaved;
    armed->SaveState(armedSaved);
    auto armedRestored = MakeWrapper("video", R"(id="v" name="flat32.ogv")");
    armedRestored->RestoreState(armedSaved);
    EXPECT_TRUE(armedRestored->mArmed);
    EXPECT_FALSE(armedRestored->mPending);
}

// The real thing: an activated wrapper over a playing two-pass video reacts after the first pass only.
TEST_F(WrapperTest, FollowsAPlayingVideo) {
    for (const char* type : {"video", "ghost"}) {
        SCOPED_TRACE(type);
        auto wrapper = MakeWrapper(type, R"(name="flat32.ogv" loop="2")");
        ASSERT_NE(wrapper->GetVideo(), nullptr);
        wrapper->Activate(0, 0, 0);
        wrapper->GetVideo()->Activate(0, 0, 0);
        mListener.Take();
        std::vector<float> reactionTimes;
        float time = 0;
        for (int i = 0; i < 60; ++i) {
            wrapper->Update(0.05f);
            time += 0.05f;
            for (const std::string& call : mListener.Take()) {
                if (call == mDoor[0]) {
                    reactionTimes.push_back(time);
                }
            }
        }
        ASSERT_EQ(reactionTimes.size(), 1u);
        EXPECT_NEAR(reactionTimes[0], 1.05f, 0.11f);
        EXPECT_TRUE(wrapper->GetVideo()->mStopped);
    }
}

TEST_F(WrapperTest, WithoutAVideoChildItHasNothingToWaitFor) {
    for (const char* type : {"", "hidden"}) {
        auto wrapper = MakeWrapper(type, R"(name="flat32.ogv")");
        EXPECT_EQ(wrapper->GetVideo(), nullptr) << type;
        wrapper->Activate(0, 0, 0);
        EXPECT_TRUE(ReactionsOfNextUpdate(*wrapper).empty()) << type;
    }
    EXPECT_TRUE(harness::LogContains("finish_video_wrapper w: first child is not a video, nothing to wait for"));
}

} // namespace
