#include "objects/weight_system.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "app/buffer.h"
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
    FindPans();
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

bool TWeightSystemObject::IsOneSided() const {
    return (PanWeight(mLeft) != 0) != (PanWeight(mRight) != 0);
}

float TWeightSystemObject::TargetAngle() const {
    const float left = PanWeight(mLeft);
    const float right = PanWeight(mRight);
    if (IsOneSided()) {
        return right != 0 ? mMaxAngle : -mMaxAngle;
    }
    // Held on both sides: a heavy right pan must not swing the beam past the one-sided angle.
    const float difference = std::clamp(left - right, -mMaxWeightDif, mMaxWeightDif);
    return -(difference / mMaxWeightDif * mMaxAngle);
}

void TWeightSystemObject::Rebalance() {
    const float current = mBeam.current;
    const float target = TargetAngle();
    float duration = kOneSidedSeconds;
    if (!IsOneSided()) {
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

bool TWeightSystemObject::CanCarry(const TObject* object, const TObject* holder) const {
    if (object == nullptr || holder == nullptr) {
        return false;
    }
    for (const TObject* pan : {mLeft, mRight}) {
        if (pan != nullptr && (object == pan || object->ContainsChild(pan))) {
            return false;
        }
    }
    return true;
}

bool TWeightSystemObject::MoveOntoPan(TObject* object, TObject* pan) {
    TObject* holder = object->GetParent();
    if (!CanCarry(object, holder)) {
        return false;
    }
    // An object passed from one pan to the other keeps the home it had before the first pan.
    if (holder != mLeft && holder != mRight && mHomes.find(object) == mHomes.end()) {
        mHomes[object] = {holder, object->mX, object->mY};
        if (mHomeOrders.find(holder) == mHomeOrders.end()) {
            std::vector<const TObject*>& order = mHomeOrders[holder];
            for (const auto& child : holder->GetChildren()) {
                order.push_back(child.get());
            }
        }
    }
    holder->RemoveChild(object);
    if (!pan->AddChild(object)) {
        holder->AddChild(object);
        return false;
    }
    return true;
}

bool TWeightSystemObject::PutOnPan(const TMouseEvent& event) {
    TObject* pan = FindPanAt(event.x, event.y);
    if (pan == nullptr) {
        return false;
    }
    TObjectSpace* space = GetRootSpace();
    TObject* object = space != nullptr ? space->FindObjectById(event.tool->mId) : nullptr;
    // The move needs an object held by another object, and never a pan or one that holds a pan.
    if (!CanCarry(object, object != nullptr ? object->GetParent() : nullptr)) {
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
    if (!MoveOntoPan(object, pan)) {
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

// ---- saved state ----

bool TWeightSystemObject::IsInRoom(const TObject* object) const {
    const TObjectSpace* space = GetRootSpace();
    return space != nullptr && space->HoldsObject(object);
}

bool TWeightSystemObject::ReturnHome(TObject* object) {
    const auto home = mHomes.find(object);
    if (home == mHomes.end() || !IsInRoom(home->second.holder)) {
        return false;
    }
    TObject* holder = home->second.holder;
    TObject* parent = object->GetParent();
    if (holder == object || object->ContainsChild(holder) || parent == nullptr) {
        return false;
    }
    parent->RemoveChild(object);
    if (!holder->AddChild(object)) {
        parent->AddChild(object);
        return false;
    }
    // Where it stood: the pan placed it, and the holder places nothing.
    object->SetPosition(home->second.x, home->second.y, false);
    // Back among its former neighbours: those that stood after it are moved behind it again, so the holder's
    // children, and with them its record, come in their old order.
    const std::vector<const TObject*>& order = mHomeOrders[holder];
    const auto self = std::find(order.begin(), order.end(), object);
    if (self != order.end()) {
        std::vector<TObject*> later;
        for (const auto& child : holder->GetChildren()) {
            if (std::find(self + 1, order.end(), child.get()) != order.end()) {
                later.push_back(child.get());
            }
        }
        for (TObject* child : later) {
            holder->RemoveChild(child);
            holder->AddChild(child);
        }
    }
    return true;
}

bool TWeightSystemObject::IsCarrying(const TObject& pan, const std::vector<TObject*>& objects) {
    const auto& children = pan.GetChildren();
    return std::equal(children.begin(), children.end(), objects.begin(), objects.end(),
                      [](const auto& child, const TObject* object) { return child.get() == object; });
}

bool TWeightSystemObject::PlaceSavedWeights(const std::vector<std::string> (&names)[2]) {
    TObject* const pans[2] = {mLeft, mRight};
    TObjectSpace* space = GetRootSpace();
    std::vector<TObject*> wanted[2];
    std::set<const TObject*> claimed;
    for (int side = 0; side < 2; ++side) {
        for (const std::string& name : names[side]) {
            TObject* object = nullptr;
            if (pans[side] != nullptr) {
                for (const auto& child : pans[side]->GetChildren()) {
                    if (child->mName == name && claimed.count(child.get()) == 0) {
                        object = child.get();
                        break;
                    }
                }
            }
            // An unnamed object can only be one the pan already carries.
            if (object == nullptr && space != nullptr && !name.empty()) {
                object = space->FindObjectById(name);
            }
            if (pans[side] == nullptr || object == nullptr || claimed.count(object) != 0) {
                TLogFile::Get()->Printf("weight_system %s: saved object %s not found for its pan", mName.c_str(),
                                        name.c_str());
                continue;
            }
            claimed.insert(object);
            wanted[side].push_back(object);
        }
    }
    bool lost[2] = {false, false};
    for (int side = 0; side < 2; ++side) {
        TObject* pan = pans[side];
        if (pan == nullptr) {
            continue;
        }
        std::vector<TObject*> unnamed;
        for (const auto& child : pan->GetChildren()) {
            if (claimed.count(child.get()) == 0) {
                unnamed.push_back(child.get());
            }
        }
        for (TObject* object : unnamed) {
            if (ReturnHome(object)) {
                lost[side] = true;
            } else {
                TLogFile::Get()->Printf("weight_system %s: %s stays on %s, it has nowhere to go back to", mName.c_str(),
                                        object->mName.c_str(), pan->mName.c_str());
            }
        }
    }
    bool moved = lost[0] || lost[1];
    for (int side = 0; side < 2; ++side) {
        TObject* pan = pans[side];
        if (pan == nullptr || (!lost[side] && IsCarrying(*pan, wanted[side]))) {
            continue;
        }
        moved = true;
        for (TObject* object : wanted[side]) {
            // Taken off and put on again, the pan's objects come in the saved order, lined up as they were.
            if (object->GetParent() == pan) {
                pan->RemoveChild(object);
                pan->AddChild(object);
            } else if (!MoveOntoPan(object, pan)) {
                TLogFile::Get()->Printf("weight_system %s: saved object %s cannot go onto %s", mName.c_str(),
                                        object->mName.c_str(), pan->mName.c_str());
            }
        }
    }
    return moved;
}

void TWeightSystemObject::FindPans() {
    mLeft = FindChildById("left");
    mRight = FindChildById("right");
}

void TWeightSystemObject::SaveState(TBaseBuffer& writer) {
    // A room saved or restored before its resources load has not looked for its pans yet.
    if (mLeft == nullptr && mRight == nullptr) {
        FindPans();
    }
    for (const TObject* pan : {mLeft, mRight}) {
        const int count = pan != nullptr ? static_cast<int>(pan->GetChildren().size()) : 0;
        writer.WriteInt32(count);
        for (int i = 0; i < count; ++i) {
            writer.WriteString(pan->GetChildren()[static_cast<size_t>(i)]->mName);
        }
    }
    TObject::SaveState(writer);
}

void TWeightSystemObject::RestoreState(TBaseBuffer& reader) {
    std::vector<std::string> names[2];
    for (auto& list : names) {
        const int32_t count = reader.ReadInt32();
        // Each name takes at least its two length bytes.
        if (!reader.CanRead(count, 2)) {
            return;
        }
        for (int32_t i = 0; i < count; ++i) {
            list.push_back(reader.ReadString());
        }
    }
    if (reader.IsFailed() || reader.HasReadPastEnd()) {
        return;
    }
    if (mLeft == nullptr && mRight == nullptr) {
        FindPans();
    }
    const bool moved = PlaceSavedWeights(names);
    TObject::RestoreState(reader);
    // What the pans carry changed: the beam rests where their weights put it, since the swing that led there
    // is not part of the state. Otherwise it goes on as it was.
    if (moved) {
        mBeam.SetValue(TargetAngle());
        mAngle = mBeam.current;
    }
}
