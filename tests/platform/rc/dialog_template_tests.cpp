// Dialog templates, classic and extended: every header and item field, the
// font, class atoms, creation data, alignment, and refusal of damaged ones.
#include "platform/rc/bytes.h"
#include "rc/templates.h"

#include <gtest/gtest.h>

#include <strings.h>

namespace {

rc::DialogTemplate test_dialog(WORD id)
{
    rc::ResEntry e = entry_in(test_res, 5, id);
    rc::DialogTemplate t;
    std::string error;
    EXPECT_TRUE(rc::parse_dialog_template(e.data, e.size, t, &error)) << id << ": " << error;
    return t;
}

bool parse(const void *data, size_t size, std::string &error)
{
    rc::DialogTemplate t;
    return rc::parse_dialog_template(data, size, t, &error);
}

// A classic template without font whose items the test appends.
Bytes classic_header(WORD items)
{
    Bytes b;
    b.dword(WS_POPUP).dword(0).word(items).word(1).word(2).word(30).word(40);
    b.word(0).word(0).str("T");   // no menu, dialog class, caption "T"
    return b;
}

} // namespace

TEST(DialogTemplate, ReadsAClassicTemplateWithFontMenuAndEveryClass)
{
    rc::DialogTemplate t = test_dialog(100);
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, DWORD(DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT));
    EXPECT_EQ(t.x, 10);
    EXPECT_EQ(t.y, -20);
    EXPECT_EQ(t.cx, 200);
    EXPECT_EQ(t.cy, 120);
    EXPECT_TRUE(t.menu.isOrdinal);
    EXPECT_EQ(t.menu.ordinal, 200);
    EXPECT_TRUE(t.windowClass.name.empty());
    EXPECT_FALSE(t.windowClass.isOrdinal);
    EXPECT_EQ(t.caption, "Classic \xe9t\xe9");   // Latin-1 survives the trip through UTF-16
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.faceName, "MS Sans Serif");

    ASSERT_EQ(t.items.size(), 7u);
    const char *classes[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(t.items[i].className, classes[i]);
    EXPECT_EQ(t.items[0].style, DWORD(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON));
    EXPECT_EQ(t.items[0].text.name, "OK");
    EXPECT_EQ(t.items[0].id, 1);
    EXPECT_EQ(t.items[1].style & (ES_AUTOHSCROLL | ES_UPPERCASE), DWORD(ES_AUTOHSCROLL | ES_UPPERCASE));
    EXPECT_EQ(t.items[2].id, 0xFFFF);   // -1
    EXPECT_EQ(t.items[2].text.name, "Label");

    const rc::DialogItem &own = t.items[6];
    EXPECT_EQ(strcasecmp(own.className.c_str(), "StonecallOwnClass"), 0);
    EXPECT_EQ(own.x, -3);
    EXPECT_EQ(own.y, -4);
    EXPECT_EQ(own.cx, 30);
    EXPECT_EQ(own.cy, 10);
    EXPECT_EQ(own.id, 44);
    EXPECT_TRUE(own.creationData.empty());
}

TEST(DialogTemplate, ReadsAnExtendedTemplateWithCreationData)
{
    rc::DialogTemplate t = test_dialog(101);
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.exStyle, DWORD(WS_EX_TOOLWINDOW));
    EXPECT_EQ(t.style & (WS_POPUP | WS_BORDER | DS_SETFONT), DWORD(WS_POPUP | WS_BORDER | DS_SETFONT));
    EXPECT_EQ(t.x, 1);
    EXPECT_EQ(t.cy, 4);
    EXPECT_FALSE(t.menu.isOrdinal);
    EXPECT_EQ(strcasecmp(t.menu.name.c_str(), "TESTMENU"), 0);
    EXPECT_EQ(strcasecmp(t.windowClass.name.c_str(), "TestDialogClass"), 0);
    EXPECT_EQ(t.caption, "Extended");
    EXPECT_EQ(t.pointSize, 12);
    EXPECT_EQ(t.weight, 700);
    EXPECT_EQ(t.italic, 1);
    EXPECT_EQ(t.faceName, "Nosferatu");

    ASSERT_EQ(t.items.size(), 2u);
    EXPECT_EQ(t.items[0].id, 0xFFFF);   // -1 is a DWORD here
    EXPECT_EQ(t.items[0].exStyle, DWORD(WS_EX_CLIENTEDGE));
    EXPECT_EQ(t.items[0].style & BS_TYPEMASK, DWORD(BS_GROUPBOX));
    EXPECT_EQ(t.items[0].creationData, (std::vector<BYTE>{0x01, 0x02, 0x03, 0x04}));
    // The item after the creation data starts on the next DWORD.
    EXPECT_EQ(t.items[1].className, "STATIC");
    EXPECT_EQ(t.items[1].id, 7);
    EXPECT_EQ(t.items[1].text.name, "After");
    EXPECT_EQ(t.items[1].y, 60);
}

TEST(DialogTemplate, WithoutSetFontHasNoFontFields)
{
    rc::DialogTemplate t = test_dialog(102);
    EXPECT_FALSE(t.hasFont);
    EXPECT_EQ(t.pointSize, 0);
    EXPECT_TRUE(t.faceName.empty());
    EXPECT_TRUE(t.caption.empty());
    ASSERT_EQ(t.items.size(), 1u);
    EXPECT_EQ(t.items[0].text.name, "Go");
    EXPECT_EQ(t.items[0].id, 9);
}

TEST(DialogTemplate, ReadsHandMadeItemsWithOrdinalTextNamedClassAndAlignment)
{
    Bytes b = classic_header(3);
    // An icon static: its text is a resource ordinal.
    b.align4().dword(WS_CHILD | SS_ICON).dword(0).word(5).word(6).word(7).word(8).word(50);
    b.word(0xFFFF).word(0x82).word(0xFFFF).word(42).word(0);
    // A class by name, odd-length text, classic creation data of 3 bytes.
    b.align4().dword(WS_CHILD).dword(WS_EX_STATICEDGE).word(0xFFF6).word(0).word(1).word(1).word(51);
    b.str("Mine").str("abc").word(3).byte(9).byte(8).byte(7);
    // After 3 bytes of data the next item needs padding.
    b.align4().dword(WS_CHILD | BS_AUTOCHECKBOX).dword(0).word(0).word(0).word(1).word(1).word(52);
    b.word(0xFFFF).word(0x80).str("\xfc").word(0);

    rc::DialogTemplate t;
    std::string error;
    ASSERT_TRUE(rc::parse_dialog_template(b.v.data(), b.v.size(), t, &error)) << error;
    EXPECT_EQ(t.caption, "T");
    ASSERT_EQ(t.items.size(), 3u);
    EXPECT_EQ(t.items[0].className, "STATIC");
    EXPECT_TRUE(t.items[0].text.isOrdinal);
    EXPECT_EQ(t.items[0].text.ordinal, 42);
    EXPECT_EQ(t.items[1].className, "Mine");
    EXPECT_EQ(t.items[1].x, -10);
    EXPECT_EQ(t.items[1].exStyle, DWORD(WS_EX_STATICEDGE));
    EXPECT_EQ(t.items[1].text.name, "abc");
    EXPECT_EQ(t.items[1].creationData, (std::vector<BYTE>{9, 8, 7}));
    EXPECT_EQ(t.items[2].className, "BUTTON");
    EXPECT_EQ(t.items[2].text.name, "\xfc");
    EXPECT_EQ(t.items[2].id, 52);
}

TEST(DialogTemplate, TextBeyondLatin1BecomesQuestionMarks)
{
    Bytes b;
    b.dword(WS_POPUP).dword(0).word(0).word(0).word(0).word(0).word(0).word(0).word(0);
    b.word('a').word(0x20AC).word(0xD83D).word(0xDE00).word('b').word(0);   // a, euro, one emoji, b
    rc::DialogTemplate t;
    ASSERT_TRUE(rc::parse_dialog_template(b.v.data(), b.v.size(), t, nullptr));
    EXPECT_EQ(t.caption, "a??b");
}

TEST(DialogTemplate, EveryTruncationIsRefused)
{
    for (WORD id : {100, 101, 102}) {
        std::vector<unsigned char> whole = bytes_of(entry_in(test_res, 5, id));
        ASSERT_FALSE(whole.empty());
        EXPECT_EQ(truncations_not_refused(whole, parse), std::vector<size_t>()) << "template " << id;
    }
    Bytes b = classic_header(1);
    b.align4().dword(WS_CHILD).dword(0).word(0).word(0).word(1).word(1).word(3).str("C").str("t").word(2).byte(1).byte(2);
    EXPECT_EQ(truncations_not_refused(b.v, parse), std::vector<size_t>());
}

TEST(DialogTemplate, RefusesAbsurdCountsUnknownAtomsAndVersions)
{
    std::vector<unsigned char> t102 = bytes_of(entry_in(test_res, 5, 102));
    ASSERT_GT(t102.size(), 10u);
    struct Case {
        const char *what;
        std::vector<unsigned char> data;
        const char *expected;
    };
    std::vector<Case> cases;

    std::vector<unsigned char> manyItems = t102;
    manyItems[8] = manyItems[9] = 0xFF;   // cdit
    cases.push_back({"65535 items", manyItems, "cannot fit"});

    std::vector<unsigned char> twoItems = t102;
    twoItems[8] = 2;
    cases.push_back({"one item more than written", twoItems, "cannot fit"});

    Bytes atom = classic_header(1);
    atom.align4().dword(WS_CHILD).dword(0).word(0).word(0).word(1).word(1).word(3).word(0xFFFF).word(0x86).word(0).word(0);
    cases.push_back({"class atom 0x86", atom.v, "unknown class"});

    Bytes version;
    version.word(2).word(0xFFFF).dword(0).dword(0).dword(WS_POPUP).word(0).word(0).word(0).word(1).word(1).word(0).word(0).word(0);
    cases.push_back({"extended version 2", version.v, "version 2"});

    Bytes extra = classic_header(1);
    extra.align4().dword(WS_CHILD).dword(0).word(0).word(0).word(1).word(1).word(3).word(0xFFFF).word(0x80).word(0).word(0x7FFF).word(0);
    cases.push_back({"creation data longer than the template", extra.v, "item 1 of 1"});

    for (const Case &c : cases) {
        std::string error;
        EXPECT_FALSE(parse(c.data.data(), c.data.size(), error)) << c.what;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
    }
}
