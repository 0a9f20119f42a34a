/* The C library's <fcntl.h>. On Windows it also names the _O_ flags of _open;
 * ours live with the rest of the low-level file calls in <io.h>. */
#include_next <fcntl.h>
#include <io.h>
