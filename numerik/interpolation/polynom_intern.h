// What the two classes of the interpolating polynomial share: the Newton
// form (newtnipl.cpp) and the barycentric form (baryzipl.cpp) hold the same
// problem (nodes, values, node kind, interval) and differ only in the third
// vector (divided differences or weights) and in evaluation.  Their record,
// creation up to that vector, text form, bounds, vectors and release are
// written once here; each class passes its type text, which every message
// and the header line carry.
#ifndef NUMERIK_POLYNOM_INTERN_H
#define NUMERIK_POLYNOM_INTERN_H

#include "numerik/interplt.h"

#include <cstdio>

// The private record of either class.
struct polynomdaten {
    objekt *stuetzstellen; // (n+1) x 1 "Stuetzstellen": x(1..n+1)
    objekt *stuetzwerte;   // (n+1) x 1 "Stuetzwerte": y(1..n+1)
    objekt *koeffizienten; // (n+1) x 1: divided differences or weights
    char *name;            // own copy
    int n;                 // number of values minus 1
    int art;               // node kind 0, 1 or 2
    double a;              // interval of node kinds 1 and 2
    double b;
};

// The six fields that open the creation record of either class.
struct polynomproblem {
    const char *name;
    int art;
    objekt *stuetzstellen;
    double a;
    double b;
    objekt *stuetzwerte;
};

// The common part of a class's creation record P (null gives the empty
// problem, which creation rejects for its missing values).
template <class P> polynomproblem polynomproblem_aus(const void *parameter) {
    const auto *p = static_cast<const P *>(parameter);
    if (p == nullptr) return {nullptr, STUETZSTELLEN_GEGEBEN, nullptr, 0.0, 0.0, nullptr};
    return {p->name, p->art, p->stuetzstellen, p->a, p->b, p->stuetzwerte};
}

// One class of the polynomial: descriptor, type text, and the name of its
// third vector.
struct polynomklasse {
    klasse *beschreibung;
    const char *typ;
    const char *vektorname;
};

// The record; the fatal path without a message for a handle without one.
polynomdaten *polynom_daten(objekt *ip);

// Creation up to the third vector: handle, record and name, the three
// vectors (the third zeroed), the nodes (copied in the given order, or
// placed by kind), the values.  Each failure ends with the class's message.
objekt *polynom_kreieren(const polynomproblem &p, const polynomklasse &k);

// The text form: header line, "art = ", then by kind the node vector or the
// lines "a = " and "b = ", then the value vector.
int polynom_speichern(objekt *ip, FILE *aus, const char *typ);

// What laden reads of the text form, the vectors held until creation has
// copied them.  name points into the interpolation cluster's header buffer:
// valid until the next interpolation header line is read.
struct polynomtext {
    const char *name;
    int art;
    matrix_zeiger stuetzstellen; // kind 0 only
    double a;                    // kinds 1 and 2 only
    double b;
    matrix_zeiger stuetzwerte;
};
polynomtext polynomtext_lesen(FILE *ein, const char *typ);

int polynom_freigeben(objekt *ip);
const char *polynom_name(objekt *ip, const char *typ);
objekt *polynom_vektor(objekt *ip, int index);
// Kind 0: the smallest / largest node; kinds 1 and 2: a / b.
double polynom_grenze(objekt *ip, bool links);

#endif
