/* GDI32: device contexts, bitmaps, brushes, regions, polygons, text. */
#ifndef STONECALL_WINGDI_H
#define STONECALL_WINGDI_H

#include "windef.h"

/* ------------------------------------------------------------------
 * Drawing
 * ------------------------------------------------------------------ */



#endif
