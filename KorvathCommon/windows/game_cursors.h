#pragma once
// The pointer shown as one of the game's animated images (drawn by the game each frame) or as an
// operating-system cursor made from an image. Cursors are read from "cursors.xml" and switched by name;
// each name exists once among the drawn cursors and once among the system cursors, and the custom mode
// chooses the family.

#include <memory>
#include <string>
#include <vector>

#include "app/xml_reader.h"
#include "graphics/static_image.h"
#include "windows/color_cursor.h"
#include "windows/window.h"

class TiXmlElement;

class TGameCursor {
public:
    TGameCursor() = default;
    TGameCursor(const TGameCursor&) = delete;
    TGameCursor& operator=(const TGameCursor&) = delete;
    virtual ~TGameCursor() = default;

    // "name", "filename", "rect" (x,y,w,h), "hotspot" (x,y), "frames", "speed", "system".
    void LoadFromXml(const TiXmlElement* element);
    // Loads the image and keeps the hot spot inside it.
    virtual void LoadImage();
    virtual void Update(float dt);
    virtual void Restart();
    // Draws with the frame's top-left corner at the point minus the hot spot.
    virtual void Draw(int x, int y);
    // Draws centred on the point.
    virtual void DrawAt(int x, int y);

    // Source rectangle of a frame within the image.
    TWindowRect GetFrameRect(int index) const;

    std::string mName;
    std::string mFileName;
    TWindowRect mRect;
    int mHotX = 0;
    int mHotY = 0;
    // At least 1.
    int mFrames = 1;
    float mSecondsPerFrame = 0;
    bool mSystem = false;
    StaticImage mImage;
    float mElapsed = 0;
    int mFrame = 0;

protected:
    void ShowFrame();
};

// Shown by the operating system; the game draws nothing for it.
class TSystemGameCursor : public TGameCursor {
public:
    void Update(float dt) override {}
    // Makes the system cursor on first use and shows it; one SDL cannot make is logged once and the
    // cursor shown before stays.
    void Restart() override;
    void Draw(int x, int y) override {}

    bool HasSystemCursor() const { return mCursor != nullptr; }

private:
    TSdlCursor mCursor;
    bool mFailed = false;
};

class TGameCursors {
public:
    // The single set, created empty on first use.
    static TGameCursors* Get();
    // The set when it exists, without creating it.
    static TGameCursors* FindInstance();
    // Deletes every cursor and the set.
    static void Release();

    TGameCursors(const TGameCursors&) = delete;
    TGameCursors& operator=(const TGameCursors&) = delete;

    // Reads the "cursors" element under the file's root, loads the images and shows the default cursor.
    // A file that cannot be read changes nothing.
    void Load(const std::string& file);
    // The same from a document in memory.
    void Load(const TXmlSource& source);
    void LoadFromXml(const TiXmlElement* element);
    // The first cursor of that exact name in the family of the current mode.
    TGameCursor* Find(const std::string& name) const;
    // Makes the cursor of that name current and restarts it, unless it is current already or missing.
    void Select(const std::string& name);
    // Makes "default" current and restarts it, even when it is current already.
    void SetDefault();
    // True: drawn cursors; false: system cursors. The current name is kept where the new family has it.
    void SetCustomCursors(bool custom);
    // The frame's steps: animate the current cursor, and draw it over everything at the pointer.
    void Update(float dt);
    void Draw();

    TGameCursor* GetCurrent() const { return mCurrent; }

    std::vector<std::unique_ptr<TGameCursor>> mCursors;
    TGameCursor* mCurrent = nullptr;
    // Design coordinates, kept current by the main loop.
    int mPointerX = 0;
    int mPointerY = 0;
    bool mInside = true;
    bool mEnabled = true;
    bool mCustomMode = true;

private:
    TGameCursors() = default;
    ~TGameCursors() = default;
    friend struct std::default_delete<TGameCursors>;

    void MakeCurrent(TGameCursor* cursor);
};
