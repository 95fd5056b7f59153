// The interval search of the piecewise classes (spline, Hermite form) on
// nodes known to be ordered: a bucket index built in O(n) when the order is
// proved, so that a point finds its interval in O(1) wherever it lies.
//
// On ascending nodes x(1..n+1), the interval intervall_bisektion gives for w
// is 1 + the number of interior nodes x(2..n) below w.  The index splits
// [x(2), x(n)] into about n buckets by
//     fach(w) = (w - x(2)) * skala, clamped to 0..faecher-1
// and keeps for each bucket k the count start(k) of interior nodes in the
// buckets below it, plus 1.  fach is non-decreasing in w (a subtraction and
// a product with a positive factor, rounded, never reverse an order), so a
// node in a lower bucket than w's is below w and one in a higher bucket is
// not: the interval of w is start(k) plus the nodes of its own bucket below
// w, counted by a short scan, or by bisection in a crowded bucket.  This
// holds for every w, at nodes, outside [a, b] and NaN (bucket 0, no node
// below it), so the search gives the bisection's interval bit for bit.
#ifndef NUMERIK_INTERVALLSUCHE_H
#define NUMERIK_INTERVALLSUCHE_H

#include "matrizen/feld.h"
#include "numerik/objekt.h"

#include <cstddef>

struct intervallsuche {
    // The node array and its write count when its order was last examined,
    // the result, the evaluations left before a changed array is examined
    // again (-1: done), and the interval of the last evaluation.
    const double *knoten;
    unsigned long long stand;
    int geordnet;
    long long aufschub;
    int lo;
    // The bucket index, present while geordnet: faecher + 1 counts, the
    // last one n, or null where the nodes' span gives no finite scale (then
    // every point bisects).
    int *start;
    int faecher;
    double anfang;
    double skala;
};

// Releases the index; the search examines the nodes again when asked next.
void intervallsuche_freigeben(intervallsuche &s);

// Whether the n intervals of the node vector stuetzstellen are known to be
// ordered, for the evaluation of anzahl more points.  At the first
// evaluation they are examined at once (creation took O(n) anyway), and the
// index is built when they are ordered.  After a write to them, n evaluated
// points pass first (an array counting as many as it has points), so that
// writing and evaluating by turns never costs O(n) per evaluation.
bool intervallsuche_geordnet_pruefen(intervallsuche &s, objekt *stuetzstellen, int n,
                                     std::size_t anzahl);
inline bool intervallsuche_geordnet(intervallsuche &s, objekt *stuetzstellen, int n,
                                    std::size_t anzahl) {
    // Decided and the nodes not written since: the one-point slots' usual
    // case, without a call.
    if (s.aufschub < 0 && eintraege(stuetzstellen) == s.knoten &&
        schreibstand(stuetzstellen) == s.stand)
        return s.geordnet != 0;
    return intervallsuche_geordnet_pruefen(s, stuetzstellen, n, anzahl);
}

// The bucket of w.
inline int intervallsuche_fach(const intervallsuche &s, double w) {
    const double t = (w - s.anfang) * s.skala;
    if (!(t > 0.0)) return 0; // below, at the start, or NaN
    if (t >= static_cast<double>(s.faecher)) return s.faecher - 1;
    return static_cast<int>(t);
}

// The interval of w found from its bucket k, whose count the caller may
// have fetched ahead: 1..n, that of intervall_bisektion.
inline int intervallsuche_im_fach(const intervallsuche &s, const double *x, int k, double w) {
    int lo = s.start[k];
    int hi = s.start[k + 1];
    // The bucket's nodes are x(lo+1..hi); those below w are counted.
    if (hi - lo <= 8) {
        while (lo < hi && x[lo] < w)
            ++lo;
        return lo;
    }
    while (lo < hi) {
        int mitte = lo + (hi - lo) / 2;
        if (x[mitte] < w)
            lo = mitte + 1;
        else
            hi = mitte;
    }
    return lo;
}

// The interval of w, on nodes for which intervallsuche_geordnet holds.
int intervallsuche_finden(const intervallsuche &s, const double *x, int n, double w);

// The intervals of anzahl points w, as intervallsuche_finden gives them,
// into lo: in blocks whose buckets, counts, nodes and coefficient rows (of
// zeile doubles each, from koeffizienten) are fetched ahead for all points
// of a block before any is needed, so that the reads of random points
// overlap instead of waiting one after another.
void intervallsuche_viele(const intervallsuche &s, const double *x, int n, const double *w, int *lo,
                          std::size_t anzahl, const double *koeffizienten, int zeile);

#endif
