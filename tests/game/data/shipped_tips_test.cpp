// The shipped tutorial steps point where they say: each arrow's tip at the control it explains, and the
// map's first tip keeps its panel off the page buttons.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/app_config.h"
#include "app/xml_reader.h"
#include "windows/ui_info_holder.h"
#include "windows/ui_tutorial_box.h"

namespace {

struct TRect {
    int x, y, w, h;

    // Within the rectangle grown by a margin on every side.
    bool Near(int px, int py, int margin) const {
        return px >= x - margin && px < x + w + margin && py >= y - margin && py < y + h + margin;
    }
    bool Overlaps(const TRect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
};

class ShippedTipsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_TRUE(LoadGlobalUIInfo());
    }
    void TearDown() override { TUIInfoHolder::ReleaseGlobal(); }

    static const TUITutorial& Step(const char* name) {
        const TUITutorial* step = FindUIObject<TUITutorial>(*TUIInfoHolder::GetGlobal(), name);
        EXPECT_NE(step, nullptr) << name;
        static const TUITutorial none;
        return step != nullptr ? *step : none;
    }

    // A game screen control's rectangle (x, y its top-left corner).
    static TRect Control(const char* name) {
        const TUIBaseBox* box = TUIInfoHolder::GetGlobal()->FindObject(name);
        EXPECT_NE(box, nullptr) << name;
        return box != nullptr ? TRect{box->mX, box->mY, box->mW, box->mH} : TRect{};
    }

    // An object of the map's description by name: its x, y and the named size attributes.
    static TRect MapObject(const char* name, int w, int h) {
        TiXmlDocument* document = nullptr;
        const TiXmlElement* root = LoadXmlDocument("ui/map.xml", document);
        std::unique_ptr<TiXmlDocument> owner(document);
        for (const TiXmlElement* object = root != nullptr ? root->FirstChildElement("object") : nullptr;
             object != nullptr; object = object->NextSiblingElement("object")) {
            if (ReadXmlString(object, "name", "") == name) {
                return {ReadXmlInt(object, "x", 0), ReadXmlInt(object, "y", 0), w, h};
            }
        }
        ADD_FAILURE() << "no " << name << " in ui/map.xml";
        return {};
    }
};

TEST_F(ShippedTipsTest, ArrowsEndAtTheControlsTheirStepsExplain) {
    struct Case {
        const char* step;
        TRect target;
        const char* what;
    };
    // The map's first plate: BoardXY, 220 x 200.
    const TRect boardXY = MapObject("BoardXY", 0, 0);
    const Case cases[] = {
        {"TipHint", Control("hintbtn"), "the hint button"},
        {"TipChangeColor", Control("mosaiccolor1"), "the first colour button"},
        {"TipMapClickToPlay", {boardXY.x, boardXY.y, 220, 200}, "the first level's plate"},
        {"TipMapClickToNextStage", MapObject("nextcity", 96, 64), "the next page button"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        const TUITutorial& step = Step(c.step);
        ASSERT_EQ(step.mArrows.size(), 1u);
        const TUITutorialArrow& arrow = step.mArrows.front();
        EXPECT_TRUE(c.target.Near(arrow.x, arrow.y, 8))
            << "the arrow ends at " << arrow.x << ", " << arrow.y << ", not at " << c.what << " (" << c.target.x << ", "
            << c.target.y << ", " << c.target.w << " x " << c.target.h << ")";
    }
}

TEST_F(ShippedTipsTest, TheMapsFirstTipLeavesThePageButtonsFree) {
    // The tip panel is 560 x 180 about the step's point.
    const TUITutorial& step = Step("TipMapClickToPlay");
    const TRect panel{step.mX - 280, step.mY - 90, 560, 180};
    for (const char* button : {"nextcity", "prevcity"}) {
        EXPECT_FALSE(panel.Overlaps(MapObject(button, 96, 64))) << button;
    }
    EXPECT_LE(panel.x + panel.w, 1366);
}

} // namespace
