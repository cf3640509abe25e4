#pragma once
// The star rules: a fixed catalogue of small judges, each known by a short key. A level earns one star
// for every rule of its list (for the player's difficulty) that its statistics meet.

#include <string>
#include <utility>
#include <vector>

#include "controller/game_types.h"

class TMosaicStar {
public:
    explicit TMosaicStar(std::string key) : mKey(std::move(key)) {}
    virtual ~TMosaicStar() = default;
    virtual bool Check(const TLevelStatistics& statistics) const { return false; }
    // The statistics give the time rules the time allowed they show.
    virtual void GetDescription(const TLevelStatistics& statistics, std::wstring& text) const { text.clear(); }

    const std::string& GetKey() const { return mKey; }

private:
    std::string mKey;
};

class TMosaicStarCompleteLevel : public TMosaicStar {
public:
    TMosaicStarCompleteLevel() : TMosaicStar("complete") {}
    bool Check(const TLevelStatistics& statistics) const override { return true; }
    void GetDescription(const TLevelStatistics& statistics, std::wstring& text) const override;
};

// A rule met while a counted value stays at or below a limit; the limit is not always the number its key
// names ("3hint" accepts 2 hints, "5error" is the 4-error rule).
class TMosaicStarLimit : public TMosaicStar {
public:
    enum class TCounted { Hints, Mistakes };
    TMosaicStarLimit(std::string key, TCounted counted, int limit, std::string term);
    bool Check(const TLevelStatistics& statistics) const override;
    void GetDescription(const TLevelStatistics& statistics, std::wstring& text) const override;

private:
    TCounted mCounted;
    int mLimit;
    std::string mTerm;
};

// Met when the time spent is at most the percentage of the time allowed.
class TMosaicStar90Time : public TMosaicStar {
public:
    TMosaicStar90Time() : TMosaicStar90Time("90time", 90) {}
    bool Check(const TLevelStatistics& statistics) const override;
    // The term "star_time" with "$$" replaced by the whole time allowed (not its percentage) as "m : ss".
    void GetDescription(const TLevelStatistics& statistics, std::wstring& text) const override;

protected:
    TMosaicStar90Time(std::string key, int percentage) : TMosaicStar(std::move(key)), mPercentage(percentage) {}

private:
    int mPercentage;
};

class TMosaicStar85Time : public TMosaicStar90Time {
public:
    TMosaicStar85Time() : TMosaicStar90Time("85time", 85) {}
};

class TMosaicStar80Time : public TMosaicStar90Time {
public:
    TMosaicStar80Time() : TMosaicStar90Time("80time", 80) {}
};

class TMosaicStar75Time : public TMosaicStar90Time {
public:
    TMosaicStar75Time() : TMosaicStar90Time("75time", 75) {}
};

// Fills the catalogue (18 rules); later calls keep the rules already made.
void CreateMosaicStars();
// The rule of exactly that key (case counts), or null.
const TMosaicStar* FindMosaicStar(const std::string& key);
// Whether the catalogue has a rule of that key (the catalogue is made when it is not yet).
bool IsMosaicStarKey(const std::string& key);
// The localised text of a term key; a missing term gives the key.
std::wstring GetStarText(const std::string& key);
// "m : ss" of whole seconds: minutes within the hour, seconds with two digits.
std::string FormatStarTime(int seconds);

// A level's rules for its key list: one place per key, null where a key names no rule.
std::vector<const TMosaicStar*> FindMosaicStars(const std::vector<std::string>& keys);
// The stars earned: the rules met, empty places skipped.
int CountStarsMet(const std::vector<const TMosaicStar*>& rules, const TLevelStatistics& statistics);
