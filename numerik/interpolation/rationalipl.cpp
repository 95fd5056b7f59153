// RATIONALE_INTERPOLATION (numerik/rationalipl.h): the weights of the
// barycentric rational interpolant of blending degree d.  Record, text form
// and evaluation are those of the barycentric class (polynom.cpp,
// baryzipl.cpp); this file adds the weights and the key line of d.
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

// The lanes are inlined where they are used: no call passes a vector.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

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

// A positive number m 2^e, m normalised to [0.5, 1) by frexp.
struct skaliert {
    double m;
    long e;
};

skaliert normiert(double m, long e) {
    int em = 0;
    m = std::frexp(m, &em);
    return {m, e + em};
}

// |u - v| for finite u and v as m 2^e, also where the difference overflows
// (then half of it, one more in the exponent).
skaliert abstand(double u, double v) {
    double d = std::fabs(u - v);
    if (std::isfinite(d)) return normiert(d, 0);
    return normiert(std::fabs(u * 0.5 - v * 0.5), 1);
}

// The weights on the ascending nodes t[0..n] (t = x in the order index):
// for each k the sum over its polynomials i of 1 / prod |t_k - t_j|, every
// product kept as mantissa and exponent and the positive terms summed at
// the exponent of the largest; the sign (-1)^(k-d).  Written to
// w[index[k]], scaled so that the largest magnitude is 1.
// Whether every product of d node distances, its reciprocal and a sum of
// d + 1 such reciprocals lie well inside the normal range: then the plain
// products and sums give every weight to the bit as the scaled ones do
// (scaling by powers of two is exact, and a rounding does not depend on
// it while nothing overflows or leaves the normal range).
bool ohne_skalierung(const std::vector<double> &t, int d) {
    const std::size_t anzahl = t.size();
    if (anzahl < 2 || d < 1) return false;
    double kleinste = t[1] - t[0];
    for (std::size_t i = 2; i < anzahl; ++i)
        kleinste = std::min(kleinste, t[i] - t[i - 1]);
    const double spanne = t[anzahl - 1] - t[0];
    if (!(kleinste > 0.0) || !std::isfinite(spanne)) return false;
    const double oben = d * std::log2(spanne);
    const double unten = d * std::log2(kleinste);
    return oben < 900.0 && unten > -900.0 && std::log2(d + 1.0) - unten < 900.0;
}

// The sum of node k for gewichte_direkt: over its windows i of 1 / prod
// |t_k - t_j|, j = i..i+d but k, in ascending i and j.
double knotensumme(const double *t, int n, int d, int k) {
    const double tk = t[k];
    double s = 0.0;
    for (int i = std::max(0, k - d); i <= std::min(k, n - d); ++i) {
        double m = 1.0;
        for (int j = i; j <= i + d; ++j) {
            if (j == k) continue;
            m *= std::fabs(tk - t[j]);
        }
        s += 1.0 / m;
    }
    return s;
}

// Four nodes k at a time, in lanes, each lane the operations of knotensumme
// on the same operands in the same order (this file is compiled without
// contraction): the sums of nodes von..bis-1, all with d + 1 windows.
typedef double spur __attribute__((vector_size(32)));
typedef long long spurmaske __attribute__((vector_size(32)));

[[gnu::always_inline]] inline void knotensummen(const double *t, int n, int d, int von, int bis,
                                                double *summe) {
    int k = von;
    for (; k + 4 <= bis; k += 4) {
        spur tk;
        std::memcpy(&tk, t + k, sizeof tk);
        spur s = {0.0, 0.0, 0.0, 0.0};
        for (int a = 0; a <= d; ++a) {
            spur m = {1.0, 1.0, 1.0, 1.0};
            for (int b = 0; b <= d; ++b) {
                if (a + b == d) continue;
                spur tj;
                std::memcpy(&tj, t + k - d + a + b, sizeof tj);
                // |.| by the sign bit, as fabs.
                m *= (spur)((spurmaske)(tk - tj) & 0x7fffffffffffffffLL);
            }
            s += spur{1.0, 1.0, 1.0, 1.0} / m;
        }
        std::memcpy(summe + k, &s, sizeof s);
    }
    for (; k < bis; ++k)
        summe[k] = knotensumme(t, n, d, k);
}

// w[0..anzahl-1] /= teiler, four at a time.
[[gnu::always_inline]] inline void teilen(double *w, int anzahl, double teiler) {
    int k = 0;
    const spur t = {teiler, teiler, teiler, teiler};
    for (; k + 4 <= anzahl; k += 4) {
        spur v;
        std::memcpy(&v, w + k, sizeof v);
        v /= t;
        std::memcpy(w + k, &v, sizeof v);
    }
    for (; k < anzahl; ++k)
        w[k] /= teiler;
}

struct spuren {
    void (*summen)(const double *, int, int, int, int, double *);
    void (*teilen)(double *, int, double);
};

void knotensummen_16(const double *t, int n, int d, int von, int bis, double *summe) {
    knotensummen(t, n, d, von, bis, summe);
}
void teilen_16(double *w, int anzahl, double teiler) {
    teilen(w, anzahl, teiler);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NUMERIK_X86_AUSWAHL 1
__attribute__((target("avx2"))) void knotensummen_32(const double *t, int n, int d, int von,
                                                     int bis, double *summe) {
    knotensummen(t, n, d, von, bis, summe);
}
__attribute__((target("avx2"))) void teilen_32(double *w, int anzahl, double teiler) {
    teilen(w, anzahl, teiler);
}
#endif

spuren spuren_waehlen() {
#ifdef NUMERIK_X86_AUSWAHL
    if (register_breite() >= 32) return {knotensummen_32, teilen_32};
#endif
    return {knotensummen_16, teilen_16};
}

// The weights of gewichte below by plain products and sums, where
// ohne_skalierung holds: the same numbers in the same order.  The sums are
// positive and within 2^-900 and 2^900, so the exponent of the largest is
// the largest exponent, and a product with the power of two 2^-e is the
// double ldexp gives.
void gewichte_direkt(double *w, const std::vector<double> &t, const std::vector<std::size_t> &index,
                     int d) {
    static const spuren lanes = spuren_waehlen();
    int n = static_cast<int>(t.size()) - 1;
    std::vector<double> summe(t.size());
    // Nodes d..n-d have all their windows; the others fewer.
    const int innen_von = std::min(d, n + 1);
    const int innen_bis = std::max(innen_von, n - d + 1);
    for (int k = 0; k < innen_von; ++k)
        summe[static_cast<std::size_t>(k)] = knotensumme(t.data(), n, d, k);
    lanes.summen(t.data(), n, d, innen_von, innen_bis, summe.data());
    for (int k = innen_bis; k <= n; ++k)
        summe[static_cast<std::size_t>(k)] = knotensumme(t.data(), n, d, k);
    double groesste = summe[0];
    for (double s : summe)
        groesste = std::max(groesste, s);
    int groesster = 0;
    std::frexp(groesste, &groesster);
    const double skala = std::ldexp(1.0, -groesster);
    double groesstes = 0.0;
    for (int k = 0; k <= n; ++k) {
        double v = summe[static_cast<std::size_t>(k)] * skala;
        if ((k - d) % 2 != 0) v = -v;
        w[index[static_cast<std::size_t>(k)]] = v;
        groesstes = std::max(groesstes, std::fabs(v));
    }
    lanes.teilen(w, n + 1, groesstes);
}

void gewichte(double *w, const std::vector<double> &t, const std::vector<std::size_t> &index,
              int d) {
    if (ohne_skalierung(t, d)) {
        gewichte_direkt(w, t, index, d);
        return;
    }
    int n = static_cast<int>(t.size()) - 1;
    std::vector<skaliert> summe(t.size());
    long groesster = 0;
    for (int k = 0; k <= n; ++k) {
        double s = 0.0;
        long es = 0;
        for (int i = std::max(0, k - d); i <= std::min(k, n - d); ++i) {
            double m = 1.0;
            long e = 0;
            for (int j = i; j <= i + d; ++j) {
                if (j == k) continue;
                skaliert a =
                    abstand(t[static_cast<std::size_t>(k)], t[static_cast<std::size_t>(j)]);
                skaliert p = normiert(m * a.m, e + a.e); // m, a.m in [0.5, 1)
                m = p.m;
                e = p.e;
            }
            // 1 / (m 2^e) = (1/m) 2^-e with 1/m in (1, 2].
            double term = 1.0 / m;
            long et = -e;
            if (s == 0.0 || et > es) {
                s = s == 0.0 ? term
                             : term + std::ldexp(s, static_cast<int>(std::max(es - et, -4000L)));
                es = et;
            } else {
                s += std::ldexp(term, static_cast<int>(std::max(et - es, -4000L)));
            }
        }
        summe[static_cast<std::size_t>(k)] = normiert(s, es);
        if (k == 0 || summe[static_cast<std::size_t>(k)].e > groesster)
            groesster = summe[static_cast<std::size_t>(k)].e;
    }
    double groesstes = 0.0;
    for (int k = 0; k <= n; ++k) {
        const skaliert &s = summe[static_cast<std::size_t>(k)];
        double v = std::ldexp(s.m, static_cast<int>(std::max(s.e - groesster, -4000L)));
        if ((k - d) % 2 != 0) v = -v;
        w[index[static_cast<std::size_t>(k)]] = v;
        groesstes = std::max(groesstes, std::fabs(v));
    }
    for (int k = 0; k <= n; ++k)
        w[k] /= groesstes;
}

// The nodes in ascending order (index: position in the object), after the
// checks of kreieren's callers that did not come through the generic entry:
// finite, and no two equal (two values at one node: no interpolant through
// both).  Sorted, equal nodes are neighbours.
void aufsteigend(const polynomdaten *dt, std::vector<double> &t, std::vector<std::size_t> &index) {
    const double *x = eintraege(dt->stuetzstellen);
    std::size_t anzahl = static_cast<std::size_t>(dt->n) + 1;
    for (std::size_t j = 0; j < anzahl; ++j)
        if (!std::isfinite(x[j]))
            fehler("Stuetzstelle x(%zu) ist keine endliche Zahl fuer RATIONALE_INTERPOLATION %s.\n",
                   j + 1, dt->name);
    index.resize(anzahl);
    std::iota(index.begin(), index.end(), std::size_t{0});
    // Ascending nodes are their own order.
    bool geordnet = true;
    for (std::size_t j = 0; j + 1 < anzahl; ++j)
        geordnet = geordnet && x[j] < x[j + 1];
    if (!geordnet)
        std::stable_sort(index.begin(), index.end(),
                         [&](std::size_t l, std::size_t r) { return x[l] < x[r]; });
    t.resize(anzahl);
    for (std::size_t k = 0; k < anzahl; ++k) {
        t[k] = x[index[k]];
        if (k > 0 && t[k] == t[k - 1])
            fehler("Stuetzstellen x(%zu) und x(%zu) gleich fuer RATIONALE_INTERPOLATION %s.\n",
                   std::min(index[k], index[k - 1]) + 1, std::max(index[k], index[k - 1]) + 1,
                   dt->name);
    }
}

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
    interpolation_zeiger ip = polynom_kreieren(p, rational);
    polynomdaten *d = polynom_daten(ip.get());
    schreibfeld w(d->koeffizienten);
    if (d->n == 0) {
        w[0] = 1.0;
        return ip.release();
    }
    std::vector<double> t;
    std::vector<std::size_t> index;
    aufsteigend(d, t, index);
    gewichte(w.werte(), t, index, std::min(d->option, d->n));
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
