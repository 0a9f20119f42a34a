#include "editor/newspread.h"

#include "app/mainwindow.h"

// Becomes the new-spread dialog and the layout editor on the new spread; for
// now every New is cancelled, so leaving new mode offers nothing to save.
void NewSpread(void)
{
    CancelNewSpread = 1;
}
