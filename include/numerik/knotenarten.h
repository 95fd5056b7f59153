/** \file
 * Node kinds: how an interpolation comes by its nodes x(1..n+1), one row of
 * a table per kind.
 *
 * A row holds the kind's number (the STUETZSTELLEN_ constants of
 * numerik/interplt.h, written in the text form as "art = " or
 * "stuetzstellenart = "), its key and title, its placement on [a, b] (none
 * for nodes the caller gives), whether the text form stores the nodes or
 * the interval they are placed on again when loaded, the reading and
 * writing of that part of the text, closed-form barycentric weights where
 * the kind has them, and the growth of its Lebesgue constant.  The interpolation classes ask the
 * table and never test for a kind themselves: a new kind is one row and its placement function.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_KNOTENARTEN_H
#define NUMERIK_KNOTENARTEN_H

#include "matrix.h"

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/** One node kind. */
typedef struct knotenart {
    /** The number of the kind, as in the creation records and the text. */
    int nummer;
    /** A short ASCII key ("gegeben", "aequidistant", "tschebyscheff"). */
    const char *schluessel;
    /** The title for display ("gegeben", "aequidistant", "Tschebyscheff"). */
    const char *titel;
    /** 1: the caller gives the nodes and the text form stores them as the
     * vector "Stuetzstellen"; 0: they are placed on [a, b], and the text
     * stores a and b. */
    int gespeichert;
    /** Node i (i = 0..n) of the n+1 nodes on [a, b]: for a < b finite the
     * nodes ascend with i and lie inside [a, b].  Null for a stored kind.
     * Loading places the nodes again from a and b, so the formula, with its
     * order of evaluation, is part of the file format. */
    double (*punkt)(int i, int n, double a, double b);
    /** Writes the n+1 weights of the barycentric formula for the kind's
     * nodes (n >= 1), scaled so that the largest is 1 in magnitude; null
     * where they are computed from the nodes. */
    void (*gewichte)(double *w, int n);
    /** Writes the kind's part of the text form, between the kind's key line
     * and the spline kind or the values: the node vector knoten, or the key
     * lines "a = " and "b = ". */
    void (*schreiben)(FILE *aus, objekt *knoten, double a, double b);
    /** Reads back what schreiben wrote: returns the node vector (an
     * NM_MATRIX the caller owns) for a stored kind, else null after setting
     * *a and *b.  Text that does not fit ends through the fatal path. */
    objekt *(*lesen)(FILE *ein, double *a, double *b);
    /** A short ASCII code of the kind for names of files ("a", "t", "g"). */
    const char *kuerzel;
    /** The title as a page shows it, in UTF-8 ("\xc3\xa4quidistant"). */
    const char *anzeige;
    /** The Lebesgue constant of the kind's n+1 nodes for large n, where
     * sampling it (lebesgue_konstante of numerik/lebesgue.h, some 12 n^2
     * operations) costs too much: a closed-form bound or the leading term
     * of its growth.  Null for a kind without placement; a placed kind
     * without it is sampled at every n. */
    double (*lebesgue_gross)(int n);
    /** All n+1 nodes on [a, b] into x[0..n], each the double punkt gives,
     * in one call (placement of many nodes without a call per node); null
     * where placement calls punkt for each node. */
    void (*punkte)(double *x, int n, double a, double b);
} knotenart;

/** The number of node kinds. */
int knotenarten_anzahl(void);

/** Row i of the table (i = 0..knotenarten_anzahl()-1), null for any other
 * i. */
const knotenart *knotenart_an(int i);

/** The row of kind number nummer; null for a number no row has (the caller
 * reports it with its own message). */
const knotenart *knotenart_nummer(int nummer);

/** The row whose schluessel is name; null for an unknown name or null. */
const knotenart *knotenart_name(const char *name);

#ifdef __cplusplus
}
#endif

#endif
