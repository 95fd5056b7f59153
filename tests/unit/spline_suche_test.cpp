// Evaluation finds its interval faster than by bisection where the node
// order allows it.  Every value must still be the one of the defining
// bisection, bit for bit: for every x (nodes, their neighbours, repeats,
// NaN, infinities, points outside) in every order of calls, and for node
// arrays that a caller disorders after creation through the node vector's
// table.
#include "spline_hilfen.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sstream>

namespace {

const double nan_wert = std::numeric_limits<double>::quiet_NaN();
const double unendlich = std::numeric_limits<double>::infinity();

// Evaluation as defined, written out on the object's own vectors:
// bisection over x(1..n+1), then Horner's rule on the row found.
double bisektion_wert(objekt *s, double x) {
    objekt *k = interpolation_tabelle(s)->imVektor(s, 0);
    objekt *c = interpolation_tabelle(s)->imVektor(s, 2);
    int n = nmmatrix_hoehe(k) - 1;
    int lo = 1;
    int hi = n + 1;
    while (hi - lo > 1) {
        int mitte = (lo + hi) / 2;
        if (nmmatrix_amIndex(k, mitte, 1) < x)
            lo = mitte;
        else
            hi = mitte;
    }
    double t = x - nmmatrix_amIndex(k, lo, 1);
    double r = nmmatrix_amIndex(c, lo, 1);
    for (int j = 2; j <= 4; ++j)
        r = r * t + nmmatrix_amIndex(c, lo, j);
    return r;
}

std::string zahl(double x) {
    std::ostringstream text;
    text << std::hexfloat << x;
    return text.str();
}

// Evaluates in the given order, each result compared at once, since the
// search carries its state from one call to the next.
void wie_bisektion(objekt *s, const std::vector<double> &punkte, const char *folge) {
    for (std::size_t i = 0; i < punkte.size(); ++i) {
        double x = punkte[i];
        ASSERT_EQ(std::bit_cast<std::uint64_t>(wert(s, x)),
                  std::bit_cast<std::uint64_t>(bisektion_wert(s, x)))
            << folge << ", Aufruf " << i << ", x = " << zahl(x);
    }
}

// Ascending nodes with uneven steps, the middle one 0, and random values.
splineauftrag zufallsspline(int knotenzahl, std::mt19937_64 &zufall) {
    std::uniform_real_distribution<double> schritt(0.001, 1.0);
    std::uniform_real_distribution<double> wert_verteilung(-5.0, 5.0);
    splineauftrag auftrag;
    auftrag.stuetzstellenart = STUETZSTELLEN_GEGEBEN;
    double summe = 0.0;
    for (int i = 0; i < knotenzahl; ++i) {
        auftrag.knoten.push_back(summe);
        auftrag.werte.push_back(wert_verteilung(zufall));
        summe += schritt(zufall);
    }
    double mitte = auftrag.knoten[knotenzahl / 2];
    for (double &x : auftrag.knoten)
        x -= mitte;
    return auftrag;
}

// The point sequences that evaluation sees or might see.
std::vector<std::pair<const char *, std::vector<double>>> folgen(const std::vector<double> &knoten,
                                                                 std::mt19937_64 &zufall) {
    double links = knoten.front();
    double rechts = knoten.back();
    double breite = rechts - links;
    std::vector<std::pair<const char *, std::vector<double>>> alle;
    // As kurvenpunkte: (i*R + (n-i)*L)/n, several points per interval,
    // then beyond both ends.
    for (int dichte : {7, 1}) {
        std::vector<double> x;
        int n = dichte * static_cast<int>(knoten.size());
        for (int i = 0; i <= n; ++i)
            x.push_back((i * rechts + (n - i) * links) / n);
        x.push_back(rechts + 1.0);
        x.push_back(rechts + 1.0);
        alle.emplace_back(dichte > 1 ? "aufsteigend dicht" : "aufsteigend", x);
    }
    // Sparse: jumps over many intervals at once.
    std::vector<double> duenn;
    for (int i = -3; i <= 40; ++i)
        duenn.push_back(links + i * breite / 37);
    alle.emplace_back("aufsteigend duenn", duenn);
    // Every node, its neighbours on both sides, each twice.
    std::vector<double> knotennah;
    for (double k : knoten)
        for (double x : {std::nextafter(k, -unendlich), k, std::nextafter(k, unendlich)}) {
            knotennah.push_back(x);
            knotennah.push_back(x);
        }
    alle.emplace_back("Knoten und Nachbarn", knotennah);
    std::vector<double> absteigend(knotennah.rbegin(), knotennah.rend());
    alle.emplace_back("absteigend", absteigend);
    // Odd arguments between ordinary ones.
    std::vector<double> sonder;
    for (double k : knoten) {
        sonder.push_back(k);
        sonder.push_back(nan_wert);
        sonder.push_back(k);
        sonder.push_back(-unendlich);
        sonder.push_back(k);
        sonder.push_back(unendlich);
        sonder.push_back(-0.0);
        sonder.push_back(links - 1e300);
    }
    alle.emplace_back("NaN, unendlich, -0", sonder);
    std::uniform_real_distribution<double> irgendwo(links - breite / 10, rechts + breite / 10);
    std::vector<double> zufaellig;
    for (int i = 0; i < 20000; ++i)
        zufaellig.push_back(i % 7 == 0 ? knoten[zufall() % knoten.size()] : irgendwo(zufall));
    alle.emplace_back("zufaellig", zufaellig);
    std::vector<double> sortiert = zufaellig;
    std::sort(sortiert.begin(), sortiert.end());
    alle.emplace_back("zufaellig sortiert", sortiert);
    return alle;
}

void alle_folgen(objekt *s, std::mt19937_64 &zufall) {
    std::vector<double> knoten = spalte(s, 0);
    // Bounds of the ordered part only: a NaN at either end is never probed.
    std::vector<double> geordnet;
    for (double k : knoten)
        if (!std::isnan(k)) geordnet.push_back(k);
    std::sort(geordnet.begin(), geordnet.end());
    for (const auto &[name, punkte] : folgen(geordnet, zufall))
        wie_bisektion(s, punkte, name);
}

TEST(SplineSuche, SameIntervalAsBisectionForEveryPoint) {
    std::mt19937_64 zufall(42);
    for (int knotenzahl : {3, 4, 5, 17, 1000}) {
        SCOPED_TRACE(knotenzahl);
        objekt *s = spline_aus(zufallsspline(knotenzahl, zufall));
        alle_folgen(s, zufall);
        spline_frei(s);
    }
    // Equidistant nodes: x(1) = n*a/n may differ from a in the last bit.
    splineauftrag auftrag;
    auftrag.a = -3.14159265;
    auftrag.b = 3.14159265;
    for (int i = 0; i <= 999; ++i)
        auftrag.werte.push_back(std::sin(i * 0.01));
    objekt *s = spline_aus(auftrag);
    alle_folgen(s, zufall);
    spline_frei(s);
}

TEST(SplineSuche, NodesWrittenThroughTheTableAfterCreation) {
    std::mt19937_64 zufall(7);
    objekt *s = spline_aus(zufallsspline(64, zufall));
    objekt *k = interpolation_tabelle(s)->imVektor(s, 0);
    const matrix_funktionen *f = matrix_tabelle(k);
    alle_folgen(s, zufall);
    // Each change in turn: a swapped pair, a repeated node, a NaN inside,
    // NaN at the ends (never read by the bisection), and order restored.
    // Every sequence is longer than the node count, so the changed array
    // is examined again within it.
    std::vector<double> original = spalte(s, 0);
    auto setzen = [&](int i, double x) { f->setzen(k, i, 1, x); };
    setzen(10, original[40]);
    setzen(41, original[9]);
    alle_folgen(s, zufall);
    setzen(10, original[9]);
    setzen(41, original[40]);
    setzen(21, original[21]);
    setzen(20, original[21]);
    alle_folgen(s, zufall);
    setzen(20, original[19]);
    setzen(33, nan_wert);
    alle_folgen(s, zufall);
    setzen(33, original[32]);
    setzen(1, nan_wert);
    setzen(64, nan_wert);
    alle_folgen(s, zufall);
    for (int i = 1; i <= 64; ++i)
        setzen(i, original[i - 1]);
    alle_folgen(s, zufall);
    // A write between two evaluations at the same point.
    wie_bisektion(s, {original[30], original[30]}, "vorher");
    setzen(31, original[29]);
    wie_bisektion(s, {original[30], original[30], original[29]}, "nachher");
    spline_frei(s);
}

} // namespace
