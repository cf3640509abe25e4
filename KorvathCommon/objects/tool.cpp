#include "objects/tool.h"

#include <tinyxml.h>

#include <algorithm>

#include "app/buffer.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/draw_object.h"
#include "media/sound_manager.h"

namespace {

int gLoadedTools = 0;

const char* const kNameLists[6] = {"rtaa", "rtar", "roaa", "roar", "aoaa", "aoar"};

std::string Prefixed(const std::string& prefix, const std::string& name) {
    return name.empty() ? std::string() : prefix + name;
}

} // namespace

TTool::TTool(const TTool& other) = default;

TTool::~TTool() {
    UnloadImages();
}

int TTool::GetLoadedCount() {
    return gLoadedTools;
}

std::string TTool::GetCurrentId() const {
    if (!mStages.empty() && !mWholeTool && mCurrentStage >= 0 && mCurrentStage < static_cast<int>(mStages.size())) {
        return mStages[static_cast<size_t>(mCurrentStage)].id;
    }
    return mId;
}

bool TTool::IsComplete() const {
    if (mRoomTool) {
        return true;
    }
    if (mPartList.empty()) {
        return mCollected >= mPartsNeeded;
    }
    return std::all_of(mPartList.begin(), mPartList.end(), [](const auto& part) { return part.collected; });
}

// One part more: with named parts, the one part still missing completes the tool.
bool TTool::IsCompleteAfterOneMore() const {
    if (mRoomTool) {
        return true;
    }
    if (mPartList.empty()) {
        return mCollected + 1 >= mPartsNeeded;
    }
    const auto missing = std::count_if(mPartList.begin(), mPartList.end(), [](const auto& p) { return !p.collected; });
    return missing <= 1;
}

void TTool::Complete() {
    mCollected = mPartsNeeded;
}

// A named part counts once, however often it is added: the count indexes the part images.
void TTool::AddPart(const std::string& name) {
    if (!name.empty()) {
        for (auto& part : mPartList) {
            if (part.name == name) {
                if (part.collected) {
                    return;
                }
                part.collected = true;
                break;
            }
        }
    }
    ++mCollected;
}

void TTool::RemovePart(const std::string& name) {
    for (auto& part : mPartList) {
        if (part.name == name) {
            part.collected = false;
        }
    }
}

void TTool::TakeEffect(const std::string& name, TToolEffectSlot& slot) {
    slot.effect.reset();
    if (name.empty()) {
        return;
    }
    auto& registry = GetToolEffects();
    auto found = registry.find(name);
    if (found != registry.end() && found->second) {
        slot.effect = std::move(found->second);
        registry.erase(found);
        slot.effect->Reset();
    }
}

void TTool::SetPower(float power) {
    if (power > 0) {
        mPowerTween.Set(power, 0, mPowerTime < 0 ? -mPowerTime : mPowerTime, true);
    } else {
        mPowerTween.Set(0, power, 0, true);
    }
    if (!mEffectName.empty()) {
        TakeEffect(mEffectName, mEffect);
    }
}

void TTool::Take() {
    PlaySoundIfNamed(mTakeSound);
    mHoldState = kHeld;
    TakeEffect(mEffectName, mEffect);
}

void TTool::Apply(int x, int y, int toolClicks) {
    TakeEffect(mApplyEffectName, mApplyEffect);
    PlaySoundIfNamed(mSound);
    mHoldState = 0;
    LogDebug("tool %s apply none", mId.c_str());
}

void TTool::Release() {
    StopEffects();
    mPowerTween.Set(0, 0, 0, false);
    mPowerTween.SetValue(0);
}

void TTool::StopEffects() {
    mEffect.effect.reset();
    mApplyEffect.effect.reset();
}

void TTool::Update(float seconds) {
    if (mPowerTime != 0 && mPowerTween.Update(seconds)) {
        mEffect.effect.reset();
    }
    for (auto* slot : {&mEffect, &mApplyEffect}) {
        if (slot->effect && slot->effect->Update(seconds)) {
            slot->effect.reset();
        }
    }
}

// The effects draw themselves where the pointer is.
void TTool::DrawAt(int x, int y, float a, float b) {
    for (auto* slot : {&mEffect, &mApplyEffect}) {
        if (slot->effect) {
            slot->effect->SetPosition(static_cast<float>(x), static_cast<float>(y), false);
            slot->effect->DrawOver();
        }
    }
}

void TTool::DrawOverlayAt(int x, int y, float a, float b) {
    for (auto* slot : {&mEffect, &mApplyEffect}) {
        if (slot->effect) {
            slot->effect->SetPosition(static_cast<float>(x), static_cast<float>(y), false);
            slot->effect->Draw(1.0f);
        }
    }
}

std::pair<int, int> TTool::GetHotPoint() const {
    if (!mFlyImages.empty() && !mWholeTool && !mHotPoints.empty()) {
        const size_t index = std::min(static_cast<size_t>(std::max(mCurrentImage, 0)), mHotPoints.size() - 1);
        return mHotPoints[index];
    }
    return mHotPoints.empty() ? std::make_pair(0, 0) : mHotPoints.front();
}

std::pair<int, int> TTool::GetHandPoint() const {
    if (!mFlyImages.empty() && !mWholeTool && !mHandPoints.empty()) {
        const size_t index = std::min(static_cast<size_t>(std::max(mCurrentImage, 0)), mHandPoints.size() - 1);
        return mHandPoints[index];
    }
    return mHandPoints.empty() ? std::make_pair(0, 0) : mHandPoints.front();
}

StaticImage* TTool::GetFlyImage() {
    if (mCurrentImage >= 0 && mCurrentImage < static_cast<int>(mFlyImages.size())) {
        return &mFlyImages[static_cast<size_t>(mCurrentImage)];
    }
    return GetPartImage("");
}

// Before the first part, or past the last, the tool's own inventory image stands in.
StaticImage* TTool::GetPartImage(const std::string& name) {
    if (!name.empty() || !mPartList.empty()) {
        if (mSubPartsDraw != 0) {
            const int index = mCollected - 1;
            if (index >= 0 && index < static_cast<int>(mPartList.size())) {
                return &mPartList[static_cast<size_t>(index)].second;
            }
        } else {
            for (auto& part : mPartList) {
                if (part.name == name) {
                    return &part.second;
                }
            }
        }
    }
    const int index = mCollected - 1;
    if (index >= 0 && index < static_cast<int>(mInventoryImages.size())) {
        return &mInventoryImages[static_cast<size_t>(index)];
    }
    return mInventoryImages.empty() ? nullptr : &mInventoryImages.front();
}

void TTool::LoadFromXml(const TiXmlElement* element) {
    mId = ReadXmlString(element, "id", "");
    mMaxClicks = ReadXmlInt(element, "maxclicks", 1);
    mAlwaysVisibleConnected = ReadXmlBool(element, "alwaysvisibleconnected", false);
    mHideConnected = ReadXmlBool(element, "hideconnected", true);
    mPartsNeeded = ReadXmlInt(element, "parts", 1);
    mScaling = ReadXmlBool(element, "scaling", true);
    const float power = ReadXmlFloat(element, "power", 1.0f);
    mPowerTween.Set(power, power, 0, false);
    mPowerTween.SetValue(power);
    mPowerTime = ReadXmlFloat(element, "powertime", 0);
    mEffectName = ReadXmlString(element, "effect", "");
    mApplyEffectName = ReadXmlString(element, "effectapply", "");
    mReleaseTime = ReadXmlFloat(element, "releasetime", 0);
    mSpecial = ReadXmlBool(element, "special", false);
    mOwn.param1 = ReadXmlString(element, "param1", "");
    mOwn.param2 = ReadXmlString(element, "param2", "");
    mOwn.param3 = ReadXmlString(element, "param3", "");
    mWeight = ReadXmlInt(element, "weight", 0);
    mMinY = ReadXmlInt(element, "miny", -10000);
    mLoadOnStart = ReadXmlBool(element, "loadonstart", false);
    mSound = ReadXmlString(element, "sound", "");
    mTakeSound = ReadXmlString(element, "soundtake", "");
    for (size_t i = 0; i < 6; ++i) {
        mNameLists[i].clear();
        ReadXmlStringList(element, kNameLists[i], ',', mNameLists[i]);
    }
    const std::string folder = ReadXmlString(element, "folder", "");
    const std::string prefix = folder.empty() ? std::string() : "textures/tools/" + folder;
    const std::string img = ReadXmlString(element, "img", "");
    mPanelImageName = img.empty() ? prefix + "/wnd" : prefix + img;
    std::vector<std::string> names;
    ReadXmlStringList(element, "imginv", ',', names);
    mInventoryImageNames.clear();
    if (names.empty()) {
        mInventoryImageNames.push_back(prefix + "/inv");
    }
    for (const std::string& name : names) {
        mInventoryImageNames.push_back(name.empty() ? prefix + "/inv" : prefix + name);
    }
    names.clear();
    ReadXmlStringList(element, "imgfly", ',', names);
    mFlyImageNames.clear();
    for (const std::string& name : names) {
        mFlyImageNames.push_back(folder.empty() ? "textures/" + name : prefix + name);
    }
    mHotPoints = {{ReadXmlInt(element, "hx", 0), ReadXmlInt(element, "hy", 0)}};
    mHandPoints = {{ReadXmlInt(element, "handx", 0), ReadXmlInt(element, "handy", 0)}};
    mRoomAttribute = ReadXmlString(element, "room", "");
    mAllowedTools.clear();
    ReadXmlStringList(element, "tool", ',', mAllowedTools);
    mAllowedToolCounters.assign(mAllowedTools.size(), 0);
    mSubPartsDraw = ReadXmlInt(element, "subpurtsdraw", 0);
    LoadStages(element);
    LoadParts(element, folder.empty() ? std::string("textures/") : prefix);
}

void TTool::LoadStages(const TiXmlElement* element) {
    mStages.clear();
    for (const TiXmlElement* child = element != nullptr ? element->FirstChildElement("tool") : nullptr;
         child != nullptr; child = child->NextSiblingElement("tool")) {
        TToolStage stage;
        stage.id = ReadXmlString(child, "id", "");
        stage.param1 = ReadXmlString(child, "param1", "");
        stage.param2 = ReadXmlString(child, "param2", "");
        stage.param3 = ReadXmlString(child, "param3", "");
        stage.imageName = Prefixed("textures/", ReadXmlString(child, "img", ""));
        const std::string inv = ReadXmlString(child, "imginv", "");
        if (!inv.empty()) {
            mInventoryImageNames.push_back("textures/" + inv);
        }
        const std::string fly = ReadXmlString(child, "imgfly", "");
        if (!fly.empty()) {
            mFlyImageNames.push_back("textures/" + fly);
        }
        mHotPoints.emplace_back(ReadXmlInt(child, "hx", 0), ReadXmlInt(child, "hy", 0));
        mHandPoints.emplace_back(ReadXmlInt(child, "handx", 0), ReadXmlInt(child, "handy", 0));
        mStages.push_back(std::move(stage));
    }
    mFlyImages.assign(mFlyImageNames.size(), StaticImage());
    mInventoryImages.assign(mInventoryImageNames.size(), StaticImage());
    mCurrentImage = 0;
}

void TTool::LoadParts(const TiXmlElement* element, const std::string& prefix) {
    mPartList.clear();
    std::vector<std::string> items;
    SplitString(ReadXmlString(element, "subtools", "").c_str(), ';', items);
    for (const std::string& item : items) {
        std::vector<std::string> pieces;
        SplitString(item.c_str(), ',', pieces);
        if (pieces.size() != 3) {
            continue;
        }
        TToolPart part;
        part.name = TrimBlanks(pieces[0]);
        part.firstName = prefix + TrimBlanks(pieces[1]);
        part.secondName = prefix + TrimBlanks(pieces[2]);
        mPartList.push_back(std::move(part));
    }
}

void TTool::LoadImages() {
    if (mImagesLoaded.value) {
        return;
    }
    for (size_t i = 0; i < mFlyImages.size(); ++i) {
        mFlyImages[i].SetImage(mFlyImageNames[i]);
    }
    for (size_t i = 0; i < mInventoryImages.size(); ++i) {
        mInventoryImages[i].SetImage(mInventoryImageNames[i]);
    }
    for (TToolStage& stage : mStages) {
        if (!stage.imageName.empty()) {
            stage.image.SetImage(stage.imageName);
        }
    }
    for (TToolPart& part : mPartList) {
        part.first.SetImage(part.firstName);
        part.second.SetImage(part.secondName);
    }
    ++gLoadedTools;
    mImagesLoaded.value = true;
}

void TTool::UnloadImages() {
    if (!mImagesLoaded.value) {
        return;
    }
    for (StaticImage& image : mFlyImages) {
        image.ReleaseImage();
    }
    for (StaticImage& image : mInventoryImages) {
        image.ReleaseImage();
    }
    for (TToolStage& stage : mStages) {
        stage.image.ReleaseImage();
    }
    for (TToolPart& part : mPartList) {
        part.first.ReleaseImage();
        part.second.ReleaseImage();
    }
    --gLoadedTools;
    mImagesLoaded.value = false;
}

void TTool::LoadPanelImage() {
    if (!mPanelImageName.empty()) {
        mPanelImage.SetImage(mPanelImageName);
    }
}

void TTool::UnloadPanelImage() {
    if (!mPanelImageName.empty()) {
        mPanelImage.ReleaseImage();
    }
}

void TTool::WriteState(TBaseBuffer& buffer) const {
    buffer.BeginWriteBlock(("tool" + mId).c_str());
    buffer.WriteByte(mWholeTool ? 1 : 0);
    buffer.WriteInt32(mCurrentStage);
    buffer.WriteInt32(mCollected);
    buffer.WriteInt32(mMaxClicks);
    buffer.WriteInt32(mSaved1);
    buffer.WriteInt32(mSaved2);
    for (const TToolPart& part : mPartList) {
        buffer.WriteByte(part.collected ? 1 : 0);
    }
}

void TTool::ReadState(TBaseBuffer& buffer) {
    buffer.BeginReadBlock(("tool" + mId).c_str());
    if (!buffer.CanRead(1, 21 + static_cast<int64_t>(mPartList.size()))) {
        TLogFile::Get()->Printf("tool %s: saved state ends early", mId.c_str());
        return;
    }
    mWholeTool = buffer.ReadByte() != 0;
    mCurrentStage = buffer.ReadInt32();
    mCollected = buffer.ReadInt32();
    mMaxClicks = buffer.ReadInt32();
    mSaved1 = buffer.ReadInt32();
    mSaved2 = buffer.ReadInt32();
    for (TToolPart& part : mPartList) {
        part.collected = buffer.ReadByte() != 0;
    }
}

// ---- the list ----

TToolList& TToolList::GetPlayerTools() {
    static TToolList tools;
    return tools;
}

void TToolList::LoadFromXml(const TiXmlElement* element, bool roomTool, const std::string& roomName) {
    const TiXmlElement* tools = element != nullptr ? element->FirstChildElement("tools") : nullptr;
    if (tools == nullptr) {
        return;
    }
    for (const TiXmlElement* child = tools->FirstChildElement("tool"); child != nullptr;
         child = child->NextSiblingElement("tool")) {
        std::unique_ptr<TTool> tool = CreateTool(ReadXmlString(child, "type", ""));
        tool->LoadFromXml(child);
        if (roomTool) {
            tool->mRoomTool = true;
            tool->mRoomName = roomName;
        }
        if (FindById(tool->mId) != nullptr) {
            TLogFile::Get()->Printf("Duplicated tool %s: skipped", tool->mId.c_str());
            continue;
        }
        mTools.push_back(tool.get());
        mOwned.push_back(std::move(tool));
    }
}

TTool* TToolList::FindById(const std::string& id) const {
    for (TTool* tool : mTools) {
        if (tool != nullptr && tool->mId == id) {
            return tool;
        }
    }
    return nullptr;
}

void TToolList::LoadImages(bool roomOnly, const std::string& roomName) {
    for (TTool* tool : mTools) {
        if (!roomOnly || (!roomName.empty() && tool->mRoomTool && tool->mRoomName == roomName)) {
            tool->LoadImages();
        }
    }
}

void TToolList::UnloadImages(bool roomOnly, const std::string& roomName) {
    for (TTool* tool : mTools) {
        if (!roomOnly || (!roomName.empty() && tool->mRoomTool && tool->mRoomName == roomName)) {
            tool->UnloadImages();
        }
    }
}

void TToolList::Clear() {
    mTools.clear();
    mOwned.clear();
}

std::map<std::string, std::unique_ptr<DrawObject>>& GetToolEffects() {
    static std::map<std::string, std::unique_ptr<DrawObject>> effects;
    return effects;
}
