// splineerzeuger: a spline problem for an example function or a formula on
// its interval (-f), stored without
// coefficients: nodes of the chosen kind on the problem's interval, the
// function's values there, and the chosen spline kind.
#include "numerik/beispielfunktionen.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"
#include "rahmen.h"

#include <climits>
#include <memory>
#include <string>

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] n m [Ausgabedatei]\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {
        "          -a aequidistante Stuetzstellen\n",
        "          -t Stuetzstellen nach Tschebyscheff-Polynom\n",
        "          -n natuerliche Splines\n",
        "          -p periodische Splines\n",
        "          -v volle Genauigkeit: Zahlen mit 17 gueltigen Stellen\n",
        "          -f statt m eine Formel in x und ihr Intervall: n Formel A B\n",
        "Anmerkung: Stuetzstellen- und Splineart muessen angegeben werden\n",
        " n = Anzahl der Stuetzstellen - 1\n",
        " m = Nummer der Beispielfunktion:\n",
        "     1 sin(x) auf [-3.14159265,3.14159265]   2 sin(x) auf [-9,9]\n",
        "     3 abs(x) auf [-0.3,0.3]                 4 1/(1+x^2) auf [-9,9]\n",
    },
    "\nTalvo Drenhart und Osmund Kesselt - 06. Dezember 1999\n",
    3,
    6,
};

// The choices of the switches; -1 is "not chosen".  Within each group the
// last switch wins.
struct wahl {
    int stuetzstellenart = -1;
    int splineart = -1;
    bool formel = false;
};

bool eigener_schalter_lesen(char zeichen, void *kontext) {
    auto *w = static_cast<wahl *>(kontext);
    switch (zeichen) {
    case 'a':
        w->stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
        return true;
    case 't':
        w->stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF;
        return true;
    case 'n':
        w->splineart = SPLINE_NATUERLICH;
        return true;
    case 'p':
        w->splineart = SPLINE_PERIODISCH;
        return true;
    default:
        return formelschalter(zeichen, &w->formel) || genauigkeitsschalter(zeichen, nullptr);
    }
}
} // namespace

int main(int argc, char **argv) {
    wahl w;
    schalterstand stand = schalter_lesen(argc, argv, eigener_schalter_lesen, &w);
    // Both kinds must be chosen; the usage text's note says so.
    if (w.stuetzstellenart < 0 || w.splineart < 0) stand.fehler = true;
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
    std::string wertename = "Werte der " + funktionsname(g);
    nmmatrix_parameter wp = {n + 1, 1, wertename.c_str(), 1};
    std::unique_ptr<objekt, matrix_freigeber> nullwerte(
        matrix_tabelle(&nm_matrix)->kreieren(&wp, nullptr));

    std::string name = funktionsname(g) + " mit n = " + std::to_string(n);
    splineinterpolation_parameter sp = {};
    sp.name = name.c_str();
    sp.stuetzstellenart = w.stuetzstellenart + OHNE_KOEFFIZIENTEN;
    sp.stuetzstellen = nullptr;
    sp.a = problem.a;
    sp.b = problem.b;
    sp.stuetzwerte = nullwerte.get();
    sp.splineart = w.splineart;
    // Created with the flag: nodes placed, no continuation, no coefficients.
    std::unique_ptr<objekt, interpolation_freigeber> spline(
        interpolation_tabelle(&spline_interpolation)->kreieren(&sp, nullptr));
    nullwerte.reset();

    const interpolation_funktionen *fs = interpolation_tabelle(spline.get());
    objekt *knoten = fs->imVektor(spline.get(), 0);
    objekt *werte = fs->imVektor(spline.get(), 1);
    const matrix_funktionen *fk = matrix_tabelle(knoten);
    const matrix_funktionen *fw = matrix_tabelle(werte);
    for (int i = 1; i <= n + 1; ++i)
        fw->setzen(werte, i, 1, beispiel_f(&problem, fk->amIndex(knoten, i, 1)));
    fs->speichern(spline.get(), aus);

    spline.reset();
    ausgabe_abschliessen(aus, ausgabename);
    return 0;
}
