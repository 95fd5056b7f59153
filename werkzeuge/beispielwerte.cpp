// beispielwerte: the exact values of an example function, or of a formula
// on its interval (-f), at n+1 equidistant points of its interval, as two
// NM_MATRIX vectors (points, then values).
#include "numerik/beispielfunktionen.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "rahmen.h"

#include <climits>
#include <string>

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] n m [Ausgabedatei]\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {"          -v volle Genauigkeit: Zahlen mit 17 gueltigen Stellen\n",
     "          -f statt m eine Formel in x und ihr Intervall: n Formel A B\n",
     " n+1 = Anzahl der Werte\n", " m = Nummer der Beispielfunktion:\n",
     "     1 sin(x) auf [-3.14159265,3.14159265]   2 sin(x) auf [-9,9]\n",
     "     3 abs(x) auf [-0.3,0.3]                 4 1/(1+x^2) auf [-9,9]\n"},
    "\nTalvo Drenhart und Osmund Kesselt - 23. November 1999\n",
    3,
    6,
};

struct wahl {
    bool formel = false;
};

bool eigener_schalter_lesen(char zeichen, void *kontext) {
    return formelschalter(zeichen, &static_cast<wahl *>(kontext)->formel) ||
           genauigkeitsschalter(zeichen, nullptr);
}
} // namespace

int main(int argc, char **argv) {
    wahl w;
    schalterstand stand = schalter_lesen(argc, argv, eigener_schalter_lesen, &w);
    // A formula and its interval take three arguments where m takes one.
    const int funktionsteile = w.formel ? 3 : 1;
    if (argc < 2 + funktionsteile || argc > 3 + funktionsteile) stand.fehler = true;
    benutzung_pruefen(programm, argc, argv, stand);

    int n = anzahl_argument(argv[1]);
    int naechstes = 2;
    gewaehlte_funktion g = funktion_argumente(w.formel, argv, naechstes);
    const char *ausgabename = argc > naechstes ? argv[naechstes] : nullptr;
    FILE *aus = ausgabename != nullptr ? ausgabe_oeffnen(ausgabename) : stdout;

    const beispielfunktion &problem = g.problem;
    interpolation_intervall_pruefen(problem.a, problem.b);

    const double a = problem.a;
    const double b = problem.b;
    // A formula may have no finite value at some point: its message comes
    // before anything is written (the checked f of formel_als_funktion).
    if (g.formel)
        for (int i = 0; i <= n; ++i)
            beispiel_f(&problem, aequidistanter_punkt(i, n, a, b));
    // The points of equidistant nodes, so that they match the points
    // kurvenpunkte writes for a problem of the same interval; then the
    // values.  Each is computed and written a block at a time, so the
    // memory stays the same for any n.
    nmvektor_schreiben(aus, "X-Werte", n + 1,
                       [&](int i) { return aequidistanter_punkt(i, n, a, b); });
    std::string wertename = "Y-Werte der " + funktionsname(g);
    nmvektor_schreiben(aus, wertename.c_str(), n + 1, [&](int i) {
        return beispiel_f(&problem, aequidistanter_punkt(i, n, a, b));
    });

    ausgabe_abschliessen(aus, ausgabename);
    return 0;
}
