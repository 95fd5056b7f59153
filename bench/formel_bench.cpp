// A formula (numerik/formel.h, muparser's bytecode) against the compiled
// example function it stands for: Runge's function 1/(1+x^2) at 10^6
// points of [-9, 9], per point through the study's one shape (f called
// with its context), and the study at n = 10^4 whose f is either.
#include "numerik/formel.h"
#include "numerik/studie.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int PUNKTE = 1000000;

using formel_zeiger = std::unique_ptr<formelfunktion, void (*)(formelfunktion *)>;

formel_zeiger runge_formel() {
    const beispielfunktion &p = funktion[3];
    return formel_zeiger(formel_erzeugen(p.formel, p.a, p.b), formel_freigeben);
}

void werte(benchmark::State &state, const beispielfunktion &p) {
    for (auto _ : state) {
        double summe = 0.0;
        for (int i = 0; i < PUNKTE; ++i)
            summe += beispiel_f(&p, aequidistanter_punkt(i, PUNKTE - 1, p.a, p.b));
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * PUNKTE);
}

// The baseline: the compiled closed form.
void beispiel_werte(benchmark::State &state) {
    werte(state, funktion[3]);
}

void formel_werte(benchmark::State &state) {
    formel_zeiger f = runge_formel();
    werte(state, formel_als_funktion(f.get()));
}

// The study of the overview columns at n = 10^4 on its default grid
// (10 n + 1 points): f is evaluated at the nodes and at every grid point
// once per column, against n evaluation steps per grid point for the
// polynomials.
void studie(benchmark::State &state, const beispielfunktion &p, int m) {
    for (auto _ : state) {
        struct studie s = studie_durchfuehren(p, m, {10000}, 0, SPALTEN_UEBERSICHT);
        benchmark::DoNotOptimize(s.werte.data());
    }
}

void beispiel_studie(benchmark::State &state) {
    studie(state, funktion[3], 4);
}

void formel_studie(benchmark::State &state) {
    formel_zeiger f = runge_formel();
    studie(state, formel_als_funktion(f.get()), FORMEL_PROBLEM);
}

} // namespace

BENCHMARK(beispiel_werte)->Unit(benchmark::kMillisecond);
BENCHMARK(formel_werte)->Unit(benchmark::kMillisecond);
BENCHMARK(beispiel_studie)->Unit(benchmark::kMillisecond);
BENCHMARK(formel_studie)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
