// The program must find each C runtime name in the header Windows declares
// it in, or the same source that builds here fails to build with MinGW's
// headers. <io.h> alone gives the calls, not the flags of _open; <fcntl.h>
// and <sys/stat.h> give those.
#include <io.h>

#if defined(_O_RDONLY) || defined(_O_TEXT) || defined(_O_BINARY) || defined(_S_IREAD) || defined(_S_IWRITE)
#error "<io.h> names what Windows keeps in <fcntl.h> and <sys/stat.h>"
#endif

#include <fcntl.h>
#include <sys/stat.h>

#if !defined(_O_RDONLY) || !defined(_O_BINARY) || !defined(_S_IREAD) || !defined(_S_IWRITE)
#error "<fcntl.h> and <sys/stat.h> must give the flags and modes of _open"
#endif
