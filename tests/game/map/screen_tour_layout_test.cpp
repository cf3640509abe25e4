// The game screen's controls as a level in play places them, against every shipped level: no control
// covers a clue number or a cell of any level, whatever colour is chosen; and each level's frame holds its
// grid, its clue numbers and their whole strips, 20 pixels clear of the screen's edges and of the controls,
// with every clue number on the strip's paper.

#include <gtest/gtest.h>

#include <functional>

#include "app/string_utils.h"
#include "board/mosaic_layout.h"
#include "map/map_window.h"
#include "map_fixture.h"
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

bool Contains(const TPixelRect& outer, const TPixelRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

TPixelRect Grown(const TPixelRect& rect, int by) {
    return {rect.x - by, rect.y - by, rect.w + 2 * by, rect.h + 2 * by};
}

// The design screen, and the room a board keeps from its edges and from every control.
constexpr TPixelRect kScreen = {0, 0, 1366, 768};
constexpr int kBoardMargin = 20;
// The least alpha of a clue strip under the middle of a clue number: on paper at least half opaque, the
// dark numbers stay readable whatever background the strip fades into.
constexpr int kLeastPaperAlpha = 128;

TPixelRect RectOf(const StaticImage& image) {
    StaticImage placed = image; // its position is read through non-const calls
    const int width = image.mTexture ? image.mTexture->GetWidth() : 0;
    return {static_cast<int>(placed.GetX()), static_cast<int>(placed.GetY()), width, image.GetHeight()};
}

// A clue number as drawn: raised above its place.
TPixelRect DrawnRect(const TMosaicNumberItem& number) {
    TPixelRect drawn = number.rect;
    drawn.y -= MosaicLayout_t::kClueRaise;
    drawn.h += MosaicLayout_t::kClueRaise;
    return drawn;
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

    // The first level started from the map and in play.
    void PlayTheFirstLevel() {
        StartWithPlayer("Anna Lindqvist");
        MarkMapTipsSeen();
        ShowMapScreen();
        Frames(kFaderFrames);
        TMapWindow* map = TopScreen<TMapWindow>();
        ASSERT_NE(map, nullptr);
        const TMapLevelPlate& plate = *map->GetPlates().at(0);
        ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);
        ASSERT_TRUE(WaitForPlay());
    }

    // Every control the game screen can show, each list at its longest.
    static std::vector<TNamedRect> GameScreenControls() {
        TBoardMahjong* controller = Controller();
        std::vector<TNamedRect> controls;
        AddControl(controls, controller->GetHintButton(), "hintbtn");
        AddControl(controls, controller->GetMenuButton(), "menubtn");
        AddControl(controls, controller->GetTimerLabel(), "TimerValueLbl");
        AddControl(controls, controller->GetColourIndicator(), "imagecolor");
        for (size_t i = 0; i < controller->GetColourButtons().size(); ++i) {
            AddControl(controls, controller->GetColourButtons()[i],
                       FormatString("mosaiccolor%d", static_cast<int>(i + 1)));
        }
        for (size_t i = 0; i < controller->GetMistakeMarks().size(); ++i) {
            AddControl(controls, controller->GetMistakeMarks()[i],
                       FormatString("mosaicerror%d", static_cast<int>(i + 1)));
        }
        return controls;
    }

    // Every level of both sets loaded into a board at its own origin, with its stage.
    static int ForEachShippedLevel(
        const std::function<void(const TStageInfo&, const TLevelInfoMosaic&, const MosaicLayout_t&)>& check) {
        int levels = 0;
        for (int set : {kMainLevelSet, kSecondLevelSet}) {
            for (const auto& stage : GetStageList(set).mStages) {
                for (const auto& level : stage->mLevels) {
                    MosaicLayout_t board;
                    board.SetGridOrigin(level->mStartX != 0 ? level->mStartX : TBoardMahjong::kDefaultOriginX,
                                        level->mStartY != 0 ? level->mStartY : TBoardMahjong::kDefaultOriginY);
                    if (!board.Load(level->mFileName, false)) {
                        ADD_FAILURE() << level->mFileName << " does not load";
                        continue;
                    }
                    ++levels;
                    check(*stage, *level, board);
                }
            }
        }
        return levels;
    }
};

TEST_F(ScreenTourLayoutTest, NoControlCoversTheCluesOrCellsOfAnyLevel) {
    PlayTheFirstLevel();
    const std::vector<TNamedRect> controls = GameScreenControls();
    ASSERT_GE(controls.size(), 6u);

    const int levels =
        ForEachShippedLevel([&](const TStageInfo&, const TLevelInfoMosaic& level, const MosaicLayout_t& board) {
            const TMosaicBoard& rules = board.GetBoard();
            std::vector<TNamedRect> parts = {{"the grid",
                                              {rules.GetGeometry().originX, rules.GetGeometry().originY,
                                               rules.GetPixelWidth(), rules.GetPixelHeight()}}};
            for (const TMosaicColorInfo& record : rules.GetColourRecords()) {
                for (const TAxis axis : {kRows, kColumns}) {
                    for (const auto& line : record.numbers[axis]) {
                        for (const TMosaicNumberItem& number : line) {
                            parts.push_back({FormatString("colour %d's clue %d at %d, %d", record.colour, number.value,
                                                          number.rect.x, number.rect.y),
                                             DrawnRect(number)});
                        }
                    }
                }
            }
            for (const TNamedRect& control : controls) {
                for (const TNamedRect& part : parts) {
                    EXPECT_FALSE(Overlap(control.rect, part.rect))
                        << level.mFileName << ": " << control.name << " covers " << part.name;
                }
            }
        });
    EXPECT_GT(levels, 0);
}

TEST_F(ScreenTourLayoutTest, EachLevelsFrameHoldsItsGridAndWholeClueStripsClearOfTheEdgesAndControls) {
    PlayTheFirstLevel();
    std::vector<TNamedRect> controls = GameScreenControls();
    const TMyWindow* screen = TMyWindowManager::Get()->FindById(kGameScreenId);
    ASSERT_NE(screen, nullptr);
    AddControl(controls, screen->FindChildByName("imageback"), "the side panel");
    ASSERT_GE(controls.size(), 7u);
    const TPixelRect room = Grown(kScreen, -kBoardMargin);

    const int levels =
        ForEachShippedLevel([&](const TStageInfo& stage, const TLevelInfoMosaic& level, const MosaicLayout_t& board) {
            SCOPED_TRACE(level.mFileName);
            TMapFrame* frame = FindMapFrame(level.mFrame.empty() ? stage.mFrame : level.mFrame);
            ASSERT_NE(frame, nullptr);
            // A level start loads only its own frame.
            LoadMapFrameImages(*frame);
            ASSERT_TRUE(frame->mFrameImage.mTexture);
            const TPixelRect frameRect = {frame->mX, frame->mY, frame->mFrameImage.mTexture->GetWidth(),
                                          frame->mFrameImage.GetHeight()};
            EXPECT_TRUE(Contains(room, frameRect))
                << "frame at " << frameRect.x << ", " << frameRect.y << " size " << frameRect.w << " x " << frameRect.h;
            for (const TNamedRect& control : controls) {
                EXPECT_FALSE(Overlap(Grown(frameRect, kBoardMargin), control.rect))
                    << control.name << " within " << kBoardMargin << " pixels of the frame";
            }

            const TMosaicBoard& rules = board.GetBoard();
            EXPECT_TRUE(Contains(frameRect, {rules.GetGeometry().originX, rules.GetGeometry().originY,
                                             rules.GetPixelWidth(), rules.GetPixelHeight()}))
                << "the grid";
            for (int list = 0; list < MosaicLayout_t::kClueBackCount; ++list) {
                for (const StaticImage& back : board.GetClueBacks(static_cast<MosaicLayout_t::TClueBack>(list))) {
                    const TPixelRect rect = RectOf(back);
                    EXPECT_TRUE(Contains(frameRect, rect)) << back.mImageName << " at " << rect.x << ", " << rect.y
                                                           << " size " << rect.w << " x " << rect.h;
                }
            }
            // Every number within the frame, over its strip, on paper.
            for (const TMosaicColorInfo& record : rules.GetColourRecords()) {
                for (const TAxis axis : {kRows, kColumns}) {
                    const auto& strips =
                        board.GetClueBacks(axis == kRows ? MosaicLayout_t::kRowBacks : MosaicLayout_t::kColumnBacks);
                    for (const auto& line : record.numbers[axis]) {
                        for (const TMosaicNumberItem& number : line) {
                            const TPixelRect drawn = DrawnRect(number);
                            const int x = drawn.x + drawn.w / 2;
                            const int y = drawn.y + drawn.h / 2;
                            const std::string what =
                                FormatString("colour %d's clue %d at %d, %d", record.colour, number.value, x, y);
                            EXPECT_TRUE(Contains(frameRect, drawn)) << what;
                            int alpha = -1;
                            for (const StaticImage& strip : strips) {
                                const TPixelRect rect = RectOf(strip);
                                if (Contains(rect, {x, y, 1, 1})) {
                                    ASSERT_TRUE(strip.mTexture->HasAlphaMap()) << strip.mImageName;
                                    alpha = strip.mTexture->GetAlphaAt(x - rect.x, y - rect.y);
                                }
                            }
                            EXPECT_GE(alpha, kLeastPaperAlpha)
                                << what << (alpha < 0 ? " off its strip" : " on thin paper");
                        }
                    }
                }
            }
        });
    EXPECT_GT(levels, 0);
}

} // namespace
