// Derivatives and integrals of every interpolation class, against closed
// forms: a cubic is reproduced by every polynomial form of degree >= 3, by
// the rational form with d >= 3 and by the spline kinds whose end
// conditions it meets, a line by the Hermite form, so their derivatives and
// integrals are those of the cubic or line, inside the interval and beyond.
#include "hilfen.h"

#include "numerik/baryzipl.h"
#include "numerik/hermiteipl.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// q(x) = x^3 - 2x^2 + x/2 + 1 with its derivatives and antiderivative.
double q(double x) {
    return ((x - 2) * x + 0.5) * x + 1;
}
double q1(double x) {
    return (3 * x - 4) * x + 0.5;
}
double q2(double x) {
    return 6 * x - 4;
}
double Q(double x) {
    return (((x / 4 - 2.0 / 3) * x + 0.25) * x + 1) * x;
}

// The problem of q on the nodes x (kind 0) or on n+1 placed nodes of kind
// art on [a, b]; the values at the placed nodes from the same placement.
struct problem {
    matrix_zeiger knoten;
    matrix_zeiger werte;
    interpolation_problem p{};

    problem(klasse *methode, int art, const std::vector<double> &x, double a = 0, double b = 0,
            int n = 0) {
        std::vector<double> t = x;
        if (art != STUETZSTELLEN_GEGEBEN) {
            t.assign(static_cast<std::size_t>(n) + 1, 0.0);
            matrix_zeiger platz = spaltenvektor(t);
            stuetzstellen_platzieren(platz.get(), art, n, a, b, "q");
            for (int i = 0; i <= n; ++i)
                t[static_cast<std::size_t>(i)] = nmmatrix_amIndex(platz.get(), i + 1, 1);
        }
        std::vector<double> y;
        for (double xi : t)
            y.push_back(q(xi));
        knoten = spaltenvektor(t);
        werte = spaltenvektor(y);
        interpolation_problem_vorbelegen(&p, methode);
        p.name = "q";
        p.art = art;
        p.stuetzstellen = art == STUETZSTELLEN_GEGEBEN ? knoten.get() : nullptr;
        p.a = a;
        p.b = b;
        p.stuetzwerte = werte.get();
    }
    interpolation_zeiger erzeugen() const {
        return interpolation_zeiger(interpolation_erzeugen(&p, nullptr));
    }
};

// The derivatives at the nodes, between them and beyond the interval
// [a, b], and integrals inside, across and outside, reversed included.
void pruefe_kubik(objekt *ip, double a, double b, const char *was) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    const double skala = 1 + std::fabs(a) + std::fabs(b);
    const double toleranz = 1e-12 * skala * skala * skala;
    std::vector<double> punkte;
    for (int i = -4; i <= 24; ++i)
        punkte.push_back(a + (b - a) * i / 20.0);
    for (double x : punkte) {
        EXPECT_NEAR(fi->ableitung1(ip, x), q1(x), toleranz) << was << " x = " << x;
        EXPECT_NEAR(fi->ableitung2(ip, x), q2(x), toleranz) << was << " x = " << x;
        EXPECT_EQ(interpolation_ableitung(ip, 1, x), fi->ableitung1(ip, x));
        EXPECT_EQ(interpolation_ableitung(ip, 0, x), fi->funktionswert(ip, x));
    }
    const double grenzen[][2] = {{a, b},
                                 {b, a},
                                 {a + 0.3 * (b - a), a + 0.35 * (b - a)},
                                 {a - 2.5, a - 0.5},
                                 {a - 1, b + 2},
                                 {b + 3, b + 0.25}};
    for (const auto &g : grenzen)
        EXPECT_NEAR(fi->integral(ip, g[0], g[1]), Q(g[1]) - Q(g[0]),
                    toleranz * (1 + std::fabs(g[1] - g[0])))
            << was << " [" << g[0] << ", " << g[1] << "]";
    EXPECT_EQ(fi->integral(ip, a, a), 0.0) << was;
}

TEST(Ableitung, PolynomialFormsReproduceTheCubicsDerivativesAndIntegral) {
    // Given nodes out of order, equidistant and both Chebyshev kinds; n 3
    // (the cubic itself) and 6 (beyond the interval the rounding of the
    // higher coefficients grows with the products of n distances, so n
    // stays small here).
    const std::vector<double> ungeordnet = {0.5, -1.0, 2.0, 0.0, 1.5, -0.25, 1.0};
    for (klasse *k : {&newton_interpolation, &baryzentrische_interpolation}) {
        pruefe_kubik(problem(k, STUETZSTELLEN_GEGEBEN, ungeordnet).erzeugen().get(), -1.0, 2.0,
                     "gegeben");
        for (int art : {STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_TSCHEBYSCHEFF,
                        STUETZSTELLEN_TSCHEBYSCHEFF1})
            for (int n : {3, 6})
                pruefe_kubik(problem(k, art, {}, -1.5, 2.5, n).erzeugen().get(), -1.5, 2.5,
                             "platziert");
    }
}

TEST(Ableitung, NewtonInLejaOrderCarriesTheScaleIntoItsDerivatives) {
    // Leja order evaluates in t = (x - mitte) / skala; with the interval
    // [10, 14] the scale is 1, with [-40, 40] it is 16, so a missing factor
    // 1/skala or 1/skala^2 shows at once.
    for (double b : {14.0, 40.0}) {
        double a = b == 14.0 ? 10.0 : -40.0;
        problem pr(&newton_interpolation, STUETZSTELLEN_TSCHEBYSCHEFF, {}, a, b, 9);
        interpolation_option_setzen(&pr.p, "leja", 1);
        interpolation_zeiger ip = pr.erzeugen();
        pruefe_kubik(ip.get(), a, b, "leja");
    }
}

TEST(Ableitung, RationalFormWithBlendingDegreeAtLeastThreeReproducesTheCubic) {
    // d = 3 on 13 nodes and d = 5 on 9: the blend of cubics or quintics
    // through q is q.  The integral is the composite rule, exact for q too.
    for (int d : {3, 5}) {
        problem pr(&rationale_interpolation, STUETZSTELLEN_AEQUIDISTANT, {}, -2.0, 1.0,
                   d == 3 ? 12 : 8);
        interpolation_option_setzen(&pr.p, "d", d);
        pruefe_kubik(pr.erzeugen().get(), -2.0, 1.0, "rational");
    }
    const std::vector<double> ungeordnet = {0.5, -1.0, 2.0, 0.0, 1.5, -0.25, 1.0};
    problem pr(&rationale_interpolation, STUETZSTELLEN_GEGEBEN, ungeordnet);
    interpolation_option_setzen(&pr.p, "d", 3);
    pruefe_kubik(pr.erzeugen().get(), -1.0, 2.0, "rational ungeordnet");
}

TEST(Ableitung, SplineKindsThatMeetTheCubicsEndConditionsReproduceIt) {
    // Exact end second derivatives (kind 0), not-a-knot (4), exact end
    // slopes (5): the cubic itself is the spline, on every piece, and the
    // end pieces continue it beyond the nodes.
    const std::vector<double> x = {-1.0, -0.4, 0.3, 0.5, 1.25, 2.0};
    for (int art : {SPLINE_ABL2_GEGEBEN, SPLINE_NOT_A_KNOT, SPLINE_EINGESPANNT}) {
        problem pr(&spline_interpolation, STUETZSTELLEN_GEGEBEN, x);
        interpolation_option_setzen(&pr.p, "ende", art);
        if (art == SPLINE_ABL2_GEGEBEN) {
            interpolation_option_setzen(&pr.p, "links", q2(-1.0));
            interpolation_option_setzen(&pr.p, "rechts", q2(2.0));
        } else if (art == SPLINE_EINGESPANNT) {
            interpolation_option_setzen(&pr.p, "links", q1(-1.0));
            interpolation_option_setzen(&pr.p, "rechts", q1(2.0));
        }
        pruefe_kubik(pr.erzeugen().get(), -1.0, 2.0, "spline");
    }
}

TEST(Ableitung, HermiteFormReproducesAStraightLine) {
    const std::vector<double> x = {0.0, 1.0, 2.5, 3.0, 4.5, 6.0};
    std::vector<double> y;
    for (double xi : x)
        y.push_back(2 * xi - 1);
    for (int s : {HERMITE_FRITSCH_CARLSON, HERMITE_AKIMA, HERMITE_AKIMA_MODIFIZIERT}) {
        matrix_zeiger xv = spaltenvektor(x);
        matrix_zeiger yv = spaltenvektor(y);
        hermiteinterpolation_parameter p = {"h", STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get(),
                                            s};
        interpolation_zeiger ip(hermiteinterpolation_kreieren(&p, nullptr));
        for (double t : {-1.0, 0.0, 0.5, 1.0, 2.75, 6.0, 7.5}) {
            EXPECT_DOUBLE_EQ(hermiteinterpolation_ableitung1(ip.get(), t), 2.0) << t;
            EXPECT_DOUBLE_EQ(hermiteinterpolation_ableitung2(ip.get(), t), 0.0) << t;
        }
        // The integral of 2x - 1 is x^2 - x.
        EXPECT_DOUBLE_EQ(hermiteinterpolation_integral(ip.get(), 0.0, 6.0), 30.0);
        EXPECT_DOUBLE_EQ(hermiteinterpolation_integral(ip.get(), 2.75, 0.5), -(4.8125 + 0.25));
        EXPECT_DOUBLE_EQ(hermiteinterpolation_integral(ip.get(), -2.0, 8.0), 56.0 - 6.0);
    }
}

TEST(Ableitung, BarycentricFormulaAtNodesAndBetweenThemAgreesWithNewton) {
    // Two independent routes to p' and p'' of the same degree-6 polynomial
    // through arbitrary values: the barycentric formulas (at a node the
    // Berrut-Trefethen sums, between nodes Schneider-Werner) and the
    // nested multiplication of the Newton form.
    const std::vector<double> x = {-1.0, -0.7, -0.2, 0.1, 0.4, 0.8, 1.0};
    const std::vector<double> y = {0.3, -1.2, 0.8, 2.0, -0.5, 0.1, 1.7};
    matrix_zeiger xv = spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    baryzentrischeinterpolation_parameter pb = {"b",     STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0,
                                                yv.get()};
    newtoninterpolation_parameter pn = {"n", STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get(), 0};
    interpolation_zeiger bary(baryzentrischeinterpolation_kreieren(&pb, nullptr));
    interpolation_zeiger newton(newtoninterpolation_kreieren(&pn, nullptr));
    std::vector<double> punkte = x;
    for (double t : {-0.95, -0.5, 0.0, 0.25, 0.6, 0.99, 0.1 + 1e-9, 0.4 - 1e-12})
        punkte.push_back(t);
    for (double t : punkte) {
        double n1 = newtoninterpolation_ableitung1(newton.get(), t);
        double n2 = newtoninterpolation_ableitung2(newton.get(), t);
        EXPECT_NEAR(baryzentrischeinterpolation_ableitung1(bary.get(), t), n1,
                    1e-11 * (1 + std::fabs(n1)))
            << t;
        EXPECT_NEAR(baryzentrischeinterpolation_ableitung2(bary.get(), t), n2,
                    1e-9 * (1 + std::fabs(n2)))
            << t;
    }
    // With two nodes the polynomial is the line through them: slope 5 at
    // the nodes and between, second derivative 0.
    matrix_zeiger x2 = spaltenvektor({1.0, 3.0});
    matrix_zeiger y2 = spaltenvektor({-2.0, 8.0});
    baryzentrischeinterpolation_parameter pl = {"l",     STUETZSTELLEN_GEGEBEN, x2.get(), 0, 0,
                                                y2.get()};
    interpolation_zeiger linie(baryzentrischeinterpolation_kreieren(&pl, nullptr));
    for (double t : {1.0, 2.0, 3.0, 7.0}) {
        EXPECT_DOUBLE_EQ(baryzentrischeinterpolation_ableitung1(linie.get(), t), 5.0) << t;
        EXPECT_DOUBLE_EQ(baryzentrischeinterpolation_ableitung2(linie.get(), t), 0.0) << t;
    }
}

TEST(Ableitung, GaussQuadratureIsExactForHighDegree) {
    // x^40 through 41 Chebyshev points is x^40 itself: its integral over
    // [-1, 1] is 2/41, over [0, 1] 1/41; 21 Gauss points are exact for it.
    problem pr(&baryzentrische_interpolation, STUETZSTELLEN_TSCHEBYSCHEFF, {}, -1.0, 1.0, 40);
    for (int i = 0; i <= 40; ++i)
        nmmatrix_setzen(pr.werte.get(), i + 1, 1,
                        std::pow(nmmatrix_amIndex(pr.knoten.get(), i + 1, 1), 40));
    pr.p.art = STUETZSTELLEN_GEGEBEN;
    pr.p.stuetzstellen = pr.knoten.get();
    interpolation_zeiger ip = pr.erzeugen();
    EXPECT_NEAR(interpolation_integral(ip.get(), -1.0, 1.0), 2.0 / 41, 1e-15);
    EXPECT_NEAR(interpolation_integral(ip.get(), 0.0, 1.0), 1.0 / 41, 1e-15);
}

TEST(Ableitung, PeriodicSplineIntegratesWholePeriodsAndWrapsItsDerivatives) {
    // Values of sin on 9 equidistant nodes of [0, 2 pi]: the spline repeats
    // with period 2 pi, so its integral over any period is that over [0, 2
    // pi] (0 by the odd symmetry of the data about pi, to rounding), and
    // its derivatives at x + 2 pi are those at x.
    const double pi = 3.14159265358979323846;
    std::vector<double> x, y;
    for (int i = 0; i <= 8; ++i) {
        x.push_back(i * pi / 4);
        y.push_back(std::sin(i * pi / 4));
    }
    y.back() = 0.0;
    matrix_zeiger xv = spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    splineinterpolation_parameter p = {
        "p", STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get(), SPLINE_PERIODISCH, 0, 0, 0, 0};
    interpolation_zeiger ip(splineinterpolation_kreieren(&p, nullptr));
    objekt *s = ip.get();
    const double halb = splineinterpolation_integral(s, 0.0, pi);
    EXPECT_GT(halb, 1.9);
    EXPECT_NEAR(splineinterpolation_integral(s, 2 * pi, 3 * pi), halb, 1e-13);
    EXPECT_NEAR(splineinterpolation_integral(s, -6 * pi, -5 * pi), halb, 1e-13);
    EXPECT_NEAR(splineinterpolation_integral(s, -3 * pi, 5 * pi), 0.0, 1e-13);
    EXPECT_NEAR(splineinterpolation_integral(s, 0.5, 0.5 + 8 * pi),
                4 * splineinterpolation_integral(s, 0.0, 2 * pi), 1e-13);
    EXPECT_NEAR(splineinterpolation_integral(s, -pi, 0.0), -halb, 1e-13);
    for (double t : {0.3, 1.0, 2.0, 5.5})
        for (int k : {-2, 1, 3}) {
            EXPECT_NEAR(splineinterpolation_ableitung1(s, t + 2 * pi * k),
                        splineinterpolation_ableitung1(s, t), 1e-12);
            EXPECT_NEAR(splineinterpolation_ableitung2(s, t + 2 * pi * k),
                        splineinterpolation_ableitung2(s, t), 1e-12);
        }
}

TEST(Ableitung, RationalIntegralAgreesWithAFineSimpsonSumOfItsValues) {
    // A non-polynomial interpolant (sin on 15 nodes, d = 3): the composite
    // Gauss rule against Simpson's rule on 20000 steps of the class's own
    // values, inside, across an end and far outside, where the panels
    // double in length.
    problem pr(&rationale_interpolation, STUETZSTELLEN_AEQUIDISTANT, {}, -3.0, 3.0, 14);
    for (int i = 0; i <= 14; ++i)
        nmmatrix_setzen(pr.werte.get(), i + 1, 1, std::sin(-3.0 + 6.0 * i / 14));
    interpolation_option_setzen(&pr.p, "d", 3);
    interpolation_zeiger ip = pr.erzeugen();
    auto simpson = [&](double lo, double hi) {
        const int schritte = 20000;
        double h = (hi - lo) / schritte, summe = 0.0;
        for (int i = 0; i <= schritte; ++i) {
            double g = i == 0 || i == schritte ? 1 : (i % 2 == 1 ? 4 : 2);
            summe += g * rationaleinterpolation_funktionswert(ip.get(), lo + i * h);
        }
        return summe * h / 3;
    };
    for (auto [lo, hi] : {std::pair{-3.0, 3.0}, {-1.1, 2.3}, {2.0, 5.0}, {-20.0, -4.0}}) {
        // Simpson's own error, h^4/180 (hi - lo) max |r(4)|, is what the
        // tolerance allows for: far outside r grows, and so does r(4).
        double s = simpson(lo, hi);
        EXPECT_NEAR(rationaleinterpolation_integral(ip.get(), lo, hi), s,
                    1e-10 + 1e-11 * std::fabs(s))
            << lo << " " << hi;
    }
}

TEST(Ableitung, GenericLayerRefusesBadOrdersAndBounds) {
    problem pr(&baryzentrische_interpolation, STUETZSTELLEN_AEQUIDISTANT, {}, 0.0, 1.0, 3);
    interpolation_zeiger ip = pr.erzeugen();
    EXPECT_TRUE(std::isnan(interpolation_ableitung(ip.get(), 2, NAN)));
    EXPECT_TRUE(std::isnan(interpolation_ableitung(ip.get(), 1, INFINITY)));
    EXPECT_EXIT(interpolation_ableitung(ip.get(), 3, 0.5), testing::ExitedWithCode(1),
                "^Ableitung 3. Ordnung nicht vorhanden \\(0, 1 oder 2\\).\n$");
    EXPECT_EXIT(interpolation_integral(ip.get(), NAN, 0.5), testing::ExitedWithCode(1),
                "^Integrationsgrenze x1 ist keine endliche Zahl.\n$");
    EXPECT_EXIT(interpolation_integral(ip.get(), 0.0, -INFINITY), testing::ExitedWithCode(1),
                "^Integrationsgrenze x2 ist keine endliche Zahl.\n$");
    EXPECT_EXIT(interpolation_integral(&allg_interpolation, 0.0, 1.0), testing::ExitedWithCode(1),
                "^Diese interpolation kann nicht integriert werden.\n$");
}

} // namespace
