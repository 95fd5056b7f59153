// The weights of the barycentric rational interpolant of blending degree d
// (rationalipl.cpp): for each node k the sum over its windows i of
// 1 / prod |t(k) - t(j)|, j = i..i+d but k, in ascending i and j, with the
// sign (-1)^(k-d), scaled so that the largest magnitude is 1.
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/polynom_intern.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <vector>

// The lanes are inlined where they are used: no call passes a vector.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace {

// A positive number m 2^e, m normalised to [0.5, 1) by frexp.
struct skaliert {
    double m;
    long e;
};

skaliert normiert(double m, long e) {
    int em = 0;
    m = std::frexp(m, &em);
    return {m, e + em};
}

// |u - v| for finite u and v as m 2^e, also where the difference overflows
// (then half of it, one more in the exponent).
skaliert abstand(double u, double v) {
    double d = std::fabs(u - v);
    if (std::isfinite(d)) return normiert(d, 0);
    return normiert(std::fabs(u * 0.5 - v * 0.5), 1);
}

// The nodes in ascending order: t, the object's own nodes where they
// ascend (index empty), else a sorted copy with index[k] the position of
// t[k] in the object.
struct knotenfolge {
    const double *t = nullptr;
    std::size_t anzahl = 0;
    std::vector<double> kopie;
    std::vector<std::size_t> index;
    double kleinster_schritt = 0.0;
    std::size_t stelle(std::size_t k) const { return index.empty() ? k : index[k]; }
};

// After the checks of kreieren's callers that did not come through the
// generic entry: finite, and no two equal (two values at one node: no
// interpolant through both).  Sorted, equal nodes are neighbours.
knotenfolge aufsteigend(const polynomdaten *dt) {
    const double *x = eintraege(dt->stuetzstellen);
    knotenfolge f;
    f.anzahl = static_cast<std::size_t>(dt->n) + 1;
    const knotenlauf lauf = knoten_durchlaufen(x, f.anzahl);
    if (!lauf.endlich)
        for (std::size_t j = 0; j < f.anzahl; ++j)
            if (!std::isfinite(x[j]))
                fehler("Stuetzstelle x(%zu) ist keine endliche Zahl fuer RATIONALE_INTERPOLATION "
                       "%s.\n",
                       j + 1, dt->name);
    // Ascending nodes are their own order.
    if (lauf.aufsteigend) {
        f.t = x;
        f.kleinster_schritt = lauf.kleinster_schritt;
        return f;
    }
    f.index.resize(f.anzahl);
    std::iota(f.index.begin(), f.index.end(), std::size_t{0});
    std::stable_sort(f.index.begin(), f.index.end(),
                     [&](std::size_t l, std::size_t r) { return x[l] < x[r]; });
    f.kopie.resize(f.anzahl);
    for (std::size_t k = 0; k < f.anzahl; ++k) {
        f.kopie[k] = x[f.index[k]];
        if (k > 0 && f.kopie[k] == f.kopie[k - 1])
            fehler("Stuetzstellen x(%zu) und x(%zu) gleich fuer RATIONALE_INTERPOLATION %s.\n",
                   std::min(f.index[k], f.index[k - 1]) + 1,
                   std::max(f.index[k], f.index[k - 1]) + 1, dt->name);
    }
    f.t = f.kopie.data();
    f.kleinster_schritt = knoten_durchlaufen(f.t, f.anzahl).kleinster_schritt;
    return f;
}

// Whether every product of d node distances, its reciprocal and a sum of
// d + 1 such reciprocals lie well inside the normal range: then the plain
// products and sums give every weight to the bit as the scaled ones do
// (scaling by powers of two is exact, and a rounding does not depend on
// it while nothing overflows or leaves the normal range).
bool ohne_skalierung(const knotenfolge &f, int d) {
    if (f.anzahl < 2 || d < 1) return false;
    const double kleinste = f.kleinster_schritt;
    const double spanne = f.t[f.anzahl - 1] - f.t[0];
    if (!(kleinste > 0.0) || !std::isfinite(spanne)) return false;
    const double oben = d * std::log2(spanne);
    const double unten = d * std::log2(kleinste);
    return oben < 900.0 && unten > -900.0 && std::log2(d + 1.0) - unten < 900.0;
}

// The sum of node k for gewichte_direkt: over its windows i of 1 / prod
// |t_k - t_j|, j = i..i+d but k, in ascending i and j.
double knotensumme(const double *t, int n, int d, int k) {
    const double tk = t[k];
    double s = 0.0;
    for (int i = std::max(0, k - d); i <= std::min(k, n - d); ++i) {
        double m = 1.0;
        for (int j = i; j <= i + d; ++j) {
            if (j == k) continue;
            m *= std::fabs(tk - t[j]);
        }
        s += 1.0 / m;
    }
    return s;
}

typedef double spur __attribute__((vector_size(32)));
typedef long long spurmaske __attribute__((vector_size(32)));

[[gnu::always_inline]] inline spur laden(const double *p) {
    spur v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// |v| by the sign bit, as fabs.
[[gnu::always_inline]] inline spur betrag(spur v) {
    return (spur)((spurmaske)v & 0x7fffffffffffffffLL);
}

// Four nodes k at a time, in lanes, each lane the operations of knotensumme
// on the same operands in the same order (this library is compiled without
// contraction): the sums of nodes von..bis-1, all with d + 1 windows.  With
// D = d known, each distance |t_k - t_(k+o)| is formed once for the windows
// that share it, the first factor of a product is the distance itself
// (1 * x is x) and the first term of a sum the term itself (0 + x is x for
// the positive terms).
template <int D>
[[gnu::always_inline]] inline void knotensummen_fest(const double *t, int n, int von, int bis,
                                                     double *summe) {
    int k = von;
    for (; k + 4 <= bis; k += 4) {
        const spur tk = laden(t + k);
        spur e[2 * D + 1]; // e[D + o] = |t_k - t_(k+o)|
#pragma GCC unroll 16
        for (int o = -D; o <= D; ++o)
            if (o != 0) e[D + o] = betrag(tk - laden(t + k + o));
        spur s = {0.0, 0.0, 0.0, 0.0};
#pragma GCC unroll 16
        for (int a = 0; a <= D; ++a) {
            // Window i = k - D + a: j = i + b, skipping b = D - a (j = k).
            const int erstes = a == D ? 1 : 0;
            spur m = e[a + erstes];
#pragma GCC unroll 16
            for (int b = erstes + 1; b <= D; ++b)
                if (a + b != D) m = m * e[a + b];
            const spur q = spur{1.0, 1.0, 1.0, 1.0} / m;
            s = a == 0 ? q : s + q;
        }
        std::memcpy(summe + k, &s, sizeof s);
    }
    for (; k < bis; ++k)
        summe[k] = knotensumme(t, n, D, k);
}

// The same for any d, the factors formed in each product.
[[gnu::always_inline]] inline void knotensummen_frei(const double *t, int n, int d, int von,
                                                     int bis, double *summe) {
    int k = von;
    for (; k + 4 <= bis; k += 4) {
        const spur tk = laden(t + k);
        spur s = {0.0, 0.0, 0.0, 0.0};
        for (int a = 0; a <= d; ++a) {
            spur m = {1.0, 1.0, 1.0, 1.0};
            for (int b = 0; b <= d; ++b) {
                if (a + b == d) continue;
                m *= betrag(tk - laden(t + k - d + a + b));
            }
            s += spur{1.0, 1.0, 1.0, 1.0} / m;
        }
        std::memcpy(summe + k, &s, sizeof s);
    }
    for (; k < bis; ++k)
        summe[k] = knotensumme(t, n, d, k);
}

[[gnu::always_inline]] inline void knotensummen(const double *t, int n, int d, int von, int bis,
                                                double *summe) {
    switch (d) {
    case 1:
        return knotensummen_fest<1>(t, n, von, bis, summe);
    case 2:
        return knotensummen_fest<2>(t, n, von, bis, summe);
    case 3:
        return knotensummen_fest<3>(t, n, von, bis, summe);
    case 4:
        return knotensummen_fest<4>(t, n, von, bis, summe);
    case 5:
        return knotensummen_fest<5>(t, n, von, bis, summe);
    default:
        return knotensummen_frei(t, n, d, von, bis, summe);
    }
}

// The largest of w[0..anzahl-1] (positive numbers), four lanes at a time.
[[gnu::always_inline]] inline double groesstes_von(const double *w, int anzahl) {
    int k = 0;
    double g = 0.0;
    if (anzahl >= 4) {
        spur m = laden(w);
        for (k = 4; k + 4 <= anzahl; k += 4) {
            const spur v = laden(w + k);
            m = v > m ? v : m;
        }
        g = std::max(std::max(m[0], m[1]), std::max(m[2], m[3]));
    }
    for (; k < anzahl; ++k)
        g = std::max(g, w[k]);
    return g;
}

// w[k] = +-(w[k] skala) / teiler, negative where k - d is odd, four at a
// time; the sign commutes with the division.
[[gnu::always_inline]] inline void normieren(double *w, int anzahl, int d, double skala,
                                             double teiler) {
    const spur s = {skala, skala, skala, skala};
    const spur t = {teiler, teiler, teiler, teiler};
    const long long z = static_cast<long long>(0x8000000000000000ULL);
    // Lanes k..k+3 from an even k: lane j is negative where j - d is odd.
    const spurmaske vorzeichen = d % 2 == 0 ? spurmaske{0, z, 0, z} : spurmaske{z, 0, z, 0};
    int k = 0;
    for (; k + 4 <= anzahl; k += 4) {
        const spur v = (laden(w + k) * s) / t;
        const spur r = (spur)((spurmaske)v ^ vorzeichen);
        std::memcpy(w + k, &r, sizeof r);
    }
    for (; k < anzahl; ++k) {
        double v = w[k] * skala;
        if ((k - d) % 2 != 0) v = -v;
        w[k] = v / teiler;
    }
}

struct spuren {
    void (*summen)(const double *, int, int, int, int, double *);
    double (*groesstes)(const double *, int);
    void (*normieren)(double *, int, int, double, double);
};

void knotensummen_16(const double *t, int n, int d, int von, int bis, double *summe) {
    knotensummen(t, n, d, von, bis, summe);
}
double groesstes_16(const double *w, int anzahl) {
    return groesstes_von(w, anzahl);
}
void normieren_16(double *w, int anzahl, int d, double skala, double teiler) {
    normieren(w, anzahl, d, skala, teiler);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NUMERIK_X86_AUSWAHL 1
__attribute__((target("avx2"))) void knotensummen_32(const double *t, int n, int d, int von,
                                                     int bis, double *summe) {
    knotensummen(t, n, d, von, bis, summe);
}
__attribute__((target("avx2"))) double groesstes_32(const double *w, int anzahl) {
    return groesstes_von(w, anzahl);
}
__attribute__((target("avx2"))) void normieren_32(double *w, int anzahl, int d, double skala,
                                                  double teiler) {
    normieren(w, anzahl, d, skala, teiler);
}
#endif

spuren spuren_waehlen() {
#ifdef NUMERIK_X86_AUSWAHL
    if (register_breite() >= 32) return {knotensummen_32, groesstes_32, normieren_32};
#endif
    return {knotensummen_16, groesstes_16, normieren_16};
}

// The weights of gewichte below by plain products and sums, where
// ohne_skalierung holds: the same numbers in the same order.  The sums are
// positive and within 2^-900 and 2^900, so the exponent of the largest is
// the largest exponent, and a product with the power of two 2^-e is the
// double ldexp gives.  The largest magnitude after that product is the
// largest sum's (a power of two times it is exact, and rounding keeps the
// order of the others).  Nodes that ascend in the object sum into w itself.
void gewichte_direkt(double *w, const knotenfolge &f, int d) {
    static const spuren lanes = spuren_waehlen();
    const int n = static_cast<int>(f.anzahl) - 1;
    std::vector<double> eigene;
    if (!f.index.empty()) eigene.resize(f.anzahl);
    double *summe = f.index.empty() ? w : eigene.data();
    // Nodes d..n-d have all their windows; the others fewer.
    const int innen_von = std::min(d, n + 1);
    const int innen_bis = std::max(innen_von, n - d + 1);
    for (int k = 0; k < innen_von; ++k)
        summe[k] = knotensumme(f.t, n, d, k);
    lanes.summen(f.t, n, d, innen_von, innen_bis, summe);
    for (int k = innen_bis; k <= n; ++k)
        summe[k] = knotensumme(f.t, n, d, k);
    const double groesste = lanes.groesstes(summe, n + 1);
    int groesster = 0;
    std::frexp(groesste, &groesster);
    const double skala = std::ldexp(1.0, -groesster);
    const double groesstes = groesste * skala;
    if (f.index.empty()) {
        lanes.normieren(w, n + 1, d, skala, groesstes);
        return;
    }
    for (int k = 0; k <= n; ++k) {
        double v = summe[k] * skala;
        if ((k - d) % 2 != 0) v = -v;
        w[f.index[static_cast<std::size_t>(k)]] = v / groesstes;
    }
}

void gewichte(double *w, const knotenfolge &f, int d) {
    if (ohne_skalierung(f, d)) {
        gewichte_direkt(w, f, d);
        return;
    }
    const double *t = f.t;
    int n = static_cast<int>(f.anzahl) - 1;
    std::vector<skaliert> summe(f.anzahl);
    long groesster = 0;
    for (int k = 0; k <= n; ++k) {
        double s = 0.0;
        long es = 0;
        for (int i = std::max(0, k - d); i <= std::min(k, n - d); ++i) {
            double m = 1.0;
            long e = 0;
            for (int j = i; j <= i + d; ++j) {
                if (j == k) continue;
                skaliert a = abstand(t[k], t[j]);
                skaliert p = normiert(m * a.m, e + a.e); // m, a.m in [0.5, 1)
                m = p.m;
                e = p.e;
            }
            // 1 / (m 2^e) = (1/m) 2^-e with 1/m in (1, 2].
            double term = 1.0 / m;
            long et = -e;
            if (s == 0.0 || et > es) {
                s = s == 0.0 ? term
                             : term + std::ldexp(s, static_cast<int>(std::max(es - et, -4000L)));
                es = et;
            } else {
                s += std::ldexp(term, static_cast<int>(std::max(et - es, -4000L)));
            }
        }
        summe[static_cast<std::size_t>(k)] = normiert(s, es);
        if (k == 0 || summe[static_cast<std::size_t>(k)].e > groesster)
            groesster = summe[static_cast<std::size_t>(k)].e;
    }
    double groesstes = 0.0;
    for (int k = 0; k <= n; ++k) {
        const skaliert &s = summe[static_cast<std::size_t>(k)];
        double v = std::ldexp(s.m, static_cast<int>(std::max(s.e - groesster, -4000L)));
        if ((k - d) % 2 != 0) v = -v;
        w[f.stelle(static_cast<std::size_t>(k))] = v;
        groesstes = std::max(groesstes, std::fabs(v));
    }
    for (int k = 0; k <= n; ++k)
        w[k] /= groesstes;
}

} // namespace

void rationale_gewichte(const polynomdaten *d, double *w, int grad) {
    const knotenfolge f = aufsteigend(d);
    gewichte(w, f, grad);
}
