#pragma once
// The screen or dialog built from an interface-description file: the object "window" describes the
// window itself (background, place, size, fade) and every other object of the file that asks for a
// control becomes one. The window hears its own buttons, sliders and edit fields, fades in when shown
// and out when hidden, and closes with a result code that the window manager acts on.

#include <memory>
#include <string>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "windows/button.h"
#include "windows/edit_field.h"
#include "windows/slider.h"
#include "windows/ui_info_holder.h"
#include "windows/window.h"

class TUIClassicWindow;

class TClassicWindow : public TMyWindow, public TMyButtonListener, public TBaseSliderListener, public TMyEditListener {
public:
    // The id of the window built from a box of the global description (the game screen).
    static constexpr int kGlobalBoxWindowId = 4;

    // Owned by the manager, result -1; with load set the file is read at once.
    TClassicWindow(const std::string& file, bool load);
    // The box of that name in the global description ("ui/interface.xml") describes the window: no holder
    // or controls of its own, id 4, not owned by the manager.
    explicit TClassicWindow(const std::string& boxName);
    ~TClassicWindow() override;

    int GetType() const override { return kWindowKindClassic; }
    int GetListenerType() const override { return kWindowKindClassic; }
    // The children, then the fade; the window's alpha follows the fade.
    bool Update(float dt) override;
    void DrawSelf() override;
    // Children first, then the fade-in; the default cursor comes back.
    void OnShow() override;
    // Children first, then the fade runs down from where it stands.
    void OnHide() override;
    // Centres the window on the point.
    void MoveTo(int x, int y) override;

    // The flag means nothing here; a fly window reads its classic part only when it is set.
    virtual void Load(const std::string& file, bool loadClassicPart);
    // The control the box asks for, made a child of this window, or null.
    virtual TMyWindow* CreateControl(TUIBaseBox* box);
    // An empty holder for the window's file; a window with boxes of its own kinds returns its own holder.
    virtual std::unique_ptr<TUIInfoHolder> CreateHolder();
    virtual void ApplyWindowDescription(TUIClassicWindow* description);
    // Every direct child button reports to the listener.
    virtual void SetButtonsListener(TMyButtonListener* listener);
    // Stores the result and asks the manager to take the window away.
    virtual void Close(int result);

    int GetResult() const { return mResult; }
    float GetFadeValue() const { return mFade.current; }
    TUIClassicWindow* GetDescription() const { return mDescription; }
    TUIInfoHolder* GetHolder() const { return mHolder.get(); }

protected:
    // Width and height from the description, else the background, else the design size; the
    // description's x, y is the window's centre (without one the window stands at 0, 0).
    void SetSizeAndCenter();
    // Where the background goes for this frame: its top-left corner on the window's.
    virtual void PlaceBackground();
    float GetAlphaTime() const;

    IncValue mFade;
    TUIClassicWindow* mDescription = nullptr;
    // Seconds spent shown; the fly window counts it.
    float mStayTime = 0;
    AlphaStaticImage mBackground;
    int mResult = -1;
    std::unique_ptr<TUIInfoHolder> mHolder;
};
