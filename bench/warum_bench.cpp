// What the explanation of a study costs beside the study itself: the
// page's default case (problem 4, n = 4 .. 64, the overview's columns, 1001
// points), measured alternately in one loop, so that both see the same
// machine state.  Counters:
//   studie_s   the study alone (studie_durchfuehren and its marks), seconds;
//   warum_s    the theory's analysis and verdicts (warum_analysieren,
//              warum_erklaeren), seconds;
//   zu_studie  warum_s over studie_s.
// Cases for problems 2 (entire: the slowest AAA fits) and 3 too.
//
//   build-bench/bin/warum_bench
#include "numerik/befund.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using uhr = std::chrono::steady_clock;

void erklaerung(benchmark::State &zustand) {
    const int m = static_cast<int>(zustand.range(0));
    double studie_s = 0.0;
    double warum_s = 0.0;
    for (auto _ : zustand) {
        const auto t0 = uhr::now();
        const studie s = studie_durchfuehren(m, {4, 8, 16, 32, 64}, 1001, SPALTEN_UEBERSICHT);
        const befund b = studie_marken(s);
        const auto t1 = uhr::now();
        const warum w =
            warum_erklaeren(s, b, warum_analysieren(funktion[m - 1]), WARUM_TOLERANZ_STANDARD);
        const auto t2 = uhr::now();
        benchmark::DoNotOptimize(w.empfehlung.data());
        studie_s += std::chrono::duration<double>(t1 - t0).count();
        warum_s += std::chrono::duration<double>(t2 - t1).count();
    }
    const double laeufe = static_cast<double>(zustand.iterations());
    zustand.counters["studie_s"] = studie_s / laeufe;
    zustand.counters["warum_s"] = warum_s / laeufe;
    zustand.counters["zu_studie"] = warum_s / studie_s;
}

} // namespace

BENCHMARK(erklaerung)->Arg(4)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
