#include "noise.h"

#include <cmath>

namespace art {

uint64_t Random::next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::uniform(double lo, double hi)
{
    return lo + (hi - lo) * static_cast<double>(next() >> 11) / 9007199254740992.0;
}

namespace {

double lattice(uint32_t seed, int x, int y)
{
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^ static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<double>(h >> 8) / 16777216.0;
}

int wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

}   // namespace

double value_noise(uint32_t seed, double x, double y, int period)
{
    double fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = smooth(x - fx), ty = smooth(y - fy);
    int x0 = wrap(ix, period), x1 = wrap(ix + 1, period);
    int y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    double top = lattice(seed, x0, y0) + (lattice(seed, x1, y0) - lattice(seed, x0, y0)) * tx;
    double bottom = lattice(seed, x0, y1) + (lattice(seed, x1, y1) - lattice(seed, x0, y1)) * tx;
    return top + (bottom - top) * ty;
}

double fractal_noise(uint32_t seed, double x, double y, int octaves, int period)
{
    double sum = 0.0, weight = 0.5, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * value_noise(seed + static_cast<uint32_t>(i) * 7919u, x, y, period);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        period *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

}   // namespace art
