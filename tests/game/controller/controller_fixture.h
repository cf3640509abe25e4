#pragma once
// The game controller over a real board, a small level set, a player profile and a game screen, with
// a stand-in for the windows it opens that writes down every call.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/user_info.h"
#include "controller/board_mahjong.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/stars.h"
#include "data/tilesets.h"
#include "data/user_records.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"
#include "harness/harness.h"
#include "windows/ui_info_holder.h"
#include "windows/window_manager.h"

namespace controllertest {

// Every window the controller asks for, as one line each; opened dialogs stay "open" until closed.
class RecordingWindows : public TControllerWindows {
public:
    void ShowLevelIntro(int stage, int level, const TLevelInfoMosaic&, const TLevelStatistics& statistics,
                        TControllerDialogListener*) override {
        Open(kLevelIntroId, "intro " + std::to_string(stage) + "-" + std::to_string(level));
        mIntroTimeAllowed = statistics.mTimeAllowed;
    }
    void ShowResults(const TLevelResult& result, const TLevelInfoMosaic&, const TLevelStatistics&, bool next,
                     TControllerDialogListener*) override {
        Open(kResultsWindowId, std::string("results next ") + (next ? "on" : "off"));
        mResult = result;
    }
    void ShowMessageBox(const std::string& key, float, TControllerDialogListener*) override {
        Open(kMessageBoxId, "message " + key);
    }
    void ShowGameMenu(TControllerDialogListener*) override { Open(kGameMenuId, "game menu"); }
    void ShowHelpPage(int page, float, TControllerDialogListener*) override {
        mCalls.push_back("help " + std::to_string(page));
    }
    void ShowTutorial(const std::string& name) override { mShownTips.push_back(name); }
    void ShowMap() override { mCalls.push_back("map"); }
    void ShowMainMenu() override { mCalls.push_back("main menu"); }
    bool IsWindowOpen(int id) const override { return mOpen.count(id) != 0; }

    void Close(int id) { mOpen.erase(id); }
    std::vector<std::string> Take() { return std::exchange(mCalls, {}); }

    std::vector<std::string> mCalls;
    std::set<int> mOpen;
    std::vector<std::string> mShownTips;
    TLevelResult mResult;
    float mIntroTimeAllowed = 0;

private:
    void Open(int id, const std::string& call) {
        mOpen.insert(id);
        mCalls.push_back(call);
    }
};

// Stage 1: two levels of a 2 x 4 board (colour 1 on the left three cells of row 0 and the right three
// of row 1); the second names the reward "piece" and hides a reward cell in row 1, column 1. Stage 2:
// one level whose file is missing.
constexpr const char* kStages = R"(<root><stages folder="levels/">
<stage><level filename="a.xml" stars="0error,90time,0hint" maxerrors="2"/>
<level filename="b.xml" stars="0error,90time,0hint" reward="piece"/></stage>
<stage><level filename="missing.xml"/></stage></stages></root>)";
constexpr const char* kLevelA = R"(<l><info rows="2" cols="4"/><line line="1110"/><line line="0111"/></l>)";
constexpr const char* kLevelB =
    R"(<l><info rows="2" cols="4" rewards="2,2"/><line line="1110"/><line line="0111"/></l>)";
constexpr const char* kRewards = R"(<r><reward id="piece"/><reward id="other"/></r>)";
constexpr const char* kInterface = R"(<root>
<object name="hintbtn" type="button" x="20" y="600" w="80" h="60" normalrect="0.0.80.60"/>
<object name="menubtn" type="button" x="20" y="680" w="80" h="60"/>
<object name="TimerValueLbl" type="imagetext" x="100" y="20" w="100" h="30"/>
<object name="GameTypeLbl" type="imagetext" x="100" y="60" w="100" h="30"/>
<object name="imagecolor" type="image" x="20" y="100" w="40" h="40"/>
<object name="mosaiccolor1" type="image" x="20" y="150" w="40" h="40"/>
<object name="mosaiccolor2" type="image" x="20" y="200" w="40" h="40"/>
<object name="mosaicerror1" type="image" x="20" y="250" w="20" h="20"/>
<object name="mosaicerror2" type="image" x="40" y="250" w="20" h="20"/>
<object name="mosaicerror3" type="image" x="60" y="250" w="20" h="20"/>
<object name="mosaicerror4" type="image" x="80" y="250" w="20" h="20"/>
</root>)";

class ControllerTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        TAppConfig::Get()->CreateFolders();
        WriteData("stages.xml", kStages);
        WriteData("levels/a.xml", kLevelA);
        WriteData("levels/b.xml", kLevelB);
        WriteData("rewards.xml", kRewards);
        WriteData("ui/interface.xml", kInterface);
        LoadStages();
        LoadRewards("rewards.xml");
        CreateMosaicStars();
        ASSERT_TRUE(TUIInfoHolder::GetGlobal()->LoadFromFile("ui/interface.xml"));
        InstallUserRecords();
        TUserInfo::Release();
        TSettings* settings = CreateSettings("mysettings");
        settings->AddUser("ann");
        TUserInfo::Get()->SetDifficultyChoice(0);
        GetProfileDifficulty() = TBaseMosaicSettings();
        GetProfileDifficulty().mHintRecharge = 10;
        auto screen = std::make_unique<TMyWindow>();
        mScreen = screen.get();
        mScreen->mId = kGameScreenId;
        TMyWindowManager::Get()->ShowScreen(std::move(screen), false, 0);
        mController = std::make_unique<TBoardMahjong>(&mWindows);
    }

    void TearDown() override {
        mController.reset();
        TMyWindowManager::Release();
        TSettings::Release();
        TUserInfo::Release();
        RemoveUserRecords();
        ClearRewards();
        TRewardConnector::Get() = TRewardConnector();
        GetProfileDifficulty() = TBaseMosaicSettings();
        FreeStages();
        ClearTilesets();
    }

    // Enters the screen on the level, closes the intro and lets the cells arrive.
    void Play(int stage, int level) {
        TModeProgress& progress = GetCurrentModeProgress();
        progress.mStage = stage;
        progress.mLevel = level;
        mController->Enter();
        ReachPlay();
    }

    void ReachPlay() {
        ASSERT_EQ(mController->GetPlayState(), TBoardMahjong::kStateSetUp);
        CloseDialog(kLevelIntroId, 0);
        for (int i = 0; i < 100 && mController->GetPlayState() == TBoardMahjong::kStateSetUp; ++i) {
            Step(20);
        }
        ASSERT_EQ(mController->GetPlayState(), TBoardMahjong::kStatePlaying);
    }

    void CloseDialog(int id, int result) {
        mWindows.Close(id);
        mController->OnDialogClosed(id, result);
    }

    // Frames of at most 50 ms until the time has passed, driven by the stepped clock.
    void Step(uint32_t ms) {
        while (ms > 0) {
            const uint32_t frame = std::min<uint32_t>(ms, 50);
            const uint32_t before = mClock.Now();
            mClock.Advance(frame);
            mController->Update(static_cast<float>(mClock.Now() - before) / 1000.0f);
            ms -= frame;
        }
    }

    TMouseEvent At(int row, int column, int button) const {
        const TMosaicCell& cell = mController->GetActiveLayout().GetBoard().GetCell(row, column);
        TMouseEvent event;
        event.x = event.gameX = cell.x + cell.w / 2;
        event.y = event.gameY = cell.y + cell.h / 2;
        event.buttons = button;
        return event;
    }

    // One stroke of the button from the first cell to the last, through the controller.
    void Stroke(int row, int fromColumn, int toColumn, int button = TMouseEvent::kLeft) {
        mController->OnMouseDown(At(row, fromColumn, button));
        mController->OnMouseDrag(At(row, toColumn, button));
        mController->OnMouseUp(At(row, toColumn, button));
    }

    // The two strokes that solve both boards.
    void Solve() {
        Stroke(0, 0, 2);
        Stroke(1, 1, 3);
    }

    // A right-button click on a colour cell: one mistake.
    void Mistake(int column) { Stroke(0, column, column, TMouseEvent::kRight); }

    void ClickHint() { mController->OnButtonClick(kGameScreenId, mScreen, 1, mController->GetHintButton()); }

    // Waits for the level-complete caption and the sparkles: the results window opens.
    void WaitForResults() {
        for (int i = 0; i < 200 && mWindows.mOpen.count(kResultsWindowId) == 0; ++i) {
            Step(50);
        }
        ASSERT_EQ(mWindows.mOpen.count(kResultsWindowId), 1u);
    }

    static int CountShown(const TControls& list);
    static int CountChecked(const TControls& list);

    fonttest::HeadlessRenderer mRenderer{64, 32};
    harness::SteppedClock mClock;
    RecordingWindows mWindows;
    TMyWindow* mScreen = nullptr;
    std::unique_ptr<TBoardMahjong> mController;
};

} // namespace controllertest
