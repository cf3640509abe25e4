// The attribute vocabulary of an object element: every attribute with its default and alternative name,
// the derived defaults, the tool records and the frame strip.

#include <functional>

#include "object_test_support.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TXml;

using Strings = std::vector<std::string>;

struct VocabularyCase {
    const char* attributes;
    // Fields set before the load: an absent attribute of the "current" kind keeps them.
    std::function<void(TObject&)> before;
    std::function<void(const TObject&)> check;
};

const std::function<void(TObject&)> kNothing = [](TObject&) {};

TEST_F(ObjectTest, EveryAttributeWithItsDefaultAndAlternativeName) {
    const std::vector<VocabularyCase> cases = {
        {"", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mImageName, "");
             EXPECT_EQ(o.mName, "");
             EXPECT_EQ(o.mSound, "");
             EXPECT_EQ(o.mSoundTool, "drop_tool");
             EXPECT_EQ(o.mSoundNeedTool, "need_tool");
             EXPECT_TRUE(o.mHintableOnShow);
             EXPECT_TRUE(o.mAcceptsClicks);
             EXPECT_FALSE(o.mActive);
             EXPECT_EQ(o.mHintMode, TObject::kHintDefault);
             EXPECT_FALSE(o.IsMovable());
             EXPECT_TRUE(o.mHideAfterTakeTool);
             EXPECT_EQ(o.mDrawType, 0);
             EXPECT_EQ(o.mMaxClicks, 99999999);
             EXPECT_EQ(o.mMaxToolClicks, 99999999);
             EXPECT_EQ(o.mFreezeClicks, 99999999);
             EXPECT_EQ(o.mFreezeToolClicks, 1);
             EXPECT_EQ(o.mClickDelay, 0.0f);
             EXPECT_FALSE(o.mCheckOnlyBounds);
             EXPECT_EQ(o.mHitAlphaThreshold, 63);
             EXPECT_TRUE(o.mVisible);
             EXPECT_FALSE(o.mDummy);
             EXPECT_FALSE(o.mHideOnClick);
             EXPECT_FALSE(o.mLocked);
             EXPECT_TRUE(o.mSetVisibleAfterTempTool);
             EXPECT_EQ(o.mAlpha, 1.0f);
             EXPECT_EQ(o.mAngle, 0.0f);
             EXPECT_EQ(o.mScaleX, 1.0f);
             EXPECT_EQ(o.mScaleY, 1.0f);
             EXPECT_EQ(o.mBlendMode, 1);
             EXPECT_EQ(o.mToolPower, -1.0f);
             EXPECT_EQ(o.mClickExecuter, nullptr);
             // Every object gets the shared hint strategy unless it names another.
             EXPECT_EQ(o.mHintExecuter, FindExecuter("hint"));
             EXPECT_NE(o.mHintExecuter, nullptr);
             EXPECT_TRUE(o.mFrames.empty());
             EXPECT_EQ(o.mAnimMode, TObject::kAnimNone);
             EXPECT_EQ(o.mDrawLayer, 0);
             EXPECT_TRUE(o.mCanBeWrongClickXo);
             EXPECT_EQ(o.mClipRect.w, 0);
         }},
        {R"(id="lamp" param1="p" param2="q" tag="2.5")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mName, "lamp");
             EXPECT_EQ(o.mParam1, "p");
             EXPECT_EQ(o.mParam2, "q");
             EXPECT_EQ(o.mTag, 2.5f);
         }},
        {R"(room="r" roomxo="rx" pocket="p" minigame="m" dialog="d" dialog2="d2")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mTargets, (std::array<std::string, 6>{"r", "rx", "p", "m", "d", "d2"}));
         }},
        {R"(roomaftertool="r" roomxoaftertool="rx" pocketaftertool="p" minigameaftertool="m" dialogaftertool="d"
            dialogaftertool2="d2")",
         kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mToolTargets, (std::array<std::string, 6>{"r", "rx", "p", "m", "d", "d2"}));
         }},
        {R"(sound="s" soundtool="t" soundneedtool="n" soundmouseenter="in" soundmouseleave="out" sounda="a1, a2")",
         kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mSound, "s");
             EXPECT_EQ(o.mSoundTool, "t");
             EXPECT_EQ(o.mSoundNeedTool, "n");
             EXPECT_EQ(o.mSoundMouseEnter, "in");
             EXPECT_EQ(o.mSoundMouseLeave, "out");
             EXPECT_EQ(o.mActivationSounds, (Strings{"a1", "a2"}));
         }},
        {R"(effector="swing")", kNothing, [](const TObject& o) { EXPECT_TRUE(o.IsMovable()); }},
        {R"(moveable="1")", kNothing, [](const TObject& o) { EXPECT_TRUE(o.IsMovable()); }},
        {R"(phint="0" onclick="0" active="1" hideaftertaketool="0")", kNothing,
         [](const TObject& o) {
             EXPECT_FALSE(o.mHintableOnShow);
             EXPECT_FALSE(o.mAcceptsClicks);
             EXPECT_TRUE(o.mActive);
             EXPECT_FALSE(o.mHideAfterTakeTool);
         }},
        // Absent "current" attributes keep what the object held.
        {"",
         [](TObject& o) {
             o.mActive = true;
             o.mHintableOnShow = false;
             o.mMovable = true;
             o.mHideAfterTakeTool = false;
             o.mDrawType = 4;
             o.mCacheColor = true;
             o.mAlpha = 0.25f;
             o.mCanRunXoEffect = true;
             o.mDrawChildrenFirst = true;
             o.mDrawLayer = 2;
             o.mAllowClickWithTool = true;
             o.mCanBeWrongClickXo = false;
             o.mHintMode = TObject::kHintAlways;
         },
         [](const TObject& o) {
             EXPECT_TRUE(o.mActive);
             EXPECT_FALSE(o.mHintableOnShow);
             EXPECT_TRUE(o.mMovable);
             EXPECT_FALSE(o.mHideAfterTakeTool);
             EXPECT_EQ(o.mDrawType, 4);
             EXPECT_TRUE(o.mCacheColor);
             EXPECT_EQ(o.mAlpha, 0.25f);
             EXPECT_TRUE(o.mCanRunXoEffect);
             EXPECT_TRUE(o.mDrawChildrenFirst);
             EXPECT_EQ(o.mDrawLayer, 2);
             EXPECT_TRUE(o.mAllowClickWithTool);
             EXPECT_FALSE(o.mCanBeWrongClickXo);
             // An absent "hint_mod" reads as "default".
             EXPECT_EQ(o.mHintMode, TObject::kHintDefault);
         }},
        {R"(hint_mod="show_hint")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mHintMode, 2); }},
        {R"(hint_mod="no_hint")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mHintMode, 1); }},
        {R"(hint_mod="sometimes")", [](TObject& o) { o.mHintMode = TObject::kHintAlways; },
         [](const TObject& o) { EXPECT_EQ(o.mHintMode, 2); }},
        {R"(tooltoopenpocket="key" tooltoopenminigame="crank, lever" tool=" a , b,,c")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mPocketTools, (Strings{"key"}));
             EXPECT_EQ(o.mMiniGameTools, (Strings{"crank", "lever"}));
             EXPECT_EQ(o.mNeededTools, (Strings{"a", "b", "c"}));
         }},
        {R"(c="hand" cursor="drag")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mCursorName, "hand"); }},
        {R"(c="" cursor="hand")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mCursorName, "hand"); }},
        {R"(hint="h1,h2" hintlocked="l1" hinttool="t1")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mHintKeys, (Strings{"h1", "h2"}));
             EXPECT_EQ(o.mLockedHintKeys, (Strings{"l1"}));
             EXPECT_EQ(o.mToolHintKeys, (Strings{"t1"}));
         }},
        {R"(drawtype="1" maxclicks="3" maxclickstool="4" freezeclicks="2" freezetoolclicks="5" delayclick="0.5")",
         kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mDrawType, 1);
             EXPECT_EQ(o.mMaxClicks, 3);
             EXPECT_EQ(o.mMaxToolClicks, 4);
             EXPECT_EQ(o.mFreezeClicks, 2);
             EXPECT_EQ(o.mFreezeToolClicks, 5);
             EXPECT_EQ(o.mClickDelay, 0.5f);
         }},
        {R"(fc="7" ftc="8")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mFreezeClicks, 7);
             EXPECT_EQ(o.mFreezeToolClicks, 8);
         }},
        {R"(maxclicks="100+20")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mMaxClicks, 120); }},
        {R"(cob="1" cachergb="1")", kNothing,
         [](const TObject& o) {
             EXPECT_TRUE(o.mCheckOnlyBounds);
             EXPECT_TRUE(o.mCacheColor);
         }},
        {R"(checkonlybounds="true")", kNothing, [](const TObject& o) { EXPECT_TRUE(o.mCheckOnlyBounds); }},
        {R"(cob="" checkonlybounds="1")", kNothing, [](const TObject& o) { EXPECT_TRUE(o.mCheckOnlyBounds); }},
        {R"(cob="0" checkonlybounds="1")", kNothing, [](const TObject& o) { EXPECT_FALSE(o.mCheckOnlyBounds); }},
        // A needed tool is used once unless a maximum is given.
        {R"(tool="key")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mMaxToolClicks, 1); }},
        {R"(tool="key" maxclickstool="3")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mMaxToolClicks, 3); }},
        {R"(testalpha="50")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mHitAlphaThreshold, 127); }},
        {R"(testalpha="0")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mHitAlphaThreshold, 0); }},
        {R"(testalpha="150")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mHitAlphaThreshold, 255); }},
        {R"(testalpha="-5")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mHitAlphaThreshold, 0); }},
        {R"(v="0" d="1" hideonclick="1" holdtoolafteruse="2" locked="1" setvisibleaftertemptool="0")", kNothing,
         [](const TObject& o) {
             EXPECT_FALSE(o.mVisible);
             EXPECT_TRUE(o.mDummy);
             EXPECT_TRUE(o.mHideOnClick);
             EXPECT_EQ(o.mHoldToolAfterUse, 2);
             EXPECT_TRUE(o.mLocked);
             EXPECT_FALSE(o.mSetVisibleAfterTempTool);
         }},
        {R"(visible="false" dummy="true" l="1")", kNothing,
         [](const TObject& o) {
             EXPECT_FALSE(o.mVisible);
             EXPECT_TRUE(o.mDummy);
             EXPECT_TRUE(o.mLocked);
         }},
        {R"(a="0.5")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mAlpha, 0.5f); }},
        {R"(alpha="0.75")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mAlpha, 0.75f); }},
        {R"(angle="90")", kNothing, [](const TObject& o) { EXPECT_NEAR(o.mAngle, 1.5707963f, 1e-6f); }},
        {R"(scale="2" scaley="0.5")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mScaleX, 2.0f);
             EXPECT_EQ(o.mScaleY, 0.5f);
         }},
        {R"(scale="2" scalex="1")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mScaleX, 2.0f);
             EXPECT_EQ(o.mScaleY, 2.0f);
         }},
        {R"(scalex="3")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mScaleX, 3.0f);
             EXPECT_EQ(o.mScaleY, 1.0f);
         }},
        {R"(hpx="4" hpy="5" bx="6" by="7")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mHintPointX, 4);
             EXPECT_EQ(o.mHintPointY, 5);
             EXPECT_EQ(o.mBlinkOffsetX, 6);
             EXPECT_EQ(o.mBlinkOffsetY, 7);
         }},
        {R"(blendmode="additive")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mBlendMode, 2); }},
        {R"(blendmode="multiplicative")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mBlendMode, 3); }},
        {R"(blendmode="screen")", kNothing, [](const TObject& o) { EXPECT_EQ(o.mBlendMode, 1); }},
        {R"(x="10.5" y="20" w="30" h="40")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mX, 10.5f);
             EXPECT_EQ(o.mY, 20.0f);
             EXPECT_EQ(o.mW, 30.0f);
             EXPECT_EQ(o.mH, 40.0f);
             EXPECT_EQ(o.mCachedDrawX, 10);
             EXPECT_EQ(o.mCachedDrawY, 20);
         }},
        // Centred without an image: anchored by the logical size.
        {R"(x="100" y="100" w="40" h="20" drawtype="1")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mCachedDrawX, 80);
             EXPECT_EQ(o.mCachedDrawY, 90);
         }},
        {R"(toolpower="0.5" ignoresubobjects="1" skipowneroffset="1" canrunxoeffect="1" drawchildsfirst="1"
            drawz="2" allowclickwithtool="1" canbewrongclickxo="0")",
         kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mToolPower, 0.5f);
             EXPECT_TRUE(o.mIgnoreSubObjects);
             EXPECT_TRUE(o.mSkipOwnerOffset);
             EXPECT_TRUE(o.mCanRunXoEffect);
             EXPECT_TRUE(o.mDrawChildrenFirst);
             EXPECT_EQ(o.mDrawLayer, 2);
             EXPECT_TRUE(o.mAllowClickWithTool);
             EXPECT_FALSE(o.mCanBeWrongClickXo);
         }},
        {R"(cliprect="1.2.300.400")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mClipRect.x, 1);
             EXPECT_EQ(o.mClipRect.y, 2);
             EXPECT_EQ(o.mClipRect.w, 300);
             EXPECT_EQ(o.mClipRect.h, 400);
         }},
        // The rotation-centre offset is taken out of the logical position; the draw position stays.
        {R"(x="100" y="100" tcx="10" tcy="5")", kNothing,
         [](const TObject& o) {
             EXPECT_EQ(o.mCentreOffsetX, 10);
             EXPECT_EQ(o.mCentreOffsetY, 5);
             EXPECT_EQ(o.mX, 90.0f);
             EXPECT_EQ(o.mY, 95.0f);
             EXPECT_EQ(o.mCachedDrawX, 100);
             EXPECT_EQ(o.mCachedDrawY, 100);
         }},
        {"", [](TObject& o) { o.mSolved = true; }, [](const TObject& o) { EXPECT_FALSE(o.IsSolved()); }},
    };
    for (const VocabularyCase& c : cases) {
        SCOPED_TRACE(c.attributes);
        TXml xml(std::string("<object ") + c.attributes + "/>");
        TObject object;
        c.before(object);
        object.LoadFromXml(xml.Root(), "");
        c.check(object);
    }
}

TEST_F(ObjectTest, ImageNameFolder) {
    struct Case {
        const char* attributes;
        const char* folder;
        const char* imageName;
    };
    const Case cases[] = {
        {R"(name="key.png")", "rooms/cellar/", "rooms/cellar/key.png"},
        {R"(name="key.png" udf="1")", "rooms/cellar/", "rooms/cellar/key.png"},
        {R"(name="key.png" udf="0")", "rooms/cellar/", "textures/key.png"},
        {R"(name="key.png")", "", "textures/key.png"},
        {R"(name="")", "rooms/cellar/", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        EXPECT_EQ(Load(c.attributes, c.folder)->mImageName, c.imageName);
    }
}

TEST_F(ObjectTest, EveryReactionListByLongAndShortName) {
    struct Name {
        const char* longName;
        const char* shortName;
        TReaction list;
    };
    const Name names[] = {
        {"unlockafterclick", "uac", kUnlockAfterClick},
        {"unlockaftertool", "uat", kUnlockAfterTool},
        {"unlockafterevent", "uae", kUnlockAfterEvent},
        {"lockafterclick", "lac", kLockAfterClick},
        {"lockaftertool", "lat", kLockAfterTool},
        {"lockafterevent", "lae", kLockAfterEvent},
        {"activateafterclick", "aac", kActivateAfterClick},
        {"activateaftertool", "aat", kActivateAfterTool},
        {"activateafterevent", "aae", kActivateAfterEvent},
        {"visibleaftertool", "vat", kVisibleAfterTool},
        {"visibleafterclick", "vac", kVisibleAfterClick},
        {"visibleafterevent", "vae", kVisibleAfterEvent},
        {"hideaftertool", "hat", kHideAfterTool},
        {"hideafterclick", "hac", kHideAfterClick},
        {"hideafterevent", "hae", kHideAfterEvent},
        {"visibleaftertoolcf", "vatcf", kVisibleAfterToolCf},
        {"visibleafterclickcf", "vaccf", kVisibleAfterClickCf},
        {"hideaftertoolcf", "hatcf", kHideAfterToolCf},
        {"hideafterclickcf", "haccf", kHideAfterClickCf},
        {"effaftertool", "eat", kEffAfterTool},
        {"effafterclick", "eac", kEffAfterClick},
        {"effafterevent", "eae", kEffAfterEvent},
        {"effsafterevent", "esae", kEffsAfterEvent},
        {"effsaftertool", "esat", kEffsAfterTool},
        {"effsafterclick", "esac", kEffsAfterClick},
        {"deactivateafterclick", "dac", kDeactivateAfterClick},
        {"deactivateaftertool", "dat", kDeactivateAfterTool},
        {"deactivateafterevent", "dae", kDeactivateAfterEvent},
    };
    ASSERT_EQ(std::size(names), static_cast<size_t>(kReactionCount));
    for (const Name& name : names) {
        SCOPED_TRACE(name.longName);
        // The short name alone fills exactly its own list.
        auto object = Load(std::string(name.shortName) + R"(="s")");
        for (int list = 0; list < kReactionCount; ++list) {
            EXPECT_EQ(object->mReactions[list].size(), list == name.list ? 1u : 0u) << list;
        }
        // Both given: the long name wins; an empty long name gives way to the short one.
        object = Load(std::string(name.longName) + R"(="l" )" + name.shortName + R"(="s")");
        EXPECT_EQ(object->mReactions[name.list][0][0].object, "l");
        object = Load(std::string(name.longName) + R"(="" )" + name.shortName + R"(="s")");
        EXPECT_EQ(object->mReactions[name.list][0][0].object, "s");
    }
}

TEST_F(ObjectTest, TaskNameFlagAndStateListsByName) {
    auto o = Load(R"(tasks="t1" ttasks="t2" tasksr="t3" ttasksr="t4" etasks="t5" etasksr="t6"
        aobjafterclick="a1" aobjaftertool="a2" aobjafterevent="a3" robjafterclick="r1" robjaftertool="r2"
        robjafterevent="r3" cobjafterclick="c1" cobjaftertool="c2" cobjafterevent="c3"
        flags="f1" tflags="f2" eflags="f3" states="s.1" tstates="s.2" estates="s.3")");
    const std::pair<TTaskKind, const char*> tasks[] = {{kTasksClick, "t1"},       {kTasksTool, "t2"},
                                                       {kTasksClickRemove, "t3"}, {kTasksToolRemove, "t4"},
                                                       {kTasksEvent, "t5"},       {kTasksEventRemove, "t6"}};
    for (const auto& [kind, name] : tasks) {
        EXPECT_EQ(o->mTasks[kind], (TTaskList{{name}})) << name;
    }
    const std::pair<TNameListKind, const char*> lists[] = {
        {kAobjAfterClick, "a1"}, {kAobjAfterTool, "a2"}, {kAobjAfterEvent, "a3"},
        {kRobjAfterClick, "r1"}, {kRobjAfterTool, "r2"}, {kRobjAfterEvent, "r3"},
        {kCobjAfterClick, "c1"}, {kCobjAfterTool, "c2"}, {kCobjAfterEvent, "c3"}};
    for (const auto& [kind, name] : lists) {
        EXPECT_EQ(o->mNameLists[kind], (Strings{name})) << name;
    }
    EXPECT_EQ(o->mFlags[kAfterClick][0][0].name, "f1");
    EXPECT_EQ(o->mFlags[kAfterTool][0][0].name, "f2");
    EXPECT_EQ(o->mFlags[kAfterEvent][0][0].name, "f3");
    EXPECT_EQ(o->mStates[kAfterClick][0][0].value, "1");
    EXPECT_EQ(o->mStates[kAfterTool][0][0].value, "2");
    EXPECT_EQ(o->mStates[kAfterEvent][0][0].value, "3");
}

TEST_F(ObjectTest, GivenToolRecords) {
    auto o = Load(R"(tools="lamp; rope,false; key,maybe,gold,ignored" toolsae="a,true; b; c,no")");
    ASSERT_EQ(o->mGivenTools.size(), 3u);
    const int modes[] = {0, 1, 2};
    const char* toolNames[] = {"lamp", "rope", "key"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(o->mGivenTools[i].name, toolNames[i]);
        EXPECT_EQ(o->mGivenTools[i].mode, modes[i]);
        EXPECT_EQ(o->mGivenTools[i].owner, o.get());
        EXPECT_FALSE(o->mGivenTools[i].given);
    }
    EXPECT_EQ(o->mGivenTools[2].extra, "gold");
    // Without "maxclicks" the object allows one click per tool it hands out.
    EXPECT_EQ(o->mMaxClicks, 3);
    ASSERT_EQ(o->mGivenToolsAfterEvent.size(), 2u);
    EXPECT_EQ(o->mGivenToolsAfterEvent[0].name, "a");
    EXPECT_EQ(o->mGivenToolsAfterEvent[0].mode, 1);
    EXPECT_EQ(o->mGivenToolsAfterEvent[1].name, "c");
    EXPECT_EQ(o->mGivenToolsAfterEvent[1].mode, 0);
    EXPECT_EQ(o->mGivenToolsAfterEvent[1].owner, nullptr);
    EXPECT_EQ(Load(R"(tools="lamp" maxclicks="5")")->mMaxClicks, 5);
}

TEST_F(ObjectTest, WrongToolHintsAndReloading) {
    TXml xml(R"(<object tools="lamp" tasks="t" flags="f" states="a.b">
        <wrongtoolhint tool="key" hints="h1, h2"/><wrongtoolhint hints="h3"/></object>)");
    TObject object;
    object.LoadFromXml(xml.Root(), "");
    // Loading the element again gives the same lists, not doubled ones.
    object.LoadFromXml(xml.Root(), "");
    ASSERT_EQ(object.mWrongToolHints.size(), 2u);
    EXPECT_EQ(object.mWrongToolHints[0].tool, "key");
    EXPECT_EQ(object.mWrongToolHints[0].hints, (Strings{"h1", "h2"}));
    EXPECT_EQ(object.mWrongToolHints[1].tool, "");
    EXPECT_EQ(object.mGivenTools.size(), 1u);
    // A second element without the lists leaves none of the first one's.
    TXml plain("<object/>");
    object.LoadFromXml(plain.Root(), "");
    EXPECT_TRUE(object.mWrongToolHints.empty());
    EXPECT_TRUE(object.mGivenTools.empty());
    EXPECT_TRUE(object.mTasks[kTasksClick].empty());
    EXPECT_TRUE(object.mFlags[kAfterClick].empty());
    EXPECT_TRUE(object.mStates[kAfterClick].empty());
}

TEST_F(ObjectTest, FrameStrip) {
    struct Case {
        const char* attributes;
        std::vector<TFrameBounds> frames;
        int currentFrame;
        int animMode;
    };
    const std::vector<Case> cases = {
        {R"(texrects="0.0.64.32" frames="6" texw="128" animmode="loop")",
         {{0, 0, 64, 32}, {64, 0, 128, 32}, {0, 32, 64, 64}, {64, 32, 128, 64}, {0, 64, 64, 96}, {64, 64, 128, 96}},
         0,
         TObject::kAnimLoop},
        // Without "texrects" none of the frame attributes is read.
        {R"(frames="6" texw="128" startframe="2" animmode="loop")", {}, 0, TObject::kAnimNone},
        {R"(texrects="0.0.64" frames="2" texw="128")", {}, 0, TObject::kAnimNone},
        // Narrower than one frame, or no strip width: one column.
        {R"(texrects="0.0.64.32" frames="3" animmode="noloop")",
         {{0, 0, 64, 32}, {0, 32, 64, 64}, {0, 64, 64, 96}},
         0,
         TObject::kAnimNoLoop},
        {R"(texrects="0.0.0.32" frames="2" texw="128")", {{0, 0, 0, 32}, {0, 32, 0, 64}}, 0, TObject::kAnimNone},
        {R"(texrects="0.0.64.32" frames="4" texw="256" startframe="2" animmode="pingpong")",
         {{0, 0, 64, 32}, {64, 0, 128, 32}, {128, 0, 192, 32}, {192, 0, 256, 32}},
         2,
         TObject::kAnimNone},
        // A start frame outside the list is held inside it.
        {R"(texrects="0.0.64.32" frames="4" texw="256" startframe="9")",
         {{0, 0, 64, 32}, {64, 0, 128, 32}, {128, 0, 192, 32}, {192, 0, 256, 32}},
         3,
         TObject::kAnimNone},
        {R"(texrects="0.0.64.32" frames="2" texw="128" startframe="-3")",
         {{0, 0, 64, 32}, {64, 0, 128, 32}},
         0,
         TObject::kAnimNone},
        {R"(texrects="0.0.64.32" frames="-2" texw="128" startframe="1" animmode="loop")", {}, 0, TObject::kAnimLoop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto o = Load(c.attributes);
        EXPECT_EQ(o->mFrames, c.frames);
        EXPECT_EQ(o->mCurrentFrame, c.currentFrame);
        EXPECT_EQ(o->mAnimMode, c.animMode);
    }
    auto huge = Load(R"(id="big" texrects="0.0.8.8" frames="100000000" texw="64")");
    EXPECT_EQ(huge->mFrames.size(), 4096u);
    EXPECT_TRUE(harness::LogContains("object big: 100000000 frames cut to 4096"));
}

} // namespace
