// The one creation entry of the interpolation cluster and the checks that
// every class needs before it computes: enough values, finite interval,
// finite and distinct (or ascending) nodes, finite values.  The classes
// compute; what they already reject themselves (missing vectors, counts
// that differ, unknown kinds, too small an interval) is left to them, so
// their messages and the order in which they fire stay theirs.
#include "numerik/baryzipl.h"
#include "numerik/hermiteipl.h"
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/newtnipl.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"

#include "grund/epsilon.h"
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

namespace {

// What the generic layer knows of a class: its type text (for the
// messages), the fewest values it takes, whether given nodes must ascend or
// only be distinct, and how its own creation record is made from the
// generic one.
struct klassenzeile {
    const klasse *methode;
    const char *typ;
    int mindestens;
    bool aufsteigend;
    objekt *(*erzeugen)(const interpolation_problem &p, void *zusatz);
};

objekt *baryzentrisch_erzeugen(const interpolation_problem &p, void *zusatz) {
    baryzentrischeinterpolation_parameter r = {p.name, p.art, p.stuetzstellen,
                                               p.a,    p.b,   p.stuetzwerte};
    return interpolation_tabelle(p.methode)->kreieren(&r, zusatz);
}

objekt *newton_erzeugen(const interpolation_problem &p, void *zusatz) {
    newtoninterpolation_parameter r = {p.name, p.art,         p.stuetzstellen,       p.a,
                                       p.b,    p.stuetzwerte, p.optionen.newton.leja};
    return interpolation_tabelle(p.methode)->kreieren(&r, zusatz);
}

objekt *rational_erzeugen(const interpolation_problem &p, void *zusatz) {
    rationaleinterpolation_parameter r = {p.name, p.art,         p.stuetzstellen,         p.a,
                                          p.b,    p.stuetzwerte, p.optionen.rational.grad};
    return interpolation_tabelle(p.methode)->kreieren(&r, zusatz);
}

objekt *hermite_erzeugen(const interpolation_problem &p, void *zusatz) {
    hermiteinterpolation_parameter r = {
        p.name, p.art, p.stuetzstellen, p.a, p.b, p.stuetzwerte, p.optionen.hermite.steigungen};
    return interpolation_tabelle(p.methode)->kreieren(&r, zusatz);
}

objekt *spline_erzeugen(const interpolation_problem &p, void *zusatz) {
    const spline_optionen &o = p.optionen.spline;
    splineinterpolation_parameter r = {.name = p.name,
                                       .stuetzstellenart = p.art,
                                       .stuetzstellen = p.stuetzstellen,
                                       .a = p.a,
                                       .b = p.b,
                                       .stuetzwerte = p.stuetzwerte,
                                       .splineart = o.splineart,
                                       .abl2links = o.abl2links,
                                       .abl2rechts = o.abl2rechts,
                                       .abl1links = o.abl1links,
                                       .abl1rechts = o.abl1rechts};
    return interpolation_tabelle(p.methode)->kreieren(&r, zusatz);
}

const klassenzeile klassen[] = {
    {&newton_interpolation, "NEWTON_INTERPOLATION", 1, false, newton_erzeugen},
    {&baryzentrische_interpolation, "BARYZENTRISCHE_INTERPOLATION", 1, false,
     baryzentrisch_erzeugen},
    {&spline_interpolation, "SPLINE_INTERPOLATION", 3, true, spline_erzeugen},
    {&rationale_interpolation, "RATIONALE_INTERPOLATION", 1, false, rational_erzeugen},
    {&hermite_interpolation, "HERMITE_INTERPOLATION", 2, true, hermite_erzeugen},
};

const klassenzeile *zeile_von(const klasse *methode) {
    for (const klassenzeile &z : klassen)
        if (z.methode == methode) return &z;
    return nullptr;
}

// Rows 1..anzahl of column 1 of v.
std::vector<double> spalte(objekt *v, int anzahl) {
    std::vector<double> x(static_cast<std::size_t>(anzahl));
    spalte_kopieren(v, anzahl, x.data());
    return x;
}

// A vector that the class can read n+1 rows of column 1 from; anything
// else the class reports itself.
bool lesbar(objekt *v, int zeilen) {
    return v != nullptr && matrix_tabelle(v)->hoehe(v) == zeilen &&
           matrix_tabelle(v)->breite(v) >= 1;
}

// The first pair of equal nodes as the product formula of the weights
// meets it: the smallest j that has an equal partner, with its first one k
// (necessarily k > j).  Sorted by value (stably, so equal values keep their
// index order) equal nodes stand together, the group's first two indices
// being such a pair: O(n log n) instead of comparing every pair.
bool gleiches_paar(const std::vector<double> &x, std::size_t &j, std::size_t &k) {
    std::vector<std::size_t> index(x.size());
    std::iota(index.begin(), index.end(), std::size_t{0});
    std::stable_sort(index.begin(), index.end(),
                     [&](std::size_t l, std::size_t r) { return x[l] < x[r]; });
    bool gefunden = false;
    for (std::size_t i = 0; i + 1 < index.size(); ++i) {
        // Nodes are finite here, so equal means a difference of 0 (also for
        // -0 and +0).
        if (x[index[i]] != x[index[i + 1]]) continue;
        if (!gefunden || index[i] < j) {
            j = index[i];
            k = index[i + 1];
            gefunden = true;
        }
        // Skip the rest of the group: its first two are taken.
        while (i + 1 < index.size() && x[index[i]] == x[index[i + 1]])
            ++i;
    }
    return gefunden;
}

} // namespace

void interpolationsproblem_pruefen(const klasse *methode, const interpolationsproblem &p) {
    const klassenzeile *z = zeile_von(methode);
    if (z == nullptr) return;
    const char *name = p.name != nullptr ? p.name : "unbenannt";
    // Defects the class reports with its own message, in its own order.
    if (p.stuetzwerte == nullptr) return;
    int anzahl = matrix_tabelle(p.stuetzwerte)->hoehe(p.stuetzwerte);
    if (anzahl < 1 || matrix_tabelle(p.stuetzwerte)->breite(p.stuetzwerte) < 1) return;
    const knotenart *art = knotenart_nummer(p.art);
    if (art == nullptr) return;
    if (art->gespeichert ? !lesbar(p.stuetzstellen, anzahl) : p.b - p.a < epsilon()) return;

    if (anzahl < z->mindestens) fehler("Zu wening Stuetzstellen fuer %s '%s'!\n", z->typ, name);
    if (!art->gespeichert) {
        // Placed on an infinite interval (or one that is not a number) the
        // nodes would not be numbers.
        if (!std::isfinite(p.a) || !std::isfinite(p.b))
            fehler("Intervall [%lf,%lf] ist nicht endlich fuer %s %s.\n", p.a, p.b, z->typ, name);
    } else {
        std::vector<double> x = spalte(p.stuetzstellen, anzahl);
        for (int i = 0; i < anzahl; ++i)
            if (!std::isfinite(x[static_cast<std::size_t>(i)]))
                fehler("Stuetzstelle x(%i) ist keine endliche Zahl fuer %s %s.\n", i + 1, z->typ,
                       name);
        if (z->aufsteigend) {
            for (std::size_t i = 0; i + 1 < x.size(); ++i)
                if (x[i + 1] - x[i] < epsilon())
                    fehler("Die Stuetzstellen fuer %s %s muessen aufsteigend sein!\n", z->typ,
                           name);
        } else {
            std::size_t j = 0, k = 0;
            // Two values at one node: there is no polynomial through both.
            if (gleiches_paar(x, j, k))
                fehler("Stuetzstellen x(%zu) und x(%zu) gleich fuer %s %s.\n", j + 1, k + 1, z->typ,
                       name);
        }
    }
    std::vector<double> y = spalte(p.stuetzwerte, anzahl);
    for (int i = 0; i < anzahl; ++i)
        if (!std::isfinite(y[static_cast<std::size_t>(i)]))
            fehler("Stuetzwert y(%i) ist keine endliche Zahl fuer %s %s.\n", i + 1, z->typ, name);
}

extern "C" objekt *interpolation_erzeugen(const interpolation_problem *p, void *zusatz) {
    const klassenzeile *z = p != nullptr ? zeile_von(p->methode) : nullptr;
    if (z == nullptr)
        fehler("Keine Interpolationsklasse fuer Interpolationsproblem %s angegeben.\n",
               p != nullptr && p->name != nullptr ? p->name : "unbenannt");
    interpolationsproblem_pruefen(p->methode,
                                  {p->name, p->art, p->stuetzstellen, p->a, p->b, p->stuetzwerte});
    return z->erzeugen(*p, zusatz);
}
