// Loads interpolations from text with the generic loader, evaluates them,
// and turns the library's failures into exceptions, so that a bad input
// ends one task and not the program.
#include <numerik/fehler.h>
#include <numerik/interplt.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

void werfen(const char *meldung, int) {
    throw std::runtime_error(meldung);
}

// The text as a stream for the library's loaders.
interpolation_zeiger laden(std::string text) {
    FILE *ein = fmemopen(text.data(), text.size(), "r");
    try {
        interpolation_zeiger ip(interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr));
        std::fclose(ein);
        return ip;
    } catch (...) {
        std::fclose(ein);
        throw;
    }
}

} // namespace

int main() {
    numerik_fehlerbehandlung_setzen(werfen);
    const char *texte[] = {
        // p(x) = 1 + 2x + x(x - 1) through (0, 1), (1, 3), (2, 7).
        "NEWTON_INTERPOLATION: p\nart = 1\na = 0\nb = 2\n"
        "NM_MATRIX: Stuetzwerte\nn = 3\nm = 1\n1\n3\n7\n",
        // A value line that is no number.
        "NEWTON_INTERPOLATION: q\nart = 1\na = 0\nb = 2\n"
        "NM_MATRIX: Stuetzwerte\nn = 3\nm = 1\n1\ndrei\n7\n",
        // A natural spline through a straight line is that line.
        "SPLINE_INTERPOLATION: s\nstuetzstellenart = 1\na = 0\nb = 4\nsplineart = 1\n"
        "NM_MATRIX: Stuetzwerte\nn = 5\nm = 1\n0\n2\n4\n6\n8\n",
    };
    for (const char *text : texte) {
        try {
            interpolation_zeiger ip = laden(text);
            const interpolation_funktionen *f = interpolation_tabelle(ip.get());
            std::printf("%s(3) = %g\n", f->name(ip.get()), f->funktionswert(ip.get(), 3.0));
        } catch (const std::runtime_error &fehler) {
            std::printf("abgelehnt: %s", fehler.what());
        }
    }
    return 0;
}
