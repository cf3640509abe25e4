// The attribute vocabulary of an object element, read in a fixed order because later defaults depend on
// earlier attributes.

#include <algorithm>

#include "app/log.h"
#include "app/xml_reader.h"
#include "objects/object.h"
#include "objects/object_services.h"

namespace {

// A data file cannot make an object allocate without bound.
constexpr int kMaxFrames = 4096;

struct TReactionName {
    TReaction list;
    const char* longName;
    const char* shortName;
};

const TReactionName kReactionNames[] = {
    {kUnlockAfterEvent, "unlockafterevent", "uae"},
    {kUnlockAfterTool, "unlockaftertool", "uat"},
    {kUnlockAfterClick, "unlockafterclick", "uac"},
    {kDeactivateAfterEvent, "deactivateafterevent", "dae"},
    {kDeactivateAfterTool, "deactivateaftertool", "dat"},
    {kDeactivateAfterClick, "deactivateafterclick", "dac"},
    {kActivateAfterEvent, "activateafterevent", "aae"},
    {kActivateAfterTool, "activateaftertool", "aat"},
    {kActivateAfterClick, "activateafterclick", "aac"},
    {kVisibleAfterEvent, "visibleafterevent", "vae"},
    {kVisibleAfterTool, "visibleaftertool", "vat"},
    {kVisibleAfterClick, "visibleafterclick", "vac"},
    {kHideAfterEvent, "hideafterevent", "hae"},
    {kHideAfterTool, "hideaftertool", "hat"},
    {kHideAfterClick, "hideafterclick", "hac"},
    {kVisibleAfterToolCf, "visibleaftertoolcf", "vatcf"},
    {kVisibleAfterClickCf, "visibleafterclickcf", "vaccf"},
    {kHideAfterToolCf, "hideaftertoolcf", "hatcf"},
    {kHideAfterClickCf, "hideafterclickcf", "haccf"},
    {kLockAfterEvent, "lockafterevent", "lae"},
    {kLockAfterTool, "lockaftertool", "lat"},
    {kLockAfterClick, "lockafterclick", "lac"},
    {kEffAfterTool, "effaftertool", "eat"},
    {kEffAfterClick, "effafterclick", "eac"},
    {kEffAfterEvent, "effafterevent", "eae"},
    {kEffsAfterEvent, "effsafterevent", "esae"},
    {kEffsAfterTool, "effsaftertool", "esat"},
    {kEffsAfterClick, "effsafterclick", "esac"},
};

const char* const kTargetNames[] = {"room", "roomxo", "pocket", "minigame", "dialog", "dialog2"};
const char* const kToolTargetNames[] = {"roomaftertool",     "roomxoaftertool", "pocketaftertool",
                                        "minigameaftertool", "dialogaftertool", "dialogaftertool2"};
const char* const kTaskNames[] = {"tasks", "ttasks", "tasksr", "ttasksr", "etasks", "etasksr"};
const char* const kNameListNames[] = {"aobjafterclick", "aobjaftertool", "aobjafterevent",
                                      "robjafterclick", "robjaftertool", "robjafterevent",
                                      "cobjafterclick", "cobjaftertool", "cobjafterevent"};
const char* const kFlagNames[] = {"flags", "tflags", "eflags"};
const char* const kStateNames[] = {"states", "tstates", "estates"};

std::string ReadText(const TiXmlElement* element, const char* name) {
    return ReadXmlString(element, name, "");
}

std::vector<std::string> ReadList(const TiXmlElement* element, const char* name) {
    std::vector<std::string> list;
    ReadXmlStringList(element, name, ',', list);
    return list;
}

int ReadHintMode(const TiXmlElement* element, int current) {
    const std::string mode = ReadXmlString(element, "hint_mod", "default");
    if (mode == "show_hint") {
        return TObject::kHintAlways;
    }
    if (mode == "no_hint") {
        return TObject::kHintNever;
    }
    return mode == "default" ? TObject::kHintDefault : current;
}

int ReadBlendMode(const TiXmlElement* element) {
    const std::string mode = ReadText(element, "blendmode");
    if (mode == "additive") {
        return TRenderState::kBlendAdd;
    }
    return mode == "multiplicative" ? TRenderState::kBlendModulate : TRenderState::kBlendAlpha;
}

} // namespace

void TObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    ReleaseAll();
    // Lists are filled afresh, so loading an element twice never doubles them.
    mWrongToolHints.clear();
    mGivenTools.clear();
    mGivenToolsAfterEvent.clear();
    mTasks = {};
    mFlags = {};
    mStates = {};
    mFrames.clear();

    const bool userFolder = ReadXmlBool(element, "udf", true);
    mImageName = ReadText(element, "name");
    if (!mImageName.empty()) {
        mImageName = (userFolder && !folder.empty() ? folder : std::string("textures/")) + mImageName;
    }
    mName = ReadText(element, "id");
    for (size_t i = 0; i < mTargets.size(); ++i) {
        mTargets[i] = ReadText(element, kTargetNames[i]);
    }
    for (size_t i = 0; i < mToolTargets.size(); ++i) {
        mToolTargets[i] = ReadText(element, kToolTargetNames[i]);
    }
    mSound = ReadText(element, "sound");
    mSoundTool = ReadXmlString(element, "soundtool", "drop_tool");
    mSoundNeedTool = ReadXmlString(element, "soundneedtool", "need_tool");
    mSoundMouseEnter = ReadText(element, "soundmouseenter");
    mSoundMouseLeave = ReadText(element, "soundmouseleave");
    mActivationSounds = ReadList(element, "sounda");
    mEffectorName = ReadText(element, "effector");
    mParam1 = ReadText(element, "param1");
    mParam2 = ReadText(element, "param2");
    mHintableOnShow = ReadXmlBool(element, "phint", mHintableOnShow);
    mAcceptsClicks = ReadXmlBool(element, "onclick", true);
    mActive = ReadXmlBool(element, "active", mActive);
    mHintMode = ReadHintMode(element, mHintMode);
    mMovable = ReadXmlBool(element, "moveable", mMovable);
    mPocketTools = ReadList(element, "tooltoopenpocket");
    mMiniGameTools = ReadList(element, "tooltoopenminigame");
    mNeededTools = ReadList(element, "tool");
    mCursorName = ReadText(element, "c");
    if (mCursorName.empty()) {
        mCursorName = ReadText(element, "cursor");
    }
    mHideAfterTakeTool = ReadXmlBool(element, "hideaftertaketool", mHideAfterTakeTool);
    mHintKeys = ReadList(element, "hint");
    mLockedHintKeys = ReadList(element, "hintlocked");
    mToolHintKeys = ReadList(element, "hinttool");
    for (const TiXmlElement* hint = element != nullptr ? element->FirstChildElement("wrongtoolhint") : nullptr;
         hint != nullptr; hint = hint->NextSiblingElement("wrongtoolhint")) {
        mWrongToolHints.emplace_back();
        mWrongToolHints.back().LoadFromXml(hint);
    }
    std::string hintExecuter = ReadText(element, "hintexe");
    mHintExecuter = dynamic_cast<THintExecuter*>(FindExecuter(hintExecuter.empty() ? "hint" : hintExecuter));

    mDrawType = ReadXmlInt(element, "drawtype", mDrawType);
    mMaxClicks = ReadXmlInt(element, "maxclicks", kUnlimited);
    mMaxToolClicks = ReadXmlInt(element, "maxclickstool", kUnlimited);
    mFreezeClicks = ReadXmlInt(element, "freezeclicks", kUnlimited, "fc");
    mFreezeToolClicks = ReadXmlInt(element, "freezetoolclicks", 1, "ftc");
    mClickDelay = ReadXmlFloat(element, "delayclick", 0);
    mCheckOnlyBounds = ReadXmlBool(element, "cob", false, "checkonlybounds");
    mCacheColor = ReadXmlBool(element, "cachergb", mCacheColor);
    if (!mNeededTools.empty() && mMaxToolClicks == kUnlimited) {
        mMaxToolClicks = 1;
    }
    // A percentage: anything outside 0..100 would make the object never or always hit.
    mHitAlphaThreshold = std::clamp(ReadXmlInt(element, "testalpha", 25), 0, 100) * 255 / 100;
    mVisible = ReadXmlBool(element, "v", true, "visible");
    mDummy = ReadXmlBool(element, "d", false, "dummy");
    mHideOnClick = ReadXmlBool(element, "hideonclick", false);
    mHoldToolAfterUse = ReadXmlInt(element, "holdtoolafteruse", 0);
    mLocked = ReadXmlBool(element, "locked", false, "l");
    mSetVisibleAfterTempTool = ReadXmlBool(element, "setvisibleaftertemptool", true);
    mAlpha = ReadXmlFloat(element, "a", mAlpha, "alpha");
    mAngle = DegToRad(ReadXmlFloat(element, "angle", 0));
    mScaleX = mScaleY = ReadXmlFloat(element, "scale", 1.0f);
    const float scaleX = ReadXmlFloat(element, "scalex", 1.0f);
    if (scaleX != 1.0f) {
        mScaleX = scaleX;
    }
    const float scaleY = ReadXmlFloat(element, "scaley", 1.0f);
    if (scaleY != 1.0f) {
        mScaleY = scaleY;
    }
    mHintPointY = ReadXmlInt(element, "hpy", 0);
    mHintPointX = ReadXmlInt(element, "hpx", 0);
    mBlendMode = ReadBlendMode(element);
    mBlinkOffsetX = ReadXmlInt(element, "bx", 0);
    mBlinkOffsetY = ReadXmlInt(element, "by", 0);
    mX = ReadXmlFloat(element, "x", 0);
    mY = ReadXmlFloat(element, "y", 0);
    mW = ReadXmlFloat(element, "w", 0);
    mH = ReadXmlFloat(element, "h", 0);
    RefreshCachedDrawPosition();
    mTag = ReadXmlFloat(element, "tag", 0);

    ParseGivenTools(ReadText(element, "tools"), this, mGivenTools);
    if (!mGivenTools.empty() && mMaxClicks == kUnlimited) {
        mMaxClicks = static_cast<int>(mGivenTools.size());
    }
    ParseGivenToolsAfterEvent(ReadText(element, "toolsae"), mGivenToolsAfterEvent);
    for (const TReactionName& names : kReactionNames) {
        std::string text = ReadText(element, names.longName);
        ParseReactionList(text.empty() ? ReadText(element, names.shortName) : text, mReactions[names.list]);
    }
    for (size_t i = 0; i < mTasks.size(); ++i) {
        ParseTaskList(ReadText(element, kTaskNames[i]), mTasks[i]);
    }
    for (size_t i = 0; i < mNameLists.size(); ++i) {
        mNameLists[i] = ReadList(element, kNameListNames[i]);
    }
    for (size_t i = 0; i < mFlags.size(); ++i) {
        ParseFlagList(ReadText(element, kFlagNames[i]), mFlags[i]);
    }
    for (size_t i = 0; i < mStates.size(); ++i) {
        ParseStateList(ReadText(element, kStateNames[i]), mStates[i]);
    }

    std::string executer = ReadText(element, "exe");
    if (executer.empty() && !mGivenTools.empty()) {
        executer = mNeededTools.empty() ? "tool" : "toolaftertool";
    }
    mClickExecuter = executer.empty() ? nullptr : FindExecuter(executer);
    mToolPower = ReadXmlFloat(element, "toolpower", -1.0f);
    mCentreOffsetX = ReadXmlInt(element, "tcx", 0);
    mCentreOffsetY = ReadXmlInt(element, "tcy", 0);
    LoadFrames(element);
    mIgnoreSubObjects = ReadXmlBool(element, "ignoresubobjects", false);
    mSkipOwnerOffset = ReadXmlBool(element, "skipowneroffset", false);
    int clip[4] = {mClipRect.x, mClipRect.y, mClipRect.w, mClipRect.h};
    ReadXmlFourInts(element, "cliprect", ".", clip);
    mClipRect = {clip[0], clip[1], clip[2], clip[3]};
    mCanRunXoEffect = ReadXmlBool(element, "canrunxoeffect", mCanRunXoEffect);
    mDrawChildrenFirst = ReadXmlBool(element, "drawchildsfirst", mDrawChildrenFirst);
    mDrawLayer = ReadXmlInt(element, "drawz", mDrawLayer);
    mAllowClickWithTool = ReadXmlBool(element, "allowclickwithtool", mAllowClickWithTool);
    mCanBeWrongClickXo = ReadXmlBool(element, "canbewrongclickxo", mCanBeWrongClickXo);
    mSolved = false;

    // The rotation-centre offset is taken out of the logical position once, here, so that a saved position
    // is never corrected a second time when the space is shown after a restore.
    mX -= static_cast<float>(mCentreOffsetX);
    mY -= static_cast<float>(mCentreOffsetY);
    RefreshCachedDrawPosition();
}

void TObject::LoadFrames(const TiXmlElement* element) {
    int strip[4] = {0, 0, 0, 0};
    if (!ReadXmlFourInts(element, "texrects", ".", strip)) {
        return;
    }
    const int frameW = strip[2], frameH = strip[3];
    int frames = ReadXmlInt(element, "frames", 0);
    if (frames > kMaxFrames) {
        TLogFile::Get()->Printf("object %s: %d frames cut to %d", mName.c_str(), frames, kMaxFrames);
        frames = kMaxFrames;
    }
    if (frames > 0) {
        const int stripWidth = ReadXmlInt(element, "texw", 0);
        for (int i = 0; i < frames; ++i) {
            mFrames.push_back(GetStripFrameRect(i, frameW, frameH, stripWidth));
        }
    }
    const int startFrame = ReadXmlInt(element, "startframe", 0);
    mCurrentFrame = mFrames.empty() ? 0 : std::clamp(startFrame, 0, static_cast<int>(mFrames.size()) - 1);
    if (startFrame != mCurrentFrame) {
        TLogFile::Get()->Printf("object %s: start frame %d outside its %d frames", mName.c_str(), startFrame,
                                static_cast<int>(mFrames.size()));
    }
    mFrameDelay = ReadXmlFloat(element, "framedelay", 0);
    const std::string mode = ReadText(element, "animmode");
    if (mode == "loop") {
        mAnimMode = kAnimLoop;
    } else if (mode == "noloop") {
        mAnimMode = kAnimNoLoop;
    }
}
