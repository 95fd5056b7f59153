#include "zahlen.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

lesergebnis int_lesen(const char *text, int &ziel) {
    // scanf's "%d" skips white space, then takes an optional sign and decimal
    // digits; strtol with base 10 reads the same text.
    while (*text != '\0' && std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    const char *ziffern = text;
    if (*ziffern == '+' || *ziffern == '-')
        ++ziffern;
    if (!std::isdigit(static_cast<unsigned char>(*ziffern)))
        return lesergebnis::keine_zahl;
    errno = 0;
    char *ende = nullptr;
    long wert = std::strtol(text, &ende, 10);
    if (errno == ERANGE || wert < INT_MIN || wert > INT_MAX)
        return lesergebnis::zu_gross;
    ziel = static_cast<int>(wert);
    return lesergebnis::ok;
}

bool double_lesen(const char *text, double &ziel) {
    double wert = 0.0;
    if (std::sscanf(text, "%lf", &wert) != 1)
        return false;
    ziel = wert;
    return true;
}
