// Inputs found by fuzzing and other hostile input of the matrix loaders:
// every one must end with exit status 1 and a message, never with a signal.
#include "hilfen.h"
#include "numerik/interplt.h"
#include "numerik/matrix.h"
#include "numerik/nmmatrix.h"

#include <gtest/gtest.h>
#include <string>

namespace {

void allgemein_laden(const std::string &text) {
    textquelle ein(text);
    objekt *m = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    matrix_tabelle(m)->freigeben(m);
}

TEST(Zuverlaessigkeit, EveryRegisteredTypeEndsCleanlyOnAShortText) {
    // A type whose class table was still empty used to be called through
    // its null laden slot.
    for (const char *typ : {"NM_MATRIX", "BAND_MATRIX", "A06__MATRIX"}) {
        EXPECT_EXIT(allgemein_laden(std::string(typ) + ": b\nn = 1\nm = 1\n"),
                    testing::ExitedWithCode(1), ".+")
            << typ;
        EXPECT_EXIT(allgemein_laden(std::string(typ) + ":\n"), testing::ExitedWithCode(1), ".+")
            << typ;
    }
}

TEST(Zuverlaessigkeit, EveryInterpolationTypeEndsCleanlyOnAShortText) {
    // SPLINE_INTERPOLATION's table was still empty and was called through
    // its null laden slot (kurvenpunkte and beiwerte, found by fuzzing).
    auto lade = [](const std::string &text) {
        textquelle ein(text);
        interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
    };
    for (const char *typ : {"NEWTON_INTERPOLATION", "SPLINE_INTERPOLATION"}) {
        EXPECT_EXIT(lade(std::string(typ) + ": p\nart = 1\n"), testing::ExitedWithCode(1), ".+")
            << typ;
        EXPECT_EXIT(lade(std::string(typ) + ":\n"), testing::ExitedWithCode(1), ".+") << typ;
    }
}

TEST(Zuverlaessigkeit, CountsOfIntMaxDoNotOverflowTheLoops) {
    // n = 2147483647 rows of no columns load without a single entry; the
    // printer's row counter used to overflow past the last row.
    textquelle ein("NM_MATRIX: z\nn = 2147483647\nm = 0\n");
    objekt *m = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    textsenke aus;
    EXPECT_EQ(matrix_tabelle(m)->ausgeben(m, aus), 1);
    EXPECT_EQ(aus.text(), "Matrix 'z':\n");
    // The product of 2147483647 x 0 and 0 x 0 has 2147483647 rows of nothing.
    nmmatrix_parameter p = {0, 0, "leer", 1};
    objekt *leer = matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
    objekt *produkt = matrix_tabelle(m)->produkt(m, leer);
    EXPECT_EQ(matrix_tabelle(produkt)->hoehe(produkt), 2147483647);
    EXPECT_EQ(matrix_tabelle(produkt)->breite(produkt), 0);
    for (objekt *o : {m, leer, produkt})
        matrix_tabelle(o)->freigeben(o);
}

} // namespace
