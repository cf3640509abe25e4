#pragma once
// The in-memory model of one interface-description file: its named styles and its description boxes
// in document order. One global holder keeps "ui/interface.xml" for the whole run; its styles serve
// every other file.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "app/xml_reader.h"

#include "windows/ui_box.h"
#include "windows/ui_style.h"

class TUIInfoHolder {
public:
    using Objects = std::vector<std::unique_ptr<TUIBaseBox>>;
    using Styles = std::map<std::string, std::unique_ptr<TUIStyle>>;

    // The process-wide holder, empty until the start-up loader fills it.
    static TUIInfoHolder* GetGlobal();
    // Deletes the global holder; the next GetGlobal starts an empty one.
    static void ReleaseGlobal();

    TUIInfoHolder() = default;
    virtual ~TUIInfoHolder() = default;
    TUIInfoHolder(const TUIInfoHolder&) = delete;
    TUIInfoHolder& operator=(const TUIInfoHolder&) = delete;

    // An empty box of the class the object type names, or null for a type the table lacks.
    // A holder of its own kind recognises further types and hands the rest to these tables.
    virtual std::unique_ptr<TUIBaseBox> CreateObject(const std::string& type);
    virtual std::unique_ptr<TUIStyle> CreateStyle(const std::string& type);

    // Adds the root's "style" children, then its "object" children; a null root changes nothing.
    void LoadFromXml(const TiXmlElement* root);
    // Reads a description file through the shared document slot. False (with the reader's log
    // lines) when it cannot be read; the holder then keeps what it had.
    bool LoadFromFile(const std::string& name);
    // The same from a document in memory.
    bool LoadFromSource(const TXmlSource& source);

    // The first box of exactly that name, or null.
    TUIBaseBox* FindObject(const std::string& name) const;
    // This holder's style of that name, or null.
    const TUIStyle* FindStyle(const std::string& name) const;
    const Objects& GetObjects() const { return mObjects; }
    const Styles& GetStyles() const { return mStyles; }

private:
    void LoadStyle(const TiXmlElement* element);
    void LoadObject(const TiXmlElement* element);
    // Own styles first; a holder other than the global one also asks the global holder.
    const TUIStyle* FindStyleForBox(const std::string& name) const;

    // Declared in this order so the boxes die before the styles.
    Styles mStyles;
    Objects mObjects;
};

// Fills the global holder from "ui/interface.xml" and logs whether that worked. Start-up goes on
// either way.
bool LoadGlobalUIInfo();

// Logs that the box of that name is not of the class its user expected.
void ReportWrongUIKind(const std::string& name, int kind, const char* expectedClass);

// The first box of that name when its kind and class are T's; a box of another kind counts as
// absent and is logged, so no caller uses a box as a class it is not.
template <class T> T* FindUIObject(const TUIInfoHolder& holder, const std::string& name) {
    TUIBaseBox* box = holder.FindObject(name);
    if (box == nullptr) {
        return nullptr;
    }
    T* typed = T::HasKind(box->mKind) ? dynamic_cast<T*>(box) : nullptr;
    if (typed == nullptr) {
        ReportWrongUIKind(name, box->mKind, T::kClassName);
    }
    return typed;
}
