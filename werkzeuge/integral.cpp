// integral: the definite integral of a stored interpolation (any registered
// class) over its own interval, or with -g over [x1, x2] given before the
// input file.  The classes integrate in closed form or by quadrature
// (numerik/interplt.h, the integral slot); this file reads the command line
// and prints one line.
#include "numerik/fehler.h"
#include "numerik/interplt.h"
#include "numerik/zahlen.h"
#include "rahmen.h"

#include <cmath>
#include <cstdio>

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] [x1 x2] [Eingabedatei]\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {
        "          -v volle Genauigkeit: Zahlen mit 17 gueltigen Stellen\n",
        "          -g die Grenzen x1 x2 stehen vor der Eingabedatei (ohne -g: das\n",
        "             Intervall der Interpolation)\n",
        " x1, x2 = Integrationsgrenzen (x1 > x2 gibt den negativen Wert)\n",
        "Ausserhalb ihres Intervalls geht die Interpolation weiter wie beim Auswerten.\n",
    },
    nullptr,
    1,
    4,
};

struct optionen {
    bool grenzen = false;
};

bool eigener_schalter_lesen(char zeichen, void *kontext) {
    if (zeichen == 'g') {
        static_cast<optionen *>(kontext)->grenzen = true;
        return true;
    }
    return genauigkeitsschalter(zeichen, nullptr);
}
} // namespace

int main(int argc, char **argv) {
    optionen o;
    schalterstand stand = schalter_lesen(argc, argv, eigener_schalter_lesen, &o);
    // The bounds come first: with -g two or three arguments, else none or one.
    const int grenzen = o.grenzen ? 2 : 0;
    if (argc < 1 + grenzen || argc > 2 + grenzen) stand.fehler = true;
    benutzung_pruefen(programm, argc, argv, stand);

    double x1 = 0.0;
    double x2 = 0.0;
    if (o.grenzen) {
        x1 = grenze_argument(argv[1], "x1");
        x2 = grenze_argument(argv[2], "x2");
    }
    FILE *ein = argc > 1 + grenzen ? eingabe_oeffnen(argv[1 + grenzen]) : stdin;
    interpolation_zeiger ip(interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr));
    eingabe_schliessen(ein);
    const interpolation_funktionen *fi = interpolation_tabelle(ip.get());
    if (!o.grenzen) {
        x1 = fi->linkeGrenze(ip.get());
        x2 = fi->rechteGrenze(ip.get());
        interpolation_intervall_pruefen(x1, x2);
    }
    double wert = interpolation_integral(ip.get(), x1, x2);

    char zahl[ZAHL_MAXLAENGE + 1];
    *zahl_schreiben(zahl, wert) = '\0';
    std::printf("Integral = %s\n", zahl);
    ausgabe_abschliessen(stdout, nullptr);
    return 0;
}
