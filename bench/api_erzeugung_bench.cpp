// Creation through the generic entry from plain arrays of doubles, as a
// caller that holds its data in arrays does it (nmmatrix_aus_feld, then
// interpolation_erzeugen with every check, then release): the library's
// own time, the baseline of the Python module's creation
// (bench/python_erzeugung.py runs both by turns) and of the numpy version
// of the Floater-Hormann weights (bench/fh_numpy.py).
//
// Data as in bench/python_erzeugung.py: n + 1 ascending random nodes on
// [0, 1] (sorted uniform draws, seed 1), values sin(40 x), the last value
// the first one's for the periodic spline.
//
//   build-bench/bin/api_erzeugung_bench --benchmark_filter='hermite'
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"

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

daten erzeugen(int anzahl, bool periodisch) {
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
    if (periodisch) d.y.back() = d.y.front();
    return d;
}

// Options set by their keys; a null key ends the list.
struct option {
    const char *schluessel;
    double wert;
};
struct optionen {
    option o[3];
};

// The class of short name kurz with the given options.
void erzeugung(benchmark::State &state, const char *kurz, optionen gesetzt) {
    const int anzahl = static_cast<int>(state.range(0)) + 1;
    const bool periodisch = std::string(kurz) == "Spline" &&
                            gesetzt.o[0].wert == static_cast<double>(SPLINE_PERIODISCH);
    const daten d = erzeugen(anzahl, periodisch);
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
        for (const option &o : gesetzt.o)
            if (o.schluessel != nullptr) interpolation_option_setzen(&p, o.schluessel, o.wert);
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

#define FALL(name, kurz, anzahl, ...)                                                              \
    BENCHMARK_CAPTURE(erzeugung, name, kurz, optionen{{__VA_ARGS__}})                              \
        ->Name("api_erzeugung/" #name)                                                             \
        ->Arg(anzahl)                                                                              \
        ->MinTime(0.5)                                                                             \
        ->Unit(benchmark::kMillisecond);

FALL(hermite, "Hermite", 1000000, {"steigungen", 0.0})
FALL(akima, "Hermite", 1000000, {"steigungen", 1.0})
FALL(akima_modifiziert, "Hermite", 1000000, {"steigungen", 2.0})
FALL(notaknot, "Spline", 1000000, {"ende", 4.0})
FALL(natuerlich, "Spline", 1000000, {"ende", 1.0})
FALL(abl2, "Spline", 1000000, {"ende", 0.0}, {"links", 0.5}, {"rechts", -1.0})
FALL(eingespannt, "Spline", 1000000, {"ende", 5.0}, {"links", 0.5}, {"rechts", -1.0})
FALL(periodisch, "Spline", 1000000, {"ende", 2.0})
FALL(rational, "Rational", 10000, {"d", 3.0})

BENCHMARK_MAIN();
