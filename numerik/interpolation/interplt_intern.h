// What the interpolation classes share besides the table and the public
// node placement: reading the vectors of a creation record, the bounds of
// given nodes, and the checks before creation.
#ifndef NUMERIK_INTERPLT_INTERN_H
#define NUMERIK_INTERPLT_INTERN_H

#include "numerik/interplt.h"
#include "grund/fehler_intern.h"
#include "interpolation/intervallsuche.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <new>

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

// ---- The shared base of every class's private record ----------------------
// Each class's record derives from it, so that name, bounds, the node and
// value vectors, the class's third vector and the release are written once
// (basis.cpp).  n is the number of values minus 1.
struct interpolationsbasis {
    objekt *stuetzstellen; // (n+1) x 1 "Stuetzstellen": x(1..n+1)
    objekt *stuetzwerte;   // (n+1) x 1 "Stuetzwerte": y(1..n+1)
    objekt *koeffizienten; // the class's third vector (imVektor 2); null until made
    char *name;            // own copy
    int n;
    int art;  // node kind (the spline: with its flag OHNE_KOEFFIZIENTEN)
    double a; // interval of placed node kinds
    double b;
    intervallsuche suche; // the piecewise classes' interval search
};

// The record of ip as its base; the fatal path without a message for a
// handle without one.
inline interpolationsbasis *basis_von(objekt *ip) {
    if (ip->daten == nullptr) still_beenden();
    return static_cast<interpolationsbasis *>(ip->daten);
}

// A new handle of class t with a record of groesse bytes, made by the
// class (value-initialised, its base fields null), and the name copied:
// held, so that a failure before creation ends releases it through the
// class's freigeben slot (which takes a record whose vectors are still
// null).  The messages are "Nicht genug Speicher fuer neue interpolation
// (Teil 1)!\n" (the handle), "... (Teil 2)!\n" (the record) and "Nicht
// genug Speicher fuer %s %s.\n" (the name).
interpolation_zeiger basis_anlegen(const interpolationstyp &t, void *daten, const char *name);

template <class D>
D *basis_neu(interpolation_zeiger &ip, const interpolationstyp &t, const char *name) {
    void *speicher = std::malloc(sizeof(D));
    D *d = speicher != nullptr ? new (speicher) D{} : nullptr;
    ip = basis_anlegen(t, d, name);
    return d;
}

// The problem part of creation, for the classes whose text form and checks
// are the common ones: the values present ("Stuetzwerte fehlen fuer%s
// %s.\n"), n (at least one value), the node and value vectors (zeroed or,
// ungesetzt, left for this call to write), the nodes copied in the given
// order (a stored kind: "Stuetzstellen fehlen fuer%s %s.\n", "Stuetzstellen-
// anzahl/-werteanzahl inkompatibel fuer %s %s.\n") or placed on [a, b] by
// kind platzierart (an unknown kind ends with "Ungueltige Stuetzstellenart
// ..."), the kind p.art kept, and the values copied.
void basis_problem(objekt *ip, const interpolationstyp &t, const interpolationsproblem &p,
                   int platzierart, bool ungesetzt);

// Nodes closer than this times the largest magnitude among them differ in
// their last few bits only: differences and weights built on them are
// rounding, or leave the range of doubles.
constexpr double KNOTEN_MINDESTABSTAND = 4 * DBL_EPSILON;

// One pass over x[0..anzahl-1]: whether all are finite, and for finite
// ones whether they ascend strictly (every step x(i+1) - x(i) > 0), the
// largest magnitude and the smallest step (infinity for one node).
struct knotenlauf {
    bool endlich;
    bool aufsteigend;
    double betrag;
    double kleinster_schritt;
};
knotenlauf knoten_durchlaufen(const double *x, std::size_t anzahl);

// The one check of node separation of the classes that take nodes in any
// order (the global forms), run on their nodes once they are placed or
// copied (x(1..anzahl)): two nodes less than KNOTEN_MINDESTABSTAND times
// the largest magnitude apart end with "Stuetzstellen x(j) und x(k) liegen
// zu dicht beieinander fuer ...", equal ones with "... gleich fuer ...".
// Nodes that are not numbers are left to the class's own messages, and so
// are the classes of ascending nodes, whose steps of at least 2^-120 keep
// their local cubics finite.
void knotenabstand_pruefen(const interpolationstyp &t, const double *x, int anzahl,
                           const char *name);

// Releases ip: its three vectors (those made), its name, its record and the
// handle; returns 0.
int basis_freigeben(objekt *ip);

// The name; the class's type text for the descriptor.
const char *basis_name(objekt *ip, const interpolationstyp &t);

// Vector 0 (nodes), 1 (values) or 2 (the third); another index ends with
// "Ungueltiger Vektor fuer Interpolationsproblem %s: (%i)\n".
objekt *basis_vektor(objekt *ip, int index);

// Stored kinds: the smallest / largest node; placed kinds: a / b.
double basis_grenze(objekt *ip, bool links);

// ---- The common text form ----------------------------------------------------
// "TYP: name", "art = " the node kind, the kind's part (the node vector, or
// "a = " and "b = "), the key line of each option of the record (all of
// them, or only where set: OPTION_TEXT_WENN_GESETZT), then the value vector.
struct problemtext {
    const char *name; // in the interpolation cluster's header buffer until the next header line
    int art;
    matrix_zeiger stuetzstellen; // stored kinds only
    double a;                    // placed kinds only
    double b;
    matrix_zeiger stuetzwerte;
    double optionen[INTERPOLATION_OPTIONEN_MAX];
};

problemtext problemtext_lesen(FILE *ein, const interpolationstyp &t);

// Writes the text form of the problem with these nodes (stored kinds) or
// a, b (placed kinds), values and options.
void problemtext_schreiben(FILE *aus, const interpolationstyp &t, const char *name, int art,
                           objekt *knoten, double a, double b, const double *optionen,
                           objekt *werte);

// A class's laden slot over the common text form: the text read, the
// generic checks of interpolation_erzeugen, and the class made through its
// record's creation adapter.
objekt *basis_laden(FILE *ein, const interpolationstyp &t, void *zusatz);

// A class's speichern slot over the common text form, its options read
// through the record (interpolationstyp::option).
int basis_speichern(objekt *ip, FILE *aus, const interpolationstyp &t);

// Node i of n+1 equidistant ones on [a, b] (aequidistanter_punkt of
// numerik/interplt.h), inline for the loop that places them all.
static inline double aequidistante_formel(int i, int n, double a, double b) {
    double x = (i * b + (n - i) * a) / n;
    if (std::isfinite(x) || n <= 0 || !std::isfinite(a) || !std::isfinite(b)) return x;
    // A product or the sum overflowed (|a| or |b| near DBL_MAX): the same
    // formula on a and b scaled by 2^-64 (exact), scaled back.  Rounding may
    // carry the result past an end of [a, b] by a unit; it is kept inside.
    const double s = 0x1p-64;
    x = std::ldexp((i * (b * s) + (n - i) * (a * s)) / n, 64);
    return std::fmin(std::fmax(x, std::fmin(a, b)), std::fmax(a, b));
}

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

// An integral from x1 to x2 that finite bounds leave without a finite
// value is too large for a double (or lost to overflow on the way): it ends
// with "Integral von x1 bis x2 ist nicht darstellbar fuer ...".  Otherwise
// wert itself.
double integral_endlich(double wert, double x1, double x2, const interpolationstyp &t,
                        const char *name);

// The piecewise cubics (spline, Hermite form) in the n x 4 layout: piece i
// (1..n) is c[0] t^3 + c[1] t^2 + c[2] t + c[3], t = x - x(i), c the row
// i of the coefficient array.  Its derivatives and its integral from x(i)
// to x(i) + t, each by Horner in t.
static inline double kubik_ableitung1(const double *c, double t) {
    double r = (3 * c[0] * t + 2 * c[1]) * t + c[2];
    // At the piece's start the slope is c[2] itself, also where 2 c[1]
    // overflows and would multiply 0.
    if (t == 0.0 && std::isnan(r)) return c[2];
    return r;
}
static inline double kubik_ableitung2(const double *c, double t) {
    return 6 * c[0] * t + 2 * c[1];
}
static inline double kubik_stammfunktion(const double *c, double t) {
    return (((c[0] / 4 * t + c[1] / 3) * t + c[2] / 2) * t + c[3]) * t;
}

// The piecewise cubics at coordinates or values so large that their
// coefficients in t over- or underflow keep them in a scaled form as well:
// cs in u = t 2^-ex, the value 2^ey times the cubic's (kubikskala).  Null
// cs: the plain coefficients serve.
struct kubikskala {
    const double *cs = nullptr;
    int ex = 0;
    int ey = 0;
};

static inline double kubik_stammfunktion_skaliert(const kubikskala &s, long long zeile, double t) {
    return std::ldexp(kubik_stammfunktion(s.cs + 4 * zeile, std::ldexp(t, -s.ex)), s.ey + s.ex);
}

// The integral of the piecewise cubic on the ascending nodes x(1..n+1)
// with the coefficient array c from lo to hi (lo < hi), each bound in its
// piece as the value takes it (intervall_bisektion; beyond the ends the end
// pieces go on): the partial pieces at either end and the whole ones
// between, summed from the left.  Each piece is integrated in its own t,
// so no large antiderivative is differenced.  With a scaled form (s.cs
// set) through it.  finden(w) gives the interval of w as
// intervall_bisektion does (the piecewise classes pass their index
// search).
template <class F>
static inline double kubiken_integral(const double *x, const double *c, double lo, double hi,
                                      F finden, const kubikskala &s = {}) {
    auto stamm = [&](int i, double t) {
        long long zeile = static_cast<long long>(i - 1);
        return s.cs != nullptr ? kubik_stammfunktion_skaliert(s, zeile, t)
                               : kubik_stammfunktion(c + 4 * zeile, t);
    };
    int i1 = finden(lo);
    int i2 = finden(hi);
    double t1 = lo - x[i1 - 1];
    if (i1 == i2) return stamm(i1, hi - x[i1 - 1]) - stamm(i1, t1);
    double summe = stamm(i1, x[i1] - x[i1 - 1]) - stamm(i1, t1);
    for (int i = i1 + 1; i < i2; ++i)
        summe += stamm(i, x[i] - x[i - 1]);
    return summe + stamm(i2, hi - x[i2 - 1]);
}

// The scale of the nodes of a piecewise cubic on x(1..n+1): ex for a span
// beyond 2^100, where the coefficients in t underflow (ey 0; values that
// overflow on the way are scaled once the plain step has shown it).
kubikskala kubik_skala_waehlen(const double *x, int n);

// After the coefficients of the scaled problem cs (n x 4, in u, values
// 2^-ey) are made: the plain ones into c, as far as doubles hold them.
// True where some plain coefficient lost what the scaled one holds (it
// underflowed): evaluation then takes the scaled form.  A coefficient that
// is not finite, scaled or plain, ends with "Koeffizienten fuer %s %s sind
// nicht darstellbar (...)".
bool kubik_entskalieren(const kubikskala &s, const double *cs, double *c, int n,
                        const interpolationstyp &t, const char *name);

#endif
