// The header-line reader shared by both class clusters.  Each cluster keeps
// its own state (line buffer, last name, the flag kopfzeile_halb_gelesen) and
// its own messages; the two-phase protocol is written once here.
#ifndef NUMERIK_KOPFZEILE_H
#define NUMERIK_KOPFZEILE_H

#include <cstdio>

// Lines are read with a buffer of this size: at most 8191 characters a read,
// the rest of a longer line is read as the next line.
constexpr int ZEILENPUFFER = 8192;

// Size of the type buffer of the generic loaders: a type text may have at
// most TYPPUFFER - 1 characters to be copied whole.
constexpr int TYPPUFFER = 80;

struct kopfzeilen_meldungen {
    const char *eof;              // end of input where a header line is expected
    const char *ohne_doppelpunkt; // header line without ':'
    const char *falscher_typ;     // "%s": the expected type text
    const char *unregistriert;    // "%s %s": name, type text
};

struct kopfzeilen_leser {
    const kopfzeilen_meldungen &meldungen;
    char eingabe[ZEILENPUFFER] = {};
    const char *name = nullptr;
    int kopfzeile_halb_gelesen = 0;
};

// The two-phase protocol: an empty typ discovers (copies at most 79
// characters of the type text into typ), a non-empty typ expects that type.
const char *kopfzeile_lesen(kopfzeilen_leser &leser, FILE *ein, char *typ);

// The generic loader's error path for a type text of no registered class:
// claims the waiting header line and ends with the cluster's message, naming
// the whole type text (also one too long for the type buffer).
[[noreturn]] void kopfzeile_unregistriert(kopfzeilen_leser &leser);

#endif
