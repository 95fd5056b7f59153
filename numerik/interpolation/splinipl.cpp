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
#include <memory>

namespace {

// Three nodes of a periodic spline are continued over a second period, so
// that the cyclic system has order 4 instead of 2.
void periodisch_fortsetzen(objekt *ip, splineinterpolationsdaten *d,
                           const splineinterpolation_parameter *r) {
    warnung("Warnung: Nur %i Stuetzstellen fuer SPLINE_INTERPOLATION '%s', benutzte "
            "periodische Fortsetzung!\n",
            3, d->name);
    matrix_zeiger knoten_neu(nm_anlegen(5, 1, "Stuetzstellen", ip));
    matrix_zeiger werte_neu(nm_anlegen(5, 1, "Stuetzwerte", ip));
    matrix_zeiger koeffizienten_neu(nm_anlegen(4, 4, "Koeffizienten", ip));
    objekt *knoten = knoten_neu.get();
    objekt *werte = werte_neu.get();
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
    if (art_ohne_flag(d->art)->gespeichert) {
        d->a = x1;
        d->b = x3;
    }
    nm_tabelle()->freigeben(d->stuetzstellen);
    nm_tabelle()->freigeben(d->stuetzwerte);
    if (d->koeffizienten != nullptr) nm_tabelle()->freigeben(d->koeffizienten);
    d->stuetzstellen = knoten_neu.release();
    d->stuetzwerte = werte_neu.release();
    d->koeffizienten = koeffizienten_neu.release();
    d->n = 4;
    d->a_benutzer = d->a;
    d->b_benutzer = d->b;
    d->b = xn[4];
    if (!warnungen_behandelt()) {
        warnung("Neue Stuetzpunkte:\n");
        nm_tabelle()->speichern(knoten, stderr);
        nm_tabelle()->speichern(werte, stderr);
    } else {
        // One warning with the new vectors in it, for a handler that shows
        // it as one.
        char *text = nullptr;
        std::size_t laenge = 0;
        FILE *aus = open_memstream(&text, &laenge);
        if (aus != nullptr) {
            nm_tabelle()->speichern(knoten, aus);
            nm_tabelle()->speichern(werte, aus);
            std::fclose(aus);
        }
        std::unique_ptr<char, decltype(&std::free)> gehalten(text, &std::free);
        warnung("Neue Stuetzpunkte:\n%s", text != nullptr ? text : "");
    }
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
const interpolation_wahl spline_enden[] = {
    {"abl2", SPLINE_ABL2_GEGEBEN},       {"natuerlich", SPLINE_NATUERLICH},
    {"periodisch", SPLINE_PERIODISCH},   {"not-a-knot", SPLINE_NOT_A_KNOT},
    {"eingespannt", SPLINE_EINGESPANNT}, {nullptr, 0},
};

// The generic problem's options: the end condition, and the numbers at the
// ends that it takes (f'' for SPLINE_ABL2_GEGEBEN, f' for the clamped one),
// not a number where not given.  Given where the end takes none, or missing
// where it takes them, they are refused: a spline made with numbers it
// ignores, or with zeros in place of numbers forgotten, would be wrong
// without a word.
objekt *spline_erzeugen(const interpolation_problem *p, void *zusatz) {
    splineinterpolation_parameter r = {.name = p->name,
                                       .stuetzstellenart = p->art,
                                       .stuetzstellen = p->stuetzstellen,
                                       .a = p->a,
                                       .b = p->b,
                                       .stuetzwerte = p->stuetzwerte,
                                       .splineart = static_cast<int>(p->optionen[0]),
                                       .abl2links = 0.0,
                                       .abl2rechts = 0.0,
                                       .abl1links = 0.0,
                                       .abl1rechts = 0.0};
    const char *ende = "?";
    for (const interpolation_wahl *w = spline_enden; w->schluessel != nullptr; ++w)
        if (w->wert == r.splineart) ende = w->schluessel;
    const bool mit_enden = r.splineart == SPLINE_ABL2_GEGEBEN || r.splineart == SPLINE_EINGESPANNT;
    const bool gegeben = !std::isnan(p->optionen[1]) || !std::isnan(p->optionen[2]);
    if (mit_enden && (std::isnan(p->optionen[1]) || std::isnan(p->optionen[2])))
        fehler("ende = %s: links und rechts fehlen (%s an den Enden).\n", ende,
               r.splineart == SPLINE_ABL2_GEGEBEN ? "f''" : "f'");
    if (!mit_enden && gegeben) fehler("ende = %s nimmt weder links noch rechts.\n", ende);
    if (r.splineart == SPLINE_ABL2_GEGEBEN) {
        r.abl2links = p->optionen[1];
        r.abl2rechts = p->optionen[2];
    } else if (r.splineart == SPLINE_EINGESPANNT) {
        r.abl1links = p->optionen[1];
        r.abl1rechts = p->optionen[2];
    }
    return splineinterpolation_kreieren(&r, zusatz);
}

double spline_option(objekt *ip, int k) {
    const splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    if (k == 0) return d->splineart;
    if (d->splineart == SPLINE_ABL2_GEGEBEN) return k == 1 ? d->abl2links : d->abl2rechts;
    if (d->splineart == SPLINE_EINGESPANNT) return k == 1 ? d->abl1links : d->abl1rechts;
    return NAN;
}

// The spline writes its own key lines (the end numbers under the names of
// their kind, "abl2links =" or "abl1links ="; a continued spline's interval).
const interpolation_option spline_optionen[] = {
    {.schluessel = "ende",
     .zeile = "splineart =",
     .im_text = OPTION_TEXT_IMMER,
     .ganzzahlig = 1,
     .standard = SPLINE_NATUERLICH,
     .wahlen = spline_enden,
     .titel = "die Randbedingung"},
    {.schluessel = "links",
     .zeile = nullptr,
     .im_text = OPTION_TEXT_IMMER,
     .ganzzahlig = 0,
     .standard = NAN,
     .wahlen = nullptr,
     .titel = "f'' (abl2) oder f' (eingespannt) am linken Ende"},
    {.schluessel = "rechts",
     .zeile = nullptr,
     .im_text = OPTION_TEXT_IMMER,
     .ganzzahlig = 0,
     .standard = NAN,
     .wahlen = nullptr,
     .titel = "f'' (abl2) oder f' (eingespannt) am rechten Ende"},
};

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
    interpolation_zeiger gehalten;
    // Every field starts defined: a, b, a_benutzer and b_benutzer are not set
    // for every kind, but speichern and tests may still read the record.
    splineinterpolationsdaten *d = basis_neu<splineinterpolationsdaten>(
        gehalten, spline_typ, r != nullptr ? r->name : nullptr);
    objekt *ip = gehalten.get();

    if (r == nullptr || r->stuetzwerte == nullptr)
        fehler("Stuetzwerte fehlen fuerSPLINE_INTERPOLATION %s.\n", d->name);
    int n = matrix_tabelle(r->stuetzwerte)->hoehe(r->stuetzwerte) - 1;
    if (n < 0) fehler("Es wird mindestens ein Stuetzwert benoetigt.\n");
    const knotenart *art = art_ohne_flag(r->stuetzstellenart);
    // Placing no node would leave the object unusable: reject an unknown
    // kind as given, flag and all.
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               r->stuetzstellenart);
    // Nodes and values are written in full before the object is handed out:
    // no zeroing.
    basis_problem(ip, spline_typ,
                  {r->name, r->stuetzstellenart, r->stuetzstellen, r->a, r->b, r->stuetzwerte},
                  art->nummer, true);
    // Zeroed, so that an object made without coefficients hands out zeros.
    // With coefficients the step makes its own matrix.
    bool ohne_koeffizienten = (r->stuetzstellenart & OHNE_KOEFFIZIENTEN) != 0;
    if (ohne_koeffizienten) d->koeffizienten = nm_anlegen(n, 4, "Koeffizienten", ip);

    // Not-a-knot and clamped splines are defined on a single interval too
    // (the line, the cubic of the end values and slopes).
    bool zwei_genuegen = r->splineart == SPLINE_NOT_A_KNOT || r->splineart == SPLINE_EINGESPANNT;
    if (n <= 1 && !(n == 1 && zwei_genuegen))
        fehler("Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION '%s'!\n", d->name);

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

    if (d->splineart == SPLINE_PERIODISCH || d->splineart == SPLINE_PERIODISCH_FORTGESETZT)
        endwerte_mitteln(d);
    if (!ohne_koeffizienten) splineinterpolation_koeffizienten(ip, zusatz);
    return gehalten.release();
}
int splineinterpolation_freigeben(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    std::free(d->skaliert);
    d->skaliert = nullptr;
    return basis_freigeben(ip);
}

const char *splineinterpolation_name(objekt *ip) {
    return basis_name(ip, spline_typ);
}

objekt *splineinterpolation_imVektor(objekt *ip, int index) {
    return basis_vektor(ip, index);
}

double splineinterpolation_linkeGrenze(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    // Looked up with the flag: an object made without coefficients has no
    // bounds.
    const knotenart *art = knotenart_nummer(d->art);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->art);
    if (art->gespeichert) return kleinste_stuetzstelle(d->stuetzstellen);
    return d->splineart == SPLINE_PERIODISCH_FORTGESETZT ? d->a_benutzer : d->a;
}

double splineinterpolation_rechteGrenze(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    // Looked up with the flag: an object made without coefficients has no
    // bounds.
    const knotenart *art = knotenart_nummer(d->art);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->art);
    if (art->gespeichert) return groesste_stuetzstelle(d->stuetzstellen);
    return d->splineart == SPLINE_PERIODISCH_FORTGESETZT ? d->b_benutzer : d->b;
}

const interpolationstyp spline_typ = {.beschreibung = &spline_interpolation,
                                      .typtext = "SPLINE_INTERPOLATION",
                                      .kurzname = "Spline",
                                      .mindestens = 2,
                                      .knotenordnung = KNOTEN_AUFSTEIGEND,
                                      .global = 0,
                                      .polynom = 0,
                                      .ohne_koeffizienten = OHNE_KOEFFIZIENTEN,
                                      .optionen_anzahl = 3,
                                      .optionen = spline_optionen,
                                      .erzeugen = spline_erzeugen,
                                      .option = spline_option};

} // extern "C"
