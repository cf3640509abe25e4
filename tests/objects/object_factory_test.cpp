// The object factory's table of kinds, the room factory, and the space's loading of object trees.

#include <algorithm>
#include <iostream>
#include <set>
#include <typeinfo>

#include "object_test_support.h"
#include "objects/container_objects.h"
#include "objects/transparent_object.h"

namespace {

using objtest::At;
using objtest::ObjectTest;
using objtest::TXml;

struct Kind {
    const char* name;
    int typeId;
    // Built on the transparent container.
    bool container;
};

// Every type name with its type id, as the object descriptions use them.
const Kind kKinds[] = {
    {"switcher", 2, false},
    {"hidden", 1, false},
    {"mover", 0, false},
    {"arc_mover", 13, false},
    {"shutter_object", 34, false},
    {"multytool", 0, false},
    {"particle", 47, false},
    {"cloud", 0, false},
    {"animlinemover", 12, false},
    {"anim", 11, false},
    {"cadrobj", 18, false},
    {"cadritemsobj", 19, false},
    {"udflex", 25, false},
    {"tag_object", 38, false},
    {"labyrinth_object", 26, false},
    {"balance_object", 15, true},
    {"places_object", 33, false},
    {"places_handle_object", 32, true},
    {"places_handle_object2", 32, true},
    {"placesitems_object", 33, false},
    {"placesitems_handle_object", 32, true},
    {"placesitems_handle_object2", 32, true},
    {"ball_shooter_object", 16, true},
    {"asterix", 14, false},
    {"gun_ball", 0, false},
    {"moving_clock_arrow", 30, false},
    {"button_seq_control", 17, false},
    {"light_checkbutton", 27, false},
    {"light_checkbutton2", 28, false},
    {"slider", 35, false},
    {"dragslider", 36, false},
    {"springedobj", 37, false},
    {"timer", 0, false},
    {"shape", 45, false},
    {"focuser", 60, false},
    {"ghost", 22, false},
    {"infrared", 23, false},
    {"clockarrow", 20, false},
    {"limitedarrow", 29, false},
    {"clock", 21, false},
    {"video", 10, false},
    {"animfile", 39, false},
    {"transp", 40, true},
    {"bring_to_top", 41, true},
    {"group", 42, true},
    {"fgroup", 42, true},
    {"slide_rotator", 43, false},
    {"case_lock", 44, true},
    {"rotator", 46, false},
    {"counter", 48, false},
    {"textinfo", 49, false},
    {"textinfoswitch", 50, false},
    {"morph_obj", 51, false},
    {"double_morph_obj", 51, false},
    {"morph_obj2", 52, false},
    {"map_obj", 53, false},
    {"sound_obj", 54, false},
    {"me_group", 55, false},
    {"dialog_obj", 56, false},
    {"uv_obj", 57, false},
    {"uvspin_obj", 59, false},
    {"light_obj", 58, false},
    {"fading_video", 58, false},
    {"delay_loops_sound", 62, false},
    {"blending_obj", 63, false},
    {"collection_item", 64, false},
    {"note_collection", 65, false},
    {"note_collection_item", 66, false},
    {"doublescore", 67, false},
    {"doublescorecounter", 69, false},
    {"text_obj", 68, false},
    {"change_on_click", 70, false},
    {"change_on_clickp", 71, true},
    {"spinner", 72, false},
    {"spinner_seq", 73, true},
    {"spinner_echo", 74, false},
    {"click_button", 75, false},
    {"change_on_activate", 76, false},
    {"change_on_activatep", 77, false},
    {"finish_video_wrapper", 78, false},
    {"conjunct_weight", 79, false},
    {"conjunct_weightp", 80, true},
    {"weight_system", 83, false},
    {"weight_part", 82, false},
    {"seq_show", 0, false},
    {"finder_mover", 0, false},
    {"mouse_enter", 84, false},
    {"target", 85, false},
    {"trajectorymovercadr2", 0, false},
};

TEST_F(ObjectTest, EveryTypeNameMakesItsKind) {
    TObjectFactory factory;
    ASSERT_EQ(std::size(kKinds), 89u);
    ASSERT_EQ(GetObjectKinds().size(), std::size(kKinds));
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        std::unique_ptr<TObject> object(factory.Create(kind.name));
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetTypeId(), kind.typeId);
        EXPECT_EQ(dynamic_cast<TTransparentObject*>(object.get()) != nullptr, kind.container);
        auto entry = std::find_if(GetObjectKinds().begin(), GetObjectKinds().end(),
                                  [&](const TObjectKind& k) { return std::string(k.typeName) == kind.name; });
        ASSERT_NE(entry, GetObjectKinds().end());
        EXPECT_EQ(entry->typeId, kind.typeId);
    }
}

TEST_F(ObjectTest, TypeNamesAreExact) {
    TObjectFactory factory;
    std::unique_ptr<TObject> plain(factory.Create(""));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(typeid(*plain), typeid(TObject));
    for (const char* unknown : {"Hidden", " hidden", "hidden ", "hid", "object", "places_handle_object3"}) {
        std::unique_ptr<TObject> none(factory.Create(unknown));
        EXPECT_EQ(none, nullptr) << "'" << unknown << "'";
    }
    const std::pair<const char*, const char*> sameClass[] = {
        {"places_handle_object", "places_handle_object2"},
        {"placesitems_handle_object", "placesitems_handle_object2"},
        {"light_obj", "fading_video"},
    };
    for (const auto& [a, b] : sameClass) {
        std::unique_ptr<TObject> first(factory.Create(a)), second(factory.Create(b));
        EXPECT_EQ(typeid(*first), typeid(*second)) << a;
    }
    // Kinds that share a type id are told apart by class.
    std::unique_ptr<TObject> group(factory.Create("group")), found(factory.Create("fgroup"));
    EXPECT_EQ(group->GetTypeId(), found->GetTypeId());
    EXPECT_EQ(dynamic_cast<TFoudedGroupObject*>(group.get()), nullptr);
    EXPECT_NE(dynamic_cast<TFoudedGroupObject*>(found.get()), nullptr);
    EXPECT_NE(dynamic_cast<TGroupObject*>(found.get()), nullptr);
    std::unique_ptr<TObject> place(factory.Create("places_object")), handle(factory.Create("places_handle_object"));
    EXPECT_NE(typeid(*place), typeid(*handle));
}

TEST_F(ObjectTest, StandInsLoadAsObjectsAndContainersPassInput) {
    TObjectFactory factory;
    TXml xml(R"(<object id="gear" x="5" tool="key" w="10" h="10" cob="1"/>)");
    std::unique_ptr<TObject> anim(factory.Create("spinner"));
    anim->LoadFromXml(xml.Root(), "");
    EXPECT_EQ(anim->mName, "gear");
    EXPECT_EQ(anim->mMaxToolClicks, 1);

    std::unique_ptr<TObject> group(factory.Create("group"));
    auto* inner = new TObject();
    inner->mW = inner->mH = 10;
    inner->mCheckOnlyBounds = true;
    group->AddChild(inner);
    EXPECT_TRUE(group->OnMouseDown(At(5, 5)));
    EXPECT_EQ(inner->mClickCounter, 0);
}

TEST_F(ObjectTest, DoubleScoreTime) {
    TObjectFactory factory;
    const std::pair<const char*, float> cases[] = {{"<object/>", 9.0f}, {R"(<object time="4.5"/>)", 4.5f}};
    for (const auto& [text, seconds] : cases) {
        TXml xml(text);
        std::unique_ptr<TObject> object(factory.Create("doublescore"));
        object->LoadFromXml(xml.Root(), "");
        EXPECT_EQ(static_cast<TDoubleScoreObject*>(object.get())->mTime, seconds) << text;
    }
}

TEST_F(ObjectTest, RoomFactoryAlwaysMakesARoom) {
    TRoomFactory::CreateInstance();
    TBaseRoomFactory* factory = TRoomFactory::GetInstance();
    ASSERT_NE(factory, nullptr);
    for (const auto& [name, folder] : {std::pair{"", ""}, std::pair{"cellar", "rooms/cellar/"}}) {
        std::unique_ptr<TRoom> room(factory->Create(name, folder));
        ASSERT_NE(room, nullptr);
        EXPECT_EQ(room->GetKindFlags(), TGameSpace::kKindRoom);
    }
}

class SpaceLoadTest : public ObjectTest {
protected:
    static constexpr const char* kScene = R"(<scene>
        <object id="sky" type="anim">
            <object id="sun" type="group"><object id="ray"/></object>
            <object id="typo" type="Group"><object id="lost"/></object>
            <object id="cloud"/>
        </object>
        <object id="yard" drawz="1"/>
        <notanobject id="skip"/>
    </scene>)";

    static std::string Tree(const TObject& object) {
        std::string text = object.mName + "(" + object.mTypeName + ")";
        for (const auto& child : object.GetChildren()) {
            text += " [" + Tree(*child) + "]";
        }
        return text;
    }
};

TEST_F(SpaceLoadTest, ObjectTreesThroughTheFactory) {
    TObjectFactory::CreateInstance();
    TXml xml(kScene);
    TGameSpace space;
    space.mName = "menu";
    space.LoadObjectsFromXml(xml.Root(), "scenes/menu/");
    ASSERT_EQ(space.mObjects.size(), 2u);
    EXPECT_EQ(Tree(*space.mObjects[0]), "sky(anim) [sun(group) [ray()]] [cloud()]");
    EXPECT_EQ(Tree(*space.mObjects[1]), "yard()");
    EXPECT_TRUE(harness::LogContains("space menu: object type Group unknown, skipped"));

    TObject* ray = space.mObjects[0]->FindChildById("ray");
    ASSERT_NE(ray, nullptr);
    EXPECT_EQ(ray->GetParent(), space.mObjects[0]->FindChildById("sun"));
    EXPECT_EQ(space.mObjects[0]->GetParent(), nullptr);
    EXPECT_EQ(ray->mSaveKey, "menu.ray");
    EXPECT_EQ(ray->mSpace, &space);
    EXPECT_EQ(ray->mListener, &space);
    EXPECT_EQ(space.mObjects[0]->GetTypeId(), 11);
}

TEST_F(SpaceLoadTest, WithoutAFactoryEveryElementIsAPlainObject) {
    TXml xml(kScene);
    TGameSpace space;
    space.LoadObjectsFromXml(xml.Root(), "");
    ASSERT_EQ(space.mObjects.size(), 2u);
    EXPECT_EQ(Tree(*space.mObjects[0]), "sky(anim) [sun(group) [ray()]] [typo(Group) [lost()]] [cloud()]");
    EXPECT_EQ(typeid(*space.mObjects[0]->FindChildById("sun")), typeid(TObject));
}

TEST_F(SpaceLoadTest, LayersAndShows) {
    WriteSolidImage("scenes/menu/red.png", 4, 4, kRed);
    WriteSolidImage("scenes/menu/green.png", 4, 4, kGreen);
    TXml xml(R"(<scene><object id="back" name="red.png" x="2" y="2" sounda="hum" active="1"/>
        <object id="front" name="green.png" x="4" y="4" drawz="1"/></scene>)");
    objtest::TRecordingSpace space;
    space.LoadObjectsFromXml(xml.Root(), "scenes/menu/");
    space.LoadResources();
    space.Show();
    space.Show();
    // The first show starts the activation sounds once.
    EXPECT_EQ(space.mSounds.mPlayed, (std::vector<std::string>{"hum"}));
    space.Update(0.016f);
    BeginCanvas();
    space.DrawLayer(1);
    ExpectPixels({{3, 3, kBlack}, {5, 5, kGreenPixel}});
    BeginCanvas();
    space.Draw();
    ExpectPixels({{3, 3, kRedPixel}, {6, 6, kBlack}});
}

} // namespace
