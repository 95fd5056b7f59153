// One result for each call of the page: a JSON object, the long numeric
// series beside it as arrays of doubles, and for a file its bytes.  The
// page reads the result through the head that every exported call returns
// (antwort_kopf) and then releases it (web_antwort_loslassen); the next
// call replaces it.
//
// Failures: the library's fatal path calls the handler set by web_start,
// which throws bibliotheksfehler.  Each exported call runs its work in
// aufrufen, which catches it: the destructors of every frame in between
// have run (the module is compiled with WebAssembly's own exceptions), so
// the instance stays usable, and the result is {"fehler": the library's
// message, "warnungen": [...]}.
#ifndef NUMERIK_WEB_ANTWORT_H
#define NUMERIK_WEB_ANTWORT_H

#include "numerik/json.h"

#include <cstdint>
#include <deque>
#include <exception>
#include <string>
#include <vector>

// A failure of the library, with its message exactly as the programs
// print it (ending in a newline; empty for a handle without its data).
class bibliotheksfehler : public std::exception {
  public:
    explicit bibliotheksfehler(const char *meldung) : meldung_(meldung) {}
    const char *what() const noexcept override { return meldung_.c_str(); }

  private:
    std::string meldung_;
};

// What the page reads of a result, in the module's memory (wasm32: each
// field four bytes, in this order).
struct reihe_kopf {
    const double *werte;
    std::int32_t anzahl;
};
struct antwort_kopf {
    const char *json;          // the JSON text, not NUL-terminated
    std::int32_t json_laenge;  // its bytes
    std::int32_t reihen;       // the number of series
    const reihe_kopf *reihe;   // the series, in the order of the JSON's "reihen"
    const char *bytes;         // a file's bytes, or null
    std::int32_t bytes_laenge; // their number
};
static_assert(sizeof(void *) != 4 || sizeof(antwort_kopf) == 24,
              "the page reads antwort_kopf as six 32-bit fields");

// The result being written.  The JSON object is open: a call writes its
// fields into json; aufrufen adds "reihen" (the names of the series) and
// "warnungen" and closes it.
struct antwort {
    json_schreiber json;
    // A new series named name (its name goes into "reihen"), to be filled.
    std::vector<double> &reihe(const char *name);
    std::string bytes;

    std::vector<std::string> reihen_namen;
    // A deque: a series handed out stays where it is while others are added.
    std::deque<std::vector<double>> reihen;
    std::vector<std::string> warnungen;
    std::vector<reihe_kopf> reihen_koepfe;
    antwort_kopf kopf = {};
};

// The one place where a warning of the library is collected for the
// result of the call that raised it ("warnungen"): the library's handler of
// warnings (numerik/fehler.h), set by web_start.
void warnung_aufnehmen(const char *text);

// Starts a new result, replacing the last; returns it.
antwort &antwort_beginnen();
// Closes the result that arbeit wrote, or replaces it by the failure.
const antwort_kopf *antwort_abschliessen();
const antwort_kopf *antwort_fehler(const char *meldung);

// Runs arbeit(antwort &) as one call of the page: its result, or the
// message of the failure it ended in.
template <typename F> const antwort_kopf *aufrufen(F arbeit) {
    antwort &a = antwort_beginnen();
    try {
        arbeit(a);
        return antwort_abschliessen();
    } catch (const bibliotheksfehler &f) {
        return antwort_fehler(f.what());
    } catch (const std::bad_alloc &) {
        return antwort_fehler("Nicht genug Speicher.\n");
    } catch (const std::exception &e) {
        const std::string meldung =
            std::string("Interner Fehler der Schnittstelle: ") + e.what() + "\n";
        return antwort_fehler(meldung.c_str());
    }
}

#endif
