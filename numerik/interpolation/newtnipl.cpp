#include "numerik/newtnipl.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/polynom_intern.h"
#include "kern/lese_datum.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

objekt *newton_erzeugen(const interpolation_problem *p, void *zusatz) {
    newtoninterpolation_parameter r = {p->name,
                                       p->art,
                                       p->stuetzstellen,
                                       p->a,
                                       p->b,
                                       p->stuetzwerte,
                                       static_cast<int>(p->optionen[0])};
    return newtoninterpolation_kreieren(&r, zusatz);
}

// The Leja option's key line is written only when the option is set: texts
// without it are read as before.
const interpolation_option newton_optionen[] = {
    {.schluessel = "leja",
     .zeile = "leja =",
     .im_text = OPTION_TEXT_WENN_GESETZT,
     .ganzzahlig = 1,
     .standard = 0,
     .wahlen = nullptr,
     .titel = "1: die Stuetzstellen in Leja-Ordnung"},
};

const polynomklasse newton = {&newton_typ, "Koeffizienten"};

// A positive product of distances as m 2^e with m in [0.5, 1), or 0 (then
// e = INT_MIN): kept apart so that products of thousands of distances
// neither overflow nor underflow.
struct abstandsprodukt {
    double m = 0.5;
    int e = 1;

    void mal(double abstand) {
        if (e == INT_MIN) return;
        int ea = 0;
        double ma = std::frexp(abstand, &ea);
        if (ma == 0.0) {
            m = 0.0;
            e = INT_MIN;
            return;
        }
        m *= ma;
        e += ea;
        if (m < 0.5) { // m, ma in [0.5, 1): the product in [0.25, 1)
            m *= 2.0;
            --e;
        }
    }
    bool groesser(const abstandsprodukt &p) const { return e > p.e || (e == p.e && m > p.m); }
};

// |u - v| for finite u and v, also where the difference overflows: then
// half of it, with one more factor 2 in the product.
void abstand_mal(abstandsprodukt &p, double u, double v) {
    double d = std::fabs(u - v);
    if (std::isfinite(d)) {
        p.mal(d);
    } else {
        p.mal(std::fabs(u * 0.5 - v * 0.5));
        if (p.e != INT_MIN) ++p.e;
    }
}

// The Leja order of the nodes x[0..n]: first the node farthest from the
// middle of their range, then each time the node whose product of
// distances to those chosen is largest (the first such in the given order
// on a tie).  Each chosen node multiplies its distance into the products
// of those left: O(n^2).  Newton's form over this order keeps its
// products of node differences tame; ascending, they grow with n and their
// rounding swamps the value.
std::vector<int> leja_reihenfolge(const double *x, int n) {
    std::size_t anzahl = static_cast<std::size_t>(n) + 1;
    double kleinster = x[0], groesster = x[0];
    for (std::size_t i = 1; i < anzahl; ++i) {
        kleinster = std::fmin(kleinster, x[i]);
        groesster = std::fmax(groesster, x[i]);
    }
    double mitte = kleinster / 2.0 + groesster / 2.0;
    std::vector<int> offen(anzahl); // the nodes not yet chosen, in given order
    std::vector<abstandsprodukt> produkt(anzahl);
    for (std::size_t i = 0; i < anzahl; ++i) {
        offen[i] = static_cast<int>(i);
        abstand_mal(produkt[i], x[i], mitte);
    }
    std::vector<int> reihenfolge;
    reihenfolge.reserve(anzahl);
    while (!offen.empty()) {
        std::size_t bester = 0;
        for (std::size_t k = 1; k < offen.size(); ++k)
            if (produkt[static_cast<std::size_t>(offen[k])].groesser(
                    produkt[static_cast<std::size_t>(offen[bester])]))
                bester = k;
        int gewaehlt = offen[bester];
        reihenfolge.push_back(gewaehlt);
        offen.erase(offen.begin() + static_cast<std::ptrdiff_t>(bester));
        // The distance to the middle only picked the first node.
        if (reihenfolge.size() == 1)
            for (int i : offen)
                produkt[static_cast<std::size_t>(i)] = abstandsprodukt{};
        for (int i : offen)
            abstand_mal(produkt[static_cast<std::size_t>(i)], x[i], x[gewaehlt]);
    }
    return reihenfolge;
}

// Divided differences in place: c(i) = y(i), then for each order k the
// entries c(n+1) down to c(k+1) are replaced.  Running j downwards means the
// c(j) read for c(j+1) still holds the difference of order k-1.  The three
// vectors are the object's own NM_MATRIX objects: their arrays are used,
// c[j] standing for c(j+1).
void dividierte_differenzen(polynomdaten *d, const double *x) {
    const double *y = eintraege(d->stuetzwerte);
    schreibfeld c(d->koeffizienten);
    int n = d->n;
    for (int i = 0; i <= n; ++i)
        c[i] = y[i];
    for (int k = 1; k <= n; ++k)
        for (int j = n; j >= k; --j)
            c[j] = (c[j] - c[j - 1]) / (x[j] - x[j - k]);
}

// p'(x) or p''(x) by the nested multiplication of funktionswert, carrying
// the derivatives along: with u = x - x(k), the step r <- c(k) + u r
// differentiates to r' <- r + u r' and r'' <- 2 r' + u r'' (each from the
// r, r' before the step).  In Leja order the form is in t = (x - mitte) /
// skala, and each derivative in x carries a factor 1/skala (a power of
// two: exact).
double newton_ableitung(const polynomdaten *d, double x, int ordnung) {
    const double *c = eintraege(d->koeffizienten);
    const double *knoten = eintraege(d->stuetzstellen);
    const bool leja = d->reihenfolge != nullptr;
    const double t = leja ? (x - d->mitte) / d->skala : x;
    double r = c[d->n];
    double r1 = 0.0;
    double r2 = 0.0;
    for (int k = d->n; k >= 1; --k) {
        double u = leja ? t - (knoten[k - 1] - d->mitte) / d->skala : x - knoten[k - 1];
        r2 = 2 * r1 + u * r2;
        r1 = r + u * r1;
        r = c[k - 1] + u * r;
    }
    if (!leja) return ordnung == 1 ? r1 : r2;
    return ordnung == 1 ? r1 / d->skala : r2 / d->skala / d->skala;
}

} // namespace

std::vector<int> polynom_leja(const double *x, int n) {
    return leja_reihenfolge(x, n);
}

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
    .ableitung1 = newtoninterpolation_ableitung1,
    .ableitung2 = newtoninterpolation_ableitung2,
    .integral = newtoninterpolation_integral,
    .funktionswerte = newtoninterpolation_funktionswerte,
};
klasse newton_interpolation = {&newton_interpolationFunktionen, nullptr};

objekt *newtoninterpolation_kreieren(const void *parameter, void *) {
    polynomproblem p = polynomproblem_aus<newtoninterpolation_parameter>(parameter);
    if (parameter != nullptr)
        p.option = static_cast<const newtoninterpolation_parameter *>(parameter)->leja;
    if (p.option != 0 && p.option != 1)
        fehler("Ungueltige Anordnung leja = %i fuer NEWTON_INTERPOLATION %s (0 oder 1).\n",
               p.option, p.name != nullptr ? p.name : "unbenannt");
    interpolation_zeiger ip = polynom_kreieren(p, newton);
    polynomdaten *d = polynom_daten(ip.get());
    // Equal nodes divide by zero: the coefficients become inf or NaN, as the
    // polynomial is then not defined; no message.
    if (d->option == 0) {
        dividierte_differenzen(d, eintraege(d->stuetzstellen));
        return ip.release();
    }
    polynom_umordnen(d, leja_reihenfolge(eintraege(d->stuetzstellen), d->n).data());
    // The variable t = (x - mitte) / skala: the middle of the nodes' range,
    // and the power of two at or below a quarter of it (an interval's
    // capacity), so that the division is exact.  Over Leja points the
    // products of n differences of t stay within a modest factor of 1 and
    // the divided differences of smooth data fall: in x both would leave
    // the double range once (range/4)^n does, at n of a few hundred.
    const double *x = eintraege(d->stuetzstellen);
    double kleinster = x[0], groesster = x[0];
    for (int i = 1; i <= d->n; ++i) {
        kleinster = std::fmin(kleinster, x[i]);
        groesster = std::fmax(groesster, x[i]);
    }
    d->mitte = kleinster / 2.0 + groesster / 2.0;
    double viertel = groesster / 4.0 - kleinster / 4.0;
    int e = 0;
    if (viertel > 0.0 && std::isfinite(viertel)) {
        std::frexp(viertel, &e);
        d->skala = std::ldexp(1.0, e - 1);
    }
    std::vector<double> t(static_cast<std::size_t>(d->n) + 1);
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = (x[i] - d->mitte) / d->skala;
    dividierte_differenzen(d, t.data());
    return ip.release();
}

objekt *newtoninterpolation_laden(FILE *ein, void *zusatz) {
    return basis_laden(ein, newton_typ, zusatz);
}

int newtoninterpolation_speichern(objekt *ip, FILE *aus) {
    return polynom_speichern(ip, aus, newton);
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
    if (d->reihenfolge == nullptr) {
        for (int k = d->n; k >= 1; --k)
            r = c[k - 1] + (x - knoten[k - 1]) * r;
        return r;
    }
    // Leja order: in t, each node moved and scaled as at creation.
    double t = (x - d->mitte) / d->skala;
    for (int k = d->n; k >= 1; --k)
        r = c[k - 1] + (t - (knoten[k - 1] - d->mitte) / d->skala) * r;
    return r;
}

double newtoninterpolation_ableitung1(objekt *ip, double x) {
    return newton_ableitung(polynom_daten(ip), x, 1);
}

double newtoninterpolation_ableitung2(objekt *ip, double x) {
    return newton_ableitung(polynom_daten(ip), x, 2);
}

double newtoninterpolation_integral(objekt *ip, double x1, double x2) {
    return polynom_integral(ip, x1, x2, newtoninterpolation_funktionswert, false);
}

// Sixteen points at a time through the nested multiplication of
// newton_horner, the few left over through the one-point slot: the same
// bits.  It reads the object only, so the two halves of a large array may
// run at once.
void newtoninterpolation_funktionswerte(objekt *ip, const double *x, double *y, size_t anzahl) {
    const polynomdaten *d = polynom_daten(ip); // a handle without data ends here
    const double *c = eintraege(d->koeffizienten);
    const double *knoten = eintraege(d->stuetzstellen);
    const bool skaliert = d->reihenfolge != nullptr;
    // In Leja order the nodes moved and scaled once, as the one-point slot
    // does at every point.
    std::vector<double> t;
    if (skaliert) {
        t.resize(static_cast<std::size_t>(d->n));
        for (int k = 0; k < d->n; ++k)
            t[k] = (knoten[k] - d->mitte) / d->skala;
        knoten = t.data();
    }
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        size_t i = von + newton_horner(c, knoten, d->n, skaliert, d->mitte, d->skala, x + von,
                                       y + von, bis - von);
        for (; i < bis; ++i)
            y[i] = newtoninterpolation_funktionswert(ip, x[i]);
    });
}

const char *newtoninterpolation_name(objekt *ip) {
    return basis_name(ip, newton_typ);
}

objekt *newtoninterpolation_imVektor(objekt *ip, int index) {
    return basis_vektor(ip, index);
}

double newtoninterpolation_linkeGrenze(objekt *ip) {
    return basis_grenze(ip, true);
}

double newtoninterpolation_rechteGrenze(objekt *ip) {
    return basis_grenze(ip, false);
}

const interpolationstyp newton_typ = {.beschreibung = &newton_interpolation,
                                      .typtext = "NEWTON_INTERPOLATION",
                                      .kurzname = "Newton",
                                      .mindestens = 1,
                                      .knotenordnung = KNOTEN_VERSCHIEDEN,
                                      .global = 1,
                                      .polynom = 1,
                                      .ohne_koeffizienten = 0,
                                      .optionen_anzahl = 1,
                                      .optionen = newton_optionen,
                                      .erzeugen = newton_erzeugen,
                                      .option = polynom_option};

} // extern "C"
