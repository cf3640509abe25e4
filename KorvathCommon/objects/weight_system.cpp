#include "objects/weight_system.h"

#include <algorithm>
#include <cmath>

#include "app/log.h"
#include "app/xml_reader.h"
#include "objects/object_space.h"
#include "objects/tool.h"
#include "windows/mouse_event.h"

namespace {

constexpr float kDegree = 0.017453292f;

TWeightPan* AsPan(TObject* object) {
    return dynamic_cast<TWeightPan*>(object);
}

void PlaceAtPivot(TObject* object, float x, float y) {
    if (object != nullptr) {
        object->SetPosition(x - static_cast<float>(object->mCentreOffsetX),
                            y - static_cast<float>(object->mCentreOffsetY), true);
    }
}

} // namespace

TWeightSystemObject::TWeightSystemObject() {
    TMyMessageManager::Get()->Subscribe(this, kBalanceMessage);
}

TWeightSystemObject::~TWeightSystemObject() {
    if (TMyMessageManager* manager = TMyMessageManager::FindInstance()) {
        manager->UnsubscribeAll(this);
    }
}

void TWeightSystemObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mKeepOrder = ReadXmlBool(element, "keeporder", false);
    mCheckCoords = ReadXmlBool(element, "checkcoords", true);
    mGroup = ReadXmlBool(element, "group", false);
    // Both divide the beam's swing: 0 would leave the beam at a NaN angle.
    const float maxAngle = ReadXmlFloat(element, "maxangle", 45);
    if (maxAngle == 0) {
        TLogFile::Get()->Printf("weight_system %s: maxangle 0 refused, 45 kept", mName.c_str());
    }
    mMaxAngle = (maxAngle == 0 ? 45 : maxAngle) * kDegree;
    mMaxWeightDif = ReadXmlFloat(element, "maxweightdif", 45);
    if (mMaxWeightDif == 0) {
        TLogFile::Get()->Printf("weight_system %s: maxweightdif 0 refused, 45 kept", mName.c_str());
        mMaxWeightDif = 45;
    }
    mShoulder = static_cast<float>(ReadXmlInt(element, "sholder", 45));
    mCompleteValue = ReadXmlFloat(element, "completevalue", 0);
}

void TWeightSystemObject::LoadResources() {
    TObject::LoadResources();
    mArrow = FindChildById("arrow");
    mLeft = FindChildById("left");
    mRight = FindChildById("right");
    mCover = FindChildById("cover");
    const std::pair<TObject*, const char*> covers[] = {{mLeft, "coverleft"}, {mRight, "coverright"}};
    for (const auto& [pan, coverId] : covers) {
        if (pan == nullptr) {
            continue;
        }
        if (TWeightPan* weightPan = AsPan(pan)) {
            weightPan->SetCover(FindChildById(coverId));
        } else {
            TLogFile::Get()->Printf("weight_system %s: %s is not a weight pan; no object limit and no cover",
                                    mName.c_str(), pan->mName.c_str());
        }
    }
    Rebalance();
}

void TWeightSystemObject::OnMessage(SharedPtr<TMyMessage> message) {
    if (message && message->mName == kBalanceMessage) {
        Rebalance();
    }
}

float TWeightSystemObject::PanWeight(const TObject* pan) {
    float weight = 0;
    if (pan != nullptr) {
        for (const auto& child : pan->GetChildren()) {
            weight += child->mVisible ? child->mTag : 0.0f;
        }
    }
    return weight;
}

void TWeightSystemObject::Rebalance() {
    const float left = PanWeight(mLeft);
    const float right = PanWeight(mRight);
    const float current = mBeam.current;
    float target = 0;
    float duration = 0;
    if ((left != 0) != (right != 0)) {
        target = right != 0 ? mMaxAngle : -mMaxAngle;
        duration = kOneSidedSeconds;
    } else {
        // Held on both sides: a heavy right pan must not swing the beam past the one-sided angle.
        const float difference = std::clamp(left - right, -mMaxWeightDif, mMaxWeightDif);
        target = -(difference / mMaxWeightDif * mMaxAngle);
        if (current == target) {
            return;
        }
        duration = std::fabs(current - target) / mMaxAngle;
    }
    if (!(duration > 0)) {
        mBeam.SetValue(target);
        return;
    }
    mBeam.Set(current, target, duration, true);
}

void TWeightSystemObject::PlacePans() {
    const float x = GetX(), y = GetY();
    PlaceAtPivot(mArrow, x, y);
    PlaceAtPivot(mCover, x, y);
    const float angle = mBeam.current;
    constexpr float kHalfTurn = 3.1415927f;
    PlaceAtPivot(mRight, x + mShoulder * std::cos(angle), y + mShoulder * std::sin(angle));
    PlaceAtPivot(mLeft, x + mShoulder * std::cos(angle + kHalfTurn), y + mShoulder * std::sin(angle + kHalfTurn));
}

bool TWeightSystemObject::Update(float seconds) {
    mBeam.Update(seconds);
    mAngle = mBeam.current;
    PlacePans();
    TObject::Update(seconds);
    if (mSolved || !mBeam.finished || mCompleteValue == 0 || PanWeight(mLeft) + PanWeight(mRight) != mCompleteValue) {
        return false;
    }
    mSolved = true;
    AdvanceCounter(mToolClickCounter, mMaxToolClicks);
    ApplyTool(TMouseEvent());
    return false;
}

bool TWeightSystemObject::HitTest(int x, int y, bool respectLock) {
    mHitChild = nullptr;
    if (TObject::HitTest(x, y, respectLock)) {
        return true;
    }
    const auto& children = GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if ((*it)->HitTest(x, y, respectLock)) {
            mHitChild = it->get();
            return true;
        }
    }
    return false;
}

bool TWeightSystemObject::NeedsTool() const {
    if (TObject::NeedsTool()) {
        return true;
    }
    const auto& children = GetChildren();
    return std::any_of(children.begin(), children.end(), [](const auto& child) { return child->TObject::NeedsTool(); });
}

bool TWeightSystemObject::AcceptsTool(TTool* tool) {
    if (TObject::AcceptsTool(tool)) {
        return true;
    }
    bool inOrder = true;
    for (const auto& child : GetChildren()) {
        if (child->TObject::AcceptsTool(tool)) {
            return inOrder;
        }
        // A later pan's tool waits while an earlier pan still needs its own.
        if (mKeepOrder && child->TObject::NeedsTool() && !child->mToolApplied) {
            inOrder = false;
        }
    }
    return false;
}

void TWeightSystemObject::GetRect(float rect[4]) {
    if (mW != 0 || mH != 0) {
        TObject::GetRect(rect);
        return;
    }
    float bounds[4] = {0, 0, 0, 0};
    for (const auto& child : GetChildren()) {
        float r[4];
        child->GetRect(r);
        const float right = std::max(bounds[0] + bounds[2], r[0] + r[2]);
        const float bottom = std::max(bounds[1] + bounds[3], r[1] + r[3]);
        bounds[0] = std::min(bounds[0], r[0]);
        bounds[1] = std::min(bounds[1], r[1]);
        bounds[2] = right - bounds[0];
        bounds[3] = bottom - bounds[1];
    }
    std::copy(bounds, bounds + 4, rect);
}

TObject* TWeightSystemObject::FindPanAt(int x, int y) {
    for (const auto& child : GetChildren()) {
        if (!mCheckCoords || child->HitTestSelf(x, y)) {
            return child.get();
        }
    }
    return nullptr;
}

bool TWeightSystemObject::PutOnPan(const TMouseEvent& event) {
    TObject* pan = FindPanAt(event.x, event.y);
    if (pan == nullptr) {
        return false;
    }
    TObjectSpace* space = GetRootSpace();
    TObject* object = space != nullptr ? space->FindObjectById(event.tool->mId) : nullptr;
    TObject* holder = object != nullptr ? object->GetParent() : nullptr;
    // The move needs an object held by another object, and never one that holds the pan itself.
    if (holder == nullptr || object == pan || object->ContainsChild(pan)) {
        TLogFile::Get()->Printf("weight_system %s: no object %s held in the room to put on %s", mName.c_str(),
                                event.tool->mId.c_str(), pan->mName.c_str());
        return false;
    }
    // A full pan refuses before its tool-click counter is spent.
    const TWeightPan* weightPan = AsPan(pan);
    const int maxObjects = weightPan != nullptr ? weightPan->GetMaxObjects() : 0;
    if (maxObjects != 0 && static_cast<int64_t>(pan->GetChildren().size()) >= maxObjects) {
        return false;
    }
    if (!AdvanceCounter(pan->mToolClickCounter, pan->mMaxToolClicks)) {
        return true;
    }
    PlaySpaceSound(object->mSoundTool);
    holder->RemoveChild(object);
    if (!pan->AddChild(object)) {
        holder->AddChild(object);
        return false;
    }
    TMyMessageManager::Get()->Post(kBalanceMessage, 0);
    return true;
}

bool TWeightSystemObject::OnMouseDown(const TMouseEvent& event) {
    for (TObject* pan : {mLeft, mRight}) {
        if (pan != nullptr) {
            pan->mCheckOnlyBounds = event.tool != nullptr;
        }
    }
    const bool hit = HitTest(event.x, event.y, true);
    if (!hit) {
        return false;
    }
    if (event.tool == nullptr) {
        TObject* target = FindChildAt(event.x, event.y, true);
        target = target != nullptr ? target : this;
        if (AdvanceCounter(target->mClickCounter, target->mMaxClicks)) {
            target->OnClick(event);
        }
    } else if (NeedsTool()) {
        if (AcceptsTool(event.tool) && event.tool->IsComplete()) {
            if (!PutOnPan(event)) {
                return false;
            }
        } else {
            mWrongTool = true;
        }
    }
    if (mGroup) {
        const auto& children = GetChildren();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if ((*it)->OnMouseDown(event)) {
                break;
            }
        }
    }
    return hit;
}

void TWeightSystemObject::DrawAll() {
    TObject::Draw(1.0f);
}
