// A06__MATRIX: slot table, creation, element mapping (side diagonal before
// corner), writes where the shape has a zero, vectors, text form, loading.
#include "hilfen.h"
#include "numerik/a06_mtrx.h"
#include "numerik/matrix.h"
#include "numerik/nmmatrix.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

objekt *zyklisch(int n, const char *name, int nullsetzen = 1) {
    a06_matrix_parameter p = {n, name, nullsetzen};
    return matrix_tabelle(&a06__matrix)->kreieren(&p, nullptr);
}

void frei(objekt *m) { matrix_tabelle(m)->freigeben(m); }

std::string gespeichert(objekt *m) {
    textsenke aus;
    matrix_tabelle(m)->speichern(m, aus);
    return aus.text();
}

// Order n with main diagonal 1..n, side diagonal 10, 20, ... and corner 99.
objekt *beispiel(int n, const char *name = "Z") {
    objekt *a = zyklisch(n, name);
    for (int k = 1; k <= n; ++k)
        a06_matrix_setzen(a, k, k, k);
    for (int k = 1; k < n; ++k)
        nmmatrix_setzen(a06_matrix_imVektor(a, 1), k, 1, 10.0 * k);
    nmmatrix_setzen(a06_matrix_imVektor(a, 2), 1, 1, 99.0);
    return a;
}

TEST(A06MatrixTabelle, SlotsInInterfaceOrder) {
    const void *const *slots = reinterpret_cast<const void *const *>(&a06__matrixFunktionen);
    const void *erwartet[14] = {
        reinterpret_cast<const void *>(matrix_ausgeben),
        reinterpret_cast<const void *>(a06_matrix_speichern),
        reinterpret_cast<const void *>(a06_matrix_laden),
        reinterpret_cast<const void *>(a06_matrix_freigeben),
        reinterpret_cast<const void *>(a06_matrix_kreieren),
        reinterpret_cast<const void *>(a06_matrix_amIndex),
        reinterpret_cast<const void *>(a06_matrix_setzen),
        reinterpret_cast<const void *>(a06_matrix_breite),
        reinterpret_cast<const void *>(a06_matrix_hoehe),
        reinterpret_cast<const void *>(a06_matrix_name),
        reinterpret_cast<const void *>(matrix_klasse),
        reinterpret_cast<const void *>(nmmatrix_produkt),
        reinterpret_cast<const void *>(a06_matrix_imVektor),
        nullptr,
    };
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(slots[i], erwartet[i]) << "slot " << i;
    EXPECT_EQ(a06__matrix.funktionen, &a06__matrixFunktionen);
    EXPECT_EQ(a06__matrix.daten, nullptr);
    EXPECT_STREQ(matrix_tabelle(&a06__matrix)->name(&a06__matrix), "A06__MATRIX");
}

TEST(A06Matrix, CreationAndVectors) {
    objekt *ohne = matrix_tabelle(&a06__matrix)->kreieren(nullptr, nullptr);
    EXPECT_STREQ(a06_matrix_name(ohne), "unbenannt");
    EXPECT_EQ(a06_matrix_hoehe(ohne), 5);
    EXPECT_EQ(a06_matrix_breite(ohne), 5);
    EXPECT_EQ(matrix_klasse(ohne), &a06__matrix);
    frei(ohne);
    objekt *a = zyklisch(4, "V");
    const char *namen[] = {"Hauptdiagonal-Vektor", "Nebendiagonal-Vektor", "Eckelement c"};
    const int zeilen[] = {4, 3, 1};
    for (int k = 0; k < 3; ++k) {
        objekt *v = a06_matrix_imVektor(a, k);
        EXPECT_EQ(matrix_klasse(v), &nm_matrix);
        EXPECT_STREQ(nmmatrix_name(v), namen[k]);
        EXPECT_EQ(nmmatrix_hoehe(v), zeilen[k]);
        EXPECT_EQ(nmmatrix_breite(v), 1);
    }
    EXPECT_EXIT(a06_matrix_imVektor(a, 3), testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer a06_matrix V: \\(3\\)\n$");
    EXPECT_EXIT(a06_matrix_imVektor(a, -1), testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer a06_matrix V: \\(-1\\)\n$");
    frei(a);
}

TEST(A06Matrix, MappingOrderFive) {
    objekt *a = beispiel(5);
    EXPECT_EQ(a06_matrix_amIndex(a, 2, 3), 20.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 3, 2), 20.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 1, 5), 99.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 5, 1), 99.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 1, 3), 0.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 4, 4), 4.0);
    // One stored value serves both mirror positions.
    a06_matrix_setzen(a, 4, 3, -7.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 3, 4), -7.0);
    a06_matrix_setzen(a, 5, 1, 12.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 1, 5), 12.0);
    EXPECT_EQ(nmmatrix_amIndex(a06_matrix_imVektor(a, 2), 1, 1), 12.0);
    frei(a);
}

TEST(A06Matrix, SideDiagonalWinsOverCornerForOrderTwo) {
    objekt *a = beispiel(2);
    EXPECT_EQ(a06_matrix_amIndex(a, 1, 2), 10.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 2, 1), 10.0);
    a06_matrix_setzen(a, 2, 1, 5.0);
    EXPECT_EQ(nmmatrix_amIndex(a06_matrix_imVektor(a, 1), 1, 1), 5.0);
    EXPECT_EQ(nmmatrix_amIndex(a06_matrix_imVektor(a, 2), 1, 1), 99.0);
    frei(a);
}

TEST(A06Matrix, CornerForOrderThreeAndOrderOne) {
    objekt *a = beispiel(3);
    // |1 - 3| = 2 = n - 1: the corner, not a side diagonal.
    EXPECT_EQ(a06_matrix_amIndex(a, 1, 3), 99.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 3, 1), 99.0);
    EXPECT_EQ(a06_matrix_amIndex(a, 2, 3), 20.0);
    frei(a);
    objekt *eins = beispiel(1, "E");
    EXPECT_EQ(nmmatrix_hoehe(a06_matrix_imVektor(eins, 1)), 0);
    EXPECT_EQ(a06_matrix_amIndex(eins, 1, 1), 1.0);
    EXPECT_EXIT(a06_matrix_amIndex(eins, 1, 2), testing::ExitedWithCode(1),
                "^A06__MATRIXUngueltiger Index fuer Matrix: \\(1,2\\)\n$");
    frei(eins);
}

TEST(A06Matrix, WritesWhereTheShapeHasAZero) {
    objekt *a = beispiel(5);
    std::string vorher = gespeichert(a);
    a06_matrix_setzen(a, 1, 3, 0.0);
    a06_matrix_setzen(a, 4, 1, NAN);
    // Just below 2^-120 is zero for this class.
    a06_matrix_setzen(a, 4, 1, std::nextafter(std::pow(2.0, -120.0), 0.0));
    EXPECT_EQ(gespeichert(a), vorher);
    EXPECT_EXIT(a06_matrix_setzen(a, 1, 3, 2.5), testing::ExitedWithCode(1),
                "^Fehler: es wurde versucht, in der A06__MATRIX 'Z' an der Stelle \\(1,3\\) "
                "einen Wert ungleich null \\(2.5\\) zu setzen.\n$");
    // Equality counts as non-zero here (BAND_MATRIX accepts it).
    EXPECT_EXIT(a06_matrix_setzen(a, 1, 3, std::pow(2.0, -120.0)), testing::ExitedWithCode(1),
                "^Fehler: es wurde versucht, in der A06__MATRIX 'Z' an der Stelle \\(1,3\\) "
                "einen Wert ungleich null \\(7.52316e-37\\) zu setzen.\n$");
    EXPECT_EXIT(a06_matrix_setzen(a, 5, 2, -1e300), testing::ExitedWithCode(1),
                "an der Stelle \\(5,2\\) einen Wert ungleich null \\(-1e\\+300\\) zu setzen");
    frei(a);
}

TEST(A06Matrix, IndexChecksAndHandleWithoutData) {
    objekt *a = beispiel(4);
    EXPECT_EXIT(a06_matrix_amIndex(a, 0, 1), testing::ExitedWithCode(1),
                "^A06__MATRIXUngueltiger Index fuer Matrix: \\(0,1\\)\n$");
    EXPECT_EXIT(a06_matrix_setzen(a, 4, 5, 0.0), testing::ExitedWithCode(1),
                "^A06__MATRIXUngueltiger Index fuer Matrix: \\(4,5\\)\n$");
    frei(a);
    objekt kaputt = {&a06__matrixFunktionen, nullptr};
    EXPECT_STREQ(a06_matrix_name(&kaputt), "A06__MATRIX");
    EXPECT_EXIT(a06_matrix_breite(&kaputt), testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(a06_matrix_imVektor(&kaputt, 0), testing::ExitedWithCode(1), "^$");
}

TEST(A06Matrix, InvalidOrders) {
    EXPECT_EXIT(zyklisch(0, "X"), testing::ExitedWithCode(1),
                "^Ungueltige Ordnung 0 fuer A06__MATRIX X!\n$");
    EXPECT_EXIT(zyklisch(-4, nullptr), testing::ExitedWithCode(1),
                "^Ungueltige Ordnung -4 fuer A06__MATRIX unbenannt!\n$");
    EXPECT_EXIT(
        {
            textquelle ein("A06__MATRIX: Y\nn = 0\n");
            a06_matrix_laden(ein, nullptr);
        },
        testing::ExitedWithCode(1), "^Ungueltige Ordnung 0 fuer A06__MATRIX Y!\n$");
}

TEST(A06Matrix, TextFormRoundTripAndGenericLoader) {
    objekt *a = beispiel(4);
    const std::string text = "A06__MATRIX: Z\n"
                             "n = 4\n"
                             "NM_MATRIX: Hauptdiagonal-Vektor\nn = 4\nm = 1\n"
                             "1.000000\n2.000000\n3.000000\n4.000000\n"
                             "NM_MATRIX: Nebendiagonal-Vektor\nn = 3\nm = 1\n"
                             "10.000000\n20.000000\n30.000000\n"
                             "NM_MATRIX: Eckelement c\nn = 1\nm = 1\n99.000000\n";
    EXPECT_EQ(gespeichert(a), text);
    textquelle ein(text + text);
    objekt *generisch = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    objekt *direkt = a06_matrix_laden(ein, nullptr);
    for (objekt *neu : {generisch, direkt}) {
        EXPECT_EQ(matrix_klasse(neu), &a06__matrix);
        EXPECT_STREQ(a06_matrix_name(neu), "Z");
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 4; ++j)
                EXPECT_EQ(a06_matrix_amIndex(neu, i, j), a06_matrix_amIndex(a, i, j));
        EXPECT_EQ(gespeichert(neu), text);
        frei(neu);
    }
    textsenke aus;
    matrix_ausgeben(a, aus);
    EXPECT_EQ(aus.text(), "Matrix 'Z':\n"
                          " 1.000000    10.000  0.000000    99.000\n"
                          "   10.000  2.000000    20.000  0.000000\n"
                          " 0.000000    20.000  3.000000    30.000\n"
                          "   99.000  0.000000    30.000  4.000000\n");
    frei(a);
    // A text that ends after the second vector.
    std::string kurz = text.substr(0, text.find("NM_MATRIX: Eckelement"));
    EXPECT_EXIT(
        {
            textquelle quelle(kurz);
            matrix_tabelle(&allg_matrix)->laden(quelle, nullptr);
        },
        testing::ExitedWithCode(1), "^Keine Daten fuer neue Matrix gefunden - EOF.\n$");
}

TEST(A06Matrix, ShortLoadedVectorsEndWithTheIndexMessage) {
    textquelle ein("A06__MATRIX: K\nn = 4\n"
                   "NM_MATRIX: H\nn = 4\nm = 1\n1\n2\n3\n4\n"
                   "NM_MATRIX: S\nn = 2\nm = 1\n5\n6\n"
                   "NM_MATRIX: C\nn = 0\nm = 1\n");
    objekt *a = a06_matrix_laden(ein, nullptr);
    EXPECT_EQ(a06_matrix_amIndex(a, 3, 2), 6.0);
    EXPECT_EXIT(a06_matrix_amIndex(a, 4, 3), testing::ExitedWithCode(1),
                "^NM_MATRIX S Ungueltiger Index fuer Matrix: \\(3,1\\)\n$");
    EXPECT_EXIT(a06_matrix_setzen(a, 1, 4, 1.0), testing::ExitedWithCode(1),
                "^NM_MATRIX C Ungueltiger Index fuer Matrix: \\(1,1\\)\n$");
    frei(a);
}

TEST(A06Matrix, ProductIsDense) {
    objekt *a = beispiel(3);
    nmmatrix_parameter p = {3, 1, "e", 1};
    objekt *v = matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
    nmmatrix_setzen(v, 1, 1, 1.0);
    objekt *produkt = matrix_tabelle(a)->produkt(a, v);
    EXPECT_EQ(matrix_klasse(produkt), &nm_matrix);
    EXPECT_STREQ(nmmatrix_name(produkt), "Produkt von Z und e");
    EXPECT_EQ(nmmatrix_amIndex(produkt, 1, 1), 1.0);
    EXPECT_EQ(nmmatrix_amIndex(produkt, 2, 1), 10.0);
    EXPECT_EQ(nmmatrix_amIndex(produkt, 3, 1), 99.0);
    frei(produkt);
    frei(v);
    frei(a);
}

} // namespace
