/* The C library's <sys/stat.h>, and, as on Windows, the permission arguments
 * of _open (with _O_CREAT) and _chmod (<io.h>). */
#include_next <sys/stat.h>

#ifndef STONECALL_SYS_STAT_H
#define STONECALL_SYS_STAT_H
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080
#endif
