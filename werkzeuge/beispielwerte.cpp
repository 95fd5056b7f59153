// beispielwerte: the exact values of an example function at n+1 equidistant
// points of its interval, as two NM_MATRIX vectors (points, then values).
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
     " n+1 = Anzahl der Werte\n", " m = Nummer der Beispielfunktion\n"},
    "\nTalvo Drenhart und Osmund Kesselt - 23. November 1999\n",
    3,
    4,
};
} // namespace

int main(int argc, char **argv) {
    schalterstand stand = schalter_lesen(argc, argv, genauigkeitsschalter);
    benutzung_pruefen(programm, argc, argv, stand);

    int n = anzahl_argument(argv[1]);
    int m = problem_argument(argv[2], funktion_anzahl);
    const char *ausgabename = argc > 3 ? argv[3] : nullptr;
    FILE *aus = ausgabename != nullptr ? ausgabe_oeffnen(ausgabename) : stdout;

    const beispielfunktion &problem = funktion[m - 1];
    interpolation_intervall_pruefen(problem.a, problem.b);

    const double a = problem.a;
    const double b = problem.b;
    // The points of equidistant nodes, so that they match the points
    // kurvenpunkte writes for a problem of the same interval; then the
    // values.  Each is computed and written a block at a time, so the
    // memory stays the same for any n.
    nmvektor_schreiben(aus, "X-Werte", n + 1,
                       [&](int i) { return aequidistanter_punkt(i, n, a, b); });
    std::string wertename = std::string("Y-Werte der Beispielfunktion ") + problem.name;
    nmvektor_schreiben(aus, wertename.c_str(), n + 1,
                       [&](int i) { return problem.f(aequidistanter_punkt(i, n, a, b)); });

    ausgabe_abschliessen(aus, ausgabename);
    return 0;
}
