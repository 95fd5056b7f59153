// The page's interface to the library: plain C functions that the page's
// worker calls on the module compiled by em++ (M._web_...).  Every number
// the page shows is computed here, through the library; the page only
// moves the results and draws them.
//
// Each call answers with one result (antwort.h): a JSON object, long
// numeric series as arrays of doubles beside it, a file as bytes; a failure
// of the library is the result {"fehler": its message}, and the instance
// goes on.  This file: the tables, the user's formula and the user's text;
// durchlauf.cpp: one pass of the main view and the files; studie_ansicht.cpp:
// the convergence study, with the reference lines of bezug.cpp.
#include "antwort.h"
#include "schnittstelle_intern.h"

#include <emscripten/emscripten.h>

#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/fehler.h"
#include "numerik/formel.h"
#include "numerik/knotenarten.h"
#include "numerik/nmmatrix.h"
#include "numerik/studie.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace web {

namespace {

// The methods the page offers, in the order it lists them: from the table
// of methods, the first row of each key (the rows of one key differ only in
// the node kind).  The titles are ASCII, like every text of the library,
// since they go into the names of the objects and so into downloaded files.
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

// The user's own function, set by web_formel: problem FORMEL_PROBLEM (0).
// A fresh instance has none; the worker sets it before it asks for problem 0.
struct formel_freigeber {
    void operator()(formelfunktion *f) const { formel_freigeben(f); }
};
std::unique_ptr<formelfunktion, formel_freigeber> eigene_formel;
beispielfunktion eigenes_problem = {};

eigene_daten daten;

// The module's speed for the cost model's operations: the Newton form of
// 10^5 points (5 * 10^9 operations) took 16.5 s in a browser's WebAssembly,
// the barycentric form over them about 45 s (1.5 * 10^10): some 3 * 10^8 a
// second, a fifth of the native build's.
constexpr double WEB_OPERATIONEN_JE_SEKUNDE = 3e8;
// Above this many user nodes a global form says its cost before it runs.
constexpr int WEB_FRAGEN_AB_N = 10000;

void daten_freigeben(eigene_daten &d) {
    if (d.interpolation != nullptr)
        interpolation_tabelle(d.interpolation)->freigeben(d.interpolation);
    if (d.punkte != nullptr) matrix_tabelle(d.punkte)->freigeben(d.punkte);
    if (d.werte != nullptr) matrix_tabelle(d.werte)->freigeben(d.werte);
    d = eigene_daten();
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

// Whether the text is one of the library's (its first line that is not
// empty or a # comment names a type before a ':'), else columns of numbers.
// A text without a line that starts like a number (a type without its
// ':', an empty text) goes to the library's loaders too, which say what
// they expected.
bool ist_bibliothekstext(const char *text, int laenge) {
    int pos = 0;
    bool erste = true;
    while (pos < laenge) {
        const char *ende = static_cast<const char *>(std::memchr(text + pos, '\n', laenge - pos));
        const int bis = ende != nullptr ? static_cast<int>(ende - text) : laenge;
        int i = pos;
        while (i < bis && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (i < bis && text[i] != '#') {
            if (erste && std::memchr(text + i, ':', bis - i) != nullptr) return true;
            erste = false;
            if (std::isdigit(static_cast<unsigned char>(text[i])) ||
                (text[i] != '\0' && std::strchr("+-.", text[i]) != nullptr))
                return false;
        }
        pos = bis + 1;
    }
    return true;
}

// A vector of the numbers in w, named name; the caller owns it.
objekt *als_vektor(const std::vector<double> &w, const char *name) {
    matrix_zeiger v(vektor(static_cast<int>(w.size()), name));
    const matrix_funktionen *f = matrix_tabelle(v.get());
    for (std::size_t i = 0; i < w.size(); ++i)
        f->setzen(v.get(), static_cast<int>(i) + 1, 1, w[i]);
    return v.release();
}

struct datei_schliesser {
    void operator()(FILE *f) const { std::fclose(f); }
};

// The first row of the table of methods of the class of ip, whose style it
// is drawn in; the first row of all when no row has that class.
const methode &methode_der_klasse(objekt *ip) {
    klasse *k = interpolation_klasse(ip);
    for (int i = 0; i < methoden_anzahl; ++i)
        if (methoden[i].art == k) return methoden[i];
    return methoden[0];
}

objekt *knoten_vektor(objekt *ip) {
    return interpolation_tabelle(ip)->imVektor(ip, 0);
}

} // namespace

const methode &verfahren_nr(int k) {
    const std::vector<const methode *> &liste = verfahren_liste();
    if (k < 0 || static_cast<std::size_t>(k) >= liste.size())
        numerik_fehler("Verfahren Nr. %d nicht definiert.\n", k);
    return *liste[static_cast<std::size_t>(k)];
}

const methode &stil_methode(int k, int art) {
    const methode &erste = verfahren_nr(k);
    for (int i = 0; i < methoden_anzahl; ++i)
        if (std::strcmp(methoden[i].schluessel, erste.schluessel) == 0 &&
            methoden[i].stuetzstellenart == art)
            return methoden[i];
    return erste;
}

void stil_schreiben(json_schreiber &j, const methode &me) {
    const methode_stil &stil = *methode_stil_von(&me);
    j.objekt_auf()
        .feld("farbe", stil.farbe)
        .feld("strich", stil.strich)
        .feld("breite", stil.breite)
        .objekt_zu();
}

const beispielfunktion &problem_nr(int m) {
    if (m == FORMEL_PROBLEM) {
        if (eigene_formel == nullptr) numerik_fehler("Keine eigene Funktion gesetzt.\n");
        return eigenes_problem;
    }
    if (m < 1 || m > funktion_anzahl) numerik_fehler("Funktion Nr. %i nicht definiert.\n", m);
    return funktion[m - 1];
}

std::string funktionsname(const beispielfunktion &problem) {
    if (&problem == &eigenes_problem) return "Formel";
    return std::string("Beispielfunktion ") + problem.name;
}

std::string problemname(const beispielfunktion &problem, int n) {
    return funktionsname(problem) + " mit n = " + std::to_string(n);
}

objekt *vektor(int zeilen, const char *name) {
    nmmatrix_parameter p = {zeilen, 1, name, 1};
    return matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
}

objekt *werte_an_stuetzstellen(const beispielfunktion &problem, int art, int n) {
    matrix_zeiger knoten(vektor(n + 1, "Stuetzstellen"));
    stuetzstellen_platzieren(knoten.get(), art, n, problem.a, problem.b, "Stuetzstellen");
    matrix_zeiger werte(vektor(n + 1, "Stuetzwerte"));
    const matrix_funktionen *fk = matrix_tabelle(knoten.get());
    const matrix_funktionen *fw = matrix_tabelle(werte.get());
    for (int i = 1; i <= n + 1; ++i)
        fw->setzen(werte.get(), i, 1, beispiel_f(&problem, fk->amIndex(knoten.get(), i, 1)));
    return werte.release();
}

std::string zahl_text(double x, int stellen) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", stellen, x);
    return text;
}

const eigene_daten &geladen() {
    return daten;
}

gewaehlte_interpolation::gewaehlte_interpolation(bool eigene, int m, int k, int art, int n) {
    if (eigene && daten.interpolation != nullptr) {
        ip_ = daten.interpolation;
        return;
    }
    if (eigene) {
        if (daten.punkte == nullptr) numerik_fehler("Keine Wertedatei geladen.\n");
        const methode &me = verfahren_nr(k);
        const std::string name = std::string("Eigene Daten, ") + me.verfahren;
        // The library's one creation entry checks the user's points and
        // values first (counts, finite numbers, distinct or ascending
        // nodes) and names the row at fault; a method that needs the
        // function's derivatives says so.
        eigen_.reset(methode_erzeugen(&me, name.c_str(), STUETZSTELLEN_GEGEBEN, daten.punkte, 0.0,
                                      0.0, daten.werte, nullptr));
    } else {
        const beispielfunktion &problem = problem_nr(m);
        const methode &me = verfahren_nr(k);
        matrix_zeiger werte(werte_an_stuetzstellen(problem, art, n));
        const std::string name = problemname(problem, n);
        eigen_.reset(methode_erzeugen(&me, name.c_str(), art, nullptr, problem.a, problem.b,
                                      werte.get(), &problem));
    }
    ip_ = eigen_.get();
}

} // namespace web

using namespace web;

extern "C" {

// The tables the page builds its choices from, in one result:
//   {"beispiele": [{"m", "name", "formel", "a", "b"}],
//    "arten": [{"nummer", "anzeige", "kuerzel", "gespeichert"}],
//    "verfahren": [{"k", "schluessel", "titel", "arten", "abl2",
//                   "stile": {"<node kind>": {"farbe", "strich", "breite"}}}]}
// The examples' formulas in x ("1/(1+x^2)" for problem 4); the node kinds
// from numerik/knotenarten.h; the page's methods, each with the style of
// its row of each node kind, as the study draws its columns.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_tabellen() {
    return aufrufen([](antwort &a) {
        json_schreiber &j = a.json;
        j.schluessel("beispiele").liste_auf();
        for (int m = 1; m <= funktion_anzahl; ++m) {
            const beispielfunktion &b = funktion[m - 1];
            j.objekt_auf()
                .feld("m", m)
                .feld("name", b.name)
                .feld("formel", b.formel)
                .feld("a", b.a)
                .feld("b", b.b)
                .objekt_zu();
        }
        j.liste_zu();
        j.schluessel("arten").liste_auf();
        for (int i = 0; i < knotenarten_anzahl(); ++i) {
            const knotenart *art = knotenart_an(i);
            j.objekt_auf()
                .feld("nummer", art->nummer)
                .feld("anzeige", art->anzeige)
                .feld("kuerzel", art->kuerzel)
                .feld("gespeichert", art->gespeichert != 0)
                .objekt_zu();
        }
        j.liste_zu();
        j.schluessel("verfahren").liste_auf();
        for (int k = 0; k < static_cast<int>(verfahren_liste().size()); ++k) {
            const methode &me = verfahren_nr(k);
            j.objekt_auf()
                .feld("k", k)
                .feld("schluessel", me.schluessel)
                .feld("titel", me.verfahren)
                .feld("arten", me.arten)
                .feld("abl2", me.abl2 != 0);
            j.schluessel("stile").objekt_auf();
            for (int i = 0; i < knotenarten_anzahl(); ++i) {
                const int art = knotenart_an(i)->nummer;
                j.schluessel(std::to_string(art));
                stil_schreiben(j, stil_methode(k, art));
            }
            j.objekt_zu().objekt_zu();
        }
        j.liste_zu();
    });
}

// Reads the formula text on [a, b] as the user's function, problem 0, in
// place of the one before: {}.  An unreadable formula or interval fails
// with the library's message and leaves the one before as it was.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_formel(const char *text, double a, double b) {
    return aufrufen([=](antwort &) {
        eigene_formel.reset(formel_erzeugen(text, a, b));
        eigenes_problem = formel_als_funktion(eigene_formel.get());
    });
}

// Whether the user's function has a value at the n+1 nodes of kind art
// and at the punkte points of its grid, where the page's pass asks for it:
// {}, or the library's message naming the first x where it has none (a
// pole, a point outside its domain).  A formula refused here is refused as
// one the library cannot read.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_formel_pruefen(int punkte, int art, int n) {
    return aufrufen([=](antwort &) {
        const beispielfunktion &problem = problem_nr(FORMEL_PROBLEM);
        std::vector<double> x = stuetzstellen(problem, art, n);
        for (int i = 0; i < punkte; ++i)
            x.push_back(aequidistanter_punkt(i, punkte - 1, problem.a, problem.b));
        for (double xi : x)
            beispiel_f(&problem, xi);
    });
}

// Loads text (laenge bytes, which need not end in a NUL) through the
// library's loaders, in place of what was loaded before:
//   {"art": 1, "typ", "name", "knoten", "stil"} for an interpolation of any
//   registered class (its type text, name, number of nodes, and the style
//   of its class's first method);
//   {"art": 2, "punkte"} for a value file of two matrices, points and
//   values.
// A text that does not load leaves what was loaded before as it was.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_laden(char *text, int laenge) {
    return aufrufen([=](antwort &a) {
        std::unique_ptr<FILE, datei_schliesser> ein(
            fmemopen(text, static_cast<std::size_t>(laenge), "r"));
        if (ein == nullptr) numerik_fehler("Der Text kann nicht gelesen werden.\n");
        // Held until the whole result is written, then put in place of the
        // data before.
        matrix_zeiger punkte;
        matrix_zeiger werte;
        interpolation_zeiger ip;
        if (!ist_bibliothekstext(text, laenge)) {
            std::vector<double> x, y;
            spalten_lesen(text, laenge, x, y);
            punkte.reset(als_vektor(x, "X-Werte"));
            werte.reset(als_vektor(y, "Y-Werte"));
            a.json.feld("art", 2).feld("punkte", static_cast<int>(x.size())).feld("spalten", true);
        } else if (ist_wertedatei(text, laenge)) {
            const matrix_funktionen *allg = matrix_tabelle(&allg_matrix);
            punkte.reset(allg->laden(ein.get(), nullptr));
            werte.reset(allg->laden(ein.get(), nullptr));
            a.json.feld("art", 2).feld("punkte", matrix_tabelle(punkte.get())->hoehe(punkte.get()));
        } else {
            ip.reset(interpolation_tabelle(&allg_interpolation)->laden(ein.get(), nullptr));
            klasse *k = interpolation_klasse(ip.get());
            objekt *knoten = knoten_vektor(ip.get());
            a.json.feld("art", 1)
                .feld("typ", interpolation_tabelle(k)->name(k))
                .feld("name", interpolation_tabelle(ip.get())->name(ip.get()))
                .feld("knoten", matrix_tabelle(knoten)->hoehe(knoten));
            a.json.schluessel("stil");
            stil_schreiben(a.json, methode_der_klasse(ip.get()));
        }
        daten_freigeben(daten);
        daten.interpolation = ip.release();
        daten.punkte = punkte.release();
        daten.werte = werte.release();
    });
}

// Whether method k can be made over the loaded value file: {}, or the
// message its creation would end with.  The library's check without the
// creation: sorting and neighbours, O(n log n), where making the Newton
// form of 10^5 points took seconds.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_pruefen(int k) {
    return aufrufen([=](antwort &) {
        if (daten.punkte == nullptr) numerik_fehler("Keine Wertedatei geladen.\n");
        const methode &me = verfahren_nr(k);
        const std::string name = std::string("Eigene Daten, ") + me.verfahren;
        interpolation_problem p;
        interpolation_problem_vorbelegen(&p, me.art);
        p.name = name.c_str();
        p.art = STUETZSTELLEN_GEGEBEN;
        p.stuetzstellen = daten.punkte;
        p.stuetzwerte = daten.werte;
        for (const methode_option &o : me.optionen)
            if (o.schluessel != nullptr) interpolation_option_setzen(&p, o.schluessel, o.wert);
        interpolation_problem_pruefen(&p);
    });
}

// What method k costs with n+1 nodes on punkte points, by the study's cost
// model: {"operationen", "sekunden", "fragen"}.  fragen: the page asks the
// user before it runs it (a global form over more than 10^4 nodes that
// takes longer than a second or so).
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_kosten(int k, int n, int punkte) {
    return aufrufen([=](antwort &a) {
        const double operationen = methode_kosten(verfahren_nr(k), n, punkte);
        const double sekunden = operationen / WEB_OPERATIONEN_JE_SEKUNDE;
        a.json.feld("operationen", operationen)
            .feld("sekunden", sekunden)
            .feld("fragen", n > WEB_FRAGEN_AB_N && sekunden > 1.0);
    });
}

} // extern "C"
