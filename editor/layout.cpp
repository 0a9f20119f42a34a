#include "editor/layout.h"

HWND ButtonHandles[MAX_POSITIONS];

// Becomes the spread chooser and the position buttons of the chosen spread;
// for now no spread is chosen and edit mode has no buttons.
void EditSpread(void)
{
}
