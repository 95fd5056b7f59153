#include "numerik/baryzipl.h"
#include "numerik/knotenarten.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/polynom_intern.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

objekt *baryzentrisch_erzeugen(const interpolation_problem *p, void *zusatz) {
    baryzentrischeinterpolation_parameter r = {p->name, p->art, p->stuetzstellen,
                                               p->a,    p->b,   p->stuetzwerte};
    return baryzentrischeinterpolation_kreieren(&r, zusatz);
}

double ohne_option(objekt *, int) {
    return 0.0;
}

const polynomklasse baryzentrisch = {&baryzentrisch_typ, "Gewichte"};

// Given nodes: w(j) = 1 / prod_{k != j} (x(j) - x(k)).  The products of n
// differences leave the double range for n in the hundreds (equidistant
// nodes: 2^n), so each is kept as a mantissa times a binary exponent of its
// own; only the normalised weights, divided by the largest, are rounded to
// doubles.  Differences of ordinary size are multiplied straight in, and
// the mantissa is renormalised only when it leaves [2^-500, 2^500].  O(n^2).
void gewichte_gegeben(double *w, const double *x, int n, const char *name) {
    for (int j = 0; j <= n; ++j)
        if (!std::isfinite(x[j]))
            fehler("Stuetzstelle x(%i) ist keine endliche Zahl fuer BARYZENTRISCHE_INTERPOLATION "
                   "%s.\n",
                   j + 1, name);
    std::vector<long> exponent(static_cast<std::size_t>(n) + 1);
    long groesster = LONG_MIN;
    for (int j = 0; j <= n; ++j) {
        double mantisse = 1.0;
        long e = 0;
        for (int k = 0; k <= n; ++k) {
            if (k == j) continue;
            double d = x[j] - x[k];
            if (!(std::fabs(d) >= 0x1p-400 && std::fabs(d) <= 0x1p400)) {
                // Equal nodes make the weight infinite: there is no
                // polynomial through two values at one node.
                if (d == 0.0)
                    fehler("Stuetzstellen x(%i) und x(%i) gleich fuer "
                           "BARYZENTRISCHE_INTERPOLATION %s.\n",
                           std::min(j, k) + 1, std::max(j, k) + 1, name);
                // Finite nodes whose difference overflows: halve both.
                if (!std::isfinite(d)) {
                    d = x[j] * 0.5 - x[k] * 0.5;
                    ++e;
                }
                int ed = 0;
                d = std::frexp(d, &ed);
                e += ed;
            }
            mantisse *= d;
            if (!(std::fabs(mantisse) >= 0x1p-500 && std::fabs(mantisse) <= 0x1p500)) {
                int em = 0;
                mantisse = std::frexp(mantisse, &em);
                e += em;
            }
        }
        // 1 / (mantisse 2^e) = (1 / m') 2^-(e + em) with m' in [0.5, 1).
        int em = 0;
        mantisse = std::frexp(mantisse, &em);
        w[j] = 1.0 / mantisse;
        exponent[j] = -(e + em);
        groesster = std::max(groesster, exponent[j]);
    }
    // Scaled by 2^-groesster every weight is at most 2 in magnitude (small
    // ones may underflow to 0); the division by the largest makes it +-1.
    double groesstes = 0.0;
    for (int j = 0; j <= n; ++j) {
        long verschiebung = std::max(exponent[j] - groesster, -2000L);
        w[j] = std::ldexp(w[j], static_cast<int>(verschiebung));
        groesstes = std::max(groesstes, std::fabs(w[j]));
    }
    for (int j = 0; j <= n; ++j)
        w[j] /= groesstes;
}

void gewichte(polynomdaten *d) {
    schreibfeld w(d->koeffizienten);
    if (d->n == 0) {
        w[0] = 1.0;
        return;
    }
    // Kinds with closed-form weights (numerik/knotenarten.h) take them; the
    // others the product formula over their nodes.
    const knotenart *art = knotenart_nummer(d->art);
    if (art != nullptr && art->gewichte != nullptr)
        art->gewichte(w.werte(), d->n);
    else
        gewichte_gegeben(w.werte(), eintraege(d->stuetzstellen), d->n, d->name);
}

} // namespace

extern "C" {

const interpolation_funktionen baryzentrische_interpolationFunktionen = {
    .speichern = baryzentrischeinterpolation_speichern,
    .laden = baryzentrischeinterpolation_laden,
    .freigeben = baryzentrischeinterpolation_freigeben,
    .kreieren = baryzentrischeinterpolation_kreieren,
    .funktionswert = baryzentrischeinterpolation_funktionswert,
    .name = baryzentrischeinterpolation_name,
    .klasse = interpolation_klasse,
    .imVektor = baryzentrischeinterpolation_imVektor,
    .linkeGrenze = baryzentrischeinterpolation_linkeGrenze,
    .rechteGrenze = baryzentrischeinterpolation_rechteGrenze,
    .ableitung1 = baryzentrischeinterpolation_ableitung1,
    .ableitung2 = baryzentrischeinterpolation_ableitung2,
    .integral = baryzentrischeinterpolation_integral,
    .funktionswerte = baryzentrischeinterpolation_funktionswerte,
};
klasse baryzentrische_interpolation = {&baryzentrische_interpolationFunktionen, nullptr};

objekt *baryzentrischeinterpolation_kreieren(const void *parameter, void *) {
    interpolation_zeiger ip = polynom_kreieren(
        polynomproblem_aus<baryzentrischeinterpolation_parameter>(parameter), baryzentrisch);
    gewichte(polynom_daten(ip.get()));
    return ip.release();
}

objekt *baryzentrischeinterpolation_laden(FILE *ein, void *zusatz) {
    return basis_laden(ein, baryzentrisch_typ, zusatz);
}

int baryzentrischeinterpolation_speichern(objekt *ip, FILE *aus) {
    return polynom_speichern(ip, aus, baryzentrisch);
}

int baryzentrischeinterpolation_freigeben(objekt *ip) {
    return polynom_freigeben(ip);
}

double baryzentrischeinterpolation_funktionswert(objekt *ip, double x) {
    return baryzentrische_formel(polynom_daten(ip), x);
}

const char *baryzentrischeinterpolation_name(objekt *ip) {
    return basis_name(ip, baryzentrisch_typ);
}

objekt *baryzentrischeinterpolation_imVektor(objekt *ip, int index) {
    return basis_vektor(ip, index);
}

double baryzentrischeinterpolation_linkeGrenze(objekt *ip) {
    return basis_grenze(ip, true);
}

double baryzentrischeinterpolation_rechteGrenze(objekt *ip) {
    return basis_grenze(ip, false);
}

double baryzentrischeinterpolation_ableitung1(objekt *ip, double x) {
    return baryzentrische_ableitung(polynom_daten(ip), x, 1);
}

double baryzentrischeinterpolation_ableitung2(objekt *ip, double x) {
    return baryzentrische_ableitung(polynom_daten(ip), x, 2);
}

double baryzentrischeinterpolation_integral(objekt *ip, double x1, double x2) {
    return polynom_integral(ip, x1, x2, baryzentrischeinterpolation_funktionswert, true);
}

// The one-point slot at each point: it reads the object only, so the two
// halves of a large array may run at once.
void baryzentrischeinterpolation_funktionswerte(objekt *ip, const double *x, double *y,
                                                size_t anzahl) {
    const polynomdaten *d = polynom_daten(ip);
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        for (size_t i = von; i < bis; ++i)
            y[i] = baryzentrische_formel(d, x[i]);
    });
}

const interpolationstyp baryzentrisch_typ = {.beschreibung = &baryzentrische_interpolation,
                                             .typtext = "BARYZENTRISCHE_INTERPOLATION",
                                             .kurzname = "Baryzentrisch",
                                             .mindestens = 1,
                                             .knotenordnung = KNOTEN_VERSCHIEDEN,
                                             .global = 1,
                                             .polynom = 1,
                                             .ohne_koeffizienten = 0,
                                             .optionen_anzahl = 0,
                                             .optionen = nullptr,
                                             .erzeugen = baryzentrisch_erzeugen,
                                             .option = ohne_option};

} // extern "C"

// The second barycentric formula.  Its error does not grow with the size of
// the products that ruin the Newton form: for nodes of small Lebesgue
// constant the result is within a few rounding steps times that constant of
// the exact polynomial's value.  With one value the polynomial is that value
// (the single placed node of kinds 1 and 2 is not a number).  The rational class
// evaluates its interpolant by this formula too: with its weights it has no
// pole on the real line, and the same argument bounds its rounding.
double baryzentrische_formel(const polynomdaten *d, double x) {
    const double *knoten = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    const double *w = eintraege(d->koeffizienten);
    if (d->n == 0) return y[0];
    return baryzentrische_summe(knoten, y, w, d->n + 1, x);
}

// The derivatives of the barycentric interpolant r = sum t(k) y(k) / sum
// t(k), t(k) = w(k) / (x - x(k)) (Schneider and Werner).  With the divided
// differences g(k) = (r(x) - y(k)) / (x - x(k)) the identity sum w(k) g(k)
// = 0 holds for every x (it is r's own definition); differentiated once
// and twice it gives
//     r'(x)  = sum t(k) g(k) / sum t(k),
//     r''(x) = 2 sum t(k) (r'(x) - g(k)) / (x - x(k)) / sum t(k),
// and at a node x(i), where g(i) becomes r'(x(i)) and g(i)' r''(x(i))/2,
//     r'(x(i))  = -sum_{k != i} w(k)/w(i) g(k),  g(k) = (y(i) - y(k)) / (x(i) - x(k)),
//     r''(x(i)) = -2 sum_{k != i} w(k)/w(i) (r'(x(i)) - g(k)) / (x(i) - x(k)).
// Holds for the polynomial's and for the rational weights.
//
// Near a node x(j) the plain formulas lose digits: r(x) - y(j) and r'(x) -
// g(j) are small differences of rounded numbers, then divided by the small
// x - x(j).  Both are therefore formed as sums of their own over the other
// nodes, around the nearest node j:
//     r(x) - y(j)   = sum_{k != j} t(k) (y(k) - y(j)) / sum t(k),
//     r'(x) - g(j)  = sum_{k != j} t(k) (g(k) - g(j)) / sum t(k),
// whose terms carry the factor t(k) / sum t(k), of the order of x - x(j).
// A point within a subnormal distance of a node counts as that node, as in
// the value.
double baryzentrische_ableitung(const polynomdaten *d, double x, int ordnung) {
    const double *knoten = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    const double *w = eintraege(d->koeffizienten);
    const int n = d->n;
    if (n == 0) return 0.0;
    int j = 0;
    for (int k = 0; k <= n; ++k) {
        double abstand = x - knoten[k];
        if (abstand == 0.0 || std::isinf(w[k] / abstand)) {
            j = -1 - k;
            break;
        }
        if (std::fabs(abstand) < std::fabs(x - knoten[j])) j = k;
    }
    if (j < 0) {
        const int i = -1 - j;
        const double xi = knoten[i];
        double r1 = 0.0;
        for (int k = 0; k <= n; ++k)
            if (k != i) r1 -= w[k] / w[i] * ((y[i] - y[k]) / (xi - knoten[k]));
        if (ordnung == 1) return r1;
        double r2 = 0.0;
        for (int k = 0; k <= n; ++k)
            if (k != i)
                r2 -= w[k] / w[i] * ((r1 - (y[i] - y[k]) / (xi - knoten[k])) / (xi - knoten[k]));
        return 2 * r2;
    }
    std::vector<double> t(static_cast<std::size_t>(n) + 1);
    std::vector<double> g(static_cast<std::size_t>(n) + 1);
    double nenner = 0.0;
    double abweichung = 0.0; // r(x) - y(j), before the division
    for (int k = 0; k <= n; ++k) {
        t[k] = w[k] / (x - knoten[k]);
        nenner += t[k];
        if (k != j) abweichung += t[k] * (y[k] - y[j]);
    }
    abweichung /= nenner;
    for (int k = 0; k <= n; ++k)
        g[k] =
            k == j ? abweichung / (x - knoten[j]) : (abweichung + (y[j] - y[k])) / (x - knoten[k]);
    double rest = 0.0; // r'(x) - g(j)
    for (int k = 0; k <= n; ++k)
        if (k != j) rest += t[k] * (g[k] - g[j]);
    rest /= nenner;
    if (ordnung == 1) return g[j] + rest;
    double summe = t[j] * (rest / (x - knoten[j]));
    for (int k = 0; k <= n; ++k)
        if (k != j) summe += t[k] * ((rest + (g[j] - g[k])) / (x - knoten[k]));
    return 2 * summe / nenner;
}
