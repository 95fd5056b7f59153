/** \file
 * The Lebesgue function and constant of the nodes of a node kind
 * (numerik/knotenarten.h) on [a, b]: Lambda_n = max over [a, b] of
 * sum_j |l_j(x)|, l_j the Lagrange basis polynomials of the n+1 nodes.
 * The interpolating polynomial's error is at most (1 + Lambda_n) times the
 * best polynomial's, and Lambda_n is the factor by which it may magnify
 * errors in the values, rounding among them.
 *
 * Every failure ends through the library's fatal path (numerik/fehler.h).
 *
 * C++ only: everything it declares itself is under __cplusplus; a C
 * compiler sees an empty header. */
#ifndef NUMERIK_LEBESGUE_H
#define NUMERIK_LEBESGUE_H

#ifdef __cplusplus

#include <vector>

/** The Lebesgue function sum_j |l_j(x)| of the n+1 nodes of kind art
 * (numerik/knotenarten.h) on [a, b], l_j the Lagrange basis polynomials,
 * at the punkte points x(i) = (i*b + (N-i)*a)/N, i = 0..N = punkte-1.  It
 * is evaluated in the barycentric form sum_j |w_j/(x-x_j)| / |sum_j
 * w_j/(x-x_j)|, exactly 1 at a node.  A kind without placement on [a, b],
 * n < 1, punkte < 2 or a >= b end through the fatal path. */
std::vector<double> lebesgue_funktion(int art, int n, double a, double b, int punkte);

/** The Lebesgue constant Lambda_n = max over [a, b] of the Lebesgue
 * function of the n+1 nodes of kind art: the largest value on the punkte
 * grid points and at the midpoint of every node interval, refined around
 * the highest local maxima by golden-section search, to about 1e-10
 * relative.  It costs some n * (punkte + 2 n) operations.  Checks as
 * lebesgue_funktion. */
double lebesgue_konstante(int art, int n, double a, double b, int punkte);

/** Up to this n lebesgue_schnell samples the constant: some 12 n^2
 * operations, 5e5 here, less than a millisecond. */
constexpr int LEBESGUE_ABGETASTET_BIS = 200;

/** Lambda_n of the n+1 nodes of kind art, cheaply: sampled
 * (lebesgue_konstante on [-1, 1], which it does not depend on, with ten
 * steps per node interval) up to n = LEBESGUE_ABGETASTET_BIS, beyond the
 * kind's large-n form (knotenart::lebesgue_gross: a bound for the
 * Chebyshev kinds, the leading term of the growth for equidistant nodes),
 * sampled at every n for a kind without one.  Checks as
 * lebesgue_funktion. */
double lebesgue_schnell(int art, int n);

#endif

#endif
