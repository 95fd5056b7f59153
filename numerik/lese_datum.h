// The key-line reader and writer.  Each class module includes this header
// and so keeps its own copy of lese_datum and schreibe_datum (internal
// linkage), as the class modules of both clusters read and write their key
// lines alike.
#ifndef NUMERIK_LESE_DATUM_H
#define NUMERIK_LESE_DATUM_H

#include "fehler_intern.h"
#include "kluster.h"
#include "numerik/zahlen.h"

#include <cstdio>
#include <cstring>

namespace {

// Reads one line, checks that it begins with the key (which includes its
// " =") and converts the text behind the key with format "%d" or "%lf" into
// ziel.  Returns 0.  A value that is no number, or an int out of range, ends
// the process with a message naming the key: nothing unset is left behind.
[[maybe_unused]] int lese_datum(FILE *ein, const char *format, const char *schluessel, void *ziel) {
    char zeile[ZEILENPUFFER];
    if (std::fgets(zeile, ZEILENPUFFER, ein) == nullptr)
        fehler("Zeile %s nicht gefunden - EOF.\n", schluessel);
    std::size_t laenge = std::strlen(schluessel);
    if (std::strncmp(zeile, schluessel, laenge) != 0) fehler("%s... erwartet!\n", schluessel);
    const char *text = zeile + laenge;
    if (std::strcmp(format, "%d") == 0) {
        switch (zahl_int_lesen(text, static_cast<int *>(ziel))) {
        case ZAHL_OK:
            break;
        case ZAHL_KEINE_ZAHL:
            fehler("Zeile %s... enthaelt keine gueltige Zahl!\n", schluessel);
        default:
            fehler("Zahl in Zeile %s... ausserhalb des Wertebereichs!\n", schluessel);
        }
    } else if (!zahl_double_lesen(text, static_cast<double *>(ziel))) {
        fehler("Zeile %s... enthaelt keine gueltige Zahl!\n", schluessel);
    }
    return 0;
}

// Writes the key line of a double: the key (which includes its " ="), a
// blank, the value in the process's number form (numerik/zahlen.h: the
// bytes of "%lf" by default, 17 significant digits in full precision, which
// lese_datum reads back unchanged), a newline.
[[maybe_unused]] void schreibe_datum(FILE *aus, const char *schluessel, double wert) {
    char zahl[ZAHL_MAXLAENGE + 1];
    *zahl_schreiben(zahl, wert) = '\0';
    std::fprintf(aus, "%s %s\n", schluessel, zahl);
}

} // namespace

#endif
