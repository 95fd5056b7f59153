// What the study's figures show (numerik/befund.h): the observed order, the
// marks of rounding and of a grid too coarse, which columns converge, the
// words of the plot key, the range of the convergence plot, the rounding
// floor of the global forms and the reference lines.
#include "numerik/befund.h"

#include "studie_intern.h"

#include "numerik/fehler.h"
#include "numerik/knotenarten.h"
#include "numerik/lebesgue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

double ordnung(double e0, int n0, double e1, int n1) {
    if (!(e0 > 0.0 && e1 > 0.0 && std::isfinite(e0) && std::isfinite(e1))) return NAN;
    return std::log(e0 / e1) / std::log(static_cast<double>(n1) / n0);
}

bool gitter_zu_grob(const studie &s, std::size_t k) {
    return gitter_bei(s, k) < gitterpunkte_fuer(s.n[k]);
}

bool rundung_ueberwiegt(const studie &s, std::size_t k, std::size_t j) {
    const methode *me = s.spalten[j];
    const messwert &mw = s.werte[k][j];
    if (me->stabil == nullptr || !mw.berechnet) return false;
    for (std::size_t i = 0; i < s.spalten.size(); ++i) {
        if (std::strcmp(s.spalten[i]->spalte, me->stabil) != 0) continue;
        double b = s.werte[k][i].fehler;
        if (!s.werte[k][i].berechnet || !std::isfinite(b)) return false;
        // Written so that a figure that is not a number is marked.
        return !(std::fabs(mw.fehler - b) <= b);
    }
    return false;
}

bool konvergiert(const studie &s, std::size_t j) {
    double erster = NAN;
    double letzter = NAN;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][j];
        if (!mw.berechnet) continue;
        if (!std::isfinite(mw.fehler)) return false;
        if (std::isnan(erster)) erster = mw.fehler;
        letzter = mw.fehler;
    }
    return !std::isnan(erster) && letzter <= erster && letzter < s.f_groesste;
}

double diagramm_decke(const studie &s) {
    double groesster = 0.0;
    for (std::size_t j = 0; j < s.spalten.size(); ++j)
        if (konvergiert(s, j))
            for (std::size_t k = 0; k < s.n.size(); ++k)
                if (s.werte[k][j].berechnet) groesster = std::max(groesster, s.werte[k][j].fehler);
    // Without a converging column, the largest finite figure of all.
    if (groesster == 0.0)
        for (const auto &zeile : s.werte)
            for (const messwert &mw : zeile)
                if (mw.berechnet && std::isfinite(mw.fehler))
                    groesster = std::max(groesster, mw.fehler);
    if (groesster == 0.0) return 1.0;
    return std::pow(10.0, std::ceil(std::log10(groesster)));
}

double diagramm_boden(const studie &s) {
    double decke = diagramm_decke(s);
    double kleinster = decke;
    for (const auto &zeile : s.werte)
        for (const messwert &mw : zeile)
            if (mw.berechnet && mw.fehler > 0.0 && mw.fehler < kleinster) kleinster = mw.fehler;
    double boden = std::pow(10.0, std::floor(std::log10(kleinster)));
    return boden < decke ? boden : decke / 10.0;
}

namespace {

// The interpolating polynomial, in either form: the class question of the
// reference lines, asked here alone.
bool polynomform(const methode &me) {
    const interpolationstyp *t = interpolationstyp_von(me.art);
    return t != nullptr && t->polynom != 0;
}

// The key's words for a column that does not converge.  "Rundung" when it
// is rounding that keeps the column from converging: every figure of it
// that is capped (above the ceiling or not a number) carries the table's
// rounding mark (the polynomial converges, its unstable form does not), or
// nothing is capped and its last figure lies at the rounding floor, 1e-12
// max |f|, where a stable form's figures wander by a few units in the last
// place.  "divergiert" only where the method itself diverges; its words
// stay "divergiert; gekappt" as the plot has always said.
std::string legende(const studie &s, std::size_t j, double decke) {
    if (konvergiert(s, j)) return {};
    bool gekappt = false;
    bool alle_rundung = true;
    bool eine_rundung = false;
    double letzter = NAN;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][j];
        if (!mw.berechnet) continue;
        letzter = mw.fehler;
        bool rundung = rundung_ueberwiegt(s, k, j);
        eine_rundung = eine_rundung || rundung;
        if (!(mw.fehler <= decke)) {
            gekappt = true;
            alle_rundung = alle_rundung && rundung;
        }
    }
    if (gekappt && eine_rundung && alle_rundung) return "Rundung; gekappt";
    if (!gekappt && letzter <= 1e-12 * s.f_groesste) return "Rundung";
    return "divergiert; gekappt";
}

// The rows of column j whose figures show convergence: computed on a grid
// fine enough, not marked as rounding, finite, positive, under the plot's
// ceiling and above the rounding floor where the column has one (NaN:
// none), up to the smallest of them (beyond it rounding takes over).
std::vector<std::size_t> konvergierende_zeilen(const studie &s, const befund &b, std::size_t j) {
    std::vector<std::size_t> zeilen;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][j];
        const befund_zelle &z = b.zellen[k][j];
        if (!mw.berechnet || b.gitter_zu_grob[k] || z.rundung) continue;
        if (!(mw.fehler > 0.0 && mw.fehler <= b.decke)) continue;
        if (mw.fehler <= z.rundungsboden) continue;
        zeilen.push_back(k);
    }
    const auto kleinste =
        std::min_element(zeilen.begin(), zeilen.end(), [&](std::size_t a, std::size_t c) {
            return s.werte[a][j].fehler < s.werte[c][j].fehler;
        });
    if (kleinste != zeilen.end()) zeilen.erase(kleinste + 1, zeilen.end());
    return zeilen;
}

// The rows a geometric rate is fitted over, from the converging rows of a
// global form, which lie above its rounding floor.  The geometric regime:
// the run of them that ends with the smallest figure and falls at every
// step.  Of that run the rows from a quarter of its last n on, the last two
// doublings of a study that doubles n: at small n the error of a
// polynomial of low degree has not settled to C rho^-n (on Runge's function
// the local rate between n = 2 and 4 is 1.09, from 16 on within 0.5
// percent of the limit 1.1173), and a least-squares fit in n gives the
// rows of small n as much weight as their distance from the mean n.  At
// least the run's last two rows; none with fewer than two.
std::vector<std::size_t> anpassungszeilen(const studie &s, std::size_t j,
                                          const std::vector<std::size_t> &konvergierend) {
    if (konvergierend.empty()) return {};
    auto fehler = [&](std::size_t i) { return s.werte[konvergierend[i]][j].fehler; };
    std::size_t anfang = konvergierend.size() - 1;
    while (anfang > 0 && fehler(anfang - 1) > fehler(anfang))
        --anfang;
    std::vector<std::size_t> lauf(konvergierend.begin() + static_cast<std::ptrdiff_t>(anfang),
                                  konvergierend.end());
    if (lauf.size() < 2) return {};
    const int letztes_n = s.n[lauf.back()];
    std::size_t erste = lauf.size() - 2;
    while (erste > 0 && 4 * s.n[lauf[erste - 1]] >= letztes_n)
        --erste;
    return {lauf.begin() + static_cast<std::ptrdiff_t>(erste), lauf.end()};
}

// log e = log C - n log rho by least squares over the rows; rho and C stay
// NaN with fewer than two rows or all at one n.
void rate_anpassen(const studie &s, std::size_t j, befund_spalte &sp) {
    const std::vector<std::size_t> &zeilen = sp.bezugszeilen;
    if (zeilen.size() < 2) return;
    double n_mittel = 0.0;
    double y_mittel = 0.0;
    for (const std::size_t k : zeilen) {
        n_mittel += s.n[k];
        y_mittel += std::log(s.werte[k][j].fehler);
    }
    n_mittel /= static_cast<double>(zeilen.size());
    y_mittel /= static_cast<double>(zeilen.size());
    double snn = 0.0;
    double sny = 0.0;
    for (const std::size_t k : zeilen) {
        const double dn = s.n[k] - n_mittel;
        snn += dn * dn;
        sny += dn * (std::log(s.werte[k][j].fehler) - y_mittel);
    }
    if (!(snn > 0.0)) return;
    const double steigung = sny / snn;
    sp.rho = std::exp(-steigung);
    sp.c = std::exp(y_mittel - steigung * n_mittel);
    bezugslinie l;
    l.rho = sp.rho;
    l.c = sp.c;
    for (int n : s.n)
        l.werte.push_back(sp.c * std::pow(sp.rho, -n));
    sp.bezug.push_back(l);
}

// C n^-2 and C n^-p through the last converging figure, p the method's
// order (methode::bezugsordnung).
void potenzen_legen(const studie &s, std::size_t j, befund_spalte &sp) {
    if (sp.bezugszeilen.empty()) return;
    const std::size_t letzte = sp.bezugszeilen.back();
    const double n_letzt = s.n[letzte];
    const double e_letzt = s.werte[letzte][j].fehler;
    for (int p : {2, s.spalten[j]->bezugsordnung}) {
        bezugslinie l;
        l.p = p;
        l.c = e_letzt * std::pow(n_letzt, p);
        for (int n : s.n)
            l.werte.push_back(e_letzt * std::pow(n_letzt / n, p));
        sp.bezug.push_back(l);
    }
}

} // namespace

namespace {

// A kind whose Lebesgue constant grows slowly: its large-n form stays small
// at n = 1000 (the Chebyshev kinds: 5.4; the equidistant nodes: beyond
// every double).
bool langsame_art(int art) {
    const knotenart *k = knotenart_nummer(art);
    return k != nullptr && k->lebesgue_gross != nullptr && k->lebesgue_gross(1000) < 10.0;
}

} // namespace

double rundungsfaktor(int art, int n) {
    return langsame_art(art) ? RUNDUNGSFAKTOR : std::max(RUNDUNGSFAKTOR, 6.0 * n + 6.0);
}

double rundungsboden(int art, int n, double f_groesste) {
    return std::ldexp(1.0, -53) * lebesgue_schnell(art, n) * f_groesste * rundungsfaktor(art, n);
}

double rundungsboden_von(const methode &me, int n, double f_groesste) {
    if (!ueber_alle_knoten(me)) return NAN;
    const double u = std::ldexp(1.0, -53);
    if (me.probe == PROBE_GITTER) return std::max(1e-13, RUNDUNGSFAKTOR * u) * f_groesste;
    if (me.probe == PROBE_PERIODE)
        return u * (2.0 / M_PI * std::log(n + 1.0) + 1.0) * f_groesste * RUNDUNGSFAKTOR;
    if (polynomform(me)) return rundungsboden(me.stuetzstellenart, n, f_groesste);
    // The rational form of blending degree d: its own Lebesgue constant.
    const double d = methode_option_wert(&me, "d");
    const double l = std::min(lebesgue_schnell(me.stuetzstellenart, n),
                              std::ldexp(1.0, static_cast<int>(d) - 1) * (2.0 + std::log(n)));
    return u * l * f_groesste * RUNDUNGSFAKTOR;
}

// A kind counts as one whose Lebesgue constant grows slowly where its
// large-n form stays small at n = 1000 (the Chebyshev kinds: 5.4; the
// equidistant nodes: beyond every double).
int bezugsart_von(const methode &me) {
    if (me.bezugsordnung != 0) return BEZUG_POTENZ;
    return polynomform(me) && langsame_art(me.stuetzstellenart) ? BEZUG_GEOMETRISCH : BEZUG_KEINER;
}

namespace {

// The table's mark of the figure at (k, j) and, for one that is not
// finite, why: f itself, the condition Lambda_n max|f| beyond the doubles,
// or an overflow on the way.
void markieren(const studie &s, std::size_t k, std::size_t j, befund_zelle &z) {
    const messwert &mw = s.werte[k][j];
    if (!mw.berechnet) return;
    if (!std::isfinite(mw.fehler)) {
        z.marke = MARKE_NICHT_ENDLICH;
        if (!std::isfinite(s.f_groesste))
            z.ursache = URSACHE_F;
        else if (std::isinf(z.rundungsboden))
            z.ursache = URSACHE_KONDITION;
        else
            z.ursache = URSACHE_UEBERLAUF;
    } else if (mw.fehler <= z.rundungsboden) {
        z.marke = MARKE_BODEN;
    } else if (z.rundung) {
        z.marke = MARKE_STABIL;
    }
}

// The key words of a column from the theory: "divergiert (Runge)" where
// the exact interpolants diverge, "Rundung (Kondition \u039b_n)" where the
// column does not converge and figures lie at its floor; else the words of
// the figures alone.
void legende_erklaeren(const studie &s, befund &b, std::size_t j) {
    befund_spalte &sp = b.spalten[j];
    const warum_spalte &w = b.erklaerung.spalten[j];
    if (sp.konvergiert) return;
    bool gekappt = false;
    bool boden = false;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        if (!s.werte[k][j].berechnet) continue;
        gekappt = gekappt || !(s.werte[k][j].fehler <= b.decke);
        boden = boden || b.zellen[k][j].marke == MARKE_BODEN;
    }
    const char *rest = gekappt ? "; gekappt" : "";
    if (w.divergiert)
        sp.legende = std::string("divergiert (Runge)") + rest;
    else if (boden)
        sp.legende = std::string("Rundung (Kondition \u039b_n)") + rest;
    // Figures that grow where the theory has the exact interpolants
    // converge: not "divergiert", which names a property of the method.
    else if (b.erklaerung.analyse.beurteilbar && sp.legende == "divergiert; gekappt")
        sp.legende = "waechst; gekappt";
}

// The marks and floors, the columns' words and lines, without the theory.
befund befund_der_zahlen(const studie &s) {
    if (s.werte.size() != s.n.size())
        numerik_fehler("Die Studie hat nicht fuer jedes n und jede Spalte eine Zahl.\n");
    for (const auto &zeile : s.werte)
        if (zeile.size() != s.spalten.size())
            numerik_fehler("Die Studie hat nicht fuer jedes n und jede Spalte eine Zahl.\n");
    befund b;
    b.decke = diagramm_decke(s);
    b.boden = diagramm_boden(s);
    b.kosten = studie_kosten_schaetzen(s.spalten, s.n, s.punkte);
    // The floor of each node kind and n, once for all columns on them.
    std::map<std::pair<const methode *, int>, double> boeden;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        b.gitter_zu_grob.push_back(gitter_zu_grob(s, k));
        std::vector<befund_zelle> zeile(s.spalten.size());
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            befund_zelle &z = zeile[j];
            const methode &me = *s.spalten[j];
            z.rundung = rundung_ueberwiegt(s, k, j);
            if (k > 0 && s.werte[k - 1][j].berechnet && s.werte[k][j].berechnet)
                z.ordnung =
                    ordnung(s.werte[k - 1][j].fehler, s.n[k - 1], s.werte[k][j].fehler, s.n[k]);
            // The floor of a derivative's figures is another (rounding of
            // the values magnified by up to n^2 as well): none.
            if (s.ableitung == 0 && ueber_alle_knoten(me)) {
                const std::pair<const methode *, int> schluessel{&me, s.n[k]};
                auto stelle = boeden.find(schluessel);
                if (stelle == boeden.end())
                    stelle = boeden.emplace(schluessel, rundungsboden_von(me, s.n[k], s.f_groesste))
                                 .first;
                z.rundungsboden = stelle->second;
            }
            markieren(s, k, j, z);
        }
        b.zellen.push_back(zeile);
    }
    for (std::size_t j = 0; j < s.spalten.size(); ++j) {
        befund_spalte sp;
        sp.konvergiert = konvergiert(s, j);
        sp.legende = legende(s, j, b.decke);
        sp.bezugsart = bezugsart_von(*s.spalten[j]);
        if (sp.bezugsart == BEZUG_POTENZ) {
            sp.bezugszeilen = konvergierende_zeilen(s, b, j);
            potenzen_legen(s, j, sp);
        } else if (sp.bezugsart == BEZUG_GEOMETRISCH && s.ableitung == 0) {
            sp.bezugszeilen = anpassungszeilen(s, j, konvergierende_zeilen(s, b, j));
            rate_anpassen(s, j, sp);
        }
        b.spalten.push_back(sp);
    }
    // The power lines of the first spline column, and none where it has
    // none, though a later one may.
    const auto spline =
        std::find_if(b.spalten.begin(), b.spalten.end(),
                     [](const befund_spalte &sp) { return sp.bezugsart == BEZUG_POTENZ; });
    if (spline != b.spalten.end() && !spline->bezug.empty())
        b.bezug_potenz = static_cast<int>(spline - b.spalten.begin());
    for (std::size_t j = 0; j < b.spalten.size(); ++j) {
        const befund_spalte &sp = b.spalten[j];
        if (sp.bezugsart != BEZUG_GEOMETRISCH || std::isnan(sp.rho)) continue;
        if (b.bezug_geometrisch < 0) {
            b.bezug_geometrisch = static_cast<int>(j);
            continue;
        }
        const befund_spalte &bisher = b.spalten[static_cast<std::size_t>(b.bezug_geometrisch)];
        const int n_neu = s.n[sp.bezugszeilen.back()];
        const int n_bisher = s.n[bisher.bezugszeilen.back()];
        if (n_neu > n_bisher ||
            (n_neu == n_bisher && sp.bezugszeilen.size() > bisher.bezugszeilen.size()))
            b.bezug_geometrisch = static_cast<int>(j);
    }
    return b;
}

} // namespace

befund studie_befund(const studie &s, double toleranz) {
    befund b = befund_der_zahlen(s);
    b.erklaerung =
        warum_erklaeren(s, b, warum_analysieren(studie_problem(s.problem, s.m)), toleranz);
    for (std::size_t j = 0; j < s.spalten.size(); ++j)
        legende_erklaeren(s, b, j);
    return b;
}

befund studie_marken(const studie &s) {
    return befund_der_zahlen(s);
}
