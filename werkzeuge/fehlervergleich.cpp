// fehlervergleich: the largest absolute difference between the function
// values of two value files (exact values first, computed values second).
#include "numerik/matrix.h"
#include "numerik/zahlen.h"
#include "rahmen.h"

#include <cmath>

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] Sollwertedatei Istwertedatei\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {"          -v volle Genauigkeit: Zahlen mit 17 gueltigen Stellen\n"},
    "\nTalvo Drenhart und Osmund Kesselt - 23. November 1999\n",
    3,
    3,
};

// A value file holds the points first and the function values second; only
// the second matrix is kept.
objekt *funktionswerte_laden(FILE *ein) {
    const matrix_funktionen *allg = matrix_tabelle(&allg_matrix);
    objekt *punkte = allg->laden(ein, nullptr);
    matrix_tabelle(punkte)->freigeben(punkte);
    return allg->laden(ein, nullptr);
}
} // namespace

int main(int argc, char **argv) {
    schalterstand stand = schalter_lesen(argc, argv, genauigkeitsschalter);
    benutzung_pruefen(programm, argc, argv, stand);

    FILE *soll_datei = eingabe_oeffnen(argv[1]);
    FILE *ist_datei = eingabe_oeffnen(argv[2]);
    objekt *soll = funktionswerte_laden(soll_datei);
    objekt *ist = funktionswerte_laden(ist_datei);
    eingabe_schliessen(soll_datei);
    eingabe_schliessen(ist_datei);

    const matrix_funktionen *fs = matrix_tabelle(soll);
    const matrix_funktionen *fi = matrix_tabelle(ist);
    int zeilen = fs->hoehe(soll);
    if (fi->hoehe(ist) != zeilen) numerik_fehler("Anzahl der Funktionswerte verschieden.\n");
    // A NaN difference is never greater than the current error: it never
    // raises it.
    double groesster = 0.0;
    for (int i = 0; i < zeilen; ++i) {
        double abstand = std::fabs(fs->amIndex(soll, i + 1, 1) - fi->amIndex(ist, i + 1, 1));
        if (abstand > groesster) groesster = abstand;
    }
    // "%lf" by default; with -v 17 significant digits.
    char zahl[ZAHL_MAXLAENGE + 1];
    *zahl_schreiben(zahl, groesster) = '\0';
    std::printf("Fehler = %s\n", zahl);
    ausgabe_abschliessen(stdout, nullptr);
    fs->freigeben(soll);
    fi->freigeben(ist);
    return 0;
}
