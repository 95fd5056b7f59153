// The barycentric sums taken eight lanes at a time against the plain sum of
// one accumulator, node by node, over random nodes, values and points: they
// may differ only by rounding, bounded by a few units in the last place of
// the value's scale sum |t y(j)| / |sum t| (t = w(j) / (x - x(j))).
#include "hilfen.h"

#include "numerik/baryzipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/rationalipl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

struct schlicht {
    double wert;
    double skala;
};

// The formula as it reads, with the object's own nodes and weights.
schlicht schlichte_summe(objekt *ip, double x) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    objekt *knoten = fi->imVektor(ip, 0);
    objekt *werte = fi->imVektor(ip, 1);
    objekt *gewichte = fi->imVektor(ip, 2);
    int zeilen = matrix_tabelle(knoten)->hoehe(knoten);
    double z = 0.0;
    double s = 0.0;
    double betrag_z = 0.0;
    double betrag_s = 0.0;
    for (int i = 1; i <= zeilen; ++i) {
        double t = nmmatrix_amIndex(gewichte, i, 1) / (x - nmmatrix_amIndex(knoten, i, 1));
        double ty = t * nmmatrix_amIndex(werte, i, 1);
        z += ty;
        s += t;
        betrag_z += std::fabs(ty);
        betrag_s += std::fabs(t);
    }
    // The rounding of both sums, carried into the quotient.
    return {z / s, (betrag_z + std::fabs(z / s) * betrag_s) / std::fabs(s)};
}

TEST(BaryzentrischeSumme, EightLanesAgreeWithTheNodeByNodeSum) {
    std::mt19937_64 zufall(20261208);
    std::uniform_real_distribution<double> gleich(-1.0, 1.0);
    double schlechteste = 0.0;
    // Node counts around the lane width (a rest of 0 to 7 nodes after the
    // blocks), given nodes in random order and placed ones; rational
    // weights as well.
    for (int anzahl : {1, 2, 7, 8, 9, 15, 16, 17, 31, 64, 100, 257, 1000}) {
        std::vector<double> x(anzahl);
        std::vector<double> y(anzahl);
        for (int i = 0; i < anzahl; ++i) {
            x[i] = gleich(zufall) * 5.0 + 1e-3 * i; // distinct with certainty below
            y[i] = gleich(zufall);
        }
        std::sort(x.begin(), x.end());
        x.erase(std::unique(x.begin(), x.end()), x.end());
        y.resize(x.size());
        std::shuffle(x.begin(), x.end(), zufall);
        matrix_zeiger knoten = spaltenvektor(x);
        matrix_zeiger werte = spaltenvektor(y);
        baryzentrischeinterpolation_parameter bp = {"b", 0, knoten.get(), 0, 0, werte.get()};
        interpolation_zeiger bary(baryzentrischeinterpolation_kreieren(&bp, nullptr));
        baryzentrischeinterpolation_parameter tp = {"t", 2, nullptr, -3.0, 7.0, werte.get()};
        interpolation_zeiger tscheb(baryzentrischeinterpolation_kreieren(&tp, nullptr));
        std::vector<double> aufsteigend = x;
        std::sort(aufsteigend.begin(), aufsteigend.end());
        matrix_zeiger geordnet = spaltenvektor(aufsteigend);
        rationaleinterpolation_parameter rp = {"r", 0, geordnet.get(), 0, 0, werte.get(), 3};
        interpolation_zeiger rational(rationaleinterpolation_kreieren(&rp, nullptr));
        for (objekt *ip : {bary.get(), tscheb.get(), rational.get()}) {
            const interpolation_funktionen *fi = interpolation_tabelle(ip);
            // Inside the nodes' interval, where the second form is stable:
            // beyond it both sums cancel to rounding, and either order may
            // end at 0 (an infinite quotient) as well as anywhere else.
            double links = fi->linkeGrenze(ip);
            double rechts = fi->rechteGrenze(ip);
            for (int k = 0; k < 200; ++k) {
                double t = links + (rechts - links) * (gleich(zufall) + 1.0) / 2.0;
                schlicht soll = schlichte_summe(ip, t);
                double ist = fi->funktionswert(ip, t);
                if (anzahl == 1) {
                    EXPECT_EQ(ist, y[0]);
                    continue;
                }
                // Random given nodes have weights far outside the double
                // range's middle: where the plain sum overflows there is
                // nothing to compare (nor where it underflows).
                if (!std::isnormal(soll.skala)) continue;
                // Two recursive sums of m terms in different orders differ
                // by at most about 2 m units in the last place of the sum
                // of the terms' sizes; in ulps of the value's scale:
                double abweichung = std::fabs(ist - soll.wert) / (soll.skala * DBL_EPSILON);
                int m = static_cast<int>(x.size());
                EXPECT_LE(abweichung, 2.0 * m) << m << " Knoten, x = " << t;
                schlechteste = std::max(schlechteste, abweichung);
                // On Chebyshev points, with no cancellation to speak of, the
                // sums of either order are within a few ulps of that scale
                // (up to 5.5 seen here at 1000 nodes, where the one-accumulator
                // sum is itself that far from the exact one).
                if (ip == tscheb.get()) {
                    EXPECT_LE(abweichung, 8.0) << m << ", x = " << t;
                }
            }
        }
    }
    // Rounding does differ somewhere: the test compares two orders.
    EXPECT_GT(schlechteste, 0.0);
}

TEST(BaryzentrischeSumme, NodesAndTheirNeighbourhoodGiveTheValueAtTheNode) {
    // In a block of eight and in the rest after it: at the node exactly,
    // and a subnormal distance away, where a term would be infinite.
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i < 19; ++i) {
        x.push_back(0.25 * i);
        y.push_back(std::cos(i));
    }
    matrix_zeiger knoten = spaltenvektor(x);
    matrix_zeiger werte = spaltenvektor(y);
    baryzentrischeinterpolation_parameter p = {"b", 0, knoten.get(), 0, 0, werte.get()};
    interpolation_zeiger ip(baryzentrischeinterpolation_kreieren(&p, nullptr));
    for (int i : {0, 5, 8, 15, 16, 18}) {
        EXPECT_EQ(baryzentrischeinterpolation_funktionswert(ip.get(), x[i]), y[i]) << i;
        if (x[i] == 0.0) {
            EXPECT_EQ(baryzentrischeinterpolation_funktionswert(ip.get(), 4.9e-324), y[i]);
        }
    }
    EXPECT_TRUE(std::isnan(baryzentrischeinterpolation_funktionswert(ip.get(), NAN)));
}

// The documented order rebuilt: node 8 b + k adds t = w / (x - x(j)) and
// t * y(j) to lane k, block after block; the eight lanes are combined as
// ((0 + 1) + (2 + 3)) + ((4 + 5) + (6 + 7)); the nodes after the last whole
// block follow one by one.  Every register width the processor offers, and
// the scalar build, must give these bits: a change of order that stays
// within rounding would pass the test above and fail here.
double lanes_wie_beschrieben(objekt *ip, double x) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    objekt *k = fi->imVektor(ip, 0);
    objekt *v = fi->imVektor(ip, 1);
    objekt *g = fi->imVektor(ip, 2);
    int m = nmmatrix_hoehe(k);
    double z[8] = {};
    double s[8] = {};
    int bloecke = m / 8;
    for (int b = 0; b < bloecke; ++b)
        for (int l = 0; l < 8; ++l) {
            int j = 8 * b + l + 1;
            double t = nmmatrix_amIndex(g, j, 1) / (x - nmmatrix_amIndex(k, j, 1));
            z[l] += t * nmmatrix_amIndex(v, j, 1);
            s[l] += t;
        }
    double zaehler = ((z[0] + z[1]) + (z[2] + z[3])) + ((z[4] + z[5]) + (z[6] + z[7]));
    double nenner = ((s[0] + s[1]) + (s[2] + s[3])) + ((s[4] + s[5]) + (s[6] + s[7]));
    for (int j = 8 * bloecke + 1; j <= m; ++j) {
        double t = nmmatrix_amIndex(g, j, 1) / (x - nmmatrix_amIndex(k, j, 1));
        zaehler += t * nmmatrix_amIndex(v, j, 1);
        nenner += t;
    }
    return zaehler / nenner;
}

TEST(BaryzentrischeSumme, LanesCombinedInTheDocumentedOrder) {
    std::mt19937_64 zufall(37);
    std::uniform_real_distribution<double> gleich(-1.0, 1.0);
    for (int anzahl : {8, 13, 16, 23, 64, 101}) {
        std::vector<double> y(anzahl);
        for (double &w : y)
            w = gleich(zufall);
        matrix_zeiger werte = spaltenvektor(y);
        baryzentrischeinterpolation_parameter tp = {"t", 2, nullptr, -1.0, 2.0, werte.get()};
        interpolation_zeiger tscheb(baryzentrischeinterpolation_kreieren(&tp, nullptr));
        const interpolation_funktionen *fi = interpolation_tabelle(tscheb.get());
        std::vector<double> punkte(500);
        for (double &t : punkte)
            t = 0.5 + 1.5 * gleich(zufall);
        std::vector<double> feld(punkte.size());
        fi->funktionswerte(tscheb.get(), punkte.data(), feld.data(), punkte.size());
        for (std::size_t i = 0; i < punkte.size(); ++i) {
            double soll = lanes_wie_beschrieben(tscheb.get(), punkte[i]);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(fi->funktionswert(tscheb.get(), punkte[i])),
                      std::bit_cast<std::uint64_t>(soll))
                << anzahl << " Knoten, x = " << punkte[i];
            ASSERT_EQ(std::bit_cast<std::uint64_t>(feld[i]), std::bit_cast<std::uint64_t>(soll))
                << anzahl << " Knoten, Feld, x = " << punkte[i];
        }
    }
}

} // namespace
