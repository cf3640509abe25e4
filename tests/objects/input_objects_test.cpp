// Polygon hit areas, the hover highlight and the object that clicks itself when its space is shown.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/input_objects.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;
using Strings = std::vector<std::string>;

TEST_F(ObjectTest, ShapeHitsInsideItsPolygon) {
    struct Case {
        const char* points;
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {"0.0;100.0;0.100", 10, 10, true},
        {"0.0;100.0;0.100", 90, 90, false},
        {"0.0;100.0;0.100", 60, 60, false},
        // Closed by a fourth point back at (100, 0).
        {"100.0;0.50;100.100", 50, 50, true},
        {"100.0;0.50;100.100", 10, 10, false},
        {"100.0;0.50;100.100", 99, 99, true},
        // Two points: the rectangle they span is the answer.
        {"10.10;20.30", 15, 25, true},
        {"10.10;20.30", 20, 30, true},
        {"10.10;20.30", 21, 30, false},
        // Broken entries are skipped; the rest still make the triangle.
        {"0.0;junk;100.0;1.2.3;0.100", 10, 10, true},
        {"0.0;junk;100.0;1.2.3;0.100", 90, 90, false},
        // A large room: a span times a distance is far beyond int, the answer still the triangle's.
        {"0.0;100000.0;0.100000", 40000, 50000, true},
        {"0.0;100000.0;0.100000", 60000, 50000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.points) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        auto shape = Load<TShapeObject>(std::string("id=\"s\" points=\"") + c.points + "\"");
        EXPECT_EQ(shape->HitTestSelf(c.x, c.y), c.hit);
    }
    EXPECT_TRUE(harness::LogContains("shape s: point junk skipped"));
    EXPECT_TRUE(harness::LogContains("shape s: point 1.2.3 skipped"));
}

// Points a broken file puts beyond int or any screen are held within 2^29 pixels: the rectangle's spans and
// the hit test stay inside their integers, and the held triangle still answers as a triangle.
TEST_F(ObjectTest, ShapeHoldsFarPointsWithinReach) {
    auto shape =
        Load<TShapeObject>(R"(points="-9000000000.-9000000000;2147483647.-2147483648;-3000000000.2147483647")");
    ASSERT_EQ(shape->mPoints.size(), 4u);
    EXPECT_EQ(shape->mPoints[0], (std::pair<int, int>{-536870912, -536870912}));
    EXPECT_EQ(shape->mPoints[1], (std::pair<int, int>{536870912, -536870912}));
    EXPECT_EQ(shape->mX, -536870912.0f);
    EXPECT_EQ(shape->mW, 1073741825.0f);
    EXPECT_TRUE(shape->HitTestSelf(-536870000, -536870000));
    EXPECT_FALSE(shape->HitTestSelf(536870000, 536870000));
    EXPECT_FALSE(shape->HitTestSelf(INT32_MAX, INT32_MIN));
}

TEST_F(ObjectTest, ShapeTakesItsRectangleFromItsPointsAndClosesThePolygon) {
    auto shape = Load<TShapeObject>(R"(id="s" x="500" y="500" w="1" h="1" points="100.0;0.50;100.100")");
    EXPECT_EQ(shape->mX, 0);
    EXPECT_EQ(shape->mY, 0);
    EXPECT_EQ(shape->mW, 101);
    EXPECT_EQ(shape->mH, 101);
    ASSERT_EQ(shape->mPoints.size(), 4u);
    EXPECT_EQ(shape->mPoints.back(), shape->mPoints.front());
    // Already closed: nothing is added.
    auto closed = Load<TShapeObject>(R"(points="0.0;10.0;0.10;0.0")");
    EXPECT_EQ(closed->mPoints.size(), 4u);
    // One point leaves the rectangle of the element.
    auto single = Load<TShapeObject>(R"(x="3" y="4" w="5" h="6" points="50.50")");
    EXPECT_EQ(single->mX, 3);
    EXPECT_EQ(single->mW, 5);
    EXPECT_TRUE(single->HitTestSelf(4, 5));
}

TEST_F(ObjectTest, ShapeMissesWhenLockedHiddenAndFollowsTheSpaceOffset) {
    TGameSpace space;
    space.mDrawOffsetX = 200;
    auto shape = Load<TShapeObject>(R"(points="0.0;100.0;0.100")");
    EXPECT_TRUE(shape->HitTestSelf(10, 10));
    shape->mSpace = &space;
    EXPECT_FALSE(shape->HitTestSelf(10, 10));
    EXPECT_TRUE(shape->HitTestSelf(210, 10));
    EXPECT_FALSE(shape->HitTestSelf(290, 90));
    shape->mSkipOwnerOffset = true;
    EXPECT_TRUE(shape->HitTestSelf(10, 10));
    shape->mLocked = true;
    EXPECT_FALSE(shape->HitTestSelf(10, 10));
    shape->mLocked = false;
    shape->mVisible = false;
    EXPECT_FALSE(shape->HitTestSelf(10, 10));
}

TEST_F(ObjectTest, ShapeNeverDrawsItsImage) {
    WriteSolidImage("textures/red.png", 8, 8, kRed);
    auto shape = Load<TShapeObject>(R"(name="red.png" dummy="0" points="0.0;8.0;0.8")");
    auto plain = Load<TObject>(R"(name="red.png" dummy="0")");
    for (TObject* object : {static_cast<TObject*>(shape.get()), plain.get()}) {
        object->LoadResources();
        object->OnSpaceShow();
    }
    BeginCanvas();
    plain->Draw(1.0f);
    ExpectPixels({{1, 1, kRedPixel}});
    BeginCanvas();
    shape->Draw(1.0f);
    ExpectPixels({{1, 1, kBlack}, {4, 2, kBlack}});
}

class MouseEnterTest : public ObjectTest {
protected:
    std::unique_ptr<TMouseEnterObject> Make(const std::string& attributes) {
        TXml xml(R"(<object id="m" w="10" h="10" cob="1" soundmouseenter="in" soundmouseleave="out" )" + attributes +
                 R"(><object id="glow" name="green.png" x="2" y="2"/></object>)");
        auto object = std::make_unique<TMouseEnterObject>();
        object->LoadFromXml(xml.Root(), "");
        auto* glow = new TObject();
        glow->LoadFromXml(xml.Root()->FirstChildElement("object"), "");
        object->AddChild(glow);
        object->OnLoaded();
        object->mSpace = &mSpace;
        object->SetListener(&mListener);
        return object;
    }

    objtest::TRecordingSpace mSpace;
    TRecordingListener mListener;
};

TEST_F(MouseEnterTest, HoverShowsTheFirstChildAndClicksToggleTheSelection) {
    struct Step {
        const char* action;
        bool over, glowVisible, selected;
        Strings sounds;
    };
    const Step steps[] = {
        {"enter", true, true, false, {"in"}}, {"click", true, true, true, {}},  {"leave", false, false, true, {"out"}},
        {"enter", true, true, true, {"in"}},  {"click", true, true, false, {}}, {"leave", false, false, false, {"out"}},
    };
    auto object = Make(R"(canselect="1")");
    EXPECT_FALSE(object->GetChildren()[0]->mVisible);
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        SCOPED_TRACE(std::to_string(i) + " " + step.action);
        bool hover = false;
        const std::string action = step.action;
        if (action == "enter") {
            object->OnMouseMove(At(5, 5), &hover);
        } else if (action == "leave") {
            object->OnMouseMove(At(50, 50), &hover);
        } else {
            object->OnMouseDown(At(5, 5));
        }
        EXPECT_EQ(object->mOver, step.over);
        EXPECT_EQ(object->GetChildren()[0]->mVisible, step.glowVisible);
        EXPECT_EQ(object->mSelected, step.selected);
        EXPECT_EQ(mSpace.mSounds.Take(), step.sounds);
    }
}

TEST_F(MouseEnterTest, LoadedStateAndClicksWithoutSelection) {
    auto over = Make(R"(over="1" select="1")");
    EXPECT_TRUE(over->mOver);
    EXPECT_TRUE(over->mSelected);
    EXPECT_FALSE(over->mCanSelect);
    EXPECT_TRUE(over->GetChildren()[0]->mVisible);
    over->OnMouseDown(At(5, 5));
    EXPECT_TRUE(over->mSelected);
    EXPECT_EQ(mListener.Take(), (Strings{"clicked m", "pressed m 5,5"}));
    // Without children nothing is shown and nothing breaks.
    auto bare = Load<TMouseEnterObject>(R"(w="10" h="10" canselect="1")");
    bare->OnLoaded();
    bare->OnMouseEnter(1, 1);
    bare->DrawAll();
    EXPECT_TRUE(bare->mOver);
}

// Away from the pointer, a selected object keeps its highlight in the developer view.
TEST_F(MouseEnterTest, DrawAllShowsTheSelection) {
    WriteSolidImage("textures/green.png", 4, 4, kGreen);
    const std::pair<const char*, TRgba> cases[] = {
        {R"(canselect="1" select="1")", kGreenPixel},
        {R"(canselect="1" select="0")", kBlack},
        {R"(canselect="0" select="1")", kBlack},
    };
    for (const auto& [attributes, colour] : cases) {
        SCOPED_TRACE(attributes);
        auto object = Make(attributes);
        object->LoadResources();
        object->OnSpaceShow();
        BeginCanvas();
        object->Draw(1.0f);
        ExpectPixels({{3, 3, kBlack}});
        BeginCanvas();
        object->DrawAll();
        ExpectPixels({{3, 3, colour}, {8, 8, kBlack}});
    }
}

TEST_F(ObjectTest, DialogClicksItselfOnEachShowAfterActivation) {
    TRecordingListener listener;
    auto make = [&] {
        auto dialog = Load<TDialogObject>(R"(id="d" x="4" y="4" w="10" h="10" maxclicks="3")");
        dialog->SetListener(&listener);
        return dialog;
    };
    struct Step {
        const char* action;
        Strings calls;
    };
    const Step steps[] = {
        {"show", {}},
        {"activate", {}},
        {"show", {"clicked d", "pressed d 4,4"}},
        {"save", {}},
        {"show", {"clicked d", "pressed d 4,4"}},
        {"show", {"clicked d", "pressed d 4,4"}},
        // Its three clicks are used up.
        {"show", {}},
    };
    auto dialog = make();
    for (size_t i = 0; i < std::size(steps); ++i) {
        const std::string action = steps[i].action;
        SCOPED_TRACE(std::to_string(i) + " " + action);
        if (action == "show") {
            dialog->OnSpaceShow();
            // It shows only for its own press.
            EXPECT_EQ(dialog->mVisible, !dialog->mArmed);
        } else if (action == "activate") {
            dialog->Activate(0, 0, 0);
        } else {
            TBaseBuffer saved;
            dialog->SaveState(saved);
            dialog = make();
            ASSERT_TRUE(RestoreObjectState(*dialog, saved));
            EXPECT_TRUE(dialog->mArmed);
            EXPECT_EQ(dialog->mClickCounter, 0);
        }
        EXPECT_EQ(listener.Take(), steps[i].calls);
    }
}

TEST_F(ObjectTest, DialogSavesItsArmedFlagAfterTheObjectRecord) {
    auto dialog = Load<TDialogObject>(R"(id="d")");
    TBaseBuffer plain, armed;
    dialog->SaveState(plain);
    dialog->Activate(0, 0, 0);
    dialog->SaveState(armed);
    ASSERT_EQ(armed.GetSize(), plain.GetSize());
    EXPECT_EQ(plain.GetBytes().back(), 0);
    EXPECT_EQ(armed.GetBytes().back(), 1);
    TObject object;
    object.mName = "d";
    TBaseBuffer record;
    object.SaveState(record);
    EXPECT_EQ(armed.GetSize(), record.GetSize() + 1);
}

} // namespace
