// Fuzz target: a formula in x read from arbitrary bytes (the text up to the
// first NUL) on [-1, 1].  A formula that is accepted must hold only
// printable ASCII, spaces and tabs, and no assignment; each value, and the
// two derivatives, at a few points is then evaluated (any figure, not a
// number included, is a result).  A refused formula ends through the fatal
// path with a message, which the child harness accepts, no longer than a
// formula quoted to 60 characters allows.
#include "kind.h"
#include "numerik/formel.h"

#include <cstdint>
#include <cstdio>
#include <string>

int kind_arbeit(const uint8_t *daten, std::size_t groesse) {
    std::string text(reinterpret_cast<const char *>(daten), groesse);
    text = text.substr(0, text.find('\0'));
    formelfunktion *f = formel_erzeugen(text.c_str(), -1.0, 1.0);
    for (unsigned char c : text)
        if (!((c >= 0x20 && c < 0x7f) || c == '\t'))
            kind_befund("Formel mit Steuerzeichen gelesen");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') continue;
        const char vor = i > 0 ? text[i - 1] : ' ';
        const char nach = i + 1 < text.size() ? text[i + 1] : ' ';
        if (nach == '=') {
            ++i;
            continue;
        }
        if (vor != '<' && vor != '>' && vor != '!') kind_befund("Formel mit Zuweisung gelesen");
    }
    volatile double summe = 0.0;
    for (double x : {-1.0, -0.25, 0.0, 0.5, 1.0})
        summe = summe + formel_wert(f, x) + formel_abl1(f, x) + formel_abl2(f, x);
    formel_freigeben(f);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, std::size_t groesse) {
    kindergebnis e = im_kind_ausfuehren(daten, groesse, std::string());
    // A message quotes at most 60 characters of the formula and of a token.
    if (e.status == 1 && e.fehlertext.size() > 400) befund_melden("Meldung zu lang", e);
    return 0;
}
