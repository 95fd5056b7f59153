// The node-kind table and the one creation entry: every row places its nodes
// in order inside [a, b], its closed-form weights agree with the product
// formula, its text form reads back; every class creates, evaluates, saves
// and loads through interpolation_erzeugen, and its checks name the row.
#include "hilfen.h"

#include "numerik/baryzipl.h"
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/rationalipl.h"
#include "numerik/hermiteipl.h"
#include "numerik/splinipl.h"
#include "numerik/zahlen.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<double> spalte(objekt *v) {
    std::vector<double> x(static_cast<std::size_t>(matrix_tabelle(v)->hoehe(v)));
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = matrix_tabelle(v)->amIndex(v, static_cast<int>(i) + 1, 1);
    return x;
}

std::string text(objekt *ip) {
    textsenke aus;
    interpolation_tabelle(ip)->speichern(ip, aus);
    return aus.text();
}

TEST(Knotenarten, LookupByNumberAndName) {
    ASSERT_EQ(knotenarten_anzahl(), 4);
    for (int i = 0; i < knotenarten_anzahl(); ++i) {
        const knotenart *k = knotenart_an(i);
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(knotenart_nummer(k->nummer), k);
        EXPECT_EQ(knotenart_name(k->schluessel), k);
        // Stored nodes are never placed, placed ones never stored.
        EXPECT_EQ(k->gespeichert != 0, k->punkt == nullptr) << k->schluessel;
        // File names on the page tell the kinds apart by their code.
        ASSERT_NE(k->kuerzel, nullptr) << k->schluessel;
        ASSERT_NE(k->anzeige, nullptr) << k->schluessel;
        for (int j = 0; j < i; ++j)
            EXPECT_STRNE(knotenart_an(j)->kuerzel, k->kuerzel) << k->schluessel;
    }
    EXPECT_EQ(knotenart_nummer(STUETZSTELLEN_GEGEBEN)->gespeichert, 1);
    EXPECT_STREQ(knotenart_nummer(STUETZSTELLEN_AEQUIDISTANT)->schluessel, "aequidistant");
    EXPECT_STREQ(knotenart_nummer(STUETZSTELLEN_TSCHEBYSCHEFF)->titel, "Tschebyscheff");
    EXPECT_STREQ(knotenart_nummer(STUETZSTELLEN_TSCHEBYSCHEFF1)->schluessel, "tschebyscheff1");
    for (int nummer : {-1, 4, 64, 65})
        EXPECT_EQ(knotenart_nummer(nummer), nullptr) << nummer;
    EXPECT_EQ(knotenart_an(-1), nullptr);
    EXPECT_EQ(knotenart_an(knotenarten_anzahl()), nullptr);
    EXPECT_EQ(knotenart_name("Tschebyscheff"), nullptr); // the title is no key
    EXPECT_EQ(knotenart_name(nullptr), nullptr);
}

TEST(Knotenarten, EveryRowPlacesAscendingNodesInsideTheInterval) {
    const double grenzen[][2] = {{0.0, 1.0},
                                 {-3.0, 7.5},
                                 {0.1, 0.7},
                                 {1e-20, 1.0},
                                 {1.0, 1.0 + 0x1p-40},
                                 {-1e300, 3e300},
                                 {DBL_MAX / 2, DBL_MAX},
                                 {-DBL_MAX, DBL_MAX},
                                 {-DBL_MAX, -1e308}};
    for (int r = 0; r < knotenarten_anzahl(); ++r) {
        const knotenart *k = knotenart_an(r);
        if (k->punkt == nullptr) continue;
        for (const auto &g : grenzen)
            for (int n : {1, 2, 5, 64, 1000, 100000}) {
                double vorher = -INFINITY;
                for (int i = 0; i <= n; ++i) {
                    double x = k->punkt(i, n, g[0], g[1]);
                    // The end nodes of both formulas are rounded sums (n*a/n,
                    // (a+b)/2 + (a-b)/2) that may miss a or b by a unit of
                    // the larger end, and the file format fixes the formulas:
                    // that much is allowed at the ends, nothing inside.
                    double spiel = DBL_EPSILON * std::fmax(std::fabs(g[0]), std::fabs(g[1]));
                    double unten = i == 0 ? g[0] - spiel : g[0];
                    double oben = i == n ? g[1] + spiel : g[1];
                    ASSERT_TRUE(x >= unten && x <= oben)
                        << k->schluessel << " [" << g[0] << ", " << g[1] << "] n " << n << " i "
                        << i << " x " << x;
                    ASSERT_GE(x, vorher) << k->schluessel << " n " << n << " i " << i;
                    vorher = x;
                }
                // The kind's loop over all nodes gives every node's bits.
                if (k->punkte != nullptr) {
                    std::vector<double> alle(static_cast<std::size_t>(n) + 1);
                    k->punkte(alle.data(), n, g[0], g[1]);
                    for (int i = 0; i <= n; ++i)
                        ASSERT_EQ(std::bit_cast<std::uint64_t>(alle[static_cast<std::size_t>(i)]),
                                  std::bit_cast<std::uint64_t>(k->punkt(i, n, g[0], g[1])))
                            << k->schluessel << " n " << n << " i " << i;
                }
                // The placement through the public entry gives the same bits.
                if (n <= 1000) {
                    matrix_zeiger v =
                        spaltenvektor(std::vector<double>(static_cast<std::size_t>(n) + 1));
                    stuetzstellen_platzieren(v.get(), k->nummer, n, g[0], g[1], "t");
                    std::vector<double> x = spalte(v.get());
                    for (int i = 0; i <= n; ++i)
                        ASSERT_EQ(x[static_cast<std::size_t>(i)], k->punkt(i, n, g[0], g[1]));
                }
            }
    }
}

TEST(Knotenarten, ClosedFormWeightsAgreeWithTheProductFormula) {
    // The barycentric weights from the product formula over the placed
    // nodes, scaled to largest magnitude 1, against the row's closed form.
    for (int r = 0; r < knotenarten_anzahl(); ++r) {
        const knotenart *k = knotenart_an(r);
        if (k->gewichte == nullptr) continue;
        for (int n : {1, 2, 3, 8, 25}) {
            std::vector<double> x(static_cast<std::size_t>(n) + 1);
            for (int i = 0; i <= n; ++i)
                x[static_cast<std::size_t>(i)] = k->punkt(i, n, -2.0, 5.0);
            matrix_zeiger xv = spaltenvektor(x);
            matrix_zeiger yv = spaltenvektor(std::vector<double>(x.size(), 1.0));
            baryzentrischeinterpolation_parameter p = {
                "w", STUETZSTELLEN_GEGEBEN, xv.get(), 0, 0, yv.get()};
            interpolation_zeiger ip(baryzentrischeinterpolation_kreieren(&p, nullptr));
            std::vector<double> w_produkt =
                spalte(baryzentrischeinterpolation_imVektor(ip.get(), 2));
            std::vector<double> w(x.size());
            k->gewichte(w.data(), n);
            // The placed nodes are rounded, the closed form is exact for
            // exact nodes: agreement to a few hundred units of rounding.
            // Weights matter up to a common factor (it cancels in the
            // formula): compared relative to the first.
            for (std::size_t j = 0; j < w.size(); ++j)
                EXPECT_NEAR(w[j] / w[0], w_produkt[j] / w_produkt[0],
                            1e-12 * std::fabs(w[j] / w[0]))
                    << k->schluessel << " n " << n << " j " << j;
        }
    }
}

TEST(Knotenarten, TextFormReadsBack) {
    for (int r = 0; r < knotenarten_anzahl(); ++r) {
        const knotenart *k = knotenart_an(r);
        matrix_zeiger knoten = spaltenvektor({-1.5, 0.25, 1e-300});
        textsenke aus;
        k->schreiben(aus, knoten.get(), -0.1, 0x1.23456789abcdep+7);
        std::string t = aus.text();
        textquelle ein(t);
        double a = 0.0, b = 0.0;
        matrix_zeiger gelesen(k->lesen(ein, &a, &b));
        if (k->gespeichert) {
            ASSERT_NE(gelesen, nullptr);
            EXPECT_EQ(t.rfind("NM_MATRIX:", 0), 0u) << t;
            EXPECT_EQ(spalte(gelesen.get()).size(), 3u);
        } else {
            EXPECT_EQ(gelesen, nullptr);
            EXPECT_EQ(t.rfind("a = ", 0), 0u) << t;
            // The printed interval is what loading places the nodes on.
            EXPECT_NEAR(a, -0.1, 1e-6);
            EXPECT_NEAR(b, 0x1.23456789abcdep+7, 1e-6);
        }
    }
}

// One problem of class methode and node kind art: values of a smooth
// function, nodes 0 < 0.4 < 1.1 < ... for the given kind.
struct aufgabe {
    std::vector<double> x;
    matrix_zeiger xv;
    matrix_zeiger yv;
    interpolation_problem p = {};

    aufgabe(klasse *methode, int art, int n) {
        for (int i = 0; i <= n; ++i)
            x.push_back(i + 0.1 * i * i);
        std::vector<double> y;
        for (double xi : x)
            y.push_back(std::sin(xi));
        xv = spaltenvektor(x);
        yv = spaltenvektor(y);
        interpolation_problem_vorbelegen(&p, methode);
        p.name = "Aufgabe";
        p.art = art;
        p.stuetzstellen = knotenart_nummer(art)->gespeichert ? xv.get() : nullptr;
        p.a = -1.0;
        p.b = 2.5;
        p.stuetzwerte = yv.get();
        // Each class's defaults (natural spline, d = 3), the Hermite form
        // with Akima's slopes.
        if (methode == &hermite_interpolation)
            interpolation_option_setzen(&p, "steigungen", HERMITE_AKIMA);
    }
};

klasse *const methoden[] = {&newton_interpolation, &baryzentrische_interpolation,
                            &spline_interpolation, &rationale_interpolation,
                            &hermite_interpolation};

TEST(InterpolationErzeugen, EveryClassAndKindCreatesEvaluatesSavesAndLoads) {
    for (klasse *methode : methoden)
        for (int r = 0; r < knotenarten_anzahl(); ++r) {
            int art = knotenart_an(r)->nummer;
            aufgabe f(methode, art, 6);
            interpolation_zeiger ip(interpolation_erzeugen(&f.p, nullptr));
            ASSERT_EQ(interpolation_klasse(ip.get()), methode);
            // The entry only checks: the object is the one the class's
            // kreieren makes from its own record.
            interpolation_zeiger direkt;
            if (methode == &spline_interpolation) {
                splineinterpolation_parameter s = {f.p.name,
                                                   art,
                                                   f.p.stuetzstellen,
                                                   f.p.a,
                                                   f.p.b,
                                                   f.p.stuetzwerte,
                                                   SPLINE_NATUERLICH,
                                                   0.0,
                                                   0.0,
                                                   0.0,
                                                   0.0};
                direkt.reset(splineinterpolation_kreieren(&s, nullptr));
            } else if (methode == &rationale_interpolation) {
                rationaleinterpolation_parameter s = {f.p.name,
                                                      art,
                                                      f.p.stuetzstellen,
                                                      f.p.a,
                                                      f.p.b,
                                                      f.p.stuetzwerte,
                                                      RATIONAL_GRAD_STANDARD};
                direkt.reset(rationaleinterpolation_kreieren(&s, nullptr));
            } else if (methode == &hermite_interpolation) {
                hermiteinterpolation_parameter s = {
                    f.p.name, art, f.p.stuetzstellen, f.p.a, f.p.b, f.p.stuetzwerte, HERMITE_AKIMA};
                direkt.reset(hermiteinterpolation_kreieren(&s, nullptr));
            } else {
                newtoninterpolation_parameter s = {
                    f.p.name, art, f.p.stuetzstellen, f.p.a, f.p.b, f.p.stuetzwerte, 0};
                direkt.reset(interpolation_tabelle(methode)->kreieren(&s, nullptr));
            }
            const interpolation_funktionen *t = interpolation_tabelle(ip.get());
            // Through its text in full precision: the same object again, bit
            // for bit.
            int form = zahl_form_setzen(ZAHL_FORM_VOLL);
            std::string gespeichert = text(ip.get());
            textquelle ein(gespeichert);
            interpolation_zeiger geladen(interpolation_laden(ein, nullptr));
            zahl_form_setzen(form);
            EXPECT_EQ(text(geladen.get()), text(ip.get()));
            EXPECT_EQ(t->linkeGrenze(geladen.get()), t->linkeGrenze(ip.get()));
            EXPECT_EQ(t->rechteGrenze(geladen.get()), t->rechteGrenze(ip.get()));
            double links = t->linkeGrenze(ip.get());
            double rechts = t->rechteGrenze(ip.get());
            for (int i = 0; i <= 40; ++i) {
                double x = links + (rechts - links) * i / 40.0;
                double wert = t->funktionswert(ip.get(), x);
                EXPECT_TRUE(std::isfinite(wert));
                EXPECT_EQ(wert, t->funktionswert(direkt.get(), x));
                EXPECT_EQ(wert, t->funktionswert(geladen.get(), x))
                    << t->name(ip.get()) << " kind " << art << " x " << x;
            }
        }
}

// The checks end the process naming the problem and the row; what the
// class itself rejects keeps the class's message.
TEST(InterpolationErzeugen, ChecksNameTheRow) {
    for (klasse *methode : methoden) {
        std::string typ = interpolation_tabelle(methode)->name(methode);
        auto erzeugt = [](aufgabe &f) {
            interpolation_zeiger(interpolation_erzeugen(&f.p, nullptr));
        };
        {
            aufgabe f(methode, STUETZSTELLEN_GEGEBEN, 4);
            matrix_tabelle(f.yv.get())->setzen(f.yv.get(), 4, 1, NAN);
            EXPECT_EXIT(erzeugt(f), testing::ExitedWithCode(1),
                        "^Stuetzwert y\\(4\\) ist keine endliche Zahl fuer " + typ +
                            " Aufgabe.\n$");
        }
        {
            aufgabe f(methode, STUETZSTELLEN_GEGEBEN, 4);
            matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 1, 1, -INFINITY);
            EXPECT_EXIT(erzeugt(f), testing::ExitedWithCode(1),
                        "^Stuetzstelle x\\(1\\) ist keine endliche Zahl fuer " + typ +
                            " Aufgabe.\n$");
        }
        {
            // Equal nodes: the polynomial classes name the first pair, the
            // spline and the Hermite form find them not ascending.
            aufgabe f(methode, STUETZSTELLEN_GEGEBEN, 5);
            matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 6, 1, f.x[2]);
            matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 5, 1, f.x[1]);
            std::string meldung =
                methode == &spline_interpolation || methode == &hermite_interpolation
                    ? "^Die Stuetzstellen fuer " + typ + " Aufgabe muessen aufsteigend sein!\n$"
                    : "^Stuetzstellen x\\(2\\) und x\\(5\\) gleich fuer " + typ + " Aufgabe.\n$";
            EXPECT_EXIT(erzeugt(f), testing::ExitedWithCode(1), meldung);
        }
        {
            aufgabe f(methode, STUETZSTELLEN_TSCHEBYSCHEFF, 4);
            f.p.a = -INFINITY;
            EXPECT_EXIT(erzeugt(f), testing::ExitedWithCode(1),
                        "^Intervall \\[-inf,2.500000\\] ist nicht endlich fuer " + typ +
                            " Aufgabe.\n$");
        }
        {
            // Counts that differ: the class's own message, before any value
            // is looked at.
            aufgabe f(methode, STUETZSTELLEN_GEGEBEN, 4);
            matrix_zeiger kurz = spaltenvektor({0, 1, 2});
            f.p.stuetzstellen = kurz.get();
            matrix_tabelle(f.yv.get())->setzen(f.yv.get(), 1, 1, NAN);
            EXPECT_EXIT(erzeugt(f), testing::ExitedWithCode(1),
                        "^Stuetzstellenanzahl/-werteanzahl inkompatibel fuer " + typ +
                            " Aufgabe.\n$");
        }
    }
    // Unordered distinct nodes suit the polynomial, not the spline.
    aufgabe f(&spline_interpolation, STUETZSTELLEN_GEGEBEN, 3);
    matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 1, 1, 5.0);
    EXPECT_EXIT(
        interpolation_erzeugen(&f.p, nullptr), testing::ExitedWithCode(1),
        "^Die Stuetzstellen fuer SPLINE_INTERPOLATION Aufgabe muessen aufsteigend sein!\n$");
    f.p.methode = &newton_interpolation;
    interpolation_zeiger(interpolation_erzeugen(&f.p, nullptr));
    // Two values are too few for a natural spline; not-a-knot and clamped
    // take them (the line, the cubic of the end values and slopes).
    aufgabe zwei(&spline_interpolation, STUETZSTELLEN_AEQUIDISTANT, 1);
    EXPECT_EXIT(interpolation_erzeugen(&zwei.p, nullptr), testing::ExitedWithCode(1),
                "^Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION 'Aufgabe'!\n$");
    zwei.p.optionen[0] = SPLINE_NOT_A_KNOT;
    interpolation_zeiger(interpolation_erzeugen(&zwei.p, nullptr));
    // One value is too few for every spline, whatever else is wrong.
    aufgabe eins(&spline_interpolation, STUETZSTELLEN_AEQUIDISTANT, 0);
    eins.p.optionen[0] = SPLINE_NOT_A_KNOT;
    matrix_tabelle(eins.yv.get())->setzen(eins.yv.get(), 1, 1, NAN);
    EXPECT_EXIT(interpolation_erzeugen(&eins.p, nullptr), testing::ExitedWithCode(1),
                "^Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION 'Aufgabe'!\n$");
    f.p.methode = &nm_matrix;
    EXPECT_EXIT(interpolation_erzeugen(&f.p, nullptr), testing::ExitedWithCode(1),
                "^Keine Interpolationsklasse fuer Interpolationsproblem Aufgabe angegeben.\n$");
    EXPECT_EXIT(interpolation_erzeugen(nullptr, nullptr), testing::ExitedWithCode(1),
                "^Keine Interpolationsklasse fuer Interpolationsproblem unbenannt angegeben.\n$");
}

// The check without creation ends with creation's message for each defect
// of the data, and passes what creation takes.
TEST(InterpolationErzeugen, CheckAloneGivesCreationsMessage) {
    for (klasse *methode : methoden) {
        const std::string typ = interpolation_tabelle(methode)->name(methode);
        const bool aufsteigend =
            methode == &spline_interpolation || methode == &hermite_interpolation;
        matrix_zeiger kurz = spaltenvektor({0, 1, 2});
        const std::vector<std::pair<std::function<void(aufgabe &)>, std::string>> faelle = {
            {[](aufgabe &f) { matrix_tabelle(f.yv.get())->setzen(f.yv.get(), 4, 1, NAN); },
             "^Stuetzwert y\\(4\\) ist keine endliche Zahl fuer " + typ + " Aufgabe.\n$"},
            {[](aufgabe &f) { matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 1, 1, -INFINITY); },
             "^Stuetzstelle x\\(1\\) ist keine endliche Zahl fuer " + typ + " Aufgabe.\n$"},
            {[](aufgabe &f) { matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 5, 1, f.x[1]); },
             aufsteigend
                 ? "^Die Stuetzstellen fuer " + typ + " Aufgabe muessen aufsteigend sein!\n$"
                 : "^Stuetzstellen x\\(2\\) und x\\(5\\) gleich fuer " + typ + " Aufgabe.\n$"},
            {[&](aufgabe &f) { f.p.stuetzstellen = kurz.get(); },
             "^Stuetzstellenanzahl/-werteanzahl inkompatibel fuer " + typ + " Aufgabe.\n$"},
        };
        for (const auto &[aendern, meldung] : faelle) {
            aufgabe f(methode, STUETZSTELLEN_GEGEBEN, 5);
            aendern(f);
            EXPECT_EXIT(interpolation_zeiger(interpolation_erzeugen(&f.p, nullptr)),
                        testing::ExitedWithCode(1), meldung);
            EXPECT_EXIT(interpolation_problem_pruefen(&f.p), testing::ExitedWithCode(1), meldung);
        }
        aufgabe gut(methode, STUETZSTELLEN_GEGEBEN, 6);
        interpolation_problem_pruefen(&gut.p);
        aufgabe platziert(methode, STUETZSTELLEN_TSCHEBYSCHEFF, 6);
        interpolation_problem_pruefen(&platziert.p);
    }
    // Nodes too close for a global form: the spacing check of creation.
    aufgabe f(&newton_interpolation, STUETZSTELLEN_GEGEBEN, 4);
    matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 3, 1, f.x[1] * (1 + 1e-15));
    EXPECT_EXIT(interpolation_problem_pruefen(&f.p), testing::ExitedWithCode(1),
                "^Stuetzstellen x\\(2\\) und x\\(3\\) liegen zu dicht beieinander fuer "
                "NEWTON_INTERPOLATION Aufgabe");
}

// Duplicate nodes in a file no longer give a Newton polynomial of inf and
// NaN: loading refuses them as creation through the entry does.
TEST(InterpolationErzeugen, LoadingChecksAsCreationDoes) {
    const char *datei = "NEWTON_INTERPOLATION: d\nart = 0\nNM_MATRIX: x\nn = 3\nm = 1\n0\n1\n0\n"
                        "NM_MATRIX: y\nn = 3\nm = 1\n1\n2\n3\n";
    textquelle ein(datei);
    EXPECT_EXIT(interpolation_laden(ein, nullptr), testing::ExitedWithCode(1),
                "^Stuetzstellen x\\(1\\) und x\\(3\\) gleich fuer NEWTON_INTERPOLATION d.\n$");
    // kreieren itself refuses them too, rather than make non-finite
    // coefficients.
    aufgabe f(&newton_interpolation, STUETZSTELLEN_GEGEBEN, 2);
    matrix_tabelle(f.xv.get())->setzen(f.xv.get(), 3, 1, 0.0);
    newtoninterpolation_parameter p = {"d", 0, f.xv.get(), 0, 0, f.yv.get(), 0};
    EXPECT_EXIT(newtoninterpolation_kreieren(&p, nullptr), testing::ExitedWithCode(1),
                "^Stuetzstellen x\\(1\\) und x\\(3\\) gleich fuer NEWTON_INTERPOLATION d.\n$");
}

} // namespace
