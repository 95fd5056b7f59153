#include "numerik/newtnipl.h"

#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/polynom_intern.h"

namespace {

const polynomklasse newton = {&newton_interpolation, "NEWTON_INTERPOLATION", "Koeffizienten"};

// Divided differences in place: c(i) = y(i), then for each order k the
// entries c(n+1) down to c(k+1) are replaced.  Running j downwards means the
// c(j) read for c(j+1) still holds the difference of order k-1.  The three
// vectors are the object's own NM_MATRIX objects: their arrays are used,
// c[j] standing for c(j+1).
void dividierte_differenzen(polynomdaten *d) {
    const double *x = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    schreibfeld c(d->koeffizienten);
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
    objekt *ip =
        polynom_kreieren(polynomproblem_aus<newtoninterpolation_parameter>(parameter), newton);
    // Equal nodes divide by zero: the coefficients become inf or NaN, as the
    // polynomial is then not defined; no message.
    dividierte_differenzen(polynom_daten(ip));
    return ip;
}

objekt *newtoninterpolation_laden(FILE *ein, void *zusatz) {
    polynomtext t = polynomtext_lesen(ein, newton.typ);
    interpolationsproblem_pruefen(&newton_interpolation, {t.name, t.art, t.stuetzstellen.get(), t.a,
                                                          t.b, t.stuetzwerte.get()});
    newtoninterpolation_parameter p = {t.name, t.art, t.stuetzstellen.get(),
                                       t.a,    t.b,   t.stuetzwerte.get()};
    return interpolation_tabelle(&newton_interpolation)->kreieren(&p, zusatz);
}

int newtoninterpolation_speichern(objekt *ip, FILE *aus) {
    return polynom_speichern(ip, aus, newton.typ);
}

int newtoninterpolation_freigeben(objekt *ip) {
    return polynom_freigeben(ip);
}

double newtoninterpolation_funktionswert(objekt *ip, double x) {
    polynomdaten *d = polynom_daten(ip);
    const double *c = eintraege(d->koeffizienten);
    const double *knoten = eintraege(d->stuetzstellen);
    // Nested multiplication from the highest coefficient down; the last node
    // x(n+1) takes no part.  c[k] stands for c(k+1), knoten[k] for x(k+1).
    double r = c[d->n];
    for (int k = d->n; k >= 1; --k)
        r = c[k - 1] + (x - knoten[k - 1]) * r;
    return r;
}

const char *newtoninterpolation_name(objekt *ip) {
    return polynom_name(ip, newton.typ);
}

objekt *newtoninterpolation_imVektor(objekt *ip, int index) {
    return polynom_vektor(ip, index);
}

double newtoninterpolation_linkeGrenze(objekt *ip) {
    return polynom_grenze(ip, true);
}

double newtoninterpolation_rechteGrenze(objekt *ip) {
    return polynom_grenze(ip, false);
}

} // extern "C"
