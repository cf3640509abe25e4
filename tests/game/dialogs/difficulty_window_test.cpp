// The difficulty window driven by the pointer: what it shows for a player who never chose, the presets
// and the custom group, what confirming writes into the profile, its file and the running game, what
// cancelling leaves alone, and the value labels at the ends of the slider ranges.

#include "app/buffer.h"
#include "data/game_settings.h"
#include "dialogs/difficulty_window.h"
#include "dialogs_fixture.h"
#include "graphics/terms.h"
#include "screens/screen_openers.h"
#include "windows/text_label.h"

namespace dialogtest {
namespace {

class SettingsListener : public TBaseUserInfoListener {
public:
    void OnSettingsChanged() override { ++mCalls; }
    int mCalls = 0;
};

std::string Bytes(const TBaseMosaicSettings& settings) {
    TBufferBin buffer;
    settings.Write(buffer);
    return std::string(buffer.GetBytes().begin(), buffer.GetBytes().end());
}

const char* const kCustomControls[] = {"hintbtn",  "hintsld",     "hintlbl",          "errorssld",      "errorlblvle",
                                       "errorlbl", "usetimerbtn", "showbonustimebtn", "mosaicadvanced", "mosaiccasual"};
const char* const kPresetControls[] = {"usualcaption", "usual1", "usual2", "usual3"};

class DifficultyWindowTest : public RunningDialogsTest {
protected:
    void SetUp() override {
        RunningDialogsTest::SetUp();
        AddPlayer("Ann");
        TUserInfo::Get()->SetListener(&mSettingsListener);
        mRanges = TMosaicGameSettings::Get();
    }

    void TearDown() override {
        TUserInfo::Get()->SetListener(nullptr);
        TMosaicGameSettings::Get() = mRanges;
        RunningDialogsTest::TearDown();
    }

    TSelectDifficultyModeWindow* OpenDifficulty() {
        OpenDifficultyWindow(&mOpener);
        Settle();
        return dynamic_cast<TSelectDifficultyModeWindow*>(FindWindow(TSelectDifficultyModeWindow::kWindowId));
    }

    static TSimpleTextImage* Label(const TMyWindow* window, const char* name) {
        return dynamic_cast<TSimpleTextImage*>(Find(window, name));
    }
    static TBaseSlider* Slider(const TMyWindow* window, const char* name) {
        return dynamic_cast<TBaseSlider*>(Find(window, name));
    }
    static void ExpectShown(const TMyWindow* window, const char* const* names, size_t count, bool shown) {
        for (size_t i = 0; i < count; ++i) {
            const TMyWindow* control = Find(window, names[i]);
            ASSERT_NE(control, nullptr) << names[i];
            EXPECT_EQ(control->mShown, shown) << names[i];
        }
    }
    // Clears what the running game may have been told so far.
    void ReloadProfileFromFile() {
        GetProfileDifficulty() = TBaseMosaicSettings();
        TUserInfo::Get()->SetDifficultyChoice(TUserInfo::kDifficultyNotChosen);
        ASSERT_TRUE(TSettings::Get()->LoadProfile());
    }

    SettingsListener mSettingsListener;
    TClosedRecorder mOpener;
    TMosaicGameSettings mRanges;
};

TEST_F(DifficultyWindowTest, APlayerWhoNeverChoseStartsOnCasualWithTheCustomDefaults) {
    ASSERT_EQ(TUserInfo::Get()->GetDifficultyChoice(), TUserInfo::kDifficultyNotChosen);
    TSelectDifficultyModeWindow* window = OpenDifficulty();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetSelected(), 0);
    const bool checked[] = {true, false, false, false};
    const char* const boxes[] = {"casualcb", "normalcb", "expertcb", "customcb"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(FindButton(window, boxes[i])->mChecked, checked[i]) << boxes[i];
    }
    ExpectShown(window, kPresetControls, std::size(kPresetControls), true);
    ExpectShown(window, kCustomControls, std::size(kCustomControls), false);
    EXPECT_EQ(Label(window, "usual2")->mTextKey, "dif_casual2");
    // The shipped custom defaults: recharge 30 in 10..120, 3 mistakes in 1..5, runs crossed at once.
    EXPECT_FLOAT_EQ(Slider(window, "hintsld")->mValue, 20.0f / 110.0f);
    EXPECT_EQ(Label(window, "hintlbl")->mText, L"30");
    EXPECT_FLOAT_EQ(Slider(window, "errorssld")->mValue, 0.5f);
    EXPECT_EQ(Label(window, "errorlblvle")->mText, L"3");
    EXPECT_TRUE(FindButton(window, "mosaiccasual")->mChecked);
    EXPECT_FALSE(FindButton(window, "mosaicadvanced")->mChecked);
    EXPECT_TRUE(FindButton(window, "hintbtn")->mChecked);
}

TEST_F(DifficultyWindowTest, ConfirmingAPresetCopiesItIntoTheProfileAndItsFile) {
    const struct {
        const char* box;
        int choice;
        const char* firstLabel;
    } cases[] = {{"normalcb", 1, "dif_normal1"}, {"expertcb", 2, "dif_expert1"}, {"casualcb", 0, "dif_casual1"}};
    for (const auto& entry : cases) {
        mSettingsListener.mCalls = 0;
        TSelectDifficultyModeWindow* window = OpenDifficulty();
        ASSERT_NE(window, nullptr) << entry.box;
        Click(FindButton(window, entry.box));
        EXPECT_EQ(window->GetSelected(), entry.choice) << entry.box;
        EXPECT_TRUE(FindButton(window, entry.box)->mChecked) << entry.box;
        EXPECT_EQ(Label(window, "usual1")->mTextKey, entry.firstLabel);
        Click(FindButton(window, "confirm"));
        Settle();
        EXPECT_EQ(FindWindow(TSelectDifficultyModeWindow::kWindowId), nullptr) << entry.box;
        EXPECT_EQ(mSettingsListener.mCalls, 1) << entry.box;
        const std::string preset = Bytes(TMosaicGameSettings::Get().GetPreset(entry.choice));
        EXPECT_EQ(Bytes(GetProfileDifficulty()), preset) << entry.box;
        ReloadProfileFromFile();
        EXPECT_EQ(TUserInfo::Get()->GetDifficultyChoice(), entry.choice) << entry.box;
        EXPECT_EQ(Bytes(GetProfileDifficulty()), preset) << entry.box;
    }
    EXPECT_EQ(mOpener.mLines, std::vector<std::string>(3, "closed 11 -1"));
}

TEST_F(DifficultyWindowTest, CustomShowsItsGroupAndConfirmingWritesWhatTheControlsSay) {
    TSelectDifficultyModeWindow* window = OpenDifficulty();
    ASSERT_NE(window, nullptr);
    Click(FindButton(window, "customcb"));
    ExpectShown(window, kCustomControls, std::size(kCustomControls), true);
    ExpectShown(window, kPresetControls, std::size(kPresetControls), false);

    // Hints off hides the slider and says so; on again shows the slider's value.
    TMyButton* hints = FindButton(window, "hintbtn");
    Click(hints);
    EXPECT_FALSE(hints->mChecked);
    EXPECT_FALSE(Find(window, "hintsld")->mShown);
    EXPECT_EQ(Label(window, "hintlbl")->mText, GetTerms()->GetWideText("off_txt"));
    Click(hints);
    EXPECT_TRUE(Find(window, "hintsld")->mShown);
    EXPECT_EQ(Label(window, "hintlbl")->mText, L"30");
    ClickSlider(Slider(window, "hintsld"), 1.0f);
    EXPECT_EQ(Label(window, "hintlbl")->mText, L"120");
    // Confirmed with hints off, the recharge is 0 whatever the slider shows.
    Click(hints);

    ClickSlider(Slider(window, "errorssld"), 1.0f);
    EXPECT_EQ(Label(window, "errorlblvle")->mText, L"5");
    Click(FindButton(window, "usetimerbtn"));
    Click(FindButton(window, "showbonustimebtn"));
    Click(FindButton(window, "mosaicadvanced"));
    EXPECT_TRUE(FindButton(window, "mosaicadvanced")->mChecked);
    EXPECT_FALSE(FindButton(window, "mosaiccasual")->mChecked);
    // A second click on the chosen option keeps it chosen.
    Click(FindButton(window, "mosaicadvanced"));
    EXPECT_TRUE(FindButton(window, "mosaicadvanced")->mChecked);

    const std::vector<TMosaicTimeEntry> timesBefore = GetProfileDifficulty().mTimeEntries;
    Click(FindButton(window, "confirm"));
    Settle();
    EXPECT_EQ(mSettingsListener.mCalls, 1);
    ReloadProfileFromFile();
    const TBaseMosaicSettings& saved = GetProfileDifficulty();
    EXPECT_EQ(TUserInfo::Get()->GetDifficultyChoice(), 3);
    EXPECT_EQ(saved.mHintRecharge, 0);
    EXPECT_EQ(saved.mMaxErrors, 5);
    EXPECT_TRUE(saved.mUseTimer);
    EXPECT_FALSE(saved.mShowBonusTime);
    EXPECT_EQ(saved.mSetNumbersNow, 0);
    EXPECT_EQ(saved.mTimeEntries.size(), timesBefore.size());
}

TEST_F(DifficultyWindowTest, CancellingLeavesTheProfileAndTheGameAlone) {
    const std::string before = Bytes(GetProfileDifficulty());
    TSelectDifficultyModeWindow* window = OpenDifficulty();
    ASSERT_NE(window, nullptr);
    Click(FindButton(window, "customcb"));
    ClickSlider(Slider(window, "errorssld"), 0.0f);
    Click(FindButton(window, "usetimerbtn"));
    Click(FindButton(window, "cancel"));
    Settle();
    EXPECT_EQ(mOpener.mLines, std::vector<std::string>{"closed 11 -2"});
    EXPECT_EQ(mSettingsListener.mCalls, 0);
    EXPECT_EQ(Bytes(GetProfileDifficulty()), before);
    EXPECT_EQ(TUserInfo::Get()->GetDifficultyChoice(), TUserInfo::kDifficultyNotChosen);
    ReloadProfileFromFile();
    EXPECT_EQ(TUserInfo::Get()->GetDifficultyChoice(), TUserInfo::kDifficultyNotChosen);
}

TEST_F(DifficultyWindowTest, ARangeStartingAtZeroShowsOffAndARangeWithoutWidthHoldsItsOnlyValue) {
    TMosaicGameSettings::Get().mErrorsMin = 0;
    TMosaicGameSettings::Get().mHintMin = 45;
    TMosaicGameSettings::Get().mHintMax = 45;
    TSelectDifficultyModeWindow* window = OpenDifficulty();
    ASSERT_NE(window, nullptr);
    Click(FindButton(window, "customcb"));
    // No division by the empty range: the thumb stands at the start.
    EXPECT_FLOAT_EQ(Slider(window, "hintsld")->mValue, 0.0f);
    ClickSlider(Slider(window, "errorssld"), 0.0f);
    EXPECT_EQ(Label(window, "errorlblvle")->mTextKey, "off_txt");
    EXPECT_EQ(Label(window, "errorlblvle")->mText, GetTerms()->GetWideText("off_txt"));
    ClickSlider(Slider(window, "hintsld"), 0.8f);
    EXPECT_EQ(Label(window, "hintlbl")->mText, L"45");
    Click(FindButton(window, "confirm"));
    Settle();
    EXPECT_EQ(GetProfileDifficulty().mHintRecharge, 45);
    EXPECT_EQ(GetProfileDifficulty().mMaxErrors, 0);
}

TEST_F(DifficultyWindowTest, AProfileThatChoseCustomReopensWithItsOwnValues) {
    TBaseMosaicSettings own = TMosaicGameSettings::Get().GetPreset(3);
    own.mHintRecharge = 65;
    own.mMaxErrors = 2;
    own.mSetNumbersNow = 0;
    GetProfileDifficulty() = own;
    TUserInfo::Get()->SetDifficultyChoice(3);
    TSelectDifficultyModeWindow* window = OpenDifficulty();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetSelected(), 3);
    ExpectShown(window, kCustomControls, std::size(kCustomControls), true);
    EXPECT_EQ(Label(window, "hintlbl")->mText, L"65");
    EXPECT_FLOAT_EQ(Slider(window, "hintsld")->mValue, 55.0f / 110.0f);
    EXPECT_EQ(Label(window, "errorlblvle")->mText, L"2");
    EXPECT_TRUE(FindButton(window, "mosaicadvanced")->mChecked);
}

TEST_F(DifficultyWindowTest, APresetTheSettingsFileLacksGivesTheDefaults) {
    // A file with the casual preset only.
    TMosaicGameSettings::Get().mPresets.resize(1);
    TSelectDifficultyModeWindow* window = OpenDifficulty();
    ASSERT_NE(window, nullptr);
    Click(FindButton(window, "expertcb"));
    Click(FindButton(window, "confirm"));
    Settle();
    EXPECT_EQ(TUserInfo::Get()->GetDifficultyChoice(), 2);
    EXPECT_EQ(Bytes(GetProfileDifficulty()), Bytes(TBaseMosaicSettings()));
}

} // namespace
} // namespace dialogtest
