// RATIONALE_INTERPOLATION (numerik/rationalipl.h): the barycentric
// rational interpolant of blending degree d.  Record, text form and
// evaluation are those of the barycentric class (polynom.cpp,
// baryzipl.cpp); this file adds the key line of d and the integral, the
// weights are computed in rational_gewichte.cpp.
#include "numerik/rationalipl.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/polynom_intern.h"
#include "kern/lese_datum.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

objekt *rational_erzeugen(const interpolation_problem *p, void *zusatz) {
    rationaleinterpolation_parameter r = {p->name,
                                          p->art,
                                          p->stuetzstellen,
                                          p->a,
                                          p->b,
                                          p->stuetzwerte,
                                          static_cast<int>(p->optionen[0])};
    return rationaleinterpolation_kreieren(&r, zusatz);
}

const interpolation_option rational_optionen[] = {
    {.schluessel = "d",
     .zeile = "d =",
     .im_text = OPTION_TEXT_IMMER,
     .ganzzahlig = 1,
     .standard = RATIONAL_GRAD_STANDARD,
     .wahlen = nullptr,
     .titel = "der Mischungsgrad d >= 0"},
};

const polynomklasse rational = {&rational_typ, "Gewichte"};

// Points per panel of the composite rule.  The interpolant is analytic
// near each node interval, its nearest poles (complex, of the denominator)
// about an interval's length away; 20 points take the Gauss error below
// the rounding there.
constexpr int PANELPUNKTE = 20;

// The integral of f over [lo, hi] (lo < hi) by PANELPUNKTE-point
// Gauss-Legendre on every piece between the ascending nodes t that [lo,
// hi] meets; beyond the nodes, on panels doubling in length from that of
// the end interval outwards, so that a long stretch outside takes log
// many panels.
template <class F>
double stueckweise_integrieren(const std::vector<double> &t, double lo, double hi, F f) {
    std::vector<double> gl_knoten;
    std::vector<double> gl_gewichte;
    gauss_legendre(PANELPUNKTE, gl_knoten, gl_gewichte);
    auto panel = [&](double a, double b) { return gauss_summe(gl_knoten, gl_gewichte, a, b, f); };
    // One node: one piece on each side (the interpolant is constant).
    const double h_links = t.size() > 1 ? t[1] - t[0] : hi - lo;
    const double h_rechts = t.size() > 1 ? t[t.size() - 1] - t[t.size() - 2] : hi - lo;
    double summe = 0.0;
    // Left of the first node: panels outwards from it.
    if (lo < t.front()) {
        double ende = std::fmin(hi, t.front());
        double anfang = t.front();
        double laenge = h_links;
        while (anfang > lo) {
            double neu = std::fmax(lo, anfang - laenge);
            if (neu < ende) summe += panel(neu, std::fmin(anfang, ende));
            anfang = neu;
            laenge *= 2;
        }
    }
    // The node intervals.
    for (std::size_t k = 0; k + 1 < t.size(); ++k) {
        double a = std::fmax(lo, t[k]);
        double b = std::fmin(hi, t[k + 1]);
        if (a < b) summe += panel(a, b);
    }
    // Right of the last node.
    if (hi > t.back()) {
        double anfang = std::fmax(lo, t.back());
        double ende = t.back();
        double laenge = h_rechts;
        while (ende < hi) {
            double neu = std::fmin(hi, ende + laenge);
            if (neu > anfang) summe += panel(std::fmax(ende, anfang), neu);
            ende = neu;
            laenge *= 2;
        }
    }
    return summe;
}

} // namespace

extern "C" {

const interpolation_funktionen rationale_interpolationFunktionen = {
    .speichern = rationaleinterpolation_speichern,
    .laden = rationaleinterpolation_laden,
    .freigeben = rationaleinterpolation_freigeben,
    .kreieren = rationaleinterpolation_kreieren,
    .funktionswert = rationaleinterpolation_funktionswert,
    .name = rationaleinterpolation_name,
    .klasse = interpolation_klasse,
    .imVektor = rationaleinterpolation_imVektor,
    .linkeGrenze = rationaleinterpolation_linkeGrenze,
    .rechteGrenze = rationaleinterpolation_rechteGrenze,
    .ableitung1 = rationaleinterpolation_ableitung1,
    .ableitung2 = rationaleinterpolation_ableitung2,
    .integral = rationaleinterpolation_integral,
    .funktionswerte = rationaleinterpolation_funktionswerte,
};
klasse rationale_interpolation = {&rationale_interpolationFunktionen, nullptr};

objekt *rationaleinterpolation_kreieren(const void *parameter, void *) {
    polynomproblem p = polynomproblem_aus<rationaleinterpolation_parameter>(parameter);
    if (parameter != nullptr)
        p.option = static_cast<const rationaleinterpolation_parameter *>(parameter)->grad;
    if (p.option < 0)
        fehler("Mischungsgrad d = %i ungueltig fuer RATIONALE_INTERPOLATION %s (d >= 0).\n",
               p.option, p.name != nullptr ? p.name : "unbenannt");
    // Every weight is written below.
    interpolation_zeiger ip = polynom_kreieren(p, rational, true);
    polynomdaten *d = polynom_daten(ip.get());
    schreibfeld w(d->koeffizienten);
    if (d->n == 0) {
        w[0] = 1.0;
        return ip.release();
    }
    rationale_gewichte(d, w.werte(), std::min(d->option, d->n));
    return ip.release();
}

objekt *rationaleinterpolation_laden(FILE *ein, void *zusatz) {
    return basis_laden(ein, rational_typ, zusatz);
}

int rationaleinterpolation_speichern(objekt *ip, FILE *aus) {
    return polynom_speichern(ip, aus, rational);
}

int rationaleinterpolation_freigeben(objekt *ip) {
    return polynom_freigeben(ip);
}

double rationaleinterpolation_funktionswert(objekt *ip, double x) {
    return baryzentrische_formel(polynom_daten(ip), x);
}

double rationaleinterpolation_ableitung1(objekt *ip, double x) {
    return baryzentrische_ableitung(polynom_daten(ip), x, 1);
}

double rationaleinterpolation_ableitung2(objekt *ip, double x) {
    return baryzentrische_ableitung(polynom_daten(ip), x, 2);
}

double rationaleinterpolation_integral(objekt *ip, double x1, double x2) {
    const polynomdaten *d = polynom_daten(ip);
    double integral = gerichtetes_integral(x1, x2, [&](double lo, double hi) {
        std::vector<double> t(eintraege(d->stuetzstellen), eintraege(d->stuetzstellen) + d->n + 1);
        std::sort(t.begin(), t.end());
        // Outside the nodes through the outside form, made only where the
        // bounds reach there.
        aussenform aussen;
        if (d->n > 0 && (lo < t.front() || hi > t.back()))
            aussen = aussenform_machen(d, std::min(d->option, d->n));
        return stueckweise_integrieren(t, lo, hi, [&](double x) {
            if (aussen.gueltig && (x < t.front() || x > t.back()) && !formel_genau(d, x))
                return aussen.wert(x);
            return baryzentrische_formel(d, x);
        });
    });
    return integral_endlich(integral, x1, x2, rational_typ, d->name);
}

// The one-point slot at each point: it reads the object only, so the two
// halves of a large array may run at once.
void rationaleinterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl) {
    const polynomdaten *d = polynom_daten(ip);
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        for (size_t i = von; i < bis; ++i)
            y[i] = baryzentrische_formel(d, x[i]);
    });
}

const char *rationaleinterpolation_name(objekt *ip) {
    return basis_name(ip, rational_typ);
}

objekt *rationaleinterpolation_imVektor(objekt *ip, int index) {
    return basis_vektor(ip, index);
}

double rationaleinterpolation_linkeGrenze(objekt *ip) {
    return basis_grenze(ip, true);
}

double rationaleinterpolation_rechteGrenze(objekt *ip) {
    return basis_grenze(ip, false);
}

int rationaleinterpolation_grad(objekt *ip) {
    return polynom_daten(ip)->option;
}

const interpolationstyp rational_typ = {.beschreibung = &rationale_interpolation,
                                        .typtext = "RATIONALE_INTERPOLATION",
                                        .kurzname = "Rational",
                                        .mindestens = 1,
                                        .knotenordnung = KNOTEN_VERSCHIEDEN,
                                        .global = 1,
                                        .polynom = 0,
                                        .ohne_koeffizienten = 0,
                                        .optionen_anzahl = 1,
                                        .optionen = rational_optionen,
                                        .erzeugen = rational_erzeugen,
                                        .option = polynom_option};

} // extern "C"
