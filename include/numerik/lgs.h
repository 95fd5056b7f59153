/* Linear equation solvers: one entry that decomposes a square system,
 * computes its determinant and solves it, choosing the method by the matrix
 * class; two pivot strategies.
 *
 * Sign convention: the solution x satisfies A*x = -b. */
#ifndef NUMERIK_LGS_H
#define NUMERIK_LGS_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct gleichungssystem {
    objekt *A; /* in, overwritten by the decomposition */
    objekt *b; /* in: n x 1 */
    objekt *p; /* out: "Vektor p", pivot rows (dense Gauss only) */
    objekt *L; /* out: n x n "L" */
    objekt *R; /* out: n x n "R" */
    objekt *c; /* out: "Vektor c", result of the forward substitution */
    objekt *x; /* out: "Loesungsvektor x", A*x = -b */
    double determinante;
} gleichungssystem;

/* Row (k..n) to exchange with row k, or 0 when column k has no pivot. */
typedef int (*pivotstrategie)(objekt *A, int k);

/* 1: solved, all out fields set; 0: unfit record or failed decomposition. */
int lrZerlegungUndDeterminanteUndLoesen(gleichungssystem *lgs, pivotstrategie strategie);

/* The same solve without the dense factors.  L and R of the entry are dense
 * n x n matrices: 16*n*n bytes, which a tridiagonal or cyclic system of a
 * hundred thousand unknowns cannot afford.  This runs the same checks, the
 * same choice of method, and the same decomposition and substitutions with
 * bit-identical arithmetic, but leaves the fields L and R untouched (also on
 * a failed decomposition).  p (dense Gauss only), c, x and determinante are
 * set as by the entry, with the same results, messages and warnings.
 * Tridiagonal and cyclic systems cost O(n) time and memory this way. */
int lgs_loesen_ohne_faktoren(gleichungssystem *lgs, pivotstrategie strategie);

int diagonalStrategie(objekt *A, int k);
int relativeSpaltenMaximumStrategie(objekt *A, int k);

#ifdef __cplusplus
}
#endif

#endif
