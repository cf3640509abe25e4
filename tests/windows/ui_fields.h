#pragma once
// Test helpers for the interface descriptions: load inline XML into a holder, and print every field
// of a box or a style as text under the attribute name that sets it, so case tables can name what
// they expect.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include <tinyxml.h>

#include "app/string_utils.h"
#include "windows/ui_box.h"
#include "windows/ui_button_box.h"
#include "windows/ui_image_box.h"
#include "windows/ui_info_holder.h"
#include "windows/ui_style.h"
#include "windows/ui_text_box.h"
#include "windows/ui_tutorial_box.h"
#include "windows/ui_window_box.h"

namespace uitest {

using Fields = std::map<std::string, std::string>;

// Parses the text and loads its root into the holder; fails the test when the text is no XML.
inline void LoadText(TUIInfoHolder& holder, const std::string& xml) {
    TiXmlDocument document;
    document.Parse(xml.c_str());
    ASSERT_FALSE(document.Error()) << document.ErrorDesc() << "\n" << xml;
    holder.LoadFromXml(document.RootElement());
}

// A document with the given styles and objects under one root.
inline std::string Doc(const std::string& body) {
    return "<ui>" + body + "</ui>";
}

inline std::string Text(int value) {
    return std::to_string(value);
}
inline std::string Text(bool value) {
    return value ? "1" : "0";
}
inline std::string Text(float value) {
    return FormatString("%g", value);
}
inline std::string Text(const std::string& value) {
    return value;
}
inline std::string Text(const TColor& c) {
    const auto byte = [](float v) { return static_cast<int>(std::lround(v * 255.0f)); };
    return FormatString("%d.%d.%d.%d", byte(c.r), byte(c.g), byte(c.b), byte(c.a));
}
inline std::string Text(const TUIRect& r) {
    return FormatString("%d.%d.%d.%d", r.x, r.y, r.w, r.h);
}

inline void AddStates(Fields& f, const TUIButtonStates& s) {
    f["normalrect"] = Text(s.rects[TUIButtonStates::kNormal]);
    f["overrect"] = Text(s.rects[TUIButtonStates::kOver]);
    f["downrect"] = Text(s.rects[TUIButtonStates::kDown]);
    f["disabledrect"] = Text(s.rects[TUIButtonStates::kDisabled]);
    f["states"] = Text(s.states);
}

inline void AddButton(Fields& f, const TUIMyButton& b) {
    f["image"] = b.mImage, f["disabled"] = Text(b.mDisabled), f["visible"] = Text(b.mVisible);
    AddStates(f, b.mStates);
    f["text"] = b.mText, f["font"] = b.mFont, f["downtextoff"] = Text(b.mDownTextOff);
    f["checkbox"] = Text(b.mCheckbox), f["textrect"] = Text(b.mTextRect), f["textashint"] = Text(b.mTextAsHint);
    f["hintx"] = Text(b.mHintX), f["hinty"] = Text(b.mHintY);
    f["captionoffx"] = Text(b.mCaptionOffX), f["captionoffy"] = Text(b.mCaptionOffY);
    f["minalpha"] = Text(b.mMinAlpha), f["vh"] = Text(b.mVH), f["vw"] = Text(b.mVW);
    f["flags"] = Text(b.mFlags), f["wrapped"] = Text(b.mWrapped), f["scale"] = Text(b.mScale);
    if (const auto* r = dynamic_cast<const TUIRegenerateButton2Info*>(&b)) {
        f["offx"] = Text(r->mOffX), f["offy"] = Text(r->mOffY);
        f["time1"] = Text(r->mTime1), f["time2"] = Text(r->mTime2);
    }
    if (const auto* v = dynamic_cast<const TRegenerateVideoButton2Info*>(&b)) {
        f["fill"] = v->mFill, f["top"] = v->mTop, f["back"] = v->mBack;
        f["over2"] = v->mOver2, f["over"] = v->mOver, f["blocked"] = v->mBlocked;
        f["over2x"] = Text(v->mOver2X), f["over2y"] = Text(v->mOver2Y), f["overx"] = Text(v->mOverX);
        f["overy"] = Text(v->mOverY), f["topx"] = Text(v->mTopX), f["topy"] = Text(v->mTopY);
        f["backx"] = Text(v->mBackX), f["backy"] = Text(v->mBackY);
        f["blockedx"] = Text(v->mBlockedX), f["blockedy"] = Text(v->mBlockedY);
        f["fillalpha"] = Text(v->mFillAlpha);
    }
}

inline void AddText(Fields& f, const TUIText& t) {
    f["font"] = t.mFont, f["flags"] = Text(t.mFlags), f["text"] = t.mText, f["dofinger"] = Text(t.mDoFinger);
    if (const auto* i = dynamic_cast<const TUIImageText*>(&t)) {
        f["wrapped"] = Text(i->mWrapped), f["overcolor"] = Text(i->mOverColor);
        f["selectedcolor"] = Text(i->mSelectedColor);
    }
    if (const auto* e = dynamic_cast<const TUIEdit*>(&t)) {
        f["backcolor"] = Text(e->mBackColor), f["outlinecolor"] = Text(e->mOutlineColor);
        f["textcolor"] = Text(e->mTextColor), f["hilitecolor"] = Text(e->mHiliteColor);
        f["hilitetextcolor"] = Text(e->mHiliteTextColor), f["drawoutline"] = Text(e->mDrawOutline);
    }
}

inline void AddArrow(Fields& f, const std::string& p, const TUITutorialArrow& a) {
    f[p + "x"] = Text(a.x), f[p + "y"] = Text(a.y), f[p + "cx"] = Text(a.cx), f[p + "cy"] = Text(a.cy);
    f[p + "hascenter"] = Text(a.HasCenter()), f[p + "a"] = Text(a.angle), f[p + "scale"] = Text(a.scale);
    f[p + "scalemin"] = Text(a.scaleMin), f[p + "scalemax"] = Text(a.scaleMax);
    f[p + "scaletime"] = Text(a.scaleTime), f[p + "alphamin"] = Text(a.alphaMin);
    f[p + "alphamax"] = Text(a.alphaMax), f[p + "alphatime"] = Text(a.alphaTime), f[p + "image"] = a.image;
}

inline void AddTutorial(Fields& f, const TUIBaseBox& box) {
    if (const auto* t = dynamic_cast<const TUITutorial*>(&box)) {
        f["statestr"] = t->mStateStr, f["text1"] = t->mText1, f["text2"] = t->mText2;
        f["clicktocontinue"] = Text(t->mClickToContinue), f["showskipbtn"] = Text(t->mShowSkipButton);
        f["finalize"] = Text(t->mFinalize), f["hide_fast"] = Text(t->mHideFast), f["scale"] = Text(t->mScale);
        f["arrows"] = Text(static_cast<int>(t->mArrows.size()));
        for (size_t i = 0; i < t->mArrows.size(); ++i) {
            AddArrow(f, "arrow" + std::to_string(i) + ".", t->mArrows[i]);
        }
    }
    if (const auto* w = dynamic_cast<const TUITutorialWindow*>(&box)) {
        f["x1"] = Text(w->mX1), f["y1"] = Text(w->mY1), f["w1"] = Text(w->mW1), f["h1"] = Text(w->mH1);
        f["x2"] = Text(w->mX2), f["y2"] = Text(w->mY2), f["w2"] = Text(w->mW2), f["h2"] = Text(w->mH2);
        f["font"] = w->mFont, f["fs1"] = Text(w->mFs1), f["fs2"] = Text(w->mFs2);
    }
}

inline void AddWindow(Fields& f, const TUIBaseBox& box) {
    if (const auto* c = dynamic_cast<const TUIClassicWindow*>(&box)) {
        f["fade"] = Text(c->mFade), f["image"] = c->mImage, f["alphatime"] = Text(c->mAlphaTime);
    }
    if (const auto* w = dynamic_cast<const TUIFlyWindow*>(&box)) {
        f["x1"] = Text(w->mX1), f["y1"] = Text(w->mY1), f["x2"] = Text(w->mX2), f["y2"] = Text(w->mY2);
        f["restx"] = Text(w->mRestX), f["resty"] = Text(w->mRestY);
        f["time"] = Text(w->mTime), f["stay"] = Text(w->mStay);
        f["flyinsound"] = w->mFlyInSound, f["flyoutsound"] = w->mFlyOutSound;
    }
}

inline void AddPanel(Fields& f, const TUIBaseBox& box) {
    if (const auto* l = dynamic_cast<const TUIListBox*>(&box)) {
        f["rows"] = Text(l->mRows), f["cols"] = Text(l->mCols), f["tx"] = Text(l->mTX), f["ty"] = Text(l->mTY);
        f["time"] = Text(l->mTime), f["font"] = l->mFont;
    }
    if (const auto* t = dynamic_cast<const TUIToolHolder*>(&box)) {
        f["slotcount"] = Text(t->mSlotCount), f["offy"] = Text(t->mOffY), f["cellw"] = Text(t->mCellW);
        f["cellh"] = Text(t->mCellH), f["maxy"] = Text(t->mMaxY), f["activebox"] = Text(t->mActiveBox);
        f["uptime"] = Text(t->mUpTime), f["hidetime"] = Text(t->mHideTime), f["font"] = t->mFont;
    }
    if (const auto* h = dynamic_cast<const TUIHintBox*>(&box)) {
        f["tx"] = Text(h->mTX), f["ty"] = Text(h->mTY), f["font"] = h->mFont;
    }
    if (const auto* b = dynamic_cast<const TUIBackBox*>(&box)) {
        f["image"] = b->mImage;
    }
    if (const auto* t = dynamic_cast<const TUITaskBox*>(&box)) {
        f["font"] = t->mFont;
    }
}

inline void AddSliderLook(Fields& f, const TUISliderLook& look) {
    f["image"] = look.image, f["tumb"] = look.thumb, f["yoffset"] = Text(look.yOffset);
    f["xoffset"] = Text(look.xOffset), f["value"] = Text(look.value);
    f["ytumboffset"] = Text(look.yThumbOffset), f["tumbw"] = Text(look.thumbW), f["tumbh"] = Text(look.thumbH);
}

inline void AddImage(Fields& f, const TUIBaseBox& box) {
    if (const auto* i = dynamic_cast<const TUIMyImage*>(&box)) {
        f["image"] = i->mImage, f["image2"] = i->mImage2, f["dofinger"] = Text(i->mDoFinger);
        f["cursorover"] = i->mCursorOver, f["drawmode"] = Text(i->mDrawMode), f["a"] = Text(i->mAlpha);
        f["needcache"] = Text(i->mNeedCache), f["imagechecked"] = i->mImageChecked;
        f["checkedx"] = Text(i->mCheckedX), f["checkedy"] = Text(i->mCheckedY);
        f["draw2x"] = Text(i->mDraw2X), f["draw2y"] = Text(i->mDraw2Y);
        f["draw1x"] = Text(i->mDraw1X), f["draw1y"] = Text(i->mDraw1Y);
        f["checked"] = Text(i->mChecked), f["draw2"] = Text(i->mDraw2);
    }
    if (const auto* s = dynamic_cast<const TUIBaseSlider*>(&box)) {
        AddSliderLook(f, s->mLook);
    }
}

// Every field of the box, named after the attribute that sets it ("kind", "name" and a few derived
// values such as "restx" have no attribute).
inline Fields FieldsOf(const TUIBaseBox& box) {
    Fields f;
    f["kind"] = Text(box.mKind), f["name"] = box.mName, f["param"] = box.mParam;
    f["float_param"] = Text(box.mFloatParam), f["x"] = Text(box.mX), f["y"] = Text(box.mY);
    f["w"] = Text(box.mW), f["h"] = Text(box.mH), f["id"] = Text(box.mId), f["color"] = Text(box.mColor);
    f["valign"] = Text(box.mVAlign), f["halign"] = Text(box.mHAlign), f["style"] = box.mStyleName;
    f["soundmouseenter"] = box.mSoundEnter, f["soundmouseleave"] = box.mSoundLeave;
    f["soundmousedown"] = box.mSoundDown, f["create"] = Text(box.mCreate);
    f["allowmousereaction"] = Text(box.mMouseReaction);
    if (const auto* b = dynamic_cast<const TUIMyButton*>(&box)) {
        AddButton(f, *b);
    }
    if (const auto* t = dynamic_cast<const TUIText*>(&box)) {
        AddText(f, *t);
    }
    AddTutorial(f, box);
    AddWindow(f, box);
    AddPanel(f, box);
    AddImage(f, box);
    return f;
}

inline Fields FieldsOf(const TUIStyle& style) {
    Fields f;
    f["w"] = Text(style.mW), f["h"] = Text(style.mH), f["valign"] = Text(style.mVAlign);
    f["halign"] = Text(style.mHAlign), f["color"] = Text(style.mColor), f["font"] = style.mFont;
    f["flags"] = Text(style.mFlags), f["dofinger"] = Text(style.mDoFinger);
    f["soundmouseenter"] = style.mSoundEnter, f["soundmouseleave"] = style.mSoundLeave;
    f["soundmousedown"] = style.mSoundDown;
    if (const auto* t = dynamic_cast<const TUITextStyle*>(&style)) {
        f["wrapped"] = Text(t->mWrapped), f["overcolor"] = Text(t->mOverColor);
        f["selectedcolor"] = Text(t->mSelectedColor);
    }
    if (const auto* b = dynamic_cast<const TUIButtonStyle*>(&style)) {
        f["image"] = b->mImage;
        AddStates(f, b->mStates);
        f["captionoffx"] = Text(b->mCaptionOffX), f["captionoffy"] = Text(b->mCaptionOffY);
        f["textrect"] = Text(b->mTextRect), f["minalpha"] = Text(b->mMinAlpha), f["vh"] = Text(b->mVH);
        f["vw"] = Text(b->mVW), f["downtextoff"] = Text(b->mDownTextOff), f["checkbox"] = Text(b->mCheckbox);
        f["wrapped"] = Text(b->mWrapped), f["scale"] = Text(b->mScale);
    }
    if (const auto* s = dynamic_cast<const TUISliderStyle*>(&style)) {
        AddSliderLook(f, s->mLook);
    }
    return f;
}

// One field of the first box of that name, or a marker text when there is no such box or field.
inline std::string FieldOf(const TUIInfoHolder& holder, const std::string& name, const std::string& field) {
    const TUIBaseBox* box = holder.FindObject(name);
    if (box == nullptr) {
        return "<no box " + name + ">";
    }
    Fields fields = FieldsOf(*box);
    auto found = fields.find(field);
    return found != fields.end() ? found->second : "<no field " + field + ">";
}

// One row of a case table: a document, the name of the box (or style) to look at, and the fields
// expected of it.
struct FieldCase {
    std::string xml;
    Fields expected;
    std::string name = "b";
};

inline void ExpectFields(const Fields& actual, const FieldCase& c) {
    for (const auto& [field, value] : c.expected) {
        auto found = actual.find(field);
        if (found == actual.end()) {
            ADD_FAILURE() << "no field " << field << " in\n" << c.xml;
            continue;
        }
        EXPECT_EQ(found->second, value) << "field " << field << " of\n" << c.xml;
    }
}

// Loads each case into a fresh holder and checks the box of the case's name.
inline void ExpectBoxCases(const std::vector<FieldCase>& cases) {
    for (const FieldCase& c : cases) {
        TUIInfoHolder holder;
        LoadText(holder, c.xml);
        const TUIBaseBox* box = holder.FindObject(c.name);
        if (box == nullptr) {
            ADD_FAILURE() << "no box " << c.name << " in\n" << c.xml;
            continue;
        }
        ExpectFields(FieldsOf(*box), c);
    }
}

inline void ExpectStyleCases(const std::vector<FieldCase>& cases) {
    for (const FieldCase& c : cases) {
        TUIInfoHolder holder;
        LoadText(holder, c.xml);
        const TUIStyle* style = holder.FindStyle(c.name);
        if (style == nullptr) {
            ADD_FAILURE() << "no style " << c.name << " in\n" << c.xml;
            continue;
        }
        ExpectFields(FieldsOf(*style), c);
    }
}

} // namespace uitest
