// A small deterministic pseudo-random generator (splitmix64), so that the benchmark builds
// the same source tree on every machine and every run.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qmbench {

class Prng {
public:
  explicit Prng(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  /// A number in [0, n); n > 0.
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }
  /// A number in [lo, hi].
  size_t Between(size_t lo, size_t hi) { return lo + Below(hi - lo + 1); }
  /// A number in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  /// True with probability p.
  bool Chance(double p) { return Unit() < p; }
  /// One element of a non-empty array.
  template <typename T, size_t N> const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

private:
  uint64_t state_;
};

} // namespace qmbench
