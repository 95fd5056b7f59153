/* A06__MATRIX: symmetric cyclic tridiagonal n x n matrix: main diagonal, one
 * side diagonal serving above and below it, and the corner value at (1,n)
 * and (n,1). */
#ifndef NUMERIK_A06_MTRX_H
#define NUMERIK_A06_MTRX_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct a06_matrix_parameter {
    int n;            /* order */
    const char *name; /* null gives "unbenannt" */
    int nullsetzen;   /* kept for callers; every element starts as 0.0 either way */
} a06_matrix_parameter;

extern klasse a06__matrix;
extern const matrix_funktionen a06__matrixFunktionen;

objekt *a06_matrix_kreieren(const void *parameter, void *zusatz);
objekt *a06_matrix_laden(FILE *ein, void *zusatz);
int a06_matrix_speichern(objekt *m, FILE *aus);
int a06_matrix_freigeben(objekt *m);
double a06_matrix_amIndex(objekt *m, int i, int j);
void a06_matrix_setzen(objekt *m, int i, int j, double wert);
int a06_matrix_breite(objekt *m);
int a06_matrix_hoehe(objekt *m);
const char *a06_matrix_name(objekt *m);
/* Index 0: main diagonal, 1: side diagonal, 2: the 1 x 1 corner vector. */
objekt *a06_matrix_imVektor(objekt *m, int index);

#ifdef __cplusplus
}
#endif

#endif
