#include "numerik/newtnipl.h"

#include "fehler_intern.h"
#include "interplt_intern.h"
#include "feld.h"
#include "lese_datum.h"
#include "numerik/nmmatrix.h"

#include <cstdlib>
#include <cstring>

namespace {

struct newtoninterpolationsdaten {
    objekt *stuetzstellen;       // (n+1) x 1 "Stuetzstellen": x(1..n+1)
    objekt *stuetzwerte;         // (n+1) x 1 "Stuetzwerte": y(1..n+1)
    objekt *koeffizientenvektor; // (n+1) x 1 "Koeffizienten": divided differences
    char *name;                  // own copy
    int n;                       // number of values minus 1
    int art;                     // node kind 0, 1 or 2
    double a;                    // interval of node kinds 1 and 2
    double b;
};

newtoninterpolationsdaten *get_newtoninterpolationsdaten(objekt *ip) {
    if (ip->daten == nullptr) still_beenden();
    return static_cast<newtoninterpolationsdaten *>(ip->daten);
}

// Divided differences in place: c(i) = y(i), then for each order k the
// entries c(n+1) down to c(k+1) are replaced.  Running j downwards means the
// c(j) read for c(j+1) still holds the difference of order k-1.  The three
// vectors are the object's own NM_MATRIX objects: their arrays are used,
// c[j] standing for c(j+1).
void dividierte_differenzen(newtoninterpolationsdaten *d) {
    const double *x = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    schreibfeld c(d->koeffizientenvektor);
    int n = d->n;
    for (int i = 0; i <= n; ++i)
        c[i] = y[i];
    for (int k = 1; k <= n; ++k)
        for (int j = n; j >= k; --j)
            c[j] = (c[j] - c[j - 1]) / (x[j] - x[j - k]);
}

} // namespace

extern "C" {

const interpolation_funktionen newton_interpolationFunktionen = {
    .speichern = newtoninterpolation_speichern,
    .laden = newtoninterpolation_laden,
    .freigeben = newtoninterpolation_freigeben,
    .kreieren = newtoninterpolation_kreieren,
    .funktionswert = newtoninterpolation_funktionswert,
    .name = newtoninterpolation_name,
    .klasse = interpolation_klasse,
    .imVektor = newtoninterpolation_imVektor,
    .linkeGrenze = newtoninterpolation_linkeGrenze,
    .rechteGrenze = newtoninterpolation_rechteGrenze,
};
klasse newton_interpolation = {&newton_interpolationFunktionen, nullptr};

objekt *newtoninterpolation_kreieren(const void *parameter, void *) {
    const auto *p = static_cast<const newtoninterpolation_parameter *>(parameter);
    auto *ip = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (ip == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 1)!\n");
    ip->funktionen = newton_interpolation.funktionen;
    auto *d =
        static_cast<newtoninterpolationsdaten *>(std::malloc(sizeof(newtoninterpolationsdaten)));
    ip->daten = d;
    if (d == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 2)!\n");
    *d = {nullptr, nullptr, nullptr, nullptr, 0, STUETZSTELLEN_GEGEBEN, 0.0, 0.0};

    const char *name = (p != nullptr && p->name != nullptr) ? p->name : "unbenannt";
    std::size_t laenge = std::strlen(name);
    d->name = static_cast<char *>(std::malloc(laenge + 1));
    if (d->name == nullptr) fehler("Nicht genug Speicher fuer NEWTON_INTERPOLATION %s.\n", name);
    std::memcpy(d->name, name, laenge + 1);

    if (p == nullptr || p->stuetzwerte == nullptr)
        fehler("Stuetzwerte fehlen fuerNEWTON_INTERPOLATION %s.\n", d->name);
    int n = matrix_tabelle(p->stuetzwerte)->hoehe(p->stuetzwerte) - 1;
    if (n < 0) fehler("Es wird mindestens ein Stuetzwert benoetigt.\n");
    d->n = n;

    d->stuetzstellen = nm_anlegen(n + 1, 1, "Stuetzstellen", ip);
    d->stuetzwerte = nm_anlegen(n + 1, 1, "Stuetzwerte", ip);
    d->koeffizientenvektor = nm_anlegen(n + 1, 1, "Koeffizienten", ip);

    if (p->art == STUETZSTELLEN_GEGEBEN) {
        if (p->stuetzstellen == nullptr)
            fehler("Stuetzstellen fehlen fuerNEWTON_INTERPOLATION %s.\n", d->name);
        if (matrix_tabelle(p->stuetzstellen)->hoehe(p->stuetzstellen) != n + 1)
            fehler("Stuetzstellenanzahl/-werteanzahl inkompatibel fuer NEWTON_INTERPOLATION %s.\n",
                   d->name);
        // Given nodes keep their order: the Newton form needs no sorting.
        spalte_kopieren(p->stuetzstellen, n + 1, schreibfeld(d->stuetzstellen).werte());
    } else {
        // Ends the process for any kind other than 1 and 2, before a kind
        // nothing else could handle is stored.
        stuetzstellen_platzieren(d->stuetzstellen, p->art, n, p->a, p->b, d->name);
        d->a = p->a;
        d->b = p->b;
    }
    d->art = p->art;

    spalte_kopieren(p->stuetzwerte, n + 1, schreibfeld(d->stuetzwerte).werte());
    // Equal nodes divide by zero: the coefficients become inf or NaN, as the
    // polynomial is then not defined; no message.
    dividierte_differenzen(d);
    return ip;
}

objekt *newtoninterpolation_laden(FILE *ein, void *zusatz) {
    char typ[] = "NEWTON_INTERPOLATION";
    const char *name = interpolation_kopfzeile(ein, typ);
    newtoninterpolation_parameter p = {name, STUETZSTELLEN_GEGEBEN, nullptr, 0.0, 0.0, nullptr};
    lese_datum(ein, "%d", "art =", &p.art);
    // Another kind would leave the text's layout unknown: no vector could be
    // read for it.
    if (p.art != STUETZSTELLEN_GEGEBEN && p.art != STUETZSTELLEN_AEQUIDISTANT &&
        p.art != STUETZSTELLEN_TSCHEBYSCHEFF)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", name, p.art);
    // The vectors are read by the NM_MATRIX class's own loader; their header
    // lines go through the matrix cluster's reader, so name (which lives in
    // this cluster's header buffer) stays valid until kreieren copies it.
    const matrix_funktionen *nm = nm_tabelle();
    if (p.art == STUETZSTELLEN_GEGEBEN) {
        p.stuetzstellen = nm->laden(ein, nullptr);
    } else {
        lese_datum(ein, "%lf", "a =", &p.a);
        lese_datum(ein, "%lf", "b =", &p.b);
    }
    p.stuetzwerte = nm->laden(ein, nullptr);
    objekt *ip = interpolation_tabelle(&newton_interpolation)->kreieren(&p, zusatz);
    if (p.stuetzstellen != nullptr) matrix_tabelle(p.stuetzstellen)->freigeben(p.stuetzstellen);
    matrix_tabelle(p.stuetzwerte)->freigeben(p.stuetzwerte);
    return ip;
}

int newtoninterpolation_speichern(objekt *ip, FILE *aus) {
    newtoninterpolationsdaten *d = get_newtoninterpolationsdaten(ip);
    std::fprintf(aus, "NEWTON_INTERPOLATION: %s\n", d->name);
    std::fprintf(aus, "art = %i\n", d->art);
    switch (d->art) {
    case STUETZSTELLEN_GEGEBEN:
        matrix_tabelle(d->stuetzstellen)->speichern(d->stuetzstellen, aus);
        break;
    case STUETZSTELLEN_AEQUIDISTANT:
    case STUETZSTELLEN_TSCHEBYSCHEFF:
        std::fprintf(aus, "a = %lf\n", d->a);
        std::fprintf(aus, "b = %lf\n", d->b);
        break;
    default:
        fehler("Kann NEWTON_INTERPOLATION %s nicht speichern.\n", d->name);
    }
    matrix_tabelle(d->stuetzwerte)->speichern(d->stuetzwerte, aus);
    return 0;
}

int newtoninterpolation_freigeben(objekt *ip) {
    newtoninterpolationsdaten *d = get_newtoninterpolationsdaten(ip);
    std::free(d->name);
    matrix_tabelle(d->stuetzstellen)->freigeben(d->stuetzstellen);
    matrix_tabelle(d->stuetzwerte)->freigeben(d->stuetzwerte);
    matrix_tabelle(d->koeffizientenvektor)->freigeben(d->koeffizientenvektor);
    std::free(d);
    std::free(ip);
    return 0;
}

double newtoninterpolation_funktionswert(objekt *ip, double x) {
    newtoninterpolationsdaten *d = get_newtoninterpolationsdaten(ip);
    const double *c = eintraege(d->koeffizientenvektor);
    const double *knoten = eintraege(d->stuetzstellen);
    // Nested multiplication from the highest coefficient down; the last node
    // x(n+1) takes no part.  c[k] stands for c(k+1), knoten[k] for x(k+1).
    double r = c[d->n];
    for (int k = d->n; k >= 1; --k)
        r = c[k - 1] + (x - knoten[k - 1]) * r;
    return r;
}

const char *newtoninterpolation_name(objekt *ip) {
    if (ip->daten == nullptr) return "NEWTON_INTERPOLATION";
    return static_cast<newtoninterpolationsdaten *>(ip->daten)->name;
}

objekt *newtoninterpolation_imVektor(objekt *ip, int index) {
    newtoninterpolationsdaten *d = get_newtoninterpolationsdaten(ip);
    switch (index) {
    case 0:
        return d->stuetzstellen;
    case 1:
        return d->stuetzwerte;
    case 2:
        return d->koeffizientenvektor;
    default:
        fehler("Ungueltiger Vektor fuer Interpolationsproblem %s: (%i)\n", d->name, index);
    }
}

double newtoninterpolation_linkeGrenze(objekt *ip) {
    newtoninterpolationsdaten *d = get_newtoninterpolationsdaten(ip);
    switch (d->art) {
    case STUETZSTELLEN_GEGEBEN:
        return kleinste_stuetzstelle(d->stuetzstellen);
    case STUETZSTELLEN_AEQUIDISTANT:
    case STUETZSTELLEN_TSCHEBYSCHEFF:
        return d->a;
    default:
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->art);
    }
}

double newtoninterpolation_rechteGrenze(objekt *ip) {
    newtoninterpolationsdaten *d = get_newtoninterpolationsdaten(ip);
    switch (d->art) {
    case STUETZSTELLEN_GEGEBEN:
        return groesste_stuetzstelle(d->stuetzstellen);
    case STUETZSTELLEN_AEQUIDISTANT:
    case STUETZSTELLEN_TSCHEBYSCHEFF:
        return d->b;
    default:
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->art);
    }
}

} // extern "C"
