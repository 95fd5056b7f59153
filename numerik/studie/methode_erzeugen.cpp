// The one place that turns a row of the method table into the creation
// record of its class (methode_erzeugen, numerik/methoden.h).
#include "numerik/methoden.h"

#include "numerik/fehler.h"
#include "numerik/knotenarten.h"
#include "numerik/nmmatrix.h"
#include "numerik/studie.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A vector of the library with the values y.
matrix_zeiger als_vektor(const std::vector<double> &y) {
    nmmatrix_parameter p = {static_cast<int>(y.size()), 1, "Stuetzwerte", 1};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < y.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, y[i]);
    return v;
}

// Column 1 of werte.
std::vector<double> spalte(objekt *werte) {
    const matrix_funktionen *fw = matrix_tabelle(werte);
    std::vector<double> y(static_cast<std::size_t>(fw->hoehe(werte)));
    for (std::size_t i = 0; i < y.size(); ++i)
        y[i] = fw->amIndex(werte, static_cast<int>(i) + 1, 1);
    return y;
}

} // namespace

extern "C" {

objekt *methode_erzeugen(const methode *me, const char *name, int art, objekt *knoten, double a,
                         double b, objekt *werte, const beispielfunktion *problem) {
    // Through the library's one creation entry, which checks the data
    // (finite, distinct nodes, enough of them) before the class computes:
    // own data reaches the study too.
    // What the row takes instead of the values at the n+1 nodes.
    matrix_zeiger probe;
    int grad = 0;
    const knotenart *platziert = knotenart_nummer(art);
    if (me->probe != PROBE_KNOTEN && platziert != nullptr && !platziert->gespeichert &&
        problem != nullptr && werte != nullptr) {
        std::vector<double> y = spalte(werte);
        const int n = static_cast<int>(y.size()) - 1;
        if (me->probe == PROBE_GITTER && n >= 1) {
            const int punkte = std::max(STUDIE_MIN_PUNKTE, gitterpunkte_fuer(n));
            std::vector<double> x(static_cast<std::size_t>(punkte));
            for (int i = 0; i < punkte; ++i)
                x[static_cast<std::size_t>(i)] = aequidistanter_punkt(i, punkte - 1, a, b);
            y.resize(x.size());
            beispiel_werte(problem, x.data(), y.data(), x.size());
            art = STUETZSTELLEN_AEQUIDISTANT;
            grad = n;
        } else if (me->probe == PROBE_PERIODE && n >= 1) {
            // The test of periodisch() on the values at the end nodes, so
            // that f is asked only for the values at hand.
            if (!(std::fabs(y.front() - y.back()) <= 1e-6))
                numerik_fehler("%s braucht ein periodisches f: f(a) = %g, f(b) = %g.\n", me->titel,
                               y.front(), y.back());
            y[0] = (y[0] + y.back()) / 2;
            y.pop_back();
        }
        probe = als_vektor(y);
        werte = probe.get();
    }
    interpolation_problem p;
    interpolation_problem_vorbelegen(&p, me->art);
    p.name = name;
    p.art = art;
    p.stuetzstellen = knoten;
    p.a = a;
    p.b = b;
    p.stuetzwerte = werte;
    for (const methode_option &o : me->optionen)
        if (o.schluessel != nullptr) interpolation_option_setzen(&p, o.schluessel, o.wert);
    if (me->abl2 != 0) {
        if (problem == nullptr)
            numerik_fehler("Fuer eigene Daten ist %s an den Enden nicht bekannt.\n",
                           me->abl2 == 1 ? "f'" : "f''");
        auto ableitung = me->abl2 == 1 ? beispiel_abl1 : beispiel_abl2;
        interpolation_option_setzen(&p, "links", ableitung(problem, problem->a));
        interpolation_option_setzen(&p, "rechts", ableitung(problem, problem->b));
    }
    if (grad > 0) interpolation_option_setzen(&p, "grad", grad);
    return interpolation_erzeugen(&p, nullptr);
}
}
