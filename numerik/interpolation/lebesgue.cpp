// The Lebesgue function and constant of a node kind (numerik/lebesgue.h):
// the nodes placed by the kind's row, their barycentric weights (the row's
// closed form, else the product formula), the function in barycentric form,
// and its highest bumps refined by golden-section search.
#include "numerik/lebesgue.h"

#include "numerik/fehler.h"
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// The nodes of a kind with their barycentric weights.
struct knotensatz {
    std::vector<double> x;
    std::vector<double> w;
    // 0: the barycentric form; else the first form with the product
    // weights, scaled by c.
    double c = 0.0;
};

// Up to this n the first form is taken on nodes whose Lebesgue constant
// grows fast: its products stay within exp(0.39 n) of 1.
constexpr int ERSTE_FORM_BIS = 600;

knotensatz knotensatz_bilden(int art, int n, double a, double b, int punkte) {
    const knotenart *k = knotenart_nummer(art);
    if (k == nullptr || k->punkt == nullptr)
        numerik_fehler("Stuetzstellenart %d hat keine Lage auf [a, b]!\n", art);
    if (n < 1) numerik_fehler("n muss mindestens 1 sein!\n");
    if (punkte < 2) numerik_fehler("Punkte muss mindestens 2 sein!\n");
    if (!(a < b && std::isfinite(a) && std::isfinite(b)))
        numerik_fehler("Das Intervall [a, b] muss endlich sein und a < b!\n");
    knotensatz s;
    s.x.resize(static_cast<std::size_t>(n) + 1);
    s.w.resize(s.x.size());
    for (int i = 0; i <= n; ++i)
        s.x[i] = k->punkt(i, n, a, b);
    // On nodes with a fast-growing Lebesgue constant the sum of the
    // barycentric denominator cancels to about u Lambda_n of its terms
    // (equidistant nodes: Lambda_96 came out 5e18 for 1.2e26); the first
    // form l_j(x) = prod_i c (x - x_i) w_j / (c (x - x_j)) has no such sum.
    const bool schnell = k->lebesgue_gross != nullptr && k->lebesgue_gross(1000) >= 10.0;
    if (k->gewichte != nullptr && !(schnell && n <= ERSTE_FORM_BIS)) {
        k->gewichte(s.w.data(), n);
        return s;
    }
    // The product formula w_j = 1 / prod_{k != j} c (x_j - x_k); the factor
    // c = 4 / (b - a) keeps the product in range (the capacity of [a, b]
    // is (b - a) / 4), and the common scale cancels in the quotient.
    const double c = 4.0 / (b - a);
    for (int j = 0; j <= n; ++j) {
        double produkt = 1.0;
        for (int i = 0; i <= n; ++i)
            if (i != j) produkt *= c * (s.x[j] - s.x[i]);
        s.w[j] = 1.0 / produkt;
    }
    if (schnell && n <= ERSTE_FORM_BIS) s.c = c;
    return s;
}

// The Lebesgue function at x: exactly 1 at a node, where sum |l_j| = l_i = 1.
double lebesgue_wert(const knotensatz &s, double x) {
    if (s.c != 0.0) {
        double produkt = 1.0;
        double betraege = 0.0;
        for (std::size_t j = 0; j < s.x.size(); ++j) {
            if (x == s.x[j]) return 1.0;
            produkt *= s.c * (x - s.x[j]);
            betraege += std::fabs(s.w[j] / (x - s.x[j]));
        }
        return std::fabs(produkt) * betraege / s.c;
    }
    double betraege = 0.0;
    double summe = 0.0;
    for (std::size_t j = 0; j < s.x.size(); ++j) {
        if (x == s.x[j]) return 1.0;
        double t = s.w[j] / (x - s.x[j]);
        betraege += std::fabs(t);
        summe += t;
    }
    return betraege / std::fabs(summe);
}

// The maximum on [u, v] of a function with one local maximum there (the
// Lebesgue function between two neighbouring nodes, or monotone between an
// end of [a, b] and the outermost node), by golden-section search: near the
// maximum the function is flat to second order, so narrowing [u, v] by 1e-8
// leaves a relative error far below 1e-10.
double goldener_schnitt(const knotensatz &s, double u, double v) {
    const double r = (std::sqrt(5.0) - 1.0) / 2.0;
    double bester = std::fmax(lebesgue_wert(s, u), lebesgue_wert(s, v));
    const double breite = v - u;
    double p = v - r * (v - u);
    double q = u + r * (v - u);
    double fp = lebesgue_wert(s, p);
    double fq = lebesgue_wert(s, q);
    while (v - u > 1e-8 * breite && p < q) {
        if (fp >= fq) {
            v = q;
            q = p;
            fq = fp;
            p = v - r * (v - u);
            fp = lebesgue_wert(s, p);
        } else {
            u = p;
            p = q;
            fp = fq;
            q = u + r * (v - u);
            fq = lebesgue_wert(s, q);
        }
    }
    return std::fmax(bester, std::fmax(fp, fq));
}

// How many of the highest local maxima of the samples are refined: the
// Lebesgue function's largest bumps are the outermost ones for the node
// kinds of the table, and a grid of ten steps per node interval ranks
// them to within a few percent.
constexpr std::size_t VERFEINERTE_MAXIMA = 8;

} // namespace

std::vector<double> lebesgue_funktion(int art, int n, double a, double b, int punkte) {
    const knotensatz s = knotensatz_bilden(art, n, a, b, punkte);
    std::vector<double> werte(static_cast<std::size_t>(punkte));
    for (int i = 0; i < punkte; ++i)
        werte[i] = lebesgue_wert(s, aequidistanter_punkt(i, punkte - 1, a, b));
    return werte;
}

double lebesgue_konstante(int art, int n, double a, double b, int punkte) {
    const knotensatz s = knotensatz_bilden(art, n, a, b, punkte);
    // The samples: the grid, the nodes (value 1, they part the bumps) and
    // the midpoint of each node interval, so that no interval goes
    // unsampled where the nodes crowd closer than the grid.
    std::vector<double> x;
    x.reserve(static_cast<std::size_t>(punkte) + 2 * s.x.size());
    for (int i = 0; i < punkte; ++i)
        x.push_back(aequidistanter_punkt(i, punkte - 1, a, b));
    for (std::size_t j = 0; j < s.x.size(); ++j) {
        x.push_back(s.x[j]);
        if (j + 1 < s.x.size()) x.push_back((s.x[j] + s.x[j + 1]) / 2);
    }
    std::sort(x.begin(), x.end());
    x.erase(std::unique(x.begin(), x.end()), x.end());
    std::vector<double> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        y[i] = lebesgue_wert(s, x[i]);
    // Local maxima of the samples; between its two neighbours, which are
    // nodes or samples of the same node interval, each holds its bump's top.
    std::vector<std::size_t> maxima;
    for (std::size_t i = 0; i < x.size(); ++i)
        if ((i == 0 || y[i] >= y[i - 1]) && (i + 1 == x.size() || y[i] >= y[i + 1]))
            maxima.push_back(i);
    const std::size_t anzahl = std::min(VERFEINERTE_MAXIMA, maxima.size());
    std::partial_sort(maxima.begin(), maxima.begin() + static_cast<std::ptrdiff_t>(anzahl),
                      maxima.end(), [&y](std::size_t i, std::size_t j) { return y[i] > y[j]; });
    double groesster = *std::max_element(y.begin(), y.end());
    for (std::size_t k = 0; k < anzahl; ++k) {
        std::size_t i = maxima[k];
        double u = x[i == 0 ? 0 : i - 1];
        double v = x[i + 1 == x.size() ? i : i + 1];
        groesster = std::fmax(groesster, goldener_schnitt(s, u, v));
    }
    return groesster;
}

double lebesgue_schnell(int art, int n) {
    const knotenart *k = knotenart_nummer(art);
    if (n > LEBESGUE_ABGETASTET_BIS && k != nullptr && k->lebesgue_gross != nullptr)
        return k->lebesgue_gross(n);
    return lebesgue_konstante(art, n, -1.0, 1.0, 10 * n + 1);
}
