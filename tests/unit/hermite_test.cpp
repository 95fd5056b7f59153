// The piecewise cubic Hermite interpolant: values at the nodes, straight
// lines reproduced in every option, monotone data kept monotone, flat runs
// kept flat by the modified Akima weights (where plain Akima undershoots),
// changes of one value felt only nearby, and the text form.
#include "hilfen.h"

#include "numerik/hermiteipl.h"
#include "numerik/nmmatrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

interpolation_zeiger hermite(const std::vector<double> &x, const std::vector<double> &y,
                             int steigungen) {
    matrix_zeiger xv = spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    hermiteinterpolation_parameter p = {"h",       STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get(),
                                        steigungen};
    return interpolation_zeiger(hermiteinterpolation_kreieren(&p, nullptr));
}

double wert(const interpolation_zeiger &ip, double x) {
    return hermiteinterpolation_funktionswert(ip.get(), x);
}

// k+1 points on every interval of x, ends included.
std::vector<double> feines_gitter(const std::vector<double> &x, int k) {
    std::vector<double> t;
    for (std::size_t i = 0; i + 1 < x.size(); ++i)
        for (int j = 0; j < k; ++j)
            t.push_back(x[i] + (x[i + 1] - x[i]) * j / k);
    t.push_back(x.back());
    return t;
}

const int alle[] = {HERMITE_FRITSCH_CARLSON, HERMITE_AKIMA, HERMITE_AKIMA_MODIFIZIERT};

TEST(Hermite, StraightLinesAreReproducedToTheBitInEveryOption) {
    // Dyadic nodes and y = 2x - 1: every secant is 2 exactly, so every slope
    // must be 2 and every cubic the line (rows 0, 0, 2, y(i)); between the
    // nodes at dyadic points the value is exact too.
    std::vector<double> x = {0.0, 1.0, 2.5, 3.0, 4.5, 6.0};
    std::vector<double> y;
    for (double xi : x)
        y.push_back(2 * xi - 1);
    for (int s : alle) {
        interpolation_zeiger ip = hermite(x, y, s);
        objekt *c = hermiteinterpolation_imVektor(ip.get(), 2);
        ASSERT_EQ(matrix_tabelle(c)->hoehe(c), 5);
        ASSERT_EQ(matrix_tabelle(c)->breite(c), 4);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_EQ(matrix_tabelle(c)->amIndex(c, i, 1), 0.0) << s << " " << i;
            EXPECT_EQ(matrix_tabelle(c)->amIndex(c, i, 2), 0.0) << s << " " << i;
            EXPECT_EQ(matrix_tabelle(c)->amIndex(c, i, 3), 2.0) << s << " " << i;
            EXPECT_EQ(matrix_tabelle(c)->amIndex(c, i, 4), y[static_cast<std::size_t>(i) - 1]);
        }
        for (double t : {0.25, 1.75, 2.75, 3.5, 5.875, -0.5, 6.5})
            EXPECT_EQ(wert(ip, t), 2 * t - 1) << s << " " << t;
    }
    // One interval: the line through both values, whatever the option.
    for (int s : alle)
        EXPECT_EQ(wert(hermite({1.0, 3.0}, {5.0, 1.0}, s), 2.5), 2.0);
}

// Row i, column j of the coefficient matrix (c3, c2, c1 = d(i), c0 = y(i)).
double koeffizient(const interpolation_zeiger &ip, int i, int j) {
    objekt *c = hermiteinterpolation_imVektor(ip.get(), 2);
    return matrix_tabelle(c)->amIndex(c, i, j);
}

TEST(Hermite, FritschCarlsonSlopesByHand) {
    // x = 0, 1, 3, y = 0, 1, 5: h = 1, 2, m = 1, 2.  Interior: weights
    // 2*2 + 1 = 5 and 2 + 2*1 = 4, d(1) = 9 / (5/1 + 4/2) = 9/7.  Ends
    // ((2h0 + h1) m0 - h0 m1) / (h0 + h1) = (4 - 2) / 3 = 2/3 and
    // (5*2 - 2*1) / 3 = 8/3.  Row 1 then holds
    // c2 = 3 - 4/3 - 9/7 = 8/21, c3 = 2/3 + 9/7 - 2 = -1/21.
    interpolation_zeiger ip = hermite({0, 1, 3}, {0, 1, 5}, HERMITE_FRITSCH_CARLSON);
    EXPECT_NEAR(koeffizient(ip, 1, 3), 2.0 / 3, 1e-15);
    EXPECT_NEAR(koeffizient(ip, 2, 3), 9.0 / 7, 1e-15);
    EXPECT_NEAR(koeffizient(ip, 1, 2), 8.0 / 21, 1e-15);
    EXPECT_NEAR(koeffizient(ip, 1, 1), -1.0 / 21, 1e-15);
    // d(3) through the last cubic: c1 + 2 c2 h + 3 c3 h^2 at h = 2.
    EXPECT_NEAR(koeffizient(ip, 2, 3) + 4 * koeffizient(ip, 2, 2) + 12 * koeffizient(ip, 2, 1),
                8.0 / 3, 1e-14);
    // End slopes kept to the shape: (3*1 - 4) / 2 < 0 against m0 = 1 gives
    // 0; the data turn (m = 1, -6) and (3 + 6) / 2 > 3 gives 3 m0 = 3.
    EXPECT_EQ(koeffizient(hermite({0, 1, 2}, {0, 1, 5}, 0), 1, 3), 0.0);
    EXPECT_EQ(koeffizient(hermite({0, 1, 2}, {0, 1, -5}, 0), 1, 3), 3.0);
    // A turn inside: slope 0 at the extremum.
    EXPECT_EQ(koeffizient(hermite({0, 1, 2}, {0, 1, -5}, 0), 2, 3), 0.0);
}

TEST(Hermite, TakesItsValuesAtTheNodes) {
    std::vector<double> x = {-2.0, -1.3, 0.1, 0.2, 1.7, 3.0, 3.05, 4.0};
    std::vector<double> y = {0.3, -1.0, 2.0, 2.0, 0.7, 0.71, -3.0, 1e-3};
    for (int s : alle) {
        interpolation_zeiger ip = hermite(x, y, s);
        for (std::size_t k = 0; k < x.size(); ++k)
            EXPECT_EQ(wert(ip, x[k]), y[k]) << s << " " << k;
        EXPECT_EQ(hermiteinterpolation_linkeGrenze(ip.get()), -2.0);
        EXPECT_EQ(hermiteinterpolation_rechteGrenze(ip.get()), 4.0);
    }
}

// Monotone on a fine grid in the direction of the data, and exactly constant on each interval
// whose values are equal and that lies inside a flat run.
void monoton_pruefen(const std::vector<double> &x, const std::vector<double> &y, int s) {
    interpolation_zeiger ip = hermite(x, y, s);
    std::vector<double> t = feines_gitter(x, 400);
    double richtung = y.back() < y.front() ? -1.0 : 1.0;
    for (std::size_t i = 1; i < t.size(); ++i)
        ASSERT_LE(richtung * wert(ip, t[i - 1]), richtung * wert(ip, t[i]))
            << s << " bei x = " << t[i];
    for (std::size_t i = 1; i + 2 < x.size(); ++i)
        if (y[i - 1] == y[i] && y[i] == y[i + 1]) {
            for (int j = 0; j <= 20; ++j)
                EXPECT_EQ(wert(ip, x[i] + (x[i + 1] - x[i]) * j / 20), y[i]) << s << " " << i;
        }
}

TEST(Hermite, MonotoneDataWithFlatRunsStayMonotone) {
    std::vector<double> gleich = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<double> ungleich = {0, 0.5, 2, 2.25, 3, 5, 5.5, 7, 8};
    // Fritsch-Carlson keeps every monotone data monotone, also runs of two
    // equal values.
    for (const auto &x : {gleich, ungleich}) {
        monoton_pruefen(x, {0, 0, 0, 1, 1, 1, 2, 2, 3}, HERMITE_FRITSCH_CARLSON);
        monoton_pruefen(x, {3, 2, 2, 1, 1, 1, 0, 0, 0}, HERMITE_FRITSCH_CARLSON);
        monoton_pruefen(x, {-4, -3.9, 0, 0.01, 7, 7.5, 100, 100.1, 101}, HERMITE_FRITSCH_CARLSON);
    }
    // The modified Akima weights keep runs of three and more equal values
    // flat, and here the data monotone (a run of only two equal values, as
    // 2, 2 in the data above, it does not keep flat).
    std::vector<double> x10 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    monoton_pruefen(x10, {0, 0, 0, 1, 1, 1, 2, 2, 2, 3}, HERMITE_AKIMA_MODIFIZIERT);
    monoton_pruefen(x10, {0, 0, 0, 1, 1, 1, 2, 2, 2, 3}, HERMITE_FRITSCH_CARLSON);
}

TEST(Hermite, ModifiedAkimaDoesNotOvershootWhereAkimaDoes) {
    // 0, 0, 0, 1, 2, 3: at x = 2 both Akima weights vanish (m(0) = m(1),
    // m(2) = m(3)), so plain Akima takes the mean 1/2 of 0 and 1; with d(1)
    // = 0 the cubic on [1, 2] is t^3/2 - t^2/2, -2/27 at t = 2/3.  The
    // modified weight 1 of the rising side gives d(2) = 0: flat on [0, 2].
    std::vector<double> x = {0, 1, 2, 3, 4, 5};
    std::vector<double> y = {0, 0, 0, 1, 2, 3};
    EXPECT_NEAR(wert(hermite(x, y, HERMITE_AKIMA), 1.0 + 2.0 / 3), -2.0 / 27, 1e-15);
    interpolation_zeiger m = hermite(x, y, HERMITE_AKIMA_MODIFIZIERT);
    for (int j = 0; j <= 40; ++j)
        EXPECT_EQ(wert(m, j / 20.0), 0.0) << j;
    for (double t : feines_gitter(x, 100))
        EXPECT_GE(wert(m, t), 0.0) << t;
}

TEST(Hermite, ChangingOneValueChangesItOnlyNearby) {
    // A change of y(j) reaches the slopes at j-1..j+1 (Fritsch-Carlson) or
    // j-2..j+2 (Akima, both weights), so the interpolant outside two or
    // three intervals around x(j) must stay the same double, also beyond
    // the end nodes.
    std::vector<double> x, y;
    for (int k = 0; k <= 13; ++k) {
        x.push_back(k * 0.75);
        y.push_back(std::sin(k * 0.7) + 0.1 * k);
    }
    std::vector<double> t = feines_gitter(x, 16);
    t.push_back(-0.4);
    t.push_back(10.3);
    for (int s : alle) {
        int weite = s == HERMITE_FRITSCH_CARLSON ? 2 : 3;
        for (int j : {0, 1, 4, 7, 12, 13}) {
            std::vector<double> z = y;
            z[static_cast<std::size_t>(j)] += 0.5;
            interpolation_zeiger alt = hermite(x, y, s);
            interpolation_zeiger neu = hermite(x, z, s);
            double links = x[static_cast<std::size_t>(std::max(0, j - weite))];
            double rechts = x[static_cast<std::size_t>(std::min(13, j + weite))];
            for (double u : t)
                if ((u <= links && j - weite > 0) || (u >= rechts && j + weite < 13)) {
                    EXPECT_EQ(wert(alt, u), wert(neu, u)) << s << " j = " << j << " x = " << u;
                }
            EXPECT_NE(wert(alt, x[static_cast<std::size_t>(j)]),
                      wert(neu, x[static_cast<std::size_t>(j)]));
        }
    }
}

TEST(Hermite, TextFormRoundTrip) {
    matrix_zeiger yv = spaltenvektor({1, 0.5, -2, 4.25});
    hermiteinterpolation_parameter p = {
        "h", STUETZSTELLEN_AEQUIDISTANT, nullptr, -1, 2, yv.get(), HERMITE_AKIMA};
    interpolation_zeiger ip(hermiteinterpolation_kreieren(&p, nullptr));
    textsenke aus;
    hermiteinterpolation_speichern(ip.get(), aus);
    const std::string text = aus.text();
    EXPECT_EQ(text, "HERMITE_INTERPOLATION: h\nart = 1\na = -1.000000\nb = 2.000000\n"
                    "steigungen = 1\nNM_MATRIX: Stuetzwerte\nn = 4\nm = 1\n1.000000\n"
                    "0.500000\n-2.000000\n4.250000\n");
    textquelle ein(text);
    interpolation_zeiger zurueck(interpolation_laden(ein, nullptr));
    EXPECT_EQ(interpolation_klasse(zurueck.get()), &hermite_interpolation);
    EXPECT_EQ(hermiteinterpolation_steigungen(zurueck.get()), HERMITE_AKIMA);
    for (double u = -1.25; u <= 2.25; u += 0.125)
        EXPECT_EQ(wert(zurueck, u), wert(ip, u)) << u;
    textsenke wieder;
    hermiteinterpolation_speichern(zurueck.get(), wieder);
    EXPECT_EQ(wieder.text(), text);

    // Given nodes are stored as a vector.
    interpolation_zeiger g = hermite({0, 1, 3}, {2, 2, 5}, HERMITE_AKIMA_MODIFIZIERT);
    textsenke gaus;
    hermiteinterpolation_speichern(g.get(), gaus);
    EXPECT_EQ(gaus.text(), "HERMITE_INTERPOLATION: h\nart = 0\nNM_MATRIX: Stuetzstellen\n"
                           "n = 3\nm = 1\n0.000000\n1.000000\n3.000000\nsteigungen = 2\n"
                           "NM_MATRIX: Stuetzwerte\nn = 3\nm = 1\n2.000000\n2.000000\n"
                           "5.000000\n");
}

TEST(Hermite, BadProblemsEndWithAMessage) {
    auto laden = [](const std::string &text) {
        textquelle ein(text);
        interpolation_zeiger(interpolation_laden(ein, nullptr));
    };
    const std::string kopf = "HERMITE_INTERPOLATION: h\nart = 1\na = 0\nb = 1\n";
    const std::string werte = "NM_MATRIX: y\nn = 2\nm = 1\n1\n2\n";
    EXPECT_EXIT(laden(kopf + werte), testing::ExitedWithCode(1), "^steigungen =... erwartet!\n$");
    EXPECT_EXIT(laden(kopf + "steigungen = 3\n" + werte), testing::ExitedWithCode(1),
                "^Steigungen 3 nicht moeglich fuer HERMITE_INTERPOLATION h \\(0, 1 oder 2\\).\n$");
    EXPECT_EXIT(laden(kopf + "steigungen = 0\nNM_MATRIX: y\nn = 1\nm = 1\n1\n"),
                testing::ExitedWithCode(1),
                "^Zu wening Stuetzstellen fuer HERMITE_INTERPOLATION 'h'!\n$");
    // Direct creation, past the generic checks.
    EXPECT_EXIT(hermite({0.0, 2.0, 1.0}, {1, 2, 3}, 0), testing::ExitedWithCode(1),
                "^Die Stuetzstellen fuer HERMITE_INTERPOLATION h muessen aufsteigend sein!\n$");
    EXPECT_EXIT(hermite({0.0, 1.0, NAN}, {1, 2, 3}, 2), testing::ExitedWithCode(1),
                "^Die Stuetzstellen fuer HERMITE_INTERPOLATION h muessen aufsteigend sein!\n$");
    // Through the generic entry: the shared check names the class.
    matrix_zeiger xv = spaltenvektor({0, 1, 1});
    matrix_zeiger yv = spaltenvektor({1, 2, 3});
    interpolation_problem p;
    interpolation_problem_vorbelegen(&p, &hermite_interpolation);
    p.name = "h";
    p.art = STUETZSTELLEN_GEGEBEN;
    p.stuetzstellen = xv.get();
    p.stuetzwerte = yv.get();
    EXPECT_EXIT(interpolation_zeiger(interpolation_erzeugen(&p, nullptr)),
                testing::ExitedWithCode(1),
                "^Die Stuetzstellen fuer HERMITE_INTERPOLATION h muessen aufsteigend sein!\n$");
}

} // namespace
