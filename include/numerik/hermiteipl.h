/** \file
 * HERMITE_INTERPOLATION: the shape-preserving piecewise cubic Hermite
 * interpolant.  On each interval [x(i), x(i+1)] of ascending nodes it is the
 * cubic that takes the values y(i), y(i+1) and the slopes d(i), d(i+1); the
 * slopes come from the data near the node alone, so that it is C^1 (not C^2
 * as the spline) and a change of one value changes it only nearby.
 *
 * The slopes (option steigungen), with the secants m(i) = (y(i+1) - y(i)) /
 * h(i), h(i) = x(i+1) - x(i):
 *  - HERMITE_FRITSCH_CARLSON (0): at an interior node 0 where the two
 *    neighbouring secants differ in sign or one is 0, else their weighted
 *    harmonic mean (weights 2h(i) + h(i-1) and h(i) + 2h(i-1)); at the ends
 *    the one-sided three-point slope, set to 0 where its sign differs from
 *    that of the end secant, and to 3 times the end secant where the first
 *    two secants differ in sign and it exceeds that in magnitude.  Monotone
 *    data give a monotone interpolant; a change of y(j) changes it only
 *    within two intervals of x(j).
 *  - HERMITE_AKIMA (1): d(i) = (w1 m(i-1) + w2 m(i)) / (w1 + w2) with
 *    w1 = |m(i+1) - m(i)|, w2 = |m(i-1) - m(i-2)| (their mean where both are
 *    0), the missing secants beyond the ends extrapolated linearly
 *    (m(-1) = 2 m(0) - m(1), m(-2) = 2 m(-1) - m(0), the same at the right
 *    end).  A change of y(j) changes it only within three intervals of x(j).
 *  - HERMITE_AKIMA_MODIFIZIERT (2): Akima's formula with the weights
 *    w1 = |m(i+1) - m(i)| + |m(i+1) + m(i)| / 2 and w2 = |m(i-1) - m(i-2)| +
 *    |m(i-1) + m(i-2)| / 2, which give a flat run of data (equal values at
 *    three or more nodes) a flat interpolant without overshoot.
 * Where the two secants that a slope averages are equal, every option takes
 * that secant, so data on a straight line give exactly that line.  With two
 * values (one interval) every option gives the line through them.
 *
 * The object holds the n x 4 matrix of the cubics in the spline's layout:
 * row i holds c3, c2, c1, c0 of c3 t^3 + c2 t^2 + c1 t + c0, t = x - x(i),
 * with c0 = y(i), c1 = d(i), c2 = (3 m(i) - 2 d(i) - d(i+1)) / h(i),
 * c3 = (d(i) + d(i+1) - 2 m(i)) / h(i)^2.  Evaluation finds the interval by
 * bisection, as the spline does (an x equal to an interior node x(k) takes
 * interval k-1), and beyond the end nodes continues the end cubics.
 *
 * Text form: "HERMITE_INTERPOLATION: name", "art = " node kind, for a
 * stored kind the nodes as an NM_MATRIX text, for a placed kind "a = " and
 * "b = ", then "steigungen = " the option, then the values as an NM_MATRIX
 * text.  Index base, ownership, zusatz and failures as for every
 * interpolation (numerik/interplt.h).
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_HERMITEIPL_H
#define NUMERIK_HERMITEIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The slopes of the interpolant (hermiteinterpolation_parameter). */
enum {
    HERMITE_FRITSCH_CARLSON = 0,  /**< monotone slopes (harmonic mean) */
    HERMITE_AKIMA = 1,            /**< Akima's weighted slopes */
    HERMITE_AKIMA_MODIFIZIERT = 2 /**< Akima's slopes, modified weights */
};

/** Creation record: the six fields common to the interpolation classes and
 * the option of the slopes.  The vectors may be of any matrix class;
 * creation copies column 1 of them. */
typedef struct hermiteinterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int art;               /**< node kind (numerik/knotenarten.h) */
    objekt *stuetzstellen; /**< node kind 0 only: n+1 ascending finite nodes */
    double a;              /**< placed node kinds only: the interval [a, b] */
    double b;              /**< placed node kinds only */
    objekt *stuetzwerte;   /**< its row count is n+1 (at least 2); column 1 is used */
    int steigungen;        /**< HERMITE_FRITSCH_CARLSON, HERMITE_AKIMA or
                              HERMITE_AKIMA_MODIFIZIERT */
} hermiteinterpolation_parameter;

/** The HERMITE_INTERPOLATION class descriptor. */
extern klasse hermite_interpolation;
/** The HERMITE_INTERPOLATION table. */
extern const interpolation_funktionen hermite_interpolationFunktionen;
/** The record of the HERMITE_INTERPOLATION class (numerik/interplt.h). */
extern const interpolationstyp hermite_typ;

/** Writes the text form (the problem and the option, not the
 * coefficients); returns 0. */
int hermiteinterpolation_speichern(objekt *ip, FILE *aus);
/** Reads a HERMITE_INTERPOLATION text and creates the object from it
 * through kreieren, handing on zusatz; the caller owns the result.  A node
 * kind the table does not know, or a "steigungen = " line that is missing
 * or holds no integer, ends through the fatal path. */
objekt *hermiteinterpolation_laden(FILE *ein, void *zusatz);
/** Releases the interpolation with its three matrices and its name;
 * returns 0. */
int hermiteinterpolation_freigeben(objekt *ip);
/** A new interpolation from a hermiteinterpolation_parameter, its nodes
 * placed by kind and its cubics computed; the caller owns it and keeps the
 * record's vectors.  zusatz is not read.  Missing values or nodes, fewer
 * than two values, a node count other than the value count, given nodes
 * that do not ascend by at least 2^-120, an invalid kind or interval, or
 * an unknown option end through the fatal path. */
objekt *hermiteinterpolation_kreieren(const void *parameter, void *zusatz);
/** The value of the cubic of x's interval at x; y(j) itself at x = x(j). */
double hermiteinterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "HERMITE_INTERPOLATION" for the descriptor. */
const char *hermiteinterpolation_name(objekt *ip);
/** 0: nodes "Stuetzstellen", 1: values "Stuetzwerte", each (n+1) x 1;
 * 2: the n x 4 "Koeffizientenmatrix"; owned by ip.  Another index ends
 * through the fatal path. */
objekt *hermiteinterpolation_imVektor(objekt *ip, int index);
/** a for placed node kinds, the smallest node for kind 0. */
double hermiteinterpolation_linkeGrenze(objekt *ip);
/** b for placed node kinds, the largest node for kind 0. */
double hermiteinterpolation_rechteGrenze(objekt *ip);
/** The first derivative at x: of the cubic of the interval that
 * funktionswert takes (an interior node: the piece to its left; beyond the
 * ends the end pieces), in closed form. */
double hermiteinterpolation_ableitung1(objekt *ip, double x);
/** The second derivative at x, of the same piece (it jumps at the nodes). */
double hermiteinterpolation_ableitung2(objekt *ip, double x);
/** The integral from x1 to x2 (negative for x1 > x2), the closed form of
 * each cubic piece summed; beyond the ends the end pieces go on. */
double hermiteinterpolation_integral(objekt *ip, double x1, double x2);
/** The values at the points x[0..anzahl-1] into y, each as
 * hermiteinterpolation_funktionswert gives it; the interval of each point
 * is found by stepping on from the previous point's while the points
 * ascend. */
void hermiteinterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl);
/** The option of the slopes as given at creation. */
int hermiteinterpolation_steigungen(objekt *ip);

#ifdef __cplusplus
}
#endif

#endif
