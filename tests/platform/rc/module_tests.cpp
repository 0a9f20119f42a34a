// Modules and the KERNEL32 resource calls: finding a resource by number, by
// "#number" and by name, the language preferred, and refusal of handles that
// belong to nothing.
#include "platform/rc/bytes.h"
#include "rc/module.h"

#include <gtest/gtest.h>

#include <string>

namespace {

HINSTANCE test_module()
{
    size_t size;
    const unsigned char *image = test_res(&size);
    return rc::register_module(image, size);
}

std::string resource_text(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return "<not found>";
    HGLOBAL loaded = LoadResource(module, found);
    const char *p = static_cast<const char *>(LockResource(loaded));
    return p ? std::string(p, SizeofResource(module, found)) : "<not loaded>";
}

} // namespace

TEST(Module, RegisteringTheSameImageTwiceGivesOneModule)
{
    size_t testSize, programSize;
    const unsigned char *testImage = test_res(&testSize);
    const unsigned char *programImage = stonecall_res(&programSize);
    HINSTANCE a = rc::register_module(testImage, testSize);
    HINSTANCE b = rc::register_module(programImage, programSize);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(rc::register_module(testImage, testSize), a);
}

TEST(Module, RefusesAMalformedImage)
{
    static const unsigned char truncated[] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF};
    EXPECT_EQ(rc::register_module(truncated, sizeof truncated), nullptr);
    EXPECT_EQ(rc::register_module(nullptr, 0), nullptr);
}

TEST(Module, GetModuleHandleOfNullIsTheMainModule)
{
    rc::set_main_module(nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), nullptr);
    HINSTANCE module = test_module();
    rc::set_main_module(module);
    EXPECT_EQ(GetModuleHandleA(nullptr), module);
    EXPECT_EQ(GetModuleHandleA("stonecall.exe"), nullptr);
    // A null module in the resource calls means the main one.
    EXPECT_EQ(resource_text(nullptr, "NAMED", RT_RCDATA), "abc");
}

TEST(Module, FindsResourcesByNumberByHashNumberAndByNameInAnyCase)
{
    HINSTANCE module = test_module();
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCE(100), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(module, "#100", RT_DIALOG), FindResourceA(module, MAKEINTRESOURCE(100), RT_DIALOG));
    EXPECT_EQ(FindResourceA(module, "#100", "#5"), FindResourceA(module, MAKEINTRESOURCE(100), RT_DIALOG));
    EXPECT_EQ(resource_text(module, "named", RT_RCDATA), "abc");
    EXPECT_EQ(resource_text(module, "NaMeD", MAKEINTRESOURCE(10)), "abc");
    EXPECT_NE(FindResourceA(module, "testmenu", RT_MENU), nullptr);

    // Wrong type, unknown names, a name that is only a prefix, malformed "#".
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCE(100), RT_MENU), nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCE(999), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(module, "NAME", RT_RCDATA), nullptr);
    EXPECT_EQ(FindResourceA(module, "NAMEDX", RT_RCDATA), nullptr);
    EXPECT_EQ(FindResourceA(module, "#", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(module, "#100x", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(module, "#65636", RT_DIALOG), nullptr);   // 100 + 65536
    EXPECT_EQ(FindResourceA(module, nullptr, RT_DIALOG), nullptr);
}

TEST(Module, PrefersTheNeutralLanguage)
{
    // 300 exists in German, English and neutral, in that order.
    EXPECT_EQ(resource_text(test_module(), MAKEINTRESOURCE(300), RT_RCDATA), "neutral");
}

TEST(Module, RefusesHandlesThatBelongToNothing)
{
    HINSTANCE module = test_module();
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    HINSTANCE program = rc::register_module(image, size);
    HRSRC dialog = FindResourceA(module, MAKEINTRESOURCE(100), RT_DIALOG);
    ASSERT_NE(dialog, nullptr);

    // A resource of one module handed to another, a made-up resource handle,
    // and module handles that were never given out.
    EXPECT_EQ(LoadResource(program, dialog), nullptr);
    EXPECT_EQ(SizeofResource(program, dialog), 0u);
    HRSRC madeUp = reinterpret_cast<HRSRC>(reinterpret_cast<uintptr_t>(dialog) + 4);
    EXPECT_EQ(LoadResource(module, madeUp), nullptr);
    HMODULE strays[] = {reinterpret_cast<HMODULE>(reinterpret_cast<uintptr_t>(module) + 1),
                        reinterpret_cast<HMODULE>(uintptr_t{0x00400000} + 0x00010000 * 500),
                        reinterpret_cast<HMODULE>(uintptr_t{0x1000})};
    for (HMODULE stray : strays) {
        EXPECT_EQ(FindResourceA(stray, MAKEINTRESOURCE(100), RT_DIALOG), nullptr);
        EXPECT_EQ(LoadResource(stray, dialog), nullptr);
    }

    HGLOBAL loaded = LoadResource(module, dialog);
    EXPECT_EQ(LockResource(loaded), loaded);
    EXPECT_EQ(FreeResource(loaded), FALSE);
    EXPECT_EQ(LockResource(loaded), loaded);   // still there: resources live with their module
}
