#include "support/dialogs.h"
#include "platform/rc/embedded.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/driver.h"
#include "rc/module.h"
#include "testing/menu_entries.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

namespace dialogs {

namespace {

HWND create(const unsigned char *(*resources)(size_t *), int id, HWND owner, DLGPROC proc)
{
    size_t size;
    const unsigned char *image = resources(&size);
    return CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(id), owner,
                              proc ? proc : msgseq::recording_dlgproc, 0);
}

}   // namespace

HWND open(int id, HWND owner, DLGPROC proc) { return create(screens_res, id, owner, proc); }

HWND open_program(int id) { return create(stonecall_res, id, nullptr, nullptr); }

std::string text(HWND dlg, int id)
{
    std::string s(40000, '\0');
    s.resize(GetDlgItemTextA(dlg, id, s.data(), static_cast<int>(s.size())));
    return s;
}

HWND focus(HWND dlg, int id)
{
    HWND control = GetDlgItem(dlg, id);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    pump(dlg);
    msgseq::log().clear();
    return control;
}

void pump(HWND dlg)
{
    MSG m;
    for (int guard = 0; guard < 500 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (!IsWindow(dlg) || !IsDialogMessageA(dlg, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
}

void press(HWND dlg, UINT vk, UINT modifier)
{
    testsupport::Person::tap(vk, modifier);
    pump(dlg);
}

void type(HWND dlg, const std::string &text)
{
    for (unsigned char ch : text) {
        UINT vk;
        bool shift;
        if (user32::vk_for_char(ch, vk, shift)) press(dlg, vk, shift ? VK_SHIFT : 0);
    }
}

void mouse(HWND control, POINT at, bool down)
{
    ClientToScreen(control, &at);
    drv::mouse_button(at, drv::Button::Left, down);
}

void click(HWND dlg, HWND control, POINT at)
{
    mouse(control, at, true);
    mouse(control, at, false);
    pump(dlg);
}

void drag(HWND dlg, POINT from, POINT to)
{
    drv::mouse_button(from, drv::Button::Left, true);
    drv::mouse_move(to);
    drv::mouse_button(to, drv::Button::Left, false);
    pump(dlg);
}

std::string menu_items(HMENU m)
{
    std::string out;
    for (const script::MenuEntry &e : script::menu_entries(m)) {
        out += e.separator ? "-" : e.text;
        out += e.greyed ? "~ " : " ";
    }
    return out;
}

void wheel(HWND dlg, HWND control, int notches)
{
    POINT at{2, 2};
    ClientToScreen(control, &at);
    drv::mouse_wheel(at, notches * WHEEL_DELTA);
    pump(dlg);
}

raster::Surface picture(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    const raster::Canvas &desk = user32::desktop_image();
    raster::Surface crop(r.right - r.left, r.bottom - r.top);
    raster::blit(crop.canvas, 0, 0, desk, raster::Rect{r.left, r.top, r.right, r.bottom}, raster::bounds(crop.canvas));
    return crop;
}

void fill_client(HWND window, COLORREF colour)
{
    HDC dc = GetDC(window);
    RECT all;
    GetClientRect(window, &all);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

}   // namespace dialogs
