// Collections: the registry's look-ups and reader, an item picked up in a scene (collected, counted,
// its effect started and finished by message, hidden) and a note collection dimmed until something of it
// is collected.

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/collection_objects.h"
#include "windows/messages.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TTestTool;
using objtest::TXml;
using Strings = std::vector<std::string>;

class TRecordingEffects : public TCollectionEffectRunner {
public:
    void RunCollectionEffect(int x, int y, const std::string& imageName, float scale, const std::string& message,
                             int number, const std::string& itemId) override {
        mHeard.push_back("run " + std::to_string(x) + "," + std::to_string(y) + " " + imageName + " " +
                         std::to_string(scale).substr(0, 3) + " " + message + " " + std::to_string(number) + " " +
                         itemId);
    }
    void OnCollectionEffectDone(const std::string& itemId) override { mHeard.push_back("done " + itemId); }
    Strings Take() {
        Strings heard;
        heard.swap(mHeard);
        return heard;
    }
    Strings mHeard;
};

class CollectionTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TXml xml(R"(<collections>
            <collection name="birds" picture="birds.png">
                <item name="robin" picture="robin.png" number="7" collected="1"/>
                <item name="wren" picture="wren.png" number="3"/>
            </collection>
            <collection name="shells" picture="shells.png">
                <item name="conch" picture="conch.png" number="5"/>
                <item picture="nameless.png"/>
                <item name="robin" number="99"/>
            </collection>
            <collection picture="lost.png"/>
        </collections>)");
        TCollectionsRegistry::CreateInstance()->LoadFromXml(xml.Root());
        SetCollectionEffectRunner(&mEffects);
        SetHopaUserInfo(&mProfile);
    }
    void TearDown() override {
        SetHopaUserInfo(nullptr);
        SetCollectionEffectRunner(nullptr);
        TCollectionsRegistry::DestroyInstance();
        TMyMessageManager::Release();
        ObjectTest::TearDown();
    }
    static TCollectionsRegistry& Registry() { return *TCollectionsRegistry::GetInstance(); }

    TRecordingEffects mEffects;
    THopaBaseUserInfo mProfile;
};

TEST_F(CollectionTest, RegistryReadsAndFinds) {
    ASSERT_EQ(Registry().mCollections.size(), 2u);
    EXPECT_TRUE(harness::LogContains("collections: collection without a name skipped"));
    EXPECT_TRUE(harness::LogContains("collections: item without a name in shells skipped"));
    struct Case {
        const char* name;
        const char* picture;
        int number;
    };
    // The first of a repeated name wins; names match exactly.
    const Case items[] = {
        {"robin", "robin.png", 7}, {"conch", "conch.png", 5}, {"Robin", nullptr, 0}, {"", nullptr, 0}};
    for (const Case& c : items) {
        SCOPED_TRACE(c.name);
        const TCollectionItem* item = Registry().FindItem(c.name);
        ASSERT_EQ(item != nullptr, c.picture != nullptr);
        if (item != nullptr) {
            EXPECT_EQ(item->pictureName, c.picture);
            EXPECT_EQ(item->number, c.number);
        }
    }
    ASSERT_NE(Registry().FindCollection("shells"), nullptr);
    EXPECT_EQ(Registry().FindCollection("shells")->items.size(), 2u);
    EXPECT_EQ(Registry().FindCollection("shell"), nullptr);
    EXPECT_TRUE(TCollectionsRegistry::AnyCollected(*Registry().FindCollection("birds")));
    EXPECT_FALSE(TCollectionsRegistry::AnyCollected(*Registry().FindCollection("shells")));
}

TEST_F(CollectionTest, PickedUpItemIsCollectedCountedAndHidden) {
    struct Step {
        const char* action;
        bool result;
        Strings effects;
        bool visible, collected;
        int counter;
    };
    const std::string attributes = R"(id="shell" iid="conch" name="conch_in_sand.png" x="10" y="20" w="30" h="11"
        cob="1" cursor="hand")";
    const Step steps[] = {
        // A press with a tool, or beside the item, picks nothing up.
        {"tool", false, {}, true, false, 0},
        {"miss", false, {}, true, false, 0},
        {"save", false, {}, true, false, 0},
        {"press", true, {"run 25,25 textures/conch_in_sand.png 0.5 CollectionEffectDoneconch 5 conch"}, false, true, 5},
        // Hidden now: a second press misses.
        {"press", false, {}, false, true, 5},
        {"message", false, {"done conch"}, false, true, 5},
    };
    for (const bool withSave : {false, true}) {
        SCOPED_TRACE(withSave ? "saved" : "plain");
        Registry().FindItem("conch")->collected = false;
        mProfile.Reset();
        auto item = Load<TCollectionItemObject>(attributes);
        EXPECT_EQ(item->mItemId, "conch");
        EXPECT_EQ(item->mCursorName, "active");
        TTestTool key("key");
        for (const Step& step : steps) {
            const std::string action = step.action;
            SCOPED_TRACE(action);
            bool result = false;
            if (action == "tool") {
                result = item->OnMouseDown(At(15, 25, &key));
            } else if (action == "miss") {
                result = item->OnMouseDown(At(45, 25));
            } else if (action == "press") {
                result = item->OnMouseDown(At(15, 25));
            } else if (action == "message") {
                // Posted by the effect at its end; another item's message is not this one's.
                TMyMessageManager::Get()->Post("CollectionEffectDonewren", 0);
                TMyMessageManager::Get()->Post(item->MessageName(), 0);
                TMyMessageManager::Get()->Dispatch(0.01f);
            } else if (withSave) {
                TBaseBuffer saved;
                item->SaveState(saved);
                TBaseBuffer plain;
                item->TObject::SaveState(plain);
                EXPECT_EQ(saved.GetBytes(), plain.GetBytes());
                item = Load<TCollectionItemObject>(attributes);
                ASSERT_TRUE(RestoreObjectState(*item, saved));
            }
            EXPECT_EQ(result, step.result);
            EXPECT_EQ(mEffects.Take(), step.effects);
            EXPECT_EQ(item->mVisible, step.visible);
            EXPECT_EQ(Registry().FindItem("conch")->collected, step.collected);
            EXPECT_EQ(mProfile.GetCounter(), step.counter);
        }
    }
}

TEST_F(CollectionTest, ItemOutsideTheRegistryOrWithoutEffectsStaysSafe) {
    auto stray = Load<TCollectionItemObject>(R"(id="stray" iid="pearl" w="10" h="10" cob="1")");
    EXPECT_FALSE(stray->OnMouseDown(At(5, 5)));
    EXPECT_TRUE(stray->mVisible);
    // Without an effect runner the item is still collected and hidden.
    SetCollectionEffectRunner(nullptr);
    auto wren = Load<TCollectionItemObject>(R"(id="w" iid="wren" w="10" h="10" cob="1")");
    EXPECT_TRUE(wren->OnMouseDown(At(5, 5)));
    EXPECT_FALSE(wren->mVisible);
    EXPECT_TRUE(Registry().FindItem("wren")->collected);
    EXPECT_TRUE(harness::LogContains("collection_item w: no collection effect to show wren"));
    // Without a registry nothing is picked up.
    TCollectionsRegistry::DestroyInstance();
    auto late = Load<TCollectionItemObject>(R"(id="late" iid="wren" w="10" h="10" cob="1")");
    EXPECT_FALSE(late->OnMouseDown(At(5, 5)));
    EXPECT_TRUE(late->mVisible);
}

// The item shows its picture until it is picked up.
TEST_F(CollectionTest, PickedUpItemIsNoLongerDrawn) {
    WriteSolidImage("textures/conch.png", 4, 4, kRed);
    auto item = Load<TCollectionItemObject>(R"(id="shell" iid="conch" name="conch.png" x="2" y="2")");
    item->LoadResources();
    item->OnSpaceShow();
    BeginCanvas();
    item->Draw(1.0f);
    ExpectPixels({{3, 3, kRedPixel}, {1, 1, kBlack}, {6, 6, kBlack}});
    EXPECT_TRUE(item->OnMouseDown(At(3, 3)));
    BeginCanvas();
    item->Draw(1.0f);
    ExpectPixels({{3, 3, kBlack}});
}

// The effect's centre is held to the int range instead of overflowing.
TEST_F(CollectionTest, EffectCentreOfAFarItemStaysInRange) {
    auto far = Load<TCollectionItemObject>(R"(id="far" iid="wren" x="2147483000" y="-2147483000" w="2000" h="2000"
        cob="1")");
    EXPECT_TRUE(far->OnMouseDown(At(2147483100, -2147482900)));
    // y: -2147483000 is read as the float -2147483008, plus half of 2000.
    EXPECT_EQ(mEffects.Take(), (Strings{"run 2147483647,-2147482008  0.5 CollectionEffectDonewren 3 wren"}));
}

TEST_F(CollectionTest, NoteCollectionIsDimmedUntilSomethingIsCollected) {
    WriteSolidImage("birds.png", 4, 4, kGreen);
    WriteSolidImage("shells.png", 4, 4, kGreen);
    WriteSolidImage("textures/own.png", 4, 4, kBlue);
    struct Case {
        const char* id;
        const char* image;
        float factor;
        TRgba pixel;
    };
    const Case cases[] = {
        {"birds", "birds.png", 1.0f, kGreenPixel},
        {"shells", "shells.png", 0.3f, {0, 77, 0, 255}},
        // No such collection: its own picture at its own alpha, not an invisible object.
        {"stamps", "textures/own.png", 1.0f, kBluePixel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto note = Load<TNoteCollectionObject>(std::string("id=\"") + c.id + R"(" name="own.png")");
        EXPECT_EQ(note->mImageName, c.image);
        EXPECT_EQ(note->mAlphaFactor, c.factor);
        note->LoadResources();
        note->LoadResources();
        EXPECT_NEAR(note->mAlpha, c.factor, 1e-6f);
        note->OnSpaceShow();
        BeginCanvas();
        note->Draw(1.0f);
        ExpectPixels({{1, 1, c.pixel}, {5, 5, kBlack}});
        note->SetAlpha(0.5f);
        EXPECT_NEAR(note->mAlpha, 0.5f * c.factor, 1e-6f);
    }
    EXPECT_TRUE(harness::LogContains("note_collection stamps: no collection of that name, shown as it is"));
}

} // namespace
