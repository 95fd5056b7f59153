// Number conversions of the text format: every text written must equal
// printf's "%f" byte for byte, every text read must give scanf's "%lf" result
// bit for bit, including its success or failure.
#include "hilfen.h"
#include "numerik/nmmatrix.h"
#include "numerik/zahlen.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string wie_printf(double x) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", x);
    return text;
}

std::string geschrieben(double x) {
    char text[ZAHL_F_MAXLAENGE + 1];
    return std::string(text, zahl_f_schreiben(text, x));
}

// Counts mismatches and reports the first few, so that a systematic fault
// does not flood the log.
struct abweichungen {
    int anzahl = 0;
    void pruefe_schreiben(double x) {
        std::string soll = wie_printf(x);
        std::string ist = geschrieben(x);
        if (ist != soll && ++anzahl <= 5)
            ADD_FAILURE() << std::hexfloat << x << ": printf '" << soll << "', geschrieben '" << ist
                          << "'";
    }
    void pruefe_lesen(const std::string &text) {
        double soll = -7.0;
        bool soll_ok = std::sscanf(text.c_str(), "%lf", &soll) == 1;
        double ist = -7.0;
        bool ist_ok = zahl_double_lesen(text.c_str(), &ist) == 1;
        if ((ist_ok != soll_ok ||
             std::bit_cast<std::uint64_t>(ist) != std::bit_cast<std::uint64_t>(soll)) &&
            ++anzahl <= 5)
            ADD_FAILURE() << "'" << text.substr(0, 60) << "': scanf " << soll_ok << " "
                          << std::hexfloat << soll << ", gelesen " << ist_ok << " " << ist;
    }
};

TEST(DoubleF, EdgeValuesLikePrintf) {
    const double werte[] = {0.0,           4.9e-324,  DBL_TRUE_MIN * 3,
                            DBL_MIN,       5e-7,      1.5e-6,
                            2.5e-6,        3.5e-6,    4.5e-7,
                            0.5,           0.9999995, 0.9999994,
                            9.5,           0.0078125, 0.0234375,
                            1e15,          1e16 + 1,  1e22,
                            1e23,          1e300,     DBL_MAX,
                            0x1p53,        0x1p63,    0x1p64,
                            0x1p64 - 2048, 0x1p67,    18446744.073709551615,
                            INFINITY,      NAN};
    abweichungen fehler;
    for (double x : werte)
        for (double y : {x, -x, std::nextafter(x, 0.0), std::nextafter(x, INFINITY)})
            for (double z : {y, -y})
                fehler.pruefe_schreiben(z);
    // Six decimals: below half a millionth the value is written as zero.
    for (int k = 1; k < 100; ++k) {
        double grenze = (k + 0.5) * 1e-6;
        fehler.pruefe_schreiben(grenze);
        fehler.pruefe_schreiben(std::nextafter(grenze, 0.0));
        fehler.pruefe_schreiben(std::nextafter(grenze, 1.0));
    }
    EXPECT_EQ(fehler.anzahl, 0);
    EXPECT_EQ(geschrieben(-0.0), "-0.000000");
    EXPECT_EQ(geschrieben(-NAN), "-nan");
    EXPECT_EQ(geschrieben(-4.9e-324), "-0.000000");
    EXPECT_EQ(geschrieben(-DBL_MAX).size(), static_cast<std::size_t>(ZAHL_F_MAXLAENGE));
}

TEST(DoubleF, RoundingTiesLikePrintf) {
    // x * 10^6 ends in exactly .5 only for x = a / 128 with odd a; printf
    // rounds these to even.
    std::mt19937_64 zufall(11);
    abweichungen fehler;
    for (int bits = 1; bits <= 60; ++bits)
        for (int k = 0; k < 2000; ++k) {
            std::uint64_t a = (zufall() >> (64 - bits)) | 1;
            double x = std::ldexp(static_cast<double>(a), -7);
            fehler.pruefe_schreiben(x);
            fehler.pruefe_schreiben(std::nextafter(x, 0.0));
            fehler.pruefe_schreiben(std::nextafter(x, INFINITY));
        }
    EXPECT_EQ(fehler.anzahl, 0);
}

TEST(DoubleF, RandomValuesLikePrintf) {
    std::mt19937_64 zufall(12);
    abweichungen fehler;
    // Random bit patterns: every exponent, NaN payloads, subnormals.
    for (int k = 0; k < 1000000; ++k)
        fehler.pruefe_schreiben(std::bit_cast<double>(zufall()));
    // Magnitudes from 2^-40 to 2^70, where most written numbers lie.
    std::uniform_int_distribution<int> exponent(-40, 70);
    for (int k = 0; k < 1000000; ++k) {
        double x = std::ldexp(static_cast<double>(zufall() >> 11), exponent(zufall) - 53);
        fehler.pruefe_schreiben(k % 2 ? x : -x);
    }
    // Short decimals as users type them, and their neighbours.
    const double zehner[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    for (int k = 0; k < 300000; ++k) {
        double x = static_cast<double>(zufall() % 100000000) / zehner[k % 10];
        fehler.pruefe_schreiben(x);
        fehler.pruefe_schreiben(std::nextafter(x, 0.0));
        fehler.pruefe_schreiben(std::nextafter(x, INFINITY));
    }
    EXPECT_EQ(fehler.anzahl, 0);
}

TEST(Textschreiber, BlocksKeepOrderBehindEarlierOutput) {
    std::mt19937_64 zufall(13);
    textsenke aus;
    std::fprintf(aus, "vorher\n");
    std::string soll = "vorher\n";
    {
        textschreiber schreiber(aus);
        for (int k = 0; k < 20000; ++k) {
            double x = std::ldexp(static_cast<double>(zufall() >> 11), k % 200 - 60);
            schreiber.double_f(x, k % 3 ? ' ' : '\n');
            soll += wie_printf(x) + (k % 3 ? ' ' : '\n');
            if (k % 5000 == 0) {
                // Longer than a block: written at once, in its place.
                std::string lang(100000, 'a' + k / 5000);
                schreiber.text(lang);
                soll += lang;
            }
        }
    }
    std::fprintf(aus, "nachher\n");
    soll += "nachher\n";
    EXPECT_EQ(aus.text(), soll);
}

TEST(DoubleLesen, TrickyTextsLikeScanf) {
    const std::vector<std::string> texte = {
        "",
        " ",
        "\n",
        "-",
        "+",
        ".",
        "-.",
        "e5",
        ".e5",
        ".5",
        "-.5",
        "5.",
        "-5.",
        "5.e3",
        "1e",
        "1e+",
        "1e-",
        "1e\n",
        "1e5x",
        "1E5",
        "1e+5",
        "1e-5",
        "1.5e",
        "100ergs",
        "1.5x",
        "1,5",
        "1.5.5",
        "1..5",
        "1e5.5",
        "--1",
        "+-1",
        "-+1",
        "+1.5",
        "+.5",
        " \t\n\v\f\r-2.5",
        "1.5\n",
        "1.5\r\n",
        "1.5 x",
        "0x",
        "0x1p3",
        "0x.8",
        "0X1P-2",
        "-0x",
        "inf",
        "-inf",
        "INF",
        "infinity",
        "infx",
        "in",
        "nan",
        "-nan",
        "NaN",
        "nan(123)",
        "nan(",
        "na",
        "-0",
        "-0.0",
        "0",
        "00000000000000001.5",
        "0.000000",
        "1e999",
        "-1e999",
        "1e-400",
        "-1e-400",
        "4e-320",
        "2.4703282292062327e-324",
        "2.4703282292062328e-324",
        "4.9406564584124654e-324",
        "2.2250738585072011e-308",
        "2.2250738585072014e-308",
        "1.7976931348623157e308",
        "1.7976931348623158e308",
        "1.7976931348623159e308",
        "9007199254740993",
        "9007199254740992",
        "-9007199254740992.5",
        "-0.000000",
        "0.30000000000000004",
        "123456789.123456",
        "-999999999999999.9",
        "0.0000000000000000000001",
        "0.00000000000000000000001",
        "1844674407370955161.6",
        "18446744073709551616",
        "9999999999999999999",
        "9007199254740993.000000000000000000001",
        "1e23",
        "8.5e-6",
        "1e0000000000000000000000000005",
        "1e99999999999999999999",
        "0e99999999999999999999",
        "1e-99999999999999999999",
        "123456789012345678901234567890e-30",
        "0." + std::string(400, '0') + "1",
        std::string(500, '9'),
        std::string(500, '9') + "e-500",
        "1." + std::string(700, '0') + "1e-330",
        "4.94065645841246544176568792868221372365059802614324764425585682500675507270208751865"
        "29e-324"};
    abweichungen fehler;
    for (const std::string &text : texte)
        fehler.pruefe_lesen(text);
    EXPECT_EQ(fehler.anzahl, 0);
    // A text that is no number leaves the target as it was.
    double ziel = 3.25;
    EXPECT_EQ(zahl_double_lesen("-.e1", &ziel), 0);
    EXPECT_EQ(ziel, 3.25);
}

TEST(DoubleLesen, EndIsWhereTheNumberStops) {
    // What follows the number, as strtod sees it; scanf's own reading of
    // "1e" takes characters that belong to no number.
    const std::pair<const char *, const char *> faelle[] = {
        {"1.5\n", "\n"}, {" -2.5e3 m", " m"}, {"2,5", ",5"},    {"1e", "e"},   {"1e+", "e+"},
        {"+.5x", "x"},   {"inf\r\n", "\r\n"}, {"nan(1)z", "z"}, {"1e999", ""}, {"100ergs", "ergs"}};
    for (const auto &[text, rest] : faelle) {
        double wert = 0.0;
        const char *ende = nullptr;
        ASSERT_EQ(zahl_double_lesen_bis(text, &wert, &ende), 1) << text;
        EXPECT_STREQ(ende, rest) << text;
    }
    const std::pair<const char *, const char *> ganze[] = {
        {"4 rows", " rows"}, {"4.0", ".0"}, {" -7\r\n", "\r\n"}, {"+3", ""}};
    for (const auto &[text, rest] : ganze) {
        int wert = 0;
        const char *ende = nullptr;
        ASSERT_EQ(zahl_int_lesen_bis(text, &wert, &ende), ZAHL_OK) << text;
        EXPECT_STREQ(ende, rest) << text;
    }
    // No number: the end is left alone.
    const char *ende = "unberuehrt";
    double wert = 0.0;
    EXPECT_EQ(zahl_double_lesen_bis(",5", &wert, &ende), 0);
    EXPECT_STREQ(ende, "unberuehrt");
}

TEST(DoubleLesen, RandomTextsLikeScanf) {
    std::mt19937_64 zufall(14);
    abweichungen fehler;
    char text[400];
    // The texts this library writes, and round-trip texts of random doubles.
    for (int k = 0; k < 300000; ++k) {
        double x =
            std::ldexp(static_cast<double>(zufall() >> 11), static_cast<int>(zufall() % 120) - 80);
        *zahl_f_schreiben(text, k % 2 ? x : -x) = '\0';
        fehler.pruefe_lesen(std::string(text) + "\n");
        std::snprintf(text, sizeof text, "%.17g", std::bit_cast<double>(zufall()));
        fehler.pruefe_lesen(text);
    }
    // Random digit strings of many lengths, with and without exponent, in
    // front of white space, other characters or the end of the text.
    const char ende[] = {'\0', '\n', ' ', 'x', 'e', '.', '-', '5'};
    const char *zeichen = "0123456789";
    for (int k = 0; k < 200000; ++k) {
        std::string s;
        if (zufall() % 3 == 0) s += "  ";
        if (zufall() % 2 == 0) s += '-';
        int vorne = static_cast<int>(zufall() % (k % 100 == 0 ? 3000 : 25));
        int hinten = static_cast<int>(zufall() % 25);
        for (int i = 0; i < vorne; ++i)
            s += zeichen[zufall() % 10];
        if (zufall() % 4 != 0) s += '.';
        for (int i = 0; i < hinten; ++i)
            s += zeichen[zufall() % 10];
        if (zufall() % 3 == 0) s += "e" + std::to_string(static_cast<int>(zufall() % 700) - 350);
        s += ende[zufall() % std::size(ende)];
        fehler.pruefe_lesen(s);
    }
    EXPECT_EQ(fehler.anzahl, 0);
}

TEST(NmMatrixText, SavedAndReloadedLikePrintfAndScanf) {
    std::mt19937_64 zufall(15);
    const int anzahl = 50000;
    nmmatrix_parameter p = {anzahl, 1, "R", 0};
    objekt *m = nmmatrix_kreieren(&p, nullptr);
    std::string soll = "NM_MATRIX: R\nn = 50000\nm = 1\n";
    for (int k = 0; k < anzahl; ++k) {
        double x = std::ldexp(static_cast<double>(zufall() >> 11), k % 90 - 70);
        nmmatrix_setzen(m, k + 1, 1, k % 2 ? x : -x);
        soll += wie_printf(nmmatrix_amIndex(m, k + 1, 1)) + "\n";
    }
    textsenke aus;
    nmmatrix_speichern(m, aus);
    std::string text = aus.text();
    EXPECT_EQ(text, soll);
    textquelle ein(text);
    objekt *neu = nmmatrix_laden(ein, nullptr);
    std::size_t anfang = text.find("m = 1\n") + 6;
    for (int k = 0; k < anzahl; ++k) {
        double wert = 0.0;
        std::sscanf(text.c_str() + anfang, "%lf", &wert);
        anfang = text.find('\n', anfang) + 1;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(nmmatrix_amIndex(neu, k + 1, 1)),
                  std::bit_cast<std::uint64_t>(wert))
            << "Eintrag " << k + 1;
    }
    nmmatrix_freigeben(m);
    nmmatrix_freigeben(neu);
}

TEST(NmMatrixText, OverlongEntryLineIsReadInPieces) {
    // 8191 characters a read: the rest of a longer line is the next entry.
    std::string zeile1 = std::string(8185, ' ') + "123456" + "789\n";
    std::string zeile2 = "0." + std::string(8189, '0') + "25\n";
    textquelle ein("NM_MATRIX: L\nn = 4\nm = 1\n" + zeile1 + zeile2 +
                   "NM_MATRIX: N\nn = 0\nm = 1\n");
    objekt *m = nmmatrix_laden(ein, nullptr);
    EXPECT_EQ(nmmatrix_amIndex(m, 1, 1), 123456.0);
    EXPECT_EQ(nmmatrix_amIndex(m, 2, 1), 789.0);
    EXPECT_EQ(nmmatrix_amIndex(m, 3, 1), 0.0);
    EXPECT_EQ(nmmatrix_amIndex(m, 4, 1), 25.0);
    nmmatrix_freigeben(m);
    // The stream stands behind the last entry read: the next matrix follows.
    objekt *naechste = nmmatrix_laden(ein, nullptr);
    EXPECT_STREQ(nmmatrix_name(naechste), "N");
    nmmatrix_freigeben(naechste);
    // Exactly 8191 characters and the newline: the newline alone is read as
    // the next entry, which is no number.
    textquelle genau("NM_MATRIX: G\nn = 2\nm = 1\n" + std::string(8190, '1') + "2\n");
    EXPECT_EXIT(nmmatrix_laden(genau, nullptr), testing::ExitedWithCode(1),
                "^NM_MATRIX G: Eintrag 2 ist keine gueltige Zahl!\n$");
}

} // namespace

namespace {

TEST(ZahlForm, FullPrecisionIsReadBackUnchanged) {
    const double werte[] = {0.1, 1.0 / 3.0, -0.0, 1e-300, 4.9e-324, DBL_MAX, -2.5e17, INFINITY};
    const int anzahl = static_cast<int>(std::size(werte));
    nmmatrix_parameter p = {anzahl, 1, "V", 1};
    objekt *m = nmmatrix_kreieren(&p, nullptr);
    std::string soll = "NM_MATRIX: V\nn = " + std::to_string(anzahl) + "\nm = 1\n";
    for (int k = 0; k < anzahl; ++k) {
        nmmatrix_setzen(m, k + 1, 1, werte[k]);
        char text[64];
        std::snprintf(text, sizeof text, "%.17g\n", werte[k]);
        soll += text;
    }
    EXPECT_EQ(zahl_form_setzen(ZAHL_FORM_VOLL), ZAHL_FORM_F);
    textsenke aus;
    nmmatrix_speichern(m, aus);
    EXPECT_EQ(zahl_form_setzen(ZAHL_FORM_F), ZAHL_FORM_VOLL);
    std::string text = aus.text();
    EXPECT_EQ(text, soll);
    textquelle ein(text);
    objekt *neu = nmmatrix_laden(ein, nullptr);
    for (int k = 0; k < anzahl; ++k)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(nmmatrix_amIndex(neu, k + 1, 1)),
                  std::bit_cast<std::uint64_t>(werte[k]))
            << werte[k];
    nmmatrix_freigeben(m);
    nmmatrix_freigeben(neu);
}

} // namespace
