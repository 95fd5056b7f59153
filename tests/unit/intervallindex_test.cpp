// The piecewise classes find a point's interval through a bucket index over
// their nodes.  On node sets that crowd buckets, leave most of them empty,
// put nodes exactly on bucket edges or span a subnormal range, every value
// of the one-point and the array slot must still be that of the bisection
// over the nodes, bit for bit: points at nodes and beside them, outside the
// interval, NaN and infinities, in random and in ascending order.
#include "hilfen.h"

#include "numerik/hermiteipl.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

const double unendlich = std::numeric_limits<double>::infinity();

// The interval of the bisection over x(1..n+1): 1..n, read from x(2..n).
int bisektion(const std::vector<double> &x, double w) {
    int n = static_cast<int>(x.size()) - 1;
    int lo = 1;
    int hi = n + 1;
    while (hi - lo > 1) {
        int mitte = (lo + hi) / 2;
        if (x[mitte - 1] < w)
            lo = mitte;
        else
            hi = mitte;
    }
    return lo;
}

struct stueckweise {
    interpolation_zeiger ip;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> c; // n x 4, row by row
    bool hermite;
};

std::vector<double> spalte_von(objekt *v) {
    int zeilen = nmmatrix_hoehe(v);
    int spalten = nmmatrix_breite(v);
    std::vector<double> werte;
    for (int i = 1; i <= zeilen; ++i)
        for (int j = 1; j <= spalten; ++j)
            werte.push_back(nmmatrix_amIndex(v, i, j));
    return werte;
}

// Random values.  Creation takes the nodes 0, 1, 2, ...; the wanted ones, closer than creation
// allows, are written through the node vector's table afterwards, and one array of as many points
// as there are nodes lets the search examine them again and build its index.
stueckweise anlegen(const std::vector<double> &x, bool hermite) {
    std::vector<double> y(x.size());
    std::vector<double> ganz(x.size());
    std::mt19937_64 zufall(x.size());
    std::uniform_real_distribution<double> gleich(-1.0, 1.0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        y[i] = gleich(zufall);
        ganz[i] = static_cast<double>(i);
    }
    matrix_zeiger xv = spaltenvektor(ganz);
    matrix_zeiger yv = spaltenvektor(y);
    stueckweise s;
    if (hermite) {
        hermiteinterpolation_parameter p = {"h",      STUETZSTELLEN_GEGEBEN,  xv.get(), 0, 0,
                                            yv.get(), HERMITE_FRITSCH_CARLSON};
        s.ip = interpolation_zeiger(hermiteinterpolation_kreieren(&p, nullptr));
    } else {
        splineinterpolation_parameter p = {};
        p.name = "s";
        p.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
        p.stuetzstellen = xv.get();
        p.stuetzwerte = yv.get();
        p.splineart = SPLINE_NATUERLICH;
        s.ip = interpolation_zeiger(splineinterpolation_kreieren(&p, nullptr));
    }
    const interpolation_funktionen *f = interpolation_tabelle(s.ip.get());
    objekt *knoten = f->imVektor(s.ip.get(), 0);
    for (std::size_t i = 0; i < x.size(); ++i)
        matrix_tabelle(knoten)->setzen(knoten, static_cast<int>(i) + 1, 1, x[i]);
    std::vector<double> vorlauf(x.size() + 1, x.front());
    std::vector<double> weg(vorlauf.size());
    f->funktionswerte(s.ip.get(), vorlauf.data(), weg.data(), vorlauf.size());
    s.x = spalte_von(knoten);
    s.y = spalte_von(f->imVektor(s.ip.get(), 1));
    s.c = spalte_von(f->imVektor(s.ip.get(), 2));
    s.hermite = hermite;
    return s;
}

// The value as defined: the bisection's piece by Horner's rule; the Hermite
// form gives a node's own value at the right end of its piece.
double erwartet(const stueckweise &s, double w) {
    int lo = bisektion(s.x, w);
    if (s.hermite && w == s.x[lo]) return s.y[lo];
    const double *c = &s.c[4 * static_cast<std::size_t>(lo - 1)];
    double t = w - s.x[lo - 1];
    return ((c[0] * t + c[1]) * t + c[2]) * t + c[3];
}

std::string hex(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", x);
    return text;
}

// Points at and beside every node (for at most 4000 nodes, else at a
// sample of them), random points over and beyond the interval, and the odd
// ones; first in random order, then ascending.
std::vector<double> punkte_fuer(const std::vector<double> &x) {
    std::mt19937_64 zufall(99);
    std::vector<double> p;
    std::size_t schritt = std::max<std::size_t>(1, x.size() / 4000);
    for (std::size_t i = 0; i < x.size(); i += schritt)
        for (double v : {std::nextafter(x[i], -unendlich), x[i], std::nextafter(x[i], unendlich)})
            p.push_back(v);
    double links = x.front();
    double rechts = x.back();
    std::uniform_real_distribution<double> innen(links, rechts);
    for (int i = 0; i < 20000; ++i)
        p.push_back(innen(zufall));
    for (double v : {links - 1.0, rechts + 1.0, -unendlich, unendlich, -1e308, 1e308, 0.0, -0.0})
        p.push_back(v);
    std::shuffle(p.begin(), p.end(), zufall);
    p.push_back(std::numeric_limits<double>::quiet_NaN());
    std::vector<double> sortiert(p.begin(), p.end() - 1);
    std::sort(sortiert.begin(), sortiert.end());
    p.insert(p.end(), sortiert.begin(), sortiert.end());
    return p;
}

void wie_bisektion(const std::vector<double> &x, const char *name) {
    std::vector<double> punkte = punkte_fuer(x);
    for (bool hermite : {false, true}) {
        SCOPED_TRACE(std::string(name) + (hermite ? ", Hermite" : ", Spline"));
        stueckweise s = anlegen(x, hermite);
        const interpolation_funktionen *f = interpolation_tabelle(s.ip.get());
        std::vector<double> viele(punkte.size());
        f->funktionswerte(s.ip.get(), punkte.data(), viele.data(), punkte.size());
        for (std::size_t i = 0; i < punkte.size(); ++i) {
            double soll = erwartet(s, punkte[i]);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(viele[i]), std::bit_cast<std::uint64_t>(soll))
                << "Feld, Punkt " << i << ", x = " << hex(punkte[i]);
            double einzeln = f->funktionswert(s.ip.get(), punkte[i]);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(einzeln), std::bit_cast<std::uint64_t>(soll))
                << "einzeln, Punkt " << i << ", x = " << hex(punkte[i]);
        }
    }
}

TEST(Intervallindex, SameIntervalAsBisectionOnAdversarialNodes) {
    std::mt19937_64 zufall(2026);
    // Clustered: half of the nodes within a millionth of the interval at
    // its middle, so one bucket holds thousands of them.
    {
        std::vector<double> x;
        for (int i = 0; i <= 2000; ++i)
            x.push_back(i / 2000.0);
        for (int i = 1; i < 3000; ++i)
            x.push_back(0.5 + i * 1e-6 / 3000);
        std::sort(x.begin(), x.end());
        wie_bisektion(x, "gehaeuft");
    }
    // Geometric spacing: most buckets empty, the first crowded.
    {
        std::vector<double> x = {0.0};
        for (int i = 0; i < 3000; ++i)
            x.push_back(std::ldexp(1.0, -3000 / 4 + i / 4) * (1.0 + (i % 4) / 4.0));
        std::sort(x.begin(), x.end());
        x.erase(std::unique(x.begin(), x.end()), x.end());
        wie_bisektion(x, "geometrisch");
    }
    // Nodes exactly on the bucket edges: integers, so that (x - x(2)) times
    // the scale lands on whole numbers.
    {
        std::vector<double> x;
        for (int i = 0; i <= 4097; ++i)
            x.push_back(i);
        wie_bisektion(x, "auf den Kanten");
    }
    // 10^6 nodes in [0, 1e-300], in part subnormally close, the scale of
    // the index near the largest double.
    {
        std::vector<double> x(1000001);
        std::uniform_real_distribution<double> gleich(0.0, 1.0);
        for (double &v : x)
            v = gleich(zufall) * 1e-300;
        x.front() = 0.0;
        x.back() = 1e-300;
        std::sort(x.begin(), x.end());
        for (std::size_t i = 1; i < x.size(); ++i)
            if (!(x[i] > x[i - 1])) x[i] = std::nextafter(x[i - 1], 1.0);
        wie_bisektion(x, "subnormal eng");
    }
    // Three nodes (one interior node), and a span beyond the largest double.
    wie_bisektion({-1.0, 0.25, 1.0}, "drei Knoten");
    wie_bisektion({-1.7e308, -1e308, 0.0, 1e308, 1.7e308}, "groesste Spanne");
}

} // namespace
