// The Hermite form's coefficients bit for bit against its formulas written
// out here node by node: secants, slopes (Fritsch-Carlson with its end
// rule, Akima plain and modified with the extrapolated secants), rows.
// Creation takes them a block of four lanes at a time; block edges, the
// lanes' remainders, the end slopes, signed zeros, equal secants and
// secants large enough to need scaling must all give these doubles.
#include "hilfen.h"

#include "numerik/hermiteipl.h"
#include "numerik/nmmatrix.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

int vorzeichen(double v) {
    return (v > 0) - (v < 0);
}

double gemittelt(double w1, double links, double w2, double rechts) {
    if (links == rechts) return links;
    double summe = w1 + w2;
    if (summe == 0.0) return (links + rechts) / 2;
    return (w1 * links + w2 * rechts) / summe;
}

double endsteigung(double h0, double m0, double h1, double m1) {
    if (m0 == m1) return m0;
    double d = ((2 * h0 + h1) * m0 - h0 * m1) / (h0 + h1);
    if (vorzeichen(d) != vorzeichen(m0)) return 0.0;
    if (vorzeichen(m0) != vorzeichen(m1) && std::fabs(d) > std::fabs(3 * m0)) return 3 * m0;
    return d;
}

// The n x 4 rows, row by row.
std::vector<double> erwartet(const std::vector<double> &x, const std::vector<double> &y,
                             int art) {
    const long n = static_cast<long>(x.size()) - 1;
    std::vector<double> h(n), m(n), d(n + 1);
    double groesste = 0.0;
    for (long i = 0; i < n; ++i) {
        h[i] = x[i + 1] - x[i];
        m[i] = (y[i + 1] - y[i]) / h[i];
        groesste = std::fmax(groesste, std::fabs(m[i]));
    }
    const int skala = groesste > 0x1p400 && std::isfinite(groesste) ? std::ilogb(groesste) : 0;
    for (double &mi : m)
        mi = std::ldexp(mi, -skala);
    if (art == HERMITE_FRITSCH_CARLSON) {
        for (long k = 1; k < n; ++k) {
            if (vorzeichen(m[k - 1]) * vorzeichen(m[k]) <= 0) {
                d[k] = 0.0;
            } else if (m[k - 1] == m[k]) {
                d[k] = m[k];
            } else {
                double w1 = 2 * h[k] + h[k - 1];
                double w2 = h[k] + 2 * h[k - 1];
                d[k] = (w1 + w2) / (w1 / m[k - 1] + w2 / m[k]);
            }
        }
        d[0] = endsteigung(h[0], m[0], h[1], m[1]);
        d[n] = endsteigung(h[n - 1], m[n - 1], h[n - 2], m[n - 2]);
    } else {
        double l1 = 2 * m[0] - m[1];
        double l2 = 2 * l1 - m[0];
        double r1 = 2 * m[n - 1] - m[n - 2];
        double r2 = 2 * r1 - m[n - 1];
        auto s = [&](long i) {
            return i == -2 ? l2 : i == -1 ? l1 : i == n ? r1 : i == n + 1 ? r2 : m[i];
        };
        for (long k = 0; k <= n; ++k) {
            double w1 = std::fabs(s(k + 1) - s(k));
            double w2 = std::fabs(s(k - 1) - s(k - 2));
            if (art == HERMITE_AKIMA_MODIFIZIERT) {
                w1 += std::fabs(s(k + 1) + s(k)) / 2;
                w2 += std::fabs(s(k - 1) + s(k - 2)) / 2;
            }
            d[k] = gemittelt(w1, s(k - 1), w2, s(k));
        }
    }
    std::vector<double> c;
    for (long i = 0; i <= n; ++i)
        d[i] = std::ldexp(d[i], skala);
    for (long i = 0; i < n; ++i) {
        const double mi = std::ldexp(m[i], skala);
        c.push_back((d[i] + d[i + 1] - 2 * mi) / (h[i] * h[i]));
        c.push_back((3 * mi - 2 * d[i] - d[i + 1]) / h[i]);
        c.push_back(d[i]);
        c.push_back(y[i]);
    }
    return c;
}

std::vector<double> koeffizienten(const std::vector<double> &x, const std::vector<double> &y,
                                  int art) {
    matrix_zeiger xv = spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    hermiteinterpolation_parameter p = {"h", STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get(), art};
    interpolation_zeiger ip(hermiteinterpolation_kreieren(&p, nullptr));
    objekt *c = hermiteinterpolation_imVektor(ip.get(), 2);
    std::vector<double> w;
    for (int i = 1; i <= nmmatrix_hoehe(c); ++i)
        for (int j = 1; j <= 4; ++j)
            w.push_back(nmmatrix_amIndex(c, i, j));
    return w;
}

// Data sets that reach every branch of the slopes: random values of both
// signs, monotone runs, flat runs (zero and equal secants), signed zeros,
// lines, and secants beyond 2^400.
std::vector<std::pair<std::string, std::vector<double>>> wertesaetze(const std::vector<double> &x,
                                                                     std::mt19937_64 &zufall) {
    const std::size_t n = x.size();
    std::uniform_real_distribution<double> gleich(-1.0, 1.0);
    std::uniform_int_distribution<int> stufe(0, 3);
    std::vector<std::pair<std::string, std::vector<double>>> saetze;
    std::vector<double> y(n);
    for (double &w : y)
        w = gleich(zufall);
    saetze.emplace_back("zufaellig", y);
    double summe = 0.0;
    for (double &w : y)
        w = summe += std::fabs(gleich(zufall));
    saetze.emplace_back("monoton", y);
    // Steps of 0, 1 or -1, with +0 and -0 among the zeros.
    double stand = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        int s = stufe(zufall);
        stand += s == 1 ? 1.0 : s == 2 ? -1.0 : 0.0;
        y[i] = stand == 0.0 && s == 3 ? -0.0 : stand;
    }
    saetze.emplace_back("stufen", y);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = 3.0 * x[i] - 1.0;
    saetze.emplace_back("gerade", y);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = i % 2 == 0 ? 0.0 : -0.0;
    saetze.emplace_back("nullen", y);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = std::sin(7.0 * x[i]) * (i == n / 2 ? 0x1p420 : 1.0);
    saetze.emplace_back("gross", y);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = (i / 5) % 2 == 0 ? 1.0 : std::cos(static_cast<double>(i));
    saetze.emplace_back("flach_und_wellig", y);
    return saetze;
}

TEST(HermiteBitgleich, EveryCoefficientAsTheNodeByNodeFormulas) {
    std::mt19937_64 zufall(4711);
    std::uniform_real_distribution<double> schritt(0.01, 1.0);
    int verglichen = 0;
    // Around the lanes (4), the blocks (256) and their edges.
    for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 13, 255, 256, 257, 258, 259, 260, 511, 512, 514, 1027}) {
        std::vector<double> x(n + 1);
        x[0] = -0.5;
        for (int i = 1; i <= n; ++i)
            x[i] = x[i - 1] + (i % 7 == 3 ? 1.0 : schritt(zufall));
        for (const auto &[name, y] : wertesaetze(x, zufall)) {
            for (int art : {HERMITE_FRITSCH_CARLSON, HERMITE_AKIMA, HERMITE_AKIMA_MODIFIZIERT}) {
                const std::vector<double> soll = erwartet(x, y, art);
                const std::vector<double> ist = koeffizienten(x, y, art);
                ASSERT_EQ(ist.size(), soll.size());
                for (std::size_t k = 0; k < soll.size(); ++k)
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(ist[k]),
                              std::bit_cast<std::uint64_t>(soll[k]))
                        << name << ", n = " << n << ", Steigungen " << art << ", Zeile "
                        << k / 4 + 1 << ", Spalte " << k % 4 + 1 << ": " << ist[k] << " statt "
                        << soll[k];
                ++verglichen;
            }
        }
    }
    EXPECT_EQ(verglichen, 19 * 7 * 3);
}

TEST(HermiteBitgleich, DescendingStepAnywhereIsRefused) {
    // Inside a lane group, in a scalar remainder and in a later block.
    for (int stelle : {1, 6, 300}) {
        std::vector<double> x(400), y(400, 1.0);
        for (int i = 0; i < 400; ++i)
            x[i] = i;
        x[stelle] = x[stelle - 1];
        EXPECT_EXIT(koeffizienten(x, y, HERMITE_AKIMA), testing::ExitedWithCode(1),
                    "Die Stuetzstellen fuer HERMITE_INTERPOLATION h muessen aufsteigend sein!");
    }
}

} // namespace
