// The study's befund: the rounding floor against the errors of exact
// arithmetic (tests/erwartet/rundungsboden.py), the geometric rate of
// Runge's function on Chebyshev points against its poles, the rows a rate
// is fitted over and the power lines on figures made by hand, the words of
// the plot key, and the JSON text.
#include "numerik/befund.h"

#include "numerik/knotenarten.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const methode *spalte_namens(const std::string &spalte) {
    const methode *me = methode_suchen(spalte.c_str());
    EXPECT_NE(me, nullptr) << spalte;
    return me;
}

// A study of the columns spalten with the figures given, one row per n; a
// NaN figure is one not computed.
studie gemacht(const std::vector<std::string> &spalten, const std::vector<int> &n,
               const std::vector<std::vector<double>> &zahlen, double f_groesste = 1.0) {
    studie s;
    s.m = 4;
    s.problem = funktion[3];
    s.f_groesste = f_groesste;
    s.n = n;
    for (const std::string &name : spalten)
        s.spalten.push_back(spalte_namens(name));
    for (std::size_t k = 0; k < n.size(); ++k) {
        s.gitter.push_back(gitterpunkte_fuer(n[k]));
        std::vector<messwert> zeile;
        for (double e : zahlen[k])
            zeile.push_back({std::isnan(e) ? 0.0 : e, !std::isnan(e)});
        s.werte.push_back(zeile);
    }
    return s;
}

std::vector<int> zeilen_n(const studie &s, const std::vector<std::size_t> &zeilen) {
    std::vector<int> n;
    for (std::size_t k : zeilen)
        n.push_back(s.n[k]);
    return n;
}

TEST(Befund, RoundingFloorLiesAboveTheRoundingOfEachFigure) {
    // The figures of exact arithmetic (rundungsboden.py, 40 digits; 0 where
    // the script bounds them below 1e-25) for the polynomial on the
    // Chebyshev points of both kinds.  What the library's figure differs
    // by is rounding; the floor must lie above it, or a fit would take
    // rounding for convergence.
    struct fall {
        int m;
        const char *spalte;
        std::vector<double> exakt; // n = 16, 32, ..., 2048
    };
    const std::vector<fall> faelle = {
        {1, "Bary-t", {2.1195604076533669e-11, 0, 0, 0, 0, 0, 0, 0}},
        {1, "Bary-t1", {1.0727107733606806e-11, 0, 0, 0, 0, 0, 0, 0}},
        {2, "Bary-t", {0.00047607712195923228, 9.2333162272533881e-16, 0, 0, 0, 0, 0, 0}},
        {2, "Bary-t1", {0.00025506506502408393, 4.7053715242219858e-16, 0, 0, 0, 0, 0, 0}},
        {4,
         "Bary-t",
         {0.17169835123801106, 0.027290622764254119, 0.00081289651609876133, 6.7422828433229273e-7,
          4.6323843424618419e-13, 2.180063836053745e-25, 0, 0}},
        {4,
         "Bary-t1",
         {0.15345261345322504, 0.025023195215467752, 0.00073840420207632676, 6.1347418484029435e-7,
          4.1942361892703419e-13, 1.973815245821162e-25, 0, 0}},
    };
    const std::vector<int> n = {16, 32, 64, 128, 256, 512, 1024, 2048};
    for (const fall &f : faelle) {
        const studie s =
            studie_durchfuehren(funktion[f.m - 1], f.m, n, 0, {spalte_namens(f.spalte)});
        const befund b = studie_befund(s);
        for (std::size_t k = 0; k < n.size(); ++k) {
            const double rundung = std::fabs(s.werte[k][0].fehler - f.exakt[k]);
            const double boden = b.zellen[k][0].rundungsboden;
            EXPECT_LT(rundung, boden) << f.spalte << ", Problem " << f.m << ", n = " << n[k];
            // The floor is u Lambda_n max|f| K, with Lambda_n below the
            // bound (2/pi) ln(n+1) + 1.
            EXPECT_LE(boden, std::ldexp(1.0, -53) * (2.0 / M_PI * std::log(n[k] + 1.0) + 1.0) *
                                 s.f_groesste * RUNDUNGSFAKTOR);
        }
    }
}

TEST(Befund, RateOfRungesFunctionOnChebyshevPoints) {
    // 1/(1+x^2) on [-9, 9] has its poles at +-i, on the Bernstein ellipse
    // of parameter 1/9 + sqrt(1 + 1/81): the polynomial on Chebyshev
    // points converges like C rho^-n with that rho.
    const double rho = 1.0 / 9.0 + std::sqrt(1.0 + 1.0 / 81.0);
    struct fall {
        std::vector<int> n;
        std::vector<int> zeilen;
    };
    // Fitted over the last two doublings above the floor: up to 64, and up
    // to 256 where 512 and 1024 lie at rounding (exact error 2e-25 at 512).
    for (const fall &f : {fall{{2, 4, 8, 16, 32, 64}, {16, 32, 64}},
                          fall{{2, 4, 8, 16, 32, 64, 128, 256, 512, 1024}, {64, 128, 256}}}) {
        for (int wahl : {SPALTEN_UEBERSICHT, SPALTEN_ALLE}) {
            const studie s = studie_durchfuehren(4, f.n, 0, wahl);
            const befund b = studie_befund(s);
            ASSERT_GE(b.bezug_geometrisch, 0);
            const auto j = static_cast<std::size_t>(b.bezug_geometrisch);
            EXPECT_STREQ(s.spalten[j]->spalte, "Bary-t");
            const befund_spalte &sp = b.spalten[j];
            EXPECT_NEAR(sp.rho / rho, 1.0, 0.01) << f.n.back();
            EXPECT_EQ(zeilen_n(s, sp.bezugszeilen), f.zeilen);
            // Every Chebyshev polynomial column that has a fit has it
            // within 1 percent; Newton-t stops at 32, where its marks begin.
            // The polynomial in both forms on the points of both kinds; not
            // the rational form, which converges like a power of n.
            std::vector<std::string> geometrisch;
            for (std::size_t i = 0; i < s.spalten.size(); ++i) {
                if (b.spalten[i].bezugsart != BEZUG_GEOMETRISCH) continue;
                geometrisch.push_back(s.spalten[i]->spalte);
                EXPECT_NEAR(b.spalten[i].rho / rho, 1.0, 0.01) << s.spalten[i]->spalte;
            }
            if (wahl == SPALTEN_ALLE) {
                EXPECT_EQ(geometrisch,
                          (std::vector<std::string>{"Newton-t", "Bary-t", "Leja-t", "Bary-t1"}));
            }
            // The line is C rho^-n at every n.
            ASSERT_EQ(sp.bezug.size(), 1u);
            for (std::size_t k = 0; k < s.n.size(); ++k)
                EXPECT_DOUBLE_EQ(sp.bezug[0].werte[k], sp.c * std::pow(sp.rho, -s.n[k]));
        }
    }
}

TEST(Befund, FitSkipsRowsBeforeTheGeometricRunAndBelowTheFloor) {
    // Bary-t with e = 0.3 * 1.25^-n from n = 8 to 128, before it figures
    // that have not settled, after it one below the floor (1e-15 at
    // n = 256, where u Lambda K is 3e-14) and one of rounding above it that
    // rises (1e-12).  Fitted over 32, 64, 128: exactly 1.25 and 0.3.
    auto e = [](int n) { return 0.3 * std::pow(1.25, -n); };
    const studie s =
        gemacht({"Bary-t"}, {2, 4, 8, 16, 32, 64, 128, 256, 512},
                {{0.9}, {0.8}, {e(8)}, {e(16)}, {e(32)}, {e(64)}, {e(128)}, {1e-15}, {1e-12}});
    const befund b = studie_befund(s);
    const befund_spalte &sp = b.spalten[0];
    EXPECT_EQ(zeilen_n(s, sp.bezugszeilen), (std::vector<int>{32, 64, 128}));
    EXPECT_NEAR(sp.rho, 1.25, 1e-12);
    EXPECT_NEAR(sp.c, 0.3, 1e-9);
    EXPECT_EQ(b.bezug_geometrisch, 0);
    // A rise inside the last doublings ends the run there: fitted over
    // 32 and 64 alone.
    const studie t = gemacht({"Bary-t"}, {8, 16, 32, 64}, {{1e-2}, {1e-3}, {2e-3}, {1e-6}});
    const befund tb = studie_befund(t);
    const befund_spalte &tp = tb.spalten[0];
    EXPECT_EQ(zeilen_n(t, tp.bezugszeilen), (std::vector<int>{32, 64}));
    EXPECT_NEAR(tp.rho, std::pow(2e-3 / 1e-6, 1.0 / 32.0), 1e-12);
    // Marked, coarse or capped rows never count; with one row left there
    // is no rate.
    studie u =
        gemacht({"Newton-t", "Bary-t"}, {8, 16, 32}, {{1e-2, 1e-2}, {5.0, 1e-4}, {1e-6, 1e-6}});
    u.gitter[2] = 101;
    const befund ub = studie_befund(u);
    EXPECT_TRUE(std::isnan(ub.spalten[0].rho));
    EXPECT_TRUE(ub.spalten[0].bezug.empty());
    EXPECT_EQ(zeilen_n(u, ub.spalten[1].bezugszeilen), (std::vector<int>{8, 16}));
    EXPECT_EQ(ub.bezug_geometrisch, 1);
}

TEST(Befund, PowerLinesThroughTheLastConvergingFigureOfTheFirstSpline) {
    // nat.Sp-a converges up to 32; its figure at 64 is marked coarse, so
    // the lines run through (32, 1e-5): C n^-p = 1e-5 (32/n)^p.
    studie s =
        gemacht({"Bary-t", "nat.Sp-a", "nat.Sp-t"}, {8, 16, 32, 64},
                {{1e-2, 3e-3, 1e-2}, {1e-4, 2e-4, 1e-3}, {1e-7, 1e-5, 1e-4}, {1e-9, 0.0, 1e-5}});
    s.gitter[3] = 301;
    const befund b = studie_befund(s);
    EXPECT_EQ(b.bezug_potenz, 1);
    const befund_spalte &sp = b.spalten[1];
    EXPECT_EQ(sp.bezugsart, BEZUG_POTENZ);
    EXPECT_EQ(zeilen_n(s, sp.bezugszeilen), (std::vector<int>{8, 16, 32}));
    ASSERT_EQ(sp.bezug.size(), 2u);
    EXPECT_EQ(sp.bezug[0].p, 2);
    EXPECT_EQ(sp.bezug[1].p, 4);
    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t k = 0; k < s.n.size(); ++k)
            EXPECT_DOUBLE_EQ(sp.bezug[i].werte[k], 1e-5 * std::pow(32.0 / s.n[k], sp.bezug[i].p));
    EXPECT_DOUBLE_EQ(sp.bezug[1].c, 1e-5 * std::pow(32.0, 4));
    // The first spline column without a converging figure: no lines, even
    // where a later one has them.
    const studie t =
        gemacht({"nat.Sp-a", "nat.Sp-t"}, {8, 16}, {{INFINITY, 1e-2}, {INFINITY, 1e-3}});
    const befund tb = studie_befund(t);
    EXPECT_EQ(tb.bezug_potenz, -1);
    EXPECT_EQ(tb.spalten[1].bezug.size(), 2u);
}

TEST(Befund, KeyWordsAsTheTableMarksThem) {
    // Newton-t above the ceiling with every such figure marked: Rundung;
    // Newton-a on Runge's function, whose poles lie in the Runge region of
    // equidistant nodes: divergiert (Runge); Bary-t converges.
    const studie s = gemacht({"Newton-a", "Newton-t", "Bary-t"}, {16, 32, 64},
                             {{0.5, 0.1, 0.5}, {30.0, 30.0, 0.01}, {1e4, NAN, 1e-3}});
    const befund b = studie_befund(s);
    EXPECT_DOUBLE_EQ(b.decke, 1.0);
    EXPECT_EQ(b.spalten[0].legende, "divergiert (Runge); gekappt");
    EXPECT_EQ(b.spalten[1].legende, "Rundung; gekappt");
    EXPECT_EQ(b.spalten[2].legende, "");
    EXPECT_TRUE(b.spalten[2].konvergiert);
    EXPECT_FALSE(b.zellen[0][1].rundung);
    EXPECT_TRUE(b.zellen[1][1].rundung);
    // Bary-t wandering at 1e-15, below its floor: rounding magnified by
    // Lambda_n; at 1e-11 it lies above the floor, and as the theory has
    // the exact interpolants converge, it only grows.
    const studie t = gemacht({"Bary-t", "nat.Sp-a"}, {16, 32}, {{1e-15, 1e-3}, {2e-15, 1e-4}});
    EXPECT_EQ(studie_befund(t).spalten[0].legende, "Rundung (Kondition \u039b_n)");
    const studie u = gemacht({"Bary-t", "nat.Sp-a"}, {16, 32}, {{1e-11, 1e-3}, {2e-11, 1e-4}});
    EXPECT_EQ(studie_befund(u).spalten[0].legende, "waechst; gekappt");
    // Orders from the row before, none in the first row or where a figure
    // is missing.
    EXPECT_TRUE(std::isnan(b.zellen[0][0].ordnung));
    EXPECT_DOUBLE_EQ(b.zellen[1][2].ordnung, std::log(50.0) / std::log(2.0));
    EXPECT_TRUE(std::isnan(b.zellen[2][1].ordnung));
}

TEST(Befund, JsonIsAsciiWithEveryDoubleAndNullForWhatIsNoNumber) {
    studie s = gemacht({"Newton-t", "Bary-t"}, {16, 32}, {{0.1, 0.1}, {NAN, 1.0 / 3.0}});
    s.m = FORMEL_PROBLEM;
    s.problem.formel = "x\xcf\x80\"\\\x01\xff";
    const std::string json = befund_json(s, studie_befund(s));
    for (char c : json)
        EXPECT_TRUE(c >= 0x20 && c < 0x7f) << static_cast<int>(static_cast<unsigned char>(c));
    // The formula's pi, quote, backslash, control character and a byte
    // that starts no character.
    EXPECT_NE(json.find("\"titel\":\"Formel: x\\u03c0\\\"\\\\\\u0001\\ufffd\""), std::string::npos)
        << json;
    // 1/3 reads back to itself; the figure not computed is null.
    const std::size_t stelle = json.find("\"fehler\":[0.10000000000000001,0.33333333333333331]");
    ASSERT_NE(stelle, std::string::npos) << json;
    EXPECT_EQ(std::strtod("0.33333333333333331", nullptr), 1.0 / 3.0);
    EXPECT_NE(json.find("\"fehler\":[0.10000000000000001,null]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"zellen\":[\"0.1\",\"-\"]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"bezug_geometrisch\":null"), std::string::npos) << json;
}

TEST(Befund, StudyOfAnotherShapeIsRefused) {
    studie s = gemacht({"Bary-t"}, {16, 32}, {{0.1}, {0.01}});
    s.werte.pop_back();
    EXPECT_EXIT(studie_befund(s), testing::ExitedWithCode(1),
                "Die Studie hat nicht fuer jedes n und jede Spalte eine Zahl.\n");
    const studie t = gemacht({"Bary-t"}, {16, 32}, {{0.1}, {0.01}});
    const befund b = studie_befund(gemacht({"Bary-t"}, {16}, {{0.1}}));
    EXPECT_EXIT(befund_json(t, b), testing::ExitedWithCode(1),
                "Der Befund gehoert nicht zu dieser Studie.\n");
}

} // namespace
