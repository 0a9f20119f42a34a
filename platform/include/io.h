/* The C runtime's low-level file calls, Microsoft flavour: integer handles,
 * text mode (CR LF on disk, LF in memory, Ctrl-Z ends the data) and 32-bit
 * offsets, since long is 32-bit on Windows whatever the host's long is. */
#ifndef STONECALL_IO_H
#define STONECALL_IO_H

/* _open flags; the access mode is (flags & 3) because _O_RDONLY is 0. */
#define _O_RDONLY 0x0000
#define _O_WRONLY 0x0001
#define _O_RDWR 0x0002
#define _O_APPEND 0x0008
#define _O_CREAT 0x0100
#define _O_TRUNC 0x0200
#define _O_EXCL 0x0400
#define _O_TEXT 0x4000
#define _O_BINARY 0x8000

/* Permission arguments of _open (with _O_CREAT) and _chmod. */
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080

/* Attribute bits of struct _finddata_t. */
#define _A_NORMAL 0x00
#define _A_RDONLY 0x01
#define _A_HIDDEN 0x02
#define _A_SYSTEM 0x04
#define _A_SUBDIR 0x10
#define _A_ARCH 0x20

#ifndef RC_INVOKED
#include <stdint.h>
#include <time.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t _fsize_t;

struct _finddata_t {
    unsigned attrib;
    time_t time_create;   /* -1: not known */
    time_t time_access;
    time_t time_write;
    _fsize_t size;
    char name[260];       /* without the folder */
};

int _open(const char *filename, int oflag, ...);
int _close(int fd);
int _read(int fd, void *buffer, unsigned int count);
int _write(int fd, const void *buffer, unsigned int count);
int32_t _lseek(int fd, int32_t offset, int origin);
int32_t _tell(int fd);
int _eof(int fd);
int32_t _filelength(int fd);
int _chsize(int fd, int32_t size);
int _chmod(const char *filename, int pmode);
int _unlink(const char *filename);
/* Switches a handle between _O_TEXT and _O_BINARY; returns the previous mode or -1. */
int _setmode(int fd, int mode);
intptr_t _get_osfhandle(int fd);

intptr_t _findfirst(const char *filespec, struct _finddata_t *fileinfo);
int _findnext(intptr_t handle, struct _finddata_t *fileinfo);
int _findclose(intptr_t handle);

#ifdef __cplusplus
}
#endif
#endif /* RC_INVOKED */
#endif
