// The spline's text form: storing and loading.
#include "matrizen/feld.h"
#include "kern/lese_datum.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/splinipl_intern.h"

#include <cmath>
#include <utility>

extern "C" {

int splineinterpolation_speichern(objekt *ip, FILE *aus) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    int art = d->art & ~OHNE_KOEFFIZIENTEN;
    std::fprintf(aus, "SPLINE_INTERPOLATION: %s\n", d->name);
    std::fprintf(aus, "stuetzstellenart = %i\n", art);
    // (Creation admits known kinds only.)
    if (const knotenart *k = knotenart_nummer(art)) k->schreiben(aus, d->stuetzstellen, d->a, d->b);
    std::fprintf(aus, "splineart = %i\n", d->splineart);
    if (d->splineart == SPLINE_ABL2_GEGEBEN) {
        schreibe_datum(aus, "abl2links =", d->abl2links);
        schreibe_datum(aus, "abl2rechts =", d->abl2rechts);
    } else if (d->splineart == SPLINE_PERIODISCH_FORTGESETZT) {
        schreibe_datum(aus, "a_benutzer =", d->a_benutzer);
        schreibe_datum(aus, "b_benutzer =", d->b_benutzer);
    } else if (d->splineart == SPLINE_EINGESPANNT) {
        schreibe_datum(aus, "abl1links =", d->abl1links);
        schreibe_datum(aus, "abl1rechts =", d->abl1rechts);
    }
    nm_tabelle()->speichern(d->stuetzwerte, aus);
    return 0;
}

objekt *splineinterpolation_laden(FILE *ein, void *zusatz) {
    char typ[] = "SPLINE_INTERPOLATION";
    splineinterpolation_parameter r = {};
    r.name = interpolation_kopfzeile(ein, typ);
    lese_datum(ein, "%d", "stuetzstellenart =", &r.stuetzstellenart);
    // The text carries the node kind without the flag; any other value
    // (also a flagged one) would create an object over unread data.
    const knotenart *art = knotenart_nummer(r.stuetzstellenart);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", r.name,
               r.stuetzstellenart);
    matrix_zeiger knoten(art->lesen(ein, &r.a, &r.b));
    r.stuetzstellen = knoten.get();
    lese_datum(ein, "%d", "splineart =", &r.splineart);
    double a_benutzer = 0.0;
    double b_benutzer = 0.0;
    if (r.splineart == SPLINE_ABL2_GEGEBEN) {
        lese_datum(ein, "%lf", "abl2links =", &r.abl2links);
        lese_datum(ein, "%lf", "abl2rechts =", &r.abl2rechts);
    } else if (r.splineart == SPLINE_PERIODISCH_FORTGESETZT) {
        lese_datum(ein, "%lf", "a_benutzer =", &a_benutzer);
        lese_datum(ein, "%lf", "b_benutzer =", &b_benutzer);
    } else if (r.splineart == SPLINE_EINGESPANNT) {
        lese_datum(ein, "%lf", "abl1links =", &r.abl1links);
        lese_datum(ein, "%lf", "abl1rechts =", &r.abl1rechts);
    }
    matrix_zeiger werte(nm_tabelle()->laden(ein, nullptr));
    r.stuetzwerte = werte.get();

    interpolationsproblem_pruefen(
        &spline_interpolation,
        {r.name, r.stuetzstellenart, r.stuetzstellen, r.a, r.b, r.stuetzwerte});
    // The numbers of the end conditions and of a continued spline's own
    // interval enter every coefficient or every evaluation: one that is no
    // finite number would give curves of nan.
    const std::pair<const char *, double> randwerte[] = {
        {"abl2links", r.abl2links}, {"abl2rechts", r.abl2rechts}, {"a_benutzer", a_benutzer},
        {"b_benutzer", b_benutzer}, {"abl1links", r.abl1links},   {"abl1rechts", r.abl1rechts}};
    for (const auto &[schluessel, wert] : randwerte)
        if (!std::isfinite(wert))
            fehler("%s ist keine endliche Zahl fuer SPLINE_INTERPOLATION %s.\n", schluessel,
                   r.name);
    bool fortgesetzt = r.splineart == SPLINE_PERIODISCH_FORTGESETZT;
    if (fortgesetzt) r.splineart = SPLINE_PERIODISCH; // creation accepts no kind 3
    objekt *ip = splineinterpolation_kreieren(&r, zusatz);
    if (fortgesetzt) {
        // A stored continued spline comes back as it was stored: kind 3,
        // bounds the user's interval, no wrapping.  Its coefficients are
        // those of kind 2, since both kinds share the periodic system.
        splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
        d->splineart = SPLINE_PERIODISCH_FORTGESETZT;
        d->a_benutzer = a_benutzer;
        d->b_benutzer = b_benutzer;
    }
    return ip;
}

} // extern "C"
