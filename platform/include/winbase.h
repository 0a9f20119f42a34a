/* KERNEL32: memory, files, time. */
#ifndef STONECALL_WINBASE_H
#define STONECALL_WINBASE_H

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
