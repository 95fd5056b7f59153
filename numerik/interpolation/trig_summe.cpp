// The sums of the barycentric trigonometric formula, eight nodes at a time
// (trig_intern.h).  As in the barycentric sum (baryzentrische_summe.cpp)
// the eight partial sums are combined in one fixed order, so that every
// register width gives the same bits; this file is compiled without
// contraction as the whole library.
#include "interpolation/trig_intern.h"

#include "interpolation/polynom_intern.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int BREITE = 8;

template <int B> struct register_art { typedef double typ __attribute__((vector_size(B))); };

template <int B>
[[gnu::always_inline]] inline bool lanes(const double *c, const double *s, const double *v,
                                         const double *y, int bloecke, bool gerade, double S,
                                         double C, double *zaehler, double *nenner) {
    typedef typename register_art<B>::typ vek;
    constexpr int L = B / static_cast<int>(sizeof(double));
    constexpr int R = BREITE / L;
    vek z[R] = {};
    vek n[R] = {};
    vek pruefung = {};
    vek sv = {};
    sv += S;
    vek cv = {};
    cv += C;
    for (int b = 0; b < bloecke; ++b) {
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) {
            const int j = b * BREITE + r * L;
            vek cj;
            vek sj;
            vek vj;
            vek yj;
            std::memcpy(&cj, c + j, sizeof cj);
            std::memcpy(&sj, s + j, sizeof sj);
            std::memcpy(&vj, v + j, sizeof vj);
            std::memcpy(&yj, y + j, sizeof yj);
            vek t = vj / (sv * cj - cv * sj);
            if (gerade) t *= cv * cj + sv * sj;
            pruefung += t * 0.0;
            z[r] += t * yj;
            n[r] += t;
        }
    }
    std::memcpy(zaehler, z, sizeof z);
    std::memcpy(nenner, n, sizeof n);
    double summe = 0.0;
    for (int k = 0; k < L; ++k)
        summe += pruefung[k];
    return summe == 0.0;
}

typedef bool (*summierer)(const double *, const double *, const double *, const double *, int, bool,
                          double, double, double *, double *);

bool summieren_16(const double *c, const double *s, const double *v, const double *y, int bloecke,
                  bool gerade, double S, double C, double *zaehler, double *nenner) {
    return lanes<16>(c, s, v, y, bloecke, gerade, S, C, zaehler, nenner);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NUMERIK_X86_AUSWAHL 1
__attribute__((target("avx2"))) bool summieren_32(const double *c, const double *s, const double *v,
                                                  const double *y, int bloecke, bool gerade,
                                                  double S, double C, double *zaehler,
                                                  double *nenner) {
    return lanes<32>(c, s, v, y, bloecke, gerade, S, C, zaehler, nenner);
}

__attribute__((target("avx512f"))) bool summieren_64(const double *c, const double *s,
                                                     const double *v, const double *y, int bloecke,
                                                     bool gerade, double S, double C,
                                                     double *zaehler, double *nenner) {
    return lanes<64>(c, s, v, y, bloecke, gerade, S, C, zaehler, nenner);
}
#endif

summierer waehlen() {
#ifdef NUMERIK_X86_AUSWAHL
    if (register_breite() == 64) return summieren_64;
    if (register_breite() == 32) return summieren_32;
#endif
    return summieren_16;
}

double lanesumme(const double *w) {
    return ((w[0] + w[1]) + (w[2] + w[3])) + ((w[4] + w[5]) + (w[6] + w[7]));
}

} // namespace

bool trig_summe(const double *c, const double *s, const double *v, const double *y, int anzahl,
                bool gerade, double S, double C, double &wert) {
    static const summierer summieren = waehlen();
    const int bloecke = anzahl / BREITE;
    double zl[BREITE];
    double nl[BREITE];
    if (!summieren(c, s, v, y, bloecke, gerade, S, C, zl, nl)) return false;
    double zaehler = lanesumme(zl);
    double nenner = lanesumme(nl);
    for (int j = bloecke * BREITE; j < anzahl; ++j) {
        double t = v[j] / (S * c[j] - C * s[j]);
        if (gerade) t *= C * c[j] + S * s[j];
        if (!std::isfinite(t)) return false;
        zaehler += t * y[j];
        nenner += t;
    }
    wert = zaehler / nenner;
    return true;
}
