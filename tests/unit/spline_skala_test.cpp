// Scale runs, disabled by default: natural and periodic splines of 10^4,
// 10^5 and 10^6 nodes through the library.  Run one at a time under
// /usr/bin/time -v to see time and peak memory grow linearly, e.g.
//   /usr/bin/time -v build/tests/numerik_tests --gtest_also_run_disabled_tests
//       --gtest_filter='SplineSkala.DISABLED_Natuerlich1e6'
#include "spline_hilfen.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void skala(int knoten, int splineart) {
    const double zwei_pi = 8 * std::atan(1.0);
    std::vector<double> werte(knoten);
    int n = knoten - 1;
    // cos is periodic on [0, 2 pi] with equal end values; sin suits the
    // natural spline, whose second derivative vanishes at both ends.
    for (int i = 0; i <= n; ++i) {
        double x = (i * zwei_pi) / n;
        werte[i] = splineart == SPLINE_PERIODISCH ? std::cos(x) : std::sin(x);
    }
    werte[n] = werte[0];
    splineauftrag auftrag;
    auftrag.a = 0;
    auftrag.b = zwei_pi;
    auftrag.werte = std::move(werte);
    auftrag.splineart = splineart;
    objekt *s = spline_aus(auftrag);
    double groesster = 0;
    for (int k = 0; k <= 1000; ++k) {
        double x = k * zwei_pi / 1000;
        double exakt = splineart == SPLINE_PERIODISCH ? std::cos(x) : std::sin(x);
        groesster = std::fmax(groesster, std::fabs(wert(s, x) - exakt));
    }
    EXPECT_LT(groesster, 1e-6);
    spline_frei(s);
}

TEST(SplineSkala, DISABLED_Natuerlich1e4) {
    skala(10000, SPLINE_NATUERLICH);
}
TEST(SplineSkala, DISABLED_Natuerlich1e5) {
    skala(100000, SPLINE_NATUERLICH);
}
TEST(SplineSkala, DISABLED_Natuerlich1e6) {
    skala(1000000, SPLINE_NATUERLICH);
}
TEST(SplineSkala, DISABLED_Periodisch1e4) {
    skala(10000, SPLINE_PERIODISCH);
}
TEST(SplineSkala, DISABLED_Periodisch1e5) {
    skala(100000, SPLINE_PERIODISCH);
}
TEST(SplineSkala, DISABLED_Periodisch1e6) {
    skala(1000000, SPLINE_PERIODISCH);
}

} // namespace
