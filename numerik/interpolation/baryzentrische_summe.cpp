// The sums of the second barycentric formula, eight nodes at a time.
//
// Node j adds t = w(j) / (x - x(j)) to the denominator and t * y(j) to the
// numerator.  The nodes are taken in blocks of eight, each block's terms
// added lane by lane into eight partial sums, which are combined in one
// fixed order at the end, then the fewer than eight nodes left over.  Every
// term is one correctly rounded division and one product, and no product
// is fused with its sum (this file is compiled without contraction), so
// the result is the same to the bit whatever instructions carry the eight
// lanes: four SSE2 pairs on any x86-64, two AVX2 registers, one AVX-512
// register (chosen when the library is loaded), or four 128-bit lanes in
// WebAssembly.  The order differs from the node-by-node sum of one
// accumulator by rounding only: both are within a few units in the last
// place of sum |t y(j)| / |sum t| of the exact quotient.
#include "interpolation/polynom_intern.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int BREITE = 8;

// The eight lanes as B / sizeof(double) lanes a register, in 64 / B
// registers: lane k is always the k-th of the eight, so every target adds
// the same numbers in the same order.
template <int B> struct register_art { typedef double typ __attribute__((vector_size(B))); };

// The eight partial sums of the first bloecke * 8 nodes into zaehler and
// nenner (lane k from the nodes 8 b + k); false when some term is not
// finite or not a number (x at a node or within a subnormal distance of
// one, or x not a number): the caller then goes through the nodes one by
// one.  Inlined into one function per instruction set below.
template <int B>
[[gnu::always_inline]] inline bool lanes_summieren(const double *knoten, const double *y,
                                                   const double *w, int bloecke, double x,
                                                   double *zaehler, double *nenner) {
    typedef typename register_art<B>::typ v;
    constexpr int L = B / static_cast<int>(sizeof(double));
    constexpr int R = BREITE / L;
    v z[R] = {};
    v s[R] = {};
    // t * 0 is 0 for a finite term and NaN for an infinite one (x at a
    // node gives +-inf, or NaN for a zero weight): their sum is a NaN
    // exactly when some term is not finite.  A comparison would leave the
    // vector registers on some targets; this stays in them.
    v pruefung = {};
    v xv = {};
    xv += x;
    for (int b = 0; b < bloecke; ++b) {
        // Unrolled, so that the partial sums stay in registers.
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) {
            const int j = b * BREITE + r * L;
            v xj;
            v wj;
            v yj;
            std::memcpy(&xj, knoten + j, sizeof xj);
            std::memcpy(&wj, w + j, sizeof wj);
            std::memcpy(&yj, y + j, sizeof yj);
            v t = wj / (xv - xj);
            pruefung += t * 0.0;
            z[r] += t * yj;
            s[r] += t;
        }
    }
    std::memcpy(zaehler, z, sizeof z);
    std::memcpy(nenner, s, sizeof s);
    double summe = 0.0;
    for (int k = 0; k < L; ++k)
        summe += pruefung[k];
    return summe == 0.0;
}

typedef bool (*summierer)(const double *, const double *, const double *, int, double, double *,
                          double *);

bool summieren_16(const double *knoten, const double *y, const double *w, int bloecke, double x,
                  double *zaehler, double *nenner) {
    return lanes_summieren<16>(knoten, y, w, bloecke, x, zaehler, nenner);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NUMERIK_X86_AUSWAHL 1
__attribute__((target("avx2"))) bool summieren_32(const double *knoten, const double *y,
                                                  const double *w, int bloecke, double x,
                                                  double *zaehler, double *nenner) {
    return lanes_summieren<32>(knoten, y, w, bloecke, x, zaehler, nenner);
}

__attribute__((target("avx512f"))) bool summieren_64(const double *knoten, const double *y,
                                                     const double *w, int bloecke, double x,
                                                     double *zaehler, double *nenner) {
    return lanes_summieren<64>(knoten, y, w, bloecke, x, zaehler, nenner);
}
#endif

summierer summierer_waehlen() {
#ifdef NUMERIK_X86_AUSWAHL
    if (register_breite() == 64) return summieren_64;
    if (register_breite() == 32) return summieren_32;
#endif
    return summieren_16;
}

double lanesumme(const double *v) {
    return ((v[0] + v[1]) + (v[2] + v[3])) + ((v[4] + v[5]) + (v[6] + v[7]));
}

// The quotient once more, node by node, with the values scaled by a power
// of 2 to the largest of them: for values so large that a term t y(j) or
// the numerator overflows where the quotient does not.
double skaliert_summieren(const double *knoten, const double *y, const double *w, int anzahl,
                          double x) {
    double groesster = 0.0;
    for (int j = 0; j < anzahl; ++j)
        groesster = std::fmax(groesster, std::fabs(y[j]));
    if (!(groesster > 0.0) || !std::isfinite(groesster)) return NAN;
    const int k = std::ilogb(groesster);
    double zaehler = 0.0;
    double nenner = 0.0;
    for (int j = 0; j < anzahl; ++j) {
        double t = w[j] / (x - knoten[j]);
        zaehler += t * std::ldexp(y[j], -k);
        nenner += t;
    }
    return std::ldexp(zaehler / nenner, k);
}

} // namespace

int register_breite() {
#ifdef NUMERIK_X86_AUSWAHL
    static const int breite = [] {
        const char *wahl = std::getenv("NUMERIK_SIMD");
        if (wahl != nullptr && std::strcmp(wahl, "0") == 0) return 16;
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512f")) return 64;
        if (__builtin_cpu_supports("avx2")) return 32;
        return 16;
    }();
    return breite;
#else
    return 16;
#endif
}

double baryzentrische_summe(const double *knoten, const double *y, const double *w, int anzahl,
                            double x) {
    static const summierer summieren = summierer_waehlen();
    const int bloecke = anzahl / BREITE;
    double zaehler_lanes[BREITE];
    double nenner_lanes[BREITE];
    bool glatt = summieren(knoten, y, w, bloecke, x, zaehler_lanes, nenner_lanes);
    double zaehler = glatt ? lanesumme(zaehler_lanes) : 0.0;
    double nenner = glatt ? lanesumme(nenner_lanes) : 0.0;
    for (int j = glatt ? bloecke * BREITE : 0; j < anzahl; ++j) {
        double abstand = x - knoten[j];
        if (abstand == 0.0) return y[j];
        double t = w[j] / abstand;
        // x within a subnormal distance of x(j): p(x) is y(j) to the last
        // bit, and the quotient would make the formula inf / inf.
        if (std::isinf(t)) return y[j];
        if (glatt) {
            zaehler += t * y[j];
            nenner += t;
        }
    }
    double wert = zaehler / nenner;
    if (std::isfinite(wert) || !std::isfinite(x)) return wert;
    return skaliert_summieren(knoten, y, w, anzahl, x);
}
