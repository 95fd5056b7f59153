// BARYZENTRISCHE_INTERPOLATION: reproduction of polynomials, agreement with
// the Newton form where that is stable, the weights against closed forms and
// exact products, exactness at the nodes, the text form and the messages.
#include "numerik/baryzipl.h"
#include "numerik/newtnipl.h"
#include "spline_hilfen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

const double PI = 4.0 * std::atan(1.0);

// Created through the class table; the record's vectors are released at
// once, so the object must have copied what it needs.
objekt *bary(int art, const std::vector<double> &knoten, double a, double b,
             const std::vector<double> &werte, const char *name = "p") {
    objekt *x = knoten.empty() ? nullptr : vektor_aus(knoten);
    objekt *y = vektor_aus(werte);
    baryzentrischeinterpolation_parameter r = {name, art, x, a, b, y};
    objekt *ip = interpolation_tabelle(&baryzentrische_interpolation)->kreieren(&r, nullptr);
    if (x != nullptr) nmmatrix_freigeben(x);
    nmmatrix_freigeben(y);
    return ip;
}

objekt *geladen(const std::string &text) {
    textquelle ein(text);
    return interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
}

// The nodes that creation places, written out.
std::vector<double> platziert(int art, int n, double a, double b) {
    std::vector<double> x;
    for (int i = 0; i <= n; ++i)
        x.push_back(art == STUETZSTELLEN_AEQUIDISTANT
                        ? (i * b + (n - i) * a) / n
                        : (a + b) / 2.0 + std::cos(i * PI / n) * (a - b) / 2.0);
    return x;
}

// sum c(k) T_k(t) with t the point mapped onto [-1, 1]: a polynomial of
// degree c.size() - 1 whose values are accurate and bounded by sum |c(k)|
// for every degree.
double tschebyscheff_summe(const std::vector<double> &c, double a, double b, double x) {
    double t = std::clamp((2.0 * x - a - b) / (b - a), -1.0, 1.0);
    double s = 0.0;
    for (std::size_t k = 0; k < c.size(); ++k)
        s += c[k] * std::cos(static_cast<double>(k) * std::acos(t));
    return s;
}

// Weights by the product formula in long double, normalised to the
// largest: an independent reference for small n.
std::vector<double> produktgewichte(const std::vector<double> &x) {
    std::vector<long double> w(x.size());
    long double groesstes = 0.0L;
    for (std::size_t j = 0; j < x.size(); ++j) {
        long double p = 1.0L;
        for (std::size_t k = 0; k < x.size(); ++k)
            if (k != j) p *= static_cast<long double>(x[j]) - x[k];
        w[j] = 1.0L / p;
        groesstes = std::max(groesstes, std::fabs(w[j]));
    }
    std::vector<double> ergebnis;
    for (long double v : w)
        ergebnis.push_back(static_cast<double>(v / groesstes));
    return ergebnis;
}

// Weights agree up to one common sign (the formula is invariant under a
// common factor; the classes normalise the largest to +-1).
void gewichte_gleich(const std::vector<double> &ist, const std::vector<double> &soll,
                     double toleranz) {
    ASSERT_EQ(ist.size(), soll.size());
    double vorzeichen = ist[0] * soll[0] < 0 ? -1.0 : 1.0;
    for (std::size_t j = 0; j < ist.size(); ++j)
        EXPECT_NEAR(vorzeichen * ist[j], soll[j], toleranz * std::fabs(soll[j]))
            << "w(" << j + 1 << ")";
}

TEST(Baryzentrisch, ReproducesPolynomialsOfDegreeAtMostN) {
    std::mt19937 zufall(31);
    std::uniform_real_distribution<double> koeff(-1.0, 1.0);
    struct fall {
        int art;
        int n;
        double toleranz; // relative to sum |c(k)|
    };
    // Equidistant and scattered nodes amplify the rounding of the values by
    // their Lebesgue constant (2^n / n for equidistant ones), Chebyshev
    // points by about log n: so small n for the first, large for the last.
    const fall faelle[] = {
        {STUETZSTELLEN_GEGEBEN, 1, 1e-14},        {STUETZSTELLEN_GEGEBEN, 7, 1e-13},
        {STUETZSTELLEN_GEGEBEN, 12, 1e-11},       {STUETZSTELLEN_AEQUIDISTANT, 1, 1e-14},
        {STUETZSTELLEN_AEQUIDISTANT, 10, 1e-12},  {STUETZSTELLEN_AEQUIDISTANT, 20, 1e-9},
        {STUETZSTELLEN_TSCHEBYSCHEFF, 1, 1e-14},  {STUETZSTELLEN_TSCHEBYSCHEFF, 30, 1e-13},
        {STUETZSTELLEN_TSCHEBYSCHEFF, 300, 1e-12}};
    const double a = -0.7;
    const double b = 2.3;
    for (const fall &f : faelle) {
        for (int grad : {0, f.n / 2, f.n}) {
            std::vector<double> c(grad + 1);
            double skala = 0.0;
            for (double &k : c) {
                k = koeff(zufall);
                skala += std::fabs(k);
            }
            std::vector<double> x = platziert(
                f.art == STUETZSTELLEN_GEGEBEN ? STUETZSTELLEN_AEQUIDISTANT : f.art, f.n, a, b);
            if (f.art == STUETZSTELLEN_GEGEBEN) {
                // Scattered, unsorted nodes inside [a, b].
                for (int i = 1; i < f.n; ++i)
                    x[i] += 0.3 * (b - a) / f.n * std::sin(7.0 * i);
                std::shuffle(x.begin(), x.end(), zufall);
            }
            std::vector<double> y;
            for (double xi : x)
                y.push_back(tschebyscheff_summe(c, a, b, xi));
            objekt *ip =
                bary(f.art, f.art == STUETZSTELLEN_GEGEBEN ? x : std::vector<double>{}, a, b, y);
            for (int s = 0; s <= 97; ++s) {
                double t = a + (b - a) * s / 97.0;
                EXPECT_NEAR(wert(ip, t), tschebyscheff_summe(c, a, b, t), f.toleranz * skala)
                    << "Art " << f.art << " n=" << f.n << " Grad " << grad << " x=" << t;
            }
            spline_frei(ip);
        }
    }
}

TEST(Baryzentrisch, MatchesTheNewtonFormWhereThatIsStable) {
    for (int art : {STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_TSCHEBYSCHEFF}) {
        for (int n = 1; n <= 20; ++n) {
            std::vector<double> werte;
            for (double x : platziert(art, n, -1.0, 2.0))
                werte.push_back(std::exp(x) * std::sin(3.0 * x));
            objekt *p = bary(art, {}, -1.0, 2.0, werte);
            objekt *y = vektor_aus(werte);
            newtoninterpolation_parameter r = {"q", art, nullptr, -1.0, 2.0, y, 0};
            objekt *q = newtoninterpolation_kreieren(&r, nullptr);
            for (int s = 0; s <= 60; ++s) {
                double t = -1.0 + 3.0 * s / 60.0;
                EXPECT_NEAR(wert(p, t), wert(q, t), 1e-12) << "Art " << art << " n=" << n;
            }
            spline_frei(p);
            spline_frei(q);
            nmmatrix_freigeben(y);
        }
    }
}

TEST(BaryzentrischGewichte, PlacedNodesAgainstExactProducts) {
    for (int n : {1, 2, 5, 16, 25}) {
        for (int art : {STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_TSCHEBYSCHEFF}) {
            objekt *ip = bary(art, {}, -3.0, 5.0, std::vector<double>(n + 1, 1.0));
            gewichte_gleich(spalte(ip, 2), produktgewichte(spalte(ip, 0)), 1e-13);
            spline_frei(ip);
        }
    }
}

TEST(BaryzentrischGewichte, EquidistantAreNormalisedBinomials) {
    // (-1)^j C(n, j) / C(n, n/2), the binomials exact in 64 bits up to n = 60.
    for (int n : {3, 4, 31, 60}) {
        std::vector<std::uint64_t> binomial(n + 1, 1);
        for (int j = 1; j <= n; ++j)
            binomial[j] = binomial[j - 1] * (n - j + 1) / j;
        std::vector<double> soll;
        for (int j = 0; j <= n; ++j)
            soll.push_back((j % 2 == 0 ? 1.0 : -1.0) * static_cast<double>(binomial[j]) /
                           static_cast<double>(binomial[n / 2]));
        objekt *ip = bary(STUETZSTELLEN_AEQUIDISTANT, {}, 0.0, 1.0, std::vector<double>(n + 1));
        std::vector<double> ist = spalte(ip, 2);
        for (int j = 0; j <= n; ++j)
            EXPECT_NEAR(ist[j], soll[j], 1e-14 * std::fabs(soll[j])) << "n=" << n << " j=" << j;
        EXPECT_EQ(ist[n / 2], n / 2 % 2 == 0 ? 1.0 : -1.0);
        spline_frei(ip);
    }
}

TEST(BaryzentrischGewichte, GivenNodesInTheThousandsNeitherOverflowNorUnderflow) {
    // The products for 2001 nodes reach far beyond the double range (not
    // beyond long double's, which gives the reference); the weights of
    // given nodes must still equal them, and the closed form up to the
    // rounding of the nodes (about 1e-15 on differences of 1e-5 at the ends).
    const int n = 2000;
    std::vector<double> tscheb = platziert(STUETZSTELLEN_TSCHEBYSCHEFF, n, -9.0, 9.0);
    std::reverse(tscheb.begin(), tscheb.end()); // order does not matter
    objekt *ip = bary(STUETZSTELLEN_GEGEBEN, tscheb, 0, 0, std::vector<double>(n + 1));
    gewichte_gleich(spalte(ip, 2), produktgewichte(tscheb), 1e-12);
    std::vector<double> soll;
    for (int j = 0; j <= n; ++j)
        soll.push_back((j % 2 == 0 ? 1.0 : -1.0) * (j == 0 || j == n ? 0.5 : 1.0));
    gewichte_gleich(spalte(ip, 2), soll, 1e-9);
    spline_frei(ip);

    // Equidistant nodes given: the closed form of the placed kind, down to
    // the weights that underflow in both.
    const int m = 1000;
    objekt *gleich = bary(STUETZSTELLEN_AEQUIDISTANT, {}, -1.0, 1.0, std::vector<double>(m + 1));
    objekt *gegeben =
        bary(STUETZSTELLEN_GEGEBEN, spalte(gleich, 0), 0, 0, std::vector<double>(m + 1));
    std::vector<double> w = spalte(gegeben, 2);
    std::vector<double> w_geschlossen = spalte(gleich, 2);
    for (int j = 0; j <= m; ++j)
        EXPECT_NEAR(w[j], w_geschlossen[j], 1e-10 * std::fabs(w_geschlossen[j])) << j;
    // 1 / C(1000, 500), about 3.7e-300: still a normal double.
    EXPECT_NEAR(w[0], 3.7e-300, 0.1e-300);
    spline_frei(gleich);
    spline_frei(gegeben);
}

TEST(Baryzentrisch, ExactAtTheNodes) {
    std::mt19937 zufall(5);
    std::uniform_real_distribution<double> verteilung(-1e3, 1e3);
    // 3000 equidistant nodes: the outer weights underflow to 0, and the
    // values there are still returned exactly.
    for (int art : {STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_TSCHEBYSCHEFF}) {
        for (int n : {1, 50, 3000}) {
            std::vector<double> werte(n + 1);
            for (double &y : werte)
                y = verteilung(zufall);
            objekt *ip = bary(art, {}, -2.0, 7.0, werte);
            std::vector<double> x = spalte(ip, 0);
            for (int j = 0; j <= n; ++j)
                ASSERT_EQ(wert(ip, x[j]), werte[j]) << "Art " << art << " n=" << n << " j=" << j;
            spline_frei(ip);
        }
    }
    objekt *gleich = bary(STUETZSTELLEN_AEQUIDISTANT, {}, -2.0, 7.0, std::vector<double>(3001));
    EXPECT_EQ(spalte(gleich, 2)[0], 0.0);
    spline_frei(gleich);
}

TEST(Baryzentrisch, NextToANodeAtZero) {
    // Weights 1/2, -1, 1/2; at the smallest subnormal -1/x overflows, and
    // the value of the node at 0 is the answer.
    objekt *ip = bary(STUETZSTELLEN_GEGEBEN, {-1, 0, 1}, 0, 0, {1, 2, 5});
    EXPECT_EQ(spalte(ip, 2), (std::vector<double>{0.5, -1.0, 0.5}));
    EXPECT_EQ(wert(ip, 4.9e-324), 2.0);
    EXPECT_EQ(wert(ip, -4.9e-324), 2.0);
    // p(x) = 2 + 2x + x^2
    EXPECT_DOUBLE_EQ(wert(ip, 2.0), 10.0);
    EXPECT_DOUBLE_EQ(wert(ip, -0.5), 1.25);
    EXPECT_TRUE(std::isnan(wert(ip, NAN)));
    spline_frei(ip);
}

TEST(Baryzentrisch, SingleValueIsConstant) {
    objekt *gegeben = bary(STUETZSTELLEN_GEGEBEN, {2.5}, 0, 0, {-4.25});
    for (double x : {-1e9, 0.0, 2.5, 7.0})
        EXPECT_EQ(wert(gegeben, x), -4.25);
    EXPECT_EQ(spalte(gegeben, 2), (std::vector<double>{1.0}));
    spline_frei(gegeben);
    // The single placed node is 0/0; evaluation does not need it.
    for (int art : {STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_TSCHEBYSCHEFF}) {
        objekt *ip = bary(art, {}, -1.0, 3.0, {8.0});
        EXPECT_TRUE(std::isnan(spalte(ip, 0)[0]));
        EXPECT_EQ(wert(ip, 1.0), 8.0);
        EXPECT_EQ(baryzentrischeinterpolation_linkeGrenze(ip), -1.0);
        EXPECT_EQ(baryzentrischeinterpolation_rechteGrenze(ip), 3.0);
        spline_frei(ip);
    }
}

TEST(Baryzentrisch, BoundsVectorsAndClass) {
    objekt *ip = bary(STUETZSTELLEN_GEGEBEN, {2, -1, 5}, 0, 0, {1, 3, 7}, "g");
    EXPECT_EQ(interpolation_tabelle(ip)->linkeGrenze(ip), -1.0);
    EXPECT_EQ(interpolation_tabelle(ip)->rechteGrenze(ip), 5.0);
    EXPECT_EQ(spalte(ip, 0), (std::vector<double>{2, -1, 5}));
    const char *namen[] = {"Stuetzstellen", "Stuetzwerte", "Gewichte"};
    for (int k = 0; k < 3; ++k)
        EXPECT_STREQ(nmmatrix_name(baryzentrischeinterpolation_imVektor(ip, k)), namen[k]);
    EXPECT_EQ(interpolation_klasse(ip), &baryzentrische_interpolation);
    EXPECT_STREQ(baryzentrischeinterpolation_name(ip), "g");
    spline_frei(ip);
    EXPECT_STREQ(baryzentrischeinterpolation_name(&baryzentrische_interpolation),
                 "BARYZENTRISCHE_INTERPOLATION");
}

TEST(BaryzentrischText, SameLayoutAsNewtonUnderItsOwnType) {
    objekt *ip = bary(STUETZSTELLEN_AEQUIDISTANT, {}, 0.0, 2.0, {1, 3, 7}, "p1");
    const std::string text = "BARYZENTRISCHE_INTERPOLATION: p1\n"
                             "art = 1\n"
                             "a = 0.000000\n"
                             "b = 2.000000\n"
                             "NM_MATRIX: Stuetzwerte\n"
                             "n = 3\n"
                             "m = 1\n"
                             "1.000000\n"
                             "3.000000\n"
                             "7.000000\n";
    EXPECT_EQ(gespeichert(ip), text);
    spline_frei(ip);
    // The generic loader finds the class; storing gives the text again.
    objekt *neu = geladen(text);
    EXPECT_EQ(interpolation_klasse(neu), &baryzentrische_interpolation);
    EXPECT_EQ(gespeichert(neu), text);
    EXPECT_EQ(wert(neu, 1.5), 1.0 + 2.0 * 1.5 + 1.5 * 0.5);
    spline_frei(neu);

    const std::string gegeben = "BARYZENTRISCHE_INTERPOLATION: g\nart = 0\n"
                                "NM_MATRIX: Stuetzstellen\nn = 2\nm = 1\n2.000000\n-1.000000\n"
                                "NM_MATRIX: Stuetzwerte\nn = 2\nm = 1\n0.500000\n0.000000\n";
    neu = geladen(gegeben);
    EXPECT_EQ(gespeichert(neu), gegeben);
    EXPECT_EQ(spalte(neu, 2), (std::vector<double>{1.0, -1.0}));
    spline_frei(neu);
}

TEST(BaryzentrischMeldungen, CreationLoadingAndVectors) {
    auto kreiere = [](const baryzentrischeinterpolation_parameter *r) {
        baryzentrischeinterpolation_kreieren(r, nullptr);
    };
    EXPECT_EXIT(kreiere(nullptr), testing::ExitedWithCode(1),
                "^Stuetzwerte fehlen fuerBARYZENTRISCHE_INTERPOLATION unbenannt.\n$");
    EXPECT_EXIT(bary(STUETZSTELLEN_GEGEBEN, {}, 0, 0, {1, 2}), testing::ExitedWithCode(1),
                "^Stuetzstellen fehlen fuerBARYZENTRISCHE_INTERPOLATION p.\n$");
    EXPECT_EXIT(
        bary(STUETZSTELLEN_GEGEBEN, {1, 2, 3}, 0, 0, {1, 2, 3, 4}), testing::ExitedWithCode(1),
        "^Stuetzstellenanzahl/-werteanzahl inkompatibel fuer BARYZENTRISCHE_INTERPOLATION p.\n$");
    EXPECT_EXIT(bary(7, {}, 0, 1, {1, 2}), testing::ExitedWithCode(1),
                "^Ungueltige Stuetzstellenart fuer Interpolationsproblem p: \\(7\\)\n$");
    EXPECT_EXIT(bary(STUETZSTELLEN_TSCHEBYSCHEFF, {}, 1, 0, {1, 2}), testing::ExitedWithCode(1),
                "^Intervall \\[1.000000,0.000000\\] numerisch zu klein oder ungueltig.\n$");
    // Equal or non-finite given nodes have no polynomial: refused by name.
    EXPECT_EXIT(
        bary(STUETZSTELLEN_GEGEBEN, {0, 1, 2, 1}, 0, 0, {1, 2, 3, 4}), testing::ExitedWithCode(1),
        "^Stuetzstellen x\\(2\\) und x\\(4\\) gleich fuer BARYZENTRISCHE_INTERPOLATION p.\n$");
    EXPECT_EXIT(bary(STUETZSTELLEN_GEGEBEN, {0, INFINITY, 2}, 0, 0, {1, 2, 3}),
                testing::ExitedWithCode(1),
                "^Stuetzstelle x\\(2\\) ist keine endliche Zahl fuer BARYZENTRISCHE_INTERPOLATION "
                "p.\n$");
    EXPECT_EXIT(bary(STUETZSTELLEN_GEGEBEN, {0, 1, NAN}, 0, 0, {1, 2, 3}),
                testing::ExitedWithCode(1), "^Stuetzstelle x\\(3\\) ist keine endliche Zahl");
    // Finite nodes whose difference overflows still give weights.
    objekt *weit = bary(STUETZSTELLEN_GEGEBEN, {-1.5e308, 0, 1.5e308}, 0, 0, {1, 2, 3});
    EXPECT_EQ(spalte(weit, 2), (std::vector<double>{0.5, -1.0, 0.5}));
    spline_frei(weit);

    auto lade = [](const char *text) { geladen(text); };
    EXPECT_EXIT(lade("BARYZENTRISCHE_INTERPOLATION: k\nart = 5\n"), testing::ExitedWithCode(1),
                "^Ungueltige Stuetzstellenart fuer Interpolationsproblem k: \\(5\\)\n$");
    EXPECT_EXIT(lade("BARYZENTRISCHE_INTERPOLATION: k\nart = 1\nb = 1\n"),
                testing::ExitedWithCode(1), "^a =... erwartet!\n$");
    EXPECT_EXIT(
        {
            textquelle ein("NEWTON_INTERPOLATION: k\nart = 1\na = 0\nb = 1\n");
            baryzentrischeinterpolation_laden(ein, nullptr);
        },
        testing::ExitedWithCode(1),
        "^Dies ist keine BARYZENTRISCHE_INTERPOLATION interpolation!\n$");

    objekt *ip = bary(STUETZSTELLEN_AEQUIDISTANT, {}, 0, 1, {1, 2}, "iv");
    EXPECT_EXIT(interpolation_tabelle(ip)->imVektor(ip, 3), testing::ExitedWithCode(1),
                "^Ungueltiger Vektor fuer Interpolationsproblem iv: \\(3\\)\n$");
    spline_frei(ip);
    EXPECT_EXIT(baryzentrischeinterpolation_funktionswert(&baryzentrische_interpolation, 0.0),
                testing::ExitedWithCode(1), "^$");
}

} // namespace
