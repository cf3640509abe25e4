#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/stars.h"
#include "data/term_texts.h"
#include "harness/harness.h"

namespace {

TLevelStatistics Stats(int hints, int mistakes, float spent = 10.0f, float allowed = 100.0f) {
    return TLevelStatistics{hints, mistakes, spent, allowed};
}

TEST(StarsTest, EveryRuleJudgesItsStatistic) {
    CreateMosaicStars();
    struct Case {
        const char* key;
        TLevelStatistics statistics;
        bool met;
    };
    const Case cases[] = {
        {"complete", Stats(50, 50, 1000.0f, 1.0f), true},
        {"0hint", Stats(0, 9), true},
        {"0hint", Stats(1, 0), false},
        {"1hint", Stats(1, 9), true},
        {"1hint", Stats(2, 0), false},
        {"2hint", Stats(2, 0), true},
        {"2hint", Stats(3, 0), false},
        // From "3hint" on a hint rule accepts one hint fewer than its key names.
        {"3hint", Stats(2, 0), true},
        {"3hint", Stats(3, 0), false},
        {"4hint", Stats(3, 0), true},
        {"4hint", Stats(4, 0), false},
        {"5hint", Stats(4, 0), true},
        {"5hint", Stats(5, 0), false},
        {"6hint", Stats(5, 0), true},
        {"6hint", Stats(6, 0), false},
        {"0error", Stats(9, 0), true},
        {"0error", Stats(0, 1), false},
        {"1error", Stats(0, 1), true},
        {"1error", Stats(0, 2), false},
        {"2error", Stats(0, 2), true},
        {"2error", Stats(0, 3), false},
        {"3error", Stats(0, 3), true},
        {"3error", Stats(0, 4), false},
        {"4error", Stats(0, 4), true},
        {"4error", Stats(0, 5), false},
        // "5error" is the 4-error rule.
        {"5error", Stats(0, 4), true},
        {"5error", Stats(0, 5), false},
        // The time rules: met when the share of the time allowed is at most the percentage.
        {"90time", Stats(0, 0, 90.0f, 100.0f), true},
        {"90time", Stats(0, 0, 90.5f, 100.0f), false},
        {"85time", Stats(0, 0, 80.0f, 100.0f), true},
        {"80time", Stats(0, 0, 80.0f, 100.0f), true},
        {"75time", Stats(0, 0, 80.0f, 100.0f), false},
        {"75time", Stats(0, 0, 30.0f, 40.0f), true},
        {"90time", Stats(0, 0, 100.0f, 100.0f), false},
        {"90time", Stats(0, 0, 0.0f, 0.0f), false},
        {"90time", Stats(0, 0, 5.0f, 0.0f), false},
        {"75time", Stats(0, 0, 0.0f, 60.0f), true},
    };
    for (const Case& c : cases) {
        const TMosaicStar* rule = FindMosaicStar(c.key);
        ASSERT_NE(rule, nullptr) << c.key;
        EXPECT_EQ(rule->GetKey(), c.key);
        EXPECT_EQ(rule->Check(c.statistics), c.met) << c.key << " hints " << c.statistics.mHintsUsed << " mistakes "
                                                    << c.statistics.mMistakes << " time " << c.statistics.mTimeSpent;
    }
}

TEST(StarsTest, CatalogueHoldsEighteenKeysExactly) {
    CreateMosaicStars();
    CreateMosaicStars(); // a second call adds nothing
    const char* const keys[] = {"complete", "0hint",  "1hint",  "2hint",  "3hint",  "4hint",
                                "5hint",    "6hint",  "0error", "1error", "2error", "3error",
                                "4error",   "5error", "75time", "80time", "85time", "90time"};
    std::vector<const TMosaicStar*> seen;
    for (const char* key : keys) {
        const TMosaicStar* rule = FindMosaicStar(key);
        ASSERT_NE(rule, nullptr) << key;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), rule), 0) << key;
        seen.push_back(rule);
        EXPECT_TRUE(IsMosaicStarKey(key));
    }
    for (const char* unknown : {"", "Complete", "0HINT", "7hint", "5errors", " complete", "95time"}) {
        EXPECT_EQ(FindMosaicStar(unknown), nullptr) << unknown;
        EXPECT_FALSE(IsMosaicStarKey(unknown)) << unknown;
    }
}

std::wstring TestTerms(const std::string& key) {
    if (key == "star_time") {
        return L"Finish within $$ (limit $$)";
    }
    if (key == "star_4error") {
        return L"No more than four mistakes";
    }
    return L"?" + std::wstring(key.begin(), key.end());
}

class StarTextsTest : public testing::Test {
protected:
    void SetUp() override { CreateMosaicStars(); }
    void TearDown() override { SetTermLookup(nullptr); }

    static std::wstring Describe(const char* key, float allowed) {
        std::wstring text = L"old";
        FindMosaicStar(key)->GetDescription(Stats(0, 0, 0.0f, allowed), text);
        return text;
    }
};

TEST_F(StarTextsTest, DescriptionsUseTheirTermsAndTheTimeAllowed) {
    SetTermLookup(&TestTerms);
    struct Case {
        const char* key;
        float allowed;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"complete", 0.0f, L"?star_completelevel"},
        {"3hint", 0.0f, L"?star_3hint"},
        {"4error", 0.0f, L"No more than four mistakes"},
        {"5error", 0.0f, L"No more than four mistakes"},
        // Every time rule shows the whole time allowed, not its share.
        {"90time", 65.0f, L"Finish within 1 : 05 (limit 1 : 05)"},
        {"75time", 65.9f, L"Finish within 1 : 05 (limit 1 : 05)"},
        {"80time", 70.0f, L"Finish within 1 : 10 (limit 1 : 10)"},
        {"85time", 9.0f, L"Finish within 0 : 09 (limit 0 : 09)"},
        {"90time", 3725.0f, L"Finish within 2 : 05 (limit 2 : 05)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(c.key, c.allowed), c.text) << c.key;
    }
}

TEST_F(StarTextsTest, WithoutTermsAKeyShowsAsItself) {
    EXPECT_EQ(Describe("0hint", 0.0f), L"star_0hint");
    EXPECT_EQ(Describe("80time", 30.0f), L"star_time");
    EXPECT_EQ(GetStarText("star_2error"), L"star_2error");
}

TEST(StarTimeTest, MinutesAndTwoDigitSeconds) {
    struct Case {
        int seconds;
        const char* text;
    };
    for (const Case& c : {Case{0, "0 : 00"}, Case{9, "0 : 09"}, Case{10, "0 : 10"}, Case{65, "1 : 05"},
                          Case{599, "9 : 59"}, Case{3600, "0 : 00"}, Case{-30, "0 : 00"}}) {
        EXPECT_EQ(FormatStarTime(c.seconds), c.text) << c.seconds;
    }
}

TEST(StarCountTest, UnknownKeysStayEmptyPlacesThatEarnNothing) {
    CreateMosaicStars();
    const std::vector<const TMosaicStar*> rules = FindMosaicStars({"complete", "bogus", "0hint", "90time"});
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_EQ(rules[1], nullptr);
    EXPECT_EQ(rules[2], FindMosaicStar("0hint"));
    struct Case {
        TLevelStatistics statistics;
        int stars;
    };
    for (const Case& c : {Case{Stats(0, 0, 10.0f, 100.0f), 3}, Case{Stats(1, 0, 10.0f, 100.0f), 2},
                          Case{Stats(1, 0, 95.0f, 100.0f), 1}}) {
        EXPECT_EQ(CountStarsMet(rules, c.statistics), c.stars);
    }
    EXPECT_EQ(CountStarsMet({nullptr, nullptr}, Stats(0, 0)), 0);
}

} // namespace
