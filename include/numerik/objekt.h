/** \file
 * The object model of the whole library, below both class clusters: a
 * handle is its class's function table and its private data record; a
 * class descriptor is a handle without a record.  What holds for every
 * object (calls through the table, ownership, the text format, failures)
 * is described in numerik/matrix.h.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_OBJEKT_H
#define NUMERIK_OBJEKT_H

#ifdef __cplusplus
extern "C" {
#endif

/** An object: its class's function table and its private data record.
 * Handles are made by the library (kreieren, laden, produkt) and released by
 * their freigeben slot. */
typedef struct objekt {
    /** The class's table: a matrix_funktionen or an interpolation_funktionen,
     * seen through matrix_tabelle or interpolation_tabelle. */
    const void *funktionen;
    /** The class's private data record; null in a class descriptor. */
    void *daten;
} objekt;

/** A class descriptor is laid out like a handle whose data record is null, so
 * a descriptor may be handed to a slot that accepts a handle (the name slot
 * of a descriptor yields the class's type text).  Objects are created through
 * the descriptor's table: matrix_tabelle(&nm_matrix)->kreieren(&p, NULL). */
typedef objekt klasse;

#ifdef __cplusplus
}
#endif

#endif
