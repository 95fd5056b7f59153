/** \file
 * NM_MATRIX: the dense n x m matrix of doubles and, with one column, the
 * vector type of the whole library.
 *
 * Element (i, j), i = 1..n (rows), j = 1..m (columns), is stored row by row.
 * Text form: "NM_MATRIX: name", "n = " rows, "m = " columns, then the n*m
 * entries one a line, row by row.  Index base, ownership, zusatz and
 * failures as for every matrix class (numerik/matrix.h). */
#ifndef NUMERIK_NMMATRIX_H
#define NUMERIK_NMMATRIX_H

#include "matrix.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creation record. */
typedef struct nmmatrix_parameter {
    int n;            /**< rows */
    int m;            /**< columns */
    const char *name; /**< null gives "unbenannt"; copied */
    int nullsetzen;   /**< kept for callers; every entry starts as 0.0 either way */
} nmmatrix_parameter;

/** The NM_MATRIX class descriptor: create through
 * matrix_tabelle(&nm_matrix)->kreieren. */
extern klasse nm_matrix;
/** The NM_MATRIX table; imVektor and bandbreite are null. */
extern const matrix_funktionen nm_matrixFunktionen;

/** A new n x m matrix, every entry 0.0, from an nmmatrix_parameter (null: a
 * 1 x 1 matrix "unbenannt"); the caller owns it.  zusatz is not read.  A
 * negative size, or one that cannot be allocated, ends through the fatal
 * path. */
objekt *nmmatrix_kreieren(const void *parameter, void *zusatz);
/** As nmmatrix_kreieren, with the entries the n*m doubles at werte, row by
 * row (copied; werte may be null only for no entries); the caller owns it. */
objekt *nmmatrix_aus_feld(const void *parameter, const double *werte);
/** Reads an NM_MATRIX text; the caller owns the result.  zusatz is not read.
 * Another type, a count or entry that is no number, a negative count, a size
 * that cannot be allocated, or an end of input before the last entry end
 * through the fatal path. */
objekt *nmmatrix_laden(FILE *ein, void *zusatz);
/** Writes the text form, entries with "%f"; returns 0. */
int nmmatrix_speichern(objekt *m, FILE *aus);
/** Writes the three lines that begin the text form of an NM_MATRIX of n rows
 * and m columns named name, as nmmatrix_speichern writes them; returns 0. */
int nmmatrix_kopf_speichern(FILE *aus, const char *name, int n, int m);
/** Releases the matrix, its entries and its name; returns 0. */
int nmmatrix_freigeben(objekt *m);
/** Element (i, j), i = 1..n, j = 1..m; any other index ends through the fatal
 * path. */
double nmmatrix_amIndex(objekt *m, int i, int j);
/** Sets element (i, j), i = 1..n, j = 1..m; any other index ends through the
 * fatal path. */
void nmmatrix_setzen(objekt *m, int i, int j, double wert);
/** The number of columns m. */
int nmmatrix_breite(objekt *m);
/** The number of rows n. */
int nmmatrix_hoehe(objekt *m);
/** The name, owned by m; "NM_MATRIX" for the descriptor. */
const char *nmmatrix_name(objekt *m);
/** m1 * m2 as a new NM_MATRIX named "Produkt von <m1> und <m2>" (each name
 * cut to 25 characters); the caller owns it.  m1 and m2 may be of any matrix
 * class and are not changed.  Sizes that do not fit (breite of m1 not hoehe
 * of m2) end through the fatal path. */
objekt *nmmatrix_produkt(objekt *m1, objekt *m2);

#ifdef __cplusplus
}

#include "zahlen.h"

#include <cstddef>
#include <vector>

/** C++: writes the text of an NM_MATRIX of n rows and one column named name,
 * byte for byte what nmmatrix_speichern writes for such a vector, without
 * holding its entries: fuellen(anfang, teil, block) puts the entries
 * anfang + 1 .. anfang + teil into block[0..teil-1], asked for in order,
 * blockgroesse entries at a time (the last block may be shorter).  The
 * memory it takes is that of one block and its text, whatever n is. */
template <typename F>
void nmvektor_bloecke_schreiben(FILE *aus, const char *name, int n, F fuellen,
                                std::size_t blockgroesse = zahlenbloecke::BLOCKGROESSE) {
    nmmatrix_kopf_speichern(aus, name, n, 1);
    if (blockgroesse == 0) blockgroesse = 1;
    const auto anzahl = static_cast<std::size_t>(n > 0 ? n : 0);
    std::vector<double> block(anzahl < blockgroesse ? anzahl : blockgroesse);
    zahlenbloecke schreiber(aus, zahlenbloecke::zahl_zeile, nullptr, ZAHL_MAXLAENGE + 1,
                            blockgroesse);
    for (std::size_t anfang = 0; anfang < anzahl; anfang += block.size()) {
        const std::size_t teil = anzahl - anfang < block.size() ? anzahl - anfang : block.size();
        fuellen(anfang, teil, block.data());
        schreiber.schreiben(block.data(), teil);
    }
}

/** C++: as nmvektor_bloecke_schreiben, one entry at a time: wert(i) gives
 * entry i + 1 (i = 0..n-1), asked for in order. */
template <typename F>
void nmvektor_schreiben(FILE *aus, const char *name, int n, F wert,
                        std::size_t blockgroesse = zahlenbloecke::BLOCKGROESSE) {
    nmvektor_bloecke_schreiben(
        aus, name, n,
        [&](std::size_t anfang, std::size_t teil, double *block) {
            for (std::size_t i = 0; i < teil; ++i)
                block[i] = wert(static_cast<int>(anfang + i));
        },
        blockgroesse);
}
#endif

#endif
