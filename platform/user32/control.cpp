// Helpers every control uses.
#include "user32/control.h"

namespace user32 {

void control_notify(HWND hwnd, WORD code)
{
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

HBRUSH control_colors(HWND hwnd, HDC dc, UINT msg)
{
    HWND parent = GetParent(hwnd);
    HBRUSH b = parent ? reinterpret_cast<HBRUSH>(SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(hwnd)))
                      : nullptr;
    // A parent that answers nothing gets the default colours, as DefWindowProc gives them.
    return b ? b : reinterpret_cast<HBRUSH>(DefWindowProcA(hwnd, msg, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(hwnd)));
}

void control_grey_text(HDC dc, const char *text, RECT r, UINT format)
{
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF was = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    OffsetRect(&r, 1, 1);
    DrawTextA(dc, text, -1, &r, format);
    OffsetRect(&r, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    DrawTextA(dc, text, -1, &r, format);
    SetTextColor(dc, was);
    SetBkMode(dc, mode);
}

} // namespace user32
