/** \file
 * RATIONALE_INTERPOLATION: the barycentric rational interpolant of blending
 * degree d (Floater and Hormann), for the same problem as
 * BARYZENTRISCHE_INTERPOLATION (numerik/baryzipl.h).
 *
 * For the nodes x(1..n+1), taken in ascending order x_0 < ... < x_n, and
 * the values y, the interpolant blends the polynomials p_i of degree at most
 * d through x_i..x_{i+d} (i = 0..n-d).  In barycentric form it is
 *
 *     r(x) = sum w_k y_k / (x - x_k)  /  sum w_k / (x - x_k),
 *
 *     w_k = (-1)^(k-d) sum_{i in J_k} prod_{j = i..i+d, j != k} 1 / |x_k - x_j|,
 *
 * J_k = {i : 0 <= i <= n-d, k-d <= i <= k}.  The weights alternate in sign,
 * so that r has no pole on the real line; r takes every value y_k at its
 * node exactly and reproduces every polynomial of degree at most d.  Unlike
 * the interpolating polynomial it converges on equidistant nodes, at the
 * rate h^(d+1) for smooth f; its Lebesgue constant grows only like
 * 2^(d-1) log n there.  d = 0 gives Berrut's interpolant (w_k = (-1)^k); a
 * d above n acts as d = n, where r is the interpolating polynomial.
 *
 * The object holds the weights, scaled so that the largest |w_k| is 1,
 * computed at creation in O(n d^2) from the nodes of any kind (each
 * product kept as a mantissa and a binary exponent, so no product of
 * differences overflows or underflows), and evaluates r by the second
 * barycentric formula of the barycentric class, O(n) a point.  Given nodes
 * keep their order and need not ascend; equal or non-finite given nodes end
 * through the fatal path.
 *
 * Text form: "RATIONALE_INTERPOLATION: name", "art = " node kind, for a
 * stored kind the nodes as an NM_MATRIX text, for a placed kind "a = " and
 * "b = ", then "d = " the blending degree, then the values as an NM_MATRIX
 * text.  Index base, ownership, zusatz and failures as for every
 * interpolation (numerik/interplt.h).
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_RATIONALIPL_H
#define NUMERIK_RATIONALIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The blending degree that the method table uses. */
enum { RATIONAL_GRAD_STANDARD = 3 };

/** Creation record: the six fields common to the interpolation classes and
 * the blending degree.  The vectors may be of any matrix class; creation
 * copies column 1 of them. */
typedef struct rationaleinterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int art;               /**< node kind (numerik/knotenarten.h) */
    objekt *stuetzstellen; /**< node kind 0 only: n+1 distinct finite nodes */
    double a;              /**< placed node kinds only: the interval [a, b] */
    double b;              /**< placed node kinds only */
    objekt *stuetzwerte;   /**< its row count is n+1 (at least 1); column 1 is used */
    int grad;              /**< the blending degree d >= 0 (stored as given) */
} rationaleinterpolation_parameter;

/** The RATIONALE_INTERPOLATION class descriptor. */
extern klasse rationale_interpolation;
/** The RATIONALE_INTERPOLATION table. */
extern const interpolation_funktionen rationale_interpolationFunktionen;
/** The record of the RATIONALE_INTERPOLATION class (numerik/interplt.h). */
extern const interpolationstyp rational_typ;

/** Writes the text form (the problem and d, not the weights); returns 0. */
int rationaleinterpolation_speichern(objekt *ip, FILE *aus);
/** Reads a RATIONALE_INTERPOLATION text and creates the object from it
 * through kreieren, handing on zusatz; the caller owns the result.  A node
 * kind the table does not know, or a "d = " line that is missing or holds
 * no integer, ends through the fatal path. */
objekt *rationaleinterpolation_laden(FILE *ein, void *zusatz);
/** Releases the interpolation with its three vectors and its name;
 * returns 0. */
int rationaleinterpolation_freigeben(objekt *ip);
/** A new interpolation from a rationaleinterpolation_parameter, its nodes
 * placed by kind and its weights computed; the caller owns it and keeps the
 * record's vectors.  zusatz is not read.  Missing values or nodes, a node
 * count other than the value count, equal or non-finite given nodes, an
 * invalid kind or interval, or d < 0 end through the fatal path. */
objekt *rationaleinterpolation_kreieren(const void *parameter, void *zusatz);
/** r(x) by the second barycentric formula, for every x (no interval check);
 * y(j) itself at x = x(j), and where x lies so close to x(j) that
 * w(j) / (x - x(j)) overflows. */
double rationaleinterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "RATIONALE_INTERPOLATION" for the descriptor. */
const char *rationaleinterpolation_name(objekt *ip);
/** 0: nodes "Stuetzstellen", 1: values "Stuetzwerte", 2: "Gewichte"
 * w(1..n+1), in the order of the nodes; each (n+1) x 1, the stored vectors
 * themselves, owned by ip.  Another index ends through the fatal path. */
objekt *rationaleinterpolation_imVektor(objekt *ip, int index);
/** a for placed node kinds, the smallest node for kind 0. */
double rationaleinterpolation_linkeGrenze(objekt *ip);
/** b for placed node kinds, the largest node for kind 0. */
double rationaleinterpolation_rechteGrenze(objekt *ip);
/** r'(x) by the barycentric derivative formula with the class's weights
 * (as baryzentrischeinterpolation_ableitung1). */
double rationaleinterpolation_ableitung1(objekt *ip, double x);
/** r''(x) likewise (as baryzentrischeinterpolation_ableitung2). */
double rationaleinterpolation_ableitung2(objekt *ip, double x);
/** The integral of r from x1 to x2 (negative for x1 > x2): 20-point
 * Gauss-Legendre on every node interval that [x1, x2] meets, and beyond the
 * nodes on panels that double in length from that of the end interval;
 * 20 evaluations (each O(n)) a node interval.  Within the nodes as
 * accurate as the values (sin on 15 equidistant nodes of [-3, 3], d = 3:
 * 1e-16 relative to a 200-bit quadrature of the same r); far outside the
 * rounding of the values themselves dominates (there 1e-11 relative over
 * [-20, -4]). */
double rationaleinterpolation_integral(objekt *ip, double x1, double x2);
/** The values at the points x[0..anzahl-1] into y, each as
 * rationaleinterpolation_funktionswert gives it. */
void rationaleinterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl);
/** The blending degree d as given at creation (a d above n acts as n). */
int rationaleinterpolation_grad(objekt *ip);

#ifdef __cplusplus
}
#endif

#endif
