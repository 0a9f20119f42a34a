// DrawTextA: text laid out in a rectangle. Lines end at line feeds (a carriage
// return before one is dropped); with DT_WORDBREAK also where the next word
// would pass the right edge, and a word wider than the whole line is cut
// where it reaches the edge. '&' underlines the character after it and "&&"
// shows one '&', unless DT_NOPREFIX.
#include "gdi32/text.h"

#include "gdi32/font.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace gdi {

namespace {

struct Line {
    std::string text;
    int underline = -1;   // index into text, or none
};

// Takes the prefix characters out of one piece of text.
Line strip_prefixes(const std::string &raw, bool noPrefix)
{
    Line line;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (!noPrefix && raw[i] == '&' && i + 1 < raw.size()) {
            ++i;
            if (raw[i] != '&') line.underline = static_cast<int>(line.text.size());
        }
        line.text += raw[i];
    }
    return line;
}

// Breaks one paragraph into lines no wider than `width`.
void wrap(const Line &para, font::Face &face, int width, std::vector<Line> &out)
{
    const std::string &t = para.text;
    size_t start = 0;
    while (true) {
        size_t end = start, lastBlank = std::string::npos;
        int w = 0;
        while (end < t.size()) {
            const int adv = face.glyph(static_cast<unsigned char>(t[end])).advance;
            if (w + adv > width && end > start && t[end] != ' ') break;
            if (t[end] == ' ') lastBlank = end;
            w += adv;
            ++end;
        }
        size_t next = end;
        if (end < t.size() && lastBlank != std::string::npos && lastBlank > start) {
            end = lastBlank;   // break at the last blank that fits
            next = lastBlank + 1;
        }
        Line line{t.substr(start, end - start), -1};
        while (!line.text.empty() && line.text.back() == ' ') line.text.pop_back();
        if (para.underline >= static_cast<int>(start) && para.underline < static_cast<int>(end))
            line.underline = para.underline - static_cast<int>(start);
        out.push_back(std::move(line));
        if (next >= t.size()) return;
        start = next;
    }
}

std::vector<Line> layout(const std::string &text, UINT format, font::Face &face, int width)
{
    std::vector<Line> lines;
    const bool noPrefix = (format & DT_NOPREFIX) != 0;
    if (format & DT_SINGLELINE) {
        lines.push_back(strip_prefixes(text, noPrefix));
        return lines;
    }
    size_t start = 0;
    while (true) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        std::string piece = text.substr(start, (last ? text.size() : end) - start);
        if (!piece.empty() && piece.back() == '\r') piece.pop_back();
        const Line para = strip_prefixes(piece, noPrefix);
        if ((format & DT_WORDBREAK) && !para.text.empty()) wrap(para, face, width, lines);
        else lines.push_back(para);
        if (last) return lines;
        start = end + 1;
    }
}

}   // namespace

}   // namespace gdi

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || !lprc || !lpchText || cchText < -1) return 0;
    const std::string text(lpchText, cchText == -1 ? std::strlen(lpchText) : static_cast<size_t>(cchText));
    font::Face &face = gdi::face_of(dc->font);
    const int lineHeight = face.height();
    const std::vector<gdi::Line> lines = gdi::layout(text, format, face, lprc->right - lprc->left);
    const int height = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        // The rectangle grows or shrinks to the text: its height always, its
        // width unless lines were broken to fit it.
        int widest = 0;
        for (const gdi::Line &l : lines)
            widest = std::max(widest, face.text_width(l.text.data(), static_cast<int>(l.text.size())));
        if (!(format & DT_WORDBREAK)) lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + height;
        return height;
    }

    const raster::Rect clip = (format & DT_NOCLIP) ? dc->clip() : raster::intersect(dc->clip(), gdi::to_canvas(*lprc));
    int y = lprc->top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) y = lprc->top + (lprc->bottom - lprc->top - lineHeight) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) y = lprc->bottom - lineHeight;
    const uint32_t ink = gdi::pixel_of(dc->textColor);
    for (const gdi::Line &l : lines) {
        const int n = static_cast<int>(l.text.size());
        const int w = face.text_width(l.text.data(), n);
        int x = lprc->left;
        if (format & DT_CENTER) x = lprc->left + (lprc->right - lprc->left - w) / 2;
        else if (format & DT_RIGHT) x = lprc->right - w;
        gdi::draw_text(*dc, x, y, l.text.data(), n, clip);
        if (l.underline >= 0) {
            // One pixel below the baseline, under the whole character.
            const int ux = x + face.text_width(l.text.data(), l.underline);
            const int uw = face.glyph(static_cast<unsigned char>(l.text[static_cast<size_t>(l.underline)])).advance;
            const raster::Point u = dc->to_canvas(ux, y + face.metrics().ascent + 1);
            raster::fill_rect(dc->canvas(), raster::Rect{u.x, u.y, u.x + uw, u.y + 1}, ink, clip);
        }
        y += lineHeight;
    }
    return height;
}
