// The hint's flight: each head leaves a trail of coloured particles that drift and fade, every target
// is reported once on arrival, and the flight ends only when the trail has faded too.

#include <cmath>
#include <set>
#include <vector>

#include "board/board_effects.h"
#include "graphics/graphics_fixture.h"

namespace {

struct Arrivals : EffectRemoverListener {
    void OnRemoverTargetReached(EffectRemover*, int target, int tag) override { reached.push_back(target * 10 + tag); }
    void OnRemoverFinished(EffectRemover*, int tag) override { finished.push_back(tag); }
    std::vector<int> reached;
    std::vector<int> finished;
};

class HintTrailTest : public GraphicsTest {};

TEST_F(HintTrailTest, HeadsLeaveAFadingTrailOfFiveColoursAndFinishAfterIt) {
    WriteSolidImage("textures/effect/particle_lightning.png", 8, 8, 0xFFFFFFFFu);
    Arrivals arrivals;
    EffectRemover remover(100, 300, {{400, 100}, {500, 300}}, &arrivals, 7);
    const std::set<uint32_t> fiveColours = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFF00FFu, 0xFF00FFFFu};
    std::set<uint32_t> seen;
    int frames = 0;
    size_t longestTrail = 0;
    while (arrivals.reached.size() < 2 && frames < 1000) {
        EXPECT_FALSE(remover.Update(1.0f / 60.0f));
        ++frames;
        longestTrail = std::max(longestTrail, remover.GetTrail().size());
        for (const auto& particle : remover.GetTrail()) {
            seen.insert(particle->mColor.value);
            // Each drifts a quarter pixel per update in its own direction.
            EXPECT_NEAR(std::hypot(particle->mVelocityX, particle->mVelocityY), 0.25f, 1e-4f);
            EXPECT_EQ(particle->mImage.mImageName, "textures/effect/particle_lightning");
        }
    }
    ASSERT_EQ(arrivals.reached, (std::vector<int>{7, 17}));
    EXPECT_GT(frames, 10);
    // A particle fades by a tenth per update (ten updates, eleven with rounding): so many per head.
    EXPECT_GE(longestTrail, 20u);
    EXPECT_LE(longestTrail, 22u);
    EXPECT_EQ(seen, fiveColours);

    // The trail fades out before the flight is over.
    ASSERT_FALSE(remover.GetTrail().empty());
    EXPECT_TRUE(arrivals.finished.empty());
    int after = 0;
    while (!remover.Update(1.0f / 60.0f) && after < 100) {
        ++after;
    }
    EXPECT_TRUE(remover.GetTrail().empty());
    EXPECT_EQ(arrivals.finished, std::vector<int>{7});
    EXPECT_LE(after, 11);
    EXPECT_EQ(arrivals.reached.size(), 2u);
}

TEST_F(HintTrailTest, TheTrailIsDrawnInItsColours) {
    WriteSolidImage("textures/effect/particle_lightning.png", 8, 8, 0xFFFFFFFFu);
    EffectRemover remover(20, 20, {{300, 20}}, nullptr, 0);
    remover.Update(1.0f / 60.0f);
    ASSERT_EQ(remover.GetTrail().size(), 1u);
    const Particle& particle = *remover.GetTrail().front();
    BeginCanvas({0, 0, 0, 255});
    remover.Draw(1.0f);
    // Centred on the head, in the particle's colour (added to black) at its remaining life.
    const TColorArgb colour = particle.mColor;
    const auto lit = [&particle](int c) { return static_cast<int>(std::lround(c * particle.mLife)); };
    ExpectPixels({{static_cast<int>(particle.mPosX),
                   static_cast<int>(particle.mPosY),
                   {lit(colour.Red()), lit(colour.Green()), lit(colour.Blue()), 255}}});
}

} // namespace
