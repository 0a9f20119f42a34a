// The menu template reader on arbitrary bytes, as a menu resource the
// program's resources could hold.
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsupport::check_menu_template(data, size);
    return 0;
}
