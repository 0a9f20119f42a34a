// The dialog template reader (DLGTEMPLATE and DLGTEMPLATEEX) on arbitrary
// bytes, as a dialog resource the program's resources could hold.
#include "support.h"

#include <cstdint>

using namespace fuzzsupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    rc::DialogTemplate dialog;
    std::string error;
    bool parsed = rc::parse_dialog_template(data, size, dialog, &error);
    check_dialog_parse(parsed, dialog, error, size);
    return 0;
}
