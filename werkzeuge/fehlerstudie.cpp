// fehlerstudie: how the interpolation error of each method falls (or grows)
// with n, for one example problem or all of them.  For every n it builds the
// interpolations in-process through the library, measures the largest
// absolute error against the exact function on a fine grid, and prints one
// table of errors and one of the observed orders.  With -d it also writes a
// data file and a gnuplot script and renders the plot when gnuplot is there.
#include "funktion.h"
#include "numerik/interplt.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"
#include "rahmen.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] [Punkte] m [n ...]\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {
        "          -g die Zahl der Messpunkte steht vor m\n",
        "          -d fehlerstudie_<m>.dat und gnuplot-Skript fehlerstudie_<m>.gp\n",
        "             schreiben, mit gnuplot (wenn gefunden) fehlerstudie_<m>.png\n",
        " Punkte = Zahl der Messpunkte im Intervall, mindestens 1001 (ohne -g: 1001)\n",
        " m = Nummer der Beispielfunktion oder alle\n",
        " n = Anzahl der Stuetzstellen - 1, mindestens 2, aufsteigend\n",
        "     (ohne n: 2 4 8 16 32 64)\n",
        "Gemessen wird max |p(x) - f(x)| fuer Newton-Interpolation und natuerliche\n",
        "Splines auf aequidistanten (a) und Tschebyscheff-Stuetzstellen (t) und, wenn\n",
        "f an beiden Intervallenden auf 1e-6 gleich ist, fuer periodische Splines (a).\n",
    },
    nullptr,
    2,
    INT_MAX,
};

constexpr int STANDARD_PUNKTE = 1001;
// Bounds against typing slips: beyond them a run takes hours, not a crash.
constexpr int MAX_PUNKTE = 10000000;
constexpr int MAX_N = 100000;
// A smooth error bump between two nodes, sampled at ten grid steps, shows at
// least 95 percent of its height; fewer steps per node interval understate
// the error, and a grid equal to the nodes measures 0.
constexpr int SCHRITTE_JE_INTERVALL = 10;

struct optionen {
    bool punkte_angegeben = false;
    bool diagramm = false;
};

bool eigener_schalter_lesen(char zeichen, void *kontext) {
    auto *o = static_cast<optionen *>(kontext);
    switch (zeichen) {
    case 'g':
        o->punkte_angegeben = true;
        return true;
    case 'd':
        o->diagramm = true;
        return true;
    default:
        return false;
    }
}

// One column of the study: an interpolation class, its node kind and, for
// splines, the spline kind.
struct methode {
    const char *spalte; // column header, at most 9 characters
    const char *titel;  // line title in the plot and part of the object names
    klasse *art;        // class descriptor
    int stuetzstellenart;
    int splineart;
    // gnuplot line style.  The periodic spline often lies on the natural one
    // of the same nodes, so it is drawn thin and dashed over a thick line.
    const char *stil;
};

const methode methoden[] = {
    {"Newton-a", "Newton, aequidistant", &newton_interpolation, STUETZSTELLEN_AEQUIDISTANT, 0,
     "lw 2 lc rgb '#c00000' pt 5"},
    {"Newton-t", "Newton, Tschebyscheff", &newton_interpolation, STUETZSTELLEN_TSCHEBYSCHEFF, 0,
     "lw 2 lc rgb '#0050c0' pt 7"},
    {"nat.Sp-a", "natuerlicher Spline, aequidistant", &spline_interpolation,
     STUETZSTELLEN_AEQUIDISTANT, SPLINE_NATUERLICH, "lw 4 lc rgb '#008000' pt 9 ps 1.5"},
    {"nat.Sp-t", "natuerlicher Spline, Tschebyscheff", &spline_interpolation,
     STUETZSTELLEN_TSCHEBYSCHEFF, SPLINE_NATUERLICH, "lw 2 lc rgb '#e08000' pt 11"},
    {"per.Sp-a", "periodischer Spline, aequidistant", &spline_interpolation,
     STUETZSTELLEN_AEQUIDISTANT, SPLINE_PERIODISCH, "lw 1 dt 2 lc rgb '#000000' pt 6"},
};

// A periodic spline fits a problem whose function takes the same value at
// both ends.  Problem 1 ends at -3.14159265 and 3.14159265, not at +-pi, so
// its end values differ by 7.2e-9; it counts as periodic, and the library
// averages the end values (with its warning), which puts a floor of about
// 3.6e-9 under that column's error.
constexpr double ENDWERT_TOLERANZ = 1e-6;

bool periodisch(const beispielfunktion &problem) {
    return std::fabs(problem.f(problem.a) - problem.f(problem.b)) <= ENDWERT_TOLERANZ;
}

matrix_zeiger vektor(int zeilen, const char *name) {
    return matrix_zeiger(nullvektor(zeilen, name));
}

// The values of f at the n+1 nodes of the given kind: the nodes are placed
// by the library's own placement, so they are bit for bit the nodes that
// creation places again from a and b.
matrix_zeiger werte_an_stuetzstellen(const beispielfunktion &problem, int art, int n) {
    matrix_zeiger knoten = vektor(n + 1, "Stuetzstellen");
    stuetzstellen_platzieren(knoten.get(), art, n, problem.a, problem.b, "Stuetzstellen");
    matrix_zeiger werte = vektor(n + 1, "Stuetzwerte");
    const matrix_funktionen *fk = matrix_tabelle(knoten.get());
    const matrix_funktionen *fw = matrix_tabelle(werte.get());
    for (int i = 1; i <= n + 1; ++i)
        fw->setzen(werte.get(), i, 1, problem.f(fk->amIndex(knoten.get(), i, 1)));
    return werte;
}

interpolation_zeiger erzeugen(const methode &me, const beispielfunktion &problem, objekt *werte,
                              const char *name) {
    const interpolation_funktionen *fk = interpolation_tabelle(me.art);
    if (me.art == &spline_interpolation) {
        splineinterpolation_parameter p = {
            name,  me.stuetzstellenart, nullptr, problem.a, problem.b,
            werte, me.splineart,        0.0,     0.0};
        return interpolation_zeiger(fk->kreieren(&p, nullptr));
    }
    newtoninterpolation_parameter p = {name,      me.stuetzstellenart, nullptr,
                                       problem.a, problem.b,           werte};
    return interpolation_zeiger(fk->kreieren(&p, nullptr));
}

// max |p(x) - f(x)| over x(i) = (i*b + (N-i)*a)/N, i = 0..N, the points that
// beispielwerte and kurvenpunkte write for N.  A value that is not a number
// makes the error not a number: such an interpolation has no small error.
double groesster_fehler(objekt *ip, const beispielfunktion &problem, int intervalle) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    const double a = problem.a;
    const double b = problem.b;
    double fehlerwert = 0.0;
    for (int i = 0; i <= intervalle; ++i) {
        double x = aequidistanter_punkt(i, intervalle, a, b);
        double abstand = std::fabs(fi->funktionswert(ip, x) - problem.f(x));
        if (std::isnan(abstand)) return abstand;
        if (abstand > fehlerwert) fehlerwert = abstand;
    }
    return fehlerwert;
}

// log(e0/e1) / log(n1/n0); not a number when either error is zero, infinite
// or not a number, where no order can be read off.
double ordnung(double e0, int n0, double e1, int n1) {
    if (!(e0 > 0.0 && e1 > 0.0 && std::isfinite(e0) && std::isfinite(e1))) return NAN;
    return std::log(e0 / e1) / std::log(static_cast<double>(n1) / n0);
}

struct studie {
    int m = 0; // problem number, counted from 1
    std::vector<const methode *> spalten;
    std::vector<int> n;
    std::vector<std::vector<double>> fehlerwerte; // [n index][column]
};

studie durchfuehren(int m, const std::vector<int> &n_liste, int punkte) {
    const beispielfunktion &problem = funktion[m - 1];
    studie s;
    s.m = m;
    s.n = n_liste;
    for (const methode &me : methoden)
        if (me.splineart != SPLINE_PERIODISCH || periodisch(problem)) s.spalten.push_back(&me);
    for (int n : n_liste) {
        std::vector<double> zeile;
        // The values at each kind of nodes, made once and shared by the
        // methods on those nodes.
        matrix_zeiger werte_je_art[STUETZSTELLEN_TSCHEBYSCHEFF + 1];
        for (const methode *me : s.spalten) {
            matrix_zeiger &werte = werte_je_art[me->stuetzstellenart];
            if (!werte) werte = werte_an_stuetzstellen(problem, me->stuetzstellenart, n);
            std::string name = "Beispielfunktion " + std::to_string(m) + ", " + me->titel +
                               ", n = " + std::to_string(n);
            interpolation_zeiger ip = erzeugen(*me, problem, werte.get(), name.c_str());
            zeile.push_back(groesster_fehler(ip.get(), problem, punkte - 1));
        }
        s.fehlerwerte.push_back(zeile);
    }
    return s;
}

void kopfzeile(const studie &s) {
    std::printf("\n     n");
    for (const methode *me : s.spalten)
        std::printf(" %9s", me->spalte);
    std::printf("\n");
}

void tabelle_ausgeben(const studie &s, int punkte) {
    const beispielfunktion &problem = funktion[s.m - 1];
    std::printf("Beispielfunktion %d: %s\n", s.m, problem.name);
    std::printf("Groesster Fehler max |p(x) - f(x)| an %d Punkten von [%g,%g]\n", punkte, problem.a,
                problem.b);
    kopfzeile(s);
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        std::printf("%6d", s.n[k]);
        for (double e : s.fehlerwerte[k])
            std::printf(" %9.3g", e);
        std::printf("\n");
    }
    if (s.n.size() < 2) return;
    std::printf("\nBeobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)\n");
    kopfzeile(s);
    for (std::size_t k = 1; k < s.n.size(); ++k) {
        std::printf("%6d", s.n[k]);
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            double p = ordnung(s.fehlerwerte[k - 1][j], s.n[k - 1], s.fehlerwerte[k][j], s.n[k]);
            if (std::isnan(p))
                std::printf(" %9s", "-");
            else
                std::printf(" %9.2f", p);
        }
        std::printf("\n");
    }
}

// gnuplot's single-quoted strings know one escape: '' for a quote.
std::string gnuplot_text(const std::string &text) {
    std::string ergebnis = "'";
    for (char c : text) {
        if (c == '\'') ergebnis += '\'';
        ergebnis += c;
    }
    return ergebnis + "'";
}

void datendatei_schreiben(const studie &s, const std::string &name, int punkte) {
    FILE *aus = ausgabe_oeffnen(name.c_str());
    std::fprintf(aus, "# Beispielfunktion %d: %s\n", s.m, funktion[s.m - 1].name);
    std::fprintf(aus, "# groesster Fehler an %d Punkten\n# n", punkte);
    for (const methode *me : s.spalten)
        std::fprintf(aus, " %s", me->spalte);
    std::fprintf(aus, "\n");
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        std::fprintf(aus, "%d", s.n[k]);
        for (double e : s.fehlerwerte[k])
            std::fprintf(aus, " %.9e", e);
        std::fprintf(aus, "\n");
    }
    ausgabe_abschliessen(aus, name.c_str());
}

void skript_schreiben(const studie &s, const std::string &name, const std::string &daten,
                      const std::string &bild) {
    FILE *aus = ausgabe_oeffnen(name.c_str());
    std::fprintf(aus, "# Fehler gegen n, doppelt logarithmisch; zeichnen mit: gnuplot %s\n",
                 name.c_str());
    std::fprintf(aus, "set terminal png noenhanced size 900,600\n");
    std::fprintf(aus, "set output %s\n", gnuplot_text(bild).c_str());
    std::string titel = "Beispielfunktion " + std::to_string(s.m) + ": " + funktion[s.m - 1].name;
    std::fprintf(aus, "set title %s\n", gnuplot_text(titel).c_str());
    std::fprintf(aus, "set logscale xy\nset format y '%%.0e'\nset xtics (");
    for (std::size_t k = 0; k < s.n.size(); ++k)
        std::fprintf(aus, "%s%d", k == 0 ? "" : ", ", s.n[k]);
    std::fprintf(aus, ")\nset xlabel 'n'\nset ylabel 'groesster Fehler'\nset grid\n");
    // Some room left and right of the outer n on the logarithmic axis.
    std::fprintf(aus, "set xrange [%g:%g]\n", s.n.front() / 1.5, s.n.back() * 1.5);
    std::fprintf(aus, "set key top left box opaque\n");
    for (std::size_t j = 0; j < s.spalten.size(); ++j)
        std::fprintf(aus, "%s %s using 1:%zu with linespoints %s title %s%s\n",
                     j == 0 ? "plot" : "    ", j == 0 ? gnuplot_text(daten).c_str() : "''", j + 2,
                     s.spalten[j]->stil, gnuplot_text(s.spalten[j]->titel).c_str(),
                     j + 1 < s.spalten.size() ? ", \\" : "");
    ausgabe_abschliessen(aus, name.c_str());
}

// Runs gnuplot on the script.  Without gnuplot the files stay for later and
// the study still succeeds; a gnuplot that fails is a failure.
void zeichnen(const std::string &skript) {
    std::fflush(stdout);
    const char *argumente[] = {"gnuplot", skript.c_str(), nullptr};
    pid_t prozess = 0;
    int ergebnis = posix_spawnp(&prozess, "gnuplot", nullptr, nullptr,
                                const_cast<char *const *>(argumente), environ);
    int status = 0;
    if (ergebnis == 0)
        while (waitpid(prozess, &status, 0) < 0)
            if (errno != EINTR) numerik_fehler("Auf gnuplot konnte nicht gewartet werden.\n");
    // Where spawning cannot report a failed exec (under valgrind, say), the
    // child ends with status 127, the shells' "command not found".
    if (ergebnis == ENOENT || (ergebnis == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 127)) {
        std::fprintf(stderr, "gnuplot nicht gefunden; Bild spaeter zeichnen mit: gnuplot %s\n",
                     skript.c_str());
        return;
    }
    if (ergebnis != 0) numerik_fehler("gnuplot konnte nicht gestartet werden.\n");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        numerik_fehler("gnuplot konnte %s nicht zeichnen.\n", skript.c_str());
}

void diagramm(const studie &s, int punkte) {
    std::string stamm = "fehlerstudie_" + std::to_string(s.m);
    datendatei_schreiben(s, stamm + ".dat", punkte);
    skript_schreiben(s, stamm + ".gp", stamm + ".dat", stamm + ".png");
    zeichnen(stamm + ".gp");
}
} // namespace

int main(int argc, char **argv) {
    optionen o;
    schalterstand stand = schalter_lesen(argc, argv, eigener_schalter_lesen, &o);
    // With -g the point count comes first, so m is one argument further on.
    if (o.punkte_angegeben && argc < 3) stand.fehler = true;
    benutzung_pruefen(programm, argc, argv, stand);

    int naechstes = 1;
    int punkte = STANDARD_PUNKTE;
    if (o.punkte_angegeben) {
        punkte = zahl_argument(argv[naechstes++], "Punkte");
        if (punkte < STANDARD_PUNKTE)
            numerik_fehler("Punkte muss mindestens %d sein!\n", STANDARD_PUNKTE);
        if (punkte > MAX_PUNKTE) numerik_fehler("Punkte darf hoechstens %d sein!\n", MAX_PUNKTE);
    }

    int m_erstes = 1;
    int m_letztes = funktion_anzahl;
    const char *m_text = argv[naechstes++];
    if (std::strcmp(m_text, "alle") != 0) {
        int m = problem_argument(m_text, funktion_anzahl);
        m_erstes = m_letztes = m;
    }

    std::vector<int> n_liste;
    for (; naechstes < argc; ++naechstes) {
        int n = zahl_argument(argv[naechstes], "n");
        if (n < 2) numerik_fehler("n muss mindestens 2 sein!\n");
        if (n > MAX_N) numerik_fehler("n darf hoechstens %d sein!\n", MAX_N);
        // Orders compare successive n, so each must exceed the one before.
        if (!n_liste.empty() && n <= n_liste.back())
            numerik_fehler("Die Werte von n muessen aufsteigend sein!\n");
        n_liste.push_back(n);
    }
    if (n_liste.empty()) n_liste = {2, 4, 8, 16, 32, 64};
    for (int n : n_liste)
        if (punkte - 1 < SCHRITTE_JE_INTERVALL * n) {
            numerik_warnung(
                "Warnung: Messgitter mit %d Punkten fuer n ab %d zu grob (weniger als %d "
                "Schritte je Intervall); genauer mit -g %d.\n",
                punkte, n, SCHRITTE_JE_INTERVALL, SCHRITTE_JE_INTERVALL * n_liste.back() + 1);
            break;
        }

    for (int m = m_erstes; m <= m_letztes; ++m) {
        studie s = durchfuehren(m, n_liste, punkte);
        if (m > m_erstes) std::printf("\n");
        tabelle_ausgeben(s, punkte);
        if (o.diagramm) diagramm(s, punkte);
    }
    ausgabe_abschliessen(stdout, nullptr);
    return 0;
}
