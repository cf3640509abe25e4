#include "windows/ui_info_holder.h"

#include "app/log.h"
#include "app/xml_reader.h"
#include "windows/ui_button_box.h"
#include "windows/ui_image_box.h"
#include "windows/ui_text_box.h"
#include "windows/ui_tutorial_box.h"
#include "windows/ui_window_box.h"

namespace {
std::unique_ptr<TUIInfoHolder> gGlobalHolder;

// One "type" text and the class it makes; names compare exactly.
template <class Base> struct TTypeEntry {
    const char* type;
    std::unique_ptr<Base> (*make)();
};
template <class T> std::unique_ptr<TUIBaseBox> MakeBox() {
    return std::make_unique<T>();
}
template <class T> std::unique_ptr<TUIStyle> MakeStyle() {
    return std::make_unique<T>();
}

// Every object type the engine knows. The kind code comes from the class.
const TTypeEntry<TUIBaseBox> kObjectTypes[] = {
    {"button", MakeBox<TUIMyButton>},
    {"regenervideobutton2", MakeBox<TRegenerateVideoButton2Info>},
    {"listbox", MakeBox<TUIListBox>},
    {"toolholder", MakeBox<TUIToolHolder>},
    {"regenerbutton2", MakeBox<TUIRegenerateButton2Info>},
    {"text", MakeBox<TUIText>},
    {"imagetext", MakeBox<TUIImageText>},
    {"tutorialwindow", MakeBox<TUITutorialWindow>},
    {"tutorial", MakeBox<TUITutorial>},
    {"window", MakeBox<TUIClassicWindow>},
    {"flywindow", MakeBox<TUIFlyWindow>},
    {"slider", MakeBox<TUIBaseSlider>},
    {"edit", MakeBox<TUIEdit>},
    {"image", MakeBox<TUIMyImage>},
    {"rect", MakeBox<TUIBaseBox>},
    {"", MakeBox<TUIBaseBox>},
    {"hintbox", MakeBox<TUIHintBox>},
    {"backbox", MakeBox<TUIBackBox>},
    {"taskbox", MakeBox<TUITaskBox>},
    {"lockinterfbtn", MakeBox<TUILockInterfButton>},
};

const TTypeEntry<TUIStyle> kStyleTypes[] = {
    {"", MakeStyle<TUIStyle>},
    {"text", MakeStyle<TUITextStyle>},
    {"button", MakeStyle<TUIButtonStyle>},
    {"slider", MakeStyle<TUISliderStyle>},
};

template <class Base, size_t N>
std::unique_ptr<Base> MakeFromTable(const TTypeEntry<Base> (&table)[N], const std::string& type) {
    for (const TTypeEntry<Base>& entry : table) {
        if (type == entry.type) {
            return entry.make();
        }
    }
    return nullptr;
}
} // namespace

TUIInfoHolder* TUIInfoHolder::GetGlobal() {
    if (!gGlobalHolder) {
        gGlobalHolder = std::make_unique<TUIInfoHolder>();
    }
    return gGlobalHolder.get();
}

void TUIInfoHolder::ReleaseGlobal() {
    gGlobalHolder.reset();
}

std::unique_ptr<TUIBaseBox> TUIInfoHolder::CreateObject(const std::string& type) {
    return MakeFromTable(kObjectTypes, type);
}

std::unique_ptr<TUIStyle> TUIInfoHolder::CreateStyle(const std::string& type) {
    return MakeFromTable(kStyleTypes, type);
}

void TUIInfoHolder::LoadFromXml(const TiXmlElement* root) {
    if (root == nullptr) {
        return;
    }
    // Every style before any object, so an object may name a style that stands later in its file.
    std::vector<TiXmlElement*> children;
    CollectXmlChildren(root, "style", children);
    for (const TiXmlElement* element : children) {
        LoadStyle(element);
    }
    children.clear();
    CollectXmlChildren(root, "object", children);
    for (const TiXmlElement* element : children) {
        LoadObject(element);
    }
}

void TUIInfoHolder::LoadStyle(const TiXmlElement* element) {
    std::string name = ReadXmlString(element, "name", "");
    std::unique_ptr<TUIStyle> style = CreateStyle(ReadXmlString(element, "type", ""));
    if (!style) {
        return;
    }
    style->LoadFromXml(element);
    // The first style of a name is the one kept.
    mStyles.try_emplace(name, std::move(style));
}

void TUIInfoHolder::LoadObject(const TiXmlElement* element) {
    std::string name = ReadXmlString(element, "name", "");
    std::unique_ptr<TUIBaseBox> box = CreateObject(ReadXmlString(element, "type", ""));
    if (!box) {
        return;
    }
    box->LoadFromXml(element);
    if (!box->mStyleName.empty()) {
        if (const TUIStyle* style = FindStyleForBox(box->mStyleName)) {
            box->ApplyStyle(*style);
        }
    }
    box->mName = name;
    mObjects.push_back(std::move(box));
}

const TUIStyle* TUIInfoHolder::FindStyle(const std::string& name) const {
    auto found = mStyles.find(name);
    return found != mStyles.end() ? found->second.get() : nullptr;
}

const TUIStyle* TUIInfoHolder::FindStyleForBox(const std::string& name) const {
    const TUIStyle* style = FindStyle(name);
    if (style == nullptr && gGlobalHolder && gGlobalHolder.get() != this) {
        style = gGlobalHolder->FindStyle(name);
    }
    return style;
}

bool TUIInfoHolder::LoadFromFile(const std::string& name) {
    return LoadFromSource(ReadXmlSource(name));
}

bool TUIInfoHolder::LoadFromSource(const TXmlSource& source) {
    const TiXmlElement* root = ParseXmlRoot(source);
    {
        TXmlRootWalk walk;
        LoadFromXml(root);
    }
    ReleaseXmlRoot();
    return root != nullptr;
}

TUIBaseBox* TUIInfoHolder::FindObject(const std::string& name) const {
    for (const std::unique_ptr<TUIBaseBox>& box : mObjects) {
        if (box->mName == name) {
            return box.get();
        }
    }
    return nullptr;
}

bool LoadGlobalUIInfo() {
    bool loaded = TUIInfoHolder::GetGlobal()->LoadFromFile("ui/interface.xml");
    TLogFile::Get()->Printf(loaded ? "load ui/interface.xml complete" : "load ui/interface.xml failed");
    return loaded;
}

void ReportWrongUIKind(const std::string& name, int kind, const char* expectedClass) {
    TLogFile::Get()->Printf("ui object %s of kind %d is no %s, skipped", name.c_str(), kind, expectedClass);
}
