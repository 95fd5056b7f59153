// The solver module lgs: entry checks and dispatch, pivot strategies, dense
// Gauss, tridiagonal elimination, cyclic Cholesky, factor extraction, the
// small worked examples with known answers, random systems, and the O(n) path
// lgs_loesen_ohne_faktoren (bit-identical to the entry).
#include "hilfen.h"
#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/lgs.h"
#include "numerik/matrix.h"
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

const double EPS = std::pow(2.0, -120.0);

// A field the solver must not touch keeps this value.
objekt unberuehrt_objekt = {nullptr, nullptr};
objekt *const UNBERUEHRT = &unberuehrt_objekt;

void frei(objekt *m) {
    if (m != nullptr && m != UNBERUEHRT)
        matrix_tabelle(m)->freigeben(m);
}

double el(objekt *m, int i, int j) { return matrix_tabelle(m)->amIndex(m, i, j); }
int zeilen(objekt *m) { return matrix_tabelle(m)->hoehe(m); }
int spalten(objekt *m) { return matrix_tabelle(m)->breite(m); }

// A record whose out fields start untouched and whose objects are released
// at the end of the test.
struct lgs_halter {
    gleichungssystem s{nullptr, nullptr, UNBERUEHRT, UNBERUEHRT, UNBERUEHRT,
                       UNBERUEHRT, UNBERUEHRT, -12345.0};
    lgs_halter(objekt *A, objekt *b) {
        s.A = A;
        s.b = b;
    }
    ~lgs_halter() {
        for (objekt *m : {s.A, s.b, s.p, s.L, s.R, s.c, s.x})
            frei(m);
    }
    lgs_halter(const lgs_halter &) = delete;
    lgs_halter &operator=(const lgs_halter &) = delete;
    gleichungssystem *operator->() { return &s; }
    gleichungssystem *zeiger() { return &s; }
};

objekt *nm(int n, int m, const char *name = "A") {
    nmmatrix_parameter p = {n, m, name, 1};
    return matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
}

objekt *vektor(const std::vector<double> &werte, const char *name = "b") {
    objekt *v = nm(static_cast<int>(werte.size()), 1, name);
    for (std::size_t k = 0; k < werte.size(); ++k)
        nmmatrix_setzen(v, static_cast<int>(k) + 1, 1, werte[k]);
    return v;
}

// n x n, row by row.
objekt *dicht(int n, const std::vector<double> &werte) {
    objekt *a = nm(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            nmmatrix_setzen(a, i, j, werte[(i - 1) * n + (j - 1)]);
    return a;
}

objekt *tridiagonal(const std::vector<double> &haupt, const std::vector<double> &oben,
                    const std::vector<double> &unten) {
    bandmatrix_parameter p = {static_cast<int>(haupt.size()), 1, "T", 1};
    objekt *a = matrix_tabelle(&band_matrix)->kreieren(&p, nullptr);
    for (std::size_t k = 0; k < haupt.size(); ++k)
        nmmatrix_setzen(bandmatrix_imVektor(a, 0), k + 1, 1, haupt[k]);
    for (std::size_t k = 0; k < oben.size(); ++k) {
        nmmatrix_setzen(bandmatrix_imVektor(a, 1), k + 1, 1, oben[k]);
        nmmatrix_setzen(bandmatrix_imVektor(a, 2), k + 1, 1, unten[k]);
    }
    return a;
}

objekt *zyklisch(const std::vector<double> &haupt, const std::vector<double> &neben,
                 double ecke) {
    a06_matrix_parameter p = {static_cast<int>(haupt.size()), "Z", 1};
    objekt *a = matrix_tabelle(&a06__matrix)->kreieren(&p, nullptr);
    for (std::size_t k = 0; k < haupt.size(); ++k)
        nmmatrix_setzen(a06_matrix_imVektor(a, 0), k + 1, 1, haupt[k]);
    for (std::size_t k = 0; k < neben.size(); ++k)
        nmmatrix_setzen(a06_matrix_imVektor(a, 1), k + 1, 1, neben[k]);
    nmmatrix_setzen(a06_matrix_imVektor(a, 2), 1, 1, ecke);
    return a;
}

// Column 1 of a matrix object.
std::vector<double> inhalt(objekt *v) {
    std::vector<double> werte;
    for (int k = 1; k <= zeilen(v); ++k)
        werte.push_back(el(v, k, 1));
    return werte;
}

// All elements, row by row, through the table.
std::vector<double> elemente_von(objekt *m) {
    std::vector<double> werte;
    for (int i = 1; i <= zeilen(m); ++i)
        for (int j = 1; j <= spalten(m); ++j)
            werte.push_back(el(m, i, j));
    return werte;
}

std::vector<std::uint64_t> bits(const std::vector<double> &werte) {
    std::vector<std::uint64_t> b;
    for (double w : werte)
        b.push_back(std::bit_cast<std::uint64_t>(w));
    return b;
}

void erwarte_vektor(objekt *v, const std::vector<double> &erwartet) {
    ASSERT_EQ(zeilen(v), static_cast<int>(erwartet.size()));
    ASSERT_EQ(spalten(v), 1);
    for (std::size_t k = 0; k < erwartet.size(); ++k)
        EXPECT_DOUBLE_EQ(el(v, k + 1, 1), erwartet[k]) << "entry " << k + 1;
}

void erwarte_matrix(objekt *m, int n, const std::vector<double> &erwartet) {
    ASSERT_EQ(zeilen(m), n);
    ASSERT_EQ(spalten(m), n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            EXPECT_DOUBLE_EQ(el(m, i, j), erwartet[(i - 1) * n + (j - 1)])
                << "(" << i << "," << j << ")";
}

// ---------------------------------------------------------------------------
// Independent references for the random systems.

// Determinant by elimination with partial pivoting in long double.
long double determinante_referenz(std::vector<long double> a, int n) {
    long double det = 1.0L;
    for (int k = 0; k < n; ++k) {
        int r = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(a[i * n + k]) > std::fabs(a[r * n + k]))
                r = i;
        if (r != k) {
            for (int j = 0; j < n; ++j)
                std::swap(a[k * n + j], a[r * n + j]);
            det = -det;
        }
        det *= a[k * n + k];
        for (int i = k + 1; i < n; ++i) {
            long double f = a[i * n + k] / a[k * n + k];
            for (int j = k; j < n; ++j)
                a[i * n + j] -= f * a[k * n + j];
        }
    }
    return det;
}

std::vector<long double> lang(const std::vector<double> &a) {
    return std::vector<long double>(a.begin(), a.end());
}

// max_i |(A0*x + b0)_i| relative to |A0|*|x| + |b0| (infinity norms).
double relatives_residuum(const std::vector<double> &a0, const std::vector<double> &b0,
                          const std::vector<double> &x) {
    int n = static_cast<int>(b0.size());
    double res = 0.0, anorm = 0.0, xnorm = 0.0, bnorm = 0.0;
    for (int i = 0; i < n; ++i) {
        long double summe = b0[i];
        double zeile = 0.0;
        for (int j = 0; j < n; ++j) {
            summe += static_cast<long double>(a0[i * n + j]) * x[j];
            zeile += std::fabs(a0[i * n + j]);
        }
        res = std::max(res, static_cast<double>(std::fabs(summe)));
        anorm = std::max(anorm, zeile);
        xnorm = std::max(xnorm, std::fabs(x[i]));
        bnorm = std::max(bnorm, std::fabs(b0[i]));
    }
    return res / (anorm * xnorm + bnorm);
}

// max |(F*G)_ij - M_ij| / max |M_ij|.
double produktabweichung(objekt *F, objekt *G, const std::vector<double> &m, int n) {
    double abweichung = 0.0, groesse = 0.0;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            long double summe = 0.0L;
            for (int k = 1; k <= n; ++k)
                summe += static_cast<long double>(el(F, i, k)) * el(G, k, j);
            double soll = m[(i - 1) * n + (j - 1)];
            abweichung = std::max(abweichung, static_cast<double>(std::fabs(summe - soll)));
            groesse = std::max(groesse, std::fabs(soll));
        }
    return abweichung / groesse;
}

constexpr double TOLERANZ = 1e-14;

// Bit patterns of a solved record, to compare the two paths.
struct loesung {
    int ergebnis;
    std::vector<std::uint64_t> x, c, b, p, A, vektoren;
    std::uint64_t determinante;
};

loesung festhalten(gleichungssystem *s, int ergebnis, bool diagonalen) {
    loesung l{ergebnis, {}, {}, {}, {}, {}, {}, std::bit_cast<std::uint64_t>(s->determinante)};
    if (s->x != UNBERUEHRT)
        l.x = bits(inhalt(s->x));
    if (s->c != UNBERUEHRT)
        l.c = bits(inhalt(s->c));
    if (s->p != UNBERUEHRT)
        l.p = bits(inhalt(s->p));
    l.b = bits(inhalt(s->b));
    if (diagonalen) { // band or cyclic: the three stored vectors
        for (int k = 0; k < 3; ++k) {
            std::vector<std::uint64_t> v = bits(inhalt(matrix_tabelle(s->A)->imVektor(s->A, k)));
            l.vektoren.insert(l.vektoren.end(), v.begin(), v.end());
        }
    } else {
        l.A = bits(elemente_von(s->A));
    }
    return l;
}

void erwarte_gleich(const loesung &a, const loesung &b) {
    EXPECT_EQ(a.ergebnis, b.ergebnis);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.c, b.c);
    EXPECT_EQ(a.b, b.b);
    EXPECT_EQ(a.p, b.p);
    EXPECT_EQ(a.A, b.A);
    EXPECT_EQ(a.vektoren, b.vektoren);
    EXPECT_EQ(a.determinante, b.determinante);
}

// ---------------------------------------------------------------------------
// Entry checks.

TEST(LoeserEingang, UnfitRecordsGiveZeroWithoutMessage) {
    auto pruefe = [](objekt *A, objekt *b, pivotstrategie s) {
        lgs_halter lgs(A, b);
        testing::internal::CaptureStderr();
        EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), s), 0);
        EXPECT_EQ(lgs_loesen_ohne_faktoren(lgs.zeiger(), s), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        for (objekt *feld : {lgs->p, lgs->L, lgs->R, lgs->c, lgs->x})
            EXPECT_EQ(feld, UNBERUEHRT);
        EXPECT_EQ(lgs->determinante, -12345.0);
    };
    pruefe(nullptr, vektor({1, 2}), diagonalStrategie);
    pruefe(dicht(2, {1, 0, 0, 1}), nullptr, diagonalStrategie);
    pruefe(nm(2, 3), vektor({1, 2}), diagonalStrategie);             // A not square
    pruefe(dicht(2, {1, 0, 0, 1}), nm(2, 2, "b"), diagonalStrategie); // b with 2 columns
    pruefe(dicht(2, {1, 0, 0, 1}), vektor({1, 2, 3}), nullptr);       // b with n+1 rows
    pruefe(tridiagonal({1, 1}, {0}, {0}), vektor({1}), nullptr);
}

TEST(LoeserEingang, DenseMatrixNeedsAStrategy) {
    objekt *A = dicht(2, {2, 1, 1, 3});
    objekt *b = vektor({3, 4});
    gleichungssystem s{A, b, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0};
    EXPECT_EXIT(lrZerlegungUndDeterminanteUndLoesen(&s, nullptr), testing::ExitedWithCode(1),
                "^Gauss-Verfahren erfodert die Angabe einer Pivotstrategie.\n$");
    EXPECT_EXIT(lgs_loesen_ohne_faktoren(&s, nullptr), testing::ExitedWithCode(1),
                "^Gauss-Verfahren erfodert die Angabe einer Pivotstrategie.\n$");
    frei(A);
    frei(b);
}

TEST(LoeserEingang, BandWithoutMethodEnds) {
    const char *meldung = "^Fuer Matrixtyp BAND_MATRIX kein Loesungsverfahren  verfuegbar\n$";
    objekt *b = vektor({1, 2, 3});
    objekt *T = tridiagonal({4, 4, 4}, {1, 1}, {1, 1});
    gleichungssystem s{T, b, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0};
    // No fallback to Gauss for a band with another strategy.
    EXPECT_EXIT(lrZerlegungUndDeterminanteUndLoesen(&s, relativeSpaltenMaximumStrategie),
                testing::ExitedWithCode(1), meldung);
    EXPECT_EXIT(lgs_loesen_ohne_faktoren(&s, relativeSpaltenMaximumStrategie),
                testing::ExitedWithCode(1), meldung);
    bandmatrix_parameter p2 = {3, 2, "B2", 1};
    s.A = matrix_tabelle(&band_matrix)->kreieren(&p2, nullptr);
    EXPECT_EXIT(lrZerlegungUndDeterminanteUndLoesen(&s, diagonalStrategie),
                testing::ExitedWithCode(1), meldung);
    EXPECT_EXIT(lgs_loesen_ohne_faktoren(&s, nullptr), testing::ExitedWithCode(1), meldung);
    frei(s.A);
    bandmatrix_parameter p0 = {3, 0, "B0", 1};
    s.A = matrix_tabelle(&band_matrix)->kreieren(&p0, nullptr);
    EXPECT_EXIT(lrZerlegungUndDeterminanteUndLoesen(&s, nullptr), testing::ExitedWithCode(1),
                meldung);
    frei(s.A);
    frei(T);
    frei(b);
}

// ---------------------------------------------------------------------------
// Pivot strategies.

TEST(Pivotstrategie, Diagonal) {
    objekt *A = dicht(3, {1, 0, 0, 0, EPS, 0, 0, 0, NAN});
    EXPECT_EQ(diagonalStrategie(A, 1), 1);
    EXPECT_EQ(diagonalStrategie(A, 2), 2); // equal to eps passes
    EXPECT_EQ(diagonalStrategie(A, 3), 3); // NaN passes
    nmmatrix_setzen(A, 2, 2, std::nextafter(EPS, 0.0));
    EXPECT_EQ(diagonalStrategie(A, 2), 0);
    nmmatrix_setzen(A, 2, 2, -1e-300);
    EXPECT_EQ(diagonalStrategie(A, 2), 0);
    frei(A);
}

TEST(Pivotstrategie, RelativeColumnMaximum) {
    objekt *gleich = dicht(2, {1, 1, 2, 2}); // equal ratios: the smaller row
    EXPECT_EQ(relativeSpaltenMaximumStrategie(gleich, 1), 1);
    frei(gleich);
    objekt *null = dicht(2, {1, 2, 0, 0}); // a zero row ends the search
    EXPECT_EQ(relativeSpaltenMaximumStrategie(null, 1), 0);
    frei(null);
    objekt *spalte = dicht(2, {0, 1, 0, 1}); // nothing in column 1
    EXPECT_EQ(relativeSpaltenMaximumStrategie(spalte, 1), 0);
    frei(spalte);
    objekt *winzig = dicht(2, {1e-40, 1, 0, 1}); // the best pivot is below eps
    EXPECT_EQ(relativeSpaltenMaximumStrategie(winzig, 1), 0);
    frei(winzig);
    // Scaled: row 2 has the larger entry but the smaller ratio.
    objekt *skaliert = dicht(3, {1, 1, 0, 3, 100, 0, 0, 0, 1});
    EXPECT_EQ(relativeSpaltenMaximumStrategie(skaliert, 1), 1);
    nmmatrix_setzen(skaliert, 2, 2, 1.0);
    EXPECT_EQ(relativeSpaltenMaximumStrategie(skaliert, 1), 2);
    // Only the remaining block counts: at k = 2 columns 2..3.
    EXPECT_EQ(relativeSpaltenMaximumStrategie(skaliert, 2), 2);
    nmmatrix_setzen(skaliert, 3, 2, 5.0); // ratio 5/6 against 1/1: row 2 stays
    EXPECT_EQ(relativeSpaltenMaximumStrategie(skaliert, 2), 2);
    nmmatrix_setzen(skaliert, 2, 3, 4.0); // ratio 1/5 against 5/6
    EXPECT_EQ(relativeSpaltenMaximumStrategie(skaliert, 2), 3);
    frei(skaliert);
}

// ---------------------------------------------------------------------------
// Worked examples: dense Gauss.

int strategie_aufrufe = 0;
int zaehlende_strategie(objekt *A, int k) {
    ++strategie_aufrufe;
    return diagonalStrategie(A, k);
}

TEST(Gauss, OrderOne) {
    strategie_aufrufe = 0;
    lgs_halter lgs(dicht(1, {2}), vektor({4}));
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), zaehlende_strategie), 1);
    EXPECT_EQ(strategie_aufrufe, 0);
    erwarte_vektor(lgs->x, {-2});
    erwarte_vektor(lgs->c, {4});
    erwarte_vektor(lgs->p, {0});
    EXPECT_EQ(lgs->determinante, 2.0);
    erwarte_matrix(lgs->L, 1, {1});
    erwarte_matrix(lgs->R, 1, {2});
    EXPECT_STREQ(nmmatrix_name(lgs->p), "Vektor p");
    EXPECT_STREQ(nmmatrix_name(lgs->c), "Vektor c");
    EXPECT_STREQ(nmmatrix_name(lgs->x), "Loesungsvektor x");
    EXPECT_STREQ(nmmatrix_name(lgs->L), "L");
    EXPECT_STREQ(nmmatrix_name(lgs->R), "R");
    // Success iff |A(1,1)| >= eps.
    lgs_halter klein(dicht(1, {1e-40}), vektor({1}));
    EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(klein.zeiger(), diagonalStrategie), 0);
    erwarte_vektor(klein->p, {0});
    EXPECT_EQ(klein->c, UNBERUEHRT);
    lgs_halter gleich(dicht(1, {EPS}), vektor({EPS}));
    EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(gleich.zeiger(), diagonalStrategie), 1);
    erwarte_vektor(gleich->x, {-1});
}

TEST(Gauss, SingularWithDiagonalStrategy) {
    lgs_halter lgs(dicht(2, {1, 2, 2, 4}), vektor({1, 1}));
    EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), diagonalStrategie), 0);
    EXPECT_EQ(el(lgs->A, 1, 1), 1.0);
    EXPECT_EQ(el(lgs->A, 1, 2), 2.0);
    EXPECT_EQ(el(lgs->A, 2, 1), 2.0);
    EXPECT_EQ(el(lgs->A, 2, 2), 0.0);
    erwarte_vektor(lgs->p, {1, 0});
    EXPECT_EQ(lgs->determinante, 1.0); // lacks the last factor
    erwarte_vektor(lgs->b, {1, 1});
    for (objekt *feld : {lgs->L, lgs->R, lgs->c, lgs->x})
        EXPECT_EQ(feld, UNBERUEHRT);
}

TEST(Gauss, ExchangeNeededForZeroPivot) {
    {
        lgs_halter lgs(dicht(2, {0, 1, 1, 0}), vektor({1, 2}));
        EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), diagonalStrategie), 0);
        erwarte_vektor(lgs->p, {0, 0});
        EXPECT_EQ(lgs->c, UNBERUEHRT);
        EXPECT_EQ(lgs->L, UNBERUEHRT);
    }
    lgs_halter lgs(dicht(2, {0, 1, 1, 0}), vektor({1, 2}));
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), relativeSpaltenMaximumStrategie),
              1);
    erwarte_vektor(lgs->p, {2, 0});
    EXPECT_EQ(lgs->determinante, -1.0);
    erwarte_vektor(lgs->b, {2, 1}); // reordered: P*b0
    erwarte_vektor(lgs->c, {2, 1});
    erwarte_vektor(lgs->x, {-2, -1});
    erwarte_matrix(lgs->L, 2, {1, 0, 0, 1});
    erwarte_matrix(lgs->R, 2, {1, 0, 0, 1});
}

TEST(Gauss, TwoByTwoWithDiagonalStrategy) {
    lgs_halter lgs(dicht(2, {2, 1, 1, 3}), vektor({3, 4}));
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), diagonalStrategie), 1);
    EXPECT_EQ(elemente_von(lgs->A), (std::vector<double>{2, 1, 0.5, 2.5}));
    EXPECT_EQ(lgs->determinante, 5.0);
    erwarte_vektor(lgs->c, {3, 2.5});
    erwarte_vektor(lgs->x, {-1, -1});
    erwarte_vektor(lgs->p, {1, 0});
    erwarte_vektor(lgs->b, {3, 4});
    erwarte_matrix(lgs->L, 2, {1, 0, 0.5, 1});
    erwarte_matrix(lgs->R, 2, {2, 1, 0, 2.5});
}

TEST(Gauss, ThreeByThreeWithInterchanges) {
    // Interchanges in two steps; multipliers travel with their rows.
    std::vector<double> a0 = {1, 2, 3, 4, 5, 6, 7, 8, 10};
    lgs_halter lgs(dicht(3, a0), vektor({-6, -15, -25}));
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), relativeSpaltenMaximumStrategie),
              1);
    EXPECT_NEAR(lgs->determinante, -3.0, 1e-14);
    std::vector<double> x = inhalt(lgs->x);
    for (double w : x)
        EXPECT_NEAR(w, 1.0, 1e-14);
    EXPECT_EQ(el(lgs->p, 3, 1), 0.0);
    // P*A0 = L*R with P from p.
    std::vector<double> pa = a0;
    for (int k = 1; k <= 2; ++k) {
        int r = static_cast<int>(el(lgs->p, k, 1));
        for (int j = 0; j < 3; ++j)
            std::swap(pa[(k - 1) * 3 + j], pa[(r - 1) * 3 + j]);
    }
    EXPECT_LT(produktabweichung(lgs->L, lgs->R, pa, 3), TOLERANZ);
}

TEST(Gauss, StrategyRowOutOfRangeEndsWithIndexMessage) {
    objekt *A = dicht(2, {1, 2, 3, 4});
    objekt *b = vektor({1, 1});
    gleichungssystem s{A, b, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0};
    EXPECT_EXIT(lrZerlegungUndDeterminanteUndLoesen(&s, [](objekt *, int) { return 3; }),
                testing::ExitedWithCode(1),
                "^NM_MATRIX A Ungueltiger Index fuer Matrix: \\(3,1\\)\n$");
    frei(A);
    frei(b);
}

// ---------------------------------------------------------------------------
// Worked examples: tridiagonal elimination.

TEST(Tridiagonal, OrderOneWithEmptySideDiagonals) {
    for (pivotstrategie s : {pivotstrategie(nullptr), pivotstrategie(diagonalStrategie)}) {
        lgs_halter lgs(tridiagonal({4}, {}, {}), vektor({2}));
        ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), s), 1);
        EXPECT_EQ(lgs->determinante, 4.0);
        erwarte_vektor(lgs->c, {2});
        erwarte_vektor(lgs->x, {-0.5});
        erwarte_matrix(lgs->L, 1, {1});
        erwarte_matrix(lgs->R, 1, {4});
        EXPECT_EQ(lgs->p, UNBERUEHRT);
        lgs_halter schnell(tridiagonal({4}, {}, {}), vektor({2}));
        ASSERT_EQ(lgs_loesen_ohne_faktoren(schnell.zeiger(), s), 1);
        EXPECT_EQ(schnell->determinante, 4.0);
        erwarte_vektor(schnell->x, {-0.5});
        EXPECT_EQ(schnell->L, UNBERUEHRT);
        EXPECT_EQ(schnell->R, UNBERUEHRT);
    }
}

TEST(Tridiagonal, WorkedExample) {
    lgs_halter lgs(tridiagonal({2, 2, 2}, {1, 1}, {1, 1}), vektor({3, 4, 3}));
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), diagonalStrategie), 1);
    erwarte_vektor(bandmatrix_imVektor(lgs->A, 0), {2, 1.5, 4.0 / 3.0});
    erwarte_vektor(bandmatrix_imVektor(lgs->A, 1), {1, 1});
    erwarte_vektor(bandmatrix_imVektor(lgs->A, 2), {0.5, 2.0 / 3.0});
    EXPECT_DOUBLE_EQ(lgs->determinante, 4.0);
    erwarte_vektor(lgs->c, {3, 2.5, 4.0 / 3.0});
    erwarte_vektor(lgs->x, {-1, -1, -1});
    erwarte_vektor(lgs->b, {3, 4, 3});
    EXPECT_EQ(lgs->p, UNBERUEHRT);
    erwarte_matrix(lgs->L, 3, {1, 0, 0, 0.5, 1, 0, 0, 2.0 / 3.0, 1});
    erwarte_matrix(lgs->R, 3, {2, 1, 0, 0, 1.5, 1, 0, 0, 4.0 / 3.0});
}

TEST(Tridiagonal, ZeroPivotIsNotDetected) {
    lgs_halter lgs(tridiagonal({0, 2, 2}, {1, 1}, {1, 1}), vektor({1, 1, 1}));
    testing::internal::CaptureStderr();
    EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), nullptr), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(std::isinf(el(bandmatrix_imVektor(lgs->A, 2), 1, 1)));
    EXPECT_FALSE(std::isfinite(el(lgs->x, 1, 1)));
}

TEST(Tridiagonal, ShortLoadedDiagonalEndsWithIndexMessage) {
    const char *text = "BAND_MATRIX: K\nn = 3\nm = 1\n"
                       "NM_MATRIX: H\nn = 3\nm = 1\n4\n4\n4\n"
                       "NM_MATRIX: O\nn = 1\nm = 1\n1\n"
                       "NM_MATRIX: U\nn = 2\nm = 1\n1\n1\n";
    const char *meldung = "^NM_MATRIX O Ungueltiger Index fuer Matrix: \\(2,1\\)\n$";
    auto loese = [text](bool mit_faktoren) {
        textquelle ein(text);
        gleichungssystem s{matrix_tabelle(&allg_matrix)->laden(ein, nullptr),
                           vektor({1, 1, 1}), nullptr, nullptr, nullptr, nullptr, nullptr, 0.0};
        if (mit_faktoren)
            lrZerlegungUndDeterminanteUndLoesen(&s, nullptr);
        else
            lgs_loesen_ohne_faktoren(&s, diagonalStrategie);
    };
    EXPECT_EXIT(loese(true), testing::ExitedWithCode(1), meldung);
    EXPECT_EXIT(loese(false), testing::ExitedWithCode(1), meldung);
}

TEST(Tridiagonal, LoadedTextsAreSolvedAlikeByBothPaths) {
    // The lower diagonal of the text is longer than needed: its extra entry
    // is never read.  A cyclic text through the generic loader as well.
    const char *texte[] = {"BAND_MATRIX: G\nn = 3\nm = 1\n"
                           "NM_MATRIX: H\nn = 3\nm = 1\n2\n2\n2\n"
                           "NM_MATRIX: O\nn = 2\nm = 1\n1\n1\n"
                           "NM_MATRIX: U\nn = 3\nm = 1\n1\n1\n99\n",
                           "A06__MATRIX: Z\nn = 3\n"
                           "NM_MATRIX: H\nn = 3\nm = 1\n4\n4\n4\n"
                           "NM_MATRIX: S\nn = 2\nm = 1\n1\n1\n"
                           "NM_MATRIX: C\nn = 1\nm = 1\n1\n"};
    const std::vector<double> rechts[] = {{3, 4, 3}, {6, 6, 6}};
    for (int t = 0; t < 2; ++t) {
        textquelle ein1(texte[t]), ein2(texte[t]);
        lgs_halter voll(matrix_tabelle(&allg_matrix)->laden(ein1, nullptr), vektor(rechts[t]));
        lgs_halter schnell(matrix_tabelle(&allg_matrix)->laden(ein2, nullptr), vektor(rechts[t]));
        ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(voll.zeiger(), diagonalStrategie), 1);
        ASSERT_EQ(lgs_loesen_ohne_faktoren(schnell.zeiger(), diagonalStrategie), 1);
        for (double w : inhalt(voll->x))
            EXPECT_NEAR(w, -1.0, 1e-15);
        EXPECT_DOUBLE_EQ(voll->determinante, t == 0 ? 4.0 : 54.0);
        erwarte_gleich(festhalten(voll.zeiger(), 1, true), festhalten(schnell.zeiger(), 1, true));
    }
}

// ---------------------------------------------------------------------------
// Worked examples: cyclic Cholesky.

TEST(Cholesky, OrderThree) {
    lgs_halter lgs(zyklisch({4, 4, 4}, {1, 1}, 1), vektor({6, 6, 6}));
    testing::internal::CaptureStderr();
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), relativeSpaltenMaximumStrategie),
              1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    objekt *L = lgs->L;
    EXPECT_EQ(el(L, 1, 1), 2.0);
    EXPECT_EQ(el(L, 2, 1), 0.5);
    EXPECT_EQ(el(L, 3, 1), 0.5);
    EXPECT_EQ(el(L, 2, 2), std::sqrt(3.75));
    EXPECT_EQ(el(L, 3, 2), 0.75 / std::sqrt(3.75));
    EXPECT_DOUBLE_EQ(el(L, 3, 3), std::sqrt(3.6));
    EXPECT_EQ(el(L, 1, 2), 0.0);
    EXPECT_EQ(el(L, 1, 3), 0.0);
    EXPECT_EQ(el(L, 2, 3), 0.0);
    erwarte_vektor(a06_matrix_imVektor(lgs->A, 0), {4, 3.75, 3.6});
    erwarte_vektor(a06_matrix_imVektor(lgs->A, 1), {1, 0.75});
    erwarte_vektor(a06_matrix_imVektor(lgs->A, 2), {0.75});
    EXPECT_DOUBLE_EQ(lgs->determinante, 54.0);
    for (double w : inhalt(lgs->x))
        EXPECT_NEAR(w, -1.0, 1e-15);
    EXPECT_EQ(lgs->p, UNBERUEHRT);
    // R = L^T exactly.
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(el(lgs->R, i, j), el(L, j, i));
    // L*L^T = A0.
    EXPECT_LT(produktabweichung(L, lgs->R, {4, 1, 1, 1, 4, 1, 1, 1, 4}, 3), TOLERANZ);
    // L*c = b0.
    objekt *Lc = nmmatrix_produkt(L, lgs->c);
    for (double w : inhalt(Lc))
        EXPECT_NEAR(w, 6.0, 1e-14);
    frei(Lc);
}

TEST(Cholesky, OrderTwoWarnsWhenSideAndCornerDisagree) {
    lgs_halter lgs(zyklisch({4, 4}, {1}, 2), vektor({1, 1}));
    testing::internal::CaptureStderr();
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), nullptr), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warnung: merkwuerdige Differenz bei der Berechnung.\n");
    erwarte_matrix(lgs->L, 2, {2, 0, 1, std::sqrt(3.0)});
    EXPECT_DOUBLE_EQ(lgs->determinante, 12.0);
    // The O(n) path warns alike.
    lgs_halter schnell(zyklisch({4, 4}, {1}, 2), vektor({1, 1}));
    testing::internal::CaptureStderr();
    ASSERT_EQ(lgs_loesen_ohne_faktoren(schnell.zeiger(), nullptr), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warnung: merkwuerdige Differenz bei der Berechnung.\n");
    EXPECT_EQ(bits(inhalt(schnell->x)), bits(inhalt(lgs->x)));
}

TEST(Cholesky, OrderTwoWithoutWarning) {
    lgs_halter lgs(zyklisch({4, 4}, {1}, 1), vektor({5, 5}));
    testing::internal::CaptureStderr();
    ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), diagonalStrategie), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_DOUBLE_EQ(lgs->determinante, 15.0);
    erwarte_vektor(lgs->x, {-1, -1});
}

TEST(Cholesky, FirstPivotFails) {
    for (double d1 : {0.0, -1.0, std::nextafter(EPS, 0.0)}) {
        lgs_halter lgs(zyklisch({d1, 4, 4}, {1, 1}, 1), vektor({1, 1, 1}));
        EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), nullptr), 0);
        // L is set, zero-filled, nothing written.
        ASSERT_NE(lgs->L, UNBERUEHRT);
        EXPECT_STREQ(nmmatrix_name(lgs->L), "L");
        for (double w : elemente_von(lgs->L))
            EXPECT_EQ(w, 0.0);
        EXPECT_EQ(lgs->determinante, 1.0);
        for (objekt *feld : {lgs->p, lgs->R, lgs->c, lgs->x})
            EXPECT_EQ(feld, UNBERUEHRT);
        lgs_halter schnell(zyklisch({d1, 4, 4}, {1, 1}, 1), vektor({1, 1, 1}));
        EXPECT_EQ(lgs_loesen_ohne_faktoren(schnell.zeiger(), nullptr), 0);
        for (objekt *feld : {schnell->p, schnell->L, schnell->R, schnell->c, schnell->x})
            EXPECT_EQ(feld, UNBERUEHRT);
    }
}

TEST(Cholesky, PivotEqualToEpsilonPasses) {
    lgs_halter lgs(zyklisch({EPS, 1, 1}, {0, 0}, 0), vektor({0, 0, 0}));
    EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), nullptr), 1);
}

TEST(Cholesky, LaterPivotFailsWithLPartlyFilled) {
    // d(2) becomes 0.5 - 1 < 0 in step 1: the step k = n-1 fails.
    lgs_halter lgs(zyklisch({1, 0.5, 4}, {1, 0.25}, 0.5), vektor({1, 1, 1}));
    EXPECT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), nullptr), 0);
    erwarte_matrix(lgs->L, 3, {1, 0, 0, 1, 0, 0, 0.5, 0, 0});
    EXPECT_EQ(lgs->determinante, 1.0);
    erwarte_vektor(a06_matrix_imVektor(lgs->A, 0), {1, -0.5, 3.75});
    for (objekt *feld : {lgs->R, lgs->c, lgs->x})
        EXPECT_EQ(feld, UNBERUEHRT);
}

TEST(Cholesky, OrderOneEndsWithTheVectorsIndexMessage) {
    const char *meldung = "^NM_MATRIX Hauptdiagonal-Vektor Ungueltiger Index fuer Matrix: "
                          "\\(0,1\\)\n$";
    objekt *A = zyklisch({4}, {}, 1);
    objekt *b = vektor({1});
    gleichungssystem s{A, b, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0};
    EXPECT_EXIT(lrZerlegungUndDeterminanteUndLoesen(&s, nullptr), testing::ExitedWithCode(1),
                meldung);
    EXPECT_EXIT(lgs_loesen_ohne_faktoren(&s, nullptr), testing::ExitedWithCode(1), meldung);
    frei(A);
    frei(b);
}

// ---------------------------------------------------------------------------
// Random well-conditioned systems.

std::vector<double> zufallsvektor(std::mt19937 &z, int n, double von, double bis) {
    std::uniform_real_distribution<double> g(von, bis);
    std::vector<double> v(n);
    for (double &w : v)
        w = g(z);
    return v;
}

// 2n*P + E with E uniform in [-1,1] and P a permutation (the identity for
// the diagonal strategy): condition at most about 3.
std::vector<double> zufallsmatrix(std::mt19937 &z, int n, bool permutiert) {
    std::vector<double> a = zufallsvektor(z, n * n, -1.0, 1.0);
    std::vector<int> perm(n);
    for (int k = 0; k < n; ++k)
        perm[k] = k;
    if (permutiert)
        std::shuffle(perm.begin(), perm.end(), z);
    for (int i = 0; i < n; ++i)
        a[i * n + perm[i]] += 2.0 * n;
    return a;
}

TEST(Zufall, DenseGauss) {
    std::mt19937 z(20240601);
    for (int n : {1, 2, 3, 5, 8, 13, 30}) {
        for (bool relativ : {false, true}) {
            SCOPED_TRACE("n = " + std::to_string(n) + (relativ ? " relativ" : " diagonal"));
            std::vector<double> a0 = zufallsmatrix(z, n, relativ);
            std::vector<double> b0 = zufallsvektor(z, n, -10.0, 10.0);
            lgs_halter lgs(dicht(n, a0), vektor(b0));
            pivotstrategie s = relativ ? relativeSpaltenMaximumStrategie : diagonalStrategie;
            ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), s), 1);
            EXPECT_LT(relatives_residuum(a0, b0, inhalt(lgs->x)), TOLERANZ);
            // P*A0 = L*R and b = P*b0.
            std::vector<double> pa = a0, pb = b0;
            for (int k = 1; k < n; ++k) {
                int r = static_cast<int>(el(lgs->p, k, 1));
                ASSERT_GE(r, k);
                ASSERT_LE(r, n);
                if (!relativ) {
                    EXPECT_EQ(r, k);
                }
                for (int j = 0; j < n; ++j)
                    std::swap(pa[(k - 1) * n + j], pa[(r - 1) * n + j]);
                std::swap(pb[k - 1], pb[r - 1]);
            }
            EXPECT_EQ(el(lgs->p, n, 1), 0.0);
            EXPECT_EQ(inhalt(lgs->b), pb);
            EXPECT_LT(produktabweichung(lgs->L, lgs->R, pa, n), TOLERANZ);
            for (int i = 1; i <= n; ++i) {
                EXPECT_EQ(el(lgs->L, i, i), 1.0);
                for (int j = i + 1; j <= n; ++j) {
                    EXPECT_EQ(el(lgs->L, i, j), 0.0);
                    EXPECT_EQ(el(lgs->R, j, i), 0.0);
                }
            }
            long double det = determinante_referenz(lang(a0), n);
            EXPECT_NEAR(lgs->determinante / static_cast<double>(det), 1.0, 1e-12);
        }
    }
}

TEST(Zufall, Tridiagonal) {
    std::mt19937 z(4711);
    for (int n : {1, 2, 3, 4, 9, 40, 200}) {
        SCOPED_TRACE("n = " + std::to_string(n));
        std::vector<double> haupt = zufallsvektor(z, n, 3.0, 5.0);
        for (double &h : haupt)
            if (z() % 2 == 0)
                h = -h;
        std::vector<double> oben = zufallsvektor(z, n - 1, -1.0, 1.0);
        std::vector<double> unten = zufallsvektor(z, n - 1, -1.0, 1.0);
        std::vector<double> b0 = zufallsvektor(z, n, -10.0, 10.0);
        lgs_halter lgs(tridiagonal(haupt, oben, unten), vektor(b0));
        std::vector<double> a0 = elemente_von(lgs->A);
        ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), diagonalStrategie), 1);
        EXPECT_LT(relatives_residuum(a0, b0, inhalt(lgs->x)), TOLERANZ);
        EXPECT_LT(produktabweichung(lgs->L, lgs->R, a0, n), TOLERANZ);
        // L unit lower bidiagonal, R upper bidiagonal with the unchanged
        // upper diagonal.
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                double l = el(lgs->L, i, j), r = el(lgs->R, i, j);
                double l_soll = i == j ? 1.0 : 0.0;
                if (i == j + 1)
                    l_soll = el(bandmatrix_imVektor(lgs->A, 2), j, 1);
                EXPECT_EQ(l, l_soll) << i << "," << j;
                if (j == i + 1) {
                    EXPECT_EQ(r, oben[i - 1]);
                } else if (i != j) {
                    EXPECT_EQ(r, 0.0);
                }
            }
        // det by the three-term recurrence.
        long double f0 = 1.0L, f1 = haupt[0];
        for (int k = 1; k < n; ++k) {
            long double f2 =
                haupt[k] * f1 - static_cast<long double>(oben[k - 1]) * unten[k - 1] * f0;
            f0 = f1;
            f1 = f2;
        }
        EXPECT_NEAR(lgs->determinante / static_cast<double>(f1), 1.0, 1e-12);
    }
}

TEST(Zufall, CyclicCholesky) {
    std::mt19937 z(1234);
    for (int n : {2, 3, 4, 5, 11, 40, 150}) {
        SCOPED_TRACE("n = " + std::to_string(n));
        std::vector<double> haupt = zufallsvektor(z, n, 4.0, 6.0);
        std::vector<double> neben = zufallsvektor(z, n - 1, -1.0, 1.0);
        // For n = 2 side and corner stand for the same positions.
        double ecke = n == 2 ? neben[0] : zufallsvektor(z, 1, -1.0, 1.0)[0];
        std::vector<double> b0 = zufallsvektor(z, n, -10.0, 10.0);
        lgs_halter lgs(zyklisch(haupt, neben, ecke), vektor(b0));
        std::vector<double> a0 = elemente_von(lgs->A);
        testing::internal::CaptureStderr();
        ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), nullptr), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_LT(relatives_residuum(a0, b0, inhalt(lgs->x)), TOLERANZ);
        EXPECT_LT(produktabweichung(lgs->L, lgs->R, a0, n), TOLERANZ);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                EXPECT_EQ(el(lgs->R, i, j), el(lgs->L, j, i));
                // Non-zeros of L: diagonal, sub-diagonal, last row.
                if (!(i == j || i == j + 1 || (i == n && j < n))) {
                    EXPECT_EQ(el(lgs->L, i, j), 0.0) << i << "," << j;
                }
            }
        EXPECT_GT(el(lgs->L, n, n), 0.0);
        long double det = determinante_referenz(lang(a0), n);
        EXPECT_NEAR(lgs->determinante / static_cast<double>(det), 1.0, 1e-12);
    }
}

// ---------------------------------------------------------------------------
// The O(n) path: same results, bit for bit, without dense factors.

// Builds the same system twice (from the same seed) and solves it by the
// entry and by the O(n) path.
template <class Bauen> void vergleiche_pfade(Bauen bauen, pivotstrategie s, bool diagonalen) {
    lgs_halter voll(nullptr, nullptr);
    bauen(voll.s);
    int e1 = lrZerlegungUndDeterminanteUndLoesen(voll.zeiger(), s);
    lgs_halter schnell(nullptr, nullptr);
    bauen(schnell.s);
    int e2 = lgs_loesen_ohne_faktoren(schnell.zeiger(), s);
    erwarte_gleich(festhalten(voll.zeiger(), e1, diagonalen),
                   festhalten(schnell.zeiger(), e2, diagonalen));
    EXPECT_EQ(schnell->L, UNBERUEHRT);
    EXPECT_EQ(schnell->R, UNBERUEHRT);
    if (e1 == 1) {
        EXPECT_NE(voll->L, UNBERUEHRT);
        EXPECT_NE(voll->R, UNBERUEHRT);
    }
}

TEST(OhneFaktoren, BitIdenticalToTheEntry) {
    for (int n : {1, 2, 3, 17, 300}) {
        SCOPED_TRACE("band n = " + std::to_string(n));
        auto bauen = [n](gleichungssystem &s) {
            std::mt19937 z(n);
            std::vector<double> haupt = zufallsvektor(z, n, 3.0, 5.0);
            s.A = tridiagonal(haupt, zufallsvektor(z, n - 1, -1, 1),
                              zufallsvektor(z, n - 1, -1, 1));
            s.b = vektor(zufallsvektor(z, n, -1, 1));
        };
        vergleiche_pfade(bauen, nullptr, true);
        vergleiche_pfade(bauen, diagonalStrategie, true);
    }
    for (int n : {2, 3, 4, 17, 300}) {
        SCOPED_TRACE("zyklisch n = " + std::to_string(n));
        auto bauen = [n](gleichungssystem &s) {
            std::mt19937 z(n);
            std::vector<double> neben = zufallsvektor(z, n - 1, -1, 1);
            s.A = zyklisch(zufallsvektor(z, n, 4, 6), neben, n == 2 ? neben[0] : 0.375);
            s.b = vektor(zufallsvektor(z, n, -1, 1));
        };
        vergleiche_pfade(bauen, diagonalStrategie, true);
    }
    for (int n : {1, 4, 12}) {
        SCOPED_TRACE("dicht n = " + std::to_string(n));
        for (bool relativ : {false, true}) {
            auto bauen = [n, relativ](gleichungssystem &s) {
                std::mt19937 z(n);
                s.A = dicht(n, zufallsmatrix(z, n, relativ));
                s.b = vektor(zufallsvektor(z, n, -1, 1));
            };
            vergleiche_pfade(bauen, relativ ? relativeSpaltenMaximumStrategie : diagonalStrategie,
                             false);
        }
    }
    // Failures too: a singular dense system and a failing Cholesky pivot.
    vergleiche_pfade(
        [](gleichungssystem &s) {
            s.A = dicht(2, {1, 2, 2, 4});
            s.b = vektor({1, 1});
        },
        diagonalStrategie, false);
    vergleiche_pfade(
        [](gleichungssystem &s) {
            s.A = zyklisch({1, 0.5, 4}, {1, 0.25}, 0.5);
            s.b = vektor({1, 1, 1});
        },
        nullptr, true);
}

TEST(OhneFaktoren, LargeSystemsInLinearMemory) {
    // The entry would need two dense factors of 8 * 10^12 bytes each here.
    const int n = 1000000;
    {
        std::vector<double> haupt(n, 4.0), neben(n - 1, 1.0), b0(n);
        for (int k = 0; k < n; ++k)
            b0[k] = std::sin(0.001 * k);
        lgs_halter lgs(tridiagonal(haupt, neben, neben), vektor(b0));
        ASSERT_EQ(lgs_loesen_ohne_faktoren(lgs.zeiger(), diagonalStrategie), 1);
        std::vector<double> x = inhalt(lgs->x);
        double fehler = 0.0;
        for (int k = 0; k < n; ++k) {
            double summe = 4.0 * x[k] + b0[k];
            if (k > 0)
                summe += x[k - 1];
            if (k < n - 1)
                summe += x[k + 1];
            fehler = std::max(fehler, std::fabs(summe));
        }
        EXPECT_LT(fehler, 1e-14);
        EXPECT_EQ(lgs->L, UNBERUEHRT);
    }
    {
        std::vector<double> haupt(n, 4.0), neben(n - 1, 1.0), b0(n);
        for (int k = 0; k < n; ++k)
            b0[k] = std::cos(0.001 * k);
        lgs_halter lgs(zyklisch(haupt, neben, 1.0), vektor(b0));
        ASSERT_EQ(lgs_loesen_ohne_faktoren(lgs.zeiger(), diagonalStrategie), 1);
        std::vector<double> x = inhalt(lgs->x);
        double fehler = 0.0;
        for (int k = 0; k < n; ++k) {
            double summe = 4.0 * x[k] + b0[k] + x[(k + n - 1) % n] + x[(k + 1) % n];
            fehler = std::max(fehler, std::fabs(summe));
        }
        EXPECT_LT(fehler, 1e-14);
        EXPECT_EQ(lgs->L, UNBERUEHRT);
        EXPECT_EQ(lgs->R, UNBERUEHRT);
    }
}

// ---------------------------------------------------------------------------
// Spy tables: dispatch by descriptor, and the table path (every element
// through amIndex and setzen) giving the same bits as the direct path.

int klasse_aufrufe = 0;
int amIndex_aufrufe = 0;
int imVektor_aufrufe = 0;

TEST(Spion, TridiagonalThroughTheTableIsBitIdentical) {
    static matrix_funktionen spion;
    spion = band_matrixFunktionen;
    spion.klasse = [](objekt *) -> objekt * {
        ++klasse_aufrufe;
        return &band_matrix;
    };
    spion.amIndex = [](objekt *m, int i, int j) {
        ++amIndex_aufrufe;
        return bandmatrix_amIndex(m, i, j);
    };
    for (bool mit_faktoren : {true, false}) {
        auto bauen = [](gleichungssystem &s) {
            std::mt19937 z(99);
            s.A = tridiagonal(zufallsvektor(z, 25, 3, 5), zufallsvektor(z, 24, -1, 1),
                              zufallsvektor(z, 24, -1, 1));
            s.b = vektor(zufallsvektor(z, 25, -1, 1));
        };
        lgs_halter direkt(nullptr, nullptr), tabelle(nullptr, nullptr);
        bauen(direkt.s);
        bauen(tabelle.s);
        tabelle->A->funktionen = &spion;
        klasse_aufrufe = amIndex_aufrufe = 0;
        auto loese = mit_faktoren ? lrZerlegungUndDeterminanteUndLoesen : lgs_loesen_ohne_faktoren;
        int e1 = loese(direkt.zeiger(), nullptr);
        int e2 = loese(tabelle.zeiger(), nullptr);
        EXPECT_EQ(klasse_aufrufe, 1);
        EXPECT_GT(amIndex_aufrufe, 4 * 24);
        tabelle->A->funktionen = &band_matrixFunktionen;
        erwarte_gleich(festhalten(direkt.zeiger(), e1, true),
                       festhalten(tabelle.zeiger(), e2, true));
        if (mit_faktoren) {
            EXPECT_EQ(bits(elemente_von(direkt->L)), bits(elemente_von(tabelle->L)));
            EXPECT_EQ(bits(elemente_von(direkt->R)), bits(elemente_von(tabelle->R)));
        }
    }
}

TEST(Spion, CholeskyWithVectorsThroughTheirTables) {
    static matrix_funktionen vektorspion;
    vektorspion = nm_matrixFunktionen;
    vektorspion.amIndex = [](objekt *m, int i, int j) {
        ++amIndex_aufrufe;
        return nmmatrix_amIndex(m, i, j);
    };
    static matrix_funktionen spion;
    spion = a06__matrixFunktionen;
    spion.klasse = [](objekt *) -> objekt * {
        ++klasse_aufrufe;
        return &a06__matrix;
    };
    spion.imVektor = [](objekt *m, int k) {
        ++imVektor_aufrufe;
        return a06_matrix_imVektor(m, k);
    };
    auto bauen = [](gleichungssystem &s) {
        std::mt19937 z(7);
        s.A = zyklisch(zufallsvektor(z, 30, 4, 6), zufallsvektor(z, 29, -1, 1), -0.5);
        s.b = vektor(zufallsvektor(z, 30, -1, 1));
    };
    for (bool mit_faktoren : {true, false}) {
        lgs_halter direkt(nullptr, nullptr), tabelle(nullptr, nullptr);
        bauen(direkt.s);
        bauen(tabelle.s);
        tabelle->A->funktionen = &spion;
        for (int k = 0; k < 3; ++k)
            a06_matrix_imVektor(tabelle->A, k)->funktionen = &vektorspion;
        tabelle->b->funktionen = &vektorspion;
        klasse_aufrufe = amIndex_aufrufe = imVektor_aufrufe = 0;
        auto loese = mit_faktoren ? lrZerlegungUndDeterminanteUndLoesen : lgs_loesen_ohne_faktoren;
        int e1 = loese(direkt.zeiger(), nullptr);
        int e2 = loese(tabelle.zeiger(), nullptr);
        EXPECT_EQ(klasse_aufrufe, 1);
        EXPECT_EQ(imVektor_aufrufe, 3);
        EXPECT_GT(amIndex_aufrufe, 3 * 30);
        tabelle->A->funktionen = &a06__matrixFunktionen;
        erwarte_gleich(festhalten(direkt.zeiger(), e1, true),
                       festhalten(tabelle.zeiger(), e2, true));
        if (mit_faktoren) {
            EXPECT_EQ(bits(elemente_von(direkt->L)), bits(elemente_von(tabelle->L)));
        }
    }
}

TEST(Spion, DispatchFollowsTheDescriptorNotTheTable) {
    // An NM_MATRIX whose klasse slot names band_matrix (band width 1) is
    // solved by the tridiagonal elimination: no strategy needed, no p.
    static matrix_funktionen als_band;
    als_band = nm_matrixFunktionen;
    als_band.klasse = [](objekt *) -> objekt * {
        ++klasse_aufrufe;
        return &band_matrix;
    };
    als_band.bandbreite = [](objekt *) { return 1; };
    {
        lgs_halter lgs(dicht(3, {2, 1, 0, 1, 2, 1, 0, 1, 2}), vektor({3, 4, 3}));
        lgs->A->funktionen = &als_band;
        klasse_aufrufe = 0;
        ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), nullptr), 1);
        lgs->A->funktionen = &nm_matrixFunktionen;
        EXPECT_EQ(klasse_aufrufe, 1);
        EXPECT_EQ(lgs->p, UNBERUEHRT);
        erwarte_vektor(lgs->x, {-1, -1, -1});
        EXPECT_DOUBLE_EQ(lgs->determinante, 4.0);
        EXPECT_EQ(el(lgs->A, 2, 1), 0.5);
    }
    // The same object claiming band width 2 has no method; the message
    // names the descriptor's type text.
    als_band.bandbreite = [](objekt *) { return 2; };
    objekt *A = dicht(2, {1, 0, 0, 1});
    objekt *b = vektor({1, 1});
    A->funktionen = &als_band;
    gleichungssystem s{A, b, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0};
    EXPECT_EXIT(lrZerlegungUndDeterminanteUndLoesen(&s, diagonalStrategie),
                testing::ExitedWithCode(1),
                "^Fuer Matrixtyp BAND_MATRIX kein Loesungsverfahren  verfuegbar\n$");
    A->funktionen = &nm_matrixFunktionen;
    // A band matrix whose klasse slot names nm_matrix is solved by Gauss.
    static matrix_funktionen als_dicht;
    als_dicht = band_matrixFunktionen;
    als_dicht.klasse = [](objekt *) -> objekt * { return &nm_matrix; };
    {
        lgs_halter lgs(tridiagonal({2, 2, 2}, {1, 1}, {1, 1}), vektor({3, 4, 3}));
        lgs->A->funktionen = &als_dicht;
        ASSERT_EQ(lrZerlegungUndDeterminanteUndLoesen(lgs.zeiger(), diagonalStrategie), 1);
        lgs->A->funktionen = &band_matrixFunktionen;
        ASSERT_NE(lgs->p, UNBERUEHRT);
        erwarte_vektor(lgs->p, {1, 2, 0});
        erwarte_vektor(lgs->x, {-1, -1, -1});
    }
    frei(A);
    frei(b);
}

} // namespace
