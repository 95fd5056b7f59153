// Inputs found by fuzzing and other hostile input of the matrix loaders:
// every one must end with exit status 1 and a message, never with a signal.
#include "hilfen.h"
#include "numerik/matrix.h"

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

} // namespace
