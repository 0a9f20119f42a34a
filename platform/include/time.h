/* The C library's <time.h>, with one change for the program: its calendar time,
 * time(), reads the driver's clock (virtual when headless), so a reading cast in
 * a test takes no real time and can be repeated.
 *
 * The redirection is an assembler name on a second declaration of time(), not
 * a macro: the C++ library's <ctime> undefines macros named like C functions,
 * and a second declaration keeps every system header that includes <time.h>
 * (before or after this one) compiling unchanged. Only code compiled with our
 * include path is redirected; FreeType, SDL and the test framework keep the C
 * library's own time(). */
#include_next <time.h>

#ifndef STONECALL_TIME_H
#define STONECALL_TIME_H
#ifdef __cplusplus
extern "C" {
#endif
time_t time(time_t *t) __asm__("stonecall_time");
#ifdef __cplusplus
}
#endif
#endif
