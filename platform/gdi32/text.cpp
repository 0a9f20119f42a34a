// Text output in the DC's font, text colour and background mode. (x, y) is
// the top-left of the character cells; the baseline lies the font's ascent
// below it.
#include "gdi32/text.h"

#include "gdi32/font.h"

namespace gdi {

void draw_glyphs(const raster::Canvas &canvas, font::Face &face, int x, int baseline, const char *s, int n,
                 uint32_t ink, const raster::Rect &clip)
{
    for (int i = 0; i < n; ++i) {
        const font::Glyph &g = face.glyph(static_cast<unsigned char>(s[i]));
        raster::blend_mask(canvas, x + g.left, baseline - g.top, g.coverage.data(), g.width, g.height, g.width, ink,
                           clip);
        x += g.advance;
    }
}

void draw_text(const DC &dc, int x, int y, const char *s, int n, const raster::Rect &clip)
{
    font::Face &face = face_of(dc.font);
    const raster::Canvas canvas = dc.canvas();
    const raster::Point at = dc.to_canvas(x, y);
    if (dc.bkMode == OPAQUE)
        raster::fill_rect(canvas, raster::Rect{at.x, at.y, at.x + face.text_width(s, n), at.y + face.height()},
                          pixel_of(dc.bkColor), clip);
    draw_glyphs(canvas, face, at.x, at.y + face.metrics().ascent, s, n, pixel_of(dc.textColor), clip);
}

}   // namespace gdi

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || c < 0 || (c > 0 && !lpString)) return FALSE;
    gdi::draw_text(*dc, x, y, lpString, c, dc->clip());
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    font::Face &face = gdi::face_of(dc->font);
    psizl->cx = face.text_width(lpString, c);
    psizl->cy = face.height();
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || !lptm) return FALSE;
    font::Face &face = gdi::face_of(dc->font);
    const font::Metrics &m = face.metrics();
    *lptm = TEXTMETRICA{};
    lptm->tmHeight = face.height();
    lptm->tmAscent = m.ascent;
    lptm->tmDescent = m.descent;
    lptm->tmInternalLeading = m.internalLeading;
    lptm->tmAveCharWidth = m.aveCharWidth;
    lptm->tmMaxCharWidth = m.maxCharWidth;
    const gdi::Font *f = gdi::find<gdi::Font>(dc->font);
    lptm->tmWeight = f && f->logfont.lfWeight ? f->logfont.lfWeight : FW_NORMAL;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFF;
    lptm->tmDefaultChar = '?';
    lptm->tmBreakChar = ' ';
    lptm->tmCharSet = ANSI_CHARSET;
    return TRUE;
}
