// MulDiv: a 64-bit product, divided and rounded as Windows rounds it.
#include <windows.h>

#include <cstdint>

// (a * b) / c in 64 bits, rounded to the nearest integer with halves away from
// zero; -1 when c is 0 or the result does not fit.
int WINAPI MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    int64_t p = static_cast<int64_t>(a) * b;
    int64_t d = c;
    if (d < 0) {
        p = -p;
        d = -d;
    }
    int64_t r = (p >= 0 ? p + d / 2 : p - d / 2) / d;
    if (r > INT32_MAX || r < -INT32_MAX) return -1;
    return static_cast<int>(r);
}
