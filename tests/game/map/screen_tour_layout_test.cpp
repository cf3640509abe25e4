// The game screen's controls as a level in play places them, against every shipped level: no control
// covers a clue number or a cell of any level, whatever colour is chosen.

#include <gtest/gtest.h>

#include "app/string_utils.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "mosaic_layout.h"
#include "windows/image_control.h"
#include "windows/text_label.h"

namespace {

struct TNamedRect {
    std::string name;
    TPixelRect rect;
};

bool Overlap(const TPixelRect& a, const TPixelRect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

class ScreenTourLayoutTest : public MapScreensTest {
protected:
    static void AddControl(std::vector<TNamedRect>& controls, const TMyWindow* window, const std::string& name) {
        if (window == nullptr) {
            return;
        }
        int x = 0;
        int y = 0;
        window->GetAbsolutePosition(x, y);
        controls.push_back({name, {x, y, window->GetWidth(), window->GetHeight()}});
    }
};

TEST_F(ScreenTourLayoutTest, NoControlCoversTheCluesOrCellsOfAnyLevel) {
    StartWithPlayer("Anna Lindqvist");
    MarkMapTipsSeen();
    ShowMapScreen();
    Frames(kFaderFrames);
    TMapWindow* map = TopScreen<TMapWindow>();
    ASSERT_NE(map, nullptr);
    const TMapLevelPlate& plate = *map->GetPlates().at(0);
    ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);
    ASSERT_TRUE(WaitForPlay());

    // Every control the game screen can show, each list at its longest.
    TBoardMahjong* controller = Controller();
    std::vector<TNamedRect> controls;
    AddControl(controls, controller->GetHintButton(), "hintbtn");
    AddControl(controls, controller->GetMenuButton(), "menubtn");
    AddControl(controls, controller->GetTimerLabel(), "TimerValueLbl");
    AddControl(controls, controller->GetColourIndicator(), "imagecolor");
    for (size_t i = 0; i < controller->GetColourButtons().size(); ++i) {
        AddControl(controls, controller->GetColourButtons()[i], FormatString("mosaiccolor%d", static_cast<int>(i + 1)));
    }
    for (size_t i = 0; i < controller->GetMistakeMarks().size(); ++i) {
        AddControl(controls, controller->GetMistakeMarks()[i], FormatString("mosaicerror%d", static_cast<int>(i + 1)));
    }
    ASSERT_GE(controls.size(), 6u);

    int levels = 0;
    for (int set : {kMainLevelSet, kSecondLevelSet}) {
        for (const auto& stage : GetStageList(set).mStages) {
            for (const auto& level : stage->mLevels) {
                MosaicLayout_t board;
                board.SetGridOrigin(level->mStartX != 0 ? level->mStartX : TBoardMahjong::kDefaultOriginX,
                                    level->mStartY != 0 ? level->mStartY : TBoardMahjong::kDefaultOriginY);
                ASSERT_TRUE(board.Load(level->mFileName, false)) << level->mFileName;
                ++levels;
                const TMosaicBoard& rules = board.GetBoard();
                std::vector<TNamedRect> parts = {{"the grid",
                                                  {rules.GetGeometry().originX, rules.GetGeometry().originY,
                                                   rules.GetPixelWidth(), rules.GetPixelHeight()}}};
                for (const TMosaicColorInfo& record : rules.GetColourRecords()) {
                    for (const TAxis axis : {kRows, kColumns}) {
                        for (const auto& line : record.numbers[axis]) {
                            for (const TMosaicNumberItem& number : line) {
                                TPixelRect drawn = number.rect;
                                drawn.y -= MosaicLayout_t::kClueRaise;
                                drawn.h += MosaicLayout_t::kClueRaise;
                                parts.push_back({FormatString("colour %d's clue %d at %d, %d", record.colour,
                                                              number.value, number.rect.x, number.rect.y),
                                                 drawn});
                            }
                        }
                    }
                }
                for (const TNamedRect& control : controls) {
                    for (const TNamedRect& part : parts) {
                        EXPECT_FALSE(Overlap(control.rect, part.rect))
                            << level->mFileName << ": " << control.name << " covers " << part.name;
                    }
                }
            }
        }
    }
    EXPECT_GT(levels, 0);
}

} // namespace
