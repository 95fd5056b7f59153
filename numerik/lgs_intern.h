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
#ifndef NUMERIK_LGS_INTERN_H
#define NUMERIK_LGS_INTERN_H

#include "lgs.h"

int lgs_loesen_ohne_faktoren(gleichungssystem *lgs, pivotstrategie strategie);

#endif
