// Window classes: the program's own (RegisterClassA) and the system's.
#include "user32/internal.h"

#include <strings.h>

#include <map>

LRESULT CALLBACK ButtonWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK EditWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

namespace user32 {
namespace {

struct NoCase {
    bool operator()(const std::string &a, const std::string &b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

struct Classes {
    std::map<std::string, std::shared_ptr<WindowClass>, NoCase> byName;
    std::map<ATOM, std::string> atoms;
    ATOM nextAtom = 0xC000;   // the range Windows gives registered classes
};

// The system's classes. Each control's file gives its window procedure; the
// classes still to come (SCROLLBAR, COMBOBOX) are plain windows, so that
// every dialog template creates. The controls stand in this table rather than
// registering themselves at start-up: an object file of a static library that
// nothing names is left out of the program, and its registration with it.
// Every one of them takes double-clicks, as Windows' do.
struct SystemClass {
    const char *name;
    WNDPROC proc;
    int wndExtra;
};
const SystemClass systemClasses[] = {
    {"#32770", DefDlgProcA, DLGWINDOWEXTRA},
    {"BUTTON", ButtonWndProc, 0},
    {"EDIT", EditWndProc, 0},
    {"STATIC", StaticWndProc, 0},
    {"LISTBOX", ListBoxWndProc, 0},
    {"SCROLLBAR", DefWindowProcA, 0},
    {"COMBOBOX", DefWindowProcA, 0},
};

Classes &classes()
{
    static Classes c = [] {
        Classes init;
        for (const SystemClass &s : systemClasses) {
            auto cls = std::make_shared<WindowClass>();
            cls->name = s.name;
            cls->proc = s.proc;
            cls->wndExtra = s.wndExtra;
            cls->style = CS_DBLCLKS;
            init.byName[s.name] = cls;
        }
        return init;
    }();
    return c;
}

std::shared_ptr<WindowClass> make_class(const WNDCLASSA &wc)
{
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->wndExtra = wc.cbWndExtra;
    cls->instance = wc.hInstance;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    return cls;
}

}   // namespace

void register_system_class(const WNDCLASSA &wc) { classes().byName[wc.lpszClassName] = make_class(wc); }

std::shared_ptr<WindowClass> find_class(const char *name)
{
    Classes &c = classes();
    std::string key;
    if (IS_INTRESOURCE(name)) {
        auto a = c.atoms.find(static_cast<ATOM>(reinterpret_cast<uintptr_t>(name)));
        if (a == c.atoms.end()) return nullptr;
        key = a->second;
    } else if (name) {
        key = name;
    }
    auto it = c.byName.find(key);
    return it == c.byName.end() ? nullptr : it->second;
}

}   // namespace user32

using namespace user32;

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc)
{
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc) return 0;
    Classes &c = classes();
    if (c.byName.count(wc->lpszClassName)) return 0;   // ERROR_CLASS_ALREADY_EXISTS
    c.byName[wc->lpszClassName] = make_class(*wc);
    ATOM atom = c.nextAtom++;
    c.atoms[atom] = wc->lpszClassName;
    return atom;
}
