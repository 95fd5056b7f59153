// The study module: the second derivatives of the example functions, the
// spline with exact end conditions, the sanity figure of the polynomial on
// Chebyshev points, the rounding mark, the search for the smallest n, the
// scale of the plots, the tables as text, and a problem whose values come
// through the function record's hook.
#include "numerik/studie.h"

#include "numerik/baryzipl.h"
#include "numerik/newtnipl.h"
#include "numerik/splinipl.h"
#include "numerik/zahlen.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

const methode *methode_namens(const std::string &spalte) {
    for (int i = 0; i < methoden_anzahl; ++i)
        if (spalte == methoden[i].spalte) return &methoden[i];
    return nullptr;
}

std::vector<std::string> spaltennamen(const std::vector<const methode *> &spalten) {
    std::vector<std::string> namen;
    for (const methode *me : spalten)
        namen.push_back(me->spalte);
    return namen;
}

double kubik(const void *, double x) {
    return 2.0 * x * x * x - x * x + 0.5 * x - 3.0;
}

double kubik_abl2(const void *, double x) {
    return 12.0 * x - 2.0;
}

double kubik_abl1(const void *, double x) {
    return 6.0 * x * x - 2.0 * x + 0.5;
}

TEST(Beispielfunktionen, SecondDerivativesAgainstDifferenceQuotients) {
    // (f(x+h) - 2 f(x) + f(x-h)) / h^2 = f''(x) + O(h^2) + O(eps / h^2).
    const double h = 1e-4;
    for (int m = 1; m <= funktion_anzahl; ++m) {
        const beispielfunktion &p = funktion[m - 1];
        for (int i = 0; i <= 20; ++i) {
            double x = p.a + (p.b - p.a) * i / 20.0;
            if (m == 3 && std::fabs(x) < 2 * h) continue; // the kink of |x|
            double quotient =
                (beispiel_f(&p, x + h) - 2.0 * beispiel_f(&p, x) + beispiel_f(&p, x - h)) / (h * h);
            EXPECT_NEAR(beispiel_abl2(&p, x), quotient, 1e-5) << "m=" << m << " x=" << x;
        }
    }
}

TEST(Beispielfunktionen, FirstDerivativesAgainstDifferenceQuotients) {
    // (f(x+h) - f(x-h)) / (2h) = f'(x) + O(h^2) + O(eps / h).
    const double h = 1e-5;
    for (int m = 1; m <= funktion_anzahl; ++m) {
        const beispielfunktion &p = funktion[m - 1];
        for (int i = 0; i <= 20; ++i) {
            double x = p.a + (p.b - p.a) * i / 20.0;
            if (m == 3 && std::fabs(x) < 2 * h) continue; // the kink of |x|
            double quotient = (beispiel_f(&p, x + h) - beispiel_f(&p, x - h)) / (2 * h);
            EXPECT_NEAR(beispiel_abl1(&p, x), quotient, 1e-8) << "m=" << m << " x=" << x;
        }
    }
}

TEST(StudieMethoden, NotAKnotAndClampedRowsReproduceACubic) {
    const beispielfunktion kubisch = {kubik,      -1.5,    2.5,     "Kubik", kubik_abl2,
                                      kubik_abl1, nullptr, nullptr, nullptr};
    for (const char *spalte : {"nak.Sp-a", "nak.Sp-t", "ein.Sp-a"}) {
        const methode *me = methode_namens(spalte);
        ASSERT_NE(me, nullptr) << spalte;
        for (int n : {3, 6, 17}) {
            interpolation_zeiger s = erzeugen(*me, kubisch, 0, n);
            EXPECT_LT(groesster_fehler(s.get(), kubisch, 4001), 1e-12) << spalte << " n=" << n;
        }
    }
    // With three nodes not-a-knot is the parabola through them: not exact.
    interpolation_zeiger s = erzeugen(*methode_namens("nak.Sp-a"), kubisch, 0, 2);
    EXPECT_GT(groesster_fehler(s.get(), kubisch, 4001), 1e-1);
}

TEST(StudieMethoden, SplineWithExactEndDerivativesReproducesACubic) {
    const beispielfunktion kubisch = {kubik,      -1.5,    2.5,     "Kubik", kubik_abl2,
                                      kubik_abl1, nullptr, nullptr, nullptr};
    const methode *abl = methode_namens("abl.Sp-a");
    const methode *nat = methode_namens("nat.Sp-a");
    ASSERT_NE(abl, nullptr);
    ASSERT_EQ(methode_option_wert(abl, "ende"), SPLINE_ABL2_GEGEBEN);
    for (int n : {2, 5, 17}) {
        interpolation_zeiger s = erzeugen(*abl, kubisch, 0, n);
        EXPECT_LT(groesster_fehler(s.get(), kubisch, 4001), 1e-12) << "n=" << n;
    }
    // The natural end condition is wrong for it: no reproduction.
    interpolation_zeiger s = erzeugen(*nat, kubisch, 0, 5);
    EXPECT_GT(groesster_fehler(s.get(), kubisch, 4001), 1e-3);
}

TEST(StudieMethoden, ColumnsOfEachChoice) {
    const beispielfunktion &sinus9 = funktion[1]; // no periodic column
    const beispielfunktion &runge = funktion[3];
    EXPECT_EQ(spaltennamen(spalten_waehlen(runge, SPALTEN_UEBERSICHT)),
              (std::vector<std::string>{"Newton-a", "Newton-t", "Bary-t", "nat.Sp-a", "nat.Sp-t",
                                        "abl.Sp-a", "per.Sp-a"}));
    EXPECT_EQ(spaltennamen(spalten_waehlen(sinus9, SPALTEN_UEBERSICHT)).size(), 6u);
    EXPECT_EQ(spaltennamen(spalten_waehlen(runge, SPALTEN_POLYNOME)),
              (std::vector<std::string>{"Newton-a", "Newton-t", "Bary-a", "Bary-t"}));
    EXPECT_EQ(spaltennamen(spalten_waehlen(sinus9, SPALTEN_SPLINES)),
              (std::vector<std::string>{"nat.Sp-a", "nat.Sp-t", "abl.Sp-a"}));
    // The other end conditions and the further methods only with both
    // groups.
    EXPECT_EQ(spaltennamen(spalten_waehlen(sinus9, SPALTEN_ALLE)),
              (std::vector<std::string>{"Newton-a", "Newton-t", "Bary-a", "Bary-t", "nat.Sp-a",
                                        "nat.Sp-t", "abl.Sp-a", "nak.Sp-a", "nak.Sp-t", "ein.Sp-a",
                                        "Rat-a", "Rat-t", "Leja-t", "Bary-t1", "FC-a", "Akima-a",
                                        "AAA"}));
    // Runge's f takes the same value at both ends: the periodic spline and
    // the trigonometric interpolation as well.
    EXPECT_EQ(spalten_waehlen(runge, SPALTEN_ALLE).size(), 19u);
    EXPECT_EQ(hoechstes_n(*methode_namens("Newton-t")), NEWTON_MAX_N);
    EXPECT_EQ(hoechstes_n(*methode_namens("Bary-t")), STUDIE_MAX_N);
    EXPECT_EQ(suchgrenze(*methode_namens("Bary-a")), POLYNOM_SUCHGRENZE);
    EXPECT_EQ(suchanfang(*methode_namens("per.Sp-a")), 3);
    // The nodes are those that creation places.
    std::vector<double> x = stuetzstellen(runge, STUETZSTELLEN_TSCHEBYSCHEFF, 4);
    interpolation_zeiger p = erzeugen(*methode_namens("Bary-t"), runge, 4, 4);
    objekt *knoten = interpolation_tabelle(p.get())->imVektor(p.get(), 0);
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(x[i], matrix_tabelle(knoten)->amIndex(knoten, i + 1, 1));
}

TEST(Studie, PolynomialOnChebyshevPointsAtN64) {
    // Problem 4, 1001 points: the polynomial's error is about 8.1e-4, the
    // Newton form's figure is rounding and marked.
    studie s = studie_durchfuehren(4, {64}, 1001, SPALTEN_POLYNOME);
    ASSERT_EQ(spaltennamen(s.spalten)[3], "Bary-t");
    EXPECT_NEAR(s.werte[0][3].fehler, 8.1e-4, 0.1e-4);
    EXPECT_GT(s.werte[0][1].fehler, 1.0);
    EXPECT_TRUE(rundung_ueberwiegt(s, 0, 1));
    EXPECT_FALSE(rundung_ueberwiegt(s, 0, 3));
    EXPECT_DOUBLE_EQ(s.f_groesste, 1.0);
}

TEST(Studie, NewtonColumnsStopAtTheirBound) {
    studie s = studie_durchfuehren(2, {NEWTON_MAX_N + 1}, 1001, SPALTEN_POLYNOME);
    EXPECT_FALSE(s.werte[0][0].berechnet);
    EXPECT_FALSE(s.werte[0][1].berechnet);
    EXPECT_TRUE(s.werte[0][3].berechnet);
    EXPECT_LT(s.werte[0][3].fehler, 1e-12);
    EXPECT_FALSE(rundung_ueberwiegt(s, 0, 1));
    std::string text = studie_text(s);
    EXPECT_NE(text.find("\n 10001         -          -  "), std::string::npos) << text;
    EXPECT_NE(text.find("- nicht berechnet: Newton-Form ueber n = 10000 (Aufwand n^2).\n"),
              std::string::npos);
}

// A study of two columns, Newton-t and Bary-t, with the figures given.
studie gemacht(const std::vector<std::vector<double>> &zahlen) {
    studie s;
    s.m = 4;
    s.punkte = 1001;
    s.f_groesste = 1.0;
    s.spalten = {methode_namens("Newton-t"), methode_namens("Bary-t")};
    for (std::size_t k = 0; k < zahlen.size(); ++k) {
        s.n.push_back(2 << k);
        s.werte.push_back({{zahlen[k][0], true}, {zahlen[k][1], true}});
    }
    return s;
}

TEST(Studie, RoundingMark) {
    studie s = gemacht({{1.0, 0.1},
                        {0.2, 0.1},
                        {0.15, 0.1},
                        {NAN, 0.1},
                        {INFINITY, 0.1},
                        {1.0, INFINITY},
                        {0.0, 0.0}});
    EXPECT_TRUE(rundung_ueberwiegt(s, 0, 0));
    EXPECT_FALSE(rundung_ueberwiegt(s, 1, 0)); // differs by exactly the figure
    EXPECT_FALSE(rundung_ueberwiegt(s, 2, 0));
    EXPECT_TRUE(rundung_ueberwiegt(s, 3, 0));
    EXPECT_TRUE(rundung_ueberwiegt(s, 4, 0));
    EXPECT_FALSE(rundung_ueberwiegt(s, 5, 0)); // no finite figure to compare with
    EXPECT_FALSE(rundung_ueberwiegt(s, 6, 0));
    EXPECT_FALSE(rundung_ueberwiegt(s, 0, 1)); // only Newton figures are marked
    // Newton on equidistant nodes has no twin in these columns.
    s.spalten[0] = methode_namens("Newton-a");
    EXPECT_FALSE(rundung_ueberwiegt(s, 0, 0));
}

TEST(Studie, PlotScale) {
    // Newton-t grows at the end: diverging, cut at the ceiling, which the
    // converging Bary-t sets at the decade above 0.5.
    studie s = gemacht({{0.5, 0.5}, {0.02, 0.01}, {30.0, 3e-7}});
    EXPECT_FALSE(konvergiert(s, 0));
    EXPECT_TRUE(konvergiert(s, 1));
    EXPECT_DOUBLE_EQ(diagramm_decke(s), 1.0);
    EXPECT_DOUBLE_EQ(diagramm_boden(s), 1e-7);
    // A last figure above max |f| is no convergence, however it began.
    studie t = gemacht({{5.0, 5.0}, {3.0, 3.0}});
    EXPECT_FALSE(konvergiert(t, 1));
    EXPECT_DOUBLE_EQ(diagramm_decke(t), 10.0);
    studie u = gemacht({{1e-3, 2e-3}, {NAN, 1e-4}});
    EXPECT_FALSE(konvergiert(u, 0));
    EXPECT_DOUBLE_EQ(diagramm_decke(u), 1e-2);
}

TEST(Toleranzsuche, DoublingThenBisection) {
    int aufrufe = 0;
    auto quadrat = [&aufrufe](int n) {
        ++aufrufe;
        return 1.0 / (static_cast<double>(n) * n);
    };
    EXPECT_EQ(kleinstes_n(quadrat, 1e-4, 2, 100000), 100);
    EXPECT_LE(aufrufe, 2 * 17 + 2);
    EXPECT_EQ(kleinstes_n(quadrat, 1.0, 2, 100000), 2);
    EXPECT_EQ(kleinstes_n(quadrat, 0.25, 3, 100000), 3);
    // 1/n <= 1e-3 first at n_max itself, reached by the last step.
    EXPECT_EQ(kleinstes_n([](int n) { return 1.0 / n; }, 1e-3, 2, 1000), 1000);
    EXPECT_EQ(kleinstes_n([](int n) { return 1.0 / n; }, 1e-3, 2, 999), 0);
    // A figure that is not a number never meets a tolerance.
    EXPECT_EQ(kleinstes_n([](int) { return NAN; }, 1.0, 2, 64), 0);
    // Between the doubling steps: 1/n^2 <= 1/(65^2) first at n = 65.
    EXPECT_EQ(kleinstes_n(quadrat, 1.0 / (65.0 * 65.0), 2, 100000), 65);
}

TEST(Toleranzsuche, TableOfSeveralProblems) {
    toleranzsuche eins;
    eins.m = 1;
    eins.toleranz = 1e-6;
    eins.punkte = 1001;
    eins.spalten = {methode_namens("nat.Sp-a"), methode_namens("per.Sp-a")};
    eins.n = {45, 0};
    toleranzsuche zwei = eins;
    zwei.m = 2;
    zwei.spalten = {methode_namens("Newton-t"), methode_namens("nat.Sp-a")};
    zwei.n = {0, 2558};
    EXPECT_EQ(toleranz_text({eins, zwei}),
              "Beispielfunktion 1: Sinus auf [-pi,pi]\n"
              "Beispielfunktion 2: Sinus auf [-9,9]\n"
              "Kleinstes n mit max |p(x) - f(x)| <= 1e-06, gemessen an max(1001, 10 n + 1)\n"
              "Punkten (n verdoppelt ab 2, dann halbiert; >N: bis n = N nicht erreicht)\n"
              "\n"
              "     m  Newton-t  nat.Sp-a  per.Sp-a\n"
              "     1                  45   >100000\n"
              "     2     >2000      2558\n");
}

TEST(Studie, WideTablesWrapIntoBlocksOfAtMost80) {
    // Every method of the table, as -p -s shows them, one figure each:
    // Newton-a and Newton-t take 11 places with their mark, the others 10;
    // after the n column of 6, seven columns fill 78 places and the eighth
    // starts a new block.
    studie s;
    s.m = 2;
    s.punkte = 1001;
    s.f_groesste = 1.0;
    for (int i = 0; i < methoden_anzahl; ++i)
        s.spalten.push_back(&methoden[i]);
    s.n = {4, 8};
    for (int k = 0; k < 2; ++k) {
        std::vector<messwert> zeile;
        for (std::size_t i = 0; i < s.spalten.size(); ++i)
            zeile.push_back({k == 0 ? 0.5 : 0.125, true});
        s.werte.push_back(zeile);
    }
    std::string text = studie_text(s);
    std::size_t anfang = 0;
    int koepfe = 0;
    while (anfang < text.size()) {
        std::size_t ende = text.find('\n', anfang);
        std::string zeile = text.substr(anfang, ende - anfang);
        EXPECT_LE(zeile.size(), 80u) << zeile;
        if (zeile.rfind("     n ", 0) == 0) ++koepfe;
        anfang = ende + 1;
    }
    // Two tables of three blocks each, every block headed by the n column.
    EXPECT_EQ(koepfe, 6);
    EXPECT_NE(text.find("\n     n  Newton-a   Newton-t     Bary-a    Bary-t  nat.Sp-a  nat.Sp-t"
                        "  abl.Sp-a\n     4       0.5        0.5        0.5       0.5       0.5"
                        "       0.5       0.5\n     8     0.125      0.125      0.125     0.125"
                        "     0.125     0.125     0.125\n\n     n  per.Sp-a  nak.Sp-a"),
              std::string::npos)
        << text;
    // The orders, 2 throughout (0.5 to 0.125 as n doubles), in the same
    // blocks; Leja-t is marked against Bary-t and takes 11 places, its mark
    // place last, which still fit the second block (6 + 6 * 10 + 11 = 77).
    EXPECT_NE(text.find("\n     n  per.Sp-a  nak.Sp-a  nak.Sp-t  ein.Sp-a     Rat-a     Rat-t"
                        "    Leja-t \n     8      2.00      2.00      2.00      2.00      2.00"
                        "      2.00      2.00 \n\n     n   Bary-t1      FC-a   Akima-a    Trig-a"
                        "       AAA\n     8      2.00      2.00      2.00      2.00      2.00\n"),
              std::string::npos)
        << text;
}

TEST(Toleranzsuche, WideTableWrapsRepeatingTheProblemColumn) {
    toleranzsuche t;
    t.m = 4;
    t.toleranz = 1e-6;
    t.punkte = 1001;
    for (int i = 0; i < methoden_anzahl; ++i) {
        t.spalten.push_back(&methoden[i]);
        t.n.push_back(100 + i);
    }
    std::string text = toleranz_text({t});
    // 6 + 7 x 10 = 76 places; the eighth column would need 86.
    EXPECT_NE(text.find("\n     m  Newton-a  Newton-t    Bary-a    Bary-t  nat.Sp-a  nat.Sp-t"
                        "  abl.Sp-a\n     4       100       101       102       103       104"
                        "       105       106\n\n     m  per.Sp-a  nak.Sp-a"),
              std::string::npos)
        << text;
}

TEST(Verlauf, ValuesOfEachInterpolantOnTheGrid) {
    verlauf v = verlauf_berechnen(4, 8, 1001, SPALTEN_UEBERSICHT);
    ASSERT_EQ(v.x.size(), 1001u);
    EXPECT_EQ(v.x.front(), -9.0);
    EXPECT_EQ(v.x.back(), 9.0);
    EXPECT_EQ(v.f[500], 1.0);
    ASSERT_EQ(v.p.size(), v.spalten.size());
    // Grid point 500 is 0, an equidistant node for even n, and the middle
    // Chebyshev node lies within 1e-15 of it: every interpolant takes f's
    // value there.
    for (const std::vector<double> &p : v.p)
        EXPECT_NEAR(p[500], 1.0, 1e-12);
}

} // namespace

TEST(StudieGitter, FollowsNUnlessFixed) {
    // Ten steps per node interval: 1001 points cover n up to 100.
    EXPECT_EQ(studie_punkte(0, 2), 1001);
    EXPECT_EQ(studie_punkte(0, 100), 1001);
    EXPECT_EQ(studie_punkte(0, 101), 1011);
    EXPECT_EQ(studie_punkte(0, 100000), 1000001);
    EXPECT_EQ(studie_punkte(2001, 100000), 2001);
}

TEST(StudieGitter, CoarseRowIsMarkedNeverZero) {
    // Problem 4 at n = 1000 on 1001 points: the grid points are the
    // equidistant nodes themselves, where a spline takes f's values, so
    // the measured error is 0; the table must not say 0 but mark it.
    studie s = studie_durchfuehren(4, {100, 1000}, 1001, SPALTEN_SPLINES);
    ASSERT_EQ(spaltennamen(s.spalten)[0], "nat.Sp-a");
    EXPECT_FALSE(gitter_zu_grob(s, 0));
    EXPECT_TRUE(gitter_zu_grob(s, 1));
    EXPECT_EQ(s.werte[1][0].fehler, 0.0);
    std::string text = studie_text(s);
    EXPECT_NE(text.find("\n  1000         ~ "), std::string::npos) << text;
    EXPECT_NE(text.find("~ Messgitter zu grob"), std::string::npos) << text;
    EXPECT_NE(text.find("Genauer mit -g 10001.\n"), std::string::npos) << text;
    // The same study on its own grid measures between the nodes.
    studie fein = studie_durchfuehren(4, {100, 1000}, 0, SPALTEN_SPLINES);
    EXPECT_EQ(fein.gitter, (std::vector<int>{1001, 10001}));
    EXPECT_GT(fein.werte[1][0].fehler, 1e-9);
    EXPECT_EQ(studie_text(fein).find('~'), std::string::npos);
    EXPECT_NE(studie_text(fein).find("an max(1001, 10 n + 1) Punkten"), std::string::npos);
}

TEST(StudieKosten, PolynomialColumnsCostNTimesPoints) {
    const methode *bary = methode_namens("Bary-t");
    EXPECT_DOUBLE_EQ(methode_kosten(*bary, 1000, 10001), 1000.0 * 10001 + 1000.0 * 1000 / 2);
    // The costliest column of problem 4 at n = 100000 is Bary-t: the Newton
    // columns stop at 10000, the splines cost little per point.
    studie_kosten k = studie_kosten_schaetzen(4, {100000}, 0, SPALTEN_UEBERSICHT);
    ASSERT_NE(k.teuerste, nullptr);
    EXPECT_STREQ(k.teuerste->spalte, "Bary-t");
    EXPECT_GT(k.operationen / STUDIE_OPERATIONEN_JE_SEKUNDE, 60.0);
    EXPECT_LT(studie_kosten_schaetzen(4, {2, 4, 8, 16, 32, 64}, 0, SPALTEN_UEBERSICHT).operationen /
                  STUDIE_OPERATIONEN_JE_SEKUNDE,
              1.0);
}

// Collects the shares a study reports.
void anteil_merken(void *kontext, const char *was, double anteil) {
    EXPECT_EQ(std::string(was).rfind("Beispielfunktion 2, ", 0), 0u) << was;
    static_cast<std::vector<double> *>(kontext)->push_back(anteil);
}

TEST(StudieFortschritt, SharesRiseFromZeroAndStayBelowOne) {
    std::vector<double> anteile;
    studie_fortschritt rueckruf = {anteil_merken, &anteile};
    studie_durchfuehren(2, {200, 400}, 0, SPALTEN_POLYNOME, &rueckruf);
    ASSERT_FALSE(anteile.empty());
    EXPECT_EQ(anteile.front(), 0.0);
    for (std::size_t i = 1; i < anteile.size(); ++i)
        EXPECT_GE(anteile[i], anteile[i - 1]);
    EXPECT_LE(anteile.back(), 1.0);
    // The last column at the last n starts past the middle: the shares are
    // weighted by cost, and n = 400 costs four times n = 200.
    EXPECT_GT(anteile.back(), 0.8);
}

// Shares of any problem, in order.
void anteil_anhaengen(void *kontext, const char *, double anteil) {
    static_cast<std::vector<double> *>(kontext)->push_back(anteil);
}

TEST(StudieFaeden, TwoThreadsShareEvenOneColumnWithTheFiguresOfOne) {
    // 40001 grid points: every global form's column is measured in three
    // pieces of its grid, on two threads at once; Newton-a at n = 300 on
    // Runge's function is far off, Newton-t and Bary-t at rounding level.
    studie ergebnis[2];
    std::vector<double> anteile;
    studie_fortschritt rueckruf = {anteil_anhaengen, &anteile};
    const int vorher = zahl_faeden_setzen(2);
    for (int faeden : {1, 2}) {
        zahl_faeden_setzen(faeden);
        ergebnis[faeden - 1] = studie_durchfuehren(4, {30, 300}, 40001, SPALTEN_ALLE,
                                                   faeden == 2 ? &rueckruf : nullptr);
    }
    zahl_faeden_setzen(vorher);
    ASSERT_EQ(ergebnis[0].werte.size(), ergebnis[1].werte.size());
    for (std::size_t k = 0; k < ergebnis[0].werte.size(); ++k)
        for (std::size_t j = 0; j < ergebnis[0].spalten.size(); ++j) {
            const messwert &eins = ergebnis[0].werte[k][j];
            const messwert &zwei = ergebnis[1].werte[k][j];
            EXPECT_EQ(eins.berechnet, zwei.berechnet) << ergebnis[0].spalten[j]->spalte;
            EXPECT_EQ(std::memcmp(&eins.fehler, &zwei.fehler, sizeof(double)), 0)
                << ergebnis[0].spalten[j]->spalte << " n = " << ergebnis[0].n[k] << ": "
                << eins.fehler << " gegen " << zwei.fehler;
        }
    // Only the caller's thread reports, and its shares still only rise.
    ASSERT_FALSE(anteile.empty());
    for (std::size_t i = 1; i < anteile.size(); ++i)
        EXPECT_GE(anteile[i], anteile[i - 1]);
    EXPECT_LE(anteile.back(), 1.0);
}

namespace {

// A problem whose values come through the hook: Runge's function, each
// call counted with the thread it came from; a call may be made to fail.
struct haken_protokoll {
    int aufrufe = 0;
    std::size_t punkte = 0;
    int einzeln = 0;
    int scheitern_bei = -1;
    std::vector<std::thread::id> faeden;
};

void runge_gesammelt(const void *kontext, const double *x, double *y, std::size_t anzahl) {
    auto *p = static_cast<haken_protokoll *>(const_cast<void *>(kontext));
    if (p->aufrufe++ == p->scheitern_bei) throw std::runtime_error("Haken scheitert");
    p->punkte += anzahl;
    p->faeden.push_back(std::this_thread::get_id());
    for (std::size_t i = 0; i < anzahl; ++i)
        y[i] = beispiel_f(&funktion[3], x[i]);
}

double runge_einzeln(const void *kontext, double x) {
    ++static_cast<haken_protokoll *>(const_cast<void *>(kontext))->einzeln;
    return beispiel_f(&funktion[3], x);
}

TEST(StudieHaken, EveryValueInOneCallPerGridAndNodeSetFromTheCallingThread) {
    // On two threads a study of closed forms measures the long global
    // columns in pieces; with the hook it asks for f only from the caller's
    // thread, once for each row's grid and once for each kind's nodes, and
    // measures the same figures to the bit.
    haken_protokoll protokoll;
    beispielfunktion haken = funktion[3];
    haken.f = runge_einzeln;
    haken.kontext = &protokoll;
    haken.werte = runge_gesammelt;
    const std::vector<const methode *> spalten = spalten_waehlen(funktion[3], SPALTEN_ALLE);
    const int vorher = zahl_faeden_setzen(2);
    const studie geschlossen = studie_durchfuehren(funktion[3], 4, {30, 300}, 40001, spalten);
    const studie gesammelt = studie_durchfuehren(haken, 4, {30, 300}, 40001, spalten);
    zahl_faeden_setzen(vorher);
    for (std::size_t k = 0; k < 2; ++k)
        for (std::size_t j = 0; j < spalten.size(); ++j)
            EXPECT_EQ(std::memcmp(&geschlossen.werte[k][j].fehler, &gesammelt.werte[k][j].fehler,
                                  sizeof(double)),
                      0)
                << spalten[j]->spalte << " n = " << gesammelt.n[k];
    EXPECT_EQ(gesammelt.f_groesste, geschlossen.f_groesste);
    // Per row the grid and the nodes of the three kinds: 40001 + 3 (n + 1);
    // at n = 30 AAA's sample as well, the grid of that n (1001 points).
    EXPECT_EQ(protokoll.aufrufe, 9);
    EXPECT_EQ(protokoll.punkte, 2u * 40001 + 3u * 31 + 3u * 301 + 1001u);
    EXPECT_EQ(protokoll.einzeln, 0);
    for (std::thread::id faden : protokoll.faeden)
        EXPECT_EQ(faden, std::this_thread::get_id());
    // A hook that fails ends the study by its exception, every object made
    // so far released (the sanitizer build's leak check).
    haken_protokoll scheitert;
    scheitert.scheitern_bei = 2;
    haken.kontext = &scheitert;
    EXPECT_THROW(studie_durchfuehren(haken, 4, {30, 300}, 40001, spalten), std::runtime_error);
}

} // namespace
