/* The part of the Win32 API that Stonecall uses, for our own layer.
 * The program includes <windows.h> exactly as it would on Windows; on Linux the
 * include path resolves it here. windres preprocesses this file too, so only
 * #defines stand outside RC_INVOKED. */
#ifndef STONECALL_WINDOWS_H
#define STONECALL_WINDOWS_H

#include "windef.h"
#include "winbase.h"
#include "winuser.h"
#include "wingdi.h"

#endif
