/* NM_MATRIX: the dense n x m matrix of doubles and, with one column, the
 * vector type of the whole library. */
#ifndef NUMERIK_NMMATRIX_H
#define NUMERIK_NMMATRIX_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Creation record. */
typedef struct nmmatrix_parameter {
    int n;            /* rows */
    int m;            /* columns */
    const char *name; /* null gives "unbenannt" */
    int nullsetzen;   /* kept for callers; every entry starts as 0.0 either way */
} nmmatrix_parameter;

extern klasse nm_matrix;
extern const matrix_funktionen nm_matrixFunktionen;

objekt *nmmatrix_kreieren(const void *parameter, void *zusatz);
objekt *nmmatrix_laden(FILE *ein, void *zusatz);
int nmmatrix_speichern(objekt *m, FILE *aus);
int nmmatrix_freigeben(objekt *m);
double nmmatrix_amIndex(objekt *m, int i, int j);
void nmmatrix_setzen(objekt *m, int i, int j, double wert);
int nmmatrix_breite(objekt *m);
int nmmatrix_hoehe(objekt *m);
const char *nmmatrix_name(objekt *m);
/* m1 * m2 as a new NM_MATRIX; m1 and m2 may be of any matrix class. */
objekt *nmmatrix_produkt(objekt *m1, objekt *m2);

#ifdef __cplusplus
}
#endif

#endif
