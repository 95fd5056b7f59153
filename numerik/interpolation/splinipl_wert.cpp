// Evaluation of the spline: the periodic wrap and the interval search.
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/splinipl_intern.h"

#include <algorithm>
#include <cmath>

namespace {

// The interval search of evaluation.
//
// The interval is defined by the bisection: lo = 1, hi = n+1; while
// hi - lo > 1, mid = (lo + hi)/2, and lo = mid when x(mid) < x, else
// hi = mid.  It reads only x(2..n).  When these are free of NaN and non-decreasing, x(i) < x
// holds for a first part of 2..n and fails for the rest, the bisection keeps
// lo = 1 or x(lo) < x and hi = n+1 or not x(hi) < x, and its result is the
// one lo in 1..n with
//     (lo == 1 or x(lo) < x) and (lo == n or not x(lo+1) < x)
// (two such lo would need x(lo+1) < x for the larger and not for the
// smaller one).  A NaN x fails every comparison and gets 1 both ways.
//
// Points in ascending order mostly fall into the interval of the previous
// evaluation or the next one: these two are tested by that condition, all
// else is found through the bucket index (intervallsuche.h), which gives
// the same interval.  Both are used only for a node array proved ordered
// and unchanged since (same array, same write count); any other array
// always goes through the bisection.

int bisektion(const double *x, int n, double wert) {
    return intervall_bisektion(x, n, wert);
}

bool im_intervall(const double *x, int n, int lo, double wert) {
    return (lo == 1 || x[lo - 1] < wert) && (lo == n || !(x[lo] < wert));
}

bool geordnet_fuer(splineinterpolationsdaten *d, size_t anzahl) {
    return intervallsuche_geordnet(d->suche, d->stuetzstellen, d->n, anzahl);
}

inline __attribute__((always_inline)) int intervall_suchen(splineinterpolationsdaten *d,
                                                           double wert) {
    const double *x = eintraege(d->stuetzstellen);
    const int n = d->n;
    int lo = d->suche.lo;
    if (!geordnet_fuer(d, 1)) return d->suche.lo = bisektion(x, n, wert);
    if (lo >= 1 && lo <= n) {
        if (im_intervall(x, n, lo, wert)) return lo;
        if (lo < n && im_intervall(x, n, lo + 1, wert)) return d->suche.lo = lo + 1;
    }
    return d->suche.lo = intervallsuche_finden(d->suche, x, n, wert);
}

// Points taken together through the index where they do not ascend.
constexpr size_t STAPEL = 64;

// Up to this many periods below a, evaluation wraps by adding the period
// step by step (rounding included, as the spline has always done); an x
// further below is reduced by fmod alone instead of looping for long.
constexpr long WRAP_SCHRITTE = 1L << 20;

// The bounds that evaluation wraps with, taken at the object's first
// evaluation and kept in it.
void grenzen_nehmen(objekt *ip, splineinterpolationsdaten *d) {
    if (d->a_b_berechnet == 0) {
        d->grenze_links = splineinterpolation_linkeGrenze(ip);
        d->grenze_rechts = splineinterpolation_rechteGrenze(ip);
        d->a_b_berechnet = 1;
    }
}

// The periodic wrap of evaluation: x itself for every kind but 2, which
// brings an x outside [linkeGrenze, rechteGrenze] into it.
double umbrechen_periodisch(objekt *ip, splineinterpolationsdaten *d, double x);

// The bounds known and no wrap (every kind but 2): x itself, without a call.
inline double umbrechen(objekt *ip, splineinterpolationsdaten *d, double x) {
    if (d->a_b_berechnet != 0 && d->splineart != SPLINE_PERIODISCH) return x;
    return umbrechen_periodisch(ip, d, x);
}

double umbrechen_periodisch(objekt *ip, splineinterpolationsdaten *d, double x) {
    grenzen_nehmen(ip, d);
    double a = d->grenze_links;
    double b = d->grenze_rechts;
    if (d->splineart == SPLINE_PERIODISCH && (x < a || x > b)) {
        double periode = b - a;
        double ursprung = x;
        long schritte = 0;
        bool reduziert = true;
        while (x < a) {
            // x = -inf, or x so far below a that adding the period no longer
            // changes it (or would take too long), never reaches a.
            if (schritte == WRAP_SCHRITTE || x + periode == x) {
                reduziert = false;
                break;
            }
            x += periode;
            ++schritte;
        }
        if (reduziert) {
            x = std::fmod(x - a, periode) + a;
        } else {
            // fmod alone, one period added to a negative remainder; x = -inf
            // gives NaN.
            double rest = std::fmod(ursprung - a, periode);
            if (rest < 0) rest += periode;
            x = rest + a;
        }
    }
    return x;
}

// The cubic of an interval with coefficients c at t = x - x(lo), by
// Horner's rule.
inline double kubik_wert(const double *c, double t) {
    double r = c[0];
    for (int k = 1; k < 4; ++k)
        r = r * t + c[k];
    return r;
}

// The value of piece lo at t in the scaled form.
inline double skaliert_wert(const splineinterpolationsdaten *d, int lo, double t) {
    return std::ldexp(
        kubik_wert(d->skaliert + 4 * static_cast<long long>(lo - 1), std::ldexp(t, -d->ex)), d->ey);
}

} // namespace

extern "C" {

double splineinterpolation_funktionswert(objekt *ip, double x) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    x = umbrechen(ip, d, x);
    // The bisection's interval: an x equal to an interior node x(k) takes
    // interval k-1 and is evaluated at its right end.
    int lo = intervall_suchen(d, x);
    const double *knoten = eintraege(d->stuetzstellen);
    if (d->skaliert != nullptr) return skaliert_wert(d, lo, x - knoten[lo - 1]);
    const double *c = eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1);
    return kubik_wert(c, x - knoten[lo - 1]);
}

void splineinterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    // Everything the object would record at a first evaluation is recorded
    // here, before the points are shared out: from then on the ranges only
    // read it, each range with its own interval cursor.
    grenzen_nehmen(ip, d);
    if (d->skaliert != nullptr) {
        for (size_t i = 0; i < anzahl; ++i)
            y[i] = splineinterpolation_funktionswert(ip, x[i]);
        return;
    }
    const bool geordnet = geordnet_fuer(d, anzahl);
    const double *knoten = eintraege(d->stuetzstellen);
    const double *koeff = eintraege(d->koeffizienten);
    const int n = d->n;
    const bool periodisch = d->splineart == SPLINE_PERIODISCH;
    const double a = d->grenze_links;
    const double b = d->grenze_rechts;
    const intervallsuche *suche = &d->suche;
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        int lo = 0;
        size_t i = von;
        while (i < bis) {
            if (!geordnet) {
                const double w = umbrechen(ip, d, x[i]);
                lo = bisektion(knoten, n, w);
                y[i++] = kubik_wert(koeff + 4 * static_cast<long long>(lo - 1), w - knoten[lo - 1]);
                continue;
            }
            double w = umbrechen(ip, d, x[i]);
            if (lo < 1 ||
                !(im_intervall(knoten, n, lo, w) || (lo < n && im_intervall(knoten, n, ++lo, w)))) {
                // Not in the last point's interval nor the next: the
                // points do not ascend here, and a stack of them finds
                // its intervals through the index, their reads
                // overlapping.
                const size_t m = std::min(STAPEL, bis - i);
                double wt[STAPEL];
                int lot[STAPEL];
                wt[0] = w;
                for (size_t j = 1; j < m; ++j)
                    wt[j] = umbrechen(ip, d, x[i + j]);
                intervallsuche_viele(*suche, knoten, n, wt, lot, m, koeff, 4);
                for (size_t j = 0; j < m; ++j)
                    y[i + j] = kubik_wert(koeff + 4 * static_cast<long long>(lot[j] - 1),
                                          wt[j] - knoten[lot[j] - 1]);
                i += m;
                lo = lot[m - 1];
                continue;
            }
            const double *c = koeff + 4 * static_cast<long long>(lo - 1);
            const double links = knoten[lo - 1];
            y[i++] = kubik_wert(c, w - links);
            // The points after it in the same interval, by the condition
            // the search tests (and unwrapped), are counted first and then
            // evaluated in a loop of their own, free of branches: the same
            // operations on each point, several points to a register.
            const bool erstes = lo == 1;
            const bool letztes = lo == n;
            const double rechts = letztes ? 0.0 : knoten[lo];
            size_t j = i;
            while (j < bis && (erstes || links < x[j]) && (letztes || !(rechts < x[j])) &&
                   (!periodisch || !(x[j] < a || x[j] > b)))
                ++j;
            for (; i < j; ++i)
                y[i] = kubik_wert(c, x[i] - links);
        }
    });
}

double splineinterpolation_ableitung1(objekt *ip, double x) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    x = umbrechen(ip, d, x);
    int lo = intervall_suchen(d, x);
    if (d->skaliert != nullptr)
        return std::ldexp(
            kubik_ableitung1(d->skaliert + 4 * static_cast<long long>(lo - 1),
                             std::ldexp(x - eintraege(d->stuetzstellen)[lo - 1], -d->ex)),
            d->ey - d->ex);
    return kubik_ableitung1(eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1),
                            x - eintraege(d->stuetzstellen)[lo - 1]);
}

double splineinterpolation_ableitung2(objekt *ip, double x) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    x = umbrechen(ip, d, x);
    int lo = intervall_suchen(d, x);
    if (d->skaliert != nullptr)
        return std::ldexp(
            kubik_ableitung2(d->skaliert + 4 * static_cast<long long>(lo - 1),
                             std::ldexp(x - eintraege(d->stuetzstellen)[lo - 1], -d->ex)),
            d->ey - 2 * d->ex);
    return kubik_ableitung2(eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1),
                            x - eintraege(d->stuetzstellen)[lo - 1]);
}

double splineinterpolation_integral(objekt *ip, double x1, double x2) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    const double *c = eintraege(d->koeffizienten);
    const kubikskala skala = skala_von(d);
    const bool geordnet = geordnet_fuer(d, 2);
    auto finden = [&](double w) {
        return geordnet ? intervallsuche_finden(d->suche, knoten, d->n, w)
                        : bisektion(knoten, d->n, w);
    };
    auto stuecke = [&](double lo, double hi) {
        return kubiken_integral(knoten, c, lo, hi, finden, skala);
    };
    const bool periodisch =
        d->splineart == SPLINE_PERIODISCH || d->splineart == SPLINE_PERIODISCH_FORTGESETZT;
    if (!periodisch)
        return integral_endlich(gerichtetes_integral(x1, x2, stuecke), x1, x2, spline_typ, d->name);
    // Kind 2 wraps its argument: from a, the integral up to x is q whole
    // periods and the integral from a to the wrapped x.  The period's
    // integral over the node intervals is that over [a, b] only where the
    // nodes span it, as they do: the bounds are the first and last node.
    // The continuation of three nodes (kind 3) has the user's interval as
    // its period and is continued with it.
    grenzen_nehmen(ip, d);
    const bool fortgesetzt = d->splineart == SPLINE_PERIODISCH_FORTGESETZT;
    const double a = fortgesetzt ? knoten[0] : d->grenze_links;
    const double rechts = fortgesetzt ? knoten[2] : d->grenze_rechts;
    const double periode = rechts - a;
    const double ganz = stuecke(a, rechts);
    auto ab_a = [&](double x) {
        double q = std::floor((x - a) / periode);
        double rest = x - a - q * periode;
        if (rest < 0.0) rest = 0.0;
        if (rest > periode) rest = periode;
        return q * ganz + (rest > 0.0 ? stuecke(a, a + rest) : 0.0);
    };
    // Both bounds inside the interval: integrated directly, without the
    // difference of two integrals from a.
    double wert = x1 >= a && x2 >= a && x1 <= rechts && x2 <= rechts
                      ? gerichtetes_integral(x1, x2, stuecke)
                      : ab_a(x2) - ab_a(x1);
    return integral_endlich(wert, x1, x2, spline_typ, d->name);
}
} // extern "C"
