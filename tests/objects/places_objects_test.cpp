// Exchange places: a place hands its piece out as a tool, the place the tool is used on swaps pieces with
// it, the piece going back slides home, and the handle reports whenever every place shows its needed piece.

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/places_objects.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TTestTool;
using objtest::TXml;

using Strings = std::vector<std::string>;

std::string Place(const std::string& id, int x, const std::string& piece, const std::string& needed,
                  const std::string& extra = "") {
    return R"(<object type="places_object" exe="tool" tools="piece;piece;piece" hideaftertaketool="0" )"
           R"(soundtake="take" y="0" w="8" h="8" id=")" +
           id + "\" x=\"" + std::to_string(x) + "\" name=\"" + piece + ".png\" needed_image=\"" + needed + ".png\" " +
           extra + "/>";
}

class PlacesTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
        TToolList::GetPlayerTools().Add(&mPiece);
        for (const auto& [name, colour] : {std::pair{"r", kRed}, std::pair{"g", kGreen}, std::pair{"b", 0xFF0000FFu}}) {
            WriteSolidImage(std::string("f/") + name + ".png", 8, 8, colour);
        }
        WriteSolidImage("f/o.png", 4, 4, 0xFFFFFFFFu);
    }

    // p1 at x 0 (locks when set, with an overlay), p2 at 300, p3 at 600.
    TPlacesHandleObject* Build(const std::string& handleAttributes = "") {
        mSpace = std::make_unique<TRecordingSpace>();
        TXml xml(R"(<scene><object id="row" type="places_handle_object" uae="door" )" + handleAttributes + ">" +
                 Place("p1", 0, "b", "r", R"(lock_after_set="1" filename="o.png")") + Place("p2", 300, "r", "b") +
                 Place("p3", 600, "g", "g") + "</object></scene>");
        mSpace->LoadObjectsFromXml(xml.Root(), "f/");
        auto* handle = dynamic_cast<TPlacesHandleObject*>(mSpace->mObjects.at(0).get());
        handle->SetListener(&mListener);
        handle->LoadResources();
        return handle;
    }

    static TPlacesObject& PlaceOf(TPlacesHandleObject& handle, const std::string& id) {
        return dynamic_cast<TPlacesObject&>(*handle.FindChildById(id));
    }

    // Per place: its piece, then s set, l locked, g given, m sliding, o overlay shown.
    static std::string State(TPlacesHandleObject& handle) {
        std::string text;
        for (const auto& child : handle.GetChildren()) {
            const auto& place = dynamic_cast<const TPlacesObject&>(*child);
            const std::string piece = place.mImageName.substr(2, place.mImageName.size() - 6);
            text += (text.empty() ? "" : " ") + piece + (place.mSet ? "s" : "") + (place.mLocked ? "l" : "") +
                    (place.mGiven ? "g" : "") + (place.IsSliding() ? "m" : "") + (place.mOverlay.mVisible ? "o" : "");
        }
        return text;
    }

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

TEST_F(PlacesTest, SwapsSolveTheRow) {
    struct Step {
        // "show", "click ID", "use ID" (with the piece held), "activate ID", "wait SECONDS", "lock",
        // "unlock", "save".
        std::string action;
        std::string state;
        Strings heard;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"one swap",
         {{"show", "b r gs", {}},
          {"save", "b r gs", {}},
          {"click p1", "bg r gs", {"toolgiven piece", "sound take"}},
          // p2 takes the blue piece at once; the red one slides 300 pixels back to p1.
          {"use p2", "rm b gs", {}},
          {"wait 0.2", "rm b gs", {}},
          {"wait 0.15", "rslo bs gs", {"unlock //door"}},
          // A set place that locks refuses pieces, and the handle's unlock leaves it locked.
          {"click p3", "rslo bs gsg", {"toolgiven piece", "sound take"}},
          {"use p1", "rslo bs gsg", {}},
          {"unlock", "rslo bs gsg", {}}}},
        {"activation and changes",
         {{"show", "b r gs", {}},
          {"activate p2", "b r gs", {}},
          {"click p3", "b r gsg", {"toolgiven piece", "sound take"}},
          {"use p1", "g r bsm", {}},
          {"wait 0.65", "g rs bs", {}},
          {"save", "g rs bs", {}},
          // p3 has no lock after set: it can be changed again.
          {"click p1", "gg rs bs", {"toolgiven piece", "sound take"}},
          {"use p3", "bm rs gs", {}},
          {"wait 0.65", "b rs gs", {}},
          {"click p1", "bg rs gs", {"toolgiven piece", "sound take"}},
          {"use p2", "rm bs gs", {}},
          {"wait 0.35", "rslo bs gs", {"unlock //door"}}}},
        {"solved at show",
         {{"activate p1", "b r g", {}},
          {"activate p2", "b r g", {}},
          {"lock", "bl rl gl", {}},
          // Locked: every place is marked set, but nothing is reported.
          {"show", "bslo rsl gsl", {}},
          {"save", "bslo rsl gsl", {}},
          {"unlock", "bslo rs gs", {}},
          {"show", "bslo rs gs", {"unlock //door"}}}},
    };
    for (const Case& c : cases) {
        for (const bool withSave : {false, true}) {
            TPlacesHandleObject* handle = Build();
            for (const Step& step : c.steps) {
                SCOPED_TRACE(std::string(c.name) + (withSave ? " saved" : "") + ": " + step.action);
                const std::string verb = step.action.substr(0, step.action.find(' '));
                const std::string arg = step.action.substr(step.action.find(' ') + 1);
                if (verb == "show") {
                    handle->OnSpaceShow();
                } else if (verb == "click" || verb == "use") {
                    TPlacesObject& place = PlaceOf(*handle, arg);
                    handle->OnMouseDown(At(place.GetCenterX(), place.GetCenterY(), verb == "use" ? &mPiece : nullptr));
                } else if (verb == "activate") {
                    PlaceOf(*handle, arg).ActivateDefault();
                } else if (verb == "wait") {
                    Advance(*handle, std::stof(arg), 0.01f);
                } else if (verb == "lock") {
                    handle->Lock();
                } else if (verb == "unlock") {
                    handle->Unlock();
                } else if (verb == "save" && withSave) {
                    TBaseBuffer saved;
                    handle->SaveState(saved);
                    handle = Build();
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

TEST_F(PlacesTest, SlideTakesDistanceTimesMovingTime) {
    struct Case {
        const char* handle;
        std::vector<float> moments;
        std::vector<float> xs;
    };
    const std::vector<Case> cases = {
        // 300 pixels at the default 0.001 s each: 0.3 s.
        {"", {0.1f, 0.15f, 0.25f, 0.32f}, {200, 150, 50, 0}},
        {R"(moving_time="0.002")", {0.15f, 0.3f, 0.45f, 0.62f}, {225, 150, 75, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handle);
        TPlacesHandleObject* handle = Build(c.handle);
        handle->OnSpaceShow();
        TPlacesObject& p1 = PlaceOf(*handle, "p1");
        handle->OnMouseDown(At(4, 4));
        handle->OnMouseDown(At(304, 4, &mPiece));
        ASSERT_TRUE(p1.IsSliding());
        objtest::ExpectNearAll(objtest::SampleAt(p1, c.moments, [&] { return p1.GetImage()->mBaseX; }), c.xs, 3.0f);
        EXPECT_FALSE(p1.IsSliding());
        // The tool is spent on the swap: pressing a third place with it changes nothing.
        handle->OnMouseDown(At(604, 4, &mPiece));
        EXPECT_EQ(State(*handle), "rslo bs gs");
    }
}

TEST_F(PlacesTest, SavedStateIsPictureThenFourFlags) {
    TPlacesHandleObject* handle = Build();
    handle->OnSpaceShow();
    TPlacesObject& p3 = PlaceOf(*handle, "p3");
    p3.ActivateDefault();
    handle->OnMouseDown(At(604, 4));
    p3.mVisible = false;
    TBaseBuffer full, plain;
    p3.SaveState(full);
    p3.TObject::SaveState(plain);
    ASSERT_EQ(full.GetSize(), plain.GetSize() + 13);
    // The hidden place whose piece is out as a tool is written as reading it gives it: visible, not given.
    EXPECT_EQ(std::vector<uint8_t>(full.GetBytes().end() - 13, full.GetBytes().end()),
              (std::vector<uint8_t>{7, 0, 'f', '/', 'g', '.', 'p', 'n', 'g', 1, 1, 1, 0}));

    // A record that says the piece is out and the place hidden, in the object's record as in its own, brings
    // the piece back: visible, no longer given. Written again, it is the record the place writes from the start.
    std::vector<uint8_t> pieceOut = plain.GetBytes();
    const std::vector<uint8_t> outOwn{7, 0, 'f', '/', 'g', '.', 'p', 'n', 'g', 1, 1, 0, 1};
    pieceOut.insert(pieceOut.end(), outOwn.begin(), outOwn.end());
    ASSERT_NE(std::vector<uint8_t>(pieceOut.begin(), pieceOut.end() - 13),
              std::vector<uint8_t>(full.GetBytes().begin(), full.GetBytes().end() - 13));
    for (const auto& bytes : {pieceOut, full.GetBytes()}) {
        TPlacesHandleObject* fresh = Build();
        TPlacesObject& restored = PlaceOf(*fresh, "p3");
        TBaseBuffer record;
        for (uint8_t byte : bytes) {
            record.WriteByte(byte);
        }
        ASSERT_TRUE(RestoreObjectState(restored, record));
        EXPECT_TRUE(restored.mVisible);
        EXPECT_FALSE(restored.mGiven);
        EXPECT_TRUE(restored.mActivated);
        EXPECT_TRUE(restored.mSet);
        TBaseBuffer again;
        restored.SaveState(again);
        EXPECT_EQ(again.GetBytes(), full.GetBytes());
    }
}

// The tool flies with the piece handed out and forgets a place that is gone, so no swap reaches it.
TEST_F(PlacesTest, TheToolRemembersItsPlaceWhileItLives) {
    TPlacesHandleObject* handle = Build();
    handle->OnSpaceShow();
    handle->OnMouseDown(At(4, 4));
    EXPECT_EQ(mPiece.mSourceObject, &PlaceOf(*handle, "p1"));
    EXPECT_EQ(mPiece.mFlyImageNames, (Strings{"f/b.png"}));
    mSpace.reset();
    EXPECT_EQ(mPiece.mSourceObject, nullptr);
}

TEST_F(PlacesTest, ChildrenThatAreNotPlacesAreSkipped) {
    mSpace = std::make_unique<TRecordingSpace>();
    TXml xml(R"(<scene><object id="row" type="places_handle_object2" uae="door">)"
             R"(<object id="junk" type="placesitems_object"/>)" +
             Place("p", 20, "g", "g") + "</object></scene>");
    mSpace->LoadObjectsFromXml(xml.Root(), "f/");
    auto* handle = dynamic_cast<TPlacesHandleObject*>(mSpace->mObjects.at(0).get());
    handle->SetListener(&mListener);
    handle->OnSpaceShow();
    EXPECT_TRUE(harness::LogContains("places row: child junk is not a place, skipped"));
    EXPECT_EQ(Heard(), (Strings{"unlock //door"}));
}

// Rooms show each piece where it is, sliding ones included; the developer view adds the overlay of a
// set place and, through the handle, the places whose pieces slide.
TEST_F(PlacesTest, DrawingPiecesAndOverlay) {
    mSpace = std::make_unique<TRecordingSpace>();
    TXml xml(R"(<scene><object id="row" type="places_handle_object" moving_time="0.05">)" +
             Place("p1", 0, "b", "r", R"(lock_after_set="1" filename="o.png")") + Place("p2", 20, "r", "b") +
             "</object></scene>");
    mSpace->LoadObjectsFromXml(xml.Root(), "f/");
    auto* handle = dynamic_cast<TPlacesHandleObject*>(mSpace->mObjects.at(0).get());
    handle->LoadResources();
    handle->OnSpaceShow();
    const TRgba blue{0, 0, 255, 255}, white{255, 255, 255, 255};
    handle->OnMouseDown(At(4, 4));
    handle->OnMouseDown(At(24, 4, &mPiece));
    // p2 shows the blue piece at once; the red one starts its slide from under it.
    BeginCanvas();
    handle->Draw(1.0f);
    ExpectPixels({{2, 2, kBlack}, {22, 2, blue}});
    // The handle's own view draws the sliding piece once more, on top.
    BeginCanvas();
    handle->DrawAll();
    ExpectPixels({{2, 2, kBlack}, {22, 2, kRedPixel}});
    Advance(*handle, 0.5f, 0.01f);
    BeginCanvas();
    handle->Draw(1.0f);
    ExpectPixels({{2, 2, kBlack}, {12, 2, kRedPixel}, {22, 2, blue}});
    Advance(*handle, 0.6f, 0.01f);
    BeginCanvas();
    handle->Draw(1.0f);
    ExpectPixels({{1, 1, kRedPixel}, {6, 6, kRedPixel}, {22, 2, blue}});
    BeginCanvas();
    PlaceOf(*handle, "p1").DrawAll();
    ExpectPixels({{1, 1, white}, {3, 3, white}, {6, 6, kRedPixel}, {22, 2, kBlack}});
}

} // namespace
