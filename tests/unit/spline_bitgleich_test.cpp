// The coefficients of creation bit for bit against the coefficient step as
// it stands written out here: the system built element by element through
// the public matrix classes, solved by lgs_loesen_ohne_faktoren, and the rows
// formed from its solution.  Creation takes a direct way for finite input and
// the general one otherwise; both must give these bits, NaN and infinity
// included.
#include "spline_hilfen.h"

#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/lgs.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

void diagonale_setzen(objekt *A, int index, int i, double wert) {
    nmmatrix_setzen(matrix_tabelle(A)->imVektor(A, index), i, 1, wert);
}

// Solves the tridiagonal system of the given diagonals (lower and upper
// element k for (k+1, k) and (k, k+1)) through the band matrix class and
// the solver; the solution u, A u = -b.
std::vector<double> band_loesen(const std::vector<double> &haupt, const std::vector<double> &oben,
                                const std::vector<double> &unten, const std::vector<double> &b) {
    const int ordnung = static_cast<int>(haupt.size());
    gleichungssystem lgs = {};
    lgs.b = vektor_aus(b);
    bandmatrix_parameter bp = {ordnung, 1, "A", 0};
    lgs.A = matrix_tabelle(&band_matrix)->kreieren(&bp, nullptr);
    for (int i = 0; i < ordnung; ++i) {
        diagonale_setzen(lgs.A, 0, i + 1, haupt[i]);
        if (i + 1 < ordnung) {
            diagonale_setzen(lgs.A, 1, i + 1, oben[i]);
            diagonale_setzen(lgs.A, 2, i + 1, unten[i]);
        }
    }
    EXPECT_EQ(lgs_loesen_ohne_faktoren(&lgs, diagonalStrategie), 1);
    std::vector<double> u(haupt.size());
    for (int k = 0; k < ordnung; ++k)
        u[k] = nmmatrix_amIndex(lgs.x, k + 1, 1);
    for (objekt *o : {lgs.A, lgs.b, lgs.p, lgs.L, lgs.R, lgs.c, lgs.x})
        if (o != nullptr) matrix_tabelle(o)->freigeben(o);
    return u;
}

// M at the nodes of the not-a-knot spline (n >= 3): the interior ones from
// the natural system with its end rows folded in, the end ones from the
// third derivative's continuity at x(1) and x(n-1).
std::vector<double> notaknot_M(const std::vector<double> &y, const std::vector<double> &h) {
    const int n = static_cast<int>(h.size());
    std::vector<double> haupt(n - 1), oben(n - 2), unten(n - 2), b(n - 1);
    for (int k = 0; k < n - 1; ++k) {
        haupt[k] = 2 * (h[k] + h[k + 1]);
        b[k] = 6 * ((y[k + 1] - y[k]) / h[k] - (y[k + 2] - y[k + 1]) / h[k + 1]);
    }
    for (int k = 0; k < n - 2; ++k)
        oben[k] = unten[k] = h[k + 1];
    haupt[0] = h[0] + 2 * h[1];
    oben[0] = h[1] - h[0];
    b[0] = h[1] * b[0] / (h[0] + h[1]);
    haupt[n - 2] = h[n - 1] + 2 * h[n - 2];
    unten[n - 3] = h[n - 2] - h[n - 1];
    b[n - 2] = h[n - 2] * b[n - 2] / (h[n - 2] + h[n - 1]);
    std::vector<double> u = band_loesen(haupt, oben, unten, b);
    std::vector<double> M(n + 1);
    for (int k = 0; k < n - 1; ++k)
        M[k + 1] = u[k];
    M[0] = u[0] + h[0] * (u[0] - u[1]) / h[1];
    M[n] = u[n - 2] + h[n - 1] * (u[n - 2] - u[n - 3]) / h[n - 2];
    return M;
}

// M at the nodes of the clamped spline: its first and last rows say
// s'(x(0)) = links and s'(x(n)) = rechts.
std::vector<double> eingespannt_M(const std::vector<double> &y, const std::vector<double> &h,
                                  double links, double rechts) {
    const int n = static_cast<int>(h.size());
    std::vector<double> haupt(n + 1), b(n + 1);
    haupt[0] = 2 * h[0];
    haupt[n] = 2 * h[n - 1];
    for (int i = 1; i < n; ++i) {
        haupt[i] = 2 * (h[i - 1] + h[i]);
        b[i] = 6 * ((y[i] - y[i - 1]) / h[i - 1] - (y[i + 1] - y[i]) / h[i]);
    }
    b[0] = 6 * (links - (y[1] - y[0]) / h[0]);
    b[n] = 6 * ((y[n] - y[n - 1]) / h[n - 1] - rechts);
    return band_loesen(haupt, h, h, b);
}

// The n x 4 coefficients, row by row, from the spline's own nodes and values
// (after any averaging or continuation) and the given end values.
std::vector<double> erwartete_koeffizienten(objekt *s, int art, double links, double rechts) {
    std::vector<double> x = spalte(s, 0);
    std::vector<double> y = spalte(s, 1);
    int n = static_cast<int>(x.size()) - 1;
    std::vector<double> h(n);
    for (int i = 0; i < n; ++i)
        h[i] = x[i + 1] - x[i];
    std::vector<double> M(n + 1);
    const bool periodisch = art == SPLINE_PERIODISCH;
    if (art == SPLINE_NOT_A_KNOT && n >= 3) {
        M = notaknot_M(y, h);
    } else if (art == SPLINE_NOT_A_KNOT) {
        // The line, or the parabola with its constant M.
        const double m =
            n == 2 ? 2 * ((y[2] - y[1]) / h[1] - (y[1] - y[0]) / h[0]) / (h[0] + h[1]) : 0.0;
        M.assign(n + 1, m);
    } else if (art == SPLINE_EINGESPANNT) {
        M = eingespannt_M(y, h, links, rechts);
    } else {
        int ordnung = periodisch ? n : n - 1;
        gleichungssystem lgs = {};
        lgs.b = vektor_aus(std::vector<double>(ordnung, 0.0));
        if (!periodisch) {
            bandmatrix_parameter bp = {ordnung, 1, "A", 0};
            lgs.A = matrix_tabelle(&band_matrix)->kreieren(&bp, nullptr);
            for (int i = 0; i < ordnung; ++i) {
                double summe = h[i] + h[i + 1];
                diagonale_setzen(lgs.A, 0, i + 1, summe + summe);
                if (i + 1 < ordnung) {
                    diagonale_setzen(lgs.A, 1, i + 1, h[i + 1]);
                    diagonale_setzen(lgs.A, 2, i + 1, h[i + 1]);
                }
                nmmatrix_setzen(lgs.b, i + 1, 1,
                                6 * ((y[i + 1] - y[i]) / h[i] - (y[i + 2] - y[i + 1]) / h[i + 1]));
            }
            nmmatrix_setzen(lgs.b, 1, 1, nmmatrix_amIndex(lgs.b, 1, 1) + h[0] * links);
            nmmatrix_setzen(lgs.b, ordnung, 1,
                            nmmatrix_amIndex(lgs.b, ordnung, 1) + h[n - 1] * rechts);
        } else {
            a06_matrix_parameter ap = {ordnung, "A", 0};
            lgs.A = matrix_tabelle(&a06__matrix)->kreieren(&ap, nullptr);
            for (int i = 0; i < n; ++i) {
                int vor = i == 0 ? n - 1 : i - 1;
                double summe = h[vor] + h[i];
                diagonale_setzen(lgs.A, 0, i + 1, summe + summe);
                if (i + 1 < n) diagonale_setzen(lgs.A, 1, i + 1, h[i]);
                double dp = i == 0 ? y[0] - y[n - 1] : y[i] - y[i - 1];
                double di = y[i + 1] - y[i];
                nmmatrix_setzen(lgs.b, i + 1, 1, (-di / h[i] + dp / h[vor]) * 6);
            }
            diagonale_setzen(lgs.A, 2, 1, h[n - 1]);
        }
        EXPECT_EQ(lgs_loesen_ohne_faktoren(&lgs, diagonalStrategie), 1);
        for (int k = 0; k < ordnung; ++k)
            M[periodisch ? k : k + 1] = nmmatrix_amIndex(lgs.x, k + 1, 1);
        if (periodisch) {
            M[n] = M[0];
        } else {
            M[0] = links;
            M[n] = rechts;
        }
        for (objekt *o : {lgs.A, lgs.b, lgs.p, lgs.L, lgs.R, lgs.c, lgs.x})
            if (o != nullptr) matrix_tabelle(o)->freigeben(o);
    }
    std::vector<double> c;
    for (int i = 0; i < n; ++i) {
        double ml = M[i], mr = M[i + 1], hi = h[i];
        double summe = ml + ml;
        summe = summe + mr;
        for (double wert :
             {(mr - ml) / (hi * 6), ml / 2, (y[i + 1] - y[i]) / hi - hi * summe / 6, y[i]})
            c.push_back(wert);
    }
    return c;
}

std::uint64_t bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// The same bits, or both NaN: which of two NaN operands an operation passes
// on follows the operand order the compiler picks, and the expectation here
// is compiled apart from the library.
bool bitgleich(double a, double b) {
    return bits(a) == bits(b) || (std::isnan(a) && std::isnan(b));
}

// Creates the spline and compares its coefficient matrix bit for bit.
// Warnings (averaged end values, a continued spline) are not looked at.
void bitgleich_pruefen(const splineauftrag &auftrag, const std::string &fall) {
    testing::internal::CaptureStderr();
    objekt *s = spline_aus(auftrag);
    testing::internal::GetCapturedStderr();
    double links = auftrag.splineart == SPLINE_ABL2_GEGEBEN  ? auftrag.abl2links
                   : auftrag.splineart == SPLINE_EINGESPANNT ? auftrag.abl1links
                                                             : 0.0;
    double rechts = auftrag.splineart == SPLINE_ABL2_GEGEBEN  ? auftrag.abl2rechts
                    : auftrag.splineart == SPLINE_EINGESPANNT ? auftrag.abl1rechts
                                                              : 0.0;
    std::vector<double> soll = erwartete_koeffizienten(s, auftrag.splineart, links, rechts);
    objekt *c = interpolation_tabelle(s)->imVektor(s, 2);
    ASSERT_EQ(static_cast<std::size_t>(nmmatrix_hoehe(c)) * 4, soll.size()) << fall;
    for (std::size_t k = 0; k < soll.size(); ++k) {
        double ist = nmmatrix_amIndex(c, static_cast<int>(k / 4) + 1, static_cast<int>(k % 4) + 1);
        ASSERT_TRUE(bitgleich(ist, soll[k])) << fall << ": row " << k / 4 + 1 << " column "
                                             << k % 4 + 1 << ": " << ist << " vs " << soll[k];
    }
    spline_frei(s);
}

// Node kinds 0 (random steps of random scale), 1 and 2, values of random
// magnitude and sign, spline kinds 0, 1 and 2 (the end slopes of kind 5
// follow the end second derivatives).
splineauftrag zufallsauftrag(std::mt19937_64 &zufall, int n) {
    std::uniform_real_distribution<double> eins(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-20, 20);
    splineauftrag auftrag;
    auftrag.stuetzstellenart = static_cast<int>(zufall() % 3);
    auftrag.splineart = static_cast<int>(zufall() % 3);
    double skala = std::ldexp(1.0, exponent(zufall));
    auftrag.a = eins(zufall) * skala;
    auftrag.b = auftrag.a + (1.5 + eins(zufall)) * skala;
    if (auftrag.stuetzstellenart == STUETZSTELLEN_GEGEBEN) {
        double x = auftrag.a;
        for (int i = 0; i <= n; ++i) {
            auftrag.knoten.push_back(x);
            x += (1.01 + eins(zufall)) * skala * std::ldexp(1.0, exponent(zufall) / 4);
        }
    }
    for (int i = 0; i <= n; ++i)
        auftrag.werte.push_back(eins(zufall) * std::ldexp(1.0, exponent(zufall)));
    auftrag.abl2links = eins(zufall) * 100;
    auftrag.abl2rechts = eins(zufall) * 100;
    auftrag.abl1links = auftrag.abl2links / 7;
    auftrag.abl1rechts = auftrag.abl2rechts / 3;
    return auftrag;
}

TEST(SplineBitgleich, RandomNodeSets) {
    std::mt19937_64 zufall(20261208);
    for (int fall = 0; fall < 600; ++fall) {
        int n = 2 + static_cast<int>(zufall() % 40);
        if (fall % 100 == 99) n = 1000 + static_cast<int>(zufall() % 4000);
        bitgleich_pruefen(zufallsauftrag(zufall, n), "case " + std::to_string(fall));
    }
}

TEST(SplineBitgleich, RandomNodeSetsNotAKnotAndClamped) {
    std::mt19937_64 zufall(20261209);
    for (int fall = 0; fall < 400; ++fall) {
        int n = 1 + static_cast<int>(zufall() % 40);
        if (fall % 100 == 99) n = 1000 + static_cast<int>(zufall() % 4000);
        splineauftrag auftrag = zufallsauftrag(zufall, n);
        auftrag.splineart = fall % 2 == 0 ? SPLINE_NOT_A_KNOT : SPLINE_EINGESPANNT;
        bitgleich_pruefen(auftrag, "case " + std::to_string(fall));
    }
}

// The setting of the benchmark, one tenth of its size.
TEST(SplineBitgleich, LargeEquidistantSplines) {
    splineauftrag auftrag;
    auftrag.b = 8 * std::atan(1.0);
    for (int art : {SPLINE_NATUERLICH, SPLINE_PERIODISCH, SPLINE_NOT_A_KNOT, SPLINE_EINGESPANNT}) {
        auftrag.splineart = art;
        auftrag.werte.clear();
        for (int i = 0; i <= 100000; ++i) {
            double x = aequidistanter_punkt(i, 100000, auftrag.a, auftrag.b);
            auftrag.werte.push_back(art == SPLINE_PERIODISCH ? std::cos(x) : std::sin(x));
        }
        auftrag.werte.back() = auftrag.werte.front();
        bitgleich_pruefen(auftrag, "n = 10^5, kind " + std::to_string(art));
    }
}

// Finite input whose arithmetic underflows, and steps at the smallest
// allowed length, give the general way's bits.  Values whose coefficients
// overflow are refused, and nodes spread over the whole double range give
// a spline that takes its values.
TEST(SplineBitgleich, ExtremeFiniteInputs) {
    const double gross = std::numeric_limits<double>::max() / 4;
    const double klein = std::numeric_limits<double>::denorm_min();
    const double schritt = std::ldexp(1.0, -120);
    for (int art : {SPLINE_NATUERLICH, SPLINE_ABL2_GEGEBEN, SPLINE_PERIODISCH, SPLINE_NOT_A_KNOT,
                    SPLINE_EINGESPANNT}) {
        splineauftrag auftrag;
        auftrag.splineart = art;
        auftrag.abl2links = gross;
        auftrag.abl2rechts = -gross;
        auftrag.werte = {gross, -gross, gross, -gross, gross, -gross, gross};
        EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                    "^Koeffizienten fuer SPLINE_INTERPOLATION s sind nicht darstellbar "
                    "\\(Ueberlauf bei Werten oder Ableitungen dieser Groesse\\).\n$");
        auftrag.werte = {klein, 0.0, -klein, 3 * klein, -0.0, klein, klein};
        bitgleich_pruefen(auftrag, "subnormal values");
        auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
        auftrag.knoten = {0, schritt, 2 * schritt, 1, 1 + std::ldexp(1.0, -52), 2, 3};
        if (art == SPLINE_ABL2_GEGEBEN) {
            // f'' of that size over a step of 2^-120: a cubic coefficient
            // beyond the doubles.
            EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1), "nicht darstellbar");
            auftrag.abl2links = 1.0;
            auftrag.abl2rechts = -1.0;
        }
        bitgleich_pruefen(auftrag, "steps of 2^-120");
        auftrag.knoten = {-gross, -gross / 2, 0, gross / 2, gross, 2 * gross, 3 * gross};
        auftrag.werte = {1, -1, 2, 0, 5, 1, 1};
        auftrag.abl2links = 0.0;
        auftrag.abl2rechts = 0.0;
        objekt *s = spline_aus(auftrag);
        for (std::size_t i = 0; i < auftrag.knoten.size(); ++i)
            EXPECT_NEAR(interpolation_tabelle(s)->funktionswert(s, auftrag.knoten[i]),
                        auftrag.werte[i], 1e-13)
                << "kind " << art << " node " << i;
        spline_frei(s);
    }
}

TEST(SplineBitgleich, NonFiniteInputsFollowTheGeneralWay) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (int art : {SPLINE_NATUERLICH, SPLINE_ABL2_GEGEBEN, SPLINE_PERIODISCH, SPLINE_NOT_A_KNOT,
                    SPLINE_EINGESPANNT}) {
        for (int stelle : {0, 3, 6})
            for (double schlecht : {nan, inf, -inf}) {
                splineauftrag auftrag;
                auftrag.splineart = art;
                auftrag.werte = {1, 2, -1, 0.5, 3, 2, 1};
                auftrag.werte[stelle] = schlecht;
                bitgleich_pruefen(auftrag, "value " + std::to_string(stelle) + " not finite");
            }
        splineauftrag auftrag;
        auftrag.splineart = art;
        auftrag.werte = {1, 2, -1, 0.5, 3, 2, 1};
        auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
        auftrag.knoten = {0, 1, 2, nan, 4, 5, 6};
        bitgleich_pruefen(auftrag, "NaN node");
        auftrag.knoten = {0, 1, 2, 3, 4, 5, inf};
        bitgleich_pruefen(auftrag, "infinite last node");
        auftrag.knoten.clear();
        auftrag.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
        auftrag.abl2links = auftrag.abl1links = nan;
        auftrag.abl2rechts = auftrag.abl1rechts = inf;
        bitgleich_pruefen(auftrag, "end values not finite");
    }
}

// The public coefficient step on an object made without coefficients
// replaces the zeroed matrix by the same bits that creation gives.
TEST(SplineBitgleich, StepOnAnObjectMadeWithoutCoefficients) {
    std::mt19937_64 zufall(7);
    for (int art : {SPLINE_NATUERLICH, SPLINE_ABL2_GEGEBEN, SPLINE_PERIODISCH, SPLINE_NOT_A_KNOT,
                    SPLINE_EINGESPANNT}) {
        splineauftrag auftrag = zufallsauftrag(zufall, 9);
        auftrag.splineart = art;
        objekt *mit = spline_aus(auftrag);
        auftrag.stuetzstellenart += OHNE_KOEFFIZIENTEN;
        objekt *ohne = spline_aus(auftrag);
        EXPECT_STREQ(nmmatrix_name(interpolation_tabelle(ohne)->imVektor(ohne, 2)),
                     "Koeffizienten");
        EXPECT_EQ(zeile(ohne, 9), (std::array<double, 4>{0, 0, 0, 0}));
        for (int mal = 0; mal < 2; ++mal) {
            EXPECT_EQ(splineinterpolation_koeffizienten(ohne, nullptr), 0);
            EXPECT_STREQ(nmmatrix_name(interpolation_tabelle(ohne)->imVektor(ohne, 2)),
                         "Koeffizientenmatrix");
            for (int i = 1; i <= 9; ++i)
                for (int j = 0; j < 4; ++j)
                    EXPECT_EQ(bits(zeile(ohne, i)[j]), bits(zeile(mit, i)[j])) << art << " " << i;
        }
        spline_frei(mit);
        spline_frei(ohne);
    }
}

} // namespace
