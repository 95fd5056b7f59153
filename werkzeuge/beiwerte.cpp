// beiwerte: the coefficients of a stored interpolation (any registered
// class), once in stored form and once printed for reading.
#include "numerik/interplt.h"
#include "rahmen.h"

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] Eingabedatei [Ausgabedatei]\n\n",
    "Schalter: -h     fuer diese Hilfe\n",
    {"          -v     volle Genauigkeit: Zahlen mit 17 gueltigen Stellen\n",
     "                 (im gespeicherten Teil)\n",
     "Zum Format der Ein-/Ausgabe siehe Beispieldateien\n"},
    "\nTalvo Drenhart und Osmund Kesselt - 22. November 1999\n",
    2,
    3,
};
} // namespace

int main(int argc, char **argv) {
    schalterstand stand = schalter_lesen(argc, argv, genauigkeitsschalter);
    benutzung_pruefen(programm, argc, argv, stand);

    FILE *ein = eingabe_oeffnen(argv[1]);
    const char *ausgabename = argc > 2 ? argv[2] : nullptr;
    FILE *aus = ausgabename != nullptr ? ausgabe_oeffnen(ausgabename, ein) : stdout;

    objekt *ip = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    // The interpolation's own matrix: neither changed nor freed here.
    objekt *koeffizienten = fi->imVektor(ip, 2);
    const matrix_funktionen *fk = matrix_tabelle(koeffizienten);
    fk->speichern(koeffizienten, aus);
    std::fputs("# --\n", aus);
    fk->ausgeben(koeffizienten, aus);
    fi->freigeben(ip);

    // A read error on the input is a failure: an output file is then not
    // replaced (standard output has had everything all the same).
    bool eingabefehler = std::ferror(ein) != 0;
    eingabe_schliessen(ein);
    if (eingabefehler) numerik_fehler("Fehler in der Eingabe.\n");
    ausgabe_abschliessen(aus, ausgabename);
    return 0;
}
