// grund/: the ground every other folder of the library stands on and that
// stands on nothing of the library: the one fatal path with the caller's
// handler (fehler.cpp, fehler_intern.h) and the numerical zero 2^-120
// (epsilon.h).  The folders above it, from the bottom: zahlen/ (number text
// and blocks), kern/ (the object model and the text protocol), matrizen/,
// lgs/ (linear systems), interpolation/.  A folder includes only from the
// folders below it.
#include "grund/fehler_intern.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

numerik_fehlerbehandlung behandlung = nullptr;
numerik_warnungsbehandlung warnungsbehandlung = nullptr;

// What the readers above must forget before a handler runs (see
// fehler_ruecksetzer_setzen); null until a reader exists.
void (*ruecksetzer)() = nullptr;

void zuruecksetzen() {
    if (ruecksetzer != nullptr) ruecksetzer();
}

// The message handed to the handler.  The buffer is kept from one failure to
// the next (a handler that leaves by longjmp would leak a fresh one); when it
// cannot grow, the message is cut to what it holds.
char erster_puffer[512];
char *puffer = erster_puffer;
std::size_t puffergroesse = sizeof erster_puffer;

// The same for warnings, apart: a warning's handler may fail, and the
// failure's text must not overwrite the warning's while it is in use.
char erster_warnpuffer[512];
char *warnpuffer = erster_warnpuffer;
std::size_t warnpuffergroesse = sizeof erster_warnpuffer;

const char *formatieren(const char *format, va_list args, char *&ziel, std::size_t &zielgroesse,
                        char *erster) {
    va_list kopie;
    va_copy(kopie, args);
    int laenge = std::vsnprintf(ziel, zielgroesse, format, kopie);
    va_end(kopie);
    if (laenge >= 0 && static_cast<std::size_t>(laenge) >= zielgroesse) {
        std::size_t groesse = static_cast<std::size_t>(laenge) + 1;
        auto *neu = static_cast<char *>(std::malloc(groesse));
        if (neu != nullptr) {
            if (ziel != erster) std::free(ziel);
            ziel = neu;
            zielgroesse = groesse;
            std::vsnprintf(ziel, zielgroesse, format, args);
        }
    }
    if (laenge < 0) ziel[0] = '\0';
    return ziel;
}

// A fatal error ends the process at once: whatever the layers above still
// hold is given back by the operating system.  Every stream is flushed, so
// output written before the failure is complete, and then the process ends
// without running exit handlers, which would otherwise report the objects
// still held on the way down as leaks.
[[noreturn]] void beenden(int status) {
    std::fflush(nullptr);
    _exit(status);
}

// Without a handler the message is written straight to standard error, as
// the programs have always done it; a handler gets the formatted text and,
// should it return, that text is written instead.
[[noreturn]] void fatal(const char *format, va_list args) {
    zuruecksetzen();
    if (behandlung == nullptr) {
        std::vfprintf(stderr, format, args);
        beenden(1);
    }
    const char *meldung = formatieren(format, args, puffer, puffergroesse, erster_puffer);
    behandlung(meldung, 1);
    std::fputs(meldung, stderr);
    beenden(1);
}

// A warning to its handler, or to standard error (straight, with no
// allocation, as the programs have always written it).  Ends args.
void warnen(const char *format, va_list args) {
    if (warnungsbehandlung == nullptr) {
        std::vfprintf(stderr, format, args);
        va_end(args);
        return;
    }
    const char *text = formatieren(format, args, warnpuffer, warnpuffergroesse, erster_warnpuffer);
    va_end(args);
    warnungsbehandlung(text);
}

} // namespace

extern "C" {

numerik_warnungsbehandlung numerik_warnungsbehandlung_setzen(numerik_warnungsbehandlung neu) {
    numerik_warnungsbehandlung alt = warnungsbehandlung;
    warnungsbehandlung = neu;
    return alt;
}

numerik_fehlerbehandlung numerik_fehlerbehandlung_setzen(numerik_fehlerbehandlung neu) {
    numerik_fehlerbehandlung alt = behandlung;
    behandlung = neu;
    return alt;
}

void numerik_fehler(const char *format, ...) {
    va_list args;
    va_start(args, format);
    fatal(format, args);
}

void numerik_warnung(const char *format, ...) {
    va_list args;
    va_start(args, format);
    warnen(format, args);
}

} // extern "C"

void fehler(const char *format, ...) {
    va_list args;
    va_start(args, format);
    fatal(format, args);
}

void still_beenden() {
    zuruecksetzen();
    if (behandlung != nullptr) behandlung("", 1);
    beenden(1);
}

void warnung(const char *format, ...) {
    va_list args;
    va_start(args, format);
    warnen(format, args);
}

bool warnungen_behandelt() {
    return warnungsbehandlung != nullptr;
}

void fehler_ruecksetzer_setzen(void (*ruecksetzen)()) {
    ruecksetzer = ruecksetzen;
}

meldezahl::meldezahl(double wert) {
    // "%f" rounds to six decimals: a magnitude below 5e-7 that is not 0
    // would print as 0.000000.
    const bool winzig = wert != 0.0 && wert > -5e-7 && wert < 5e-7;
    if (winzig)
        std::snprintf(text, sizeof text, "%g", wert);
    else
        std::snprintf(text, sizeof text, "%f", wert);
}
