// The error hook from C++: a handler that throws takes the caller out of a
// failing call, the library goes on working, and without a handler (or when
// it returns) the process ends as it always has.
#include "hilfen.h"
#include "numerik/fehler.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

struct abbruch {
    std::string meldung;
    int status;
};

void werfen(const char *meldung, int status) {
    throw abbruch{meldung, status};
}

// Sets a handler for one test and restores the previous one.
class mit_behandlung {
  public:
    explicit mit_behandlung(numerik_fehlerbehandlung b)
        : vorher_(numerik_fehlerbehandlung_setzen(b)) {}
    ~mit_behandlung() { numerik_fehlerbehandlung_setzen(vorher_); }

  private:
    numerik_fehlerbehandlung vorher_;
};

template <typename Aufruf> abbruch abgebrochen(Aufruf aufruf) {
    try {
        aufruf();
    } catch (const abbruch &a) {
        return a;
    }
    ADD_FAILURE() << "kein Abbruch";
    return {};
}

TEST(Fehlerbehandlung, HandlerGetsWholeMessageAndLibraryGoesOn) {
    mit_behandlung b(werfen);
    // A name longer than any fixed buffer reaches the handler whole.
    std::string name(3000, 'x');
    nmmatrix_parameter p = {2, 3, name.c_str(), 1};
    objekt *m = nmmatrix_kreieren(&p, nullptr);
    abbruch a = abgebrochen([&] { nmmatrix_setzen(m, 1, 4, 1.0); });
    EXPECT_EQ(a.meldung, "NM_MATRIX " + name + " Ungueltiger Index fuer Matrix: (1,4)\n");
    EXPECT_EQ(a.status, 1);
    nmmatrix_setzen(m, 2, 3, 7.0);
    EXPECT_EQ(nmmatrix_amIndex(m, 2, 3), 7.0);
    // A handle without its record takes the path with an empty message.
    objekt leer = {&nm_matrixFunktionen, nullptr};
    a = abgebrochen([&] { nmmatrix_hoehe(&leer); });
    EXPECT_EQ(a.meldung, "");
    EXPECT_EQ(a.status, 1);
    nmmatrix_freigeben(m);
}

TEST(Fehlerbehandlung, SetReturnsPrevious) {
    numerik_fehlerbehandlung vorher = numerik_fehlerbehandlung_setzen(werfen);
    EXPECT_EQ(numerik_fehlerbehandlung_setzen(vorher), werfen);
}

TEST(Fehlerbehandlung, LoadingWorksAfterAFailedLoad) {
    // A failed load loses what it had made (released by the OS here: the
    // scenario runs in a child, which leaves with _exit).
    EXPECT_EXIT(
        {
            mit_behandlung b(werfen);
            textquelle kaputt("SPLINE_INTERPOLATION: s\nstuetzstellenart = 1\na = 0\nb = 1\n"
                              "splineart = 1\nNM_MATRIX: y\nn = 3\nm = 1\n1\nzwei\n");
            abbruch a = abgebrochen(
                [&] { interpolation_tabelle(&allg_interpolation)->laden(kaputt, nullptr); });
            if (a.meldung != "NM_MATRIX y: Eintrag 2 ist keine gueltige Zahl!\n") _exit(2);
            textquelle gut("SPLINE_INTERPOLATION: s\nstuetzstellenart = 1\na = 0\nb = 1\n"
                           "splineart = 1\nNM_MATRIX: y\nn = 3\nm = 1\n1\n1\n1\n");
            objekt *s = interpolation_tabelle(&allg_interpolation)->laden(gut, nullptr);
            double wert = interpolation_tabelle(s)->funktionswert(s, 0.25);
            interpolation_tabelle(s)->freigeben(s);
            _exit(wert == 1.0 ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
}

void zurueckkehren(const char *, int) {}

TEST(Fehlerbehandlung, ReturningHandlerOrNoneEndsTheProcess) {
    nmmatrix_parameter p = {1, 1, "E", 1};
    objekt *m = nmmatrix_kreieren(&p, nullptr);
    EXPECT_EXIT(nmmatrix_amIndex(m, 0, 1), testing::ExitedWithCode(1),
                "^NM_MATRIX E Ungueltiger Index fuer Matrix: \\(0,1\\)\n$");
    EXPECT_EXIT(
        {
            numerik_fehlerbehandlung_setzen(zurueckkehren);
            nmmatrix_amIndex(m, 0, 1);
        },
        testing::ExitedWithCode(1), "^NM_MATRIX E Ungueltiger Index fuer Matrix: \\(0,1\\)\n$");
    EXPECT_EXIT(numerik_fehler("eigene %s %d\n", "Meldung", 7), testing::ExitedWithCode(1),
                "^eigene Meldung 7\n$");
    nmmatrix_freigeben(m);
}

} // namespace
