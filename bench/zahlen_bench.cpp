// NM_MATRIX save and load against plain stdio loops that write and read the
// same text: fprintf("%f\n") for saving, fgets + sscanf("%lf") and
// fgets + strtod for loading.  The files are temporary files; the loops of
// one size write and read the same bytes.
#include "numerik/matrix.h"
#include "numerik/nmmatrix.h"
#include "numerik/zahlen.h"

#include <benchmark/benchmark.h>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Values as the workbench writes them: function values of a few units with
// some large and some tiny ones among them.
objekt *vektor(long long anzahl) {
    nmmatrix_parameter p = {static_cast<int>(anzahl), 1, "Y-Werte", 0};
    objekt *v = nmmatrix_kreieren(&p, nullptr);
    for (long long k = 0; k < anzahl; ++k) {
        double x = -5.0 + 10.0 * static_cast<double>(k) / static_cast<double>(anzahl);
        nmmatrix_setzen(v, static_cast<int>(k) + 1, 1,
                        std::sin(3.0 * x) * std::exp(x) / (1.0 + x * x));
    }
    return v;
}

// The entries of a vector, for the baselines' plain loops.
std::vector<double> eintraege_von(objekt *v) {
    std::vector<double> werte(nmmatrix_hoehe(v));
    for (std::size_t k = 0; k < werte.size(); ++k)
        werte[k] = nmmatrix_amIndex(v, static_cast<int>(k) + 1, 1);
    return werte;
}

struct vektor_frei {
    void operator()(objekt *v) const { nmmatrix_freigeben(v); }
};
using vektor_ptr = std::unique_ptr<objekt, vektor_frei>;

struct datei_zu {
    void operator()(FILE *f) const { std::fclose(f); }
};
using datei_ptr = std::unique_ptr<FILE, datei_zu>;

datei_ptr temporaer() {
    FILE *f = std::tmpfile();
    if (f == nullptr) {
        std::perror("tmpfile");
        std::exit(1);
    }
    return datei_ptr(f);
}

// Entries per second in the report.
void pro_eintrag(benchmark::State &state, long long anzahl) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * anzahl);
}

void speichern_nmmatrix(benchmark::State &state) {
    long long anzahl = state.range(0);
    vektor_ptr v(vektor(anzahl));
    datei_ptr aus = temporaer();
    for (auto _ : state) {
        std::rewind(aus.get());
        nmmatrix_speichern(v.get(), aus.get());
        std::fflush(aus.get());
    }
    pro_eintrag(state, anzahl);
}

void speichern_fprintf(benchmark::State &state) {
    long long anzahl = state.range(0);
    vektor_ptr v(vektor(anzahl));
    const std::vector<double> werte = eintraege_von(v.get());
    datei_ptr aus = temporaer();
    for (auto _ : state) {
        FILE *f = aus.get();
        std::rewind(f);
        std::fprintf(f, "NM_MATRIX: %s\n", "Y-Werte");
        std::fprintf(f, "n = %d\n", static_cast<int>(anzahl));
        std::fprintf(f, "m = %d\n", 1);
        for (long long k = 0; k < anzahl; ++k)
            std::fprintf(f, "%f\n", werte[k]);
        std::fflush(f);
    }
    pro_eintrag(state, anzahl);
}

// Saving with one and with two threads formatting (zahl_faeden_setzen):
// the same bytes, the time of each.
void speichern_faeden(benchmark::State &state) {
    long long anzahl = state.range(1);
    vektor_ptr v(vektor(anzahl));
    datei_ptr aus = temporaer();
    const int vorher = zahl_faeden_setzen(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::rewind(aus.get());
        nmmatrix_speichern(v.get(), aus.get());
        std::fflush(aus.get());
    }
    zahl_faeden_setzen(vorher);
    pro_eintrag(state, anzahl);
}

// The printed form of an n x 4 matrix (the coefficients of a spline of n
// intervals), with one and two threads, and the same bytes through fprintf
// with the formats of matrix_ausgeben.
objekt *koeffizienten(long long zeilen) {
    nmmatrix_parameter p = {static_cast<int>(zeilen), 4, "Koeffizientenmatrix", 0};
    objekt *m = nmmatrix_kreieren(&p, nullptr);
    for (long long i = 0; i < zeilen; ++i)
        for (int j = 0; j < 4; ++j) {
            double x = static_cast<double>(i) / static_cast<double>(zeilen);
            nmmatrix_setzen(m, static_cast<int>(i) + 1, j + 1,
                            std::sin(7.0 * x + j) * std::pow(10.0, 3 * j - 4));
        }
    return m;
}

void ausgeben_faeden(benchmark::State &state) {
    long long zeilen = state.range(1);
    vektor_ptr m(koeffizienten(zeilen));
    datei_ptr aus = temporaer();
    const int vorher = zahl_faeden_setzen(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::rewind(aus.get());
        matrix_ausgeben(m.get(), aus.get());
        std::fflush(aus.get());
    }
    zahl_faeden_setzen(vorher);
    pro_eintrag(state, 4 * zeilen);
}

void ausgeben_fprintf(benchmark::State &state) {
    long long zeilen = state.range(0);
    vektor_ptr m(koeffizienten(zeilen));
    datei_ptr aus = temporaer();
    for (auto _ : state) {
        FILE *f = aus.get();
        std::rewind(f);
        std::fprintf(f, "Matrix '%s':\n", nmmatrix_name(m.get()));
        for (long long i = 0; i < zeilen; ++i)
            for (int j = 0; j < 4; ++j) {
                double x = nmmatrix_amIndex(m.get(), static_cast<int>(i) + 1, j + 1);
                bool klein = x != 0.0 && std::fabs(1.0L / static_cast<long double>(x)) >= 10000.0L;
                const char *format = "%9.3f%c";
                if (klein || std::isnan(x) || std::fabs(x) >= 10000.0)
                    format = "%9.3g%c";
                else if (std::fabs(x) < 10.0)
                    format = "%9.6f%c";
                std::fprintf(f, format, x, j < 3 ? ' ' : '\n');
            }
        std::fflush(f);
    }
    pro_eintrag(state, 4 * zeilen);
}

// A temporary file holding the saved vector of the given size.
datei_ptr gespeichert(long long anzahl) {
    vektor_ptr v(vektor(anzahl));
    datei_ptr ein = temporaer();
    nmmatrix_speichern(v.get(), ein.get());
    std::fflush(ein.get());
    return ein;
}

void laden_nmmatrix(benchmark::State &state) {
    long long anzahl = state.range(0);
    datei_ptr ein = gespeichert(anzahl);
    for (auto _ : state) {
        std::rewind(ein.get());
        objekt *v = nmmatrix_laden(ein.get(), nullptr);
        benchmark::DoNotOptimize(nmmatrix_amIndex(v, static_cast<int>(anzahl), 1));
        nmmatrix_freigeben(v);
    }
    pro_eintrag(state, anzahl);
}

// The plain loops read the three header lines, then one value per line
// into an array allocated for the count, as a minimal loader would.
template <typename Wandler> void laden_einfach(benchmark::State &state, Wandler wandeln) {
    long long anzahl = state.range(0);
    datei_ptr ein = gespeichert(anzahl);
    char zeile[8192];
    for (auto _ : state) {
        FILE *f = ein.get();
        std::rewind(f);
        int n = 0;
        for (int kopf = 0; kopf < 3; ++kopf)
            if (std::fgets(zeile, sizeof zeile, f) != nullptr && kopf == 1)
                std::sscanf(zeile + 3, "%d", &n);
        std::vector<double> werte(n);
        for (int k = 0; k < n; ++k) {
            if (std::fgets(zeile, sizeof zeile, f) == nullptr) std::abort();
            werte[k] = wandeln(zeile);
        }
        benchmark::DoNotOptimize(werte.data());
    }
    pro_eintrag(state, anzahl);
}

void laden_fgets_sscanf(benchmark::State &state) {
    laden_einfach(state, [](const char *zeile) {
        double x = 0.0;
        std::sscanf(zeile, "%lf", &x);
        return x;
    });
}

void laden_fgets_strtod(benchmark::State &state) {
    laden_einfach(state, [](const char *zeile) { return std::strtod(zeile, nullptr); });
}

// The conversions alone, without streams, over the same values.
void wandeln_schreiben(benchmark::State &state, int art) {
    vektor_ptr v(vektor(1 << 16));
    const std::vector<double> werte = eintraege_von(v.get());
    char text[400];
    std::size_t k = 0;
    for (auto _ : state) {
        double x = werte[k++ & 0xffff];
        if (art == 0)
            benchmark::DoNotOptimize(zahl_f_schreiben(text, x));
        else if (art == 1)
            benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%f", x));
        else
            benchmark::DoNotOptimize(
                std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, 6).ptr);
    }
}

void wandeln_lesen(benchmark::State &state, int art) {
    vektor_ptr v(vektor(1 << 16));
    std::vector<std::string> texte;
    char text[400];
    const std::vector<double> werte = eintraege_von(v.get());
    for (int k = 0; k < (1 << 16); ++k) {
        *zahl_f_schreiben(text, werte[k]) = '\0';
        texte.push_back(std::string(text) + "\n");
    }
    std::size_t k = 0;
    double x = 0.0;
    for (auto _ : state) {
        const char *t = texte[k++ & 0xffff].c_str();
        if (art == 0)
            zahl_double_lesen(t, &x);
        else if (art == 1)
            std::sscanf(t, "%lf", &x);
        else
            x = std::strtod(t, nullptr);
        benchmark::DoNotOptimize(x);
    }
}

} // namespace

BENCHMARK(speichern_nmmatrix)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(speichern_fprintf)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(speichern_faeden)
    ->Args({1, 10000000})
    ->Args({2, 10000000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ausgeben_faeden)->Args({1, 1000000})->Args({2, 1000000})->Unit(benchmark::kMillisecond);
BENCHMARK(ausgeben_fprintf)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(laden_nmmatrix)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(laden_fgets_sscanf)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(laden_fgets_strtod)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wandeln_schreiben, zahl_f_schreiben, 0);
BENCHMARK_CAPTURE(wandeln_schreiben, snprintf, 1);
BENCHMARK_CAPTURE(wandeln_schreiben, to_chars, 2);
BENCHMARK_CAPTURE(wandeln_lesen, zahl_double_lesen, 0);
BENCHMARK_CAPTURE(wandeln_lesen, sscanf, 1);
BENCHMARK_CAPTURE(wandeln_lesen, strtod, 2);

BENCHMARK_MAIN();
