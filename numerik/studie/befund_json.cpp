// A study and its befund as one JSON text (numerik/befund.h), for a front
// end that takes one structure: ASCII, each double in 17 significant
// digits (so that it reads back to itself), not a number and infinity as
// null.
#include "numerik/befund.h"

#include "studie_intern.h"

#include "numerik/fehler.h"
#include "numerik/json.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The texts of fehlerstudie's cells ("%.3g", "-" where not computed) and
// orders ("%.2f", "-" where there is none).
std::string formatiert(const char *format, double x) {
    char puffer[32];
    const int laenge = std::snprintf(puffer, sizeof puffer, format, x);
    return {puffer, static_cast<std::size_t>(laenge)};
}

// A list of the values f(i), i = 0..anzahl-1.
template <class F> void liste(json_schreiber &j, std::size_t anzahl, F f) {
    j.liste_auf();
    for (std::size_t i = 0; i < anzahl; ++i)
        f(i);
    j.liste_zu();
}

// An index, -1 as null.
void index(json_schreiber &j, int i) {
    if (i < 0)
        j.null();
    else
        j.ganz(i);
}

void spalte_schreiben(json_schreiber &j, const studie &s, const befund &b, std::size_t sp) {
    const methode *me = s.spalten[sp];
    const befund_spalte &bs = b.spalten[sp];
    const std::size_t zeilen = s.n.size();
    j.objekt_auf().feld("spalte", me->spalte).feld("titel", me->titel);
    j.feld("methode", static_cast<long>(me - methoden));
    j.schluessel("fehler");
    liste(j, zeilen,
          [&](std::size_t i) { j.zahl(s.werte[i][sp].berechnet ? s.werte[i][sp].fehler : NAN); });
    j.schluessel("berechnet");
    liste(j, zeilen, [&](std::size_t i) { j.wahrheit(s.werte[i][sp].berechnet); });
    j.schluessel("zellen");
    liste(j, zeilen, [&](std::size_t i) {
        const messwert &mw = s.werte[i][sp];
        j.text(mw.berechnet ? formatiert("%.3g", mw.fehler) : "-");
    });
    j.schluessel("ordnung");
    liste(j, zeilen, [&](std::size_t i) { j.zahl(b.zellen[i][sp].ordnung); });
    j.schluessel("ordnungen");
    liste(j, zeilen, [&](std::size_t i) {
        const double p = b.zellen[i][sp].ordnung;
        j.text(i == 0 ? "" : std::isnan(p) ? "-" : formatiert("%.2f", p));
    });
    j.schluessel("rundung");
    liste(j, zeilen, [&](std::size_t i) { j.wahrheit(b.zellen[i][sp].rundung); });
    j.schluessel("rundungsboden");
    liste(j, zeilen, [&](std::size_t i) { j.zahl(b.zellen[i][sp].rundungsboden); });
    j.schluessel("marke");
    liste(j, zeilen, [&](std::size_t i) {
        const char m = b.zellen[i][sp].marke;
        j.text(m == 0 ? std::string() : std::string(1, m));
    });
    j.schluessel("ursache");
    liste(j, zeilen, [&](std::size_t i) { j.ganz(b.zellen[i][sp].ursache); });
    j.feld("konvergiert", bs.konvergiert).feld("legende", bs.legende);
    if (sp < b.erklaerung.spalten.size()) {
        const warum_spalte &w = b.erklaerung.spalten[sp];
        j.feld("urteil", w.urteil)
            .feld("divergiert", w.divergiert)
            .feld("rundung_ab", w.rundung_ab)
            .feld("ordnung_vorhergesagt", w.ordnung_vorhergesagt)
            .feld("ordnung_beobachtet", w.ordnung_beobachtet);
        j.schluessel("vorhersage");
        liste(j, w.vorhersage.size(), [&](std::size_t i) { j.zahl(w.vorhersage[i]); });
    }
    j.schluessel("bezugsart");
    if (bs.bezugsart == BEZUG_POTENZ)
        j.text("potenz");
    else if (bs.bezugsart == BEZUG_GEOMETRISCH)
        j.text("geometrisch");
    else
        j.null();
    j.schluessel("bezugszeilen");
    liste(j, bs.bezugszeilen.size(),
          [&](std::size_t i) { j.ganz(static_cast<long long>(bs.bezugszeilen[i])); });
    j.feld("rho", bs.rho).feld("c", bs.c);
    j.schluessel("bezug");
    liste(j, bs.bezug.size(), [&](std::size_t i) {
        const bezugslinie &l = bs.bezug[i];
        j.objekt_auf().feld("p", l.p).feld("c", l.c).feld("rho", l.p == 0 ? l.rho : NAN);
        j.schluessel("werte");
        liste(j, l.werte.size(), [&](std::size_t k) { j.zahl(l.werte[k]); });
        j.objekt_zu();
    });
    j.objekt_zu();
}

// The theory's analysis of f and the recommendation, as "warum".
void warum_schreiben(json_schreiber &j, const studie &s, const warum &w) {
    const warum_analyse &a = w.analyse;
    j.schluessel("warum").objekt_auf();
    j.feld("beurteilbar", a.beurteilbar).feld("grund", a.grund).feld("a", a.a).feld("b", a.b);
    j.feld("rho", a.rho).feld("runge_abstand", a.runge_abstand);
    j.feld("runge_singularitaet", a.runge_singularitaet);
    j.schluessel("singularitaeten");
    liste(j, a.singularitaeten.size(), [&](std::size_t i) {
        const singularitaet &p = a.singularitaeten[i];
        j.objekt_auf().feld("re", p.re).feld("im", p.im).feld("rho", p.rho);
        j.feld("res_re", p.res_re).feld("res_im", p.res_im).feld("runge", p.runge).objekt_zu();
    });
    j.schluessel("runge_rand");
    liste(j, a.runge_rand.size(), [&](std::size_t i) { j.zahl(a.runge_rand[i]); });
    j.schluessel("koeffizienten");
    liste(j, a.koeffizienten.size(), [&](std::size_t i) { j.zahl(a.koeffizienten[i]); });
    j.feld("plateau", a.plateau);
    j.schluessel("abfall");
    const char *abfall[] = {nullptr, "geometrisch", "algebraisch", "sofort"};
    if (a.abfall > 0 && a.abfall < 4)
        j.text(abfall[a.abfall]);
    else
        j.null();
    j.feld("alpha", a.alpha).feld("rho_koeffizienten", a.rho_koeffizienten);
    j.feld("toleranz", w.toleranz).feld("empfehlung", w.empfehlung);
    j.schluessel("empfohlen");
    index(j, w.empfohlen);
    j.feld("empfohlen_n", w.empfohlen_n);
    std::vector<std::string> titel;
    for (const methode *me : s.spalten)
        titel.emplace_back(me->spalte);
    j.feld("text", w.spalten.size() == s.spalten.size() ? warum_text(titel, w) : std::string());
    j.objekt_zu();
}

} // namespace

std::string befund_json(const studie &s, const befund &b) {
    if (b.spalten.size() != s.spalten.size() || b.zellen.size() != s.n.size())
        numerik_fehler("Der Befund gehoert nicht zu dieser Studie.\n");
    json_schreiber j;
    j.objekt_auf()
        .feld("m", s.m)
        .feld("titel", problem_titel(studie_problem(s.problem, s.m), s.m))
        .feld("ableitung", s.ableitung)
        .feld("gitter_text", studie_gitter_text(s))
        .feld("f_groesste", s.f_groesste);
    j.schluessel("n");
    liste(j, s.n.size(), [&](std::size_t k) { j.ganz(s.n[k]); });
    j.schluessel("gitter");
    liste(j, s.n.size(), [&](std::size_t k) { j.ganz(gitter_bei(s, k)); });
    j.schluessel("grob");
    liste(j, s.n.size(), [&](std::size_t k) { j.wahrheit(b.gitter_zu_grob[k]); });
    j.feld("decke", b.decke).feld("boden", b.boden).feld("rundungsfaktor", RUNDUNGSFAKTOR);
    j.schluessel("kosten")
        .objekt_auf()
        .feld("operationen", b.kosten.operationen)
        .feld("sekunden", b.kosten.operationen / STUDIE_OPERATIONEN_JE_SEKUNDE)
        .feld("teuerste", b.kosten.teuerste != nullptr ? b.kosten.teuerste->spalte : nullptr)
        .feld("teuerste_operationen", b.kosten.teuerste_operationen)
        .objekt_zu();
    j.schluessel("bezug_potenz");
    index(j, b.bezug_potenz);
    j.schluessel("bezug_geometrisch");
    index(j, b.bezug_geometrisch);
    j.feld("marken_legende", marken_legende(s, b));
    warum_schreiben(j, s, b.erklaerung);
    j.schluessel("spalten");
    liste(j, s.spalten.size(), [&](std::size_t sp) { spalte_schreiben(j, s, b, sp); });
    j.objekt_zu();
    return j.ergebnis();
}
