/* What a resource script needs from the system headers: the style, menu and
 * resource-type values. Resource scripts may include this or <windows.h>;
 * both only define values when windres preprocesses them (RC_INVOKED). */
#ifndef STONECALL_WINRESRC_H
#define STONECALL_WINRESRC_H

#include "windef.h"
#include "winuser.h"

#endif
