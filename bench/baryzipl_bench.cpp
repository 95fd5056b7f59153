// The interpolating polynomial in barycentric form beside the Newton form of
// the same problem (Chebyshev points on [-9, 9], values of 1/(x^2 + 1)), and
// the study at n = 10^5 beside the one interpolant that dominates it.
//
//  - creation: closed-form weights, O(n), against divided differences,
//    O(n^2); for given nodes (the product formula, O(n^2)) as well.  Time
//    per node (the counter je_knoten, in seconds: "12.3ns").
//  - evaluation at 1001 points: both O(n) a point, one point a call and
//    the array slot, beside the barycentric formula as a plain scalar loop.
//    Time per node and point (je_knoten_punkt).
//  - the study of problem 4 at n = 10^5 on 1001 points (every column of the
//    overview but Newton's, which stops at n = 10^4), against creating and
//    evaluating the barycentric interpolant on Chebyshev points alone.
#include "numerik/baryzipl.h"
#include "numerik/interplt.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/studie.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

constexpr int PUNKTE = 1001;

matrix_zeiger vektor(const std::vector<double> &werte) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, "v", 0};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

// The n+1 Chebyshev extreme points of [-9, 9], placed as creation places
// them, and the values of 1/(x^2 + 1) there.
std::vector<double> tschebyscheff(int n) {
    const double pi = 4.0 * std::atan(1.0);
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        x[i] = 0.0 + std::cos(i * pi / n) * -18.0 / 2.0;
    return x;
}

std::vector<double> werte(const std::vector<double> &x) {
    std::vector<double> y;
    for (double t : x)
        y.push_back(1.0 / (t * t + 1.0));
    return y;
}

objekt *kreieren(klasse *art, int knotenart, objekt *x, objekt *y) {
    if (art == &baryzentrische_interpolation) {
        baryzentrischeinterpolation_parameter p = {"b", knotenart, x, -9.0, 9.0, y};
        return interpolation_tabelle(art)->kreieren(&p, nullptr);
    }
    newtoninterpolation_parameter p = {"n", knotenart, x, -9.0, 9.0, y, 0};
    return interpolation_tabelle(art)->kreieren(&p, nullptr);
}

void je(benchmark::State &state, const char *name, double anzahl) {
    state.counters[name] = benchmark::Counter(
        anzahl, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void erzeugen(benchmark::State &state, klasse *art, int knotenart) {
    int n = static_cast<int>(state.range(0));
    std::vector<double> x = tschebyscheff(n);
    matrix_zeiger xv = vektor(x);
    matrix_zeiger yv = vektor(werte(x));
    for (auto _ : state) {
        interpolation_zeiger ip(kreieren(art, knotenart, xv.get(), yv.get()));
        benchmark::DoNotOptimize(ip.get());
    }
    je(state, "je_knoten", n + 1);
}

void auswerten(benchmark::State &state, klasse *art) {
    int n = static_cast<int>(state.range(0));
    std::vector<double> x = tschebyscheff(n);
    matrix_zeiger yv = vektor(werte(x));
    interpolation_zeiger ip(kreieren(art, STUETZSTELLEN_TSCHEBYSCHEFF, nullptr, yv.get()));
    const interpolation_funktionen *f = interpolation_tabelle(ip.get());
    for (auto _ : state) {
        double summe = 0.0;
        for (int i = 0; i < PUNKTE; ++i)
            summe += f->funktionswert(ip.get(), aequidistanter_punkt(i, PUNKTE - 1, -9.0, 9.0));
        benchmark::DoNotOptimize(summe);
    }
    je(state, "je_knoten_punkt", static_cast<double>(n + 1) * PUNKTE);
}

// The same points through the array slot (one thread: NUMERIK_FAEDEN=1).
void feld_auswerten(benchmark::State &state, klasse *art) {
    int n = static_cast<int>(state.range(0));
    std::vector<double> x = tschebyscheff(n);
    matrix_zeiger yv = vektor(werte(x));
    interpolation_zeiger ip(kreieren(art, STUETZSTELLEN_TSCHEBYSCHEFF, nullptr, yv.get()));
    std::vector<double> punkte(PUNKTE);
    std::vector<double> y(PUNKTE);
    for (int i = 0; i < PUNKTE; ++i)
        punkte[i] = aequidistanter_punkt(i, PUNKTE - 1, -9.0, 9.0);
    for (auto _ : state) {
        interpolation_werte(ip.get(), punkte.data(), y.data(), PUNKTE);
        benchmark::DoNotOptimize(y.data());
    }
    je(state, "je_knoten_punkt", static_cast<double>(n + 1) * PUNKTE);
}

void bary_erzeugen(benchmark::State &state) {
    erzeugen(state, &baryzentrische_interpolation, STUETZSTELLEN_TSCHEBYSCHEFF);
}
void newton_erzeugen(benchmark::State &state) {
    erzeugen(state, &newton_interpolation, STUETZSTELLEN_TSCHEBYSCHEFF);
}
void bary_erzeugen_gegeben(benchmark::State &state) {
    erzeugen(state, &baryzentrische_interpolation, STUETZSTELLEN_GEGEBEN);
}
void newton_erzeugen_gegeben(benchmark::State &state) {
    erzeugen(state, &newton_interpolation, STUETZSTELLEN_GEGEBEN);
}
void bary_auswerten(benchmark::State &state) {
    auswerten(state, &baryzentrische_interpolation);
}
void newton_auswerten(benchmark::State &state) {
    auswerten(state, &newton_interpolation);
}

void bary_feld(benchmark::State &state) {
    feld_auswerten(state, &baryzentrische_interpolation);
}
void newton_feld(benchmark::State &state) {
    feld_auswerten(state, &newton_interpolation);
}

// The baseline of both: the barycentric formula as a plain loop over the
// nodes, one division a node and point, with the closed-form weights of the
// extreme points ((-1)^j, halved at both ends).
void bary_skalar(benchmark::State &state) {
    int n = static_cast<int>(state.range(0));
    std::vector<double> x = tschebyscheff(n);
    std::vector<double> f = werte(x);
    std::vector<double> w(x.size());
    for (int j = 0; j <= n; ++j)
        w[j] = (j % 2 == 0 ? 1.0 : -1.0) * (j == 0 || j == n ? 0.5 : 1.0);
    for (auto _ : state) {
        double summe = 0.0;
        for (int i = 0; i < PUNKTE; ++i) {
            const double p = aequidistanter_punkt(i, PUNKTE - 1, -9.0, 9.0);
            double zaehler = 0.0;
            double nenner = 0.0;
            int knoten = -1;
            for (int j = 0; j <= n && knoten < 0; ++j) {
                const double d = p - x[j];
                if (d == 0.0) {
                    knoten = j;
                } else {
                    const double t = w[j] / d;
                    zaehler += t * f[j];
                    nenner += t;
                }
            }
            summe += knoten >= 0 ? f[knoten] : zaehler / nenner;
        }
        benchmark::DoNotOptimize(summe);
    }
    je(state, "je_knoten_punkt", static_cast<double>(n + 1) * PUNKTE);
}

void studie_gross(benchmark::State &state) {
    for (auto _ : state) {
        studie s = studie_durchfuehren(4, {100000}, PUNKTE, SPALTEN_UEBERSICHT);
        benchmark::DoNotOptimize(s.werte.data());
    }
}

// The baseline: one column of it, the polynomial on Chebyshev points.
void studie_eine_spalte(benchmark::State &state) {
    const methode *bary_t = methode_suchen("Bary-t");
    for (auto _ : state) {
        interpolation_zeiger ip = erzeugen(*bary_t, funktion[3], 4, 100000);
        benchmark::DoNotOptimize(groesster_fehler(ip.get(), funktion[3], PUNKTE));
    }
}

} // namespace

BENCHMARK(bary_erzeugen)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(newton_erzeugen)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(bary_erzeugen_gegeben)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(newton_erzeugen_gegeben)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(bary_auswerten)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(bary_feld)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(newton_auswerten)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(newton_feld)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(bary_skalar)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(studie_gross)->Unit(benchmark::kMillisecond);
BENCHMARK(studie_eine_spalte)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
