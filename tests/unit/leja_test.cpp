// The Newton form in Leja order: the order itself, the same polynomial as
// in the given order, the text form in the problem's order with its key
// line, and the rounding-level figures of the further study columns on
// Runge's function at n = 64 (the Chebyshev points of the first kind and
// the rational form among them).
#include "hilfen.h"

#include "numerik/baryzipl.h"
#include "numerik/knotenarten.h"
#include "numerik/methoden.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/studie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<double> spalte(objekt *ip, int index) {
    objekt *v = newtoninterpolation_imVektor(ip, index);
    std::vector<double> x(static_cast<std::size_t>(nmmatrix_hoehe(v)));
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = nmmatrix_amIndex(v, static_cast<int>(i) + 1, 1);
    return x;
}

interpolation_zeiger newton(int art, const std::vector<double> &x, double a, double b,
                            const std::vector<double> &y, int leja) {
    matrix_zeiger xv = x.empty() ? nullptr : spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    newtoninterpolation_parameter p = {"p", art, xv.get(), a, b, yv.get(), leja};
    return interpolation_zeiger(newtoninterpolation_kreieren(&p, nullptr));
}

std::string text(objekt *ip) {
    textsenke aus;
    newtoninterpolation_speichern(ip, aus);
    return aus.text();
}

TEST(Leja, OrderMaximisesTheProductOfDistances) {
    // Checked against the definition in long double, on the Chebyshev
    // points of [-9, 9], where the first node is a tie of -9 and 9 (the
    // first in the given order wins), and on unordered given nodes.
    for (int art : {STUETZSTELLEN_TSCHEBYSCHEFF, STUETZSTELLEN_TSCHEBYSCHEFF1,
                    STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_GEGEBEN}) {
        int n = 14;
        std::vector<double> gegeben = {0.3, -2.0, 5.0,  1.1, -0.7, 2.5,  4.2, -1.4,
                                       3.3, 0.0,  -3.1, 1.9, 4.6,  -2.6, 0.8};
        std::vector<double> y(static_cast<std::size_t>(n) + 1, 1.0);
        interpolation_zeiger ip = newton(
            art, art == STUETZSTELLEN_GEGEBEN ? gegeben : std::vector<double>{}, -9.0, 9.0, y, 1);
        std::vector<double> x = spalte(ip.get(), 0);
        double kleinster = *std::min_element(x.begin(), x.end());
        double groesster = *std::max_element(x.begin(), x.end());
        double mitte = (kleinster + groesster) / 2;
        for (double xi : x)
            EXPECT_LE(std::fabs(xi - mitte), std::fabs(x[0] - mitte)) << art;
        if (art == STUETZSTELLEN_TSCHEBYSCHEFF || art == STUETZSTELLEN_AEQUIDISTANT) {
            EXPECT_EQ(x[0], -9.0) << art;
        }
        for (std::size_t k = 1; k < x.size(); ++k) {
            auto produkt = [&](std::size_t i) {
                long double p = 1.0L;
                for (std::size_t j = 0; j < k; ++j)
                    p *= std::fabs(static_cast<long double>(x[i]) - x[j]);
                return p;
            };
            for (std::size_t i = k + 1; i < x.size(); ++i)
                EXPECT_GE(produkt(k) * (1 + 1e-12L), produkt(i)) << art << " k " << k;
        }
    }
}

TEST(Leja, SamePolynomialAsInTheGivenOrder) {
    std::mt19937 zufall(3);
    std::uniform_real_distribution<double> gleich(-1.0, 1.0);
    for (int n = 0; n <= 10; ++n) {
        std::vector<double> x, y;
        for (int i = 0; i <= n; ++i) {
            x.push_back(i + 0.3 * gleich(zufall));
            y.push_back(gleich(zufall));
        }
        std::shuffle(x.begin(), x.end(), zufall);
        interpolation_zeiger gegeben = newton(STUETZSTELLEN_GEGEBEN, x, 0, 0, y, 0);
        interpolation_zeiger leja = newton(STUETZSTELLEN_GEGEBEN, x, 0, 0, y, 1);
        // Nodes and values are the problem's, reordered together.
        std::vector<double> xl = spalte(leja.get(), 0);
        std::vector<double> yl = spalte(leja.get(), 1);
        for (std::size_t k = 0; k < xl.size(); ++k) {
            auto i = std::find(x.begin(), x.end(), xl[k]);
            ASSERT_NE(i, x.end());
            EXPECT_EQ(yl[k], y[static_cast<std::size_t>(i - x.begin())]);
        }
        for (int i = 0; i <= 100; ++i) {
            double t = -0.5 + (n + 1.0) * i / 100.0;
            double p = newtoninterpolation_funktionswert(gegeben.get(), t);
            EXPECT_NEAR(newtoninterpolation_funktionswert(leja.get(), t), p,
                        1e-10 * std::fmax(1.0, std::fabs(p)))
                << "n " << n << " x " << t;
        }
    }
}

TEST(Leja, TextFormKeepsTheProblemsOrderAndWritesTheKeyLineOnlyWhenSet) {
    std::vector<double> x = {0.0, 1.0, 2.0, 3.0};
    std::vector<double> y = {1.0, 2.0, 5.0, 10.0};
    interpolation_zeiger ohne = newton(STUETZSTELLEN_GEGEBEN, x, 0, 0, y, 0);
    interpolation_zeiger leja = newton(STUETZSTELLEN_GEGEBEN, x, 0, 0, y, 1);
    const std::string vektoren = "NM_MATRIX: Stuetzwerte\nn = 4\nm = 1\n1.000000\n2.000000\n"
                                 "5.000000\n10.000000\n";
    const std::string knoten = "NEWTON_INTERPOLATION: p\nart = 0\nNM_MATRIX: Stuetzstellen\n"
                               "n = 4\nm = 1\n0.000000\n1.000000\n2.000000\n3.000000\n";
    EXPECT_EQ(text(ohne.get()), knoten + vektoren);
    EXPECT_EQ(text(leja.get()), knoten + "leja = 1\n" + vektoren);
    // Leja order of 0, 1, 2, 3: 0 and 3 tie for the first (0 is first given),
    // then 3, then 1 and 2 tie at 1 * 2 (1 first).
    EXPECT_EQ(spalte(leja.get(), 0), (std::vector<double>{0.0, 3.0, 1.0, 2.0}));
    // x^2 + 1 in that order, in t = (x - 1.5) / 0.5 (a quarter of the range
    // is 0.75, the power of two below it 0.5): over t = -3, 3, -1, 1 the
    // divided differences are 1, 9/6, then (2 - 1.5)/2, then 0.
    EXPECT_EQ(spalte(leja.get(), 2), (std::vector<double>{1.0, 1.5, 0.25, 0.0}));

    // A placed kind: the values go back to the order of placement.
    interpolation_zeiger platziert = newton(STUETZSTELLEN_AEQUIDISTANT, {}, 0.0, 3.0, y, 1);
    EXPECT_EQ(text(platziert.get()),
              "NEWTON_INTERPOLATION: p\nart = 1\na = 0.000000\nb = 3.000000\nleja = 1\n" +
                  vektoren);
    textquelle ein(text(platziert.get()));
    interpolation_zeiger geladen(interpolation_laden(ein, nullptr));
    EXPECT_EQ(spalte(geladen.get(), 0), spalte(platziert.get(), 0));
    EXPECT_EQ(spalte(geladen.get(), 2), spalte(platziert.get(), 2));
    EXPECT_EQ(text(geladen.get()), text(platziert.get()));

    // "leja = 0" reads as no option; anything else but 1 is refused.
    textquelle null("NEWTON_INTERPOLATION: p\nart = 1\na = 0\nb = 3\nleja = 0\n" + vektoren);
    interpolation_zeiger n0(interpolation_laden(null, nullptr));
    EXPECT_EQ(text(n0.get()),
              "NEWTON_INTERPOLATION: p\nart = 1\na = 0.000000\nb = 3.000000\n" + vektoren);
    auto laden = [](const std::string &t) {
        textquelle e(t);
        interpolation_zeiger(interpolation_laden(e, nullptr));
    };
    EXPECT_EXIT(laden("NEWTON_INTERPOLATION: p\nart = 1\na = 0\nb = 3\nleja = 2\n" + vektoren),
                testing::ExitedWithCode(1),
                "^Ungueltige Anordnung leja = 2 fuer NEWTON_INTERPOLATION p \\(0 oder 1\\).\n$");
    EXPECT_EXIT(laden("NEWTON_INTERPOLATION: p\nart = 1\na = 0\nb = 3\nlaja = 1\n" + vektoren),
                testing::ExitedWithCode(1), "^leja =... erwartet!\n$");
}

TEST(Leja, LargeNStaysInTheDoubleRange) {
    // Unscaled, the products (x - x(1))...(x - x(k)) over [-9, 9] pass
    // DBL_MAX near k = 470 and [-0.3, 0.3]'s fall below DBL_MIN near k = 370;
    // in Leja order the form keeps the barycentric form's value at n = 3000.
    for (double halb : {9.0, 0.3}) {
        int n = 3000;
        std::vector<double> y;
        for (int i = 0; i <= n; ++i) {
            double x = std::cos(i * 3.141592653589793 / n) * halb;
            y.push_back(1.0 / (1.0 + x * x / (halb * halb) * 81.0));
        }
        interpolation_zeiger leja = newton(STUETZSTELLEN_TSCHEBYSCHEFF, {}, -halb, halb, y, 1);
        matrix_zeiger yv = spaltenvektor(y);
        baryzentrischeinterpolation_parameter p = {
            "b", STUETZSTELLEN_TSCHEBYSCHEFF, nullptr, -halb, halb, yv.get()};
        interpolation_zeiger bary(baryzentrischeinterpolation_kreieren(&p, nullptr));
        for (int i = 0; i <= 50; ++i) {
            double x = -halb + 2 * halb * (i + 0.3) / 51.0;
            EXPECT_NEAR(newtoninterpolation_funktionswert(leja.get(), x),
                        baryzentrischeinterpolation_funktionswert(bary.get(), x), 1e-12)
                << halb << " x " << x;
        }
    }
}

TEST(Leja, FurtherColumnsOnRungesFunctionAtN64) {
    // Expected figures from tests/erwartet/weitere_methoden.py (200-bit
    // arithmetic from the same double nodes and values, 1001 points).
    // Ascending, the Newton form gives 1.87e3 here (Newton-t); in Leja
    // order it is the polynomial of Bary-t to rounding.
    studie s = studie_durchfuehren(4, {64}, 1001, SPALTEN_ALLE);
    struct soll {
        const char *spalte;
        double fehler;
    };
    for (const soll &z : {soll{"Rat-a", 1.40051912699e-5}, soll{"Rat-t", 0.000779909140887},
                          soll{"Leja-t", 0.000812896516099}, soll{"Bary-t1", 0.000738404202076}}) {
        bool gefunden = false;
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            if (std::string(s.spalten[j]->spalte) != z.spalte) continue;
            gefunden = true;
            EXPECT_NEAR(s.werte[0][j].fehler, z.fehler, 1e-12) << z.spalte;
        }
        EXPECT_TRUE(gefunden) << z.spalte;
    }
}

} // namespace
