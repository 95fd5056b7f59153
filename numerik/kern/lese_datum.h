// The key-line reader and writer.  Each class module includes this header
// and so keeps its own copy of lese_datum and schreibe_datum (internal
// linkage), as the class modules of both clusters read and write their key
// lines alike.
#ifndef NUMERIK_LESE_DATUM_H
#define NUMERIK_LESE_DATUM_H

#include "grund/fehler_intern.h"
#include "kern/kluster.h"
#include "numerik/zahlen.h"

#include <cstdio>
#include <cstring>

namespace {

// True when nothing but white space (of the C locale, a carriage return
// included) stands from p to the end of the text.
[[maybe_unused]] bool nur_leerraum(const char *p) {
    // Nearly every line ends right behind its number.
    if (p[0] == '\n' && p[1] == '\0') return true;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    return *p == '\0';
}

// A decimal comma: the number stops at a ',' that a digit follows ("2,5").
[[maybe_unused]] bool dezimalkomma(const char *rest) {
    return rest[0] == ',' && rest[1] >= '0' && rest[1] <= '9';
}

// Text of a line as a message shows it: without the white space at its
// ends, at most 40 characters, bytes outside printable ASCII as \xNN, and
// "..." where it was cut.
struct gezeigter_text {
    char text[4 * 40 + 4] = {};
    explicit gezeigter_text(const char *p) {
        while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
            ++p;
        std::size_t laenge = std::strlen(p);
        while (laenge > 0 &&
               (p[laenge - 1] == ' ' || (p[laenge - 1] >= '\t' && p[laenge - 1] <= '\r')))
            --laenge;
        char *ziel = text;
        for (std::size_t k = 0; k < laenge; ++k) {
            if (k == 40) {
                std::memcpy(ziel, "...", 3);
                ziel += 3;
                break;
            }
            auto c = static_cast<unsigned char>(p[k]);
            if (c >= 0x20 && c < 0x7f) {
                *ziel++ = static_cast<char>(c);
            } else {
                std::snprintf(ziel, 5, "\\x%02X", c);
                ziel += 4;
            }
        }
        *ziel = '\0';
    }
};

// Reads one line, checks that it begins with the key (which includes its
// " =") and converts the text behind the key with format "%d" or "%lf" into
// ziel.  Returns 0.  A value that is no number, an int out of range, or a
// number followed by anything but white space ends the process with a
// message naming the key: nothing unset or misread is left behind.
[[maybe_unused]] int lese_datum(FILE *ein, const char *format, const char *schluessel, void *ziel) {
    char zeile[ZEILENPUFFER];
    if (std::fgets(zeile, ZEILENPUFFER, ein) == nullptr) {
        lesefehler_pruefen(ein);
        fehler("Zeile %s nicht gefunden - EOF.\n", schluessel);
    }
    std::size_t laenge = std::strlen(schluessel);
    if (std::strncmp(zeile, schluessel, laenge) != 0) fehler("%s... erwartet!\n", schluessel);
    const char *text = zeile + laenge;
    const char *rest = nullptr;
    if (std::strcmp(format, "%d") == 0) {
        switch (zahl_int_lesen_bis(text, static_cast<int *>(ziel), &rest)) {
        case ZAHL_OK:
            break;
        case ZAHL_KEINE_ZAHL:
            fehler("Zeile %s... enthaelt keine gueltige Zahl!\n", schluessel);
        default:
            fehler("Zahl in Zeile %s... ausserhalb des Wertebereichs!\n", schluessel);
        }
    } else if (!zahl_double_lesen_bis(text, static_cast<double *>(ziel), &rest)) {
        fehler("Zeile %s... enthaelt keine gueltige Zahl!\n", schluessel);
    }
    if (!nur_leerraum(rest)) {
        if (dezimalkomma(rest))
            fehler("Zeile %s %s: Dezimalkomma statt Dezimalpunkt!\n", schluessel,
                   gezeigter_text(text).text);
        fehler("Zeile %s... hat hinter der Zahl noch \"%s\"!\n", schluessel,
               gezeigter_text(rest).text);
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
