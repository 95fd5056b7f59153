// HERMITE_INTERPOLATION (numerik/hermiteipl.h): the slopes at the nodes from
// the local secants, and from them the n x 4 cubics in the spline's layout.
#include "numerik/hermiteipl.h"

#include "numerik/knotenarten.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/hermite_intern.h"
#include "interpolation/interplt_intern.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The shared base (its third vector the n x 4 "Koeffizientenmatrix", n the
// number of intervals) and the option of the slopes.
struct hermitedaten : interpolationsbasis {
    int steigungen;
    // The scaled form (interplt_intern.h) where the plain coefficients
    // over- or underflow: n x 4, malloc'd; null otherwise.
    double *skaliert;
    int ex;
    int ey;
};

kubikskala skala_von(const hermitedaten *d) {
    return {d->skaliert, d->ex, d->ey};
}

hermitedaten *hermite_daten(objekt *ip) {
    return static_cast<hermitedaten *>(basis_von(ip));
}

objekt *hermite_erzeugen(const interpolation_problem *p, void *zusatz) {
    hermiteinterpolation_parameter r = {p->name,
                                        p->art,
                                        p->stuetzstellen,
                                        p->a,
                                        p->b,
                                        p->stuetzwerte,
                                        static_cast<int>(p->optionen[0])};
    return hermiteinterpolation_kreieren(&r, zusatz);
}

double hermite_option(objekt *ip, int) {
    return hermite_daten(ip)->steigungen;
}

const interpolation_wahl hermite_wahlen[] = {
    {"fritsch-carlson", HERMITE_FRITSCH_CARLSON},
    {"akima", HERMITE_AKIMA},
    {"akima-modifiziert", HERMITE_AKIMA_MODIFIZIERT},
    {nullptr, 0},
};

const interpolation_option hermite_optionen[] = {
    {.schluessel = "steigungen",
     .zeile = "steigungen =",
     .im_text = OPTION_TEXT_IMMER,
     .ganzzahlig = 1,
     .standard = HERMITE_FRITSCH_CARLSON,
     .wahlen = hermite_wahlen,
     .titel = "die Steigungen an den Stuetzstellen"},
};

// The cubics of the record's nodes and values; at coordinates or values
// whose coefficients leave the range of doubles, on the problem scaled by
// powers of 2 as well, kept for evaluation.
void kubiken(hermitedaten *dt) {
    const double *x = eintraege(dt->stuetzstellen);
    const double *y = eintraege(dt->stuetzwerte);
    const int n = dt->n;
    // Every entry is written below before the object is handed out.
    dt->koeffizienten = nm_anlegen_ungesetzt(n, 4, "Koeffizientenmatrix");
    schreibfeld c(dt->koeffizienten);
    kubikskala s = kubik_skala_waehlen(x, n);
    if (s.ex == 0 && s.ey == 0) {
        if (hermite_kubiken(n, dt->steigungen, dt->name, x, y, c.werte())) return;
        // Values whose secants or coefficients overflow: once more scaled.
        s.ey = std::ilogb(std::fabs(y[0]) + 1.0);
        for (int i = 0; i <= n; ++i)
            s.ey = std::max(s.ey, std::ilogb(std::fabs(y[i]) + 1.0));
    }
    std::size_t anzahl = static_cast<std::size_t>(n) + 1;
    std::vector<double> xs(anzahl), ys(anzahl);
    for (std::size_t i = 0; i < anzahl; ++i) {
        xs[i] = std::ldexp(x[i], -s.ex);
        ys[i] = std::ldexp(y[i], -s.ey);
    }
    auto *cs = static_cast<double *>(std::malloc(4 * static_cast<std::size_t>(n) * sizeof(double)));
    if (cs == nullptr) fehler("Nicht genug Speicher fuer HERMITE_INTERPOLATION %s.\n", dt->name);
    dt->skaliert = cs;
    hermite_kubiken(n, dt->steigungen, dt->name, xs.data(), ys.data(), cs);
    if (!kubik_entskalieren(s, cs, c.werte(), n, hermite_typ, dt->name)) {
        dt->skaliert = nullptr;
        std::free(cs);
        return;
    }
    dt->ex = s.ex;
    dt->ey = s.ey;
}

// The value at x of piece lo, the interval the bisection gives for x.
double stueck_wert(const hermitedaten *d, const double *knoten, int lo, double x) {
    // At the right end of its interval the cubic gives y(lo+1) only to
    // rounding; the node's own value is exact.
    if (x == knoten[lo]) return eintraege(d->stuetzwerte)[lo];
    double t = x - knoten[lo - 1];
    if (d->skaliert != nullptr) {
        const double *cs = d->skaliert + 4 * static_cast<long long>(lo - 1);
        double u = std::ldexp(t, -d->ex);
        return std::ldexp(((cs[0] * u + cs[1]) * u + cs[2]) * u + cs[3], d->ey);
    }
    const double *c = eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1);
    double r = c[0];
    for (int k = 1; k < 4; ++k)
        r = r * t + c[k];
    return r;
}

// The interval of x for the one-point slots: the last one or the next
// while points ascend, else through the index, on nodes proved ordered;
// else the bisection.
int intervall(hermitedaten *d, const double *knoten, double x) {
    const int n = d->n;
    if (!intervallsuche_geordnet(d->suche, d->stuetzstellen, n, 1))
        return intervall_bisektion(knoten, n, x);
    int lo = d->suche.lo;
    if (lo >= 1 && lo <= n && (lo == 1 || knoten[lo - 1] < x)) {
        if (lo < n && knoten[lo] < x) ++lo;
        if (lo == n || !(knoten[lo] < x)) return d->suche.lo = lo;
    }
    return d->suche.lo = intervallsuche_finden(d->suche, knoten, n, x);
}

// Points taken together through the index where they do not ascend.
constexpr size_t STAPEL = 64;

} // namespace

extern "C" {

const interpolation_funktionen hermite_interpolationFunktionen = {
    .speichern = hermiteinterpolation_speichern,
    .laden = hermiteinterpolation_laden,
    .freigeben = hermiteinterpolation_freigeben,
    .kreieren = hermiteinterpolation_kreieren,
    .funktionswert = hermiteinterpolation_funktionswert,
    .name = hermiteinterpolation_name,
    .klasse = interpolation_klasse,
    .imVektor = hermiteinterpolation_imVektor,
    .linkeGrenze = hermiteinterpolation_linkeGrenze,
    .rechteGrenze = hermiteinterpolation_rechteGrenze,
    .ableitung1 = hermiteinterpolation_ableitung1,
    .ableitung2 = hermiteinterpolation_ableitung2,
    .integral = hermiteinterpolation_integral,
    .funktionswerte = hermiteinterpolation_funktionswerte,
};
klasse hermite_interpolation = {&hermite_interpolationFunktionen, nullptr};

objekt *hermiteinterpolation_kreieren(const void *parameter, void *) {
    const auto *r = static_cast<const hermiteinterpolation_parameter *>(parameter);
    interpolation_zeiger ip;
    hermitedaten *d = basis_neu<hermitedaten>(ip, hermite_typ, r != nullptr ? r->name : nullptr);
    if (r != nullptr && r->stuetzwerte != nullptr) {
        if (matrix_tabelle(r->stuetzwerte)->hoehe(r->stuetzwerte) < 2)
            fehler("Zu wening Stuetzstellen fuer HERMITE_INTERPOLATION '%s'!\n", d->name);
        if (r->steigungen < HERMITE_FRITSCH_CARLSON || r->steigungen > HERMITE_AKIMA_MODIFIZIERT)
            fehler("Steigungen %i nicht moeglich fuer HERMITE_INTERPOLATION %s (0, 1 oder 2).\n",
                   r->steigungen, d->name);
        d->steigungen = r->steigungen;
    }
    const interpolationsproblem p =
        r != nullptr
            ? interpolationsproblem{r->name, r->art, r->stuetzstellen, r->a, r->b, r->stuetzwerte}
            : interpolationsproblem{nullptr, STUETZSTELLEN_GEGEBEN, nullptr, 0.0, 0.0, nullptr};
    // Nodes and values are written in full before the object is handed out:
    // no zeroing.
    basis_problem(ip.get(), hermite_typ, p, p.art, true);
    kubiken(d);
    return ip.release();
}

objekt *hermiteinterpolation_laden(FILE *ein, void *zusatz) {
    return basis_laden(ein, hermite_typ, zusatz);
}

int hermiteinterpolation_speichern(objekt *ip, FILE *aus) {
    return basis_speichern(ip, aus, hermite_typ);
}

int hermiteinterpolation_freigeben(objekt *ip) {
    hermitedaten *d = hermite_daten(ip);
    std::free(d->skaliert);
    d->skaliert = nullptr;
    return basis_freigeben(ip);
}

double hermiteinterpolation_funktionswert(objekt *ip, double x) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    return stueck_wert(d, knoten, intervall(d, knoten, x), x);
}

void hermiteinterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    const double *koeff = eintraege(d->koeffizienten);
    const int n = d->n;
    // Creation checked the order, but the nodes may have been written
    // since: the search examines them again before it trusts them.
    const bool geordnet = intervallsuche_geordnet(d->suche, d->stuetzstellen, n, anzahl);
    const intervallsuche *suche = &d->suche;
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        int lo = 0;
        size_t i = von;
        while (i < bis) {
            if (!geordnet) {
                y[i] = stueck_wert(d, knoten, intervall_bisektion(knoten, n, x[i]), x[i]);
                ++i;
                continue;
            }
            // Ascending points walk from the last interval; others are
            // taken a stack at a time through the index.
            if (lo >= 1 && (lo == 1 || knoten[lo - 1] < x[i])) {
                int l = lo;
                if (l < n && knoten[l] < x[i]) ++l;
                if (l == n || !(knoten[l] < x[i])) {
                    lo = l;
                    y[i] = stueck_wert(d, knoten, lo, x[i]);
                    ++i;
                    continue;
                }
            }
            const size_t m = std::min(STAPEL, bis - i);
            int lot[STAPEL];
            intervallsuche_viele(*suche, knoten, n, x + i, lot, m, koeff, 4);
            for (size_t j = 0; j < m; ++j)
                y[i + j] = stueck_wert(d, knoten, lot[j], x[i + j]);
            i += m;
            lo = lot[m - 1];
        }
    });
}

double hermiteinterpolation_ableitung1(objekt *ip, double x) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    int lo = intervall(d, knoten, x);
    if (d->skaliert != nullptr)
        return std::ldexp(kubik_ableitung1(d->skaliert + 4 * static_cast<long long>(lo - 1),
                                           std::ldexp(x - knoten[lo - 1], -d->ex)),
                          d->ey - d->ex);
    return kubik_ableitung1(eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1),
                            x - knoten[lo - 1]);
}

double hermiteinterpolation_ableitung2(objekt *ip, double x) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    int lo = intervall(d, knoten, x);
    if (d->skaliert != nullptr)
        return std::ldexp(kubik_ableitung2(d->skaliert + 4 * static_cast<long long>(lo - 1),
                                           std::ldexp(x - knoten[lo - 1], -d->ex)),
                          d->ey - 2 * d->ex);
    return kubik_ableitung2(eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1),
                            x - knoten[lo - 1]);
}

double hermiteinterpolation_integral(objekt *ip, double x1, double x2) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    const double *c = eintraege(d->koeffizienten);
    const kubikskala s = skala_von(d);
    const bool geordnet = intervallsuche_geordnet(d->suche, d->stuetzstellen, d->n, 2);
    auto finden = [&](double w) {
        return geordnet ? intervallsuche_finden(d->suche, knoten, d->n, w)
                        : intervall_bisektion(knoten, d->n, w);
    };
    return integral_endlich(gerichtetes_integral(x1, x2,
                                                 [&](double lo, double hi) {
                                                     return kubiken_integral(knoten, c, lo, hi,
                                                                             finden, s);
                                                 }),
                            x1, x2, hermite_typ, d->name);
}

const char *hermiteinterpolation_name(objekt *ip) {
    return basis_name(ip, hermite_typ);
}

objekt *hermiteinterpolation_imVektor(objekt *ip, int index) {
    return basis_vektor(ip, index);
}

double hermiteinterpolation_linkeGrenze(objekt *ip) {
    return basis_grenze(ip, true);
}

double hermiteinterpolation_rechteGrenze(objekt *ip) {
    return basis_grenze(ip, false);
}

int hermiteinterpolation_steigungen(objekt *ip) {
    return hermite_daten(ip)->steigungen;
}

const interpolationstyp hermite_typ = {.beschreibung = &hermite_interpolation,
                                       .typtext = "HERMITE_INTERPOLATION",
                                       .kurzname = "Hermite",
                                       .mindestens = 2,
                                       .knotenordnung = KNOTEN_AUFSTEIGEND,
                                       .global = 0,
                                       .polynom = 0,
                                       .ohne_koeffizienten = 0,
                                       .optionen_anzahl = 1,
                                       .optionen = hermite_optionen,
                                       .erzeugen = hermite_erzeugen,
                                       .option = hermite_option};

} // extern "C"
