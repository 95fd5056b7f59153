// matrizen/: the matrix cluster: its generic layer (matrix.cpp: the
// header-line reader, the loader, the printer, the class query), the
// registry of its classes (matrix_register.cpp), and the classes NM_MATRIX,
// BAND_MATRIX and A06__MATRIX, one file each; feld.h gives the library's own
// loops the entries as arrays.  Stands on kern/, zahlen/ and grund/.
#include "numerik/matrix.h"

#include "grund/fehler_intern.h"
#include "kern/kluster.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <cstdlib>
#include <memory>

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

// One element of the printed form: "%9.6f", "%9.3f" or "%9.3g" by its
// magnitude, then a blank, or a newline behind the last column (*kontext is
// the number of columns, k counts the elements row by row from 0).
char *gedruckt(char *ziel, double x, long long k, const void *kontext) {
    const long long spalten = *static_cast<const long long *>(kontext);
    // Small magnitudes are tested on the reciprocal in extended precision,
    // so that 0.0001 itself (slightly above 1e-4 as a double) keeps the
    // fixed format.  NaN takes "%9.3g".
    bool klein = x != 0.0 && std::fabs(1.0L / static_cast<long double>(x)) >= 10000.0L;
    if (klein || std::isnan(x) || std::fabs(x) >= 10000.0)
        ziel = zahl_formatiert_schreiben(ziel, x, 'g', 9, 3);
    else if (std::fabs(x) < 10.0)
        ziel = zahl_formatiert_schreiben(ziel, x, 'f', 9, 6);
    else
        ziel = zahl_formatiert_schreiben(ziel, x, 'f', 9, 3);
    *ziel++ = (k + 1) % spalten != 0 ? ' ' : '\n';
    return ziel;
}
// The longest of them: "%9.3g" and "%9.6f" stay within 16 characters, and
// "%9.3f" below 10^4 as well.
constexpr std::size_t GEDRUCKT_MAXLAENGE = 16 + 1;

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
    // Rows without columns print nothing.
    if (spalten <= 0 || zeilen <= 0) return 1;
    // The elements row by row, a block at a time, each read through the
    // table; the writer formats them (in two threads where that pays).
    const long long anzahl = static_cast<long long>(zeilen) * spalten;
    const long long spaltenzahl = spalten;
    const auto groesse =
        static_cast<std::size_t>(std::min<long long>(anzahl, zahlenbloecke::BLOCKGROESSE));
    // malloc, so that a failure takes the library's fatal path, not an
    // exception through C callers.
    std::unique_ptr<double, decltype(&std::free)> block(
        static_cast<double *>(std::malloc(groesse * sizeof(double))), &std::free);
    if (block == nullptr) fehler("Nicht genug Speicher fuer den Ausgabepuffer!\n");
    zahlenbloecke schreiber(aus, gedruckt, &spaltenzahl, GEDRUCKT_MAXLAENGE);
    int i = 1;
    int j = 1;
    for (long long anfang = 0; anfang < anzahl;) {
        const auto teil = static_cast<std::size_t>(
            std::min<long long>(anzahl - anfang, static_cast<long long>(groesse)));
        for (std::size_t k = 0; k < teil; ++k) {
            block.get()[k] = f->amIndex(m, i, j);
            if (j < spalten) {
                ++j;
            } else {
                j = 1;
                ++i;
            }
        }
        schreiber.schreiben(block.get(), teil);
        anfang += static_cast<long long>(teil);
    }
    return 1;
}

klasse *matrix_klasse(objekt *m) {
    return kluster_klasse(matrixkluster, m);
}

} // extern "C"
