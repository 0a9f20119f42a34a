// GetOpenFileNameA on a temporary folder tree, driven as a person would:
// the filter, the folders, typed names, the full path, Cancel, and the look of
// the dialog. (Starting from the stored path, the owner and a buffer too small
// are the setup screen's tests.)
#include "support/boxes.h"
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/person.h"
#include "support/tempdir.h"

#include <commdlg.h>

#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::Person;

namespace {

const char kFilter[] = "Stonecall Spread Files (*.SCS)\0*.SCS\0";
const char kTitle[] = "Choose the spread you wish to auto-start";

// A.SCS, b.scs, notes.txt, Other/, Sub/C.SCS
void make_tree(const std::filesystem::path &root)
{
    for (const char *f : {"A.SCS", "b.scs", "notes.txt"}) testsupport::write_bytes((root / f).string(), "x");
    std::filesystem::create_directory(root / "Other");
    std::filesystem::create_directory(root / "Sub");
    testsupport::write_bytes((root / "Sub" / "C.SCS").string(), "x");
}

// The setup screen's request: the buffer starts with `start`.
struct Request {
    char file[255] = {};
    OPENFILENAMEA ofn{};

    explicit Request(const std::string &start = "")
    {
        std::strncpy(file, start.c_str(), sizeof file - 1);
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrTitle = kTitle;
        ofn.lpstrDefExt = "*";
        ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
    }
};

HWND dialog() { return GetActiveWindow(); }

std::vector<std::string> items(int id)
{
    std::vector<std::string> out;
    HWND list = GetDlgItem(dialog(), id);
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char buf[260] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        out.push_back(buf);
    }
    return out;
}

// A click (two at once: a double-click) on an item of one of the dialog's lists.
void pick(int id, const std::string &name, int clicks = 1)
{
    std::vector<std::string> all = items(id);
    auto at = std::find(all.begin(), all.end(), name);
    ASSERT_NE(at, all.end()) << name;
    HWND list = GetDlgItem(dialog(), id);
    RECT r;
    GetWindowRect(list, &r);
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    for (int i = 0; i < clicks; ++i)
        Person::click(POINT{r.left + 10, r.top + 2 + height * static_cast<int>(at - all.begin()) + height / 2});
}

using Names = std::vector<std::string>;

}   // namespace

// Folders open from the list or by a double-click, a typed pattern lists by
// it, a missing file or path is refused with a warning and the dialog stays,
// a double-click on a file chooses it: its full path is the answer, and the
// current folder stays.
TEST(OpenFile, OpensFoldersListsByPatternWarnsOfMissingFilesAndAnswersAFullPath)
{
    testsupport::TempDir dir;
    make_tree(dir.path());
    const std::string root = std::filesystem::canonical(dir.path()).string();
    msgbox_hook::set_answerer([](const msgbox_hook::Box &) { return IDOK; });
    Request r;
    Person p;
    p.then([&] {
        // The title, the lists and the filter are in the golden image below.
        EXPECT_EQ(dialogs::text(dialog(), stc1), root);
        EXPECT_EQ(GetDlgItem(dialog(), chx1), nullptr);    // OFN_HIDEREADONLY
        EXPECT_EQ(GetDlgItem(dialog(), psh14), nullptr);   // OFN_NONETWORKBUTTON
        pick(lst2, "Sub");
    });
    p.then([] {
        EXPECT_EQ(dialogs::text(dialog(), edt1), "*.SCS");   // a folder's name stays out of the field
        Person::tap(VK_RETURN);                              // OK in the folder list opens the folder
    });
    p.then([&] {
        EXPECT_EQ(dialogs::text(dialog(), stc1), root + "/Sub");
        EXPECT_EQ(items(lst1), (Names{"C.SCS"}));
        EXPECT_EQ(items(lst2), (Names{".."}));
        EXPECT_EQ(dialogs::text(dialog(), edt1), "*.SCS");
        pick(lst2, "..", 2);   // a double-click opens it
    });
    p.then([&] {
        EXPECT_EQ(dialogs::text(dialog(), stc1), root);
        pick(lst1, "b.scs");
    });
    p.then([] {
        EXPECT_EQ(dialogs::text(dialog(), edt1), "b.scs");
        SetFocus(GetDlgItem(dialog(), edt1));
        SendDlgItemMessageA(dialog(), edt1, EM_SETSEL, 0, -1);
        dialogs::type(dialog(), "missing.scs");
        Person::tap(VK_RETURN);
    });
    p.then([] {
        expect_only_box(kTitle, "missing.scs\nFile not found.\nPlease verify the correct filename was given.", dialog(),
                        MB_OK | MB_ICONEXCLAMATION);
        SendDlgItemMessageA(dialog(), edt1, EM_SETSEL, 0, -1);
        dialogs::type(dialog(), "Nowhere/A.SCS");
        Person::tap(VK_RETURN);
    });
    p.then([] {
        ASSERT_EQ(msgbox_hook::boxes().size(), 2u);
        EXPECT_NE(msgbox_hook::boxes()[1].text.find("Path does not exist."), std::string::npos);
        SendDlgItemMessageA(dialog(), edt1, EM_SETSEL, 0, -1);
        dialogs::type(dialog(), "*.txt");
        Person::tap(VK_RETURN);
    });
    p.then([] {
        EXPECT_EQ(items(lst1), (Names{"notes.txt"}));
        pick(lst1, "notes.txt", 2);
    });
    ASSERT_TRUE(GetOpenFileNameA(&r.ofn));
    EXPECT_TRUE(p.done());
    const std::string path = root + "/notes.txt";
    EXPECT_STREQ(r.file, path.c_str());
    EXPECT_EQ(r.ofn.nFileOffset, root.size() + 1);
    EXPECT_EQ(r.ofn.nFileExtension, root.size() + 7);
    EXPECT_EQ(std::filesystem::current_path(), dir.path());
}

TEST(Golden, OpenFileDialog)
{
    // A folder of its own, so that suites running at once keep apart. Its
    // path, which the folder label shows, differs from run to run: the label
    // is left out of the picture (the test above checks its text).
    testsupport::TempDir dir;
    make_tree(dir.path());
    Request r((dir.path() / "A.SCS").string());
    r.ofn.Flags = OFN_PATHMUSTEXIST;   // with the Read Only box and the Network button
    // A bad structure size is refused; the older one passes, an empty buffer not.
    r.ofn.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&r.ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    r.ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400;
    r.ofn.nMaxFile = 0;
    EXPECT_FALSE(GetOpenFileNameA(&r.ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
    r.ofn.nMaxFile = sizeof r.file;
    Person p;
    p.then([] {
        RECT window, label;
        GetWindowRect(dialog(), &window);
        GetWindowRect(GetDlgItem(dialog(), stc1), &label);
        const raster::Rect left_out =
            raster::offset(raster::Rect{label.left, label.top, label.right, label.bottom}, -window.left, -window.top);
        EXPECT_TRUE(matches_golden(dialogs::picture(dialog()).canvas, "openfile_dialog", left_out));
        Person::tap(VK_ESCAPE);   // Cancel
    });
    EXPECT_FALSE(GetOpenFileNameA(&r.ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_TRUE(p.done());
}
