// The library's JSON writer (numerik/json.h, used by the page's interface), natively,
// for tests/browser/json_test.cjs: reads lines from standard input and
// writes one JSON value a line.
//   t <hex bytes>   the bytes as a JSON text
//   z <16 hex>      the double of that bit pattern as a JSON number
//   s               a nested object of every kind of value
#include "numerik/json.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

std::string bytes_aus_hex(const std::string &hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

void geschachtelt(json_schreiber &j) {
    j.objekt_auf().feld("a", 1).feld("b", true).schluessel("c").liste_auf();
    j.objekt_auf().objekt_zu().liste_auf().liste_zu().null().zahl(-0.5).text("x");
    j.liste_zu().schluessel("d").objekt_auf().feld("e", "f").feld("g", false).objekt_zu();
    j.feld("h", static_cast<const char *>(nullptr)).objekt_zu();
}

} // namespace

int main() {
    std::string zeile;
    while (std::getline(std::cin, zeile)) {
        json_schreiber j;
        if (zeile.rfind("t ", 0) == 0) {
            j.text(bytes_aus_hex(zeile.substr(2)));
        } else if (zeile.rfind("z ", 0) == 0) {
            const std::uint64_t bits = std::stoull(zeile.substr(2), nullptr, 16);
            double x = 0.0;
            std::memcpy(&x, &bits, sizeof x);
            j.zahl(x);
        } else if (zeile == "s") {
            geschachtelt(j);
        } else {
            std::fprintf(stderr, "Unbekannte Zeile: %s\n", zeile.c_str());
            return 1;
        }
        std::cout << j.ergebnis() << '\n';
    }
    return 0;
}
