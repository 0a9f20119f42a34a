// The module registry and the KERNEL32 resource calls on it. A module is a
// registered .res image; its instance handle is a made-up base address, so a
// stray or stale handle is recognised and refused instead of followed.
#include "rc/module.h"

#include "rc/resfile.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct Module {
    const unsigned char *image;
    size_t size;
    std::vector<rc::ResEntry> entries;
};

struct Registry {
    std::vector<std::unique_ptr<Module>> modules;
    HINSTANCE main = nullptr;
};

// Built on first use: the program's resources register themselves from a
// static initialiser, which may run before this file's own.
Registry &registry()
{
    static Registry instance;
    return instance;
}

// Like an executable's load address; each further module 64 KB above.
constexpr uintptr_t kFirstModule = 0x00400000;
constexpr uintptr_t kModuleStride = 0x00010000;

HINSTANCE handle_of(size_t index) { return reinterpret_cast<HINSTANCE>(kFirstModule + index * kModuleStride); }

Module *module_of(HMODULE handle)
{
    Registry &r = registry();
    if (!handle) handle = r.main;
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value < kFirstModule || (value - kFirstModule) % kModuleStride != 0) return nullptr;
    size_t index = (value - kFirstModule) / kModuleStride;
    return index < r.modules.size() ? r.modules[index].get() : nullptr;
}

const rc::ResEntry *entry_of(HMODULE module, HRSRC resource)
{
    Module *m = module_of(module);
    if (!m) return nullptr;
    for (const rc::ResEntry &entry : m->entries)
        if (reinterpret_cast<HRSRC>(const_cast<rc::ResEntry *>(&entry)) == resource) return &entry;
    return nullptr;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A resource name or type as a program passes it: MAKEINTRESOURCE(n) or a
// name, which Windows compares without regard to case.
bool matches(const rc::NameOrOrdinal &field, LPCSTR wanted)
{
    if (IS_INTRESOURCE(wanted)) return field.isOrdinal && field.ordinal == LOWORD(wanted);
    if (field.isOrdinal) return false;
    const std::string &name = field.name;
    size_t i = 0;
    for (; wanted[i] && i < name.size(); i++)
        if (upper(wanted[i]) != upper(name[i])) return false;
    return wanted[i] == '\0' && i == name.size();
}

}   // namespace

namespace rc {

HINSTANCE register_module(const unsigned char *res, size_t size)
{
    Registry &r = registry();
    for (size_t i = 0; i < r.modules.size(); i++)
        if (r.modules[i]->image == res && r.modules[i]->size == size) return handle_of(i);
    auto module = std::make_unique<Module>();
    if (!res || !read_res(res, size, module->entries, nullptr)) return nullptr;
    module->image = res;
    module->size = size;
    r.modules.push_back(std::move(module));
    return handle_of(r.modules.size() - 1);
}

void set_main_module(HINSTANCE module) { registry().main = module; }

}   // namespace rc

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName)
{
    // Our modules have no file names: only the program itself can be asked for.
    return lpModuleName ? nullptr : registry().main;
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    // Our images hold each resource in one language (the resource compiler's
    // default): the first entry of the name and type is the one.
    Module *m = module_of(hModule);
    if (!m || !lpName || !lpType) return nullptr;
    for (const rc::ResEntry &entry : m->entries)
        if (matches(entry.type, lpType) && matches(entry.name, lpName))
            return reinterpret_cast<HRSRC>(const_cast<rc::ResEntry *>(&entry));
    return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    const rc::ResEntry *entry = entry_of(hModule, hResInfo);
    return entry ? const_cast<BYTE *>(entry->data) : nullptr;
}

// On Win32 a loaded resource is already its address.
LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    const rc::ResEntry *entry = entry_of(hModule, hResInfo);
    return entry ? entry->size : 0;
}
