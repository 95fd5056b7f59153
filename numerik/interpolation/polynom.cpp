// The part of the classes of the barycentric kind that does not depend on
// the form of the interpolant (see polynom_intern.h).
#include "interpolation/polynom_intern.h"

#include "numerik/knotenarten.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "kern/kluster.h"
#include "kern/lese_datum.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

polynomdaten *polynom_daten(objekt *ip) {
    return static_cast<polynomdaten *>(basis_von(ip));
}

interpolation_zeiger polynom_kreieren(const polynomproblem &p, const polynomklasse &k,
                                      bool ungesetzt) {
    interpolation_zeiger ip;
    polynomdaten *d = basis_neu<polynomdaten>(ip, *k.typ, p.name);
    d->art = STUETZSTELLEN_GEGEBEN;
    d->option = p.option;
    d->skala = 1.0;
    basis_problem(ip.get(), *k.typ, {p.name, p.art, p.stuetzstellen, p.a, p.b, p.stuetzwerte},
                  p.art, ungesetzt);
    d->koeffizienten = ungesetzt ? nm_anlegen_ungesetzt(d->n + 1, 1, k.vektorname)
                                 : nm_anlegen(d->n + 1, 1, k.vektorname, ip.get());
    return ip;
}

void polynom_umordnen(polynomdaten *d, const int *reihenfolge) {
    std::size_t anzahl = static_cast<std::size_t>(d->n) + 1;
    auto *r = static_cast<int *>(std::malloc(anzahl * sizeof(int)));
    if (r == nullptr) fehler("Nicht genug Speicher fuer %s.\n", d->name);
    std::memcpy(r, reihenfolge, anzahl * sizeof(int));
    std::free(d->reihenfolge);
    d->reihenfolge = r;
    for (objekt *v : {d->stuetzstellen, d->stuetzwerte}) {
        schreibfeld w(v);
        std::vector<double> alt(w.werte(), w.werte() + anzahl);
        for (std::size_t k = 0; k < anzahl; ++k)
            w[static_cast<long long>(k)] = alt[static_cast<std::size_t>(r[k])];
    }
}

namespace {

// A copy of vector v (nodes or values) in the problem's order, named as v.
matrix_zeiger in_problemreihenfolge(const polynomdaten *d, objekt *v) {
    matrix_zeiger kopie(nm_anlegen(d->n + 1, 1, matrix_tabelle(v)->name(v), nullptr));
    schreibfeld w(kopie.get());
    const double *alt = eintraege(v);
    for (int k = 0; k <= d->n; ++k)
        w[d->reihenfolge[k]] = alt[k];
    return kopie;
}

} // namespace

int polynom_speichern(objekt *ip, FILE *aus, const polynomklasse &k) {
    polynomdaten *d = polynom_daten(ip);
    matrix_zeiger knoten, werte;
    if (d->reihenfolge != nullptr) {
        knoten = in_problemreihenfolge(d, d->stuetzstellen);
        werte = in_problemreihenfolge(d, d->stuetzwerte);
    }
    const double option = d->option;
    problemtext_schreiben(aus, *k.typ, d->name, d->art, knoten ? knoten.get() : d->stuetzstellen,
                          d->a, d->b, &option, werte ? werte.get() : d->stuetzwerte);
    return 0;
}

double polynom_option(objekt *ip, int) {
    return polynom_daten(ip)->option;
}

int polynom_freigeben(objekt *ip) {
    polynomdaten *d = polynom_daten(ip);
    std::free(d->reihenfolge);
    d->reihenfolge = nullptr;
    return basis_freigeben(ip);
}

void gauss_legendre(int m, std::vector<double> &knoten, std::vector<double> &gewichte) {
    knoten.assign(static_cast<std::size_t>(m), 0.0);
    gewichte.assign(static_cast<std::size_t>(m), 0.0);
    // Newton's method on P_m from the asymptotic guess of each root, P_m and
    // its derivative by the three-term recurrence: O(m) a step, a few steps
    // a root, the roots symmetric: O(m^2) in all.
    const double pi = 3.14159265358979323846;
    // P_m(z) and P_m'(z).
    auto legendre = [m](double z, double &ableitung) {
        double p1 = 1.0;
        double p2 = 0.0;
        for (int j = 1; j <= m; ++j) {
            double p3 = p2;
            p2 = p1;
            p1 = ((2.0 * j - 1.0) * z * p2 - (j - 1.0) * p3) / j;
        }
        ableitung = m * (z * p1 - p2) / (z * z - 1.0);
        return p1;
    };
    for (int i = 0; i < (m + 1) / 2; ++i) {
        double z = std::cos(pi * (i + 0.75) / (m + 0.5));
        double ableitung = 1.0;
        for (int schritt = 0; schritt < 100; ++schritt) {
            double schrittweite = legendre(z, ableitung) / ableitung;
            z -= schrittweite;
            // Quadratic convergence: after a step this small z is exact to
            // rounding.
            if (std::fabs(schrittweite) <= 1e-15) break;
        }
        // The weight from P_m' at the final z: near the ends P_m'' / P_m' is
        // of order m^2, and the derivative of the step before would carry
        // that factor times the step into the weight.
        legendre(z, ableitung);
        std::size_t links = static_cast<std::size_t>(i);
        std::size_t rechts = static_cast<std::size_t>(m - 1 - i);
        knoten[links] = -z;
        knoten[rechts] = z;
        gewichte[links] = gewichte[rechts] = 2.0 / ((1.0 - z * z) * ableitung * ableitung);
    }
}

double polynom_integral(objekt *ip, double x1, double x2, double (*wert)(objekt *, double),
                        bool aussen_umformen) {
    const polynomdaten *d = polynom_daten(ip);
    const double *x = eintraege(d->stuetzstellen);
    double kleinster = x[0], groesster = x[0];
    for (int i = 1; i <= d->n; ++i) {
        kleinster = std::fmin(kleinster, x[i]);
        groesster = std::fmax(groesster, x[i]);
    }
    // The outside form is made only where the bounds reach outside.
    aussenform aussen;
    if (aussen_umformen && d->n > 0 &&
        (std::fmin(x1, x2) < kleinster || std::fmax(x1, x2) > groesster))
        aussen = aussenform_machen(d, d->n);
    auto f = [&](double t) {
        if (aussen.gueltig && (t < kleinster || t > groesster) && !formel_genau(d, t))
            return aussen.wert(t);
        return wert(ip, t);
    };
    double integral = gerichtetes_integral(x1, x2, [&](double lo, double hi) {
        std::vector<double> knoten;
        std::vector<double> gewichte;
        gauss_legendre(d->n / 2 + 1, knoten, gewichte);
        return gauss_summe(knoten, gewichte, lo, hi, f);
    });
    return integral_endlich(integral, x1, x2, *interpolationstyp_von(interpolation_klasse(ip)),
                            d->name);
}
