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
    if (ip->daten == nullptr) still_beenden();
    return static_cast<polynomdaten *>(ip->daten);
}

objekt *polynom_kreieren(const polynomproblem &p, const polynomklasse &k) {
    auto *ip = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (ip == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 1)!\n");
    ip->funktionen = k.beschreibung->funktionen;
    auto *d = static_cast<polynomdaten *>(std::malloc(sizeof(polynomdaten)));
    ip->daten = d;
    if (d == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 2)!\n");
    *d = {nullptr, nullptr, nullptr,  nullptr, 0,   STUETZSTELLEN_GEGEBEN,
          0.0,     0.0,     p.option, nullptr, 0.0, 1.0};

    const char *name = p.name != nullptr ? p.name : "unbenannt";
    std::size_t laenge = std::strlen(name);
    d->name = static_cast<char *>(std::malloc(laenge + 1));
    if (d->name == nullptr) fehler("Nicht genug Speicher fuer %s %s.\n", k.typ, name);
    std::memcpy(d->name, name, laenge + 1);

    if (p.stuetzwerte == nullptr) fehler("Stuetzwerte fehlen fuer%s %s.\n", k.typ, d->name);
    int n = matrix_tabelle(p.stuetzwerte)->hoehe(p.stuetzwerte) - 1;
    if (n < 0) fehler("Es wird mindestens ein Stuetzwert benoetigt.\n");
    d->n = n;

    d->stuetzstellen = nm_anlegen(n + 1, 1, "Stuetzstellen", ip);
    d->stuetzwerte = nm_anlegen(n + 1, 1, "Stuetzwerte", ip);
    d->koeffizienten = nm_anlegen(n + 1, 1, k.vektorname, ip);

    const knotenart *art = knotenart_nummer(p.art);
    if (art != nullptr && art->gespeichert) {
        if (p.stuetzstellen == nullptr) fehler("Stuetzstellen fehlen fuer%s %s.\n", k.typ, d->name);
        if (matrix_tabelle(p.stuetzstellen)->hoehe(p.stuetzstellen) != n + 1)
            fehler("Stuetzstellenanzahl/-werteanzahl inkompatibel fuer %s %s.\n", k.typ, d->name);
        // Given nodes keep their order: neither form needs them sorted.
        spalte_kopieren(p.stuetzstellen, n + 1, schreibfeld(d->stuetzstellen).werte());
    } else {
        // Ends the process for an unknown kind, before a kind nothing else
        // could handle is stored.
        stuetzstellen_platzieren(d->stuetzstellen, p.art, n, p.a, p.b, d->name);
        d->a = p.a;
        d->b = p.b;
    }
    d->art = p.art;
    spalte_kopieren(p.stuetzwerte, n + 1, schreibfeld(d->stuetzwerte).werte());
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
    std::fprintf(aus, "%s: %s\n", k.typ, d->name);
    std::fprintf(aus, "art = %i\n", d->art);
    const knotenart *art = knotenart_nummer(d->art);
    if (art == nullptr) fehler("Kann %s %s nicht speichern.\n", k.typ, d->name);
    matrix_zeiger knoten, werte;
    if (d->reihenfolge != nullptr) {
        knoten = in_problemreihenfolge(d, d->stuetzstellen);
        werte = in_problemreihenfolge(d, d->stuetzwerte);
    }
    art->schreiben(aus, knoten ? knoten.get() : d->stuetzstellen, d->a, d->b);
    if (k.option_schreiben != nullptr) k.option_schreiben(aus, d->option);
    objekt *y = werte ? werte.get() : d->stuetzwerte;
    matrix_tabelle(y)->speichern(y, aus);
    return 0;
}

polynomtext polynomtext_lesen(FILE *ein, const polynomklasse &k) {
    char erwartet[TYPPUFFER];
    std::snprintf(erwartet, sizeof erwartet, "%s", k.typ);
    polynomtext t = {interpolation_kopfzeile(ein, erwartet),
                     STUETZSTELLEN_GEGEBEN,
                     nullptr,
                     0.0,
                     0.0,
                     nullptr,
                     0};
    lese_datum(ein, "%d", "art =", &t.art);
    // An unknown kind would leave the text's layout unknown: no vector could
    // be read for it.
    const knotenart *art = knotenart_nummer(t.art);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", t.name, t.art);
    // The vectors are read by the NM_MATRIX class's own loader; their header
    // lines go through the matrix cluster's reader, so name (which lives in
    // this cluster's header buffer) stays valid until creation copies it.
    t.stuetzstellen.reset(art->lesen(ein, &t.a, &t.b));
    if (k.option_lesen != nullptr) t.option = k.option_lesen(ein);
    t.stuetzwerte.reset(nm_tabelle()->laden(ein, nullptr));
    return t;
}

int polynom_freigeben(objekt *ip) {
    polynomdaten *d = polynom_daten(ip);
    std::free(d->name);
    std::free(d->reihenfolge);
    matrix_tabelle(d->stuetzstellen)->freigeben(d->stuetzstellen);
    matrix_tabelle(d->stuetzwerte)->freigeben(d->stuetzwerte);
    matrix_tabelle(d->koeffizienten)->freigeben(d->koeffizienten);
    std::free(d);
    std::free(ip);
    return 0;
}

const char *polynom_name(objekt *ip, const char *typ) {
    if (ip->daten == nullptr) return typ;
    return static_cast<polynomdaten *>(ip->daten)->name;
}

objekt *polynom_vektor(objekt *ip, int index) {
    polynomdaten *d = polynom_daten(ip);
    switch (index) {
    case 0:
        return d->stuetzstellen;
    case 1:
        return d->stuetzwerte;
    case 2:
        return d->koeffizienten;
    default:
        fehler("Ungueltiger Vektor fuer Interpolationsproblem %s: (%i)\n", d->name, index);
    }
}

double polynom_grenze(objekt *ip, bool links) {
    polynomdaten *d = polynom_daten(ip);
    const knotenart *art = knotenart_nummer(d->art);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->art);
    if (art->gespeichert)
        return links ? kleinste_stuetzstelle(d->stuetzstellen)
                     : groesste_stuetzstelle(d->stuetzstellen);
    return links ? d->a : d->b;
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

double polynom_integral(objekt *ip, double x1, double x2, double (*wert)(objekt *, double)) {
    const polynomdaten *d = polynom_daten(ip);
    return gerichtetes_integral(x1, x2, [&](double lo, double hi) {
        std::vector<double> knoten;
        std::vector<double> gewichte;
        gauss_legendre(d->n / 2 + 1, knoten, gewichte);
        return gauss_summe(knoten, gewichte, lo, hi, [&](double x) { return wert(ip, x); });
    });
}
