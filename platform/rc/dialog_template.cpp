// DLGTEMPLATE with its items, as the resource compiler writes them: the
// header, then menu, class and caption, the font when DS_SETFONT is set, then
// one DWORD-aligned item per control. The program's resources hold no
// DLGTEMPLATEEX (DIALOGEX): such a template is refused.
#include "rc/templates.h"

#include "rc/byte_reader.h"

namespace rc {

namespace {

// Predefined control classes by their atoms 0x80..0x85.
const char *const kClassAtoms[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
constexpr WORD kFirstClassAtom = 0x80;

// The smallest item: fixed fields, then a one-WORD class, a one-WORD text and
// a zero creation-data count.
constexpr size_t kMinItemSize = 18 + 2 + 2 + 2;

bool read_class(ByteReader &in, std::string &className)
{
    NameOrOrdinal cls;
    if (!in.name_or_ordinal(cls)) return false;
    if (!cls.isOrdinal) {
        className = cls.name;
        return true;
    }
    WORD index = static_cast<WORD>(cls.ordinal - kFirstClassAtom);
    if (index >= sizeof kClassAtoms / sizeof kClassAtoms[0]) return false;
    className = kClassAtoms[index];
    return true;
}

bool read_item(ByteReader &in, DialogItem &item)
{
    if (!in.dword(item.style) || !in.dword(item.exStyle)) return false;
    if (!in.coord(item.x) || !in.coord(item.y) || !in.coord(item.cx) || !in.coord(item.cy) || !in.word(item.id))
        return false;
    // Creation data: a WORD byte count, then that many bytes. The classic
    // item's page says the count includes its own WORD; we read it as the
    // bytes that follow, as the extended format documents it and as
    // reimplementations do. (A choice: unconfirmed on Windows itself.)
    WORD extra;
    return read_class(in, item.className) && in.name_or_ordinal(item.text) && in.word(extra) &&
           in.bytes(extra, item.creationData);
}

bool read_header(ByteReader &in, DialogTemplate &out, WORD &count)
{
    if (!in.dword(out.style) || !in.dword(out.exStyle)) return false;
    if (!in.word(count) || !in.coord(out.x) || !in.coord(out.y) || !in.coord(out.cx) || !in.coord(out.cy)) return false;
    if (!in.name_or_ordinal(out.menu) || !in.name_or_ordinal(out.windowClass) || !in.string(out.caption)) return false;
    out.hasFont = (out.style & DS_SETFONT) != 0;
    if (!out.hasFont) return true;
    return in.word(out.pointSize) && in.string(out.faceName);
}

}   // namespace

bool parse_dialog_template(const void *data, size_t size, DialogTemplate &out, std::string *error)
{
    out = DialogTemplate();
    if (!data) return fail(error, "dialog template: no data");
    ByteReader in(data, size);
    WORD version, signature;
    if (in.word(version) && in.word(signature) && signature == 0xFFFF)
        return fail(error, "dialog template: an extended template (DIALOGEX), which is not read");
    in = ByteReader(data, size);

    WORD count;
    if (!read_header(in, out, count))
        return fail(error, "dialog template: header truncated or its strings unterminated");
    // Refuse a count the data cannot hold before reading any item.
    if (count > in.remaining() / kMinItemSize)
        return fail(error, "dialog template: " + std::to_string(count) + " items cannot fit in " +
                               std::to_string(in.remaining()) + " bytes");
    for (WORD i = 0; i < count; i++) {
        DialogItem item;
        if (!in.align(4) || !read_item(in, item)) {
            out.items.clear();
            return fail(error, "dialog template: item " + std::to_string(i + 1) + " of " + std::to_string(count) +
                                   " truncated, unterminated or of an unknown class");
        }
        out.items.push_back(std::move(item));
    }
    return true;
}

}   // namespace rc
