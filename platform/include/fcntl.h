/* The C library's <fcntl.h>, and, as on Windows, the flags of _open (<io.h>).
 * The access mode is (flags & 3) because _O_RDONLY is 0. */
#include_next <fcntl.h>

#ifndef STONECALL_FCNTL_H
#define STONECALL_FCNTL_H
#define _O_RDONLY 0x0000
#define _O_WRONLY 0x0001
#define _O_RDWR 0x0002
#define _O_APPEND 0x0008
#define _O_CREAT 0x0100
#define _O_TRUNC 0x0200
#define _O_EXCL 0x0400
#define _O_TEXT 0x4000
#define _O_BINARY 0x8000
#endif
