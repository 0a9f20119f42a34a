/* USER32: windows, messages, dialogs, controls, menus, message boxes, keyboard. */
#ifndef STONECALL_WINUSER_H
#define STONECALL_WINUSER_H

#include "windef.h"

/* ------------------------------------------------------------------
 * Styles, control ids and resource types (shared with windres)
 * ------------------------------------------------------------------ */
/* Standard command ids: the buttons of dialogs and message boxes. */
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7



/* ------------------------------------------------------------------
 * Messages, notifications, virtual keys and window-manager calls
 * ------------------------------------------------------------------ */



/* ------------------------------------------------------------------
 * Controls, menus, message boxes
 * ------------------------------------------------------------------ */
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_ICONHAND 0x00000010L
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L

#ifndef RC_INVOKED
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
#endif /* RC_INVOKED */



/* ------------------------------------------------------------------
 * Dialog-unit and keyboard helpers
 * ------------------------------------------------------------------ */



#endif
