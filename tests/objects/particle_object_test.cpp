// The particle emitter object: its emit area, starting and ending its system, drawing, its saved flag, and
// the emitter the game screen ships.

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "object_test_support.h"
#include "objects/particle_object.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TXml;

using Points = std::vector<std::pair<int, int>>;

void RunFrames(TObject& object, int frames) {
    for (int i = 0; i < frames; ++i) {
        object.Update(1.0f / 60);
    }
}

class ParticleObjectTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("fx/dot.png", 4, 4, kWhite);
        const std::string common = "[Default]\nnEmission=600\nfParticleLifeMin=5\nfParticleLifeMax=5\n"
                                   "fSpeedMin=0\nfSpeedMax=0\nfSizeStart=1\nfSizeEnd=1\nfSizeVar=0\n"
                                   "colColorStartR=1\ncolColorStartG=1\ncolColorStartB=1\ncolColorStartA=1\n"
                                   "colColorEndR=1\ncolColorEndG=1\ncolColorEndB=1\ncolColorEndA=1\n"
                                   "fColorVar=0\nfAlphaVar=0\nImageFile=fx/dot\nTextureRect0=0,0,4,4\n";
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/fx/endless.ini", common + "fLifetime=-1\n"));
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/fx/short.ini", common + "fLifetime=1\n"));
    }

    static Points PointsOf(const TParticleObject& object) {
        Points points;
        for (const ParticleSystem::TPoint& point : object.mPoints) {
            points.emplace_back(point.x, point.y);
        }
        return points;
    }
};

TEST_F(ParticleObjectTest, EmitArea) {
    struct Case {
        const char* attributes;
        int kind;
        Points points;
        float x, y, w, h;
    };
    const std::vector<Case> cases = {
        {R"(points="10.20;110.20;110.80;10.80")", 4, {{10, 20}, {110, 20}, {110, 80}, {10, 80}}, 10, 20, 101, 61},
        {R"(points="0.0; 10.10")", 4, {{0, 0}, {10, 10}, {0, 0}}, 0, 0, 11, 11},
        {R"(points="5.5" x="1" y="2")", 4, {{5, 5}}, 1, 2, 0, 0},
        {R"(points="1.2.3;4;7.8" x="1")", 4, {{7, 8}}, 1, 0, 0, 0},
        {R"(x="3" y="4" w="30" h="40" particletype="2")", 1, {}, 3, 4, 30, 40},
        {R"(w="30" particletype="2")", 2, {}, 0, 0, 30, 0},
        {"", 3, {}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto emitter = Load<TParticleObject>(c.attributes);
        EXPECT_EQ(emitter->mEmitKind, c.kind);
        EXPECT_EQ(PointsOf(*emitter), c.points);
        EXPECT_EQ(emitter->mX, c.x);
        EXPECT_EQ(emitter->mY, c.y);
        EXPECT_EQ(emitter->mW, c.w);
        EXPECT_EQ(emitter->mH, c.h);
    }
}

TEST_F(ParticleObjectTest, SystemStartsOnTheUpdateAfterActivation) {
    auto rectangle = Load<TParticleObject>(R"(particle="fx/endless.ini" x="3" y="4" w="30" h="40")");
    RunFrames(*rectangle, 3);
    EXPECT_EQ(rectangle->GetSystem(), nullptr);
    rectangle->ActivateDefault();
    RunFrames(*rectangle, 1);
    ParticleSystem* system = rectangle->GetSystem();
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->mAreaType, ParticleSystem::kAreaRectangle);
    EXPECT_EQ(system->mAreaWidth, 30.0f);
    EXPECT_EQ(system->mAreaHeight, 40.0f);
    EXPECT_EQ(system->mX, 3.0f);
    EXPECT_EQ(system->mY, 4.0f);
    EXPECT_LT(system->mAge, 0.0f);
    RunFrames(*rectangle, 30);
    EXPECT_GT(system->mParticleCount, 100);
    // The rectangle is centred on the emitter's place.
    for (int i = 0; i < system->mParticleCount; ++i) {
        const TParticleData& particle = system->mParticles[static_cast<size_t>(i)];
        EXPECT_GE(particle.x, 3.0f - 15);
        EXPECT_LE(particle.x, 3.0f + 15);
        EXPECT_GE(particle.y, 4.0f - 20);
        EXPECT_LE(particle.y, 4.0f + 20);
    }

    auto polygon = Load<TParticleObject>(R"(particle="fx/endless.ini" points="10.20;110.20;110.80;10.80" active="1")");
    RunFrames(*polygon, 1);
    ASSERT_NE(polygon->GetSystem(), nullptr);
    EXPECT_EQ(polygon->GetSystem()->mAreaType, ParticleSystem::kAreaPolygon);
    EXPECT_EQ(polygon->GetSystem()->mAreaWidth, 101.0f);
}

TEST_F(ParticleObjectTest, SystemsEndAndRestart) {
    // A lifetime of 1 s ages twice a frame, so the emitter goes idle after half a second.
    auto brief = Load<TParticleObject>(R"(particle="fx/short.ini" active="1")");
    RunFrames(*brief, 25);
    EXPECT_NE(brief->GetSystem(), nullptr);
    RunFrames(*brief, 10);
    EXPECT_EQ(brief->GetSystem(), nullptr);
    EXPECT_FALSE(brief->IsActive());
    RunFrames(*brief, 10);
    EXPECT_EQ(brief->GetSystem(), nullptr);

    auto endless = Load<TParticleObject>(R"(particle="fx/endless.ini" active="1")");
    RunFrames(*endless, 300);
    ASSERT_NE(endless->GetSystem(), nullptr);
    EXPECT_TRUE(endless->IsActive());
    endless->ActivateDefault();
    EXPECT_EQ(endless->GetSystem(), nullptr);
    RunFrames(*endless, 1);
    ASSERT_NE(endless->GetSystem(), nullptr);
    EXPECT_LT(endless->GetSystem()->mParticleCount, 50);
    endless->ResetState();
    EXPECT_FALSE(endless->IsActive());
    RunFrames(*endless, 1);
    EXPECT_NE(endless->GetSystem(), nullptr);
}

TEST_F(ParticleObjectTest, DrawsOnlyItsParticles) {
    auto emitter = Load<TParticleObject>(R"(particle="fx/endless.ini" x="16" y="16" w="16" h="16" active="1")");
    RunFrames(*emitter, 30);
    BeginCanvas();
    emitter->Draw(1.0f);
    int lit = 0;
    for (int y = 0; y < kCanvasSize; ++y) {
        for (int x = 0; x < kCanvasSize; ++x) {
            lit += Pixel(x, y).r > 0;
        }
    }
    EXPECT_GT(lit, 100);
    // Invisible, it keeps emitting and draws nothing.
    emitter->mVisible = false;
    const float before = emitter->GetSystem()->mParticles[0].age;
    RunFrames(*emitter, 5);
    EXPECT_GT(emitter->GetSystem()->mParticles[0].age, before);
    BeginCanvas();
    emitter->Draw(1.0f);
    ExpectPixels({{16, 16, kBlack}});
}

TEST_F(ParticleObjectTest, SavesItsSwitch) {
    auto running = Load<TParticleObject>(R"(id="p" particle="fx/endless.ini" active="1")");
    RunFrames(*running, 10);
    TBaseBuffer record;
    running->SaveState(record);
    ASSERT_EQ(record.GetSize(), 22);
    EXPECT_EQ(record.GetBytes().back(), 1);
    auto restored = Load<TParticleObject>(R"(id="p" particle="fx/endless.ini")");
    ASSERT_TRUE(RestoreObjectState(*restored, record));
    EXPECT_TRUE(restored->IsActive());
    RunFrames(*restored, 1);
    EXPECT_NE(restored->GetSystem(), nullptr);
}

class ShippedSceneTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        mShipped = std::make_unique<harness::ScopedDataRoot>(GetExecutableFolder());
        ASSERT_TRUE(SetWorkingFolderToExe());
    }
    void TearDown() override {
        mShipped.reset();
        ObjectTest::TearDown();
    }

    std::unique_ptr<harness::ScopedDataRoot> mShipped;
};

TEST_F(ShippedSceneTest, GameScreenSparklesBehindTheBoard) {
    const TiXmlElement* root = LoadXmlRoot("ui/mainback.xml");
    ASSERT_NE(root, nullptr);
    const TiXmlElement* element = root->FirstChildElement("object");
    ASSERT_NE(element, nullptr);
    TParticleObject emitter;
    emitter.LoadFromXml(element, "textures/");
    ReleaseXmlRoot();
    EXPECT_EQ(emitter.mDescription, "fx/mainback_sparkle.ini");
    EXPECT_EQ(emitter.mEmitKind, TParticleObject::kEmitRectangle);
    EXPECT_TRUE(emitter.IsActive());
    RunFrames(emitter, 120);
    ASSERT_NE(emitter.GetSystem(), nullptr);
    EXPECT_TRUE(emitter.GetSystem()->mTexture);
    EXPECT_GT(emitter.GetSystem()->mParticleCount, 20);
}

} // namespace
