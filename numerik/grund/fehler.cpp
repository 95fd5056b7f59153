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

const char *formatieren(const char *format, va_list args) {
    va_list kopie;
    va_copy(kopie, args);
    int laenge = std::vsnprintf(puffer, puffergroesse, format, kopie);
    va_end(kopie);
    if (laenge >= 0 && static_cast<std::size_t>(laenge) >= puffergroesse) {
        std::size_t groesse = static_cast<std::size_t>(laenge) + 1;
        auto *neu = static_cast<char *>(std::malloc(groesse));
        if (neu != nullptr) {
            if (puffer != erster_puffer) std::free(puffer);
            puffer = neu;
            puffergroesse = groesse;
            std::vsnprintf(puffer, puffergroesse, format, args);
        }
    }
    if (laenge < 0) puffer[0] = '\0';
    return puffer;
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
    const char *meldung = formatieren(format, args);
    behandlung(meldung, 1);
    std::fputs(meldung, stderr);
    beenden(1);
}

} // namespace

extern "C" {

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
    std::vfprintf(stderr, format, args);
    va_end(args);
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
    std::vfprintf(stderr, format, args);
    va_end(args);
}

void fehler_ruecksetzer_setzen(void (*ruecksetzen)()) {
    ruecksetzer = ruecksetzen;
}
