// The one creation entry of the interpolation cluster and the checks that
// every class needs before it computes: enough values, finite interval,
// finite and distinct (or ascending) nodes, finite values, whole options
// where the class takes whole ones.  What a class needs is read from its
// record (numerik/interplt.h); the classes compute.  What they already
// reject themselves (missing vectors, counts that differ, unknown kinds,
// too small an interval, an option value they do not know) is left to them,
// so their messages and the order in which they fire stay theirs.
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"

#include "grund/epsilon.h"
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

// Rows 1..anzahl of column 1 of v: read in place from a column of the
// library's own class, else copied.
class spalte {
  public:
    spalte(objekt *v, int anzahl) : anzahl_(static_cast<std::size_t>(anzahl)) {
        if (ist_nmmatrix(v) && nmmatrix_daten(v)->m == 1 && nmmatrix_daten(v)->n >= anzahl) {
            werte_ = eintraege(v);
            return;
        }
        kopie_.resize(anzahl_);
        spalte_kopieren(v, anzahl, kopie_.data());
        werte_ = kopie_.data();
    }
    std::size_t size() const { return anzahl_; }
    double operator[](std::size_t i) const { return werte_[i]; }
    const double *data() const { return werte_; }

  private:
    std::size_t anzahl_;
    const double *werte_ = nullptr;
    std::vector<double> kopie_;
};

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
// being such a pair: O(n log n) instead of comparing every pair, and O(n)
// for ascending nodes, which have none.
bool gleiches_paar(const spalte &x, std::size_t &j, std::size_t &k) {
    bool aufsteigend = true;
    for (std::size_t i = 0; i + 1 < x.size(); ++i)
        aufsteigend = aufsteigend && x[i] < x[i + 1];
    if (aufsteigend) return false;
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
    const interpolationstyp *z = interpolationstyp_von(methode);
    if (z == nullptr) return;
    const char *name = p.name != nullptr ? p.name : "unbenannt";
    // Defects the class reports with its own message, in its own order.
    if (p.stuetzwerte == nullptr) return;
    int anzahl = matrix_tabelle(p.stuetzwerte)->hoehe(p.stuetzwerte);
    if (anzahl < 1 || matrix_tabelle(p.stuetzwerte)->breite(p.stuetzwerte) < 1) return;
    const knotenart *art = knotenart_nummer(p.art);
    if (art == nullptr) return;
    if (art->gespeichert ? !lesbar(p.stuetzstellen, anzahl) : p.b - p.a < epsilon()) return;

    if (anzahl < z->mindestens) fehler("Zu wening Stuetzstellen fuer %s '%s'!\n", z->typtext, name);
    if (!art->gespeichert) {
        // Placed on an infinite interval (or one that is not a number) the
        // nodes would not be numbers.
        if (!std::isfinite(p.a) || !std::isfinite(p.b))
            fehler("Intervall [%s,%s] ist nicht endlich fuer %s %s.\n", meldezahl(p.a).c_str(),
                   meldezahl(p.b).c_str(), z->typtext, name);
    } else {
        const spalte x(p.stuetzstellen, anzahl);
        for (int i = 0; i < anzahl; ++i)
            if (!std::isfinite(x[static_cast<std::size_t>(i)]))
                fehler("Stuetzstelle x(%i) ist keine endliche Zahl fuer %s %s.\n", i + 1,
                       z->typtext, name);
        if (z->knotenordnung == KNOTEN_AUFSTEIGEND) {
            for (std::size_t i = 0; i + 1 < x.size(); ++i)
                if (x[i + 1] - x[i] < epsilon())
                    fehler("Die Stuetzstellen fuer %s %s muessen aufsteigend sein!\n", z->typtext,
                           name);
        } else {
            std::size_t j = 0, k = 0;
            // Two values at one node: there is no polynomial through both.
            if (gleiches_paar(x, j, k))
                fehler("Stuetzstellen x(%zu) und x(%zu) gleich fuer %s %s.\n", j + 1, k + 1,
                       z->typtext, name);
        }
    }
    const spalte y(p.stuetzwerte, anzahl);
    for (int i = 0; i < anzahl; ++i)
        if (!std::isfinite(y[static_cast<std::size_t>(i)]))
            fehler("Stuetzwert y(%i) ist keine endliche Zahl fuer %s %s.\n", i + 1, z->typtext,
                   name);
}

namespace {

// Options the class takes as whole numbers must be whole numbers of int's
// range, the others finite: a class reads its whole ones as int.  Not a
// number is "not given" for an option whose default is not a number.
void optionen_pruefen(const interpolationstyp &t, const interpolation_problem &p) {
    const char *name = p.name != nullptr ? p.name : "unbenannt";
    for (int k = 0; k < t.optionen_anzahl; ++k) {
        const interpolation_option &o = t.optionen[k];
        const double wert = p.optionen[k];
        if (std::isnan(wert) && std::isnan(o.standard)) continue;
        if (!std::isfinite(wert))
            fehler("Option %s ist keine endliche Zahl fuer %s %s.\n", o.schluessel, t.typtext,
                   name);
        if (o.ganzzahlig && (wert != std::trunc(wert) || wert < INT_MIN || wert > INT_MAX))
            fehler("Option %s = %g ist keine ganze Zahl fuer %s %s.\n", o.schluessel, wert,
                   t.typtext, name);
    }
}

// What creation checks before the class computes, shared with the check
// without creation: the class, the problem's nodes and values, the options.
const interpolationstyp &problem_vorpruefen(const interpolation_problem *p) {
    const interpolationstyp *t = p != nullptr ? interpolationstyp_von(p->methode) : nullptr;
    if (t == nullptr)
        fehler("Keine Interpolationsklasse fuer Interpolationsproblem %s angegeben.\n",
               p != nullptr && p->name != nullptr ? p->name : "unbenannt");
    interpolationsproblem_pruefen(p->methode,
                                  {p->name, p->art, p->stuetzstellen, p->a, p->b, p->stuetzwerte});
    optionen_pruefen(*t, *p);
    return *t;
}

} // namespace

extern "C" {

objekt *interpolation_erzeugen(const interpolation_problem *p, void *zusatz) {
    return problem_vorpruefen(p).erzeugen(p, zusatz);
}

void interpolation_problem_pruefen(const interpolation_problem *p) {
    const interpolationstyp *t = &problem_vorpruefen(p);
    // The counts and the spacing in the order and words of the classes'
    // common creation step (basis_problem).
    const char *name = p->name != nullptr ? p->name : "unbenannt";
    if (p->stuetzwerte == nullptr) fehler("Stuetzwerte fehlen fuer%s %s.\n", t->typtext, name);
    const int anzahl = matrix_tabelle(p->stuetzwerte)->hoehe(p->stuetzwerte);
    if (anzahl < 1) fehler("Es wird mindestens ein Stuetzwert benoetigt.\n");
    const knotenart *art = knotenart_nummer(p->art);
    if (art == nullptr || !art->gespeichert) return;
    if (p->stuetzstellen == nullptr) fehler("Stuetzstellen fehlen fuer%s %s.\n", t->typtext, name);
    if (matrix_tabelle(p->stuetzstellen)->hoehe(p->stuetzstellen) != anzahl)
        fehler("Stuetzstellenanzahl/-werteanzahl inkompatibel fuer %s %s.\n", t->typtext, name);
    const spalte x(p->stuetzstellen, anzahl);
    knotenabstand_pruefen(*t, x.data(), anzahl, name);
}

void interpolation_problem_vorbelegen(interpolation_problem *p, klasse *methode) {
    *p = interpolation_problem{};
    p->methode = methode;
    p->art = STUETZSTELLEN_GEGEBEN;
    if (const interpolationstyp *t = interpolationstyp_von(methode))
        for (int k = 0; k < t->optionen_anzahl; ++k)
            p->optionen[k] = t->optionen[k].standard;
}

void interpolation_option_setzen(interpolation_problem *p, const char *schluessel, double wert) {
    const interpolationstyp *t = interpolationstyp_von(p->methode);
    int k = interpolation_option_nummer(t, schluessel);
    if (k < 0)
        fehler("Option %s gibt es nicht fuer %s.\n", schluessel,
               t != nullptr ? t->typtext : "diese Interpolationsklasse");
    p->optionen[k] = wert;
}

} // extern "C"
