// What the study's figures show: the observed order, the marks of rounding
// and of a grid too coarse, which columns converge, and the range of the
// convergence plot.
#include "numerik/studie.h"

#include "studie_intern.h"

#include <algorithm>
#include <cmath>
#include <cstring>

double ordnung(double e0, int n0, double e1, int n1) {
    if (!(e0 > 0.0 && e1 > 0.0 && std::isfinite(e0) && std::isfinite(e1))) return NAN;
    return std::log(e0 / e1) / std::log(static_cast<double>(n1) / n0);
}

bool gitter_zu_grob(const studie &s, std::size_t k) {
    return gitter_bei(s, k) < gitterpunkte_fuer(s.n[k]);
}

bool rundung_ueberwiegt(const studie &s, std::size_t k, std::size_t j) {
    const methode *me = s.spalten[j];
    const messwert &mw = s.werte[k][j];
    if (me->stabil == nullptr || !mw.berechnet) return false;
    for (std::size_t i = 0; i < s.spalten.size(); ++i) {
        if (std::strcmp(s.spalten[i]->spalte, me->stabil) != 0) continue;
        double b = s.werte[k][i].fehler;
        if (!s.werte[k][i].berechnet || !std::isfinite(b)) return false;
        // Written so that a figure that is not a number is marked.
        return !(std::fabs(mw.fehler - b) <= b);
    }
    return false;
}

bool konvergiert(const studie &s, std::size_t j) {
    double erster = NAN;
    double letzter = NAN;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][j];
        if (!mw.berechnet) continue;
        if (!std::isfinite(mw.fehler)) return false;
        if (std::isnan(erster)) erster = mw.fehler;
        letzter = mw.fehler;
    }
    return !std::isnan(erster) && letzter <= erster && letzter < s.f_groesste;
}

double diagramm_decke(const studie &s) {
    double groesster = 0.0;
    for (std::size_t j = 0; j < s.spalten.size(); ++j)
        if (konvergiert(s, j))
            for (std::size_t k = 0; k < s.n.size(); ++k)
                if (s.werte[k][j].berechnet) groesster = std::max(groesster, s.werte[k][j].fehler);
    // Without a converging column, the largest finite figure of all.
    if (groesster == 0.0)
        for (const auto &zeile : s.werte)
            for (const messwert &mw : zeile)
                if (mw.berechnet && std::isfinite(mw.fehler))
                    groesster = std::max(groesster, mw.fehler);
    if (groesster == 0.0) return 1.0;
    return std::pow(10.0, std::ceil(std::log10(groesster)));
}

double diagramm_boden(const studie &s) {
    double decke = diagramm_decke(s);
    double kleinster = decke;
    for (const auto &zeile : s.werte)
        for (const messwert &mw : zeile)
            if (mw.berechnet && mw.fehler > 0.0 && mw.fehler < kleinster) kleinster = mw.fehler;
    double boden = std::pow(10.0, std::floor(std::log10(kleinster)));
    return boden < decke ? boden : decke / 10.0;
}
