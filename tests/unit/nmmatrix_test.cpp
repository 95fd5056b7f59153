// NM_MATRIX and the generic parts of the matrix cluster: slot order, header
// protocol, key lines, text form, printed form, product.
#include "hilfen.h"
#include "numerik/matrix.h"
#include "numerik/nmmatrix.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <cstring>
#include <string>

namespace {

objekt *erzeuge(int n, int m, const char *name, int nullsetzen = 1) {
    nmmatrix_parameter p = {n, m, name, nullsetzen};
    return matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
}

void frei(objekt *m) {
    matrix_tabelle(m)->freigeben(m);
}

std::string gespeichert(objekt *m) {
    textsenke aus;
    matrix_tabelle(m)->speichern(m, aus);
    return aus.text();
}

std::string ausgegeben(objekt *m) {
    textsenke aus;
    matrix_tabelle(m)->ausgeben(m, aus);
    return aus.text();
}

TEST(MatrixTabelle, SlotsInInterfaceOrder) {
    // Callers index the table: a slot moved or dropped is caught here.
    const void *const *slots = reinterpret_cast<const void *const *>(&nm_matrixFunktionen);
    EXPECT_EQ(slots[0], reinterpret_cast<const void *>(matrix_ausgeben));
    EXPECT_EQ(slots[1], reinterpret_cast<const void *>(nmmatrix_speichern));
    EXPECT_EQ(slots[2], reinterpret_cast<const void *>(nmmatrix_laden));
    EXPECT_EQ(slots[3], reinterpret_cast<const void *>(nmmatrix_freigeben));
    EXPECT_EQ(slots[4], reinterpret_cast<const void *>(nmmatrix_kreieren));
    EXPECT_EQ(slots[5], reinterpret_cast<const void *>(nmmatrix_amIndex));
    EXPECT_EQ(slots[6], reinterpret_cast<const void *>(nmmatrix_setzen));
    EXPECT_EQ(slots[7], reinterpret_cast<const void *>(nmmatrix_breite));
    EXPECT_EQ(slots[8], reinterpret_cast<const void *>(nmmatrix_hoehe));
    EXPECT_EQ(slots[9], reinterpret_cast<const void *>(nmmatrix_name));
    EXPECT_EQ(slots[10], reinterpret_cast<const void *>(matrix_klasse));
    EXPECT_EQ(slots[11], reinterpret_cast<const void *>(nmmatrix_produkt));
    EXPECT_EQ(slots[12], nullptr);
    EXPECT_EQ(slots[13], nullptr);
    const void *const *allg = static_cast<const void *const *>(allg_matrix.funktionen);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(allg[i] != nullptr, i == 2) << "slot " << i;
    EXPECT_EQ(allg_matrix.daten, nullptr);
}

TEST(NmMatrix, CreationDefaultsAndNames) {
    objekt *ohne = matrix_tabelle(&nm_matrix)->kreieren(nullptr, nullptr);
    EXPECT_STREQ(nmmatrix_name(ohne), "unbenannt");
    EXPECT_EQ(nmmatrix_hoehe(ohne), 1);
    EXPECT_EQ(nmmatrix_breite(ohne), 1);
    frei(ohne);
    objekt *leer = erzeuge(2, 3, "");
    EXPECT_STREQ(nmmatrix_name(leer), "");
    EXPECT_EQ(nmmatrix_hoehe(leer), 2);
    EXPECT_EQ(nmmatrix_breite(leer), 3);
    EXPECT_EQ(nmmatrix_amIndex(leer, 2, 3), 0.0);
    frei(leer);
    // The name slot of a descriptor yields the type text.
    EXPECT_STREQ(matrix_tabelle(&nm_matrix)->name(&nm_matrix), "NM_MATRIX");
    EXPECT_EQ(matrix_klasse(&nm_matrix), &nm_matrix);
}

TEST(NmMatrix, EmptyMatricesWork) {
    objekt *m = erzeuge(0, 1, "leer");
    EXPECT_EQ(gespeichert(m), "NM_MATRIX: leer\nn = 0\nm = 1\n");
    EXPECT_EQ(ausgegeben(m), "Matrix 'leer':\n");
    frei(m);
    textquelle ein("NM_MATRIX: x\nn = 3\nm = 0\n");
    objekt *geladen = nmmatrix_laden(ein, nullptr);
    EXPECT_EQ(nmmatrix_hoehe(geladen), 3);
    EXPECT_EQ(nmmatrix_breite(geladen), 0);
    EXPECT_EQ(ausgegeben(geladen), "Matrix 'x':\n");
    frei(geladen);
}

TEST(NmMatrix, IndexChecks) {
    objekt *m = erzeuge(2, 3, "M");
    nmmatrix_setzen(m, 2, 3, 7.5);
    EXPECT_EQ(nmmatrix_amIndex(m, 2, 3), 7.5);
    EXPECT_EXIT(nmmatrix_amIndex(m, 0, 1), testing::ExitedWithCode(1),
                "^NM_MATRIX M Ungueltiger Index fuer Matrix: \\(0,1\\)\n$");
    EXPECT_EXIT(nmmatrix_amIndex(m, 3, 1), testing::ExitedWithCode(1), "\\(3,1\\)");
    EXPECT_EXIT(nmmatrix_setzen(m, 1, 4, 1.0), testing::ExitedWithCode(1), "\\(1,4\\)");
    EXPECT_EXIT(nmmatrix_setzen(m, 1, 0, 1.0), testing::ExitedWithCode(1), "\\(1,0\\)");
    frei(m);
}

TEST(NmMatrix, HandleWithoutDataEndsSilently) {
    objekt kaputt = {&nm_matrixFunktionen, nullptr};
    EXPECT_EXIT(nmmatrix_hoehe(&kaputt), testing::ExitedWithCode(1), "^$");
    EXPECT_STREQ(nmmatrix_name(&kaputt), "NM_MATRIX");
}

TEST(NmMatrix, SizeOverflowAndNegativeCounts) {
    EXPECT_EXIT(erzeuge(2147483647, 2147483647, "gross"), testing::ExitedWithCode(1),
                "^Nicht genug Speicher fuer Matrixeintraege!\n$");
    EXPECT_EXIT(erzeuge(-1, -1, "neg"), testing::ExitedWithCode(1),
                "^Ungueltige Groesse \\(-1,-1\\) fuer NM_MATRIX neg!\n$");
}

TEST(NmMatrix, SaveAndReloadRowOrder) {
    objekt *m = erzeuge(2, 3, "A");
    double wert = 1.0;
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 3; ++j)
            nmmatrix_setzen(m, i, j, wert++ + 0.25);
    nmmatrix_setzen(m, 2, 3, 1e-7);
    std::string text = gespeichert(m);
    EXPECT_EQ(text, "NM_MATRIX: A\nn = 2\nm = 3\n1.250000\n2.250000\n3.250000\n4.250000\n"
                    "5.250000\n0.000000\n");
    textquelle ein(text);
    objekt *neu = nmmatrix_laden(ein, nullptr);
    EXPECT_EQ(nmmatrix_amIndex(neu, 1, 2), 2.25);
    EXPECT_EQ(nmmatrix_amIndex(neu, 2, 1), 4.25);
    EXPECT_EQ(nmmatrix_amIndex(neu, 2, 3), 0.0);
    EXPECT_EQ(gespeichert(neu), text);
    frei(m);
    frei(neu);
}

TEST(NmMatrix, EntriesWrittenLikePrintf) {
    const double werte[] = {-0.0,     0.0000005, 0.0000015, -0.0000004, 1e15,     1e300,
                            INFINITY, -INFINITY, NAN,       -NAN,       123456.5, 4.9e-324};
    objekt *m = erzeuge(std::size(werte), 1, "w");
    std::string erwartet = "NM_MATRIX: w\nn = 12\nm = 1\n";
    for (std::size_t k = 0; k < std::size(werte); ++k) {
        nmmatrix_setzen(m, k + 1, 1, werte[k]);
        char zeile[400];
        std::snprintf(zeile, sizeof zeile, "%f\n", werte[k]);
        erwartet += zeile;
    }
    EXPECT_EQ(gespeichert(m), erwartet);
    frei(m);
}

TEST(NmMatrix, EntriesReadLikeScanf) {
    textquelle ein("NM_MATRIX: z\nn = 7\nm = 1\n  +.5e-3\n0x1p3\n-nan\ninf\n1e999\n100 \t\r\n"
                   "4e-320\n");
    objekt *m = nmmatrix_laden(ein, nullptr);
    EXPECT_EQ(nmmatrix_amIndex(m, 1, 1), 0.0005);
    EXPECT_EQ(nmmatrix_amIndex(m, 2, 1), 8.0);
    EXPECT_TRUE(std::isnan(nmmatrix_amIndex(m, 3, 1)));
    EXPECT_TRUE(std::signbit(nmmatrix_amIndex(m, 3, 1)));
    EXPECT_EQ(nmmatrix_amIndex(m, 4, 1), INFINITY);
    EXPECT_EQ(nmmatrix_amIndex(m, 5, 1), INFINITY);
    EXPECT_EQ(nmmatrix_amIndex(m, 6, 1), 100.0);
    EXPECT_EQ(nmmatrix_amIndex(m, 7, 1), 4e-320);
    frei(m);
}

TEST(NmMatrix, BadEntriesAndCounts) {
    auto lade = [](const char *text) {
        textquelle ein(text);
        nmmatrix_laden(ein, nullptr);
    };
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2\nm = 1\n1.0\nabc\n"), testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 2 ist keine gueltige Zahl!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2\nm = 1\n\n"), testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 1 ist keine gueltige Zahl!\n$");
    // The whole line is the number: what follows it is shown (without the
    // line end, non-ASCII bytes escaped, cut at 40 characters).
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2\nm = 1\n  +.5e-3x\n"), testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 1 hat hinter der Zahl noch \"x\"!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2\nm = 1\n1\n100ergs \xC3\xA4\r\n"),
                testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 2 hat hinter der Zahl noch \"ergs \\\\xC3\\\\xA4\"!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 1\nm = 1\n1.5 2.5\n"), testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 1 hat hinter der Zahl noch \"2.5\"!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 1\nm = 1\n1e\n"), testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 1 hat hinter der Zahl noch \"e\"!\n$");
    EXPECT_EXIT(lade(("NM_MATRIX: z\nn = 1\nm = 1\n7" + std::string(50, 'y') + "\n").c_str()),
                testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 1 hat hinter der Zahl noch \"y{40}\\.\\.\\.\"!\n$");
    // A decimal comma has its own hint, with the whole entry.
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2\nm = 1\n1\n -1,5\r\n"), testing::ExitedWithCode(1),
                "^NM_MATRIX z: Eintrag 2 \\(-1,5\\): Dezimalkomma statt Dezimalpunkt!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2\nm = 1\n1.0\n"), testing::ExitedWithCode(1),
                "^Zeile  nicht gefunden - EOF.\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = zwei\nm = 1\n"), testing::ExitedWithCode(1),
                "^Zeile n =... enthaelt keine gueltige Zahl!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 99999999999\nm = 1\n"), testing::ExitedWithCode(1),
                "^Zahl in Zeile n =... ausserhalb des Wertebereichs!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = -1\nm = 1\n"), testing::ExitedWithCode(1),
                "^Ungueltige Groesse \\(-1,1\\) fuer NM_MATRIX z!\n$");
    // A huge claimed count is not allocated ahead: the file ends first.
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2147483647\nm = 1\n1\n2\n"), testing::ExitedWithCode(1),
                "^Zeile  nicht gefunden - EOF.\n$");
    EXPECT_EXIT(lade("NM_MATRIX: z\nn = 2147483647\nm = 2147483647\n"), testing::ExitedWithCode(1),
                "^Nicht genug Speicher fuer Matrixeintraege!\n$");
}

// A stream that delivers its text and then fails with EIO, as a disk or a
// special file can.
FILE *scheiternde_quelle(const std::string &text) {
    struct quelle {
        std::string text;
        std::size_t stelle = 0;
    };
    cookie_io_functions_t funktionen = {};
    funktionen.read = [](void *c, char *puffer, std::size_t anzahl) -> ssize_t {
        auto *q = static_cast<quelle *>(c);
        if (q->stelle == q->text.size()) {
            errno = EIO;
            return -1;
        }
        std::size_t k = std::min(anzahl, q->text.size() - q->stelle);
        std::memcpy(puffer, q->text.data() + q->stelle, k);
        q->stelle += k;
        return static_cast<ssize_t>(k);
    };
    return fopencookie(new quelle{text}, "r", funktionen);
}

TEST(NmMatrix, ReadErrorsAreNoEndOfData) {
    // At the header line, a key line and an entry: the system's reason,
    // never "EOF".
    const char *texte[] = {"", "NM_MATRIX: a\nn = 2\n", "NM_MATRIX: a\nn = 2\nm = 1\n1\n"};
    for (const char *text : texte)
        EXPECT_EXIT(matrix_tabelle(&allg_matrix)->laden(scheiternde_quelle(text), nullptr),
                    testing::ExitedWithCode(1),
                    "^Die Eingabe konnte nicht gelesen werden: Input/output error.\n$");
    // A directory opens for reading; its first read fails.
    EXPECT_EXIT(nmmatrix_laden(std::fopen(".", "r"), nullptr), testing::ExitedWithCode(1),
                "^Die Eingabe konnte nicht gelesen werden: Is a directory.\n$");
}

TEST(NmMatrix, LargeLoadGrowsPastReserve) {
    std::string text = "NM_MATRIX: gross\nn = 200000\nm = 1\n";
    for (int k = 0; k < 200000; ++k)
        text += std::to_string(k) + "\n";
    textquelle ein(text);
    objekt *m = nmmatrix_laden(ein, nullptr);
    EXPECT_EQ(nmmatrix_amIndex(m, 1, 1), 0.0);
    EXPECT_EQ(nmmatrix_amIndex(m, 65537, 1), 65536.0);
    EXPECT_EQ(nmmatrix_amIndex(m, 200000, 1), 199999.0);
    frei(m);
}

TEST(KeyLines, KeyMustMatchAndValueFollows) {
    auto lade = [](const char *text) {
        textquelle ein(text);
        objekt *m = nmmatrix_laden(ein, nullptr);
        int n = nmmatrix_hoehe(m);
        frei(m);
        return n;
    };
    EXPECT_EQ(lade("NM_MATRIX: a\nn =   4 \r\nm = 0\r\n"), 4);
    EXPECT_EQ(lade("NM_MATRIX: a\nn =4\nm = 0\n"), 4);
    EXPECT_EXIT(lade("NM_MATRIX: a\nn =   4 rows\nm = 0\n"), testing::ExitedWithCode(1),
                "^Zeile n =... hat hinter der Zahl noch \"rows\"!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: a\nn = 4.0\nm = 0\n"), testing::ExitedWithCode(1),
                "^Zeile n =... hat hinter der Zahl noch \".0\"!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: a\nn = 4,0\nm = 0\n"), testing::ExitedWithCode(1),
                "^Zeile n = 4,0: Dezimalkomma statt Dezimalpunkt!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: a\nn=4\nm = 0\n"), testing::ExitedWithCode(1),
                "^n =... erwartet!\n$");
    EXPECT_EXIT(lade("NM_MATRIX: a\nn = 4\n"), testing::ExitedWithCode(1),
                "^Zeile m = nicht gefunden - EOF.\n$");
}

TEST(HeaderLine, NamesAndTypes) {
    auto name_von = [](const char *text) {
        textquelle ein(text);
        objekt *m = nmmatrix_laden(ein, nullptr);
        std::string name = nmmatrix_name(m);
        frei(m);
        return name;
    };
    EXPECT_EQ(name_von("NM_MATRIX:\nn = 0\nm = 0\n"), "unbenannt");
    EXPECT_EQ(name_von("NM_MATRIX:    \nn = 0\nm = 0\n"), "unbenannt");
    EXPECT_EQ(name_von("NM_MATRIX:  Test A  \nn = 0\nm = 0\n"), "Test A  ");
    // A CRLF line end is no part of the name, nor are further carriage
    // returns before it: a loaded name saved and loaded again stays the same.  A byte-order mark
    // before the type is skipped.
    EXPECT_EQ(name_von("NM_MATRIX:  Test A\r\nn = 0\nm = 0\n"), "Test A");
    EXPECT_EQ(name_von("NM_MATRIX:  Test\rA \r\r\nn = 0\nm = 0\n"), "Test\rA ");
    EXPECT_EQ(name_von("NM_MATRIX: C\r \r\nn = 0\nm = 0\n"), "C\r ");
    EXPECT_EQ(name_von("\xEF\xBB\xBFNM_MATRIX: B\r\nn = 0\r\nm = 0\r\n"), "B");
    EXPECT_EQ(name_von("NM_MATRIX:a:b\nn = 0\nm = 0\n"), "a:b");
    EXPECT_EXIT(name_von("BAND_MATRIX: b\nn = 0\nm = 0\n"), testing::ExitedWithCode(1),
                "^Dies ist keine NM_MATRIX Matrix!\n$");
    EXPECT_EXIT(name_von(""), testing::ExitedWithCode(1),
                "^Keine Daten fuer neue Matrix gefunden - EOF.\n$");
    EXPECT_EXIT(name_von("NM_MATRIX x\n"), testing::ExitedWithCode(1),
                "^Fehler in der Eingabe: <Matrixtyp>:\\[Matrixname\\] erwartet.\n$");
}

TEST(HeaderLine, GenericLoaderRejectsUnregisteredTypes) {
    auto lade = [](const std::string &text) {
        textquelle ein(text);
        matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    };
    EXPECT_EXIT(lade("FOO:bar\n"), testing::ExitedWithCode(1),
                "^Matrix bar vom Matrixtyp FOO kann nicht eingelesen werden, da dieser Typ "
                "nicht im Klassenkluster registriert.n$");
    EXPECT_EXIT(lade("NM_MATRIX : x\n"), testing::ExitedWithCode(1),
                "^Matrix x vom Matrixtyp NM_MATRIX  kann nicht");
    // A type text too long for the type buffer is named whole.
    std::string lang(200, 'T');
    EXPECT_EXIT(lade("NM_MATRIX" + lang + ": y\n"), testing::ExitedWithCode(1),
                "^Matrix y vom Matrixtyp NM_MATRIX" + lang + " kann nicht");
}

TEST(HeaderLine, DiscoverTwiceIsAnError) {
    EXPECT_EXIT(
        {
            textquelle ein("NM_MATRIX: a\nNM_MATRIX: b\n");
            char typ[80] = "";
            matrix_kopfzeile(ein, typ);
            typ[0] = '\0';
            matrix_kopfzeile(ein, typ);
        },
        testing::ExitedWithCode(1), "^Fehler: Kopfzeile wurde bereits gelesen\n$");
}

TEST(HeaderLine, OverlongLineIsReadInPieces) {
    // 8191 characters a read: the rest of the line is read as the next line,
    // which here is taken as the key line and rejected.
    std::string name(9000, 'x');
    textquelle ein("NM_MATRIX: " + name + "\nn = 0\nm = 0\n");
    EXPECT_EXIT(nmmatrix_laden(ein, nullptr), testing::ExitedWithCode(1), "^n =... erwartet!\n$");
}

TEST(HeaderLine, TwoMatricesFromOneStreamAnyLoaderMix) {
    const char *text = "NM_MATRIX: X\nn = 1\nm = 1\n1.5\nNM_MATRIX: Y\nn = 1\nm = 1\n2.5\n"
                       "NM_MATRIX: Z\nn = 1\nm = 1\n3.5\n";
    textquelle ein(text);
    objekt *x = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    objekt *y = nmmatrix_laden(ein, nullptr);
    objekt *z = matrix_tabelle(&allg_matrix)->laden(ein, nullptr);
    EXPECT_STREQ(nmmatrix_name(x), "X");
    EXPECT_STREQ(nmmatrix_name(y), "Y");
    EXPECT_STREQ(nmmatrix_name(z), "Z");
    EXPECT_EQ(nmmatrix_amIndex(z, 1, 1), 3.5);
    frei(x);
    frei(y);
    frei(z);
}

TEST(Printing, FormatClasses) {
    const double werte[] = {0.0,       0.0001, 0.00005,   12.5,    123456.0, NAN,
                            9.9999999, 10.0,   9999.9994, 10000.0, -0.0,     INFINITY};
    objekt *m = erzeuge(3, 4, "P");
    for (int k = 0; k < 12; ++k)
        nmmatrix_setzen(m, k / 4 + 1, k % 4 + 1, werte[k]);
    EXPECT_EQ(ausgegeben(m), "Matrix 'P':\n"
                             " 0.000000  0.000100     5e-05    12.500\n"
                             " 1.23e+05       nan 10.000000    10.000\n"
                             " 9999.999     1e+04 -0.000000       inf\n");
    frei(m);
}

TEST(Printing, UsesTheTableOncePerElement) {
    // A spy table: the printer must read every element through amIndex.
    static int aufrufe;
    aufrufe = 0;
    matrix_funktionen spion = nm_matrixFunktionen;
    spion.amIndex = [](objekt *m, int i, int j) {
        ++aufrufe;
        return nmmatrix_amIndex(m, i, j);
    };
    objekt *m = erzeuge(3, 2, "S");
    m->funktionen = &spion;
    textsenke aus;
    matrix_ausgeben(m, aus);
    EXPECT_EQ(aufrufe, 6);
    m->funktionen = &nm_matrixFunktionen;
    frei(m);
}

TEST(Product, ShapesNamesAndValues) {
    objekt *a = erzeuge(2, 3, "A");
    objekt *b = erzeuge(3, 4, "B");
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 3; ++j)
            nmmatrix_setzen(a, i, j, i + j);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j)
            nmmatrix_setzen(b, i, j, i * j);
    objekt *c = matrix_tabelle(a)->produkt(a, b);
    EXPECT_EQ(matrix_klasse(c), &nm_matrix);
    EXPECT_STREQ(nmmatrix_name(c), "Produkt von A und B");
    EXPECT_EQ(nmmatrix_hoehe(c), 2);
    EXPECT_EQ(nmmatrix_breite(c), 4);
    // (i+1)*1*j + (i+2)*2*j + (i+3)*3*j = j*(6i + 14)
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(nmmatrix_amIndex(c, i, j), j * (6.0 * i + 14.0));
    EXPECT_EXIT(nmmatrix_produkt(a, a), testing::ExitedWithCode(1),
                "^Matrizen m1 und m2 koennen nicht multipliziert werden.\n$");
    frei(a);
    frei(b);
    frei(c);
}

TEST(Product, LongNamesAreCutTo25Characters) {
    objekt *a = erzeuge(1, 1, "abcdefghijklmnopqrstuvwxyzABCD");
    objekt *b = erzeuge(1, 1, "0123456789012345678901234");
    objekt *c = nmmatrix_produkt(a, b);
    EXPECT_STREQ(nmmatrix_name(c),
                 "Produkt von abcdefghijklmnopqrstuvwxy und 0123456789012345678901234");
    frei(a);
    frei(b);
    frei(c);
}

TEST(Product, SameBitsWithAndWithoutTheTable) {
    // Two NM_MATRIX factors are multiplied from their arrays; a table copy
    // makes the product read every element through amIndex.  Values of many
    // magnitudes make every product and every step of the sum round, so a
    // different order would show.
    std::mt19937_64 zufall(3);
    objekt *a = erzeuge(7, 13, "A", 0);
    objekt *b = erzeuge(13, 5, "B", 0);
    for (objekt *m : {a, b})
        for (int i = 1; i <= nmmatrix_hoehe(m); ++i)
            for (int j = 1; j <= nmmatrix_breite(m); ++j)
                nmmatrix_setzen(m, i, j,
                                std::ldexp(static_cast<double>(zufall() >> 11) - 0x1p52,
                                           static_cast<int>(zufall() % 80) - 90));
    objekt *direkt = nmmatrix_produkt(a, b);
    static int aufrufe;
    aufrufe = 0;
    matrix_funktionen kopie = nm_matrixFunktionen;
    kopie.amIndex = [](objekt *m, int i, int j) {
        ++aufrufe;
        return nmmatrix_amIndex(m, i, j);
    };
    a->funktionen = &kopie;
    objekt *ueber_tabelle = nmmatrix_produkt(a, b);
    EXPECT_EQ(aufrufe, 7 * 5 * 13); // every element of A, once for each column of B
    a->funktionen = &nm_matrixFunktionen;
    for (int i = 1; i <= 7; ++i)
        for (int j = 1; j <= 5; ++j)
            EXPECT_EQ(std::bit_cast<std::uint64_t>(nmmatrix_amIndex(direkt, i, j)),
                      std::bit_cast<std::uint64_t>(nmmatrix_amIndex(ueber_tabelle, i, j)));
    frei(a);
    frei(b);
    frei(direkt);
    frei(ueber_tabelle);
}

} // namespace
