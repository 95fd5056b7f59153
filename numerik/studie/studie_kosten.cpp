// The study's cost and threads: the cost model that weighs its progress
// and warns of a long run, and the measurements of one row shared between
// two threads where a second core is free.
#include "numerik/studie.h"

#include "studie_intern.h"

#include "numerik/fehler.h"
#include "numerik/splinipl.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

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

namespace {

// The processor time of the whole process, every thread's together: on a
// busy machine the time that passes says more of the others' work than of
// the probe's.
double rechenzeit() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The probe's function: cheap, smooth, periodic on [-1, 1], with its
// derivatives; the context, when set, only keeps the probe on one thread
// as a formula keeps the study.
double probe_f(const void *, double x) {
    return std::cos(M_PI * x);
}
double probe_abl1(const void *, double x) {
    return -M_PI * std::sin(M_PI * x);
}
double probe_abl2(const void *, double x) {
    return -M_PI * M_PI * std::cos(M_PI * x);
}

void warnung_verwerfen(const char *) {}

// A grid of at least punkte points whose step count is a prime: its
// points meet the equidistant nodes of any n below it at the ends only,
// where a grid of n + 1 points would meet a node at every point, which
// some forms answer at once.
int teilerfremde_punkte(int punkte) {
    auto prim = [](int z) {
        for (int t = 2; t * t <= z; ++t)
            if (z % t == 0) return false;
        return z >= 2;
    };
    int schritte = std::max(punkte - 1, 2);
    while (!prim(schritte))
        ++schritte;
    return schritte + 1;
}

// The grid of a column's probe, a few milliseconds: a global form on
// 2 * 10^7 / n points (at least 1001), so that its work at a point, apart
// from the sum over the nodes, weighs little, as in a long run; a local
// one on many points.
constexpr int PROBE_OPERATIONEN = 10000000;
constexpr int PROBE_PUNKTE_GLOBAL = 1001;
constexpr int PROBE_PUNKTE_LOKAL = 200001;
// f's time is measured on at most this many points, and for at most this
// long (a formula of many kilobytes takes microseconds a value).
constexpr int PROBE_AUSWERTUNGEN = 2000;
constexpr double PROBE_FORMEL_SEKUNDEN = 0.02;

} // namespace

studie_zeit studie_zeit_schaetzen(const beispielfunktion &problem, int wahl, int ableitung,
                                  double operationen, const std::vector<int> &n_liste, int punkte) {
    studie_zeit z;
    const std::vector<const methode *> spalten = spalten_waehlen(problem, wahl);
    // Without a hook for many values, each column asks f at each of its
    // grid points.
    double auswertungen = 0.0;
    for (int n : n_liste)
        for (const methode *me : spalten)
            if (n <= hoechstes_n(*me)) auswertungen += studie_punkte(punkte, n);
    // f's own time, where it is not one of the closed forms (which the
    // probe's cosine stands for).
    if (problem.kontext != nullptr || problem.werte != nullptr) {
        const double beginn = rechenzeit();
        volatile double summe = 0.0;
        int gezaehlt = 0;
        while (gezaehlt < PROBE_AUSWERTUNGEN) {
            const double t = (gezaehlt % 997) / 996.0;
            summe = summe + beispiel_f(&problem, problem.a + t * (problem.b - problem.a));
            ++gezaehlt;
            if (gezaehlt % 16 == 0 && rechenzeit() - beginn > PROBE_FORMEL_SEKUNDEN) break;
        }
        z.formel_sekunden = auswertungen * (rechenzeit() - beginn) / gezaehlt;
    }
    // The columns' time: the same columns on the probe's function, on one
    // thread where the problem keeps the study on one.  Its warnings are
    // not the study's.
    static const int einzeln = 0;
    beispielfunktion probe = {};
    probe.f = probe_f;
    probe.abl1 = probe_abl1;
    probe.abl2 = probe_abl2;
    probe.a = -1.0;
    probe.b = 1.0;
    probe.name = "Probe";
    probe.kontext = problem.kontext != nullptr || problem.werte != nullptr ? &einzeln : nullptr;
    // A closed form is its own probe: where a form fails on it (values
    // that are not numbers end a column's measuring early), it fails in
    // the probe too.
    if (probe.kontext == nullptr) probe = problem;
    // A short run is not worth a probe.
    if (operationen / STUDIE_OPERATIONEN_JE_SEKUNDE < 0.5) {
        z.sekunden = operationen / STUDIE_OPERATIONEN_JE_SEKUNDE + z.formel_sekunden;
        return z;
    }
    // Each column on its own, weighted by its share of the run: the forms
    // differ in their time for one operation.
    numerik_warnungsbehandlung vorher = numerik_warnungsbehandlung_setzen(warnung_verwerfen);
    // The measuring at the grid points, n at each for a global form: the
    // creation (n^2/2 of the cost model) is O(n) for most global forms and
    // weighs little beside 10 n points at any n.
    auto messschritte = [](const methode &me, int n, int gitter) {
        return ueber_alle_knoten(me) ? static_cast<double>(n) * gitter
                                     : methode_kosten(me, n, gitter);
    };
    double studie_sekunden = 0.0;
    double studie_operationen = 0.0;
    try {
        for (const methode *me : spalten) {
            int groesstes_n = 0;
            for (int n : n_liste)
                if (n <= hoechstes_n(*me)) {
                    studie_operationen += methode_kosten(*me, n, studie_punkte(punkte, n));
                    groesstes_n = std::max(groesstes_n, n);
                }
            if (groesstes_n == 0) continue;
            // At the run's largest n of the column (the time of a step
            // grows with nodes that no longer fit a cache, and a form that
            // fails there fails at once), on two grids: the difference of
            // their times is the time of the steps, the rest the time of
            // creating the column at that n, counted as growing with n.
            // A global form on grids of some 10^7 steps, a local one on
            // many points.
            const int klein = teilerfremde_punkte(
                ueber_alle_knoten(*me)
                    ? std::max(PROBE_PUNKTE_GLOBAL, PROBE_OPERATIONEN / groesstes_n)
                    : PROBE_PUNKTE_LOKAL);
            const int gross = teilerfremde_punkte(3 * klein);
            double zeit[2] = {0.0, 0.0};
            const int gitter[2] = {klein, gross};
            for (int i = 0; i < 2; ++i) {
                const double beginn = rechenzeit();
                studie_durchfuehren(probe, FORMEL_PROBLEM, {groesstes_n}, gitter[i], {me}, nullptr,
                                    ableitung);
                zeit[i] = rechenzeit() - beginn;
            }
            const double je_schritt =
                std::max(0.0, zeit[1] - zeit[0]) /
                (messschritte(*me, groesstes_n, gross) - messschritte(*me, groesstes_n, klein));
            const double erzeugen =
                std::max(0.0, zeit[0] - je_schritt * messschritte(*me, groesstes_n, klein));
            for (int n : n_liste)
                if (n <= hoechstes_n(*me))
                    studie_sekunden += erzeugen * n / groesstes_n +
                                       je_schritt * messschritte(*me, n, studie_punkte(punkte, n));
        }
    } catch (...) {
        numerik_warnungsbehandlung_setzen(vorher);
        throw;
    }
    numerik_warnungsbehandlung_setzen(vorher);
    // Where two threads share the rows, the run takes half its processor
    // time (less where the second core is busy).  The picture and the
    // Lebesgue constants of operationen beyond the study take its speed.
    const double faeden = probe.kontext == nullptr && zahl_faeden() >= 2 ? 2.0 : 1.0;
    z.sekunden = studie_operationen > 0.0
                     ? studie_sekunden * std::max(1.0, operationen / studie_operationen) / faeden
                     : 0.0;
    z.sekunden += z.formel_sekunden;
    return z;
}

namespace {
// "7 s", "3 min", "1.5 h".
void dauer_text(char *text, std::size_t groesse, double sekunden) {
    if (sekunden < 59.5)
        std::snprintf(text, groesse, "%d s", static_cast<int>(sekunden + 0.5));
    else if (sekunden < 3600.0)
        std::snprintf(text, groesse, "%d min", static_cast<int>(sekunden / 60.0 + 0.5));
    else
        std::snprintf(text, groesse, "%.1f h", sekunden / 3600.0);
}
} // namespace

void studie_dauer_pruefen(const studie_kosten &k, const studie_zeit &z) {
    char dauer[32];
    dauer_text(dauer, sizeof dauer, z.sekunden);
    // A formula that takes most of a run of more than a few seconds.
    if (z.formel_sekunden > STUDIE_FORMEL_WARNSCHWELLE &&
        z.formel_sekunden > z.sekunden - z.formel_sekunden) {
        char ohne[32];
        dauer_text(ohne, sizeof ohne, z.sekunden - z.formel_sekunden);
        numerik_warnung("Warnung: Die Formel ist langsam: die Studie dauert geschaetzt etwa %s, "
                        "davon %.0f%% fuer die Werte der Formel (ohne sie etwa %s).\n",
                        dauer, 100.0 * z.formel_sekunden / z.sekunden, ohne);
        return;
    }
    if (!(z.sekunden > 60.0) || k.teuerste == nullptr) return;
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
