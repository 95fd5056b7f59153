// The solver without its dense factors, for the library's own callers.
//
// lrZerlegungUndDeterminanteUndLoesen hands back "L" and "R" as dense n x n
// matrices: 16*n*n bytes, which a tridiagonal or cyclic system of a hundred
// thousand unknowns cannot afford.  lgs_loesen_ohne_faktoren runs the same
// checks, the same dispatch and the same decomposition and substitutions with
// bit-identical arithmetic, but extracts no dense factors: the fields L and
// R are left untouched, and the cyclic Cholesky factor is held in O(n) form
// inside the call and released before it returns.  p (dense Gauss), c, x and
// determinante are set as by the entry; the caller owns and frees them.
// Tridiagonal and cyclic systems cost O(n) time and memory this way.
//
// Both functions are one implementation (lgs.cpp): the entry differs only in
// attaching its dense "L" to the cyclic decomposition, which writes every
// factor value into it as well, and in extracting "L" and "R" at the end.
// Results and failures are therefore those of the entry: result 0 for an
// unfit record or a failed decomposition (p set for dense Gauss, A partly
// overwritten; here L stays untouched also on a failed Cholesky step), the
// same fatal messages (no method, dense matrix without strategy, index
// messages of short loaded diagonals) and the same Cholesky warning.
//
// The spline coefficient step calls it with diagonalStrategie and a
// BAND_MATRIX of band width 1 (order n-1, order 1 with two empty side
// diagonals included) or an A06__MATRIX of order >= 3.
#ifndef NUMERIK_LGS_INTERN_H
#define NUMERIK_LGS_INTERN_H

#include "lgs.h"

int lgs_loesen_ohne_faktoren(gleichungssystem *lgs, pivotstrategie strategie);

#endif
