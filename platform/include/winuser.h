/* USER32: windows, messages, dialogs, controls, menus, message boxes, keyboard. */
#ifndef STONECALL_WINUSER_H
#define STONECALL_WINUSER_H

#include "windef.h"

/* ------------------------------------------------------------------
 * Styles, control ids and resource types (shared with windres)
 * ------------------------------------------------------------------ */



/* ------------------------------------------------------------------
 * Messages, notifications, virtual keys and window-manager calls
 * ------------------------------------------------------------------ */



/* ------------------------------------------------------------------
 * Controls, menus, message boxes
 * ------------------------------------------------------------------ */



/* ------------------------------------------------------------------
 * Dialog-unit and keyboard helpers
 * ------------------------------------------------------------------ */



#endif
