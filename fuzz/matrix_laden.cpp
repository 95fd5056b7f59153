// Fuzz target: the generic matrix loader on arbitrary bytes.  Each matrix the
// stream holds (at most two, as the programs read them) is loaded, saved,
// printed, and its saved text loaded and saved once more: the second text
// must equal the first.
#include "kind.h"
#include "numerik/matrix.h"
#include "numerik/nmmatrix.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The longest line the loaders read whole (their buffer holds 8191
// characters and the terminator).
constexpr std::size_t ZEILENLAENGE = 8191;

struct text_aus {
    char *puffer = nullptr;
    std::size_t groesse = 0;
    FILE *datei = open_memstream(&puffer, &groesse);
    ~text_aus() { std::free(puffer); }
    std::string text() {
        std::fclose(datei);
        datei = nullptr;
        return std::string(puffer, groesse);
    }
};

std::size_t zeilen(const std::string &text) {
    std::size_t anzahl = 0;
    for (char c : text)
        anzahl += c == '\n';
    return anzahl;
}

const matrix_funktionen *allg() {
    return matrix_tabelle(&allg_matrix);
}

constexpr long long GROESSTE_DRUCKGROESSE = 1000000;

std::string gespeichert(objekt *m) {
    text_aus aus;
    matrix_tabelle(m)->speichern(m, aus.datei);
    return aus.text();
}

void pruefen(objekt *m) {
    const matrix_funktionen *f = matrix_tabelle(m);
    int n = f->hoehe(m);
    int spalten = f->breite(m);
    if (n < 0 || spalten < 0) kind_befund("negative Groesse geladen");
    klasse *k = f->klasse(m);

    std::string text = gespeichert(m);
    if (k == &nm_matrix && zeilen(text) != 3 + static_cast<std::size_t>(n) * spalten)
        kind_befund("gespeicherter Text hat nicht 3 + n*m Zeilen");

    // A band or cyclic matrix need not store the values its order claims
    // (the vector sizes are not compared with n); printing n * n elements of
    // a claimed order 2147483647 is long work, not a hang.
    if (static_cast<long long>(n) * spalten <= GROESSTE_DRUCKGROESSE) {
        text_aus gedruckt;
        f->ausgeben(m, gedruckt.datei);
        if (zeilen(gedruckt.text()) != 1 + (spalten > 0 ? static_cast<std::size_t>(n) : 0))
            kind_befund("gedruckter Text hat nicht 1 + n Zeilen");
    }

    // A header line longer than the line buffer is read in pieces: only a
    // text whose lines all fit can be read back whole.
    std::size_t kopf = text.find('\n');
    if (kopf == std::string::npos || kopf + 1 > ZEILENLAENGE) return;
    FILE *ein = fmemopen(text.data(), text.size(), "r");
    objekt *zurueck = allg()->laden(ein, nullptr);
    std::fclose(ein);
    if (gespeichert(zurueck) != text)
        kind_befund("gespeichert, geladen und wieder gespeichert ergibt einen anderen Text");
    matrix_tabelle(zurueck)->freigeben(zurueck);
}

} // namespace

int kind_arbeit(const uint8_t *daten, std::size_t groesse) {
    // glibc's fmemopen accepts a size of 0, but not a null buffer.
    static char leer[1];
    void *puffer = groesse > 0 ? const_cast<uint8_t *>(daten) : static_cast<void *>(leer);
    FILE *ein = fmemopen(puffer, groesse, "r");
    // The first matrix is always loaded (an empty input must end with the
    // message), a second one only when more text follows.
    for (int k = 0; k < 2; ++k) {
        int c = std::fgetc(ein);
        if (k > 0 && c == EOF) break;
        if (c != EOF) std::ungetc(c, ein);
        objekt *m = allg()->laden(ein, nullptr);
        pruefen(m);
        matrix_tabelle(m)->freigeben(m);
    }
    std::fclose(ein);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, std::size_t groesse) {
    im_kind_ausfuehren(daten, groesse, std::string());
    return 0;
}
