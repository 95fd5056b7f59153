// The Lebesgue constant of the node kinds: closed forms for two and three
// nodes, the figures of tests/erwartet/lebesgue.py (40 digits, the
// Lagrange basis as products, no barycentric form), and the kinds' forms
// for large n against the constants' asymptotic growth.
//
// Tolerance: the barycentric quotient carries a relative rounding error of
// about n eps Lambda (its denominator is a sum of terms of both signs whose
// magnitudes add up to Lambda times its value), and the search narrows each
// bump to 1e-8 of its width, where the function is flat to second order.
// For n = 16 that is 17 * 2.2e-16 * 935 = 3.5e-12 for equidistant nodes:
// 1e-10 relative leaves room; n = 40 equidistant (Lambda 4.7e9) allows
// 41 * 2.2e-16 * 4.7e9 = 4e-5 at worst.
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/lebesgue.h"
#include "numerik/studie.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int A = STUETZSTELLEN_AEQUIDISTANT;
constexpr int T = STUETZSTELLEN_TSCHEBYSCHEFF;
constexpr int T1 = STUETZSTELLEN_TSCHEBYSCHEFF1;

void relativ_nahe(double ist, double soll, double toleranz) {
    EXPECT_NEAR(ist / soll, 1.0, toleranz) << ist << " statt " << soll;
}

TEST(Lebesgue, ZweiUndDreiKnotenGeschlossen) {
    // Two nodes: |l_0| + |l_1| = 1 everywhere between them.
    EXPECT_NEAR(lebesgue_konstante(A, 1, -1.0, 1.0, 1001), 1.0, 1e-15);
    EXPECT_NEAR(lebesgue_konstante(T, 1, 2.0, 5.0, 1001), 1.0, 1e-15);
    // -1, 0, 1: 1 + |x| - x^2, which peaks at 1.25 at x = +-1/2; the
    // extreme points of T_2 are the same nodes.
    relativ_nahe(lebesgue_konstante(A, 2, -1.0, 1.0, 1001), 1.25, 1e-12);
    relativ_nahe(lebesgue_konstante(T, 2, -1.0, 1.0, 1001), 1.25, 1e-12);
    // The roots of T_3, 0 and +-sqrt(3)/2: largest at the ends, 5/3.
    relativ_nahe(lebesgue_konstante(T1, 2, -1.0, 1.0, 1001), 5.0 / 3.0, 1e-12);
}

TEST(Lebesgue, ReferenzwerteBeiSechzehnUndVierzig) {
    relativ_nahe(lebesgue_konstante(A, 16, -1.0, 1.0, 1001), 934.5341114532667, 1e-10);
    relativ_nahe(lebesgue_konstante(T, 16, -1.0, 1.0, 1001), 2.7247086772160871, 1e-10);
    relativ_nahe(lebesgue_konstante(T1, 16, -1.0, 1.0, 1001), 2.766353335890379, 1e-10);
    relativ_nahe(lebesgue_konstante(T, 40, -1.0, 1.0, 1001), 3.310472777483997, 1e-10);
    relativ_nahe(lebesgue_konstante(A, 40, -1.0, 1.0, 1001), 4692451395.3069659, 4e-5);
    // The constant does not depend on the interval: the runge problem's.
    relativ_nahe(lebesgue_konstante(A, 16, -9.0, 9.0, 1001), 934.5341114532667, 1e-10);
    relativ_nahe(lebesgue_konstante(T, 16, 0.0, 1e-3, 1001), 2.7247086772160871, 1e-10);
}

TEST(Lebesgue, GrobesGitterFindetDieAeusserenBuckel) {
    // Chebyshev extreme points crowd at the ends closer than any grid of
    // ten steps per mean interval; the largest bump sits in the outermost
    // interval.  The node intervals' midpoints are sampled too, so even a
    // grid of only the two ends finds it.
    const double fein = lebesgue_konstante(T, 200, -1.0, 1.0, 20001);
    relativ_nahe(lebesgue_konstante(T, 200, -1.0, 1.0, 2), fein, 1e-10);
    relativ_nahe(lebesgue_konstante(A, 16, -1.0, 1.0, 2), 934.5341114532667, 1e-10);
    // Between the bounds 2/pi ln(n+1) + 0.5 and 2/pi ln(n+1) + 1.
    EXPECT_GT(fein, 2.0 / M_PI * std::log(201.0) + 0.5);
    EXPECT_LT(fein, 2.0 / M_PI * std::log(201.0) + 1.0);
}

TEST(Lebesgue, SchnellAbgetastetOderInGeschlossenerForm) {
    // Up to n = 200 the sampled constant itself.
    EXPECT_EQ(lebesgue_schnell(T, 100), lebesgue_konstante(T, 100, -1.0, 1.0, 1001));
    relativ_nahe(lebesgue_schnell(A, 16), 934.5341114532667, 1e-10);
    // Beyond, for both Chebyshev kinds the bound (2/pi) ln(n+1) + 1: above
    // the constants, which grow like (2/pi) (ln(n+1) + gamma + ln(8/pi))
    // (their asymptotic form), and less than 0.041 above them.
    const double gamma = 0.5772156649015329;
    for (int n : {400, 1000, 100000}) {
        const double schranke = 2.0 / M_PI * std::log(n + 1.0) + 1.0;
        const double asymptotisch = 2.0 / M_PI * (std::log(n + 1.0) + gamma + std::log(8.0 / M_PI));
        for (int art : {T, T1}) {
            EXPECT_EQ(lebesgue_schnell(art, n), schranke);
            EXPECT_GT(schranke - asymptotisch, 0.0) << n;
            EXPECT_LT(schranke - asymptotisch, 0.041) << n;
        }
    }
    for (int art : {T, T1}) {
        const double gesampelt = lebesgue_konstante(art, 400, -1.0, 1.0, 4001);
        EXPECT_GT(lebesgue_schnell(art, 400), gesampelt);
        EXPECT_LT(lebesgue_schnell(art, 400) - gesampelt, 0.041);
    }
    // Equidistant nodes: 2^(n+1) / (e n (ln n + gamma)) within 2 percent of
    // the constant of 31 nodes (lebesgue.py: 6601108.6711527228), and no
    // double beyond n of about 1030.
    relativ_nahe(knotenart_nummer(A)->lebesgue_gross(30), 6601108.6711527228, 0.02);
    EXPECT_GT(lebesgue_schnell(A, 1000), 1e290);
    EXPECT_TRUE(std::isinf(lebesgue_schnell(A, 2000)));
    EXPECT_EXIT(lebesgue_schnell(STUETZSTELLEN_GEGEBEN, 300), testing::ExitedWithCode(1),
                "keine Lage");
}

TEST(Lebesgue, FunktionAufDemGitter) {
    // Nodes -1, 0, 1 and the grid -1, -1/2, 0, 1/2, 1: exactly 1 at the
    // nodes, 0.375 + 0.75 + 0.125 between them.
    std::vector<double> w = lebesgue_funktion(A, 2, -1.0, 1.0, 5);
    ASSERT_EQ(w.size(), 5u);
    EXPECT_EQ(w[0], 1.0);
    EXPECT_DOUBLE_EQ(w[1], 1.25);
    EXPECT_EQ(w[2], 1.0);
    EXPECT_DOUBLE_EQ(w[3], 1.25);
    EXPECT_EQ(w[4], 1.0);
}

TEST(Lebesgue, FalscheEingabenEndenMitMeldung) {
    EXPECT_EXIT(lebesgue_konstante(STUETZSTELLEN_GEGEBEN, 4, -1.0, 1.0, 1001),
                testing::ExitedWithCode(1), "keine Lage");
    EXPECT_EXIT(lebesgue_konstante(A, 0, -1.0, 1.0, 1001), testing::ExitedWithCode(1),
                "mindestens 1");
    EXPECT_EXIT(lebesgue_funktion(A, 4, 1.0, -1.0, 1001), testing::ExitedWithCode(1), "a < b");
    EXPECT_EXIT(lebesgue_funktion(A, 4, -1.0, 1.0, 1), testing::ExitedWithCode(1), "mindestens 2");
}

TEST(Lebesgue, TabelleDerStudie) {
    // Problem 4 on [-9, 9] with the overview's columns: one column per node
    // kind they use, in the order of the node-kind table.
    studie s;
    s.m = 4;
    s.n = {2, 16};
    s.gitter = {1001, 1001};
    s.spalten = spalten_waehlen(funktion[3], SPALTEN_UEBERSICHT);
    lebesgue_tabelle t = lebesgue_berechnen(s);
    ASSERT_EQ(t.arten, (std::vector<int>{A, T}));
    // Its cost for the warning before a long run: two kinds, each about
    // n = 16 operations at 1001 grid points and 2 n node-interval samples.
    EXPECT_EQ(lebesgue_arten(s.spalten), t.arten);
    EXPECT_DOUBLE_EQ(lebesgue_kosten(4, {16}, 0, SPALTEN_UEBERSICHT), 2.0 * 16 * (1001 + 32));
    ASSERT_EQ(t.werte.size(), 2u);
    relativ_nahe(t.werte[1][0], 934.5341114532667, 1e-10);
    relativ_nahe(t.werte[1][1], 2.7247086772160871, 1e-10);
    const std::string text = lebesgue_text(t);
    EXPECT_NE(text.find("\n     n  Knoten-a  Knoten-t\n     2      1.25      1.25\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n    16     934.5     2.725\n"), std::string::npos) << text;
}

} // namespace
