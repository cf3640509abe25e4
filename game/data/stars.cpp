#include "stars.h"

#include <algorithm>
#include <memory>

#include "app/string_utils.h"
#include "data/term_texts.h"

namespace {

using TCounted = TMosaicStarLimit::TCounted;

struct TLimitRule {
    const char* key;
    TCounted counted;
    int limit;
    const char* term;
};

// The hint and mistake rules in catalogue order. From "3hint" on, a hint rule accepts one hint fewer
// than its key says, and "5error" is the 4-error rule under another key.
constexpr TLimitRule kLimitRules[] = {
    {"0hint", TCounted::Hints, 0, "star_0hint"},      {"1hint", TCounted::Hints, 1, "star_1hint"},
    {"2hint", TCounted::Hints, 2, "star_2hint"},      {"3hint", TCounted::Hints, 2, "star_3hint"},
    {"4hint", TCounted::Hints, 3, "star_4hint"},      {"5hint", TCounted::Hints, 4, "star_5hint"},
    {"6hint", TCounted::Hints, 5, "star_6hint"},      {"0error", TCounted::Mistakes, 0, "star_0error"},
    {"1error", TCounted::Mistakes, 1, "star_1error"}, {"2error", TCounted::Mistakes, 2, "star_2error"},
    {"3error", TCounted::Mistakes, 3, "star_3error"}, {"4error", TCounted::Mistakes, 4, "star_4error"},
    {"5error", TCounted::Mistakes, 4, "star_4error"},
};

std::vector<std::unique_ptr<TMosaicStar>>& Registry() {
    static std::vector<std::unique_ptr<TMosaicStar>> rules;
    return rules;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

} // namespace

void TMosaicStarCompleteLevel::GetDescription(const TLevelStatistics& statistics, std::wstring& text) const {
    text = GetStarText("star_completelevel");
}

TMosaicStarLimit::TMosaicStarLimit(std::string key, TCounted counted, int limit, std::string term)
    : TMosaicStar(std::move(key)), mCounted(counted), mLimit(limit), mTerm(std::move(term)) {}

bool TMosaicStarLimit::Check(const TLevelStatistics& statistics) const {
    const int value = mCounted == TCounted::Hints ? statistics.mHintsUsed : statistics.mMistakes;
    return value <= mLimit;
}

void TMosaicStarLimit::GetDescription(const TLevelStatistics& statistics, std::wstring& text) const {
    text = GetStarText(mTerm);
}

bool TMosaicStar90Time::Check(const TLevelStatistics& statistics) const {
    // No time allowed: the share is infinite (or undefined), so the rule is never met.
    if (statistics.mTimeAllowed == 0.0f) {
        return false;
    }
    return static_cast<float>(mPercentage) >= statistics.mTimeSpent * 100.0f / statistics.mTimeAllowed;
}

void TMosaicStar90Time::GetDescription(const TLevelStatistics& statistics, std::wstring& text) const {
    std::string term = ToUtf8(GetStarText("star_time"));
    ReplaceAll(term, "$$", FormatStarTime(static_cast<int>(statistics.mTimeAllowed)));
    text = FromUtf8(term);
}

void CreateMosaicStars() {
    auto& rules = Registry();
    if (!rules.empty()) {
        return;
    }
    rules.push_back(std::make_unique<TMosaicStarCompleteLevel>());
    for (const TLimitRule& rule : kLimitRules) {
        rules.push_back(std::make_unique<TMosaicStarLimit>(rule.key, rule.counted, rule.limit, rule.term));
    }
    rules.push_back(std::make_unique<TMosaicStar75Time>());
    rules.push_back(std::make_unique<TMosaicStar80Time>());
    rules.push_back(std::make_unique<TMosaicStar85Time>());
    rules.push_back(std::make_unique<TMosaicStar90Time>());
}

const TMosaicStar* FindMosaicStar(const std::string& key) {
    for (const auto& rule : Registry()) {
        if (rule->GetKey() == key) {
            return rule.get();
        }
    }
    return nullptr;
}

bool IsMosaicStarKey(const std::string& key) {
    CreateMosaicStars();
    return FindMosaicStar(key) != nullptr;
}

std::wstring GetStarText(const std::string& key) {
    return GetTermText(key);
}

std::string FormatStarTime(int seconds) {
    const int minutes = std::max(0, (seconds / 60) % 60);
    const int rest = std::max(0, seconds % 60);
    return FormatString(rest > 9 ? "%d : %d" : "%d : 0%d", minutes, rest);
}

std::vector<const TMosaicStar*> FindMosaicStars(const std::vector<std::string>& keys) {
    std::vector<const TMosaicStar*> rules;
    rules.reserve(keys.size());
    for (const std::string& key : keys) {
        rules.push_back(FindMosaicStar(key));
    }
    return rules;
}

int CountStarsMet(const std::vector<const TMosaicStar*>& rules, const TLevelStatistics& statistics) {
    int stars = 0;
    for (const TMosaicStar* rule : rules) {
        if (rule != nullptr && rule->Check(statistics)) {
            ++stars;
        }
    }
    return stars;
}
