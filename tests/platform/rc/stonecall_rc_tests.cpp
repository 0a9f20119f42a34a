// The program's own resources as compiled from res/stonecall.rc: where each
// screen stands, in which font, and the styles its controls' behaviour comes
// from. (Client sizes in pixels are pinned where the dialogs are created.)
#include "platform/rc/bytes.h"
#include "rc/module.h"
#include "rc/templates.h"

#include <gtest/gtest.h>

namespace {

rc::DialogTemplate screen(WORD id)
{
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    HINSTANCE program = rc::register_module(image, size);
    HRSRC found = FindResourceA(program, MAKEINTRESOURCE(id), RT_DIALOG);
    rc::DialogTemplate t;
    std::string error;
    EXPECT_NE(found, nullptr) << "template " << id;
    if (found) {
        EXPECT_TRUE(rc::parse_dialog_template(LockResource(LoadResource(program, found)),
                                              SizeofResource(program, found), t, &error))
            << "template " << id << ": " << error;
    }
    return t;
}

} // namespace

TEST(ProgramResources, EveryScreenIsAVisiblePopupAtItsPlaceInItsFont)
{
    const DWORD border = WS_BORDER, frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    struct Screen {
        WORD id;
        short x, y;
        const char *face;
        WORD points;
        DWORD styles;   // all of these
        DWORD without;  // none of these
    };
    // The rune detail and casting screens have a border and no caption bar.
    const Screen screens[] = {
        {2, 48, -4, "Nosferatu", 12, border, WS_DLGFRAME},    {3, 86, 61, "Nosferatu", 12, border, WS_DLGFRAME},
        {5, 6, 15, "MS Sans Serif", 8, frame, 0},             {6, 100, 68, "MS Sans Serif", 8, 0, 0},
        {7, 98, 97, "MS Sans Serif", 8, WS_CAPTION, 0},        {8, 100, 68, "MS Sans Serif", 8, 0, 0},
        {10, 130, 96, "MS Sans Serif", 8, 0, 0},              {987, 87, 122, "MS Sans Serif", 8, 0, 0},
    };
    for (const Screen &s : screens) {
        SCOPED_TRACE(s.id);
        rc::DialogTemplate t = screen(s.id);
        EXPECT_EQ(t.style & (WS_VISIBLE | WS_POPUP | s.styles), DWORD(WS_VISIBLE | WS_POPUP | s.styles));
        EXPECT_EQ(t.style & s.without, 0u);
        EXPECT_EQ(t.x, s.x);
        EXPECT_EQ(t.y, s.y);
        EXPECT_TRUE(t.hasFont);
        EXPECT_EQ(t.faceName, s.face);
        EXPECT_EQ(t.pointSize, s.points);
    }
}

TEST(ProgramResources, ControlsCarryTheStylesTheirScreensRelyOn)
{
    struct Control {
        WORD screen, id;
        DWORD mask, expected;
    };
    const Control controls[] = {
        {7, IDOK, BS_TYPEMASK | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
        {7, 105, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER},
        {2, 115, ES_MULTILINE | ES_READONLY | WS_VSCROLL, ES_MULTILINE | ES_READONLY | WS_VSCROLL},
        {10, 102, ES_UPPERCASE | ES_AUTOHSCROLL, ES_UPPERCASE},   // typing stops at the field's width
        {10, 104, WS_VISIBLE, 0},
    };
    for (const Control &c : controls) {
        SCOPED_TRACE(testing::Message() << "screen " << c.screen << ", control " << c.id);
        rc::DialogTemplate t = screen(c.screen);
        const rc::DialogItem *found = nullptr;
        for (const rc::DialogItem &item : t.items)
            if (item.id == c.id)
                found = &item;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->style & c.mask, c.expected);
    }
}
