// The private data record of NM_MATRIX, for the library's own loops that
// know the class of their vectors (solvers, spline step, evaluation, the
// programs' result vectors).  Callers outside the library use the function
// table.
#ifndef NUMERIK_NMMATRIX_INTERN_H
#define NUMERIK_NMMATRIX_INTERN_H

#include "fehler.h"
#include "nmmatrix.h"

struct nmmatrixdaten {
    int n;         // rows
    int m;         // columns
    char *name;    // own copy
    double *werte; // n * m entries, row by row
    // Counts every setzen and every hand-out of the writable entries
    // (nmmatrix_werte).  Whoever has proved something about the entries
    // (the spline's node order) sees by an unchanged count that nothing can
    // have been written since.
    unsigned long long stand;
};

// True for a handle of the NM_MATRIX class itself (not a copy of its table).
inline bool ist_nmmatrix(const objekt *m) {
    return m->funktionen == &nm_matrixFunktionen;
}

// The record; ends the process with status 1 and no message for a handle
// without one.
inline nmmatrixdaten *nmmatrix_daten(objekt *m) {
    if (m->daten == nullptr) still_beenden();
    return static_cast<nmmatrixdaten *>(m->daten);
}

// The entries, row by row, for writing.  The hand-out counts as a write:
// the pointer is meant to be used at once, not kept across calls into other
// parts of the library.
inline double *nmmatrix_werte(objekt *m) {
    nmmatrixdaten *d = nmmatrix_daten(m);
    ++d->stand;
    return d->werte;
}

// The entries, row by row, for reading only.
inline const double *nmmatrix_eintraege(objekt *m) {
    return nmmatrix_daten(m)->werte;
}

#endif
