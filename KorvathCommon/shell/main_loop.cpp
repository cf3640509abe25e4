#include "shell/main_loop.h"

#include <SDL.h>

#include "app/clock.h"
#include "app/display_modes.h"
#include "app/frame_clear.h"
#include "app/input_event.h"
#include "app/log.h"
#include "app/renderer.h"
#include "shell/game_app.h"
#include "shell/startup.h"
#include "shell/startup_seams.h"

namespace {

TLoopState gLoopState;
bool gFramePacing = true;
bool gFrameDrawing = true;
uint64_t gLastPresentCounter = 0;
constexpr uint64_t kFramePeriodUs = 1000000 / 60;

// The one conversion of the pointer: through the inverse of the view that the frame is drawn with.
void ToDesignCoordinates(TInputEvent& event) {
    const TViewTransform& view = GetDisplay().mView;
    event.x = view.ToDesignX(event.x) - gScreenOffset.x;
    event.y = view.ToDesignY(event.y) - gScreenOffset.y;
}

void HandleFocus(bool gained) {
    TLoopState& state = GetLoopState();
    TSubsystemSeams& seams = GetSeams();
    TGameListener& game = seams.GetGame();
    state.mHasFocus = gained;
    TLogFile::Get()->Printf(gained ? "Got Focus" : "Lost Focus");
    seams.PauseSound(!gained);
    if (!gained) {
        seams.SetAllFrozen(true);
        // A second loss in a row must not stack another pause window: one gain closes only one.
        if (!seams.IsWindowShown(kPauseWindowId)) {
            game.ShowPauseWindow();
        }
        return;
    }
    game.ClosePauseWindow();
    seams.SetAllFrozen(false);
}

// Returns false when the step must end at once (a quit).
bool HandlePendingEvents() {
    static TInputEventList events;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            GetLoopState().mQuitRequested = true;
        }
        events.clear();
        TranslateSdlEvent(event, events);
        for (const TInputEvent& input : events) {
            if (!DispatchInputEvent(input)) {
                GetLoopState().mQuitRequested = true;
                return false;
            }
        }
    }
    return true;
}

void PaceFrame() {
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    uint64_t now = SDL_GetPerformanceCounter();
    const TRenderer* renderer = GetRenderer();
    if (gFramePacing && renderer != nullptr && !renderer->HasVSync() && gLastPresentCounter != 0) {
        const uint64_t elapsedUs = (now - gLastPresentCounter) * 1000000 / frequency;
        const uint32_t delay = FramePacingDelay(elapsedUs);
        if (delay > 0) {
            SDL_Delay(delay);
            now = SDL_GetPerformanceCounter();
        }
    }
    gLastPresentCounter = now;
}

} // namespace

TLoopState& GetLoopState() {
    return gLoopState;
}

void RunLoopStep() {
    // The first frame is on the screen: what it did not need is read before the second.
    if (gLoopState.mStepsEnded && !gLoopState.mLoadedAfterFirstFrame) {
        gLoopState.mLoadedAfterFirstFrame = true;
        LoadAfterFirstFrame();
    }
    // The output size follows the window (mode switches, resizes): the scale is taken from it each frame.
    SDL_PumpEvents();
    RefreshRenderScale();
    if (!HandlePendingEvents() || gLoopState.mQuitRequested) {
        return;
    }
    const uint32_t now = GetTicks();
    if (now != gLoopState.mLastLoopTicks) {
        UpdateFrame(static_cast<float>(now - gLoopState.mLastLoopTicks) / 1000.0f);
    }
    gLoopState.mLastLoopTicks = now;
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer != nullptr && gFrameDrawing) {
        DrawWholeFrame();
        SDL_RenderPresent(renderer);
    }
    gLoopState.mStepsEnded = true;
    PaceFrame();
}

bool DispatchInputEvent(const TInputEvent& original) {
    TInputEvent event = original;
    if (GetGameApp() != nullptr) {
        ToDesignCoordinates(event);
    }
    TSubsystemSeams& seams = GetSeams();
    switch (event.kind) {
    case kInputLeave:
        seams.CursorLeftWindow();
        break;
    case kInputQuit: {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        return false;
    }
    case kInputToggleFullscreen:
        seams.ToggleFullscreen();
        break;
    case kInputMove:
        seams.CursorMovedTo(event.x, event.y);
        break;
    case kInputFocus:
        HandleFocus(event.param != 0);
        break;
    default:
        break;
    }
    if ((event.kind == kInputLeftDown || event.kind == kInputLeftUp) && !seams.IsCustomCursorMode()) {
        seams.SetCursorPosition(event.x, event.y);
    }
    seams.HandleEvent(event);
    return true;
}

void UpdateFrame(float dt) {
    TSubsystemSeams& seams = GetSeams();
    seams.UpdateSound(dt);
    seams.UpdateCursor(dt);
    if (GetGameApp() != nullptr) {
        GetGameApp()->Update(dt);
    }
    KeepDisplayAwake();
}

void DrawWholeFrame() {
    SDL_Renderer* renderer = GetSDLRenderer();
    int width = 0;
    int height = 0;
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &width, &height) != 0) {
        return;
    }
    // The clear is put off to the first draw, which may make it needless; the bars beside the design
    // area are filled black every frame whatever the first draw is.
    TDisplayValues& display = GetDisplay();
    const TViewTransform view = display.mView;
    const bool known = view.width > 0 && view.height > 0;
    const TFrameArea area{known ? view.offsetX : 0,
                          known ? view.offsetY : 0,
                          known ? view.width : width,
                          known ? view.height : height,
                          view.scale,
                          view.scale};
    SDL_Texture* target = view.scale != 1.0f && IsScaledThroughTarget() && AreDrawShortcutsOn()
                              ? GetDesignTarget(display.mDesignWidth, display.mDesignHeight)
                              : nullptr;
    if (target == nullptr) {
        BeginFrameClear(area);
        DrawFrame();
        FinishFrameClear();
        return;
    }
    // Drawn at the design size, as at scale 1, then scaled onto the design area in one copy.
    SDL_SetRenderTarget(renderer, target);
    display.mView = TViewTransform();
    BeginFrameClear(TFrameArea{0, 0, display.mDesignWidth, display.mDesignHeight, 1.0f, 1.0f, target});
    DrawFrame();
    FinishFrameClear();
    display.mView = view;
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderSetViewport(renderer, nullptr);
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    BeginFrameClear(TFrameArea{area.x, area.y, area.width, area.height, 1.0f, 1.0f});
    const SDL_Rect destination{area.x, area.y, area.width, area.height};
    SDL_RenderCopy(renderer, target, nullptr, &destination);
    MarkFrameCovered();
}

void DrawFrame() {
    ApplyViewTransform(GetSDLRenderer(), GetDisplay().mView);
    GetSeams().DrawWindows();
    GetSeams().DrawCursor();
}

void KeepDisplayAwake() {
    if (GetSeams().IsFullscreen() && gLoopState.mHasFocus) {
        SDL_DisableScreenSaver();
    } else {
        SDL_EnableScreenSaver();
    }
}

uint32_t FramePacingDelay(uint64_t elapsedUs) {
    return elapsedUs >= kFramePeriodUs ? 0 : static_cast<uint32_t>((kFramePeriodUs - elapsedUs) / 1000);
}

void SetFramePacing(bool enabled) {
    gFramePacing = enabled;
}

void SetFrameDrawing(bool enabled) {
    gFrameDrawing = enabled;
}
