// The rational interpolant of blending degree d: it reproduces polynomials
// of degree <= d, takes its values at the nodes, has no pole on the real
// line, has the closed-form weights on equidistant nodes, is the polynomial
// for d >= n, and its text form carries d.
#include "hilfen.h"

#include "numerik/baryzipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/rationalipl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<double> spalte(objekt *v) {
    std::vector<double> x(static_cast<std::size_t>(matrix_tabelle(v)->hoehe(v)));
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = matrix_tabelle(v)->amIndex(v, static_cast<int>(i) + 1, 1);
    return x;
}

interpolation_zeiger rational(const std::vector<double> &x, const std::vector<double> &y, int d) {
    matrix_zeiger xv = spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    rationaleinterpolation_parameter p = {"r", STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get(), d};
    return interpolation_zeiger(rationaleinterpolation_kreieren(&p, nullptr));
}

// n+1 distinct nodes in [-3, 4], in random order, at least 0.05 apart.
std::vector<double> zufallsknoten(std::mt19937 &zufall, int n) {
    std::uniform_real_distribution<double> gleich(-3.0, 4.0);
    std::vector<double> x;
    while (static_cast<int>(x.size()) <= n) {
        double t = gleich(zufall);
        if (std::all_of(x.begin(), x.end(), [&](double s) { return std::fabs(s - t) > 0.05; }))
            x.push_back(t);
    }
    return x;
}

double polynom(const std::vector<double> &c, double x) {
    double r = 0.0;
    for (auto k = c.rbegin(); k != c.rend(); ++k)
        r = r * x + *k;
    return r;
}

TEST(Rational, ReproducesPolynomialsUpToItsDegreeAndTakesItsValues) {
    std::mt19937 zufall(20240521);
    std::uniform_real_distribution<double> koeffizient(-2.0, 2.0);
    for (int d = 0; d <= 4; ++d)
        for (int n : {d, d + 1, 9, 17}) {
            std::vector<double> x = zufallsknoten(zufall, n);
            std::vector<double> c(static_cast<std::size_t>(d) + 1);
            for (double &ck : c)
                ck = koeffizient(zufall);
            std::vector<double> y;
            for (double xi : x)
                y.push_back(polynom(c, xi));
            interpolation_zeiger r = rational(x, y, d);
            for (std::size_t k = 0; k < x.size(); ++k)
                EXPECT_EQ(rationaleinterpolation_funktionswert(r.get(), x[k]), y[k]);
            // Between the nodes: the polynomial itself, to rounding, which
            // is relative to the largest value (times a Lebesgue constant of
            // a few units for these nodes).
            double groesster = 1.0;
            for (double yk : y)
                groesster = std::max(groesster, std::fabs(yk));
            double links = *std::min_element(x.begin(), x.end());
            double rechts = *std::max_element(x.begin(), x.end());
            for (int i = 0; i <= 200; ++i) {
                double t = links + (rechts - links) * i / 200.0;
                double p = polynom(c, t);
                EXPECT_NEAR(rationaleinterpolation_funktionswert(r.get(), t), p, 1e-12 * groesster)
                    << "d " << d << " n " << n << " x " << t;
            }
        }
}

TEST(Rational, HasNoPoleOnTheRealLine) {
    // The denominator sum w_k / (x - x_k) times prod (x - x_k) has no real
    // zero: with the product's sign (-1)^(number of nodes above x), the
    // sign of the sum must be the same everywhere.  Values of wild sizes,
    // clustered nodes.
    std::mt19937 zufall(7);
    std::uniform_real_distribution<double> wert(-1e3, 1e3);
    for (int d = 0; d <= 5; ++d) {
        std::vector<double> x = zufallsknoten(zufall, 20);
        x.push_back(4.01);
        x.push_back(4.02);
        std::vector<double> y;
        for (std::size_t k = 0; k < x.size(); ++k)
            y.push_back(wert(zufall));
        interpolation_zeiger r = rational(x, y, d);
        std::vector<double> w = spalte(rationaleinterpolation_imVektor(r.get(), 2));
        int vorzeichen = 0;
        for (int i = 0; i <= 20000; ++i) {
            double t = -5.0 + 11.0 * i / 20000.0;
            double summe = 0.0;
            int darueber = 0;
            bool knoten = false;
            for (std::size_t k = 0; k < x.size(); ++k) {
                if (t == x[k]) knoten = true;
                summe += w[k] / (t - x[k]);
                darueber += x[k] > t ? 1 : 0;
            }
            if (knoten) continue;
            int s = (summe > 0) == (darueber % 2 == 0) ? 1 : -1;
            if (vorzeichen == 0) vorzeichen = s;
            ASSERT_EQ(s, vorzeichen) << "d " << d << " x " << t;
            ASSERT_TRUE(std::isfinite(rationaleinterpolation_funktionswert(r.get(), t)));
        }
    }
}

TEST(Rational, EquidistantWeightsAreSignedBinomialSums) {
    // On unit spacing prod 1/|k - j| over the d others of x_i..x_{i+d} is
    // C(d, k-i) / d!: w_k is (-1)^(k-d) sum_{i in J_k} C(d, k-i), up to a
    // common factor.
    auto binom = [](int d, int j) {
        double c = 1.0;
        for (int l = 1; l <= j; ++l)
            c = c * (d - l + 1) / l;
        return c;
    };
    for (int d = 0; d <= 4; ++d)
        for (int n : {d, 7, 12}) {
            std::vector<double> y(static_cast<std::size_t>(n) + 1, 1.0);
            matrix_zeiger yv = spaltenvektor(y);
            rationaleinterpolation_parameter p = {
                "e", STUETZSTELLEN_AEQUIDISTANT, nullptr, -2.0, 5.0, yv.get(), d};
            interpolation_zeiger r(rationaleinterpolation_kreieren(&p, nullptr));
            std::vector<double> w = spalte(rationaleinterpolation_imVektor(r.get(), 2));
            std::vector<double> soll;
            for (int k = 0; k <= n; ++k) {
                double s = 0.0;
                for (int i = std::max(0, k - d); i <= std::min(k, n - d); ++i)
                    s += binom(d, k - i);
                soll.push_back((k - d) % 2 == 0 ? s : -s);
            }
            double groesstes = 0.0;
            for (double s : soll)
                groesstes = std::max(groesstes, std::fabs(s));
            for (int k = 0; k <= n; ++k)
                EXPECT_NEAR(w[static_cast<std::size_t>(k)],
                            soll[static_cast<std::size_t>(k)] / groesstes, 1e-13)
                    << "d " << d << " n " << n << " k " << k;
        }
}

TEST(Rational, DegreeNIsTheInterpolatingPolynomial) {
    // d = n, and any d above n, gives the polynomial's weights.
    std::vector<double> x = {0.5, -1.0, 2.0, 3.5, 0.0};
    std::vector<double> y = {1.0, -2.0, 0.25, 3.0, 7.0};
    matrix_zeiger xv = spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    baryzentrischeinterpolation_parameter pb = {"p",     STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0,
                                                yv.get()};
    interpolation_zeiger p(baryzentrischeinterpolation_kreieren(&pb, nullptr));
    std::vector<double> wp = spalte(baryzentrischeinterpolation_imVektor(p.get(), 2));
    for (int d : {4, 5, 1000}) {
        interpolation_zeiger r = rational(x, y, d);
        EXPECT_EQ(rationaleinterpolation_grad(r.get()), d);
        std::vector<double> w = spalte(rationaleinterpolation_imVektor(r.get(), 2));
        for (std::size_t k = 0; k < x.size(); ++k)
            EXPECT_NEAR(w[k] / w[0], wp[k] / wp[0], 1e-14) << "d " << d << " k " << k;
    }
    // d = 0 is Berrut's interpolant: weights +-1, alternating in the order
    // of the nodes, not of their rows.
    interpolation_zeiger r = rational(x, y, 0);
    std::vector<double> w = spalte(rationaleinterpolation_imVektor(r.get(), 2));
    EXPECT_EQ(w, (std::vector<double>{1.0, 1.0, -1.0, 1.0, -1.0}));
}

TEST(Rational, TextFormCarriesTheDegree) {
    const char *datei = "RATIONALE_INTERPOLATION: r\nart = 1\na = -1.000000\nb = 1.000000\nd = 2\n"
                        "NM_MATRIX: Stuetzwerte\nn = 5\nm = 1\n1\n0.25\n0\n0.25\n1\n";
    textquelle ein(datei);
    interpolation_zeiger r(interpolation_laden(ein, nullptr));
    ASSERT_EQ(interpolation_klasse(r.get()), &rationale_interpolation);
    EXPECT_EQ(rationaleinterpolation_grad(r.get()), 2);
    // x^2 through five equidistant values, d = 2: x^2 everywhere.
    EXPECT_NEAR(rationaleinterpolation_funktionswert(r.get(), 0.3), 0.09, 1e-15);
    EXPECT_NEAR(rationaleinterpolation_funktionswert(r.get(), -1.7), 2.89, 1e-13);
    textsenke aus;
    rationaleinterpolation_speichern(r.get(), aus);
    EXPECT_EQ(aus.text(),
              "RATIONALE_INTERPOLATION: r\nart = 1\na = -1.000000\nb = 1.000000\nd = 2\n"
              "NM_MATRIX: Stuetzwerte\nn = 5\nm = 1\n1.000000\n0.250000\n0.000000\n"
              "0.250000\n1.000000\n");
}

TEST(Rational, BadDegreeOrNodesEndWithAMessage) {
    auto laden = [](const std::string &text) {
        textquelle ein(text);
        interpolation_zeiger(interpolation_laden(ein, nullptr));
    };
    const std::string kopf = "RATIONALE_INTERPOLATION: r\nart = 1\na = 0\nb = 1\n";
    const std::string werte = "NM_MATRIX: y\nn = 2\nm = 1\n1\n2\n";
    EXPECT_EXIT(laden(kopf + werte), testing::ExitedWithCode(1), "^d =... erwartet!\n$");
    EXPECT_EXIT(laden(kopf + "d = drei\n" + werte), testing::ExitedWithCode(1),
                "^Zeile d =... enthaelt keine gueltige Zahl!\n$");
    EXPECT_EXIT(laden(kopf + "d = -1\n" + werte), testing::ExitedWithCode(1),
                "^Mischungsgrad d = -1 ungueltig fuer RATIONALE_INTERPOLATION r \\(d >= 0\\).\n$");
    // Direct creation, past the generic checks: equal nodes are named.
    EXPECT_EXIT(rational({0.0, 2.0, 1.0, 2.0}, {1, 2, 3, 4}, 0), testing::ExitedWithCode(1),
                "^Stuetzstellen x\\(2\\) und x\\(4\\) gleich fuer RATIONALE_INTERPOLATION r.\n$");
    EXPECT_EXIT(
        rational({0.0, NAN}, {1, 2}, 1), testing::ExitedWithCode(1),
        "^Stuetzstelle x\\(2\\) ist keine endliche Zahl fuer RATIONALE_INTERPOLATION r.\n$");
}

// The nodes are checked four at a time with the rest one by one: a node
// that is not finite, a pair too close and a pair equal are named at every
// place of the lanes and of the rest, ascending nodes and others alike.
TEST(Rational, NodeChecksNameTheFaultAtEveryPlace) {
    const int anzahl = 11;
    std::vector<double> aufsteigend(anzahl);
    for (int i = 0; i < anzahl; ++i)
        aufsteigend[static_cast<std::size_t>(i)] = 1.0 + i;
    const std::vector<double> y(anzahl, 1.0);
    for (int j = 0; j < anzahl; ++j) {
        const std::string nr = std::to_string(j + 1);
        const std::string naechste = std::to_string(j + 2);
        for (double schlecht : {double(NAN), HUGE_VAL, -HUGE_VAL}) {
            std::vector<double> x = aufsteigend;
            x[static_cast<std::size_t>(j)] = schlecht;
            EXPECT_EXIT(rational(x, y, 3), testing::ExitedWithCode(1),
                        "^Stuetzstelle x\\(" + nr + "\\) ist keine endliche Zahl");
        }
        if (j + 1 == anzahl) continue;
        std::vector<double> x = aufsteigend;
        x[static_cast<std::size_t>(j) + 1] = x[static_cast<std::size_t>(j)] + 1e-15;
        EXPECT_EXIT(rational(x, y, 3), testing::ExitedWithCode(1),
                    "^Stuetzstellen x\\(" + nr + "\\) und x\\(" + naechste +
                        "\\) liegen zu dicht beieinander");
        // Equal neighbours descend nowhere: the check of any order finds them.
        x[static_cast<std::size_t>(j) + 1] = x[static_cast<std::size_t>(j)];
        EXPECT_EXIT(rational(x, y, 3), testing::ExitedWithCode(1),
                    "^Stuetzstellen x\\(" + nr + "\\) und x\\(" + naechste + "\\) gleich");
        // One descending step: the nodes are sorted, the weights follow them.
        x = aufsteigend;
        std::swap(x[static_cast<std::size_t>(j)], x[static_cast<std::size_t>(j) + 1]);
        std::vector<double> w = spalte(rationaleinterpolation_imVektor(rational(x, y, 3).get(), 2));
        std::vector<double> v =
            spalte(rationaleinterpolation_imVektor(rational(aufsteigend, y, 3).get(), 2));
        std::swap(v[static_cast<std::size_t>(j)], v[static_cast<std::size_t>(j) + 1]);
        EXPECT_EQ(w, v) << j;
    }
}

TEST(Rational, NodesNearTheEndsOfTheDoubleRange) {
    // Differences that overflow and products far outside the double range
    // leave finite weights and the values at the nodes.
    std::vector<double> x = {-1.5e308, -1e308, 0.0, 1e308, 1.7e308};
    std::vector<double> y = {1.0, 2.0, 3.0, 4.0, 5.0};
    for (int d = 0; d <= 4; ++d) {
        interpolation_zeiger r = rational(x, y, d);
        for (double w : spalte(rationaleinterpolation_imVektor(r.get(), 2)))
            EXPECT_TRUE(std::isfinite(w) && w != 0.0) << d;
        EXPECT_EQ(rationaleinterpolation_funktionswert(r.get(), 1e308), 4.0);
        EXPECT_TRUE(std::isfinite(rationaleinterpolation_funktionswert(r.get(), 5e307)));
    }
    // Nodes 1e-300 apart beside one at 1 differ in no bit a difference of
    // the others could hold: refused, naming the pair.
    std::vector<double> eng = {0.0, 1e-300, 2e-300, 3e-300, 1.0};
    EXPECT_EXIT(rational(eng, {1.0, 1.0, 1.0, 1.0, 1.0}, 3), testing::ExitedWithCode(1),
                "^Stuetzstellen x\\(1\\) und x\\(2\\) liegen zu dicht beieinander fuer "
                "RATIONALE_INTERPOLATION r \\(Abstand 1e-300 bei Betrag 1\\).\n$");
}

} // namespace

namespace {

// The weights do not change when every node is multiplied by a power of
// two: on nodes of moderate span they are formed by plain products, on the
// same nodes times 2^950 by products kept as mantissa and exponent, and
// both ways must give the same bits (the fast way is taken only where it
// cannot overflow or underflow).
// Nodes in any order and ascending (summed in place, then scaled and
// signed four at a time); every blending degree with its own lanes (1 to
// 5) and two without; counts that leave 0 to 3 nodes beside the lanes.
TEST(Rational, WeightsTheSameBitsWithAndWithoutScaledProducts) {
    std::mt19937 zufall(5);
    for (bool geordnet : {false, true})
        for (int n : {1, 2, 5, 40, 60, 61, 62, 63})
            for (int d : {0, 1, 2, 3, 4, 5, 6, 8}) {
                std::vector<double> x = zufallsknoten(zufall, n);
                if (geordnet) std::sort(x.begin(), x.end());
                std::vector<double> y(x.size(), 1.0);
                std::vector<double> gross = x;
                for (double &v : gross)
                    v = std::ldexp(v, 950);
                interpolation_zeiger klein_r = rational(x, y, d);
                interpolation_zeiger gross_r = rational(gross, y, d);
                std::vector<double> w1 =
                    spalte(interpolation_tabelle(klein_r.get())->imVektor(klein_r.get(), 2));
                std::vector<double> w2 =
                    spalte(interpolation_tabelle(gross_r.get())->imVektor(gross_r.get(), 2));
                ASSERT_EQ(w1.size(), w2.size());
                for (std::size_t k = 0; k < w1.size(); ++k)
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(w1[k]),
                              std::bit_cast<std::uint64_t>(w2[k]))
                        << "n = " << n << ", d = " << d << ", k = " << k
                        << (geordnet ? ", ascending" : "");
            }
}

} // namespace
