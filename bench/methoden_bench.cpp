// Creation and evaluation of each method of the study's table beside the
// natural spline on the same nodes, alternated in one loop: every
// iteration times the method, then the natural spline, so that both see
// the same machine state.  Counters:
//   je_knoten / je_punkt   the method's time per node (creation) or per
//                          point (evaluation), in seconds ("12.3ns");
//   zu_nat_spline          the method's time over the natural spline's.
// The piecewise forms (splines, Hermite) run n = 10^3 .. 10^6 and evaluate
// 10^6 points; the global forms (rational, first-kind points) run
// n = 10^2 .. 10^5 and evaluate 1001 points, a sum over all nodes each, so
// je_punkt is per point and node there.  Problem 4 (1/(1+x^2) on [-9, 9]).
//
//   build-bench/bin/methoden_bench
//   build-bench/bin/methoden_bench --benchmark_filter='Rat-a'
#include "numerik/beispielfunktionen.h"
#include "numerik/hermiteipl.h"
#include "numerik/interplt.h"
#include "numerik/methoden.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <vector>

namespace {

using uhr = std::chrono::steady_clock;

const beispielfunktion &problem = funktion[3];

matrix_zeiger werte(const methode &me, int n) {
    // The values at the nodes creation places: ask a throwaway interpolant
    // of the row for its nodes.
    nmmatrix_parameter leer = {n + 1, 1, "y", 0};
    matrix_zeiger y(matrix_tabelle(&nm_matrix)->kreieren(&leer, nullptr));
    interpolation_zeiger ip(methode_erzeugen(&me, "x", me.stuetzstellenart, nullptr, problem.a,
                                             problem.b, y.get(), &problem));
    objekt *x = interpolation_tabelle(ip.get())->imVektor(ip.get(), 0);
    for (int i = 1; i <= n + 1; ++i)
        nmmatrix_setzen(y.get(), i, 1, beispiel_f(&problem, nmmatrix_amIndex(x, i, 1)));
    return y;
}

objekt *erzeugen(const methode &me, objekt *y) {
    return methode_erzeugen(&me, "b", me.stuetzstellenart, nullptr, problem.a, problem.b, y,
                            &problem);
}

double sekunden(uhr::time_point seit) {
    return std::chrono::duration<double>(uhr::now() - seit).count();
}

void zaehler(benchmark::State &state, const char *name, double anzahl, double eigen,
             double natuerlich) {
    state.counters[name] = benchmark::Counter(
        anzahl, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["zu_nat_spline"] = natuerlich > 0 ? eigen / natuerlich : 0.0;
}

void erzeugung(benchmark::State &state, const methode *me) {
    const methode &nat = *methode_suchen("nat.Sp-a");
    int n = static_cast<int>(state.range(0));
    matrix_zeiger y = werte(*me, n);
    matrix_zeiger ynat = werte(nat, n);
    double eigen = 0;
    double natuerlich = 0;
    for (auto _ : state) {
        auto t0 = uhr::now();
        interpolation_zeiger ip(erzeugen(*me, y.get()));
        benchmark::DoNotOptimize(ip.get());
        double t = sekunden(t0);
        eigen += t;
        state.SetIterationTime(t);
        t0 = uhr::now();
        interpolation_zeiger sp(erzeugen(nat, ynat.get()));
        benchmark::DoNotOptimize(sp.get());
        natuerlich += sekunden(t0);
    }
    zaehler(state, "je_knoten", n + 1, eigen, natuerlich);
}

void auswertung(benchmark::State &state, const methode *me, int punkte, bool je_knoten) {
    const methode &nat = *methode_suchen("nat.Sp-a");
    int n = static_cast<int>(state.range(0));
    matrix_zeiger y = werte(*me, n);
    matrix_zeiger ynat = werte(nat, n);
    interpolation_zeiger ip(erzeugen(*me, y.get()));
    interpolation_zeiger sp(erzeugen(nat, ynat.get()));
    auto alle = [&](objekt *i) {
        double summe = 0;
        double (*wert)(objekt *, double) = interpolation_tabelle(i)->funktionswert;
        for (int k = 0; k < punkte; ++k)
            summe += wert(i, aequidistanter_punkt(k, punkte - 1, problem.a, problem.b));
        return summe;
    };
    double eigen = 0;
    double natuerlich = 0;
    for (auto _ : state) {
        auto t0 = uhr::now();
        benchmark::DoNotOptimize(alle(ip.get()));
        double t = sekunden(t0);
        eigen += t;
        state.SetIterationTime(t);
        t0 = uhr::now();
        benchmark::DoNotOptimize(alle(sp.get()));
        natuerlich += sekunden(t0);
    }
    zaehler(state, je_knoten ? "je_punkt_knoten" : "je_punkt",
            je_knoten ? static_cast<double>(punkte) * (n + 1) : punkte, eigen, natuerlich);
}

bool stueckweise(const methode &me) {
    return interpolationstyp_von(me.art)->global == 0;
}

// Every row but the Newton form's (bench/baryzipl_bench.cpp compares it with
// the barycentric form) and the periodic spline's (its problem must be
// periodic; the same banded solve as the others).
int anmelden() {
    for (int r = 0; r < methoden_anzahl; ++r) {
        const methode *me = &methoden[r];
        if (me->art == &newton_interpolation || me->periodisch) continue;
        bool lokal = stueckweise(*me);
        long von = lokal ? 1000 : 100;
        long bis = lokal ? 1000000 : 100000;
        std::string name = me->spalte;
        benchmark::RegisterBenchmark((name + "/erzeugen").c_str(),
                                     [me](benchmark::State &s) { erzeugung(s, me); })
            ->RangeMultiplier(10)
            ->Range(von, bis)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(
            (name + "/auswerten").c_str(),
            [me, lokal](benchmark::State &s) { auswertung(s, me, lokal ? 1000000 : 1001, !lokal); })
            ->RangeMultiplier(10)
            ->Range(von, bis)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    return 0;
}

// Registered before BENCHMARK_MAIN's main runs.
const int angemeldet = anmelden();

} // namespace

BENCHMARK_MAIN();
