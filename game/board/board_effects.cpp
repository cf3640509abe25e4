#include "board_effects.h"

#include <algorithm>
#include <cmath>

#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/font_image.h"
#include "graphics/font_registry.h"
#include "graphics/random15.h"
#include "media/sound_manager.h"

namespace {

constexpr const char* kRingImages[] = {"textures/rings/ringyellow", "textures/rings/ringblue",
                                       "textures/rings/ringgreen", "textures/rings/ringpurple"};
// Drawn under a ring (not under a fixed picture), so the ring reads over pale cells where adding light
// changes nothing.
constexpr const char* kRingShadeImage = "textures/rings/ringshade";
constexpr float kRingStartScaleMin = 0.35f;
constexpr float kRingStartScaleMax = 0.40f;
constexpr float kRestartSpread = 0.1f;

// A uniform value in [a, b], one fresh draw.
float RandomBetween(float a, float b) {
    return a + static_cast<float>((Rand15() % 32767) / 32767.0) * (b - a);
}

void DrawImageAt(StaticImage& image, float x, float y, float scale, float alpha) {
    image.SetPosition(x, y, true);
    image.SetScale(scale);
    image.mAlpha = alpha;
    image.Draw(1.0f);
}

} // namespace

EffectGo::EffectGo(const std::string& image, int x, int y, float hold, EffectGoListener* listener, int kind, float fade)
    : mHold(hold), mFade(fade), mKind(kind), mListener(listener) {
    mImage.SetImage(image);
    mImage.SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    mX = static_cast<float>(x);
    mY = static_cast<float>(y);
    mAlphaTween.Set(0.0f, 1.0f, kFadeInTime, true);
    mScaleTween.SetValue(1.0f);
}

bool EffectGo::Update(float seconds) {
    switch (mState) {
    case kAppearing:
        mTimer += seconds;
        mAlphaTween.Update(seconds);
        if (mAlphaTween.finished && mTimer >= mHold) {
            mAlphaTween.Set(1.0f, 0.0f, mFade, true);
            mScaleTween.Set(1.0f, kGrowScale, kGrowTime, true);
            mState = kHolding;
        }
        break;
    case kHolding:
        mTimer += seconds;
        if (mTimer >= kHoldEnd) {
            mState = kFading;
            if (mListener != nullptr) {
                mListener->OnEffectGoHoldEnd(this);
            }
        }
        break;
    case kFading:
        mScaleTween.Update(seconds);
        if (!mFinished && mAlphaTween.Update(seconds)) {
            mFinished = true;
            if (mListener != nullptr) {
                mListener->OnEffectGoFinished(this);
            }
        }
        break;
    }
    return mFinished;
}

void EffectGo::Draw(float parentAlpha) {
    DrawImageAt(mImage, mX, mY, mScaleTween.current, mAlphaTween.current * parentAlpha);
}

EffectRemover::EffectRemover(int startX, int startY, const std::vector<TTarget>& targets,
                             EffectRemoverListener* listener, int tag)
    : mListener(listener), mTag(tag) {
    for (size_t i = 0; i < targets.size(); ++i) {
        const float dx = static_cast<float>(targets[i].x - startX);
        const float dy = static_cast<float>(targets[i].y - startY);
        const float bulge = std::sqrt(dx * dx + dy * dy) / 6.0f * (i % 2 == 0 ? 1.0f : -1.0f);
        THead head;
        head.path = TSplinePath::CreateArc(startX, startY, targets[i].x, targets[i].y, bulge);
        head.mover = std::make_unique<MoveObj_t>(kSpeedFactor * head.path->ComputeLength(), head.path.get());
        mHeads.push_back(std::move(head));
    }
}

void EffectRemover::LeaveTrailParticle(float x, float y) {
    // Opaque red, green, blue, magenta and cyan.
    static const TColorArgb kColours[] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 0, 255, 255}, {0, 255, 255, 255}};
    auto particle = std::make_unique<Particle>(x, y, 0.0f, kTrailImage, 0, 0, 0, 0);
    const float angle = static_cast<float>(Rand15() % 360) * 3.14159265f / 180.0f;
    particle->mVelocityX = kTrailSpeed * std::cos(angle);
    particle->mVelocityY = kTrailSpeed * std::sin(angle);
    particle->mColor = kColours[Rand15() % 5];
    particle->mCentred = true;
    mTrailParticles.push_back(std::move(particle));
}

bool EffectRemover::Update(float seconds) {
    for (auto& particle : mTrailParticles) {
        particle->Update(seconds);
    }
    std::erase_if(mTrailParticles, [](const std::unique_ptr<Particle>& particle) { return particle->IsFinished(); });
    bool allArrived = true;
    for (size_t i = 0; i < mHeads.size(); ++i) {
        THead& head = mHeads[i];
        if (!head.mover->IsDone()) {
            head.mover->Update(seconds);
        }
        if (!head.mover->IsDone()) {
            allArrived = false;
            LeaveTrailParticle(head.mover->mBaseX, head.mover->mBaseY);
        } else if (!head.reported) {
            head.reported = true;
            if (mListener != nullptr) {
                mListener->OnRemoverTargetReached(this, static_cast<int>(i), mTag);
            }
        }
    }
    if (allArrived && mTrailParticles.empty() && !mFinished) {
        mFinished = true;
        if (mListener != nullptr) {
            mListener->OnRemoverFinished(this, mTag);
        }
    }
    return mFinished;
}

void EffectRemover::Draw(float parentAlpha) {
    for (auto& particle : mTrailParticles) {
        particle->Draw(parentAlpha);
    }
}

EffectBonusTime::EffectBonusTime(const TLayout& layout, EffectBonusTimeListener* listener)
    : mLayout(layout), mListener(listener) {
    mMover.StartSegment(layout.startX, layout.startY, layout.x, layout.y, layout.moveTime, 0, false);
    mMover.startDelay = layout.moveTime / 3.0f;
    mAlphaTween.Set(0.0f, 1.0f, layout.moveTime * 0.5f, true);
    mAlphaTween.delay = mMover.startDelay;
    TiXmlDocument* document = nullptr;
    mAnimation.LoadFromXml(LoadXmlDocument(kAnimationFile, document), true, "");
    delete document;
    RestartAnimation();
}

void EffectBonusTime::RestartAnimation() {
    const int frames = std::max(mAnimation.mFrameCount, 1);
    mAnimation.SetFrames(mLayout.life / static_cast<float>(frames), frames, mAnimation.mFrameWidth,
                         mAnimation.mFrameHeight);
    mAnimation.mStayOnLast = true;
    mAnimation.Play(1);
}

EffectBonusTime::~EffectBonusTime() {
    if (mListener != nullptr) {
        mListener->OnBonusTime(mCount);
    }
}

void EffectBonusTime::AddCount() {
    PlaySoundByName("newpair");
    ++mCount;
    mLifeLeft = mLayout.life;
    RestartAnimation();
}

bool EffectBonusTime::Update(float seconds) {
    mAlphaTween.Update(seconds);
    mAnimation.Update(seconds);
    const bool arrived = mMover.Update(seconds);
    switch (mPhase) {
    case kEntering:
        if (arrived) {
            mPhase = kShown;
            mLifeLeft = mLayout.life;
        }
        break;
    case kShown:
        mLifeLeft -= seconds;
        if (mLifeLeft <= 0) {
            mPhase = kLeaving;
            mMover.StartSegment(mLayout.x, mLayout.y, mLayout.startX, mLayout.startY, mLayout.moveTime, 0, false);
            mAlphaTween.Set(1.0f, 0.0f, mLayout.moveTime * 0.5f, true);
            if (mListener != nullptr) {
                mListener->OnBonusTimeShown(this);
            }
        }
        break;
    case kLeaving:
        if (arrived) {
            mPhase = kDone;
            mFinished = true;
        }
        break;
    case kDone:
        break;
    }
    return mFinished;
}

void EffectBonusTime::DrawEffect() {
    const float alpha = mAlphaTween.current;
    if (alpha <= 0) {
        return;
    }
    mAnimation.mImage.SetPosition(mMover.currentX, mMover.currentY, true);
    mAnimation.Draw(alpha);
    ImageFont* font = TFontRegistry::GetInstance()->FindFont(kFont);
    if (font == nullptr) {
        return;
    }
    // The count centred in its box beside the point.
    const std::wstring text = FromUtf8(FormatString("%d", mCount));
    const int left = static_cast<int>(mMover.currentX + mLayout.textDx);
    const int top = static_cast<int>(mMover.currentY + mLayout.textDy);
    const int x = left + (kLabelWidth - font->GetTextWidthW(text)) / 2;
    const int y = top + (kLabelHeight + font->GetAscent() - font->GetDescent()) / 2;
    const auto a = static_cast<uint32_t>(std::clamp(alpha, 0.0f, 1.0f) * 255.0f);
    font->DrawStringW(x, y, text, (a << 24) | 0xffffffu, 0, nullptr, nullptr, true);
}

EffectGotReward::EffectGotReward(int x, int y, const std::string& image, float seconds) {
    mImage.SetImage(image);
    const int first = Rand15() % 6;
    for (int i = 0; i < kCopies; ++i) {
        const double angle = first + i * M_PI / 3.0;
        mMovers[i].StartSegment(static_cast<float>(x), static_cast<float>(y),
                                static_cast<float>(x + kDistance * std::cos(angle)),
                                static_cast<float>(y + kDistance * std::sin(angle)), seconds, 0, false);
    }
}

bool EffectGotReward::Update(float seconds) {
    bool allArrived = true;
    for (TPointMover& mover : mMovers) {
        if (!mover.done) {
            mover.Update(seconds);
        }
        allArrived = allArrived && mover.done;
    }
    mFinished = allArrived;
    return mFinished;
}

void EffectGotReward::Draw(float parentAlpha) {
    for (TPointMover& mover : mMovers) {
        DrawImageAt(mImage, mover.currentX, mover.currentY, 1.0f, parentAlpha);
    }
}

EffectChange3One::EffectChange3One(int x, int y, int dx, int dy, float endScale, float seconds)
    : mEndScale(endScale), mTime(seconds) {
    mX = static_cast<float>(x + dx);
    mY = static_cast<float>(y + dy);
    // Rings light up what they cover.
    mImage.mRenderState.blend = TRenderState::kBlendAdd;
    mShade.SetImage(kRingShadeImage);
    Reset();
}

EffectChange3One::EffectChange3One(int x, int y, float seconds, float endScale, float startAlpha)
    : mEndScale(endScale), mTime(seconds), mStartAlpha(startAlpha) {
    mX = static_cast<float>(x);
    mY = static_cast<float>(y);
    mImage.mRenderState.blend = TRenderState::kBlendAdd;
    mShade.SetImage(kRingShadeImage);
    Reset();
}

void EffectChange3One::Reset() {
    if (!mFixedImage) {
        mImage.SetImage(kRingImages[Rand15() % 4]);
    }
    mScaleTween.Set(RandomBetween(kRingStartScaleMin, kRingStartScaleMax), mEndScale,
                    RandomBetween(mTime, mTime + kRestartSpread), true);
    mAlphaTween.Set(mStartAlpha, 0.0f, mTime, true);
}

void EffectChange3One::SetImage(const std::string& name) {
    mImage.ReleaseImage();
    mImage.SetImage(name);
    mShade.ReleaseImage();
    mFixedImage = true;
}

bool EffectChange3One::Update(float seconds) {
    mAlphaTween.Update(seconds);
    if (mScaleTween.Update(seconds)) {
        ++mRuns;
        if (mRunLimit != -1 && mRuns >= mRunLimit) {
            mFinished = true;
        } else {
            Reset();
        }
    }
    return mFinished;
}

void EffectChange3One::Draw(float parentAlpha) {
    if (!mFixedImage) {
        DrawImageAt(mShade, mX, mY, mScaleTween.current, mAlphaTween.current * parentAlpha);
    }
    DrawImageAt(mImage, mX, mY, mScaleTween.current, mAlphaTween.current * parentAlpha);
}

EffectOneBomb::EffectOneBomb(const std::string& image, int x, int y, float startScale, float endScale, float seconds)
    : mStartScale(startScale), mEndScale(endScale), mTime(seconds) {
    mImage.SetImage(image);
    mX = static_cast<float>(x);
    mY = static_cast<float>(y);
    Reset();
}

void EffectOneBomb::Reset() {
    mScaleTween.Set(mStartScale, mEndScale, RandomBetween(mTime, mTime + kRestartSpread), true);
    mAlphaTween.Set(1.0f, 0.0f, mTime, true);
}

bool EffectOneBomb::Update(float seconds) {
    mAlphaTween.Update(seconds);
    // One run: the mark is finished when its growth ends.
    mFinished = mFinished || mScaleTween.Update(seconds);
    return mFinished;
}

void EffectOneBomb::Draw(float parentAlpha) {
    DrawImageAt(mImage, mX, mY, mScaleTween.current, mAlphaTween.current * parentAlpha);
}
