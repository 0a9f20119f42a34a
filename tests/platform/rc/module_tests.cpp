// Modules and the KERNEL32 resource calls: finding a resource by number and
// by name, and refusal of handles that belong to nothing.
#include "platform/rc/embedded.h"

#include "rc/module.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

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

}   // namespace

TEST(Module, OneModuleAnImageNullIsTheMainOneAndStrayHandlesAreRefused)
{
    HINSTANCE test = module_of(test_res);
    ASSERT_NE(test, nullptr);
    EXPECT_NE(module_of(stonecall_res), test);
    EXPECT_EQ(module_of(test_res), test);
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
    HRSRC dialog = FindResourceA(test, MAKEINTRESOURCE(100), RT_DIALOG);
    // A resource of one module handed to another, a made-up resource handle,
    // and module handles that were never given out.
    EXPECT_EQ(LoadResource(program, dialog), nullptr);
    EXPECT_EQ(SizeofResource(program, dialog), 0u);
    EXPECT_EQ(LoadResource(test, reinterpret_cast<HRSRC>(reinterpret_cast<uintptr_t>(dialog) + 4)), nullptr);
    for (uintptr_t stray :
         {reinterpret_cast<uintptr_t>(test) + 1, uintptr_t{0x00400000} + 0x00010000 * 500, uintptr_t{0x1000}}) {
        EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(stray), MAKEINTRESOURCE(100), RT_DIALOG), nullptr);
        EXPECT_EQ(LoadResource(reinterpret_cast<HMODULE>(stray), dialog), nullptr);
    }
    HGLOBAL loaded = LoadResource(test, dialog);
    EXPECT_EQ(LockResource(loaded), loaded);
}

TEST(Module, FindsResourcesByNumberAndByNameInAnyCase)
{
    HINSTANCE module = module_of(test_res);
    const HRSRC dialog = FindResourceA(module, MAKEINTRESOURCE(100), RT_DIALOG);
    EXPECT_NE(dialog, nullptr);
    EXPECT_EQ(resource_text(module, "named", RT_RCDATA), "abc");
    EXPECT_EQ(resource_text(module, "NaMeD", MAKEINTRESOURCE(10)), "abc");
    EXPECT_NE(FindResourceA(module, "testmenu", RT_MENU), nullptr);
    // Wrong type, unknown names, a name that is only a prefix or a number.
    const std::pair<LPCSTR, LPCSTR> missing[] = {{MAKEINTRESOURCE(100), RT_MENU},
                                                 {MAKEINTRESOURCE(999), RT_DIALOG},
                                                 {"NAME", RT_RCDATA},
                                                 {"NAMEDX", RT_RCDATA},
                                                 {"#100", RT_DIALOG},
                                                 {nullptr, RT_DIALOG}};
    for (const auto &[name, type] : missing) EXPECT_EQ(FindResourceA(module, name, type), nullptr);
}
