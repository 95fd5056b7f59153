// The study's cost and threads: the cost model that weighs its progress
// and warns of a long run, and the measurements of one row shared between
// two threads where a second core is free.
#include "numerik/studie.h"

#include "studie_intern.h"

#include "numerik/fehler.h"
#include "numerik/splinipl.h"
#include "numerik/zahlen.h"

#include <cmath>
#include <cstdio>

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

} // namespace

// The measurements of one row into zeile, each column's object alone (the
// spline's search cursor and wrap bounds live in the object).  With two
// threads (zahl_faeden) and a problem of closed forms (a formula object, a
// problem with a hook, is not shared between threads), the caller and a helper each take the next
// piece not yet taken: a whole column, or a piece of a global form's grid,
// so that one long column is shared as well.  A column's figure is the
// largest of its pieces' (NaN if any is), the same number the grid in
// one pass gives.  Only the caller tells of progress, from the share of
// all pieces finished.
void zeile_messen(std::vector<messauftrag> &auftraege, const beispielfunktion &problem,
                  const double *f_werte, double gesamt, fortschrittsstand &fs, bool melden,
                  int ableitung, std::vector<messwert> &zeile) {
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
    geteilt = stuecke.size() >= 2 && problem.kontext == nullptr && problem.werte == nullptr &&
              punkte_gesamt >= (std::size_t{1} << 16) && zahl_faeden() >= 2;
#endif
    if (!geteilt) {
        for (messauftrag &a : auftraege) {
            fs.was = a.was;
            fs.je_punkt = a.kosten / gesamt / a.punkte;
            zeile[a.spalte].fehler = fehler_messen(
                a.ip.get(), problem, a.punkte, melden ? &fs : nullptr, ableitung, 0, -1, f_werte);
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
                              ableitung, st.von, st.bis, f_werte);
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

// The polynomial and rational forms sum over all nodes at every point; the
// splines and Hermite forms are local, one cubic a point.
bool ueber_alle_knoten(const methode &me) {
    const interpolationstyp *t = interpolationstyp_von(me.art);
    return t == nullptr || t->global != 0;
}

double methode_kosten(const methode &me, int n, int punkte) {
    const double nd = n;
    // AAA: some n steps over its sample, each O(sample * n).
    if (me.probe == PROBE_GITTER) return nd * punkte + nd * nd * punkte;
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
    return studie_kosten_schaetzen(spalten_waehlen(problem, wahl), n_liste, punkte);
}

studie_kosten studie_kosten_schaetzen(const std::vector<const methode *> &spalten,
                                      const std::vector<int> &n_liste, int punkte) {
    studie_kosten k;
    for (const methode *me : spalten) {
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
