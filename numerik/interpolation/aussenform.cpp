// The interpolants of the barycentric kind outside their nodes: numerator
// and denominator of the barycentric formula as Newton forms (see
// polynom_intern.h).
#include "interpolation/polynom_intern.h"

#include "matrizen/feld.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// lambda(j) = 1 / prod_{k != j} (t(j) - t(k)) as mantissa m(j) and binary
// exponent e(j), O(n^2), free of over- and underflow.
void polynomgewichte(const std::vector<double> &t, std::vector<double> &m, std::vector<long> &e) {
    const std::size_t anzahl = t.size();
    m.assign(anzahl, 1.0);
    e.assign(anzahl, 0);
    for (std::size_t j = 0; j < anzahl; ++j) {
        double mantisse = 1.0;
        long exponent = 0;
        for (std::size_t k = 0; k < anzahl; ++k) {
            if (k == j) continue;
            int ed = 0;
            mantisse *= std::frexp(t[j] - t[k], &ed);
            exponent += ed;
            int em = 0;
            mantisse = std::frexp(mantisse, &em);
            exponent += em;
        }
        m[j] = 1.0 / mantisse;
        e[j] = -exponent;
    }
}

// Divided differences in place over the nodes t.
void differenzen(const std::vector<double> &t, std::vector<double> &c) {
    const std::size_t anzahl = c.size();
    for (std::size_t k = 1; k < anzahl; ++k)
        for (std::size_t j = anzahl - 1; j >= k; --j)
            c[j] = (c[j] - c[j - 1]) / (t[j] - t[j - k]);
}

double newton_wert(const std::vector<double> &c, const std::vector<double> &t, double u) {
    double r = c.back();
    for (std::size_t k = c.size() - 1; k >= 1; --k)
        r = c[k - 1] + (u - t[k - 1]) * r;
    return r;
}

} // namespace

bool formel_genau(const polynomdaten *d, double x) {
    const double *knoten = eintraege(d->stuetzstellen);
    const double *w = eintraege(d->koeffizienten);
    double summe = 0.0;
    double betraege = 0.0;
    for (int j = 0; j <= d->n; ++j) {
        double t = w[j] / (x - knoten[j]);
        summe += t;
        betraege += std::fabs(t);
    }
    return betraege <= 1e8 * std::fabs(summe);
}

double aussenform::wert(double x) const {
    const double u = (x - mitte) / skala;
    return newton_wert(zaehler, knoten, u) / newton_wert(nenner, knoten, u);
}

aussenform aussenform_machen(const polynomdaten *d, int g) {
    aussenform f;
    const int n = d->n;
    const double *x = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    const double *w = eintraege(d->koeffizienten);
    const std::size_t anzahl = static_cast<std::size_t>(n) + 1;
    double kleinster = x[0], groesster = x[0];
    for (std::size_t i = 1; i < anzahl; ++i) {
        kleinster = std::fmin(kleinster, x[i]);
        groesster = std::fmax(groesster, x[i]);
    }
    f.mitte = kleinster / 2 + groesster / 2;
    // A power of 2 near the half span: the nodes fall in about [-1, 1].
    const double halb = groesster / 2 - kleinster / 2;
    f.skala = halb > 0.0 ? std::ldexp(1.0, std::ilogb(halb)) : 1.0;
    const std::vector<int> reihe = polynom_leja(x, n);
    std::vector<double> t(anzahl);
    for (std::size_t k = 0; k < anzahl; ++k)
        t[k] = (x[reihe[k]] - f.mitte) / f.skala;
    std::vector<double> m;
    std::vector<long> e;
    polynomgewichte(t, m, e);
    // v(j) = w(j) / lambda(j) up to one common factor 2^-e(0), which the
    // quotient cancels.
    std::vector<double> v(anzahl);
    for (std::size_t k = 0; k < anzahl; ++k) {
        long verschiebung = std::clamp(e[0] - e[k], -4000L, 4000L);
        v[k] = std::ldexp(w[reihe[k]] / m[k], static_cast<int>(verschiebung));
        if (!std::isfinite(v[k])) return f;
    }
    f.knoten = t;
    f.zaehler.resize(anzahl);
    for (std::size_t k = 0; k < anzahl; ++k)
        f.zaehler[k] = y[reihe[k]] * v[k];
    differenzen(t, f.zaehler);
    const std::size_t nenner_anzahl = static_cast<std::size_t>(n - std::clamp(g, 0, n)) + 1;
    f.nenner.assign(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(nenner_anzahl));
    differenzen(t, f.nenner);
    for (double c : f.zaehler)
        if (!std::isfinite(c)) return f;
    for (double c : f.nenner)
        if (!std::isfinite(c)) return f;
    f.gueltig = true;
    return f;
}
