/* Matrix class cluster: object handle, class descriptor, the matrix function
 * table, the generic loader, printer and class query.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_MATRIX_H
#define NUMERIK_MATRIX_H

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* An object: its class's function table and its private data record. */
typedef struct objekt {
    const void *funktionen;
    void *daten;
} objekt;

/* A class descriptor is laid out like a handle whose data record is null, so a
 * descriptor may be handed to a slot that accepts a handle (the name slot of a
 * descriptor yields the class's type text). */
typedef objekt klasse;

/* The fourteen slots of every matrix class, in this order; callers index the
 * table, so the order is interface. */
typedef struct matrix_funktionen {
    int (*ausgeben)(objekt *m, FILE *aus);
    int (*speichern)(objekt *m, FILE *aus);
    objekt *(*laden)(FILE *ein, void *zusatz);
    int (*freigeben)(objekt *m);
    objekt *(*kreieren)(const void *parameter, void *zusatz);
    double (*amIndex)(objekt *m, int i, int j);
    void (*setzen)(objekt *m, int i, int j, double wert);
    int (*breite)(objekt *m);
    int (*hoehe)(objekt *m);
    const char *(*name)(objekt *m);
    objekt *(*klasse)(objekt *m); /* returns the class descriptor (a klasse*) */
    objekt *(*produkt)(objekt *m1, objekt *m2);
    objekt *(*imVektor)(objekt *m, int index);
    int (*bandbreite)(objekt *m);
} matrix_funktionen;

/* The one place where a handle's table is seen as a matrix table. */
static inline const matrix_funktionen *matrix_tabelle(const objekt *m) {
    return (const matrix_funktionen *)m->funktionen;
}

extern klasse allg_matrix; /* abstract: only laden */

/* Loads a matrix of whichever registered class the next header line names. */
objekt *matrix_laden(FILE *ein, void *zusatz);

/* Reads or claims a header line and returns the object's name.  An empty typ
 * (first character the terminator) selects discover mode: the type text is
 * copied into typ, which must hold 80 characters (a longer type text is cut to
 * 79).  A non-empty typ selects expect mode: it holds the expected type text.
 * The name stays valid until the next matrix header line is read. */
const char *matrix_kopfzeile(FILE *ein, char *typ);

/* Prints m readably, one row a line; returns 1. */
int matrix_ausgeben(objekt *m, FILE *aus);

/* The descriptor of m's class (nm_matrix, band_matrix or a06__matrix). */
klasse *matrix_klasse(objekt *m);

#ifdef __cplusplus
}

#include <memory>

/* C++: a matrix held by a matrix_zeiger is released through its own
 * freigeben slot when the holder goes, on every path. */
struct matrix_freigeber {
    void operator()(objekt *m) const { matrix_tabelle(m)->freigeben(m); }
};
using matrix_zeiger = std::unique_ptr<objekt, matrix_freigeber>;
#endif

#endif
