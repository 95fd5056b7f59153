// AAA: the poles and residues of a rational f, the fast convergence on an
// entire function, the root-exponential rate on |x| against an independent
// computation, derivatives and integral, the text form at full precision,
// and the refusals of bad input.
#include "hilfen.h"

#include "numerik/aaaipl.h"
#include "numerik/fehler.h"
#include "numerik/zahlen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <string>
#include <vector>

namespace {

// AAA of f on M equidistant sample points of [a, b].
interpolation_zeiger aaa(const std::function<double(double)> &f, double a, double b, int M,
                         double toleranz = AAA_TOLERANZ_STANDARD, int grad = AAA_GRAD_STANDARD) {
    std::vector<double> y(static_cast<std::size_t>(M));
    for (int i = 0; i < M; ++i)
        y[static_cast<std::size_t>(i)] = f(aequidistanter_punkt(i, M - 1, a, b));
    matrix_zeiger yv = spaltenvektor(y);
    interpolation_problem p;
    interpolation_problem_vorbelegen(&p, &aaa_interpolation);
    p.name = "aaa";
    p.art = STUETZSTELLEN_AEQUIDISTANT;
    p.a = a;
    p.b = b;
    p.stuetzwerte = yv.get();
    interpolation_option_setzen(&p, "tol", toleranz);
    interpolation_option_setzen(&p, "grad", grad);
    return interpolation_zeiger(interpolation_erzeugen(&p, nullptr));
}

std::vector<std::complex<double>> komplex(objekt *ip,
                                          int (*holen)(objekt *, double *, double *, int)) {
    const int anzahl = holen(ip, nullptr, nullptr, 0);
    std::vector<double> re(static_cast<std::size_t>(anzahl));
    std::vector<double> im(static_cast<std::size_t>(anzahl));
    EXPECT_EQ(holen(ip, re.data(), im.data(), anzahl), anzahl);
    std::vector<std::complex<double>> z;
    for (int k = 0; k < anzahl; ++k)
        z.emplace_back(re[static_cast<std::size_t>(k)], im[static_cast<std::size_t>(k)]);
    return z;
}

// max |r - f| over n+1 equidistant points of [a, b].
double groesster_fehler(objekt *ip, const std::function<double(double)> &f, double a, double b,
                        int n) {
    double fehler = 0.0;
    for (int i = 0; i <= n; ++i) {
        const double x = aequidistanter_punkt(i, n, a, b);
        fehler =
            std::max(fehler, std::fabs(interpolation_tabelle(ip)->funktionswert(ip, x) - f(x)));
    }
    return fehler;
}

TEST(AAA, FindsThePolesAndResiduesOfRungesFunction) {
    auto f = [](double x) { return 1.0 / (1.0 + x * x); };
    interpolation_zeiger ip = aaa(f, -9, 9, 1000);
    EXPECT_LE(aaainterpolation_grad(ip.get()), 4);
    std::vector<std::complex<double>> pole = komplex(ip.get(), aaainterpolation_pole);
    std::vector<std::complex<double>> res = komplex(ip.get(), aaainterpolation_residuen);
    ASSERT_EQ(pole.size(), 2u);
    ASSERT_EQ(res.size(), 2u);
    // Ordered by real part, then imaginary: which of +-i comes first is the
    // sign of a rounded real part; each residue belongs to its pole.
    for (std::size_t k = 0; k < 2; ++k) {
        const std::complex<double> soll =
            pole[k].imag() > 0 ? std::complex<double>(0, 1) : std::complex<double>(0, -1);
        EXPECT_LT(std::abs(pole[k] - soll), 1e-10) << pole[k];
        // 1 / ((x - i)(x + i)) has the residue 1 / (2i) = -i/2 at i.
        EXPECT_LT(std::abs(res[k] - std::complex<double>(0, -0.5) * soll.imag()), 1e-10) << res[k];
    }
    EXPECT_LT(groesster_fehler(ip.get(), f, -9, 9, 9999), 1e-13);
    // Derivatives and the integral of r are those of f.
    const interpolation_funktionen *fi = interpolation_tabelle(ip.get());
    for (double x : {-8.3, -1.0, 0.0, 0.37, 5.5}) {
        EXPECT_NEAR(fi->ableitung1(ip.get(), x), -2 * x / std::pow(1 + x * x, 2), 1e-11) << x;
        EXPECT_NEAR(fi->ableitung2(ip.get(), x), (6 * x * x - 2) / std::pow(1 + x * x, 3), 1e-10)
            << x;
    }
    EXPECT_NEAR(fi->integral(ip.get(), -9, 9), 2 * std::atan(9.0), 1e-12);
    EXPECT_NEAR(fi->integral(ip.get(), 3, -1), -(std::atan(3.0) + std::atan(1.0)), 1e-12);
    // It has no finite zero: r falls like 1/x^2.
    EXPECT_EQ(aaainterpolation_nullstellen(ip.get(), nullptr, nullptr, 0), 0);
}

TEST(AAA, ReachesTheToleranceOnExpAtASmallDegree) {
    auto f = [](double x) { return std::exp(x); };
    interpolation_zeiger ip = aaa(f, -1, 1, 2000);
    EXPECT_LE(aaainterpolation_grad(ip.get()), 14);
    EXPECT_LE(groesster_fehler(ip.get(), f, -1, 1, 1999), 1e-13 * std::exp(1.0));
    // Between the sample points as well.
    EXPECT_LE(groesster_fehler(ip.get(), f, -1, 1, 7919), 1e-12);
    EXPECT_EQ(interpolation_tabelle(ip.get())->linkeGrenze(ip.get()), -1.0);
    EXPECT_EQ(interpolation_tabelle(ip.get())->rechteGrenze(ip.get()), 1.0);
}

// tests/erwartet/aaa_trig.py: the same greedy choice with a full singular
// value decomposition at every step (numpy), |x| sampled at 2001 points.
TEST(AAA, ConvergesRootExponentiallyOnAbsAsAnIndependentComputation) {
    const int grade[] = {8, 16, 32};
    const double erwartet[] = {4.794323e-03, 4.070372e-05, 5.874389e-10};
    std::vector<double> fehler;
    for (int k = 0; k < 3; ++k) {
        interpolation_zeiger ip =
            aaa([](double x) { return std::fabs(x); }, -1, 1, 2001, 1e-300, grade[k]);
        EXPECT_EQ(aaainterpolation_grad(ip.get()), grade[k]);
        fehler.push_back(groesster_fehler(
            ip.get(), [](double x) { return std::fabs(x); }, -1, 1, 2000));
        EXPECT_GT(fehler.back(), erwartet[k] / 2) << grade[k];
        EXPECT_LT(fehler.back(), erwartet[k] * 2) << grade[k];
    }
    // log e against sqrt(n): the slope between the degrees stays within a
    // third of the independent fit (-5.70).
    for (int k = 0; k < 2; ++k) {
        const double s =
            std::log(fehler[k + 1] / fehler[k]) / (std::sqrt(grade[k + 1]) - std::sqrt(grade[k]));
        EXPECT_LT(s, -5.70 * 2 / 3) << k;
        EXPECT_GT(s, -5.70 * 4 / 3) << k;
    }
}

TEST(AAA, TextKeepsEveryBitInFullPrecision) {
    zahl_form_setzen(ZAHL_FORM_VOLL);
    interpolation_zeiger ip = aaa([](double x) { return std::tanh(4 * x) + x; }, -2, 3, 500);
    textsenke aus;
    interpolation_tabelle(ip.get())->speichern(ip.get(), aus);
    const std::string text = aus.text();
    EXPECT_EQ(
        text.rfind("AAA_INTERPOLATION: aaa\na = -2\nb = 3\ntoleranz = 1e-13\ngrad = 100\n", 0), 0u)
        << text;
    textquelle ein(text);
    interpolation_zeiger neu(interpolation_laden(ein, nullptr));
    textsenke wieder;
    interpolation_tabelle(neu.get())->speichern(neu.get(), wieder);
    zahl_form_setzen(ZAHL_FORM_F);
    EXPECT_EQ(wieder.text(), text);
    EXPECT_EQ(aaainterpolation_grad(neu.get()), aaainterpolation_grad(ip.get()));
    for (double x : {-1.9, 0.0, 0.001, 2.75})
        EXPECT_EQ(interpolation_tabelle(neu.get())->funktionswert(neu.get(), x),
                  interpolation_tabelle(ip.get())->funktionswert(ip.get(), x))
            << x;
}

struct aaa_fall {
    const char *was;
    std::function<void()> versuch;
    const char *meldung;
};

TEST(AAA, RefusesBadInputWithAMessage) {
    auto gegeben = [](std::vector<double> x, std::vector<double> y, double tol, int grad) {
        return [=] {
            matrix_zeiger xv = spaltenvektor(x);
            matrix_zeiger yv = spaltenvektor(y);
            aaainterpolation_parameter p = {
                "b", STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get(), tol, grad};
            interpolation_zeiger(aaainterpolation_kreieren(&p, nullptr));
        };
    };
    auto text = [](const char *t) {
        return [=] {
            textquelle ein(t);
            interpolation_zeiger(interpolation_laden(ein, nullptr));
        };
    };
    const std::vector<double> x = {0, 1, 2, 3};
    const std::vector<double> y = {1, 2, 0, 5};
    const aaa_fall faelle[] = {
        {"konstant", gegeben(x, {2, 2, 2, 2}, 1e-13, 100), "Alle Werte gleich fuer AAA"},
        {"ein Punkt", gegeben({0}, {1}, 1e-13, 100), "mindestens 2 Punkte"},
        {"Toleranz 0", gegeben(x, y, 0.0, 100), "Toleranz 0 ungueltig"},
        {"Toleranz nan", gegeben(x, y, NAN, 100), "Toleranz nan ungueltig"},
        {"Grad 0", gegeben(x, y, 1e-13, 0), "Grad 0 passt nicht zu 4 Punkten"},
        {"Grad zu gross", gegeben(x, y, 1e-13, 7), "Grad 7 passt nicht zu 4 Punkten"},
        {"doppelt", gegeben({0, 1, 1, 3}, y, 1e-13, 2), "Stuetzstellen x\\(2\\) und x\\(3\\) gleich fuer AAA_INTERPOLATION"},
        {"unendlich", gegeben(x, {1, INFINITY, 0, 5}, 1e-13, 2), "y\\(2\\) ist keine endliche"},
        {"Gewichte 0",
         text("AAA_INTERPOLATION: g\na = 0\nb = 1\ntoleranz = 1e-13\ngrad = 3\n"
              "NM_MATRIX: z\nn = 2\nm = 1\n0\n1\nNM_MATRIX: f\nn = 2\nm = 1\n1\n2\n"
              "NM_MATRIX: w\nn = 2\nm = 1\n0\n0\n"),
         "Alle Gewichte 0"},
        {"Laengen",
         text("AAA_INTERPOLATION: g\na = 0\nb = 1\ntoleranz = 1e-13\ngrad = 3\n"
              "NM_MATRIX: z\nn = 2\nm = 1\n0\n1\nNM_MATRIX: f\nn = 1\nm = 1\n1\n"
              "NM_MATRIX: w\nn = 2\nm = 1\n0\n0\n"),
         "verschieden lang"},
    };
    for (const aaa_fall &fall : faelle)
        EXPECT_EXIT(fall.versuch(), testing::ExitedWithCode(1), fall.meldung) << fall.was;
    // The default degree is the most the sample allows.
    gegeben(x, y, 1e-13, AAA_GRAD_STANDARD)();
}

} // namespace
