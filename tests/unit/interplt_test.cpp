// The interpolation cluster: slot order, its own header reader, the generic
// loader, the class query, node placement and the interval check.
#include "hilfen.h"
#include "numerik/knotenarten.h"
#include "numerik/interplt.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

objekt *spalte(int zeilen) {
    nmmatrix_parameter p = {zeilen, 1, "x", 1};
    return matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
}

double element(objekt *v, int i) {
    return matrix_tabelle(v)->amIndex(v, i, 1);
}

void frei(objekt *o) {
    if (o->funktionen == newton_interpolation.funktionen)
        interpolation_tabelle(o)->freigeben(o);
    else
        matrix_tabelle(o)->freigeben(o);
}

// A complete Newton text behind the given header line.
std::string newton_text(const std::string &kopf) {
    return kopf + "\nart = 1\na = 0\nb = 1\nNM_MATRIX: Stuetzwerte\nn = 1\nm = 1\n5\n";
}

std::string geladener_name(const std::string &text) {
    textquelle ein(text);
    objekt *ip = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
    std::string name = interpolation_tabelle(ip)->name(ip);
    frei(ip);
    return name;
}

void generisch_laden(const std::string &text) {
    textquelle ein(text);
    interpolation_laden(ein, nullptr);
}

TEST(InterpolationTabelle, SlotsInInterfaceOrder) {
    const void *const *slots =
        reinterpret_cast<const void *const *>(&newton_interpolationFunktionen);
    const void *erwartet[] = {
        reinterpret_cast<const void *>(newtoninterpolation_speichern),
        reinterpret_cast<const void *>(newtoninterpolation_laden),
        reinterpret_cast<const void *>(newtoninterpolation_freigeben),
        reinterpret_cast<const void *>(newtoninterpolation_kreieren),
        reinterpret_cast<const void *>(newtoninterpolation_funktionswert),
        reinterpret_cast<const void *>(newtoninterpolation_name),
        reinterpret_cast<const void *>(interpolation_klasse),
        reinterpret_cast<const void *>(newtoninterpolation_imVektor),
        reinterpret_cast<const void *>(newtoninterpolation_linkeGrenze),
        reinterpret_cast<const void *>(newtoninterpolation_rechteGrenze),
    };
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(slots[i], erwartet[i]) << "slot " << i;
    const void *const *allg = static_cast<const void *const *>(allg_interpolation.funktionen);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(allg[i] != nullptr, i == 1) << "slot " << i;
    EXPECT_EQ(allg[1], reinterpret_cast<const void *>(interpolation_laden));
    EXPECT_EQ(allg_interpolation.daten, nullptr);
    EXPECT_EQ(newton_interpolation.daten, nullptr);
    EXPECT_EQ(spline_interpolation.funktionen, &spline_interpolationFunktionen);
}

TEST(InterpolationKopfzeile, NamesFromTheHeaderLine) {
    EXPECT_EQ(geladener_name(newton_text("NEWTON_INTERPOLATION:p1")), "p1");
    EXPECT_EQ(geladener_name(newton_text("NEWTON_INTERPOLATION: \t p1")), "p1");
    EXPECT_EQ(geladener_name(newton_text("NEWTON_INTERPOLATION: p1  ")), "p1  ");
    EXPECT_EQ(geladener_name(newton_text("NEWTON_INTERPOLATION:a:b")), "a:b");
    EXPECT_EQ(geladener_name(newton_text("NEWTON_INTERPOLATION:")), "unbenannt");
    EXPECT_EQ(geladener_name(newton_text("NEWTON_INTERPOLATION:   ")), "unbenannt");
    // A name of 8000 characters fits the line buffer and is kept whole.
    std::string lang(8000, 'n');
    EXPECT_EQ(geladener_name(newton_text("NEWTON_INTERPOLATION: " + lang)), lang);
}

TEST(InterpolationKopfzeile, Messages) {
    EXPECT_EXIT(generisch_laden(""), testing::ExitedWithCode(1),
                "^Keine Daten fuer neue interpolation gefunden - EOF.\n$");
    EXPECT_EXIT(generisch_laden("NEWTON_INTERPOLATION p1\n"), testing::ExitedWithCode(1),
                "^Fehler in der Eingabe: <interpolationtyp>:\\[interpolationname\\] erwartet.\n$");
    EXPECT_EXIT(
        {
            textquelle ein(newton_text("SPLINE_INTERPOLATION: s"));
            newtoninterpolation_laden(ein, nullptr);
        },
        testing::ExitedWithCode(1), "^Dies ist keine NEWTON_INTERPOLATION interpolation!\n$");
    EXPECT_EXIT(
        {
            textquelle ein("NEWTON_INTERPOLATION: a\nNEWTON_INTERPOLATION: b\n");
            char typ[80] = "";
            interpolation_kopfzeile(ein, typ);
            typ[0] = '\0';
            interpolation_kopfzeile(ein, typ);
        },
        testing::ExitedWithCode(1), "^Fehler: Kopfzeile wurde bereits gelesen\n$");
}

TEST(InterpolationLaden, UnregisteredTypesNameObjectAndType) {
    const std::string rest = " kann nicht eingelesen werden, da dieser Typ nicht im "
                             "Klassenkluster registriert.n$";
    EXPECT_EXIT(generisch_laden("FOO:bar\n"), testing::ExitedWithCode(1),
                "^interpolation bar vom interpolationtyp FOO" + rest);
    // The type text is taken exactly, a leading blank included.
    EXPECT_EXIT(generisch_laden(newton_text(" NEWTON_INTERPOLATION: p")),
                testing::ExitedWithCode(1),
                "^interpolation p vom interpolationtyp  NEWTON_INTERPOLATION" + rest);
    EXPECT_EXIT(generisch_laden("NM_MATRIX: X-Werte\nn = 1\nm = 1\n0\n"),
                testing::ExitedWithCode(1),
                "^interpolation X-Werte vom interpolationtyp NM_MATRIX" + rest);
    // Too long for the type buffer: named whole, still unregistered.
    std::string lang = "NEWTON_INTERPOLATION" + std::string(100, 'X');
    EXPECT_EXIT(generisch_laden(lang + ":q\n"), testing::ExitedWithCode(1),
                "^interpolation q vom interpolationtyp " + lang + rest);
}

TEST(InterpolationKopfzeile, StateIndependentOfMatrixCluster) {
    // An interpolation header waits while the matrix cluster reads and
    // claims a header of its own, and the reverse.
    textquelle ip_ein("NEWTON_INTERPOLATION: p\n");
    textquelle m_ein("NM_MATRIX: M\nn = 1\nm = 1\n2.5\n");
    char typ[80] = "";
    interpolation_kopfzeile(ip_ein, typ);
    EXPECT_STREQ(typ, "NEWTON_INTERPOLATION");
    objekt *m = matrix_tabelle(&allg_matrix)->laden(m_ein, nullptr);
    EXPECT_STREQ(nmmatrix_name(m), "M");
    char newton_typ[] = "NEWTON_INTERPOLATION";
    // Claimed without reading: the stream is at its end already.
    EXPECT_STREQ(interpolation_kopfzeile(ip_ein, newton_typ), "p");
    frei(m);

    textquelle m2("NM_MATRIX: M2\n");
    textquelle ip2("NEWTON_INTERPOLATION: q\n");
    char mtyp[80] = "";
    matrix_kopfzeile(m2, mtyp);
    char ityp[80] = "";
    interpolation_kopfzeile(ip2, ityp);
    EXPECT_STREQ(interpolation_kopfzeile(ip2, ityp), "q");
    char nm_typ[] = "NM_MATRIX";
    EXPECT_STREQ(matrix_kopfzeile(m2, nm_typ), "M2");
}

TEST(InterpolationLaden, SeveralObjectsFromOneStream) {
    textquelle ein(newton_text("NEWTON_INTERPOLATION: a") + newton_text("NEWTON_INTERPOLATION: b") +
                   newton_text("NEWTON_INTERPOLATION: c"));
    objekt *a = interpolation_laden(ein, nullptr);
    objekt *b = newtoninterpolation_laden(ein, nullptr);
    objekt *c = interpolation_laden(ein, nullptr);
    EXPECT_STREQ(newtoninterpolation_name(a), "a");
    EXPECT_STREQ(newtoninterpolation_name(b), "b");
    EXPECT_STREQ(newtoninterpolation_name(c), "c");
    frei(a);
    frei(b);
    frei(c);
}

TEST(InterpolationLaden, DispatchesSplineTextToSplineClass) {
    // A spy in the spline descriptor's place: the loader hands it the stream
    // and zusatz, and the spy claims the waiting header line.
    static objekt ergebnis;
    static void *gesehener_zusatz;
    static std::string gesehener_name;
    interpolation_funktionen spion = spline_interpolationFunktionen;
    spion.laden = [](FILE *ein, void *zusatz) -> objekt * {
        char typ[] = "SPLINE_INTERPOLATION";
        gesehener_name = interpolation_kopfzeile(ein, typ);
        gesehener_zusatz = zusatz;
        return &ergebnis;
    };
    const void *alt = spline_interpolation.funktionen;
    spline_interpolation.funktionen = &spion;
    int marke = 0;
    textquelle ein("SPLINE_INTERPOLATION: s1\n");
    objekt *o = interpolation_laden(ein, &marke);
    spline_interpolation.funktionen = alt;
    EXPECT_EQ(o, &ergebnis);
    EXPECT_EQ(gesehener_name, "s1");
    EXPECT_EQ(gesehener_zusatz, &marke);
}

TEST(InterpolationKlasse, ByTableAddress) {
    textquelle ein(newton_text("NEWTON_INTERPOLATION: p"));
    objekt *p = interpolation_laden(ein, nullptr);
    EXPECT_EQ(interpolation_tabelle(p)->klasse(p), &newton_interpolation);
    frei(p);
    objekt spline = {spline_interpolation.funktionen, nullptr};
    EXPECT_EQ(interpolation_klasse(&spline), &spline_interpolation);
    // A table of the same content at another address is another class.
    static interpolation_funktionen fremd = newton_interpolationFunktionen;
    fremd.name = [](objekt *) -> const char * { return "fremd"; };
    objekt o = {&fremd, nullptr};
    EXPECT_EXIT(interpolation_klasse(&o), testing::ExitedWithCode(1),
                "^Fehler: undefiniertes Objekt fremd\n$");
}

TEST(Stuetzstellen, UnitIntervalWithFourIntervals) {
    objekt *x = spalte(5);
    stuetzstellen_platzieren(x, STUETZSTELLEN_AEQUIDISTANT, 4, 0.0, 1.0, "t");
    const double gleich[] = {0.0, 0.25, 0.5, 0.75, 1.0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(element(x, i + 1), gleich[i]);
    stuetzstellen_platzieren(x, STUETZSTELLEN_TSCHEBYSCHEFF, 4, 0.0, 1.0, "t");
    const double wurzel = std::sqrt(0.5); // cos(pi/4)
    EXPECT_EQ(element(x, 1), 0.0);
    EXPECT_DOUBLE_EQ(element(x, 2), (1.0 - wurzel) / 2.0);
    EXPECT_DOUBLE_EQ(element(x, 3), 0.5);
    EXPECT_DOUBLE_EQ(element(x, 4), (1.0 + wurzel) / 2.0);
    EXPECT_EQ(element(x, 5), 1.0);
    for (int i = 1; i < 5; ++i)
        EXPECT_LT(element(x, i), element(x, i + 1));
    frei(x);
}

TEST(Stuetzstellen, OrderOfEvaluationIsKept) {
    // Cases where another order gives other doubles: a + i*(b-a)/n differs
    // from (i*b + (n-i)*a)/n here, and cos(i*(pi/n)) from cos(i*pi/n).
    objekt *x = spalte(4);
    const double a = 0.1, b = 0.7;
    stuetzstellen_platzieren(x, STUETZSTELLEN_AEQUIDISTANT, 3, a, b, "t");
    bool anders = false;
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(element(x, i + 1), (i * b + (3 - i) * a) / 3);
        anders = anders || element(x, i + 1) != a + i * (b - a) / 3;
    }
    EXPECT_TRUE(anders);
    EXPECT_NE(element(x, 1), a); // 3*0.1/3 is 0.10000000000000002
    frei(x);

    objekt *t = spalte(14);
    const double pi = 4.0 * std::atan(1.0);
    stuetzstellen_platzieren(t, STUETZSTELLEN_TSCHEBYSCHEFF, 13, 0.0, 1.0, "t");
    anders = false;
    for (int i = 0; i <= 13; ++i) {
        EXPECT_EQ(element(t, i + 1), 0.5 + std::cos(i * pi / 13) * -1.0 / 2.0);
        anders = anders || element(t, i + 1) != 0.5 + std::cos(i * (pi / 13)) * -1.0 / 2.0;
    }
    EXPECT_TRUE(anders);
    frei(t);
}

TEST(Stuetzstellen, HugeBoundsGiveFiniteAscendingNodes) {
    // Near DBL_MAX the products and sums of both formulas overflow; every
    // node must still be finite, inside [a, b] and ascending.
    const double grenzen[][2] = {{-DBL_MAX, DBL_MAX},      {1e305, DBL_MAX},
                                 {-DBL_MAX, -DBL_MAX / 2}, {-1e305, 1e305},
                                 {-1.0, DBL_MAX},          {std::nextafter(DBL_MAX, 0.0), DBL_MAX}};
    for (const auto &g : grenzen)
        for (int n : {1, 2, 3, 7, 1000}) {
            for (int art : {STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_TSCHEBYSCHEFF}) {
                objekt *x = spalte(n + 1);
                stuetzstellen_platzieren(x, art, n, g[0], g[1], "t");
                for (int i = 1; i <= n + 1; ++i) {
                    ASSERT_TRUE(std::isfinite(element(x, i))) << g[0] << " " << g[1] << " " << n;
                    ASSERT_GE(element(x, i), g[0]);
                    ASSERT_LE(element(x, i), g[1]);
                    // (Between two neighbouring doubles rounding decides.)
                    if (i > 1 && std::nextafter(g[0], INFINITY) != g[1]) {
                        ASSERT_LE(element(x, i - 1), element(x, i));
                    }
                }
                frei(x);
            }
            EXPECT_EQ(aequidistanter_punkt(0, n, g[0], g[1]), g[0]);
            EXPECT_EQ(aequidistanter_punkt(n, n, g[0], g[1]), g[1]);
        }
    // The midpoint of [-DBL_MAX, DBL_MAX] is 0 in both forms.
    EXPECT_EQ(aequidistanter_punkt(1, 2, -DBL_MAX, DBL_MAX), 0.0);
    // Wherever the formula does not overflow, its bits are kept: 1e300 is
    // far below the bounds at which the scaled form takes over.
    for (int n : {3, 10, 999})
        for (int i = 0; i <= n; ++i)
            EXPECT_EQ(aequidistanter_punkt(i, n, -1e300, 3e300),
                      (i * 3e300 + (n - i) * -1e300) / n);
}

TEST(Stuetzstellen, SingleNodeIsNotANumber) {
    objekt *x = spalte(1);
    stuetzstellen_platzieren(x, STUETZSTELLEN_AEQUIDISTANT, 0, 0.0, 1.0, "t");
    EXPECT_TRUE(std::isnan(element(x, 1)));
    stuetzstellen_platzieren(x, STUETZSTELLEN_TSCHEBYSCHEFF, 0, 0.0, 1.0, "t");
    EXPECT_TRUE(std::isnan(element(x, 1)));
    frei(x);
}

TEST(Stuetzstellen, UnknownKindsAreRejected) {
    objekt *x = spalte(3);
    // The first number without a row of the table.
    for (int art : {0, knotenarten_anzahl(), -1, 65})
        EXPECT_EXIT(stuetzstellen_platzieren(x, art, 2, 0.0, 1.0, "Name mit Blank"),
                    testing::ExitedWithCode(1),
                    "^Ungueltige Stuetzstellenart fuer Interpolationsproblem Name mit Blank: \\(" +
                        std::to_string(art) + "\\)\n$");
    frei(x);
}

TEST(Intervall, BoundaryOfTwoToTheMinus120) {
    const double eps = std::ldexp(1.0, -120);
    interpolation_intervall_pruefen(0.0, eps); // equality passes
    interpolation_intervall_pruefen(NAN, 1.0); // a NaN difference passes
    interpolation_intervall_pruefen(0.0, INFINITY);
    EXPECT_EXIT(interpolation_intervall_pruefen(0.0, std::ldexp(1.0, -121)),
                testing::ExitedWithCode(1),
                "^Intervall \\[0.000000,3\\.76158e-37\\] numerisch zu klein oder ungueltig.\n$");
    EXPECT_EXIT(interpolation_intervall_pruefen(1.0, 1.0), testing::ExitedWithCode(1),
                "^Intervall \\[1.000000,1.000000\\] numerisch zu klein oder ungueltig.\n$");
    EXPECT_EXIT(interpolation_intervall_pruefen(2.0, -1.5), testing::ExitedWithCode(1),
                "^Intervall \\[2.000000,-1.500000\\] numerisch zu klein oder ungueltig.\n$");
    // Placement checks the interval before it stores any node.
    objekt *x = spalte(3);
    EXPECT_EXIT(stuetzstellen_platzieren(x, STUETZSTELLEN_TSCHEBYSCHEFF, 2, 3.0, 3.0, "t"),
                testing::ExitedWithCode(1), "^Intervall \\[3.000000,3.000000\\]");
    stuetzstellen_platzieren(x, STUETZSTELLEN_AEQUIDISTANT, 2, 0.0, eps, "t");
    EXPECT_EQ(element(x, 3), eps);
    frei(x);
}

TEST(Stuetzstellen, SmallestAndLargestSkipNaN) {
    // The bounds of given nodes, as both classes take them.
    objekt *x = spalte(3);
    objekt *y = spalte(3);
    struct grenzen {
        double links, rechts;
    };
    auto grenzen_zu = [&](double a, double b, double c) {
        nmmatrix_setzen(x, 1, 1, a);
        nmmatrix_setzen(x, 2, 1, b);
        nmmatrix_setzen(x, 3, 1, c);
        newtoninterpolation_parameter p = {"g", STUETZSTELLEN_GEGEBEN, x, 0.0, 0.0, y, 0};
        objekt *ip = newtoninterpolation_kreieren(&p, nullptr);
        grenzen g = {newtoninterpolation_linkeGrenze(ip), newtoninterpolation_rechteGrenze(ip)};
        newtoninterpolation_freigeben(ip);
        return g;
    };
    grenzen g = grenzen_zu(2.0, -1.0, 5.0);
    EXPECT_EQ(g.links, -1.0);
    EXPECT_EQ(g.rechts, 5.0);
    g = grenzen_zu(1.0, NAN, 0.0);
    EXPECT_EQ(g.links, 0.0);
    EXPECT_EQ(g.rechts, 1.0);
    // A NaN first node is never replaced.
    g = grenzen_zu(NAN, 1.0, 2.0);
    EXPECT_TRUE(std::isnan(g.links));
    EXPECT_TRUE(std::isnan(g.rechts));
    frei(x);
    frei(y);
}

} // namespace
