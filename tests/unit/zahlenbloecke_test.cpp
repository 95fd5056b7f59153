// The printf formats without printf, and long outputs written a block at a
// time and by two threads: every text must be the C library's, byte for
// byte, and the same whatever the block size and the number of threads.
#include "hilfen.h"
#include "numerik/nmmatrix.h"
#include "numerik/zahlen.h"

#include <bit>
#include <climits>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string wie_printf(double x, char art, int breite, int stellen) {
    char format[32];
    std::snprintf(format, sizeof format, "%%%d.%d%c", breite, stellen, art);
    char text[800];
    std::snprintf(text, sizeof text, format, x);
    return text;
}

std::string formatiert(double x, char art, int breite, int stellen) {
    char text[800];
    return std::string(text, zahl_formatiert_schreiben(text, x, art, breite, stellen));
}

// Compares every format of the list for x and -x; reports the first few
// differences, so a systematic fault does not flood the log.
void alle_formate(double x, const std::vector<int> &stellenliste, int &fehler) {
    for (double y : {x, -x})
        for (char art : {'f', 'e', 'g'})
            for (int breite : {0, 9, 30})
                for (int stellen : stellenliste) {
                    std::string soll = wie_printf(y, art, breite, stellen);
                    std::string ist = formatiert(y, art, breite, stellen);
                    if (soll != ist && ++fehler <= 10)
                        ADD_FAILURE()
                            << "%" << breite << "." << stellen << art << " von " << std::hexfloat
                            << y << ": printf '" << soll << "', geschrieben '" << ist << "'";
                }
}

TEST(ZahlFormatiert, SchwierigeWerteWiePrintf) {
    const double werte[] = {
        0.0, NAN, INFINITY,
        // Ties of the exact binary value: printf rounds them to even.
        0.5, 1.5, 2.5, 0.125, 0.375, 0.0625, 1e23, 2.5e-5,
        // The bounds of %g's fixed form, and values rounding onto them.
        1e-5, 1e-4, 0.0001, 9.9995e-5, 9.99949e-5, 0.000099999999, 999.5, 9999.5, 1e4, 99995.0,
        99994.9, 1e16, 1e17, 123456789.0, 9.9999999,
        // Large exponents and denormals.
        1e300, DBL_MAX, 1e-300, DBL_MIN, 4.9e-324, 1e-310, 2.2250738585072009e-308,
        // 2^64 and beyond, where the exact integer arithmetic ends.
        18446744073709551616.0, 18446744073709549568.0, 1e19, 1e20, 0x1p70, 0x1p-70};
    int fehler = 0;
    std::vector<int> stellenliste;
    for (int s = 0; s <= ZAHL_HOECHSTE_STELLEN; ++s)
        stellenliste.push_back(s);
    for (double x : werte)
        alle_formate(x, stellenliste, fehler);
    EXPECT_EQ(fehler, 0);
}

TEST(ZahlFormatiert, ZufaelligeWerteWiePrintf) {
    // Every bit pattern, and values of few digits at every scale (where
    // ties and carries into the next power of ten lie).
    std::mt19937_64 zufall(20261208);
    const std::vector<int> stellenliste = {0, 1, 2, 3, 6, 9, 16, 17};
    int fehler = 0;
    for (int i = 0; i < 4000; ++i) {
        alle_formate(std::bit_cast<double>(zufall()), stellenliste, fehler);
        const double ziffern = static_cast<double>(zufall() % 100000);
        alle_formate(ziffern * std::pow(10.0, static_cast<int>(zufall() % 60) - 30), stellenliste,
                     fehler);
        alle_formate(std::ldexp(ziffern, static_cast<int>(zufall() % 160) - 80), stellenliste,
                     fehler);
    }
    EXPECT_EQ(fehler, 0);
}

TEST(ZahlFormatiert, NanMitVorzeichenUndNegativeNull) {
    EXPECT_EQ(formatiert(-NAN, 'g', 9, 3), "     -nan");
    EXPECT_EQ(formatiert(-0.0, 'g', 9, 3), "       -0");
    EXPECT_EQ(formatiert(-0.0, 'e', 0, 2), "-0.00e+00");
    EXPECT_EQ(formatiert(-INFINITY, 'f', 0, 3), "-inf");
    // A negative precision is printf's default of six.
    EXPECT_EQ(formatiert(0.1, 'f', 0, -1), "0.100000");
}

// The entries of a vector as one text of "%f\n" or "%.17g\n" lines behind
// its three header lines.
std::string vektortext(const char *name, const std::vector<double> &werte, bool voll) {
    std::string text =
        std::string("NM_MATRIX: ") + name + "\nn = " + std::to_string(werte.size()) + "\nm = 1\n";
    for (double x : werte)
        text += wie_printf(x, voll ? 'g' : 'f', 0, voll ? 17 : 6) + "\n";
    return text;
}

std::vector<double> werte(int anzahl) {
    std::vector<double> w(static_cast<std::size_t>(anzahl));
    for (int i = 0; i < anzahl; ++i)
        w[i] = std::sin(0.37 * i) * std::exp2(i % 41 - 20);
    if (anzahl > 3) w[3] = NAN;
    return w;
}

// nmvektor_schreiben in blocks of 8, and nmmatrix_speichern of the whole
// vector: the same text for every length around one, two and three blocks,
// in both forms.
TEST(Bloecke, BlockweiseWieGanzerVektor) {
    for (int form : {ZAHL_FORM_F, ZAHL_FORM_VOLL}) {
        const int vorher = zahl_form_setzen(form);
        for (int anzahl = 0; anzahl <= 26; ++anzahl) {
            const std::vector<double> w = werte(anzahl);
            textsenke bloecke;
            nmvektor_schreiben(
                bloecke, "v", anzahl, [&](int i) { return w[i]; }, 8);
            nmmatrix_parameter p = {anzahl, 1, "v", 1};
            objekt *m = nmmatrix_kreieren(&p, nullptr);
            for (int i = 0; i < anzahl; ++i)
                nmmatrix_setzen(m, i + 1, 1, w[i]);
            textsenke ganz;
            nmmatrix_speichern(m, ganz);
            nmmatrix_freigeben(m);
            EXPECT_EQ(bloecke.text(), ganz.text()) << "Form " << form << ", " << anzahl;
            EXPECT_EQ(ganz.text(), vektortext("v", w, form == ZAHL_FORM_VOLL));
        }
        zahl_form_setzen(vorher);
    }
}

// The default block size, where a block is also split between the threads:
// one and two threads write printf's text, and so does every value asked
// for exactly once and in order.
TEST(Bloecke, EinUndZweiFaedenWiePrintf) {
    const int bg = static_cast<int>(zahlenbloecke::BLOCKGROESSE);
    for (int anzahl : {4095, 4096, 4097, bg - 1, bg, bg + 1, 2 * bg + 3}) {
        const std::vector<double> w = werte(anzahl);
        const std::string soll = vektortext("Y", w, false);
        for (int faeden : {1, 2}) {
            const int vorher = zahl_faeden_setzen(faeden);
            textsenke aus;
            int naechster = 0;
            nmvektor_schreiben(aus, "Y", anzahl, [&](int i) {
                EXPECT_EQ(i, naechster);
                ++naechster;
                return w[i];
            });
            zahl_faeden_setzen(vorher);
            EXPECT_EQ(naechster, anzahl);
            EXPECT_EQ(aus.text(), soll) << anzahl << " Werte, " << faeden << " Faeden";
        }
    }
}

// The printed form as the C library writes it (the rule of matrix_ausgeben).
std::string gedruckt_wie_printf(const std::vector<double> &w, int zeilen, int spalten) {
    std::string text = "Matrix 'A':\n";
    for (int k = 0; k < zeilen * spalten; ++k) {
        const double x = w[k];
        const bool klein = x != 0.0 && std::fabs(1.0L / static_cast<long double>(x)) >= 10000.0L;
        std::string zahl;
        if (klein || std::isnan(x) || std::fabs(x) >= 10000.0)
            zahl = wie_printf(x, 'g', 9, 3);
        else if (std::fabs(x) < 10.0)
            zahl = wie_printf(x, 'f', 9, 6);
        else
            zahl = wie_printf(x, 'f', 9, 3);
        text += zahl + ((k + 1) % spalten != 0 ? " " : "\n");
    }
    return text;
}

// Three columns, so that rows cross the block and thread boundaries.
TEST(Bloecke, GedruckteFormWiePrintfMitEinemUndZweiFaeden) {
    const int zeilen = 50000;
    const int spalten = 3;
    std::vector<double> w = werte(zeilen * spalten);
    // Values at the bounds of the three formats.
    const double rand[] = {1e-4, 0.0001, 9.99e-5, -1e-4, 10.0, 9.9999996, -9.9999996, 9999.9996,
                           1e4,  -1e4,   0.0,     -0.0,  NAN,  -INFINITY, 1e300,      4.9e-324};
    for (std::size_t i = 0; i < std::size(rand); ++i)
        w[7 * i] = rand[i];
    nmmatrix_parameter p = {zeilen, spalten, "A", 1};
    objekt *m = nmmatrix_kreieren(&p, nullptr);
    for (int k = 0; k < zeilen * spalten; ++k)
        nmmatrix_setzen(m, k / spalten + 1, k % spalten + 1, w[k]);
    const std::string soll = gedruckt_wie_printf(w, zeilen, spalten);
    for (int faeden : {1, 2}) {
        const int vorher = zahl_faeden_setzen(faeden);
        textsenke aus;
        EXPECT_EQ(matrix_ausgeben(m, aus), 1);
        zahl_faeden_setzen(vorher);
        EXPECT_TRUE(aus.text() == soll) << faeden << " Faeden";
    }
    nmmatrix_freigeben(m);
}

// Entries beyond the machine's physical memory are refused with the
// library's message before the system would have to swap: two matrices of
// a little more than half of it each.  (The sanitizers' allocator keeps
// its own limits.)
void zwei_grosse_matrizen(bool erste_freigeben) {
    const long long seiten = sysconf(_SC_PHYS_PAGES);
    const long long groesse = sysconf(_SC_PAGESIZE);
    const long long eintraege = seiten * groesse / 8 / 2 + 1;
    nmmatrix_parameter p = {};
    p.m = static_cast<int>(eintraege / INT_MAX + 1);
    p.n = static_cast<int>(eintraege / p.m + 1);
    p.name = "gross";
    objekt *erste = nmmatrix_kreieren(&p, nullptr);
    if (erste_freigeben) nmmatrix_freigeben(erste);
    nmmatrix_freigeben(nmmatrix_kreieren(&p, nullptr));
    std::exit(0);
}

TEST(Speicher, UeberDemPhysischenSpeicherDieMeldung) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "nicht mit den Sanitizern";
#else
    if (sysconf(_SC_PHYS_PAGES) <= 0 || sysconf(_SC_PAGESIZE) <= 0)
        GTEST_SKIP() << "physischer Speicher unbekannt";
    EXPECT_EXIT(zwei_grosse_matrizen(false), testing::ExitedWithCode(1),
                "^Nicht genug Speicher fuer Matrixeintraege!\n$");
    // Released entries no longer count.
    EXPECT_EXIT(zwei_grosse_matrizen(true), testing::ExitedWithCode(0), "");
#endif
}

} // namespace
