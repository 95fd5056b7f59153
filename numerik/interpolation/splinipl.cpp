// SPLINE_INTERPOLATION: the cubic spline class of the interpolation cluster.
//
// The object: creation with periodic continuation and end-value averaging,
// release, bounds and the other slots.  Its text form, its coefficient step
// and its evaluation are modules of their own.
#include "numerik/splinipl.h"

#include "grund/epsilon.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/splinipl_intern.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Three nodes of a periodic spline are continued over a second period, so
// that the cyclic system has order 4 instead of 2.
void periodisch_fortsetzen(objekt *ip, splineinterpolationsdaten *d,
                           const splineinterpolation_parameter *r) {
    warnung("Warnung: Nur %i Stuetzstellen fuer SPLINE_INTERPOLATION '%s', benutzte "
            "periodische Fortsetzung!\n",
            3, d->name);
    objekt *knoten = nm_anlegen(5, 1, "Stuetzstellen", ip);
    objekt *werte = nm_anlegen(5, 1, "Stuetzwerte", ip);
    objekt *koeffizienten = nm_anlegen(4, 4, "Koeffizienten", ip);
    const double *x = eintraege(d->stuetzstellen);
    double x1 = x[0], x2 = x[1], x3 = x[2];
    // The record's vector belongs to the caller: read through a view.
    feldsicht y(r->stuetzwerte);
    double y1 = y(1);
    double y2 = y(2);
    double y3 = y(3);
    double periode = x3 - x1;
    schreibfeld xn(knoten);
    schreibfeld yn(werte);
    xn[0] = x1;
    xn[1] = x2;
    xn[2] = x3;
    xn[3] = x2 + periode;
    xn[4] = x3 + periode;
    yn[0] = y1;
    yn[1] = y2;
    yn[2] = (y1 + y3) / 2;
    yn[3] = y2;
    yn[4] = y3;
    if (art_ohne_flag(d->stuetzstellenart)->gespeichert) {
        d->a = x1;
        d->b = x3;
    }
    nm_tabelle()->freigeben(d->stuetzstellen);
    nm_tabelle()->freigeben(d->stuetzwerte);
    if (d->koeffizientenmatrix != nullptr) nm_tabelle()->freigeben(d->koeffizientenmatrix);
    d->stuetzstellen = knoten;
    d->stuetzwerte = werte;
    d->koeffizientenmatrix = koeffizienten;
    d->n = 4;
    d->a_benutzer = d->a;
    d->b_benutzer = d->b;
    d->b = xn[4];
    warnung("Neue Stuetzpunkte:\n");
    nm_tabelle()->speichern(knoten, stderr);
    nm_tabelle()->speichern(werte, stderr);
    d->splineart = SPLINE_PERIODISCH_FORTGESETZT;
}

// A periodic spline needs y(1) = y(n+1); differing end values are replaced
// by their mean.  A NaN difference fails the test and changes nothing.
void endwerte_mitteln(splineinterpolationsdaten *d) {
    schreibfeld y(d->stuetzwerte);
    double &anfang = y[0];
    double &ende = y[d->n];
    if (std::fabs(anfang - ende) > epsilon()) {
        double mittel = (anfang + ende) / 2;
        warnung("Warnung: Anfangs- und Endstuetzwerte fuer SPLINE_INTERPOLATION '%s' auf %lf "
                "gemittelt!\n",
                d->name, mittel);
        anfang = mittel;
        ende = mittel;
    }
}
} // namespace

extern "C" {

const interpolation_funktionen spline_interpolationFunktionen = {
    .speichern = splineinterpolation_speichern,
    .laden = splineinterpolation_laden,
    .freigeben = splineinterpolation_freigeben,
    .kreieren = splineinterpolation_kreieren,
    .funktionswert = splineinterpolation_funktionswert,
    .name = splineinterpolation_name,
    .klasse = interpolation_klasse,
    .imVektor = splineinterpolation_imVektor,
    .linkeGrenze = splineinterpolation_linkeGrenze,
    .rechteGrenze = splineinterpolation_rechteGrenze,
    .ableitung1 = splineinterpolation_ableitung1,
    .ableitung2 = splineinterpolation_ableitung2,
    .integral = splineinterpolation_integral,
    .funktionswerte = splineinterpolation_funktionswerte,
};

klasse spline_interpolation = {&spline_interpolationFunktionen, nullptr};

objekt *splineinterpolation_kreieren(const void *parameter, void *zusatz) {
    const auto *r = static_cast<const splineinterpolation_parameter *>(parameter);
    auto *ip = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (ip == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 1)!\n");
    ip->funktionen = &spline_interpolationFunktionen;
    auto *d =
        static_cast<splineinterpolationsdaten *>(std::malloc(sizeof(splineinterpolationsdaten)));
    ip->daten = d;
    if (d == nullptr) fehler("Nicht genug Speicher fuer neue interpolation (Teil 2)!\n");
    // Every field starts defined: a, b, a_benutzer and b_benutzer are not set
    // for every kind, but speichern and tests may still read the record.
    *d = splineinterpolationsdaten{};

    const char *name = (r != nullptr && r->name != nullptr) ? r->name : "unbenannt";
    std::size_t laenge = std::strlen(name);
    d->name = static_cast<char *>(std::malloc(laenge + 1));
    if (d->name == nullptr) fehler("Nicht genug Speicher fuer SPLINE_INTERPOLATION %s.\n", name);
    std::memcpy(d->name, name, laenge + 1);

    if (r == nullptr || r->stuetzwerte == nullptr)
        fehler("Stuetzwerte fehlen fuerSPLINE_INTERPOLATION %s.\n", d->name);
    int n = matrix_tabelle(r->stuetzwerte)->hoehe(r->stuetzwerte) - 1;
    if (n < 0) fehler("Es wird mindestens ein Stuetzwert benoetigt.\n");
    d->n = n;

    // Nodes and values are written in full below before the object is
    // handed out (a failure before that loses the object): no zeroing.
    d->stuetzstellen = nm_anlegen_ungesetzt(n + 1, 1, "Stuetzstellen");
    d->stuetzwerte = nm_anlegen_ungesetzt(n + 1, 1, "Stuetzwerte");
    // Zeroed, so that an object made without coefficients hands out zeros.
    // With coefficients the step makes its own matrix, and this one would
    // never be read.
    bool ohne_koeffizienten = (r->stuetzstellenart & OHNE_KOEFFIZIENTEN) != 0;
    d->koeffizientenmatrix = ohne_koeffizienten ? nm_anlegen(n, 4, "Koeffizienten", ip) : nullptr;

    const knotenart *art = art_ohne_flag(r->stuetzstellenart);
    // Placing no node would leave the object unusable: reject an unknown
    // kind as given, flag and all.
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               r->stuetzstellenart);
    if (art->gespeichert) {
        if (r->stuetzstellen == nullptr)
            fehler("Stuetzstellen fehlen fuerSPLINE_INTERPOLATION %s.\n", d->name);
        if (matrix_tabelle(r->stuetzstellen)->hoehe(r->stuetzstellen) != n + 1)
            fehler("Stuetzstellenanzahl/-werteanzahl inkompatibel fuer SPLINE_INTERPOLATION %s.\n",
                   d->name);
        spalte_kopieren(r->stuetzstellen, n + 1, schreibfeld(d->stuetzstellen).werte());
    } else {
        stuetzstellen_platzieren(d->stuetzstellen, art->nummer, n, r->a, r->b, d->name);
        d->a = r->a;
        d->b = r->b;
    }
    d->stuetzstellenart = r->stuetzstellenart;

    // Not-a-knot and clamped splines are defined on a single interval too
    // (the line, the cubic of the end values and slopes).
    bool zwei_genuegen = r->splineart == SPLINE_NOT_A_KNOT || r->splineart == SPLINE_EINGESPANNT;
    if (n <= 1 && !(n == 1 && zwei_genuegen))
        fehler("Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION '%s'!\n", d->name);

    bool werte_gesetzt = false;
    switch (r->splineart) {
    case SPLINE_ABL2_GEGEBEN:
        d->abl2links = r->abl2links;
        d->abl2rechts = r->abl2rechts;
        d->splineart = SPLINE_ABL2_GEGEBEN;
        break;
    case SPLINE_NATUERLICH:
        d->abl2links = 0.0;
        d->abl2rechts = 0.0;
        d->splineart = SPLINE_NATUERLICH;
        break;
    case SPLINE_PERIODISCH:
        if (n == 2 && !ohne_koeffizienten) {
            periodisch_fortsetzen(ip, d, r);
            werte_gesetzt = true;
        } else {
            d->splineart = SPLINE_PERIODISCH;
        }
        break;
    case SPLINE_NOT_A_KNOT:
        d->splineart = SPLINE_NOT_A_KNOT;
        break;
    case SPLINE_EINGESPANNT:
        d->abl1links = r->abl1links;
        d->abl1rechts = r->abl1rechts;
        d->splineart = SPLINE_EINGESPANNT;
        break;
    default:
        fehler("Splineart %i nicht moeglich\n", r->splineart);
    }

    if (!werte_gesetzt) {
        spalte_kopieren(r->stuetzwerte, n + 1, schreibfeld(d->stuetzwerte).werte());
    }
    if (d->splineart == SPLINE_PERIODISCH || d->splineart == SPLINE_PERIODISCH_FORTGESETZT)
        endwerte_mitteln(d);
    if (!ohne_koeffizienten) splineinterpolation_koeffizienten(ip, zusatz);
    return ip;
}
int splineinterpolation_freigeben(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    std::free(d->name);
    nm_tabelle()->freigeben(d->stuetzstellen);
    nm_tabelle()->freigeben(d->stuetzwerte);
    if (d->koeffizientenmatrix != nullptr) nm_tabelle()->freigeben(d->koeffizientenmatrix);
    std::free(d);
    std::free(ip);
    return 0;
}
const char *splineinterpolation_name(objekt *ip) {
    if (ip->daten == nullptr) return "SPLINE_INTERPOLATION";
    return static_cast<splineinterpolationsdaten *>(ip->daten)->name;
}

objekt *splineinterpolation_imVektor(objekt *ip, int index) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    switch (index) {
    case 0:
        return d->stuetzstellen;
    case 1:
        return d->stuetzwerte;
    case 2:
        return d->koeffizientenmatrix;
    default:
        fehler("Ungueltiger Vektor fuer Interpolationsproblem %s: (%i)\n", d->name, index);
    }
}

double splineinterpolation_linkeGrenze(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    // Looked up with the flag: an object made without coefficients has no
    // bounds.
    const knotenart *art = knotenart_nummer(d->stuetzstellenart);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->stuetzstellenart);
    if (art->gespeichert) return kleinste_stuetzstelle(d->stuetzstellen);
    return d->splineart == SPLINE_PERIODISCH_FORTGESETZT ? d->a_benutzer : d->a;
}

double splineinterpolation_rechteGrenze(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    // Looked up with the flag: an object made without coefficients has no
    // bounds.
    const knotenart *art = knotenart_nummer(d->stuetzstellenart);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->stuetzstellenart);
    if (art->gespeichert) return groesste_stuetzstelle(d->stuetzstellen);
    return d->splineart == SPLINE_PERIODISCH_FORTGESETZT ? d->b_benutzer : d->b;
}
} // extern "C"
