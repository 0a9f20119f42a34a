// The modal loop of the windows the layer makes itself (message boxes, the
// open-file dialog): the owner disabled, the dialog keyboard, the quit request
// handed on.
#include "user32/modal.h"

namespace user32 {

bool run_modal(HWND dialog, HWND owner, HWND focus, const bool &done)
{
    // With no owner nothing is disabled: the program's other windows stay usable.
    const bool disabled = owner && !EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOWNORMAL);
    if (focus) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    MSG m;
    while (!done && IsWindow(dialog)) {
        BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (got < 0) break;
        if (!IsDialogMessageA(dialog, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    if (disabled && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return done;
}

}   // namespace user32
