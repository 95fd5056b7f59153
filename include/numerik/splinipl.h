/** \file
 * SPLINE_INTERPOLATION: cubic splines with given end second derivatives,
 * natural, periodic, not-a-knot, or with given end slopes (clamped).
 *
 * n+1 nodes x(1) < ... < x(n+1) (n >= 2 intervals, each step at least
 * 2^-120) and values y(1..n+1).  On interval i = 1..n the spline is
 * s(x) = K(i,1) t^3 + K(i,2) t^2 + K(i,3) t + K(i,4) with t = x - x(i), K the
 * n x 4 coefficient matrix (imVektor 2), computed from the second
 * derivatives at the nodes.  A periodic spline needs y(1) = y(n+1): end
 * values that differ by more than 2^-120 are replaced by their mean, with a
 * warning.  A periodic spline of three nodes is continued over a second
 * period to five nodes, with a warning that shows the new vectors, and
 * becomes kind SPLINE_PERIODISCH_FORTGESETZT.  A not-a-knot spline of
 * three nodes is the parabola through them, of two nodes (n = 1) the line;
 * a clamped spline of two nodes is the cubic with the given end values and
 * slopes.  Only the class's own creation takes two nodes: the generic
 * checks (interpolation_erzeugen, loading) ask three values of every
 * spline.
 *
 * Text form: "SPLINE_INTERPOLATION: name", "stuetzstellenart = " node kind;
 * for node kind 0 the nodes as an NM_MATRIX text, for node kinds 1 and 2
 * "a = " and "b = "; "splineart = " spline kind; for spline kind 0
 * "abl2links = " and "abl2rechts = ", for spline kind 3 "a_benutzer = " and
 * "b_benutzer = ", for spline kind 5 "abl1links = " and "abl1rechts = ";
 * then the values as an NM_MATRIX text.  Index base,
 * ownership, zusatz and failures as for every interpolation
 * (numerik/interplt.h). */
#ifndef NUMERIK_SPLINIPL_H
#define NUMERIK_SPLINIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Spline kinds. */
enum {
    SPLINE_ABL2_GEGEBEN = 0,           /**< end second derivatives given */
    SPLINE_NATUERLICH = 1,             /**< second derivative 0 at both ends */
    SPLINE_PERIODISCH = 2,             /**< periodic */
    SPLINE_PERIODISCH_FORTGESETZT = 3, /**< periodic, three nodes continued to five */
    /** s''' continuous at the second and the second-to-last node */
    SPLINE_NOT_A_KNOT = 4,
    SPLINE_EINGESPANNT = 5 /**< clamped: end first derivatives given */
};

/** Added to the node kind: no periodic continuation, no coefficients.  The
 * object can be stored (without the flag) and its vectors read, the
 * coefficients being zeros; its bounds and its evaluation end through the
 * fatal path. */
enum { OHNE_KOEFFIZIENTEN = 64 };

/** Creation record.  The vectors may be of any matrix class; creation copies
 * column 1 of them. */
typedef struct splineinterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int stuetzstellenart;  /**< node kind, optionally + OHNE_KOEFFIZIENTEN */
    objekt *stuetzstellen; /**< node kind 0 only: n+1 rows, ascending */
    double a;              /**< node kinds 1 and 2 only: the interval [a, b] */
    double b;              /**< node kinds 1 and 2 only */
    objekt *stuetzwerte;   /**< n+1 rows (at least 3); column 1 is used */
    int splineart;         /**< 0, 1, 2, 4 or 5 */
    double abl2links;      /**< spline kind 0 only: s'' at x(1) */
    double abl2rechts;     /**< spline kind 0 only: s'' at x(n+1) */
    double abl1links;      /**< spline kind 5 only: s' at x(1) */
    double abl1rechts;     /**< spline kind 5 only: s' at x(n+1) */
} splineinterpolation_parameter;

/** The SPLINE_INTERPOLATION class descriptor. */
extern klasse spline_interpolation;
/** The SPLINE_INTERPOLATION table. */
extern const interpolation_funktionen spline_interpolationFunktionen;
/** The record of the SPLINE_INTERPOLATION class (numerik/interplt.h). */
extern const interpolationstyp spline_typ;

/** Writes the text form (the problem, not the coefficients; the node kind
 * without OHNE_KOEFFIZIENTEN); returns 0. */
int splineinterpolation_speichern(objekt *ip, FILE *aus);
/** Reads a SPLINE_INTERPOLATION text and creates the object from it,
 * handing on zusatz; the caller owns the result.  A stored spline of kind 3
 * is created through kind 2 and then comes back as kind 3 with the stored
 * a_benutzer and b_benutzer: the same bounds, no wrapping, and the same text
 * when it is stored again.  A node kind other than 0, 1 or 2 in the text is
 * rejected right after its key line. */
objekt *splineinterpolation_laden(FILE *ein, void *zusatz);
/** Releases the spline with its three vectors and its name; returns 0. */
int splineinterpolation_freigeben(objekt *ip);
/** A new spline from a splineinterpolation_parameter: nodes placed by kind,
 * periodic end values averaged, three periodic nodes continued, and, as the
 * last action, the coefficient step, to which zusatz is handed on (it is
 * not read).  The caller owns the result and keeps the record's vectors.
 * Missing values or nodes, fewer than three values (two for spline kinds 4
 * and 5), a node count other than
 * the value count, an invalid node kind, interval or spline kind (3
 * included), nodes that do not ascend, or a failed solve end through the
 * fatal path. */
objekt *splineinterpolation_kreieren(const void *parameter, void *zusatz);
/** s(x).  An x equal to an interior node x(k) is evaluated on interval k-1
 * at its right end; outside the nodes the first or last piece goes on.  Kind
 * 2 wraps x into [linkeGrenze, rechteGrenze], the bounds being taken at the
 * object's first evaluation and kept in the object.  An x that repeated
 * addition of the period would not bring up to the interval in 2^20 steps
 * (x = -inf included) is reduced by fmod alone; NaN and +-inf give NaN. */
double splineinterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "SPLINE_INTERPOLATION" for the descriptor. */
const char *splineinterpolation_name(objekt *ip);
/** 0: nodes "Stuetzstellen", 1: values "Stuetzwerte" (each (n+1) x 1),
 * 2: the n x 4 coefficient matrix; counted from 0, owned by ip.  Another
 * index ends through the fatal path. */
objekt *splineinterpolation_imVektor(objekt *ip, int index);
/** a for node kinds 1 and 2 (a_benutzer for spline kind 3), the smallest
 * node for node kind 0. */
double splineinterpolation_linkeGrenze(objekt *ip);
/** b for node kinds 1 and 2 (b_benutzer for spline kind 3), the largest node
 * for node kind 0. */
double splineinterpolation_rechteGrenze(objekt *ip);
/** s'(x), in closed form on the piece that funktionswert takes (an
 * interior node: the piece to its left; kind 2 wraps x as funktionswert
 * does). */
double splineinterpolation_ableitung1(objekt *ip, double x);
/** s''(x) on the same piece. */
double splineinterpolation_ableitung2(objekt *ip, double x);
/** The integral of s from x1 to x2 (negative for x1 > x2): the closed form
 * of each cubic piece summed; beyond the ends the end pieces go on, and a
 * periodic spline of kind 2 counts whole periods of its interval and the
 * wrapped rest. */
double splineinterpolation_integral(objekt *ip, double x1, double x2);
/** The values at the points x[0..anzahl-1] into y, each as
 * splineinterpolation_funktionswert gives it (periodic wrap included);
 * the interval of each point is found by stepping on from the previous
 * point's while the points ascend.  Leaves the object's own search state
 * for the one-point slot as it was, apart from its record of the nodes'
 * order. */
void splineinterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl);

/** The coefficient step, called by creation as its last action: the second
 * derivatives from a tridiagonal system of order n-1 (spline kinds 0 and 1,
 * and kind 4 with its end rows folded in), of order n+1 (kind 5) or a
 * cyclic one of order n (kinds 2 and 3), solved as numerik/lgs.h solves it
 * (the same operations, so the same doubles), then the n x 4
 * coefficients.  It replaces the coefficient matrix by a new
 * one: a vector taken from imVektor(ip, 2) before is gone.  zusatz is not
 * read.  Returns 0; nodes that do not ascend by at least 2^-120, or a
 * failed solve, end through the fatal path. */
int splineinterpolation_koeffizienten(objekt *ip, void *zusatz);

#ifdef __cplusplus
}
#endif

#endif
