#include "numerik/bandmtrx.h"

#include "grund/epsilon.h"
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "kern/lese_datum.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct bandmatrixdaten {
    int n;             // order
    int m;             // band width: side diagonals on each side
    char *name;        // own copy
    objekt **vektoren; // 2m + 1 diagonals: main, 1st upper, 1st lower, 2nd upper, ...
};

bandmatrixdaten *get_bandmatrixdaten(objekt *m) {
    if (m->daten == nullptr) still_beenden();
    return static_cast<bandmatrixdaten *>(m->daten);
}

// 2m + 1, formed in size_t: m may be as large as INT_MAX.
std::size_t vektorzahl(const bandmatrixdaten *d) {
    return 2 * static_cast<std::size_t>(d->m) + 1;
}

// Handle, data record, name copy and the (empty) array of 2m + 1 vector
// pointers; the caller fills the array.
objekt *bandmatrix_pkreieren(const bandmatrix_parameter *p, void *zusatz) {
    (void)zusatz;
    auto *matrix = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (matrix == nullptr) fehler("Nicht genug Speicher fuer neue Matrix (Teil 1)!\n");
    matrix->funktionen = &band_matrixFunktionen;
    auto *daten = static_cast<bandmatrixdaten *>(std::malloc(sizeof(bandmatrixdaten)));
    if (daten == nullptr) {
        std::free(matrix);
        fehler("Nicht genug Speicher fuer neue Matrix (Teil 2)!\n");
    }
    // From here a failure releases what is made: the release takes a record
    // whose name and vectors are still null.
    *daten = bandmatrixdaten{};
    matrix->daten = daten;
    matrix_zeiger gehalten(matrix);
    const char *name = (p != nullptr && p->name != nullptr) ? p->name : "unbenannt";
    std::size_t laenge = std::strlen(name);
    daten->name = static_cast<char *>(std::malloc(laenge + 1));
    if (daten->name == nullptr) fehler("Nicht genug Speicher fuer BAND_MATRIX %s.\n", name);
    std::memcpy(daten->name, name, laenge + 1);
    daten->n = p != nullptr ? p->n : 5;
    daten->m = p != nullptr ? p->m : 3;
    // The d-th side diagonals have n - d rows: d = n still gives empty (0 x 1)
    // vectors, as the spline's band of order 1 with band width 1 needs; a
    // wider band would give negative row counts.
    if (daten->n < 0) fehler("Ungueltige Ordnung %d fuer BAND_MATRIX %s!\n", daten->n, daten->name);
    if (daten->m < 0 || daten->m > daten->n)
        fehler("Ungueltige Bandbreite %d fuer BAND_MATRIX %s der Ordnung %d!\n", daten->m,
               daten->name, daten->n);
    daten->vektoren = static_cast<objekt **>(std::calloc(vektorzahl(daten), sizeof(objekt *)));
    if (daten->vektoren == nullptr) fehler("Nicht genug Speicher fuer Matrixeintraege!\n");
    return gehalten.release();
}

// Entry k (counted from 1) of a diagonal vector, through the vector's own
// table, so that a loaded vector shorter than its diagonal ends with the
// NM_MATRIX index message instead of a read beyond its end.
double eintrag(objekt *vektor, int k) {
    return matrix_tabelle(vektor)->amIndex(vektor, k, 1);
}

void eintrag_setzen(objekt *vektor, int k, double wert) {
    matrix_tabelle(vektor)->setzen(vektor, k, 1, wert);
}

} // namespace

extern "C" {

const matrix_funktionen band_matrixFunktionen = {
    .ausgeben = matrix_ausgeben,
    .speichern = bandmatrix_speichern,
    .laden = bandmatrix_laden,
    .freigeben = bandmatrix_freigeben,
    .kreieren = bandmatrix_kreieren,
    .amIndex = bandmatrix_amIndex,
    .setzen = bandmatrix_setzen,
    .breite = bandmatrix_breite,
    .hoehe = bandmatrix_hoehe,
    .name = bandmatrix_name,
    .klasse = matrix_klasse,
    .produkt = nmmatrix_produkt,
    .imVektor = bandmatrix_imVektor,
    .bandbreite = bandmatrix_bandbreite,
};

klasse band_matrix = {&band_matrixFunktionen, nullptr};

objekt *bandmatrix_kreieren(const void *parameter, void *zusatz) {
    const auto *p = static_cast<const bandmatrix_parameter *>(parameter);
    matrix_zeiger gehalten(bandmatrix_pkreieren(p, zusatz));
    objekt *matrix = gehalten.get();
    bandmatrixdaten *d = get_bandmatrixdaten(matrix);
    // The diagonal vectors are made with every entry 0.0, whatever the
    // record's nullsetzen says; the band matrix under construction is their
    // zusatz.
    d->vektoren[0] = nm_anlegen(d->n, 1, "Hauptdiagonal-Vektor", matrix);
    for (int k = 1; k <= d->m; ++k) {
        std::string nummer = std::to_string(k);
        std::size_t oben = 2 * static_cast<std::size_t>(k) - 1;
        std::string oberer = "oberer " + nummer + "-ter Nebendiagonal-Vektor";
        std::string unterer = "unterer " + nummer + "-ter Nebendiagonal-Vektor";
        d->vektoren[oben] = nm_anlegen(d->n - k, 1, oberer.c_str(), matrix);
        d->vektoren[oben + 1] = nm_anlegen(d->n - k, 1, unterer.c_str(), matrix);
    }
    return gehalten.release();
}

objekt *bandmatrix_laden(FILE *ein, void *zusatz) {
    char typ[] = "BAND_MATRIX";
    const char *name = matrix_kopfzeile(ein, typ);
    bandmatrix_parameter p = {0, 0, name, 0};
    lese_datum(ein, "%d", "n =", &p.n);
    lese_datum(ein, "%d", "m =", &p.m);
    matrix_zeiger gehalten(bandmatrix_pkreieren(&p, zusatz));
    bandmatrixdaten *d = get_bandmatrixdaten(gehalten.get());
    // Each vector keeps the name and size of its own text; a vector shorter
    // than its diagonal is caught at access by the vector's index check.
    for (std::size_t k = 0; k < vektorzahl(d); ++k)
        d->vektoren[k] = nm_tabelle()->laden(ein, zusatz);
    return gehalten.release();
}

int bandmatrix_speichern(objekt *m, FILE *aus) {
    bandmatrixdaten *d = get_bandmatrixdaten(m);
    std::fprintf(aus, "BAND_MATRIX: %s\n", d->name);
    std::fprintf(aus, "n = %d\n", d->n);
    std::fprintf(aus, "m = %d\n", d->m);
    for (std::size_t k = 0; k < vektorzahl(d); ++k)
        matrix_tabelle(d->vektoren[k])->speichern(d->vektoren[k], aus);
    return 0;
}

int bandmatrix_freigeben(objekt *m) {
    bandmatrixdaten *d = get_bandmatrixdaten(m);
    for (std::size_t k = 0; d->vektoren != nullptr && k < vektorzahl(d); ++k)
        if (d->vektoren[k] != nullptr) matrix_tabelle(d->vektoren[k])->freigeben(d->vektoren[k]);
    std::free(d->name);
    std::free(d->vektoren);
    std::free(d);
    std::free(m);
    return 0;
}

double bandmatrix_amIndex(objekt *m, int i, int j) {
    bandmatrixdaten *d = get_bandmatrixdaten(m);
    if (i < 1 || j < 1 || i > d->n || j > d->n)
        fehler("BAND_MATRIXUngueltiger Index fuer Matrix: (%i,%i)\n", i, j);
    if (i == j) return eintrag(d->vektoren[0], i);
    // Both side diagonals address the entry by the smaller index.
    if (j > i) {
        int abstand = j - i;
        return abstand > d->m ? 0.0 : eintrag(d->vektoren[2 * std::size_t(abstand) - 1], i);
    }
    int abstand = i - j;
    return abstand > d->m ? 0.0 : eintrag(d->vektoren[2 * std::size_t(abstand)], j);
}

void bandmatrix_setzen(objekt *m, int i, int j, double wert) {
    bandmatrixdaten *d = get_bandmatrixdaten(m);
    if (i < 1 || j < 1 || i > d->n || j > d->n)
        fehler("BAND_MATRIXUngueltiger Index fuer Matrix: (%i,%i)\n", i, j);
    if (i == j) {
        eintrag_setzen(d->vektoren[0], i, wert);
        return;
    }
    int abstand = j > i ? j - i : i - j;
    if (abstand <= d->m) {
        if (j > i)
            eintrag_setzen(d->vektoren[2 * std::size_t(abstand) - 1], i, wert);
        else
            eintrag_setzen(d->vektoren[2 * std::size_t(abstand)], j, wert);
        return;
    }
    // Outside the band only a numerical zero may be written, and it is
    // dropped.  The test is "greater than" 2^-120 (A06__MATRIX rejects
    // equality too), and NaN passes it, since no comparison holds for NaN.
    if (std::fabs(wert) > epsilon())
        fehler("Ungueltiger Diagonal-Vektor fuer Bandmatrix %s: (%i,%i)\n", d->name, i, j);
}

int bandmatrix_breite(objekt *m) {
    return get_bandmatrixdaten(m)->n;
}

int bandmatrix_hoehe(objekt *m) {
    return get_bandmatrixdaten(m)->n;
}

const char *bandmatrix_name(objekt *m) {
    if (m->daten == nullptr) return "BAND_MATRIX";
    return static_cast<bandmatrixdaten *>(m->daten)->name;
}

objekt *bandmatrix_imVektor(objekt *m, int index) {
    bandmatrixdaten *d = get_bandmatrixdaten(m);
    if (index < 0 || static_cast<std::size_t>(index) >= vektorzahl(d))
        fehler("Ungueltiger Diagonal-Vektor fuer Bandmatrix %s: (%i)\n", d->name, index);
    return d->vektoren[index];
}

int bandmatrix_bandbreite(objekt *m) {
    return get_bandmatrixdaten(m)->m;
}

} // extern "C"
