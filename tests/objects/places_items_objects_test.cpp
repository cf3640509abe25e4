// Slots that show one child by index, hand it out as a tool and exchange indices with the slot that handed
// out the tool used on them; their handle reports when every slot is placed.

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/places_items_objects.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TTestTool;
using objtest::TXml;

using Strings = std::vector<std::string>;

// One slot of the shelf: three children (red, green, blue) at the slot's own place.
std::string Slot(const std::string& id, int x, int index, int correct, const std::string& extra = "") {
    std::string text = R"(<object type="placesitems_object" exe="tool" tools="piece;piece;piece" )"
                       R"(hideaftertaketool="0" soundtake="take" soundtool="put" id=")" +
                       id + "\" index=\"" + std::to_string(index) + "\" correctindex=\"" + std::to_string(correct) +
                       "\" " + extra + ">";
    const char* colours[] = {"red", "green", "blue"};
    for (int k = 0; k < 3; ++k) {
        text += "<object id=\"" + id + std::to_string(k) + "\" name=\"" + colours[k] + ".png\" x=\"" +
                std::to_string(x) + "\" y=\"4\" w=\"8\" h=\"8\"/>";
    }
    return text + "</object>";
}

class PlacesItemsTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
        TToolList::GetPlayerTools().Add(&mPiece);
    }

    // A shelf of slots a (lock_after_set, marker), b and c, with the given start indices.
    TPlacesItemsHandleObject* Build(int a, int b, int c) {
        mSpace = std::make_unique<TRecordingSpace>();
        TXml xml("<scene><object id=\"shelf\" type=\"placesitems_handle_object\" uae=\"door\">" +
                 Slot("a", 0, a, 0, R"(lock_after_set="1" filename="mark.png")") + Slot("b", 10, b, 1) +
                 Slot("c", 20, c, 2) + "</object></scene>");
        mSpace->LoadObjectsFromXml(xml.Root(), "f/");
        auto* handle = dynamic_cast<TPlacesItemsHandleObject*>(mSpace->mObjects.at(0).get());
        handle->SetListener(&mListener);
        return handle;
    }

    static TPlacesItemsObject& SlotOf(TPlacesItemsHandleObject& handle, const std::string& id) {
        return dynamic_cast<TPlacesItemsObject&>(*handle.FindChildById(id));
    }

    // Per slot: its index, then p placed, l locked, m marker shown.
    static std::string State(TPlacesItemsHandleObject& handle) {
        std::string text;
        for (const auto& child : handle.GetChildren()) {
            const auto& slot = dynamic_cast<const TPlacesItemsObject&>(*child);
            // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) on a chain of + over temporaries.
            if (!text.empty()) {
                text += ' ';
            }
            text += std::to_string(slot.mIndex);
            text += slot.mPlaced ? "p" : "";
            text += slot.mLocked ? "l" : "";
            text += slot.mMarker.mVisible ? "m" : "";
        }
        return text;
    }

    // What the step told the room: after-events, tools given and sounds played.
    Strings Heard() {
        Strings heard;
        for (const std::string& call : mListener.Take()) {
            if (call.rfind("unlock", 0) == 0 || call.rfind("toolgiven", 0) == 0) {
                heard.push_back(call);
            }
        }
        for (const std::string& sound : mSpace->mSounds.Take()) {
            heard.push_back("sound " + sound);
        }
        return heard;
    }

    TTestTool mPiece{"piece"};
    std::unique_ptr<TRecordingSpace> mSpace;
    TRecordingListener mListener;
};

TEST_F(PlacesItemsTest, ExchangesSolveTheShelf) {
    struct Step {
        // "show", "click ID", "use ID" (with the piece held), "activate ID", "lock", "unlock", "save".
        std::string action;
        std::string state;
        Strings heard;
    };
    struct Case {
        const char* name;
        int a, b, c;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"three-cycle",
         1,
         2,
         0,
         {{"show", "1 2 0", {}},
          {"click a", "1 2 0", {"toolgiven piece", "sound take"}},
          {"use b", "2 1p 0", {"sound put"}},
          {"save", "2 1p 0", {}},
          // A placed slot keeps its place when it is given back a wrong index.
          {"click b", "2 1p 0", {"toolgiven piece", "sound take"}},
          {"use a", "1 2p 0", {"sound put"}},
          {"click a", "1 2p 0", {"toolgiven piece", "sound take"}},
          {"use c", "0plm 2p 1", {"sound put"}},
          {"click c", "0plm 2p 1", {"toolgiven piece", "sound take"}},
          {"use b", "0plm 1p 2p", {"unlock //door", "sound put"}},
          // Locked with its marker: no more tools from it, and the handle's unlock leaves it locked.
          {"click a", "0plm 1p 2p", {}},
          {"unlock", "0plm 1p 2p", {}}}},
        // Activation is not part of the saved record, so the round trip comes first.
        {"activated",
         1,
         2,
         0,
         {{"save", "1 2 0", {}},
          {"activate a", "1 2 0", {}},
          {"activate b", "1 2 0", {}},
          {"show", "1plm 2p 0", {}},
          {"click c", "1plm 2p 0", {"toolgiven piece", "sound take"}},
          // The locked slot refuses the tool; the activated one takes it and still counts as placed.
          {"use a", "1plm 2p 0", {}},
          {"use b", "1plm 0p 2p", {"unlock //door", "sound put"}}}},
        {"placed at load",
         0,
         1,
         2,
         {{"show", "0plm 1p 2p", {"unlock //door"}},
          {"save", "0plm 1p 2p", {}},
          {"lock", "0plm 1pl 2pl", {}},
          {"show", "0plm 1pl 2pl", {}},
          {"unlock", "0plm 1p 2p", {}},
          {"show", "0plm 1p 2p", {"unlock //door"}}}},
    };
    for (const Case& c : cases) {
        for (const bool withSave : {false, true}) {
            TPlacesItemsHandleObject* handle = Build(c.a, c.b, c.c);
            for (const Step& step : c.steps) {
                SCOPED_TRACE(std::string(c.name) + (withSave ? " saved" : "") + ": " + step.action);
                const std::string verb = step.action.substr(0, step.action.find(' '));
                const std::string id = step.action.substr(step.action.find(' ') + 1);
                if (verb == "show") {
                    handle->OnSpaceShow();
                } else if (verb == "click" || verb == "use") {
                    TPlacesItemsObject& slot = SlotOf(*handle, id);
                    handle->OnMouseDown(At(slot.GetCenterX(), slot.GetCenterY(), verb == "use" ? &mPiece : nullptr));
                } else if (verb == "activate") {
                    SlotOf(*handle, id).ActivateDefault();
                } else if (verb == "lock") {
                    handle->Lock();
                } else if (verb == "unlock") {
                    handle->Unlock();
                } else if (verb == "save" && withSave) {
                    TBaseBuffer saved;
                    handle->SaveState(saved);
                    handle = Build(c.a, c.b, c.c);
                    handle->OnSpaceShow();
                    Heard();
                    ASSERT_TRUE(RestoreObjectState(*handle, saved));
                }
                EXPECT_EQ(State(*handle), step.state);
                EXPECT_EQ(Heard(), step.heard);
            }
        }
    }
}

TEST_F(PlacesItemsTest, SetIndexShowsOneChildAndTakesItsRectangle) {
    TPlacesItemsHandleObject* handle = Build(1, 0, 0);
    handle->OnSpaceShow();
    TPlacesItemsObject& b = SlotOf(*handle, "b");
    const auto visible = [&] {
        std::string text;
        for (const auto& child : b.GetChildren()) {
            text += child->mVisible ? "1" : "0";
        }
        return text;
    };
    EXPECT_EQ(visible(), "100");
    b.FindChildById("b2")->SetPosition(30, 6, false);
    b.SetIndex(2);
    EXPECT_EQ(visible(), "001");
    EXPECT_EQ(b.mX, 30);
    EXPECT_EQ(b.mY, 6);
    EXPECT_EQ(b.mW, 8);
    // An index past the children shows none, keeps the rectangle and hands out no picture.
    b.SetIndex(7);
    EXPECT_EQ(visible(), "000");
    EXPECT_EQ(b.mX, 30);
    mPiece.mFlyImageNames = {"textures/piece"};
    b.GiveTool(0, b.mGivenTools);
    EXPECT_EQ(mPiece.mFlyImageNames, (Strings{"textures/piece"}));
    EXPECT_EQ(mPiece.mSourceObject, &b);
    b.SetIndex(1);
    b.GiveTool(1, b.mGivenTools);
    EXPECT_EQ(mPiece.mFlyImageNames, (Strings{"f/green.png"}));
}

TEST_F(PlacesItemsTest, SavedStateIsPlacedThenIndex) {
    TPlacesItemsHandleObject* handle = Build(2, 0, 0);
    handle->OnSpaceShow();
    TPlacesItemsObject& a = SlotOf(*handle, "a");
    TBaseBuffer full, plain;
    a.SaveState(full);
    a.TObject::SaveState(plain);
    ASSERT_EQ(full.GetSize(), plain.GetSize() + 5);
    EXPECT_EQ(std::vector<uint8_t>(full.GetBytes().end() - 5, full.GetBytes().end()),
              (std::vector<uint8_t>{0, 2, 0, 0, 0}));
    a.SetIndex(0);
    TBaseBuffer placed;
    a.SaveState(placed);
    EXPECT_EQ(std::vector<uint8_t>(placed.GetBytes().end() - 5, placed.GetBytes().end()),
              (std::vector<uint8_t>{1, 0, 0, 0, 0}));
}

TEST_F(PlacesItemsTest, ChildrenThatAreNotSlotsAreSkipped) {
    mSpace = std::make_unique<TRecordingSpace>();
    TXml xml(R"(<scene><object id="shelf" type="placesitems_handle_object" uae="door">)"
             R"(<object id="junk" w="4" h="4" cob="1"/>)" +
             Slot("a", 10, 0, 0) + "</object></scene>");
    mSpace->LoadObjectsFromXml(xml.Root(), "f/");
    auto* handle = dynamic_cast<TPlacesItemsHandleObject*>(mSpace->mObjects.at(0).get());
    handle->SetListener(&mListener);
    handle->OnSpaceShow();
    EXPECT_TRUE(harness::LogContains("places items shelf: child junk is not a slot, skipped"));
    EXPECT_EQ(Heard(), (Strings{"unlock //door"}));
    // Input still reaches the children in list order.
    EXPECT_TRUE(handle->OnMouseDown(At(2, 2)));
}

TEST_F(PlacesItemsTest, AlignToCentreAnchorsEachChildAtItsPictureCentre) {
    WriteSolidImage("f/wide.png", 20, 10, kRed);
    mSpace = std::make_unique<TRecordingSpace>();
    TXml xml(R"(<scene><object id="shelf" type="placesitems_handle_object2" align_to_center="1">)"
             R"(<object id="s" type="placesitems_object" name="wide.png" x="100" y="50">)"
             R"(<object id="s0" x="100" y="50" w="4" h="4"/></object></object></scene>)");
    mSpace->LoadObjectsFromXml(xml.Root(), "f/");
    TObject& handle = *mSpace->mObjects.at(0);
    handle.LoadResources();
    handle.OnSpaceFirstShow();
    TObject& slot = *handle.FindChildById("s");
    EXPECT_EQ(slot.mDrawType, TObject::kDrawCentred);
    EXPECT_EQ(slot.mX, 110);
    EXPECT_EQ(slot.mY, 55);
    EXPECT_EQ(slot.GetX(), 100);
    EXPECT_EQ(handle.FindChildById("s0")->mX, 110);
}

// Rooms draw the shown child only; the developer view adds the marker of a placed slot.
TEST_F(PlacesItemsTest, DrawAllAddsTheMarker) {
    WriteSolidImage("f/red.png", 8, 8, kRed);
    WriteSolidImage("f/green.png", 8, 8, kGreen);
    WriteSolidImage("f/blue.png", 8, 8, 0xFF0000FFu);
    WriteSolidImage("f/mark.png", 4, 4, 0xFFFFFFFFu);
    TPlacesItemsHandleObject* handle = Build(1, 1, 2);
    handle->LoadResources();
    handle->OnSpaceShow();
    TPlacesItemsObject& a = SlotOf(*handle, "a");
    const TRgba white{255, 255, 255, 255}, blue{0, 0, 255, 255};
    BeginCanvas();
    handle->Draw(1.0f);
    // a shows green, b green, c blue.
    ExpectPixels({{2, 6, kGreenPixel}, {12, 6, kGreenPixel}, {22, 6, blue}, {28, 6, kBlack}});
    a.SetIndex(0);
    Advance(*handle, 0.01f);
    BeginCanvas();
    handle->Draw(1.0f);
    ExpectPixels({{1, 5, kRedPixel}, {6, 10, kRedPixel}});
    BeginCanvas();
    a.DrawAll();
    // The marker at the slot's top left, over the red child.
    ExpectPixels({{1, 5, white}, {3, 7, white}, {6, 10, kRedPixel}, {12, 6, kBlack}});
    BeginCanvas();
    handle->DrawAll();
    ExpectPixels({{1, 5, kRedPixel}, {12, 6, kGreenPixel}});
}

} // namespace
