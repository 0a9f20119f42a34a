/* KERNEL32: memory, files, time, resources. */
#ifndef STONECALL_WINBASE_H
#define STONECALL_WINBASE_H

#include "windef.h"

/* ------------------------------------------------------------------
 * Global memory and files
 * ------------------------------------------------------------------ */


/* ------------------------------------------------------------------
 * Time and sleeping
 * ------------------------------------------------------------------ */
#ifndef RC_INVOKED
typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

#ifdef __cplusplus
extern "C" {
#endif
/* All of these read the driver's one clock: real under a real window, virtual
 * when headless. */
void WINAPI Sleep(DWORD dwMilliseconds);
DWORD WINAPI GetTickCount(void);
void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);
void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime);
#ifdef __cplusplus
}
#endif
#endif /* RC_INVOKED */


/* ------------------------------------------------------------------
 * Resources
 * ------------------------------------------------------------------ */

#ifndef RC_INVOKED
/* Resources come from the compiled .res images registered as modules
 * (platform/rc/module.h); a null module means the program's own. */
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
BOOL WINAPI FreeResource(HGLOBAL hResData);
#define FindResource FindResourceA
#define GetModuleHandle GetModuleHandleA
#endif /* RC_INVOKED */


#endif
