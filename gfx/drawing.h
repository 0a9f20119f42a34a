// Immediate drawing into the current window (hWnd_sim_dialog): a whole-window
// colour fill and bitmaps copied to a position, at their own size or
// stretched. Nothing is kept: callers draw again whenever they want it back.
// Positions are passed top first, then left, as the spreads hold them.
#ifndef STONECALL_GFX_DRAWING_H
#define STONECALL_GFX_DRAWING_H

#include <windows.h>

// The colour BackgroundColour takes for -1.
#define DEFAULT_BACKGROUND_COLOUR 0x00C8C8C8

// Copies the whole bitmap to (left, top): at its own size when width is 0
// (height is then ignored), else stretched to width x height. Returns the
// bitmap's description, all zero when it has none. The bitmap stays the caller's.
BITMAP DrawBitmap(HBITMAP hBitmap, int top, int left, int width, int height);
// The same for bitmap resource `resource_id` of hInst2, loaded and freed again.
BITMAP DrawBitmapFromID(int resource_id, int top, int left, int width, int height);
BITMAP DrawBitmapRECTFromID(int resource_id, RECT rect);
BITMAP DrawBitmapRECT(HBITMAP hBitmap, RECT rect);

// Fills the current window's whole client area; -1 means grey 200, 200, 200.
void BackgroundColour(DWORD colour);
// The rectangle BackgroundColour fills: the current window's client area.
RECT GetWindowShape(void);

#endif
