#pragma once
// The records of a scene object's description: object references, flags, story states, handed-out tools,
// wrong-tool hints, rectangles and frame rectangles, with the readers of their list grammars.

#include <string>
#include <vector>

class TiXmlElement;
class TObject;

// An object of a space, of a sub-space of it (a pocket) or of the current space.
struct TObjectPath {
    std::string space;
    std::string subSpace;
    std::string object;

    bool operator==(const TObjectPath&) const = default;
};

struct TFlagItem {
    std::string name;
    int value = 0;
    std::string extra;

    bool operator==(const TFlagItem&) const = default;
};

// A key/value pair for the player's profile.
struct TStateItem {
    std::string name;
    std::string value;

    bool operator==(const TStateItem&) const = default;
};

// Group i of a list applies to click, tool use or event number i.
using TObjectPathGroup = std::vector<TObjectPath>;
using TReactionList = std::vector<TObjectPathGroup>;
using TTaskList = std::vector<std::vector<std::string>>;
using TFlagList = std::vector<std::vector<TFlagItem>>;
using TStateList = std::vector<std::vector<TStateItem>>;

struct TGivenTool {
    // Handed to the listener when given; the other modes only mark the record.
    static constexpr int kModeHandOver = 0;

    TGivenTool() = default;
    TGivenTool(const std::string& toolName, int toolMode, const std::string& extraText, TObject* ownerObject);

    std::string name;
    std::string extra;
    int mode = kModeHandOver;
    bool given = false;
    TObject* owner = nullptr;
};

struct TWrongToolHint {
    // "tool", then the "hints" list.
    void LoadFromXml(const TiXmlElement* element);

    std::string tool;
    std::vector<std::string> hints;
};

struct TRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// A frame of the object's strip, in image pixels.
struct TFrameBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const TFrameBounds&) const = default;
};

// Frame i of a strip of frames w x h laid out in rows of strip width s. A strip narrower than one frame
// counts as one column.
TFrameBounds GetStripFrameRect(int index, int w, int h, int stripWidth);
float DegToRad(float degrees);

// The list grammars: groups at ";", items at ",", item parts at ".". Empty groups keep their place, so
// ";door" acts on the second click; empty items inside a group are dropped. A blank text gives no groups.
void ParseReactionList(const std::string& text, TReactionList& list);
// A blank text leaves the list as it is.
void ParseTaskList(const std::string& text, TTaskList& list);
void ParseFlagList(const std::string& text, TFlagList& list);
void ParseStateList(const std::string& text, TStateList& list);
// "tools": "name[,true|false|other[,extra]]" items at ";", appended with the owner.
void ParseGivenTools(const std::string& text, TObject* owner, std::vector<TGivenTool>& tools);
// "toolsae": only "name,flag" items, mode 1 for "true", without owner.
void ParseGivenToolsAfterEvent(const std::string& text, std::vector<TGivenTool>& tools);
