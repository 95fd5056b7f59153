// The convergence study of the page: the library's study (numerik/studie.h),
// the same that fehlerstudie prints, as one result.
#include "antwort.h"
#include "bezug.h"
#include "schnittstelle_intern.h"

#include <emscripten/emscripten.h>

#include "numerik/fehler.h"
#include "numerik/studie.h"
#include "numerik/zahlen.h"

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

// Column j of the study: its titles, style, figures and orders.
void spalte_schreiben(json_schreiber &j, const studie &s, std::size_t spalte) {
    const methode &me = *s.spalten[spalte];
    const methode_stil &stil = *methode_stil_von(&me);
    j.objekt_auf()
        .feld("spalte", me.spalte)
        .feld("titel", me.titel)
        .feld("farbe", stil.farbe)
        .feld("strich", stil.strich)
        .feld("breite", stil.breite)
        .feld("konvergiert", konvergiert(s, spalte));
    // The error at each n, null where the study has not computed it (the
    // Newton form beyond its largest n) or it is no finite number.
    j.schluessel("fehler").liste_auf();
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][spalte];
        if (mw.berechnet)
            j.zahl(mw.fehler);
        else
            j.null();
    }
    j.liste_zu();
    // The cells as fehlerstudie prints them: "%.3g", or "-" where not
    // computed.
    j.schluessel("zellen").liste_auf();
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][spalte];
        j.text(mw.berechnet ? formatiert("%.3g", mw.fehler) : "-");
    }
    j.liste_zu();
    // The rounding mark at each n.
    j.schluessel("rundung").liste_auf();
    for (std::size_t k = 0; k < s.n.size(); ++k)
        j.wahrheit(rundung_ueberwiegt(s, k, spalte));
    j.liste_zu();
    // The observed order from each n to the next as fehlerstudie prints it
    // ("%.2f", or "-" where none can be read off), "" at the first n.
    j.schluessel("ordnungen").liste_auf().text("");
    for (std::size_t k = 1; k < s.n.size(); ++k) {
        const messwert &vorher = s.werte[k - 1][spalte];
        const messwert &jetzt = s.werte[k][spalte];
        double p = NAN;
        if (vorher.berechnet && jetzt.berechnet)
            p = ordnung(vorher.fehler, s.n[k - 1], jetzt.fehler, s.n[k]);
        j.text(std::isnan(p) ? std::string("-") : formatiert("%.2f", p));
    }
    j.liste_zu().objekt_zu();
}

} // namespace

extern "C" {

// The study of fehlerstudie for problem m at the n of n_text (blanks or
// commas between them) on punkte points (0: the grid follows n, as
// fehlerstudie's without -g), with the columns of the choice wahl (0 the
// overview, 1 -p, 2 -s, 3 both).  Progress goes to Module.fortschritt(was,
// anteil) while it computes.  The result:
//   {"m", "punkte", "gitterText" (the grid as the table names it),
//    "n": [...], "grob": [the grid of row k too coarse for its n],
//    "decke", "boden", "deckeText" ("%.1g"): the plot's range,
//    "text": the tables as fehlerstudie prints them,
//    "spalten": [{"spalte", "titel", "farbe", "strich", "breite",
//                 "konvergiert", "fehler": [...], "zellen": [...],
//                 "rundung": [...], "ordnungen": [...]}],
//    "bezug": the reference lines (bezug.h)}
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

        json_schreiber &j = a.json;
        const double decke = diagramm_decke(s);
        j.feld("m", m)
            .feld("punkte", punkte)
            .feld("gitterText", studie_gitter_text(s))
            .feld("decke", decke)
            .feld("boden", diagramm_boden(s))
            .feld("deckeText", formatiert("%.1g", decke));
        j.schluessel("n").liste_auf();
        for (const int wert : s.n)
            j.ganz(wert);
        j.liste_zu();
        j.schluessel("grob").liste_auf();
        for (std::size_t k = 0; k < s.n.size(); ++k)
            j.wahrheit(gitter_zu_grob(s, k));
        j.liste_zu();
        j.schluessel("spalten").liste_auf();
        for (std::size_t spalte = 0; spalte < s.spalten.size(); ++spalte)
            spalte_schreiben(j, s, spalte);
        j.liste_zu();
        bezug_schreiben(j, s);
        j.feld("text", studie_text(s));
    });
}

} // extern "C"
