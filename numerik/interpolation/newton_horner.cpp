// The Newton form at many points, sixteen points at a time.
//
// Nested multiplication r = c(k) + (x - x(k)) * r runs down the nodes for
// sixteen points at once: every node's coefficient and abscissa is read
// once for all of them, and the sixteen chains of products and sums, each
// waiting on its own last step only, keep the arithmetic units busy where
// one point's chain leaves them idle.  Each lane does the very operations
// of the one-point slot in its order, with no product fused into its sum
// (the library is compiled without contraction), so every value is that
// slot's to the bit, on whichever registers carry the lanes: eight SSE2
// pairs on any x86-64, four AVX2 registers, two AVX-512 registers (chosen
// when the library is loaded), or 128-bit lanes in WebAssembly.
#include "interpolation/polynom_intern.h"

#include <cstring>

namespace {

constexpr int PUNKTE = 16;

template <int B> struct register_art { typedef double typ __attribute__((vector_size(B))); };

// p at the PUNKTE points x into y.  With skaliert the points are first
// moved and scaled to t = (x - mitte) / skala, and knoten holds the nodes
// so moved and scaled.
template <int B>
[[gnu::always_inline]] inline void sechzehn_punkte(const double *c, const double *knoten, int n,
                                                   bool skaliert, double mitte, double skala,
                                                   const double *x, double *y) {
    typedef typename register_art<B>::typ v;
    constexpr int L = B / static_cast<int>(sizeof(double));
    constexpr int R = PUNKTE / L;
    v t[R];
    v r[R];
    std::memcpy(t, x, sizeof t);
    if (skaliert)
        for (int j = 0; j < R; ++j)
            t[j] = (t[j] - mitte) / skala;
    // c(n+1) in every lane as it is (a sum with zero would turn -0 to +0).
    for (int j = 0; j < R; ++j)
        for (int l = 0; l < L; ++l)
            r[j][l] = c[n];
    for (int k = n; k >= 1; --k) {
        const double ck = c[k - 1];
        const double xk = knoten[k - 1];
        // Unrolled, so that the chains stay in registers.
#pragma GCC unroll 8
        for (int j = 0; j < R; ++j)
            r[j] = ck + (t[j] - xk) * r[j];
    }
    std::memcpy(y, r, sizeof r);
}

typedef void (*auswerter)(const double *, const double *, int, bool, double, double, const double *,
                          double *);

void auswerten_16(const double *c, const double *knoten, int n, bool skaliert, double mitte,
                  double skala, const double *x, double *y) {
    sechzehn_punkte<16>(c, knoten, n, skaliert, mitte, skala, x, y);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NUMERIK_X86_AUSWAHL 1
__attribute__((target("avx2"))) void auswerten_32(const double *c, const double *knoten, int n,
                                                  bool skaliert, double mitte, double skala,
                                                  const double *x, double *y) {
    sechzehn_punkte<32>(c, knoten, n, skaliert, mitte, skala, x, y);
}

__attribute__((target("avx512f"))) void auswerten_64(const double *c, const double *knoten, int n,
                                                     bool skaliert, double mitte, double skala,
                                                     const double *x, double *y) {
    sechzehn_punkte<64>(c, knoten, n, skaliert, mitte, skala, x, y);
}
#endif

auswerter auswerter_waehlen() {
#ifdef NUMERIK_X86_AUSWAHL
    if (register_breite() == 64) return auswerten_64;
    if (register_breite() == 32) return auswerten_32;
#endif
    return auswerten_16;
}

} // namespace

std::size_t newton_horner(const double *c, const double *knoten, int n, bool skaliert, double mitte,
                          double skala, const double *x, double *y, std::size_t anzahl) {
    static const auswerter auswerten = auswerter_waehlen();
    std::size_t i = 0;
    for (; i + PUNKTE <= anzahl; i += PUNKTE)
        auswerten(c, knoten, n, skaliert, mitte, skala, x + i, y + i);
    return i;
}
