/** \file
 * A06__MATRIX: symmetric cyclic tridiagonal n x n matrix: main diagonal, one
 * side diagonal serving above and below it, and the corner value at (1,n)
 * and (n,1).
 *
 * Entry k of the main diagonal is element (k, k), k = 1..n; entry k of the
 * side diagonal is both (k, k+1) and (k+1, k), k = 1..n-1; the corner vector
 * has one entry.  For n = 2 the side diagonal holds (1,2) and (2,1), and the
 * corner is never read.  Every other element reads as 0.0.  Text form:
 * "A06__MATRIX: name", "n = " order, then main diagonal, side diagonal and
 * corner as NM_MATRIX texts; their sizes are not compared with n at loading,
 * and a short vector ends with the NM_MATRIX index message when an element
 * beyond its end is read or written.  Index base, ownership, zusatz and
 * failures as for every matrix class (numerik/matrix.h). */
#ifndef NUMERIK_A06_MTRX_H
#define NUMERIK_A06_MTRX_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creation record. */
typedef struct a06_matrix_parameter {
    int n;            /**< order, at least 1 */
    const char *name; /**< null gives "unbenannt"; copied */
    int nullsetzen;   /**< kept for callers; every element starts as 0.0 either way */
} a06_matrix_parameter;

/** The A06__MATRIX class descriptor. */
extern klasse a06__matrix;
/** The A06__MATRIX table; produkt is nmmatrix_produkt, bandbreite is null. */
extern const matrix_funktionen a06__matrixFunktionen;

/** A new cyclic matrix, every element 0.0, from an a06_matrix_parameter
 * (null: order 5, "unbenannt"); the caller owns it.  zusatz is not read; the
 * three vectors get the new matrix as theirs.  An order below 1 ends through
 * the fatal path. */
objekt *a06_matrix_kreieren(const void *parameter, void *zusatz);
/** Reads an A06__MATRIX text with its three vectors; the caller owns the
 * result.  zusatz is not read. */
objekt *a06_matrix_laden(FILE *ein, void *zusatz);
/** Writes the text form with the three vectors; returns 0. */
int a06_matrix_speichern(objekt *m, FILE *aus);
/** Releases the matrix with its vectors and its name; returns 0. */
int a06_matrix_freigeben(objekt *m);
/** Element (i, j), both 1..n; 0.0 where the shape has a zero.  Another index
 * ends through the fatal path. */
double a06_matrix_amIndex(objekt *m, int i, int j);
/** Sets element (i, j), both 1..n; (k, k+1) and (k+1, k) are one entry.
 * Where the shape has a zero only a numerical zero (|wert| < 2^-120, or NaN)
 * may be written, and it is dropped; another value there, or another index,
 * ends through the fatal path. */
void a06_matrix_setzen(objekt *m, int i, int j, double wert);
/** The order n (the number of columns). */
int a06_matrix_breite(objekt *m);
/** The order n (the number of rows). */
int a06_matrix_hoehe(objekt *m);
/** The name, owned by m; "A06__MATRIX" for the descriptor. */
const char *a06_matrix_name(objekt *m);
/** Index 0: main diagonal, 1: side diagonal, 2: the 1 x 1 corner vector;
 * counted from 0, owned by m (writing its entries writes the matrix).
 * Another index ends through the fatal path. */
objekt *a06_matrix_imVektor(objekt *m, int index);

#ifdef __cplusplus
}
#endif

#endif
