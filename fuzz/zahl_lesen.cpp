// Fuzz target: the number readers on arbitrary text, in-process (they never
// take the fatal path).  Oracles: zahl_double_lesen_bis succeeds exactly
// where sscanf("%lf") does, with the same bits; a number counts as whole
// (only white space behind the end the reader reports) exactly where strtod
// reads it whole, with strtod's bits; zahl_int_lesen_bis likewise against
// strtol within the int range.
#include "numerik/zahlen.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool nur_leerraum(const char *p) {
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    return *p == '\0';
}

std::uint64_t bits(double x) {
    std::uint64_t b = 0;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

[[noreturn]] void befund(const char *grund, const std::string &text) {
    std::fprintf(stderr, "%s: '%s'\n", grund, text.c_str());
    std::abort();
}

void double_pruefen(const std::string &text) {
    const char *t = text.c_str();
    double wert = -7.0;
    const char *ende = nullptr;
    int ok = zahl_double_lesen_bis(t, &wert, &ende);
    double soll = -7.0;
    int soll_ok = std::sscanf(t, "%lf", &soll) == 1 ? 1 : 0;
    if (ok != soll_ok) befund("Erfolg anders als sscanf", text);
    if (ok && bits(wert) != bits(soll)) befund("Wert anders als sscanf", text);
    if (ok && (ende < t || ende > t + text.size())) befund("Ende ausserhalb des Textes", text);
    char *strtod_ende = nullptr;
    double strtod_wert = std::strtod(t, &strtod_ende);
    bool strtod_ganz = strtod_ende != t && nur_leerraum(strtod_ende);
    bool ganz = ok && nur_leerraum(ende);
    if (ganz != strtod_ganz) befund("ganze Zahl anders als strtod", text);
    if (ganz && bits(wert) != bits(strtod_wert)) befund("Wert anders als strtod", text);
}

void int_pruefen(const std::string &text) {
    const char *t = text.c_str();
    int wert = -7;
    const char *ende = nullptr;
    int ergebnis = zahl_int_lesen_bis(t, &wert, &ende);
    errno = 0;
    char *strtol_ende = nullptr;
    long soll = std::strtol(t, &strtol_ende, 10);
    bool gelesen = strtol_ende != t;
    bool im_bereich = errno != ERANGE && soll >= INT_MIN && soll <= INT_MAX;
    if ((ergebnis == ZAHL_KEINE_ZAHL) != !gelesen) befund("int: Zahl anders als strtol", text);
    if (gelesen && (ergebnis == ZAHL_OK) != im_bereich) befund("int: Bereich anders", text);
    if (ergebnis == ZAHL_OK && (wert != soll || ende != strtol_ende))
        befund("int: Wert oder Ende anders als strtol", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, std::size_t groesse) {
    // The readers see one line of a file: text up to the first NUL.
    std::string text(reinterpret_cast<const char *>(daten), groesse);
    text.resize(std::strlen(text.c_str()));
    double_pruefen(text);
    int_pruefen(text);
    return 0;
}
