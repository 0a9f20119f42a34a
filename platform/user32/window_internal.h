// The window manager's objects, for the rest of the layer: the drawing helper
// (window surfaces, the compositor, window DCs), the controls and the drivers.
// Program code never includes this.
//
// Threading: the layer is single-threaded. The lock-step test driver touches
// these objects only while the program thread is blocked in the driver.
#pragma once

#include <windows.h>

#include "gdi32/canvas.h"
#include "rc/templates.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace user32 {

struct WindowClass {
    std::string name;   // as registered; looked up case-insensitively
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

// What CreateDialogParamA keeps about a dialog beyond its window.
struct DialogInfo {
    std::string fontFace;   // DS_SETFONT face, empty for the system font
    WORD pointSize = 0;
    HFONT font = nullptr;        // what WM_SETFONT gave it (the drawing helper makes it)
    HWND savedFocus = nullptr;   // the control that gets the focus back on activation
    WORD defId = 0;              // DM_SETDEFID / the template's default push button
};

// A standard scroll bar's range, page and position (SetScrollInfo); Windows
// starts every bar at 0 to 100.
struct ScrollBarState {
    int min = 0, max = 100;
    UINT page = 0;
    int pos = 0;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    LONG_PTR id = 0;        // child windows: the control id (a template's 0xFFFF is -1)
    HMENU menu = nullptr;   // top-level windows: the menu bar (menutrack.cpp draws it)
    std::string menuName;   // a dialog template's menu, until the menu is loaded
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;   // cbWndExtra bytes: Get/SetWindowLongPtr(index >= 0)

    HWND parent = nullptr;        // child windows only
    HWND owner = nullptr;         // top-level windows only
    std::vector<HWND> children;   // z-order, topmost first; a new child goes last

    RECT rect{};         // window rectangle: parent's client coordinates
                         // for children, desktop coordinates for top-level
    RECT normalRect{};   // the restored rectangle while WS_MAXIMIZE

    raster::Surface surface;     // the client area's pixels
    bool hasUpdate = false;      // something is invalid: a WM_PAINT is due
    RECT update{};               // client coordinates, the union of the invalid parts
    bool erasePending = false;   // BeginPaint sends WM_ERASEBKGND first

    ScrollBarState vscroll;          // WS_VSCROLL: drawn in the non-client area
    std::shared_ptr<void> control;   // a system control's state (control.h)

    std::unique_ptr<DialogInfo> dialog;   // windows made by CreateDialogParamA
    bool destroying = false;              // between WM_DESTROY and removal

    bool child() const { return (style & WS_CHILD) != 0; }
};

using WindowRef = std::shared_ptr<Window>;

// RECT and the canvas's rectangle hold the same four edges.
inline RECT win_rect(const raster::Rect &r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The live window behind a handle; null for a stale or foreign handle.
Window *find(HWND hwnd);
// The same, kept alive across calls into window procedures.
WindowRef ref(HWND hwnd);
// Top-level windows in z-order, topmost first.
const std::vector<HWND> &top_level_windows();

// Geometry. Non-client insets (frame, caption, menu bar) for a style, as
// AdjustWindowRectEx adds them; the client rectangle in the window's own
// window-relative coordinates; a window's client origin on the desktop.
RECT nonclient_insets(DWORD style, DWORD exStyle, bool hasMenu);
RECT client_rect_in_window(const Window &w);
POINT client_origin_on_desktop(const Window &w);
// What a desktop point is over in a window (HTCLIENT, HTCAPTION, HTCLOSE,
// HTMENU, HTVSCROLL, HTBORDER...): DefWindowProcA's WM_NCHITTEST.
LRESULT nonclient_hit_test(const Window &w, POINT desktopPt);
// The caption's close box, in window-relative coordinates (empty without
// WS_SYSMENU and a caption): where the frame painter draws it.
RECT close_box_rect(const Window &w);
// Any caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON) the same way; the
// minimise and maximise boxes come with WS_MINIMIZEBOX or WS_MAXIMIZEBOX.
RECT caption_button_rect(const Window &w, LRESULT which);
// Visible, with every ancestor visible.
bool really_visible(const Window &w);
// The top-level window a window belongs to (itself when top-level).
HWND top_level_of(HWND hwnd);
// The deepest visible window at a desktop point, or null. Disabled children
// and children that answer WM_NCHITTEST with HTTRANSPARENT (group boxes) leave
// the point to what lies below them.
HWND window_at(POINT desktopPt);
// The desktop's work area: the whole desktop (there is no task bar).
RECT work_area();
// The driver's desktop changed size (the real window was resized): maximised
// windows fill the new work area, as Windows resizes them on a display change.
void desktop_size_changed();

// The drawing seam (windc.cpp): device contexts, brushes and fonts for painting.
HDC paint_dc_begin(Window &w, const RECT &paint);   // a DC on the part of the client area BeginPaint paints
void paint_dc_end(Window &w, HDC dc);               // EndPaint gives it back
// Default WM_ERASEBKGND: fill the client area with `brush`; TRUE when erased.
BOOL paint_erase(Window &w, HDC dc, HBRUSH brush);
// Default WM_CTLCOLOR*: the brush for the message's kind of control.
HBRUSH paint_default_ctlcolor(UINT msg, HDC dc);
// The font of a DS_SETFONT dialog (face and size in its DialogInfo), which
// CreateDialogParamA sends with WM_SETFONT to the dialog and each control;
// null sends nothing.
HFONT paint_dialog_font(const DialogInfo &dialog);
// A window being shown is erased at once, as Windows erases on SWP_SHOWWINDOW,
// so what its owner draws right after showing it is not erased by a later WM_PAINT.
void paint_erase_now(Window &w);

// Creates a window as CreateWindowExA does, calling `prepare` on the new object
// before the first message reaches it (a dialog sets its menu and units there).
HWND create_window(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx, int cy,
                   HWND parent, HMENU menu, HINSTANCE instance, LPVOID param, void (*prepare)(Window &, const void *),
                   const void *prepareData);

// A modeless dialog from a parsed template, as CreateDialogParamA makes it
// from a compiled one (message boxes and the file dialog build theirs in code).
HWND create_dialog(HINSTANCE instance, const rc::DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param);
// Dialog base units of a template's font.
SIZE dialog_base_units(const rc::DialogTemplate &t);

// System classes (class.cpp): a control's file replaces the placeholder of its
// class with its window procedure here. Unknown classes of templates (EDIT,
// STATIC, LISTBOX...) are plain windows until then.
void register_system_class(const WNDCLASSA &wc);
std::shared_ptr<WindowClass> find_class(const char *name);

// How the message now being handled reached the window procedure.
enum class Delivery { None, Sent, Posted };
Delivery current_delivery();

// Standard scroll bars (scrollbar.cpp). Where the thumb of the vertical bar
// lies along a track of `length` pixels between the arrows; false when there
// is nothing to scroll (the bar is drawn disabled). A press on the bar (at a
// desktop point) becomes WM_VSCROLL to the window, as DefWindowProcA does it.
bool scroll_thumb(const Window &w, int length, int &start, int &size);
void scroll_bar_press(HWND hwnd, POINT desktopPt);

// Keyboard (input.cpp). The key a US keyboard types a character with, for
// drivers and tests that type text; false when no key gives it.
bool vk_for_char(unsigned char ch, UINT &vk, bool &shift);
// Seeds the lock keys' toggles from the real keyboard (a driver at start).
void seed_lock_keys(bool numLock, bool capsLock);
// The next press makes no double-click with the presses before it: a test
// driver's clicks are separate gestures, though its clock stands still.
void input_forget_click();

// The window tree as indented JSON-ish text, for failing tests.
std::string dump_windows();

}   // namespace user32
