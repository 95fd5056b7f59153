// The Hermite form's slopes and cubics (hermite_intern.h).
//
// Most data go through one pass over the nodes, a block of rows at a time:
// the block's steps and secants, then its slopes, then its rows, each a
// loop of four lanes (two SSE2 pairs on any x86-64, one AVX2 register where
// the processor has it, chosen when the library is loaded).  Every lane
// performs the operations of the node-by-node formulas below on the same
// operands in the same order, and nothing is fused (this file is compiled
// without contraction), so each coefficient is the same double as there.
// Only where some secant is large enough to need scaling for the slopes do
// the node-by-node formulas run over whole vectors instead.
#include "interpolation/hermite_intern.h"

#include "numerik/hermiteipl.h"

#include "grund/epsilon.h"
#include "grund/fehler_intern.h"
#include "interpolation/polynom_intern.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

// The four-lane helpers take and return vectors, all inlined into the
// pass: no call passes one, so the ABI note of GCC does not apply.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace {

// Four lanes, and their comparison masks.
typedef double v4 __attribute__((vector_size(32)));
typedef long long m4 __attribute__((vector_size(32)));

template <class V = v4> [[gnu::always_inline]] inline V voll(double w) {
    return V{w, w, w, w};
}

// a where the mask is set, else b; the same for one double.
template <class M>
[[gnu::always_inline]] inline v4 waehle(M maske, v4 a, v4 b) {
    const m4 m = (m4)maske;
    return (v4)(((m4)a & m) | ((m4)b & ~m));
}
[[gnu::always_inline]] inline double waehle(bool maske, double a, double b) {
    return maske ? a : b;
}

// A comparison's mask as m4 (GCC and clang name its element type
// differently).
template <class M> [[gnu::always_inline]] inline m4 maske(M m) {
    return (m4)m;
}

// |a| by its sign bit, as fabs.
template <class V, class = decltype(V{} == V{})>
[[gnu::always_inline]] inline V betrag(V a) {
    return (V)((m4)a & 0x7fffffffffffffffLL);
}
[[gnu::always_inline]] inline double betrag(double a) {
    return std::fabs(a);
}

template <class T> [[gnu::always_inline]] inline T konstante(double w) {
    if constexpr (sizeof(T) == sizeof(double))
        return w;
    else
        return voll(w);
}

// The weighted mean of two slopes, exactly the slope where both are equal
// (so that a straight line is reproduced to the bit); the plain mean where
// both weights are 0.
template <class T>
[[gnu::always_inline]] inline T gemittelt(T w1, T links, T w2, T rechts) {
    const T summe = w1 + w2;
    const T mittel = (links + rechts) / 2.0;
    const T gewichtet = (w1 * links + w2 * rechts) / summe;
    return waehle(links == rechts, links, waehle(summe == 0.0, mittel, gewichtet));
}

// Fritsch-Carlson at an interior node between the steps hl, hr with the
// secants ml, mr: 0 unless both secants have one sign, the secant where
// they are equal, else the weighted harmonic mean of both, which keeps each
// cubic monotone.
template <class T>
[[gnu::always_inline]] inline T fc_steigung(T hl, T hr, T ml, T mr) {
    const T null = konstante<T>(0.0);
    const T w1 = 2.0 * hr + hl;
    const T w2 = hr + 2.0 * hl;
    const T harmonisch = (w1 + w2) / (w1 / ml + w2 / mr);
    const auto ein_zeichen = ((ml > 0.0) & (mr > 0.0)) | ((ml < 0.0) & (mr < 0.0));
    return waehle(ein_zeichen, waehle(ml == mr, mr, harmonisch), null);
}

// Akima's slope between the secants vor and nach, weighted by the secants
// vor2 before and nach2 after them (modified: with Akima's added weights).
template <class T>
[[gnu::always_inline]] inline T akima_steigung(T vor2, T vor, T nach, T nach2, bool modifiziert) {
    T w1 = betrag(nach2 - nach);
    T w2 = betrag(vor - vor2);
    if (modifiziert) {
        w1 += betrag(nach2 + nach) / 2.0;
        w2 += betrag(vor + vor2) / 2.0;
    }
    return gemittelt(w1, vor, w2, nach);
}

int vorzeichen(double v) {
    return (v > 0) - (v < 0);
}

// The one-sided three-point slope at an end node, from the end interval
// (h0, m0) and its neighbour (h1, m1), kept to the shape of the data: 0
// against the sign of the end secant, at most 3 m0 where the data turn.
double endsteigung(double h0, double m0, double h1, double m1) {
    if (m0 == m1) return m0;
    double d = ((2 * h0 + h1) * m0 - h0 * m1) / (h0 + h1);
    if (vorzeichen(d) != vorzeichen(m0)) return 0.0;
    if (vorzeichen(m0) != vorzeichen(m1) && std::fabs(d) > std::fabs(3 * m0)) return 3 * m0;
    return d;
}

// Akima's slope k (0..n) of the n secants m(i) (0..n-1), those beyond the
// ends extrapolated linearly: m(-1) = 2 m(0) - m(1), m(-2) = 2 m(-1) - m(0),
// and so on the right; with one interval every secant is that one.  Reads
// m(k-2..k+1) and, near an end, the two secants there.
template <class M> double akima_rand(M m, long n, long k, bool modifiziert) {
    auto sekante = [&](long i) {
        if (i >= 0 && i < n) return m(i);
        if (n == 1) return m(0);
        if (i < 0) {
            const double links1 = 2 * m(0) - m(1);
            return i == -1 ? links1 : 2 * links1 - m(0);
        }
        const double rechts1 = 2 * m(n - 1) - m(n - 2);
        return i == n ? rechts1 : 2 * rechts1 - m(n - 1);
    };
    return akima_steigung(sekante(k - 2), sekante(k - 1), sekante(k), sekante(k + 1),
                          modifiziert);
}

// The slopes d(0..n) of the steps h and secants m (n of each), node by node.
void steigungen_rechnen(const std::vector<double> &h, const std::vector<double> &m, int art,
                        std::vector<double> &d) {
    const long n = static_cast<long>(m.size());
    if (art != HERMITE_FRITSCH_CARLSON) {
        for (long k = 0; k <= n; ++k)
            d[static_cast<std::size_t>(k)] = akima_rand(
                [&](long i) { return m[static_cast<std::size_t>(i)]; }, n, k,
                art == HERMITE_AKIMA_MODIFIZIERT);
        return;
    }
    if (n == 1) {
        d[0] = d[1] = m[0];
        return;
    }
    for (std::size_t k = 1; k < m.size(); ++k)
        d[k] = fc_steigung(h[k - 1], h[k], m[k - 1], m[k]);
    d[0] = endsteigung(h[0], m[0], h[1], m[1]);
    d[m.size()] = endsteigung(h[m.size() - 1], m[m.size() - 1], h[m.size() - 2], m[m.size() - 2]);
}

// Row i of the cubics from its slopes d0, d1, secant m, step h and value y.
template <class T>
[[gnu::always_inline]] inline void zeile_rechnen(T d0, T d1, T m, T h, T &c3, T &c2) {
    c3 = (d0 + d1 - 2.0 * m) / (h * h);
    c2 = (3.0 * m - 2.0 * d0 - d1) / h;
}

[[noreturn]] void nicht_aufsteigend(const char *name) {
    fehler("Die Stuetzstellen fuer HERMITE_INTERPOLATION %s muessen aufsteigend sein!\n", name);
}

// The whole vectors, node by node: the secants scaled by a power of 2
// where the largest of them exceeds 2^400.
bool vektorweise(int anzahl, int art, const char *name, const double *x, const double *y,
                 double *c) {
    const std::size_t n = static_cast<std::size_t>(anzahl);
    std::vector<double> h(n), m(n), d(n + 1);
    double groesste = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        h[i] = x[i + 1] - x[i];
        if (!(h[i] >= epsilon())) nicht_aufsteigend(name);
        m[i] = (y[i + 1] - y[i]) / h[i];
        groesste = std::fmax(groesste, std::fabs(m[i]));
    }
    int skala = groesste > 0x1p400 && std::isfinite(groesste) ? std::ilogb(groesste) : 0;
    for (double &mi : m)
        mi = std::ldexp(mi, -skala);
    steigungen_rechnen(h, m, art, d);
    for (std::size_t i = 0; i < n; ++i) {
        m[i] = std::ldexp(m[i], skala);
        d[i] = std::ldexp(d[i], skala);
    }
    d[n] = std::ldexp(d[n], skala);
    bool endlich = true;
    for (std::size_t i = 0; i < n; ++i) {
        double *zeile = c + 4 * i;
        zeile_rechnen(d[i], d[i + 1], m[i], h[i], zeile[0], zeile[1]);
        zeile[2] = d[i];
        zeile[3] = y[i];
        endlich = endlich && std::isfinite(zeile[0]) && std::isfinite(zeile[1]) &&
                  std::isfinite(zeile[2]) && std::isfinite(zeile[3]);
    }
    return endlich;
}

constexpr int BLOCK = 256;

// What the pass finds out about its secants: a step below 2^-120 (or not
// a number), a secant beyond 2^400, an infinite one.
struct befund {
    bool absteigend = false;
    bool gross = false;
    bool unendlich = false;
};

template <class V = v4> [[gnu::always_inline]] inline V laden(const double *p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class V> [[gnu::always_inline]] inline void ablegen(double *p, V v) {
    std::memcpy(p, &v, sizeof v);
}

// Steps and secants j = 0..anzahl-1 of x and y into h and m.
[[gnu::always_inline]] inline void sekanten(const double *x, const double *y, int anzahl,
                                            double *h, double *m, befund &b) {
    const double eps = epsilon();
    int j = 0;
    m4 absteigend = {};
    m4 gross = {};
    m4 unendlich = {};
    for (; j + 4 <= anzahl; j += 4) {
        const v4 hj = laden(x + j + 1) - laden(x + j);
        const v4 mj = (laden(y + j + 1) - laden(y + j)) / hj;
        const v4 mb = betrag(mj);
        absteigend |= ~maske(hj >= eps);
        gross |= maske(mb > 0x1p400) & maske(mb < HUGE_VAL);
        unendlich |= maske(mb == HUGE_VAL);
        ablegen(h + j, hj);
        ablegen(m + j, mj);
    }
    for (int l = 0; l < 4; ++l) {
        b.absteigend = b.absteigend || absteigend[l] != 0;
        b.gross = b.gross || gross[l] != 0;
        b.unendlich = b.unendlich || unendlich[l] != 0;
    }
    for (; j < anzahl; ++j) {
        h[j] = x[j + 1] - x[j];
        m[j] = (y[j + 1] - y[j]) / h[j];
        const double mb = std::fabs(m[j]);
        b.absteigend = b.absteigend || !(h[j] >= eps);
        b.gross = b.gross || (mb > 0x1p400 && mb < HUGE_VAL);
        b.unendlich = b.unendlich || mb == HUGE_VAL;
    }
}

// The interior slopes k = von..bis-1, whose secants m(k-2..k+1) all
// exist, from the block's steps hb and secants mb (index k - versatz)
// into db (index k - erste).
[[gnu::always_inline]] inline void innere_steigungen(const double *hb, const double *mb,
                                                     int versatz, double *db, int erste, int von,
                                                     int bis, int art) {
    const bool fc = art == HERMITE_FRITSCH_CARLSON;
    const bool modifiziert = art == HERMITE_AKIMA_MODIFIZIERT;
    int k = von;
    for (; k + 4 <= bis; k += 4) {
        const double *m = mb + (k - versatz);
        v4 d;
        if (fc)
            d = fc_steigung(laden(hb + (k - versatz) - 1), laden(hb + (k - versatz)), laden(m - 1),
                            laden(m));
        else
            d = akima_steigung(laden(m - 2), laden(m - 1), laden(m), laden(m + 1), modifiziert);
        ablegen(db + (k - erste), d);
    }
    for (; k < bis; ++k) {
        const double *m = mb + (k - versatz);
        db[k - erste] = fc ? fc_steigung(hb[k - versatz - 1], hb[k - versatz], m[-1], m[0])
                           : akima_steigung(m[-2], m[-1], m[0], m[1], modifiziert);
    }
}

// Rows i = von..bis-1 into c, from the block's slopes db (index i - von),
// steps and secants (index i - versatz) and y; false where a coefficient
// is not finite.
[[gnu::always_inline]] inline bool zeilen(const double *db, const double *hb, const double *mb,
                                          int versatz, const double *y, int von, int bis,
                                          double *c) {
    double c3[BLOCK];
    double c2[BLOCK];
    const int anzahl = bis - von;
    int i = 0;
    for (; i + 4 <= anzahl; i += 4) {
        v4 a, b;
        zeile_rechnen(laden(db + i), laden(db + i + 1), laden(mb + (von - versatz) + i),
                      laden(hb + (von - versatz) + i), a, b);
        ablegen(c3 + i, a);
        ablegen(c2 + i, b);
    }
    for (; i < anzahl; ++i)
        zeile_rechnen(db[i], db[i + 1], mb[von - versatz + i], hb[von - versatz + i], c3[i],
                      c2[i]);
    // t * 0 is 0 for a finite t, NaN otherwise.
    double pruefung = 0.0;
    for (i = 0; i < anzahl; ++i) {
        double *zeile = c + 4 * static_cast<long long>(von + i);
        zeile[0] = c3[i];
        zeile[1] = c2[i];
        zeile[2] = db[i];
        zeile[3] = y[von + i];
        pruefung += c3[i] * 0.0 + c2[i] * 0.0 + db[i] * 0.0 + y[von + i] * 0.0;
    }
    return pruefung == 0.0;
}

// The pass over blocks of rows; false where a secant needs scaling (the
// caller then goes node by node), else endlich tells whether every
// coefficient is finite.  n >= 4.
[[gnu::always_inline]] inline bool in_bloecken(int n, int art, const char *name, const double *x,
                                               const double *y, double *c, bool &endlich) {
    double hb[BLOCK + 4];
    double mb[BLOCK + 4];
    double db[BLOCK + 1];
    befund b;
    endlich = true;
    const bool modifiziert = art == HERMITE_AKIMA_MODIFIZIERT;
    // The interior slopes: every k of Fritsch-Carlson but the ends, those of
    // Akima with two secants on either side.
    const int innen_von = art == HERMITE_FRITSCH_CARLSON ? 1 : 2;
    const int innen_bis = art == HERMITE_FRITSCH_CARLSON ? n : n - 1;
    for (int i0 = 0; i0 < n; i0 += BLOCK) {
        const int i1 = std::min(n, i0 + BLOCK);
        // Secants j0..j1-1: the rows' own and two on either side.
        const int j0 = std::max(0, i0 - 2);
        const int j1 = std::min(n, i1 + 2);
        sekanten(x + j0, y + j0, j1 - j0, hb, mb, b);
        if (b.absteigend) nicht_aufsteigend(name);
        // Slopes i0..i1.
        const int von = std::max(i0, innen_von);
        const int bis = std::min(i1 + 1, innen_bis);
        innere_steigungen(hb, mb, j0, db, i0, von, bis, art);
        for (int k = i0; k <= i1; ++k) {
            if (k >= von && k < bis) continue;
            const int j = k - j0;
            if (art != HERMITE_FRITSCH_CARLSON) {
                // Akima's end slopes read m(0..2) resp. m(n-3..n-1), all
                // in the block.
                db[k - i0] = akima_rand([&](long i) { return mb[i - j0]; }, n, k, modifiziert);
            } else if (k == 0) {
                db[0] = endsteigung(hb[0], mb[0], hb[1], mb[1]);
            } else {
                db[k - i0] = endsteigung(hb[j - 1], mb[j - 1], hb[j - 2], mb[j - 2]);
            }
        }
        endlich = zeilen(db, hb, mb, j0, y, i0, i1, c) && endlich;
    }
    return !(b.gross && !b.unendlich);
}

typedef bool (*blockweise)(int, int, const char *, const double *, const double *, double *,
                           bool &);

bool bloecke_16(int n, int art, const char *name, const double *x, const double *y, double *c,
                bool &endlich) {
    return in_bloecken(n, art, name, x, y, c, endlich);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NUMERIK_X86_AUSWAHL 1
__attribute__((target("avx2"))) bool bloecke_32(int n, int art, const char *name,
                                                const double *x, const double *y, double *c,
                                                bool &endlich) {
    return in_bloecken(n, art, name, x, y, c, endlich);
}
#endif

blockweise blockweise_waehlen() {
#ifdef NUMERIK_X86_AUSWAHL
    if (register_breite() >= 32) return bloecke_32;
#endif
    return bloecke_16;
}

} // namespace

bool hermite_kubiken(int n, int steigungen, const char *name, const double *x, const double *y,
                     double *c) {
    if (n >= 4) {
        static const blockweise bloecke = blockweise_waehlen();
        bool endlich = true;
        if (bloecke(n, steigungen, name, x, y, c, endlich)) return endlich;
    }
    return vektorweise(n, steigungen, name, x, y, c);
}
