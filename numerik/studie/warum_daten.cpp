// The user's data as a function (numerik/warum.h): their AAA fit stands in
// for the unknown f where it reproduces the data and settles, that is,
// where a fit to every other point predicts the rest and agrees with the
// first between the points.  Noise, a corner the points do not resolve or
// too few points show as a fit that does not settle.
#include "numerik/warum.h"

#include "studie_intern.h"

#include "numerik/aaaipl.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

// What the stand-in evaluates: the fit, or the constant of constant data.
struct daten_naeherung {
    interpolation_zeiger fit;
    double konstante = 0.0;
};

namespace {

// The most points a fit takes (the analysis samples f at 2001 points as
// well); the largest degree; the tolerance of data given to full
// precision; the points of the comparison between the two fits.
constexpr std::size_t DATEN_HOECHSTENS = 2000;
constexpr int DATEN_GRAD = 60;
constexpr double DATEN_TOLERANZ = 1e-10;
constexpr int VERGLEICHSPUNKTE = 2001;
// Data whose last digit is coarser, relative to max |y|, are too coarse
// to place singularities.
constexpr double GROBSTE_STELLE = 1e-5;
// The second fit sees half the points: it may miss by this much more.
constexpr double SETZFAKTOR = 10.0;

double wert(const void *k, double x) {
    const auto *n = static_cast<const daten_naeherung *>(k);
    return n->fit ? aaainterpolation_funktionswert(n->fit.get(), x) : n->konstante;
}
double ableitung1(const void *k, double x) {
    const auto *n = static_cast<const daten_naeherung *>(k);
    return n->fit ? aaainterpolation_ableitung1(n->fit.get(), x) : 0.0;
}
double ableitung2(const void *k, double x) {
    const auto *n = static_cast<const daten_naeherung *>(k);
    return n->fit ? aaainterpolation_ableitung2(n->fit.get(), x) : 0.0;
}
void viele_werte(const void *k, const double *x, double *y, std::size_t anzahl) {
    const auto *n = static_cast<const daten_naeherung *>(k);
    if (n->fit) {
        aaainterpolation_funktionswerte(n->fit.get(), x, y, anzahl);
        return;
    }
    std::fill(y, y + anzahl, n->konstante);
}

// The data's last decimal digit: the largest power of ten q (from 1 down
// to 1e-12) of which every y is a multiple to a thousandth of q, as data
// written with a fixed number of decimals are; 0 for none.
double aufloesung(const std::vector<double> &y) {
    for (int k = 0; k <= 12; ++k) {
        const double q = std::pow(10.0, -k);
        const bool vielfache = std::all_of(y.begin(), y.end(), [q](double v) {
            const double t = v / q;
            return std::fabs(t) < 0x1p52 && std::fabs(t - std::nearbyint(t)) <= 1e-3;
        });
        if (vielfache) return q;
    }
    return 0.0;
}

// AAA on the points (x, y) of the indices auswahl, whose values are not all
// equal and whose x are distinct: every precondition of creation holds, so
// that it cannot fail.
interpolation_zeiger anpassen(const std::vector<double> &x, const std::vector<double> &y,
                              const std::vector<std::size_t> &auswahl, double toleranz, int grad) {
    const int m = static_cast<int>(auswahl.size());
    nmmatrix_parameter p = {m, 1, "X-Werte", 1};
    matrix_zeiger stellen(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    p.name = "Y-Werte";
    matrix_zeiger werte(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (int i = 0; i < m; ++i) {
        nmmatrix_setzen(stellen.get(), i + 1, 1, x[auswahl[static_cast<std::size_t>(i)]]);
        nmmatrix_setzen(werte.get(), i + 1, 1, y[auswahl[static_cast<std::size_t>(i)]]);
    }
    aaainterpolation_parameter q = {"AAA-Naeherung der Daten",
                                    STUETZSTELLEN_GEGEBEN,
                                    stellen.get(),
                                    0.0,
                                    0.0,
                                    werte.get(),
                                    toleranz,
                                    std::clamp(grad, 1, m - 1)};
    return interpolation_zeiger(aaainterpolation_kreieren(&q, nullptr));
}

bool alle_gleich(const std::vector<double> &y, const std::vector<std::size_t> &auswahl) {
    return std::all_of(auswahl.begin(), auswahl.end(),
                       [&](std::size_t i) { return y[i] == y[auswahl.front()]; });
}

warum_daten nicht(warum_daten d, std::string grund) {
    d.beurteilbar = false;
    d.grund = std::move(grund);
    return d;
}

} // namespace

warum_daten warum_daten_anpassen(const double *x_, const double *y_, std::size_t anzahl) {
    warum_daten d;
    d.punkte = anzahl;
    if (anzahl < static_cast<std::size_t>(WARUM_DATEN_MIN_PUNKTE))
        return nicht(d, text("zu wenige Punkte (%zu), die AAA-Naeherung braucht mindestens %d",
                             anzahl, WARUM_DATEN_MIN_PUNKTE));
    for (std::size_t i = 0; i < anzahl; ++i)
        if (!std::isfinite(x_[i]) || !std::isfinite(y_[i]))
            return nicht(d, text("Punkt %zu ist keine endliche Zahl", i + 1));
    // The points by ascending x, so that every other one spans [a, b].
    std::vector<std::size_t> ordnung(anzahl);
    std::iota(ordnung.begin(), ordnung.end(), std::size_t{0});
    std::stable_sort(ordnung.begin(), ordnung.end(),
                     [&](std::size_t i, std::size_t j) { return x_[i] < x_[j]; });
    std::vector<double> x(anzahl), y(anzahl);
    for (std::size_t i = 0; i < anzahl; ++i) {
        x[i] = x_[ordnung[i]];
        y[i] = y_[ordnung[i]];
        if (i > 0 && x[i] == x[i - 1]) return nicht(d, text("zwei Punkte bei x = %g", x[i]));
    }
    d.a = x.front();
    d.b = x.back();
    for (double v : y)
        d.f_groesste = std::max(d.f_groesste, std::fabs(v));
    auto naeherung = std::make_shared<daten_naeherung>();
    d.problem = beispielfunktion{.f = wert,
                                 .a = d.a,
                                 .b = d.b,
                                 .name = "AAA-Naeherung der Daten",
                                 .abl2 = ableitung2,
                                 .abl1 = ableitung1,
                                 .kontext = naeherung.get(),
                                 .formel = nullptr,
                                 .werte = viele_werte};
    std::vector<std::size_t> alle(anzahl);
    std::iota(alle.begin(), alle.end(), std::size_t{0});
    if (alle_gleich(y, alle)) {
        naeherung->konstante = y.front();
        d.naeherung = naeherung;
        d.beurteilbar = true;
        d.toleranz = DATEN_TOLERANZ;
        d.abweichung = 0.0;
        d.vorhersage = 0.0;
        return d;
    }
    // Data written with a fixed number of decimals are known only to
    // their last digit: the fit needs to meet them no closer.
    // A last digit coarser than GROBSTE_STELLE max |y| is taken for
    // values that happen to lie on a decimal grid (|x| on 0.002 steps),
    // not for rounding.
    const double q = aufloesung(y) / d.f_groesste;
    d.toleranz = q <= GROBSTE_STELLE ? std::max(DATEN_TOLERANZ, q) : DATEN_TOLERANZ;
    // The fitted points: all, or every k-th (the last always) of many;
    // the second fit takes every other one of those.
    const std::size_t schritt = (anzahl + DATEN_HOECHSTENS - 1) / DATEN_HOECHSTENS;
    std::vector<std::size_t> auswahl, haelfte, rest;
    for (std::size_t i = 0; i < anzahl; i += schritt)
        auswahl.push_back(i);
    if (auswahl.back() != anzahl - 1) auswahl.push_back(anzahl - 1);
    for (std::size_t i = 0; i < auswahl.size(); ++i)
        (i % 2 == 0 ? haelfte : rest).push_back(auswahl[i]);
    if (haelfte.back() != anzahl - 1) {
        rest.pop_back();
        haelfte.push_back(anzahl - 1);
    }
    const int grad = std::min(DATEN_GRAD, static_cast<int>(auswahl.size() / 3));
    naeherung->fit = anpassen(x, y, auswahl, d.toleranz, grad);
    objekt *r = naeherung->fit.get();
    d.naeherung = naeherung;
    d.grad = aaainterpolation_grad(r);
    std::vector<double> ry(anzahl);
    aaainterpolation_funktionswerte(r, x.data(), ry.data(), anzahl);
    double abweichung = 0.0;
    for (std::size_t i = 0; i < anzahl; ++i)
        abweichung = std::max(abweichung, std::fabs(ry[i] - y[i]));
    d.abweichung = abweichung / d.f_groesste;
    if (!(d.abweichung <= d.toleranz))
        return nicht(d, text("die AAA-Naeherung vom Grad hoechstens %d gibt die Daten nur auf "
                             "%.1e max|y| wieder, nicht auf %.0e (Rauschen, eine Ecke oder zu "
                             "wenige Punkte)",
                             grad, d.abweichung, d.toleranz));
    if (alle_gleich(y, haelfte))
        return nicht(d, "jeder zweite Punkt hat denselben Wert: die Naeherung setzt sich nicht");
    // The second fit against the data it did not see and against the
    // first between all points.
    const interpolation_zeiger r2 = anpassen(x, y, haelfte, d.toleranz, grad);
    double vorhersage = 0.0;
    for (std::size_t i : rest)
        vorhersage =
            std::max(vorhersage, std::fabs(aaainterpolation_funktionswert(r2.get(), x[i]) - y[i]));
    for (int i = 0; i < VERGLEICHSPUNKTE; ++i) {
        const double t = (i * d.b + (VERGLEICHSPUNKTE - 1 - i) * d.a) / (VERGLEICHSPUNKTE - 1);
        const double v = aaainterpolation_funktionswert(r, t);
        const double v2 = aaainterpolation_funktionswert(r2.get(), t);
        // fmax would pass over a NaN: a pole between the points counts.
        const double u = std::fabs(v - v2);
        vorhersage = std::isnan(u) || std::isinf(v) ? INFINITY : std::max(vorhersage, u);
    }
    d.vorhersage = vorhersage / d.f_groesste;
    if (!(d.vorhersage <= SETZFAKTOR * d.toleranz))
        return nicht(d, text("die AAA-Naeherung setzt sich nicht: aus jedem zweiten Punkt weicht "
                             "sie um %.1e max|y| ab (Rauschen, eine Ecke oder zu wenige Punkte)",
                             d.vorhersage));
    d.beurteilbar = true;
    return d;
}

std::string warum_daten_text(const warum_daten &d) {
    if (!d.beurteilbar) return "Daten: nicht beurteilbar: " + d.grund;
    if (d.naeherung != nullptr && !d.naeherung->fit)
        return text("Daten: %zu Punkte auf [%g, %g], alle gleich: f ist die Konstante", d.punkte,
                    d.a, d.b);
    return text("Daten: %zu Punkte auf [%g, %g]; f ist ihre AAA-Naeherung vom Grad %d (trifft "
                "die Daten auf %.1e max|y|, aus jedem zweiten Punkt auf %.1e)",
                d.punkte, d.a, d.b, d.grad, d.abweichung, d.vorhersage);
}
