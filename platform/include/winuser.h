/* USER32: windows, messages, dialogs, controls, menus, message boxes, keyboard. */
#ifndef STONECALL_WINUSER_H
#define STONECALL_WINUSER_H

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
