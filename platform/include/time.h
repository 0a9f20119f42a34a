/* The C library's <time.h>, with one change for the program: its calendar time,
 * time(), reads the driver's clock (virtual when headless), so a reading cast in
 * a test takes no real time and can be repeated. Only code compiled with our
 * include path sees the redirection; FreeType, SDL and the test framework keep
 * the C library's own time(). */
#include_next <time.h>

#ifndef STONECALL_TIME_H
#define STONECALL_TIME_H
#ifdef __cplusplus
extern "C" time_t stonecall_time(time_t *t);
/* <ctime> brings ::time into std; std::time(x) must reach the driver too. */
namespace std { using ::stonecall_time; }
#else
time_t stonecall_time(time_t *t);
#endif
/* A function-like macro: only a call, time(...), is redirected, so the
 * declarations and using-declarations of system headers stay untouched. */
#define time(t) stonecall_time(t)
#endif
