// The ball mechanisms: the launcher's shot, bounce, landing and delivery; the gun ball's flight, the
// barrier that turns it back or carries it off; the shutter that slides aside and drops its ball.

#include <sstream>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/ball_objects.h"
#include "objects/cadr_object.h"
#include "objects/slider_objects.h"

namespace {

using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TXml;

using Strings = std::vector<std::string>;

class BallTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
    }

    // Loads the scene into a fresh space, shows it, and returns the object of that id.
    template <typename T> T* Build(const std::string& scene, const std::string& id) {
        mSpace = std::make_unique<TRecordingSpace>();
        TXml xml(scene);
        mSpace->LoadObjectsFromXml(xml.Root(), "");
        mSpace->SetObjectsListener();
        for (const auto& object : mSpace->mObjects) {
            object->SetListener(&mListener);
            object->LoadResources();
        }
        mSpace->Show();
        auto* object = dynamic_cast<T*>(mSpace->FindObjectById(id));
        EXPECT_NE(object, nullptr) << id;
        return object;
    }

    // Saves every top-level object, loads the scene again and restores them.
    template <typename T> T* SaveAndReload(const std::string& scene, const std::string& id) {
        std::vector<TBaseBuffer> saved(mSpace->mObjects.size());
        for (size_t i = 0; i < saved.size(); ++i) {
            mSpace->mObjects[i]->SaveState(saved[i]);
        }
        std::unique_ptr<TRecordingSpace> old = std::move(mSpace);
        T* object = Build<T>(scene, id);
        for (size_t i = 0; i < saved.size(); ++i) {
            EXPECT_TRUE(RestoreObjectState(*mSpace->mObjects[i], saved[i]));
        }
        return object;
    }

    // The updates of every top-level object, n times 10 ms.
    void Updates(int n) {
        for (int i = 0; i < n; ++i) {
            for (const auto& object : mSpace->mObjects) {
                object->Update(0.01f);
            }
        }
    }

    TObject* Find(const std::string& id) { return mSpace->FindObjectById(id); }

    // The after-event reports: "unlock" and "lock" lines.
    Strings Reports() {
        Strings reports;
        for (const std::string& call : mListener.Take()) {
            if (call.rfind("unlock ", 0) == 0 || call.rfind("lock ", 0) == 0) {
                reports.push_back(call);
            }
        }
        return reports;
    }

    std::unique_ptr<TRecordingSpace> mSpace;
    TRecordingListener mListener;
};

// ---- ball shooter ----

// The spring (20 x 100 at y 300) tops the handle's travel; the handle is a vertical springed slider of 100
// pixels whose thumb is centred on (200, 100). The ball is 20 x 20 at x 50; the bar 120 x 20.
std::string ShooterScene(int barX, int barY) {
    return R"(<scene><object type="ball_shooter_object" id="shooter" ball="ball" bar="bar" handle="handle"
            spring="spring" del_pos="0" ach_px="600" ach_py="40" shot_sound="shot" kick_sound="kick" uae="prize">
        <object type="udflex" id="spring" name="spring.png" x="40" y="300"/>
        <object type="springedobj" id="handle" x="200" y="100" horiz="0" length="100" time="0.05" thumb="thumb.png"/>
        <object id="bar" x=")" +
           std::to_string(barX) + R"(" y=")" + std::to_string(barY) + R"(" w="120" h="20" moveable="1"/>
        <object id="ball" x="50" y="100" w="20" h="20" moveable="1"/>
    </object></scene>)";
}

struct ShooterStep {
    // "track", "pull DY" (press the thumb, drag it DY down, update once), "release", "update N",
    // "bar X Y", "save".
    std::string action;
    int state;
    int ballY;
    Strings sounds;
    Strings reports;
};

class BallShooterTest : public BallTest {
protected:
    void SetUp() override {
        BallTest::SetUp();
        WriteSolidImage("textures/spring.png", 20, 100, kGreen);
        WriteSolidImage("thumb.png", 20, 20, kRed);
    }
};

TEST_F(BallShooterTest, ShotBounceLandingAndDelivery) {
    struct Case {
        const char* name;
        int barX;
        int barY;
        std::vector<ShooterStep> steps;
    };
    const std::vector<Case> cases = {
        // Full pull: 33 pixels up, 1.06 less every update; the bar's underside at 190 is hit at y 186,
        // the ball bounces down from 180 and falls back onto the spring (284 once the handle is back).
        {"bounce",
         0,
         170,
         {{"update 1", 0, 100, {}, {}},
          {"track", 1, 100, {}, {}},
          {"update 1", 1, 284, {}, {}},
          {"pull 100", 1, 364, {}, {}},
          {"save", 1, 364, {}, {}},
          {"release", 2, 364, {"shot"}, {}},
          {"update 5", 2, 213, {}, {}},
          {"update 1", 2, 180, {"kick"}, {}},
          {"update 3", 2, 261, {}, {}},
          {"update 1", 1, 284, {}, {}}}},
        // A ball whose right edge is 15 pixels inside the bar counts for it.
        {"edge 15",
         55,
         170,
         {{"track", 1, 100, {}, {}},
          {"update 1", 1, 284, {}, {}},
          {"pull 100", 1, 364, {}, {}},
          {"release", 2, 364, {"shot"}, {}},
          {"update 6", 2, 180, {"kick"}, {}}}},
        // At 14 it passes by.
        {"edge 14",
         56,
         170,
         {{"track", 1, 100, {}, {}},
          {"update 1", 1, 284, {}, {}},
          {"pull 100", 1, 364, {}, {}},
          {"release", 2, 364, {"shot"}, {}},
          {"update 6", 2, 186, {}, {}}}},
        // Far to the side of the bar, at its height, the ball flies on.
        {"beside",
         400,
         170,
         {{"track", 1, 100, {}, {}},
          {"update 1", 1, 284, {}, {}},
          {"pull 100", 1, 364, {}, {}},
          {"release", 2, 364, {"shot"}, {}},
          {"update 6", 2, 186, {}, {}}}},
        // Half pull (16.5 up): the bar moves in over the falling ball, which lands on it, rides along, and
        // is delivered once the bar is left of 0.
        {"landing",
         300,
         230,
         {{"track", 1, 100, {}, {}},
          {"update 1", 1, 284, {}, {}},
          {"pull 50", 1, 334, {}, {}},
          {"release", 2, 334, {"shot"}, {}},
          {"update 16", 2, 205, {}, {}},
          {"bar 0 230", 2, 205, {}, {}},
          {"update 1", 3, 212, {}, {}},
          {"save", 3, 212, {}, {}},
          {"bar 10 200", 3, 212, {}, {}},
          {"update 1", 3, 182, {}, {}},
          {"bar -1 200", 3, 182, {}, {}},
          {"update 1", 4, 182, {}, {}},
          {"update 31", 4, 40, {}, {"unlock //prize"}},
          {"update 5", 4, 40, {}, {}}}},
    };
    for (const Case& c : cases) {
        for (const bool withSave : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (withSave ? " saved" : ""));
            const std::string scene = ShooterScene(c.barX, c.barY);
            auto* shooter = Build<TBallShooterObject>(scene, "shooter");
            ASSERT_TRUE(shooter->HasParts());
            mSpace->mSounds.Take();
            for (const ShooterStep& step : c.steps) {
                SCOPED_TRACE(step.action);
                std::istringstream words(step.action);
                std::string verb;
                words >> verb;
                if (verb == "track") {
                    shooter->OnEffectorTrackFinished(0);
                } else if (verb == "pull") {
                    int dy = 0;
                    words >> dy;
                    shooter->OnMouseDown(At(200, 100));
                    shooter->OnMouseDrag(At(200, 100 + dy));
                    Updates(1);
                } else if (verb == "release") {
                    EXPECT_FALSE(shooter->OnMouseUp(At(200, 100)));
                } else if (verb == "update") {
                    int n = 0;
                    words >> n;
                    Updates(n);
                } else if (verb == "bar") {
                    int x = 0, y = 0;
                    words >> x >> y;
                    Find("bar")->SetPosition(static_cast<float>(x), static_cast<float>(y), true);
                } else if (withSave) {
                    shooter = SaveAndReload<TBallShooterObject>(scene, "shooter");
                    mSpace->mSounds.Take();
                }
                EXPECT_EQ(shooter->mState, step.state);
                EXPECT_EQ(static_cast<int>(Find("ball")->mY), step.ballY);
                EXPECT_EQ(mSpace->mSounds.Take(), step.sounds);
                EXPECT_EQ(Reports(), step.reports);
            }
        }
    }
}

TEST_F(BallShooterTest, DeliveredShooterLocksAndTakesNoPull) {
    auto* shooter = Build<TBallShooterObject>(ShooterScene(300, 230), "shooter");
    shooter->mState = TBallShooterObject::kRiding;
    Find("bar")->SetPosition(-5, 230, true);
    Updates(40);
    EXPECT_TRUE(shooter->IsLocked());
    EXPECT_EQ(static_cast<int>(Find("ball")->mX), 600);
    auto* handle = dynamic_cast<TSpringedObject*>(Find("handle"));
    shooter->OnMouseDown(At(200, 100));
    EXPECT_FALSE(handle->IsDragging());
    EXPECT_FALSE(shooter->OnMouseDrag(At(200, 150)));
}

TEST_F(BallShooterTest, SavedRecordLayout) {
    auto* shooter = Build<TBallShooterObject>(ShooterScene(0, 170), "shooter");
    shooter->mState = 2;
    shooter->mSpeed = 16.5f;
    shooter->mDeceleration = 1.06f;
    TBaseBuffer own, plain;
    shooter->SaveState(own);
    shooter->TObject::SaveState(plain);
    ASSERT_EQ(own.GetSize(), plain.GetSize() + 2 + 4 + 4 + 54);
    const std::vector<uint8_t> bytes(own.GetBytes().begin() + plain.GetSize(),
                                     own.GetBytes().begin() + plain.GetSize() + 10);
    // 2; 16500; 1060, little-endian.
    EXPECT_EQ(bytes, (std::vector<uint8_t>{2, 0, 0x74, 0x40, 0, 0, 0x24, 0x04, 0, 0}));
}

// Children missing or of the wrong kind: logged, and the launcher does nothing.
TEST_F(BallShooterTest, WithoutItsPartsDoesNothing) {
    const std::string scene = R"(<scene><object type="ball_shooter_object" id="shooter" ball="ball" bar="bar"
            handle="handle" spring="spring">
        <object id="spring" x="40" y="300" w="20" h="100"/>
        <object type="springedobj" id="handle" x="200" y="100" horiz="0" length="100" time="0.05" thumb="thumb.png"/>
        <object id="bar" w="120" h="20"/><object id="ball" x="50" y="100" w="20" h="20"/>
    </object></scene>)";
    auto* shooter = Build<TBallShooterObject>(scene, "shooter");
    EXPECT_FALSE(shooter->HasParts());
    shooter->OnEffectorTrackFinished(0);
    shooter->OnMouseDown(At(200, 100));
    shooter->OnMouseDrag(At(200, 190));
    shooter->OnMouseUp(At(200, 190));
    Updates(5);
    EXPECT_EQ(shooter->mState, TBallShooterObject::kOnSpring);
    EXPECT_EQ(static_cast<int>(Find("ball")->mY), 100);
}

// The room draws the launcher through its children: the spring shrinks as the handle is pulled.
TEST_F(BallShooterTest, DrawShowsTheStretchedSpring) {
    const std::string scene = R"(<scene><object type="ball_shooter_object" id="shooter" ball="ball" bar="bar"
            handle="handle" spring="spring">
        <object type="udflex" id="spring" name="spring.png" x="4" y="0"/>
        <object type="springedobj" id="handle" x="200" y="100" horiz="0" length="100" time="0.05" thumb="thumb.png"/>
        <object id="bar" w="1" h="1" x="100"/><object id="ball" x="100" y="100" w="20" h="20"/>
    </object></scene>)";
    WriteSolidImage("textures/spring.png", 8, 30, kGreen);
    auto* shooter = Build<TBallShooterObject>(scene, "shooter");
    Updates(1);
    BeginCanvas();
    shooter->Draw(1.0f);
    ExpectPixels({{6, 1, kGreenPixel}, {6, 28, kGreenPixel}, {14, 10, kBlack}});
    shooter->OnMouseDown(At(200, 100));
    shooter->OnMouseDrag(At(200, 150));
    Updates(1);
    // Half pulled: half as tall, the bottom kept at 30.
    BeginCanvas();
    shooter->Draw(1.0f);
    ExpectPixels({{6, 13, kBlack}, {6, 16, kGreenPixel}, {6, 28, kGreenPixel}});
}

// ---- gun ball ----

// A 10 x 10 ball at (0, 100) shot up to (0, 0); a barrier 50 x 10.
std::string GunScene(int barrierX, int barrierY) {
    return R"(<scene><object type="gun_ball" id="gun" x="0" y="100" w="10" h="10" endX="0" endY="0"
            barrier="barrier" offBoardX="150" deliveredX="300" deliveredY="5" uae="won"/>
        <object id="barrier" x=")" +
           std::to_string(barrierX) + R"(" y=")" + std::to_string(barrierY) + R"(" w="50" h="10" moveable="1"/>
    </scene>)";
}

constexpr int kUnchecked = -9999;

struct GunStep {
    // "activate", "update N" (10 ms each), "barrier X Y", "save".
    std::string action;
    int state;
    int x;
    int y;
    Strings reports;
};

TEST_F(BallTest, GunBallFliesAndRidesTheBarrier) {
    struct Case {
        const char* name;
        int barrierX;
        int barrierY;
        std::vector<GunStep> steps;
    };
    const std::vector<Case> cases = {
        // Out in 1.2 s, a pause of 0.07 s, back in 1.2 s; a second activation does nothing.
        {"plain",
         400,
         0,
         {{"save", 0, 0, 100, {}},
          {"activate", 1, 0, 100, {}},
          {"update 60", 1, 0, 50, {}},
          {"update 61", 2, 0, 0, {}},
          {"update 8", 3, 0, 0, {}},
          {"update 122", 0, 0, 100, {}},
          {"activate", 0, 0, 100, {}},
          {"update 50", 0, 0, 100, {}}}},
        // The barrier's underside at 70 turns the ball back early; it then flies home.
        {"turned back",
         -20,
         60,
         {{"save", 0, 0, 100, {}},
          {"activate", 1, 0, 100, {}},
          {"update 30", 1, 0, 75, {}},
          // Turned back between 63 and 69: the underside is within 7 pixels and the two overlap.
          {"update 10", 3, 0, kUnchecked, {}},
          {"update 125", 0, 0, 100, {}}}},
        // Moved under the returning ball, the barrier catches it, carries it and, passing x 150 in one
        // jump, has it delivered; locked while the ball flies off, unlocked after.
        {"carried",
         400,
         0,
         {{"activate", 1, 0, 100, {}},
          {"update 130", 3, 0, 0, {}},
          {"barrier -20 30", 3, 0, 0, {}},
          {"update 30", 4, 0, 20, {}},
          {"barrier 100 30", 4, 0, 20, {}},
          {"update 1", 4, 120, 20, {}},
          {"barrier 160 30", 4, 120, 20, {}},
          {"update 1", 5, 120, 20, {}},
          {"update 52", 6, 300, 5, {"unlock //won"}},
          // Delivered: hidden in the record, so a restored ball stays done and is not shot again.
          {"save", 6, kUnchecked, kUnchecked, {}},
          {"activate", 6, kUnchecked, kUnchecked, {}},
          {"update 200", 6, kUnchecked, kUnchecked, {}}}},
        // Carried away from x 150, it rides for ever.
        {"carried away",
         400,
         0,
         {{"activate", 1, 0, 100, {}},
          {"save", 1, 0, 100, {}},
          {"update 130", 3, 0, 0, {}},
          {"barrier -20 30", 3, 0, 0, {}},
          {"update 30", 4, 0, 20, {}},
          {"barrier -60 30", 4, 0, 20, {}},
          {"update 200", 4, -40, 20, {}}}},
    };
    for (const Case& c : cases) {
        for (const bool withSave : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (withSave ? " saved" : ""));
            const std::string scene = GunScene(c.barrierX, c.barrierY);
            auto* gun = Build<TGunBallObject>(scene, "gun");
            ASSERT_EQ(gun->mBarrier, Find("barrier"));
            for (const GunStep& step : c.steps) {
                SCOPED_TRACE(step.action);
                std::istringstream words(step.action);
                std::string verb;
                words >> verb;
                if (verb == "activate") {
                    gun->ActivateDefault();
                } else if (verb == "update") {
                    int n = 0;
                    words >> n;
                    Updates(n);
                } else if (verb == "barrier") {
                    int x = 0, y = 0;
                    words >> x >> y;
                    Find("barrier")->SetPosition(static_cast<float>(x), static_cast<float>(y), true);
                } else if (withSave) {
                    gun = SaveAndReload<TGunBallObject>(scene, "gun");
                }
                EXPECT_EQ(gun->mState, step.state);
                if (step.x != kUnchecked) {
                    EXPECT_EQ(static_cast<int>(gun->mX), step.x);
                }
                EXPECT_EQ(gun->mVisible, gun->mState != TGunBallObject::kDone);
                if (step.y != kUnchecked) {
                    EXPECT_EQ(static_cast<int>(gun->mY), step.y);
                }
                // Locked only while it carries the ball off.
                EXPECT_EQ(Find("barrier")->IsLocked(), gun->mState == TGunBallObject::kDelivering);
                EXPECT_EQ(Reports(), step.reports);
            }
        }
    }
}

// A barrier declared after the ball is found when the space is shown; an unknown one is logged and the
// ball flies without it.
TEST_F(BallTest, GunBallFindsALaterBarrier) {
    auto* gun = Build<TGunBallObject>(GunScene(400, 0), "gun");
    EXPECT_EQ(gun->mBarrier, Find("barrier"));
    auto* lonely = Build<TGunBallObject>(
        R"(<scene><object type="gun_ball" id="gun" x="0" y="100" w="10" h="10" barrier="nowhere"/></scene>)", "gun");
    EXPECT_EQ(lonely->mBarrier, nullptr);
    lonely->ActivateDefault();
    Updates(300);
    EXPECT_EQ(lonely->mState, TGunBallObject::kIdle);
}

// A delivered ball is hidden: the room no longer draws it.
TEST_F(BallTest, GunBallDrawnAtItsFlightPoint) {
    WriteSolidImage("textures/ball.png", 4, 4, kRed);
    auto* gun = Build<TGunBallObject>(
        R"(<scene><object type="gun_ball" id="gun" name="ball.png" x="2" y="26" endX="26" endY="2"/></scene>)", "gun");
    BeginCanvas();
    gun->Draw(1.0f);
    ExpectPixels({{3, 27, kRedPixel}, {27, 3, kBlack}});
    gun->ActivateDefault();
    Updates(125);
    BeginCanvas();
    gun->Draw(1.0f);
    ExpectPixels({{3, 27, kBlack}, {27, 3, kRedPixel}, {14, 14, kBlack}});
}

// ---- shutter ----

// A 20 x 20 shutter at (100, 0) over its 10 x 10 ball; "shutter_offset" 100, "ball_offset" 50.
constexpr const char* kShutterScene = R"(<scene>
    <object type="shutter_object" id="shutter" x="100" y="0" w="20" h="20" shutter_offset="100" ball_offset="50"
            uae="dropped;open">
        <object type="cadrobj" id="sh_ball" x="105" y="5" w="10" h="10" active="0"/>
    </object></scene>)";

TEST_F(BallTest, ShutterSlidesThenDropsItsBall) {
    struct Step {
        // "activate", "update N", "save".
        std::string action;
        int state;
        int shutterX;
        int ballY;
        bool ballActive;
        Strings reports;
    };
    const std::vector<Step> steps = {
        {"save", 0, 100, 5, false, {}},
        {"activate", 1, 100, 5, false, {}},
        {"update 10", 1, 50, 5, false, {}},
        // Open after 0.2 s; the ball has dropped one update's worth (50 x 0.01 / 0.4) since.
        {"update 11", 2, 0, 6, true, {"unlock //open"}},
        {"update 20", 2, 0, 31, true, {}},
        {"save", 2, 0, 31, true, {}},
        {"update 21", 3, 0, 55, false, {"unlock //dropped"}},
        {"save", 3, 0, 55, false, {}},
        {"update 10", 3, 0, 55, false, {}},
    };
    for (const bool withSave : {false, true}) {
        SCOPED_TRACE(withSave ? "saved" : "");
        auto* shutter = Build<TShutterObject>(kShutterScene, "shutter");
        ASSERT_NE(shutter->mBall, nullptr);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.action);
            std::istringstream words(step.action);
            std::string verb;
            words >> verb;
            if (verb == "activate") {
                shutter->ActivateDefault();
            } else if (verb == "update") {
                int n = 0;
                words >> n;
                Updates(n);
            } else if (withSave) {
                shutter = SaveAndReload<TShutterObject>(kShutterScene, "shutter");
            }
            EXPECT_EQ(shutter->mState, step.state);
            EXPECT_EQ(static_cast<int>(shutter->mX), step.shutterX);
            // The ball stays where it hangs while the shutter slides.
            EXPECT_EQ(static_cast<int>(Find("sh_ball")->mX), 105);
            EXPECT_EQ(static_cast<int>(Find("sh_ball")->mY), step.ballY);
            EXPECT_EQ(Find("sh_ball")->IsActive(), step.ballActive);
            EXPECT_EQ(Reports(), step.reports);
        }
    }
}

TEST_F(BallTest, ShutterRecordAndItsBall) {
    auto* shutter = Build<TShutterObject>(kShutterScene, "shutter");
    TBaseBuffer own, plain;
    shutter->SaveState(own);
    shutter->TObject::SaveState(plain);
    ASSERT_EQ(own.GetSize(), plain.GetSize() + 1 + 54);
    EXPECT_EQ(own.GetBytes()[plain.GetSize()], 0);
    EXPECT_TRUE(shutter->IsMovable());
    EXPECT_EQ(shutter->GetTypeId(), 34);
    // A ball that is not a frame object is refused; the shutter still opens and reports.
    auto* plainBall = Build<TShutterObject>(R"(<scene><object type="shutter_object" id="shutter" x="100"
        shutter_offset="10" uae="dropped;open"><object id="sh_ball" x="105" y="5" w="10" h="10"/></object></scene>)",
                                            "shutter");
    EXPECT_EQ(plainBall->mBall, nullptr);
    plainBall->ActivateDefault();
    Updates(70);
    EXPECT_EQ(plainBall->mState, TShutterObject::kDone);
    EXPECT_EQ(static_cast<int>(Find("sh_ball")->mY), 5);
    EXPECT_EQ(Reports(), (Strings{"unlock //open", "unlock //dropped"}));
}

// Drawn by the room: the slid shutter and the dropped ball.
TEST_F(BallTest, ShutterDrawnOpenWithTheBallDropped) {
    WriteSolidImage("textures/lid.png", 8, 8, kBlue);
    WriteSolidImage("textures/pea.png", 4, 4, kRed);
    const std::string scene = R"(<scene><object type="shutter_object" id="shutter" name="lid.png" x="20" y="2"
            shutter_offset="16" ball_offset="20">
        <object type="cadrobj" id="sh_ball" name="pea.png" x="22" y="4" active="0"/></object></scene>)";
    auto* shutter = Build<TShutterObject>(scene, "shutter");
    BeginCanvas();
    shutter->Draw(1.0f);
    ExpectPixels({{21, 3, kBluePixel}, {23, 5, kRedPixel}, {5, 5, kBlack}});
    shutter->ActivateDefault();
    Updates(70);
    BeginCanvas();
    shutter->Draw(1.0f);
    ExpectPixels({{5, 5, kBluePixel}, {21, 3, kBlack}, {23, 25, kRedPixel}, {23, 5, kBlack}});
}

} // namespace
