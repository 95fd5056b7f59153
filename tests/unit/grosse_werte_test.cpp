// Finite input at the edges of the double range: nodes that collapse, values
// and coordinates whose coefficients leave the doubles, integrals far
// outside the nodes, periodic integrals of every node count, two-node
// splines.  Each either computes the right number or ends with a message
// that names the reason; none hands out a number that is not finite.
#include "hilfen.h"
#include "numerik/baryzipl.h"
#include "numerik/hermiteipl.h"
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/newtnipl.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// A problem for the generic entry: nodes x (empty: equidistant on [a, b]),
// values y, options by key.
struct problem {
    matrix_zeiger xv;
    matrix_zeiger yv;
    interpolation_problem p = {};

    problem(klasse *methode, const std::vector<double> &x, const std::vector<double> &y,
            std::vector<std::pair<const char *, double>> optionen = {}, double a = 0.0,
            double b = 1.0) {
        yv = spaltenvektor(y);
        interpolation_problem_vorbelegen(&p, methode);
        p.name = "g";
        if (x.empty()) {
            p.art = STUETZSTELLEN_AEQUIDISTANT;
            p.a = a;
            p.b = b;
        } else {
            xv = spaltenvektor(x);
            p.stuetzstellen = xv.get();
        }
        p.stuetzwerte = yv.get();
        for (auto [schluessel, wert] : optionen)
            interpolation_option_setzen(&p, schluessel, wert);
    }
    objekt *erzeugen() { return interpolation_erzeugen(&p, nullptr); }
};

double wert(objekt *ip, double x) {
    return interpolation_tabelle(ip)->funktionswert(ip, x);
}

double integral(objekt *ip, double x1, double x2) {
    return interpolation_tabelle(ip)->integral(ip, x1, x2);
}

std::vector<double> koeffizienten(objekt *ip) {
    objekt *c = interpolation_tabelle(ip)->imVektor(ip, 2);
    std::vector<double> w;
    for (int i = 1; i <= nmmatrix_hoehe(c); ++i)
        for (int k = 1; k <= 4; ++k)
            w.push_back(nmmatrix_amIndex(c, i, k));
    return w;
}

TEST(GrosseWerte, GlobalFormsRefuseCollapsingNodes) {
    const std::string art[] = {"NEWTON_INTERPOLATION", "BARYZENTRISCHE_INTERPOLATION",
                               "RATIONALE_INTERPOLATION"};
    klasse *klassen[] = {&newton_interpolation, &baryzentrische_interpolation,
                         &rationale_interpolation};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(art[k]);
        // Subnormally close: the difference is no number a divided
        // difference can be taken of.
        problem nah(klassen[k], {0.0, 1e-320, 2.0}, {1, 2, 3});
        EXPECT_EXIT(nah.erzeugen(), testing::ExitedWithCode(1),
                    "^Stuetzstellen x\\(1\\) und x\\(2\\) liegen zu dicht beieinander fuer " +
                        art[k] + " g \\(Abstand 9.99989e-321 bei Betrag 2\\).\n$");
        // An interval one unit in the last place wide: the placed nodes
        // fall on each other.
        problem eng(klassen[k], {}, {1, 2, 3}, {}, 1.0, 1.0 + std::ldexp(1.0, -52));
        EXPECT_EXIT(eng.erzeugen(), testing::ExitedWithCode(1),
                    "^Stuetzstellen x\\([0-9]\\) und x\\([0-9]\\) (gleich|liegen zu dicht "
                    "beieinander) fuer " +
                        art[k]);
        // Nodes apart by many units in the last place are taken.
        problem gut(klassen[k], {1.0, 1.0 + 1e-12, 2.0}, {1, 2, 3});
        interpolation_zeiger ip(gut.erzeugen());
        EXPECT_DOUBLE_EQ(wert(ip.get(), 2.0), 3.0);
    }
}

// x^3 through 0..3 is its own interpolant: the integral over [0, X] is
// X^4 / 4, however far X lies outside the nodes.
TEST(GrosseWerte, GlobalIntegralsFarOutsideTheNodes) {
    std::vector<std::pair<klasse *, std::vector<std::pair<const char *, double>>>> formen = {
        {&newton_interpolation, {}},
        {&baryzentrische_interpolation, {}},
        {&rationale_interpolation, {{"d", 3}}}};
    for (auto &[methode, optionen] : formen) {
        problem kubik(methode, {0, 1, 2, 3}, {0, 1, 8, 27}, optionen);
        interpolation_zeiger ip(kubik.erzeugen());
        for (double X : {1e3, 1e6, 1e8, 1e30}) {
            double soll = X * X * X * X / 4;
            EXPECT_NEAR(integral(ip.get(), 0.0, X) / soll, 1.0, 1e-10) << X;
            EXPECT_NEAR(integral(ip.get(), -X, 0.0) / soll, -1.0, 1e-10) << X;
        }
    }
    // The rational form of blending degree 1 on the same data, integrated
    // by mpmath at 40 digits over the pieces 0, 1, 2, 3, 10, ..., 10^8
    // (weights -1, 2, -2, 1): tests/erwartet/grosse_werte.py.
    problem r1(&rationale_interpolation, {0, 1, 2, 3}, {0, 1, 8, 27}, {{"d", 1}});
    interpolation_zeiger ip(r1.erzeugen());
    EXPECT_NEAR(integral(ip.get(), 0, 1e6) / 6500011999565.5678853627741798596, 1.0, 1e-10);
    EXPECT_NEAR(integral(ip.get(), 0, 1e8) / 65000001199999455.043658338916001427, 1.0, 1e-10);
}

// Periodic splines repeat their period's integral for every node count;
// three nodes are continued over a second period first.  Values 1, 3, 1 at
// 0, 1, 2: the spline is 1 + 2(3t^2 - 2t^3) on [0, 1] and its mirror, of
// integral 4 per period.
TEST(GrosseWerte, PeriodicIntegralForEveryNodeCount) {
    testing::internal::CaptureStderr();
    problem drei(&spline_interpolation, {0, 1, 2}, {1, 3, 1}, {{"ende", SPLINE_PERIODISCH}});
    interpolation_zeiger ip(drei.erzeugen());
    testing::internal::GetCapturedStderr();
    EXPECT_NEAR(integral(ip.get(), 0, 200), 400.0, 1e-9);
    EXPECT_NEAR(integral(ip.get(), -7, 3), 20.0, 1e-12);
    EXPECT_NEAR(integral(ip.get(), 0.5, 2.5), 4.0, 1e-12);
    // Five nodes of the same curve give the same.
    problem fuenf(&spline_interpolation, {0, 1, 2, 3, 4}, {1, 3, 1, 3, 1},
                  {{"ende", SPLINE_PERIODISCH}});
    interpolation_zeiger ip5(fuenf.erzeugen());
    EXPECT_NEAR(integral(ip5.get(), 0, 200), 400.0, 1e-9);
}

TEST(GrosseWerte, IntegralsBeyondTheDoublesAreRefused) {
    problem nat(&spline_interpolation, {0, 1, 2}, {0, 1, 0});
    interpolation_zeiger ip(nat.erzeugen());
    EXPECT_EXIT(integral(ip.get(), -1e308, 1e308), testing::ExitedWithCode(1),
                "^Integral von -1e\\+308 bis 1e\\+308 ist nicht darstellbar fuer "
                "SPLINE_INTERPOLATION g \\(Ueberlauf\\).\n$");
    problem herm(&hermite_interpolation, {0, 1, 2}, {0, 1, 3});
    interpolation_zeiger h(herm.erzeugen());
    EXPECT_EXIT(integral(h.get(), -1e308, 1e308), testing::ExitedWithCode(1),
                "nicht darstellbar fuer HERMITE_INTERPOLATION g");
    problem bary(&baryzentrische_interpolation, {0, 1, 2}, {0, 1, 3});
    interpolation_zeiger b(bary.erzeugen());
    EXPECT_EXIT(integral(b.get(), -1e308, 1e308), testing::ExitedWithCode(1),
                "nicht darstellbar fuer BARYZENTRISCHE_INTERPOLATION g");
}

// Scaling nodes by 2^e and values by 2^f scales every coefficient of a
// cubic in t exactly; the large problems must give those bits (or, where
// the plain coefficients underflow, the same values).
TEST(GrosseWerte, LargeValuesAreScaledExactly) {
    const std::vector<double> x = {0, 1, 2, 3, 4, 5};
    const std::vector<double> y = {1, -1, 1, -1, 1, 0.5};
    std::vector<double> y_gross;
    for (double v : y)
        y_gross.push_back(std::ldexp(v, 1019)); // about 5.6e306
    for (double steigungen : {0.0, 1.0, 2.0}) {
        problem klein(&hermite_interpolation, x, y, {{"steigungen", steigungen}});
        problem gross(&hermite_interpolation, x, y_gross, {{"steigungen", steigungen}});
        interpolation_zeiger a(klein.erzeugen()), b(gross.erzeugen());
        std::vector<double> ca = koeffizienten(a.get()), cb = koeffizienten(b.get());
        for (std::size_t i = 0; i < ca.size(); ++i)
            EXPECT_EQ(cb[i], std::ldexp(ca[i], 1019)) << "steigungen " << steigungen << " " << i;
    }
    for (double ende :
         {double{SPLINE_NATUERLICH}, double{SPLINE_NOT_A_KNOT}, double{SPLINE_EINGESPANNT}}) {
        std::vector<std::pair<const char *, double>> o = {{"ende", ende}};
        if (ende == double{SPLINE_EINGESPANNT}) {
            o.push_back({"links", 0.0});
            o.push_back({"rechts", 0.0});
        }
        problem klein(&spline_interpolation, x, y, o);
        problem gross(&spline_interpolation, x, y_gross, o);
        interpolation_zeiger a(klein.erzeugen()), b(gross.erzeugen());
        std::vector<double> ca = koeffizienten(a.get()), cb = koeffizienten(b.get());
        for (std::size_t i = 0; i < ca.size(); ++i) {
            ASSERT_TRUE(std::isfinite(cb[i]));
            EXPECT_EQ(cb[i], std::ldexp(ca[i], 1019)) << "ende " << ende << " " << i;
        }
        for (double t : {0.25, 2.5, 4.75})
            EXPECT_EQ(wert(b.get(), t), std::ldexp(wert(a.get(), t), 1019));
    }
    // A clamped end slope of 1e308 over unit steps: the step overflows
    // unscaled, the coefficients (of size 1e308) are doubles, and the spline
    // holds the slope and its first value.
    problem steil(&spline_interpolation, {0, 1, 2, 3}, {1, 2, 0, 1},
                  {{"ende", SPLINE_EINGESPANNT}, {"links", 1e308}, {"rechts", 0.0}});
    interpolation_zeiger w(steil.erzeugen());
    for (double c : koeffizienten(w.get()))
        EXPECT_TRUE(std::isfinite(c));
    EXPECT_NEAR(interpolation_tabelle(w.get())->ableitung1(w.get(), 0.0) / 1e308, 1.0, 1e-12);
    EXPECT_EQ(wert(w.get(), 0.0), 1.0);
    // Twice that slope over a step of 2^-120 needs a cubic coefficient
    // beyond the doubles: refused.
    problem steiler(&spline_interpolation, {0, std::ldexp(1.0, -120), 1}, {1, 2, 0},
                    {{"ende", SPLINE_EINGESPANNT}, {"links", 1e308}, {"rechts", 0.0}});
    EXPECT_EXIT(steiler.erzeugen(), testing::ExitedWithCode(1),
                "^Koeffizienten fuer SPLINE_INTERPOLATION g sind nicht darstellbar");
}

// At coordinates near 1e110 or 1e300 the coefficients in t underflow; the
// curves must still be those of the problem moved to [1, 2] or [1, 10].
TEST(GrosseWerte, LargeCoordinatesKeepTheirCurves) {
    struct fall {
        klasse *methode;
        double skala;
        std::vector<double> x;
        std::vector<double> y;
        std::vector<std::pair<const char *, double>> optionen;
    };
    const std::vector<fall> faelle = {
        {&spline_interpolation, 1e110, {1, 1.3, 1.6, 2}, {1, 2, 0, -1}, {}},
        {&spline_interpolation, 1e300, {1, 3, 6, 10}, {1, 3, -2, 5}, {{"ende", SPLINE_NOT_A_KNOT}}},
        {&hermite_interpolation, 1e300, {1, 3, 6, 10}, {1, 3, -2, 5}, {}},
        {&hermite_interpolation, 1e300, {1, 3, 6, 10}, {1, 3, -2, 5}, {{"steigungen", 1}}},
    };
    for (const fall &f : faelle) {
        std::vector<double> gross;
        for (double xi : f.x)
            gross.push_back(xi * f.skala);
        problem klein(f.methode, f.x, f.y, f.optionen);
        problem weit(f.methode, gross, f.y, f.optionen);
        interpolation_zeiger a(klein.erzeugen()), b(weit.erzeugen());
        for (std::size_t i = 0; i < f.x.size(); ++i)
            EXPECT_NEAR(wert(b.get(), gross[i]), f.y[i], 1e-13) << f.skala << " node " << i;
        for (double t = f.x.front(); t <= f.x.back(); t += 0.125) {
            double soll = wert(a.get(), t);
            EXPECT_NEAR(wert(b.get(), t * f.skala), soll, 1e-13 * (1 + std::fabs(soll)));
            double s1 = interpolation_tabelle(a.get())->ableitung1(a.get(), t);
            EXPECT_NEAR(interpolation_tabelle(b.get())->ableitung1(b.get(), t * f.skala) * f.skala,
                        s1, 1e-12 * (1 + std::fabs(s1)));
        }
        double soll = integral(a.get(), f.x.front(), f.x.back());
        EXPECT_NEAR(integral(b.get(), gross.front(), gross.back()) / f.skala, soll,
                    1e-13 * (1 + std::fabs(soll)));
    }
}

// Not-a-knot through two nodes is the line, clamped the cubic of the end
// values and slopes: p(1) = (1 + 5)/2 + 2/8 (0 - 1) = 2.75 on [0, 2].
TEST(GrosseWerte, TwoNodeSplinesThroughTheGenericEntry) {
    problem linie(&spline_interpolation, {0, 2}, {1, 5}, {{"ende", SPLINE_NOT_A_KNOT}});
    interpolation_zeiger l(linie.erzeugen());
    EXPECT_DOUBLE_EQ(wert(l.get(), 0.5), 2.0);
    EXPECT_DOUBLE_EQ(wert(l.get(), 3.0), 7.0);
    problem hermite(&spline_interpolation, {0, 2}, {1, 5},
                    {{"ende", SPLINE_EINGESPANNT}, {"links", 0.0}, {"rechts", 1.0}});
    interpolation_zeiger h(hermite.erzeugen());
    EXPECT_DOUBLE_EQ(wert(h.get(), 1.0), 2.75);
    EXPECT_NEAR(interpolation_tabelle(h.get())->ableitung1(h.get(), 2.0), 1.0, 1e-15);
    problem natuerlich(&spline_interpolation, {0, 2}, {1, 5});
    EXPECT_EXIT(natuerlich.erzeugen(), testing::ExitedWithCode(1),
                "^Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION 'g'!\n$");
}

} // namespace
