// AAA and the trigonometric interpolation beside their baselines.
//
//  - AAA of |x| on M = 10^4 equidistant points of [-1, 1] up to degree 100
//    (a tolerance it never meets, so all 100 steps run): the library, whose
//    steps update a QR factorisation of the Loewner matrix and decompose
//    its m x m factor, against the same greedy loop with a full singular
//    value decomposition (Eigen's BDCSVD) of the M x m Loewner matrix at
//    every step.
//  - evaluation of the trigonometric interpolant on N = 10^4 nodes at
//    10^5 points against the barycentric polynomial on 10^4 Chebyshev
//    points, both through the array slot: time per point and node
//    (je_knoten_punkt).
#include "numerik/aaaipl.h"
#include "numerik/baryzipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/trigipl.h"

#include <Eigen/Dense>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int M = 10000;
constexpr int GRAD = 100;

matrix_zeiger vektor(const std::vector<double> &werte) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, "v", 0};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

std::vector<double> stichprobe() {
    std::vector<double> x(M);
    for (int i = 0; i < M; ++i)
        x[static_cast<std::size_t>(i)] = aequidistanter_punkt(i, M - 1, -1.0, 1.0);
    return x;
}

void aaa_aktualisiert(benchmark::State &state) {
    std::vector<double> x = stichprobe();
    std::vector<double> y;
    for (double t : x)
        y.push_back(std::fabs(t));
    matrix_zeiger yv = vektor(y);
    int grad = 0;
    for (auto _ : state) {
        aaainterpolation_parameter p = {
            "a", STUETZSTELLEN_AEQUIDISTANT, nullptr, -1.0, 1.0, yv.get(), 1e-300, GRAD};
        interpolation_zeiger ip(aaainterpolation_kreieren(&p, nullptr));
        grad = aaainterpolation_grad(ip.get());
    }
    state.counters["grad"] = grad;
}
BENCHMARK(aaa_aktualisiert)->Unit(benchmark::kMillisecond)->Iterations(1);

// The plain loop: pick the worst point, build the Loewner matrix of all
// support points, decompose it whole, take the last right singular vector,
// evaluate on the sample.
void aaa_volle_svd(benchmark::State &state) {
    std::vector<double> Z = stichprobe();
    std::vector<double> F;
    for (double t : Z)
        F.push_back(std::fabs(t));
    int grad = 0;
    for (auto _ : state) {
        std::vector<char> stuetz(M, 0);
        std::vector<double> R(M, 0.5);
        std::vector<double> z, f;
        Eigen::VectorXd w;
        for (int m = 1; m <= GRAD + 1; ++m) {
            int i = 0;
            double fehler = -1.0;
            for (int k = 0; k < M; ++k)
                if (!stuetz[k] && std::fabs(F[k] - R[k]) > fehler) {
                    fehler = std::fabs(F[k] - R[k]);
                    i = k;
                }
            stuetz[i] = 1;
            z.push_back(Z[i]);
            f.push_back(F[i]);
            Eigen::MatrixXd A = Eigen::MatrixXd::Zero(M, m);
            for (int j = 0; j < m; ++j)
                for (int k = 0; k < M; ++k)
                    if (!stuetz[k]) A(k, j) = (F[k] - f[j]) / (Z[k] - z[j]);
            Eigen::BDCSVD<Eigen::MatrixXd> svd(A, Eigen::ComputeThinV);
            w = svd.matrixV().col(m - 1);
            for (int k = 0; k < M; ++k) {
                if (stuetz[k]) {
                    R[k] = F[k];
                    continue;
                }
                double zaehler = 0.0, nenner = 0.0;
                for (int j = 0; j < m; ++j) {
                    const double t = w(j) / (Z[k] - z[j]);
                    zaehler += t * f[j];
                    nenner += t;
                }
                R[k] = zaehler / nenner;
            }
        }
        grad = static_cast<int>(z.size()) - 1;
        benchmark::DoNotOptimize(w.data());
    }
    state.counters["grad"] = grad;
}
BENCHMARK(aaa_volle_svd)->Unit(benchmark::kMillisecond)->Iterations(1);

constexpr int KNOTEN = 10000;
constexpr int PUNKTE = 100000;

void auswerten(benchmark::State &state, objekt *ip, double a, double b) {
    std::vector<double> x(PUNKTE), y(PUNKTE);
    for (int i = 0; i < PUNKTE; ++i)
        x[static_cast<std::size_t>(i)] = aequidistanter_punkt(i, PUNKTE - 1, a, b);
    for (auto _ : state) {
        interpolation_tabelle(ip)->funktionswerte(ip, x.data(), y.data(), PUNKTE);
        benchmark::DoNotOptimize(y.data());
    }
    state.counters["je_knoten_punkt"] = benchmark::Counter(
        static_cast<double>(KNOTEN) * PUNKTE,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void trig_auswerten(benchmark::State &state) {
    std::vector<double> y;
    for (int k = 0; k < KNOTEN; ++k)
        y.push_back(std::exp(std::sin(aequidistanter_punkt(k, KNOTEN, -3.0, 3.0))));
    matrix_zeiger yv = vektor(y);
    trigonometrischeinterpolation_parameter p = {
        "t", STUETZSTELLEN_AEQUIDISTANT, nullptr, -3.0, 3.0, yv.get()};
    interpolation_zeiger ip(trigonometrischeinterpolation_kreieren(&p, nullptr));
    auswerten(state, ip.get(), -3.0, 3.0);
}
BENCHMARK(trig_auswerten)->Unit(benchmark::kMillisecond);

void bary_auswerten(benchmark::State &state) {
    std::vector<double> y(KNOTEN + 1);
    for (int k = 0; k <= KNOTEN; ++k)
        y[static_cast<std::size_t>(k)] = std::exp(std::sin(3.0 * std::cos(k * M_PI / KNOTEN)));
    matrix_zeiger yv = vektor(y);
    baryzentrischeinterpolation_parameter p = {
        "b", STUETZSTELLEN_TSCHEBYSCHEFF, nullptr, -3.0, 3.0, yv.get()};
    interpolation_zeiger ip(baryzentrischeinterpolation_kreieren(&p, nullptr));
    auswerten(state, ip.get(), -3.0, 3.0);
}
BENCHMARK(bary_auswerten)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
