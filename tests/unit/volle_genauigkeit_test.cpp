// The double key lines of the interpolation texts follow the process's
// number form: six decimals by default (the bytes of "%lf"), 17 significant
// digits in full precision, and then a stored object loads back with the
// very same nodes, values and end conditions.
#include "numerik/baryzipl.h"
#include "numerik/newtnipl.h"
#include "numerik/zahlen.h"
#include "spline_hilfen.h"

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Sets the number form for one test and restores the default afterwards.
class zahlform {
  public:
    explicit zahlform(int form) { zahl_form_setzen(form); }
    ~zahlform() { zahl_form_setzen(ZAHL_FORM_F); }
    zahlform(const zahlform &) = delete;
    zahlform &operator=(const zahlform &) = delete;
};

std::string siebzehn(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

std::vector<std::uint64_t> bits(const std::vector<double> &werte) {
    std::vector<std::uint64_t> ergebnis;
    for (double x : werte)
        ergebnis.push_back(std::bit_cast<std::uint64_t>(x));
    return ergebnis;
}

objekt *geladen(const std::string &text) {
    textquelle ein(text);
    return interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
}

// Stores, loads and stores again: the same text, the same nodes and values
// to the bit, and the same values of the interpolant.
void hin_und_zurueck(objekt *ip) {
    std::string text = gespeichert(ip);
    objekt *neu = geladen(text);
    EXPECT_EQ(gespeichert(neu), text);
    EXPECT_EQ(bits(spalte(neu, 0)), bits(spalte(ip, 0)));
    EXPECT_EQ(bits(spalte(neu, 1)), bits(spalte(ip, 1)));
    for (double x : {-2.9, -0.123456789, 0.7, 3.0})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(wert(neu, x)),
                  std::bit_cast<std::uint64_t>(wert(ip, x)))
            << x;
    spline_frei(neu);
}

const double A = -3.14159265;
const double B = 3.1;
const std::vector<double> WERTE = {1.0 / 3.0, -2.0 / 7.0, 0.1, 5.5e-12, 2.0 / 3.0};

TEST(VolleGenauigkeit, PolynomialKeyLines) {
    zahlform voll(ZAHL_FORM_VOLL);
    for (klasse *art : {&newton_interpolation, &baryzentrische_interpolation}) {
        objekt *y = vektor_aus(WERTE);
        newtoninterpolation_parameter pn = {"p", STUETZSTELLEN_TSCHEBYSCHEFF, nullptr, A, B, y, 0};
        baryzentrischeinterpolation_parameter pb = {"p", STUETZSTELLEN_TSCHEBYSCHEFF, nullptr, A, B,
                                                    y};
        objekt *ip = art == &newton_interpolation
                         ? interpolation_tabelle(art)->kreieren(&pn, nullptr)
                         : interpolation_tabelle(art)->kreieren(&pb, nullptr);
        nmmatrix_freigeben(y);
        std::string text = gespeichert(ip);
        EXPECT_NE(text.find("\nart = 2\na = " + siebzehn(A) + "\nb = " + siebzehn(B) + "\n"),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("\n" + siebzehn(1.0 / 3.0) + "\n"), std::string::npos);
        hin_und_zurueck(ip);
        spline_frei(ip);
    }
}

TEST(VolleGenauigkeit, SplineKeyLines) {
    zahlform voll(ZAHL_FORM_VOLL);
    splineauftrag auftrag;
    auftrag.a = A;
    auftrag.b = B;
    auftrag.werte = WERTE;
    auftrag.splineart = SPLINE_ABL2_GEGEBEN;
    auftrag.abl2links = -0.1234567890123;
    auftrag.abl2rechts = 1e-9 / 3.0;
    objekt *s = spline_aus(auftrag);
    std::string text = gespeichert(s);
    EXPECT_NE(text.find("a = " + siebzehn(A) + "\nb = " + siebzehn(B) + "\nsplineart = 0\n" +
                        "abl2links = " + siebzehn(auftrag.abl2links) +
                        "\nabl2rechts = " + siebzehn(auftrag.abl2rechts) + "\n"),
              std::string::npos)
        << text;
    hin_und_zurueck(s);
    spline_frei(s);

    // Three nodes, periodic: continued to five, the user's interval kept.
    splineauftrag periodisch;
    periodisch.a = A;
    periodisch.b = B;
    periodisch.werte = {0.25, -1.0 / 3.0, 0.25};
    periodisch.splineart = SPLINE_PERIODISCH;
    testing::internal::CaptureStderr(); // the continuation's notice
    objekt *p = spline_aus(periodisch);
    testing::internal::GetCapturedStderr();
    text = gespeichert(p);
    EXPECT_NE(text.find("a_benutzer = " + siebzehn(A) + "\nb_benutzer = " + siebzehn(B) + "\n"),
              std::string::npos)
        << text;
    spline_frei(p);
}

TEST(VolleGenauigkeit, DefaultFormKeepsSixDecimals) {
    objekt *y = vektor_aus(WERTE);
    baryzentrischeinterpolation_parameter pb = {"p", STUETZSTELLEN_AEQUIDISTANT, nullptr, A, B, y};
    objekt *ip = baryzentrischeinterpolation_kreieren(&pb, nullptr);
    nmmatrix_freigeben(y);
    EXPECT_EQ(gespeichert(ip), "BARYZENTRISCHE_INTERPOLATION: p\nart = 1\na = -3.141593\n"
                               "b = 3.100000\nNM_MATRIX: Stuetzwerte\nn = 5\nm = 1\n0.333333\n"
                               "-0.285714\n0.100000\n0.000000\n0.666667\n");
    spline_frei(ip);
}

} // namespace
