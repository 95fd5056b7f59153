// kurvenpunkte: the values of a stored interpolation (any registered class)
// at n+1 equidistant points of its own interval, as two NM_MATRIX vectors;
// with -1 or -2 the values of its first or second derivative instead.
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "rahmen.h"

#include <climits>
#include <string>
#include <vector>

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] n [Eingabedatei [Ausgabedatei]]\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {"          -v volle Genauigkeit: Zahlen mit 17 gueltigen Stellen\n",
     "          -1 die Werte der 1. Ableitung statt der Funktionswerte\n",
     "          -2 die Werte der 2. Ableitung statt der Funktionswerte\n",
     " n+1 = Anzahl der Werte\n"},
    "\nTalvo Drenhart und Osmund Kesselt - 23. November 1999\n",
    2,
    4,
};
// 0: the values, 1 or 2: the derivative of that order; -1: both -1 and -2.
bool eigener_schalter_lesen(char zeichen, void *kontext) {
    auto *ordnung = static_cast<int *>(kontext);
    if (zeichen != '1' && zeichen != '2') return genauigkeitsschalter(zeichen, nullptr);
    int gewaehlt = zeichen - '0';
    *ordnung = *ordnung == 0 || *ordnung == gewaehlt ? gewaehlt : -1;
    return true;
}
} // namespace

int main(int argc, char **argv) {
    int ordnung = 0;
    schalterstand stand = schalter_lesen(argc, argv, eigener_schalter_lesen, &ordnung);
    benutzung_pruefen(programm, argc, argv, stand);
    if (ordnung < 0) numerik_fehler("Die Schalter -1 und -2 schliessen einander aus.\n");

    int n = anzahl_argument(argv[1]);
    FILE *ein = argc > 2 ? eingabe_oeffnen(argv[2]) : stdin;
    const char *ausgabename = argc > 3 ? argv[3] : nullptr;
    FILE *aus = ausgabename != nullptr ? ausgabe_oeffnen(ausgabename, ein) : stdout;

    objekt *ip = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
    const interpolation_funktionen *fi = interpolation_tabelle(ip);

    const double links = fi->linkeGrenze(ip);
    const double rechts = fi->rechteGrenze(ip);
    interpolation_intervall_pruefen(links, rechts);

    // The points, then the values, each computed and written a block at a
    // time: the memory stays the same for any n.
    nmvektor_schreiben(aus, "X-Werte", n + 1,
                       [&](int i) { return aequidistanter_punkt(i, n, links, rechts); });
    // The whole name, however long the interpolation's name is.
    std::string wertename =
        ordnung == 0 ? std::string("Y-Werte zum Polynom ")
                     : "Y-Werte zur " + std::to_string(ordnung) + ". Ableitung vom Polynom ";
    wertename += fi->name(ip);
    // The values through the array slot, a block of points at a time (in
    // two threads where that pays), the derivatives point by point.
    std::vector<double> punkte;
    nmvektor_bloecke_schreiben(
        aus, wertename.c_str(), n + 1, [&](std::size_t anfang, std::size_t teil, double *block) {
            if (ordnung != 0) {
                for (std::size_t i = 0; i < teil; ++i)
                    block[i] = interpolation_ableitung(
                        ip, ordnung,
                        aequidistanter_punkt(static_cast<int>(anfang + i), n, links, rechts));
                return;
            }
            punkte.resize(teil);
            for (std::size_t i = 0; i < teil; ++i)
                punkte[i] = aequidistanter_punkt(static_cast<int>(anfang + i), n, links, rechts);
            interpolation_werte(ip, punkte.data(), block, teil);
        });

    fi->freigeben(ip);
    ausgabe_abschliessen(aus, ausgabename);
    eingabe_schliessen(ein);
    return 0;
}
