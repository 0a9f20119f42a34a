// The program's own resources as compiled from res/stonecall.rc: the screens'
// templates carry the geometry and fonts the screens are laid out for, the
// menu the command codes the main window handles, the bitmaps their sizes.
#include "platform/rc/bytes.h"
#include "rc/module.h"
#include "rc/templates.h"

#include <gtest/gtest.h>

namespace {

HINSTANCE program()
{
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    return rc::register_module(image, size);
}

const void *resource(WORD id, LPCSTR type, DWORD *size)
{
    HRSRC found = FindResourceA(program(), MAKEINTRESOURCE(id), type);
    *size = found ? SizeofResource(program(), found) : 0;
    return found ? LockResource(LoadResource(program(), found)) : nullptr;
}

rc::DialogTemplate screen(WORD id)
{
    DWORD size;
    const void *data = resource(id, RT_DIALOG, &size);
    rc::DialogTemplate t;
    std::string error;
    EXPECT_NE(data, nullptr) << "template " << id;
    EXPECT_TRUE(rc::parse_dialog_template(data, size, t, &error)) << "template " << id << ": " << error;
    return t;
}

const rc::DialogItem *control(const rc::DialogTemplate &t, WORD id)
{
    for (const rc::DialogItem &item : t.items)
        if (item.id == id)
            return &item;
    return nullptr;
}

} // namespace

TEST(ProgramResources, SetupScreenOkButtonStandsAt60_86And50x20Units)
{
    rc::DialogTemplate setup = screen(7);
    EXPECT_EQ(setup.caption, "Quenmire Stonecall V1.1 - Setup");
    EXPECT_EQ(setup.faceName, "MS Sans Serif");
    EXPECT_EQ(setup.pointSize, 8);
    EXPECT_EQ(setup.cx, 229);
    EXPECT_EQ(setup.cy, 123);
    const rc::DialogItem *ok = control(setup, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->className, "BUTTON");
    EXPECT_EQ(ok->text.name, "OK");
    EXPECT_EQ(ok->x, 60);
    EXPECT_EQ(ok->y, 86);
    EXPECT_EQ(ok->cx, 50);
    EXPECT_EQ(ok->cy, 20);
    EXPECT_EQ(ok->style & BS_TYPEMASK, DWORD(BS_PUSHBUTTON));
    EXPECT_TRUE(ok->style & WS_TABSTOP);
    const rc::DialogItem *path = control(setup, 105);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->style & (ES_READONLY | ES_AUTOHSCROLL | WS_BORDER), DWORD(ES_READONLY | ES_AUTOHSCROLL | WS_BORDER));
}

TEST(ProgramResources, RuneDetailAndCastingScreensUseNosferatu12)
{
    for (WORD id : {2, 3}) {
        rc::DialogTemplate t = screen(id);
        EXPECT_TRUE(t.hasFont) << id;
        EXPECT_EQ(t.faceName, "Nosferatu") << id;
        EXPECT_EQ(t.pointSize, 12) << id;
        EXPECT_TRUE(t.caption.empty()) << id;
        EXPECT_NE(t.style & WS_CAPTION, DWORD(WS_CAPTION)) << id;   // a border, no caption bar
        EXPECT_TRUE(t.style & WS_BORDER) << id;
    }
    rc::DialogTemplate detail = screen(2);
    EXPECT_EQ(detail.cx, 257);
    EXPECT_EQ(detail.cy, 204);
    EXPECT_EQ(detail.y, -4);
    ASSERT_EQ(detail.items.size(), 5u);
    EXPECT_EQ(detail.items[2].id, 0xFFFF);
    EXPECT_EQ(detail.items[2].text.name, "Meaning of Rune's Position");
    EXPECT_EQ(control(detail, 115)->style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL),
              DWORD(ES_MULTILINE | ES_READONLY | WS_VSCROLL));
}

TEST(ProgramResources, EveryScreenTemplateIsVisibleWithTheFontItNames)
{
    struct Screen {
        WORD id;
        short x, y, cx, cy;
        size_t controls;
    };
    const Screen screens[] = {{2, 48, -4, 257, 204, 5},  {3, 86, 61, 192, 83, 1},  {5, 6, 15, 418, 290, 0},
                              {6, 100, 68, 186, 154, 3}, {7, 98, 97, 229, 123, 6}, {8, 100, 68, 186, 154, 2},
                              {10, 130, 96, 180, 85, 11}, {987, 87, 122, 287, 52, 0}};
    for (const Screen &s : screens) {
        rc::DialogTemplate t = screen(s.id);
        EXPECT_TRUE(t.style & WS_VISIBLE) << s.id;
        EXPECT_TRUE(t.style & WS_POPUP) << s.id;
        EXPECT_EQ(t.x, s.x) << s.id;
        EXPECT_EQ(t.y, s.y) << s.id;
        EXPECT_EQ(t.cx, s.cx) << s.id;
        EXPECT_EQ(t.cy, s.cy) << s.id;
        EXPECT_EQ(t.items.size(), s.controls) << s.id;
        EXPECT_TRUE(t.hasFont) << s.id;
    }
    rc::DialogTemplate main = screen(5);
    EXPECT_TRUE(main.menu.isOrdinal);
    EXPECT_EQ(main.menu.ordinal, 1);
    EXPECT_EQ(main.caption, "Quenmire Stonecall V1.1");
    DWORD frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(main.style & frame, frame);

    rc::DialogTemplate newSpread = screen(10);
    EXPECT_EQ(control(newSpread, 102)->text.name, ".SCS");
    EXPECT_TRUE(control(newSpread, 102)->style & ES_UPPERCASE);
    EXPECT_FALSE(control(newSpread, 102)->style & ES_AUTOHSCROLL);
    EXPECT_FALSE(control(newSpread, 104)->style & WS_VISIBLE);
}

TEST(ProgramResources, MenuHasFileSpreadHelpWithHtmliseGreyed)
{
    DWORD size;
    const void *data = resource(1, RT_MENU, &size);
    std::vector<rc::MenuItem> bar;
    std::string error;
    ASSERT_TRUE(rc::parse_menu_template(data, size, bar, &error)) << error;
    ASSERT_EQ(bar.size(), 3u);
    EXPECT_EQ(bar[0].text, "&File");
    EXPECT_EQ(bar[1].text, "&Spread");
    EXPECT_EQ(bar[2].text, "&Help");

    struct Expected {
        size_t menu, index;
        const char *text;
        WORD id, flags;
    };
    const Expected items[] = {{0, 0, "&Exit", 3, 0},        {1, 0, "&New", 903, 0},     {1, 1, "&Edit", 902, 0},
                              {1, 2, "&Run", 901, 0},        {1, 3, "", 0, MF_SEPARATOR}, {1, 4, "&HTMLise", 907, MF_GRAYED},
                              {2, 0, "&About..", 905, 0}};
    EXPECT_EQ(bar[0].children.size(), 1u);
    EXPECT_EQ(bar[1].children.size(), 5u);
    EXPECT_EQ(bar[2].children.size(), 1u);
    for (const Expected &e : items) {
        ASSERT_LT(e.index, bar[e.menu].children.size());
        const rc::MenuItem &item = bar[e.menu].children[e.index];
        EXPECT_EQ(item.text, e.text);
        EXPECT_EQ(item.id, e.id) << e.text;
        EXPECT_EQ(item.flags, e.flags) << e.text;
    }
}

TEST(ProgramResources, BitmapsHaveTheirSizesAndDepths)
{
    struct Picture {
        WORD id;
        LONG width, height;
        WORD bits;
    };
    std::vector<Picture> pictures;
    for (WORD rune = 1; rune <= 25; rune++)
        pictures.push_back({rune, 220, 270, 4});
    pictures.push_back({26, 578, 510, 24});
    pictures.push_back({1011, 500, 82, 8});
    for (const Picture &p : pictures) {
        DWORD size;
        const unsigned char *data = static_cast<const unsigned char *>(resource(p.id, RT_BITMAP, &size));
        ASSERT_NE(data, nullptr) << p.id;
        ASSERT_GE(size, 40u) << p.id;
        // A BITMAP resource is the .bmp file without its 14-byte file header:
        // it starts with the BITMAPINFOHEADER.
        Bytes expected;
        expected.dword(40).dword(static_cast<DWORD>(p.width)).dword(static_cast<DWORD>(p.height)).word(1).word(p.bits);
        EXPECT_EQ(std::vector<unsigned char>(data, data + 16), expected.v) << "bitmap " << p.id;
    }
}
