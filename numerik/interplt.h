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

/* The descriptor of ip's class (newton_interpolation or spline_interpolation). */
klasse *interpolation_klasse(objekt *ip);

#ifdef __cplusplus
}
#endif

#endif
