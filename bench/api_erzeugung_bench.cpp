// Creation through the generic entry from plain arrays of doubles, as a
// caller that holds its data in arrays does it (nmmatrix_aus_feld, then
// interpolation_erzeugen with every check, then release): the library's
// own time, the baseline of the Python module's creation
// (bench/python_erzeugung.py runs both by turns) and of the numpy version
// of the Floater-Hormann weights (bench/fh_numpy.py).
//
// Data as in bench/python_erzeugung.py: n + 1 ascending random nodes on
// [0, 1] (sorted uniform draws, seed 1), values sin(40 x).
//
//   build-bench/bin/api_erzeugung_bench --benchmark_filter='hermite'
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "numerik/rationalipl.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

struct daten {
    std::vector<double> x;
    std::vector<double> y;
};

daten erzeugen(int anzahl) {
    std::mt19937_64 zufall(1);
    std::uniform_real_distribution<double> gleich(0.0, 1.0);
    daten d;
    d.x.resize(static_cast<std::size_t>(anzahl));
    for (double &w : d.x)
        w = gleich(zufall);
    std::sort(d.x.begin(), d.x.end());
    for (std::size_t i = 1; i < d.x.size(); ++i)
        if (!(d.x[i] > d.x[i - 1])) d.x[i] = std::nextafter(d.x[i - 1], 2.0);
    d.y.resize(d.x.size());
    for (std::size_t i = 0; i < d.x.size(); ++i)
        d.y[i] = std::sin(40 * d.x[i]);
    return d;
}

// The class of short name kurz with option 0 set to wert (by its key).
void erzeugung(benchmark::State &state, const char *kurz, const char *option, double wert) {
    const int anzahl = static_cast<int>(state.range(0)) + 1;
    const daten d = erzeugen(anzahl);
    const interpolationstyp *t = nullptr;
    for (int k = 0; k < interpolationstypen_anzahl(); ++k)
        if (std::string(interpolationstyp_an(k)->kurzname) == kurz) t = interpolationstyp_an(k);
    if (t == nullptr) {
        state.SkipWithError("keine solche Klasse");
        return;
    }
    auto einmal = [&] {
        nmmatrix_parameter xp = {anzahl, 1, "Stuetzstellen", 0};
        nmmatrix_parameter yp = {anzahl, 1, "Stuetzwerte", 0};
        matrix_zeiger x(nmmatrix_aus_feld(&xp, d.x.data()));
        matrix_zeiger y(nmmatrix_aus_feld(&yp, d.y.data()));
        interpolation_problem p{};
        interpolation_problem_vorbelegen(&p, t->beschreibung);
        p.name = "unbenannt";
        if (option != nullptr) interpolation_option_setzen(&p, option, wert);
        p.stuetzstellen = x.get();
        p.stuetzwerte = y.get();
        interpolation_zeiger ip(interpolation_erzeugen(&p, nullptr));
        benchmark::DoNotOptimize(ip.get());
    };
    // Untimed rounds first: the allocator's thresholds settle on the sizes
    // of the vectors (as in a process that creates more than once).
    for (int i = 0; i < 3; ++i)
        einmal();
    for (auto _ : state)
        einmal();
}

} // namespace

BENCHMARK_CAPTURE(erzeugung, hermite, "Hermite", "steigungen", 0.0)
    ->Name("api_erzeugung/hermite")
    ->Arg(1000000)
    ->MinTime(0.5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(erzeugung, akima, "Hermite", "steigungen", 1.0)
    ->Name("api_erzeugung/akima")
    ->Arg(1000000)
    ->MinTime(0.5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(erzeugung, notaknot, "Spline", "ende", 4.0)
    ->Name("api_erzeugung/notaknot")
    ->Arg(1000000)
    ->MinTime(0.5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(erzeugung, natuerlich, "Spline", "ende", 1.0)
    ->Name("api_erzeugung/natuerlich")
    ->Arg(1000000)
    ->MinTime(0.5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(erzeugung, rational, "Rational", "d", 3.0)
    ->Name("api_erzeugung/rational")
    ->Arg(10000)
    ->MinTime(0.5)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
