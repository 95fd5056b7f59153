#include "bezug.h"

#include "numerik/knotenarten.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Which reference column j has: 1 a spline (C n^-2, C n^-4), 2 the
// polynomial at Chebyshev nodes (C rho^-n), 0 none.
int bezugsart(const studie &s, std::size_t j) {
    const methode *me = s.spalten[j];
    if (me->bezugsordnung != 0) return 1;
    // The Chebyshev kinds by the key of their row in the table of kinds.
    const knotenart *art = knotenart_nummer(me->stuetzstellenart);
    const bool tschebyscheff =
        art != nullptr && std::strncmp(art->schluessel, "tschebyscheff", 13) == 0;
    return me->gruppe == SPALTEN_POLYNOME && tschebyscheff ? 2 : 0;
}

// The rows of column j whose figures show convergence: computed on a grid
// fine enough, not rounding, finite, positive and under the plot's
// ceiling, up to the smallest of them (beyond it rounding takes over).
std::vector<std::size_t> konvergierende_zeilen(const studie &s, std::size_t j) {
    const double decke = diagramm_decke(s);
    std::vector<std::size_t> zeilen;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        const messwert &mw = s.werte[k][j];
        if (!mw.berechnet || gitter_zu_grob(s, k) || rundung_ueberwiegt(s, k, j)) continue;
        if (!(mw.fehler > 0.0 && mw.fehler <= decke)) continue;
        zeilen.push_back(k);
    }
    const auto kleinste =
        std::min_element(zeilen.begin(), zeilen.end(), [&](std::size_t a, std::size_t b) {
            return s.werte[a][j].fehler < s.werte[b][j].fehler;
        });
    if (kleinste != zeilen.end()) zeilen.erase(kleinste + 1, zeilen.end());
    return zeilen;
}

// C n_k^-p through the last converging figure of column j; NaN without one.
double potenz(const studie &s, std::size_t j, int p, std::size_t k) {
    const std::vector<std::size_t> zeilen = konvergierende_zeilen(s, j);
    if (zeilen.empty()) return NAN;
    const std::size_t letzte = zeilen.back();
    const double verhaeltnis = static_cast<double>(s.n[letzte]) / s.n[k];
    return s.werte[letzte][j].fehler * std::pow(verhaeltnis, p);
}

// log e = log C - n log rho by least squares over the converging rows of
// column j; rho and C NaN with fewer than two rows or all at one n.
struct geometrische_rate {
    double rho = NAN;
    double c = NAN;
    std::size_t zeilen = 0;
};

geometrische_rate rate_anpassen(const studie &s, std::size_t j) {
    const std::vector<std::size_t> zeilen = konvergierende_zeilen(s, j);
    geometrische_rate r;
    r.zeilen = zeilen.size();
    if (zeilen.size() < 2) return r;
    double n_mittel = 0.0;
    double y_mittel = 0.0;
    for (const std::size_t k : zeilen) {
        n_mittel += s.n[k];
        y_mittel += std::log(s.werte[k][j].fehler);
    }
    n_mittel /= static_cast<double>(zeilen.size());
    y_mittel /= static_cast<double>(zeilen.size());
    double snn = 0.0;
    double sny = 0.0;
    for (const std::size_t k : zeilen) {
        const double dn = s.n[k] - n_mittel;
        snn += dn * dn;
        sny += dn * (std::log(s.werte[k][j].fehler) - y_mittel);
    }
    if (!(snn > 0.0)) return r;
    const double steigung = sny / snn;
    r.rho = std::exp(-steigung);
    r.c = std::exp(y_mittel - steigung * n_mittel);
    return r;
}

} // namespace

void bezug_schreiben(json_schreiber &j, const studie &s) {
    j.schluessel("bezug").liste_auf();
    // C n^-2 and C n^-4 through the first spline column.
    for (std::size_t spalte = 0; spalte < s.spalten.size(); ++spalte) {
        if (bezugsart(s, spalte) != 1) continue;
        if (std::isfinite(potenz(s, spalte, 2, 0))) {
            for (const int p : {2, 4}) {
                j.objekt_auf().feld("label", "h^" + std::to_string(p)).feld("p", p);
                j.schluessel("werte").liste_auf();
                for (std::size_t k = 0; k < s.n.size(); ++k)
                    j.zahl(potenz(s, spalte, p, k));
                j.liste_zu().objekt_zu();
            }
        }
        break;
    }
    // The geometric rate of the Chebyshev polynomial column with the most
    // converging figures (the stable form where the Newton form rounds).
    std::size_t polynom = s.spalten.size();
    geometrische_rate beste;
    for (std::size_t spalte = 0; spalte < s.spalten.size(); ++spalte) {
        if (bezugsart(s, spalte) != 2) continue;
        const geometrische_rate r = rate_anpassen(s, spalte);
        if (!std::isfinite(r.rho)) continue;
        if (polynom == s.spalten.size() || r.zeilen > beste.zeilen) {
            polynom = spalte;
            beste = r;
        }
    }
    if (polynom < s.spalten.size()) {
        char rho[64];
        std::snprintf(rho, sizeof rho, "%.4g", beste.rho);
        j.objekt_auf()
            .feld("label", std::string("rho^-n, rho = ") + rho)
            .feld("p", 0)
            .feld("rho", beste.rho)
            .feld("spalte", s.spalten[polynom]->spalte);
        j.schluessel("werte").liste_auf();
        for (std::size_t k = 0; k < s.n.size(); ++k)
            j.zahl(beste.c * std::pow(beste.rho, -s.n[k]));
        j.liste_zu().objekt_zu();
    }
    j.liste_zu();
}
