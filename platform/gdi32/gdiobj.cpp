// The handle table and the calls that work on any kind of GDI object.
#include "gdi32/gdiobj.h"

#include "gdi32/dc.h"

#include <array>
#include <unordered_map>

namespace gdi {

namespace {

struct Table {
    std::unordered_map<uintptr_t, std::unique_ptr<Object>> objects;
    uintptr_t next = 0x1000;
};

Table &table()
{
    static Table t;
    return t;
}

}   // namespace

HANDLE add_object(std::unique_ptr<Object> obj)
{
    Table &t = table();
    const uintptr_t h = t.next;
    t.next += 4;   // handle values look like Windows' and are never reused
    t.objects.emplace(h, std::move(obj));
    return reinterpret_cast<HANDLE>(h);
}

Object *find_object(HANDLE h)
{
    Table &t = table();
    const auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
    return it == t.objects.end() ? nullptr : it->second.get();
}

void remove_object(HANDLE h) { table().objects.erase(reinterpret_cast<uintptr_t>(h)); }

}   // namespace gdi

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    gdi::Object *o = gdi::find_object(h);
    if (!dc || !o || o->kind == gdi::Kind::DC) return nullptr;
    return o->select_into(*dc, h);
}

BOOL WINAPI DeleteObject(HGDIOBJ h)
{
    gdi::Object *o = gdi::find_object(h);
    if (!o || o->kind == gdi::Kind::DC) return FALSE;
    // Stock objects outlive every DeleteObject; Windows answers TRUE and keeps them.
    if (o->stock) return TRUE;
    if (!o->deletable()) return FALSE;
    gdi::remove_object(h);
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int i)
{
    static std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> made{};
    if (i < 0 || i > DEFAULT_GUI_FONT) return nullptr;
    if (!made[static_cast<size_t>(i)]) {
        using Maker = std::unique_ptr<gdi::Object> (*)(int);
        for (Maker make : {gdi::make_stock_brush, gdi::make_stock_pen, gdi::make_stock_font}) {
            if (std::unique_ptr<gdi::Object> o = make(i)) {
                o->stock = true;
                made[static_cast<size_t>(i)] = gdi::add_object(std::move(o));
                break;
            }
        }
    }
    return made[static_cast<size_t>(i)];
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv)
{
    const gdi::Object *o = gdi::find_object(h);
    if (!o || (pv && c <= 0)) return 0;
    return o->describe(c, pv);
}
