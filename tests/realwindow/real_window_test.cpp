// The game in a real X window on a plain X server (Xvfb, no window manager), as a new player meets it:
// full screen really covers the screen, the first window's OK button is drawn where its layout puts it,
// and a click made at the X server on that spot reaches it; then the same windowed and back, switched
// with the options window's full-screen box.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/app_config.h"
#include "harness/child_process.h"
#include "harness/game_child.h"
#include "harness/harness.h"

// Last: Xlib's macros would clash with the names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace std::chrono_literals;

constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768;
constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;

// A started program, killed and reaped when the test leaves, whatever happened.
class TChild {
public:
    explicit TChild(pid_t pid = -1) : mPid(pid) {}
    ~TChild() { Stop(); }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;
    void Reset(pid_t pid) {
        Stop();
        mPid = pid;
    }
    pid_t Pid() const { return mPid; }
    void Stop() {
        if (mPid > 0) {
            kill(mPid, SIGTERM);
            if (harness::WaitForExit(mPid, 10s) == -1) {
                kill(mPid, SIGKILL);
                waitpid(mPid, nullptr, 0);
            }
        }
        mPid = -1;
    }

private:
    pid_t mPid;
};

// Runs a program with an environment added; its output goes to a file.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& output) {
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    // Ends with the test even when the test is killed, so no server or game is left behind.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    FILE* out = std::fopen(output.c_str(), "w");
    if (out != nullptr) {
        dup2(fileno(out), 1);
        dup2(fileno(out), 2);
    }
    for (const std::string& entry : env) {
        putenv(const_cast<char*>(entry.c_str()));
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

// Xvfb on the first free display; the display number, or -1.
int StartXServer(TChild& server, const std::string& output) {
    int fds[2];
    if (pipe(fds) != 0) {
        return -1;
    }
    server.Reset(Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                        std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24", "-nolisten", "tcp"},
                       {}, output));
    close(fds[1]);
    std::string number;
    pollfd wanted{fds[0], POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < deadline && number.find('\n') == std::string::npos) {
        if (poll(&wanted, 1, 200) > 0) {
            char c = 0;
            if (read(fds[0], &c, 1) != 1) {
                break;
            }
            number += c;
        }
    }
    close(fds[0]);
    return number.find('\n') != std::string::npos ? std::atoi(number.c_str()) : -1;
}

struct TRgb {
    int r;
    int g;
    int b;
};

// The dialogs' buttons are gold; the dialogs around them dark blue.
bool IsGold(const TRgb& c) {
    return c.r > 190 && c.g > 130 && c.g < 200 && c.b < 110;
}
bool IsDialogBlue(const TRgb& c) {
    return c.b > c.r + 20 && c.b < 120;
}

class TScreen {
public:
    explicit TScreen(Display* display) : mDisplay(display) {}
    ~TScreen() { Release(); }
    bool Grab() {
        Release();
        mImage =
            XGetImage(mDisplay, DefaultRootWindow(mDisplay), 0, 0, kScreenWidth, kScreenHeight, AllPlanes, ZPixmap);
        return mImage != nullptr;
    }
    TRgb At(int x, int y) const {
        const unsigned long pixel = XGetPixel(mImage, x, y);
        return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                static_cast<int>(pixel & 0xFF)};
    }

private:
    void Release() {
        if (mImage != nullptr) {
            XDestroyImage(mImage);
            mImage = nullptr;
        }
    }
    Display* mDisplay;
    XImage* mImage = nullptr;
};

// Where the design space should land in the game's window: one scale for both axes, the largest that
// fits, centred, in screen pixels.
struct TView {
    double scale = 1.0;
    double left = 0.0;
    double top = 0.0;

    int X(double designX) const { return static_cast<int>(left + designX * scale); }
    int Y(double designY) const { return static_cast<int>(top + designY * scale); }
};

TView ViewOf(const XWindowAttributes& window) {
    TView view;
    view.scale =
        std::min(static_cast<double>(window.width) / kDesignWidth, static_cast<double>(window.height) / kDesignHeight);
    view.left = window.x + (window.width - kDesignWidth * view.scale) / 2.0;
    view.top = window.y + (window.height - kDesignHeight * view.scale) / 2.0;
    return view;
}

// A 180 x 56 dialog button centred on the design point (x, y): gold below its caption at both ends and in
// the middle, dialog blue just beside it. Probes in both directions catch a picture stretched, cut or
// shifted on either axis.
bool ButtonDrawnAt(const TScreen& screen, int x, int y, const TView& view = TView()) {
    auto at = [&](int dx, int dy) { return screen.At(view.X(x + dx), view.Y(y + dy)); };
    return IsGold(at(-70, 14)) && IsGold(at(70, 14)) && IsGold(at(0, 22)) && IsDialogBlue(at(-100, 0)) &&
           IsDialogBlue(at(100, 0));
}

bool IsBlack(const TRgb& c) {
    return c.r + c.g + c.b == 0;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(250ms);
    }
    return done();
}

// The size and place of the game's top-level window.
bool GameWindowGeometry(Display* display, XWindowAttributes& found) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return false;
    }
    bool any = false;
    for (unsigned i = 0; i < count && !any; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable) {
            found = attributes;
            any = true;
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return any;
}

// The game window's geometry once it has not changed for a second.
bool WaitForSteadyGeometry(Display* display, XWindowAttributes& found) {
    XWindowAttributes last{};
    int steady = 0;
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(250ms);
        if (!GameWindowGeometry(display, found)) {
            return false;
        }
        const bool same =
            found.x == last.x && found.y == last.y && found.width == last.width && found.height == last.height;
        steady = same ? steady + 1 : 0;
        last = found;
        if (steady >= 4) {
            return true;
        }
    }
    return false;
}

// A click injected at the X server.
bool ClickAt(const std::string& displayName, int x, int y, const std::string& output) {
    const pid_t pid = Spawn({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"},
                            {"DISPLAY=" + displayName}, output);
    const int status = harness::WaitForExit(pid, 20s);
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(RealWindow, FullScreenCoversAPlainXServerAndClicksReachTheFirstWindows) {
    const std::string work = harness::MakeTempFolder();
    TChild server;
    const int number = StartXServer(server, work + "/xvfb.txt");
    ASSERT_GE(number, 0) << "Xvfb did not start: " << harness::ReadFile(work + "/xvfb.txt");
    const std::string displayName = ":" + std::to_string(number);
    Display* display = XOpenDisplay(displayName.c_str());
    ASSERT_NE(display, nullptr);
    std::unique_ptr<Display, int (*)(Display*)> closeDisplay(display, XCloseDisplay);

    // A new player: a per-user folder of its own, the shipped data, SDL's X11 driver.
    const std::string dataHome = work + "/home";
    TChild game(Spawn({GetExecutableFolder() + "/verdanel"},
                      {"DISPLAY=" + displayName, "SDL_VIDEODRIVER=x11", "XDG_DATA_HOME=" + dataHome,
                       "ASAN_OPTIONS=exitcode=86:detect_leaks=0"},
                      work + "/game.txt"));
    ASSERT_GT(game.Pid(), 0);
    const std::string userFolder = harness::UserFolderIn(dataHome);
    TScreen screen(display);

    // The name window's OK button: window centred on the design's middle, 560 x 320, the button's centre
    // 390, 262 into it. Full screen on a screen of the design size draws at scale 1.
    const int okX = 683 - 280 + 390;
    const int okY = 384 - 160 + 262;
    const bool nameShown = WaitFor([&] { return screen.Grab() && ButtonDrawnAt(screen, okX, okY); }, 70s);
    ASSERT_TRUE(nameShown) << harness::ReadFile(userFolder + "/log.txt");
    XWindowAttributes window{};
    ASSERT_TRUE(GameWindowGeometry(display, window));
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(window.y, 0);
    EXPECT_EQ(window.width, kScreenWidth);
    EXPECT_EQ(window.height, kScreenHeight);
    // The whole screen is the game's picture: its corners are the menu's background, not the bare server.
    for (const auto& corner : {std::pair{2, 2}, std::pair{kScreenWidth - 3, 2}, std::pair{2, kScreenHeight - 3},
                               std::pair{kScreenWidth - 3, kScreenHeight - 3}}) {
        const TRgb c = screen.At(corner.first, corner.second);
        EXPECT_GT(c.r + c.g + c.b, 0) << corner.first << ", " << corner.second;
    }

    // The click reaches OK: the proposed name becomes the first player, and the difficulty window follows
    // with its own OK (860 x 620 centred, the button's centre 620, 556 into it).
    ASSERT_TRUE(ClickAt(displayName, okX, okY, work + "/xdotool.txt")) << harness::ReadFile(work + "/xdotool.txt");
    EXPECT_TRUE(WaitFor([&] { return harness::PathExists(userFolder + "/user1"); }, 15s))
        << harness::ReadFile(userFolder + "/log.txt");
    const int difficultyOkX = 683 - 430 + 620;
    const int difficultyOkY = 384 - 310 + 556;
    EXPECT_TRUE(WaitFor([&] { return screen.Grab() && ButtonDrawnAt(screen, difficultyOkX, difficultyOkY); }, 15s));
    ASSERT_FALSE(HasFailure());

    // Started again, the game shows the menu; its Options button (683, 456) opens the options window (640 x
    // 600 centred: its OK at 803, 614, the full-screen box's centre at 451, 206).
    game.Stop();
    game.Reset(Spawn({GetExecutableFolder() + "/verdanel"},
                     {"DISPLAY=" + displayName, "SDL_VIDEODRIVER=x11", "XDG_DATA_HOME=" + dataHome,
                      "ASAN_OPTIONS=exitcode=86:detect_leaks=0"},
                     work + "/game2.txt"));
    ASSERT_TRUE(WaitFor(
        [&] { return harness::ReadFile(userFolder + "/log.txt").find("show main menu") != std::string::npos; }, 70s))
        << harness::ReadFile(work + "/game2.txt");
    constexpr int kOptionsOkX = 803;
    constexpr int kOptionsOkY = 614;
    constexpr int kBoxX = 451;
    constexpr int kBoxY = 206;
    // Clicks during the menu's fade-in do nothing, so the click is made again until the window comes.
    bool optionsShown = false;
    for (int attempt = 0; attempt < 6 && !optionsShown; ++attempt) {
        ASSERT_TRUE(ClickAt(displayName, 683, 456, work + "/xdotool.txt"));
        optionsShown = WaitFor([&] { return screen.Grab() && ButtonDrawnAt(screen, kOptionsOkX, kOptionsOkY); }, 5s);
    }
    ASSERT_TRUE(optionsShown) << harness::ReadFile(userFolder + "/log.txt");

    // Windowed: the window is smaller than the screen and the whole picture fills it at one scale, centred,
    // black bars beside it where the shapes differ.
    ASSERT_TRUE(ClickAt(displayName, kBoxX, kBoxY, work + "/xdotool.txt"));
    XWindowAttributes windowed{};
    ASSERT_TRUE(WaitFor(
        [&] {
            return GameWindowGeometry(display, windowed) &&
                   (windowed.width < kScreenWidth || windowed.height < kScreenHeight);
        },
        15s))
        << harness::ReadFile(userFolder + "/log.txt");
    // Without a window manager the window is placed after it is resized: read it once it stays put.
    ASSERT_TRUE(WaitForSteadyGeometry(display, windowed));
    EXPECT_GE(windowed.x, 0);
    EXPECT_GE(windowed.y, 0);
    EXPECT_LE(windowed.x + windowed.width, kScreenWidth);
    EXPECT_LE(windowed.y + windowed.height, kScreenHeight);
    const TView view = ViewOf(windowed);
    EXPECT_TRUE(WaitFor([&] { return screen.Grab() && ButtonDrawnAt(screen, kOptionsOkX, kOptionsOkY, view); }, 15s))
        << "windowed " << windowed.width << " x " << windowed.height << " at " << windowed.x << ", " << windowed.y;
    for (const auto& corner : {std::pair{3, 3}, std::pair{kDesignWidth - 4, 3}, std::pair{3, kDesignHeight - 4},
                               std::pair{kDesignWidth - 4, kDesignHeight - 4}}) {
        EXPECT_FALSE(IsBlack(screen.At(view.X(corner.first), view.Y(corner.second))))
            << "design corner " << corner.first << ", " << corner.second;
    }
    const int barWidth = static_cast<int>(view.left) - windowed.x;
    const int barHeight = static_cast<int>(view.top) - windowed.y;
    if (barWidth >= 4) {
        EXPECT_TRUE(IsBlack(screen.At(windowed.x + barWidth / 2, windowed.y + windowed.height / 2)));
    }
    if (barHeight >= 4) {
        EXPECT_TRUE(IsBlack(screen.At(windowed.x + windowed.width / 2, windowed.y + barHeight / 2)));
    }

    // A click on the box where the windowed picture shows it lands on it: full screen again, whole.
    ASSERT_TRUE(ClickAt(displayName, view.X(kBoxX), view.Y(kBoxY), work + "/xdotool.txt"));
    XWindowAttributes full{};
    EXPECT_TRUE(WaitFor(
        [&] { return GameWindowGeometry(display, full) && full.width == kScreenWidth && full.height == kScreenHeight; },
        15s))
        << full.width << " x " << full.height;
    EXPECT_EQ(full.x, 0);
    EXPECT_EQ(full.y, 0);
    EXPECT_TRUE(WaitFor([&] { return screen.Grab() && ButtonDrawnAt(screen, kOptionsOkX, kOptionsOkY); }, 15s));
    for (const auto& corner : {std::pair{2, 2}, std::pair{kScreenWidth - 3, 2}, std::pair{2, kScreenHeight - 3},
                               std::pair{kScreenWidth - 3, kScreenHeight - 3}}) {
        EXPECT_FALSE(IsBlack(screen.At(corner.first, corner.second))) << corner.first << ", " << corner.second;
    }
    // And OK, where it is drawn, closes the window.
    ASSERT_TRUE(ClickAt(displayName, kOptionsOkX, kOptionsOkY, work + "/xdotool.txt"));
    EXPECT_TRUE(WaitFor([&] { return screen.Grab() && !ButtonDrawnAt(screen, kOptionsOkX, kOptionsOkY); }, 15s));
    // Leaving, the game stops first, then the connection closes, then the server stops.
}

} // namespace
