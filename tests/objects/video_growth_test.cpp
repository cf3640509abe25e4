// A video that loops for ever, updated 10,000 times at 60 updates a second: as many decoders, textures and
// drawing objects alive after the last update as after the first thousand, while it really plays.

#include <filesystem>

#include "media/video_test_support.h"
#include "object_test_support.h"
#include "objects/video_object.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;

struct TLive {
    long decoders = 0;
    long drawObjects = 0;
    int textureHandles = 0;

    bool operator==(const TLive&) const = default;
};

TLive CountLive(const TVideoObject& video) {
    TLive live;
    live.decoders = TVideoWindow::GetLiveDecoders();
    live.drawObjects = DrawObject::GetLiveCount();
    live.textureHandles = video.GetFrameTexture().UseCount();
    return live;
}

TEST_F(ObjectTest, PlayingVideoHoldsTheSameAfterTenThousandUpdates) {
    std::filesystem::create_directories(Root() + "/assets/videos");
    std::filesystem::copy_file(video_test::ClipPath("alpha32.ogv"), Root() + "/assets/videos/alpha32.ogv");
    const long decodersBefore = TVideoWindow::GetLiveDecoders();
    {
        auto video = Load<TVideoObject>(R"(name="alpha32.ogv" loop="-1" withalpha="1" testalpha="50" sounds="s,0.5")",
                                        "videos/");
        video->LoadResources();
        video->Activate(0, 0, 0);
        TTextureHandle lens(new video_test::TMaskTexture(16, 16, [](int x, int) { return x < 8 ? 0 : 255; }));
        video->GetWindow()->mMask = lens;

        int update = 0;
        auto run = [&](int until) {
            for (; update < until; ++update) {
                video->Update(1.0f / 60.0f);
            }
        };
        run(1000);
        const TLive early = CountLive(*video);
        const int decodedEarly = video->GetWindow()->GetDecodedFrames();
        const int passesEarly = video->GetWindow()->mPasses;
        run(10000);
        const TLive late = CountLive(*video);

        EXPECT_EQ(early, late);
        EXPECT_EQ(late.decoders, decodersBefore + 1);
        EXPECT_EQ(late.textureHandles, 1);
        // 10,000 updates are about 167 seconds: a frame every tenth of one, a pass every second.
        EXPECT_NEAR(video->GetWindow()->GetDecodedFrames() - decodedEarly, 1500, 20);
        EXPECT_NEAR(video->GetWindow()->mPasses - passesEarly, 150, 2);
        EXPECT_TRUE(video->mFrameReady);
        EXPECT_FALSE(video->mStopped);
    }
    EXPECT_EQ(TVideoWindow::GetLiveDecoders(), decodersBefore);
}

} // namespace
