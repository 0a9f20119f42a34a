// Logical fonts: CreateFontA, CreateFontIndirectA and the stock fonts.
#include "gdi32/font.h"

#include "gdi32/dc.h"

#include <cstdio>
#include <cstring>

namespace gdi {

namespace {

LOGFONTA make_logfont(int height, int weight, const char *face)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
    return lf;
}

// The stock fonts: "System" is bold; the GUI fonts are 8-point MS Sans Serif.
struct StockFont {
    int id;
    int height;
    int weight;
    const char *face;
};
constexpr StockFont kStockFonts[] = {
    {SYSTEM_FONT, 16, FW_BOLD, "System"},
    {DEFAULT_GUI_FONT, -11, FW_NORMAL, "MS Sans Serif"},
    {ANSI_VAR_FONT, -11, FW_NORMAL, "MS Sans Serif"},
};

}   // namespace

HGDIOBJ Font::select_into(DC &dc, HGDIOBJ self)
{
    const HGDIOBJ old = dc.font;
    dc.font = static_cast<HFONT>(self);
    return old;
}

int Font::describe(int size, void *out) const
{
    if (!out) return sizeof(LOGFONTA);
    if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
    std::memcpy(out, &logfont, sizeof logfont);
    return sizeof(LOGFONTA);
}

font::Face &Font::face() const
{
    char name[LF_FACESIZE + 1] = {};
    std::memcpy(name, logfont.lfFaceName, LF_FACESIZE);   // may lack its terminator
    return font::face_for(name, logfont.lfHeight, logfont.lfWeight);
}

font::Face &face_of(HFONT hfont)
{
    const Font *f = find<Font>(hfont);
    if (!f) f = find<Font>(GetStockObject(SYSTEM_FONT));
    return f->face();
}

std::unique_ptr<Object> make_stock_font(int id)
{
    for (const StockFont &s : kStockFonts)
        if (s.id == id) return std::make_unique<Font>(make_logfont(s.height, s.weight, s.face));
    return nullptr;
}

}   // namespace gdi

HFONT WINAPI CreateFontIndirectA(CONST LOGFONTA *lplf)
{
    if (!lplf) return nullptr;
    return static_cast<HFONT>(gdi::add_object(std::make_unique<gdi::Font>(*lplf)));
}

HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                         DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                         DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName)
{
    LOGFONTA lf = gdi::make_logfont(cHeight, cWeight, pszFaceName ? pszFaceName : "");
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfItalic = static_cast<BYTE>(bItalic);
    lf.lfUnderline = static_cast<BYTE>(bUnderline);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    return CreateFontIndirectA(&lf);
}
