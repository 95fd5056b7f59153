/** \file
 * NEWTON_INTERPOLATION: the interpolating polynomial in Newton form, its
 * coefficients the divided differences computed at creation.
 *
 * For the nodes x(1..n+1) and values y(1..n+1) the polynomial of degree at
 * most n is p(x) = c(1) + c(2)(x - x(1)) + ... + c(n+1)(x - x(1))...(x - x(n)).
 * Given nodes keep their order and need not ascend; equal nodes give
 * coefficients inf or NaN, without a message.
 *
 * Leja order (option leja = 1): before the divided differences are formed,
 * the nodes (of any kind) are put into Leja order: first the node farthest
 * from the middle of their range, then each time the node whose product of
 * distances to those already chosen is largest (the first in the given
 * order on a tie); O(n^2).  The polynomial is the same; its rounding is not:
 * in ascending order the products (x - x(1))...(x - x(k)) grow with n and
 * the Newton form on Chebyshev points loses every digit by n = 64, in Leja
 * order it stays within a few rounding steps of the barycentric form's
 * value.  The form is then written in the variable t = (x - m) / s, m the
 * middle of the nodes' range and s the power of two at or below a quarter
 * of it: p(x) = c(1) + c(2)(t - t(1)) + ... with t(j) = (x(j) - m) / s, so
 * that over Leja points neither the products nor the coefficients leave
 * the double range at large n (in x they would once (range/4)^n does).
 * The object's vectors nodes x, values and coefficients (the divided
 * differences over the t(j)) are then in Leja order; the text form keeps
 * the problem's order.
 *
 * Text form: "NEWTON_INTERPOLATION: name", "art = " node kind, for a stored
 * kind the nodes as an NM_MATRIX text, for a placed kind "a = " and "b = ";
 * with Leja order the line "leja = 1"; then the values as an NM_MATRIX
 * text.  Index base, ownership, zusatz and failures as for every
 * interpolation (numerik/interplt.h). */
#ifndef NUMERIK_NEWTNIPL_H
#define NUMERIK_NEWTNIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creation record: the six fields common to the interpolation classes and
 * the Leja option.  The vectors may be of any matrix class; creation copies
 * column 1 of them.  A record initialised with the six fields alone has
 * leja = 0. */
typedef struct newtoninterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int art;               /**< node kind (numerik/knotenarten.h) */
    objekt *stuetzstellen; /**< node kind 0 only: n+1 rows */
    double a;              /**< placed node kinds only: the interval [a, b] */
    double b;              /**< placed node kinds only */
    objekt *stuetzwerte;   /**< its row count is n+1 (at least 1); column 1 is used */
    int leja;              /**< 1: nodes in Leja order; 0: as given or placed */
} newtoninterpolation_parameter;

/** The NEWTON_INTERPOLATION class descriptor. */
extern klasse newton_interpolation;
/** The NEWTON_INTERPOLATION table. */
extern const interpolation_funktionen newton_interpolationFunktionen;
/** The record of the NEWTON_INTERPOLATION class (numerik/interplt.h). */
extern const interpolationstyp newton_typ;

/** Writes the text form (the problem, not the coefficients); returns 0. */
int newtoninterpolation_speichern(objekt *ip, FILE *aus);
/** Reads a NEWTON_INTERPOLATION text and creates the object from it through
 * kreieren, handing on zusatz; the caller owns the result.  A node kind
 * the table does not know ends through the fatal path. */
objekt *newtoninterpolation_laden(FILE *ein, void *zusatz);
/** Releases the interpolation with its three vectors and its name;
 * returns 0. */
int newtoninterpolation_freigeben(objekt *ip);
/** A new interpolation from a newtoninterpolation_parameter, its nodes
 * placed by kind (and put into Leja order where asked) and its
 * coefficients computed; the caller owns it and keeps the record's
 * vectors.  zusatz is not read.  Missing values or nodes, a node count
 * other than the value count, an invalid kind or interval, leja other than
 * 0 or 1 end through the fatal path. */
objekt *newtoninterpolation_kreieren(const void *parameter, void *zusatz);
/** p(x) by nested multiplication, for every x (no interval check). */
double newtoninterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "NEWTON_INTERPOLATION" for the descriptor. */
const char *newtoninterpolation_name(objekt *ip);
/** 0: nodes "Stuetzstellen", 1: values "Stuetzwerte", 2: "Koeffizienten"
 * c(1..n+1); each (n+1) x 1, the stored vectors themselves, owned by ip,
 * all three in Leja order where that option is set.  Another index ends
 * through the fatal path. */
objekt *newtoninterpolation_imVektor(objekt *ip, int index);
/** a for placed node kinds, the smallest node for kind 0. */
double newtoninterpolation_linkeGrenze(objekt *ip);
/** b for placed node kinds, the largest node for kind 0. */
double newtoninterpolation_rechteGrenze(objekt *ip);
/** p'(x) by nested multiplication carrying the derivatives along (Horner
 * with derivatives), in the same order of nodes as funktionswert. */
double newtoninterpolation_ableitung1(objekt *ip, double x);
/** p''(x), likewise. */
double newtoninterpolation_ableitung2(objekt *ip, double x);
/** The integral of p from x1 to x2 (negative for x1 > x2) by Gauss-Legendre
 * quadrature on ceil((n+1)/2) points over [x1, x2], exact for degree n up
 * to the rounding of the values; O(n^2). */
double newtoninterpolation_integral(objekt *ip, double x1, double x2);
/** The values at the points x[0..anzahl-1] into y, each as
 * newtoninterpolation_funktionswert gives it. */
void newtoninterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl);

#ifdef __cplusplus
}
#endif

#endif
