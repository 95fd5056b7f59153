#include "numerik/nmmatrix.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "kern/kluster.h"
#include "kern/lese_datum.h"
#include "numerik/zahlen.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

nmmatrixdaten *get_nmmatrixdaten(objekt *m) {
    return nmmatrix_daten(m);
}

// Number of entries n * m, or -1 when it cannot be allocated as doubles.
long long eintragszahl(int n, int m) {
    long long anzahl = static_cast<long long>(n) * m; // exact: both fit in 32 bits
    if (anzahl > static_cast<long long>(SIZE_MAX / sizeof(double))) return -1;
    return anzahl;
}

// Handle, data record and name copy, held: a failure before the caller
// hands the matrix out releases what is made (the entries are the
// caller's, null until then).
matrix_zeiger erzeugen(const char *name, int n, int m) {
    auto *matrix = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (matrix == nullptr) fehler("Nicht genug Speicher fuer neue Matrix (Teil 1)!\n");
    matrix->funktionen = &nm_matrixFunktionen;
    auto *daten = static_cast<nmmatrixdaten *>(std::malloc(sizeof(nmmatrixdaten)));
    if (daten == nullptr) {
        std::free(matrix);
        fehler("Nicht genug Speicher fuer neue Matrix (Teil 2)!\n");
    }
    *daten = nmmatrixdaten{};
    matrix->daten = daten;
    matrix_zeiger gehalten(matrix);
    std::size_t laenge = std::strlen(name);
    daten->name = static_cast<char *>(std::malloc(laenge + 1));
    if (daten->name == nullptr) fehler("Nicht genug Speicher fuer NM_MATRIX %s.\n", name);
    std::memcpy(daten->name, name, laenge + 1);
    if (n < 0 || m < 0) fehler("Ungueltige Groesse (%d,%d) fuer NM_MATRIX %s!\n", n, m, name);
    daten->n = n;
    daten->m = m;
    return gehalten;
}

// The bytes of the entries of every NM_MATRIX alive.  A request that would
// take them beyond the machine's physical memory is refused as if the
// allocator had refused it: otherwise the system hands out address space
// that only swapping could fill, and the program crawls instead of saying
// that the memory is not there.
unsigned long long belegte_bytes = 0;

bool passt_in_speicher(unsigned long long dazu) {
    static const unsigned long long physisch = [] {
        const long seiten = sysconf(_SC_PHYS_PAGES);
        const long seitengroesse = sysconf(_SC_PAGESIZE);
        // Unknown: no limit of our own.
        if (seiten <= 0 || seitengroesse <= 0) return ~0ULL;
        return static_cast<unsigned long long>(seiten) *
               static_cast<unsigned long long>(seitengroesse);
    }();
    return dazu <= physisch && belegte_bytes <= physisch - dazu;
}

// The bytes of a block of anzahl entries (one at least).
unsigned long long blockbytes(long long anzahl) {
    return static_cast<unsigned long long>(anzahl > 0 ? anzahl : 1) * sizeof(double);
}

// The entries of d, anzahl of them: calloc (null), so that entries that
// nobody set read as 0.0 instead of indeterminate values, or malloc; a
// matrix of no entries still gets a valid (one-element) block.  Counted in
// d->belegt, which the release gives back.
void eintraege_anlegen(nmmatrixdaten *d, long long anzahl, bool null) {
    if (anzahl >= 0 && passt_in_speicher(blockbytes(anzahl))) {
        const std::size_t k = static_cast<std::size_t>(anzahl > 0 ? anzahl : 1);
        // Blocks left unset start on a cache line (of 64 bytes), so that a
        // row of up to eight entries at a multiple of its width (the
        // piecewise classes' coefficient rows of four) never spans two.
        const std::size_t ausgerichtet = (k * sizeof(double) + 63) / 64 * 64;
        d->werte = static_cast<double *>(null ? std::calloc(k, sizeof(double))
                                              : std::aligned_alloc(64, ausgerichtet));
    }
    if (d->werte == nullptr) fehler("Nicht genug Speicher fuer Matrixeintraege!\n");
    d->belegt = blockbytes(anzahl);
    belegte_bytes += d->belegt;
}

// Large counts in a file are not trusted: the loader reserves at most this
// many entries ahead and grows as lines arrive, so a file that claims a
// billion entries and ends early fails at its end, not in the allocator.
constexpr long long LADE_VORRAT = 1 << 16;

} // namespace

extern "C" {

const matrix_funktionen nm_matrixFunktionen = {
    .ausgeben = matrix_ausgeben,
    .speichern = nmmatrix_speichern,
    .laden = nmmatrix_laden,
    .freigeben = nmmatrix_freigeben,
    .kreieren = nmmatrix_kreieren,
    .amIndex = nmmatrix_amIndex,
    .setzen = nmmatrix_setzen,
    .breite = nmmatrix_breite,
    .hoehe = nmmatrix_hoehe,
    .name = nmmatrix_name,
    .klasse = matrix_klasse,
    .produkt = nmmatrix_produkt,
    .imVektor = nullptr,
    .bandbreite = nullptr,
};

klasse nm_matrix = {&nm_matrixFunktionen, nullptr};

objekt *nmmatrix_kreieren(const void *parameter, void *) {
    const auto *p = static_cast<const nmmatrix_parameter *>(parameter);
    const char *name = (p != nullptr && p->name != nullptr) ? p->name : "unbenannt";
    int n = p != nullptr ? p->n : 1;
    int m = p != nullptr ? p->m : 1;
    matrix_zeiger matrix = erzeugen(name, n, m);
    // calloc sets every entry to 0.0, whatever the record's nullsetzen.
    eintraege_anlegen(get_nmmatrixdaten(matrix.get()), eintragszahl(n, m), true);
    return matrix.release();
}

objekt *nmmatrix_aus_feld(const void *parameter, const double *werte) {
    const auto *p = static_cast<const nmmatrix_parameter *>(parameter);
    const char *name = (p != nullptr && p->name != nullptr) ? p->name : "unbenannt";
    int n = p != nullptr ? p->n : 1;
    int m = p != nullptr ? p->m : 1;
    matrix_zeiger matrix = erzeugen(name, n, m);
    auto *daten = get_nmmatrixdaten(matrix.get());
    const long long anzahl = eintragszahl(n, m);
    // Every entry is copied below: no zeroing.
    eintraege_anlegen(daten, anzahl, false);
    if (anzahl > 0) std::memcpy(daten->werte, werte, static_cast<std::size_t>(anzahl) * sizeof(double));
    return matrix.release();
}

objekt *nmmatrix_laden(FILE *ein, void *zusatz) {
    (void)zusatz;
    char typ[] = "NM_MATRIX";
    const char *name = matrix_kopfzeile(ein, typ);
    int n = 0;
    int m = 0;
    lese_datum(ein, "%d", "n =", &n);
    lese_datum(ein, "%d", "m =", &m);
    // A count too large to allocate ends before anything is allocated, so
    // no half-built matrix is left behind (negative counts are erzeugen's).
    long long anzahl = eintragszahl(n, m);
    if (n >= 0 && m >= 0 && anzahl < 0) fehler("Nicht genug Speicher fuer Matrixeintraege!\n");
    matrix_zeiger matrix = erzeugen(name, n, m);
    auto *daten = get_nmmatrixdaten(matrix.get());
    long long vorrat = anzahl < LADE_VORRAT ? anzahl : LADE_VORRAT;
    eintraege_anlegen(daten, vorrat, true);
    char zeile[ZEILENPUFFER];
    for (long long k = 0; k < anzahl; ++k) {
        if (k == vorrat) {
            const long long alt = vorrat;
            vorrat = (anzahl - vorrat < vorrat) ? anzahl : 2 * vorrat;
            const unsigned long long dazu = blockbytes(vorrat) - blockbytes(alt);
            void *neu = passt_in_speicher(dazu)
                            ? std::realloc(daten->werte, vorrat * sizeof(double))
                            : nullptr;
            if (neu == nullptr) fehler("Nicht genug Speicher fuer Matrixeintraege!\n");
            belegte_bytes += dazu;
            daten->belegt += dazu;
            daten->werte = static_cast<double *>(neu);
        }
        // fgets without the stream lock: the library is single-threaded,
        // and the lock is a noticeable share of the time of one short line.
        if (fgets_unlocked(zeile, ZEILENPUFFER, ein) == nullptr) {
            lesefehler_pruefen(ein);
            fehler("Zeile %s nicht gefunden - EOF.\n", "");
        }
        const char *rest = nullptr;
        if (!zahl_double_lesen_bis(zeile, &daten->werte[k], &rest))
            fehler("NM_MATRIX %s: Eintrag %lld ist keine gueltige Zahl!\n", daten->name, k + 1);
        // The whole line is the number: "2,5" is not read as 2.
        if (!nur_leerraum(rest)) {
            if (dezimalkomma(rest))
                fehler("NM_MATRIX %s: Eintrag %lld (%s): Dezimalkomma statt Dezimalpunkt!\n",
                       daten->name, k + 1, gezeigter_text(zeile).text);
            fehler("NM_MATRIX %s: Eintrag %lld hat hinter der Zahl noch \"%s\"!\n", daten->name,
                   k + 1, gezeigter_text(rest).text);
        }
    }
    return matrix.release();
}

int nmmatrix_speichern(objekt *m, FILE *aus) {
    nmmatrixdaten *d = get_nmmatrixdaten(m);
    nmmatrix_kopf_speichern(aus, d->name, d->n, d->m);
    long long anzahl = static_cast<long long>(d->n) * d->m;
    // In the current form: byte for byte what fprintf(aus, "%f\n", ...)
    // writes unless full precision was chosen; in large blocks.
    zahlenbloecke schreiber(aus, zahlenbloecke::zahl_zeile, nullptr, ZAHL_MAXLAENGE + 1);
    schreiber.schreiben(d->werte, static_cast<std::size_t>(anzahl));
    return 0;
}

int nmmatrix_kopf_speichern(FILE *aus, const char *name, int n, int m) {
    std::fprintf(aus, "NM_MATRIX: %s\n", name);
    std::fprintf(aus, "n = %d\n", n);
    std::fprintf(aus, "m = %d\n", m);
    return 0;
}

int nmmatrix_freigeben(objekt *m) {
    nmmatrixdaten *d = get_nmmatrixdaten(m);
    std::free(d->name);
    belegte_bytes -= d->belegt < belegte_bytes ? d->belegt : belegte_bytes;
    std::free(d->werte);
    std::free(d);
    std::free(m);
    return 0;
}

double nmmatrix_amIndex(objekt *m, int i, int j) {
    nmmatrixdaten *d = get_nmmatrixdaten(m);
    if (i < 1 || j < 1 || i > d->n || j > d->m)
        fehler("NM_MATRIX %s Ungueltiger Index fuer Matrix: (%i,%i)\n", d->name, i, j);
    return d->werte[static_cast<long long>(i - 1) * d->m + (j - 1)];
}

void nmmatrix_setzen(objekt *m, int i, int j, double wert) {
    nmmatrixdaten *d = get_nmmatrixdaten(m);
    if (i < 1 || j < 1 || i > d->n || j > d->m)
        fehler("NM_MATRIX %s Ungueltiger Index fuer Matrix: (%i,%i)\n", d->name, i, j);
    d->werte[static_cast<long long>(i - 1) * d->m + (j - 1)] = wert;
    ++d->stand;
}

int nmmatrix_breite(objekt *m) {
    return get_nmmatrixdaten(m)->m;
}

int nmmatrix_hoehe(objekt *m) {
    return get_nmmatrixdaten(m)->n;
}

const char *nmmatrix_name(objekt *m) {
    if (m->daten == nullptr) return "NM_MATRIX";
    return static_cast<nmmatrixdaten *>(m->daten)->name;
}

objekt *nmmatrix_produkt(objekt *m1, objekt *m2) {
    const matrix_funktionen *f1 = matrix_tabelle(m1);
    const matrix_funktionen *f2 = matrix_tabelle(m2);
    int k = f1->breite(m1);
    if (f2->hoehe(m2) != k) fehler("Matrizen m1 und m2 koennen nicht multipliziert werden.\n");
    int zeilen = f1->hoehe(m1);
    int spalten = f2->breite(m2);
    // Each factor takes part in the name with at most 25 characters.
    std::string name = "Produkt von ";
    name += std::string_view(f1->name(m1)).substr(0, 25);
    name += " und ";
    name += std::string_view(f2->name(m2)).substr(0, 25);
    nmmatrix_parameter p = {zeilen, spalten, name.c_str(), 0};
    matrix_zeiger gehalten(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    objekt *ergebnis = gehalten.get();
    // Counted from 0, so that a count of INT_MAX cannot overflow a counter.
    // The views read and write NM_MATRIX factors in their arrays, the same
    // products summed in the same order.
    feldsicht a(m1);
    feldsicht b(m2);
    feldsicht c(ergebnis);
    for (int i = 0; i < zeilen; ++i)
        for (int j = 0; j < spalten; ++j) {
            double summe = 0.0;
            for (int l = 0; l < k; ++l)
                summe += a(i + 1, l + 1) * b(l + 1, j + 1);
            c.setzen(i + 1, j + 1, summe);
        }
    return gehalten.release();
}

} // extern "C"

objekt *nm_anlegen_ungesetzt(int zeilen, int spalten, const char *name) {
    matrix_zeiger matrix = erzeugen(name, zeilen, spalten);
    eintraege_anlegen(get_nmmatrixdaten(matrix.get()), eintragszahl(zeilen, spalten), false);
    return matrix.release();
}
