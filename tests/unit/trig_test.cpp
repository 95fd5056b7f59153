// Trigonometric interpolation: exp(sin x) against an independent FFT,
// exactness on trigonometric polynomials of lower degree (values,
// derivatives, integral) for odd and even N, given equidistant nodes, the
// text form at full precision, and the refusals.
#include "hilfen.h"

#include "numerik/knotenarten.h"
#include "numerik/studie.h"
#include "numerik/trigipl.h"
#include "numerik/zahlen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

const double PI = 3.14159265358979323846;

interpolation_zeiger trig(const std::function<double(double)> &f, double a, double b, int N) {
    std::vector<double> y(static_cast<std::size_t>(N));
    for (int k = 0; k < N; ++k)
        y[static_cast<std::size_t>(k)] = f(aequidistanter_punkt(k, N, a, b));
    matrix_zeiger yv = spaltenvektor(y);
    interpolation_problem p;
    interpolation_problem_vorbelegen(&p, &trigonometrische_interpolation);
    p.name = "trig";
    p.art = STUETZSTELLEN_AEQUIDISTANT;
    p.a = a;
    p.b = b;
    p.stuetzwerte = yv.get();
    return interpolation_zeiger(interpolation_erzeugen(&p, nullptr));
}

// tests/erwartet/aaa_trig.py: numpy's FFT interpolant of exp(sin x) on N
// nodes of [-pi, pi), its largest error on 1001 points.
TEST(Trigonometrisch, MatchesAnIndependentFftOnExpSin) {
    const int knoten[] = {5, 8, 15, 16};
    const double erwartet[] = {9.311235e-02, 1.065944e-03, 4.020165e-07, 2.202953e-08};
    auto f = [](double x) { return std::exp(std::sin(x)); };
    for (int k = 0; k < 4; ++k) {
        interpolation_zeiger ip = trig(f, -PI, PI, knoten[k]);
        double fehler = 0.0;
        for (int i = 0; i <= 1000; ++i) {
            const double x = aequidistanter_punkt(i, 1000, -PI, PI);
            fehler = std::max(
                fehler, std::fabs(trigonometrischeinterpolation_funktionswert(ip.get(), x) - f(x)));
        }
        EXPECT_NEAR(fehler, erwartet[k], 1e-6 * erwartet[k] + 1e-15) << knoten[k];
    }
    // Geometric: 32 nodes reach the rounding.
    interpolation_zeiger ip = trig(f, -PI, PI, 32);
    for (double x : {-3.0, -0.5, 0.1, 2.9})
        EXPECT_NEAR(trigonometrischeinterpolation_funktionswert(ip.get(), x), f(x), 4e-15) << x;
}

TEST(Trigonometrisch, IsExactOnTrigonometricPolynomialsOfLowerDegree) {
    std::mt19937 zufall(32);
    std::uniform_real_distribution<double> gleich(-1.0, 1.0);
    const double a = -1.0;
    const double b = 2.5;
    const double omega = 2 * PI / (b - a);
    for (int N : {2, 3, 7, 8, 20, 33}) {
        // Degree below N/2 (for even N the cosine of degree N/2 as well).
        const int grad = (N - 1) / 2;
        std::vector<double> ak(static_cast<std::size_t>(grad) + 2), bk(ak.size());
        for (std::size_t j = 0; j < ak.size(); ++j) {
            ak[j] = gleich(zufall);
            bk[j] = gleich(zufall);
        }
        const double nyquist = N % 2 == 0 ? gleich(zufall) : 0.0;
        auto summe = [&](double x, int ordnung) {
            const double t = omega * (x - a);
            double s = ordnung == 0 ? ak[0] : 0.0;
            for (int j = 1; j <= grad; ++j) {
                const double c = std::cos(j * t);
                const double si = std::sin(j * t);
                const double w = j * omega;
                if (ordnung == 0) s += ak[j] * c + bk[j] * si;
                if (ordnung == 1) s += w * (bk[j] * c - ak[j] * si);
                if (ordnung == 2) s -= w * w * (ak[j] * c + bk[j] * si);
                if (ordnung == 3) s += (ak[j] * si - bk[j] * c) / w;
            }
            const double wn = N / 2 * omega;
            if (ordnung == 0) s += nyquist * std::cos(N / 2 * t);
            if (ordnung == 1) s -= wn * nyquist * std::sin(N / 2 * t);
            if (ordnung == 2) s -= wn * wn * nyquist * std::cos(N / 2 * t);
            if (ordnung == 3) s += nyquist * std::sin(N / 2 * t) / wn + ak[0] * x;
            return s;
        };
        interpolation_zeiger ip = trig([&](double x) { return summe(x, 0); }, a, b, N);
        const interpolation_funktionen *fi = interpolation_tabelle(ip.get());
        for (double x : {-3.1, -1.0, -0.37, 0.0, 1.2345, 2.4999, 7.0}) {
            EXPECT_NEAR(fi->funktionswert(ip.get(), x), summe(x, 0), 2e-14 * N) << N << " " << x;
            EXPECT_NEAR(fi->ableitung1(ip.get(), x), summe(x, 1), 1e-12 * N * N) << N << " " << x;
            EXPECT_NEAR(fi->ableitung2(ip.get(), x), summe(x, 2), 1e-11 * N * N * N)
                << N << " " << x;
            EXPECT_NEAR(fi->integral(ip.get(), 0.3, x), summe(x, 3) - summe(0.3, 3), 1e-13 * N)
                << N << " " << x;
        }
        // Its nodes: those of [a, b] without b.
        EXPECT_EQ(fi->linkeGrenze(ip.get()), a);
        EXPECT_EQ(fi->rechteGrenze(ip.get()), b);
        objekt *x = fi->imVektor(ip.get(), 0);
        EXPECT_EQ(matrix_tabelle(x)->hoehe(x), N);
        EXPECT_EQ(matrix_tabelle(x)->amIndex(x, N, 1), aequidistanter_punkt(N - 1, N, a, b));
    }
}

TEST(Trigonometrisch, GivenEquidistantNodesGiveThePlacedInterpolant) {
    const int N = 12;
    std::vector<double> x, y;
    for (int k = 0; k < N; ++k) {
        x.push_back(aequidistanter_punkt(k, N, 0.0, 6.0));
        y.push_back(std::cos(x.back()) + 0.5 * std::sin(2 * x.back()));
    }
    matrix_zeiger xv = spaltenvektor(x);
    matrix_zeiger yv = spaltenvektor(y);
    trigonometrischeinterpolation_parameter g = {"g",     STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0,
                                                 yv.get()};
    trigonometrischeinterpolation_parameter p = {"p",     STUETZSTELLEN_AEQUIDISTANT, nullptr, 0, 6,
                                                 yv.get()};
    interpolation_zeiger ig(trigonometrischeinterpolation_kreieren(&g, nullptr));
    interpolation_zeiger ipl(trigonometrischeinterpolation_kreieren(&p, nullptr));
    EXPECT_NEAR(trigonometrischeinterpolation_rechteGrenze(ig.get()), 6.0, 1e-14);
    for (double t : {0.1, 2.0, 5.9, 6.0, 13.3})
        EXPECT_NEAR(trigonometrischeinterpolation_funktionswert(ig.get(), t),
                    trigonometrischeinterpolation_funktionswert(ipl.get(), t), 1e-13)
            << t;
    // At a node, the value; at b, the value at a.
    EXPECT_EQ(trigonometrischeinterpolation_funktionswert(ipl.get(), 0.0), y[0]);
    EXPECT_EQ(trigonometrischeinterpolation_funktionswert(ipl.get(), 6.0), y[0]);
    EXPECT_NEAR(trigonometrischeinterpolation_funktionswert(ipl.get(), x[5]), y[5], 1e-15);
}

TEST(Trigonometrisch, TextKeepsEveryBitInFullPrecision) {
    zahl_form_setzen(ZAHL_FORM_VOLL);
    interpolation_zeiger ip =
        trig([](double x) { return 1.0 / (2.0 + std::cos(x)); }, -0.3, 0.7 + 2 * PI, 31);
    textsenke aus;
    interpolation_tabelle(ip.get())->speichern(ip.get(), aus);
    const std::string text = aus.text();
    EXPECT_EQ(text.rfind("TRIGONOMETRISCHE_INTERPOLATION: trig\nart = 1\na = -0.29999999999999999"
                         "\nb = ",
                         0),
              0u)
        << text;
    textquelle ein(text);
    interpolation_zeiger neu(interpolation_laden(ein, nullptr));
    textsenke wieder;
    interpolation_tabelle(neu.get())->speichern(neu.get(), wieder);
    zahl_form_setzen(ZAHL_FORM_F);
    EXPECT_EQ(wieder.text(), text);
    for (double x : {-0.2, 1.0, 6.5})
        EXPECT_EQ(trigonometrischeinterpolation_funktionswert(neu.get(), x),
                  trigonometrischeinterpolation_funktionswert(ip.get(), x));
}

TEST(Trigonometrisch, RefusesNodesItCannotTake) {
    auto gegeben = [](std::vector<double> x, std::vector<double> y, int art) {
        return [=] {
            matrix_zeiger xv = x.empty() ? nullptr : spaltenvektor(x);
            matrix_zeiger yv = spaltenvektor(y);
            trigonometrischeinterpolation_parameter p = {"t", art, xv.get(), 0, 1, yv.get()};
            interpolation_zeiger(trigonometrischeinterpolation_kreieren(&p, nullptr));
        };
    };
    EXPECT_EXIT(gegeben({0, 1, 2.5, 3}, {1, 2, 3, 4}, STUETZSTELLEN_GEGEBEN)(),
                testing::ExitedWithCode(1),
                "Stuetzstellen nicht aequidistant fuer TRIGONOMETRISCHE_INTERPOLATION t: x\\(3\\)");
    EXPECT_EXIT(gegeben({}, {1, 2, 3}, STUETZSTELLEN_TSCHEBYSCHEFF)(), testing::ExitedWithCode(1),
                "braucht aequidistante Stuetzstellen, nicht Tschebyscheff");
    EXPECT_EXIT(gegeben({}, {1}, STUETZSTELLEN_AEQUIDISTANT)(), testing::ExitedWithCode(1),
                "mindestens 2 Stuetzwerte");
    EXPECT_EXIT(gegeben({}, {1, NAN, 3}, STUETZSTELLEN_AEQUIDISTANT)(), testing::ExitedWithCode(1),
                "y\\(2\\) ist keine endliche Zahl");
}

TEST(Trigonometrisch, TheStudyRefusesItForAFunctionThatIsNotPeriodic) {
    // Sine on [-9, 9]: sin(-9) and sin(9) differ, the column is not chosen,
    // and asked for by name it is refused with the reason.
    const methode *trig = methode_suchen("Trig-a");
    ASSERT_NE(trig, nullptr);
    for (const methode *me : spalten_waehlen(funktion[1], SPALTEN_ALLE))
        EXPECT_NE(me, trig);
    EXPECT_EXIT(studie_durchfuehren(funktion[1], 2, {8}, 0, std::vector<const methode *>{trig}),
                testing::ExitedWithCode(1),
                "trigonometrisch, aequidistant braucht ein periodisches f: f\\(a\\) = -0.412118, "
                "f\\(b\\) = 0.412118");
    // On Runge's function, equal at both ends, it converges.
    const studie s =
        studie_durchfuehren(funktion[3], 4, {16, 32}, 0, std::vector<const methode *>{trig});
    EXPECT_LT(s.werte[1][0].fehler, s.werte[0][0].fehler);
}

} // namespace
