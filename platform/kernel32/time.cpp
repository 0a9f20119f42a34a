// Time and sleeping, all from the driver's one clock.
#include <windows.h>

#include <time.h>

#include "driver/driver.h"

namespace {

int64_t floor_div(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}   // namespace

void WINAPI Sleep(DWORD ms)
{
    drv::Driver &d = drv::current();
    uint64_t until = d.now() + ms;
    while (d.now() < until) d.wait(until, false);
}

DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(drv::current().now()); }

void WINAPI GetSystemTime(LPSYSTEMTIME st)
{
    if (!st) return;
    int64_t ms = drv::current().calendar_ms();
    time_t secs = static_cast<time_t>(floor_div(ms, 1000));
    struct tm t;
    gmtime_r(&secs, &t);
    *st = SYSTEMTIME{static_cast<WORD>(t.tm_year + 1900), static_cast<WORD>(t.tm_mon + 1),
                     static_cast<WORD>(t.tm_wday),        static_cast<WORD>(t.tm_mday),
                     static_cast<WORD>(t.tm_hour),        static_cast<WORD>(t.tm_min),
                     static_cast<WORD>(t.tm_sec),         static_cast<WORD>(ms - floor_div(ms, 1000) * 1000)};
}

// The program's time(): see platform/include/time.h.
extern "C" time_t stonecall_time(time_t *out);
extern "C" time_t stonecall_time(time_t *out)
{
    time_t v = static_cast<time_t>(floor_div(drv::current().calendar_ms(), 1000));
    if (out) *out = v;
    return v;
}
