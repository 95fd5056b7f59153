// The not-a-knot and the clamped spline: cubics reproduced, the end
// conditions held by the coefficients, the fallbacks for few nodes, and
// their text forms.
#include "spline_hilfen.h"
#include "numerik/zahlen.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

// p(x) = 0.5 x^3 - x^2 + 2 x - 1 with its derivatives.
double p(double x) {
    return ((0.5 * x - 1) * x + 2) * x - 1;
}
double p1(double x) {
    return (1.5 * x - 2) * x + 2;
}
double p2(double x) {
    return 3 * x - 2;
}

// anzahl nodes in [-2, 3], steps between 0.1 and 1.1, ascending.
std::vector<double> knoten_zufaellig(std::mt19937 &zufall, int anzahl) {
    std::uniform_real_distribution<double> schritt(0.1, 1.1);
    std::vector<double> x = {-2.0};
    for (int i = 1; i < anzahl; ++i)
        x.push_back(x.back() + schritt(zufall));
    return x;
}

splineauftrag auftrag_aus(const std::vector<double> &x, double (*f)(double), int art) {
    splineauftrag auftrag;
    auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    auftrag.knoten = x;
    for (double xi : x)
        auftrag.werte.push_back(f(xi));
    auftrag.splineart = art;
    if (art == SPLINE_EINGESPANNT) {
        auftrag.abl1links = p1(x.front());
        auftrag.abl1rechts = p1(x.back());
    }
    return auftrag;
}

// s and its first three derivatives at the right end of row i (from 1),
// which has length h.
std::array<double, 4> rechts(const std::array<double, 4> &c, double h) {
    return {((c[0] * h + c[1]) * h + c[2]) * h + c[3], (3 * c[0] * h + 2 * c[1]) * h + c[2],
            6 * c[0] * h + 2 * c[1], 6 * c[0]};
}

TEST(SplineEnden, BothReproduceACubic) {
    std::mt19937 zufall(11);
    for (int art : {SPLINE_NOT_A_KNOT, SPLINE_EINGESPANNT}) {
        for (int anzahl : {4, 5, 6, 9, 17, 40}) {
            SCOPED_TRACE(testing::Message() << "Splineart " << art << ", " << anzahl << " Knoten");
            std::vector<double> x = knoten_zufaellig(zufall, anzahl);
            objekt *s = spline_aus(auftrag_aus(x, p, art));
            for (int i = 1; i < anzahl; ++i) {
                double xi = x[static_cast<std::size_t>(i) - 1];
                std::array<double, 4> c = zeile(s, i);
                EXPECT_NEAR(c[0], 0.5, 1e-10);
                EXPECT_NEAR(c[1], p2(xi) / 2, 1e-10);
                EXPECT_NEAR(c[2], p1(xi), 1e-10);
                EXPECT_EQ(c[3], p(xi));
            }
            for (int k = 0; k <= 50; ++k) {
                double t = x.front() + (x.back() - x.front()) * k / 50;
                EXPECT_NEAR(wert(s, t), p(t), 1e-12 * (1 + std::fabs(p(t))));
            }
            spline_frei(s);
        }
    }
}

TEST(SplineEnden, EndConditionsOnDataOfNoCubic) {
    std::mt19937 zufall(5);
    for (int anzahl : {4, 5, 8, 30}) {
        SCOPED_TRACE(anzahl);
        std::vector<double> x = knoten_zufaellig(zufall, anzahl);
        double (*f)(double) = [](double t) { return std::sin(2 * t) + t * t * t * t / 10; };
        splineauftrag auftrag = auftrag_aus(x, f, SPLINE_NOT_A_KNOT);
        objekt *nak = spline_aus(auftrag);
        auftrag.splineart = SPLINE_EINGESPANNT;
        auftrag.abl1links = -0.75;
        auftrag.abl1rechts = 2.5;
        objekt *ein = spline_aus(auftrag);
        const int n = anzahl - 1;
        for (objekt *s : {nak, ein}) {
            // C2 at every interior node, the values at every node.
            for (int i = 1; i < n; ++i) {
                std::array<double, 4> links = rechts(zeile(s, i), x[i] - x[i - 1]);
                std::array<double, 4> c = zeile(s, i + 1);
                EXPECT_NEAR(links[0], c[3], 1e-12 * (1 + std::fabs(c[3])));
                EXPECT_NEAR(links[1], c[2], 1e-9 * (1 + std::fabs(c[2])));
                EXPECT_NEAR(links[2], 2 * c[1], 1e-9 * (1 + std::fabs(c[1])));
            }
            EXPECT_NEAR(rechts(zeile(s, n), x[n] - x[n - 1])[0], f(x[n]), 1e-12);
        }
        // Not-a-knot: one cubic over the first two and the last two intervals.
        EXPECT_NEAR(zeile(nak, 1)[0], zeile(nak, 2)[0], 1e-9 * (1 + std::fabs(zeile(nak, 2)[0])));
        EXPECT_NEAR(zeile(nak, n)[0], zeile(nak, n - 1)[0],
                    1e-9 * (1 + std::fabs(zeile(nak, n)[0])));
        // Clamped: the given slopes at the ends.
        EXPECT_NEAR(zeile(ein, 1)[2], -0.75, 1e-12);
        EXPECT_NEAR(rechts(zeile(ein, n), x[n] - x[n - 1])[1], 2.5, 1e-9);
        spline_frei(nak);
        spline_frei(ein);
    }
}

TEST(SplineEnden, FewNodes) {
    // Three nodes, not-a-knot: the parabola y = 2 x^2 - 3 x + 1 through
    // them, rows (0, p''/2, p'(x(i)), p(x(i))).
    splineauftrag auftrag;
    auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    auftrag.knoten = {-1.0, 0.5, 2.0};
    auftrag.werte = {6.0, 0.0, 3.0};
    auftrag.splineart = SPLINE_NOT_A_KNOT;
    objekt *s = spline_aus(auftrag);
    EXPECT_NEAR(zeile(s, 1)[0], 0.0, 1e-15);
    EXPECT_NEAR(zeile(s, 1)[1], 2.0, 1e-14);
    EXPECT_NEAR(zeile(s, 1)[2], -7.0, 1e-14);
    EXPECT_NEAR(zeile(s, 2)[1], 2.0, 1e-14);
    EXPECT_NEAR(zeile(s, 2)[2], -1.0, 1e-14);
    EXPECT_NEAR(wert(s, 1.25), 2 * 1.25 * 1.25 - 3 * 1.25 + 1, 1e-14);
    spline_frei(s);

    // Two nodes, not-a-knot: the line.
    auftrag.knoten = {1.0, 3.0};
    auftrag.werte = {2.0, -2.0};
    s = spline_aus(auftrag);
    std::array<double, 4> c = zeile(s, 1);
    EXPECT_EQ(c, (std::array<double, 4>{0.0, 0.0, -2.0, 2.0}));
    EXPECT_EQ(spalte(s, 2).size(), 1u); // one interval
    spline_frei(s);

    // Two nodes, clamped: the cubic itself, from its end values and slopes.
    auftrag = auftrag_aus({-1.0, 2.5}, p, SPLINE_EINGESPANNT);
    s = spline_aus(auftrag);
    c = zeile(s, 1);
    EXPECT_NEAR(c[0], 0.5, 1e-13);
    EXPECT_NEAR(c[1], p2(-1.0) / 2, 1e-13);
    EXPECT_NEAR(c[2], p1(-1.0), 1e-13);
    EXPECT_NEAR(wert(s, 0.3), p(0.3), 1e-13);
    spline_frei(s);

    // One value stays too few.
    auftrag.knoten = {1.0};
    auftrag.werte = {1.0};
    EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                "^Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION 's'!\n$");
}

// Saved in full precision and loaded again, a spline of either kind gives
// the same text and bit for bit the same coefficients.
TEST(SplineEnden, TextFormRoundTrip) {
    int form = zahl_form_setzen(ZAHL_FORM_VOLL);
    for (int art : {SPLINE_NOT_A_KNOT, SPLINE_EINGESPANNT}) {
        splineauftrag auftrag;
        auftrag.stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF;
        auftrag.a = -1.0;
        auftrag.b = 3.0;
        auftrag.werte = {0.1, 2, -1.0 / 3, 4, 0.5, 7};
        auftrag.splineart = art;
        auftrag.abl1links = 0.1;
        auftrag.abl1rechts = -1.0 / 3;
        objekt *s = spline_aus(auftrag);
        std::string text = gespeichert(s);
        textquelle ein(text);
        objekt *geladen = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
        EXPECT_EQ(gespeichert(geladen), text);
        EXPECT_EQ(spalte(geladen, 2), spalte(s, 2));
        spline_frei(s);
        spline_frei(geladen);
    }
    zahl_form_setzen(form);

    // In the default form, the slopes follow the kind as abl2 does for kind 0.
    splineauftrag auftrag;
    auftrag.a = 0.0;
    auftrag.b = 2.0;
    auftrag.werte = {1, 0, 1};
    auftrag.splineart = SPLINE_EINGESPANNT;
    auftrag.abl1links = -2.0;
    auftrag.abl1rechts = 2.0;
    objekt *s = spline_aus(auftrag);
    EXPECT_EQ(gespeichert(s), "SPLINE_INTERPOLATION: s\nstuetzstellenart = 1\na = 0.000000\n"
                              "b = 2.000000\nsplineart = 5\nabl1links = -2.000000\n"
                              "abl1rechts = 2.000000\nNM_MATRIX: Stuetzwerte\nn = 3\nm = 1\n"
                              "1.000000\n0.000000\n1.000000\n");
    // The parabola (x - 1)^2 has these slopes: it is the spline.
    EXPECT_NEAR(wert(s, 0.5), 0.25, 1e-15);
    spline_frei(s);

    // A missing slope line is named.
    textquelle ohne("SPLINE_INTERPOLATION: s\nstuetzstellenart = 1\na = 0\nb = 2\nsplineart = 5\n"
                    "abl1links = 1\nNM_MATRIX: y\nn = 3\nm = 1\n1\n0\n1\n");
    EXPECT_EXIT(splineinterpolation_laden(ohne, nullptr), testing::ExitedWithCode(1),
                "^abl1rechts =... erwartet!\n$");
}

} // namespace
