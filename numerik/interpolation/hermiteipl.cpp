// HERMITE_INTERPOLATION (numerik/hermiteipl.h): the slopes at the nodes from
// the local secants, and from them the n x 4 cubics in the spline's layout.
#include "numerik/hermiteipl.h"

#include "numerik/knotenarten.h"

#include "grund/epsilon.h"
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "kern/lese_datum.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct hermitedaten {
    objekt *stuetzstellen; // (n+1) x 1 "Stuetzstellen"
    objekt *stuetzwerte;   // (n+1) x 1 "Stuetzwerte"
    objekt *koeffizienten; // n x 4 "Koeffizientenmatrix"
    char *name;            // own copy
    int n;                 // number of intervals
    int art;               // node kind
    double a;              // interval of placed node kinds
    double b;
    int steigungen; // the option of the slopes
};

hermitedaten *hermite_daten(objekt *ip) {
    if (ip->daten == nullptr) still_beenden();
    return static_cast<hermitedaten *>(ip->daten);
}

int vorzeichen(double v) {
    return (v > 0) - (v < 0);
}

// The weighted mean of two slopes, exactly the slope where both are equal
// (so that a straight line is reproduced to the bit); the plain mean where
// both weights are 0.
double gemittelt(double w1, double links, double w2, double rechts) {
    if (links == rechts) return links;
    double summe = w1 + w2;
    if (summe == 0.0) return (links + rechts) / 2;
    return (w1 * links + w2 * rechts) / summe;
}

// The one-sided three-point slope at an end node, from the end interval
// (h0, m0) and its neighbour (h1, m1), kept to the shape of the data: 0
// against the sign of the end secant, at most 3 m0 where the data turn.
double endsteigung(double h0, double m0, double h1, double m1) {
    if (m0 == m1) return m0;
    double d = ((2 * h0 + h1) * m0 - h0 * m1) / (h0 + h1);
    if (vorzeichen(d) != vorzeichen(m0)) return 0.0;
    if (vorzeichen(m0) != vorzeichen(m1) && std::fabs(d) > std::fabs(3 * m0)) return 3 * m0;
    return d;
}

// Fritsch-Carlson: the weighted harmonic mean of secants of one sign,
// bounded by 3 times the smaller of them, which keeps each cubic monotone.
void fritsch_carlson(const std::vector<double> &h, const std::vector<double> &m,
                     std::vector<double> &d) {
    std::size_t n = m.size();
    if (n == 1) {
        d[0] = d[1] = m[0];
        return;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if (vorzeichen(m[k - 1]) * vorzeichen(m[k]) <= 0) {
            d[k] = 0.0;
        } else if (m[k - 1] == m[k]) {
            d[k] = m[k];
        } else {
            double w1 = 2 * h[k] + h[k - 1];
            double w2 = h[k] + 2 * h[k - 1];
            d[k] = (w1 + w2) / (w1 / m[k - 1] + w2 / m[k]);
        }
    }
    d[0] = endsteigung(h[0], m[0], h[1], m[1]);
    d[n] = endsteigung(h[n - 1], m[n - 1], h[n - 2], m[n - 2]);
}

// Akima, plain or with the modified weights; the secants m(-2), m(-1),
// m(n), m(n+1) beyond the ends extrapolated linearly.
void akima(const std::vector<double> &m, bool modifiziert, std::vector<double> &d) {
    long n = static_cast<long>(m.size());
    auto innen = [&](long i) { return m[static_cast<std::size_t>(i)]; };
    // With one interval every secant is that one.
    double links1 = n == 1 ? innen(0) : 2 * innen(0) - innen(1);
    double links2 = n == 1 ? innen(0) : 2 * links1 - innen(0);
    double rechts1 = n == 1 ? innen(0) : 2 * innen(n - 1) - innen(n - 2);
    double rechts2 = n == 1 ? innen(0) : 2 * rechts1 - innen(n - 1);
    auto sekante = [&](long i) {
        if (i == -2) return links2;
        if (i == -1) return links1;
        if (i == n) return rechts1;
        if (i == n + 1) return rechts2;
        return innen(i);
    };
    // Slope k averages m(k-1) and m(k).
    for (long k = 0; k <= n; ++k) {
        double vor2 = sekante(k - 2), vor = sekante(k - 1), nach = sekante(k),
               nach2 = sekante(k + 1);
        double w1 = std::fabs(nach2 - nach);
        double w2 = std::fabs(vor - vor2);
        if (modifiziert) {
            w1 += std::fabs(nach2 + nach) / 2;
            w2 += std::fabs(vor + vor2) / 2;
        }
        d[static_cast<std::size_t>(k)] = gemittelt(w1, vor, w2, nach);
    }
}

// Slopes and cubics of the record's nodes and values.
void kubiken(objekt *ip, hermitedaten *dt) {
    const double *x = eintraege(dt->stuetzstellen);
    const double *y = eintraege(dt->stuetzwerte);
    std::size_t n = static_cast<std::size_t>(dt->n);
    std::vector<double> h(n), m(n), d(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        h[i] = x[i + 1] - x[i];
        if (!(h[i] >= epsilon()))
            fehler("Die Stuetzstellen fuer HERMITE_INTERPOLATION %s muessen aufsteigend sein!\n",
                   dt->name);
        m[i] = (y[i + 1] - y[i]) / h[i];
    }
    if (dt->steigungen == HERMITE_FRITSCH_CARLSON)
        fritsch_carlson(h, m, d);
    else
        akima(m, dt->steigungen == HERMITE_AKIMA_MODIFIZIERT, d);
    dt->koeffizienten = nm_anlegen(dt->n, 4, "Koeffizientenmatrix", ip);
    schreibfeld c(dt->koeffizienten);
    for (std::size_t i = 0; i < n; ++i) {
        double *zeile = c.werte() + 4 * i;
        zeile[0] = (d[i] + d[i + 1] - 2 * m[i]) / (h[i] * h[i]);
        zeile[1] = (3 * m[i] - 2 * d[i] - d[i + 1]) / h[i];
        zeile[2] = d[i];
        zeile[3] = y[i];
    }
}

// The value at x of piece lo, the interval the bisection gives for x.
double stueck_wert(const hermitedaten *d, const double *knoten, int lo, double x) {
    // At the right end of its interval the cubic gives y(lo+1) only to
    // rounding; the node's own value is exact.
    if (x == knoten[lo]) return eintraege(d->stuetzwerte)[lo];
    const double *c = eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1);
    double t = x - knoten[lo - 1];
    double r = c[0];
    for (int k = 1; k < 4; ++k)
        r = r * t + c[k];
    return r;
}

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
    auto *ip = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (ip == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 1)!\n");
    ip->funktionen = &hermite_interpolationFunktionen;
    auto *d = static_cast<hermitedaten *>(std::malloc(sizeof(hermitedaten)));
    ip->daten = d;
    if (d == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 2)!\n");
    *d = hermitedaten{};

    const char *name = (r != nullptr && r->name != nullptr) ? r->name : "unbenannt";
    std::size_t laenge = std::strlen(name);
    d->name = static_cast<char *>(std::malloc(laenge + 1));
    if (d->name == nullptr) fehler("Nicht genug Speicher fuer HERMITE_INTERPOLATION %s.\n", name);
    std::memcpy(d->name, name, laenge + 1);

    if (r == nullptr || r->stuetzwerte == nullptr)
        fehler("Stuetzwerte fehlen fuer HERMITE_INTERPOLATION %s.\n", d->name);
    int n = matrix_tabelle(r->stuetzwerte)->hoehe(r->stuetzwerte) - 1;
    if (n < 1) fehler("Zu wening Stuetzstellen fuer HERMITE_INTERPOLATION '%s'!\n", d->name);
    d->n = n;
    if (r->steigungen < HERMITE_FRITSCH_CARLSON || r->steigungen > HERMITE_AKIMA_MODIFIZIERT)
        fehler("Steigungen %i nicht moeglich fuer HERMITE_INTERPOLATION %s (0, 1 oder 2).\n",
               r->steigungen, d->name);
    d->steigungen = r->steigungen;

    d->stuetzstellen = nm_anlegen(n + 1, 1, "Stuetzstellen", ip);
    d->stuetzwerte = nm_anlegen(n + 1, 1, "Stuetzwerte", ip);
    const knotenart *art = knotenart_nummer(r->art);
    if (art != nullptr && art->gespeichert) {
        if (r->stuetzstellen == nullptr)
            fehler("Stuetzstellen fehlen fuer HERMITE_INTERPOLATION %s.\n", d->name);
        if (matrix_tabelle(r->stuetzstellen)->hoehe(r->stuetzstellen) != n + 1)
            fehler("Stuetzstellenanzahl/-werteanzahl inkompatibel fuer HERMITE_INTERPOLATION "
                   "%s.\n",
                   d->name);
        spalte_kopieren(r->stuetzstellen, n + 1, schreibfeld(d->stuetzstellen).werte());
    } else {
        // Ends the process for an unknown kind.
        stuetzstellen_platzieren(d->stuetzstellen, r->art, n, r->a, r->b, d->name);
        d->a = r->a;
        d->b = r->b;
    }
    d->art = r->art;
    spalte_kopieren(r->stuetzwerte, n + 1, schreibfeld(d->stuetzwerte).werte());
    kubiken(ip, d);
    return ip;
}

objekt *hermiteinterpolation_laden(FILE *ein, void *zusatz) {
    char typ[] = "HERMITE_INTERPOLATION";
    hermiteinterpolation_parameter r = {};
    r.name = interpolation_kopfzeile(ein, typ);
    lese_datum(ein, "%d", "art =", &r.art);
    const knotenart *art = knotenart_nummer(r.art);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", r.name, r.art);
    matrix_zeiger knoten(art->lesen(ein, &r.a, &r.b));
    r.stuetzstellen = knoten.get();
    lese_datum(ein, "%d", "steigungen =", &r.steigungen);
    matrix_zeiger werte(nm_tabelle()->laden(ein, nullptr));
    r.stuetzwerte = werte.get();
    interpolationsproblem_pruefen(&hermite_interpolation,
                                  {r.name, r.art, r.stuetzstellen, r.a, r.b, r.stuetzwerte});
    return interpolation_tabelle(&hermite_interpolation)->kreieren(&r, zusatz);
}

int hermiteinterpolation_speichern(objekt *ip, FILE *aus) {
    hermitedaten *d = hermite_daten(ip);
    std::fprintf(aus, "HERMITE_INTERPOLATION: %s\n", d->name);
    std::fprintf(aus, "art = %i\n", d->art);
    // (Creation admits known kinds only.)
    if (const knotenart *k = knotenart_nummer(d->art))
        k->schreiben(aus, d->stuetzstellen, d->a, d->b);
    std::fprintf(aus, "steigungen = %i\n", d->steigungen);
    nm_tabelle()->speichern(d->stuetzwerte, aus);
    return 0;
}

int hermiteinterpolation_freigeben(objekt *ip) {
    hermitedaten *d = hermite_daten(ip);
    std::free(d->name);
    for (objekt *v : {d->stuetzstellen, d->stuetzwerte, d->koeffizienten})
        if (v != nullptr) nm_tabelle()->freigeben(v);
    std::free(d);
    std::free(ip);
    return 0;
}

double hermiteinterpolation_funktionswert(objekt *ip, double x) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    return stueck_wert(d, knoten, intervall_bisektion(knoten, d->n, x), x);
}

void hermiteinterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl) {
    const hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    const int n = d->n;
    // Creation checked the order, but the nodes may have been written
    // since: an array at least as long as they are examines them (O(n)),
    // a shorter one bisects.
    const bool geordnet = anzahl >= static_cast<size_t>(n) && intervall_geordnet(knoten, n);
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        int lo = 0;
        for (size_t i = von; i < bis; ++i) {
            lo = geordnet ? intervall_schreiten(knoten, n, lo, x[i])
                          : intervall_bisektion(knoten, n, x[i]);
            y[i] = stueck_wert(d, knoten, lo, x[i]);
        }
    });
}

double hermiteinterpolation_ableitung1(objekt *ip, double x) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    int lo = intervall_bisektion(knoten, d->n, x);
    return kubik_ableitung1(eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1),
                            x - knoten[lo - 1]);
}

double hermiteinterpolation_ableitung2(objekt *ip, double x) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    int lo = intervall_bisektion(knoten, d->n, x);
    return kubik_ableitung2(eintraege(d->koeffizienten) + 4 * static_cast<long long>(lo - 1),
                            x - knoten[lo - 1]);
}

double hermiteinterpolation_integral(objekt *ip, double x1, double x2) {
    hermitedaten *d = hermite_daten(ip);
    const double *knoten = eintraege(d->stuetzstellen);
    const double *c = eintraege(d->koeffizienten);
    return gerichtetes_integral(
        x1, x2, [&](double lo, double hi) { return kubiken_integral(knoten, c, d->n, lo, hi); });
}

const char *hermiteinterpolation_name(objekt *ip) {
    if (ip->daten == nullptr) return "HERMITE_INTERPOLATION";
    return static_cast<hermitedaten *>(ip->daten)->name;
}

objekt *hermiteinterpolation_imVektor(objekt *ip, int index) {
    hermitedaten *d = hermite_daten(ip);
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

double hermiteinterpolation_linkeGrenze(objekt *ip) {
    hermitedaten *d = hermite_daten(ip);
    const knotenart *art = knotenart_nummer(d->art);
    return art != nullptr && art->gespeichert ? kleinste_stuetzstelle(d->stuetzstellen) : d->a;
}

double hermiteinterpolation_rechteGrenze(objekt *ip) {
    hermitedaten *d = hermite_daten(ip);
    const knotenart *art = knotenart_nummer(d->art);
    return art != nullptr && art->gespeichert ? groesste_stuetzstelle(d->stuetzstellen) : d->b;
}

int hermiteinterpolation_steigungen(objekt *ip) {
    return hermite_daten(ip)->steigungen;
}

} // extern "C"
