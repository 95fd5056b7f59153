// The convergence study of the page: the library's study (numerik/studie.h),
// the same that fehlerstudie prints, as one result.
#include "antwort.h"
#include "schnittstelle_intern.h"

#include <emscripten/emscripten.h>

#include "numerik/befund.h"
#include "numerik/fehler.h"
#include "numerik/json.h"
#include "numerik/studie.h"
#include "numerik/warum.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace web;

namespace {

EM_JS(void, fortschritt_melden, (const char *was, double anteil), {
    if (Module.fortschritt) Module.fortschritt(UTF8ToString(was), anteil);
});

void fortschritt_weitergeben(void *, const char *was, double anteil) {
    fortschritt_melden(was, anteil);
}

// The n of a study from text, separated by blanks or commas, with the checks
// and messages of fehlerstudie's arguments: the form first (a sign and
// digits only), then the range of an int, then the study's bounds.
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
        const std::size_t anfang = wort[0] == '+' || wort[0] == '-' ? 1 : 0;
        if (wort.size() == anfang ||
            wort.find_first_not_of("0123456789", anfang) != std::string::npos)
            numerik_fehler("n = %s ist keine ganze Zahl.\n", wort.c_str());
        int wert = 0;
        if (zahl_int_lesen(wort.c_str(), &wert) != ZAHL_OK) {
            if (wort[0] == '-') numerik_fehler("n zu klein!\n");
            numerik_fehler("n zu gross!\n");
        }
        studie_n_pruefen(wert, n);
        n.push_back(wert);
        wort.clear();
    }
    if (n.empty()) numerik_fehler("Keine Werte von n angegeben.\n");
    return n;
}

std::string formatiert(const char *format, double x) {
    char text[32];
    std::snprintf(text, sizeof text, format, x);
    return text;
}

// The reference lines the plot draws, from the befund: C n^-2 and C n^-p
// through the column of bezug_potenz, C rho^-n fitted to the column of
// bezug_geometrisch; each {"label", "p" (0 for the rate), "werte": [one
// value for each n], and for the rate "rho" and "spalte"}.
void bezug_schreiben(json_schreiber &j, const studie &s, const befund &b) {
    j.schluessel("bezug").liste_auf();
    auto werte = [&j](const bezugslinie &l) {
        j.schluessel("werte").liste_auf();
        for (double w : l.werte)
            j.zahl(w);
        j.liste_zu();
    };
    if (b.bezug_potenz >= 0)
        for (const bezugslinie &l : b.spalten[static_cast<std::size_t>(b.bezug_potenz)].bezug) {
            j.objekt_auf().feld("label", "h^" + std::to_string(l.p)).feld("p", l.p);
            werte(l);
            j.objekt_zu();
        }
    if (b.bezug_geometrisch >= 0) {
        const auto spalte = static_cast<std::size_t>(b.bezug_geometrisch);
        for (const bezugslinie &l : b.spalten[spalte].bezug) {
            j.objekt_auf()
                .feld("label", "rho^-n, rho = " + formatiert("%.4g", l.rho))
                .feld("p", 0)
                .feld("rho", l.rho)
                .feld("spalte", s.spalten[spalte]->spalte);
            werte(l);
            j.objekt_zu();
        }
    }
    j.liste_zu();
}

// The study s of the page with all the library concludes from it (see
// web_studie).
void studie_schreiben(json_schreiber &j, const studie &s, int punkte) {
    const befund b = studie_befund(s);
    j.feld("m", s.m)
        .feld("punkte", punkte)
        .feld("gitterText", studie_gitter_text(s))
        .feld("deckeText", formatiert("%.1g", b.decke))
        .feld("text", studie_text(s));
    j.schluessel("befund").roh(befund_json(s, b));
    j.schluessel("stile").liste_auf();
    for (const methode *me : s.spalten) {
        const methode_stil &stil = *methode_stil_von(me);
        j.objekt_auf()
            .feld("farbe", stil.farbe)
            .feld("strich", stil.strich)
            .feld("breite", stil.breite)
            .objekt_zu();
    }
    j.liste_zu();
    bezug_schreiben(j, s, b);
}

// The points and values of what the page loaded: a value file as it is,
// an interpolation as its nodes and its values there.
void geladene_punkte(std::vector<double> &x, std::vector<double> &y) {
    const eigene_daten &d = geladen();
    if (d.interpolation != nullptr) {
        objekt *knoten = interpolation_tabelle(d.interpolation)->imVektor(d.interpolation, 0);
        const matrix_funktionen *fk = matrix_tabelle(knoten);
        const interpolation_funktionen *fi = interpolation_tabelle(d.interpolation);
        for (int i = 1; i <= fk->hoehe(knoten); ++i) {
            x.push_back(fk->amIndex(knoten, i, 1));
            y.push_back(fi->funktionswert(d.interpolation, x.back()));
        }
        return;
    }
    if (d.punkte == nullptr) numerik_fehler("Keine eigenen Daten geladen.\n");
    const matrix_funktionen *fp = matrix_tabelle(d.punkte);
    const matrix_funktionen *fw = matrix_tabelle(d.werte);
    const int anzahl = std::min(fp->hoehe(d.punkte), fw->hoehe(d.werte));
    for (int i = 1; i <= anzahl; ++i) {
        x.push_back(fp->amIndex(d.punkte, i, 1));
        y.push_back(fw->amIndex(d.werte, i, 1));
    }
}

} // namespace

extern "C" {

// The study of fehlerstudie for problem m at the n of n_text (blanks or
// commas between them) on punkte points (0: the grid follows n, as
// fehlerstudie's without -g), with the columns of the choice wahl (0 the
// overview, 1 -p, 2 -s, 3 both).  Progress goes to Module.fortschritt(was,
// anteil) while it computes.  The result:
//   {"m", "punkte", "gitterText" (the grid as the table names it),
//    "deckeText" ("%.1g"): the plot's ceiling as its note names it,
//    "text": the tables as fehlerstudie prints them,
//    "befund": the study and all the library concludes from it, as
//              befund_json (numerik/befund.h) writes it: n, grob, decke,
//              boden, and per column its figures, cells, orders, marks,
//              rounding floor, key words ("legende") and reference lines,
//    "stile": [{"farbe", "strich", "breite"}: how each column is drawn],
//    "bezug": the reference lines the plot draws, with their labels}
// The page decides nothing of its own about these figures: it draws them.
// A bad list of n, too few points or an unknown choice fail with
// fehlerstudie's messages; its warning on a coarse grid is a warning here.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_studie(int m, const char *n_text, int punkte,
                                                    int wahl) {
    return aufrufen([=](antwort &a) {
        const beispielfunktion &problem = problem_nr(m);
        const std::vector<int> n = n_liste_lesen(n_text);
        if (punkte != 0 && punkte < STUDIE_MIN_PUNKTE)
            numerik_fehler("Punkte muss mindestens %d sein!\n", STUDIE_MIN_PUNKTE);
        if (wahl < SPALTEN_UEBERSICHT || wahl > SPALTEN_ALLE)
            numerik_fehler("Spaltenwahl %d nicht definiert.\n", wahl);
        // The warning of fehlerstudie, word for word.
        studie_gitter_pruefen(punkte, n);
        const studie_fortschritt fortschritt{fortschritt_weitergeben, nullptr};
        const studie s = studie_durchfuehren(problem, m, n, punkte, wahl, &fortschritt);

        studie_schreiben(a.json, s, punkte);
    });
}

// The study of the loaded data: their AAA fit stands in for f where it
// reproduces them and settles (warum_daten_anpassen, numerik/warum.h), and
// the study of web_studie runs on it, with the same arguments.  The result:
//   {"daten": {"beurteilbar", "grund", "text" (the line on the data),
//              "punkte", "a", "b", "grad", "toleranz", "abweichung",
//              "vorhersage"},
//    and where the data are judged everything web_studie gives, for the
//    fit as f; where not, "warum": {"beurteilbar": false, "grund", "text"}
//    with the verdict that says why}.
// A value file, a two-column text and an interpolation (its nodes and its
// values there) are data alike; without any, "Keine eigenen Daten
// geladen.".
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_studie_daten(const char *n_text, int punkte,
                                                          int wahl) {
    return aufrufen([=](antwort &a) {
        std::vector<double> x, y;
        geladene_punkte(x, y);
        const std::vector<int> n = n_liste_lesen(n_text);
        if (punkte != 0 && punkte < STUDIE_MIN_PUNKTE)
            numerik_fehler("Punkte muss mindestens %d sein!\n", STUDIE_MIN_PUNKTE);
        if (wahl < SPALTEN_UEBERSICHT || wahl > SPALTEN_ALLE)
            numerik_fehler("Spaltenwahl %d nicht definiert.\n", wahl);
        const warum_daten d = warum_daten_anpassen(x.data(), y.data(), x.size());
        json_schreiber &j = a.json;
        const std::string zeile = warum_daten_text(d);
        j.schluessel("daten")
            .objekt_auf()
            .feld("beurteilbar", d.beurteilbar)
            .feld("grund", d.grund)
            .feld("text", zeile)
            .feld("punkte", static_cast<long>(d.punkte))
            .feld("a", d.a)
            .feld("b", d.b)
            .feld("grad", d.grad)
            .feld("toleranz", d.toleranz)
            .feld("abweichung", d.abweichung)
            .feld("vorhersage", d.vorhersage)
            .objekt_zu();
        if (!d.beurteilbar) {
            j.schluessel("warum")
                .objekt_auf()
                .feld("beurteilbar", false)
                .feld("grund", d.grund)
                .feld("text", "\nWarum\n" + zeile + "\n")
                .objekt_zu();
            return;
        }
        studie_gitter_pruefen(punkte, n);
        const studie_fortschritt fortschritt{fortschritt_weitergeben, nullptr};
        const studie s =
            studie_durchfuehren(d.problem, FORMEL_PROBLEM, n, punkte, wahl, &fortschritt);
        studie_schreiben(j, s, punkte);
    });
}

} // extern "C"
