// The class-cluster mechanism, written once for both clusters: the header
// line's two-phase protocol with its reader state, the registry of classes,
// the generic loader and the class query.  A cluster is one klassenkluster
// object (its messages, its registry, how its table layout reaches the laden
// and name slots, and its own reader state); its generic file defines it,
// and the registry lives in a small file of its own, so that the generic
// files never include the classes they dispatch to.
#ifndef NUMERIK_KLUSTER_H
#define NUMERIK_KLUSTER_H

#include "numerik/objekt.h"

#include <cstddef>
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

// One registered class: its type text and its descriptor.  The order of a
// registry is the order in which the loader and the class query compare.
struct registrierung {
    const char *typ;
    klasse *beschreibung;
};

// The classes of a cluster, asked one by one (the interpolation cluster
// makes its entries from its classes' records).
struct klassenregister {
    std::size_t (*anzahl)();
    registrierung (*eintrag)(std::size_t k);
};

// The registries, each in its own file (matrix_register.cpp,
// interplt_register.cpp).
extern const klassenregister matrix_register;
extern const klassenregister interpolation_register;

// What differs between the clusters' table layouts: where laden and name sit.
using lader = objekt *(*)(FILE *ein, void *zusatz);
struct tabellenart {
    lader (*laden)(const klasse *k);
    const char *(*name)(objekt *o);
};

struct klassenkluster {
    const kopfzeilen_meldungen &meldungen;
    const klassenregister &register_;
    const tabellenart &tabelle;
    // The header reader's state: the last header line (its first ':'
    // replaced by the terminator), the name in it, and whether it still
    // waits to be claimed.
    char eingabe[ZEILENPUFFER] = {};
    const char *name = nullptr;
    int kopfzeile_halb_gelesen = 0;
    // Every cluster, for kopfzeilen_zuruecksetzen.
    klassenkluster *naechster = nullptr;

    klassenkluster(const kopfzeilen_meldungen &m, const klassenregister &r, const tabellenart &t);
};

// The two-phase protocol: an empty typ discovers (copies at most 79
// characters of the type text into typ), a non-empty typ expects that type.
const char *kopfzeile_lesen(klassenkluster &kluster, FILE *ein, char *typ);

// Reads a header line in discover mode and hands the stream to the laden
// slot of the registered class it names.  A class whose laden slot is still
// empty counts as not registered.  No class: the cluster's message, naming
// the whole type text (also one too long for the type buffer).
objekt *kluster_laden(klassenkluster &kluster, FILE *ein, void *zusatz);

// The descriptor of o's class, or "Fehler: undefiniertes Objekt %s\n".
klasse *kluster_klasse(const klassenkluster &kluster, objekt *o);

// Called where a read returned nothing: when the stream's error flag is
// set, ends with the system's reason ("Die Eingabe konnte nicht gelesen
// werden: ..."), so that a read error is never taken for the end of the
// data.  At the end of the data it returns.
void lesefehler_pruefen(FILE *ein);

// Forgets a waiting header line in every cluster: the fatal path calls it,
// so that a caller who leaves a failed load through its handler can load
// again.
void kopfzeilen_zuruecksetzen();

#endif
