// The coefficient step: second derivatives against an independent dense solve
// of the textbook system, the spline's continuity and end conditions, exact
// reproduction where the end conditions allow it, and the node check.
#include "spline_hilfen.h"

#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/lgs.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

using matrix = std::vector<std::vector<double>>;

// Gaussian elimination with partial pivoting on a dense copy.
std::vector<double> dicht_loesen(matrix A, std::vector<double> r) {
    std::size_t n = r.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t p = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (std::fabs(A[i][k]) > std::fabs(A[p][k])) p = i;
        std::swap(A[k], A[p]);
        std::swap(r[k], r[p]);
        for (std::size_t i = k + 1; i < n; ++i) {
            double f = A[i][k] / A[k][k];
            for (std::size_t j = k; j < n; ++j)
                A[i][j] -= f * A[k][j];
            r[i] -= f * r[k];
        }
    }
    std::vector<double> x(n);
    for (std::size_t i = n; i-- > 0;) {
        double s = r[i];
        for (std::size_t j = i + 1; j < n; ++j)
            s -= A[i][j] * x[j];
        x[i] = s / A[i][i];
    }
    return x;
}

// M(1..n+1) of the cubic spline through (x, y) from the textbook equations
// h(j-1) M(j-1) + 2 (h(j-1) + h(j)) M(j) + h(j) M(j+1)
//     = 6 (d(j)/h(j) - d(j-1)/h(j-1)),
// non-periodic with M(1) = links and M(n+1) = rechts, periodic with indices
// taken cyclically (y(n+1) = y(1)).
std::vector<double> lehrbuch_M(const std::vector<double> &x, const std::vector<double> &y,
                               bool periodisch, double links = 0, double rechts = 0) {
    std::size_t n = x.size() - 1;
    std::vector<double> h(n), d(n);
    for (std::size_t i = 0; i < n; ++i) {
        h[i] = x[i + 1] - x[i];
        d[i] = y[i + 1] - y[i];
    }
    if (!periodisch) {
        matrix A(n + 1, std::vector<double>(n + 1, 0.0));
        std::vector<double> r(n + 1, 0.0);
        A[0][0] = 1;
        r[0] = links;
        A[n][n] = 1;
        r[n] = rechts;
        for (std::size_t j = 1; j < n; ++j) {
            A[j][j - 1] = h[j - 1];
            A[j][j] = 2 * (h[j - 1] + h[j]);
            A[j][j + 1] = h[j];
            r[j] = 6 * (d[j] / h[j] - d[j - 1] / h[j - 1]);
        }
        return dicht_loesen(A, r);
    }
    matrix A(n, std::vector<double>(n, 0.0));
    std::vector<double> r(n, 0.0);
    for (std::size_t j = 0; j < n; ++j) {
        std::size_t vor = (j + n - 1) % n, nach = (j + 1) % n;
        A[j][vor] += h[vor];
        A[j][j] += 2 * (h[vor] + h[j]);
        A[j][nach] += h[j];
        r[j] = 6 * (d[j] / h[j] - d[vor] / h[vor]);
    }
    std::vector<double> M = dicht_loesen(A, r);
    M.push_back(M[0]);
    return M;
}

// Value, first and second derivative of row i at t.
struct ableitungen {
    double s, s1, s2;
};
ableitungen an(const std::array<double, 4> &c, double t) {
    return {((c[0] * t + c[1]) * t + c[2]) * t + c[3], (3 * c[0] * t + 2 * c[1]) * t + c[2],
            6 * c[0] * t + 2 * c[1]};
}

// M(1..n+1) as the spline's coefficients give them.
std::vector<double> spline_M(objekt *s, const std::vector<double> &x) {
    std::size_t n = x.size() - 1;
    std::vector<double> M;
    for (std::size_t i = 1; i <= n; ++i)
        M.push_back(2 * zeile(s, static_cast<int>(i))[1]);
    M.push_back(an(zeile(s, static_cast<int>(n)), x[n] - x[n - 1]).s2);
    return M;
}

std::vector<double> aufsteigend(std::mt19937 &zufall, std::size_t anzahl) {
    std::uniform_real_distribution<double> schritt(0.05, 1.0);
    std::vector<double> x = {std::uniform_real_distribution<double>(-5, 5)(zufall)};
    while (x.size() < anzahl)
        x.push_back(x.back() + schritt(zufall));
    return x;
}

double groesstes(const std::vector<double> &v) {
    double g = 0;
    for (double w : v)
        g = std::max(g, std::fabs(w));
    return g;
}

// Interpolation and C1/C2 continuity at every interior node.
void pruefe_glatt(objekt *s, const std::vector<double> &x, const std::vector<double> &y) {
    std::size_t n = x.size() - 1;
    double skala = 1 + groesstes(spline_M(s, x));
    for (std::size_t i = 1; i <= n; ++i) {
        std::array<double, 4> c = zeile(s, static_cast<int>(i));
        EXPECT_EQ(c[3], y[i - 1]);
        ableitungen rechts = an(c, x[i] - x[i - 1]);
        EXPECT_NEAR(rechts.s, y[i], 1e-9 * skala) << "node " << i + 1;
        if (i < n) {
            ableitungen naechste = an(zeile(s, static_cast<int>(i + 1)), 0.0);
            EXPECT_NEAR(rechts.s1, naechste.s1, 1e-9 * skala) << "node " << i + 1;
            EXPECT_NEAR(rechts.s2, naechste.s2, 1e-9 * skala) << "node " << i + 1;
        }
    }
}

TEST(SplineKoeffizienten, RandomNodesAgainstTextbookSystem) {
    std::mt19937 zufall(20240613);
    std::uniform_real_distribution<double> werte(-3, 3);
    for (int fall = 0; fall < 60; ++fall) {
        int art = fall % 3;
        std::size_t anzahl = std::uniform_int_distribution<std::size_t>(
            art == SPLINE_PERIODISCH ? 4 : 3, 40)(zufall);
        splineauftrag auftrag;
        auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
        auftrag.knoten = aufsteigend(zufall, anzahl);
        for (std::size_t i = 0; i < anzahl; ++i)
            auftrag.werte.push_back(werte(zufall));
        auftrag.splineart = art;
        if (art == SPLINE_ABL2_GEGEBEN) {
            auftrag.abl2links = werte(zufall);
            auftrag.abl2rechts = werte(zufall);
        }
        if (art == SPLINE_PERIODISCH) auftrag.werte.back() = auftrag.werte.front();
        SCOPED_TRACE("case " + std::to_string(fall) + ", kind " + std::to_string(art) + ", " +
                     std::to_string(anzahl) + " nodes");
        objekt *s = spline_aus(auftrag);
        const std::vector<double> &x = auftrag.knoten;
        const std::vector<double> &y = auftrag.werte;
        std::vector<double> M = spline_M(s, x);
        std::vector<double> erwartet =
            lehrbuch_M(x, y, art == SPLINE_PERIODISCH, auftrag.abl2links, auftrag.abl2rechts);
        double skala = 1 + groesstes(erwartet);
        for (std::size_t k = 0; k < M.size(); ++k)
            EXPECT_NEAR(M[k], erwartet[k], 1e-9 * skala) << "M(" << k + 1 << ")";
        pruefe_glatt(s, x, y);
        std::size_t n = anzahl - 1;
        if (art == SPLINE_PERIODISCH) {
            ableitungen anfang = an(zeile(s, 1), 0.0);
            ableitungen ende = an(zeile(s, static_cast<int>(n)), x[n] - x[n - 1]);
            EXPECT_NEAR(ende.s, anfang.s, 1e-9 * skala);
            EXPECT_NEAR(ende.s1, anfang.s1, 1e-9 * skala);
            EXPECT_NEAR(ende.s2, anfang.s2, 1e-9 * skala);
        } else {
            // M(1) enters row 1 as ML/2, so it comes back exactly.
            EXPECT_EQ(M.front(), auftrag.abl2links);
            EXPECT_NEAR(M.back(), auftrag.abl2rechts, 1e-9 * skala);
        }
        spline_frei(s);
    }
}

TEST(SplineKoeffizienten, CubicReproducedWithItsSecondDerivatives) {
    std::mt19937 zufall(7);
    auto p = [](double x) { return ((0.5 * x - 1) * x + 2) * x - 1; };
    auto p1 = [](double x) { return (1.5 * x - 2) * x + 2; };
    auto p2 = [](double x) { return 3 * x - 2; };
    for (int fall = 0; fall < 10; ++fall) {
        splineauftrag auftrag;
        auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
        auftrag.knoten = aufsteigend(zufall, 3 + fall * 3);
        for (double x : auftrag.knoten)
            auftrag.werte.push_back(p(x));
        auftrag.splineart = SPLINE_ABL2_GEGEBEN;
        auftrag.abl2links = p2(auftrag.knoten.front());
        auftrag.abl2rechts = p2(auftrag.knoten.back());
        objekt *s = spline_aus(auftrag);
        for (std::size_t i = 1; i < auftrag.knoten.size(); ++i) {
            double xi = auftrag.knoten[i - 1];
            std::array<double, 4> c = zeile(s, static_cast<int>(i));
            EXPECT_NEAR(c[0], 0.5, 1e-8);
            EXPECT_NEAR(c[1], p2(xi) / 2, 1e-8 * (1 + std::fabs(p2(xi))));
            EXPECT_NEAR(c[2], p1(xi), 1e-8 * (1 + std::fabs(p1(xi))));
            EXPECT_EQ(c[3], p(xi));
        }
        std::uniform_real_distribution<double> innen(auftrag.knoten.front(), auftrag.knoten.back());
        for (int k = 0; k < 20; ++k) {
            double x = innen(zufall);
            EXPECT_NEAR(wert(s, x), p(x), 1e-8 * (1 + std::fabs(p(x))));
        }
        spline_frei(s);
    }
}

TEST(SplineKoeffizienten, ClosedFormCases) {
    // A straight line on integer nodes: every M is 0 exactly.
    splineauftrag gerade;
    gerade.a = 0;
    gerade.b = 6;
    for (int i = 0; i <= 6; ++i)
        gerade.werte.push_back(2.0 * i + 1);
    for (int art : {SPLINE_NATUERLICH, SPLINE_ABL2_GEGEBEN}) {
        gerade.splineart = art;
        objekt *s = spline_aus(gerade);
        for (int i = 1; i <= 6; ++i)
            EXPECT_EQ(zeile(s, i), (std::array<double, 4>{0, 0, 2, 2.0 * i - 1}));
        spline_frei(s);
    }
    // A constant periodic spline: rows (0, 0, 0, v).
    splineauftrag konstant;
    konstant.werte = {2.5, 2.5, 2.5, 2.5, 2.5, 2.5};
    konstant.splineart = SPLINE_PERIODISCH;
    objekt *s = spline_aus(konstant);
    EXPECT_STREQ(nmmatrix_name(interpolation_tabelle(s)->imVektor(s, 2)), "Koeffizientenmatrix");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(zeile(s, i), (std::array<double, 4>{0, 0, 0, 2.5}));
    spline_frei(s);

    // Three nodes: the single equation, both end values on its right side.
    splineauftrag drei;
    drei.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    drei.knoten = {0, 1, 3};
    drei.werte = {1, 4, 2};
    drei.splineart = SPLINE_ABL2_GEGEBEN;
    drei.abl2links = 2;
    drei.abl2rechts = -3;
    s = spline_aus(drei);
    double M2 = (6 * (-2.0 / 2 - 3.0 / 1) - 1 * 2.0 - 2 * -3.0) / (2 * (1 + 2));
    EXPECT_NEAR(2 * zeile(s, 2)[1], M2, 1e-14);
    EXPECT_EQ(2 * zeile(s, 1)[1], 2.0);
    EXPECT_NEAR(an(zeile(s, 2), 2.0).s2, -3.0, 1e-13);
    spline_frei(s);
}

TEST(SplineKoeffizienten, GivenZeroEndsEqualNatural) {
    std::mt19937 zufall(99);
    splineauftrag auftrag;
    auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    auftrag.knoten = aufsteigend(zufall, 12);
    for (double x : auftrag.knoten)
        auftrag.werte.push_back(std::sin(x));
    objekt *natuerlich = spline_aus(auftrag);
    auftrag.splineart = SPLINE_ABL2_GEGEBEN;
    objekt *gegeben = spline_aus(auftrag);
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(zeile(natuerlich, i), zeile(gegeben, i)) << i;
    spline_frei(natuerlich);
    spline_frei(gegeben);
}

// The O(n) route must give what the public solver entry gives for the same
// system built element by element: the same bits.
TEST(SplineKoeffizienten, SameBitsAsTheSolverEntry) {
    std::mt19937 zufall(5);
    std::vector<double> x = aufsteigend(zufall, 9);
    std::vector<double> y;
    for (double xi : x)
        y.push_back(std::cos(3 * xi));
    y.back() = y.front();
    std::size_t n = x.size() - 1;
    std::vector<double> h(n), d(n);
    for (std::size_t i = 0; i < n; ++i) {
        h[i] = x[i + 1] - x[i];
        d[i] = y[i + 1] - y[i];
    }
    auto setzen = [](objekt *m, int i, int j, double w) { matrix_tabelle(m)->setzen(m, i, j, w); };
    auto vektor_setzen = [](objekt *m, int index, int i, double w) {
        objekt *v = matrix_tabelle(m)->imVektor(m, index);
        matrix_tabelle(v)->setzen(v, i, 1, w);
    };

    for (int art : {SPLINE_NATUERLICH, SPLINE_PERIODISCH}) {
        splineauftrag auftrag;
        auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
        auftrag.knoten = x;
        auftrag.werte = y;
        auftrag.splineart = art;
        objekt *s = spline_aus(auftrag);
        std::vector<double> M = spline_M(s, x);
        spline_frei(s);

        gleichungssystem lgs = {};
        int ordnung = art == SPLINE_PERIODISCH ? static_cast<int>(n) : static_cast<int>(n) - 1;
        lgs.b = vektor_aus(std::vector<double>(ordnung, 0.0));
        if (art == SPLINE_NATUERLICH) {
            bandmatrix_parameter bp = {ordnung, 1, "A", 0};
            lgs.A = matrix_tabelle(&band_matrix)->kreieren(&bp, nullptr);
            for (int i = 1; i <= ordnung; ++i) {
                double summe = h[i - 1] + h[i];
                setzen(lgs.A, i, i, summe + summe);
                if (i < ordnung) {
                    vektor_setzen(lgs.A, 1, i, h[i]);
                    vektor_setzen(lgs.A, 2, i, h[i]);
                }
                nmmatrix_setzen(lgs.b, i, 1, 6 * (d[i - 1] / h[i - 1] - d[i] / h[i]));
            }
        } else {
            a06_matrix_parameter ap = {ordnung, "A", 0};
            lgs.A = matrix_tabelle(&a06__matrix)->kreieren(&ap, nullptr);
            for (int i = 1; i <= ordnung; ++i) {
                int vor = i == 1 ? ordnung : i - 1;
                double summe = h[vor - 1] + h[i - 1];
                setzen(lgs.A, i, i, summe + summe);
                if (i < ordnung) vektor_setzen(lgs.A, 1, i, h[i - 1]);
                double dp = i == 1 ? y[0] - y[n - 1] : d[i - 2];
                nmmatrix_setzen(lgs.b, i, 1, (-d[i - 1] / h[i - 1] + dp / h[vor - 1]) * 6);
            }
            vektor_setzen(lgs.A, 2, 1, h[n - 1]);
        }
        ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(&lgs, diagonalStrategie), 1);
        int versatz = art == SPLINE_PERIODISCH ? 0 : 1;
        for (int k = 1; k <= ordnung; ++k)
            EXPECT_EQ(M[k - 1 + versatz], nmmatrix_amIndex(lgs.x, k, 1))
                << "kind " << art << " " << k;
        for (objekt *o : {lgs.A, lgs.b, lgs.p, lgs.L, lgs.R, lgs.c, lgs.x})
            if (o != nullptr) matrix_tabelle(o)->freigeben(o);
    }
}

TEST(SplineKoeffizienten, NodesMustAscend) {
    splineauftrag auftrag;
    auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    auftrag.werte = {1, 2, 3, 1};
    const char *meldung =
        "^Die Stuetzstellen fuer SPLINE_INTERPOLATION s muessen aufsteigend sein!\n$";
    for (int art : {SPLINE_NATUERLICH, SPLINE_PERIODISCH}) {
        auftrag.splineart = art;
        for (std::vector<double> knoten :
             std::vector<std::vector<double>>{{0, 1, 1, 2}, {0, 2, 1, 3}, {0, 1e-37, 1, 2}}) {
            auftrag.knoten = knoten;
            EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1), meldung);
        }
    }
    // A step of exactly 2^-120 passes the check.
    auftrag.splineart = SPLINE_NATUERLICH;
    auftrag.knoten = {0, std::ldexp(1.0, -120), 1, 2};
    spline_frei(spline_aus(auftrag));
}

} // namespace
