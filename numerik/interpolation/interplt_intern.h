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

#endif
