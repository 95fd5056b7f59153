// The library's one fatal path, as its modules call it: every failure goes
// through fehler (or still_beenden for a handle without its data record),
// which hands the message to the caller's handler (numerik/fehler.h) or
// prints it and ends the process with exit status 1.
#ifndef NUMERIK_FEHLER_INTERN_H
#define NUMERIK_FEHLER_INTERN_H

#include "numerik/fehler.h"

// Formats exactly the given text and takes the fatal path.
[[noreturn]] void fehler(const char *format, ...) __attribute__((format(printf, 1, 2)));

// A number for a message: as "%f" (or "%lf") prints it, or as "%g" where
// "%f" would print a number that is not 0 as 0.000000, so that an interval
// [1e-40, 2e-40] is named as such.
struct meldezahl {
    explicit meldezahl(double wert);
    const char *c_str() const { return text; }
    char text[330]; // "%f" of -DBL_MAX: 317 characters
};

// A handle without its data record: the fatal path with an empty message.
[[noreturn]] void still_beenden();

// A warning: to the caller's handler of warnings (numerik/fehler.h), or to
// standard error; the work goes on.
void warnung(const char *format, ...) __attribute__((format(printf, 1, 2)));

// True when the caller has set a handler of warnings: a warning made of
// more than one text (a note and objects written after it) is then put
// together first and handed over whole.
bool warnungen_behandelt();

// The state that the fatal path resets before the handler runs (the
// header-line readers' waiting line), so that a caller who leaves a failed
// load through its handler can load again.  The cluster mechanism sets it
// when its first cluster is made.
void fehler_ruecksetzer_setzen(void (*ruecksetzen)());

#endif
