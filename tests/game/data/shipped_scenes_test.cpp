// The scenes behind the main menu and over the map: they load whole from the shipped files, every object
// that names an animator gets it, and after a while of play everything that should move has moved.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/file_object.h"
#include "graphics/font_test_support.h"
#include "harness/harness.h"
#include "objects/clouds_object.h"
#include "objects/object_factory.h"
#include "objects/particle_object.h"
#include "rooms/effector.h"
#include "rooms/room.h"

namespace {

class ShippedScenesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mRenderer.IsReady());
        ASSERT_TRUE(SetWorkingFolderToExe());
        TObjectFactory::CreateInstance();
    }
    void TearDown() override { TObjectFactory::DestroyInstance(); }

    fonttest::HeadlessRenderer mRenderer;
};

struct TSceneCase {
    const char* file;
    size_t objects;
    // Objects that move, with the animator each one holds.
    std::map<std::string, std::string> animated;
};

TEST_F(ShippedScenesTest, LoadAndPlay) {
    const TSceneCase cases[] = {
        {"mainmenu.xml", 5, {{"kite", "kitefly"}, {"lantern", "lanternbob"}, {"bird", "birdpath"}}},
        {"map.xml", 4, {{"balloon", "balloondrift"}, {"bird", "birdpath"}}},
    };
    for (const TSceneCase& c : cases) {
        SCOPED_TRACE(c.file);
        TRoom room;
        room.Load(c.file);
        room.LoadImages(false);
        ASSERT_EQ(room.mObjects.size(), c.objects);
        EXPECT_EQ(room.GetEffectorCount(), c.animated.size());
        // The screens start their own music: the scene must not stop it.
        EXPECT_FALSE(room.mStopPreviousMusic);
        EXPECT_FALSE(room.mStartMusicNow);
        EXPECT_TRUE(room.mOwnSounds.empty());
        std::map<std::string, std::pair<float, float>> start;
        for (const auto& [id, effector] : c.animated) {
            TObject* object = room.FindObjectById(id);
            ASSERT_NE(object, nullptr) << id;
            ASSERT_NE(object->mEffector, nullptr) << id;
            EXPECT_EQ(object->mEffector->GetName(), effector);
            ASSERT_NE(object->GetImage(), nullptr) << id;
            EXPECT_TRUE(object->GetImage()->mTexture) << id;
            EXPECT_EQ(object->mDrawLayer, 0);
            start[id] = {object->mX, object->mY};
        }
        auto* clouds = dynamic_cast<TCloudsObject*>(room.mObjects[0].get());
        ASSERT_NE(clouds, nullptr);
        EXPECT_TRUE(clouds->mClouds[0].mTexture);
        room.Show();
        for (int i = 0; i < 60 * 5; ++i) {
            room.Update(1.0f / 60);
            room.Draw();
        }
        for (const auto& [id, position] : start) {
            const TObject* object = room.FindObjectById(id);
            EXPECT_TRUE(object->mX != position.first || object->mY != position.second) << id;
            EXPECT_TRUE(object->mVisible) << id;
        }
        EXPECT_GT(clouds->mOffsets[0], 0.0f);
        auto* particles = dynamic_cast<TParticleObject*>(room.mObjects.back().get());
        ASSERT_NE(particles, nullptr);
        EXPECT_NE(particles->GetSystem(), nullptr);
    }
}

} // namespace
