/* GDI32: device contexts, bitmaps, brushes, regions, polygons, text. */
#ifndef STONECALL_WINGDI_H
#define STONECALL_WINGDI_H

#include "windef.h"

#ifndef RC_INVOKED
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif /* RC_INVOKED */
#endif
