#include "objects/weight_objects.h"

#include <algorithm>

#include "app/log.h"
#include "app/xml_reader.h"
#include "objects/object_space.h"
#include "objects/whole_pixels.h"

// ---- weight pan ----

void TWeightPartObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mMaxObjects = ReadXmlInt(element, "maxobj", 2);
    mPlateX = ReadXmlInt(element, "platex", 0);
    mPlateY = ReadXmlInt(element, "platey", 0);
    mPlateW = ReadXmlInt(element, "platew", 0);
}

void TWeightPartObject::ArrangeChildren() {
    int sum = 0;
    for (const auto& child : GetChildren()) {
        sum += child->GetWidth();
    }
    int a = WholePixels(static_cast<float>(mPlateW - sum) * 0.5f) + mPlateX;
    for (const auto& child : GetChildren()) {
        mOffsets[child.get()] = {a, WholePixels(static_cast<float>(mPlateY - child->GetHeight()))};
        a += child->GetWidth();
    }
}

void TWeightPartObject::PlaceChildren() {
    for (const auto& child : GetChildren()) {
        const auto offset = mOffsets.find(child.get());
        if (offset == mOffsets.end()) {
            continue;
        }
        child->SetPosition(static_cast<float>(offset->second.first) + GetX() - static_cast<float>(mCentreOffsetX),
                           static_cast<float>(offset->second.second) + GetY(), false);
    }
}

void TWeightPartObject::SetPosition(float x, float y, bool moveChildren) {
    TObject::SetPosition(x, y, moveChildren);
    PlaceChildren();
    if (mCover != nullptr) {
        mCover->SetPosition(static_cast<float>(mCentreOffsetX) + x - static_cast<float>(mCover->mCentreOffsetX),
                            static_cast<float>(mCentreOffsetY) + y - static_cast<float>(mCover->mCentreOffsetY), true);
    }
}

bool TWeightPartObject::AddChild(TObject* object) {
    if (object == nullptr || ContainsChild(object) || !TObject::AddChild(object)) {
        return false;
    }
    ArrangeChildren();
    PlaceChildren();
    return true;
}

bool TWeightPartObject::RemoveChild(TObject* object) {
    TObject::RemoveChild(object);
    mOffsets.erase(object);
    return true;
}

void TWeightPartObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    ArrangeChildren();
}

bool TWeightPartObject::HitTestSelf(int x, int y) {
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    return mVisible && mAlpha > 0 && mX <= px && px < mX + mW && mY <= py && py < mY + mH;
}

bool TWeightPartObject::HitTest(int x, int y, bool respectLock) {
    mHitChild = nullptr;
    const auto& children = GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if ((*it)->HitTest(x, y, respectLock)) {
            mHitChild = (*it)->GetHitObject();
            return true;
        }
    }
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    mLastSelfHit = mX <= px && px < mX + mW && mY <= py && py < mY + mH;
    return mLastSelfHit;
}

bool TWeightPartObject::AcceptsTool(TTool* tool) {
    if (TObject::AcceptsTool(tool)) {
        return true;
    }
    return std::any_of(GetChildren().begin(), GetChildren().end(),
                       [tool](const std::unique_ptr<TObject>& child) { return child->AcceptsTool(tool); });
}

void TWeightPartObject::GetRect(float rect[4]) {
    if (mW != 0 || mH != 0) {
        TObject::GetRect(rect);
        return;
    }
    float left = 0, top = 0, right = 0, bottom = 0;
    for (const auto& child : GetChildren()) {
        float r[4];
        child->GetRect(r);
        left = std::min(left, r[0]);
        top = std::min(top, r[1]);
        right = std::max(right, r[0] + r[2]);
        bottom = std::max(bottom, r[1] + r[3]);
    }
    rect[0] = left;
    rect[1] = top;
    rect[2] = right - left;
    rect[3] = bottom - top;
}

void TWeightPartObject::DrawAll() {
    TObject::Draw(1.0f);
}

// ---- linked weight ----

void TConjunctWeightObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mMoveTime = ReadXmlFloat(element, "mov_time", 0.2f);
    mForward = ReadXmlBool(element, "inc", true);
    mPositions.clear();
    ReadXmlIntPairs(element, "ppos", mPositions);
    mLinkedNames.clear();
    ReadXmlStringList(element, "objs", ',', mLinkedNames);
    mCurrentPos = ReadXmlInt(element, "cpos", 0);
    if (mPositions.size() < 2) {
        TLogFile::Get()->Printf("conjunct_weight %s: %d positions, it does not step", mName.c_str(),
                                static_cast<int>(mPositions.size()));
    }
    if (mCurrentPos < 0 || mCurrentPos >= static_cast<int>(mPositions.size())) {
        TLogFile::Get()->Printf("conjunct_weight %s: cpos %d outside its %d positions, the first taken", mName.c_str(),
                                mCurrentPos, static_cast<int>(mPositions.size()));
        mCurrentPos = 0;
    }
}

void TConjunctWeightObject::LoadResources() {
    TObject::LoadResources();
    if (mCurrentPos < static_cast<int>(mPositions.size())) {
        const auto& [x, y] = mPositions[mCurrentPos];
        SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    }
}

void TConjunctWeightObject::OnSpaceShow() {
    mLinked.clear();
    TObjectSpace* room = GetRootSpace();
    for (const std::string& name : mLinkedNames) {
        auto* weight = room != nullptr ? dynamic_cast<TConjunctWeightObject*>(room->FindObjectById(name)) : nullptr;
        if (weight == nullptr) {
            TLogFile::Get()->Printf("conjunct_weight %s: linked weight %s not found, skipped", mName.c_str(),
                                    name.c_str());
            continue;
        }
        mLinked.push_back(weight);
    }
}

void TConjunctWeightObject::Step() {
    if (mMover.moving || mPositions.size() < 2) {
        return;
    }
    const int last = static_cast<int>(mPositions.size()) - 1;
    const int from = mCurrentPos;
    if (mForward) {
        mCurrentPos = from < last ? from + 1 : from - 1;
        mForward = from < last;
    } else {
        mCurrentPos = from > 0 ? from - 1 : 1;
        mForward = from == 0;
    }
    const auto& [x0, y0] = mPositions[from];
    const auto& [x1, y1] = mPositions[mCurrentPos];
    mMover.MoveTo(x0, y0, x1, y1, mMoveTime);
}

void TConjunctWeightObject::StepLinked() {
    for (TConjunctWeightObject* weight : mLinked) {
        if (!weight->IsMoving()) {
            weight->Step();
        }
    }
}

bool TConjunctWeightObject::OnMouseDown(const TMouseEvent& event) {
    if (!TObject::OnMouseDown(event)) {
        return false;
    }
    Step();
    StepLinked();
    return true;
}

bool TConjunctWeightObject::HitTestSelf(int x, int y) {
    return TObject::HitTestSelf(x, y) && !mMover.moving;
}

bool TConjunctWeightObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mMover.moving) {
        mMover.Update(seconds);
        SetPosition(mMover.currentX, mMover.currentY, true);
    }
    return false;
}

// ---- linked-weight parent ----

void TConjunctWeightParentObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TTransparentObject::LoadFromXml(element, folder);
    mCorrectPos = ReadXmlInt(element, "cor_pos", 0);
}

void TConjunctWeightParentObject::OnLoaded() {
    TTransparentObject::OnLoaded();
    mWeights.clear();
    for (const auto& child : GetChildren()) {
        if (auto* weight = dynamic_cast<TConjunctWeightObject*>(child.get())) {
            mWeights.push_back(weight);
        }
    }
}

bool TConjunctWeightParentObject::Update(float seconds) {
    TTransparentObject::Update(seconds);
    if (IsLocked()) {
        return false;
    }
    for (const TConjunctWeightObject* weight : mWeights) {
        if (weight->mCurrentPos != mCorrectPos) {
            return false;
        }
    }
    ApplyAfterEvent(0);
    Lock();
    for (TConjunctWeightObject* weight : mWeights) {
        weight->Lock();
    }
    return false;
}
