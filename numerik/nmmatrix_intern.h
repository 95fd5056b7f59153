// The private data record of NM_MATRIX, for the library's own loops that
// know the class of their vectors (solvers, spline step).  Callers outside
// the library use the function table.
#ifndef NUMERIK_NMMATRIX_INTERN_H
#define NUMERIK_NMMATRIX_INTERN_H

#include "nmmatrix.h"

struct nmmatrixdaten {
    int n;         // rows
    int m;         // columns
    char *name;    // own copy
    double *werte; // n * m entries, row by row
};

// The entries of an NM_MATRIX, row by row; ends the process with status 1
// and no message for a handle without data record.
double *nmmatrix_werte(objekt *m);

#endif
