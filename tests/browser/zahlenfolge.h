// The doubles of the number check, the same in the native and in the
// WebAssembly build: random bit patterns (every exponent, subnormals, inf and
// NaN) alternating with values of moderate size, some of them at or above
// 2^64, where the writer takes its other branch.
#ifndef ZAHLENFOLGE_H
#define ZAHLENFOLGE_H

#include <stdint.h>
#include <string.h>

static inline uint64_t zahlenfolge_weiter(uint64_t *zustand) {
    uint64_t x = *zustand;
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    *zustand = x;
    return x;
}

// Number i of the sequence; zustand starts at any value but 0.
static inline double zahlenfolge(uint64_t *zustand, int i) {
    uint64_t bits = zahlenfolge_weiter(zustand);
    if (i % 2 == 1) {
        // Sign and mantissa random, binary exponent in [-40, 87].
        uint64_t exponent = 1023 - 40 + (bits >> 52) % 128;
        bits = (bits & 0x800fffffffffffffULL) | (exponent << 52);
    }
    double x;
    memcpy(&x, &bits, sizeof x);
    return x;
}

#endif
