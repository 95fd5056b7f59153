// The bit pattern of a double, for the number writers that take it apart
// (sign, exponent field, fraction).  memcpy rather than std::bit_cast: em++'s
// C++ library has no bit_cast, and the compilers make the same single move
// of either.
#ifndef NUMERIK_BITMUSTER_H
#define NUMERIK_BITMUSTER_H

#include <cstdint>
#include <cstring>

inline std::uint64_t bitmuster(double x) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

#endif
