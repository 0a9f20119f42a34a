// The real window through SDL2: showing the desktop, the real clock, input.
#include "driver/sdl/sdl_driver.h"

#include "driver/driver.h"
#include "driver/sdl/keys.h"
#include "driver/sdl/x11.h"
#include "kernel32/codepage.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace drv {
namespace {

// The classic desktop the dialogs were laid out for, at 96 dots per inch.
constexpr int kDesktopWidth = 1024, kDesktopHeight = 768;
// The main window's screens are laid out for at least this much.
constexpr int kMinDesktopWidth = 640, kMinDesktopHeight = 480;
constexpr float kClassicDpi = 96.0f;
// Presenting more often than a display refreshes shows nothing new: at most
// 60 frames a second, and events are taken at least as often while the
// program is busy, so the window manager never thinks the program hung.
constexpr uint64_t FRAME_MS = 17;
constexpr const char *NO_WINDOW_TITLE = "Stonecall";

constexpr int kMaxScale = 8;

// Desktop pixels become squares of whole OS pixels: 1.5 would blur every line.
// STONECALL_SCALE chooses the factor where the display misreports its density.
int scale_for_display(int display)
{
    if (const char *chosen = std::getenv("STONECALL_SCALE")) return std::clamp(std::atoi(chosen), 1, kMaxScale);
    float hdpi = 0;
    if (SDL_GetDisplayDPI(display, nullptr, &hdpi, nullptr) != 0 || hdpi <= 0) return 1;
    return std::clamp(static_cast<int>(hdpi / kClassicDpi + 0.25f), 1, kMaxScale);
}

class SdlDriver : public Driver {
  public:
    SdlDriver(SDL_Window *window, int scale);
    ~SdlDriver() override;

    uint64_t now() override;
    int64_t calendar_ms() override;
    SIZE desktop_size() override { return desktop_; }
    void wait(uint64_t deadline, bool inputCanEnd) override;
    void checkpoint() override;
    std::string clipboard_text() override;
    void set_clipboard_text(const std::string &text) override;

  private:
    bool pump();
    void handle(const SDL_Event &e, bool &input);
    void handle_window_event(const SDL_WindowEvent &e);
    void flush_move();
    void flush_key();
    bool flush_key_ups();
    bool layout_key_event(const SDL_KeyboardEvent &e);
    void follow_window_size();
    void present();
    void follow_title();
    POINT to_desktop(int x, int y) const { return POINT{x / scale_, y / scale_}; }

    SDL_Window *window_;
    int scale_;   // OS pixels per desktop pixel, each way
    SIZE desktop_{kDesktopWidth, kDesktopHeight};
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    uint64_t lastPump_ = 0;
    uint64_t lastFrame_ = 0;
    bool framePending_ = true;    // the program ran since the last look at the desktop
    bool exposed_ = true;         // the OS window lost its pixels: present whatever changed
    bool resized_ = false;        // the desktop changed size since the program last waited
    uint64_t shownChanges_ = 0;   // user32::desktop_changes() when last presented
    std::string title_;
    std::optional<POINT> move_;   // motion not yet delivered: only the last of a burst counts
    // A key down waits for the text SDL reports after it (what the layout typed).
    std::optional<std::pair<UINT, std::string>> keyDown_;
    bool altGr_ = false;   // the layout's right Alt is AltGr
    // Key-ups wait for the next event: those SDL reports because the window
    // lost the focus (it lets go of every key held, then says so) are not
    // the user's, and would make Alt+Tab a lone Alt press.
    std::vector<SDL_KeyboardEvent> keyUps_;
};

SdlDriver::SdlDriver(SDL_Window *window, int scale) : window_(window), scale_(scale)
{
    follow_window_size();
    altGr_ = sdl::right_alt_is_altgr(window_);
    SDL_PumpEvents();
    SDL_Keymod mods = SDL_GetModState();
    user32::seed_lock_keys((mods & KMOD_NUM) != 0, (mods & KMOD_CAPS) != 0);
}

// SDL stays initialised: SDL_Quit would unload the X libraries it opened,
// and what they keep until the end could no longer be told from our own leaks.
// The process's end closes the display.
SdlDriver::~SdlDriver() { SDL_DestroyWindow(window_); }

uint64_t SdlDriver::now()
{
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count());
}

int64_t SdlDriver::calendar_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Sleeps in SDL until an event or the deadline, presenting what the program
// drew in between. Input ends the wait when the program waits for it; during
// Sleep it is queued for later, and the window keeps answering. A script's
// steps run first: its `wait` lets real time pass.
void SdlDriver::wait(uint64_t deadline, bool inputCanEnd)
{
    framePending_ = true;
    resized_ = false;   // the windows that followed a new size have painted
    uint64_t until = deadline;
    if (inputCanEnd && onBlock_) {
        if (now() >= lastFrame_ + FRAME_MS) present();   // what the step acts on is on screen
        uint64_t needsNothingUntil = onBlock_(deadline);
        if (needsNothingUntil <= now()) return;
        until = std::min(deadline, needsNothingUntil);
    }
    for (;;) {
        bool input = pump();
        uint64_t t = now();
        // After a new size the program paints first: no frame shows a window
        // that followed the size but has not painted yet.
        if (framePending_ && !resized_ && t >= lastFrame_ + FRAME_MS) present();
        if ((input && inputCanEnd) || t >= until) return;
        uint64_t wake = framePending_ ? std::min(until, lastFrame_ + FRAME_MS) : until;
        if (wake == NO_DEADLINE) SDL_WaitEvent(nullptr);
        else SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint64_t>(wake - std::min(wake, t), INT_MAX)));
    }
}

// A program busy without blocking (a long cast reading its own queue) still
// shows its drawing and answers the window manager.
void SdlDriver::checkpoint()
{
    uint64_t t = now();
    if (t < lastPump_ + FRAME_MS) return;
    pump();
    framePending_ = true;
    if (!resized_ && t >= lastFrame_ + FRAME_MS) present();
}

std::string SdlDriver::clipboard_text()
{
    char *text = SDL_GetClipboardText();
    std::string out = text ? text : "";
    SDL_free(text);
    return out;
}

void SdlDriver::set_clipboard_text(const std::string &text) { SDL_SetClipboardText(text.c_str()); }

// Takes every waiting SDL event; true when any became input for the program.
bool SdlDriver::pump()
{
    lastPump_ = now();
    bool input = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) handle(e, input);
    input = flush_key_ups() || input;
    flush_key();
    flush_move();
    return input;
}

void SdlDriver::flush_move()
{
    if (move_) mouse_move(*move_);
    move_.reset();
}

void SdlDriver::flush_key()
{
    if (keyDown_) layout_key(keyDown_->first, true, keyDown_->second);
    keyDown_.reset();
}

// AltGr is Left Ctrl with Right Alt to Windows: both go down (Ctrl first)
// and up (Alt first), and no menu follows.
bool SdlDriver::layout_key_event(const SDL_KeyboardEvent &e)
{
    bool down = e.type == SDL_KEYDOWN;
    UINT vk = sdl::vk_of_key(e.keysym);
    if (!vk) return false;
    flush_move();
    bool altGr = altGr_ && e.keysym.scancode == SDL_SCANCODE_RALT;
    if (altGr && down) layout_key(VK_CONTROL, true, "");
    if (down) keyDown_.emplace(vk, "");
    else layout_key(vk, false, "");
    if (altGr && !down) layout_key(VK_CONTROL, false, "");
    if (altGr) flush_key();
    return true;
}

bool SdlDriver::flush_key_ups()
{
    bool any = false;
    for (const SDL_KeyboardEvent &up : keyUps_) any = layout_key_event(up) || any;
    keyUps_.clear();
    return any;
}

void SdlDriver::handle(const SDL_Event &e, bool &input)
{
    if (e.type != SDL_TEXTINPUT) flush_key();
    if (e.type == SDL_KEYUP) {
        keyUps_.push_back(e.key);
        return;
    }
    if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) keyUps_.clear();
    input = flush_key_ups() || input;
    switch (e.type) {
    case SDL_MOUSEMOTION:
        move_ = to_desktop(e.motion.x, e.motion.y);
        input = true;
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const Button buttons[] = {Button::Left, Button::Middle, Button::Right};
        if (e.button.button < SDL_BUTTON_LEFT || e.button.button > SDL_BUTTON_RIGHT) return;
        flush_move();
        mouse_button(to_desktop(e.button.x, e.button.y), buttons[e.button.button - SDL_BUTTON_LEFT],
                     e.type == SDL_MOUSEBUTTONDOWN);
        input = true;
        return;
    }
    case SDL_MOUSEWHEEL: {
        int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (notches == 0) return;
        flush_move();
        mouse_wheel(to_desktop(e.wheel.mouseX, e.wheel.mouseY), notches * WHEEL_DELTA);
        input = true;
        return;
    }
    case SDL_KEYDOWN:
        input = layout_key_event(e.key) || input;
        return;
    case SDL_TEXTINPUT: {
        // What the layout typed with the key just pressed; text from no key
        // (an input method's) comes as characters alone. Characters
        // Windows-1252 has no byte for are not typed.
        std::string typed = kernel32::ansi_of_utf8(e.text.text);
        if (keyDown_) {
            keyDown_->second += typed;
            return;
        }
        flush_move();
        for (char c : typed) character(static_cast<unsigned char>(c));
        input = input || !typed.empty();
        return;
    }
    case SDL_KEYMAPCHANGED:
        altGr_ = sdl::right_alt_is_altgr(window_);
        return;
    case SDL_WINDOWEVENT:
        handle_window_event(e.window);
        // Closing is input: the program's close box message waits in its
        // queue; so is a new size: the windows that followed it wait for
        // their WM_PAINT, which the program must see before the next frame.
        // Losing or regaining the focus is input too: the program answers it.
        if (e.window.event == SDL_WINDOWEVENT_CLOSE || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
            input = true;
        return;
    }
}

void SdlDriver::handle_window_event(const SDL_WindowEvent &e)
{
    switch (e.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        follow_window_size();
        return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        flush_move();
        app_focus(e.event == SDL_WINDOWEVENT_FOCUS_GAINED);
        return;
    case SDL_WINDOWEVENT_EXPOSED:
        exposed_ = true;
        framePending_ = true;
        return;
    case SDL_WINDOWEVENT_CLOSE: {
        // The OS window's close box is the close box of the screen in front.
        HWND target = GetActiveWindow();
        if (!target && !user32::top_level_windows().empty()) target = user32::top_level_windows().front();
        if (target) close_request(target);
        return;
    }
    }
}

void SdlDriver::follow_window_size()
{
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    SIZE d{std::max(1, w / scale_), std::max(1, h / scale_)};
    exposed_ = true;
    framePending_ = true;
    if (d.cx == desktop_.cx && d.cy == desktop_.cy) return;
    desktop_ = d;
    resized_ = true;
    user32::desktop_size_changed();
}

// The caption of the window in front; a window without one (the start
// banner, a bare popup) gives the title of its owner, else of the topmost
// captioned window.
void SdlDriver::follow_title()
{
    std::vector<HWND> candidates;
    for (HWND h = GetActiveWindow(); const user32::Window *w = user32::find(h); h = w->owner) candidates.push_back(h);
    const std::vector<HWND> &tops = user32::top_level_windows();
    candidates.insert(candidates.end(), tops.begin(), tops.end());
    std::string title = NO_WINDOW_TITLE;
    for (HWND h : candidates) {
        const user32::Window *w = user32::find(h);
        if (w && (w->style & WS_VISIBLE) && (w->style & WS_CAPTION) == WS_CAPTION && !w->text.empty()) {
            title = kernel32::utf8_of_ansi(w->text);
            break;
        }
    }
    if (title == title_) return;
    title_ = title;
    SDL_SetWindowTitle(window_, title_.c_str());
}

// Shows the desktop, scaled by whole pixels, when anything in it changed.
void SdlDriver::present()
{
    framePending_ = false;
    follow_title();
    const raster::Canvas &image = user32::desktop_image();
    uint64_t changes = user32::desktop_changes();
    if (changes == shownChanges_ && !exposed_) return;
    SDL_Surface *target = SDL_GetWindowSurface(window_);
    if (!target) return;
    SDL_Surface *source = SDL_CreateRGBSurfaceWithFormatFrom(image.pixels, image.width, image.height, 32,
                                                             image.stride * 4, SDL_PIXELFORMAT_RGB888);
    if (!source) return;
    // What a window size that is no multiple of the scale leaves over stays black.
    if (exposed_) SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    SDL_Rect to{0, 0, image.width * scale_, image.height * scale_};
    if (scale_ == 1) SDL_BlitSurface(source, nullptr, target, &to);
    else SDL_BlitScaled(source, nullptr, target, &to);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(window_);
    shownChanges_ = changes;
    exposed_ = false;
    lastFrame_ = now();
}

}   // namespace

bool install_sdl_driver(std::string &why)
{
    // Ctrl+C in the terminal ends the program as it would any other.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The desktop is composed in software: SDL's own framebuffer (shared memory
    // on X11) shows it without loading a GL driver, which would cost some 100 MiB
    // and 70 ms at start.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        why = SDL_GetError();
        return false;
    }
    // Where no display answers, SDL takes a driver that shows nothing: the
    // program would run unseen, for ever. Only asked for by name is it used.
    const char *driver = SDL_GetCurrentVideoDriver();
    const char *asked = std::getenv("SDL_VIDEODRIVER");
    if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) &&
        !(asked && std::strstr(asked, driver))) {
        why = "no display could be opened";
        SDL_Quit();
        return false;
    }
    int scale = scale_for_display(0);
    SDL_Rect usable{0, 0, kDesktopWidth * scale, kDesktopHeight * scale};
    SDL_GetDisplayUsableBounds(0, &usable);
    int w = std::min(kDesktopWidth * scale, usable.w), h = std::min(kDesktopHeight * scale, usable.h);
    SDL_Window *window =
        SDL_CreateWindow(NO_WINDOW_TITLE, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, SDL_WINDOW_RESIZABLE);
    if (!window) {
        why = SDL_GetError();
        SDL_Quit();
        return false;
    }
    SDL_SetWindowMinimumSize(window, kMinDesktopWidth * scale, kMinDesktopHeight * scale);
    sdl::end_when_display_goes();
    install(std::make_unique<SdlDriver>(window, scale));
    return true;
}

}   // namespace drv
