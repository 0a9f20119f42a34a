/* KERNEL32: memory, files, time, resources. */
#ifndef STONECALL_WINBASE_H
#define STONECALL_WINBASE_H

#include "windef.h"

/* ------------------------------------------------------------------
 * Global memory and files
 * ------------------------------------------------------------------ */
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

#define MOVEFILE_REPLACE_EXISTING 0x00000001

#define FILE_NAME_NORMALIZED 0x0
#define VOLUME_NAME_DOS 0x0

#ifndef RC_INVOKED
HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
LPVOID WINAPI GlobalLock(HGLOBAL hMem);
BOOL WINAPI GlobalUnlock(HGLOBAL hMem);
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
BOOL WINAPI DeleteFileA(LPCSTR lpFileName);
/* The full path of an open file with every symbolic link resolved; the result
 * is its length, or 0 on failure, or the size needed when the buffer is short. */
DWORD WINAPI GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath, DWORD dwFlags);
#endif /* RC_INVOKED */


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
#define FindResource FindResourceA
#define GetModuleHandle GetModuleHandleA
#endif /* RC_INVOKED */


/* ------------------------------------------------------------------
 * Program entry
 * ------------------------------------------------------------------ */
#ifndef RC_INVOKED
#ifdef __cplusplus
extern "C" {
#endif
/* Defined by the program; the command line is the text after the program's
 * name, as the system passes it. */
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);
#ifdef __cplusplus
}
#endif
#endif /* RC_INVOKED */


#endif
