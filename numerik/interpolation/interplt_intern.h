// What the interpolation classes share besides the table and the public
// node placement: reading the vectors of a creation record, the bounds of
// given nodes, and the checks before creation.
#ifndef NUMERIK_INTERPLT_INTERN_H
#define NUMERIK_INTERPLT_INTERN_H

#include "numerik/interplt.h"

// Elements (1..anzahl, 1) of a vector handed in by a caller, copied into
// ziel: from the entry array when the vector is of the NM_MATRIX class
// itself (the same doubles), else through its table, which also reports a
// vector without columns.
void spalte_kopieren(objekt *quelle, int anzahl, double *ziel);

// The smallest / largest entry of the node vector, scanning from x(1) and
// replacing only on a strictly smaller / larger value (a NaN never replaces).
double kleinste_stuetzstelle(objekt *knoten);
double groesste_stuetzstelle(objekt *knoten);

// The problem part of a creation record, as every class holds it.
struct interpolationsproblem {
    const char *name;
    int art;
    objekt *stuetzstellen;
    double a;
    double b;
    objekt *stuetzwerte;
};

// The checks of interpolation_erzeugen (numerik/interplt.h) for a problem
// of class methode, run by it and by every class's laden before kreieren:
// each failure ends through the fatal path naming the problem and the row.
// Defects that kreieren reports itself pass here unreported.
void interpolationsproblem_pruefen(const klasse *methode, const interpolationsproblem &p);

// The interval of x among the n+1 ascending nodes x(1..n+1) of a piecewise
// interpolant, by bisection over x(2..n): 1..n, an x equal to an interior
// node x(k) in interval k-1 (so it evaluates with the interval to its
// left), a NaN in interval 1.  Internal linkage: each class file has its
// own copy.
static inline int intervall_bisektion(const double *x, int n, double wert) {
    int lo = 1;
    int hi = n + 1;
    while (hi - lo > 1) {
        int mitte = (lo + hi) / 2;
        if (x[mitte - 1] < wert)
            lo = mitte;
        else
            hi = mitte;
    }
    return lo;
}

// x(2..n) free of NaN and non-decreasing: the nodes for which the interval
// that intervall_bisektion finds is also the one lo in 1..n with
//     (lo == 1 or x(lo) < wert) and (lo == n or not x(lo+1) < wert),
// so that it may be found from any other start.
static inline bool intervall_geordnet(const double *x, int n) {
    for (int i = 2; i <= n; ++i) {
        if (x[i - 1] != x[i - 1]) return false;
        if (i > 2 && x[i - 2] > x[i - 1]) return false;
    }
    return true;
}

// The interval intervall_bisektion gives for wert, on nodes for which
// intervall_geordnet holds, found from lo (the previous point's interval,
// or 0 for none) by a few steps to the right while the points ascend; a
// point further on, behind, or not a number goes to the bisection.
static inline int intervall_schreiten(const double *x, int n, int lo, double wert) {
    if (lo >= 1 && lo <= n && (lo == 1 || x[lo - 1] < wert)) {
        for (int schritte = 0; schritte < 8 && lo < n && x[lo] < wert; ++schritte)
            ++lo;
        if (lo == n || !(x[lo] < wert)) return lo;
    }
    return intervall_bisektion(x, n, wert);
}

// Runs bereich(kontext, von, bis) over the ranges of 0..anzahl-1: over all
// of it in the caller's thread, or, for at least 65536 points when the
// process runs two threads (zahl_faeden), the upper half in a helper thread
// at the same time.  bereich must therefore only read what the two halves
// share; it must not end through the fatal path (check before).  Without a
// thread to be had the caller does both halves.
void bereiche_teilen(size_t anzahl, void (*bereich)(void *, size_t, size_t), void *kontext);

template <class F> void bereiche_auswerten(size_t anzahl, F bereich) {
    bereiche_teilen(
        anzahl, [](void *k, size_t von, size_t bis) { (*static_cast<F *>(k))(von, bis); },
        &bereich);
}

// The integral from x1 to x2 by an integrator of ascending bounds
// (aufwaerts(lo, hi), lo < hi): the negative for x1 > x2, 0 for x1 = x2.
template <class F> double gerichtetes_integral(double x1, double x2, F aufwaerts) {
    if (x1 == x2) return 0.0;
    return x1 < x2 ? aufwaerts(x1, x2) : -aufwaerts(x2, x1);
}

// The piecewise cubics (spline, Hermite form) in the n x 4 layout: piece i
// (1..n) is c[0] t^3 + c[1] t^2 + c[2] t + c[3], t = x - x(i), c the row
// i of the coefficient array.  Its derivatives and its integral from x(i)
// to x(i) + t, each by Horner in t.
static inline double kubik_ableitung1(const double *c, double t) {
    return (3 * c[0] * t + 2 * c[1]) * t + c[2];
}
static inline double kubik_ableitung2(const double *c, double t) {
    return 6 * c[0] * t + 2 * c[1];
}
static inline double kubik_stammfunktion(const double *c, double t) {
    return (((c[0] / 4 * t + c[1] / 3) * t + c[2] / 2) * t + c[3]) * t;
}

// The integral of the piecewise cubic on the ascending nodes x(1..n+1)
// with the coefficient array c from lo to hi (lo < hi), each bound in its
// piece as the value takes it (intervall_bisektion; beyond the ends the end
// pieces go on): the partial pieces at either end and the whole ones
// between, summed from the left.  Each piece is integrated in its own t,
// so no large antiderivative is differenced.
static inline double kubiken_integral(const double *x, const double *c, int n, double lo,
                                      double hi) {
    int i1 = intervall_bisektion(x, n, lo);
    int i2 = intervall_bisektion(x, n, hi);
    const double *c1 = c + 4 * static_cast<long long>(i1 - 1);
    double t1 = lo - x[i1 - 1];
    if (i1 == i2) return kubik_stammfunktion(c1, hi - x[i1 - 1]) - kubik_stammfunktion(c1, t1);
    double summe = kubik_stammfunktion(c1, x[i1] - x[i1 - 1]) - kubik_stammfunktion(c1, t1);
    for (int i = i1 + 1; i < i2; ++i)
        summe += kubik_stammfunktion(c + 4 * static_cast<long long>(i - 1), x[i] - x[i - 1]);
    return summe + kubik_stammfunktion(c + 4 * static_cast<long long>(i2 - 1), hi - x[i2 - 1]);
}

#endif
