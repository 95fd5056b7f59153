#include "numerik/matrix.h"

#include "kluster.h"

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

const tabellenart matrixtabelle = {
    [](const klasse *k) -> lader { return matrix_tabelle(k)->laden; },
    [](objekt *m) { return matrix_tabelle(m)->name(m); },
};

// The matrix cluster, with its own header reader state: one line waits at
// most.
klassenkluster matrixkluster(matrix_meldungen, matrix_register, matrixtabelle);

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
    return kopfzeile_lesen(matrixkluster, ein, typ);
}

objekt *matrix_laden(FILE *ein, void *zusatz) {
    return kluster_laden(matrixkluster, ein, zusatz);
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
    return kluster_klasse(matrixkluster, m);
}

} // extern "C"
