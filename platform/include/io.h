/* The C runtime's low-level file calls, Microsoft flavour: integer handles,
 * text mode (CR LF on disk, LF in memory, Ctrl-Z ends the data) and 32-bit
 * offsets, since long is 32-bit on Windows whatever the host's long is.
 * As on Windows, the flags of _open are in <fcntl.h> and its permission
 * arguments in <sys/stat.h>. */
#ifndef STONECALL_IO_H
#define STONECALL_IO_H

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
