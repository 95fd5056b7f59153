/** \file
 * Linear equation solvers: one entry that decomposes a square system,
 * computes its determinant and solves it, choosing the method by the matrix
 * class; two pivot strategies.
 *
 * Sign convention: the solution x satisfies A*x = -b.  To solve A*x = b,
 * hand in -b.
 *
 * The method follows the descriptor that A's klasse slot returns:
 *  - NM_MATRIX: dense Gaussian elimination with the strategy's row
 *    interchanges (a strategy is required);
 *  - BAND_MATRIX of band width 1, with diagonalStrategie or no strategy:
 *    tridiagonal elimination without interchanges; it never fails, a zero
 *    pivot runs into IEEE infinities and NaNs;
 *  - A06__MATRIX of order 2 or more: a cyclic Cholesky-type decomposition
 *    for a symmetric positive definite matrix; the strategy plays no part.
 *
 * Any other class (a band width other than 1 included) ends through the
 * fatal path, as do a dense system without a strategy and a cyclic matrix
 * of order 1.
 *
 * Ownership: A and b stay the caller's.  Every result vector (p, L, R, c, x)
 * is a new NM_MATRIX that the caller owns and releases, also after a return
 * of 0 or a failure left through a handler.  The solver sets the result
 * fields it makes and never reads or releases what they held before: start
 * from a zeroed record, so that a null field marks a vector not made.
 *
 * Failures: an unfit record or a failed decomposition is no failure, the
 * entry returns 0; everything else (no method, an index beyond a short
 * diagonal, memory) goes through the fatal path of numerik/fehler.h.  A
 * warning of the cyclic method goes to standard error and the work goes
 * on. */
#ifndef NUMERIK_LGS_H
#define NUMERIK_LGS_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

/** A system A*x = -b with the results of its solve. */
typedef struct gleichungssystem {
    /** in: the n x n matrix, of any of the three classes; overwritten by the
     * decomposition. */
    objekt *A;
    /** in: n x 1; dense Gauss applies its row interchanges to b in place. */
    objekt *b;
    /** out: "Vektor p" (dense Gauss only), n x 1: p(k) the row exchanged with
     * row k at step k = 1..n-1; made also when the decomposition fails. */
    objekt *p;
    /** out: n x n "L", the lower factor (unit diagonal after elimination; for
     * the cyclic method the Cholesky-type factor, R = L^T).  Entry only; the
     * cyclic method makes it first and leaves it partly filled when its
     * decomposition fails. */
    objekt *L;
    /** out: n x n "R", the upper factor; entry only, on success. */
    objekt *R;
    /** out: "Vektor c", result of the forward substitution. */
    objekt *c;
    /** out: "Loesungsvektor x", A*x = -b for A and b as handed in. */
    objekt *x;
    /** out: the determinant of A as handed in: the product of the pivots,
     * with the sign of the interchanges. */
    double determinante;
} gleichungssystem;

/** A pivot strategy of dense Gauss, asked at step k = 1..n-1 with the partly
 * eliminated A: the row (k..n) to exchange with row k, or 0 when column k has
 * no pivot (the solve then returns 0). */
typedef int (*pivotstrategie)(objekt *A, int k);

/** Solves lgs (A*x = -b) and sets every result field: 1 when solved.  0 for
 * an unfit record (A or b null, A not square, b not n x 1), with no field
 * set, or for a failed decomposition (no pivot from the strategy; a last
 * dense pivot or a cyclic pivot below 2^-120), with the fields made so far
 * set. */
int lrZerlegungUndDeterminanteUndLoesen(gleichungssystem *lgs, pivotstrategie strategie);

/** The same solve without the dense factors.  L and R of the entry are dense
 * n x n matrices: 16*n*n bytes, which a tridiagonal or cyclic system of a
 * hundred thousand unknowns cannot afford.  This runs the same checks, the
 * same choice of method, and the same decomposition and substitutions with
 * bit-identical arithmetic, but leaves the fields L and R untouched (also on
 * a failed decomposition).  p (dense Gauss only), c, x and determinante are
 * set as by the entry, with the same results, messages and warnings.
 * Tridiagonal and cyclic systems cost O(n) time and memory this way. */
int lgs_loesen_ohne_faktoren(gleichungssystem *lgs, pivotstrategie strategie);

/** Row k itself (no interchange), or 0 when |A(k,k)| < 2^-120. */
int diagonalStrategie(objekt *A, int k);
/** The row i of k..n whose |A(i,k)| is largest relative to the sum of
 * |A(i,j)|, j = k..n (ties: the smallest row).  0 when one of these sums is
 * below 2^-120, when no ratio is above 0, or when the chosen pivot is below
 * 2^-120. */
int relativeSpaltenMaximumStrategie(objekt *A, int k);

#ifdef __cplusplus
}
#endif

#endif
