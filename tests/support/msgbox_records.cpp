// The test program keeps a record of every message box for the tests to
// compare (msgbox_hook::boxes()); the program on its own keeps none.
#include "user32/msgbox_hook.h"

namespace {

const bool recording = (msgbox_hook::keep_records(true), true);

}   // namespace
