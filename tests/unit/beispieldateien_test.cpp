// The example files shipped in beispiele/ (one for each object type and
// kind): each loads through the generic loader of its cluster and is stored
// again to the very same text.
#include "hilfen.h"
#include "numerik/interplt.h"
#include "numerik/matrix.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string lies(const std::filesystem::path &pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    std::stringstream inhalt;
    inhalt << datei.rdbuf();
    return inhalt.str();
}

std::string neu_gespeichert(const std::string &text) {
    textquelle ein(text);
    textsenke aus;
    bool matrix = text.rfind("NM_MATRIX:", 0) == 0 || text.rfind("BAND_MATRIX:", 0) == 0 ||
                  text.rfind("A06__MATRIX:", 0) == 0;
    if (matrix) {
        objekt *m = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
        matrix_tabelle(m)->speichern(m, aus);
        matrix_tabelle(m)->freigeben(m);
    } else {
        objekt *ip = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
        interpolation_tabelle(ip)->speichern(ip, aus);
        interpolation_tabelle(ip)->freigeben(ip);
    }
    return aus.text();
}

TEST(Beispieldateien, EveryFileLoadsAndStoresToTheSameText) {
    int anzahl = 0;
    for (const auto &eintrag : std::filesystem::directory_iterator(NUMERIK_BEISPIELE)) {
        std::string text = lies(eintrag.path());
        EXPECT_EQ(neu_gespeichert(text), text) << eintrag.path();
        ++anzahl;
    }
    EXPECT_GE(anzahl, 10);
}

} // namespace
