// What the files of the theory's verdicts share (numerik/warum.h): the
// formatting of a line, a singularity's position, the first figure that
// shows the interpolation error and the model curve through it, each with
// internal linkage, and the verdicts of the piecewise, rational and
// periodic columns (warum_ordnung.cpp) that warum_erklaeren calls.
#ifndef NUMERIK_STUDIE_WARUM_INTERN_H
#define NUMERIK_STUDIE_WARUM_INTERN_H

#include "studie_intern.h"

#include "numerik/befund.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

namespace {

// A singularity as a position "0+9i".
std::string stelle(const singularitaet &p) {
    // Parts below 1e-9 of the other are the fit's rounding.
    const double groesse = std::max(std::fabs(p.re), std::fabs(p.im));
    const double re = std::fabs(p.re) < 1e-9 * groesse ? 0.0 : p.re;
    const double im = std::fabs(p.im) < 1e-9 * groesse ? 0.0 : p.im;
    if (im == 0.0) return text("%.4g", re);
    return text("%.4g%+.4gi", re, im);
}

// The first row of column j whose figure shows the interpolation error:
// computed, finite, positive, unmarked, on a grid fine enough; -1 for none.
int erste_gueltige(const studie &s, const befund &b, std::size_t j) {
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][j];
        if (mw.berechnet && std::isfinite(mw.fehler) && mw.fehler > 0.0 &&
            b.zellen[k][j].marke == MARKE_KEINE && !b.gitter_zu_grob[k])
            return static_cast<int>(k);
    }
    return -1;
}

// The first row with a mark m, 0 for none.
// The model's curve C g(n) through the first valid figure (C from max|f|
// where there is none).
void vorhersagen(const studie &s, const befund &b, std::size_t j,
                 const std::function<double(double)> &g, warum_spalte &w) {
    const int k0 = erste_gueltige(s, b, j);
    const double c = k0 >= 0 ? s.werte[static_cast<std::size_t>(k0)][j].fehler /
                                   g(s.n[static_cast<std::size_t>(k0)])
                             : s.f_groesste / g(s.n.front());
    w.vorhersage.clear();
    for (int n : s.n)
        w.vorhersage.push_back(c * g(n));
}
} // namespace

/** The verdict of a column of an order (a piecewise or rational form) and
 * of a periodic one: the predicted and observed orders, the model curve,
 * where the model meets toleranz, and why the figures look as they do. */
void ordnung_urteil(const studie &s, const befund &b, const warum_analyse &a, std::size_t j,
                    double toleranz, warum_spalte &w);
void periodisch_urteil(const studie &s, const befund &b, const warum_analyse &a, std::size_t j,
                       double toleranz, warum_spalte &w);

#endif
