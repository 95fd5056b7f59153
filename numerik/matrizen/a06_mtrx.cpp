#include "numerik/a06_mtrx.h"

#include "grund/epsilon.h"
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "kern/lese_datum.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Places in vektoren.
constexpr int HAUPTDIAGONALE = 0;
constexpr int NEBENDIAGONALE = 1;
constexpr int ECKELEMENT = 2;
constexpr int VEKTORZAHL = 3;

struct a06_matrixdaten {
    int n;             // order
    char *name;        // own copy
    objekt **vektoren; // main diagonal (n), side diagonal (n-1), corner (1)
};

a06_matrixdaten *get_a06_matrixdaten(objekt *m) {
    if (m->daten == nullptr) still_beenden();
    return static_cast<a06_matrixdaten *>(m->daten);
}

// Handle, data record, name copy and the (empty) array of three vector
// pointers; the caller fills the array.
objekt *a06_matrix_pkreieren(const a06_matrix_parameter *p, void *zusatz) {
    (void)zusatz;
    auto *matrix = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (matrix == nullptr) fehler("Nicht genug Speicher fuer neue Matrix (Teil 1)!\n");
    matrix->funktionen = &a06__matrixFunktionen;
    auto *daten = static_cast<a06_matrixdaten *>(std::malloc(sizeof(a06_matrixdaten)));
    if (daten == nullptr) {
        std::free(matrix);
        fehler("Nicht genug Speicher fuer neue Matrix (Teil 2)!\n");
    }
    // From here a failure releases what is made: the release takes a record
    // whose name and vectors are still null.
    *daten = a06_matrixdaten{};
    matrix->daten = daten;
    matrix_zeiger gehalten(matrix);
    const char *name = (p != nullptr && p->name != nullptr) ? p->name : "unbenannt";
    std::size_t laenge = std::strlen(name);
    daten->name = static_cast<char *>(std::malloc(laenge + 1));
    if (daten->name == nullptr) fehler("Nicht genug Speicher fuer A06__MATRIX %s.\n", name);
    std::memcpy(daten->name, name, laenge + 1);
    daten->n = p != nullptr ? p->n : 5;
    // The side diagonal has n - 1 rows: order 1 still works (an empty side
    // diagonal), order 0 would give it a negative length.
    if (daten->n < 1) fehler("Ungueltige Ordnung %d fuer A06__MATRIX %s!\n", daten->n, daten->name);
    daten->vektoren = static_cast<objekt **>(std::calloc(VEKTORZAHL, sizeof(objekt *)));
    if (daten->vektoren == nullptr) fehler("Nicht genug Speicher fuer Matrixeintraege!\n");
    return gehalten.release();
}

// The vector and its entry (counted from 1) that hold element (i, j), or
// null for a position where the shape has a zero.  The tests run in this
// order: for n = 2 the side diagonal wins over the corner, which then is
// never read.
objekt *vektor_fuer(a06_matrixdaten *d, int i, int j, int &eintrag) {
    if (i == j) {
        eintrag = i;
        return d->vektoren[HAUPTDIAGONALE];
    }
    if (j - i == 1 || i - j == 1) {
        eintrag = i < j ? i : j;
        return d->vektoren[NEBENDIAGONALE];
    }
    if ((i > j ? i - j : j - i) == d->n - 1) {
        eintrag = 1;
        return d->vektoren[ECKELEMENT];
    }
    return nullptr;
}

} // namespace

extern "C" {

const matrix_funktionen a06__matrixFunktionen = {
    .ausgeben = matrix_ausgeben,
    .speichern = a06_matrix_speichern,
    .laden = a06_matrix_laden,
    .freigeben = a06_matrix_freigeben,
    .kreieren = a06_matrix_kreieren,
    .amIndex = a06_matrix_amIndex,
    .setzen = a06_matrix_setzen,
    .breite = a06_matrix_breite,
    .hoehe = a06_matrix_hoehe,
    .name = a06_matrix_name,
    .klasse = matrix_klasse,
    .produkt = nmmatrix_produkt,
    .imVektor = a06_matrix_imVektor,
    .bandbreite = nullptr,
};

klasse a06__matrix = {&a06__matrixFunktionen, nullptr};

objekt *a06_matrix_kreieren(const void *parameter, void *zusatz) {
    const auto *p = static_cast<const a06_matrix_parameter *>(parameter);
    matrix_zeiger gehalten(a06_matrix_pkreieren(p, zusatz));
    objekt *matrix = gehalten.get();
    a06_matrixdaten *d = get_a06_matrixdaten(matrix);
    // The three vectors are made with every entry 0.0, whatever the record's
    // nullsetzen says; the cyclic matrix under construction is their zusatz.
    d->vektoren[HAUPTDIAGONALE] = nm_anlegen(d->n, 1, "Hauptdiagonal-Vektor", matrix);
    d->vektoren[NEBENDIAGONALE] = nm_anlegen(d->n - 1, 1, "Nebendiagonal-Vektor", matrix);
    d->vektoren[ECKELEMENT] = nm_anlegen(1, 1, "Eckelement c", matrix);
    return gehalten.release();
}

objekt *a06_matrix_laden(FILE *ein, void *zusatz) {
    char typ[] = "A06__MATRIX";
    const char *name = matrix_kopfzeile(ein, typ);
    a06_matrix_parameter p = {0, name, 0};
    lese_datum(ein, "%d", "n =", &p.n);
    matrix_zeiger gehalten(a06_matrix_pkreieren(&p, zusatz));
    objekt *matrix = gehalten.get();
    a06_matrixdaten *d = get_a06_matrixdaten(matrix);
    // Sizes are not compared with n: a short vector is caught at access by
    // its own index check.
    for (int k = 0; k < VEKTORZAHL; ++k)
        d->vektoren[k] = nm_tabelle()->laden(ein, matrix);
    return gehalten.release();
}

int a06_matrix_speichern(objekt *m, FILE *aus) {
    a06_matrixdaten *d = get_a06_matrixdaten(m);
    std::fprintf(aus, "A06__MATRIX: %s\n", d->name);
    std::fprintf(aus, "n = %d\n", d->n);
    for (int k = 0; k < VEKTORZAHL; ++k)
        matrix_tabelle(d->vektoren[k])->speichern(d->vektoren[k], aus);
    return 0;
}

int a06_matrix_freigeben(objekt *m) {
    a06_matrixdaten *d = get_a06_matrixdaten(m);
    for (int k = 0; d->vektoren != nullptr && k < VEKTORZAHL; ++k)
        if (d->vektoren[k] != nullptr) matrix_tabelle(d->vektoren[k])->freigeben(d->vektoren[k]);
    std::free(d->name);
    std::free(d->vektoren);
    std::free(d);
    std::free(m);
    return 0;
}

double a06_matrix_amIndex(objekt *m, int i, int j) {
    a06_matrixdaten *d = get_a06_matrixdaten(m);
    if (i < 1 || j < 1 || i > d->n || j > d->n)
        fehler("A06__MATRIXUngueltiger Index fuer Matrix: (%i,%i)\n", i, j);
    int eintrag = 0;
    objekt *vektor = vektor_fuer(d, i, j, eintrag);
    if (vektor == nullptr) return 0.0;
    // Through the vector's own table: a loaded vector shorter than its
    // diagonal ends with the NM_MATRIX index message.
    return matrix_tabelle(vektor)->amIndex(vektor, eintrag, 1);
}

void a06_matrix_setzen(objekt *m, int i, int j, double wert) {
    a06_matrixdaten *d = get_a06_matrixdaten(m);
    if (i < 1 || j < 1 || i > d->n || j > d->n)
        fehler("A06__MATRIXUngueltiger Index fuer Matrix: (%i,%i)\n", i, j);
    int eintrag = 0;
    objekt *vektor = vektor_fuer(d, i, j, eintrag);
    if (vektor != nullptr) {
        matrix_tabelle(vektor)->setzen(vektor, eintrag, 1, wert);
        return;
    }
    // Where the shape has a zero only a numerical zero may be written, and it
    // is dropped.  Equality with 2^-120 counts as non-zero here (BAND_MATRIX
    // accepts it); NaN passes, since no comparison holds for NaN.
    if (std::fabs(wert) >= epsilon())
        fehler("Fehler: es wurde versucht, in der A06__MATRIX '%s' an der Stelle (%i,%i) einen "
               "Wert ungleich null (%g) zu setzen.\n",
               d->name, i, j, wert);
}

int a06_matrix_breite(objekt *m) {
    return get_a06_matrixdaten(m)->n;
}

int a06_matrix_hoehe(objekt *m) {
    return get_a06_matrixdaten(m)->n;
}

const char *a06_matrix_name(objekt *m) {
    if (m->daten == nullptr) return "A06__MATRIX";
    return static_cast<a06_matrixdaten *>(m->daten)->name;
}

objekt *a06_matrix_imVektor(objekt *m, int index) {
    a06_matrixdaten *d = get_a06_matrixdaten(m);
    if (index < 0 || index >= VEKTORZAHL)
        fehler("Ungueltiger Diagonal-Vektor fuer a06_matrix %s: (%i)\n", d->name, index);
    return d->vektoren[index];
}

} // extern "C"
