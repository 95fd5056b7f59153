// Conversions between numbers and the text format.  Reading accepts exactly
// what scanf's "%d" and "%lf" accept, with identical values; an int out of
// range is reported instead of being undefined.
#ifndef NUMERIK_ZAHLEN_H
#define NUMERIK_ZAHLEN_H

enum class lesergebnis { ok, keine_zahl, zu_gross };

// Like sscanf(text, "%d", &ziel); ziel is written only on success.
lesergebnis int_lesen(const char *text, int &ziel);

// Like sscanf(text, "%lf", &ziel) == 1; ziel is written only on success.
bool double_lesen(const char *text, double &ziel);

#endif
