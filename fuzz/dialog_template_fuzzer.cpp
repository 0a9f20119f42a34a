// The dialog template reader (DLGTEMPLATE; DLGTEMPLATEEX is refused) on arbitrary
// bytes, as a dialog resource the program's resources could hold.
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsupport::check_dialog_template(data, size);
    return 0;
}
