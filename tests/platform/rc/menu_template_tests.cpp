// Menu templates: nesting, flags, separators, and refusal of damaged ones.
#include "platform/rc/bytes.h"
#include "rc/templates.h"

#include <gtest/gtest.h>

namespace {

bool parse(const void *data, size_t size, std::string &error)
{
    std::vector<rc::MenuItem> items;
    return rc::parse_menu_template(data, size, items, &error);
}

// An item of a hand-made template.
Bytes &item(Bytes &b, WORD flags, WORD id, const char *text)
{
    b.word(flags);
    if (!(flags & MF_POPUP))
        b.word(id);
    return b.str(text);
}

} // namespace

TEST(MenuTemplate, ReadsNestedPopupsFlagsAndSeparators)
{
    rc::ResEntry e = entry_in(test_res, 4, 200);
    std::vector<rc::MenuItem> bar;
    std::string error;
    ASSERT_TRUE(rc::parse_menu_template(e.data, e.size, bar, &error)) << error;

    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].flags, MF_POPUP);   // MF_END is the template's business, not the item's
    EXPECT_EQ(bar[0].text, "&First");
    EXPECT_EQ(bar[1].flags, MF_HELP);
    EXPECT_EQ(bar[1].id, 15);
    EXPECT_TRUE(bar[1].children.empty());

    const std::vector<rc::MenuItem> &first = bar[0].children;
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].text, "&One\tCtrl+1");
    EXPECT_EQ(first[0].id, 11);
    EXPECT_EQ(first[0].flags, 0);
    EXPECT_EQ(first[1].flags, MF_SEPARATOR);
    EXPECT_EQ(first[2].flags, MF_POPUP);
    EXPECT_EQ(first[3].text, "&Four");
    EXPECT_EQ(first[3].flags, MF_DISABLED);

    const std::vector<rc::MenuItem> &deeper = first[2].children;
    ASSERT_EQ(deeper.size(), 2u);
    EXPECT_EQ(deeper[0].flags, MF_CHECKED);
    EXPECT_EQ(deeper[0].id, 12);
    EXPECT_EQ(deeper[1].flags, MF_GRAYED);
    EXPECT_EQ(deeper[1].text, "T&hree");
}

TEST(MenuTemplate, SkipsToTheFirstItemByTheHeaderOffset)
{
    Bytes b;
    b.word(0).word(2).word(0xBEEF);
    item(b, MF_END, 7, "x");
    std::vector<rc::MenuItem> items;
    ASSERT_TRUE(rc::parse_menu_template(b.v.data(), b.v.size(), items, nullptr));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 7);
    EXPECT_EQ(items[0].text, "x");
}

TEST(MenuTemplate, EveryTruncationIsRefused)
{
    std::vector<unsigned char> whole = bytes_of(entry_in(test_res, 4, 200));
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(truncations_not_refused(whole, parse), std::vector<size_t>());
}

TEST(MenuTemplate, RefusesMissingEndsExtendedMenusAndDeepNesting)
{
    struct Case {
        const char *what;
        Bytes data;
        const char *expected;
    };
    std::vector<Case> cases;

    Bytes noEnd;
    item(noEnd.word(0).word(0), 0, 1, "a");
    cases.push_back({"top level without MF_END", noEnd, "MF_END"});

    Bytes popupNoEnd;
    item(item(popupNoEnd.word(0).word(0), MF_POPUP | MF_END, 0, "p"), 0, 1, "a");
    cases.push_back({"popup without MF_END", popupNoEnd, "MF_END"});

    Bytes empty;
    empty.word(0).word(0);
    cases.push_back({"no items at all", empty, "item missing"});

    Bytes extended;
    extended.word(1).word(4).dword(0);
    cases.push_back({"MENUEX", extended, "version 1"});

    Bytes offset;
    offset.word(0).word(100);
    cases.push_back({"offset past the end", offset, "offset"});

    Bytes deep;
    deep.word(0).word(0);
    for (int i = 0; i < 40; i++)
        item(deep, MF_POPUP | MF_END, 0, "p");
    item(deep, MF_END, 1, "leaf");
    cases.push_back({"40 nested popups", deep, "deeper"});

    for (const Case &c : cases) {
        std::vector<rc::MenuItem> items;
        std::string error;
        EXPECT_FALSE(rc::parse_menu_template(c.data.v.data(), c.data.v.size(), items, &error)) << c.what;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(items.empty()) << c.what;
    }
}
