// The library's one fatal path: every failure prints its message to standard
// error and ends the process with exit status 1.  Not part of the installed
// interface.
#ifndef NUMERIK_FEHLER_H
#define NUMERIK_FEHLER_H

// Writes exactly the formatted text to standard error and exits with status 1.
[[noreturn]] void fehler(const char *format, ...) __attribute__((format(printf, 1, 2)));

// A handle without its data record: exit status 1, no message.
[[noreturn]] void still_beenden();

// Writes a warning to standard error; the work goes on.
void warnung(const char *format, ...) __attribute__((format(printf, 1, 2)));

#endif
