// The menu template reader on arbitrary bytes, as a menu resource the
// program's resources could hold.
#include "support.h"

#include <cstdint>

using namespace fuzzsupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<rc::MenuItem> menu;
    std::string error;
    bool parsed = rc::parse_menu_template(data, size, menu, &error);
    check_menu_parse(parsed, menu, error, size);
    return 0;
}
