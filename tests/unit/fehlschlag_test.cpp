// A failing call releases what it had made, when the caller's handler
// leaves it by throwing: Python and the page call the library millions of
// times and survive every failure.  Counted with the allocator's own
// figure of the bytes in use (the sanitizer build checks the same runs for
// leaks at its end instead).  And warnings reach the caller's handler of
// warnings, whole, instead of standard error.
#include "hilfen.h"
#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/fehler.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

struct fehlschlag {
    std::string meldung;
};

[[noreturn]] void werfen(const char *meldung, int) {
    throw fehlschlag{meldung};
}

std::vector<std::string> warnungen;

void sammeln(const char *meldung) {
    warnungen.emplace_back(meldung);
}

// Both handlers for one test, the previous ones restored after it.
class mit_handlern {
  public:
    mit_handlern()
        : fehler_(numerik_fehlerbehandlung_setzen(werfen)),
          warnung_(numerik_warnungsbehandlung_setzen(sammeln)) {
        warnungen.clear();
    }
    ~mit_handlern() {
        numerik_fehlerbehandlung_setzen(fehler_);
        numerik_warnungsbehandlung_setzen(warnung_);
    }
    mit_handlern(const mit_handlern &) = delete;
    mit_handlern &operator=(const mit_handlern &) = delete;

  private:
    numerik_fehlerbehandlung fehler_;
    numerik_warnungsbehandlung warnung_;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool GEZAEHLT = false; // the sanitizer's allocator counts apart; it finds leaks at exit
constexpr int WIEDERHOLUNGEN = 2000;
#else
constexpr bool GEZAEHLT = true;
constexpr int WIEDERHOLUNGEN = 100000;
#endif

std::size_t belegt() {
    return mallinfo2().uordblks;
}

// Runs versuch, which must fail with a message containing erwartet, so
// often that a leak of a single byte a time would show, and checks that
// the memory in use has not grown.
void ohne_verlust(const std::string &was, int mal, const std::function<void()> &versuch,
                  const std::string &erwartet) {
    SCOPED_TRACE(was);
    auto einmal = [&] {
        try {
            versuch();
        } catch (const fehlschlag &f) {
            return f.meldung;
        }
        return std::string("kein Fehlschlag");
    };
    // The first runs may fill buffers the library keeps (the message's).
    for (int i = 0; i < 10; ++i)
        ASSERT_NE(einmal().find(erwartet), std::string::npos) << einmal();
    const std::size_t vorher = belegt();
    for (int i = 0; i < mal; ++i)
        einmal();
    if (GEZAEHLT) {
        EXPECT_LE(belegt(), vorher + 4096) << vorher;
    }
}

// n+1 nodes 0..n and the values there.
struct daten {
    matrix_zeiger x;
    matrix_zeiger y;
    daten(int n, int werte) {
        std::vector<double> xs, ys;
        for (int i = 0; i <= n; ++i)
            xs.push_back(i);
        for (int i = 0; i < werte; ++i)
            ys.push_back(std::sin(0.1 * i));
        x = spaltenvektor(xs);
        y = spaltenvektor(ys);
    }
};

TEST(Fehlschlag, EveryClassReleasesAFailedCreation) {
    mit_handlern h;
    // One value fewer than nodes, n = 1000: the class makes its object and
    // its vectors before it finds the counts that differ.
    daten d(1000, 1000);
    for (int i = 0; i < interpolationstypen_anzahl(); ++i) {
        const interpolationstyp *t = interpolationstyp_an(i);
        interpolation_problem p;
        interpolation_problem_vorbelegen(&p, t->beschreibung);
        p.name = "kurz";
        p.stuetzstellen = d.x.get();
        p.stuetzwerte = d.y.get();
        ohne_verlust(
            t->typtext, WIEDERHOLUNGEN,
            [&] { interpolation_zeiger(interpolation_erzeugen(&p, nullptr)); }, "inkompatibel");
    }
}

TEST(Fehlschlag, FailuresLateInCreationAndLoadingReleaseToo) {
    mit_handlern h;
    const int mal = WIEDERHOLUNGEN / 20;
    daten d(200, 201);
    auto erzeugen = [&](klasse *k, auto setzen) {
        return [&d, k, setzen] {
            interpolation_problem p;
            interpolation_problem_vorbelegen(&p, k);
            p.name = "spaet";
            p.stuetzstellen = d.x.get();
            p.stuetzwerte = d.y.get();
            setzen(p);
            interpolation_zeiger(interpolation_erzeugen(&p, nullptr));
        };
    };
    // Options the class itself refuses, after its vectors are made.
    ohne_verlust(
        "Spline ende 3", mal,
        erzeugen(&spline_interpolation, [](interpolation_problem &p) { p.optionen[0] = 3; }),
        "Splineart 3");
    ohne_verlust("Hermite steigungen 7", mal,
                 erzeugen(interpolationstyp_name("Hermite")->beschreibung,
                          [](interpolation_problem &p) { p.optionen[0] = 7; }),
                 "Steigungen 7");
    // AAA finds its values all equal after it has copied its sample; the
    // trigonometric interpolation its nodes unequal after its vectors.
    ohne_verlust("AAA konstant", mal,
                 erzeugen(interpolationstyp_name("AAA")->beschreibung,
                          [&d](interpolation_problem &p) {
                              static matrix_zeiger eins =
                                  spaltenvektor(std::vector<double>(201, 1.0));
                              p.stuetzstellen = d.x.get();
                              p.stuetzwerte = eins.get();
                          }),
                 "Alle Werte gleich");
    {
        std::vector<double> x(201);
        for (int i = 0; i < 201; ++i)
            x[static_cast<std::size_t>(i)] = i + (i == 120 ? 0.25 : 0.0);
        static matrix_zeiger schief;
        schief = spaltenvektor(x);
        ohne_verlust("Trigonometrisch ungleiche Schritte", mal,
                     erzeugen(interpolationstyp_name("Trigonometrisch")->beschreibung,
                              [](interpolation_problem &p) { p.stuetzstellen = schief.get(); }),
                     "nicht aequidistant");
    }
    ohne_verlust(
        "AAA-Text", mal,
        [] {
            textquelle ein("AAA_INTERPOLATION: g\na = 0\nb = 1\ntoleranz = 1e-13\ngrad = 3\n"
                           "NM_MATRIX: z\nn = 2\nm = 1\n0\n1\nNM_MATRIX: f\nn = 2\nm = 1\n1\n2\n"
                           "NM_MATRIX: w\nn = 2\nm = 1\n0\n0\n");
            interpolation_zeiger(interpolation_laden(ein, nullptr));
        },
        "Alle Gewichte 0");
    ohne_verlust("Spline abl2 ohne Enden", mal,
                 erzeugen(&spline_interpolation,
                          [](interpolation_problem &p) { p.optionen[0] = SPLINE_ABL2_GEGEBEN; }),
                 "links und rechts fehlen");
    // The coefficient step finds nodes that do not ascend: the class's own
    // creation, without the generic checks, with its temporaries made.
    {
        std::vector<double> x(300), y(300, 1.0);
        for (int i = 0; i < 300; ++i)
            x[static_cast<std::size_t>(i)] = i == 150 ? 149.0 : i;
        matrix_zeiger xv = spaltenvektor(x);
        matrix_zeiger yv = spaltenvektor(y);
        splineinterpolation_parameter r = {};
        r.name = "absteigend";
        r.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
        r.stuetzstellen = xv.get();
        r.stuetzwerte = yv.get();
        // Each kind's direct way gives up there and its general way fails.
        for (int art : {SPLINE_NATUERLICH, SPLINE_NOT_A_KNOT, SPLINE_EINGESPANNT}) {
            r.splineart = art;
            ohne_verlust(
                "Spline Koeffizienten, Art " + std::to_string(art), mal,
                [&] { interpolation_zeiger(splineinterpolation_kreieren(&r, nullptr)); },
                "aufsteigend");
        }
    }
    // A text that breaks off in its value vector, and matrices of every
    // class whose text or size is refused after they are partly made.
    std::string text =
        "NEWTON_INTERPOLATION: t\nart = 1\na = 0\nb = 1\nNM_MATRIX: y\nn = 400\nm = 1\n";
    for (int i = 0; i < 300; ++i)
        text += "1.5\n";
    text += "zwei\n";
    ohne_verlust(
        "Newton-Text", mal,
        [&] {
            textquelle ein(text);
            interpolation_zeiger(interpolation_laden(ein, nullptr));
        },
        "keine gueltige Zahl");
    ohne_verlust(
        "BAND_MATRIX-Text", mal,
        [] {
            textquelle ein("BAND_MATRIX: b\nn = 3\nm = 1\nNM_MATRIX: h\nn = 3\nm = 1\n"
                           "1\n2\n3\nNM_MATRIX: o\nn = 2\nm = 1\n1\nx\n");
            matrix_zeiger(matrix_laden(ein, nullptr));
        },
        "keine gueltige Zahl");
    ohne_verlust(
        "A06__MATRIX-Text", mal,
        [] {
            textquelle ein("A06__MATRIX: a\nn = 3\nNM_MATRIX: h\nn = 3\nm = 1\n1\n2\n3\n");
            matrix_zeiger(matrix_laden(ein, nullptr));
        },
        "EOF");
    ohne_verlust(
        "BAND_MATRIX zu breit", mal,
        [] {
            bandmatrix_parameter p = {3, 5, "breit", 1};
            matrix_zeiger(matrix_tabelle(&band_matrix)->kreieren(&p, nullptr));
        },
        "Bandbreite 5");
}

TEST(Fehlschlag, WarningsGoToTheHandlerWholeAndNothingToStandardError) {
    mit_handlern h;
    testing::internal::CaptureStderr();
    // Unequal end values of a periodic spline are averaged, with a warning;
    // three nodes are continued to five, with the new vectors in the one
    // warning that says so.
    matrix_zeiger y = spaltenvektor({0.0, 1.0, 0.5});
    splineinterpolation_parameter r = {};
    r.name = "p";
    r.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    r.a = 0.0;
    r.b = 2.0;
    r.stuetzwerte = y.get();
    r.splineart = SPLINE_PERIODISCH;
    interpolation_zeiger s(splineinterpolation_kreieren(&r, nullptr));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(warnungen.size(), 3u);
    EXPECT_EQ(warnungen[0], "Warnung: Nur 3 Stuetzstellen fuer SPLINE_INTERPOLATION 'p', benutzte "
                            "periodische Fortsetzung!\n");
    EXPECT_EQ(warnungen[1].rfind("Neue Stuetzpunkte:\nNM_MATRIX: Stuetzstellen\nn = 5\nm = 1\n", 0),
              0u)
        << warnungen[1];
    EXPECT_NE(warnungen[1].find("NM_MATRIX: Stuetzwerte\nn = 5\n"), std::string::npos);
    // The continued values still end in 0 and 0.5: averaged, with the
    // third warning.
    EXPECT_EQ(warnungen[2], "Warnung: Anfangs- und Endstuetzwerte fuer SPLINE_INTERPOLATION 'p' "
                            "auf 0.250000 gemittelt!\n");
    EXPECT_DOUBLE_EQ(interpolation_tabelle(s.get())->funktionswert(s.get(), 2.0), 0.25);
}

// A handler of warnings that refuses them ends the call that warned, and
// that call releases what it had made.
[[noreturn]] void warnung_ablehnen(const char *meldung) {
    throw fehlschlag{meldung};
}

TEST(Fehlschlag, AWarningHandlerThatThrowsEndsTheCallWithoutLoss) {
    mit_handlern h;
    numerik_warnungsbehandlung_setzen(warnung_ablehnen);
    matrix_zeiger y = spaltenvektor({0.0, 1.0, 2.0, 0.5, 1.0});
    splineinterpolation_parameter r = {};
    r.name = "gemittelt";
    r.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    r.a = 0.0;
    r.b = 4.0;
    r.stuetzwerte = y.get();
    r.splineart = SPLINE_PERIODISCH;
    ohne_verlust(
        "Warnung abgelehnt", WIEDERHOLUNGEN / 20,
        [&] { interpolation_zeiger(splineinterpolation_kreieren(&r, nullptr)); }, "gemittelt");
}

} // namespace
