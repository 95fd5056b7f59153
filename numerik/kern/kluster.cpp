// kern/: the object model and its text protocol, written once for both
// clusters: the header line with its two-phase reader, the registry of
// classes, the generic loader and class query (kluster.h, kluster.cpp) and
// the key lines "name = value" (lese_datum.h).  Stands on grund/ and
// zahlen/.
#include "kern/kluster.h"

#include "grund/fehler_intern.h"

#include <cctype>
#include <cerrno>
#include <cstring>

namespace {
// The name of an object whose header line names none.
char unbenannt[] = "unbenannt";

klassenkluster *alle_kluster = nullptr;
} // namespace

klassenkluster::klassenkluster(const kopfzeilen_meldungen &m, const klassenregister &r,
                               const tabellenart &t)
    : meldungen(m), register_(r), tabelle(t), naechster(alle_kluster) {
    alle_kluster = this;
    // The error path lies below the clusters and knows none of them: the
    // first cluster tells it what to forget on a failure.
    fehler_ruecksetzer_setzen(kopfzeilen_zuruecksetzen);
}

const char *kopfzeile_lesen(klassenkluster &leser, FILE *ein, char *typ) {
    if (leser.kopfzeile_halb_gelesen == 0) {
        if (std::fgets(leser.eingabe, ZEILENPUFFER, ein) == nullptr) {
            lesefehler_pruefen(ein);
            fehler("%s", leser.meldungen.eof);
        }
        // A UTF-8 byte-order mark, which some editors put at the start of a
        // file, is no part of the type text.  Every file begins with a
        // header line, so it is skipped there (also in the header lines of
        // files joined with cat).
        if (std::strncmp(leser.eingabe, "\xEF\xBB\xBF", 3) == 0)
            std::memmove(leser.eingabe, leser.eingabe + 3, std::strlen(leser.eingabe + 3) + 1);
        char *doppelpunkt = std::strchr(leser.eingabe, ':');
        if (doppelpunkt == nullptr) fehler("%s", leser.meldungen.ohne_doppelpunkt);
        *doppelpunkt = '\0';
        // Remember where the name begins; the flag decides below whether the
        // line is claimed or waits.
        leser.name = doppelpunkt + 1;
    }
    if (typ[0] != '\0') {
        if (std::strcmp(leser.eingabe, typ) != 0) fehler(leser.meldungen.falscher_typ, typ);
        if (leser.kopfzeile_halb_gelesen == 1) {
            leser.kopfzeile_halb_gelesen = 0;
            return leser.name;
        }
    } else {
        std::size_t laenge = std::strlen(leser.eingabe);
        if (laenge > TYPPUFFER - 1) laenge = TYPPUFFER - 1;
        std::memcpy(typ, leser.eingabe, laenge);
        typ[laenge] = '\0';
        if (leser.kopfzeile_halb_gelesen == 1) fehler("Fehler: Kopfzeile wurde bereits gelesen\n");
        leser.kopfzeile_halb_gelesen = 1;
    }
    // The name: skip white space behind the ':' and drop one final newline
    // and the carriage returns before it (a file with CRLF line ends; all of
    // them, so that a loaded name never ends in one and is read back alike);
    // other trailing blanks stay part of it.
    char *rest = const_cast<char *>(leser.name);
    while (*rest != '\0' && std::isspace(static_cast<unsigned char>(*rest)))
        ++rest;
    std::size_t laenge = std::strlen(rest);
    if (laenge > 0 && rest[laenge - 1] == '\n') rest[--laenge] = '\0';
    while (laenge > 0 && rest[laenge - 1] == '\r')
        rest[--laenge] = '\0';
    leser.name = (*rest == '\0') ? unbenannt : rest;
    return leser.name;
}

objekt *kluster_laden(klassenkluster &kluster, FILE *ein, void *zusatz) {
    char typ[TYPPUFFER] = "";
    kopfzeile_lesen(kluster, ein, typ);
    const klassenregister &r = kluster.register_;
    for (std::size_t k = 0; k < r.anzahl(); ++k) {
        const registrierung e = r.eintrag(k);
        if (std::strcmp(typ, e.typ) != 0) continue;
        lader laden = kluster.tabelle.laden(e.beschreibung);
        if (laden != nullptr) return laden(ein, zusatz);
    }
    // The waiting header line is claimed before the process ends.
    kluster.kopfzeile_halb_gelesen = 0;
    fehler(kluster.meldungen.unregistriert, kluster.name, kluster.eingabe);
}

klasse *kluster_klasse(const klassenkluster &kluster, objekt *o) {
    const klassenregister &r = kluster.register_;
    for (std::size_t k = 0; k < r.anzahl(); ++k) {
        const registrierung e = r.eintrag(k);
        if (o->funktionen == e.beschreibung->funktionen) return e.beschreibung;
    }
    fehler("Fehler: undefiniertes Objekt %s\n", kluster.tabelle.name(o));
}

void lesefehler_pruefen(FILE *ein) {
    if (std::ferror(ein) == 0) return;
    const int grund = errno;
    fehler("Die Eingabe konnte nicht gelesen werden: %s.\n",
           grund != 0 ? std::strerror(grund) : "unbekannter Grund");
}

void kopfzeilen_zuruecksetzen() {
    for (klassenkluster *k = alle_kluster; k != nullptr; k = k->naechster)
        k->kopfzeile_halb_gelesen = 0;
}
