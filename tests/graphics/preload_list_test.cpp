// The image preload list of "resources.xml".

#include <vector>

#include "graphics/preload_list.h"
#include "graphics_fixture.h"

namespace {

class PreloadListTest : public GraphicsTest {
protected:
    void TearDown() override {
        DeletePreloadList();
        GraphicsTest::TearDown();
    }
    void WriteList(const std::string& xml) { ASSERT_TRUE(harness::WriteFile(Root() + "/assets/resources.xml", xml)); }
};

TEST_F(PreloadListTest, KeepsTheListedImagesLoaded) {
    WriteSolidImage("ui/a.png", 2, 2, 0xFFFF0000u);
    WriteSolidImage("ui/b.png", 2, 2, 0xFF00FF00u);
    WriteList(R"(<resources>
        <item name="ui/a"/>
        <other name="ui/b"/>
        <item name="ui/b" extra="1"/>
        <item name="ui/a"/>
        <item/>
    </resources>)");
    TPreloadList* list = ReadPreloadList(TPreloadList::kFileName);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list, GetPreloadList());
    EXPECT_EQ(list->mNames, (std::vector<std::string>{"ui/a", "ui/b", "ui/a", ""}));
    list->LoadImages();
    ASSERT_EQ(list->mImages.size(), 4u);
    ASSERT_TRUE(list->mImages[0].mTexture);
    EXPECT_EQ(list->mImages[0].mTexture.Get(), list->mImages[2].mTexture.Get()) << "one texture for both";
    EXPECT_EQ(list->mImages[0].mTexture.UseCount(), 2);
    EXPECT_FALSE(list->mImages[3].mTexture);

    WeakHandle<TTexture> a(list->mImages[0].mTexture);
    WeakHandle<TTexture> b(list->mImages[1].mTexture);
    list->ReleaseImages();
    EXPECT_TRUE(list->mNames.empty());
    EXPECT_FALSE(a.IsAlive()) << "textures only the list held are freed";
    EXPECT_FALSE(b.IsAlive());
}

TEST_F(PreloadListTest, ReadingAgainReplacesTheList) {
    WriteSolidImage("ui/a.png", 2, 2, 0xFFFF0000u);
    WriteList(R"(<resources><item name="ui/a"/></resources>)");
    ReadPreloadList(TPreloadList::kFileName)->LoadImages();
    WeakHandle<TTexture> a(GetPreloadList()->mImages[0].mTexture);
    ASSERT_TRUE(a.IsAlive());
    WriteList("<resources/>");
    TPreloadList* list = ReadPreloadList(TPreloadList::kFileName);
    EXPECT_FALSE(a.IsAlive()) << "the old list's images are released";
    EXPECT_TRUE(list->mNames.empty());
    list->LoadImages();
    EXPECT_TRUE(list->mImages.empty());
}

TEST_F(PreloadListTest, MissingOrBrokenFileGivesAnEmptyList) {
    struct Case {
        const char* what;
        const char* content; // null: no file
    };
    for (const Case& c : std::vector<Case>{{"missing", nullptr}, {"malformed", "<resources><item name="}}) {
        SCOPED_TRACE(c.what);
        if (c.content != nullptr) {
            WriteList(c.content);
        }
        TPreloadList* list = ReadPreloadList(c.content != nullptr ? TPreloadList::kFileName : "nothing.xml");
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->mNames.empty());
        EXPECT_TRUE(harness::LogContains("File not found"));
    }
    DeletePreloadList();
    EXPECT_EQ(GetPreloadList(), nullptr);
}

} // namespace
