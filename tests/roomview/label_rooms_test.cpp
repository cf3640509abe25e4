// The rooms of the path image, the text kinds, the texture-coordinate kinds and the input-routing kinds,
// played through the viewer's host: each step's reactions in order, the state the kinds' own rules give at
// chosen times, completion, and the same ending after a save and a restore into a fresh host.

#include <cmath>
#include <cstdio>

#include "objects/container_objects.h"
#include "objects/counter_movers.h"
#include "objects/input_objects.h"
#include "objects/text_objects.h"
#include "objects/uv_objects.h"
#include "room_table_fixture.h"
#include "windows/text_label.h"

namespace {

using roomtable::TStep;

class LabelRoomsTest : public roomtable::RoomTableTest {};

template <typename T> T* Kind(TRoomHost& host, const char* id) {
    auto* object = dynamic_cast<T*>(host.GetRoom()->FindObjectById(id));
    EXPECT_NE(object, nullptr) << id;
    return object;
}

// The room's path images in file order; they have no ids, since none of the object attributes apply.
std::vector<TrajectoryMoverCadrImage2Object*> PathImages(TRoomHost& host) {
    std::vector<TrajectoryMoverCadrImage2Object*> found;
    for (const auto& object : host.GetRoom()->GetObjects()) {
        if (auto* path = dynamic_cast<TrajectoryMoverCadrImage2Object*>(object.get())) {
            found.push_back(path);
        }
    }
    return found;
}

// Each path image's place on its path to the nearest 10 pixels, "~" while it moves, "." while it waits to
// start again, as "bird | stars"; "*" leaves one out.
std::function<void(TRoomHost&)> Paths(const std::string& bird, const std::string& stars) {
    return [bird, stars](TRoomHost& host) {
        const auto paths = PathImages(host);
        ASSERT_EQ(paths.size(), 2u);
        auto place = [](TrajectoryMoverCadrImage2Object* path) {
            auto near10 = [](float v) { return std::to_string(static_cast<int>(std::lround(v / 10)) * 10); };
            return near10(path->mMover.GetX()) + "," + near10(path->mMover.GetY()) +
                   (path->mMover.IsDone() ? "" : "~") + (path->mRestartTween.running ? "." : "");
        };
        if (bird != "*") {
            EXPECT_EQ(place(paths[0]), bird);
        }
        if (stars != "*") {
            EXPECT_EQ(place(paths[1]), stars);
        }
    };
}

// The bird flies its 1160-pixel arc in 1.2 s, its middle point (683, 260) half way; the stars run 766 pixels
// in 1 s. Each starts again on the frame after its pause has passed.
TEST_F(LabelRoomsTest, BirdAndStarsFlyTheirPathsAndStartAgainAfterTheirPauses) {
    const std::vector<TStep> steps = {
        {"wait 0", {}, Paths("200,560~", "300,700~")},
        // The bird's element named a picture, a place, a hidden flag and a reaction: none of them apply.
        {"wait 0",
         {},
         [](TRoomHost& host) {
             TObject* bird = PathImages(host).front();
             EXPECT_EQ(bird->mName, "");
             EXPECT_EQ(bird->mImageName, "");
             EXPECT_TRUE(bird->mVisible);
             EXPECT_TRUE(bird->mReactions[kUnlockAfterEvent].empty());
             EXPECT_TRUE(PathImages(host).front()->mUsesStrip);
             EXPECT_FALSE(PathImages(host).back()->mUsesStrip);
         }},
        // 0.3 s: the stars 30% along their line.
        {"wait 300", {}, Paths("*", "530,700~")},
        {"wait 300", {}, Paths("680,260~", "760,700~")},
        {"save", {"saved"}, nullptr},
        // The stars landed at 1 s and wait 0.3 s; the bird lands at 1.2 s and waits 0.4 s.
        {"wait 650", {}, Paths("1170,560.", "1070,700.")},
        // The stars run again from 1.31 s: 0.09 s along at 1.4 s.
        {"wait 150", {}, Paths("1170,560.", "370,700~")},
        // The bird runs again from 1.61 s: a few frames along its arc at 1.65 s; the stars 0.34 s along.
        {"wait 250",
         {},
         [](TRoomHost& host) {
             Paths("*", "560,700~")(host);
             TrajectoryMoverCadrImage2Object* bird = PathImages(host).front();
             EXPECT_FALSE(bird->mMover.IsDone());
             EXPECT_FALSE(bird->mRestartTween.running);
             EXPECT_LT(std::hypot(bird->mMover.GetX() - 200, bird->mMover.GetY() - 560), 60.0f);
             EXPECT_GT(bird->mMover.GetX(), 200.0f);
         }},
        {"click 1230 190", {}, nullptr},
        {"wait 300", {"event complete", "completed pathimage"}, nullptr},
    };
    PlayRoom("roomview/pathimage.xml", steps);
}

// Whether the plate is shown and where its label stands, the sign's shown image and lock, and the door's
// lock, as "plate 420,140 | sign 1 L | door L" ("-" for hidden or unlocked).
std::function<void(TRoomHost&)> Labels(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* plate = Kind<TTextObject>(host, "plate");
        auto* sign = Kind<TTextInfoSwitchImageObject>(host, "sign");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(plate && sign && door && plate->GetLabel());
        const std::string text =
            std::string(plate->mVisible ? "plate " : "- ") + std::to_string(plate->GetLabel()->GetX()) + "," +
            std::to_string(plate->GetLabel()->GetY()) + " | sign " + std::to_string(sign->mSwitcher.mShownIndex) +
            (sign->IsLocked() ? " L" : " -") + " | door" + (door->IsLocked() ? " L" : " -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(LabelRoomsTest, NotePlateAndSignOpenTheDoorWhereTheShownImageLies) {
    const std::vector<TStep> steps = {
        // The plate stands where its description's text box puts it, not at its own "x" and "y".
        {"wait 10",
         {},
         [](TRoomHost& host) {
             auto* note = Kind<TTextInfoObject>(host, "note");
             auto* plate = Kind<TTextObject>(host, "plate");
             ASSERT_TRUE(note && plate);
             EXPECT_EQ(note->mText, "The plate names the sign.");
             EXPECT_EQ(plate->GetX(), 420);
             EXPECT_EQ(plate->GetY(), 140);
             // No terms beside the rooms: the label shows its key, in the font the viewer read.
             EXPECT_EQ(plate->GetLabel()->mText, L"The lit side answers");
             EXPECT_NE(plate->GetLabel()->GetFont(), nullptr);
             Labels("- 420,140 | sign 1 L | door L")(host);
         }},
        // The locked sign takes no click, even on its shown image.
        {"click 740 420", {}, Labels("- 420,140 | sign 1 L | door L")},
        {"click note", {"show plate"}, Labels("plate 420,140 | sign 1 L | door L")},
        {"click plate", {"unlock sign"}, Labels("plate 420,140 | sign 1 - | door L")},
        {"save", {"saved"}, nullptr},
        // The sign's own picture and its first image are not where it answers.
        {"click 580 420", {}, Labels("plate 420,140 | sign 1 - | door L")},
        {"click 780 500", {}, Labels("plate 420,140 | sign 1 - | door L")},
        {"click 740 420", {"unlock door"}, Labels("plate 420,140 | sign 1 - | door -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed labels"}, nullptr},
    };
    PlayRoom("roomview/labels.xml", steps);
}

// The belt's and the river's v coordinates to the nearest 0.05 (each scroll starts on the frame after the
// last ended, so they trail their nominal values by a frame or two), and whether the door is locked.
std::function<void(TRoomHost&)> Belts(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* belt = Kind<TUVSpinObject>(host, "belt");
        auto* river = Kind<TUVSpinObject>(host, "river");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(belt && river && door);
        auto near = [](float v) { return static_cast<float>(std::lround(v * 20)) / 20 + 0.0f; };
        char text[96];
        std::snprintf(text, sizeof text, "%.2f..%.2f %.2f..%.2f%s", near(belt->mV1), near(belt->mV2), near(river->mV1),
                      near(river->mV2), door->IsLocked() ? " door" : " -");
        EXPECT_EQ(std::string(text), expected);
    };
}

TEST_F(LabelRoomsTest, BeltsScrollATileAtTheirPaceAndTheWindowOpensTheDoor) {
    const std::vector<TStep> steps = {
        // The window's u 0.5..2.25 and v 0..2 cut into three columns of two pieces.
        {"wait 0",
         {},
         [](TRoomHost& host) {
             auto* window = Kind<TUVObject>(host, "window");
             ASSERT_NE(window, nullptr);
             std::string cuts;
             for (const TUVPiece& piece : window->SplitIntoPieces()) {
                 char text[48];
                 std::snprintf(text, sizeof text, "%s%.2f,%.0f", cuts.empty() ? "" : " ", piece.u1, piece.v1);
                 cuts += text;
             }
             EXPECT_EQ(cuts, "0.50,0 0.50,1 1.00,0 1.00,1 2.00,0 2.00,1");
         }},
        // The belt waits half a second, then scrolls up a tile a second; the river down a tile in two.
        {"wait 300", {}, Belts("0.00..1.00 -0.15..1.35 door")},
        {"wait 200", {}, Belts("0.00..1.00 -0.25..1.25 door")},
        {"wait 500", {}, Belts("0.50..1.50 -0.50..1.00 door")},
        {"save", {"saved"}, nullptr},
        {"wait 500", {}, Belts("1.00..2.00 -0.75..0.75 door")},
        // A tile scrolled, the belt starts the next from its loaded place.
        {"wait 300", {}, Belts("0.30..1.30 -0.90..0.60 door")},
        {"click window", {"unlock door"}, Belts("0.30..1.30 -0.90..0.60 -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed uvbelts"}, nullptr},
    };
    PlayRoom("roomview/uvbelts.xml", steps);
}

// Which of the marks each press showed and where the others stand, as listed ids, "-" for hidden: the
// bulbs, the marks of the chips and bells, the triangle's mark, the glow, then the cards' drawing order, the
// frame's selection, the herald's armed flag and the door.
std::function<void(TRoomHost&)> Routing(const std::string& expected) {
    return [expected](TRoomHost& host) {
        std::string text;
        for (const char* id : {"bulb1", "bulb2", "mark_a", "mark_b", "tone_a", "tone_b", "tri_mark", "glow"}) {
            TObject* object = host.GetRoom()->FindObjectById(id);
            ASSERT_NE(object, nullptr) << id;
            text += std::string(text.empty() ? "" : " ") + (object->mVisible ? id : "-");
        }
        TObject* cards = host.GetRoom()->FindObjectById("cards");
        auto* hover = Kind<TMouseEnterObject>(host, "hover");
        auto* herald = Kind<TDialogObject>(host, "herald");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(cards && hover && herald && door);
        text += " |";
        for (const auto& card : cards->GetChildren()) {
            text += " " + card->mName;
        }
        text += std::string(" |") + (hover->mSelected ? " sel" : " -") + (herald->mArmed ? " armed" : " -") +
                (door->IsLocked() ? " L" : " -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(LabelRoomsTest, EachContainerRoutesItsPressAndTheFoundGroupArmsTheHerald) {
    const std::vector<TStep> steps = {
        {"wait 10", {}, Routing("- - - - - - - - | card_a card_b | - - L")},
        // The panel's own picture is hit too; its switch, inside it, takes the press and shows the group.
        {"click switch", {"show bulbs"}, Routing("bulb1 bulb2 - - - - - - | card_a card_b | - - L")},
        // The lower card, pressed where the other does not cover it, goes to the top.
        {"press 470 200", {}, Routing("bulb1 bulb2 - - - - - - | card_b card_a | - - L")},
        {"release 470 200", {}, nullptr},
        // Where the chips overlap, the first in the list takes the press; both bells hear theirs.
        {"click 860 170", {"show mark_a"}, Routing("bulb1 bulb2 mark_a - - - - - | card_b card_a | - - L")},
        {"click 1090 150",
         {"show tone_a", "show tone_b"},
         Routing("bulb1 bulb2 mark_a - tone_a tone_b - - | card_b card_a | - - L")},
        // The shape's rectangle holds this point, its triangle does not.
        {"click 300 580", {}, Routing("bulb1 bulb2 mark_a - tone_a tone_b - - | card_b card_a | - - L")},
        {"click 110 390",
         {"show tri_mark"},
         Routing("bulb1 bulb2 mark_a - tone_a tone_b tri_mark - | card_b card_a | - - L")},
        // The glow shows while the pointer is over the frame; a click selects the frame.
        {"move 480 460", {}, Routing("bulb1 bulb2 mark_a - tone_a tone_b tri_mark glow | card_b card_a | - - L")},
        {"click 480 460", {}, Routing("bulb1 bulb2 mark_a - tone_a tone_b tri_mark glow | card_b card_a | sel - L")},
        {"move 480 700", {}, Routing("bulb1 bulb2 mark_a - tone_a tone_b tri_mark - | card_b card_a | sel - L")},
        {"save", {"saved"}, nullptr},
        // One gem used up is not enough; the second fires the found group's after-event 0.
        {"click gem1", {}, Routing("bulb1 bulb2 mark_a - tone_a tone_b tri_mark - | card_b card_a | sel - L")},
        {"click gem2",
         {"activate herald"},
         Routing("bulb1 bulb2 mark_a - tone_a tone_b tri_mark - | card_b card_a | sel armed L")},
        {"click exit", {"room routing_side"}, nullptr},
        // Shown again, the armed herald presses itself while the room shows, and its click unlocks the door.
        {"click 680 380",
         {"unlock door", "room routing"},
         Routing("bulb1 bulb2 mark_a - tone_a tone_b tri_mark - | card_b card_a | sel armed -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed routing"}, nullptr},
    };
    PlayRoom("roomview/routing.xml", steps);
}

} // namespace
