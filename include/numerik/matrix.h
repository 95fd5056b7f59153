/** \file
 * Matrix class cluster: object handle, class descriptor, the matrix function
 * table, the generic loader, printer and class query.
 *
 * What holds for every object of the library, matrix or interpolation:
 *
 * - Calls go through the object's table: matrix_tabelle(m)->hoehe(m),
 *   interpolation_tabelle(ip)->funktionswert(ip, x).  A class's named
 *   functions (nmmatrix_hoehe, ...) are the very functions its table holds.
 * - Index base: amIndex and setzen count rows i = 1..hoehe and columns
 *   j = 1..breite from 1; an index outside the matrix ends through the fatal
 *   path.  imVektor counts an object's vectors from 0.  A vector is a matrix
 *   of one column: its element k is (k, 1).
 * - Ownership: an object returned by kreieren, laden or produkt belongs to
 *   the caller, who releases it once with its own freigeben slot (C++: hold
 *   it in a matrix_zeiger or interpolation_zeiger).  Creation copies what
 *   its record names: the name text and the vectors stay the caller's, to be
 *   released by the caller whenever it likes.  A vector handed out by
 *   imVektor belongs to its object: it lives as long as the object, the
 *   caller never releases it, and a value written into it changes the
 *   object.  The text from a name slot belongs to the object as well.
 * - zusatz: an untyped second argument of laden and kreieren that no class
 *   of the library reads.  laden hands it on to creation, and the spline's
 *   kreieren hands it to its coefficient step; vectors that an object makes
 *   for itself at creation get the new handle as their zusatz.  Callers pass
 *   null.
 * - Text format (speichern writes it, laden reads it): a header line
 *   "TYP: name" (type text, colon, name; blanks after the colon are skipped,
 *   an empty name reads as "unbenannt"), key lines "key = value" recognised
 *   by their beginning, and a body.  Numbers stand one a line, written with
 *   "%f" (six decimals) and read as scanf's "%lf" reads them.  Vectors inside
 *   an object's text are NM_MATRIX texts.  Lines are read with at most 8191
 *   characters.
 * - Failures: every failure (a bad text, an index out of range, memory that
 *   cannot be had, a handle without its data record) goes through the fatal
 *   path of numerik/fehler.h: a German message on standard error and exit
 *   status 1, or the caller's handler.  Warnings go to standard error and
 *   the work goes on.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_MATRIX_H
#define NUMERIK_MATRIX_H

#include "objekt.h"

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/** The fourteen slots of every matrix class, in this order; callers index the
 * table, so the order is interface.  A slot that a class lacks is null. */
typedef struct matrix_funktionen {
    /** Prints m readably (matrix_ausgeben); returns 1. */
    int (*ausgeben)(objekt *m, FILE *aus);
    /** Writes m's text form; returns 0.  A failed write shows in the stream's
     * error flag. */
    int (*speichern)(objekt *m, FILE *aus);
    /** Reads one object of the class from its text and returns it; the caller
     * owns it.  zusatz: see above, pass null. */
    objekt *(*laden)(FILE *ein, void *zusatz);
    /** Releases m with its vectors and name; returns 0. */
    int (*freigeben)(objekt *m);
    /** A new object from the class's creation record (nmmatrix_parameter,
     * bandmatrix_parameter, a06_matrix_parameter); the caller owns it.
     * zusatz: see above, pass null. */
    objekt *(*kreieren)(const void *parameter, void *zusatz);
    /** Element (i, j), counted from 1. */
    double (*amIndex)(objekt *m, int i, int j);
    /** Sets element (i, j), counted from 1, to wert. */
    void (*setzen)(objekt *m, int i, int j, double wert);
    /** The number of columns. */
    int (*breite)(objekt *m);
    /** The number of rows. */
    int (*hoehe)(objekt *m);
    /** The object's name, owned by it; for a descriptor the type text. */
    const char *(*name)(objekt *m);
    /** Returns the class descriptor (a klasse*). */
    objekt *(*klasse)(objekt *m);
    /** m1 * m2 as a new NM_MATRIX (nmmatrix_produkt); the caller owns it. */
    objekt *(*produkt)(objekt *m1, objekt *m2);
    /** The object's vector number index, counted from 0, owned by m (null
     * slot for NM_MATRIX). */
    objekt *(*imVektor)(objekt *m, int index);
    /** The band width (BAND_MATRIX only; null slot elsewhere). */
    int (*bandbreite)(objekt *m);
} matrix_funktionen;

/** The one place where a handle's table is seen as a matrix table; m may be a
 * handle or a descriptor. */
static inline const matrix_funktionen *matrix_tabelle(const objekt *m) {
    return (const matrix_funktionen *)m->funktionen;
}

/** The abstract matrix class: its table holds only laden (matrix_laden). */
extern klasse allg_matrix;

/** Loads a matrix of whichever registered class (NM_MATRIX, BAND_MATRIX,
 * A06__MATRIX) the next header line names and returns it; the caller owns
 * it.  zusatz goes to that class's laden.  End of input, a header line
 * without ':' or a type that is not registered end through the fatal path. */
objekt *matrix_laden(FILE *ein, void *zusatz);

/** Reads or claims a header line and returns the object's name.  An empty typ
 * (first character the terminator) selects discover mode: the line is read,
 * its type text copied into typ, which must hold 80 characters (a longer type
 * text is cut to 79), and the line waits to be claimed.  A non-empty typ
 * selects expect mode: it holds the expected type text, and a waiting line
 * is claimed (else the next line is read); another type ends through the
 * fatal path, and so does discover mode while a line waits.  The name stays
 * valid until the next matrix header line is read. */
const char *matrix_kopfzeile(FILE *ein, char *typ);

/** Prints m readably: "Matrix 'name':", then one row a line, each element as
 * "%9.6f", "%9.3f" or "%9.3g" by its magnitude; returns 1. */
int matrix_ausgeben(objekt *m, FILE *aus);

/** The descriptor of m's class (nm_matrix, band_matrix or a06__matrix); any
 * other table ends through the fatal path. */
klasse *matrix_klasse(objekt *m);

#ifdef __cplusplus
}

#include <memory>

/** C++: releases a matrix through its own freigeben slot. */
struct matrix_freigeber {
    /** Calls m's freigeben slot. */
    void operator()(objekt *m) const { matrix_tabelle(m)->freigeben(m); }
};
/** C++: a matrix held by a matrix_zeiger is released through its own
 * freigeben slot when the holder goes, on every path (also when a handler
 * of numerik/fehler.h throws). */
using matrix_zeiger = std::unique_ptr<objekt, matrix_freigeber>;
#endif

#endif
