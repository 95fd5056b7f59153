// SPLINE_INTERPOLATION as an object: creation with its checks, periodic
// continuation and averaging, bounds, evaluation, storing and loading.
#include "spline_hilfen.h"

#include "numerik/knotenarten.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const std::string fortgesetzt_gespeichert = "SPLINE_INTERPOLATION: s\n"
                                            "stuetzstellenart = 1\n"
                                            "a = 0.000000\n"
                                            "b = 4.000000\n"
                                            "splineart = 3\n"
                                            "a_benutzer = 0.000000\n"
                                            "b_benutzer = 2.000000\n"
                                            "NM_MATRIX: Stuetzwerte\n"
                                            "n = 5\n"
                                            "m = 1\n"
                                            "2.000000\n5.000000\n2.000000\n5.000000\n2.000000\n";

splineauftrag drei_periodisch() {
    splineauftrag auftrag;
    auftrag.a = 0.0;
    auftrag.b = 2.0;
    auftrag.werte = {1, 5, 3};
    auftrag.splineart = SPLINE_PERIODISCH;
    return auftrag;
}

TEST(SplineTabelle, SlotsAndDescriptor) {
    const void *const *slots =
        reinterpret_cast<const void *const *>(&spline_interpolationFunktionen);
    const void *erwartet[] = {
        reinterpret_cast<const void *>(splineinterpolation_speichern),
        reinterpret_cast<const void *>(splineinterpolation_laden),
        reinterpret_cast<const void *>(splineinterpolation_freigeben),
        reinterpret_cast<const void *>(splineinterpolation_kreieren),
        reinterpret_cast<const void *>(splineinterpolation_funktionswert),
        reinterpret_cast<const void *>(splineinterpolation_name),
        reinterpret_cast<const void *>(interpolation_klasse),
        reinterpret_cast<const void *>(splineinterpolation_imVektor),
        reinterpret_cast<const void *>(splineinterpolation_linkeGrenze),
        reinterpret_cast<const void *>(splineinterpolation_rechteGrenze),
    };
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(slots[i], erwartet[i]) << "slot " << i;
    EXPECT_STREQ(interpolation_tabelle(&spline_interpolation)->name(&spline_interpolation),
                 "SPLINE_INTERPOLATION");
    splineauftrag auftrag;
    auftrag.werte = {1, 2, 3};
    objekt *s = spline_aus(auftrag);
    EXPECT_EQ(interpolation_klasse(s), &spline_interpolation);
    EXPECT_STREQ(interpolation_tabelle(s)->name(s), "s");
    spline_frei(s);
}

TEST(SplineKreieren, RecordChecksInOrder) {
    const interpolation_funktionen *f = interpolation_tabelle(&spline_interpolation);
    EXPECT_EXIT(f->kreieren(nullptr, nullptr), testing::ExitedWithCode(1),
                "^Stuetzwerte fehlen fuerSPLINE_INTERPOLATION unbenannt.\n$");
    splineauftrag auftrag;
    auftrag.werte = {};
    EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                "^Es wird mindestens ein Stuetzwert benoetigt.\n$");
    auftrag.werte = {1, 2, 3};
    auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                "^Stuetzstellen fehlen fuerSPLINE_INTERPOLATION s.\n$");
    // The node checks come before the count check: two values with three
    // nodes report the mismatch, not too few values.
    auftrag.werte = {1, 2};
    auftrag.knoten = {0, 1, 2};
    EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                "^Stuetzstellenanzahl/-werteanzahl inkompatibel fuer SPLINE_INTERPOLATION s.\n$");
    auftrag.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    auftrag.a = 1.0;
    auftrag.b = 1.0;
    auftrag.werte = {1, 2, 3};
    EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                "^Intervall \\[1.000000,1.000000\\] numerisch zu klein oder ungueltig.\n$");
}

TEST(SplineKreieren, InvalidKindsAreRejected) {
    splineauftrag auftrag;
    auftrag.werte = {1, 2, 3};
    // knotenarten_anzahl(): the first number without a row of the table.
    const int keine = knotenarten_anzahl();
    for (int art : {keine, -1, keine + OHNE_KOEFFIZIENTEN, 128 + 1}) {
        auftrag.stuetzstellenart = art;
        EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                    "^Ungueltige Stuetzstellenart fuer Interpolationsproblem s: \\(" +
                        std::to_string(art) + "\\)\n$");
    }
    auftrag.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    for (int art : {3, 6, -1}) {
        auftrag.splineart = art;
        EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                    "^Splineart " + std::to_string(art) + " nicht moeglich\n$");
    }
    // Two values are too few for the kinds 0 to 2, flag or not (not-a-knot
    // and clamped take them).
    auftrag.werte = {1, 2};
    for (int art : {0, 1, 2}) {
        auftrag.splineart = art;
        EXPECT_EXIT(spline_aus(auftrag), testing::ExitedWithCode(1),
                    "^Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION 's'!\n$");
    }
}

TEST(SplineKreieren, ThreePeriodicNodesAreContinued) {
    testing::internal::CaptureStderr();
    objekt *s = spline_aus(drei_periodisch());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warnung: Nur 3 Stuetzstellen fuer SPLINE_INTERPOLATION 's', benutzte periodische "
              "Fortsetzung!\n"
              "Neue Stuetzpunkte:\n"
              "NM_MATRIX: Stuetzstellen\nn = 5\nm = 1\n"
              "0.000000\n1.000000\n2.000000\n3.000000\n4.000000\n"
              "NM_MATRIX: Stuetzwerte\nn = 5\nm = 1\n"
              "1.000000\n5.000000\n2.000000\n5.000000\n3.000000\n"
              "Warnung: Anfangs- und Endstuetzwerte fuer SPLINE_INTERPOLATION 's' auf 2.000000 "
              "gemittelt!\n");
    EXPECT_EQ(spalte(s, 0), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(spalte(s, 1), (std::vector<double>{2, 5, 2, 5, 2}));
    EXPECT_EQ(interpolation_tabelle(s)->linkeGrenze(s), 0.0);
    EXPECT_EQ(interpolation_tabelle(s)->rechteGrenze(s), 2.0);
    EXPECT_EQ(gespeichert(s), fortgesetzt_gespeichert);
    objekt *c = interpolation_tabelle(s)->imVektor(s, 2);
    EXPECT_STREQ(nmmatrix_name(c), "Koeffizientenmatrix");
    EXPECT_EQ(nmmatrix_hoehe(c), 4);
    // Kind 3 is never wrapped: below 0 it extrapolates with row 1.
    std::array<double, 4> r = zeile(s, 1);
    EXPECT_EQ(wert(s, -0.5), ((r[0] * -0.5 + r[1]) * -0.5 + r[2]) * -0.5 + r[3]);
    spline_frei(s);

    // Given nodes: the bounds are the smallest and the largest of the five.
    splineauftrag gegeben = drei_periodisch();
    gegeben.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    gegeben.knoten = {0, 1, 2};
    testing::internal::CaptureStderr();
    s = spline_aus(gegeben);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(spalte(s, 0), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(spalte(s, 1), (std::vector<double>{2, 5, 2, 5, 2}));
    EXPECT_EQ(interpolation_tabelle(s)->linkeGrenze(s), 0.0);
    EXPECT_EQ(interpolation_tabelle(s)->rechteGrenze(s), 4.0);
    spline_frei(s);
}

TEST(SplineKreieren, FlagSkipsContinuationAndCoefficientsButNotAveraging) {
    splineauftrag auftrag = drei_periodisch();
    auftrag.stuetzstellenart += OHNE_KOEFFIZIENTEN;
    testing::internal::CaptureStderr();
    objekt *s = spline_aus(auftrag);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warnung: Anfangs- und Endstuetzwerte fuer SPLINE_INTERPOLATION 's' auf 2.000000 "
              "gemittelt!\n");
    EXPECT_EQ(spalte(s, 0), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(spalte(s, 1), (std::vector<double>{2, 5, 2}));
    objekt *c = interpolation_tabelle(s)->imVektor(s, 2);
    EXPECT_STREQ(nmmatrix_name(c), "Koeffizienten");
    EXPECT_EQ(nmmatrix_hoehe(c), 2);
    EXPECT_EQ(nmmatrix_breite(c), 4);
    EXPECT_EQ(nmmatrix_amIndex(c, 2, 4), 0.0);
    // The flag is not written; the bounds and so the evaluation reject it.
    EXPECT_EQ(gespeichert(s), "SPLINE_INTERPOLATION: s\nstuetzstellenart = 1\na = 0.000000\n"
                              "b = 2.000000\nsplineart = 2\nNM_MATRIX: Stuetzwerte\nn = 3\n"
                              "m = 1\n2.000000\n5.000000\n2.000000\n");
    const char *meldung = "^Ungueltige Stuetzstellenart fuer Interpolationsproblem s: \\(65\\)\n$";
    EXPECT_EXIT(interpolation_tabelle(s)->linkeGrenze(s), testing::ExitedWithCode(1), meldung);
    EXPECT_EXIT(interpolation_tabelle(s)->rechteGrenze(s), testing::ExitedWithCode(1), meldung);
    EXPECT_EXIT(wert(s, 0.5), testing::ExitedWithCode(1), meldung);
    spline_frei(s);
}

TEST(SplineKreieren, AveragingThreshold) {
    splineauftrag auftrag;
    auftrag.splineart = SPLINE_PERIODISCH;
    auftrag.werte = {0, 1, 3, 1, std::ldexp(1.0, -121)};
    testing::internal::CaptureStderr();
    objekt *s = spline_aus(auftrag);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(spalte(s, 1)[4], std::ldexp(1.0, -121));
    spline_frei(s);
    auftrag.werte[4] = std::ldexp(1.0, -119);
    testing::internal::CaptureStderr();
    s = spline_aus(auftrag);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warnung: Anfangs- und Endstuetzwerte fuer SPLINE_INTERPOLATION 's' auf 0.000000 "
              "gemittelt!\n");
    EXPECT_EQ(spalte(s, 1)[0], std::ldexp(1.0, -120));
    EXPECT_EQ(spalte(s, 1)[4], std::ldexp(1.0, -120));
    spline_frei(s);
}

TEST(SplineVektoren, IndexAndMissingRecord) {
    splineauftrag auftrag;
    auftrag.werte = {1, 2, 3};
    objekt *s = spline_aus(auftrag);
    EXPECT_EXIT(interpolation_tabelle(s)->imVektor(s, 3), testing::ExitedWithCode(1),
                "^Ungueltiger Vektor fuer Interpolationsproblem s: \\(3\\)\n$");
    EXPECT_EXIT(interpolation_tabelle(s)->imVektor(s, -1), testing::ExitedWithCode(1),
                "^Ungueltiger Vektor fuer Interpolationsproblem s: \\(-1\\)\n$");
    EXPECT_STREQ(nmmatrix_name(interpolation_tabelle(s)->imVektor(s, 0)), "Stuetzstellen");
    EXPECT_STREQ(nmmatrix_name(interpolation_tabelle(s)->imVektor(s, 1)), "Stuetzwerte");
    spline_frei(s);
    objekt ohne = {&spline_interpolationFunktionen, nullptr};
    EXPECT_STREQ(splineinterpolation_name(&ohne), "SPLINE_INTERPOLATION");
    EXPECT_EXIT(splineinterpolation_linkeGrenze(&ohne), testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(splineinterpolation_funktionswert(&ohne, 0.0), testing::ExitedWithCode(1), "^$");
}

// Periodic spline of five nodes on [0, 2] with equal end values.
objekt *periodisch(double b) {
    splineauftrag auftrag;
    auftrag.b = b;
    auftrag.werte = {1, 3, -2, 0.5, 1};
    auftrag.splineart = SPLINE_PERIODISCH;
    return spline_aus(auftrag);
}

TEST(SplineAuswerten, PeriodicWrap) {
    objekt *s = periodisch(2.0);
    for (double x : {0.1, 0.7, 1.3, 1.9})
        for (int k : {-3, -1, 1, 4})
            EXPECT_NEAR(wert(s, x + 2.0 * k), wert(s, x), 1e-12) << x << " " << k;
    // b itself is not wrapped: the last interval at its right end.
    std::array<double, 4> r = zeile(s, 4);
    EXPECT_EQ(wert(s, 2.0), ((r[0] * 0.5 + r[1]) * 0.5 + r[2]) * 0.5 + r[3]);
    spline_frei(s);
}

TEST(SplineAuswerten, ExtremeArgumentsEndWithoutLooping) {
    objekt *s = periodisch(2.0);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(wert(s, -inf)));
    EXPECT_TRUE(std::isnan(wert(s, inf)));
    EXPECT_TRUE(std::isnan(wert(s, std::nan(""))));
    // Adding the period no longer changes these.
    double weit = wert(s, -1e300);
    EXPECT_TRUE(std::isfinite(weit));
    EXPECT_NEAR(wert(s, -std::ldexp(1.0, 60)), wert(s, 0.0), 1e-12);
    // Beyond the step limit fmod alone reduces: -(2^21 + 0.25) periods.
    EXPECT_NEAR(wert(s, -2.0 * (std::ldexp(1.0, 21) + 0.25)), wert(s, 1.5), 1e-9);
    // Within it the period is added step by step.
    EXPECT_NEAR(wert(s, -2.0 * 1000.75), wert(s, 0.5), 1e-9);
    spline_frei(s);
}

TEST(SplineAuswerten, EachObjectWrapsWithItsOwnInterval) {
    objekt *s1 = periodisch(1.0);
    objekt *s2 = periodisch(2.5);
    EXPECT_NEAR(wert(s1, 1.25), wert(s1, 0.25), 1e-12);
    EXPECT_NEAR(wert(s2, 3.0), wert(s2, 0.5), 1e-12);
    EXPECT_GT(std::fabs(wert(s2, 3.0) - wert(s2, 0.0)), 0.1);
    spline_frei(s1);
    spline_frei(s2);
}

TEST(SplineAuswerten, IntervalChoiceAndExtrapolation) {
    splineauftrag auftrag;
    auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    auftrag.knoten = {-1, 0, 0.5, 2, 3};
    auftrag.werte = {2, -1, 0.25, 4, 1};
    for (int art : {SPLINE_ABL2_GEGEBEN, SPLINE_NATUERLICH}) {
        auftrag.splineart = art;
        auftrag.abl2links = 3;
        auftrag.abl2rechts = -1;
        objekt *s = spline_aus(auftrag);
        auto horner = [&](int i, double t) {
            std::array<double, 4> r = zeile(s, i);
            return ((r[0] * t + r[1]) * t + r[2]) * t + r[3];
        };
        EXPECT_EQ(wert(s, -1.0), 2.0);
        EXPECT_EQ(wert(s, -3.0), horner(1, -2.0));
        EXPECT_EQ(wert(s, 5.0), horner(4, 3.0));
        // An interior node belongs to the interval on its left.
        EXPECT_EQ(wert(s, 0.5), horner(2, 0.5));
        EXPECT_EQ(wert(s, 0.75), horner(3, 0.25));
        for (std::size_t i = 0; i < auftrag.knoten.size(); ++i)
            EXPECT_NEAR(wert(s, auftrag.knoten[i]), auftrag.werte[i], 1e-12);
        EXPECT_EQ(interpolation_tabelle(s)->linkeGrenze(s), -1.0);
        EXPECT_EQ(interpolation_tabelle(s)->rechteGrenze(s), 3.0);
        spline_frei(s);
    }
}

TEST(SplineLaden, RoundTripRecomputesFromTheText) {
    splineauftrag auftrag;
    auftrag.stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF;
    auftrag.a = -1.0;
    auftrag.b = 3.0;
    auftrag.werte = {0.1234567, 2, -1, 4, 0.5};
    auftrag.splineart = SPLINE_ABL2_GEGEBEN;
    auftrag.abl2links = 1.5;
    auftrag.abl2rechts = -0.25;
    objekt *s = spline_aus(auftrag);
    std::string text = gespeichert(s);
    EXPECT_EQ(text, "SPLINE_INTERPOLATION: s\nstuetzstellenart = 2\na = -1.000000\n"
                    "b = 3.000000\nsplineart = 0\nabl2links = 1.500000\n"
                    "abl2rechts = -0.250000\nNM_MATRIX: Stuetzwerte\nn = 5\nm = 1\n"
                    "0.123457\n2.000000\n-1.000000\n4.000000\n0.500000\n");
    textquelle ein(text);
    objekt *geladen = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
    EXPECT_EQ(interpolation_klasse(geladen), &spline_interpolation);
    EXPECT_EQ(gespeichert(geladen), text);
    EXPECT_EQ(spalte(geladen, 0), spalte(s, 0));
    EXPECT_EQ(spalte(geladen, 1)[0], 0.123457);
    EXPECT_STREQ(nmmatrix_name(interpolation_tabelle(geladen)->imVektor(geladen, 2)),
                 "Koeffizientenmatrix");
    EXPECT_NEAR(wert(geladen, 1.0), wert(s, 1.0), 1e-5);
    spline_frei(s);
    spline_frei(geladen);

    // Given nodes travel as their own NM_MATRIX block.
    textquelle gegeben("SPLINE_INTERPOLATION:\nstuetzstellenart = 0\nNM_MATRIX: x\nn = 3\n"
                       "m = 1\n0\n1\n3\nsplineart = 1\nNM_MATRIX: y\nn = 3\nm = 1\n1\n2\n0\n");
    geladen = splineinterpolation_laden(gegeben, nullptr);
    EXPECT_EQ(gespeichert(geladen),
              "SPLINE_INTERPOLATION: unbenannt\nstuetzstellenart = 0\nNM_MATRIX: Stuetzstellen\n"
              "n = 3\nm = 1\n0.000000\n1.000000\n3.000000\nsplineart = 1\n"
              "NM_MATRIX: Stuetzwerte\nn = 3\nm = 1\n1.000000\n2.000000\n0.000000\n");
    spline_frei(geladen);
}

TEST(SplineLaden, ContinuedSplineComesBackAsStored) {
    testing::internal::CaptureStderr();
    objekt *s = spline_aus(drei_periodisch());
    testing::internal::GetCapturedStderr();
    textquelle ein(fortgesetzt_gespeichert);
    testing::internal::CaptureStderr();
    objekt *geladen = interpolation_tabelle(&allg_interpolation)->laden(ein, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(gespeichert(geladen), fortgesetzt_gespeichert);
    EXPECT_EQ(interpolation_tabelle(geladen)->linkeGrenze(geladen), 0.0);
    EXPECT_EQ(interpolation_tabelle(geladen)->rechteGrenze(geladen), 2.0);
    for (double x : {-0.5, 0.0, 0.3, 1.0, 1.7, 2.0, 3.5, 4.5})
        EXPECT_EQ(wert(geladen, x), wert(s, x)) << x;
    spline_frei(s);
    spline_frei(geladen);
}

TEST(SplineLaden, DamagedTexts) {
    const interpolation_funktionen *allg = interpolation_tabelle(&allg_interpolation);
    for (const char *art : {"5", "65", "-1"}) {
        textquelle ein(std::string("SPLINE_INTERPOLATION: p\nstuetzstellenart = ") + art +
                       "\nsplineart = 1\nNM_MATRIX: y\nn = 3\nm = 1\n1\n2\n3\n");
        EXPECT_EXIT(allg->laden(ein, nullptr), testing::ExitedWithCode(1),
                    std::string("^Ungueltige Stuetzstellenart fuer Interpolationsproblem p: \\(") +
                        art + "\\)\n$");
    }
    textquelle ohne_art("SPLINE_INTERPOLATION: p\nstuetzstellenart = 1\na = 0\nb = 1\n");
    EXPECT_EXIT(allg->laden(ohne_art, nullptr), testing::ExitedWithCode(1),
                "^Zeile splineart = nicht gefunden - EOF.\n$");
    textquelle falsche_art("SPLINE_INTERPOLATION: p\nstuetzstellenart = 1\na = 0\nb = 1\n"
                           "splineart = 7\nNM_MATRIX: y\nn = 3\nm = 1\n1\n2\n3\n");
    EXPECT_EXIT(allg->laden(falsche_art, nullptr), testing::ExitedWithCode(1),
                "^Splineart 7 nicht moeglich\n$");
    textquelle newton("NEWTON_INTERPOLATION: p1\nart = 1\na = 0\nb = 2\n");
    EXPECT_EXIT(splineinterpolation_laden(newton, nullptr), testing::ExitedWithCode(1),
                "^Dies ist keine SPLINE_INTERPOLATION interpolation!\n$");
}

} // namespace
