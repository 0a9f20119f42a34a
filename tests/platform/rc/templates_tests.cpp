// The compiled resource images and the dialog and menu templates in them,
// read back field by field: the test templates (screens.rc) and the program's
// own screens against expected texts in tests/golden/, hand-made templates for
// what the resource compiler never writes, and the limits damaged ones are
// refused at, with their reasons. Modules and the KERNEL32 resource calls:
// finding a resource by number and by name, and refusal of handles that
// belong to nothing. Packed DIBs as bitmap resources hold them: each bit depth
// through its palette, both row orders, and the limits of the header.
#include "platform/rc/embedded.h"
#include "support/golden.h"

#include "gdi32/dib.h"
#include "rc/module.h"
#include "rc/resfile.h"
#include "rc/templates.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Hand-made little-endian byte images.
struct Bytes {
    std::vector<unsigned char> v;

    Bytes &byte(unsigned char b)
    {
        v.push_back(b);
        return *this;
    }
    Bytes &word(WORD w) { return byte(static_cast<unsigned char>(w)).byte(static_cast<unsigned char>(w >> 8)); }
    Bytes &words(std::initializer_list<WORD> list)
    {
        for (WORD w : list) word(w);
        return *this;
    }
    Bytes &dword(DWORD d) { return word(static_cast<WORD>(d)).word(static_cast<WORD>(d >> 16)); }
    // A NUL-terminated UTF-16 string of single-byte text.
    Bytes &str(const std::string &s)
    {
        for (unsigned char c : s) word(c);
        return word(0);
    }
    Bytes &align4()
    {
        while (v.size() % 4) byte(0);
        return *this;
    }
};

std::string text_of(const rc::NameOrOrdinal &n)
{
    return n.isOrdinal ? "#" + std::to_string(n.ordinal) : "\"" + n.name + "\"";
}

std::string describe(const rc::DialogTemplate &t)
{
    std::ostringstream o;
    o << "DIALOG" << std::hex << " style " << t.style << " ex " << t.exStyle << std::dec << " at " << t.x << "," << t.y
      << " " << t.cx << "x" << t.cy << " menu " << text_of(t.menu) << " class " << text_of(t.windowClass)
      << " caption \"" << t.caption << "\"";
    if (t.hasFont) o << " font " << t.pointSize << " \"" << t.faceName << "\"";
    for (const rc::DialogItem &i : t.items) {
        o << "\n  " << i.className << " " << text_of(i.text) << " id " << i.id << std::hex << " style " << i.style
          << " ex " << i.exStyle << std::dec << " at " << i.x << "," << i.y << " " << i.cx << "x" << i.cy;
        for (BYTE b : i.creationData) o << " " << int(b);
    }
    return o.str() + "\n";
}

void describe(std::ostringstream &o, const std::vector<rc::MenuItem> &items, const std::string &indent)
{
    for (const rc::MenuItem &m : items) {
        o << indent << "flags " << std::hex << m.flags << std::dec << " id " << m.id << " \"" << m.text << "\"\n";
        describe(o, m.children, indent + "  ");
    }
}

// Every entry of an image; with its data, the dialogs and menus in it.
std::string describe(const unsigned char *(*image)(size_t *), bool everyEntry)
{
    size_t size;
    const unsigned char *data = image(&size);
    std::vector<rc::ResEntry> entries;
    std::string error;
    EXPECT_TRUE(rc::read_res(data, size, entries, &error)) << error;
    std::ostringstream o;
    for (const rc::ResEntry &e : entries) {
        const bool dialog = e.type.isOrdinal && e.type.ordinal == 5, menu = e.type.isOrdinal && e.type.ordinal == 4;
        if (!everyEntry && !dialog && !menu) continue;
        o << text_of(e.type) << " " << text_of(e.name) << " language " << std::hex << e.language << std::dec << " size "
          << e.size << (reinterpret_cast<uintptr_t>(e.data) % 4 ? " unaligned" : "") << "\n";
        rc::DialogTemplate t;
        std::vector<rc::MenuItem> items;
        if (dialog && rc::parse_dialog_template(e.data, e.size, t, &error)) o << describe(t);
        else if (menu && rc::parse_menu_template(e.data, e.size, items, &error)) describe(o, items, "  ");
        else if (!dialog && !menu) o << "  \"" << std::string(reinterpret_cast<const char *>(e.data), e.size) << "\"\n";
        else o << "  refused: " << error << "\n";
    }
    return o.str();
}

// A classic template without font, its menu and window class by name, whose
// items the test appends.
Bytes classic_header(WORD items, const std::string &caption = "T")
{
    Bytes b;
    b.dword(WS_POPUP).dword(0).word(items).word(1).word(2).word(30).word(40);
    b.str("Bar").str("Own").str(caption);
    return b;
}

HINSTANCE module_of(const unsigned char *(*image)(size_t *))
{
    size_t size;
    const unsigned char *data = image(&size);
    return rc::register_module(data, size);
}

std::string resource_text(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return "<not found>";
    const char *p = static_cast<const char *>(LockResource(LoadResource(module, found)));
    return p ? std::string(p, SizeofResource(module, found)) : "<not loaded>";
}

// A packed DIB as a bitmap resource stores it: header, colour table, rows
// padded to four bytes. rowBits holds each row's bytes before padding, top row
// first; the builder stores them bottom-up unless topDown.
std::vector<BYTE> make_dib(int w, int h, int bpp, const std::vector<COLORREF> &palette,
                           const std::vector<std::vector<BYTE>> &rowBits, bool topDown = false)
{
    Bytes out;   // BITMAPINFOHEADER: size, width, height, planes, depth, BI_RGB, image size, resolution, colours
    out.dword(40).dword(static_cast<DWORD>(w)).dword(static_cast<DWORD>(topDown ? -h : h));
    out.word(1).word(static_cast<WORD>(bpp)).dword(BI_RGB).dword(0).dword(0).dword(0);
    out.dword(static_cast<DWORD>(palette.size())).dword(0);
    for (COLORREF c : palette) out.byte(GetBValue(c)).byte(GetGValue(c)).byte(GetRValue(c)).byte(0);
    const size_t stride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
    for (int i = 0; i < h; ++i) {
        std::vector<BYTE> row = rowBits[static_cast<size_t>(topDown ? i : h - 1 - i)];
        row.resize(stride, 0xEE);   // padding must be ignored
        out.v.insert(out.v.end(), row.begin(), row.end());
    }
    return out.v;
}

// 3 x 2, indices 0 1 2 / 3 0 1.
const std::vector<COLORREF> kFour = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(1, 2, 3)};
std::vector<BYTE> sample(bool topDown = false)
{
    return make_dib(3, 2, 4, kFour, {{0x01, 0x20}, {0x30, 0x10}}, topDown);
}

}   // namespace

TEST(Golden, CompiledTemplatesReadBackFieldByField)
{
    EXPECT_TRUE(matches_expected_text(describe(screens_res, true), "screens_res.txt"));
    EXPECT_TRUE(matches_expected_text(describe(stonecall_res, false), "stonecall_res.txt"));
}

TEST(Templates, HandMadeOnesReadOrdinalTextNamedClassCreationDataAlignmentAndTheMenuOffset)
{
    Bytes b = classic_header(3);
    // The last predefined class atom; its text is a resource ordinal.
    b.align4().dword(WS_CHILD | SS_ICON).dword(0).word(5).word(6).word(7).word(8).word(50);
    b.word(0xFFFF).word(0x85).word(0xFFFF).word(42).word(0);
    // A class by name, odd-length text, classic creation data of 3 bytes.
    b.align4().dword(WS_CHILD).dword(WS_EX_STATICEDGE).word(0xFFF6).word(0).word(1).word(1).word(51);
    b.str("Mine").str("abc").word(3).byte(9).byte(8).byte(7);
    // After 3 bytes of data the next item needs padding.
    b.align4().dword(WS_CHILD | BS_AUTOCHECKBOX).dword(0).word(0).word(0).word(1).word(1).word(52);
    b.word(0xFFFF).word(0x80).str("\xfc").word(0);
    rc::DialogTemplate t;
    std::string error;
    ASSERT_TRUE(rc::parse_dialog_template(b.v.data(), b.v.size(), t, &error)) << error;
    EXPECT_EQ(describe(t), "DIALOG style 80000000 ex 0 at 1,2 30x40 menu \"Bar\" class \"Own\" caption \"T\"\n"
                           "  COMBOBOX #42 id 50 style 40000003 ex 0 at 5,6 7x8\n"
                           "  Mine \"abc\" id 51 style 40000000 ex 20000 at -10,0 1x1 9 8 7\n"
                           "  BUTTON \"\xfc\" id 52 style 40000003 ex 0 at 0,0 1x1\n");
    // Text beyond Latin-1 becomes question marks: a, the euro, one emoji, b.
    Bytes beyond = classic_header(0, "");
    beyond.v.resize(beyond.v.size() - 2);
    beyond.word('a').word(0x20AC).word(0xD83D).word(0xDE00).word('b').word(0);
    ASSERT_TRUE(rc::parse_dialog_template(beyond.v.data(), beyond.v.size(), t, nullptr));
    EXPECT_EQ(t.caption, "a??b");
    // A menu's first item is found by the header's offset.
    Bytes menu;
    menu.word(0).word(2).word(0xBEEF).word(MF_END).word(7).str("x");
    std::vector<rc::MenuItem> items;
    ASSERT_TRUE(rc::parse_menu_template(menu.v.data(), menu.v.size(), items, nullptr));
    std::ostringstream o;
    describe(o, items, "");
    EXPECT_EQ(o.str(), "flags 0 id 7 \"x\"\n");
}

// Every shorter copy of a compiled template is refused with a reason, and of
// the whole image either refused or read only as far as it goes (all of it
// without the last padding); each copy is exactly its length, so the
// sanitizer sees any read past it.
TEST(Templates, EveryTruncationIsRefusedOrReadOnlyAsFarAsItGoes)
{
    size_t size;
    const unsigned char *image = screens_res(&size);
    for (size_t n = 0; n < size; ++n) {
        const std::vector<unsigned char> cut(image, image + n);
        std::vector<rc::ResEntry> entries;
        std::string error;
        const bool read = rc::read_res(cut.data(), n, entries, &error);
        EXPECT_TRUE(read || !error.empty()) << n;
        EXPECT_TRUE(n + 1 < size || (read && entries.size() == 11u))
            << "the padding after the last entry may be missing";
        for (const rc::ResEntry &e : entries) EXPECT_LE(static_cast<size_t>(e.data - cut.data()) + e.size, n) << n;
    }
    std::vector<rc::ResEntry> entries;
    rc::read_res(image, size, entries, nullptr);
    for (const rc::ResEntry &e : entries) {
        const bool dialog = e.type.isOrdinal && e.type.ordinal == 5, menu = e.type.isOrdinal && e.type.ordinal == 4;
        for (size_t n = 0; (dialog || menu) && n < e.size; ++n) {
            const std::vector<unsigned char> cut(e.data, e.data + n);
            rc::DialogTemplate t;
            std::vector<rc::MenuItem> items;
            std::string error;
            EXPECT_FALSE(dialog ? rc::parse_dialog_template(cut.data(), n, t, &error)
                                : rc::parse_menu_template(cut.data(), n, items, &error))
                << text_of(e.name) << " cut to " << n;
            EXPECT_FALSE(error.empty()) << text_of(e.name) << " cut to " << n;
        }
    }
}

TEST(Templates, DamagedOnesAreRefusedWithTheirReason)
{
    using Parse = std::function<bool(const Bytes &, std::string &)>;
    const Parse dialog = [](const Bytes &b, std::string &error) {
        rc::DialogTemplate t;
        return rc::parse_dialog_template(b.v.data(), b.v.size(), t, &error) || !t.items.empty();
    };
    const Parse menu = [](const Bytes &b, std::string &error) {
        std::vector<rc::MenuItem> items;
        return rc::parse_menu_template(b.v.data(), b.v.size(), items, &error) || !items.empty();
    };
    const Parse res = [](const Bytes &b, std::string &error) {
        std::vector<rc::ResEntry> entries;
        return rc::read_res(b.v.data(), b.v.size(), entries, &error);
    };
    Bytes item = classic_header(1);
    item.align4().dword(WS_CHILD).dword(0).word(0).word(0).word(1).word(1).word(3);
    Bytes twoItems = item, atom = item, longData = item;
    twoItems.v[8] = 2;
    atom.word(0xFFFF).word(0x86).word(0).word(0);
    longData.word(0xFFFF).word(0x80).word(0).word(0x7FFF).word(0);
    Bytes version, menuEx, noEnd, popupNoEnd, empty, offset, deep;
    version.words({1, 0xFFFF}).dword(0).dword(0).dword(WS_POPUP).words({0, 0, 0, 1, 1, 0, 0, 0});
    menuEx.word(1).word(4).dword(0);
    noEnd.word(0).word(0).word(0).word(1).str("a");
    popupNoEnd.word(0).word(0).word(MF_POPUP | MF_END).str("p").word(0).word(1).str("a");
    empty.word(0).word(0);
    offset.word(0).word(100);
    deep.word(0).word(0);
    for (int i = 0; i < 40; i++) deep.word(MF_POPUP | MF_END).str("p");
    deep.word(MF_END).word(1).str("leaf");
    // An entry of 4 data bytes, then one whose sizes the cases set.
    auto image = [](DWORD dataSize, DWORD headerSize) {
        Bytes b;
        b.dword(4).dword(32).words({0xFFFF, 10, 0xFFFF, 1}).dword(0).dword(0).dword(0).dword(0).dword(0);
        b.dword(dataSize).dword(headerSize).words({0xFFFF, 10, 0xFFFF, 2}).dword(0).dword(0).dword(0).dword(0);
        return b.dword(0);
    };
    struct Case {
        const char *what;
        Bytes data;
        Parse parse;
        const char *reason;
    };
    const Case cases[] = {
        {"one item more than written", twoItems, dialog, "cannot fit"},
        {"class atom 0x86", atom, dialog, "unknown class"},
        {"creation data longer than the template", longData, dialog, "item 1 of 1"},
        {"an extended template", version, dialog, "DIALOGEX"},
        {"MENUEX", menuEx, menu, "version 1"},
        {"top level without MF_END", noEnd, menu, "MF_END"},
        {"popup without MF_END", popupNoEnd, menu, "MF_END"},
        {"no items at all", empty, menu, "item missing"},
        {"offset past the end", offset, menu, "offset"},
        {"40 nested popups", deep, menu, "deeper"},
        {"data size past the end", image(0xFFFFFFF0u, 32), res, "data size"},
        {"data size one byte too long", image(5, 32), res, "data size"},
        {"header size below its own fields", image(0, 4), res, "header size"},
        {"header size past the end", image(0, 0x10000), res, "header size"},
        {"header too short for the name", image(0, 16), res, "header size"},
    };
    for (const Case &c : cases) {
        std::string error;
        EXPECT_FALSE(c.parse(c.data, error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    }
}

TEST(Module, OneModuleAnImageNullIsTheMainOneStrayHandlesAreRefusedAndNamesFoundInAnyCase)
{
    HINSTANCE test = module_of(screens_res);
    ASSERT_NE(test, nullptr);
    EXPECT_NE(module_of(stonecall_res), test);
    EXPECT_EQ(module_of(screens_res), test);
    static const unsigned char truncated[] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF};
    EXPECT_EQ(rc::register_module(truncated, sizeof truncated), nullptr);
    EXPECT_EQ(rc::register_module(nullptr, 0), nullptr);
    rc::set_main_module(nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), nullptr);
    rc::set_main_module(test);
    EXPECT_EQ(GetModuleHandleA(nullptr), test);
    EXPECT_EQ(GetModuleHandleA("stonecall.exe"), nullptr);
    EXPECT_EQ(resource_text(nullptr, "NAMED", RT_RCDATA), "abc");   // a null module is the main one
    HINSTANCE program = module_of(stonecall_res);
    HRSRC dialog = FindResourceA(test, MAKEINTRESOURCE(500), RT_DIALOG);
    ASSERT_NE(dialog, nullptr);
    // A resource of one module handed to another, a made-up resource handle,
    // and module handles that were never given out.
    EXPECT_EQ(LoadResource(program, dialog), nullptr);
    EXPECT_EQ(SizeofResource(program, dialog), 0u);
    EXPECT_EQ(LoadResource(test, reinterpret_cast<HRSRC>(reinterpret_cast<uintptr_t>(dialog) + 4)), nullptr);
    for (uintptr_t stray :
         {reinterpret_cast<uintptr_t>(test) + 1, uintptr_t{0x00400000} + 0x00010000 * 500, uintptr_t{0x1000}}) {
        EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(stray), MAKEINTRESOURCE(500), RT_DIALOG), nullptr);
        EXPECT_EQ(LoadResource(reinterpret_cast<HMODULE>(stray), dialog), nullptr);
    }
    HGLOBAL loaded = LoadResource(test, dialog);
    EXPECT_EQ(LockResource(loaded), loaded);
    // By number and by name in any case.
    EXPECT_EQ(resource_text(test, "named", RT_RCDATA), "abc");
    EXPECT_EQ(resource_text(test, "NaMeD", MAKEINTRESOURCE(10)), "abc");
    // Wrong type, unknown names, a name that is only a prefix or a number.
    const std::pair<LPCSTR, LPCSTR> missing[] = {{MAKEINTRESOURCE(500), RT_MENU},
                                                 {MAKEINTRESOURCE(999), RT_DIALOG},
                                                 {"NAME", RT_RCDATA},
                                                 {"NAMEDX", RT_RCDATA},
                                                 {"#500", RT_DIALOG},
                                                 {nullptr, RT_DIALOG}};
    for (const auto &[name, type] : missing) EXPECT_EQ(FindResourceA(test, name, type), nullptr);
}

// Each bit depth decoded, side by side in tests/golden/dib_depths.png.
TEST(Golden, DibOfEachBitDepthThroughItsPalette)
{
    const std::vector<BYTE> cases[] = {
        // 1 bit: pixel 9 is bit 6 of the second byte.
        make_dib(10, 2, 1, {RGB(0, 0, 0), RGB(255, 255, 255)}, {{0x80, 0x40}, {0x00, 0x00}}),
        sample(),
        sample(true),
        make_dib(2, 1, 8, {RGB(9, 9, 9), RGB(255, 216, 170)}, {{1, 0}}),
        // 24 and 32 bits: blue, green, red per pixel (and one unused byte).
        make_dib(2, 1, 24, {}, {{0x03, 0x02, 0x01, 0xAA, 0xBB, 0xCC}}),
        make_dib(2, 1, 32, {}, {{3, 2, 1, 9, 0xAA, 0xBB, 0xCC, 9}}),
        // A short colour table reads the entries it lacks as black.
        make_dib(2, 1, 4, {RGB(255, 255, 255)}, {{0x0F}}),
    };
    raster::Surface all(7 * 12, 3, 0x808080);
    int x = 0;
    for (const std::vector<BYTE> &dib : cases) {
        raster::Surface s;
        std::string error;
        ASSERT_TRUE(gdi::decode_dib(dib.data(), dib.size(), s, &error)) << error;
        raster::blit(all.canvas, x, 0, s.canvas, raster::bounds(s.canvas), raster::bounds(all.canvas));
        x += 12;
    }
    EXPECT_TRUE(matches_golden(all.canvas, "dib_depths"));
}

TEST(Dib, MalformedHeadersAndEveryTruncationAreRefusedWithAReason)
{
    struct Case {
        const char *what;
        size_t offset;   // into BITMAPINFOHEADER
        uint32_t value;
        int bytes;
    };
    const Case cases[] = {
        {"header size", 0, 12, 4}, {"zero width", 4, 0, 4},      {"negative width", 4, 0xFFFFFFFF, 4},
        {"zero height", 8, 0, 4},  {"huge width", 4, 100000, 4}, {"planes", 12, 2, 2},
        {"bit depth", 14, 16, 2},  {"compression", 16, 2, 4},    {"table too long", 32, 17, 4},
    };
    for (const Case &c : cases) {
        auto d = sample();
        std::memcpy(d.data() + c.offset, &c.value, static_cast<size_t>(c.bytes));
        raster::Surface s;
        std::string error;
        EXPECT_FALSE(gdi::decode_dib(d.data(), d.size(), s, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
    raster::Surface s;
    EXPECT_FALSE(gdi::decode_dib(nullptr, 100, s, nullptr));
    // Every shorter copy, each exactly its length so the sanitizer sees any read past it.
    const auto whole = sample();
    for (size_t n = 0; n < whole.size(); ++n) {
        const std::vector<BYTE> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
        std::string error;
        EXPECT_FALSE(gdi::decode_dib(cut.data(), cut.size(), s, &error)) << n;
        EXPECT_FALSE(error.empty()) << n;
    }
}
