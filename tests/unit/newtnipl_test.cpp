// NEWTON_INTERPOLATION: divided differences, evaluation, bounds, vectors,
// text form and every message of the class.
#include "hilfen.h"
#include "numerik/knotenarten.h"
#include "numerik/interplt.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace {

objekt *vektor(const std::vector<double> &werte, const char *name = "v") {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, name, 0};
    objekt *v = matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v, static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

void frei_matrix(objekt *m) {
    matrix_tabelle(m)->freigeben(m);
}

// Creates through the class table and releases the record's vectors at once:
// the object must have copied what it needs.
objekt *newton(int art, const std::vector<double> &knoten, double a, double b,
               const std::vector<double> &werte, const char *name = "p") {
    objekt *x = knoten.empty() ? nullptr : vektor(knoten);
    objekt *y = vektor(werte);
    newtoninterpolation_parameter r = {name, art, x, a, b, y, 0};
    objekt *ip = interpolation_tabelle(&newton_interpolation)->kreieren(&r, nullptr);
    if (x != nullptr) frei_matrix(x);
    frei_matrix(y);
    return ip;
}

double p_an(objekt *ip, double x) {
    return interpolation_tabelle(ip)->funktionswert(ip, x);
}

std::vector<double> spalte(objekt *ip, int index) {
    objekt *v = interpolation_tabelle(ip)->imVektor(ip, index);
    std::vector<double> werte;
    for (int i = 1; i <= nmmatrix_hoehe(v); ++i)
        werte.push_back(nmmatrix_amIndex(v, i, 1));
    return werte;
}

std::string gespeichert(objekt *ip) {
    textsenke aus;
    interpolation_tabelle(ip)->speichern(ip, aus);
    return aus.text();
}

objekt *geladen(const std::string &text) {
    textquelle ein(text);
    return interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
}

void frei(objekt *ip) {
    interpolation_tabelle(ip)->freigeben(ip);
}

TEST(Newton, ThreeValuesGiveCoefficientsOneTwoOne) {
    objekt *ip = newton(STUETZSTELLEN_GEGEBEN, {0, 1, 2}, 0, 0, {1, 3, 7});
    EXPECT_EQ(spalte(ip, 2), (std::vector<double>{1, 2, 1}));
    // p(x) = 1 + 2x + x(x-1)
    EXPECT_EQ(p_an(ip, 3.0), 13.0);
    EXPECT_EQ(p_an(ip, -1.0), 1.0);
    EXPECT_EQ(p_an(ip, 0.5), 1.75);
    EXPECT_EQ(interpolation_klasse(ip), &newton_interpolation);
    frei(ip);
}

TEST(Newton, ReproducesPolynomialsOfDegreeAtMostN) {
    std::mt19937 zufall(20240611);
    std::uniform_real_distribution<double> koeff(-3.0, 3.0);
    std::uniform_real_distribution<double> lage(-2.0, 2.0);
    for (int n = 0; n <= 9; ++n) {
        for (int grad : {0, n / 2, n}) {
            std::vector<double> c(grad + 1);
            for (double &k : c)
                k = koeff(zufall);
            auto q = [&c](double x) {
                double r = 0.0;
                for (auto k = c.rbegin(); k != c.rend(); ++k)
                    r = r * x + *k;
                return r;
            };
            const double a = lage(zufall);
            const double b = a + 0.5 + std::fabs(lage(zufall));
            const double pi = 4.0 * std::atan(1.0);
            // Given nodes: distinct, once sorted and once shuffled.
            std::vector<double> gegeben;
            for (int i = 0; i <= n; ++i)
                gegeben.push_back(a + (b - a) * (i + 0.3 * std::sin(7.0 * i)) / (n + 1));
            std::vector<double> gemischt = gegeben;
            std::shuffle(gemischt.begin(), gemischt.end(), zufall);
            const std::vector<double> keine;
            std::vector<double> gleich, tscheb;
            for (int i = 0; i <= n; ++i) {
                gleich.push_back(n == 0 ? a : a + (b - a) * i / n);
                tscheb.push_back(n == 0 ? a : (a + b) / 2 - (b - a) / 2 * std::cos(i * pi / n));
            }
            struct fall {
                int art;
                const std::vector<double> &knoten;
                const std::vector<double> &stellen;
            };
            const fall faelle[] = {{STUETZSTELLEN_GEGEBEN, gegeben, gegeben},
                                   {STUETZSTELLEN_GEGEBEN, gemischt, gemischt},
                                   {STUETZSTELLEN_AEQUIDISTANT, keine, gleich},
                                   {STUETZSTELLEN_TSCHEBYSCHEFF, keine, tscheb}};
            for (const fall &f : faelle) {
                std::vector<double> werte;
                for (double x : f.stellen)
                    werte.push_back(q(x));
                objekt *ip = newton(f.art, f.knoten, a, b, werte);
                double skala = 0.0;
                for (double k : c)
                    skala = skala * 4.0 + std::fabs(k);
                for (int s = 0; s <= 20; ++s) {
                    double x = a + (b - a) * s / 20.0;
                    EXPECT_NEAR(p_an(ip, x), q(x), 1e-9 * (1.0 + skala))
                        << "n=" << n << " Grad " << grad << " Art " << f.art << " x=" << x;
                }
                frei(ip);
            }
        }
    }
}

TEST(Newton, SingleValueIsConstant) {
    objekt *gegeben = newton(STUETZSTELLEN_GEGEBEN, {2.5}, 0, 0, {-4.25});
    for (double x : {-1e9, 0.0, 2.5, 7.0})
        EXPECT_EQ(p_an(gegeben, x), -4.25);
    EXPECT_EQ(newtoninterpolation_linkeGrenze(gegeben), 2.5);
    EXPECT_EQ(newtoninterpolation_rechteGrenze(gegeben), 2.5);
    frei(gegeben);
    // The single placed node is 0/0; evaluation never reads it and the
    // bounds are the interval.
    objekt *gleich = newton(STUETZSTELLEN_AEQUIDISTANT, {}, -1.0, 3.0, {8.0});
    EXPECT_TRUE(std::isnan(spalte(gleich, 0)[0]));
    EXPECT_EQ(p_an(gleich, 1.0), 8.0);
    EXPECT_EQ(newtoninterpolation_linkeGrenze(gleich), -1.0);
    EXPECT_EQ(newtoninterpolation_rechteGrenze(gleich), 3.0);
    frei(gleich);
}

TEST(Newton, BoundsByNodeKind) {
    objekt *gleich = newton(STUETZSTELLEN_AEQUIDISTANT, {}, 0.0, 1.0, {1, 2, 3, 4, 5});
    EXPECT_EQ(spalte(gleich, 0), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    EXPECT_EQ(newtoninterpolation_linkeGrenze(gleich), 0.0);
    EXPECT_EQ(newtoninterpolation_rechteGrenze(gleich), 1.0);
    frei(gleich);
    // Given nodes keep their order; the bounds are the extreme nodes.
    objekt *gegeben = newton(STUETZSTELLEN_GEGEBEN, {2, -1, 5}, 0, 0, {1, 1, 1});
    EXPECT_EQ(spalte(gegeben, 0), (std::vector<double>{2, -1, 5}));
    EXPECT_EQ(interpolation_tabelle(gegeben)->linkeGrenze(gegeben), -1.0);
    EXPECT_EQ(interpolation_tabelle(gegeben)->rechteGrenze(gegeben), 5.0);
    frei(gegeben);
    // Chebyshev: the stored a and b, though the outer nodes are a and b too.
    objekt *tscheb = newton(STUETZSTELLEN_TSCHEBYSCHEFF, {}, -0.3, 0.3, {1, 0, 1});
    EXPECT_EQ(newtoninterpolation_linkeGrenze(tscheb), -0.3);
    EXPECT_EQ(newtoninterpolation_rechteGrenze(tscheb), 0.3);
    frei(tscheb);
}

TEST(Newton, VectorsAreCopiesOwnedByTheObject) {
    objekt *x = vektor({0, 1, 2});
    objekt *y = vektor({1, 3, 7});
    std::string name = "eigen";
    newtoninterpolation_parameter r = {name.c_str(), STUETZSTELLEN_GEGEBEN, x, 0, 0, y, 0};
    objekt *ip = newtoninterpolation_kreieren(&r, nullptr);
    nmmatrix_setzen(x, 1, 1, 100.0);
    nmmatrix_setzen(y, 1, 1, 100.0);
    name[0] = 'X';
    EXPECT_EQ(p_an(ip, 3.0), 13.0);
    EXPECT_STREQ(newtoninterpolation_name(ip), "eigen");
    const char *namen[] = {"Stuetzstellen", "Stuetzwerte", "Koeffizienten"};
    for (int k = 0; k < 3; ++k) {
        objekt *v = newtoninterpolation_imVektor(ip, k);
        EXPECT_EQ(matrix_klasse(v), &nm_matrix);
        EXPECT_STREQ(nmmatrix_name(v), namen[k]);
        EXPECT_EQ(nmmatrix_hoehe(v), 3);
        EXPECT_EQ(nmmatrix_breite(v), 1);
    }
    // imVektor hands out the stored vectors: writing into them changes the
    // object without recomputation.  The last node takes no part in
    // evaluation.
    nmmatrix_setzen(newtoninterpolation_imVektor(ip, 0), 3, 1, NAN);
    EXPECT_EQ(p_an(ip, 3.0), 13.0);
    nmmatrix_setzen(newtoninterpolation_imVektor(ip, 2), 3, 1, 0.0);
    EXPECT_EQ(p_an(ip, 3.0), 7.0);
    frei(ip);
    frei_matrix(x);
    frei_matrix(y);
}

TEST(Newton, EqualNodesRefusedRatherThanNonFiniteCoefficients) {
    EXPECT_EXIT(newton(STUETZSTELLEN_GEGEBEN, {1, 1, 2}, 0, 0, {1, 2, 3}),
                testing::ExitedWithCode(1),
                "^Stuetzstellen x\\(1\\) und x\\(2\\) gleich fuer NEWTON_INTERPOLATION p.\n$");
}

TEST(NewtonText, StoredFormOfEquidistantObject) {
    objekt *ip = newton(STUETZSTELLEN_AEQUIDISTANT, {}, 0.0, 2.0, {1, 3, 7}, "p1");
    EXPECT_EQ(gespeichert(ip), "NEWTON_INTERPOLATION: p1\n"
                               "art = 1\n"
                               "a = 0.000000\n"
                               "b = 2.000000\n"
                               "NM_MATRIX: Stuetzwerte\n"
                               "n = 3\n"
                               "m = 1\n"
                               "1.000000\n"
                               "3.000000\n"
                               "7.000000\n");
    frei(ip);
    objekt *gegeben = newton(STUETZSTELLEN_GEGEBEN, {2, -1}, 0, 0, {0.5, 1e-7}, "g");
    EXPECT_EQ(gespeichert(gegeben), "NEWTON_INTERPOLATION: g\nart = 0\n"
                                    "NM_MATRIX: Stuetzstellen\nn = 2\nm = 1\n2.000000\n-1.000000\n"
                                    "NM_MATRIX: Stuetzwerte\nn = 2\nm = 1\n0.500000\n0.000000\n");
    frei(gegeben);
}

TEST(NewtonText, RoundTripRoundsToSixDecimals) {
    // Stored a, b and values carry six decimals; loading places the nodes
    // from the rounded a and b and computes the coefficients anew.
    for (int art : {STUETZSTELLEN_AEQUIDISTANT, STUETZSTELLEN_TSCHEBYSCHEFF}) {
        objekt *ip = newton(art, {}, 0.1234567, 2.7654321, {1.0 / 3, -2.0 / 7, 5.5, 1e-8}, "r");
        std::string text = gespeichert(ip);
        objekt *neu = geladen(text);
        objekt *erwartet = newton(art, {}, 0.123457, 2.765432, {0.333333, -0.285714, 5.5, 0.0});
        EXPECT_EQ(spalte(neu, 0), spalte(erwartet, 0));
        EXPECT_EQ(spalte(neu, 1), spalte(erwartet, 1));
        EXPECT_EQ(spalte(neu, 2), spalte(erwartet, 2));
        EXPECT_EQ(newtoninterpolation_linkeGrenze(neu), 0.123457);
        EXPECT_STREQ(newtoninterpolation_name(neu), "r");
        EXPECT_EQ(gespeichert(neu), text);
        frei(ip);
        frei(neu);
        frei(erwartet);
    }
    objekt *ip =
        newton(STUETZSTELLEN_GEGEBEN, {0.5, -0.0000004, 3.1415926535}, 0, 0, {2.0 / 3, 1, -1});
    objekt *neu = geladen(gespeichert(ip));
    EXPECT_EQ(spalte(neu, 0), (std::vector<double>{0.5, -0.0, 3.141593}));
    EXPECT_EQ(spalte(neu, 1), (std::vector<double>{0.666667, 1, -1}));
    objekt *erwartet = newton(STUETZSTELLEN_GEGEBEN, {0.5, 0, 3.141593}, 0, 0, {0.666667, 1, -1});
    EXPECT_EQ(spalte(neu, 2), spalte(erwartet, 2));
    frei(ip);
    frei(neu);
    frei(erwartet);
}

TEST(NewtonText, HandWrittenTextsLoad) {
    objekt *ip = geladen("NEWTON_INTERPOLATION:q\nart =2\na =-1\nb = 1 \n"
                         "NM_MATRIX: w\nn = 3\nm = 1\n1\n0\n1\n");
    EXPECT_STREQ(newtoninterpolation_name(ip), "q");
    EXPECT_EQ(spalte(ip, 0)[1], 0.0 + std::cos(0.5 * 4.0 * std::atan(1.0)) * -2.0 / 2.0);
    // Values 1, 0, 1 at -1, ~0, 1: the parabola x^2.
    EXPECT_NEAR(p_an(ip, 0.5), 0.25, 1e-15);
    // The vectors are stored under the class's own names.
    EXPECT_STREQ(nmmatrix_name(newtoninterpolation_imVektor(ip, 1)), "Stuetzwerte");
    frei(ip);
}

TEST(NewtonMeldungen, Creation) {
    auto kreiere = [](const newtoninterpolation_parameter *r) {
        newtoninterpolation_kreieren(r, nullptr);
    };
    EXPECT_EXIT(kreiere(nullptr), testing::ExitedWithCode(1),
                "^Stuetzwerte fehlen fuerNEWTON_INTERPOLATION unbenannt.\n$");
    newtoninterpolation_parameter ohne = {"q", STUETZSTELLEN_AEQUIDISTANT, nullptr, 0, 1, nullptr,
                                          0};
    EXPECT_EXIT(kreiere(&ohne), testing::ExitedWithCode(1),
                "^Stuetzwerte fehlen fuerNEWTON_INTERPOLATION q.\n$");
    objekt *leer = vektor({});
    newtoninterpolation_parameter keine = {"q", STUETZSTELLEN_AEQUIDISTANT, nullptr, 0, 1, leer, 0};
    EXPECT_EXIT(kreiere(&keine), testing::ExitedWithCode(1),
                "^Es wird mindestens ein Stuetzwert benoetigt.\n$");
    frei_matrix(leer);
    EXPECT_EXIT(newton(STUETZSTELLEN_GEGEBEN, {}, 0, 0, {1, 2}), testing::ExitedWithCode(1),
                "^Stuetzstellen fehlen fuerNEWTON_INTERPOLATION p.\n$");
    EXPECT_EXIT(newton(STUETZSTELLEN_GEGEBEN, {1, 2, 3}, 0, 0, {1, 2, 3, 4}),
                testing::ExitedWithCode(1),
                "^Stuetzstellenanzahl/-werteanzahl inkompatibel fuer NEWTON_INTERPOLATION p.\n$");
    EXPECT_EXIT(newton(STUETZSTELLEN_AEQUIDISTANT, {}, 1, 1, {1, 2}), testing::ExitedWithCode(1),
                "^Intervall \\[1.000000,1.000000\\] numerisch zu klein oder ungueltig.\n$");
    EXPECT_EXIT(newton(STUETZSTELLEN_TSCHEBYSCHEFF, {}, 1, 0, {1, 2}), testing::ExitedWithCode(1),
                "^Intervall \\[1.000000,0.000000\\] numerisch zu klein oder ungueltig.\n$");
    // No flag is cleared here: 64 + 1 is no kind either.
    for (int art : {knotenarten_anzahl(), -1, 65})
        EXPECT_EXIT(newton(art, {0, 1}, 0, 1, {1, 2}), testing::ExitedWithCode(1),
                    "^Ungueltige Stuetzstellenart fuer Interpolationsproblem p: \\(" +
                        std::to_string(art) + "\\)\n$");
}

TEST(NewtonMeldungen, Loading) {
    auto lade = [](const char *text) { geladen(text); };
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\nart = 7\na = 0\nb = 1\n"),
                testing::ExitedWithCode(1),
                "^Ungueltige Stuetzstellenart fuer Interpolationsproblem k: \\(7\\)\n$");
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\nart = 65\n"), testing::ExitedWithCode(1),
                "^Ungueltige Stuetzstellenart fuer Interpolationsproblem k: \\(65\\)\n$");
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\nart = 1\nb = 1\n"), testing::ExitedWithCode(1),
                "^a =... erwartet!\n$");
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\nart = 1\na = 0\n"), testing::ExitedWithCode(1),
                "^Zeile b = nicht gefunden - EOF.\n$");
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\n"), testing::ExitedWithCode(1),
                "^Zeile art = nicht gefunden - EOF.\n$");
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\nart = 0\n"), testing::ExitedWithCode(1),
                "^Keine Daten fuer neue Matrix gefunden - EOF.\n$");
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\nart = 1\na = 0\nb = 1\nBAND_MATRIX: w\n"),
                testing::ExitedWithCode(1), "^Dies ist keine NM_MATRIX Matrix!\n$");
    EXPECT_EXIT(lade("NEWTON_INTERPOLATION: k\nart = 0\nNM_MATRIX: x\nn = 2\nm = 1\n0\n1\n"
                     "NM_MATRIX: y\nn = 3\nm = 1\n0\n1\n2\n"),
                testing::ExitedWithCode(1),
                "^Stuetzstellenanzahl/-werteanzahl inkompatibel fuer NEWTON_INTERPOLATION k.\n$");
}

TEST(NewtonMeldungen, VectorIndexAndMissingRecord) {
    objekt *ip = newton(STUETZSTELLEN_AEQUIDISTANT, {}, 0, 1, {1, 2}, "iv");
    for (int index : {3, -1})
        EXPECT_EXIT(interpolation_tabelle(ip)->imVektor(ip, index), testing::ExitedWithCode(1),
                    "^Ungueltiger Vektor fuer Interpolationsproblem iv: \\(" +
                        std::to_string(index) + "\\)\n$");
    frei(ip);
    // The descriptor has no record: its name is the type text, every other
    // operation ends silently.
    EXPECT_STREQ(newtoninterpolation_name(&newton_interpolation), "NEWTON_INTERPOLATION");
    EXPECT_EXIT(newtoninterpolation_linkeGrenze(&newton_interpolation), testing::ExitedWithCode(1),
                "^$");
    EXPECT_EXIT(newtoninterpolation_funktionswert(&newton_interpolation, 0.0),
                testing::ExitedWithCode(1), "^$");
}

std::uint64_t bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

TEST(NewtonArrays, SameBitsAsTheRecurrenceWrittenOut) {
    // Creation copies column 1 of the record's vectors and computes the
    // divided differences on its own arrays; evaluation reads them there.
    // Unsorted nodes and values of many magnitudes make every operation
    // round, so any other order would show.
    std::mt19937_64 zufall(11);
    std::uniform_real_distribution<double> verteilung(-3.0, 3.0);
    const int anzahl = 41;
    std::vector<double> x(anzahl);
    std::vector<double> y(anzahl);
    for (int i = 0; i < anzahl; ++i) {
        x[i] = verteilung(zufall);
        y[i] = std::ldexp(verteilung(zufall), static_cast<int>(zufall() % 40) - 20);
    }
    std::vector<double> c = y;
    for (int k = 1; k < anzahl; ++k)
        for (int j = anzahl - 1; j >= k; --j)
            c[j] = (c[j] - c[j - 1]) / (x[j] - x[j - k]);
    auto p_geschrieben = [&](double t) {
        double r = c[anzahl - 1];
        for (int k = anzahl - 1; k >= 1; --k)
            r = c[k - 1] + (t - x[k - 1]) * r;
        return r;
    };

    // The record's vectors: plain columns, three columns of which the first
    // counts, and a copy of the table, which is read through amIndex.
    static int aufrufe;
    aufrufe = 0;
    matrix_funktionen kopie = nm_matrixFunktionen;
    kopie.amIndex = [](objekt *m, int i, int j) {
        ++aufrufe;
        return nmmatrix_amIndex(m, i, j);
    };
    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(form);
        int spalten = form == 1 ? 3 : 1;
        nmmatrix_parameter p = {anzahl, spalten, "v", 0};
        objekt *xv = nmmatrix_kreieren(&p, nullptr);
        objekt *yv = nmmatrix_kreieren(&p, nullptr);
        for (int i = 1; i <= anzahl; ++i)
            for (int j = 1; j <= spalten; ++j) {
                nmmatrix_setzen(xv, i, j, j == 1 ? x[i - 1] : -1e300);
                nmmatrix_setzen(yv, i, j, j == 1 ? y[i - 1] : 1e300);
            }
        if (form == 2) xv->funktionen = yv->funktionen = &kopie;
        newtoninterpolation_parameter r = {"p", STUETZSTELLEN_GEGEBEN, xv, 0, 0, yv, 0};
        objekt *ip = newtoninterpolation_kreieren(&r, nullptr);
        std::vector<double> koeffizienten = spalte(ip, 2);
        for (int i = 0; i < anzahl; ++i)
            ASSERT_EQ(bits(koeffizienten[i]), bits(c[i])) << "c(" << i + 1 << ")";
        for (int i = 0; i < 200; ++i) {
            double t = verteilung(zufall);
            ASSERT_EQ(bits(p_an(ip, t)), bits(p_geschrieben(t))) << "p(" << t << ")";
        }
        frei(ip);
        xv->funktionen = yv->funktionen = &nm_matrixFunktionen;
        frei_matrix(xv);
        frei_matrix(yv);
    }
    EXPECT_EQ(aufrufe, 2 * anzahl);

    // A value vector without columns has no element (1, 1).
    nmmatrix_parameter ohne_spalten = {3, 0, "w", 0};
    objekt *w = nmmatrix_kreieren(&ohne_spalten, nullptr);
    newtoninterpolation_parameter r = {"p", STUETZSTELLEN_AEQUIDISTANT, nullptr, 0, 1, w, 0};
    EXPECT_EXIT(newtoninterpolation_kreieren(&r, nullptr), testing::ExitedWithCode(1),
                "^NM_MATRIX w Ungueltiger Index fuer Matrix: \\(1,1\\)\n$");
    frei_matrix(w);
}

} // namespace
