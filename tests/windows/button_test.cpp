// Buttons and check boxes: frames from descriptions, visual states, drawing with captions, clicks driven
// through the window manager, hit rectangles and slides.

#include "app/string_utils.h"
#include "controls_fixture.h"
#include "windows/button.h"
#include "windows/ui_button_box.h"

namespace {

using wintest::LeftDown;
using wintest::LeftUp;
using wintest::Move;
using wintest::RightDown;
using wintest::RightUp;
using wintest::Send;
using Lines = std::vector<std::string>;

class TButtonRecorder : public TMyButtonListener {
public:
    void OnButtonMayClick(int, TMyWindow*, int, TMyButton*, bool& mayClick) override {
        lines.push_back("mayclick");
        mayClick = allowClick;
    }
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton*) override {
        lines.push_back(FormatString("click %d %s %d", parentId, parent ? parent->mName.c_str() : "-", buttonId));
    }
    void OnDisabledButtonClick(int, TMyWindow*, int, TMyButton*) override { lines.push_back("disabledclick"); }
    void OnButtonDown(int, TMyWindow*, int, TMyButton*) override { lines.push_back("down"); }
    void OnButtonEnter(int, TMyWindow*, int, TMyButton*) override { lines.push_back("enter"); }
    void OnButtonLeave(int, TMyWindow*, int, TMyButton*) override { lines.push_back("leave"); }
    void OnButtonMoveFinished(TMyButton*) override { lines.push_back("movefinished"); }
    void OnButtonMoveStarted(TMyButton*) override { lines.push_back("movestarted"); }
    void OnButtonRawUp(TMyButton*) override { lines.push_back("rawup"); }
    void OnButtonRawDown(TMyButton*) override { lines.push_back("rawdown"); }
    void OnButtonRawMove(TMyButton*) override { lines.push_back("rawmove"); }
    bool GetButtonState(TMyButton*, int& state) override {
        state = imposedState;
        return imposedState >= 0;
    }

    bool allowClick = true;
    int imposedState = -1;
    Lines lines;
};

class ButtonTest : public wintest::ControlsTest {
protected:
    TMyButton* MakeButton(const std::string& attributes, const std::string& name = "button") {
        LoadBoxes("<object name='" + name + "' type='button' " + attributes + "/>");
        return TMyButton::Create(Box<TUIMyButton>(name), mScreen);
    }
};

TEST_F(ButtonTest, FramesComeFromTheDescriptionAndTheImage) {
    WriteSolidImage("b/tall.png", 10, 100, kRed);
    struct Case {
        const char* attributes;
        int w, h;
        std::vector<int> rowY; // normal, over, down, disabled
    };
    const std::vector<Case> cases = {
        {"image='b/tall' states='2'", 10, 50, {0, 50, 50, 50}},
        {"image='b/tall' states='4'", 10, 25, {0, 25, 50, 75}},
        {"image='b/tall' states='3'", 10, 33, {0, 33, 66, 66}},
        {"image='b/tall' states='1'", 10, 100, {0, 0, 0, 0}},
        {"image='b/tall' states='0'", 10, 100, {0, 0, 0, 0}},
        {"image='b/tall' states='2' w='30' h='12'", 30, 12, {0, 12, 12, 12}},
        {"states='2'", 0, 0, {0, 0, 0, 0}},
        {"image='b/tall' normalrect='1.2.3.4' overrect='5.6.7.8' downrect='9.10.11.12' disabledrect='0.40.3.4'",
         10,
         25,
         {2, 6, 10, 40}},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        const std::string name = FormatString("b%d", index++);
        TMyButton* button = MakeButton(c.attributes, name);
        EXPECT_EQ(button->GetWidth(), c.w);
        EXPECT_EQ(button->GetHeight(), c.h);
        // The sizes found are written back into the description.
        EXPECT_EQ(Box<TUIMyButton>(name)->mW, c.w);
        EXPECT_EQ(Box<TUIMyButton>(name)->mH, c.h);
        for (int state = 0; state < TMyButton::kStateCount; ++state) {
            EXPECT_EQ(button->mStateRects[state].y, c.rowY[static_cast<size_t>(state)]) << "state " << state;
        }
    }
}

TEST_F(ButtonTest, TheDescriptionSetsStateBehaviourAndPlace) {
    TMyButton* button = MakeButton("x='100' y='40' w='40' h='20' halign='0' valign='0' id='5' disabled='1' "
                                   "checkbox='1' visible='0' allowmousereaction='0' vw='60' minalpha='0.5' "
                                   "soundmousedown='click'");
    EXPECT_EQ(button->GetX(), 80);
    EXPECT_EQ(button->GetY(), 30);
    EXPECT_EQ(button->mHomeX, 100);
    EXPECT_EQ(button->mHomeY, 40);
    EXPECT_EQ(button->mId, 5);
    EXPECT_TRUE(button->mDisabled);
    EXPECT_TRUE(button->mCheckbox);
    EXPECT_FALSE(button->mShown);
    EXPECT_FALSE(button->mInteractive);
    EXPECT_EQ(button->mHitWidth, 60);
    EXPECT_FLOAT_EQ(button->mMinAlpha, 0.5f);
    EXPECT_EQ(button->mSoundDown, "click");
    EXPECT_EQ(button->GetCaption(), nullptr);
    EXPECT_EQ(button->GetType(), kWindowKindButton);
    EXPECT_TRUE(button->mHand);
}

TEST_F(ButtonTest, VisualStates) {
    TButtonRecorder recorder;
    struct Case {
        const char* what;
        bool checked, forced, pressed, hovered, disabled;
        int imposed;
        int state;
    };
    const std::vector<Case> cases = {
        {"normal", false, false, false, false, false, -1, TMyButton::kNormal},
        {"hovered", false, false, false, true, false, -1, TMyButton::kOver},
        {"pressed, pointer away", false, false, true, false, false, -1, TMyButton::kOver},
        {"pressed inside", false, false, true, true, false, -1, TMyButton::kDown},
        {"pressed inside but disabled", false, false, true, true, true, -1, TMyButton::kDisabled},
        {"disabled and hovered", false, false, false, true, true, -1, TMyButton::kDisabled},
        {"checked", true, false, false, false, true, -1, TMyButton::kDown},
        {"forced down", false, true, false, false, false, -1, TMyButton::kDown},
        {"imposed by the listener", true, false, false, false, false, TMyButton::kDisabled, TMyButton::kDisabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMyButton button;
        button.mButtonListener = &recorder;
        recorder.imposedState = c.imposed;
        button.mChecked = c.checked;
        button.SetForcedDown(c.forced);
        button.mPressed = c.pressed;
        button.mMouseOver = c.hovered;
        button.mDisabled = c.disabled;
        EXPECT_EQ(button.GetVisualState(), c.state);
    }
}

TEST_F(ButtonTest, EachStateDrawsItsRowOfTheStrip) {
    // Rows of 4 pixels: red, green, blue, white.
    WriteImage("b/strip.png", 4, 16, [](int, int y) {
        const uint32_t rows[] = {kRed, kGreen, kBlue, kWhite};
        return rows[y / 4];
    });
    WriteImage("b/short.png", 4, 8, [](int, int y) { return y < 4 ? kRed : kGreen; });
    struct Case {
        const char* what;
        const char* image;
        std::function<void(TMyButton*)> setup;
        TRgba colour;
    };
    const std::vector<Case> cases = {
        {"normal", "b/strip", [](TMyButton*) {}, kRedPixel},
        {"over", "b/strip", [](TMyButton* b) { b->mMouseOver = true; }, kGreenPixel},
        {"down", "b/strip", [](TMyButton* b) { b->mChecked = true; }, kBluePixel},
        {"disabled", "b/strip", [](TMyButton* b) { b->mDisabled = true; }, kWhitePixel},
        {"a row the strip lacks draws the normal frame", "b/short", [](TMyButton* b) { b->mDisabled = true; },
         kRedPixel},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = FormatString("b%d", index++);
        TMyButton* button = MakeButton(FormatString("x='2' y='3' states='4' h='4' image='%s'", c.image), name);
        c.setup(button);
        BeginCanvas();
        mScreen->Draw();
        ExpectPixels({{2, 3, c.colour}, {5, 6, c.colour}, {6, 3, kBlack}, {2, 7, kBlack}, {1, 3, kBlack}});
        button->mShown = false;
    }
}

TEST_F(ButtonTest, TheCaptionMovesWhilePressedAndShowsOnHoverAsAHint) {
    // No image: the caption still draws. Caption 20 x 8: baseline (3 + 8) / 2 - 1 = 4, so rows y + 1..y + 4.
    TMyButton* plain =
        MakeButton("x='2' y='2' w='20' h='8' text='AB' font='tiny' flags='2' downtextoff='2' color='255.255.255.255'");
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{2, 3, kWhitePixel}, {4, 6, kWhitePixel}, {2, 7, kBlack}, {5, 3, kBlack}});
    plain->mPressed = true;
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{4, 5, kWhitePixel}, {6, 8, kWhitePixel}, {2, 3, kBlack}});
    plain->mShown = false;

    TMyButton* hint = MakeButton(
        "x='2' y='2' w='20' h='8' text='AB' font='tiny' color='255.255.255.255' flags='2' textashint='1' hintx='10' "
        "hinty='10' downtextoff='2'",
        "hint");
    ASSERT_TRUE(hint->mTextAsHint);
    hint->mPressed = true;
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{12, 13, kBlack}, {2, 3, kBlack}});
    hint->mMouseOver = true;
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{12, 13, kWhitePixel}, {14, 16, kWhitePixel}, {14, 15, kWhitePixel}, {11, 13, kBlack}});
}

TEST_F(ButtonTest, ClicksThroughTheWindowManager) {
    mScreen->mId = 77;
    struct Case {
        const char* what;
        std::function<void(TMyButton*, TButtonRecorder&)> setup;
        std::vector<TInputEvent> inputs;
        Lines events;
        bool checked;
    };
    const std::function<void(TMyButton*, TButtonRecorder&)> none = [](TMyButton*, TButtonRecorder&) {};
    const Lines hover = {"enter", "rawmove"};
    const auto with = [&](Lines more) {
        Lines all = hover;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const std::vector<Case> cases = {
        {"click",
         none,
         {Move(20, 15), LeftDown(20, 15), LeftUp(20, 15)},
         with({"rawdown", "down", "rawup", "mayclick", "click 77 screen 3"}),
         false},
        {"the right button clicks too",
         none,
         {Move(20, 15), RightDown(20, 15), RightUp(20, 15)},
         with({"rawdown", "down", "rawup", "mayclick", "click 77 screen 3"}),
         false},
        {"press, leave, return, release",
         none,
         {Move(20, 15), LeftDown(20, 15), Move(100, 100, 1), Move(20, 15, 1), LeftUp(20, 15)},
         with({"rawdown", "down", "leave", "enter", "rawmove", "rawup"}),
         false},
        {"check box clicked once",
         [](TMyButton* b, TButtonRecorder&) { b->mCheckbox = true; },
         {Move(20, 15), LeftDown(20, 15), LeftUp(20, 15)},
         with({"rawdown", "down", "rawup", "mayclick", "click 77 screen 3"}),
         true},
        {"check box clicked twice",
         [](TMyButton* b, TButtonRecorder&) { b->mCheckbox = true; },
         {Move(20, 15), LeftDown(20, 15), LeftUp(20, 15), LeftDown(20, 15), LeftUp(20, 15)},
         with({"rawdown", "down", "rawup", "mayclick", "click 77 screen 3", "rawdown", "down", "rawup", "mayclick",
               "click 77 screen 3"}),
         false},
        {"a refused click does not toggle",
         [](TMyButton* b, TButtonRecorder& r) {
             b->mCheckbox = true;
             r.allowClick = false;
         },
         {Move(20, 15), LeftDown(20, 15), LeftUp(20, 15)},
         with({"rawdown", "down", "rawup", "mayclick"}),
         false},
        {"disabled after the press",
         none,
         {Move(20, 15), LeftDown(20, 15), wintest::Input(-2, 0), LeftUp(20, 15)},
         with({"rawdown", "down", "rawup", "disabledclick"}),
         false},
        {"a disabled button ignores presses",
         [](TMyButton* b, TButtonRecorder&) { b->mDisabled = true; },
         {Move(20, 15), LeftDown(20, 15), LeftUp(20, 15)},
         {"enter", "rawmove", "rawdown", "rawup"},
         false},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TButtonRecorder recorder;
        const std::string name = FormatString("b%d", index++);
        TMyButton* button = MakeButton("x='10' y='10' w='40' h='20' id='3'", name);
        button->mButtonListener = &recorder;
        c.setup(button, recorder);
        for (const TInputEvent& input : c.inputs) {
            if (input.kind == -2) {
                button->mDisabled = true; // a marker: disable between events
                continue;
            }
            Send({input});
        }
        EXPECT_EQ(recorder.lines, c.events);
        EXPECT_EQ(button->mChecked, c.checked);
        Send({Move(200, 150)});
        button->mButtonListener = nullptr;
        button->mShown = false;
    }
}

TEST_F(ButtonTest, HoveringShowsTheHandCursor) {
    MakeButton("x='10' y='10' w='40' h='20'");
    Send({Move(20, 15)});
    // The button asks for "handspot"; its hand flag then makes the manager show "hand".
    EXPECT_EQ(CursorName(), "hand");
    Send({Move(200, 150)});
    EXPECT_EQ(CursorName(), "default");
}

TEST_F(ButtonTest, HitRectanglesGrowWithTheHitBoxAndTheScale) {
    struct Case {
        const char* attributes;
        int x, y;
        bool hit;
    };
    const std::vector<Case> cases = {
        {"", 100, 50, true},          {"", 140, 50, false},         {"vw='60'", 90, 50, true},
        {"vw='60'", 89, 50, false},   {"vw='60'", 149, 69, true},   {"vw='60'", 150, 50, false},
        {"vw='30'", 99, 50, false},   {"vh='30'", 100, 45, true},   {"vh='30'", 100, 44, false},
        {"vh='30'", 139, 74, true},   {"scale='2'", 179, 89, true}, {"scale='2'", 180, 50, false},
        {"scale='2'", 99, 50, false},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attributes << " at " << c.x << "," << c.y);
        const std::string name = "hit" + std::to_string(index++);
        TMyButton* button = MakeButton(std::string("x='100' y='50' w='40' h='20' ") + c.attributes, name);
        EXPECT_EQ(button->ContainsPoint(c.x, c.y), c.hit);
    }
}

TEST_F(ButtonTest, MinimumAlphaRefusesTransparentPointsOfTheImageOnly) {
    // Left half transparent, right half opaque.
    WriteImage("b/half.png", 10, 10, [](int x, int) { return x < 5 ? 0x00000000u : kRed; });
    struct Case {
        const char* attributes;
        int lx, ly;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"image='b/half'", 2, 5, true},
        {"image='b/half' minalpha='0.5'", 2, 5, false},
        {"image='b/half' minalpha='0.5'", 7, 5, true},
        // The enlarged hit box beyond the image is not sampled.
        {"image='b/half' minalpha='0.5' vw='30'", -5, 5, true},
        {"image='b/half' minalpha='0.5' vw='30'", 12, 5, true},
        // Drawn twice the size: local 15 is image column 7, local 5 is column 2.
        {"image='b/half' minalpha='0.5' scale='2'", 15, 5, true},
        {"image='b/half' minalpha='0.5' scale='2'", 5, 5, false},
        {"minalpha='0.5' w='10' h='10'", 7, 5, false},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attributes << " at " << c.lx << "," << c.ly);
        TMyButton* button = MakeButton(std::string("states='1' ") + c.attributes, "b" + std::to_string(index++));
        EXPECT_EQ(button->AcceptsPoint(c.lx, c.ly), c.accepted);
    }
}

TEST_F(ButtonTest, ASlideCarriesTheButtonAndComesHome) {
    wintest::TFrames frames;
    TButtonRecorder recorder;
    TMyButton* button = MakeButton("x='10' y='20' w='40' h='20'");
    button->mButtonListener = &recorder;
    button->StartMove(110, 70, 1.0f);
    frames.Step(250);
    frames.Step(250);
    EXPECT_EQ(button->GetX(), 60);
    EXPECT_EQ(button->GetY(), 45);
    for (int frame = 0; frame < 3; ++frame) {
        frames.Step(250);
    }
    EXPECT_EQ(button->GetX(), 110);
    EXPECT_EQ(button->GetY(), 70);
    button->StartMoveHome(0.5f);
    for (int frame = 0; frame < 3; ++frame) {
        frames.Step(250);
    }
    EXPECT_EQ(button->GetX(), 10);
    EXPECT_EQ(button->GetY(), 20);
    EXPECT_EQ(recorder.lines, (Lines{"movestarted", "movefinished", "movefinished"}));
}

} // namespace
