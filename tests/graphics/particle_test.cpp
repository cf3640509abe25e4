// Particle systems: description keys, emission over stepped time, the random table's arithmetic, emit
// areas, movement and drawing; the simple sprite particle; 3 x 3 transforms.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "graphics/matrix3.h"
#include "graphics/particle.h"
#include "graphics/particle_system.h"
#include "graphics/texture_cache.h"
#include "graphics_fixture.h"

namespace {

class ParticleTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteSolidImage("fx/dot.png", 4, 4, kWhite);
    }
    // A description with the given keys after a texture line.
    void WriteIni(const std::string& keys) {
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/fx/test.ini", "[Default]\nImageFile=fx/dot\n" + keys));
    }
    // Starts a system the way its owner does: at a point, endless when its lifetime is -1.
    static void Start(ParticleSystem& system, float x, float y) {
        system.mStopped = false;
        system.mAge = system.mInfo.lifetime == -1 ? -1 : 0;
        system.mX = system.mPreviousX = x;
        system.mY = system.mPreviousY = y;
    }
};

TEST_F(ParticleTest, DescriptionKeys) {
    WriteIni("nEmission=60\nfLifetime=2.5\nfSpeedMin=3\ncolColorStartR=0.25\nfAlphaVar=0\niDrawMode=1\n"
             "bUseRandomRect=0\nbRelative=1\nTextureRect0=0,0,2,2\nTextureRect1=2,2,2,2\nTextureRect3=0,2,2,2\n"
             "SrcAreaSizeX=40\nSrcAreaSizeY=4\nSrcAreaType=1\n");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    EXPECT_TRUE(system.mStopped);
    EXPECT_EQ(system.mInfo.emission, 60);
    EXPECT_FLOAT_EQ(system.mInfo.lifetime, 2.5f);
    EXPECT_FLOAT_EQ(system.mInfo.speedMin, 3);
    EXPECT_FLOAT_EQ(system.mInfo.speedMax, 1) << "keys not given keep their defaults";
    EXPECT_FLOAT_EQ(system.mInfo.colorStart[0], 0.25f);
    EXPECT_FLOAT_EQ(system.mInfo.alphaVar, 0);
    EXPECT_FLOAT_EQ(system.mInfo.sizeVar, 0.5f);
    EXPECT_EQ(system.mBlend, TRenderState::kBlendAdd);
    EXPECT_FALSE(system.mUseRandomRect);
    EXPECT_TRUE(system.mInfo.relative);
    EXPECT_TRUE(system.mTexture);
    EXPECT_EQ(system.mTextureRects.size(), 2u) << "reading stops at the first missing number";
    EXPECT_EQ(system.mAreaType, ParticleSystem::kAreaRectangle);
    EXPECT_FLOAT_EQ(system.mAreaWidth, 40);

    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/fx/other.ini", "[Other]\nnEmission=5\n"));
    for (const char* file : {"fx/other.ini", "fx/missing.ini"}) {
        ParticleSystem defaults(file, TTextureHandle());
        EXPECT_EQ(defaults.mInfo.emission, 50) << file;
        EXPECT_FALSE(defaults.mTexture) << file;
        EXPECT_EQ(defaults.mImageFile, "textures/fx/particles");
        defaults.Draw(1, 0, 0);
    }
}

TEST_F(ParticleTest, TextureRectangles) {
    WriteIni("");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    struct Case {
        const char* text;
        bool accepted;
    };
    for (const Case& c : std::vector<Case>{{"0,0,4,4", true},
                                           {"2,1,2,3", true},
                                           {"0,0,5,4", false},
                                           {"3,0,2,2", false},
                                           {"-1,0,2,2", false},
                                           {"0,0,0,2", false},
                                           {"0,0,2,-2", false},
                                           {"1,2,3", false},
                                           {"1,2,3,4,5", false},
                                           {"a,b,c,d", false},
                                           {"12", false}}) {
        std::vector<TFrameRect> rects;
        EXPECT_EQ(system.ParseTextureRect(c.text, rects), c.accepted) << c.text;
        EXPECT_EQ(rects.size(), c.accepted ? 1u : 0u) << c.text;
    }
    ParticleSystem noTexture("fx/missing.ini", TTextureHandle());
    std::vector<TFrameRect> rects;
    EXPECT_FALSE(noTexture.ParseTextureRect("0,0,1,1", rects));
}

TEST_F(ParticleTest, EmissionOverSteppedTime) {
    WriteIni("nEmission=50\nfParticleLifeMin=100\nfParticleLifeMax=100\n");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    Start(system, 100, 100);
    // 0.8 particles are due per update: none in the first, one in the second with 0.6 carried over.
    system.Update(0.016f);
    EXPECT_EQ(system.mParticleCount, 0);
    system.Update(0.016f);
    EXPECT_EQ(system.mParticleCount, 1);
    EXPECT_NEAR(system.mResidue, 0.6f, 1e-4);
    for (int i = 0; i < 123; ++i) {
        system.Update(0.016f);
    }
    EXPECT_NEAR(system.mParticleCount, 100, 1) << "50 a second over 2 s";
}

TEST_F(ParticleTest, LifetimeAndTheParticleLimit) {
    WriteIni("nEmission=1000\nfLifetime=2\nfParticleLifeMin=1\nfParticleLifeMax=1\n");
    ParticleSystem timed("fx/test.ini", TTextureHandle());
    Start(timed, 0, 0);
    for (int i = 0; i < 7; ++i) {
        timed.Update(0.25f);
    }
    EXPECT_FALSE(timed.mStopped);
    timed.Update(0.25f);
    EXPECT_TRUE(timed.mStopped) << "stops emitting after 2 s";

    ParticleSystem endless("fx/test.ini", TTextureHandle());
    Start(endless, 0, 0);
    endless.mInfo.lifetime = -1;
    endless.mAge = -1;
    endless.Update(0.6f);
    EXPECT_EQ(endless.mParticleCount, ParticleSystem::kMaxParticles) << "600 due, 500 at most";
    endless.Update(0.6f);
    EXPECT_EQ(endless.mParticleCount, ParticleSystem::kMaxParticles);
    EXPECT_FLOAT_EQ(endless.mParticles[0].age, 0.6f) << "full: nothing new";
    endless.Update(0.6f);
    EXPECT_EQ(endless.mParticleCount, ParticleSystem::kMaxParticles) << "the dead are replaced";
    for (int i = 0; i < endless.mParticleCount; ++i) {
        EXPECT_FLOAT_EQ(endless.mParticles[static_cast<size_t>(i)].age, 0);
    }
    for (int i = 0; i < 40; ++i) {
        endless.Update(0.25f);
    }
    EXPECT_FALSE(endless.mStopped);
    EXPECT_FLOAT_EQ(endless.mAge, -1);
}

// Every draw takes the next table entry r and maps it as lo + (hi - lo) / 32767 x r.
TEST_F(ParticleTest, RandomDrawsFollowTheTable) {
    for (int i = 0; i < ParticleSystem::kRandomTableSize; i += 97) {
        EXPECT_GE(ParticleSystem::RandomAt(i), 0);
        EXPECT_LE(ParticleSystem::RandomAt(i), 32767);
    }
    WriteIni("nEmission=1\nfParticleLifeMin=2\nfParticleLifeMax=6\nfSpeedMin=1\nfSpeedMax=3\nfDirection=0\n"
             "fSpread=1\n");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    Start(system, 50, 60);
    constexpr uint16_t kCursor = 65534; // the cursor wraps past the end of the table
    ParticleSystem::SetRandomCursor(kCursor);
    system.Update(1.0f);
    ASSERT_EQ(system.mParticleCount, 1);
    const auto r = [](int n) { return static_cast<float>(ParticleSystem::RandomAt((kCursor + n) % 65536)); };
    const TParticleData& p = system.mParticles[0];
    EXPECT_FLOAT_EQ(p.life, 2 + 4 / 32767.0f * r(0));
    // Draw 1 spreads along a still emitter's path (no effect); draws 2 and 3 jitter the point by +-2.
    EXPECT_FLOAT_EQ(p.x, 50 + (r(2) * 4 / 32767.0f - 2));
    EXPECT_FLOAT_EQ(p.y, 60 + (r(3) * 4 / 32767.0f - 2));
    const float angle = 0 - 1.5707964f + (1 / 32767.0f * r(4)) - 0.5f;
    const float speed = 1 + 2 / 32767.0f * r(5);
    EXPECT_NEAR(p.velocityX, std::cos(angle) * speed, 1e-5);
    EXPECT_NEAR(p.velocityY, std::sin(angle) * speed, 1e-5);
}

TEST_F(ParticleTest, DefaultFanFliesDownward) {
    WriteIni("nEmission=200\nfSpeedMin=1\nfSpeedMax=2\n");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    Start(system, 0, 0);
    system.Update(1.0f);
    ASSERT_EQ(system.mParticleCount, 200);
    for (int i = 0; i < system.mParticleCount; ++i) {
        EXPECT_GE(system.mParticles[static_cast<size_t>(i)].velocityY, -1e-6f) << i;
    }
}

TEST_F(ParticleTest, SizeAndColourChangeOverLife) {
    WriteIni("nEmission=1\nfParticleLifeMin=2\nfParticleLifeMax=2\nfSizeStart=1\nfSizeEnd=3\nfSizeVar=0\n"
             "colColorStartR=1\ncolColorEndR=0\nfColorVar=0\ncolColorStartA=1\ncolColorEndA=0\nfAlphaVar=0\n"
             "fSpeedMin=0\nfSpeedMax=0\n");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    Start(system, 0, 0);
    system.Update(1.0f);
    ASSERT_EQ(system.mParticleCount, 1);
    const TParticleData& p = system.mParticles[0];
    EXPECT_FLOAT_EQ(p.size, 1);
    EXPECT_FLOAT_EQ(p.sizeDelta, 1);
    EXPECT_FLOAT_EQ(p.colorDelta[0], -0.5f);
    // The end alpha is raised to 0.005 before use.
    EXPECT_FLOAT_EQ(p.colorDelta[3], (0.005f - 1) / 2);
    system.MoveParticles(0.5f);
    EXPECT_FLOAT_EQ(p.size, 1.5f);
    EXPECT_FLOAT_EQ(p.color[0], 0.75f);
}

TEST_F(ParticleTest, MovementAddsAccelerationsAndVelocity) {
    WriteIni("");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    system.mX = 0;
    system.mY = 0;
    system.mParticleCount = 2;
    TParticleData& outward = system.mParticles[0];
    outward = TParticleData();
    outward.x = 10; // to the right of the emitter: radial pushes +x, tangential +y
    outward.radialAccel = 4;
    outward.tangentialAccel = 2;
    outward.gravity = 10;
    TParticleData& centred = system.mParticles[1];
    centred = TParticleData(); // on the emitter: no direction, only gravity
    centred.gravity = 10;
    centred.velocityX = 1;
    system.MoveParticles(0.5f);
    EXPECT_FLOAT_EQ(outward.velocityX, 2);
    EXPECT_FLOAT_EQ(outward.velocityY, 1 + 5);
    EXPECT_FLOAT_EQ(outward.x, 12) << "the velocity is added once per update";
    EXPECT_FLOAT_EQ(outward.y, 6);
    EXPECT_FLOAT_EQ(centred.x, 1);
    EXPECT_FLOAT_EQ(centred.y, 5);
}

TEST_F(ParticleTest, EmitAreasThatHaveNoRoom) {
    WriteIni("nEmission=100\n");
    WriteSolidImage("fx/pixel.png", 1, 1, kWhite);
    struct Case {
        const char* what;
        int type;
        float w, h;
        bool mask;
        bool onPoint; // every particle exactly on the emitter
    };
    for (const Case& c : std::vector<Case>{{"ellipse of no size", ParticleSystem::kAreaEllipse, 0, 0, false, true},
                                           {"ellipse of no height", ParticleSystem::kAreaEllipse, 20, 0, false, false},
                                           {"one-pixel mask", ParticleSystem::kAreaMask, 0, 0, true, true},
                                           {"mask missing", ParticleSystem::kAreaMask, 0, 0, false, true},
                                           {"polygon without points", ParticleSystem::kAreaPolygon, 0, 0, false, true},
                                           {"unknown type", 9, 0, 0, false, true}}) {
        SCOPED_TRACE(c.what);
        ParticleSystem system("fx/test.ini", c.mask ? GetTexture("fx/pixel") : TTextureHandle());
        Start(system, 10, 10);
        system.mAreaType = c.type;
        system.mAreaWidth = c.w;
        system.mAreaHeight = c.h;
        system.Update(1.0f);
        ASSERT_EQ(system.mParticleCount, 100);
        for (int i = 0; i < system.mParticleCount; ++i) {
            const TParticleData& p = system.mParticles[static_cast<size_t>(i)];
            ASSERT_FALSE(std::isnan(p.x) || std::isnan(p.y));
            EXPECT_FLOAT_EQ(p.y, 10);
            if (c.onPoint) {
                EXPECT_FLOAT_EQ(p.x, 10);
            } else {
                EXPECT_LE(std::fabs(p.x - 10), 10);
            }
        }
    }
}

TEST_F(ParticleTest, PolygonArea) {
    WriteIni("");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    system.SetEmitPolygon({{100, 200}, {110, 200}, {110, 210}, {100, 210}});
    EXPECT_EQ(system.mAreaType, ParticleSystem::kAreaPolygon);
    EXPECT_FLOAT_EQ(system.mAreaWidth, 11);
    EXPECT_FLOAT_EQ(system.mAreaHeight, 11);
    ASSERT_EQ(system.mPolygon.size(), 4u);
    EXPECT_EQ(system.mPolygon[2].x, 10);
    EXPECT_EQ(system.mPolygon[2].y, 10);
    struct Case {
        int x, y;
        bool inside;
    };
    // The outline closes itself: the square without its first point repeated holds (5, 5).
    for (const Case& c :
         std::vector<Case>{{5, 5, true}, {1, 9, true}, {15, 5, false}, {5, -1, false}, {-3, 5, false}}) {
        EXPECT_EQ(system.IsInPolygon(c.x, c.y), c.inside) << c.x << ", " << c.y;
    }
    system.SetEmitPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    EXPECT_TRUE(system.IsInPolygon(5, 5));
    // A triangle: (8, 8) lies in its box but outside the outline.
    system.SetEmitPolygon({{0, 0}, {10, 0}, {0, 10}});
    EXPECT_TRUE(system.IsInPolygon(2, 2));
    EXPECT_FALSE(system.IsInPolygon(8, 8));
}

TEST_F(ParticleTest, DrawsEachParticleAsItsRectangle) {
    WriteImage("fx/two.png", 4, 2, [](int x, int) { return x < 2 ? kWhite : kGreen; });
    WriteIni("ImageFile=fx/two\nTextureRect0=2,0,2,2\n");
    ParticleSystem system("fx/test.ini", TTextureHandle());
    ASSERT_EQ(system.mTextureRects.size(), 1u);
    system.mParticleCount = 1;
    TParticleData& p = system.mParticles[0];
    p = TParticleData();
    p.x = 5;
    p.y = 6;
    p.size = 2;
    p.srcX = 2;
    p.srcW = 2;
    p.srcH = 2;
    p.color[0] = p.color[1] = p.color[2] = p.color[3] = 1;
    BeginCanvas();
    system.Draw(1.0f, 10, 0);
    // The green rectangle, doubled, at (15, 6).
    ExpectPixels({{15, 6, kGreenPixel}, {18, 9, kGreenPixel}, {19, 6, kBlack}, {14, 6, kBlack}});

    p.srcX = 3; // reaches past the texture: not drawn
    BeginCanvas();
    system.Draw(1.0f, 10, 0);
    ExpectPixels({{15, 6, kBlack}});
}

TEST_F(ParticleTest, SpriteParticleDriftsFadesAndSteps) {
    WriteImage("fx/frames.png", 6, 2, [](int x, int) { return x < 2 ? kRed : x < 4 ? kGreen : kWhite; });
    Particle particle(4, 4, 2, "fx/frames", 0, 0, 2, 2);
    particle.mAdditive = false;
    particle.mFrameCount = 3;
    for (int i = 1; i <= 9; ++i) {
        EXPECT_FALSE(particle.Update(0.016f)) << i;
    }
    EXPECT_FLOAT_EQ(particle.mPosY, 4 + 9 * 2);
    EXPECT_EQ(particle.mFrame, (9 / 2) % 3) << "a frame every two updates";
    EXPECT_TRUE(particle.Update(0.016f)) << "ten updates of 0.1 use up its life";
    EXPECT_TRUE(particle.IsFinished());

    Particle shown(10, 10, 0, "fx/frames", 0, 0, 2, 2);
    shown.mAdditive = false;
    shown.mFrame = 1;
    BeginCanvas();
    shown.Draw(1.0f);
    ExpectPixels({{10, 10, kGreenPixel}, {11, 11, kGreenPixel}, {12, 10, kBlack}});

    Particle still(0, 0, 0, "fx/frames", 0, 0, 2, 2);
    still.mFrameCount = 2;
    still.mFramePeriod = 0;
    still.Update(0.016f);
    EXPECT_EQ(still.mFrame, 0) << "a frame period of 0 holds the frame";
}

TEST(Matrix3Test, Operations) {
    TMatrix3 rotated;
    rotated.Rotate(static_cast<float>(std::numbers::pi / 2));
    const float expected[2][2] = {{0, 1}, {-1, 0}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            EXPECT_NEAR(rotated.m[r][c], expected[r][c], 1e-6) << r << c;
        }
    }
    TMatrix3 a;
    a.m[0][0] = 2;
    a.m[1][0] = 1;
    a.m[2][0] = 7;
    a.m[2][1] = 8;
    TMatrix3 b;
    b.m[0][1] = 3;
    b.m[2][0] = 100; // b's translation is not used
    TMatrix3 product;
    TMatrix3::Multiply(product, a, b);
    EXPECT_FLOAT_EQ(product.m[0][0], 2);
    EXPECT_FLOAT_EQ(product.m[0][1], 6);
    EXPECT_FLOAT_EQ(product.m[1][0], 1);
    EXPECT_FLOAT_EQ(product.m[1][1], 4);
    EXPECT_FLOAT_EQ(product.m[2][0], 7);
    EXPECT_FLOAT_EQ(product.m[2][1], 8);
    a.Scale(0.5f, 3);
    EXPECT_FLOAT_EQ(a.m[0][0], 1);
    EXPECT_FLOAT_EQ(a.m[1][1], 3);
    EXPECT_FLOAT_EQ(a.m[1][0], 0.5f);
}

} // namespace
