// BAND_MATRIX: slot table, creation, element mapping, out-of-band writes,
// diagonal vectors, text form, loading (direct and generic), product.
#include "hilfen.h"
#include "numerik/bandmtrx.h"
#include "numerik/matrix.h"
#include "numerik/nmmatrix.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

objekt *band(int n, int m, const char *name, int nullsetzen = 1) {
    bandmatrix_parameter p = {n, m, name, nullsetzen};
    return matrix_tabelle(&band_matrix)->kreieren(&p, nullptr);
}

void frei(objekt *m) { matrix_tabelle(m)->freigeben(m); }

std::string gespeichert(objekt *m) {
    textsenke aus;
    matrix_tabelle(m)->speichern(m, aus);
    return aus.text();
}

// The 4 x 4 band of width 1 with main diagonal 1..4, upper 10, 20, 30 and
// lower -10, -20, -30, written element by element.
objekt *beispielband(const char *name = "B") {
    objekt *b = band(4, 1, name);
    for (int k = 1; k <= 4; ++k)
        bandmatrix_setzen(b, k, k, k);
    for (int k = 1; k <= 3; ++k) {
        bandmatrix_setzen(b, k, k + 1, 10.0 * k);
        bandmatrix_setzen(b, k + 1, k, -10.0 * k);
    }
    return b;
}

const char *const BEISPIELTEXT = "BAND_MATRIX: B\n"
                                 "n = 4\n"
                                 "m = 1\n"
                                 "NM_MATRIX: Hauptdiagonal-Vektor\n"
                                 "n = 4\n"
                                 "m = 1\n"
                                 "1.000000\n"
                                 "2.000000\n"
                                 "3.000000\n"
                                 "4.000000\n"
                                 "NM_MATRIX: oberer 1-ter Nebendiagonal-Vektor\n"
                                 "n = 3\n"
                                 "m = 1\n"
                                 "10.000000\n"
                                 "20.000000\n"
                                 "30.000000\n"
                                 "NM_MATRIX: unterer 1-ter Nebendiagonal-Vektor\n"
                                 "n = 3\n"
                                 "m = 1\n"
                                 "-10.000000\n"
                                 "-20.000000\n"
                                 "-30.000000\n";

TEST(BandMatrixTabelle, SlotsInInterfaceOrder) {
    const void *const *slots = reinterpret_cast<const void *const *>(&band_matrixFunktionen);
    const void *erwartet[14] = {
        reinterpret_cast<const void *>(matrix_ausgeben),
        reinterpret_cast<const void *>(bandmatrix_speichern),
        reinterpret_cast<const void *>(bandmatrix_laden),
        reinterpret_cast<const void *>(bandmatrix_freigeben),
        reinterpret_cast<const void *>(bandmatrix_kreieren),
        reinterpret_cast<const void *>(bandmatrix_amIndex),
        reinterpret_cast<const void *>(bandmatrix_setzen),
        reinterpret_cast<const void *>(bandmatrix_breite),
        reinterpret_cast<const void *>(bandmatrix_hoehe),
        reinterpret_cast<const void *>(bandmatrix_name),
        reinterpret_cast<const void *>(matrix_klasse),
        reinterpret_cast<const void *>(nmmatrix_produkt),
        reinterpret_cast<const void *>(bandmatrix_imVektor),
        reinterpret_cast<const void *>(bandmatrix_bandbreite),
    };
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(slots[i], erwartet[i]) << "slot " << i;
    EXPECT_EQ(band_matrix.funktionen, &band_matrixFunktionen);
    EXPECT_EQ(band_matrix.daten, nullptr);
    EXPECT_STREQ(matrix_tabelle(&band_matrix)->name(&band_matrix), "BAND_MATRIX");
}

TEST(BandMatrix, CreationWithoutRecord) {
    objekt *b = matrix_tabelle(&band_matrix)->kreieren(nullptr, nullptr);
    EXPECT_STREQ(bandmatrix_name(b), "unbenannt");
    EXPECT_EQ(bandmatrix_hoehe(b), 5);
    EXPECT_EQ(bandmatrix_breite(b), 5);
    EXPECT_EQ(bandmatrix_bandbreite(b), 3);
    EXPECT_STREQ(nmmatrix_name(bandmatrix_imVektor(b, 0)), "Hauptdiagonal-Vektor");
    EXPECT_STREQ(nmmatrix_name(bandmatrix_imVektor(b, 5)), "oberer 3-ter Nebendiagonal-Vektor");
    EXPECT_STREQ(nmmatrix_name(bandmatrix_imVektor(b, 6)), "unterer 3-ter Nebendiagonal-Vektor");
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(b, 6)), 2);
    EXPECT_EQ(matrix_klasse(b), &band_matrix);
    frei(b);
}

TEST(BandMatrix, DiagonalVectorsNamesAndSizes) {
    objekt *b = band(7, 3, "V");
    EXPECT_EQ(bandmatrix_bandbreite(b), 3);
    const char *namen[] = {"Hauptdiagonal-Vektor",
                           "oberer 1-ter Nebendiagonal-Vektor",
                           "unterer 1-ter Nebendiagonal-Vektor",
                           "oberer 2-ter Nebendiagonal-Vektor",
                           "unterer 2-ter Nebendiagonal-Vektor",
                           "oberer 3-ter Nebendiagonal-Vektor",
                           "unterer 3-ter Nebendiagonal-Vektor"};
    const int zeilen[] = {7, 6, 6, 5, 5, 4, 4};
    for (int k = 0; k < 7; ++k) {
        objekt *v = bandmatrix_imVektor(b, k);
        EXPECT_EQ(matrix_klasse(v), &nm_matrix);
        EXPECT_STREQ(nmmatrix_name(v), namen[k]);
        EXPECT_EQ(nmmatrix_hoehe(v), zeilen[k]);
        EXPECT_EQ(nmmatrix_breite(v), 1);
    }
    // imVektor hands out the stored object itself: writes go into the band.
    nmmatrix_setzen(bandmatrix_imVektor(b, 4), 2, 1, 8.5);
    EXPECT_EQ(bandmatrix_amIndex(b, 4, 2), 8.5);
    EXPECT_EXIT(bandmatrix_imVektor(b, 7), testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer Bandmatrix V: \\(7\\)\n$");
    EXPECT_EXIT(bandmatrix_imVektor(b, -1), testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer Bandmatrix V: \\(-1\\)\n$");
    frei(b);
}

TEST(BandMatrix, ElementMappingOfTheWorkedExample) {
    objekt *b = beispielband();
    objekt *oben = bandmatrix_imVektor(b, 1);
    objekt *unten = bandmatrix_imVektor(b, 2);
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(b, 0)), 4);
    EXPECT_EQ(nmmatrix_hoehe(oben), 3);
    EXPECT_EQ(nmmatrix_hoehe(unten), 3);
    // (2,3) is entry 2 of vector 1, (3,2) entry 2 of vector 2.
    EXPECT_EQ(nmmatrix_amIndex(oben, 2, 1), 20.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 2, 3), 20.0);
    EXPECT_EQ(nmmatrix_amIndex(unten, 2, 1), -20.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 3, 2), -20.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 1, 3), 0.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 4, 1), 0.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 4, 4), 4.0);
    frei(b);
}

TEST(BandMatrix, WritesOutsideTheBand) {
    objekt *b = beispielband();
    std::string vorher = gespeichert(b);
    bandmatrix_setzen(b, 1, 4, 0.0);
    bandmatrix_setzen(b, 4, 1, -0.0);
    // Up to 2^-120 inclusive is a numerical zero for the band; NaN passes.
    bandmatrix_setzen(b, 1, 4, std::pow(2.0, -120.0));
    bandmatrix_setzen(b, 1, 4, -std::pow(2.0, -120.0));
    bandmatrix_setzen(b, 1, 4, NAN);
    EXPECT_EQ(gespeichert(b), vorher);
    EXPECT_EQ(bandmatrix_amIndex(b, 1, 4), 0.0);
    EXPECT_EXIT(bandmatrix_setzen(b, 1, 4, 1.0), testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer Bandmatrix B: \\(1,4\\)\n$");
    EXPECT_EXIT(bandmatrix_setzen(b, 3, 1, std::nextafter(std::pow(2.0, -120.0), 1.0)),
                testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer Bandmatrix B: \\(3,1\\)\n$");
    EXPECT_EXIT(bandmatrix_setzen(b, 3, 1, -INFINITY), testing::ExitedWithCode(1), "\\(3,1\\)");
    frei(b);
}

TEST(BandMatrix, IndexChecks) {
    objekt *b = beispielband();
    EXPECT_EXIT(bandmatrix_amIndex(b, 0, 1), testing::ExitedWithCode(1),
                "^BAND_MATRIXUngueltiger Index fuer Matrix: \\(0,1\\)\n$");
    EXPECT_EXIT(bandmatrix_amIndex(b, 1, 5), testing::ExitedWithCode(1),
                "^BAND_MATRIXUngueltiger Index fuer Matrix: \\(1,5\\)\n$");
    EXPECT_EXIT(bandmatrix_setzen(b, 5, 5, 0.0), testing::ExitedWithCode(1),
                "^BAND_MATRIXUngueltiger Index fuer Matrix: \\(5,5\\)\n$");
    EXPECT_EXIT(bandmatrix_setzen(b, 2, -1, 0.0), testing::ExitedWithCode(1),
                "^BAND_MATRIXUngueltiger Index fuer Matrix: \\(2,-1\\)\n$");
    frei(b);
}

TEST(BandMatrix, HandleWithoutData) {
    objekt kaputt = {&band_matrixFunktionen, nullptr};
    EXPECT_STREQ(bandmatrix_name(&kaputt), "BAND_MATRIX");
    EXPECT_EXIT(bandmatrix_hoehe(&kaputt), testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(bandmatrix_amIndex(&kaputt, 1, 1), testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(bandmatrix_imVektor(&kaputt, 0), testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(bandmatrix_bandbreite(&kaputt), testing::ExitedWithCode(1), "^$");
}

TEST(BandMatrix, BandWidthZeroIsDiagonal) {
    objekt *b = band(3, 0, "D");
    EXPECT_EQ(bandmatrix_bandbreite(b), 0);
    for (int k = 1; k <= 3; ++k)
        bandmatrix_setzen(b, k, k, 2.0 * k);
    bandmatrix_setzen(b, 1, 2, 0.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 2, 2), 4.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 1, 2), 0.0);
    EXPECT_EXIT(bandmatrix_imVektor(b, 1), testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer Bandmatrix D: \\(1\\)\n$");
    EXPECT_EXIT(bandmatrix_setzen(b, 2, 1, 1.0), testing::ExitedWithCode(1),
                "^Ungueltiger Diagonal-Vektor fuer Bandmatrix D: \\(2,1\\)\n$");
    std::string text = gespeichert(b);
    EXPECT_EQ(text, "BAND_MATRIX: D\nn = 3\nm = 0\nNM_MATRIX: Hauptdiagonal-Vektor\nn = 3\n"
                    "m = 1\n2.000000\n4.000000\n6.000000\n");
    textquelle ein(text);
    objekt *neu = bandmatrix_laden(ein, nullptr);
    EXPECT_EQ(gespeichert(neu), text);
    frei(neu);
    frei(b);
}

TEST(BandMatrix, OrderOneWithEmptySideDiagonals) {
    // The spline's system for three nodes: order 1, band width 1.
    objekt *b = band(1, 1, "E");
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(b, 1)), 0);
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(b, 2)), 0);
    bandmatrix_setzen(b, 1, 1, 3.5);
    EXPECT_EQ(bandmatrix_amIndex(b, 1, 1), 3.5);
    std::string text = gespeichert(b);
    EXPECT_EQ(text, "BAND_MATRIX: E\nn = 1\nm = 1\nNM_MATRIX: Hauptdiagonal-Vektor\nn = 1\n"
                    "m = 1\n3.500000\nNM_MATRIX: oberer 1-ter Nebendiagonal-Vektor\nn = 0\n"
                    "m = 1\nNM_MATRIX: unterer 1-ter Nebendiagonal-Vektor\nn = 0\nm = 1\n");
    textquelle ein(text);
    objekt *neu = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    EXPECT_EQ(gespeichert(neu), text);
    frei(neu);
    frei(b);
    // Band width equal to the order: the side diagonals d = n are empty.
    objekt *voll = band(2, 2, "V");
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(voll, 1)), 1);
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(voll, 3)), 0);
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(voll, 4)), 0);
    frei(voll);
    objekt *leer = band(0, 0, "L");
    EXPECT_EQ(gespeichert(leer), "BAND_MATRIX: L\nn = 0\nm = 0\nNM_MATRIX: Hauptdiagonal-Vektor\n"
                                 "n = 0\nm = 1\n");
    frei(leer);
}

TEST(BandMatrix, InvalidBandWidthsAndOrders) {
    EXPECT_EXIT(band(4, -1, "X"), testing::ExitedWithCode(1),
                "^Ungueltige Bandbreite -1 fuer BAND_MATRIX X der Ordnung 4!\n$");
    EXPECT_EXIT(band(3, 4, "X"), testing::ExitedWithCode(1),
                "^Ungueltige Bandbreite 4 fuer BAND_MATRIX X der Ordnung 3!\n$");
    EXPECT_EXIT(band(0, 1, "X"), testing::ExitedWithCode(1),
                "^Ungueltige Bandbreite 1 fuer BAND_MATRIX X der Ordnung 0!\n$");
    EXPECT_EXIT(band(-2, 0, "X"), testing::ExitedWithCode(1),
                "^Ungueltige Ordnung -2 fuer BAND_MATRIX X!\n$");
    EXPECT_EXIT(band(2147483647, -2147483647 - 1, nullptr), testing::ExitedWithCode(1),
                "^Ungueltige Bandbreite -2147483648 fuer BAND_MATRIX unbenannt der Ordnung "
                "2147483647!\n$");
    auto lade = [](const char *text) {
        textquelle ein(text);
        bandmatrix_laden(ein, nullptr);
    };
    EXPECT_EXIT(lade("BAND_MATRIX: Y\nn = 2\nm = 3\n"), testing::ExitedWithCode(1),
                "^Ungueltige Bandbreite 3 fuer BAND_MATRIX Y der Ordnung 2!\n$");
    EXPECT_EXIT(lade("BAND_MATRIX: Y\nn = 2\nm = -1\n"), testing::ExitedWithCode(1),
                "^Ungueltige Bandbreite -1 fuer BAND_MATRIX Y der Ordnung 2!\n$");
    EXPECT_EXIT(lade("BAND_MATRIX: Y\nn = -2\nm = 0\n"), testing::ExitedWithCode(1),
                "^Ungueltige Ordnung -2 fuer BAND_MATRIX Y!\n$");
}

TEST(BandMatrix, TextFormAndRoundTrip) {
    objekt *b = beispielband();
    EXPECT_EQ(gespeichert(b), BEISPIELTEXT);
    textquelle ein(BEISPIELTEXT);
    objekt *neu = bandmatrix_laden(ein, nullptr);
    EXPECT_EQ(matrix_klasse(neu), &band_matrix);
    EXPECT_STREQ(bandmatrix_name(neu), "B");
    EXPECT_EQ(bandmatrix_bandbreite(neu), 1);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(bandmatrix_amIndex(neu, i, j), bandmatrix_amIndex(b, i, j));
    EXPECT_EQ(gespeichert(neu), BEISPIELTEXT);
    frei(neu);
    frei(b);
}

TEST(BandMatrix, GenericLoaderAndVectorHeaders) {
    // The generic loader claims the band's header line; each vector reads
    // its own.  Two texts in a row, generic and direct.
    std::string zwei = std::string(BEISPIELTEXT) + BEISPIELTEXT;
    textquelle ein(zwei);
    objekt *a = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    objekt *b = bandmatrix_laden(ein, nullptr);
    EXPECT_EQ(matrix_klasse(a), &band_matrix);
    EXPECT_EQ(gespeichert(a), BEISPIELTEXT);
    EXPECT_EQ(gespeichert(b), BEISPIELTEXT);
    frei(a);
    frei(b);
    auto lade = [](const std::string &text) {
        textquelle quelle(text);
        matrix_tabelle(&allg_matrix)->laden(quelle, nullptr);
    };
    std::string falsch = BEISPIELTEXT;
    falsch.replace(falsch.find("NM_MATRIX: oberer"), 9, "A06__MATRIX");
    EXPECT_EXIT(lade(falsch), testing::ExitedWithCode(1), "^Dies ist keine NM_MATRIX Matrix!\n$");
    std::string kurz = BEISPIELTEXT;
    kurz.resize(kurz.find("NM_MATRIX: unterer"));
    EXPECT_EXIT(lade(kurz), testing::ExitedWithCode(1),
                "^Keine Daten fuer neue Matrix gefunden - EOF.\n$");
    EXPECT_EXIT(lade("BAND_MATRIX: Z\nm = 1\n"), testing::ExitedWithCode(1),
                "^n =... erwartet!\n$");
    // The NM_MATRIX loader does not take a band text.
    EXPECT_EXIT(
        {
            textquelle quelle(BEISPIELTEXT);
            nmmatrix_laden(quelle, nullptr);
        },
        testing::ExitedWithCode(1), "^Dies ist keine NM_MATRIX Matrix!\n$");
}

TEST(BandMatrix, ShortLoadedVectorsEndWithTheIndexMessage) {
    // Sizes in the text are not compared with n and m: the upper diagonal
    // has one entry only, the lower one more than needed.
    const char *text = "BAND_MATRIX: K\nn = 3\nm = 1\n"
                       "NM_MATRIX: H\nn = 3\nm = 1\n1\n2\n3\n"
                       "NM_MATRIX: O\nn = 1\nm = 1\n4\n"
                       "NM_MATRIX: U\nn = 4\nm = 1\n5\n6\n7\n8\n";
    textquelle ein(text);
    objekt *b = bandmatrix_laden(ein, nullptr);
    EXPECT_EQ(nmmatrix_name(bandmatrix_imVektor(b, 1)), std::string("O"));
    EXPECT_EQ(bandmatrix_amIndex(b, 1, 2), 4.0);
    EXPECT_EQ(bandmatrix_amIndex(b, 3, 2), 6.0);
    EXPECT_EXIT(bandmatrix_amIndex(b, 2, 3), testing::ExitedWithCode(1),
                "^NM_MATRIX O Ungueltiger Index fuer Matrix: \\(2,1\\)\n$");
    EXPECT_EXIT(bandmatrix_setzen(b, 2, 3, 1.0), testing::ExitedWithCode(1),
                "^NM_MATRIX O Ungueltiger Index fuer Matrix: \\(2,1\\)\n$");
    EXPECT_EXIT(
        {
            textsenke aus;
            matrix_ausgeben(b, aus);
        },
        testing::ExitedWithCode(1),
                "NM_MATRIX O Ungueltiger Index fuer Matrix: \\(2,1\\)\n$");
    frei(b);
}

TEST(BandMatrix, PrintedAndMultiplied) {
    objekt *b = beispielband();
    textsenke aus;
    EXPECT_EQ(matrix_tabelle(b)->ausgeben(b, aus), 1);
    EXPECT_EQ(aus.text(), "Matrix 'B':\n"
                          " 1.000000    10.000  0.000000  0.000000\n"
                          "  -10.000  2.000000    20.000  0.000000\n"
                          " 0.000000   -20.000  3.000000    30.000\n"
                          " 0.000000  0.000000   -30.000  4.000000\n");
    nmmatrix_parameter p = {4, 1, "v", 1};
    objekt *v = matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
    for (int k = 1; k <= 4; ++k)
        nmmatrix_setzen(v, k, 1, 1.0);
    objekt *produkt = matrix_tabelle(b)->produkt(b, v);
    EXPECT_EQ(matrix_klasse(produkt), &nm_matrix);
    EXPECT_STREQ(nmmatrix_name(produkt), "Produkt von B und v");
    EXPECT_EQ(nmmatrix_hoehe(produkt), 4);
    EXPECT_EQ(nmmatrix_breite(produkt), 1);
    const double erwartet[] = {11.0, 12.0, 13.0, -26.0};
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(nmmatrix_amIndex(produkt, k, 1), erwartet[k - 1]);
    objekt *quadrat = nmmatrix_produkt(b, b);
    EXPECT_EQ(nmmatrix_amIndex(quadrat, 1, 3), 200.0);
    EXPECT_EQ(nmmatrix_amIndex(quadrat, 2, 2), -100.0 + 4.0 - 400.0);
    frei(quadrat);
    frei(produkt);
    frei(v);
    frei(b);
}

TEST(BandMatrix, WiderBandMapping) {
    objekt *b = band(6, 2, "W");
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j)
            bandmatrix_setzen(b, i, j, std::abs(i - j) <= 2 ? 10.0 * i + j : 0.0);
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j)
            EXPECT_EQ(bandmatrix_amIndex(b, i, j), std::abs(i - j) <= 2 ? 10.0 * i + j : 0.0);
    // (1,3) is entry 1 of the 2nd upper diagonal (index 3), (5,3) entry 3 of
    // the 2nd lower one (index 4).
    EXPECT_EQ(nmmatrix_amIndex(bandmatrix_imVektor(b, 3), 1, 1), 13.0);
    EXPECT_EQ(nmmatrix_amIndex(bandmatrix_imVektor(b, 4), 3, 1), 53.0);
    EXPECT_EQ(nmmatrix_hoehe(bandmatrix_imVektor(b, 4)), 4);
    frei(b);
}

} // namespace
