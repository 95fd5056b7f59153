/** \file
 * BAND_MATRIX: square n x n matrix with m side diagonals on each side of the
 * main diagonal, each diagonal held as an NM_MATRIX column vector.
 *
 * The main diagonal has n entries, the d-th upper and lower side diagonals
 * n-d each: entry k of the d-th upper one is element (k, k+d), of the d-th
 * lower one element (k+d, k).  Elements outside the band read as 0.0.
 * Text form: "BAND_MATRIX: name", "n = " order, "m = " band width, then the
 * 2m+1 diagonals as NM_MATRIX texts in the order of imVektor.  A loaded
 * diagonal keeps the name and size of its own text; one shorter than its
 * diagonal ends with the NM_MATRIX index message when an element beyond its
 * end is read or written.  Index base, ownership, zusatz and failures as for
 * every matrix class (numerik/matrix.h). */
#ifndef NUMERIK_BANDMTRX_H
#define NUMERIK_BANDMTRX_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creation record. */
typedef struct bandmatrix_parameter {
    int n;            /**< order, at least 0 */
    int m;            /**< band width: side diagonals on each side, 0..n */
    const char *name; /**< null gives "unbenannt"; copied */
    int nullsetzen;   /**< kept for callers; every element starts as 0.0 either way */
} bandmatrix_parameter;

/** The BAND_MATRIX class descriptor. */
extern klasse band_matrix;
/** The BAND_MATRIX table; produkt is nmmatrix_produkt. */
extern const matrix_funktionen band_matrixFunktionen;

/** A new band matrix, every element 0.0, from a bandmatrix_parameter (null:
 * order 5, band width 3, "unbenannt"); the caller owns it.  zusatz is not
 * read; the diagonals get the new matrix as theirs.  An order below 0 or a
 * band width outside 0..n ends through the fatal path. */
objekt *bandmatrix_kreieren(const void *parameter, void *zusatz);
/** Reads a BAND_MATRIX text with its 2m+1 diagonals; the caller owns the
 * result.  zusatz goes to the loaders of the diagonals, which do not read
 * it. */
objekt *bandmatrix_laden(FILE *ein, void *zusatz);
/** Writes the text form with every diagonal; returns 0. */
int bandmatrix_speichern(objekt *m, FILE *aus);
/** Releases the matrix with its diagonals and its name; returns 0. */
int bandmatrix_freigeben(objekt *m);
/** Element (i, j), both 1..n; 0.0 outside the band.  Another index ends
 * through the fatal path. */
double bandmatrix_amIndex(objekt *m, int i, int j);
/** Sets element (i, j), both 1..n.  Outside the band only a numerical zero
 * (|wert| <= 2^-120, or NaN) may be written, and it is dropped; another
 * value there, or another index, ends through the fatal path. */
void bandmatrix_setzen(objekt *m, int i, int j, double wert);
/** The order n (the number of columns). */
int bandmatrix_breite(objekt *m);
/** The order n (the number of rows). */
int bandmatrix_hoehe(objekt *m);
/** The name, owned by m; "BAND_MATRIX" for the descriptor. */
const char *bandmatrix_name(objekt *m);
/** The diagonal vector number index, counted from 0: 0 the main diagonal,
 * 2d-1 the d-th upper and 2d the d-th lower side diagonal (d = 1..m).  The
 * vector belongs to m; writing its entries writes the matrix.  Another
 * index ends through the fatal path. */
objekt *bandmatrix_imVektor(objekt *m, int index);
/** The band width m. */
int bandmatrix_bandbreite(objekt *m);

#ifdef __cplusplus
}
#endif

#endif
