// Where the program meets the desktop around it: another application taking
// the foreground and giving it back (the messages in Windows' order, the
// capture ended, keys held let go, the focus restored; an open menu closes in
// the menu tests), and the clipboard shared with other programs (UTF-8 with
// LF out there).
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "user32/compositor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using dialogs::focus;
using dialogs::text;

namespace {

const RECT kAt{0, 0, 200, 150};

// The activation messages, in the order they came.
std::vector<msgseq::Seen> activation_log()
{
    return msgseq::select(nullptr, {WM_CANCELMODE, WM_CAPTURECHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP,
                                    WM_KILLFOCUS, WM_SETFOCUS});
}

uint32_t caption_pixel(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return user32::desktop_image().row(r.top + 8)[r.left + 6];
}

}   // namespace

TEST(AnotherApplication, TakingTheForegroundCancelsTheCaptureThenDeactivatesAndGivingItBackActivates)
{
    HWND hidden = msgseq::window("hidden", WS_OVERLAPPEDWINDOW, nullptr, kAt);
    HWND top = msgseq::window("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, kAt);
    HWND child = msgseq::window("", WS_CHILD | WS_VISIBLE, top, kAt);
    SetFocus(child);
    SetCapture(child);
    const uint32_t activeCaption = caption_pixel(top);
    msgseq::log().clear();
    drv::app_focus(false);
    dialogs::pump(nullptr);
    const std::vector<std::pair<HWND, std::string>> labels{{hidden, "hidden"}, {top, "top"}, {child, "child"}};
    std::string sequences = "losing the foreground:\n" + msgseq::text(activation_log(), labels);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_NE(caption_pixel(top), activeCaption);
    // Windows follows the ended capture with a move where the cursor is.
    EXPECT_FALSE(msgseq::select(nullptr, {WM_MOUSEMOVE, WM_NCMOUSEMOVE}).empty());

    msgseq::log().clear();
    drv::app_focus(true);
    dialogs::pump(nullptr);
    sequences += "getting it back:\n" + msgseq::text(activation_log(), labels);
    EXPECT_TRUE(matches_expected_text(sequences, "another_application.txt"));
    EXPECT_EQ(caption_pixel(top), activeCaption);
}

// Alt goes down in the program, then the focus leaves (Alt+Tab); Alt comes up
// in the other application or after coming back. Neither is a lone Alt press:
// no menu, and the next click is the window's.
TEST(AnotherApplication, AltHeldWhileTheFocusLeftIsNoLoneAltPress)
{
    const std::vector<std::vector<int>> orders = {
        {+VK_MENU, 0, -VK_MENU, 1},   // let go in the other application
        {+VK_MENU, 0, 1, -VK_MENU},   // let go after coming back
    };
    for (const std::vector<int> &order : orders) {
        HWND w = msgseq::window("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, kAt);
        msgseq::log().clear();
        for (int step : order) {
            if (step == 0 || step == 1) drv::app_focus(step == 1);
            else drv::key(static_cast<UINT>(std::abs(step)), step > 0);
            dialogs::pump(nullptr);
            if (step == 0) {
                EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000) << "Alt is up once the focus has gone";
            }
        }
        RECT r;
        GetClientRect(w, &r);
        POINT middle{r.right / 2, r.bottom / 2};
        ClientToScreen(w, &middle);
        drv::mouse_button(middle, drv::Button::Left, true);
        drv::mouse_button(middle, drv::Button::Left, false);
        dialogs::pump(nullptr);
        EXPECT_TRUE(msgseq::select(w, {WM_SYSCOMMAND}).empty()) << order[2];
        EXPECT_EQ(msgseq::select(w, {WM_LBUTTONDOWN, WM_LBUTTONUP}).size(), 2u) << order[2];
        DestroyWindow(w);
    }
}

// The desktop's clipboard holds UTF-8 with LF; a field gets Windows-1252 with
// CR LF, a single-line one only the first line, and copies go back converted.
TEST(Clipboard, PastedTextIsWindows1252WithCrLfAndCopiedTextGoesBackAsUtf8)
{
    HWND dlg = dialogs::open(601);
    // Zürich €5 中, a lone LF, then CR LF.
    drv::current().set_clipboard_text("Z\xC3\xBCrich \xE2\x82\xAC"
                                      "5 \xE4\xB8\xAD\nsecond\r\nthird");
    focus(dlg, 101);
    dialogs::press(dlg, 'V', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "Z\xFCrich \x80"
                              "5 ?");
    focus(dlg, 1199);
    dialogs::press(dlg, VK_INSERT, VK_SHIFT);
    EXPECT_EQ(text(dlg, 1199), "Z\xFCrich \x80"
                               "5 ?\r\nsecond\r\nthird");
    // The whole of it back, from the start of the first line's €.
    SendMessageA(GetDlgItem(dlg, 1199), EM_SETSEL, 7, -1);
    dialogs::press(dlg, VK_INSERT, VK_CONTROL);
    EXPECT_EQ(drv::current().clipboard_text(), "\xE2\x82\xAC"
                                               "5 ?\nsecond\nthird");
    // Nothing on the clipboard: a paste leaves the selection as it is.
    drv::current().set_clipboard_text("");
    focus(dlg, 101);   // all of it selected
    dialogs::press(dlg, 'V', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "Z\xFCrich \x80"
                              "5 ?");
}
