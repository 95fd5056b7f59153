// The user's data judged through their AAA fit: Runge's function sampled
// gives its poles and its Bernstein parameter (tests/erwartet/warum_daten.py),
// in full precision and written to six decimals; |x|, noise, too few or
// broken points give a reason instead, and nothing fails.
#include "numerik/warum.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// 1/9 + sqrt(1 + 1/81), tests/erwartet/warum_daten.py.
constexpr double RHO_RUNGE = 1.1172650153486018;

struct daten {
    std::vector<double> x, y;
};

daten abgetastet(double (*f)(double), double a, double b, int anzahl) {
    daten d;
    for (int i = 0; i < anzahl; ++i) {
        d.x.push_back(a + (b - a) * i / (anzahl - 1));
        d.y.push_back(f(d.x.back()));
    }
    return d;
}

double runge(double x) {
    return 1.0 / (1.0 + x * x);
}

warum_daten anpassen(const daten &d) {
    return warum_daten_anpassen(d.x.data(), d.y.data(), d.x.size());
}

// The poles at +-i and rho of the analysis of the fit.
void runge_pruefen(const warum_daten &d, double rho_toleranz) {
    ASSERT_TRUE(d.beurteilbar) << d.grund;
    EXPECT_EQ(d.a, -9.0);
    EXPECT_EQ(d.b, 9.0);
    const warum_analyse w = warum_analysieren(d.problem);
    ASSERT_TRUE(w.beurteilbar) << w.grund;
    ASSERT_EQ(w.singularitaeten.size(), 2u);
    for (const singularitaet &s : w.singularitaeten) {
        EXPECT_NEAR(s.re, 0.0, 1e-3);
        EXPECT_NEAR(std::fabs(s.im), 1.0, 1e-3);
        EXPECT_TRUE(s.runge);
    }
    EXPECT_NEAR(w.rho / RHO_RUNGE, 1.0, rho_toleranz);
}

TEST(WarumDaten, RungeSampledGivesItsPolesAndRho) {
    const daten d = abgetastet(runge, -9.0, 9.0, 41);
    const warum_daten w = anpassen(d);
    runge_pruefen(w, 0.01);
    EXPECT_EQ(w.grad, 2);
    EXPECT_LT(w.abweichung, 1e-12);
    EXPECT_NE(warum_daten_text(w).find("AAA-Naeherung vom Grad 2"), std::string::npos)
        << warum_daten_text(w);
    // The order of the points does not matter.
    daten umgekehrt;
    umgekehrt.x.assign(d.x.rbegin(), d.x.rend());
    umgekehrt.y.assign(d.y.rbegin(), d.y.rend());
    runge_pruefen(anpassen(umgekehrt), 0.01);
}

TEST(WarumDaten, SixDecimalsAreMetToTheirLastDigit) {
    daten d = abgetastet(runge, -9.0, 9.0, 41);
    for (double &v : d.y)
        v = std::round(v * 1e6) / 1e6;
    const warum_daten w = anpassen(d);
    EXPECT_DOUBLE_EQ(w.toleranz, 1e-6);
    runge_pruefen(w, 0.03);
}

TEST(WarumDaten, ManyPointsAreThinnedButAllChecked) {
    const warum_daten w = anpassen(abgetastet(runge, -9.0, 9.0, 100001));
    runge_pruefen(w, 0.01);
    // One point off: the fit of the others misses it.
    daten d = abgetastet(runge, -9.0, 9.0, 100001);
    d.y[50001] += 1e-3;
    const warum_daten falsch = anpassen(d);
    EXPECT_FALSE(falsch.beurteilbar);
}

TEST(WarumDaten, WhatCannotBeJudgedSaysWhy) {
    // |x|: the points do not resolve the corner.
    const warum_daten betrag =
        anpassen(abgetastet([](double x) { return std::fabs(x); }, -1, 1, 41));
    EXPECT_FALSE(betrag.beurteilbar);
    EXPECT_NE(betrag.grund.find("Ecke"), std::string::npos) << betrag.grund;
    EXPECT_EQ(warum_daten_text(betrag).rfind("Daten: nicht beurteilbar: ", 0), 0u);
    // A sine with noise of 1e-3.
    daten rauschen = abgetastet([](double x) { return std::sin(x); }, -3, 3, 200);
    std::uint32_t z = 12345;
    for (double &v : rauschen.y) {
        z = z * 1664525u + 1013904223u;
        v += 1e-3 * (z / 4294967296.0 - 0.5);
    }
    const warum_daten r = anpassen(rauschen);
    EXPECT_FALSE(r.beurteilbar);
    EXPECT_FALSE(r.grund.empty());
    // Too few points, a point that is no number, two points at one x.
    const daten wenige = abgetastet(runge, -9, 9, WARUM_DATEN_MIN_PUNKTE - 1);
    EXPECT_EQ(anpassen(wenige).grund,
              "zu wenige Punkte (7), die AAA-Naeherung braucht mindestens 8");
    EXPECT_FALSE(warum_daten_anpassen(nullptr, nullptr, 0).beurteilbar);
    daten kaputt = abgetastet(runge, -9, 9, 20);
    kaputt.y[3] = NAN;
    EXPECT_EQ(anpassen(kaputt).grund, "Punkt 4 ist keine endliche Zahl");
    kaputt.y[3] = 0.5;
    kaputt.x[3] = kaputt.x[4];
    EXPECT_EQ(anpassen(kaputt).grund, "zwei Punkte bei x = -5.21053");
    // Every other value equal: the second fit would see a constant.
    daten zacken = abgetastet(runge, -9, 9, 21);
    for (std::size_t i = 0; i < zacken.y.size(); ++i)
        zacken.y[i] = i % 2 == 0 ? 1.0 : 1.0 + 0.01 * static_cast<double>(i);
    EXPECT_FALSE(anpassen(zacken).beurteilbar);
}

TEST(WarumDaten, ConstantDataStandForTheConstant) {
    daten d = abgetastet(runge, 0, 1, 10);
    for (double &v : d.y)
        v = 2.5;
    const warum_daten w = anpassen(d);
    ASSERT_TRUE(w.beurteilbar);
    EXPECT_EQ(beispiel_f(&w.problem, 0.37), 2.5);
    const warum_analyse a = warum_analysieren(w.problem);
    EXPECT_TRUE(a.beurteilbar);
    EXPECT_TRUE(a.singularitaeten.empty());
    EXPECT_EQ(a.abfall, ABFALL_SOFORT);
}

} // namespace
