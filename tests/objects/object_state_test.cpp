// The object state record: its byte layout, counters that do not fit 16 bits, round trips, and records that
// do not fit the object tree they are read into.

#include "app/buffer.h"
#include "app/log.h"
#include "object_test_support.h"
#include "objects/object_factory.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TXml;

using Bytes = std::vector<uint8_t>;

Bytes Saved(TObject& object) {
    TBaseBuffer buffer;
    object.SaveState(buffer);
    return buffer.GetBytes();
}

TBaseBuffer BufferOf(const Bytes& bytes) {
    TBaseBuffer buffer;
    for (uint8_t b : bytes) {
        buffer.WriteByte(b);
    }
    return buffer;
}

TEST_F(ObjectTest, RecordLayout) {
    auto object = Load(R"(id="o" moveable="1" x="12.3456" y="-2" a="0.5" drawtype="4" tools="a;b" toolsae="c,true")");
    object->mSolved = true;
    object->mActive = true;
    object->mClickCounter = -1;
    object->mToolClickCounter = 2;
    object->mGivenTools[1].given = true;
    object->mGivenToolsAfterEvent[0].given = true;
    const Bytes expected = {
        0x3A, 0x30, 0x00, 0x00, // x 12346 thousandths (nearest)
        0x30, 0xF8, 0xFF, 0xFF, // y -2000
        1,                      // visible
        0xF4, 0x01, 0x00, 0x00, // alpha 500
        0,    1,    0,          // locked, solved, tool applied
        4,    0,    0,    0,    // draw type
        0xFF, 0xFF,             // click counter -1
        2,    0,                // tool-click counter
        1,                      // active
        0,    0,    0,    0,    // reserved
        0,    1,                // "tools" given flags
        1,                      // "toolsae" given flag
    };
    EXPECT_EQ(Saved(*object), expected);
    EXPECT_EQ(Saved(*Load(R"(id="plain")")).size(), 21u);
    EXPECT_EQ(Saved(*Load(R"(id="moving" effector="swing")")).size(), 29u);
}

TEST_F(ObjectTest, CountersInSixteenBits) {
    struct Case {
        int counter;
        int maximum;
        Bytes bytes;
        int readBack;
        bool logged;
    };
    const Case cases[] = {
        {-1, TObject::kUnlimited, {0xFF, 0xFF}, -1, false},
        {5, 10, {5, 0}, 5, false},
        {TObject::kUnlimited, TObject::kUnlimited, {0x0F, 0x27}, TObject::kUnlimited, false},
        {9999, TObject::kUnlimited, {0x0F, 0x27}, TObject::kUnlimited, false},
        // The marker means used up only for a maximum that could need it.
        {9999, 20000, {0x0F, 0x27}, 9999, false},
        // Too large for 16 bits: never wrapped.
        {40000, TObject::kUnlimited, {0xFF, 0x7F}, 32767, true},
        {TObject::kUnlimited - 1, TObject::kUnlimited, {0x0F, 0x27}, TObject::kUnlimited, true},
        {50000, 50000, {0x0F, 0x27}, 50000, true},
        {49999, 50000, {0x0F, 0x27}, 50000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.counter << " of " << c.maximum);
        TLogFile::Release();
        TLogFile::Get();
        auto object = Load(R"(id="o")");
        object->mMaxClicks = c.maximum;
        object->mClickCounter = c.counter;
        const Bytes record = Saved(*object);
        ASSERT_EQ(record.size(), 21u);
        EXPECT_EQ(Bytes(record.begin() + 12, record.begin() + 14), c.bytes);
        object->mClickCounter = 0;
        TBaseBuffer reader = BufferOf(record);
        object->RestoreState(reader);
        EXPECT_EQ(object->mClickCounter, c.readBack);
        EXPECT_EQ(harness::LogContains("object o: click counter"), c.logged);
    }
}

TEST_F(ObjectTest, RoundTripOfATree) {
    const char* element = R"(<object id="desk" moveable="1" tools="pen;ink,false">
        <object id="drawer" toolsae="key,true"/><object id="lamp" effector="swing"/></object>)";
    // The space links nested objects; here the tree is built the same way by hand.
    auto build = [](const char* text) {
        TXml xml(text);
        auto root = std::make_unique<TObject>();
        root->LoadFromXml(xml.Root(), "");
        for (const TiXmlElement* child = xml.Root()->FirstChildElement("object"); child != nullptr;
             child = child->NextSiblingElement("object")) {
            auto* object = new TObject();
            object->LoadFromXml(child, "");
            root->AddChild(object);
        }
        return root;
    };
    auto original = build(element);
    original->mX = 321.5f;
    original->mAlpha = 0.25f;
    original->mLocked = true;
    original->mGivenTools[1].given = true;
    original->UseUpClicks();
    TObject* drawer = original->FindChildById("drawer");
    drawer->mGivenToolsAfterEvent[0].given = true;
    drawer->mVisible = false;
    drawer->mToolClickCounter = 3;
    TObject* lamp = original->FindChildById("lamp");
    lamp->mY = -7.125f;
    lamp->mActive = true;
    const Bytes first = Saved(*original);

    auto restored = build(element);
    TBaseBuffer reader = BufferOf(first);
    ASSERT_TRUE(RestoreObjectState(*restored, reader));
    EXPECT_EQ(Saved(*restored), first);
    EXPECT_EQ(restored->mX, 321.5f);
    EXPECT_TRUE(restored->AreClicksUsedUp());
    EXPECT_TRUE(restored->mGivenTools[1].given);
    EXPECT_FALSE(restored->FindChildById("drawer")->mVisible);
    EXPECT_EQ(restored->FindChildById("drawer")->mToolClickCounter, 3);
    EXPECT_EQ(restored->FindChildById("lamp")->mY, -7.125f);
}

TEST_F(ObjectTest, RecordsThatDoNotFitAreRefused) {
    auto saved = Load(R"(id="chest" tools="a;b" v="0")");
    const Bytes record = Saved(*saved);
    struct Case {
        const char* what;
        Bytes bytes;
        bool accepted;
    };
    Bytes shorter(record.begin(), record.end() - 1), longer = record;
    longer.push_back(0);
    const Case cases[] = {
        {"the same tree", record, true},
        {"one byte short", shorter, false},
        {"one byte over", longer, false},
        {"empty", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto object = Load(R"(id="chest" tools="a;b")");
        TBaseBuffer reader = BufferOf(c.bytes);
        EXPECT_EQ(RestoreObjectState(*object, reader), c.accepted);
        // Refused, the object stays as loaded.
        EXPECT_EQ(object->mVisible, !c.accepted);
    }
    EXPECT_TRUE(harness::LogContains("object state of chest refused: 22 bytes, 23 expected"));
}

// A kind whose record holds a name, so its size changes with what it shows.
class TNamedObject : public TObject {
public:
    void SaveState(TBaseBuffer& writer) override {
        TObject::SaveState(writer);
        writer.WriteString(mPicture);
    }
    void RestoreState(TBaseBuffer& reader) override {
        TObject::RestoreState(reader);
        mPicture = reader.ReadString();
    }
    std::string mPicture;
};

TEST_F(ObjectTest, RecordsOfAnotherSizeAreTakenWhenTheyReadExactly) {
    TNamedObject saved;
    saved.mPicture = "oak";
    saved.SetVisible(false);
    const Bytes record = Saved(saved);
    Bytes cut(record.begin(), record.end() - 1), longer = record;
    longer.push_back(7);
    Bytes overlongName = record;
    overlongName[overlongName.size() - 5] = 9; // the name's length claims more bytes than follow
    struct Case {
        const char* what;
        Bytes bytes;
        bool accepted;
    };
    const Case cases[] = {
        {"a shorter name than the object holds", record, true},
        {"cut inside the name", cut, false},
        {"a byte after the record", longer, false},
        {"a name longer than the record", overlongName, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNamedObject object;
        object.mSaveKey = "tree";
        object.mPicture = "birch";
        TBaseBuffer reader = BufferOf(c.bytes);
        EXPECT_EQ(RestoreObjectState(object, reader), c.accepted);
        // Refused, the object keeps everything it held.
        EXPECT_EQ(object.mPicture, c.accepted ? "oak" : "birch");
        EXPECT_EQ(object.mVisible, !c.accepted);
    }
    EXPECT_TRUE(harness::LogContains("object state of tree refused: 26 bytes, 28 expected"));
}

TEST_F(ObjectTest, SpaceStates) {
    TXml scene(R"(<scene><object id="a" tools="x"/><object id="b" moveable="1"/></scene>)");
    TGameSpace saving;
    saving.mName = "yard";
    saving.LoadObjectsFromXml(scene.Root(), "");
    saving.mObjects[0]->mLocked = true;
    saving.mObjects[1]->mX = 44;
    TBaseBuffer states;
    saving.WriteObjectStates(states);

    // The second object's description changed since: its record no longer fits and it stays as loaded.
    TXml changed(R"(<scene><object id="a" tools="x"/><object id="b" x="3"/></scene>)");
    TGameSpace reading;
    reading.mName = "yard";
    reading.LoadObjectsFromXml(changed.Root(), "");
    reading.ReadObjectStates(states);
    EXPECT_TRUE(reading.mObjects[0]->mLocked);
    EXPECT_EQ(reading.mObjects[1]->mX, 3.0f);
    EXPECT_TRUE(harness::LogContains("object state of yard.b refused: 29 bytes, 21 expected"));

    TBaseBuffer cut;
    for (int i = 0; i < 10; ++i) {
        cut.WriteByte(states.GetBytes()[static_cast<size_t>(i)]);
    }
    TGameSpace again;
    again.mName = "yard";
    again.LoadObjectsFromXml(scene.Root(), "");
    again.ReadObjectStates(cut);
    EXPECT_FALSE(again.mObjects[0]->mLocked);
    EXPECT_TRUE(harness::LogContains("space yard: object states end early"));
}

TEST_F(ObjectTest, TrajectoryThatHidesAtItsEnd) {
    auto object = Load(R"(id="bird" effector="fly")");
    TTrajectoryEffector fly;
    fly.mName = "fly";
    fly.mHideAtEnd = true;
    ASSERT_TRUE(object->AttachEffector(&fly));
    EXPECT_EQ(Saved(*object)[8], 0);
    fly.mHideAtEnd = false;
    EXPECT_EQ(Saved(*object)[8], 1);
}

// The decoration, text, texture-coordinate, light and routing kinds: each writes the object record and then
// only its own bytes, having run a little and taken a press; a fresh one of its kind reads it exactly.
TEST_F(ObjectTest, KindRecordsAreTheObjectRecordAndTheirOwnBytes) {
    const std::pair<const char*, size_t> kinds[] = {
        {"trajectorymovercadr2", 0},
        {"text_obj", 0},
        {"textinfo", 0},
        {"textinfoswitch", 2},
        {"uv_obj", 0},
        {"uvspin_obj", 0},
        {"light_obj", 0},
        {"fading_video", 0},
        {"focuser", 6},
        {"transp", 0},
        {"bring_to_top", 0},
        {"group", 0},
        {"fgroup", 0},
        {"animfile", 0},
        {"me_group", 0},
        {"shape", 0},
        {"mouse_enter", 0},
        {"dialog_obj", 1},
    };
    TObjectFactory factory;
    TXml xml(R"(<object id="k" w="10" h="10" time="0.5" points="0.0;9.0;0.9" alpha="0.8" stime="0.1">
        <object name="text" type="imagetext" x="2" y="2" w="8" h="8"/></object>)");
    for (const auto& [type, own] : kinds) {
        SCOPED_TRACE(type);
        std::unique_ptr<TObject> object(factory.Create(type));
        ASSERT_NE(object, nullptr);
        object->LoadFromXml(xml.Root(), "");
        object->Activate(0, 0, 0);
        object->OnMouseDown(objtest::At(3, 3));
        object->OnMouseUp(objtest::At(3, 3));
        for (int i = 0; i < 30; ++i) {
            object->Update(0.01f);
        }
        TBaseBuffer record, plain;
        object->SaveState(record);
        object->TObject::SaveState(plain);
        ASSERT_EQ(record.GetSize(), plain.GetSize() + own);
        EXPECT_EQ(Bytes(record.GetBytes().begin(), record.GetBytes().begin() + static_cast<long>(plain.GetSize())),
                  plain.GetBytes());
        std::unique_ptr<TObject> fresh(factory.Create(type));
        fresh->LoadFromXml(xml.Root(), "");
        EXPECT_TRUE(RestoreObjectState(*fresh, record));
        // Saved again at once, it gives back the same bytes.
        EXPECT_EQ(Saved(*fresh), record.GetBytes());
    }
}

} // namespace
