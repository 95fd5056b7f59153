// studie/: the convergence study over the example problems
// (beispielfunktionen.cpp) and the table of methods (methoden.cpp): the
// figures over n, observed orders, the rounding mark, the tolerance search
// and the pointwise values of one n (studie.cpp), and the tables as text
// (studie_text.cpp).  It uses the library only through its public headers
// and stands on every folder below it; the programs and the page are thin
// callers of it.
#include "numerik/studie.h"

#include "numerik/fehler.h"
#include "numerik/hermiteipl.h"
#include "numerik/knotenarten.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

// The WebAssembly build has no threads.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define NUMERIK_MIT_FAEDEN 0
#else
#define NUMERIK_MIT_FAEDEN 1
#include <atomic>
#include <exception>
#include <thread>
#endif

namespace {

constexpr double ENDWERT_TOLERANZ = 1e-6;

// The values of f at the nodes of a kind, in a vector of the library.
matrix_zeiger werte_an_stuetzstellen(const beispielfunktion &problem, int art, int n) {
    nmmatrix_parameter p = {n + 1, 1, "Stuetzwerte", 1};
    matrix_zeiger werte(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    std::vector<double> x = stuetzstellen(problem, art, n);
    for (int i = 0; i <= n; ++i)
        nmmatrix_setzen(werte.get(), i + 1, 1, beispiel_f(&problem, x[i]));
    return werte;
}

// Progress within a computation: the share done before the current step
// (basis) and the share of the whole that one grid point of it is worth.
struct fortschrittsstand {
    const studie_fortschritt *rueckruf = nullptr;
    std::string was;
    double basis = 0.0;
    double je_punkt = 0.0;

    void melden(double anteil) const {
        if (rueckruf != nullptr) rueckruf->melden(rueckruf->kontext, was.c_str(), anteil);
    }
};

// The measurement of groesster_fehler over the grid points von..bis-1 of
// a grid of punkte points, telling fs of its progress every so many
// points; with ableitung 1 that of the first derivative, p' against the
// problem's f'.  NaN as soon as a point's error is not a number.
double fehler_messen(objekt *ip, const beispielfunktion &problem, int punkte,
                     const fortschrittsstand *fs, int ableitung = 0, int von = 0, int bis = -1) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    const int intervalle = punkte - 1;
    if (bis < 0) bis = punkte;
    double fehlerwert = 0.0;
    // The grid a block at a time: the interpolant's values through the
    // array slot (sorted points, so a piecewise cubic steps from interval
    // to interval), f point by point.  Progress is told at the start of
    // each block, every 1024 points as ever.
    constexpr int BLOCK = 1024;
    double x[BLOCK];
    double p[BLOCK];
    for (int anfang = von; anfang < bis; anfang += BLOCK) {
        if (fs != nullptr) fs->melden(fs->basis + fs->je_punkt * (anfang - von));
        const int teil = std::min(BLOCK, bis - anfang);
        for (int i = 0; i < teil; ++i)
            x[i] = aequidistanter_punkt(anfang + i, intervalle, problem.a, problem.b);
        if (ableitung == 0) {
            interpolation_werte(ip, x, p, static_cast<std::size_t>(teil));
        } else {
            for (int i = 0; i < teil; ++i)
                p[i] = fi->ableitung1(ip, x[i]);
        }
        for (int i = 0; i < teil; ++i) {
            double abstand = ableitung == 0 ? std::fabs(p[i] - beispiel_f(&problem, x[i]))
                                            : std::fabs(p[i] - beispiel_abl1(&problem, x[i]));
            if (std::isnan(abstand)) return abstand;
            if (abstand > fehlerwert) fehlerwert = abstand;
        }
    }
    return fehlerwert;
}

// One measurement of a row: its object, made beforehand, and its share.
// A global form (every node at every point) that only reads its object
// may be measured in pieces of its grid at once.
struct messauftrag {
    interpolation_zeiger ip;
    std::size_t spalte = 0;
    int punkte = 0;
    double kosten = 0.0;
    bool teilbar = false;
    std::string was;
};

// A piece of a measurement: grid points von..bis-1 of auftraege[auftrag].
struct messstueck {
    std::size_t auftrag;
    int von;
    int bis;
};

// Grid points a piece of a global form: some 10^4 * n operations at least,
// so that handing it over costs nothing, and many pieces to a long column,
// so that the two threads end together.
constexpr int STUECK_PUNKTE = 1 << 14;

// The measurements of one row into zeile, each column's object alone (the
// spline's search cursor and wrap bounds live in the object).  With two
// threads (zahl_faeden) and a problem of closed forms (a formula object is
// not shared between threads), the caller and a helper each take the next
// piece not yet taken: a whole column, or a piece of a global form's grid,
// so that one long column is shared as well.  A column's figure is the
// largest of its pieces' (NaN if any is), the same number the grid in
// one pass gives.  Only the caller tells of progress, from the share of
// all pieces finished.
void zeile_messen(std::vector<messauftrag> &auftraege, const beispielfunktion &problem,
                  double gesamt, fortschrittsstand &fs, bool melden, int ableitung,
                  std::vector<messwert> &zeile) {
    [[maybe_unused]] std::size_t punkte_gesamt = 0;
    std::vector<messstueck> stuecke;
    for (std::size_t j = 0; j < auftraege.size(); ++j) {
        const messauftrag &a = auftraege[j];
        punkte_gesamt += static_cast<std::size_t>(a.punkte);
        const int schritt = a.teilbar ? STUECK_PUNKTE : a.punkte;
        for (int von = 0; von < a.punkte; von += schritt)
            stuecke.push_back({j, von, a.punkte - von > schritt ? von + schritt : a.punkte});
    }
    bool geteilt = false;
#if NUMERIK_MIT_FAEDEN
    geteilt = stuecke.size() >= 2 && problem.kontext == nullptr &&
              punkte_gesamt >= (std::size_t{1} << 16) && zahl_faeden() >= 2;
#endif
    if (!geteilt) {
        for (messauftrag &a : auftraege) {
            fs.was = a.was;
            fs.je_punkt = a.kosten / gesamt / a.punkte;
            zeile[a.spalte].fehler =
                fehler_messen(a.ip.get(), problem, a.punkte, melden ? &fs : nullptr, ableitung);
            zeile[a.spalte].berechnet = true;
            fs.basis += a.kosten / gesamt;
        }
        return;
    }
#if NUMERIK_MIT_FAEDEN
    std::vector<double> ergebnis(stuecke.size());
    std::atomic<std::size_t> naechster{0};
    std::atomic<double> erledigt{0.0};
    const double basis = fs.basis;
    auto arbeiten = [&](bool rufer) {
        for (std::size_t i = naechster++; i < stuecke.size(); i = naechster++) {
            const messstueck &st = stuecke[i];
            messauftrag &a = auftraege[st.auftrag];
            const double je_punkt = a.kosten / gesamt / a.punkte;
            fortschrittsstand eigener;
            if (rufer && melden) {
                eigener = fs;
                eigener.was = a.was;
                eigener.basis = basis + erledigt.load();
                eigener.je_punkt = je_punkt;
            }
            ergebnis[i] =
                fehler_messen(a.ip.get(), problem, a.punkte, rufer && melden ? &eigener : nullptr,
                              ableitung, st.von, st.bis);
            erledigt.fetch_add(je_punkt * (st.bis - st.von));
        }
    };
    std::thread helfer;
    try {
        helfer = std::thread(arbeiten, false);
    } catch (const std::exception &) {
        // No thread to be had: the caller takes every piece.
    }
    arbeiten(true);
    if (helfer.joinable()) helfer.join();
    for (std::size_t i = 0; i < stuecke.size(); ++i) {
        messwert &mw = zeile[auftraege[stuecke[i].auftrag].spalte];
        if (!mw.berechnet || std::isnan(ergebnis[i]) || ergebnis[i] > mw.fehler)
            mw.fehler = ergebnis[i];
        mw.berechnet = true;
    }
    fs.basis = basis + erledigt.load();
#endif
}

interpolation_zeiger erzeugen_aus(const methode &me, const beispielfunktion &problem, int m, int n,
                                  objekt *werte) {
    std::string name = problem_kurzname(m) + ", " + me.titel + ", n = " + std::to_string(n);
    return interpolation_zeiger(methode_erzeugen(&me, name.c_str(), me.stuetzstellenart, nullptr,
                                                 problem.a, problem.b, werte, &problem));
}

} // namespace

const beispielfunktion &studie_problem(const beispielfunktion &p, int m) {
    return p.f != nullptr ? p : funktion[m - 1];
}

std::string problem_kurzname(int m) {
    return m == FORMEL_PROBLEM ? std::string("Formel") : "Beispielfunktion " + std::to_string(m);
}

std::string problem_titel(const beispielfunktion &problem, int m) {
    if (m == FORMEL_PROBLEM) return std::string("Formel: ") + problem.formel;
    return problem_kurzname(m) + ": " + problem.name;
}

std::string problem_stamm(int m) {
    return m == FORMEL_PROBLEM ? std::string("formel") : std::to_string(m);
}

void studie_n_pruefen(int n, const std::vector<int> &vorher) {
    if (n < 2) numerik_fehler("n muss mindestens 2 sein!\n");
    if (n > STUDIE_MAX_N) numerik_fehler("n darf hoechstens %d sein!\n", STUDIE_MAX_N);
    if (!vorher.empty() && n <= vorher.back())
        numerik_fehler("Die Werte von n muessen aufsteigend sein!\n");
}

void studie_gitter_pruefen(int punkte, const std::vector<int> &n_liste) {
    if (punkte == 0) return;
    for (int n : n_liste)
        if (punkte < gitterpunkte_fuer(n)) {
            numerik_warnung("Warnung: Messgitter mit %d Punkten fuer n ab %d zu grob (weniger als "
                            "10 Schritte je Intervall); genauer mit -g %d.\n",
                            punkte, n, gitterpunkte_fuer(n_liste.back()));
            return;
        }
}

int hoechstes_n(const methode &me) {
    return me.hoechstes_n;
}

// Problem 1 ends at -3.14159265 and 3.14159265, not at +-pi, so its end
// values differ by 7.2e-9; it counts as periodic, and the library averages
// the end values (with its warning), which puts a floor of about 3.6e-9
// under that column's error.
bool periodisch(const beispielfunktion &problem) {
    return std::fabs(beispiel_f(&problem, problem.a) - beispiel_f(&problem, problem.b)) <=
           ENDWERT_TOLERANZ;
}

std::vector<const methode *> spalten_waehlen(const beispielfunktion &problem, int wahl) {
    std::vector<const methode *> spalten;
    for (int i = 0; i < methoden_anzahl; ++i) {
        const methode &me = methoden[i];
        bool gewaehlt =
            wahl == SPALTEN_UEBERSICHT ? me.uebersicht : (me.gruppe & wahl) == me.gruppe;
        if (gewaehlt && (!me.periodisch || periodisch(problem))) spalten.push_back(&me);
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
    if (endwerte_mitteln && me.periodisch) {
        double mittel =
            (nmmatrix_amIndex(werte.get(), 1, 1) + nmmatrix_amIndex(werte.get(), n + 1, 1)) / 2;
        nmmatrix_setzen(werte.get(), 1, 1, mittel);
        nmmatrix_setzen(werte.get(), n + 1, 1, mittel);
    }
    return erzeugen_aus(me, problem, m, n, werte.get());
}

double groesster_fehler(objekt *ip, const beispielfunktion &problem, int punkte) {
    return fehler_messen(ip, problem, punkte, nullptr);
}

double ordnung(double e0, int n0, double e1, int n1) {
    if (!(e0 > 0.0 && e1 > 0.0 && std::isfinite(e0) && std::isfinite(e1))) return NAN;
    return std::log(e0 / e1) / std::log(static_cast<double>(n1) / n0);
}

int gitterpunkte_fuer(int n) {
    return 10 * n + 1;
}

int studie_punkte(int punkte, int n) {
    return punkte > 0 ? punkte : std::max(STUDIE_MIN_PUNKTE, gitterpunkte_fuer(n));
}

// The polynomial and rational forms sum over all nodes at every point; the
// splines and Hermite forms are local, one cubic a point.
static bool ueber_alle_knoten(const methode &me) {
    return me.art != &spline_interpolation && me.art != &hermite_interpolation;
}

double methode_kosten(const methode &me, int n, int punkte) {
    const double nd = n;
    if (ueber_alle_knoten(me)) return nd * punkte + nd * nd / 2;
    // A binary search over the intervals and a cubic: some 20 operations
    // and the search's steps per point, a tridiagonal system to create.
    return (20.0 + std::log2(nd + 1.0)) * punkte + 20.0 * nd;
}

studie_kosten studie_kosten_schaetzen(int m, const std::vector<int> &n_liste, int punkte,
                                      int wahl) {
    return studie_kosten_schaetzen(funktion[m - 1], n_liste, punkte, wahl);
}

studie_kosten studie_kosten_schaetzen(const beispielfunktion &problem,
                                      const std::vector<int> &n_liste, int punkte, int wahl) {
    studie_kosten k;
    for (const methode *me : spalten_waehlen(problem, wahl)) {
        double spalte = 0.0;
        for (int n : n_liste)
            if (n <= hoechstes_n(*me)) spalte += methode_kosten(*me, n, studie_punkte(punkte, n));
        k.operationen += spalte;
        if (spalte > k.teuerste_operationen) {
            k.teuerste = me;
            k.teuerste_operationen = spalte;
        }
    }
    return k;
}

void studie_dauer_pruefen(const studie_kosten &k) {
    double sekunden = k.operationen / STUDIE_OPERATIONEN_JE_SEKUNDE;
    if (!(sekunden > 60.0) || k.teuerste == nullptr) return;
    char dauer[32];
    if (sekunden < 3600.0)
        std::snprintf(dauer, sizeof dauer, "%d min", static_cast<int>(sekunden / 60.0 + 0.5));
    else
        std::snprintf(dauer, sizeof dauer, "%.1f h", sekunden / 3600.0);
    numerik_warnung("Warnung: Die Studie dauert geschaetzt etwa %s, vor allem die Spalte %s "
                    "(Aufwand %s).\n",
                    dauer, k.teuerste->spalte,
                    ueber_alle_knoten(*k.teuerste) ? "n mal Punkte" : "Punkte mal log n");
}

studie studie_durchfuehren(int m, const std::vector<int> &n_liste, int punkte, int wahl,
                           const studie_fortschritt *fortschritt, int ableitung) {
    return studie_durchfuehren(funktion[m - 1], m, n_liste, punkte, wahl, fortschritt, ableitung);
}

studie studie_durchfuehren(const beispielfunktion &problem, int m, const std::vector<int> &n_liste,
                           int punkte, int wahl, const studie_fortschritt *fortschritt,
                           int ableitung) {
    if (ableitung != 0 && ableitung != 1)
        numerik_fehler("Ableitung %d nicht messbar (0 oder 1).\n", ableitung);
    if (ableitung == 1 && problem.abl1 == nullptr)
        numerik_fehler("Beispielfunktion %d hat keine 1. Ableitung.\n", m);
    studie s;
    s.m = m;
    s.problem = problem;
    s.ableitung = ableitung;
    s.punkte = punkte;
    s.n = n_liste;
    s.spalten = spalten_waehlen(problem, wahl);
    for (int n : n_liste)
        s.gitter.push_back(studie_punkte(punkte, n));
    // max |f| on the finest grid of the study, the last n's.
    const int f_punkte = s.gitter.empty() ? studie_punkte(punkte, 2) : s.gitter.back();
    for (int i = 0; i < f_punkte; ++i)
        s.f_groesste =
            std::fmax(s.f_groesste,
                      std::fabs(beispiel_f(
                          &problem, aequidistanter_punkt(i, f_punkte - 1, problem.a, problem.b))));
    const double gesamt = studie_kosten_schaetzen(problem, n_liste, punkte, wahl).operationen;
    fortschrittsstand fs;
    fs.rueckruf = fortschritt;
    for (std::size_t k = 0; k < n_liste.size(); ++k) {
        const int n = n_liste[k];
        std::vector<messwert> zeile;
        // The values at each kind of nodes, made once and shared by the
        // methods on those nodes; keyed by the kind, whatever kinds there are.
        std::map<int, matrix_zeiger> werte_je_art;
        // Every object of the row is made first, in column order, so that
        // what creation warns of comes in that order however the
        // measurements are shared.
        std::vector<messauftrag> auftraege;
        zeile.resize(s.spalten.size());
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            const methode *me = s.spalten[j];
            if (n > hoechstes_n(*me)) continue;
            messauftrag a;
            a.spalte = j;
            a.punkte = s.gitter[k];
            a.kosten = methode_kosten(*me, n, s.gitter[k]);
            a.teilbar = ueber_alle_knoten(*me);
            a.was = problem_kurzname(m) + ", " + me->spalte + ", n = " + std::to_string(n);
            matrix_zeiger &werte = werte_je_art[me->stuetzstellenart];
            if (!werte) werte = werte_an_stuetzstellen(problem, me->stuetzstellenart, n);
            a.ip = erzeugen_aus(*me, problem, m, n, werte.get());
            auftraege.push_back(std::move(a));
        }
        zeile_messen(auftraege, problem, gesamt, fs, fortschritt != nullptr, ableitung, zeile);
        s.werte.push_back(zeile);
    }
    return s;
}

namespace {
// The grid of row k; a study put together by hand, without its gitter, has
// the grid its punkte give.
int gitter_bei(const studie &s, std::size_t k) {
    return k < s.gitter.size() ? s.gitter[k] : studie_punkte(s.punkte, s.n[k]);
}
} // namespace

std::string studie_gitter_text(const studie &s) {
    bool einheitlich = true;
    for (std::size_t k = 0; k < s.n.size(); ++k)
        einheitlich = einheitlich && gitter_bei(s, k) == gitter_bei(s, 0);
    if (einheitlich && !s.n.empty()) return std::to_string(gitter_bei(s, 0));
    if (s.n.empty() && s.punkte > 0) return std::to_string(s.punkte);
    return "max(" + std::to_string(STUDIE_MIN_PUNKTE) + ", 10 n + 1)";
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
    return me.suchanfang;
}

int suchgrenze(const methode &me) {
    return me.suchgrenze;
}

toleranzsuche toleranz_suchen(int m, double toleranz, int punkte, int wahl,
                              const studie_fortschritt *fortschritt) {
    return toleranz_suchen(funktion[m - 1], m, toleranz, punkte, wahl, fortschritt);
}

toleranzsuche toleranz_suchen(const beispielfunktion &problem, int m, double toleranz, int punkte,
                              int wahl, const studie_fortschritt *fortschritt) {
    toleranzsuche t;
    t.m = m;
    t.problem = problem;
    t.toleranz = toleranz;
    t.punkte = punkte;
    t.spalten = spalten_waehlen(problem, wahl);
    // The share of a search is hard to know before it ends: each column
    // counts alike, and within one each measured n as much as the steps
    // a doubling and a bisection over the column's range take together.
    const double spalten = static_cast<double>(t.spalten.size());
    fortschrittsstand fs;
    fs.rueckruf = fortschritt;
    for (std::size_t j = 0; j < t.spalten.size(); ++j) {
        const methode *me = t.spalten[j];
        const double schritte =
            2.0 * std::log2(static_cast<double>(suchgrenze(*me)) / suchanfang(*me)) + 2.0;
        int gemessen = 0;
        auto fehler = [&](int n) {
            fs.was = problem_kurzname(m) + ", " + me->spalte + ", n = " + std::to_string(n);
            const int gitter = std::max(punkte, gitterpunkte_fuer(n));
            fs.basis = (j + std::min(0.95, gemessen / schritte)) / spalten;
            fs.je_punkt = 1.0 / spalten / schritte / gitter;
            ++gemessen;
            interpolation_zeiger ip = erzeugen(*me, problem, m, n, true);
            return fehler_messen(ip.get(), problem, gitter, fortschritt != nullptr ? &fs : nullptr);
        };
        t.n.push_back(kleinstes_n(fehler, toleranz, suchanfang(*me), suchgrenze(*me)));
    }
    return t;
}

verlauf verlauf_berechnen(int m, int n, int punkte, int wahl,
                          const studie_fortschritt *fortschritt) {
    return verlauf_berechnen(funktion[m - 1], m, n, punkte, wahl, fortschritt);
}

verlauf verlauf_berechnen(const beispielfunktion &problem, int m, int n, int punkte, int wahl,
                          const studie_fortschritt *fortschritt) {
    verlauf v;
    v.m = m;
    v.problem = problem;
    v.n = n;
    v.spalten = spalten_waehlen(problem, wahl);
    for (int i = 0; i < punkte; ++i) {
        double x = aequidistanter_punkt(i, punkte - 1, problem.a, problem.b);
        v.x.push_back(x);
        v.f.push_back(beispiel_f(&problem, x));
        v.f_groesste = std::fmax(v.f_groesste, std::fabs(v.f.back()));
    }
    fortschrittsstand fs;
    fs.rueckruf = fortschritt;
    const double spalten = static_cast<double>(v.spalten.size());
    for (std::size_t j = 0; j < v.spalten.size(); ++j) {
        const methode *me = v.spalten[j];
        std::vector<double> p;
        if (n <= hoechstes_n(*me)) {
            fs.was = "Verlauf, " + problem_kurzname(m) + ", " + me->spalte;
            interpolation_zeiger ip = erzeugen(*me, problem, m, n);
            const interpolation_funktionen *fi = interpolation_tabelle(ip.get());
            for (std::size_t i = 0; i < v.x.size(); ++i) {
                if ((i & 1023) == 0) fs.melden((j + static_cast<double>(i) / punkte) / spalten);
                p.push_back(fi->funktionswert(ip.get(), v.x[i]));
            }
        }
        v.p.push_back(p);
    }
    return v;
}

std::vector<int> lebesgue_arten(const std::vector<const methode *> &spalten) {
    std::vector<int> arten;
    for (int i = 0; i < knotenarten_anzahl(); ++i) {
        const knotenart *k = knotenart_an(i);
        if (k->punkt == nullptr) continue;
        if (std::any_of(spalten.begin(), spalten.end(),
                        [k](const methode *me) { return me->stuetzstellenart == k->nummer; }))
            arten.push_back(k->nummer);
    }
    return arten;
}

double lebesgue_kosten(int m, const std::vector<int> &n_liste, int punkte, int wahl) {
    return lebesgue_kosten(funktion[m - 1], n_liste, punkte, wahl);
}

double lebesgue_kosten(const beispielfunktion &problem, const std::vector<int> &n_liste, int punkte,
                       int wahl) {
    const double arten = static_cast<double>(lebesgue_arten(spalten_waehlen(problem, wahl)).size());
    double operationen = 0.0;
    for (int n : n_liste)
        operationen += arten * n * (studie_punkte(punkte, n) + 2.0 * n);
    return operationen;
}

lebesgue_tabelle lebesgue_berechnen(const studie &s) {
    const beispielfunktion &problem = studie_problem(s.problem, s.m);
    lebesgue_tabelle t;
    t.m = s.m;
    t.n = s.n;
    t.arten = lebesgue_arten(s.spalten);
    for (std::size_t z = 0; z < s.n.size(); ++z) {
        std::vector<double> zeile;
        for (int art : t.arten)
            zeile.push_back(
                lebesgue_konstante(art, s.n[z], problem.a, problem.b, gitter_bei(s, z)));
        t.werte.push_back(zeile);
    }
    return t;
}
