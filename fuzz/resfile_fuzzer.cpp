// The compiled resource file reader on arbitrary bytes: every entry it lists
// must lie inside the image, and every dialog and menu entry goes on to its
// template reader, as FindResourceA's callers would take it.
#include "support.h"

#include "rc/resfile.h"

using namespace fuzzsupport;

namespace {

bool is_type(const rc::ResEntry &entry, WORD type) { return entry.type.isOrdinal && entry.type.ordinal == type; }

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<rc::ResEntry> entries;
    std::string error;
    if (!rc::read_res(data, size, entries, &error)) {
        check(!error.empty(), "a resource file was refused without a reason");
        return 0;
    }
    for (const rc::ResEntry &entry : entries) {
        check(entry.data >= data && entry.size <= size &&
                  entry.data - data <= static_cast<ptrdiff_t>(size - entry.size),
              "a resource's data lies outside the image");
        check(!is_type(entry, 0), "the empty opening entry was listed");
        if (is_type(entry, 5)) check_dialog_template(entry.data, entry.size);      // RT_DIALOG
        else if (is_type(entry, 4)) check_menu_template(entry.data, entry.size);   // RT_MENU
    }
    return 0;
}
