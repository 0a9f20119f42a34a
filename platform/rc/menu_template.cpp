// The standard menu template: MENUITEMTEMPLATEHEADER (version 0 and the offset
// of the first item), then items of WORD flags, a WORD id unless MF_POPUP, and
// the text. A popup's items follow it; MF_END marks the last item of a level.
#include "rc/templates.h"

#include "rc/byte_reader.h"

namespace rc {

namespace {

// Deeper than any real menu; it keeps a crafted template from exhausting the stack.
constexpr int kMaxDepth = 16;

bool read_level(ByteReader &in, int depth, std::vector<MenuItem> &out, std::string *error)
{
    if (depth > kMaxDepth) return fail(error, "menu template: popups nested deeper than " + std::to_string(kMaxDepth));
    for (;;) {
        MenuItem item;
        if (!in.word(item.flags))
            return fail(error, "menu template: item missing or the last item of a level has no MF_END");
        bool last = (item.flags & MF_END) != 0;
        item.flags &= static_cast<WORD>(~MF_END);
        if (!(item.flags & MF_POPUP) && !in.word(item.id)) return fail(error, "menu template: item id truncated");
        if (!in.string(item.text)) return fail(error, "menu template: item text truncated or unterminated");
        if (item.flags & MF_POPUP) {
            if (!read_level(in, depth + 1, item.children, error)) return false;
        } else if (item.flags == 0 && item.id == 0 && item.text.empty()) {
            // MENUITEM SEPARATOR is written as an empty item; menus show it as
            // a separator line.
            item.flags = MF_SEPARATOR;
        }
        out.push_back(std::move(item));
        if (last) return true;
    }
}

}   // namespace

bool parse_menu_template(const void *data, size_t size, std::vector<MenuItem> &out, std::string *error)
{
    out.clear();
    if (!data) return fail(error, "menu template: no data");
    ByteReader in(data, size);
    WORD version, offset;
    if (!in.word(version) || !in.word(offset)) return fail(error, "menu template: header truncated");
    if (version != 0)
        return fail(error, "menu template: version " + std::to_string(version) + " is not a standard menu");
    if (!in.skip(offset)) return fail(error, "menu template: first item offset runs past the end");
    if (read_level(in, 0, out, error)) return true;
    out.clear();
    return false;
}

}   // namespace rc
