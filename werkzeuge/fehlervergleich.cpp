// fehlervergleich: the largest absolute difference between the function
// values of two value files (exact values first, computed values second).
#include "numerik/matrix.h"
#include "numerik/zahlen.h"
#include "rahmen.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] Sollwertedatei Istwertedatei\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {"          -v volle Genauigkeit: Zahlen mit 17 gueltigen Stellen\n"},
    "\nTalvo Drenhart und Osmund Kesselt - 23. November 1999\n",
    3,
    3,
};

objekt *laden(FILE *ein) {
    return matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
}

void freigeben(objekt *m) {
    matrix_tabelle(m)->freigeben(m);
}

// Two points are the same when they differ by no more than one unit of the
// sixth decimal and two units in the last place.  The six-decimal form
// rounds each point by up to half a unit, and a spline file carries its
// interval rounded as well: the curve points of kurvenpunkte and the exact
// points of beispielwerte for the same interval may then be written one
// unit apart, and a file written with -v matches one written without.
bool gleicher_punkt(double x, double y) {
    if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
    if (x == y) return true;
    if (std::isinf(x) || std::isinf(y)) return false;
    return std::fabs(x - y) <= 1e-6 + 4.5e-16 * std::fmax(std::fabs(x), std::fabs(y));
}

// The first row (counted from 1) whose points differ, or the first row that
// only one file has; 0 when the points agree, or when a file has no points
// at all (a point matrix without rows or columns states none).  Only column
// 1 counts, as for the values.
int erster_anderer_punkt(objekt *soll, objekt *ist) {
    const matrix_funktionen *fs = matrix_tabelle(soll);
    const matrix_funktionen *fi = matrix_tabelle(ist);
    int bei_soll = fs->breite(soll) > 0 ? fs->hoehe(soll) : 0;
    int bei_ist = fi->breite(ist) > 0 ? fi->hoehe(ist) : 0;
    if (bei_soll == 0 || bei_ist == 0) return 0;
    int gemeinsam = std::min(bei_soll, bei_ist);
    for (int i = 0; i < gemeinsam; ++i)
        if (!gleicher_punkt(fs->amIndex(soll, i + 1, 1), fi->amIndex(ist, i + 1, 1))) return i + 1;
    return bei_soll != bei_ist ? gemeinsam + 1 : 0;
}

std::string zahl_text(double x) {
    char zahl[ZAHL_MAXLAENGE + 1];
    *zahl_schreiben(zahl, x) = '\0';
    return zahl;
}
} // namespace

int main(int argc, char **argv) {
    schalterstand stand = schalter_lesen(argc, argv, genauigkeitsschalter);
    benutzung_pruefen(programm, argc, argv, stand);

    // A value file holds the points first and the function values second.
    // Both files' points are loaded, compared and released before the
    // values: no more than two vectors are held at a time, as without the
    // comparison.
    FILE *soll_datei = eingabe_oeffnen(argv[1]);
    FILE *ist_datei = eingabe_oeffnen(argv[2]);
    objekt *soll_punkte = laden(soll_datei);
    objekt *ist_punkte = laden(ist_datei);
    int anderer_punkt = erster_anderer_punkt(soll_punkte, ist_punkte);
    freigeben(soll_punkte);
    freigeben(ist_punkte);
    objekt *soll = laden(soll_datei);
    objekt *ist = laden(ist_datei);
    eingabe_schliessen(soll_datei);
    eingabe_schliessen(ist_datei);

    const matrix_funktionen *fs = matrix_tabelle(soll);
    const matrix_funktionen *fi = matrix_tabelle(ist);
    int zeilen = fs->hoehe(soll);
    if (fi->hoehe(ist) != zeilen) numerik_fehler("Anzahl der Funktionswerte verschieden.\n");
    // Values at different points are compared as they stand; the figure then
    // says little, and the warning says why.
    if (anderer_punkt != 0)
        std::fprintf(stderr,
                     "Warnung: Die Punkte von %s und %s sind verschieden, zuerst in Zeile %d.\n",
                     argv[1], argv[2], anderer_punkt);
    // A difference that is no number (a NaN value, inf against inf) is no
    // agreement: the first one makes the comparison fail.
    double groesster = 0.0;
    int keine_zahl = 0;
    for (int i = 0; i < zeilen && keine_zahl == 0; ++i) {
        double abstand = std::fabs(fs->amIndex(soll, i + 1, 1) - fi->amIndex(ist, i + 1, 1));
        if (std::isnan(abstand)) keine_zahl = i + 1;
        if (abstand > groesster) groesster = abstand;
    }
    if (keine_zahl != 0) {
        std::printf("Fehler = nan\n");
        ausgabe_abschliessen(stdout, nullptr);
        numerik_fehler("Zeile %d: Sollwert %s, Istwert %s - der Unterschied ist keine Zahl.\n",
                       keine_zahl, zahl_text(fs->amIndex(soll, keine_zahl, 1)).c_str(),
                       zahl_text(fi->amIndex(ist, keine_zahl, 1)).c_str());
    }
    // "%lf" by default; with -v 17 significant digits.
    std::printf("Fehler = %s\n", zahl_text(groesster).c_str());
    ausgabe_abschliessen(stdout, nullptr);
    fs->freigeben(soll);
    fi->freigeben(ist);
    return 0;
}
