// The node kinds (numerik/knotenarten.h): one row each, with the placement
// formulas, the closed-form barycentric weights and the text form.  This is
// the one place that knows the kinds apart; the interpolation classes ask
// the rows.
#include "numerik/knotenarten.h"

#include "numerik/interplt.h"

#include "interpolation/interplt_intern.h"
#include "matrizen/feld.h"
#include "kern/lese_datum.h"

#include <cmath>
#include <cstring>
#include <iterator>

namespace {

// The order of evaluation in the placements is part of the result: stored
// files carry a and b, not the nodes, and loading must place the same nodes
// again.  With n = 0 the single node is 0/0, not a number; no caller reads
// it.  (Equidistant nodes: aequidistanter_punkt of numerik/interplt.h.)

// midpoint + c * (a-b) / 2 for a cosine c, the common form of both Chebyshev
// kinds: dense towards both ends, ascending with i from a to b as c falls
// from 1 to -1.
double kosinus_punkt(double c, double a, double b) {
    double mitte = (a + b) / 2.0;
    double differenz = a - b;
    if ((std::isfinite(mitte) && std::isfinite(differenz)) || !std::isfinite(a) ||
        !std::isfinite(b))
        return mitte + c * differenz / 2.0;
    // a + b or a - b overflowed (|a| or |b| near DBL_MAX): the halves first,
    // each exact, and every node kept inside [a, b].
    mitte = a / 2.0 + b / 2.0;
    double halbe_differenz = a / 2.0 - b / 2.0;
    return std::fmin(std::fmax(mitte + c * halbe_differenz, a), b);
}

double pi() {
    return 4.0 * std::atan(1.0);
}

// Chebyshev extreme points: cos(i*pi/n).
double tschebyscheff_punkt(int i, int n, double a, double b) {
    return kosinus_punkt(std::cos(i * pi() / n), a, b);
}

// Chebyshev points of the first kind, the roots of T(n+1): cos((2i+1) pi /
// (2n+2)), every one inside (a, b).  With n = 0 the single node is the
// midpoint (up to the rounding of cos(pi/2)).
double tschebyscheff1_punkt(int i, int n, double a, double b) {
    return kosinus_punkt(std::cos((2.0 * i + 1.0) * pi() / (2.0 * n + 2.0)), a, b);
}

// All nodes of a kind in one loop, each the double its punkt gives.
void aequidistante_punkte(double *x, int n, double a, double b) {
    for (int i = 0; i <= n; ++i)
        x[i] = aequidistante_formel(i, n, a, b);
}

void tschebyscheff_punkte(double *x, int n, double a, double b) {
    for (int i = 0; i <= n; ++i)
        x[i] = tschebyscheff_punkt(i, n, a, b);
}

void tschebyscheff1_punkte(double *x, int n, double a, double b) {
    for (int i = 0; i <= n; ++i)
        x[i] = tschebyscheff1_punkt(i, n, a, b);
}

// Equidistant nodes: w(j) = (-1)^j C(n, j), divided by the largest binomial
// coefficient C(n, n/2).  Built outwards from the middle by the ratios of
// neighbouring binomial coefficients, so no intermediate exceeds 1: O(n).
// The chain runs in long double, so that each weight is within a rounding
// step or so of the exact quotient (on equidistant nodes the second
// barycentric formula passes weight errors on to the result, magnified by
// the nodes' Lebesgue constant of about 2^n / (e n ln n)).
//
// C(n, 0) / C(n, n/2) is about 2^-n sqrt(n): beyond n of about 1070 the
// outer weights underflow to 0 when they are rounded to doubles.  Those
// nodes then take no part in evaluation between the nodes (evaluation at a
// node still returns its value exactly), so the result is no longer the
// polynomial through all values; at such n the polynomial on equidistant
// nodes magnifies the rounding of its values by about 2^n anyway.
void aequidistant_gewichte(double *w, int n) {
    int mitte = n / 2;
    long double v = mitte % 2 == 0 ? 1.0L : -1.0L;
    w[mitte] = static_cast<double>(v);
    for (int j = mitte + 1; j <= n; ++j) { // C(n,j) = C(n,j-1) (n-j+1) / j
        v = -v * (n - j + 1) / j;
        w[j] = static_cast<double>(v);
    }
    v = w[mitte];
    for (int j = mitte - 1; j >= 0; --j) { // C(n,j) = C(n,j+1) (j+1) / (n-j)
        v = -v * (j + 1) / (n - j);
        w[j] = static_cast<double>(v);
    }
}

// Chebyshev extreme points: w(j) = (-1)^j, halved at both ends.  The affine
// map onto [a, b] multiplies every weight by the same factor, which cancels
// in the barycentric formula.  Two nodes have no interior one to be halved
// against: their weights are 1 and -1.
void tschebyscheff_gewichte(double *w, int n) {
    if (n == 1) {
        w[0] = 1.0;
        w[1] = -1.0;
        return;
    }
    for (int j = 0; j <= n; ++j)
        w[j] = j % 2 == 0 ? 1.0 : -1.0;
    w[0] = 0.5;
    w[n] *= 0.5;
}

// Chebyshev points of the first kind: w(j) = (-1)^j sin((2j+1) pi / (2n+2)).
// In the order of the roots of T(n+1) from +1 down, the weights are
// (-1)^j sin(theta(j)); the ascending nodes run through that order backwards,
// and sin(theta(n-j)) = sin(theta(j)), which turns them into these weights
// times (-1)^n, a common factor.  Scaled by the largest sine (1 for even n,
// cos(pi / (2n+2)) for odd n).
void tschebyscheff1_gewichte(double *w, int n) {
    double groesster = 0.0;
    for (int j = 0; j <= n; ++j) {
        double s = std::sin((2.0 * j + 1.0) * pi() / (2.0 * n + 2.0));
        w[j] = j % 2 == 0 ? s : -s;
        groesster = std::fmax(groesster, s);
    }
    for (int j = 0; j <= n; ++j)
        w[j] /= groesster;
}

// The Lebesgue constant of n+1 equidistant nodes grows like
// 2^(n+1) / (e n ln n); with the next term, ln n + gamma (Euler's constant)
// in place of ln n, it is within 2 percent of the sampled constant for
// n = 20 .. 50 (beyond, the sampling itself rounds).  In logarithms, so
// that it becomes inf only where no double holds it, from n of about 1030.
double aequidistant_lebesgue(int n) {
    constexpr double EULER_GAMMA = 0.5772156649015329;
    const double nd = n;
    return std::exp((nd + 1.0) * std::log(2.0) - 1.0 - std::log(nd) -
                    std::log(std::log(nd) + EULER_GAMMA));
}

// Chebyshev points of either kind: Lambda_n <= (2/pi) ln(n+1) + 1, a bound
// that lies less than 0.041 above the sampled constant of both kinds from
// n = 200 on (the constants grow like (2/pi) ln n + 0.9625).
double tschebyscheff_lebesgue(int n) {
    return 2.0 / pi() * std::log(n + 1.0) + 1.0;
}

// Text form of a stored kind: the node vector as an NM_MATRIX text, read by
// that class's own loader (its header line goes through the matrix
// cluster's reader, so an interpolation name read before stays valid).
void vektor_schreiben(FILE *aus, objekt *knoten, double, double) {
    nm_tabelle()->speichern(knoten, aus);
}

objekt *vektor_lesen(FILE *ein, double *, double *) {
    return nm_tabelle()->laden(ein, nullptr);
}

// Text form of a placed kind: the interval, from which loading places the
// very nodes again.
void intervall_schreiben(FILE *aus, objekt *, double a, double b) {
    schreibe_datum(aus, "a =", a);
    schreibe_datum(aus, "b =", b);
}

objekt *intervall_lesen(FILE *ein, double *a, double *b) {
    lese_datum(ein, "%lf", "a =", a);
    lese_datum(ein, "%lf", "b =", b);
    return nullptr;
}

const knotenart knotenarten[] = {
    {
        .nummer = STUETZSTELLEN_GEGEBEN,
        .schluessel = "gegeben",
        .titel = "gegeben",
        .gespeichert = 1,
        .punkt = nullptr,
        .gewichte = nullptr,
        .schreiben = vektor_schreiben,
        .lesen = vektor_lesen,
        .kuerzel = "g",
        .anzeige = "gegeben",
        .lebesgue_gross = nullptr,
        .punkte = nullptr,
    },
    {
        .nummer = STUETZSTELLEN_AEQUIDISTANT,
        .schluessel = "aequidistant",
        .titel = "aequidistant",
        .gespeichert = 0,
        .punkt = aequidistanter_punkt,
        .gewichte = aequidistant_gewichte,
        .schreiben = intervall_schreiben,
        .lesen = intervall_lesen,
        .kuerzel = "a",
        .anzeige = "\u00e4quidistant",
        .lebesgue_gross = aequidistant_lebesgue,
        .punkte = aequidistante_punkte,
    },
    {
        .nummer = STUETZSTELLEN_TSCHEBYSCHEFF,
        .schluessel = "tschebyscheff",
        .titel = "Tschebyscheff",
        .gespeichert = 0,
        .punkt = tschebyscheff_punkt,
        .gewichte = tschebyscheff_gewichte,
        .schreiben = intervall_schreiben,
        .lesen = intervall_lesen,
        .kuerzel = "t",
        .anzeige = "Tschebyscheff",
        .lebesgue_gross = tschebyscheff_lebesgue,
        .punkte = tschebyscheff_punkte,
    },
    {
        .nummer = STUETZSTELLEN_TSCHEBYSCHEFF1,
        .schluessel = "tschebyscheff1",
        .titel = "Tschebyscheff 1. Art",
        .gespeichert = 0,
        .punkt = tschebyscheff1_punkt,
        .gewichte = tschebyscheff1_gewichte,
        .schreiben = intervall_schreiben,
        .lesen = intervall_lesen,
        .kuerzel = "t1",
        .anzeige = "Tschebyscheff 1. Art",
        .lebesgue_gross = tschebyscheff_lebesgue,
        .punkte = tschebyscheff1_punkte,
    },
};

// One row per public constant, each at the index of its number.
static_assert(std::size(knotenarten) == STUETZSTELLEN_TSCHEBYSCHEFF1 + 1);

} // namespace

extern "C" {

int knotenarten_anzahl(void) {
    return static_cast<int>(std::size(knotenarten));
}

const knotenart *knotenart_an(int i) {
    if (i < 0 || i >= knotenarten_anzahl()) return nullptr;
    return &knotenarten[i];
}

const knotenart *knotenart_nummer(int nummer) {
    for (const knotenart &k : knotenarten)
        if (k.nummer == nummer) return &k;
    return nullptr;
}

const knotenart *knotenart_name(const char *name) {
    if (name == nullptr) return nullptr;
    for (const knotenart &k : knotenarten)
        if (std::strcmp(k.schluessel, name) == 0) return &k;
    return nullptr;
}

} // extern "C"
