// Seeded randomness that gives the same numbers on every run and every machine:
// integer hashing only, no library generators whose sequences may differ.
#pragma once

#include <cstdint>

namespace art {

// A small generator (splitmix64) for the few random choices a picture makes.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // Uniform in [lo, hi).
    double uniform(double lo, double hi);

  private:
    uint64_t state_;
};

// Smooth value noise in [0, 1) over the plane, one lattice point per unit. With a
// period > 0 the lattice wraps every `period` units, so the noise tiles.
double value_noise(uint32_t seed, double x, double y, int period = 0);

// Several octaves of value noise, each half the size and weight of the one before;
// the result stays in [0, 1).
double fractal_noise(uint32_t seed, double x, double y, int octaves, int period = 0);

}   // namespace art
