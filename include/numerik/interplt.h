/* Interpolation class cluster: the ten-slot function table, the node kinds,
 * the abstract loader, the header-line reader and the class query.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_INTERPLT_H
#define NUMERIK_INTERPLT_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Node kinds: how creation places the nodes x(1..n+1). */
enum {
    STUETZSTELLEN_GEGEBEN = 0,      /* copied from the creation record */
    STUETZSTELLEN_AEQUIDISTANT = 1, /* (i*b + (n-i)*a) / n */
    STUETZSTELLEN_TSCHEBYSCHEFF = 2 /* (a+b)/2 + ((a-b)/2) * cos(i*pi/n) */
};

/* The ten slots of every interpolation class, in this order. */
typedef struct interpolation_funktionen {
    int (*speichern)(objekt *ip, FILE *aus);
    objekt *(*laden)(FILE *ein, void *zusatz);
    int (*freigeben)(objekt *ip);
    objekt *(*kreieren)(const void *parameter, void *zusatz);
    double (*funktionswert)(objekt *ip, double x);
    const char *(*name)(objekt *ip);
    objekt *(*klasse)(objekt *ip); /* returns the class descriptor (a klasse*) */
    objekt *(*imVektor)(objekt *ip, int index);
    double (*linkeGrenze)(objekt *ip);
    double (*rechteGrenze)(objekt *ip);
} interpolation_funktionen;

/* The one place where a handle's table is seen as an interpolation table. */
static inline const interpolation_funktionen *interpolation_tabelle(const objekt *ip) {
    return (const interpolation_funktionen *)ip->funktionen;
}

extern klasse allg_interpolation; /* abstract: only laden */

/* Loads an interpolation of whichever registered class the header names. */
objekt *interpolation_laden(FILE *ein, void *zusatz);

/* The twin of matrix_kopfzeile with its own state: an empty typ discovers
 * (typ must hold 80 characters), a non-empty typ expects that type. */
const char *interpolation_kopfzeile(FILE *ein, char *typ);

/* The descriptor of ip's class (newton_interpolation, spline_interpolation or
 * baryzentrische_interpolation). */
klasse *interpolation_klasse(objekt *ip);

/* The interval check of node kinds 1 and 2, also used for the interval on
 * which a program evaluates: ends through the fatal path with
 * "Intervall [%lf,%lf] numerisch zu klein oder ungueltig.\n" when
 * b - a < 2^-120.  A difference of exactly 2^-120 passes, and so does one
 * that is not a number. */
void interpolation_intervall_pruefen(double a, double b);

/* Point i (i = 0..n) of n+1 equidistant points of [a, b]: the nodes of kind
 * STUETZSTELLEN_AEQUIDISTANT, and the points at which the programs write
 * values.  Formed as (i*b + (n-i)*a) / n, so that point 0 is n*a/n (which may
 * differ from a in the last bit); stored files carry a and b, and loading
 * must place the very same nodes again. */
double aequidistanter_punkt(int i, int n, double a, double b);

/* Places the n+1 nodes of kind STUETZSTELLEN_AEQUIDISTANT or
 * STUETZSTELLEN_TSCHEBYSCHEFF on [a, b] into rows 1..n+1 of column 1 of
 * knoten (a matrix of any class, at least n+1 rows), after the interval
 * check; exactly the nodes that creation places.  Any other kind ends through
 * the fatal path with
 * "Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n"
 * naming name and the kind. */
void stuetzstellen_platzieren(objekt *knoten, int art, int n, double a, double b, const char *name);

#ifdef __cplusplus
}

#include <memory>

/* C++: an interpolation held by an interpolation_zeiger is released through
 * its own freigeben slot when the holder goes, on every path. */
struct interpolation_freigeber {
    void operator()(objekt *ip) const { interpolation_tabelle(ip)->freigeben(ip); }
};
using interpolation_zeiger = std::unique_ptr<objekt, interpolation_freigeber>;
#endif

#endif
