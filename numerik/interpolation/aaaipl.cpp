// AAA_INTERPOLATION (numerik/aaaipl.h): the object, its checks, its text
// form and its slots; the fit itself is aaa_verfahren.cpp.  The record is
// that of the barycentric kind (polynom_intern.h), its vectors the support
// points, their values and the weights, so that the barycentric value and
// derivatives serve it unchanged.
#include "numerik/aaaipl.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/aaa_intern.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/polynom_intern.h"
#include "kern/kluster.h"
#include "kern/lese_datum.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <vector>

namespace {

struct aaadaten : polynomdaten {
    double toleranz;
    int grad; // as given
};

aaadaten *aaa_daten(objekt *ip) {
    return static_cast<aaadaten *>(basis_von(ip));
}

objekt *aaa_erzeugen(const interpolation_problem *p, void *zusatz) {
    aaainterpolation_parameter r = {
        p->name, p->art,         p->stuetzstellen, p->a,
        p->b,    p->stuetzwerte, p->optionen[0],   static_cast<int>(p->optionen[1])};
    return aaainterpolation_kreieren(&r, zusatz);
}

double aaa_option(objekt *ip, int k) {
    const aaadaten *d = aaa_daten(ip);
    return k == 0 ? d->toleranz : d->grad;
}

const interpolation_option aaa_optionen[] = {
    {.schluessel = "tol",
     .zeile = "toleranz =",
     .im_text = OPTION_TEXT_IMMER,
     .ganzzahlig = 0,
     .standard = AAA_TOLERANZ_STANDARD,
     .wahlen = nullptr,
     .titel = "die relative Toleranz auf der Stichprobe (> 0)"},
    {.schluessel = "grad",
     .zeile = "grad =",
     .im_text = OPTION_TEXT_IMMER,
     .ganzzahlig = 1,
     .standard = AAA_GRAD_STANDARD,
     .wahlen = nullptr,
     .titel = "der hoechste Grad (1 bis Punkte - 1)"},
};

// The object's form as plain vectors.
aaa_form form_von(objekt *ip) {
    const polynomdaten *d = polynom_daten(ip);
    const std::size_t m = static_cast<std::size_t>(d->n) + 1;
    aaa_form r;
    r.z.assign(eintraege(d->stuetzstellen), eintraege(d->stuetzstellen) + m);
    r.f.assign(eintraege(d->stuetzwerte), eintraege(d->stuetzwerte) + m);
    r.w.assign(eintraege(d->koeffizienten), eintraege(d->koeffizienten) + m);
    return r;
}

// The three vectors of the object from r (replacing those it has).
void form_setzen(objekt *ip, const aaa_form &r) {
    aaadaten *d = aaa_daten(ip);
    for (objekt **v : {&d->stuetzstellen, &d->stuetzwerte, &d->koeffizienten}) {
        if (*v != nullptr) matrix_tabelle(*v)->freigeben(*v);
        *v = nullptr;
    }
    const int m = static_cast<int>(r.z.size());
    d->n = m - 1;
    d->stuetzstellen = nm_anlegen(m, 1, "Stuetzstellen", ip);
    d->stuetzwerte = nm_anlegen(m, 1, "Stuetzwerte", ip);
    d->koeffizienten = nm_anlegen(m, 1, "Gewichte", ip);
    std::copy(r.z.begin(), r.z.end(), schreibfeld(d->stuetzstellen).werte());
    std::copy(r.f.begin(), r.f.end(), schreibfeld(d->stuetzwerte).werte());
    std::copy(r.w.begin(), r.w.end(), schreibfeld(d->koeffizienten).werte());
}

// A new, empty object of the class.
interpolation_zeiger aaa_neu(const char *name, double toleranz, int grad) {
    interpolation_zeiger ip;
    aaadaten *d = basis_neu<aaadaten>(ip, aaa_typ, name);
    d->art = STUETZSTELLEN_GEGEBEN;
    d->skala = 1.0;
    d->toleranz = toleranz;
    d->grad = grad;
    return ip;
}

// Finite entries, and no two points equal (sorted, equal ones stand
// together).
void punkte_pruefen(const std::vector<double> &x, const std::vector<double> &y, const char *was,
                    const char *name) {
    for (std::size_t k = 0; k < x.size(); ++k) {
        if (!std::isfinite(x[k]))
            fehler("%s x(%zu) ist keine endliche Zahl fuer AAA_INTERPOLATION %s.\n", was, k + 1,
                   name);
        if (!std::isfinite(y[k]))
            fehler("Wert y(%zu) ist keine endliche Zahl fuer AAA_INTERPOLATION %s.\n", k + 1, name);
    }
    std::vector<double> sortiert = x;
    std::sort(sortiert.begin(), sortiert.end());
    for (std::size_t k = 1; k < sortiert.size(); ++k)
        if (sortiert[k] == sortiert[k - 1])
            fehler("%s %.17g doppelt fuer AAA_INTERPOLATION %s.\n", was, sortiert[k], name);
}

// The integral of r over [lo, hi] by 20-point Gauss-Legendre, the panel
// halved until the halves agree with it to 1e-14 of the largest |r| seen
// times the length (a pole near the axis makes r steep there).
double panel_integral(const std::vector<double> &k, const std::vector<double> &g, objekt *ip,
                      double lo, double hi, double ganz, double &groesste, int tiefe) {
    auto wert = [&](double x) {
        double v = aaainterpolation_funktionswert(ip, x);
        groesste = std::max(groesste, std::fabs(v));
        return v;
    };
    const double mitte = lo / 2 + hi / 2;
    const double links = gauss_summe(k, g, lo, mitte, wert);
    const double rechts = gauss_summe(k, g, mitte, hi, wert);
    if (tiefe >= 40 || !std::isfinite(links + rechts) ||
        std::fabs(links + rechts - ganz) <= 1e-14 * groesste * (hi - lo))
        return links + rechts;
    return panel_integral(k, g, ip, lo, mitte, links, groesste, tiefe + 1) +
           panel_integral(k, g, ip, mitte, hi, rechts, groesste, tiefe + 1);
}

} // namespace

extern "C" {

const interpolation_funktionen aaa_interpolationFunktionen = {
    .speichern = aaainterpolation_speichern,
    .laden = aaainterpolation_laden,
    .freigeben = aaainterpolation_freigeben,
    .kreieren = aaainterpolation_kreieren,
    .funktionswert = aaainterpolation_funktionswert,
    .name = aaainterpolation_name,
    .klasse = interpolation_klasse,
    .imVektor = aaainterpolation_imVektor,
    .linkeGrenze = aaainterpolation_linkeGrenze,
    .rechteGrenze = aaainterpolation_rechteGrenze,
    .ableitung1 = aaainterpolation_ableitung1,
    .ableitung2 = aaainterpolation_ableitung2,
    .integral = aaainterpolation_integral,
    .funktionswerte = aaainterpolation_funktionswerte,
};
klasse aaa_interpolation = {&aaa_interpolationFunktionen, nullptr};

objekt *aaainterpolation_kreieren(const void *parameter, void *) {
    static const aaainterpolation_parameter leer = {
        nullptr, STUETZSTELLEN_GEGEBEN, nullptr,          0.0, 0.0,
        nullptr, AAA_TOLERANZ_STANDARD, AAA_GRAD_STANDARD};
    const auto &p =
        parameter != nullptr ? *static_cast<const aaainterpolation_parameter *>(parameter) : leer;
    const char *name = p.name != nullptr ? p.name : "unbenannt";
    if (!(p.toleranz > 0.0) || !std::isfinite(p.toleranz))
        fehler("Toleranz %g ungueltig fuer AAA_INTERPOLATION %s (endlich und > 0).\n", p.toleranz,
               name);
    interpolation_zeiger ip = aaa_neu(p.name, p.toleranz, p.grad);
    aaadaten *d = aaa_daten(ip.get());
    // The sample, read (or placed) as every class reads its problem.
    basis_problem(ip.get(), aaa_typ, {p.name, p.art, p.stuetzstellen, p.a, p.b, p.stuetzwerte},
                  p.art, false);
    const int M = d->n + 1;
    if (M < 2) fehler("AAA_INTERPOLATION %s braucht mindestens 2 Punkte.\n", d->name);
    const int grad = p.grad == AAA_GRAD_STANDARD ? std::min(p.grad, M - 1) : p.grad;
    if (grad < 1 || grad > M - 1)
        fehler("Grad %d passt nicht zu %d Punkten fuer AAA_INTERPOLATION %s (1 bis %d).\n", p.grad,
               M, d->name, M - 1);
    std::vector<double> Z(eintraege(d->stuetzstellen), eintraege(d->stuetzstellen) + M);
    std::vector<double> F(eintraege(d->stuetzwerte), eintraege(d->stuetzwerte) + M);
    punkte_pruefen(Z, F, "Stuetzstelle", d->name);
    if (std::all_of(F.begin(), F.end(), [&](double v) { return v == F[0]; }))
        fehler("Alle Werte gleich fuer AAA_INTERPOLATION %s: keine rationale Naeherung zu "
               "bestimmen.\n",
               d->name);
    d->a = *std::min_element(Z.begin(), Z.end());
    d->b = *std::max_element(Z.begin(), Z.end());
    d->art = STUETZSTELLEN_GEGEBEN;
    // Eigen reports a failed allocation by std::bad_alloc: the library's
    // fatal path instead, with everything made so far released.
    aaa_form r;
    try {
        r = aaa_rechnen(Z.data(), F.data(), M, p.toleranz, grad);
    } catch (const std::bad_alloc &) {
        fehler("Nicht genug Speicher fuer AAA_INTERPOLATION %s.\n", d->name);
    }
    form_setzen(ip.get(), r);
    return ip.release();
}

objekt *aaainterpolation_laden(FILE *ein, void *) {
    char typ[TYPPUFFER];
    std::snprintf(typ, sizeof typ, "%s", aaa_typ.typtext);
    const char *name = interpolation_kopfzeile(ein, typ);
    double a = 0.0;
    double b = 0.0;
    double toleranz = 0.0;
    int grad = 0;
    lese_datum(ein, "%lf", "a =", &a);
    lese_datum(ein, "%lf", "b =", &b);
    lese_datum(ein, "%lf", "toleranz =", &toleranz);
    lese_datum(ein, "%d", "grad =", &grad);
    // The name lives in the cluster's header buffer, which the vectors'
    // header lines (the matrix cluster's) leave alone.
    matrix_zeiger z(nm_tabelle()->laden(ein, nullptr));
    matrix_zeiger f(nm_tabelle()->laden(ein, nullptr));
    matrix_zeiger w(nm_tabelle()->laden(ein, nullptr));
    const int m = matrix_tabelle(z.get())->hoehe(z.get());
    if (m < 1 || matrix_tabelle(f.get())->hoehe(f.get()) != m ||
        matrix_tabelle(w.get())->hoehe(w.get()) != m)
        fehler("Stuetzstellen, Stuetzwerte und Gewichte verschieden lang fuer AAA_INTERPOLATION "
               "%s.\n",
               name);
    aaa_form r;
    r.z.resize(static_cast<std::size_t>(m));
    r.f.resize(static_cast<std::size_t>(m));
    r.w.resize(static_cast<std::size_t>(m));
    spalte_kopieren(z.get(), m, r.z.data());
    spalte_kopieren(f.get(), m, r.f.data());
    spalte_kopieren(w.get(), m, r.w.data());
    punkte_pruefen(r.z, r.f, "Stuetzstelle", name);
    if (!std::isfinite(a) || !std::isfinite(b) || !(a <= b))
        fehler("Intervall [%g,%g] ungueltig fuer AAA_INTERPOLATION %s.\n", a, b, name);
    bool gewicht = false;
    for (std::size_t j = 0; j < r.w.size(); ++j) {
        if (!std::isfinite(r.w[j]))
            fehler("Gewicht w(%zu) ist keine endliche Zahl fuer AAA_INTERPOLATION %s.\n", j + 1,
                   name);
        gewicht = gewicht || r.w[j] != 0.0;
    }
    if (!gewicht) fehler("Alle Gewichte 0 fuer AAA_INTERPOLATION %s.\n", name);
    interpolation_zeiger ip = aaa_neu(name, toleranz, grad);
    aaadaten *d = aaa_daten(ip.get());
    d->a = a;
    d->b = b;
    form_setzen(ip.get(), r);
    return ip.release();
}

int aaainterpolation_speichern(objekt *ip, FILE *aus) {
    aaadaten *d = aaa_daten(ip);
    std::fprintf(aus, "%s: %s\n", aaa_typ.typtext, d->name);
    schreibe_datum(aus, "a =", d->a);
    schreibe_datum(aus, "b =", d->b);
    schreibe_datum(aus, "toleranz =", d->toleranz);
    std::fprintf(aus, "grad = %i\n", d->grad);
    for (objekt *v : {d->stuetzstellen, d->stuetzwerte, d->koeffizienten})
        matrix_tabelle(v)->speichern(v, aus);
    return 0;
}

int aaainterpolation_freigeben(objekt *ip) {
    return polynom_freigeben(ip);
}

double aaainterpolation_funktionswert(objekt *ip, double x) {
    return baryzentrische_formel(polynom_daten(ip), x);
}

double aaainterpolation_ableitung1(objekt *ip, double x) {
    return baryzentrische_ableitung(polynom_daten(ip), x, 1);
}

double aaainterpolation_ableitung2(objekt *ip, double x) {
    return baryzentrische_ableitung(polynom_daten(ip), x, 2);
}

double aaainterpolation_integral(objekt *ip, double x1, double x2) {
    return gerichtetes_integral(x1, x2, [&](double lo, double hi) {
        std::vector<double> k;
        std::vector<double> g;
        gauss_legendre(20, k, g);
        double groesste = 0.0;
        const double ganz = gauss_summe(k, g, lo, hi, [&](double x) {
            double v = aaainterpolation_funktionswert(ip, x);
            groesste = std::max(groesste, std::fabs(v));
            return v;
        });
        return panel_integral(k, g, ip, lo, hi, ganz, groesste, 0);
    });
}

// The one-point slot at each point: it reads the object only, so the two
// halves of a large array may run at once.
void aaainterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl) {
    const polynomdaten *d = polynom_daten(ip);
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        for (size_t i = von; i < bis; ++i)
            y[i] = baryzentrische_formel(d, x[i]);
    });
}

const char *aaainterpolation_name(objekt *ip) {
    return basis_name(ip, aaa_typ);
}

objekt *aaainterpolation_imVektor(objekt *ip, int index) {
    return basis_vektor(ip, index);
}

double aaainterpolation_linkeGrenze(objekt *ip) {
    return aaa_daten(ip)->a;
}

double aaainterpolation_rechteGrenze(objekt *ip) {
    return aaa_daten(ip)->b;
}

int aaainterpolation_grad(objekt *ip) {
    return polynom_daten(ip)->n;
}

} // extern "C"

namespace {

int komplex_ausgeben(const std::vector<std::complex<double>> &werte, double *re, double *im,
                     int platz) {
    for (int k = 0; k < platz && k < static_cast<int>(werte.size()); ++k) {
        if (re != nullptr) re[k] = werte[static_cast<std::size_t>(k)].real();
        if (im != nullptr) im[k] = werte[static_cast<std::size_t>(k)].imag();
    }
    return static_cast<int>(werte.size());
}

} // namespace

extern "C" {

int aaainterpolation_pole(objekt *ip, double *re, double *im, int platz) {
    return komplex_ausgeben(aaa_pole(form_von(ip)), re, im, platz);
}

int aaainterpolation_residuen(objekt *ip, double *re, double *im, int platz) {
    const aaa_form r = form_von(ip);
    return komplex_ausgeben(aaa_residuen(r, aaa_pole(r)), re, im, platz);
}

int aaainterpolation_nullstellen(objekt *ip, double *re, double *im, int platz) {
    return komplex_ausgeben(aaa_nullstellen(form_von(ip)), re, im, platz);
}

const interpolationstyp aaa_typ = {.beschreibung = &aaa_interpolation,
                                   .typtext = "AAA_INTERPOLATION",
                                   .kurzname = "AAA",
                                   .mindestens = 2,
                                   .knotenordnung = KNOTEN_VERSCHIEDEN,
                                   .global = 1,
                                   .polynom = 0,
                                   .ohne_koeffizienten = 0,
                                   .optionen_anzahl = 2,
                                   .optionen = aaa_optionen,
                                   .erzeugen = aaa_erzeugen,
                                   .option = aaa_option};

} // extern "C"
