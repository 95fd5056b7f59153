/* BAND_MATRIX: square n x n matrix with m side diagonals on each side of the
 * main diagonal, each diagonal held as an NM_MATRIX column vector. */
#ifndef NUMERIK_BANDMTRX_H
#define NUMERIK_BANDMTRX_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct bandmatrix_parameter {
    int n;            /* order */
    int m;            /* band width: side diagonals on each side */
    const char *name; /* null gives "unbenannt" */
    int nullsetzen;   /* kept for callers; every element starts as 0.0 either way */
} bandmatrix_parameter;

extern klasse band_matrix;
extern const matrix_funktionen band_matrixFunktionen;

objekt *bandmatrix_kreieren(const void *parameter, void *zusatz);
objekt *bandmatrix_laden(FILE *ein, void *zusatz);
int bandmatrix_speichern(objekt *m, FILE *aus);
int bandmatrix_freigeben(objekt *m);
double bandmatrix_amIndex(objekt *m, int i, int j);
void bandmatrix_setzen(objekt *m, int i, int j, double wert);
int bandmatrix_breite(objekt *m);
int bandmatrix_hoehe(objekt *m);
const char *bandmatrix_name(objekt *m);
/* Index 0: main diagonal; 2d-1: d-th upper, 2d: d-th lower side diagonal. */
objekt *bandmatrix_imVektor(objekt *m, int index);
int bandmatrix_bandbreite(objekt *m);

#ifdef __cplusplus
}
#endif

#endif
