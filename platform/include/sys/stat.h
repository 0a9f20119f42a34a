/* The C library's <sys/stat.h>. On Windows it also names the permission
 * arguments of _open (_S_IREAD, _S_IWRITE); ours live in <io.h>. */
#include_next <sys/stat.h>
#include <io.h>
