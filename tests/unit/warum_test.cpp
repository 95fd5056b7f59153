// The theory beside the figures: rounding marks against the errors of
// exact arithmetic (tests/erwartet/rundung_aequidistant.py), the poles of
// Runge's function and its Bernstein parameter, the Runge region, the
// algebraic decay of |x|, and f that cannot be judged.
#include "numerik/befund.h"

#include "numerik/lebesgue.h"

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

std::size_t spalte_in(const studie &s, const char *name) {
    for (std::size_t j = 0; j < s.spalten.size(); ++j)
        if (std::string(s.spalten[j]->spalte) == name) return j;
    ADD_FAILURE() << name;
    return 0;
}

double betrag(const void *, double x) {
    return std::fabs(x);
}
// Infinite at 0.002, a point of the study's grid of [-1, 1] and of the
// analysis' sample, but no node.
double pol(const void *, double x) {
    return 1.0 / (x - 0.002);
}

beispielfunktion eigene(double (*f)(const void *, double), double a, double b) {
    return beispielfunktion{.f = f,
                            .a = a,
                            .b = b,
                            .name = "eigene Funktion",
                            .abl2 = nullptr,
                            .abl1 = nullptr,
                            .kontext = nullptr,
                            .formel = nullptr,
                            .werte = nullptr};
}

TEST(Warum, EquidistantSineIsMarkedAsRoundingWhereItExceedsExactArithmetic) {
    // max |p - f| of the exact interpolant (90 digits) and the Lebesgue
    // constants of rundung_aequidistant.py for the sine on [-9, 9].
    const std::vector<int> n = {8, 16, 24, 32, 48, 64, 96, 128};
    const std::vector<double> exakt = {2.08131,     0.016299,    1.4649e-6,   9.30624e-12,
                                       1.59694e-24, 1.42745e-39, 2.14394e-66, 0.0};
    const studie s = studie_durchfuehren(funktion[1], 2, n, 0,
                                         {spalte_namens("Bary-a"), spalte_namens("Bary-t")});
    const befund b = studie_befund(s);
    for (std::size_t k = 0; k < n.size(); ++k) {
        const double e = s.werte[k][0].fehler;
        // Marked exactly where the figure is more than the exact error.
        EXPECT_EQ(b.zellen[k][0].marke == MARKE_BODEN, e > 2.0 * exakt[k]) << n[k];
        // And the rounding it adds stays below the floor (the script's six
        // digits resolve it from n = 24 on).
        if (n[k] >= 24) {
            EXPECT_LT(std::fabs(e - exakt[k]), b.zellen[k][0].rundungsboden) << n[k];
        }
    }
    EXPECT_EQ(b.spalten[0].legende.find("divergiert"), std::string::npos);
    EXPECT_EQ(b.spalten[0].legende, "Rundung (Kondition \u039b_n); gekappt");
    // The exact interpolants converge: rounding takes over between 24 and
    // 32, where the marks begin.
    const warum_spalte &w = b.erklaerung.spalten[0];
    EXPECT_FALSE(w.divergiert);
    EXPECT_GT(w.rundung_ab, 24);
    EXPECT_LE(w.rundung_ab, 32);
    EXPECT_NE(w.urteil.find("konvergiert, aber Rundung ab n \u2248"), std::string::npos);
    // The sine is entire: no singularity near [-9, 9].
    EXPECT_TRUE(b.erklaerung.analyse.beurteilbar);
    EXPECT_TRUE(b.erklaerung.analyse.singularitaeten.empty());
    EXPECT_NE(b.erklaerung.spalten[1].urteil.find("schneller als geometrisch"), std::string::npos);
}

TEST(Warum, RecommendationTakesNoFigureThatRoundingMayHavePutBelowTheTolerance) {
    // The sine on [-9, 9]: at n = 32 the equidistant Newton form is below
    // 1e-8 (4.9e-11 measured, 9.3e-12 exact) but its floor (Lambda_32 =
    // 2.4e7) is 2e-7, and the Chebyshev Newton form at 32 strays from the
    // stable value (*).  The barycentric form on Chebyshev nodes reaches
    // the tolerance at the same n with a floor far below it.
    const studie s = studie_durchfuehren(2, {8, 16, 32, 64, 128}, 0, SPALTEN_POLYNOME);
    const befund b = studie_befund(s);
    const std::size_t aeq = spalte_in(s, "Newton-a");
    ASSERT_LT(s.werte[2][aeq].fehler, 1e-8);
    ASSERT_GT(b.zellen[2][aeq].rundungsboden, 1e-8);
    ASSERT_GE(b.erklaerung.empfohlen, 0);
    EXPECT_STREQ(s.spalten[static_cast<std::size_t>(b.erklaerung.empfohlen)]->spalte, "Bary-t");
    EXPECT_EQ(b.erklaerung.empfohlen_n, 32);
}

TEST(Warum, LebesgueConstantOfEquidistantNodesAgreesWithExactArithmetic) {
    // rundung_aequidistant.py, 90 digits, sampled on the study's grid: the
    // barycentric sum in doubles had given 5.1e18 at n = 96.
    const std::vector<std::pair<int, double>> werte = {
        {32, 2.43087e+7}, {64, 4.40366e+16}, {96, 1.15798e+26}, {128, 3.49768e+35}};
    // The script's maximum over the grid lies a little below the refined one.
    for (const auto &[n, lambda] : werte) {
        EXPECT_GE(lebesgue_schnell(STUETZSTELLEN_AEQUIDISTANT, n) / lambda, 1.0) << n;
        EXPECT_LE(lebesgue_schnell(STUETZSTELLEN_AEQUIDISTANT, n) / lambda, 1.02) << n;
    }
}

TEST(Warum, RungesFunctionPolesRegionAndPredictedRate) {
    const studie s = studie_durchfuehren(4, {4, 8, 16, 32, 64, 128}, 0, SPALTEN_POLYNOME);
    const befund b = studie_befund(s);
    const warum_analyse &a = b.erklaerung.analyse;
    ASSERT_TRUE(a.beurteilbar);
    ASSERT_EQ(a.singularitaeten.size(), 2u);
    for (const singularitaet &p : a.singularitaeten) {
        EXPECT_NEAR(p.re, 0.0, 1e-8);
        EXPECT_NEAR(std::fabs(p.im), 1.0, 1e-8);
        // Residues of 1/(1+x^2) at +-i: -+i/2.
        EXPECT_NEAR(p.res_im, p.im > 0 ? -0.5 : 0.5, 1e-6);
        EXPECT_TRUE(p.runge);
    }
    const double rho = 1.0 / 9.0 + std::sqrt(1.0 + 1.0 / 81.0);
    EXPECT_NEAR(a.rho / rho, 1.0, 0.01);
    EXPECT_EQ(a.abfall, ABFALL_GEOMETRISCH);
    EXPECT_NEAR(a.rho_koeffizienten / rho, 1.0, 0.01);
    // Equidistant: divergiert (Runge), in the key too.
    const std::size_t aeq = spalte_in(s, "Bary-a");
    EXPECT_TRUE(b.erklaerung.spalten[aeq].divergiert);
    EXPECT_EQ(b.spalten[aeq].legende, "divergiert (Runge); gekappt");
    EXPECT_NE(b.erklaerung.spalten[aeq].urteil.find("divergiert (Runge)"), std::string::npos);
    // Chebyshev: the predicted C rho^-n within a factor 3 of each figure
    // above the floor.
    const std::size_t t = spalte_in(s, "Bary-t");
    const std::vector<double> &v = b.erklaerung.spalten[t].vorhersage;
    ASSERT_EQ(v.size(), s.n.size());
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const double e = s.werte[k][t].fehler;
        if (!(e > b.zellen[k][t].rundungsboden)) continue;
        EXPECT_LT(std::fabs(std::log(v[k] / e)), std::log(3.0)) << s.n[k];
        EXPECT_NEAR(v[k] * std::pow(rho, s.n[k]), v[0] * std::pow(rho, s.n[0]),
                    0.2 * v[0] * std::pow(rho, s.n[0]));
    }
    EXPECT_NE(b.erklaerung.empfehlung.find("Empfehlung fuer Toleranz 1e-08: "), std::string::npos);
}

TEST(Warum, AbsoluteValueDecaysAlgebraicallyAndLimitsEveryOrder) {
    // |x| = sum a_k T_k with a_2k ~ 4/(pi 4k^2): |a_k| ~ k^-2, and the
    // error of every method falls like n^-1.
    const beispielfunktion f = eigene(betrag, -1.0, 1.0);
    const std::vector<const methode *> spalten = {
        spalte_namens("Bary-t"), spalte_namens("nat.Sp-a"), spalte_namens("nak.Sp-a"),
        spalte_namens("Rat-a"),  spalte_namens("FC-a"),     spalte_namens("Akima-a")};
    const studie s = studie_durchfuehren(f, FORMEL_PROBLEM, {16, 32, 64, 128}, 0, spalten);
    const befund b = studie_befund(s);
    const warum_analyse &a = b.erklaerung.analyse;
    ASSERT_TRUE(a.beurteilbar);
    EXPECT_EQ(a.abfall, ABFALL_ALGEBRAISCH);
    EXPECT_NEAR(a.alpha, 2.0, 0.2);
    for (std::size_t j = 1; j < spalten.size(); ++j) {
        const warum_spalte &w = b.erklaerung.spalten[j];
        EXPECT_NEAR(w.ordnung_vorhergesagt, 1.0, 0.2) << spalten[j]->spalte;
        EXPECT_NEAR(w.ordnung_beobachtet, w.ordnung_vorhergesagt, 0.2) << spalten[j]->spalte;
    }
    EXPECT_NE(b.erklaerung.spalten[0].urteil.find("algebraisch"), std::string::npos);
}

TEST(Warum, FunctionNotFiniteIsNotJudgedAndItsFiguresAreMarked) {
    // 1/(x - 0.002) on [-1, 1]: infinite at a grid point.  The figures
    // still come, the verdict says why none.
    const beispielfunktion f = eigene(pol, -1.0, 1.0);
    const studie s = studie_durchfuehren(f, FORMEL_PROBLEM, {4, 8}, 0,
                                         {spalte_namens("Bary-a"), spalte_namens("nat.Sp-a")});
    const befund b = studie_befund(s);
    EXPECT_FALSE(b.erklaerung.analyse.beurteilbar);
    EXPECT_NE(b.erklaerung.analyse.grund.find("nicht endlich"), std::string::npos);
    for (const warum_spalte &w : b.erklaerung.spalten)
        EXPECT_EQ(w.urteil.rfind("nicht beurteilbar: f ist bei x = ", 0), 0u) << w.urteil;
    bool markiert = false;
    for (const auto &zeile : b.zellen)
        for (const befund_zelle &z : zeile)
            if (z.marke == MARKE_NICHT_ENDLICH) {
                markiert = true;
                EXPECT_EQ(z.ursache, URSACHE_F);
            }
    EXPECT_TRUE(markiert);
}

TEST(Warum, FiguresNotFiniteSayWhy) {
    // By hand: an inf on nodes whose Lambda_n max|f| is finite is an
    // overflow on the way; beyond the doubles it is the condition.
    studie s;
    s.m = 4;
    s.problem = funktion[3];
    s.f_groesste = 1e300;
    s.n = {8, 1100};
    s.spalten = {spalte_namens("Bary-a")};
    s.gitter = {1001, 11001};
    s.werte = {{{INFINITY, true}}, {{NAN, true}}};
    const befund b = studie_marken(s);
    EXPECT_EQ(b.zellen[0][0].marke, MARKE_NICHT_ENDLICH);
    EXPECT_EQ(b.zellen[0][0].ursache, URSACHE_UEBERLAUF);
    EXPECT_EQ(b.zellen[1][0].ursache, URSACHE_KONDITION);
    const std::string legende = marken_legende(s, b);
    EXPECT_NE(legende.find("! nicht endlich: Lambda_n max|f| liegt jenseits"), std::string::npos);
    EXPECT_NE(legende.find("! nicht endlich: Werte, Gewichte"), std::string::npos);
    EXPECT_NE(studie_text(s).find("inf!"), std::string::npos);
}

TEST(Warum, RungePotentialAndBernsteinParameter) {
    // phi(z) - phi(1) is 0 at +-1, -log 2 at 0; the level curve crosses the
    // imaginary axis at 0.5255i (the classical Runge region).
    EXPECT_NEAR(runge_potential(1.0, 0.0), 0.0, 1e-15);
    EXPECT_NEAR(runge_potential(-1.0, 0.0), 0.0, 1e-15);
    EXPECT_NEAR(runge_potential(0.0, 0.0), -std::log(2.0), 1e-15);
    EXPECT_LT(runge_potential(0.0, 0.52), 0.0);
    EXPECT_GT(runge_potential(0.0, 0.53), 0.0);
    EXPECT_NEAR(bernstein_rho(0.0, 1.0 / 9.0), 1.0 / 9.0 + std::sqrt(1.0 + 1.0 / 81.0), 1e-14);
    EXPECT_NEAR(bernstein_rho(2.0, 0.0), 2.0 + std::sqrt(3.0), 1e-14);
    EXPECT_DOUBLE_EQ(bernstein_rho(0.5, 0.0), 1.0);
}

} // namespace
