// The Hermite form's cubics from its nodes and values, shared by the class
// file (hermiteipl.cpp) and the pass that computes them
// (hermite_kubiken.cpp).
#ifndef NUMERIK_HERMITE_INTERN_H
#define NUMERIK_HERMITE_INTERN_H

// Slopes (steigungen one of HERMITE_FRITSCH_CARLSON, HERMITE_AKIMA,
// HERMITE_AKIMA_MODIFIZIERT) and cubics of the nodes x and values y (n
// intervals, n + 1 of each) into the n x 4 rows c.  A step that is not at
// least 2^-120 ends with "Die Stuetzstellen fuer HERMITE_INTERPOLATION %s
// muessen aufsteigend sein!".  Secants of a size whose weights would
// overflow are scaled by a power of 2 for the slopes, which leaves every
// other slope as it was.  True when every coefficient is finite.
bool hermite_kubiken(int n, int steigungen, const char *name, const double *x, const double *y,
                     double *c);

#endif
