// The page's interface to the library: plain C functions that the page calls
// on the module compiled by em++ (M._web_...).  Every number the page shows
// is computed here, through the library; the page only moves arrays and
// texts and draws them.
//
// Memory: arrays and texts live in the module's heap; the page allocates them
// with malloc and frees them.  Handles (objekt *) are plain numbers to the
// page and are released with web_freigeben.
//
// Failures: the library's fatal path calls the handler set by web_start,
// which throws a JavaScript exception carrying the library's message.  The
// exception leaves every C frame at once, without running destructors; what
// was allocated is lost.  The page therefore starts a fresh instance of the
// module after every failure, and keeps what it must not lose (the user's
// text, the choices) on its own side.
#include <emscripten/emscripten.h>

#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/beispielfunktionen.h"
#include "numerik/fehler.h"
#include "numerik/formel.h"
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/methoden.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"
#include "numerik/studie.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// Throws new Error(meldung) with the name NumerikFehler; the page tells the
// library's failures from its own by that name.
EM_JS(void, fehler_werfen, (const char *meldung), {
    const fehler = new Error(UTF8ToString(meldung));
    fehler.name = 'NumerikFehler';
    throw fehler;
});

void fehlerbehandlung(const char *meldung, int) {
    fehler_werfen(meldung);
}

// The methods the page offers, in the order it lists them: a class with its
// options, whatever node kind; from the table of methods, the first row of
// each key (the rows of one key differ only in the node kind).  The titles
// are ASCII, like every text of the library, since they go into the names
// of the objects and so into downloaded files.
const std::vector<const methode *> &verfahren_liste() {
    static const std::vector<const methode *> liste = [] {
        std::vector<const methode *> erste;
        for (int i = 0; i < methoden_anzahl; ++i) {
            bool neu = true;
            for (const methode *v : erste)
                if (std::strcmp(v->schluessel, methoden[i].schluessel) == 0) neu = false;
            if (neu) erste.push_back(&methoden[i]);
        }
        return erste;
    }();
    return liste;
}

const methode &verfahren_nr(int k) {
    const std::vector<const methode *> &liste = verfahren_liste();
    if (k < 0 || static_cast<std::size_t>(k) >= liste.size())
        numerik_fehler("Verfahren Nr. %d nicht definiert.\n", k);
    return *liste[static_cast<std::size_t>(k)];
}

const methode &methode_nr(int i) {
    if (i < 0 || i >= methoden_anzahl) numerik_fehler("Methode Nr. %d nicht definiert.\n", i);
    return methoden[i];
}

// The user's own function, set by web_formel: problem FORMEL_PROBLEM (0)
// for every function that takes a problem number.  A fresh instance has
// none; the page sets it again before it asks for problem 0.
formelfunktion *eigene_formel = nullptr;
beispielfunktion eigenes_problem = {};

const beispielfunktion &problem_nr(int m) {
    if (m == FORMEL_PROBLEM) {
        if (eigene_formel == nullptr) numerik_fehler("Keine eigene Funktion gesetzt.\n");
        return eigenes_problem;
    }
    if (m < 1 || m > funktion_anzahl) numerik_fehler("Funktion Nr. %i nicht definiert.\n", m);
    return funktion[m - 1];
}

// "Beispielfunktion <name>", or "Formel" for the user's function, as the
// programs name it in objects.
std::string funktionsname(const beispielfunktion &problem) {
    if (&problem == &eigenes_problem) return "Formel";
    return std::string("Beispielfunktion ") + problem.name;
}

objekt *vektor(int zeilen, const char *name) {
    nmmatrix_parameter p = {zeilen, 1, name, 1};
    return matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
}

// The name splineerzeuger gives a problem of example m, so that the page's
// files carry the same names as the programs' files.
std::string problemname(const beispielfunktion &problem, int n) {
    return funktionsname(problem) + " mit n = " + std::to_string(n);
}

// The values of f at the n+1 nodes of kind art, placed by the library's own
// placement: bit for bit the nodes that creation places again from a and b.
objekt *werte_an_stuetzstellen(const beispielfunktion &problem, int art, int n) {
    matrix_zeiger knoten(vektor(n + 1, "Stuetzstellen"));
    stuetzstellen_platzieren(knoten.get(), art, n, problem.a, problem.b, "Stuetzstellen");
    objekt *werte = vektor(n + 1, "Stuetzwerte");
    const matrix_funktionen *fk = matrix_tabelle(knoten.get());
    const matrix_funktionen *fw = matrix_tabelle(werte);
    for (int i = 1; i <= n + 1; ++i)
        fw->setzen(werte, i, 1, beispiel_f(&problem, fk->amIndex(knoten.get(), i, 1)));
    return werte;
}

// What the page has loaded last: an interpolation, or the two vectors of a
// value file (points, then values).
objekt *geladene_interpolation = nullptr;
objekt *geladene_punkte = nullptr;
objekt *geladene_werte = nullptr;

void geladenes_freigeben() {
    if (geladene_interpolation != nullptr)
        interpolation_tabelle(geladene_interpolation)->freigeben(geladene_interpolation);
    if (geladene_punkte != nullptr) matrix_tabelle(geladene_punkte)->freigeben(geladene_punkte);
    if (geladene_werte != nullptr) matrix_tabelle(geladene_werte)->freigeben(geladene_werte);
    geladene_interpolation = geladene_punkte = geladene_werte = nullptr;
}

// Whether the first line of text names a matrix class (then the text is a
// value file) rather than an interpolation class.  The header reader takes
// everything before the first ':' as the type text; so does this test.
bool ist_wertedatei(const char *text, int laenge) {
    const char *ende = static_cast<const char *>(std::memchr(text, '\n', laenge));
    const int zeile = ende != nullptr ? static_cast<int>(ende - text) : laenge;
    const char *doppelpunkt = static_cast<const char *>(std::memchr(text, ':', zeile));
    if (doppelpunkt == nullptr) return false;
    const std::string typ(text, doppelpunkt);
    for (klasse *k : {&nm_matrix, &band_matrix, &a06__matrix})
        if (typ == matrix_tabelle(k)->name(k)) return true;
    return false;
}

// The length of the text last returned by a web_text_ function.
int text_laenge = 0;

// Collects what schreiben writes to a stream into one malloc'd text.
template <typename F> char *als_text(F schreiben) {
    char *text = nullptr;
    std::size_t laenge = 0;
    FILE *aus = open_memstream(&text, &laenge);
    if (aus == nullptr) numerik_fehler("Nicht genug Speicher fuer den Text.\n");
    schreiben(aus);
    if (std::fclose(aus) != 0 || text == nullptr)
        numerik_fehler("Nicht genug Speicher fuer den Text.\n");
    text_laenge = static_cast<int>(laenge);
    return text;
}

// A value file as beispielwerte and kurvenpunkte write it: the points, then
// the values named wertename.
template <typename F>
void wertedatei(FILE *aus, int n, double a, double b, const char *wertename, F wert) {
    nmvektor_schreiben(aus, "X-Werte", n + 1,
                       [&](int i) { return aequidistanter_punkt(i, n, a, b); });
    nmvektor_schreiben(aus, wertename, n + 1,
                       [&](int i) { return wert(aequidistanter_punkt(i, n, a, b)); });
}

// The last study of web_studie.
std::optional<studie> letzte_studie;

const studie &studie_da() {
    if (!letzte_studie) numerik_fehler("Keine Studie gerechnet.\n");
    return *letzte_studie;
}
const methode *spalte_nr(int j) {
    const studie &s = studie_da();
    if (j < 0 || static_cast<std::size_t>(j) >= s.spalten.size())
        numerik_fehler("Spalte %d der Studie nicht definiert.\n", j);
    return s.spalten[static_cast<std::size_t>(j)];
}
const messwert &messwert_nr(int k, int j) {
    const studie &s = studie_da();
    spalte_nr(j);
    if (k < 0 || static_cast<std::size_t>(k) >= s.n.size())
        numerik_fehler("Zeile %d der Studie nicht definiert.\n", k);
    return s.werte[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)];
}

// The n of a study from text, separated by blanks or commas, with the checks
// and messages of fehlerstudie's arguments.
std::vector<int> n_liste_lesen(const char *text) {
    std::vector<int> n;
    std::string wort;
    const std::string alles = std::string(text) + " ";
    for (char c : alles) {
        if (c != ' ' && c != ',' && c != '\t' && c != '\n' && c != '\r') {
            wort += c;
            continue;
        }
        if (wort.empty()) continue;
        int wert = 0;
        int ergebnis = zahl_int_lesen(wort.c_str(), &wert);
        std::size_t ziffern = wort.find_first_not_of("+-0123456789");
        if (ergebnis == ZAHL_KEINE_ZAHL || ziffern != std::string::npos)
            numerik_fehler("n: '%s' ist keine ganze Zahl.\n", wort.c_str());
        if (ergebnis == ZAHL_AUSSERHALB) numerik_fehler("n zu gross!\n");
        studie_n_pruefen(wert, n);
        n.push_back(wert);
        wort.clear();
    }
    if (n.empty()) numerik_fehler("Keine Werte von n angegeben.\n");
    return n;
}

} // namespace

extern "C" {

// Called once for every new instance of the module.
EMSCRIPTEN_KEEPALIVE void web_start() {
    numerik_fehlerbehandlung_setzen(fehlerbehandlung);
}

// ---- The example problems and the methods -------------------------------

EMSCRIPTEN_KEEPALIVE int web_beispiel_anzahl() {
    return funktion_anzahl;
}
EMSCRIPTEN_KEEPALIVE const char *web_beispiel_name(int m) {
    return problem_nr(m).name;
}
EMSCRIPTEN_KEEPALIVE double web_beispiel_a(int m) {
    return problem_nr(m).a;
}
EMSCRIPTEN_KEEPALIVE double web_beispiel_b(int m) {
    return problem_nr(m).b;
}
// f of problem m as a formula in x: "1/(1+x^2)" for problem 4.
EMSCRIPTEN_KEEPALIVE const char *web_beispiel_formel(int m) {
    return problem_nr(m).formel;
}

// Reads the formula text on [a, b] as the user's function, problem 0, in
// place of the one before; an unreadable formula or interval fails with
// the library's message and leaves the one before as it was.
EMSCRIPTEN_KEEPALIVE void web_formel(const char *text, double a, double b) {
    formelfunktion *neu = formel_erzeugen(text, a, b);
    formel_freigeben(eigene_formel);
    eigene_formel = neu;
    eigenes_problem = formel_als_funktion(eigene_formel);
}

// The table of node kinds, row i (numerik/knotenarten.h): the page builds
// its choice of nodes and its file names from it.  A row outside the table
// reads as the first.
namespace {
const knotenart *knotenart_zeile(int i) {
    const knotenart *k = knotenart_an(i);
    return k != nullptr ? k : knotenart_an(0);
}
} // namespace
EMSCRIPTEN_KEEPALIVE int web_knotenarten_anzahl() {
    return knotenarten_anzahl();
}
EMSCRIPTEN_KEEPALIVE int web_knotenart_nummer(int i) {
    return knotenart_zeile(i)->nummer;
}
EMSCRIPTEN_KEEPALIVE int web_knotenart_gespeichert(int i) {
    return knotenart_zeile(i)->gespeichert;
}
EMSCRIPTEN_KEEPALIVE const char *web_knotenart_kuerzel(int i) {
    return knotenart_zeile(i)->kuerzel;
}
EMSCRIPTEN_KEEPALIVE const char *web_knotenart_anzeige(int i) {
    return knotenart_zeile(i)->anzeige;
}

// The table of methods, row i (numerik/methoden.h): the page reads titles,
// kinds and styles from here and keeps no copy of its own.
EMSCRIPTEN_KEEPALIVE int web_methoden_anzahl() {
    return methoden_anzahl;
}
EMSCRIPTEN_KEEPALIVE const char *web_methode_spalte(int i) {
    return methode_nr(i).spalte;
}
EMSCRIPTEN_KEEPALIVE const char *web_methode_titel(int i) {
    return methode_nr(i).titel;
}
EMSCRIPTEN_KEEPALIVE const char *web_methode_schluessel(int i) {
    return methode_nr(i).schluessel;
}
EMSCRIPTEN_KEEPALIVE const char *web_methode_verfahren(int i) {
    return methode_nr(i).verfahren;
}
EMSCRIPTEN_KEEPALIVE int web_methode_stuetzstellenart(int i) {
    return methode_nr(i).stuetzstellenart;
}
// The node kinds the method takes: bit k for kind k.
EMSCRIPTEN_KEEPALIVE int web_methode_arten(int i) {
    return static_cast<int>(methode_nr(i).arten);
}
EMSCRIPTEN_KEEPALIVE int web_methode_periodisch(int i) {
    return methode_nr(i).periodisch ? 1 : 0;
}
// 1: needs f'' at the ends, so only for the examples.
EMSCRIPTEN_KEEPALIVE int web_methode_abl2(int i) {
    return methode_nr(i).abl2 ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int web_methode_gruppe(int i) {
    return methode_nr(i).gruppe;
}
EMSCRIPTEN_KEEPALIVE int web_methode_uebersicht(int i) {
    return methode_nr(i).uebersicht ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE const char *web_methode_farbe(int i) {
    return methode_stil_von(&methode_nr(i))->farbe;
}
EMSCRIPTEN_KEEPALIVE double web_methode_breite(int i) {
    return methode_stil_von(&methode_nr(i))->breite;
}
// 1 solid, 2 dashed, 3 dotted.
EMSCRIPTEN_KEEPALIVE int web_methode_strich(int i) {
    return methode_stil_von(&methode_nr(i))->strich;
}
EMSCRIPTEN_KEEPALIVE int web_methode_punkt(int i) {
    return methode_stil_von(&methode_nr(i))->punkt;
}
EMSCRIPTEN_KEEPALIVE double web_methode_punktgroesse(int i) {
    return methode_stil_von(&methode_nr(i))->punktgroesse;
}

// The page's methods (a class with its options, on the node kind the page
// chooses): how many, their keys and titles, and the row of the table whose
// style each shows.
EMSCRIPTEN_KEEPALIVE int web_verfahren_anzahl() {
    return static_cast<int>(verfahren_liste().size());
}
EMSCRIPTEN_KEEPALIVE const char *web_verfahren_schluessel(int k) {
    return verfahren_nr(k).schluessel;
}
EMSCRIPTEN_KEEPALIVE const char *web_verfahren_titel(int k) {
    return verfahren_nr(k).verfahren;
}
// The row whose style method k shows on node kind art: its row of that
// kind, else its first row (own data, or a kind without a column of its
// own in the study).
EMSCRIPTEN_KEEPALIVE int web_verfahren_methode(int k, int art) {
    const methode &erste = verfahren_nr(k);
    for (int i = 0; i < methoden_anzahl; ++i)
        if (std::strcmp(methoden[i].schluessel, erste.schluessel) == 0 &&
            methoden[i].stuetzstellenart == art)
            return i;
    return static_cast<int>(&erste - methoden);
}

// ---- Interpolations ------------------------------------------------------

// Method k over n+1 nodes of kind art (1 equidistant, 2 Chebyshev) for
// example m, named as splineerzeuger names its problems.
EMSCRIPTEN_KEEPALIVE objekt *web_beispiel_erzeugen(int m, int k, int art, int n) {
    const beispielfunktion &problem = problem_nr(m);
    const methode &me = verfahren_nr(k);
    matrix_zeiger werte(werte_an_stuetzstellen(problem, art, n));
    std::string name = problemname(problem, n);
    return methode_erzeugen(&me, name.c_str(), art, nullptr, problem.a, problem.b, werte.get(),
                            &problem);
}

// Loads text (laenge bytes, which need not end in a NUL) through the
// library's loaders: 1 for an interpolation of any registered class
// (web_geladen), 2 for a value file of two matrices, points and values
// (web_daten_erzeugen).  What was loaded before is released.
EMSCRIPTEN_KEEPALIVE int web_laden(char *text, int laenge) {
    geladenes_freigeben();
    FILE *ein = fmemopen(text, static_cast<std::size_t>(laenge), "r");
    if (ein == nullptr) numerik_fehler("Der Text kann nicht gelesen werden.\n");
    if (ist_wertedatei(text, laenge)) {
        const matrix_funktionen *allg = matrix_tabelle(&allg_matrix);
        geladene_punkte = allg->laden(ein, nullptr);
        geladene_werte = allg->laden(ein, nullptr);
        std::fclose(ein);
        return 2;
    }
    geladene_interpolation = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
    std::fclose(ein);
    return 1;
}

// The interpolation loaded last; it belongs to the module (not to be freed).
EMSCRIPTEN_KEEPALIVE objekt *web_geladen() {
    return geladene_interpolation;
}

// The first row of the table of methods of the loaded interpolation's
// class, whose style it is drawn in; -1 when no row has that class.
EMSCRIPTEN_KEEPALIVE int web_geladen_methode() {
    if (geladene_interpolation == nullptr) numerik_fehler("Keine Interpolation geladen.\n");
    klasse *k = interpolation_klasse(geladene_interpolation);
    for (int i = 0; i < methoden_anzahl; ++i)
        if (methoden[i].art == k) return i;
    return -1;
}

// The number of points of the value file loaded last.
EMSCRIPTEN_KEEPALIVE int web_daten_anzahl() {
    if (geladene_punkte == nullptr) numerik_fehler("Keine Wertedatei geladen.\n");
    return matrix_tabelle(geladene_punkte)->hoehe(geladene_punkte);
}

// Method k over the points and values of the value file loaded last (node
// kind 0, given).
EMSCRIPTEN_KEEPALIVE objekt *web_daten_erzeugen(int k) {
    if (geladene_punkte == nullptr) numerik_fehler("Keine Wertedatei geladen.\n");
    const methode &me = verfahren_nr(k);
    std::string name = std::string("Eigene Daten, ") + me.verfahren;
    // The library's one creation entry checks the user's points and values
    // first (counts, finite numbers, distinct or ascending nodes) and names
    // the row at fault; a method that needs the function's derivatives says
    // so.
    return methode_erzeugen(&me, name.c_str(), STUETZSTELLEN_GEGEBEN, geladene_punkte, 0.0, 0.0,
                            geladene_werte, nullptr);
}

EMSCRIPTEN_KEEPALIVE void web_freigeben(objekt *ip) {
    if (ip != nullptr) interpolation_tabelle(ip)->freigeben(ip);
}

EMSCRIPTEN_KEEPALIVE const char *web_name(objekt *ip) {
    return interpolation_tabelle(ip)->name(ip);
}
// The type text of ip's class, as in the header line of its files.
EMSCRIPTEN_KEEPALIVE const char *web_typ(objekt *ip) {
    klasse *k = interpolation_klasse(ip);
    return interpolation_tabelle(k)->name(k);
}
EMSCRIPTEN_KEEPALIVE double web_links(objekt *ip) {
    return interpolation_tabelle(ip)->linkeGrenze(ip);
}
EMSCRIPTEN_KEEPALIVE double web_rechts(objekt *ip) {
    return interpolation_tabelle(ip)->rechteGrenze(ip);
}

// The number of nodes, and the nodes and their values into x and y.
EMSCRIPTEN_KEEPALIVE int web_knoten_anzahl(objekt *ip) {
    objekt *knoten = interpolation_tabelle(ip)->imVektor(ip, 0);
    return matrix_tabelle(knoten)->hoehe(knoten);
}
EMSCRIPTEN_KEEPALIVE void web_knoten(objekt *ip, double *x, double *y) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    objekt *knoten = fi->imVektor(ip, 0);
    objekt *werte = fi->imVektor(ip, 1);
    const matrix_funktionen *fk = matrix_tabelle(knoten);
    const matrix_funktionen *fw = matrix_tabelle(werte);
    const int anzahl = fk->hoehe(knoten);
    for (int i = 0; i < anzahl; ++i) {
        x[i] = fk->amIndex(knoten, i + 1, 1);
        y[i] = fw->amIndex(werte, i + 1, 1);
    }
}

// ---- Values and errors ---------------------------------------------------

// x(i) = (i*b + (punkte-1-i)*a) / (punkte-1), i = 0..punkte-1: the points at
// which fehlerstudie measures and beispielwerte and kurvenpunkte write.
EMSCRIPTEN_KEEPALIVE void web_gitter(int punkte, double a, double b, double *x) {
    if (punkte < 2) numerik_fehler("Es werden mindestens 2 Punkte benoetigt.\n");
    for (int i = 0; i < punkte; ++i)
        x[i] = aequidistanter_punkt(i, punkte - 1, a, b);
}

// The Lebesgue function sum |l_j(x)| of the n+1 nodes of the placed kind
// art on [a, b] at the punkte points of web_gitter, into l; returns the
// Lebesgue constant Lambda_n, the maximum refined between the grid points.
EMSCRIPTEN_KEEPALIVE double web_lebesgue(int art, int n, double a, double b, int punkte,
                                         double *l) {
    std::vector<double> werte = lebesgue_funktion(art, n, a, b, punkte);
    std::copy(werte.begin(), werte.end(), l);
    return lebesgue_konstante(art, n, a, b, punkte);
}

EMSCRIPTEN_KEEPALIVE void web_werte(objekt *ip, const double *x, double *y, int anzahl) {
    if (anzahl > 0) interpolation_werte(ip, x, y, static_cast<std::size_t>(anzahl));
}

EMSCRIPTEN_KEEPALIVE void web_beispielwerte(int m, const double *x, double *y, int anzahl) {
    const beispielfunktion &problem = problem_nr(m);
    for (int i = 0; i < anzahl; ++i)
        y[i] = beispiel_f(&problem, x[i]);
}

// e(i) = |y(i) - f(x(i))| for example m, and the largest of them, measured
// as fehlerstudie measures: a value that is not a number makes the largest
// error not a number.
EMSCRIPTEN_KEEPALIVE double web_fehler(int m, const double *x, const double *y, double *e,
                                       int anzahl) {
    const beispielfunktion &problem = problem_nr(m);
    double groesster = 0.0;
    bool zahl = true;
    for (int i = 0; i < anzahl; ++i) {
        e[i] = std::fabs(y[i] - beispiel_f(&problem, x[i]));
        if (std::isnan(e[i])) {
            if (zahl) groesster = e[i];
            zahl = false;
        } else if (zahl && e[i] > groesster) {
            groesster = e[i];
        }
    }
    return groesster;
}

// The largest error of ip for example m at punkte points, measured by the
// study's own function: the figure fehlerstudie prints for the same problem,
// node kind, n and points.
EMSCRIPTEN_KEEPALIVE double web_groesster_fehler(objekt *ip, int m, int punkte) {
    return groesster_fehler(ip, problem_nr(m), punkte);
}

// 1 where the figure fehler of method k for example m over n+1 nodes of
// kind art, measured at punkte points, is rounding rather than
// interpolation error: the study's own test (rundung_ueberwiegt) on a study
// of this one n with the method's row and the row of its stable form.  0
// for a method without a stable form.
EMSCRIPTEN_KEEPALIVE int web_rundung(int m, int k, int art, int n, int punkte, double fehler) {
    const beispielfunktion &problem = problem_nr(m);
    const methode &me = methode_nr(web_verfahren_methode(k, art));
    if (me.stabil == nullptr) return 0;
    const methode *stabil = nullptr;
    for (int i = 0; i < methoden_anzahl; ++i)
        if (std::strcmp(methoden[i].spalte, me.stabil) == 0) stabil = &methoden[i];
    if (stabil == nullptr) return 0;
    matrix_zeiger werte(werte_an_stuetzstellen(problem, art, n));
    std::string name = problemname(problem, n);
    interpolation_zeiger ip(methode_erzeugen(stabil, name.c_str(), art, nullptr, problem.a,
                                             problem.b, werte.get(), &problem));
    studie s;
    s.m = m;
    s.problem = problem;
    s.punkte = punkte;
    s.spalten = {&me, stabil};
    s.n = {n};
    s.werte = {
        {messwert{fehler, true}, messwert{groesster_fehler(ip.get(), problem, punkte), true}}};
    return rundung_ueberwiegt(s, 0, 0) ? 1 : 0;
}

// x as printf("%.*g") writes it: the figures of the page in the programs'
// own notation.  Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char *web_zahl(double x, int stellen) {
    static char text[64];
    std::snprintf(text, sizeof text, "%.*g", stellen, x);
    return text;
}

// ---- Texts in the programs' formats ---------------------------------------
// Each returns a malloc'd text (free with web_text_freigeben) of
// web_text_laenge() bytes.

EMSCRIPTEN_KEEPALIVE int web_text_laenge() {
    return text_laenge;
}
EMSCRIPTEN_KEEPALIVE void web_text_freigeben(char *text) {
    std::free(text);
}

// The number form of every text: 0 six decimals (the programs' default),
// 1 seventeen significant digits.
EMSCRIPTEN_KEEPALIVE void web_zahlform(int voll) {
    zahl_form_setzen(voll != 0 ? ZAHL_FORM_VOLL : ZAHL_FORM_F);
}

// The stored text of ip, as the class writes its files.
EMSCRIPTEN_KEEPALIVE char *web_text_interpolation(objekt *ip) {
    return als_text([ip](FILE *aus) { interpolation_tabelle(ip)->speichern(ip, aus); });
}

// Stores the problem of method me over the given values: for splines as
// splineerzeuger writes it, the object made without coefficients and with
// zero values, the values then set at its nodes.  Creation would average the
// end values of a periodic problem; the file keeps them as they are.  Other
// classes store their problem as made.
static char *problemtext(const methode &me, const char *name, int art, objekt *knoten, double a,
                         double b, objekt *werte, const beispielfunktion *problem) {
    const int ohne_koeffizienten = interpolationstyp_von(me.art)->ohne_koeffizienten;
    if (ohne_koeffizienten == 0) {
        interpolation_zeiger ip(methode_erzeugen(&me, name, art, knoten, a, b, werte, problem));
        return web_text_interpolation(ip.get());
    }
    const matrix_funktionen *fw = matrix_tabelle(werte);
    const int anzahl = fw->hoehe(werte);
    matrix_zeiger nullwerte(vektor(anzahl, "Stuetzwerte"));
    interpolation_zeiger ip(methode_erzeugen(&me, name, art + ohne_koeffizienten, knoten, a, b,
                                             nullwerte.get(), problem));
    objekt *eigene = interpolation_tabelle(ip.get())->imVektor(ip.get(), 1);
    for (int i = 1; i <= anzahl; ++i)
        matrix_tabelle(eigene)->setzen(eigene, i, 1, fw->amIndex(werte, i, 1));
    return web_text_interpolation(ip.get());
}

// The problem of method k for example m over n+1 nodes of kind art.
EMSCRIPTEN_KEEPALIVE char *web_text_problem(int m, int k, int art, int n) {
    const beispielfunktion &problem = problem_nr(m);
    matrix_zeiger werte(werte_an_stuetzstellen(problem, art, n));
    std::string name = problemname(problem, n);
    return problemtext(verfahren_nr(k), name.c_str(), art, nullptr, problem.a, problem.b,
                       werte.get(), &problem);
}

// The problem of method k over the value file loaded last.
EMSCRIPTEN_KEEPALIVE char *web_text_daten_problem(int k) {
    if (geladene_punkte == nullptr) numerik_fehler("Keine Wertedatei geladen.\n");
    const methode &me = verfahren_nr(k);
    std::string name = std::string("Eigene Daten, ") + me.verfahren;
    return problemtext(me, name.c_str(), STUETZSTELLEN_GEGEBEN, geladene_punkte, 0.0, 0.0,
                       geladene_werte, nullptr);
}

// What kurvenpunkte n writes for ip: n+1 equidistant points of its interval.
EMSCRIPTEN_KEEPALIVE char *web_text_kurvenpunkte(objekt *ip, int n) {
    return als_text([ip, n](FILE *aus) {
        const interpolation_funktionen *fi = interpolation_tabelle(ip);
        std::string wertename = std::string("Y-Werte zum Polynom ") + fi->name(ip);
        const double links = fi->linkeGrenze(ip);
        const double rechts = fi->rechteGrenze(ip);
        interpolation_intervall_pruefen(links, rechts);
        wertedatei(aus, n, links, rechts, wertename.c_str(),
                   [ip, fi](double x) { return fi->funktionswert(ip, x); });
    });
}

// What beispielwerte n m writes.
EMSCRIPTEN_KEEPALIVE char *web_text_beispielwerte(int m, int n) {
    const beispielfunktion &problem = problem_nr(m);
    return als_text([&problem, n](FILE *aus) {
        std::string wertename = "Y-Werte der " + funktionsname(problem);
        interpolation_intervall_pruefen(problem.a, problem.b);
        wertedatei(aus, n, problem.a, problem.b, wertename.c_str(),
                   [&problem](double x) { return beispiel_f(&problem, x); });
    });
}

// What beiwerte writes for ip: its coefficients stored, then printed.
EMSCRIPTEN_KEEPALIVE char *web_text_koeffizienten(objekt *ip) {
    return als_text([ip](FILE *aus) {
        objekt *koeffizienten = interpolation_tabelle(ip)->imVektor(ip, 2);
        const matrix_funktionen *fk = matrix_tabelle(koeffizienten);
        fk->speichern(koeffizienten, aus);
        std::fputs("# --\n", aus);
        fk->ausgeben(koeffizienten, aus);
    });
}

// ---- The convergence study ----------------------------------------------
// The library's study computes, the page shows: the last study
// is kept here for the page to read cell by cell.

// The study of problem m kept for the page (fortschritt may be null); the
// number of its columns.
static int studie_rechnen(int m, const char *n_text, int punkte, int wahl,
                          const studie_fortschritt *fortschritt) {
    const beispielfunktion &problem = problem_nr(m);
    std::vector<int> n = n_liste_lesen(n_text);
    // 0: the grid follows n, as fehlerstudie's without -g.
    if (punkte != 0 && punkte < STUDIE_MIN_PUNKTE)
        numerik_fehler("Punkte muss mindestens %d sein!\n", STUDIE_MIN_PUNKTE);
    if (wahl < SPALTEN_UEBERSICHT || wahl > SPALTEN_ALLE)
        numerik_fehler("Spaltenwahl %d nicht definiert.\n", wahl);
    // The warning of fehlerstudie, word for word.
    studie_gitter_pruefen(punkte, n);
    letzte_studie.reset();
    letzte_studie = studie_durchfuehren(problem, m, n, punkte, wahl, fortschritt);
    return static_cast<int>(letzte_studie->spalten.size());
}

EMSCRIPTEN_KEEPALIVE int web_studie(int m, const char *n_text, int punkte, int wahl) {
    return studie_rechnen(m, n_text, punkte, wahl, nullptr);
}

EMSCRIPTEN_KEEPALIVE int web_studie_n_anzahl() {
    return static_cast<int>(studie_da().n.size());
}
EMSCRIPTEN_KEEPALIVE int web_studie_n(int k) {
    return studie_da().n.at(static_cast<std::size_t>(k));
}
EMSCRIPTEN_KEEPALIVE const char *web_studie_spalte(int j) {
    return spalte_nr(j)->spalte;
}
EMSCRIPTEN_KEEPALIVE const char *web_studie_titel(int j) {
    return spalte_nr(j)->titel;
}
EMSCRIPTEN_KEEPALIVE const char *web_studie_farbe(int j) {
    return methode_stil_von(spalte_nr(j))->farbe;
}
// The row of the table of methods of column j.
EMSCRIPTEN_KEEPALIVE int web_studie_methode(int j) {
    return static_cast<int>(spalte_nr(j) - methoden);
}

// The error at (n index k, column j); not a number where the study has not
// computed it (the Newton form beyond its largest n).
EMSCRIPTEN_KEEPALIVE double web_studie_fehler(int k, int j) {
    const messwert &mw = messwert_nr(k, j);
    return mw.berechnet ? mw.fehler : NAN;
}
// 1 where the Newton figure is rounding rather than interpolation error.
EMSCRIPTEN_KEEPALIVE int web_studie_rundung(int k, int j) {
    messwert_nr(k, j);
    return rundung_ueberwiegt(*letzte_studie, static_cast<std::size_t>(k),
                              static_cast<std::size_t>(j))
               ? 1
               : 0;
}
// The cell as fehlerstudie prints it: "%.3g", or "-" where not computed.
// The grid as the study's table names it, and whether row k's grid was too
// coarse for its n (its figures are then marked "~").
EMSCRIPTEN_KEEPALIVE const char *web_studie_gitter_text() {
    static std::string text;
    text = studie_gitter_text(studie_da());
    return text.c_str();
}
EMSCRIPTEN_KEEPALIVE int web_studie_grob(int k) {
    const studie &s = studie_da();
    if (k < 0 || k >= static_cast<int>(s.n.size()))
        numerik_fehler("Zeile %d der Studie gibt es nicht.\n", k);
    return gitter_zu_grob(s, static_cast<std::size_t>(k)) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char *web_studie_zelle(int k, int j) {
    const messwert &mw = messwert_nr(k, j);
    static char text[32];
    if (mw.berechnet)
        std::snprintf(text, sizeof text, "%.3g", mw.fehler);
    else
        std::snprintf(text, sizeof text, "-");
    return text;
}
// The observed order from n index k-1 to k (k >= 1) as fehlerstudie prints
// it: "%.2f", or "-" where none can be read off.
EMSCRIPTEN_KEEPALIVE const char *web_studie_ordnung(int k, int j) {
    const messwert &vorher = messwert_nr(k - 1, j);
    const messwert &jetzt = messwert_nr(k, j);
    const studie &s = *letzte_studie;
    double p = NAN;
    if (vorher.berechnet && jetzt.berechnet)
        p = ordnung(vorher.fehler, s.n[static_cast<std::size_t>(k) - 1], jetzt.fehler,
                    s.n[static_cast<std::size_t>(k)]);
    static char text[32];
    if (std::isnan(p))
        std::snprintf(text, sizeof text, "-");
    else
        std::snprintf(text, sizeof text, "%.2f", p);
    return text;
}

// The plot's range and which columns converge, as fehlerstudie draws it.
EMSCRIPTEN_KEEPALIVE int web_studie_konvergiert(int j) {
    spalte_nr(j);
    return konvergiert(*letzte_studie, static_cast<std::size_t>(j)) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE double web_studie_decke() {
    return diagramm_decke(studie_da());
}
EMSCRIPTEN_KEEPALIVE double web_studie_boden() {
    return diagramm_boden(studie_da());
}

// The tables as fehlerstudie prints them.
EMSCRIPTEN_KEEPALIVE char *web_studie_text() {
    const std::string text = studie_text(studie_da());
    return als_text([&text](FILE *aus) { std::fwrite(text.data(), 1, text.size(), aus); });
}

} // extern "C"

// ---- The study with progress, and reference slopes of its plot -----------
// The study as web_studie computes it, telling the page (in its worker) how
// far it is; and the lines the convergence plot draws beside the figures:
// C n^-p through a spline column's last converging figure, and for the
// polynomial at Chebyshev nodes the geometric rate C rho^-n fitted to its
// converging figures.

namespace {

EM_JS(void, fortschritt_melden, (const char *was, double anteil), {
    if (Module.fortschritt) Module.fortschritt(UTF8ToString(was), anteil);
});

void fortschritt_weitergeben(void *, const char *was, double anteil) {
    fortschritt_melden(was, anteil);
}

// The rows of column j whose figures show convergence: computed on a grid
// fine enough, not rounding, finite, positive and under the plot's
// ceiling, up to the smallest of them (beyond it rounding takes over).
std::vector<std::size_t> konvergierende_zeilen(int j) {
    const studie &s = studie_da();
    spalte_nr(j);
    const auto spalte = static_cast<std::size_t>(j);
    const double decke = diagramm_decke(s);
    std::vector<std::size_t> zeilen;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][spalte];
        if (!mw.berechnet || gitter_zu_grob(s, k) || rundung_ueberwiegt(s, k, spalte)) continue;
        if (!(mw.fehler > 0.0 && mw.fehler <= decke)) continue;
        zeilen.push_back(k);
    }
    const auto kleinste =
        std::min_element(zeilen.begin(), zeilen.end(), [&](std::size_t a, std::size_t b) {
            return s.werte[a][spalte].fehler < s.werte[b][spalte].fehler;
        });
    if (kleinste != zeilen.end()) zeilen.erase(kleinste + 1, zeilen.end());
    return zeilen;
}

// log e = log C - n log rho by least squares over those rows; rho and C
// NaN with fewer than two rows or all at one n.
struct geometrische_rate {
    double rho = NAN;
    double c = NAN;
};

geometrische_rate rate_anpassen(int j) {
    const studie &s = studie_da();
    const std::vector<std::size_t> zeilen = konvergierende_zeilen(j);
    geometrische_rate r;
    if (zeilen.size() < 2) return r;
    double n_mittel = 0.0;
    double y_mittel = 0.0;
    for (const std::size_t k : zeilen) {
        n_mittel += s.n[k];
        y_mittel += std::log(s.werte[k][static_cast<std::size_t>(j)].fehler);
    }
    n_mittel /= static_cast<double>(zeilen.size());
    y_mittel /= static_cast<double>(zeilen.size());
    double snn = 0.0;
    double sny = 0.0;
    for (const std::size_t k : zeilen) {
        const double dn = s.n[k] - n_mittel;
        snn += dn * dn;
        sny += dn * (std::log(s.werte[k][static_cast<std::size_t>(j)].fehler) - y_mittel);
    }
    if (!(snn > 0.0)) return r;
    const double steigung = sny / snn;
    r.rho = std::exp(-steigung);
    r.c = std::exp(y_mittel - steigung * n_mittel);
    return r;
}

} // namespace

extern "C" {

// web_studie, with progress reported to Module.fortschritt(was, anteil).
EMSCRIPTEN_KEEPALIVE int web_studie_verfolgt(int m, const char *n_text, int punkte, int wahl) {
    const studie_fortschritt fortschritt{fortschritt_weitergeben, nullptr};
    return studie_rechnen(m, n_text, punkte, wahl, &fortschritt);
}

// Which reference column j has: 1 a spline (C n^-2, C n^-4), 2 the
// polynomial at Chebyshev nodes (C rho^-n), 0 none.
EMSCRIPTEN_KEEPALIVE int web_studie_bezugsart(int j) {
    const methode *me = spalte_nr(j);
    if (interpolationstyp_von(me->art)->global == 0) return 1;
    // The Chebyshev kinds by the key of their row in the table of kinds.
    const knotenart *art = knotenart_nummer(me->stuetzstellenart);
    const bool tschebyscheff =
        art != nullptr && std::strncmp(art->schluessel, "tschebyscheff", 13) == 0;
    return me->gruppe == SPALTEN_POLYNOME && tschebyscheff ? 2 : 0;
}

// C n_k^-p through the last converging figure of column j; NaN without one.
EMSCRIPTEN_KEEPALIVE double web_studie_potenz(int j, int p, int k) {
    const studie &s = studie_da();
    messwert_nr(k, j);
    const std::vector<std::size_t> zeilen = konvergierende_zeilen(j);
    if (zeilen.empty()) return NAN;
    const std::size_t letzte = zeilen.back();
    const double verhaeltnis = static_cast<double>(s.n[letzte]) / s.n[static_cast<std::size_t>(k)];
    return s.werte[letzte][static_cast<std::size_t>(j)].fehler * std::pow(verhaeltnis, p);
}

// The fitted rate of column j, the number of figures it is fitted to, and
// C rho^-n_k.
EMSCRIPTEN_KEEPALIVE double web_studie_rho(int j) {
    return rate_anpassen(j).rho;
}
EMSCRIPTEN_KEEPALIVE int web_studie_rate_zeilen(int j) {
    return static_cast<int>(konvergierende_zeilen(j).size());
}
EMSCRIPTEN_KEEPALIVE double web_studie_geometrisch(int j, int k) {
    const studie &s = studie_da();
    messwert_nr(k, j);
    const geometrische_rate r = rate_anpassen(j);
    return r.c * std::pow(r.rho, -s.n[static_cast<std::size_t>(k)]);
}

} // extern "C"
