// Spline creation, spline evaluation at sorted points and Newton divided
// differences through the library's tables, each beside a baseline doing the
// same work: GSL's cubic splines on the same nodes (when built with GSL), the
// plain bisection over the node array, and the divided-difference recurrence
// as a plain double loop.
//
// The spline cases are also the scale runs of the library: time and memory
// grow linearly with the number of nodes, and every spline is checked once,
// outside the timed loop, against the function it interpolates.
#include "numerik/interplt.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#ifdef NUMERIK_MIT_GSL
#include <gsl/gsl_errno.h>
#include <gsl/gsl_spline.h>
#endif

namespace {

const double ZWEI_PI = 8 * std::atan(1.0);

using vektor_ptr = matrix_zeiger;
using interpolation_ptr = interpolation_zeiger;

// The entries of a column, for the baselines' plain loops.
std::vector<double> spalten_von(objekt *v) {
    const matrix_funktionen *f = matrix_tabelle(v);
    std::vector<double> werte(static_cast<std::size_t>(f->hoehe(v)) * f->breite(v));
    for (int i = 0; i < f->hoehe(v); ++i)
        for (int j = 0; j < f->breite(v); ++j)
            werte[static_cast<std::size_t>(i) * f->breite(v) + j] = f->amIndex(v, i + 1, j + 1);
    return werte;
}

vektor_ptr vektor_aus(const std::vector<double> &werte) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, "Stuetzwerte", 0};
    vektor_ptr v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

// The nodes of node kind 1 on [0, 2 pi], formed as the library forms them.
std::vector<double> knoten(int anzahl) {
    std::vector<double> x(anzahl);
    int n = anzahl - 1;
    for (int i = 0; i <= n; ++i)
        x[i] = aequidistanter_punkt(i, n, 0.0, ZWEI_PI);
    return x;
}

// sin suits the natural spline, whose second derivative vanishes at both
// ends; cos the periodic one, with equal end values.
double beispiel(double x, int splineart) {
    return splineart == SPLINE_PERIODISCH ? std::cos(x) : std::sin(x);
}

std::vector<double> werte(const std::vector<double> &x, int splineart) {
    std::vector<double> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        y[i] = beispiel(x[i], splineart);
    // sin(2 pi) and cos(2 pi) as the values at 0 (0 and 1), so that the
    // periodic spline needs no averaging.
    y.back() = y.front();
    return y;
}

objekt *spline_kreieren(objekt *stuetzwerte, int splineart) {
    splineinterpolation_parameter p = {};
    p.name = "Skala";
    p.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    p.a = 0.0;
    p.b = ZWEI_PI;
    p.stuetzwerte = stuetzwerte;
    p.splineart = splineart;
    return interpolation_tabelle(&spline_interpolation)->kreieren(&p, nullptr);
}

// The scale check of every spline size: within 1e-6 of the function.
bool genau(objekt *s, int splineart) {
    double groesster = 0.0;
    for (int k = 0; k <= 1000; ++k) {
        double x = k * ZWEI_PI / 1000;
        double abstand =
            std::fabs(interpolation_tabelle(s)->funktionswert(s, x) - beispiel(x, splineart));
        groesster = std::fmax(groesster, abstand);
    }
    return groesster < 1e-6;
}

void pro_element(benchmark::State &state, long long anzahl) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * anzahl);
}

// Creation through the descriptor and release through the object's table,
// as a program does it: allocation, node placement, the coefficient step.
void spline_erzeugen(benchmark::State &state, int splineart) {
    int anzahl = static_cast<int>(state.range(0));
    vektor_ptr y = vektor_aus(werte(knoten(anzahl), splineart));
    for (auto _ : state) {
        objekt *s = spline_kreieren(y.get(), splineart);
        benchmark::DoNotOptimize(s);
        interpolation_tabelle(s)->freigeben(s);
    }
    interpolation_ptr s(spline_kreieren(y.get(), splineart));
    if (!genau(s.get(), splineart)) state.SkipWithError("spline not within 1e-6");
    pro_element(state, anzahl);
}

// The points of kurvenpunkte: (i*R + (n-i)*L) / n, i = 0..n.
std::vector<double> punkte(double links, double rechts, int n) {
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        x[i] = aequidistanter_punkt(i, n, links, rechts);
    return x;
}

constexpr int AUSWERTE_KNOTEN = 1000000;
constexpr int AUSWERTE_PUNKTE = 10000000;

// 10^7 + 1 sorted points over a natural spline of 10^6 nodes, each through
// the funktionswert slot.
void spline_auswerten(benchmark::State &state) {
    vektor_ptr y = vektor_aus(werte(knoten(AUSWERTE_KNOTEN), SPLINE_NATUERLICH));
    interpolation_ptr s(spline_kreieren(y.get(), SPLINE_NATUERLICH));
    const interpolation_funktionen *f = interpolation_tabelle(s.get());
    std::vector<double> x =
        punkte(f->linkeGrenze(s.get()), f->rechteGrenze(s.get()), AUSWERTE_PUNKTE);
    for (auto _ : state) {
        double summe = 0.0;
        for (double xi : x)
            summe += f->funktionswert(s.get(), xi);
        benchmark::DoNotOptimize(summe);
    }
    pro_element(state, static_cast<long long>(x.size()));
}

// The same points through the array slot (interpolation_werte) into one
// buffer, on one thread (arg 1) or two (arg 2): against spline_auswerten,
// what stepping from interval to interval and the second core save.
void spline_feld_auswerten(benchmark::State &state) {
    vektor_ptr y = vektor_aus(werte(knoten(AUSWERTE_KNOTEN), SPLINE_NATUERLICH));
    interpolation_ptr s(spline_kreieren(y.get(), SPLINE_NATUERLICH));
    const interpolation_funktionen *f = interpolation_tabelle(s.get());
    std::vector<double> x =
        punkte(f->linkeGrenze(s.get()), f->rechteGrenze(s.get()), AUSWERTE_PUNKTE);
    std::vector<double> w(x.size());
    const int vorher = zahl_faeden_setzen(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        interpolation_werte(s.get(), x.data(), w.data(), x.size());
        benchmark::DoNotOptimize(w.data());
    }
    zahl_faeden_setzen(vorher);
    pro_element(state, static_cast<long long>(x.size()));
}

// The same points and coefficients with the plain bisection over the node
// array and Horner's rule: what one evaluation costs without a faster search.
void spline_auswerten_bisektion(benchmark::State &state) {
    vektor_ptr y = vektor_aus(werte(knoten(AUSWERTE_KNOTEN), SPLINE_NATUERLICH));
    interpolation_ptr s(spline_kreieren(y.get(), SPLINE_NATUERLICH));
    const interpolation_funktionen *f = interpolation_tabelle(s.get());
    const std::vector<double> xk_werte = spalten_von(f->imVektor(s.get(), 0));
    const std::vector<double> c_werte = spalten_von(f->imVektor(s.get(), 2));
    const double *xk = xk_werte.data();
    const double *c = c_werte.data();
    int n = AUSWERTE_KNOTEN - 1;
    std::vector<double> x =
        punkte(f->linkeGrenze(s.get()), f->rechteGrenze(s.get()), AUSWERTE_PUNKTE);
    for (auto _ : state) {
        double summe = 0.0;
        for (double xi : x) {
            int lo = 1;
            int hi = n + 1;
            while (hi - lo > 1) {
                int mitte = (lo + hi) / 2;
                if (xk[mitte - 1] < xi)
                    lo = mitte;
                else
                    hi = mitte;
            }
            const double *z = c + 4 * static_cast<std::size_t>(lo - 1);
            double t = xi - xk[lo - 1];
            summe += ((z[0] * t + z[1]) * t + z[2]) * t + z[3];
        }
        benchmark::DoNotOptimize(summe);
    }
    pro_element(state, static_cast<long long>(x.size()));
}

// Newton interpolation of node kind 1 on [-1, 1]: creation is dominated by
// the n(n+1)/2 divisions of the divided differences.
std::vector<double> newton_werte(int n) {
    std::vector<double> y(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        y[i] = std::sin(3.0 * aequidistanter_punkt(i, n, -1.0, 1.0));
    return y;
}

void newton_erzeugen(benchmark::State &state) {
    int n = static_cast<int>(state.range(0));
    vektor_ptr y = vektor_aus(newton_werte(n));
    newtoninterpolation_parameter p = {
        "Newton", STUETZSTELLEN_AEQUIDISTANT, nullptr, -1.0, 1.0, y.get(), 0};
    const interpolation_funktionen *f = interpolation_tabelle(&newton_interpolation);
    for (auto _ : state) {
        objekt *ip = f->kreieren(&p, nullptr);
        benchmark::DoNotOptimize(ip);
        interpolation_tabelle(ip)->freigeben(ip);
    }
    pro_element(state, static_cast<long long>(n) * (n + 1) / 2);
}

// The recurrence alone on plain arrays: c(i) = y(i), then for k = 1..n and
// j = n down to k, c(j+1) = (c(j+1) - c(j)) / (x(j+1) - x(j+1-k)).
void newton_schleife(benchmark::State &state) {
    int n = static_cast<int>(state.range(0));
    std::vector<double> y = newton_werte(n);
    std::vector<double> x(y.size());
    for (int i = 0; i <= n; ++i)
        x[i] = aequidistanter_punkt(i, n, -1.0, 1.0);
    std::vector<double> c(y.size());
    for (auto _ : state) {
        std::copy(y.begin(), y.end(), c.begin());
        for (int k = 1; k <= n; ++k)
            for (int j = n; j >= k; --j)
                c[j] = (c[j] - c[j - 1]) / (x[j] - x[j - k]);
        benchmark::DoNotOptimize(c.data());
    }
    pro_element(state, static_cast<long long>(n) * (n + 1) / 2);
}

#ifdef NUMERIK_MIT_GSL
const gsl_interp_type *gsl_art(int splineart) {
    return splineart == SPLINE_PERIODISCH ? gsl_interp_cspline_periodic : gsl_interp_cspline;
}

// gsl_spline_alloc, gsl_spline_init and gsl_spline_free on the same nodes and
// values: the counterpart of creation and release through the tables.
void gsl_erzeugen(benchmark::State &state, int splineart) {
    int anzahl = static_cast<int>(state.range(0));
    std::vector<double> x = knoten(anzahl);
    std::vector<double> y = werte(x, splineart);
    for (auto _ : state) {
        gsl_spline *s = gsl_spline_alloc(gsl_art(splineart), x.size());
        gsl_spline_init(s, x.data(), y.data(), x.size());
        benchmark::DoNotOptimize(s);
        gsl_spline_free(s);
    }
    pro_element(state, anzahl);
}

// gsl_spline_init alone into a spline allocated once.
void gsl_init(benchmark::State &state, int splineart) {
    int anzahl = static_cast<int>(state.range(0));
    std::vector<double> x = knoten(anzahl);
    std::vector<double> y = werte(x, splineart);
    gsl_spline *s = gsl_spline_alloc(gsl_art(splineart), x.size());
    for (auto _ : state) {
        gsl_spline_init(s, x.data(), y.data(), x.size());
        benchmark::DoNotOptimize(s);
    }
    gsl_spline_free(s);
    pro_element(state, anzahl);
}

// gsl_spline_eval at the same points, with GSL's plain bisection (no
// accelerator) and with its accelerator.  Points a rounding step outside the
// node range are moved onto it, where GSL would report a domain error.
void gsl_auswerten(benchmark::State &state, bool beschleunigt) {
    std::vector<double> xk = knoten(AUSWERTE_KNOTEN);
    std::vector<double> y = werte(xk, SPLINE_NATUERLICH);
    gsl_spline *s = gsl_spline_alloc(gsl_interp_cspline, xk.size());
    gsl_spline_init(s, xk.data(), y.data(), xk.size());
    gsl_interp_accel *acc = beschleunigt ? gsl_interp_accel_alloc() : nullptr;
    std::vector<double> x = punkte(0.0, ZWEI_PI, AUSWERTE_PUNKTE);
    for (double &xi : x)
        xi = std::fmin(std::fmax(xi, xk.front()), xk.back());
    for (auto _ : state) {
        double summe = 0.0;
        for (double xi : x)
            summe += gsl_spline_eval(s, xi, acc);
        benchmark::DoNotOptimize(summe);
    }
    if (acc != nullptr) gsl_interp_accel_free(acc);
    gsl_spline_free(s);
    pro_element(state, static_cast<long long>(x.size()));
}
#endif

} // namespace

BENCHMARK_CAPTURE(spline_erzeugen, natuerlich, SPLINE_NATUERLICH)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(spline_erzeugen, periodisch, SPLINE_PERIODISCH)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(spline_auswerten)->Unit(benchmark::kMillisecond);
BENCHMARK(spline_auswerten_bisektion)->Unit(benchmark::kMillisecond);
BENCHMARK(spline_feld_auswerten)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(newton_erzeugen)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(newton_schleife)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
#ifdef NUMERIK_MIT_GSL
BENCHMARK_CAPTURE(gsl_erzeugen, natuerlich, SPLINE_NATUERLICH)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gsl_erzeugen, periodisch, SPLINE_PERIODISCH)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gsl_init, natuerlich, SPLINE_NATUERLICH)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gsl_init, periodisch, SPLINE_PERIODISCH)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gsl_auswerten, bisektion, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gsl_auswerten, beschleuniger, true)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
