/** \file
 * TRIGONOMETRISCHE_INTERPOLATION: the trigonometric polynomial through N
 * values at equidistant nodes of one period [a, b).
 *
 * The nodes are x(k+1) = (k b + (N-k) a) / N, k = 0..N-1: b itself is no
 * node, its value is that at a.  With t = 2 pi (x - a) / (b - a) the
 * interpolant is
 *
 *     p(x) = a0 + sum_{j=1}^{(N-1)/2} (a_j cos(j t) + b_j sin(j t))
 *            [+ a_{N/2} cos(N t / 2) for even N],
 *
 * periodic with period b - a; for even N the highest term is a cosine, so
 * that p is real and unique.  It is exact for every such sum of lower
 * degree than N/2, and for a smooth periodic f its error falls geometrically
 * in N.  Values are computed by the barycentric trigonometric formula
 * (cosecants for odd N, cotangents for even N), O(N) a point, eight nodes
 * at a time; derivatives and the integral from the coefficients, which
 * creation computes by a fast Fourier transform.
 *
 * Nodes: node kind STUETZSTELLEN_AEQUIDISTANT places the N nodes above on
 * [a, b) (not the N nodes of [a, b] that kind gives the other classes), or
 * STUETZSTELLEN_GEGEBEN takes N ascending nodes that must be equidistant
 * (to 1e-10 of their span); then a = x(1) and b = x(1) + N h.  Other kinds,
 * unequal steps and fewer than 2 values end through the fatal path.
 *
 * Vectors: 0 the nodes "Stuetzstellen", 1 the values "Stuetzwerte", 2 the
 * coefficients "Fourierkoeffizienten" (N x 1: a0, a1, b1, a2, b2, ..., for
 * even N last a_{N/2}).  Text form: the common one of the interpolation
 * classes, "TRIGONOMETRISCHE_INTERPOLATION: name", "art = ", the nodes or
 * "a = " and "b = ", then the values.  Index base, ownership, zusatz and
 * failures as for every interpolation (numerik/interplt.h).
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_TRIGIPL_H
#define NUMERIK_TRIGIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creation record: the six fields common to the interpolation classes. */
typedef struct trigonometrischeinterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int art;               /**< STUETZSTELLEN_AEQUIDISTANT or STUETZSTELLEN_GEGEBEN */
    objekt *stuetzstellen; /**< node kind 0 only: N equidistant ascending nodes */
    double a;              /**< kind 1 only: the period [a, b) */
    double b;              /**< kind 1 only */
    objekt *stuetzwerte;   /**< N values (N >= 2); column 1 is used */
} trigonometrischeinterpolation_parameter;

/** The TRIGONOMETRISCHE_INTERPOLATION class descriptor. */
extern klasse trigonometrische_interpolation;
/** The TRIGONOMETRISCHE_INTERPOLATION table. */
extern const interpolation_funktionen trigonometrische_interpolationFunktionen;
/** The record of the TRIGONOMETRISCHE_INTERPOLATION class (numerik/interplt.h). */
extern const interpolationstyp trig_typ;

/** Writes the text form (the problem); returns 0. */
int trigonometrischeinterpolation_speichern(objekt *ip, FILE *aus);
/** Reads a TRIGONOMETRISCHE_INTERPOLATION text and creates the object from
 * it; the caller owns it.  zusatz goes to kreieren. */
objekt *trigonometrischeinterpolation_laden(FILE *ein, void *zusatz);
/** Releases the interpolation with its vectors, tables and name; returns 0. */
int trigonometrischeinterpolation_freigeben(objekt *ip);
/** A new interpolation from a trigonometrischeinterpolation_parameter; the
 * caller owns it and keeps the record's vectors.  zusatz is not read.
 * Missing values or nodes, fewer than 2 values, a node kind other than 0
 * and 1, given nodes that are not finite or not equidistant, or values that
 * are not finite end through the fatal path. */
objekt *trigonometrischeinterpolation_kreieren(const void *parameter, void *zusatz);
/** p(x) for every x (periodic); y(k) at a node x(k); not a number for an x
 * that is not finite. */
double trigonometrischeinterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "TRIGONOMETRISCHE_INTERPOLATION" for the descriptor. */
const char *trigonometrischeinterpolation_name(objekt *ip);
/** 0: nodes, 1: values, 2: "Fourierkoeffizienten"; owned by ip.  Another
 * index ends through the fatal path. */
objekt *trigonometrischeinterpolation_imVektor(objekt *ip, int index);
/** a: the start of the period. */
double trigonometrischeinterpolation_linkeGrenze(objekt *ip);
/** b: the end of the period (no node). */
double trigonometrischeinterpolation_rechteGrenze(objekt *ip);
/** p'(x) from the coefficients. */
double trigonometrischeinterpolation_ableitung1(objekt *ip, double x);
/** p''(x) from the coefficients. */
double trigonometrischeinterpolation_ableitung2(objekt *ip, double x);
/** The integral of p from x1 to x2 (negative for x1 > x2), in closed form
 * from the coefficients. */
double trigonometrischeinterpolation_integral(objekt *ip, double x1, double x2);
/** The values at the points x[0..anzahl-1] into y, each as
 * trigonometrischeinterpolation_funktionswert gives it. */
void trigonometrischeinterpolation_funktionswerte(objekt *ip, const double *x, double *y,
                                                  size_t anzahl);

#ifdef __cplusplus
}
#endif

#endif
