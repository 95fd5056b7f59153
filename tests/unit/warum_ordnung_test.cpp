// The predicted orders of the piecewise, rational and trigonometric
// columns against figures computed without the library
// (tests/erwartet/periodische_enden.py, numpy's FFT and scipy's natural
// spline on 20001 points): the kink of the periodic continuation of
// Runge's function, the natural spline's end term, and the steps that are
// not yet small against the distance of a pole.
#include "numerik/befund.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const methode *spalte_namens(const char *spalte) {
    const methode *me = methode_suchen(spalte);
    EXPECT_NE(me, nullptr) << spalte;
    return me;
}

bool enthaelt(const std::string &text, const char *teil) {
    return text.find(teil) != std::string::npos;
}

TEST(WarumOrdnung, TrigonometricRungeHasAKinkAndFallsLikeOneOverN) {
    const std::vector<int> n = {32, 64, 128, 256};
    // periodische_enden.py: max |p - f| of the trigonometric interpolant.
    const std::vector<double> erwartet = {0.00364137, 0.000143067, 7.15186e-05, 3.57566e-05};
    const studie s = studie_durchfuehren(funktion[3], 4, n, 0, {spalte_namens("Trig-a")});
    const befund b = studie_befund(s);
    const warum_analyse &a = b.erklaerung.analyse;
    // f'(-+9) = +-18/82^2, f''(+-9) = 484/82^3: the one-sided differences.
    EXPECT_NEAR(a.ende_abl[1][0], 18.0 / 6724.0, 1e-9);
    EXPECT_NEAR(a.ende_abl[1][1], -18.0 / 6724.0, 1e-9);
    EXPECT_NEAR(a.ende_abl[2][0], 484.0 / 551368.0, 1e-8);
    EXPECT_NEAR(a.ende_abl[0][1] - a.ende_abl[0][0], 0.0, 1e-15);
    const warum_spalte &w = b.erklaerung.spalten[0];
    // Geometric while the pole at +-i decides, then the kink: n^-1.
    EXPECT_EQ(w.urteil.rfind("zuerst geometrisch wie exp(-0.1745 n), ab n \u2248 ", 0), 0u)
        << w.urteil;
    EXPECT_TRUE(enthaelt(w.urteil, "algebraisch wie n^-1: f'(a) != f'(b)")) << w.urteil;
    for (std::size_t k = 1; k < n.size(); ++k) {
        EXPECT_NEAR(w.vorhersage[k] / erwartet[k], 1.0, 0.1) << n[k];
        EXPECT_NEAR(s.werte[k][0].fehler / erwartet[k], 1.0, 0.02) << n[k];
    }
    EXPECT_NEAR(w.ordnung_beobachtet, 1.0, 0.05);
    EXPECT_NEAR(w.ordnung_vorhergesagt, 1.0, 0.05);
}

TEST(WarumOrdnung, TrigonometricSineStopsAtHalfTheJumpOfItsEnds) {
    // The first problem ends at +-3.14159265, short of pi: f(b) - f(a) =
    // 2 sin(3.14159265) = 7.18e-9, and the value at a is the mean, off by
    // half of that at every n.
    const double halb = std::sin(3.14159265);
    const studie s = studie_durchfuehren(funktion[0], 1, {8, 16, 32}, 0, {spalte_namens("Trig-a")});
    const befund b = studie_befund(s);
    const warum_spalte &w = b.erklaerung.spalten[0];
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        EXPECT_NEAR(s.werte[k][0].fehler / halb, 1.0, 1e-3);
        EXPECT_NEAR(w.vorhersage[k] / halb, 1.0, 1e-3);
    }
    EXPECT_EQ(w.urteil.rfind("konvergiert nicht unter |f(b) - f(a)|/2 = 3.6e-09: f(a) != f(b)", 0),
              0u)
        << w.urteil;
}

TEST(WarumOrdnung, NaturalSplineOfRungeShowsFourUntilItsEndTermTakesOver) {
    // periodische_enden.py: scipy's natural spline; its local order is 4.02
    // up to 512, 2.85 from 512 to 1024, 2.00 beyond.
    const std::vector<int> n = {64, 128, 256, 512, 1024, 2048, 4096};
    const std::vector<double> erwartet = {0.000441672, 2.61249e-05, 1.5553e-06, 9.58241e-08,
                                          1.32809e-08, 3.31433e-09, 8.28584e-10};
    const studie s = studie_durchfuehren(funktion[3], 4, n, 0, {spalte_namens("nat.Sp-a")});
    const befund b = studie_befund(s);
    const warum_spalte &w = b.erklaerung.spalten[0];
    // The theory's constants, no fit: within 20 % at every n.
    for (std::size_t k = 0; k < n.size(); ++k)
        EXPECT_NEAR(w.vorhersage[k] / erwartet[k], 1.0, 0.2) << n[k];
    EXPECT_NEAR(w.ordnung_beobachtet, 2.0, 0.05);
    EXPECT_NEAR(w.ordnung_vorhergesagt, 2.0, 0.05);
    EXPECT_TRUE(enthaelt(w.urteil, "natuerliche Enden: f''(a) = 0.00088")) << w.urteil;

    // Up to 512 the interior decides, and the verdict says where the end
    // term takes over: between 512 and 1024.
    const studie t =
        studie_durchfuehren(funktion[3], 4, {128, 256, 512}, 0, {spalte_namens("nat.Sp-a")});
    const befund c = studie_befund(t);
    const warum_spalte &v = c.erklaerung.spalten[0];
    EXPECT_NEAR(v.ordnung_vorhergesagt, 4.0, 0.1);
    EXPECT_NEAR(v.ordnung_beobachtet, 4.0, 0.1);
    const std::size_t ab = v.urteil.find("; ab n \u2248 ");
    ASSERT_NE(ab, std::string::npos) << v.urteil;
    const int uebergang = std::atoi(v.urteil.c_str() + ab + std::string("; ab n \u2248 ").size());
    EXPECT_GT(uebergang, 512);
    EXPECT_LT(uebergang, 1024);
    EXPECT_TRUE(enthaelt(v.urteil, " n^-2: natuerliche Enden")) << v.urteil;
}

TEST(WarumOrdnung, NoVerdictOfTheExamplesClaimsAnOrderItsFiguresContradict) {
    // Problem 4 on [-9, 9] up to n = 64: h = 0.28 (0.44 at the centre of
    // the Chebyshev points) is not small against the distance 1 of the
    // poles +-i, and the verdicts say so.
    const studie s = studie_durchfuehren(4, {4, 8, 16, 32, 64}, 0, SPALTEN_ALLE);
    const befund b = studie_befund(s);
    for (const char *spalte : {"nak.Sp-t", "Rat-a", "FC-a"}) {
        for (std::size_t j = 0; j < s.spalten.size(); ++j) {
            if (std::string(s.spalten[j]->spalte) != spalte) continue;
            EXPECT_TRUE(enthaelt(b.erklaerung.spalten[j].urteil,
                                 std::string(spalte) == "nak.Sp-t"
                                     ? "h = 0.44 nicht klein gegen den Abstand 1 der"
                                     : "h = 0.28 nicht klein gegen den Abstand 1 der"))
                << spalte << ": " << b.erklaerung.spalten[j].urteil;
        }
    }
    // Every example: an order more than 0.3 from the prediction comes with
    // its reason; the sine on [-pi, pi] has f'' = 0 at both ends, so its
    // natural spline keeps order 4.
    for (int m = 1; m <= 4; ++m) {
        const studie t = studie_durchfuehren(m, {4, 8, 16, 32, 64}, 0, SPALTEN_ALLE);
        const befund c = studie_befund(t);
        for (std::size_t j = 0; j < t.spalten.size(); ++j) {
            const warum_spalte &w = c.erklaerung.spalten[j];
            EXPECT_FALSE(enthaelt(w.urteil, "nicht erklaert")) << m << " " << w.urteil;
            if (std::string(t.spalten[j]->spalte) == "nat.Sp-a" && m == 1) {
                EXPECT_NEAR(w.ordnung_vorhergesagt, 4.0, 0.05);
            }
            if (std::isnan(w.ordnung_beobachtet) || std::isnan(w.ordnung_vorhergesagt)) continue;
            if (std::fabs(w.ordnung_beobachtet - w.ordnung_vorhergesagt) > 0.3) {
                EXPECT_TRUE(enthaelt(w.urteil, "vorasymptotisch") ||
                            enthaelt(w.urteil, "schneller, weil"))
                    << m << " " << t.spalten[j]->spalte << ": " << w.urteil;
            }
        }
    }
}

} // namespace
