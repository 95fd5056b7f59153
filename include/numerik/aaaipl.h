/** \file
 * AAA_INTERPOLATION: the rational approximation of a sample by the adaptive
 * Antoulas-Anderson method (AAA).
 *
 * From M sample points Z(1..M) (given, pairwise distinct, or placed by a
 * node kind on [a, b]) and values F(1..M), creation picks support points
 * z(1..m) among the sample, one at a time where the current approximation
 * is worst, and after each pick the weights w that minimise the linearised
 * error over the other sample points (the right singular vector of the
 * smallest singular value of the Loewner matrix).  It stops when
 * max |F - r| <= toleranz max |F| on the sample, or at degree grad.  Poles
 * with a residue below 1e-13 max |F| (Froissart doublets) are then removed
 * with their nearest support point, and the weights fitted again.  The
 * result is the rational function of type (m-1, m-1)
 *
 *     r(x) = sum w(j) f(j) / (x - z(j))  /  sum w(j) / (x - z(j)),
 *
 * which takes the value f(j) = F at each support point.  Its degree is m-1.
 * Evaluation, derivatives and the integral are those of a barycentric form;
 * the poles, residues and zeros come from a generalized eigenvalue problem.
 *
 * The object holds the result, not the sample: vector 0 the support points
 * "Stuetzstellen", 1 their values "Stuetzwerte", 2 the weights "Gewichte"
 * (unit length), each m x 1, in the order they were chosen.  Its interval is
 * that of the sample.
 *
 * Text form: "AAA_INTERPOLATION: name", "a = " and "b = " (the sample's
 * interval), "toleranz = " and "grad = " as given, then the support points,
 * their values and the weights as NM_MATRIX texts.  Loading takes them as
 * they stand (nothing is fitted again); support points must be finite and
 * distinct, values and weights finite, the weights not all 0.
 *
 * Index base, ownership, zusatz and failures as for every interpolation
 * (numerik/interplt.h).  The header compiles as C and as C++; every name has
 * C linkage. */
#ifndef NUMERIK_AAAIPL_H
#define NUMERIK_AAAIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The defaults of the options: the relative tolerance and the largest degree. */
#define AAA_TOLERANZ_STANDARD 1e-13
/** The largest degree where the caller gives none. */
enum { AAA_GRAD_STANDARD = 100 };

/** Creation record: the six fields common to the interpolation classes (the
 * sample), the tolerance and the largest degree. */
typedef struct aaainterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int art;               /**< node kind of the sample (numerik/knotenarten.h) */
    objekt *stuetzstellen; /**< node kind 0 only: the M sample points, distinct and finite */
    double a;              /**< placed node kinds only: the interval [a, b] */
    double b;              /**< placed node kinds only */
    objekt *stuetzwerte;   /**< the M values F, finite, not all equal; column 1 is used */
    /** max |F - r| <= toleranz max |F| on the sample ends the search; finite and > 0 */
    double toleranz;
    /** the largest degree, 1 to M-1; AAA_GRAD_STANDARD stands for min(100, M-1) */
    int grad;
} aaainterpolation_parameter;

/** The AAA_INTERPOLATION class descriptor. */
extern klasse aaa_interpolation;
/** The AAA_INTERPOLATION table. */
extern const interpolation_funktionen aaa_interpolationFunktionen;
/** The record of the AAA_INTERPOLATION class (numerik/interplt.h). */
extern const interpolationstyp aaa_typ;

/** Writes the text form (interval, options, support points, values,
 * weights); returns 0. */
int aaainterpolation_speichern(objekt *ip, FILE *aus);
/** Reads an AAA_INTERPOLATION text and makes the object of its support
 * points, values and weights; the caller owns it.  zusatz is not read.  A
 * missing or malformed line, vectors of different lengths, a support point
 * or value that is not finite, two equal support points or weights all 0
 * end through the fatal path. */
objekt *aaainterpolation_laden(FILE *ein, void *zusatz);
/** Releases the interpolation with its three vectors and its name; returns 0. */
int aaainterpolation_freigeben(objekt *ip);
/** A new approximation of the sample of an aaainterpolation_parameter; the
 * caller owns it and keeps the record's vectors.  zusatz is not read.
 * Missing values or sample points, fewer than 2 of them, equal or
 * non-finite sample points, values that are all equal or not finite, a
 * tolerance that is not finite and positive, or a degree outside 1..M-1 end
 * through the fatal path. */
objekt *aaainterpolation_kreieren(const void *parameter, void *zusatz);
/** r(x); f(j) at a support point. */
double aaainterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "AAA_INTERPOLATION" for the descriptor. */
const char *aaainterpolation_name(objekt *ip);
/** 0: the support points, 1: their values, 2: the weights; owned by ip.
 * Another index ends through the fatal path. */
objekt *aaainterpolation_imVektor(objekt *ip, int index);
/** The left end of the sample. */
double aaainterpolation_linkeGrenze(objekt *ip);
/** The right end of the sample. */
double aaainterpolation_rechteGrenze(objekt *ip);
/** r'(x) by the derivative formula of the barycentric form. */
double aaainterpolation_ableitung1(objekt *ip, double x);
/** r''(x) likewise. */
double aaainterpolation_ableitung2(objekt *ip, double x);
/** The integral of r from x1 to x2 (negative for x1 > x2): adaptive
 * 20-point Gauss-Legendre, panels halved until two levels agree to
 * 1e-14 relative. */
double aaainterpolation_integral(objekt *ip, double x1, double x2);
/** The values at the points x[0..anzahl-1] into y, each as
 * aaainterpolation_funktionswert gives it. */
void aaainterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl);
/** The degree m-1 of r (support points minus one). */
int aaainterpolation_grad(objekt *ip);
/** The finite poles of r, at most m-1, ordered by real and then imaginary
 * part: their number; the first min(number, platz) go to re and im (either
 * may be null with platz 0). */
int aaainterpolation_pole(objekt *ip, double *re, double *im, int platz);
/** The residues of r at its poles, in the order of aaainterpolation_pole;
 * their number, and as many as fit into re and im. */
int aaainterpolation_residuen(objekt *ip, double *re, double *im, int platz);
/** The finite zeros of r, ordered as the poles; their number, and as many as
 * fit into re and im. */
int aaainterpolation_nullstellen(objekt *ip, double *re, double *im, int platz);

#ifdef __cplusplus
}
#endif

#endif
