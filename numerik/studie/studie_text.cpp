// The study's tables as text: the error table with the table of orders, and
// the table of a tolerance search.  fehlerstudie prints them, the page shows
// and offers them for download, byte for byte the same.
#include "numerik/studie.h"

#include "studie_intern.h"

#include "numerik/befund.h"

#include "numerik/knotenarten.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

std::string text(const char *format, ...) {
    va_list argumente;
    va_start(argumente, format);
    va_list kopie;
    va_copy(kopie, argumente);
    const int laenge = std::vsnprintf(nullptr, 0, format, kopie);
    va_end(kopie);
    std::string ergebnis(static_cast<std::size_t>(std::max(laenge, 0)), '\0');
    if (laenge > 0) std::vsnprintf(ergebnis.data(), ergebnis.size() + 1, format, argumente);
    va_end(argumente);
    return ergebnis;
}

namespace {

// Appends printf-formatted text.
__attribute__((format(printf, 2, 3))) void anhaengen(std::string &text, const char *format, ...) {
    char puffer[256];
    va_list argumente;
    va_start(argumente, format);
    int laenge = std::vsnprintf(puffer, sizeof puffer, format, argumente);
    va_end(argumente);
    text.append(puffer, static_cast<std::size_t>(std::min<int>(laenge, sizeof puffer - 1)));
}

// The text of one cell: width 9, and for a column that carries marks one
// more place for them (marke 0: a blank).
void zelle(std::string &text, bool mit_platz, const char *inhalt, char marke) {
    anhaengen(text, " %9s", inhalt);
    if (mit_platz) text += marke != 0 ? marke : ' ';
}

void kopfzeile(std::string &text, const char *erste, const std::vector<const methode *> &spalten,
               const std::vector<bool> &platz, std::size_t von, std::size_t bis) {
    anhaengen(text, "\n%6s", erste);
    for (std::size_t j = von; j < bis; ++j)
        zelle(text, platz[j], spalten[j]->spalte, 0);
    text += '\n';
}

// A table wider than this wraps into blocks, each with the first column.
constexpr std::size_t BREITE = 80;

// The columns [von, bis) of each block: as many as fit in BREITE beside the
// first column of 6, at least one.  A table that fits is one block, so its
// text is what it always was.
std::vector<std::pair<std::size_t, std::size_t>>
bloecke(const std::vector<const methode *> &spalten, const std::vector<bool> &platz) {
    std::vector<std::pair<std::size_t, std::size_t>> b;
    std::size_t von = 0;
    std::size_t breite = 6;
    for (std::size_t j = 0; j < spalten.size(); ++j) {
        std::size_t w = 10 + (platz[j] ? 1 : 0);
        if (j > von && breite + w > BREITE) {
            b.emplace_back(von, j);
            von = j;
            breite = 6;
        }
        breite += w;
    }
    b.emplace_back(von, spalten.size());
    return b;
}

// One row of a search table: problem t's n for the columns [von, bis) of
// spalten, empty where its search has no such column.
void suchzeile(std::string &text, const toleranzsuche &t,
               const std::vector<const methode *> &spalten, std::size_t von, std::size_t bis) {
    if (t.m == FORMEL_PROBLEM)
        anhaengen(text, "%6s", "Formel");
    else
        anhaengen(text, "%6d", t.m);
    for (std::size_t j = von; j < bis; ++j) {
        const methode *me = spalten[j];
        auto stelle = std::find(t.spalten.begin(), t.spalten.end(), me);
        char feld[32] = "";
        if (stelle != t.spalten.end()) {
            int n = t.n[static_cast<std::size_t>(stelle - t.spalten.begin())];
            if (n > 0)
                std::snprintf(feld, sizeof feld, "%d", n);
            else
                std::snprintf(feld, sizeof feld, ">%d", suchgrenze(*me));
        }
        anhaengen(text, " %9s", feld);
    }
    // No blanks at the end of a row whose last cells are empty.
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    text += '\n';
}

} // namespace

std::string marken_legende(const studie &s, const befund &b) {
    bool boden = false;
    bool ursachen[4] = {};
    for (std::size_t k = 0; k < s.n.size() && k < b.zellen.size(); ++k)
        for (const befund_zelle &z : b.zellen[k]) {
            boden = boden || z.marke == MARKE_BODEN;
            if (z.marke == MARKE_NICHT_ENDLICH) ursachen[z.ursache] = true;
        }
    std::string text;
    if (boden)
        text += "# Rundung (Kondition Lambda_n): am oder unter dem Rundungsboden K u Lambda_n\n"
                "  max|f| (u = 2^-53, K = 64, auf aequidistanten Knoten 6 n + 6); so gross kann\n"
                "  allein die Rundung werden, verstaerkt um die Lebesgue-Konstante (AAA: am\n"
                "  Boden ihrer Toleranz 1e-13 max|f|).\n";
    if (ursachen[URSACHE_F])
        text += "! nicht endlich: f selbst ist an einem Messpunkt nicht endlich.\n";
    if (ursachen[URSACHE_KONDITION])
        text += "! nicht endlich: Lambda_n max|f| liegt jenseits der Gleitkommazahlen, die\n"
                "  Summen der Form laufen ueber.\n";
    if (ursachen[URSACHE_UEBERLAUF])
        text += "! nicht endlich: Werte, Gewichte oder Koeffizienten laufen unterwegs ueber\n"
                "  (groesser als 1.8e308), obwohl f endlich ist.\n";
    return text;
}

std::string studie_text(const studie &s) {
    const beispielfunktion &problem = studie_problem(s.problem, s.m);
    std::string text = problem_titel(problem, s.m) + "\n";
    if (s.ableitung == 1)
        anhaengen(text,
                  "Groesster Fehler der 1. Ableitung max |p'(x) - f'(x)| an %s Punkten von "
                  "[%g,%g]\n",
                  studie_gitter_text(s).c_str(), problem.a, problem.b);
    else
        anhaengen(text, "Groesster Fehler max |p(x) - f(x)| an %s Punkten von [%g,%g]\n",
                  studie_gitter_text(s).c_str(), problem.a, problem.b);
    // A column has a place for marks where its Newton form can carry one,
    // and where the befund marks one of its figures.
    const befund bf = studie_marken(s);
    std::vector<bool> platz(s.spalten.size());
    for (std::size_t j = 0; j < s.spalten.size(); ++j) {
        platz[j] = s.spalten[j]->stabil != nullptr;
        for (std::size_t k = 0; k < s.n.size(); ++k)
            platz[j] = platz[j] || bf.zellen[k][j].marke != MARKE_KEINE;
    }
    const auto teile = bloecke(s.spalten, platz);
    bool markiert = false;
    bool ausgelassen = false;
    bool grob = false;
    for (const auto &[von, bis] : teile) {
        kopfzeile(text, "n", s.spalten, platz, von, bis);
        for (std::size_t k = 0; k < s.n.size(); ++k) {
            anhaengen(text, "%6d", s.n[k]);
            for (std::size_t j = von; j < bis; ++j) {
                const messwert &mw = s.werte[k][j];
                char zahl[32] = "-";
                if (mw.berechnet) std::snprintf(zahl, sizeof zahl, "%.3g", mw.fehler);
                // A figure of a grid too coarse is a lower bound, and its 0
                // says nothing: marked, the 0 replaced by the mark alone.
                if (mw.berechnet && gitter_zu_grob(s, k)) {
                    if (mw.fehler == 0.0)
                        std::snprintf(zahl, sizeof zahl, "~");
                    else
                        std::snprintf(zahl, sizeof zahl, "%.3g~", mw.fehler);
                    grob = true;
                }
                const befund_zelle &z = bf.zellen[k][j];
                zelle(text, platz[j], zahl, z.marke);
                markiert = markiert || z.marke == MARKE_STABIL;
                ausgelassen = ausgelassen || !mw.berechnet;
            }
            text += '\n';
        }
    }
    if (markiert)
        text += "* Rundung ueberwiegt: die Newton-Form weicht vom stabil (baryzentrisch)\n"
                "  ausgewerteten Polynom derselben Stuetzstellen um mehr als dessen Fehler ab.\n";
    text += marken_legende(s, bf);
    if (ausgelassen)
        anhaengen(text, "- nicht berechnet: Newton-Form ueber n = %d (Aufwand n^2).\n",
                  static_cast<int>(NEWTON_MAX_N));
    if (grob)
        anhaengen(text,
                  "~ Messgitter zu grob (weniger als 10 Schritte je Intervall): der Fehler ist\n"
                  "  mindestens so gross; ~ allein: an den Messpunkten kein Fehler, zwischen\n"
                  "  ihnen nicht gemessen.  Genauer mit -g %d.\n",
                  gitterpunkte_fuer(s.n.back()));
    if (s.n.size() < 2) return text;
    text += "\nBeobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)\n";
    for (const auto &[von, bis] : teile) {
        kopfzeile(text, "n", s.spalten, platz, von, bis);
        for (std::size_t k = 1; k < s.n.size(); ++k) {
            anhaengen(text, "%6d", s.n[k]);
            for (std::size_t j = von; j < bis; ++j) {
                const messwert &vorher = s.werte[k - 1][j];
                const messwert &jetzt = s.werte[k][j];
                double p = NAN;
                if (vorher.berechnet && jetzt.berechnet)
                    p = ordnung(vorher.fehler, s.n[k - 1], jetzt.fehler, s.n[k]);
                char zahl[32] = "-";
                bool grob_geformt = gitter_zu_grob(s, k - 1) || gitter_zu_grob(s, k);
                if (!std::isnan(p))
                    std::snprintf(zahl, sizeof zahl, grob_geformt ? "%.2f~" : "%.2f", p);
                zelle(text, platz[j], zahl, 0);
            }
            text += '\n';
        }
    }
    return text;
}

std::string toleranz_text(const std::vector<toleranzsuche> &suchen) {
    std::string text;
    if (suchen.empty()) return text;
    // The columns of all searches, in method order.
    std::vector<const methode *> spalten;
    for (int i = 0; i < methoden_anzahl; ++i)
        for (const toleranzsuche &t : suchen)
            if (std::find(t.spalten.begin(), t.spalten.end(), &methoden[i]) != t.spalten.end()) {
                spalten.push_back(&methoden[i]);
                break;
            }
    for (const toleranzsuche &t : suchen)
        text += problem_titel(studie_problem(t.problem, t.m), t.m) + "\n";
    anhaengen(text, "Kleinstes n mit max |p(x) - f(x)| <= %g, gemessen an max(%d, 10 n + 1)\n",
              suchen[0].toleranz, suchen[0].punkte);
    text += "Punkten (n verdoppelt ab 2, dann halbiert; >N: bis n = N nicht erreicht)\n";
    for (const auto &[von, bis] : bloecke(spalten, std::vector<bool>(spalten.size(), false))) {
        anhaengen(text, "\n%6s", "m");
        for (std::size_t j = von; j < bis; ++j)
            anhaengen(text, " %9s", spalten[j]->spalte);
        text += '\n';
        for (const toleranzsuche &t : suchen)
            suchzeile(text, t, spalten, von, bis);
    }
    return text;
}

std::string lebesgue_text(const lebesgue_tabelle &t) {
    std::string text = "\nLebesgue-Konstante Lambda_n = max sum_j |l_j(x)| der Stuetzstellen\n";
    anhaengen(text, "\n%6s", "n");
    for (int art : t.arten) {
        // "Knoten-" and the kind's code, like the method columns "Bary-t".
        std::string titel = std::string("Knoten-") + knotenart_nummer(art)->kuerzel;
        anhaengen(text, " %9s", titel.c_str());
    }
    text += '\n';
    for (std::size_t k = 0; k < t.n.size(); ++k) {
        anhaengen(text, "%6d", t.n[k]);
        for (double wert : t.werte[k])
            anhaengen(text, " %9.4g", wert);
        text += '\n';
    }
    return text;
}
