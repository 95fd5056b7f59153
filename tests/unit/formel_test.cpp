// Functions given by a formula: the example problems read from their
// formula text give the doubles of their closed forms and the same study;
// the difference derivatives against the closed forms; every kind of
// unreadable formula ends with its message.
#include "numerik/formel.h"
#include "numerik/studie.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using formel_zeiger = std::unique_ptr<formelfunktion, void (*)(formelfunktion *)>;

formel_zeiger formel_von(const beispielfunktion &p) {
    return formel_zeiger(formel_erzeugen(p.formel, p.a, p.b), formel_freigeben);
}

TEST(Formel, ExampleFormulasGiveTheDoublesOfTheClosedForms) {
    for (int m = 1; m <= funktion_anzahl; ++m) {
        const beispielfunktion &p = funktion[m - 1];
        formel_zeiger f = formel_von(p);
        for (int i = 0; i <= 1000; ++i) {
            double x = aequidistanter_punkt(i, 1000, p.a, p.b);
            EXPECT_EQ(formel_wert(f.get(), x), beispiel_f(&p, x)) << "m=" << m << " x=" << x;
        }
    }
}

// The study of a formula is the study of its example row: bit for bit in
// every column that uses only f; the splines with f' or f'' at the ends
// take them from the differences, to about 1e-10, which moves their
// figures by far less than the three digits printed.
TEST(Formel, ExampleFormulasReproduceTheirStudy) {
    const std::vector<int> n_liste = {4, 16, 64};
    for (int m = 1; m <= funktion_anzahl; ++m) {
        formel_zeiger f = formel_von(funktion[m - 1]);
        const beispielfunktion problem = formel_als_funktion(f.get());
        studie beispiel = studie_durchfuehren(m, n_liste, 0, SPALTEN_ALLE);
        studie formel = studie_durchfuehren(problem, FORMEL_PROBLEM, n_liste, 0, SPALTEN_ALLE);
        ASSERT_EQ(formel.spalten, beispiel.spalten) << "m=" << m;
        EXPECT_EQ(formel.f_groesste, beispiel.f_groesste);
        for (std::size_t k = 0; k < n_liste.size(); ++k)
            for (std::size_t j = 0; j < beispiel.spalten.size(); ++j) {
                double e = beispiel.werte[k][j].fehler;
                double g = formel.werte[k][j].fehler;
                if (beispiel.spalten[j]->abl2)
                    EXPECT_NEAR(g, e, 1e-6 * e + 1e-12)
                        << "m=" << m << " " << beispiel.spalten[j]->spalte;
                else
                    EXPECT_EQ(g, e) << "m=" << m << " " << beispiel.spalten[j]->spalte;
            }
        // The tables differ in the title line only.
        std::string a = studie_text(beispiel);
        std::string b = studie_text(formel);
        EXPECT_EQ(b.substr(0, b.find('\n')), std::string("Formel: ") + funktion[m - 1].formel);
        EXPECT_EQ(a.substr(a.find('\n')), b.substr(b.find('\n'))) << "m=" << m;
    }
}

// The eighth-order differences against the closed forms at 41 points of
// each interval, relative to the largest |f'| (|f''|) there; |x| only away
// from its kink, where no derivative exists.
TEST(Formel, DerivativesAgainstClosedForms) {
    for (int m = 1; m <= funktion_anzahl; ++m) {
        const beispielfunktion &p = funktion[m - 1];
        formel_zeiger f = formel_von(p);
        double s1 = 0.0, s2 = 0.0;
        for (int i = 0; i <= 40; ++i) {
            double x = aequidistanter_punkt(i, 40, p.a, p.b);
            s1 = std::fmax(s1, std::fabs(beispiel_abl1(&p, x)));
            s2 = std::fmax(s2, std::fabs(beispiel_abl2(&p, x)));
        }
        s2 = std::fmax(s2, 1.0); // |x|: f'' is 0 everywhere it exists
        for (int i = 0; i <= 40; ++i) {
            double x = aequidistanter_punkt(i, 40, p.a, p.b);
            if (m == 3 && std::fabs(x) < 0.1) continue;
            EXPECT_NEAR(formel_abl1(f.get(), x), beispiel_abl1(&p, x), 1e-8 * s1)
                << "m=" << m << " x=" << x;
            EXPECT_NEAR(formel_abl2(f.get(), x), beispiel_abl2(&p, x), 1e-8 * s2)
                << "m=" << m << " x=" << x;
        }
    }
}

// Polynomials up to degree 8 have no truncation error in the eighth-order
// stencil: only rounding is left.
TEST(Formel, DerivativesOfAPolynomialAndTheConstants) {
    formel_zeiger f(formel_erzeugen("x^5 - 3*x^2 + pi", -2.0, 3.0), formel_freigeben);
    for (double x : {-2.0, -0.5, 0.0, 1.25, 3.0}) {
        EXPECT_NEAR(formel_abl1(f.get(), x), 5 * std::pow(x, 4) - 6 * x, 1e-9 * 405);
        EXPECT_NEAR(formel_abl2(f.get(), x), 20 * std::pow(x, 3) - 6, 1e-9 * 540);
    }
    EXPECT_EQ(formel_wert(f.get(), 0.0), M_PI);
    formel_zeiger g(formel_erzeugen("_pi - pi + _e", 0.0, 1.0), formel_freigeben);
    EXPECT_EQ(formel_wert(g.get(), 0.5), M_E);
}

TEST(Formel, ShapeCarriesTextIntervalAndName) {
    formel_zeiger f(formel_erzeugen("x/2", -1.0, 4.0), formel_freigeben);
    beispielfunktion p = formel_als_funktion(f.get());
    EXPECT_STREQ(p.formel, "x/2");
    EXPECT_STREQ(p.name, "Formel");
    EXPECT_STREQ(formel_text(f.get()), "x/2");
    EXPECT_EQ(p.a, -1.0);
    EXPECT_EQ(p.b, 4.0);
    EXPECT_EQ(beispiel_f(&p, 3.0), 1.5);
    EXPECT_NEAR(beispiel_abl1(&p, 3.0), 0.5, 1e-12);
    EXPECT_NEAR(beispiel_abl2(&p, 3.0), 0.0, 1e-9);
}

TEST(FormelDeathTest, UnreadableFormulasNamePositionAndToken) {
    auto liest = [](const char *text) { formel_erzeugen(text, 0.0, 1.0); };
    EXPECT_EXIT(liest("1/(1+x^"), testing::ExitedWithCode(1),
                "^Formel \"1/\\(1\\+x\\^\": Zeile endet nach \"\\^\" \\(Position 7\\)\\.\n$");
    EXPECT_EXIT(liest("x*"), testing::ExitedWithCode(1),
                "^Formel \"x\\*\": Zeile endet nach \"\\*\" \\(Position 2\\)\\.\n$");
    EXPECT_EXIT(
        liest("cosh(x) + sinx"), testing::ExitedWithCode(1),
        "^Formel \"cosh\\(x\\) \\+ sinx\": unbekannter Name \"sinx\" \\(Position 11\\)\\.\n$");
    EXPECT_EXIT(
        liest("exp((x)"), testing::ExitedWithCode(1),
        "^Formel \"exp\\(\\(x\\)\": Klammer nicht geschlossen bis zum Ende \\(Position 7\\)\\.\n$");
    EXPECT_EXIT(liest("x)"), testing::ExitedWithCode(1),
                "^Formel \"x\\)\": unerwartete Klammer \"\\)\" \\(Position 2\\)\\.\n$");
    EXPECT_EXIT(liest("   "), testing::ExitedWithCode(1), "^Formel \"   \": Formel ist leer\\.\n$");
    EXPECT_EXIT(liest("min()"), testing::ExitedWithCode(1),
                "^Formel \"min\\(\\)\": zu wenige Argumente fuer \"min\" \\(Position 5\\)\\.\n$");
    // Bytes outside printable ASCII are shown as '?'.
    EXPECT_EXIT(liest("x\xc3\xa4"), testing::ExitedWithCode(1), "^Formel \"x\\?\\?\": ");
}

TEST(FormelDeathTest, IntervalAndValuesThatAreNotFinite) {
    EXPECT_EXIT(formel_erzeugen("x", 1.0, 1.0), testing::ExitedWithCode(1),
                "^Intervall \\[1.000000,1.000000\\] numerisch zu klein oder ungueltig\\.\n$");
    EXPECT_EXIT(formel_erzeugen("x", -INFINITY, 1.0), testing::ExitedWithCode(1),
                "^Intervall \\[-inf,1\\] nicht endlich\\.\n$");
    EXPECT_EXIT(formel_erzeugen("x", 0.0, NAN), testing::ExitedWithCode(1), "nicht endlich");
    formel_zeiger f(formel_erzeugen("sqrt(x)", -1.0, 1.0), formel_freigeben);
    beispielfunktion p = formel_als_funktion(f.get());
    EXPECT_TRUE(std::isnan(formel_wert(f.get(), -0.25)));
    EXPECT_EXIT(beispiel_f(&p, -0.25), testing::ExitedWithCode(1),
                "^Formel \"sqrt\\(x\\)\": kein endlicher Wert bei x = -0.25\\.\n$");
    // At 0 the stencil reaches below 0 at every step: no finite estimate.
    EXPECT_EXIT(beispiel_abl1(&p, 0.0), testing::ExitedWithCode(1),
                "^Formel \"sqrt\\(x\\)\": kein endlicher Wert f'\\(x\\) bei x = 0\\.\n$");
}

// The estimate of a run's time: a closed form costs no time of f's own,
// and a short run is put at the cost model's speed without a probe (the
// same figure every time); a formula's values are timed on the formula
// itself, so one of 400 terms weighs far more than one of a single term
// (some 400 times; 20 allows for a busy machine).  The probe leaves no
// warning behind.
TEST(Formel, TimeOfARunFromTheFormulasOwnValues) {
    const std::vector<int> n_liste = {2, 4, 8};
    studie_zeit z = studie_zeit_schaetzen(funktion[3], 0, 0, 3e8, n_liste, 0);
    EXPECT_EQ(z.formel_sekunden, 0.0);
    EXPECT_EQ(z.sekunden, 3e8 / STUDIE_OPERATIONEN_JE_SEKUNDE);
    std::string lang = "0";
    for (int i = 1; i <= 400; ++i)
        lang += "+sin(x*" + std::to_string(i) + ")/" + std::to_string(i);
    formel_zeiger kurz(formel_erzeugen("sin(x)", -1.0, 1.0), formel_freigeben);
    formel_zeiger lange(formel_erzeugen(lang.c_str(), -1.0, 1.0), formel_freigeben);
    studie_zeit zk = studie_zeit_schaetzen(formel_als_funktion(kurz.get()), 0, 0, 1e6, n_liste, 0);
    studie_zeit zl = studie_zeit_schaetzen(formel_als_funktion(lange.get()), 0, 0, 1e6, n_liste, 0);
    EXPECT_GT(zk.formel_sekunden, 0.0);
    EXPECT_GE(zk.sekunden, zk.formel_sekunden);
    EXPECT_GT(zl.formel_sekunden, 20.0 * zk.formel_sekunden);
    // A run worth a probe: the columns' time is measured, a figure > 0.
    testing::internal::CaptureStderr();
    studie_zeit zp = studie_zeit_schaetzen(funktion[3], 0, 0, 1e12, n_liste, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_GT(zp.sekunden, 0.0);
    EXPECT_TRUE(std::isfinite(zp.sekunden));
}

// Values near DBL_MAX: f(x+kh) + f(x-kh) overflows in the difference,
// though every value and the derivative are finite.  For a line the
// eighth-order differences are exact up to rounding of the values.
TEST(Formel, DerivativesWhereTheSumsOfValuesOverflow) {
    formel_zeiger f(formel_erzeugen("x/2", 1e308, 1.7e308), formel_freigeben);
    EXPECT_NEAR(formel_abl1(f.get(), 1e308), 0.5, 1e-12);
    EXPECT_NEAR(formel_abl2(f.get(), 1e308), 0.0, 1e-12);
    EXPECT_NEAR(formel_abl2(f.get(), 1.7e308), 0.0, 1e-12);
    // f'' = 2e-300 of x^2 * 1e-300 (values up to 2.9e16 near 1.7e308).
    formel_zeiger g(formel_erzeugen("x*1e-300*x", 1e154, 1.3e154), formel_freigeben);
    EXPECT_NEAR(formel_abl2(g.get(), 1.2e154) / 2e-300, 1.0, 1e-9);
}

// What muparser would read other than written is refused before it reads:
// assignments, control bytes (it skips 0x01-0x20 as spaces), numbers out
// of the double range; a long formula and a long token are quoted to 60
// characters.  Comparisons and tabs stay allowed.
TEST(FormelDeathTest, TextsReadOnlyAsWritten) {
    auto liest = [](const char *text) { formel_erzeugen(text, 0.0, 1.0); };
    EXPECT_EXIT(liest("x=1"), testing::ExitedWithCode(1),
                "^Formel \"x=1\": Zuweisung \"=\" nicht erlaubt, die Formel darf x nicht "
                "aendern \\(Position 2\\)\\.\n$");
    for (const char *zuweisung : {"x+=1", "x-=1", "x*=2", "x/=2"})
        EXPECT_EXIT(liest(zuweisung), testing::ExitedWithCode(1), "Zuweisung \"..\" nicht erlaubt")
            << zuweisung;
    EXPECT_EXIT(liest("x\x01*2"), testing::ExitedWithCode(1),
                "^Formel \"x\\?\\*2\": Zeichen 0x01 nicht erlaubt, nur druckbare ASCII-Zeichen, "
                "Leerzeichen und Tabulator \\(Position 2\\)\\.\n$");
    EXPECT_EXIT(liest("x\r"), testing::ExitedWithCode(1), "Zeichen 0x0D nicht erlaubt");
    EXPECT_EXIT(liest("2*1e309"), testing::ExitedWithCode(1),
                "^Formel \"2\\*1e309\": Zahl \"1e309\" zu gross, groesser als 1\\.79769e\\+308 "
                "\\(Position 3\\)\\.\n$");
    EXPECT_EXIT(liest("x+.5e-400"), testing::ExitedWithCode(1),
                "Zahl \".5e-400\" zu klein, ungleich 0 und kleiner als 4\\.94066e-324");
    const std::string lang = "x" + std::string(100000, '+') + "x";
    EXPECT_EXIT(liest(lang.c_str()), testing::ExitedWithCode(1),
                "^Formel \"x\\+{59}\\.\\.\\.\": [^\n]{1,200}\n$");
    const std::string name = "x+" + std::string(3000, 'a');
    EXPECT_EXIT(liest(name.c_str()), testing::ExitedWithCode(1),
                "unbekannter Name \"a{60}\\.\\.\\.\" \\(Position 3\\)");
    // Not refused: what compares, a subnormal number, 0 written long.
    formel_zeiger f(formel_erzeugen("(x>=0.5)\t+(x!=1)+(x==0)+(x<=0)+1e-310*0+0.0e-999", 0.0, 1.0),
                    formel_freigeben);
    EXPECT_EQ(formel_wert(f.get(), 0.0), 3.0);
    EXPECT_EQ(formel_wert(f.get(), 0.5), 2.0);
    EXPECT_EQ(formel_wert(f.get(), 1.0), 1.0);
}

} // namespace
