#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/game_settings.h"
#include "game/data_fixture.h"

namespace {

class GameSettingsTest : public GameDataTest {
protected:
    void TearDown() override {
        TMosaicGameSettings::Destroy();
        TMosaicColorTable::Destroy();
    }
};

struct TimeEntry {
    float seconds;
    int type;
};

void ExpectEntries(const TBaseMosaicSettings& preset, const std::vector<TimeEntry>& expected) {
    ASSERT_EQ(preset.mTimeEntries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_FLOAT_EQ(preset.mTimeEntries[i].mSecondsPerItem, expected[i].seconds) << i;
        EXPECT_EQ(preset.mTimeEntries[i].mGameType, expected[i].type) << i;
    }
}

TEST_F(GameSettingsTest, FileGivesRangesAndOnePresetPerSettingsElement) {
    WriteData("settings.xml", R"(<game hintmin="5" hintmax="100+20" errorsmax="9">
  <settings hintrecharge="15" usetimer="true" showbonustime="0" setnumbersnow="2" maxerrorscount="7">
    <time time="2.5" type="0"/><time time="4" type="3"/><time/>
  </settings>
  <settings usetimer="yes"/>
  <other hintrecharge="99"/>
  <settings usetimer="1" showbonustime="1"><time time="1.5" type="2"/></settings>
</game>)");
    ASSERT_TRUE(LoadGameSettings("settings.xml"));
    const TMosaicGameSettings& settings = TMosaicGameSettings::Get();
    EXPECT_EQ(std::vector<int>({settings.mHintMin, settings.mHintMax, settings.mErrorsMin, settings.mErrorsMax}),
              std::vector<int>({5, 120, 1, 9}));
    ASSERT_EQ(settings.GetPresetCount(), 3);

    const TBaseMosaicSettings& first = settings.GetPreset(0);
    EXPECT_EQ(first.mHintRecharge, 15);
    EXPECT_TRUE(first.mUseTimer);
    EXPECT_FALSE(first.mShowBonusTime);
    EXPECT_EQ(first.mSetNumbersNow, 2);
    EXPECT_EQ(first.mMaxErrors, 7);
    ExpectEntries(first, {{2.5f, 0}, {4.0f, 3}, {0.0f, 0}});

    // Missing attributes keep the defaults; only "1" and "true" are true.
    const TBaseMosaicSettings& second = settings.GetPreset(1);
    EXPECT_EQ(second.mHintRecharge, 30);
    EXPECT_FALSE(second.mUseTimer);
    EXPECT_TRUE(second.mShowBonusTime);
    EXPECT_EQ(second.mSetNumbersNow, 1);
    EXPECT_EQ(second.mMaxErrors, 3);
    ExpectEntries(second, {});

    EXPECT_TRUE(settings.GetPreset(2).mUseTimer);
    ExpectEntries(settings.GetPreset(2), {{1.5f, 2}});
}

TEST_F(GameSettingsTest, MissingFileKeepsDefaultsAndAbsentPresetsAnswerDefaults) {
    EXPECT_FALSE(LoadGameSettings("settings.xml"));
    WriteData("settings.xml", "<game><settings hintrecharge=\"45\"/></game>");
    ASSERT_TRUE(LoadGameSettings("settings.xml"));
    const TMosaicGameSettings& settings = TMosaicGameSettings::Get();
    EXPECT_EQ(std::vector<int>({settings.mHintMin, settings.mHintMax, settings.mErrorsMin, settings.mErrorsMax}),
              std::vector<int>({10, 120, 1, 5}));
    for (int index : {-1, 1, 4}) {
        const TBaseMosaicSettings& preset = settings.GetPreset(index);
        EXPECT_EQ(preset.mHintRecharge, 30) << index;
        EXPECT_EQ(preset.mMaxErrors, 3) << index;
        EXPECT_TRUE(preset.mTimeEntries.empty()) << index;
    }
    EXPECT_EQ(settings.GetPreset(0).mHintRecharge, 45);
}

TEST_F(GameSettingsTest, SecondReadReplacesPresetsAndTimeEntries) {
    WriteData("settings.xml", "<g><settings><time time=\"3\"/></settings><settings/></g>");
    ASSERT_TRUE(LoadGameSettings("settings.xml"));
    WriteData("settings.xml", "<g><settings><time time=\"8\" type=\"1\"/></settings></g>");
    ASSERT_TRUE(LoadGameSettings("settings.xml"));
    ASSERT_EQ(TMosaicGameSettings::Get().GetPresetCount(), 1);
    ExpectEntries(TMosaicGameSettings::Get().GetPreset(0), {{8.0f, 1}});
}

TEST(TimeFactorTest, FirstEntryOfTheGameTypeElseFive) {
    TBaseMosaicSettings settings;
    settings.mTimeEntries = {{2.0f, 0}, {3.5f, 9}, {7.0f, 0}, {0.0f, 4}};
    struct Case {
        int gameType;
        float seconds;
    };
    for (const Case& c : {Case{0, 2.0f}, Case{9, 3.5f}, Case{4, 0.0f}, Case{1, 5.0f}, Case{-1, 5.0f}}) {
        EXPECT_FLOAT_EQ(settings.GetTimeFactor(c.gameType), c.seconds) << c.gameType;
    }
    EXPECT_FLOAT_EQ(TBaseMosaicSettings().GetTimeFactor(0), 5.0f);
}

TEST_F(GameSettingsTest, ColourTableLooksUpByIdAndIndex) {
    WriteData("settings.xml", R"(<game>
  <baseovercolor color="255.0.0.255"/>
  <overcolor id="leaf" color="0.128.0.255"/>
  <baseovercolor color="FF0000FF"/>
  <overcolor id="sky" color="0.0.255.255"/>
  <overcolor id="leaf" color="0.255.0.128"/>
  <baseovercolor/>
</game>)");
    ASSERT_TRUE(LoadGameSettings("settings.xml"));
    const TMosaicColorTable& table = TMosaicColorTable::Get();
    const TColor red{1.0f, 0.0f, 0.0f, 1.0f};
    const TColor blue{0.0f, 0.0f, 1.0f, 1.0f};
    const TColor none{0.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(table.GetColorById("leaf"), (TColor{0.0f, 1.0f, 0.0f, 128.0f / 255.0f})); // the later colour wins
    EXPECT_EQ(table.GetColorById("sky"), blue);
    EXPECT_EQ(table.GetColorById("stone"), red);
    EXPECT_EQ(table.GetColorById(""), red);
    struct Case {
        int index;
        TColor color;
    };
    for (const Case& c : {Case{0, red}, Case{1, blue}, Case{2, none}, Case{3, red}, Case{-1, red}}) {
        EXPECT_EQ(table.GetColorByIndex(c.index), c.color) << c.index;
    }
}

TEST_F(GameSettingsTest, ColourTableWithoutBaseColoursAnswersTheNeutralColour) {
    WriteData("settings.xml", R"(<game><overcolor id="leaf" color="0.255.0.255"/></game>)");
    ASSERT_TRUE(LoadGameSettings("settings.xml"));
    const TMosaicColorTable& table = TMosaicColorTable::Get();
    EXPECT_EQ(table.GetColorById("leaf"), (TColor{0.0f, 1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(table.GetColorById("stone"), TColor());
    EXPECT_EQ(table.GetColorByIndex(0), TColor());
    EXPECT_EQ(table.GetColorByIndex(5), TColor());
}

} // namespace
