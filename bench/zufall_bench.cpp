// Spline and Hermite evaluation at uniformly random points (not sorted)
// through the array slot on one thread, beside GSL with its accelerator on
// the same nodes and values, and beside the plain bisection over the node
// array with the library's coefficients.  Nodes: random given ones (arg 0)
// or equidistant (arg 1), 10^6 of them (beyond the caches) or 10^4 (in
// them); 10^7 points on the large set, 10^6 on the small one.  Also the
// derivative and integral slots beside GSL's (numerik_slot, gsl_slot).
#include "numerik/hermiteipl.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#ifdef NUMERIK_MIT_GSL
#include <gsl/gsl_spline.h>
#endif

namespace {

struct daten {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> punkte;
};

// Nodes on [0, 1] with sin(40 x) as values, and the points.
daten erzeugen(int knoten, bool aequidistant) {
    std::mt19937_64 zufall(12345);
    std::uniform_real_distribution<double> gleich(0.0, 1.0);
    daten d;
    d.x.resize(knoten);
    for (int i = 0; i < knoten; ++i)
        d.x[i] = aequidistant ? aequidistanter_punkt(i, knoten - 1, 0.0, 1.0) : gleich(zufall);
    if (!aequidistant) {
        std::sort(d.x.begin(), d.x.end());
        d.x.front() = 0.0;
        d.x.back() = 1.0;
        for (int i = 1; i < knoten; ++i)
            if (!(d.x[i] > d.x[i - 1])) d.x[i] = std::nextafter(d.x[i - 1], 2.0);
    }
    d.y.resize(knoten);
    for (int i = 0; i < knoten; ++i)
        d.y[i] = std::sin(40 * d.x[i]);
    d.punkte.resize(knoten >= 1000000 ? 10000000 : 1000000);
    for (double &p : d.punkte)
        p = gleich(zufall);
    return d;
}

matrix_zeiger vektor(const std::vector<double> &werte) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, "v", 0};
    matrix_zeiger v(nmmatrix_kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

interpolation_zeiger anlegen(const daten &d, bool hermite, bool aequidistant) {
    matrix_zeiger xv = vektor(d.x);
    matrix_zeiger yv = vektor(d.y);
    const int art = aequidistant ? STUETZSTELLEN_AEQUIDISTANT : STUETZSTELLEN_GEGEBEN;
    if (hermite) {
        hermiteinterpolation_parameter p = {
            "h", art, aequidistant ? nullptr : xv.get(), 0.0, 1.0, yv.get(), HERMITE_AKIMA};
        return interpolation_zeiger(hermiteinterpolation_kreieren(&p, nullptr));
    }
    splineinterpolation_parameter p = {};
    p.name = "s";
    p.stuetzstellenart = art;
    p.stuetzstellen = aequidistant ? nullptr : xv.get();
    p.a = 0.0;
    p.b = 1.0;
    p.stuetzwerte = yv.get();
    p.splineart = SPLINE_NATUERLICH;
    return interpolation_zeiger(splineinterpolation_kreieren(&p, nullptr));
}

void je_punkt(benchmark::State &state, std::size_t punkte) {
    // Seconds per point, read as nanoseconds: the points counted in
    // thousand millions.
    state.counters["ns_je_punkt"] = benchmark::Counter(
        static_cast<double>(punkte) * static_cast<double>(state.iterations()) / 1e9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The array slot on one thread.  args: nodes, equidistant, Hermite.
void numerik_zufall(benchmark::State &state) {
    const bool aequidistant = state.range(1) != 0;
    const bool hermite = state.range(2) != 0;
    daten d = erzeugen(static_cast<int>(state.range(0)), aequidistant);
    interpolation_zeiger ip = anlegen(d, hermite, aequidistant);
    std::vector<double> w(d.punkte.size());
    const int vorher = zahl_faeden_setzen(1);
    for (auto _ : state) {
        interpolation_werte(ip.get(), d.punkte.data(), w.data(), d.punkte.size());
        benchmark::DoNotOptimize(w.data());
    }
    zahl_faeden_setzen(vorher);
    je_punkt(state, d.punkte.size());
}

// The one-point slot at the same points.
void numerik_zufall_einzeln(benchmark::State &state) {
    const bool aequidistant = state.range(1) != 0;
    const bool hermite = state.range(2) != 0;
    daten d = erzeugen(static_cast<int>(state.range(0)), aequidistant);
    interpolation_zeiger ip = anlegen(d, hermite, aequidistant);
    const interpolation_funktionen *f = interpolation_tabelle(ip.get());
    for (auto _ : state) {
        double summe = 0.0;
        for (double p : d.punkte)
            summe += f->funktionswert(ip.get(), p);
        benchmark::DoNotOptimize(summe);
    }
    je_punkt(state, d.punkte.size());
}

// The library's coefficients through the plain bisection: one point's
// dependent chain of node reads, as evaluation did before its index.
void bisektion_zufall(benchmark::State &state) {
    const bool aequidistant = state.range(1) != 0;
    daten d = erzeugen(static_cast<int>(state.range(0)), aequidistant);
    interpolation_zeiger ip = anlegen(d, false, aequidistant);
    const interpolation_funktionen *f = interpolation_tabelle(ip.get());
    objekt *kv = f->imVektor(ip.get(), 0);
    objekt *cv = f->imVektor(ip.get(), 2);
    const int n = nmmatrix_hoehe(kv) - 1;
    std::vector<double> xk(n + 1);
    std::vector<double> c(4 * static_cast<std::size_t>(n));
    for (int i = 0; i <= n; ++i)
        xk[i] = nmmatrix_amIndex(kv, i + 1, 1);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < 4; ++j)
            c[4 * static_cast<std::size_t>(i) + j] = nmmatrix_amIndex(cv, i + 1, j + 1);
    std::vector<double> w(d.punkte.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < d.punkte.size(); ++i) {
            const double p = d.punkte[i];
            int lo = 1;
            int hi = n + 1;
            while (hi - lo > 1) {
                int mitte = (lo + hi) / 2;
                if (xk[mitte - 1] < p)
                    lo = mitte;
                else
                    hi = mitte;
            }
            const double *z = &c[4 * static_cast<std::size_t>(lo - 1)];
            const double t = p - xk[lo - 1];
            w[i] = ((z[0] * t + z[1]) * t + z[2]) * t + z[3];
        }
        benchmark::DoNotOptimize(w.data());
    }
    je_punkt(state, d.punkte.size());
}

#ifdef NUMERIK_MIT_GSL
// gsl_spline_eval with its accelerator: the cubic spline (Hermite 0) or
// Akima's (Hermite 1) on the same nodes and values.
void gsl_zufall(benchmark::State &state) {
    const bool aequidistant = state.range(1) != 0;
    const bool hermite = state.range(2) != 0;
    daten d = erzeugen(static_cast<int>(state.range(0)), aequidistant);
    gsl_spline *s = gsl_spline_alloc(hermite ? gsl_interp_akima : gsl_interp_cspline, d.x.size());
    gsl_spline_init(s, d.x.data(), d.y.data(), d.x.size());
    gsl_interp_accel *acc = gsl_interp_accel_alloc();
    std::vector<double> w(d.punkte.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < d.punkte.size(); ++i)
            w[i] = gsl_spline_eval(s, d.punkte[i], acc);
        benchmark::DoNotOptimize(w.data());
    }
    gsl_interp_accel_free(acc);
    gsl_spline_free(s);
    je_punkt(state, d.punkte.size());
}
#endif

// The first derivative at ascending points through the one-point slot, and
// 10^5 short integrals (each over about three node steps at a random place)
// through the integral slot: natural spline on 10^4 given nodes.  arg: 0
// derivative, 1 integral.
constexpr int SLOT_KNOTEN = 10000;
constexpr std::size_t KURZE_INTEGRALE = 100000;

std::vector<double> aufsteigend(const daten &d) {
    std::vector<double> p(d.punkte);
    std::sort(p.begin(), p.end());
    return p;
}

void numerik_slot(benchmark::State &state) {
    daten d = erzeugen(SLOT_KNOTEN, false);
    interpolation_zeiger ip = anlegen(d, false, false);
    const interpolation_funktionen *f = interpolation_tabelle(ip.get());
    const std::vector<double> p = aufsteigend(d);
    const double breite = 3.0 / SLOT_KNOTEN;
    for (auto _ : state) {
        double summe = 0.0;
        if (state.range(0) == 0)
            for (double x : p)
                summe += f->ableitung1(ip.get(), x);
        else
            for (std::size_t i = 0; i < KURZE_INTEGRALE; ++i)
                summe += f->integral(ip.get(), d.punkte[i], d.punkte[i] + breite);
        benchmark::DoNotOptimize(summe);
    }
    je_punkt(state, state.range(0) == 0 ? p.size() : KURZE_INTEGRALE);
}

#ifdef NUMERIK_MIT_GSL
void gsl_slot(benchmark::State &state) {
    daten d = erzeugen(SLOT_KNOTEN, false);
    gsl_spline *s = gsl_spline_alloc(gsl_interp_cspline, d.x.size());
    gsl_spline_init(s, d.x.data(), d.y.data(), d.x.size());
    gsl_interp_accel *acc = gsl_interp_accel_alloc();
    const std::vector<double> p = aufsteigend(d);
    const double breite = 3.0 / SLOT_KNOTEN;
    for (auto _ : state) {
        double summe = 0.0;
        if (state.range(0) == 0)
            for (double x : p)
                summe += gsl_spline_eval_deriv(s, x, acc);
        else
            // GSL refuses a bound beyond the last node: the same integrals,
            // cut there.
            for (std::size_t i = 0; i < KURZE_INTEGRALE; ++i)
                summe +=
                    gsl_spline_eval_integ(s, d.punkte[i], std::min(d.punkte[i] + breite, 1.0), acc);
        benchmark::DoNotOptimize(summe);
    }
    gsl_interp_accel_free(acc);
    gsl_spline_free(s);
    je_punkt(state, state.range(0) == 0 ? p.size() : KURZE_INTEGRALE);
}
#endif

void faelle(benchmark::internal::Benchmark *b) {
    for (long knoten : {1000000L, 10000L})
        for (long aequidistant : {0L, 1L})
            for (long hermite : {0L, 1L})
                b->Args({knoten, aequidistant, hermite});
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(numerik_zufall)->Apply(faelle);
BENCHMARK(numerik_zufall_einzeln)->Apply(faelle);
BENCHMARK(bisektion_zufall)
    ->Args({1000000, 0, 0})
    ->Args({1000000, 1, 0})
    ->Args({10000, 0, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(numerik_slot)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#ifdef NUMERIK_MIT_GSL
BENCHMARK(gsl_zufall)->Apply(faelle);
BENCHMARK(gsl_slot)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK_MAIN();
