// Text labels placed by their own description, info texts, and the switcher with its saved state.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/text_objects.h"
#include "windows/text_label.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TXml;

template <typename T> std::unique_ptr<T> LoadElement(const std::string& text, const std::string& folder = "") {
    TXml xml(text);
    auto object = std::make_unique<T>();
    object->LoadFromXml(xml.Root(), folder);
    return object;
}

TEST_F(ObjectTest, TextLabelIsPlacedByItsDescription) {
    auto text = LoadElement<TTextObject>(R"(<object id="score" x="5" y="6">
        <object name="text" type="imagetext" x="40" y="50" w="100" h="20" text="score_key"/></object>)");
    ASSERT_NE(text->GetLabel(), nullptr);
    EXPECT_EQ(text->mX, 40);
    EXPECT_EQ(text->mY, 50);
    EXPECT_EQ(text->GetLabel()->GetX(), 40);
    EXPECT_EQ(text->GetLabel()->mTextKey, "score_key");
    text->SetPosition(70.8f, 80.2f, true);
    EXPECT_EQ(text->GetLabel()->GetX(), 70);
    EXPECT_EQ(text->GetLabel()->GetY(), 80);
    // Bytes, not UTF-8: each byte its own character.
    text->SetText("a\xE9\xFF");
    EXPECT_EQ(text->GetLabel()->mText, (std::wstring{L'a', wchar_t(0xE9), wchar_t(0xFF)}));
}

TEST_F(ObjectTest, TextObjectWithoutALabelBoxHasNoLabel) {
    const char* elements[] = {
        R"(<object id="bare" x="5" y="6"/>)",
        // A box of that name that is not a text label is not used as one.
        R"(<object id="bare" x="5" y="6"><object name="text" type="image" x="40" y="50"/></object>)",
    };
    for (const char* element : elements) {
        SCOPED_TRACE(element);
        auto text = LoadElement<TTextObject>(element);
        EXPECT_EQ(text->GetLabel(), nullptr);
        EXPECT_EQ(text->mX, 5);
        text->SetText("x");
        text->SetPosition(1, 2, true);
        text->DrawAll();
    }
    EXPECT_TRUE(harness::LogContains("text object bare: no text label box, it shows no text"));
}

TEST_F(ObjectTest, InfoTextAndSwitcherLoad) {
    auto info = Load<TTextInfoObject>(R"(text="a clue")");
    EXPECT_EQ(info->mText, "a clue");
    const char* element = R"(<object text="t" preview="p.png" previewx="7" previewy="8">
        <image_switcher flag="1"><image filename="a.png" x="1" y="2"/><image filename="b.png" x="3" y="4"/>
        </image_switcher></object>)";
    const std::pair<const char*, std::array<const char*, 3>> folders[] = {
        {"", {"a.png", "b.png", "textures/p.png"}},
        {"rooms/hall/", {"rooms/hall/a.png", "rooms/hall/b.png", "rooms/hall/p.png"}},
    };
    for (const auto& [folder, names] : folders) {
        auto switching = LoadElement<TTextInfoSwitchImageObject>(element, folder);
        EXPECT_EQ(switching->mText, "t");
        EXPECT_TRUE(switching->mSwitcher.mShownIndex);
        EXPECT_EQ(switching->mSwitcher.mImages[0].mImageName, names[0]);
        EXPECT_EQ(switching->mSwitcher.mImages[1].mImageName, names[1]);
        EXPECT_EQ(switching->mPreview.mImageName, names[2]);
        EXPECT_EQ(switching->mSwitcher.mImages[1].mBaseX, 3);
        EXPECT_EQ(switching->mPreview.mBaseY, 8);
    }
    auto plain = Load<TTextInfoSwitchImageObject>("");
    EXPECT_FALSE(plain->mSwitcher.mShownIndex);
    EXPECT_EQ(plain->mSwitcher.mImages[0].mImageName, "");
}

TEST_F(ObjectTest, SwitcherStateIsSavedAfterTheObjectRecord) {
    const char* element = R"(<object id="sw"><image_switcher><image filename="a.png"/><image filename="b.png"/>
        </image_switcher></object>)";
    auto switching = LoadElement<TTextInfoSwitchImageObject>(element);
    EXPECT_TRUE(switching->mSwitcher.Toggle());
    switching->mSwitcher.SetVisible(false);
    TBaseBuffer saved, plain;
    switching->SaveState(saved);
    switching->TObject::SaveState(plain);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 2);
    EXPECT_EQ(saved.GetBytes()[saved.GetSize() - 2], 1);
    EXPECT_EQ(saved.GetBytes()[saved.GetSize() - 1], 0);
    auto restored = LoadElement<TTextInfoSwitchImageObject>(element);
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    EXPECT_TRUE(restored->mSwitcher.mShownIndex);
    EXPECT_FALSE(restored->mSwitcher.IsVisible());
}

// The shown switcher image is drawn and hit only in the developer view; rooms see the object's own image.
TEST_F(ObjectTest, SwitcherDrawsAndHitsItsShownImage) {
    WriteSolidImage("a.png", 4, 4, kRed);
    WriteSolidImage("b.png", 4, 4, kGreen);
    WriteImage("c.png", 4, 4, [](int x, int) { return x < 2 ? kBlue : 0x00000000u; });
    const char* element = R"(<object id="sw"><image_switcher><image filename="a.png" x="2" y="2"/>
        <image filename="c.png" x="10" y="10"/></image_switcher></object>)";
    auto switching = LoadElement<TTextInfoSwitchImageObject>(element);
    switching->LoadResources();
    switching->OnSpaceShow();
    int cx = 0, cy = 0;
    switching->mSwitcher.GetCenter(cx, cy);
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 4);
    BeginCanvas();
    switching->Draw(1.0f);
    ExpectPixels({{3, 3, kBlack}});
    BeginCanvas();
    switching->DrawAll();
    ExpectPixels({{3, 3, kRedPixel}, {11, 11, kBlack}});
    EXPECT_TRUE(switching->HitTestSelf(3, 3));
    EXPECT_FALSE(switching->HitTestSelf(11, 11));
    switching->mSwitcher.Toggle();
    BeginCanvas();
    switching->DrawAll();
    ExpectPixels({{3, 3, kBlack}, {11, 11, kBluePixel}, {13, 11, kBlack}});
    EXPECT_TRUE(switching->HitTestSelf(11, 11));
    // Its transparent half does not take the pointer.
    EXPECT_FALSE(switching->HitTestSelf(13, 11));
    switching->mSwitcher.SetVisible(false);
    BeginCanvas();
    switching->DrawAll();
    ExpectPixels({{11, 11, kBlack}});
    switching->UnloadResources();
    EXPECT_FALSE(switching->mSwitcher.mImages[0].mTexture);
}

} // namespace
