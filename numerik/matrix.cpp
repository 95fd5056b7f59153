#include "matrix.h"

#include "a06_mtrx.h"
#include "bandmtrx.h"
#include "fehler.h"
#include "kopfzeile.h"
#include "nmmatrix.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

const kopfzeilen_meldungen matrix_meldungen = {
    "Keine Daten fuer neue Matrix gefunden - EOF.\n",
    "Fehler in der Eingabe: <Matrixtyp>:[Matrixname] erwartet.\n",
    "Dies ist keine %s Matrix!\n",
    "Matrix %s vom Matrixtyp %s kann nicht eingelesen werden, da dieser Typ nicht im "
    "Klassenkluster registriert.n",
};

// The matrix cluster's header reader state: one line waits at most.
kopfzeilen_leser matrix_leser{matrix_meldungen};

// The registered classes, in the order in which the loader and the class
// query compare them.
struct registrierung {
    const char *typ;
    klasse *beschreibung;
};
const registrierung matrixklassen[] = {
    {"NM_MATRIX", &nm_matrix},
    {"BAND_MATRIX", &band_matrix},
    {"A06__MATRIX", &a06__matrix},
};

} // namespace

// Callers index the table: fourteen slots, bandbreite last.
static_assert(sizeof(matrix_funktionen) == 14 * sizeof(void *));
static_assert(offsetof(matrix_funktionen, bandbreite) == 13 * sizeof(void *));

extern "C" {

const matrix_funktionen allg_matrixFunktionen = {
    .ausgeben = nullptr,
    .speichern = nullptr,
    .laden = matrix_laden,
    .freigeben = nullptr,
    .kreieren = nullptr,
    .amIndex = nullptr,
    .setzen = nullptr,
    .breite = nullptr,
    .hoehe = nullptr,
    .name = nullptr,
    .klasse = nullptr,
    .produkt = nullptr,
    .imVektor = nullptr,
    .bandbreite = nullptr,
};
klasse allg_matrix = {&allg_matrixFunktionen, nullptr};

const char *matrix_kopfzeile(FILE *ein, char *typ) {
    return kopfzeile_lesen(matrix_leser, ein, typ);
}

objekt *matrix_laden(FILE *ein, void *zusatz) {
    char typ[TYPPUFFER] = "";
    matrix_kopfzeile(ein, typ);
    // A class whose table is not filled in yet cannot load: it counts as
    // not registered instead of calling through an empty slot.
    for (const registrierung &r : matrixklassen)
        if (std::strcmp(typ, r.typ) == 0 && matrix_tabelle(r.beschreibung)->laden != nullptr)
            return matrix_tabelle(r.beschreibung)->laden(ein, zusatz);
    kopfzeile_unregistriert(matrix_leser);
}

int matrix_ausgeben(objekt *m, FILE *aus) {
    const matrix_funktionen *f = matrix_tabelle(m);
    int zeilen = f->hoehe(m);
    int spalten = f->breite(m);
    std::fprintf(aus, "Matrix '%s':\n", f->name(m));
    // Counted from 0, so that a count of INT_MAX cannot overflow the
    // counter; rows without columns print nothing.
    for (int i = 0; spalten > 0 && i < zeilen; ++i) {
        for (int j = 0; j < spalten; ++j) {
            double x = f->amIndex(m, i + 1, j + 1);
            char trenner = (j + 1 < spalten) ? ' ' : '\n';
            // Small magnitudes are tested on the reciprocal in extended
            // precision, so that 0.0001 itself (slightly above 1e-4 as a
            // double) keeps the fixed format.  NaN takes "%9.3g".
            bool klein = x != 0.0 && std::fabs(1.0L / static_cast<long double>(x)) >= 10000.0L;
            const char *format;
            if (klein || std::isnan(x) || std::fabs(x) >= 10000.0)
                format = "%9.3g%c";
            else if (std::fabs(x) < 10.0)
                format = "%9.6f%c";
            else
                format = "%9.3f%c";
            std::fprintf(aus, format, x, trenner);
        }
    }
    return 1;
}

klasse *matrix_klasse(objekt *m) {
    for (const registrierung &r : matrixklassen)
        if (m->funktionen == r.beschreibung->funktionen) return r.beschreibung;
    fehler("Fehler: undefiniertes Objekt %s\n", matrix_tabelle(m)->name(m));
}

} // extern "C"
