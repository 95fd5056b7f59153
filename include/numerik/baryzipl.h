/** \file
 * BARYZENTRISCHE_INTERPOLATION: the interpolating polynomial in barycentric
 * form, for the same problem as NEWTON_INTERPOLATION (numerik/newtnipl.h).
 *
 * For the nodes x(1..n+1) and values y(1..n+1) the object holds the weights
 * w(j) = 1 / prod_{k != j} (x(j) - x(k)), scaled so that the largest |w(j)|
 * is 1, and evaluates the polynomial of degree at most n by the second
 * barycentric formula
 *
 *     p(x) = sum w(j) y(j) / (x - x(j))  /  sum w(j) / (x - x(j)),
 *
 * O(n) a point; at a node it returns that node's value exactly.  On
 * Chebyshev points the formula is stable: its result is within a few
 * rounding steps times log n of the exact polynomial's value, where the
 * Newton form loses digits as n grows.  On equidistant nodes (Lebesgue
 * constant about 2^n / (e n ln n)) it loses that factor times the rounding
 * unit relative to the value, more than the Newton form does there.
 *
 * Weights: closed forms for node kinds 1 ((-1)^j C(n,j), O(n); beyond n of
 * about 1070 the outer ones underflow to 0), 2 ((-1)^j, halved at both
 * ends, O(n)) and 3 ((-1)^j sin((2j+1) pi / (2n+2)), O(n)); the product formula for given nodes
 * (O(n^2)), kept free of overflow and underflow by a binary exponent per product.  Given nodes keep
 * their order and need not ascend; equal or non-finite given nodes end
 * through the fatal path.  Text form: as NEWTON_INTERPOLATION under the
 * header "BARYZENTRISCHE_INTERPOLATION: name".  Index base, ownership,
 * zusatz and failures as for every interpolation (numerik/interplt.h). */
#ifndef NUMERIK_BARYZIPL_H
#define NUMERIK_BARYZIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creation record: the six fields common to the interpolation classes, as
 * newtoninterpolation_parameter.  The vectors may be of any matrix class;
 * creation copies column 1 of them. */
typedef struct baryzentrischeinterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int art;               /**< node kind (numerik/knotenarten.h) */
    objekt *stuetzstellen; /**< node kind 0 only: n+1 distinct finite nodes */
    double a;              /**< placed node kinds only: the interval [a, b] */
    double b;              /**< placed node kinds only */
    objekt *stuetzwerte;   /**< its row count is n+1 (at least 1); column 1 is used */
} baryzentrischeinterpolation_parameter;

/** The BARYZENTRISCHE_INTERPOLATION class descriptor. */
extern klasse baryzentrische_interpolation;
/** The BARYZENTRISCHE_INTERPOLATION table. */
extern const interpolation_funktionen baryzentrische_interpolationFunktionen;
/** The record of the BARYZENTRISCHE_INTERPOLATION class (numerik/interplt.h). */
extern const interpolationstyp baryzentrisch_typ;

/** Writes the text form (the problem, not the weights); returns 0. */
int baryzentrischeinterpolation_speichern(objekt *ip, FILE *aus);
/** Reads a BARYZENTRISCHE_INTERPOLATION text and creates the object from it
 * through kreieren, handing on zusatz; the caller owns the result.  A node
 * kind the table does not know ends through the fatal path. */
objekt *baryzentrischeinterpolation_laden(FILE *ein, void *zusatz);
/** Releases the interpolation with its three vectors and its name;
 * returns 0. */
int baryzentrischeinterpolation_freigeben(objekt *ip);
/** A new interpolation from a baryzentrischeinterpolation_parameter, its
 * nodes placed by kind and its weights computed; the caller owns it and
 * keeps the record's vectors.  zusatz is not read.  Missing values or nodes,
 * a node count other than the value count, equal or non-finite given nodes,
 * an invalid kind or interval end through the fatal path. */
objekt *baryzentrischeinterpolation_kreieren(const void *parameter, void *zusatz);
/** p(x) by the second barycentric formula, for every x (no interval check);
 * y(j) itself at x = x(j), and where x lies so close to x(j) that
 * w(j) / (x - x(j)) overflows. */
double baryzentrischeinterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "BARYZENTRISCHE_INTERPOLATION" for the
 * descriptor. */
const char *baryzentrischeinterpolation_name(objekt *ip);
/** 0: nodes "Stuetzstellen", 1: values "Stuetzwerte", 2: "Gewichte"
 * w(1..n+1); each (n+1) x 1, the stored vectors themselves, owned by ip.
 * Another index ends through the fatal path. */
objekt *baryzentrischeinterpolation_imVektor(objekt *ip, int index);
/** a for placed node kinds, the smallest node for kind 0. */
double baryzentrischeinterpolation_linkeGrenze(objekt *ip);
/** b for placed node kinds, the largest node for kind 0. */
double baryzentrischeinterpolation_rechteGrenze(objekt *ip);
/** p'(x) by the barycentric derivative formula: between nodes sum t(j)
 * (p(x) - y(j)) / (x - x(j)) / sum t(j), t(j) = w(j) / (x - x(j)); at a
 * node x(i) -sum_{j != i} w(j)/w(i) (y(i) - y(j)) / (x(i) - x(j)). */
double baryzentrischeinterpolation_ableitung1(objekt *ip, double x);
/** p''(x): between nodes 2 sum t(j) (p'(x) - (p(x) - y(j)) / (x - x(j))) /
 * (x - x(j)) / sum t(j); at a node x(i) -2 sum_{j != i} w(j)/w(i) (p'(x(i))
 * - (y(i) - y(j)) / (x(i) - x(j))) / (x(i) - x(j)). */
double baryzentrischeinterpolation_ableitung2(objekt *ip, double x);
/** The integral of p from x1 to x2 (negative for x1 > x2) by Gauss-Legendre
 * quadrature on ceil((n+1)/2) points over [x1, x2], exact for degree n up
 * to the rounding of the values; O(n^2). */
double baryzentrischeinterpolation_integral(objekt *ip, double x1, double x2);
/** The values at the points x[0..anzahl-1] into y, each as
 * baryzentrischeinterpolation_funktionswert gives it. */
void baryzentrischeinterpolation_funktionswerte(objekt *ip, const double *x, double *y,
                                                size_t anzahl);

#ifdef __cplusplus
}
#endif

#endif
