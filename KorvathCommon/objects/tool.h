#pragma once
// Inventory tools: what rooms hand out and the player holds and applies to scene objects. A tool may have
// stages (each with its own id and images), parts collected one by one, a power that decays after use and
// effects that run while it is held or applied.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"

class DrawObject;
class TBaseBuffer;
class TiXmlElement;

struct TToolStage {
    std::string id;
    std::string imageName;
    std::string reserved1;
    std::string reserved2;
    StaticImage image;
    int reserved = 0;
    std::string param1;
    std::string param2;
    std::string param3;
};

struct TToolPart {
    std::string name;
    bool collected = false;
    // The image in the inventory, and the one drawn for the part.
    StaticImage first;
    StaticImage second;
    std::string firstName;
    std::string secondName;
};

// A running effect of a tool. A copied tool starts without one: effects are never shared.
struct TToolEffectSlot {
    TToolEffectSlot() = default;
    TToolEffectSlot(const TToolEffectSlot&) {}
    TToolEffectSlot& operator=(const TToolEffectSlot&) { return *this; }

    std::unique_ptr<DrawObject> effect;
};

class TTool {
public:
    // The kind of the ghost catcher, which has no wrong-tool hint.
    static constexpr int kGhostCatcher = 3;
    static constexpr int kHeld = 2;

    TTool() = default;
    TTool(const TTool& other);
    TTool& operator=(const TTool&) = delete;
    virtual ~TTool();

    virtual int GetKind() const { return 0; }
    virtual bool IsComplete() const;
    virtual void Complete();
    virtual void Release();
    virtual void Take();
    // Applied to an object at (x, y) on its tool click number toolClicks.
    virtual void Apply(int x, int y, int toolClicks);
    virtual void AddPart(const std::string& name);
    virtual void RemovePart(const std::string& name);
    virtual void Update(float seconds);
    virtual void StopEffects();
    virtual void DrawAt(int x, int y, float a, float b);
    virtual void DrawOverlayAt(int x, int y, float a, float b);
    virtual void DrawExtraAt(int x, int y, float a, float b) {}
    virtual void WriteState(TBaseBuffer& buffer) const;
    virtual void LoadFromXml(const TiXmlElement* element);
    virtual void ReadState(TBaseBuffer& buffer);
    virtual int ClampX(int x) const { return x; }
    virtual int ClampY(int y) const { return y < mMinY ? mMinY : y; }
    virtual void LoadImages();
    virtual void UnloadImages();
    virtual void LoadPanelImage();
    virtual void UnloadPanelImage();
    virtual bool IsEnabled() const { return true; }
    virtual void SetPower(float power);
    virtual std::string GetCurrentId() const;

    std::pair<int, int> GetHotPoint() const;
    std::pair<int, int> GetHandPoint() const;
    // Null when the tool has no image to show.
    StaticImage* GetFlyImage();
    StaticImage* GetPartImage(const std::string& name);
    bool IsCompleteAfterOneMore() const;
    int GetCollected() const { return mCollected; }
    float GetPower() const { return mPowerTween.current; }
    bool AreImagesLoaded() const { return mImagesLoaded.value; }
    // How many tools have their images loaded, over the process.
    static int GetLoadedCount();

    TToolStage mOwn;
    bool mWholeTool = false;
    std::string mId;
    std::string mRoomName;
    bool mRoomTool = false;
    int mMaxClicks = 1;
    float mReleaseTime = 0;
    bool mHideConnected = true;
    bool mAlwaysVisibleConnected = false;
    bool mScaling = true;
    std::string mPanelImageName;
    std::vector<std::string> mInventoryImageNames;
    std::vector<std::string> mFlyImageNames;
    std::vector<StaticImage> mFlyImages;
    std::vector<StaticImage> mInventoryImages;
    std::vector<std::pair<int, int>> mHotPoints;
    std::vector<std::pair<int, int>> mHandPoints;
    StaticImage mPanelImage;
    std::vector<std::string> mNameLists[6];
    int mCurrentImage = 0;
    int mCurrentStage = 0;
    std::vector<TToolStage> mStages;
    int mMinY = -10000;
    IncValue mPowerTween;
    float mPowerTime = 0;
    std::string mEffectName;
    std::string mApplyEffectName;
    TToolEffectSlot mEffect;
    TToolEffectSlot mApplyEffect;
    std::string mSound;
    std::string mTakeSound;
    int mCollected = 0;
    int mPartsNeeded = 1;
    bool mSpecial = false;
    bool mLoadOnStart = false;
    int mWeight = 0;
    int mHoldState = 0;
    std::string mRoomAttribute;
    std::vector<std::string> mAllowedTools;
    std::vector<int> mAllowedToolCounters;
    int mSubPartsDraw = 0;
    int mSaved1 = 0;
    int mSaved2 = 0;
    // The scene object that handed the tool out.
    void* mSourceObject = nullptr;
    std::vector<TToolPart> mPartList;
    // While the hold state is 1, presses test the pointer plus this offset.
    int mOffsetX = 0;
    int mOffsetY = 0;

private:
    void LoadStages(const TiXmlElement* element);
    void LoadParts(const TiXmlElement* element, const std::string& prefix);
    void TakeEffect(const std::string& name, TToolEffectSlot& slot);
    // A copy does not count as a loaded tool of its own.
    struct TLoadedFlag {
        TLoadedFlag() = default;
        TLoadedFlag(const TLoadedFlag&) {}
        TLoadedFlag& operator=(const TLoadedFlag&) { return *this; }
        bool value = false;
    } mImagesLoaded;
};

// A ghost catcher for "ghostcatcher", a plain tool for any other type; the rooms, which hold the
// ghost catcher, implement it.
std::unique_ptr<TTool> CreateTool(const std::string& type);

// Tools in load order. Tools read from a description are owned by the list; tools added with Add stay
// their caller's.
class TToolList {
public:
    // The game-wide list of the rooms' tools.
    static TToolList& GetPlayerTools();

    TToolList() = default;
    TToolList(const TToolList&) = delete;
    TToolList& operator=(const TToolList&) = delete;

    // The "tool" children of the element's first "tools" child; a repeated id is dropped with a log line.
    void LoadFromXml(const TiXmlElement* element, bool roomTool, const std::string& roomName);
    TTool* FindById(const std::string& id) const;
    void LoadImages(bool roomOnly, const std::string& roomName);
    void UnloadImages(bool roomOnly, const std::string& roomName);
    void Add(TTool* tool) { mTools.push_back(tool); }
    void Clear();
    size_t GetCount() const { return mTools.size(); }
    TTool* GetAt(size_t index) const { return index < mTools.size() ? mTools[index] : nullptr; }

private:
    std::vector<TTool*> mTools;
    std::vector<std::unique_ptr<TTool>> mOwned;
};

// Effects by name that tools take while held or applied; the registry keeps what nobody took.
std::map<std::string, std::unique_ptr<DrawObject>>& GetToolEffects();
