#pragma once
// The level intro: a fly window naming the stage and level and listing the level's star conditions for
// the player's difficulty. Its close lets the controller start the level.

#include "app/weak_ref.h"
#include <string>
#include <vector>

#include "windows/fly_window.h"

class TLevelInfoMosaic;
class TSimpleTextImage;
struct TLevelStatistics;

class TLevelNameWindow : public TFlyWindow {
public:
    static constexpr const char* kFile = "ui/levelname.xml";
    static constexpr int kStarLabels = 3;

    explicit TLevelNameWindow(TFlyWindowListener* listener);

    // Stage and level count from 1; an empty game-type key leaves the type label empty.
    void Setup(int stageNumber, int levelNumber, const std::string& gameTypeKey, const TLevelInfoMosaic& level,
               const TLevelStatistics& statistics);

    TSimpleTextImage* GetCaption() const { return mCaption; }
    TSimpleTextImage* GetGameType() const { return mGameType; }
    const std::vector<TSimpleTextImage*>& GetStarLabels() const { return mStarLabels; }

private:
    void FillStars(const TLevelInfoMosaic& level, const TLevelStatistics& statistics);

    TWeakRef<TSimpleTextImage> mCaption;
    TWeakRef<TSimpleTextImage> mGameType;
    std::vector<TSimpleTextImage*> mStarLabels;
};
