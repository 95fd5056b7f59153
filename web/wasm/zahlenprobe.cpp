// The number check in the WebAssembly build (tests/browser/zahlen_test.cjs):
// the library's writer and reader against the module's own C library.
#include <emscripten/emscripten.h>

#include "../../tests/browser/zahlenfolge.h"
#include "numerik/zahlen.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>

extern "C" {

// The first anzahl numbers of the sequence, each written by zahl_f_schreiben,
// a blank, in full precision by zahl_schreiben, then as the printed form's
// and the data files' formats by zahl_formatiert_schreiben, and a newline:
// compared byte for byte with the native build's
// printf("%f %.17g %9.3g %9.3f %9.6f %.9e\n").
EMSCRIPTEN_KEEPALIVE char *zahlen_schreiben(int anzahl) {
    std::string text;
    std::uint64_t zustand = 88172645463325252ULL;
    char zahl[ZAHL_MAXLAENGE + 1];
    const int vorher = zahl_form_setzen(ZAHL_FORM_VOLL);
    for (int i = 0; i < anzahl; ++i) {
        const double x = zahlenfolge(&zustand, i);
        text.append(zahl, zahl_f_schreiben(zahl, x));
        text += ' ';
        text.append(zahl, zahl_schreiben(zahl, x));
        for (auto [art, breite, stellen] : {std::tuple{'g', 9, 3}, std::tuple{'f', 9, 3},
                                            std::tuple{'f', 9, 6}, std::tuple{'e', 0, 9}}) {
            char formatiert[ZAHL_FORMAT_MAXLAENGE + 1];
            text += ' ';
            text.append(formatiert, zahl_formatiert_schreiben(formatiert, x, art, breite, stellen));
        }
        text += '\n';
    }
    zahl_form_setzen(vorher);
    char *ergebnis = static_cast<char *>(std::malloc(text.size() + 1));
    std::memcpy(ergebnis, text.c_str(), text.size() + 1);
    return ergebnis;
}

// Reads the numbers of the sequence, written as "%f", "%.17g" and "%.6e",
// with zahl_double_lesen and with sscanf("%lf"), and returns how many
// results differ (bit patterns, or success).
EMSCRIPTEN_KEEPALIVE int zahlen_lesen_abweichungen(int anzahl) {
    static const char *const formate[] = {"%f", "%.17g", "%.6e"};
    std::uint64_t zustand = 88172645463325252ULL;
    int abweichungen = 0;
    for (int i = 0; i < anzahl; ++i) {
        double x = zahlenfolge(&zustand, i);
        for (const char *format : formate) {
            char text[400];
            std::snprintf(text, sizeof text, format, x);
            double gelesen = 0.0;
            double erwartet = 0.0;
            int ok = zahl_double_lesen(text, &gelesen);
            int ok_erwartet = std::sscanf(text, "%lf", &erwartet) == 1;
            if (ok != ok_erwartet || (ok && std::memcmp(&gelesen, &erwartet, sizeof gelesen) != 0))
                ++abweichungen;
        }
    }
    return abweichungen;
}
}
