// Spline and Hermite creation through the public API (kreieren +
// freigeben) against gsl_spline_alloc + gsl_spline_init + gsl_spline_free on
// the same nodes and values, alternated in one process: round by round first
// the library, then GSL.  The natural and periodic splines against GSL's
// cubic splines, the Hermite form with Fritsch-Carlson slopes against GSL's
// steffen (also monotone slopes from the neighbouring secants), with
// Akima's slopes against GSL's akima.  Each case reports the median ratio library/GSL of its rounds, the
// median times and the median minor page faults of one creation.
//
// Most of the cost of a creation at 10^6 nodes can be the kernel's faulting
// in fresh pages, and whether a block comes with fresh pages is glibc
// malloc's decision: a block at or above the mmap threshold is mapped anew
// (zeroed pages, faulted on first touch) and unmapped on free; a heap block
// reuses pages unless free trimmed the top of the heap beyond the trim
// threshold.  Both thresholds move with the process's history (the mmap
// threshold rises to the size of a freed mapped block, the trim threshold to
// twice that), so the same alternation can put either side on fresh pages.
// The cases therefore fix the regime:
//   glibc            glibc's own dynamic thresholds (this case must run
//                    before the others in its process: mallopt fixes the
//                    thresholds for good);
//   wiederverwendet  every block from the heap, never trimmed: pages are
//                    recycled, the arithmetic and memory traffic count;
//   frisch           every large block mapped anew: each creation faults in
//                    all the pages it touches.
//
//   build-bench/bin/erzeugung_bench
//   build-bench/bin/erzeugung_bench --benchmark_filter='periodisch/frisch'
#include "numerik/hermiteipl.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>
#include <cmath>
#include <vector>

#ifdef NUMERIK_MIT_GSL
#include <gsl/gsl_spline.h>
#include <sys/resource.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#endif

namespace {

enum regime { GLIBC = 0, FRISCH = 1, WIEDERVERWENDET = 2 };

// What is made: a spline kind, or the Hermite form with one of its slopes.
enum form { NATUERLICH = 0, PERIODISCH = 1, FRITSCH_CARLSON = 2, AKIMA = 3 };

#ifdef NUMERIK_MIT_GSL

constexpr int KNOTEN = 1000001; // n = 10^6 intervals
constexpr int RUNDEN = 9;       // timed rounds, after two untimed ones
constexpr int VORRUNDEN = 2;

// False when the regime cannot be set (not glibc), or when the glibc case
// comes after another case.
bool regime_setzen(int art) {
    static bool beruehrt = false;
    if (art == GLIBC) return !beruehrt;
    beruehrt = true;
#if defined(__GLIBC__)
    if (art == WIEDERVERWENDET)
        return mallopt(M_MMAP_THRESHOLD, 32 << 20) == 1 && mallopt(M_TRIM_THRESHOLD, 1 << 30) == 1;
    return true;
#else
    return false;
#endif
}

// Before each timed creation of the fresh regime.
void vorbereiten(int art) {
#if defined(__GLIBC__)
    if (art == FRISCH) malloc_trim(0);
#else
    (void)art;
#endif
}

// The thread's processor time, the kernel's work for its page faults
// included: on a machine shared with other work the wall time of a round
// depends on when the scheduler takes the core away, not on the round.
double jetzt() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

long seitenfehler() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_minflt;
}

// One timed run: seconds and minor faults.
struct messung {
    double zeit;
    long fehler;
};

template <typename Arbeit> messung messen(Arbeit arbeit) {
    long f0 = seitenfehler();
    double t0 = jetzt();
    arbeit();
    double t = jetzt() - t0;
    return {t, seitenfehler() - f0};
}

template <typename T> T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The setting of the library's own scale benchmark: node kind 1 on
// [0, 2 pi], sin for the natural spline and the Hermite forms, cos for the
// periodic spline, the last value equal to the first.
void erzeugung_gegen_gsl(benchmark::State &state, int was, int art) {
    if (!regime_setzen(art)) {
        state.SkipWithError("Regime nicht einstellbar (glibc-Fall nur vor den anderen Faellen)");
        return;
    }
    const double zwei_pi = 8 * std::atan(1.0);
    const int n = KNOTEN - 1;
    std::vector<double> x(KNOTEN), y(KNOTEN);
    for (int i = 0; i <= n; ++i) {
        x[i] = aequidistanter_punkt(i, n, 0.0, zwei_pi);
        y[i] = was == PERIODISCH ? std::cos(x[i]) : std::sin(x[i]);
    }
    y[n] = y[0];
    nmmatrix_parameter vp = {KNOTEN, 1, "Stuetzwerte", 0};
    matrix_zeiger werte(matrix_tabelle(&nm_matrix)->kreieren(&vp, nullptr));
    for (int i = 0; i <= n; ++i)
        nmmatrix_setzen(werte.get(), i + 1, 1, y[i]);
    splineinterpolation_parameter p = {};
    p.name = "Vergleich";
    p.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    p.a = 0.0;
    p.b = zwei_pi;
    p.stuetzwerte = werte.get();
    p.splineart = was == PERIODISCH ? SPLINE_PERIODISCH : SPLINE_NATUERLICH;
    hermiteinterpolation_parameter hp = {
        "Vergleich", STUETZSTELLEN_AEQUIDISTANT,          nullptr, 0.0, zwei_pi, werte.get(),
        was == AKIMA ? HERMITE_AKIMA : HERMITE_FRITSCH_CARLSON};
    const gsl_interp_type *typ = was == PERIODISCH ? gsl_interp_cspline_periodic
                                 : was == NATUERLICH ? gsl_interp_cspline
                                 : was == AKIMA      ? gsl_interp_akima
                                                     : gsl_interp_steffen;

    auto numerik = [&] {
        objekt *s = was == NATUERLICH || was == PERIODISCH
                        ? interpolation_tabelle(&spline_interpolation)->kreieren(&p, nullptr)
                        : interpolation_tabelle(&hermite_interpolation)->kreieren(&hp, nullptr);
        benchmark::DoNotOptimize(s);
        interpolation_tabelle(s)->freigeben(s);
    };
    auto gsl = [&] {
        gsl_spline *s = gsl_spline_alloc(typ, x.size());
        gsl_spline_init(s, x.data(), y.data(), x.size());
        benchmark::DoNotOptimize(s);
        gsl_spline_free(s);
    };

    std::vector<double> verhaeltnis, zeit_n, zeit_g;
    std::vector<long> fehler_n, fehler_g;
    for (auto _ : state) {
        for (int runde = 0; runde < VORRUNDEN + RUNDEN; ++runde) {
            vorbereiten(art);
            messung a = messen(numerik);
            vorbereiten(art);
            messung b = messen(gsl);
            if (runde < VORRUNDEN) continue;
            verhaeltnis.push_back(a.zeit / b.zeit);
            zeit_n.push_back(a.zeit);
            zeit_g.push_back(b.zeit);
            fehler_n.push_back(a.fehler);
            fehler_g.push_back(b.fehler);
        }
        state.SetIterationTime(median(zeit_n));
    }
    state.counters["numerik/GSL"] = median(verhaeltnis);
    state.counters["numerik_ms"] = 1e3 * median(zeit_n);
    state.counters["gsl_ms"] = 1e3 * median(zeit_g);
    state.counters["numerik_seitenfehler"] = static_cast<double>(median(fehler_n));
    state.counters["gsl_seitenfehler"] = static_cast<double>(median(fehler_g));
}

#else

void erzeugung_gegen_gsl(benchmark::State &state, int, int) {
    for (auto _ : state) {
    }
    state.SkipWithError("ohne GSL gebaut: kein Vergleich");
}

#endif

} // namespace

// The glibc cases first, the fixed thresholds last.
#define ERZEUGUNG_FALL(WAS, WAS_TEXT, REGIME, REGIME_TEXT)                                        \
    BENCHMARK_CAPTURE(erzeugung_gegen_gsl, WAS##_##REGIME, WAS, REGIME)                          \
        ->Name("erzeugung_gegen_gsl/" WAS_TEXT "/" REGIME_TEXT)                                   \
        ->Iterations(1)                                                                          \
        ->UseManualTime()                                                                        \
        ->Unit(benchmark::kMillisecond);
ERZEUGUNG_FALL(NATUERLICH, "natuerlich", GLIBC, "glibc")
ERZEUGUNG_FALL(PERIODISCH, "periodisch", GLIBC, "glibc")
ERZEUGUNG_FALL(FRITSCH_CARLSON, "hermite", GLIBC, "glibc")
ERZEUGUNG_FALL(AKIMA, "akima", GLIBC, "glibc")
ERZEUGUNG_FALL(NATUERLICH, "natuerlich", FRISCH, "frisch")
ERZEUGUNG_FALL(PERIODISCH, "periodisch", FRISCH, "frisch")
ERZEUGUNG_FALL(FRITSCH_CARLSON, "hermite", FRISCH, "frisch")
ERZEUGUNG_FALL(AKIMA, "akima", FRISCH, "frisch")
ERZEUGUNG_FALL(NATUERLICH, "natuerlich", WIEDERVERWENDET, "wiederverwendet")
ERZEUGUNG_FALL(PERIODISCH, "periodisch", WIEDERVERWENDET, "wiederverwendet")
ERZEUGUNG_FALL(FRITSCH_CARLSON, "hermite", WIEDERVERWENDET, "wiederverwendet")
ERZEUGUNG_FALL(AKIMA, "akima", WIEDERVERWENDET, "wiederverwendet")

BENCHMARK_MAIN();
