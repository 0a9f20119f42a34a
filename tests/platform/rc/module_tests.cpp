// Modules and the KERNEL32 resource calls: finding a resource by number and
// by name, and refusal of handles that belong to nothing.
#include "platform/rc/embedded.h"

#include "rc/module.h"

#include <gtest/gtest.h>

#include <string>

namespace {

HINSTANCE module_of(const unsigned char *(*image)(size_t *))
{
    size_t size;
    const unsigned char *data = image(&size);
    return rc::register_module(data, size);
}

HMODULE stray(uintptr_t handle) { return reinterpret_cast<HMODULE>(handle); }

}   // namespace

TEST(Module, OneModuleAnImageAndEachResourceFoundInItsOwnModuleOnly)
{
    HINSTANCE test = module_of(test_res);
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(module_of(test_res), test);
    HINSTANCE program = module_of(stonecall_res);
    EXPECT_NE(program, test);
    static const unsigned char truncated[] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF};
    EXPECT_EQ(rc::register_module(truncated, sizeof truncated), nullptr);
    EXPECT_EQ(rc::register_module(nullptr, 0), nullptr);
    rc::set_main_module(nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), nullptr);
    rc::set_main_module(test);
    EXPECT_EQ(GetModuleHandleA(nullptr), test);
    EXPECT_EQ(GetModuleHandleA("stonecall.exe"), nullptr);
    // Names in any case, the main module for a null one; the wrong type, a name
    // that is only a prefix or a number, and module handles never given out.
    struct Lookup {
        HMODULE module;
        LPCSTR name, type;
        const char *text;   // null: not found
    };
    const HMODULE nowhere[] = {stray(reinterpret_cast<uintptr_t>(test) + 1), stray(0x00400000 + 0x00010000 * 500),
                               stray(0x1000)};
    const Lookup lookups[] = {
        {nullptr, "NAMED", RT_RCDATA, "abc"},
        {test, "named", RT_RCDATA, "abc"},
        {test, "NaMeD", MAKEINTRESOURCE(10), "abc"},
        {test, MAKEINTRESOURCE(100), RT_MENU, nullptr},
        {test, MAKEINTRESOURCE(999), RT_DIALOG, nullptr},
        {test, "NAME", RT_RCDATA, nullptr},
        {test, "NAMEDX", RT_RCDATA, nullptr},
        {test, "#100", RT_DIALOG, nullptr},
        {test, nullptr, RT_DIALOG, nullptr},
        {program, "NAMED", RT_RCDATA, nullptr},
        {nowhere[0], "NAMED", RT_RCDATA, nullptr},
        {nowhere[1], "NAMED", RT_RCDATA, nullptr},
        {nowhere[2], "NAMED", RT_RCDATA, nullptr},
    };
    for (size_t i = 0; i < sizeof lookups / sizeof lookups[0]; ++i) {
        const Lookup &l = lookups[i];
        HRSRC found = FindResourceA(l.module, l.name, l.type);
        const char *p = static_cast<const char *>(LockResource(LoadResource(l.module, found)));
        EXPECT_EQ(p ? std::string(p, SizeofResource(l.module, found)) : "<none>", l.text ? l.text : "<none>") << i;
    }
    // A resource of one module handed to another, a made-up resource handle,
    // and module handles that were never given out.
    HRSRC dialog = FindResourceA(test, MAKEINTRESOURCE(100), RT_DIALOG);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(LoadResource(program, dialog), nullptr);
    EXPECT_EQ(SizeofResource(program, dialog), 0u);
    EXPECT_EQ(LoadResource(test, reinterpret_cast<HRSRC>(reinterpret_cast<uintptr_t>(dialog) + 4)), nullptr);
    for (HMODULE m : nowhere) EXPECT_EQ(LoadResource(m, dialog), nullptr);
    HGLOBAL loaded = LoadResource(test, dialog);
    EXPECT_EQ(LockResource(loaded), loaded);
}
