#include "studie.h"

#include "numerik/baryzipl.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

constexpr double ENDWERT_TOLERANZ = 1e-6;

// Appends printf-formatted text.
__attribute__((format(printf, 2, 3))) void anhaengen(std::string &text, const char *format, ...) {
    char puffer[256];
    va_list argumente;
    va_start(argumente, format);
    int laenge = std::vsnprintf(puffer, sizeof puffer, format, argumente);
    va_end(argumente);
    text.append(puffer, static_cast<std::size_t>(std::min<int>(laenge, sizeof puffer - 1)));
}

bool ist_newton(const methode *me) {
    return me->art == &newton_interpolation;
}

// The values of f at the nodes of a kind, in a vector of the library.
matrix_zeiger werte_an_stuetzstellen(const beispielfunktion &problem, int art, int n) {
    nmmatrix_parameter p = {n + 1, 1, "Stuetzwerte", 1};
    matrix_zeiger werte(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    std::vector<double> x = stuetzstellen(problem, art, n);
    for (int i = 0; i <= n; ++i)
        nmmatrix_setzen(werte.get(), i + 1, 1, problem.f(x[i]));
    return werte;
}

interpolation_zeiger erzeugen_aus(const methode &me, const beispielfunktion &problem, int m, int n,
                                  objekt *werte) {
    std::string name =
        "Beispielfunktion " + std::to_string(m) + ", " + me.titel + ", n = " + std::to_string(n);
    const interpolation_funktionen *fk = interpolation_tabelle(me.art);
    if (me.art == &spline_interpolation) {
        splineinterpolation_parameter p = {
            name.c_str(), me.stuetzstellenart, nullptr, problem.a, problem.b,
            werte,        me.splineart,        0.0,     0.0};
        if (me.splineart == SPLINE_ABL2_GEGEBEN) {
            p.abl2links = problem.abl2(problem.a);
            p.abl2rechts = problem.abl2(problem.b);
        }
        return interpolation_zeiger(fk->kreieren(&p, nullptr));
    }
    if (me.art == &baryzentrische_interpolation) {
        baryzentrischeinterpolation_parameter p = {name.c_str(), me.stuetzstellenart, nullptr,
                                                   problem.a,    problem.b,           werte};
        return interpolation_zeiger(fk->kreieren(&p, nullptr));
    }
    newtoninterpolation_parameter p = {name.c_str(), me.stuetzstellenart, nullptr,
                                       problem.a,    problem.b,           werte};
    return interpolation_zeiger(fk->kreieren(&p, nullptr));
}

// The text of one cell: width 9, and for Newton columns one more place for
// the rounding mark.
void zelle(std::string &text, const methode *me, const char *inhalt, bool markiert) {
    anhaengen(text, " %9s", inhalt);
    if (ist_newton(me)) text += markiert ? '*' : ' ';
}

void kopfzeile(std::string &text, const char *erste, const std::vector<const methode *> &spalten) {
    anhaengen(text, "\n%6s", erste);
    for (const methode *me : spalten)
        zelle(text, me, me->spalte, false);
    text += '\n';
}

} // namespace

const methode methoden[] = {
    {"Newton-a", "Newton, aequidistant", &newton_interpolation, STUETZSTELLEN_AEQUIDISTANT, 0,
     SPALTEN_POLYNOME, true, "#d55e00"},
    {"Newton-t", "Newton, Tschebyscheff", &newton_interpolation, STUETZSTELLEN_TSCHEBYSCHEFF, 0,
     SPALTEN_POLYNOME, true, "#0072b2"},
    // Not in the overview: on equidistant nodes the second barycentric
    // formula loses about Lebesgue constant (2^n / (e n ln n)) times the
    // rounding unit relative to the value, more than the Newton form there.
    {"Bary-a", "baryzentrisch, aequidistant", &baryzentrische_interpolation,
     STUETZSTELLEN_AEQUIDISTANT, 0, SPALTEN_POLYNOME, false, "#e69f00"},
    {"Bary-t", "baryzentrisch, Tschebyscheff", &baryzentrische_interpolation,
     STUETZSTELLEN_TSCHEBYSCHEFF, 0, SPALTEN_POLYNOME, true, "#56b4e9"},
    {"nat.Sp-a", "natuerlicher Spline, aequidistant", &spline_interpolation,
     STUETZSTELLEN_AEQUIDISTANT, SPLINE_NATUERLICH, SPALTEN_SPLINES, true, "#009e73"},
    {"nat.Sp-t", "natuerlicher Spline, Tschebyscheff", &spline_interpolation,
     STUETZSTELLEN_TSCHEBYSCHEFF, SPLINE_NATUERLICH, SPALTEN_SPLINES, true, "#cc79a7"},
    {"abl.Sp-a", "Spline, 2. Ableitung exakt an den Enden, aequidistant", &spline_interpolation,
     STUETZSTELLEN_AEQUIDISTANT, SPLINE_ABL2_GEGEBEN, SPALTEN_SPLINES, true, "#000000"},
    {"per.Sp-a", "periodischer Spline, aequidistant", &spline_interpolation,
     STUETZSTELLEN_AEQUIDISTANT, SPLINE_PERIODISCH, SPALTEN_SPLINES, true, "#8c8c8c"},
};
const int methoden_anzahl = sizeof(methoden) / sizeof(methoden[0]);

int hoechstes_n(const methode &me) {
    return ist_newton(&me) ? NEWTON_MAX_N : STUDIE_MAX_N;
}

// Problem 1 ends at -3.14159265 and 3.14159265, not at +-pi, so its end
// values differ by 7.2e-9; it counts as periodic, and the library averages
// the end values (with its warning), which puts a floor of about 3.6e-9
// under that column's error.
bool periodisch(const beispielfunktion &problem) {
    return std::fabs(problem.f(problem.a) - problem.f(problem.b)) <= ENDWERT_TOLERANZ;
}

std::vector<const methode *> spalten_waehlen(const beispielfunktion &problem, int wahl) {
    std::vector<const methode *> spalten;
    for (const methode &me : methoden) {
        bool gewaehlt = wahl == SPALTEN_UEBERSICHT ? me.uebersicht : (me.gruppe & wahl) != 0;
        if (gewaehlt && (me.splineart != SPLINE_PERIODISCH || periodisch(problem)))
            spalten.push_back(&me);
    }
    return spalten;
}

std::vector<double> stuetzstellen(const beispielfunktion &problem, int art, int n) {
    nmmatrix_parameter p = {n + 1, 1, "Stuetzstellen", 1};
    matrix_zeiger knoten(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    stuetzstellen_platzieren(knoten.get(), art, n, problem.a, problem.b, "Stuetzstellen");
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        x[i] = nmmatrix_amIndex(knoten.get(), i + 1, 1);
    return x;
}

interpolation_zeiger erzeugen(const methode &me, const beispielfunktion &problem, int m, int n,
                              bool endwerte_mitteln) {
    matrix_zeiger werte = werte_an_stuetzstellen(problem, me.stuetzstellenart, n);
    if (endwerte_mitteln && me.splineart == SPLINE_PERIODISCH) {
        double mittel =
            (nmmatrix_amIndex(werte.get(), 1, 1) + nmmatrix_amIndex(werte.get(), n + 1, 1)) / 2;
        nmmatrix_setzen(werte.get(), 1, 1, mittel);
        nmmatrix_setzen(werte.get(), n + 1, 1, mittel);
    }
    return erzeugen_aus(me, problem, m, n, werte.get());
}

double groesster_fehler(objekt *ip, const beispielfunktion &problem, int punkte) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    const int intervalle = punkte - 1;
    double fehlerwert = 0.0;
    for (int i = 0; i <= intervalle; ++i) {
        double x = aequidistanter_punkt(i, intervalle, problem.a, problem.b);
        double abstand = std::fabs(fi->funktionswert(ip, x) - problem.f(x));
        if (std::isnan(abstand)) return abstand;
        if (abstand > fehlerwert) fehlerwert = abstand;
    }
    return fehlerwert;
}

double ordnung(double e0, int n0, double e1, int n1) {
    if (!(e0 > 0.0 && e1 > 0.0 && std::isfinite(e0) && std::isfinite(e1))) return NAN;
    return std::log(e0 / e1) / std::log(static_cast<double>(n1) / n0);
}

int gitterpunkte_fuer(int n) {
    return 10 * n + 1;
}

studie studie_durchfuehren(int m, const std::vector<int> &n_liste, int punkte, int wahl) {
    const beispielfunktion &problem = funktion[m - 1];
    studie s;
    s.m = m;
    s.punkte = punkte;
    s.n = n_liste;
    s.spalten = spalten_waehlen(problem, wahl);
    for (int i = 0; i < punkte; ++i)
        s.f_groesste = std::fmax(
            s.f_groesste,
            std::fabs(problem.f(aequidistanter_punkt(i, punkte - 1, problem.a, problem.b))));
    for (int n : n_liste) {
        std::vector<messwert> zeile;
        // The values at each kind of nodes, made once and shared by the
        // methods on those nodes.
        matrix_zeiger werte_je_art[STUETZSTELLEN_TSCHEBYSCHEFF + 1];
        for (const methode *me : s.spalten) {
            messwert mw;
            if (n <= hoechstes_n(*me)) {
                matrix_zeiger &werte = werte_je_art[me->stuetzstellenart];
                if (!werte) werte = werte_an_stuetzstellen(problem, me->stuetzstellenart, n);
                interpolation_zeiger ip = erzeugen_aus(*me, problem, m, n, werte.get());
                mw.fehler = groesster_fehler(ip.get(), problem, punkte);
                mw.berechnet = true;
            }
            zeile.push_back(mw);
        }
        s.werte.push_back(zeile);
    }
    return s;
}

bool rundung_ueberwiegt(const studie &s, std::size_t k, std::size_t j) {
    const methode *me = s.spalten[j];
    const messwert &newton = s.werte[k][j];
    if (!ist_newton(me) || !newton.berechnet) return false;
    for (std::size_t i = 0; i < s.spalten.size(); ++i) {
        const methode *stabil = s.spalten[i];
        if (stabil->art != &baryzentrische_interpolation ||
            stabil->stuetzstellenart != me->stuetzstellenart)
            continue;
        double b = s.werte[k][i].fehler;
        if (!s.werte[k][i].berechnet || !std::isfinite(b)) return false;
        // Written so that a Newton figure that is not a number is marked.
        return !(std::fabs(newton.fehler - b) <= b);
    }
    return false;
}

std::string studie_text(const studie &s) {
    const beispielfunktion &problem = funktion[s.m - 1];
    std::string text;
    anhaengen(text, "Beispielfunktion %d: %s\n", s.m, problem.name);
    anhaengen(text, "Groesster Fehler max |p(x) - f(x)| an %d Punkten von [%g,%g]\n", s.punkte,
              problem.a, problem.b);
    kopfzeile(text, "n", s.spalten);
    bool markiert = false;
    bool ausgelassen = false;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        anhaengen(text, "%6d", s.n[k]);
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            const messwert &mw = s.werte[k][j];
            char zahl[32] = "-";
            if (mw.berechnet) std::snprintf(zahl, sizeof zahl, "%.3g", mw.fehler);
            bool rundung = rundung_ueberwiegt(s, k, j);
            zelle(text, s.spalten[j], zahl, rundung);
            markiert = markiert || rundung;
            ausgelassen = ausgelassen || !mw.berechnet;
        }
        text += '\n';
    }
    if (markiert)
        text += "* Rundung ueberwiegt: die Newton-Form weicht vom stabil (baryzentrisch)\n"
                "  ausgewerteten Polynom derselben Stuetzstellen um mehr als dessen Fehler ab.\n";
    if (ausgelassen)
        anhaengen(text, "- nicht berechnet: Newton-Form ueber n = %d (Aufwand n^2).\n",
                  NEWTON_MAX_N);
    if (s.n.size() < 2) return text;
    text += "\nBeobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)\n";
    kopfzeile(text, "n", s.spalten);
    for (std::size_t k = 1; k < s.n.size(); ++k) {
        anhaengen(text, "%6d", s.n[k]);
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            const messwert &vorher = s.werte[k - 1][j];
            const messwert &jetzt = s.werte[k][j];
            double p = NAN;
            if (vorher.berechnet && jetzt.berechnet)
                p = ordnung(vorher.fehler, s.n[k - 1], jetzt.fehler, s.n[k]);
            char zahl[32] = "-";
            if (!std::isnan(p)) std::snprintf(zahl, sizeof zahl, "%.2f", p);
            zelle(text, s.spalten[j], zahl, false);
        }
        text += '\n';
    }
    return text;
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

int kleinstes_n(const std::function<double(int)> &fehler, double toleranz, int n_min, int n_max) {
    auto erreicht = [&](int n) { return fehler(n) <= toleranz; };
    int verfehlt = 0; // the largest n known to fail (0: none yet)
    int n = n_min;
    while (!erreicht(n)) {
        if (n >= n_max) return 0;
        verfehlt = n;
        n = n > n_max / 2 ? n_max : 2 * n;
    }
    if (verfehlt == 0) return n;
    while (n - verfehlt > 1) {
        int mitte = verfehlt + (n - verfehlt) / 2;
        if (erreicht(mitte))
            n = mitte;
        else
            verfehlt = mitte;
    }
    return n;
}

int suchanfang(const methode &me) {
    return me.splineart == SPLINE_PERIODISCH && me.art == &spline_interpolation ? 3 : 2;
}

int suchgrenze(const methode &me) {
    return me.gruppe == SPALTEN_POLYNOME ? POLYNOM_SUCHGRENZE : STUDIE_MAX_N;
}

toleranzsuche toleranz_suchen(int m, double toleranz, int punkte, int wahl) {
    const beispielfunktion &problem = funktion[m - 1];
    toleranzsuche t;
    t.m = m;
    t.toleranz = toleranz;
    t.punkte = punkte;
    t.spalten = spalten_waehlen(problem, wahl);
    for (const methode *me : t.spalten) {
        auto fehler = [&](int n) {
            interpolation_zeiger ip = erzeugen(*me, problem, m, n, true);
            return groesster_fehler(ip.get(), problem, std::max(punkte, gitterpunkte_fuer(n)));
        };
        t.n.push_back(kleinstes_n(fehler, toleranz, suchanfang(*me), suchgrenze(*me)));
    }
    return t;
}

std::string toleranz_text(const std::vector<toleranzsuche> &suchen) {
    std::string text;
    if (suchen.empty()) return text;
    // The columns of all searches, in method order.
    std::vector<const methode *> spalten;
    for (const methode &me : methoden)
        for (const toleranzsuche &t : suchen)
            if (std::find(t.spalten.begin(), t.spalten.end(), &me) != t.spalten.end()) {
                spalten.push_back(&me);
                break;
            }
    for (const toleranzsuche &t : suchen)
        anhaengen(text, "Beispielfunktion %d: %s\n", t.m, funktion[t.m - 1].name);
    anhaengen(text, "Kleinstes n mit max |p(x) - f(x)| <= %g, gemessen an max(%d, 10 n + 1)\n",
              suchen[0].toleranz, suchen[0].punkte);
    text += "Punkten (n verdoppelt ab 2, dann halbiert; >N: bis n = N nicht erreicht)\n";
    anhaengen(text, "\n%6s", "m");
    for (const methode *me : spalten)
        anhaengen(text, " %9s", me->spalte);
    text += '\n';
    for (const toleranzsuche &t : suchen) {
        anhaengen(text, "%6d", t.m);
        for (const methode *me : spalten) {
            auto stelle = std::find(t.spalten.begin(), t.spalten.end(), me);
            char zelle[32] = "";
            if (stelle != t.spalten.end()) {
                int n = t.n[static_cast<std::size_t>(stelle - t.spalten.begin())];
                if (n > 0)
                    std::snprintf(zelle, sizeof zelle, "%d", n);
                else
                    std::snprintf(zelle, sizeof zelle, ">%d", suchgrenze(*me));
            }
            anhaengen(text, " %9s", zelle);
        }
        // No blanks at the end of a row whose last cells are empty.
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        text += '\n';
    }
    return text;
}

verlauf verlauf_berechnen(int m, int n, int punkte, int wahl) {
    const beispielfunktion &problem = funktion[m - 1];
    verlauf v;
    v.m = m;
    v.n = n;
    v.spalten = spalten_waehlen(problem, wahl);
    for (int i = 0; i < punkte; ++i) {
        double x = aequidistanter_punkt(i, punkte - 1, problem.a, problem.b);
        v.x.push_back(x);
        v.f.push_back(problem.f(x));
        v.f_groesste = std::fmax(v.f_groesste, std::fabs(v.f.back()));
    }
    for (const methode *me : v.spalten) {
        std::vector<double> p;
        if (n <= hoechstes_n(*me)) {
            interpolation_zeiger ip = erzeugen(*me, problem, m, n);
            const interpolation_funktionen *fi = interpolation_tabelle(ip.get());
            for (double x : v.x)
                p.push_back(fi->funktionswert(ip.get(), x));
        }
        v.p.push_back(p);
    }
    return v;
}
