// fehlerstudie: how the interpolation error of each method falls (or grows)
// with n, for one example problem or all of them.  For every n it builds the
// interpolations in-process through the library, measures the largest
// absolute error against the exact function on a fine grid, and prints one
// table of errors and one of the observed orders; a Newton figure that is
// rounding rather than interpolation error is marked.  With -t it searches,
// for a tolerance, the smallest n each method needs; with -f a formula and
// its interval take the place of the example problem; with -l it adds the
// Lebesgue constant of each node set the columns use.  With -d it also writes
// data files and gnuplot scripts and renders the plots when gnuplot is there.
// The computations are the library's study (numerik/studie.h), the plots
// the module gnuplot; this file reads the command line and prints.
#include "gnuplot.h"
#include "numerik/befund.h"
#include "numerik/beispielfunktionen.h"
#include "numerik/fehler.h"
#include "numerik/studie.h"
#include "rahmen.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

namespace {
const programmbeschreibung programm = {
    "\nBenutzung: %s [Schalter] [--] [Punkte] [Toleranz] m [n ...]\n\n",
    "Schalter: -h fuer diese Hilfe\n",
    {
        "          -g die Zahl der Messpunkte steht vor m\n",
        "          -p nur das interpolierende Polynom: Newton- und baryzentrische Form\n",
        "          -s nur Splines: natuerlich, mit exaktem f'' an den Enden, periodisch\n",
        "             (-p und -s zusammen: alle Spalten, siehe unten)\n",
        "          -t die Toleranz steht vor m: statt der Fehler fuer feste n das\n",
        "             kleinste n, mit dem jede Methode sie erreicht (Splines bis\n",
        "             n = 100000, Polynome bis 2000; je n mindestens 10 n + 1 Punkte)\n",
        "          -l dazu die Lebesgue-Konstante Lambda_n der Stuetzstellen der\n",
        "             Spalten je n (nicht mit -t)\n",
        "          -1 der Fehler der 1. Ableitung max |p'(x) - f'(x)| statt des\n",
        "             Fehlers der Funktion (nicht mit -t und -d)\n",
        "          -d fehlerstudie_<m>.dat und gnuplot-Skript fehlerstudie_<m>.gp\n",
        "             schreiben, mit gnuplot (wenn gefunden) fehlerstudie_<m>.png;\n",
        "             ebenso fehlerstudie_<m>_n<n>.* fuer das groesste n: f, die\n",
        "             Interpolierenden und ihre Stuetzstellen ueber dem Fehler\n",
        "          -w dazu der Block \"Warum\": je Spalte das Urteil der Theorie\n",
        "             (Singularitaeten, Runge-Gebiet, Glattheit, Rundung) und die\n",
        "             Empfehlung fuer die Toleranz von -t (sonst 1e-8)\n",
        "          -f statt m eine Formel in x und ihr Intervall: Formel A B\n",
        "             (Dateinamen mit -d: fehlerstudie_formel*)\n",
        " Punkte = Zahl der Messpunkte im Intervall, mindestens 1001 (ohne -g: je n\n",
        "          max(1001, 10 n + 1), mit -t 1001)\n",
        " Toleranz = groesster zulaessiger Fehler, eine positive Zahl\n",
        " m = Nummer der Beispielfunktion oder alle:\n",
        "     1 sin(x) auf [-3.14159265,3.14159265]   2 sin(x) auf [-9,9]\n",
        "     3 abs(x) auf [-0.3,0.3]                 4 1/(1+x^2) auf [-9,9]\n",
        " n = Anzahl der Stuetzstellen - 1, mindestens 2, aufsteigend\n",
        "     (ohne n: 2 4 8 16 32 64)\n",
        "Gemessen wird max |p(x) - f(x)| je Spalte, auf aequidistanten (a),\n",
        "Tschebyscheff- (t) und Tschebyscheff-Stuetzstellen 1. Art (t1):\n",
        " ohne -p, -s  Newton-a Newton-t Bary-t nat.Sp-a nat.Sp-t abl.Sp-a per.Sp-a\n",
        " -p           Newton-a Newton-t Bary-a Bary-t (Newton- und baryzentrische Form)\n",
        " -s           nat.Sp-a nat.Sp-t abl.Sp-a per.Sp-a (natuerlich, f'' an den\n",
        "              Enden exakt, periodisch)\n",
        " -p -s        alle obigen und nak.Sp-a nak.Sp-t (not-a-knot), ein.Sp-a\n",
        "              (eingespannt), Rat-a Rat-t (rational), Leja-t (Newton in\n",
        "              Leja-Ordnung), Bary-t1, FC-a Akima-a (Hermite), AAA\n",
        "              (rational nach AAA, n = Grad), Trig-a (trigonometrisch)\n",
        "Periodische Splines (per.Sp-a) und Trig-a nur, wenn f an beiden\n",
        "Intervallenden auf 1e-6 gleich ist.\n",
    },
    nullptr,
    2,
    INT_MAX,
};

// Bounds against typing slips: beyond them a run takes hours, not a crash.
constexpr int MAX_PUNKTE = 10000000;

struct optionen {
    bool punkte_angegeben = false;
    bool toleranz_angegeben = false;
    bool diagramm = false;
    bool lebesgue = false;
    bool ableitung = false;
    bool formel = false;
    bool warum = false;
    int spalten = SPALTEN_UEBERSICHT;
};

bool eigener_schalter_lesen(char zeichen, void *kontext) {
    auto *o = static_cast<optionen *>(kontext);
    switch (zeichen) {
    case 'g':
        o->punkte_angegeben = true;
        return true;
    case 't':
        o->toleranz_angegeben = true;
        return true;
    case 'd':
        o->diagramm = true;
        return true;
    case 'l':
        o->lebesgue = true;
        return true;
    case '1':
        o->ableitung = true;
        return true;
    case 'w':
        o->warum = true;
        return true;
    case 'p':
        o->spalten |= SPALTEN_POLYNOME;
        return true;
    case 's':
        o->spalten |= SPALTEN_SPLINES;
        return true;
    default:
        return formelschalter(zeichen, &o->formel);
    }
}

// The whole argument must be one finite positive number.
double toleranz_argument(const char *text) {
    double wert = reelles_argument(text);
    if (!(wert > 0.0)) numerik_fehler("Toleranz muss eine positive Zahl sein!\n");
    return wert;
}

// One part of a run over several problems, reported to the one display as
// its share of the whole: basis before it, gewicht its own.
struct teilfortschritt {
    fortschrittsanzeige *anzeige;
    double basis;
    double gewicht;
};

void teil_melden(void *kontext, const char *was, double anteil) {
    const auto *t = static_cast<const teilfortschritt *>(kontext);
    t->anzeige->melden(was, t->basis + t->gewicht * anteil);
}

// The block "Warum" of study s.
void warum_drucken(const studie &s, double toleranz, const toleranzsuche *suche) {
    const befund b = studie_befund(s, toleranz);
    const warum w = warum_erklaeren(s, b, b.erklaerung.analyse, toleranz, suche);
    std::vector<std::string> titel;
    for (const methode *me : s.spalten)
        titel.emplace_back(me->spalte);
    std::fputs(warum_text(titel, w).c_str(), stdout);
}

} // namespace

int main(int argc, char **argv) {
    optionen o;
    schalterstand stand = schalter_lesen(argc, argv, eigener_schalter_lesen, &o);
    // The point count and the tolerance come before m, in this order.
    int vor_m = (o.punkte_angegeben ? 1 : 0) + (o.toleranz_angegeben ? 1 : 0);
    // A formula and its interval take three arguments where m takes one.
    const int funktionsteile = o.formel ? 3 : 1;
    if (argc < 1 + funktionsteile + vor_m) stand.fehler = true;
    // A search takes no n of its own.
    if (o.toleranz_angegeben && argc > 1 + funktionsteile + vor_m) stand.fehler = true;
    benutzung_pruefen(programm, argc, argv, stand);
    // The search and the plots measure and show the function itself.
    if (o.ableitung && o.toleranz_angegeben)
        numerik_fehler("Der Schalter -1 geht nicht mit -t zusammen.\n");
    if (o.ableitung && o.diagramm) numerik_fehler("Der Schalter -1 geht nicht mit -d zusammen.\n");
    // A search has no n of its own, and so no plot against n and no
    // Lebesgue constant of its nodes.
    if (o.diagramm && o.toleranz_angegeben)
        numerik_fehler("Der Schalter -d geht nicht mit -t zusammen.\n");
    if (o.lebesgue && o.toleranz_angegeben)
        numerik_fehler("Der Schalter -l geht nicht mit -t zusammen.\n");

    int naechstes = 1;
    // 0: the grid follows n (studie_punkte); a search measures each n on at
    // least 10 n + 1 points anyway.
    int punkte = 0;
    if (o.punkte_angegeben) {
        punkte = zahl_argument(argv[naechstes++], "Punkte");
        if (punkte < STUDIE_MIN_PUNKTE)
            numerik_fehler("Punkte muss mindestens %d sein!\n", STUDIE_MIN_PUNKTE);
        if (punkte > MAX_PUNKTE) numerik_fehler("Punkte darf hoechstens %d sein!\n", MAX_PUNKTE);
    }
    double toleranz = 0.0;
    if (o.toleranz_angegeben) toleranz = toleranz_argument(argv[naechstes++]);

    int m_erstes = 1;
    int m_letztes = funktion_anzahl;
    gewaehlte_funktion formel;
    if (o.formel) {
        formel = funktion_argumente(true, argv, naechstes);
        m_erstes = m_letztes = FORMEL_PROBLEM;
    } else {
        const char *m_text = argv[naechstes++];
        if (strcasecmp(m_text, "alle") == 0 && std::strcmp(m_text, "alle") != 0)
            numerik_fehler("m = %s: gemeint ist wohl alle, klein geschrieben.\n", m_text);
        if (std::strcmp(m_text, "alle") != 0) {
            int m = problem_argument(m_text, funktion_anzahl);
            m_erstes = m_letztes = m;
        }
    }
    // The function of problem m: the example row, or the formula.
    auto problem_von = [&formel](int m) -> const beispielfunktion & {
        return m == FORMEL_PROBLEM ? formel.problem : funktion[m - 1];
    };
    const double probleme = m_letztes - m_erstes + 1;

    fortschrittsanzeige anzeige;
    if (o.toleranz_angegeben) {
        std::vector<toleranzsuche> suchen;
        for (int m = m_erstes; m <= m_letztes; ++m) {
            teilfortschritt teil = {&anzeige, (m - m_erstes) / probleme, 1.0 / probleme};
            studie_fortschritt rueckruf = {teil_melden, &teil};
            suchen.push_back(toleranz_suchen(problem_von(m), m, toleranz,
                                             std::max(punkte, STUDIE_MIN_PUNKTE), o.spalten,
                                             &rueckruf));
        }
        anzeige.loeschen();
        std::fputs(toleranz_text(suchen).c_str(), stdout);
        // The verdicts on a study of the default n, the recommendation
        // from the search.
        if (o.warum)
            for (std::size_t i = 0; i < suchen.size(); ++i) {
                const int m = m_erstes + static_cast<int>(i);
                const studie s =
                    studie_durchfuehren(problem_von(m), m, {2, 4, 8, 16, 32, 64}, 0, o.spalten);
                warum_drucken(s, toleranz, &suchen[i]);
            }
        ausgabe_abschliessen(stdout, nullptr);
        return 0;
    }

    std::vector<int> n_liste;
    for (; naechstes < argc; ++naechstes) {
        int n = zahl_argument(argv[naechstes], "n");
        studie_n_pruefen(n, n_liste);
        n_liste.push_back(n);
    }
    if (n_liste.empty()) n_liste = {2, 4, 8, 16, 32, 64};
    studie_gitter_pruefen(punkte, n_liste);
    // Files that cannot be written are named now, not after the study.
    if (o.diagramm)
        for (int m = m_erstes; m <= m_letztes; ++m)
            diagrammdateien_pruefen(m, n_liste.back());

    // The cost of every problem's study, for the share of each in the
    // progress and for the one warning before a long run.
    std::vector<double> kosten;
    studie_kosten gesamt;
    for (int m = m_erstes; m <= m_letztes; ++m) {
        studie_kosten k = studie_kosten_schaetzen(problem_von(m), n_liste, punkte, o.spalten);
        // The picture of the last n measures every column once more.
        if (o.diagramm)
            k.operationen +=
                studie_kosten_schaetzen(problem_von(m), {n_liste.back()}, punkte, o.spalten)
                    .operationen;
        // The Lebesgue constants cost about n times their samples per kind.
        if (o.lebesgue)
            k.operationen += lebesgue_kosten(problem_von(m), n_liste, punkte, o.spalten);
        kosten.push_back(k.operationen);
        gesamt.operationen += k.operationen;
        if (k.teuerste_operationen > gesamt.teuerste_operationen) {
            gesamt.teuerste = k.teuerste;
            gesamt.teuerste_operationen = k.teuerste_operationen;
        }
    }
    // The time on this machine, from short probes of the work, f included.
    studie_zeit zeit;
    for (int m = m_erstes; m <= m_letztes; ++m) {
        std::vector<int> gitter_n = n_liste;
        if (o.diagramm) gitter_n.push_back(n_liste.back());
        studie_zeit z =
            studie_zeit_schaetzen(problem_von(m), o.spalten, o.ableitung ? 1 : 0,
                                  kosten[static_cast<std::size_t>(m - m_erstes)], gitter_n, punkte);
        zeit.sekunden += z.sekunden;
        zeit.formel_sekunden += z.formel_sekunden;
    }
    studie_dauer_pruefen(gesamt, zeit);

    double erledigt = 0.0;
    for (int m = m_erstes; m <= m_letztes; ++m) {
        double anteil = kosten[static_cast<std::size_t>(m - m_erstes)] / gesamt.operationen;
        double studienanteil = anteil;
        if (o.diagramm)
            studienanteil *=
                studie_kosten_schaetzen(problem_von(m), n_liste, punkte, o.spalten).operationen /
                kosten[static_cast<std::size_t>(m - m_erstes)];
        teilfortschritt teil = {&anzeige, erledigt, studienanteil};
        studie_fortschritt rueckruf = {teil_melden, &teil};
        studie s = studie_durchfuehren(problem_von(m), m, n_liste, punkte, o.spalten, &rueckruf,
                                       o.ableitung ? 1 : 0);
        anzeige.loeschen();
        if (m > m_erstes) std::printf("\n");
        std::fputs(studie_text(s).c_str(), stdout);
        if (o.lebesgue) std::fputs(lebesgue_text(lebesgue_berechnen(s)).c_str(), stdout);
        if (o.warum)
            warum_drucken(s, o.toleranz_angegeben ? toleranz : WARUM_TOLERANZ_STANDARD, nullptr);
        if (o.diagramm) {
            konvergenzdiagramm_zeichnen(s, studie_befund(s));
            teilfortschritt bild = {&anzeige, erledigt + studienanteil, anteil - studienanteil};
            studie_fortschritt bildrueckruf = {teil_melden, &bild};
            verlauf v = verlauf_berechnen(problem_von(m), m, s.n.back(), s.gitter.back(), o.spalten,
                                          &bildrueckruf);
            anzeige.loeschen();
            verlaufsdiagramm_zeichnen(v);
        }
        erledigt += anteil;
    }
    ausgabe_abschliessen(stdout, nullptr);
    return 0;
}
