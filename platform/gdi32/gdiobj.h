// The GDI handle table. Every bitmap, brush, pen, font, region and device
// context lives here under a handle; a handle that names nothing, or an object
// of another kind, is refused instead of followed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace gdi {

enum class Kind { Bitmap, Brush, Pen, Font, Region, DC };

struct DC;

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;

    // SelectObject: puts this object into the DC, returns what it replaced.
    virtual HGDIOBJ select_into(DC &dc, HGDIOBJ self) = 0;
    // GetObjectA: fills out (size bytes) and returns the bytes written, or
    // with out null the size a full answer needs; 0 when it cannot answer.
    virtual int describe(int size, void *out) const = 0;
    // DeleteObject may refuse while the object is in use.
    virtual bool deletable() const { return true; }

    const Kind kind;
    bool stock = false;
};

HANDLE add_object(std::unique_ptr<Object> obj);
Object *find_object(HANDLE h);
void remove_object(HANDLE h);

template <class T>
T *find(HANDLE h)
{
    Object *o = find_object(h);
    return o && o->kind == T::kKind ? static_cast<T *>(o) : nullptr;
}

// The stock objects of each kind, made once on first use by GetStockObject;
// null for an id the kind does not know.
std::unique_ptr<Object> make_stock_brush(int id);
std::unique_ptr<Object> make_stock_pen(int id);
std::unique_ptr<Object> make_stock_font(int id);

// COLORREF (0x00BBGGRR) to canvas pixel (0x00RRGGBB) and back.
inline uint32_t pixel_of(COLORREF c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
inline COLORREF colorref_of(uint32_t p) { return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu); }

}   // namespace gdi
