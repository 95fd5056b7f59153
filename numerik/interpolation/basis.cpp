// The shared base of the interpolation classes: what every class holds the
// same way (name, node kind, interval, the node and value vectors and the
// third vector) is made, handed out, written, read and released here, once;
// the class files add their numerics.
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/polynom_intern.h"
#include "kern/kluster.h"
#include "kern/lese_datum.h"

#include "numerik/knotenarten.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

interpolation_zeiger basis_anlegen(const interpolationstyp &t, void *daten, const char *name) {
    auto *ip = static_cast<objekt *>(std::malloc(sizeof(objekt)));
    if (ip == nullptr) {
        std::free(daten);
        fehler("Nicht genug Speicher fuer neue interpolation (Teil 1)!\n");
    }
    ip->funktionen = t.beschreibung->funktionen;
    ip->daten = daten;
    if (daten == nullptr) {
        std::free(ip);
        fehler("Nicht genug Speicher fuer neue interpolation (Teil 2)!\n");
    }
    // From here the holder releases what is made, on every path.
    interpolation_zeiger gehalten(ip);
    interpolationsbasis *d = basis_von(ip);
    if (name == nullptr) name = "unbenannt";
    std::size_t laenge = std::strlen(name);
    d->name = static_cast<char *>(std::malloc(laenge + 1));
    if (d->name == nullptr) fehler("Nicht genug Speicher fuer %s %s.\n", t.typtext, name);
    std::memcpy(d->name, name, laenge + 1);
    return gehalten;
}

// The lanes are inlined where they are used: no call passes a vector.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace {

// The lanes at p.  Inlined also into the AVX2 variant, unoptimised too (a
// call would pass the vector by another convention than the caller's).
template <class V> [[gnu::always_inline]] inline V laden(const double *p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Lanes of the type V (mask type M), in two sets, each lane with its own
// running maximum and minimum, so that no comparison waits on the one
// before.
template <class V, class M>
[[gnu::always_inline]] inline knotenlauf durchlaufen(const double *x, std::size_t anzahl) {
    constexpr std::size_t breite = sizeof(V) / sizeof(double);
    const double unendlich = HUGE_VAL;
    double betrag = 0.0;
    double schritt = unendlich;
    bool endlich = true;
    std::size_t i = 0;
    if (anzahl >= 2 * breite + 1) {
        V g0 = V{} + 0.0;
        V g1 = g0;
        V k0 = V{} + unendlich;
        V k1 = k0;
        M alle0 = M{} - 1;
        M alle1 = alle0;
        const V grenze = V{} + DBL_MAX;
        const M ohne_vorzeichen = M{} + 0x7fffffffffffffffLL;
        // Lanes i..i+2 breite-1 and their steps to the node after each.
        for (; i + 2 * breite + 1 <= anzahl; i += 2 * breite) {
            const V a0 = laden<V>(x + i);
            const V a1 = laden<V>(x + i + breite);
            const V v0 = (V)((M)a0 & ohne_vorzeichen);
            const V v1 = (V)((M)a1 & ohne_vorzeichen);
            alle0 &= v0 <= grenze; // false for infinities and NaN
            alle1 &= v1 <= grenze;
            g0 = v0 > g0 ? v0 : g0;
            g1 = v1 > g1 ? v1 : g1;
            const V h0 = laden<V>(x + i + 1) - a0;
            const V h1 = laden<V>(x + i + breite + 1) - a1;
            k0 = h0 < k0 ? h0 : k0;
            k1 = h1 < k1 ? h1 : k1;
        }
        const M alle = alle0 & alle1;
        for (std::size_t l = 0; l < breite; ++l) {
            endlich = endlich && alle[l] != 0;
            betrag = std::max(betrag, std::max(g0[l], g1[l]));
            schritt = std::min(schritt, std::min(k0[l], k1[l]));
        }
    }
    for (; i < anzahl; ++i) {
        endlich = endlich && std::isfinite(x[i]);
        betrag = std::max(betrag, std::fabs(x[i]));
        if (i + 1 < anzahl) schritt = std::min(schritt, x[i + 1] - x[i]);
    }
    return {endlich, endlich && schritt > 0.0, betrag, schritt};
}

typedef double paar __attribute__((vector_size(16)));
typedef long long paarmaske __attribute__((vector_size(16)));

knotenlauf durchlaufen_16(const double *x, std::size_t anzahl) {
    return durchlaufen<paar, paarmaske>(x, anzahl);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NUMERIK_X86_AUSWAHL 1
typedef double spur __attribute__((vector_size(32)));
typedef long long spurmaske __attribute__((vector_size(32)));

__attribute__((target("avx2"))) knotenlauf durchlaufen_32(const double *x, std::size_t anzahl) {
    return durchlaufen<spur, spurmaske>(x, anzahl);
}
#endif

} // namespace

knotenlauf knoten_durchlaufen(const double *x, std::size_t anzahl) {
#ifdef NUMERIK_X86_AUSWAHL
    static const auto weg = register_breite() >= 32 ? durchlaufen_32 : durchlaufen_16;
    return weg(x, anzahl);
#else
    return durchlaufen_16(x, anzahl);
#endif
}

void knotenabstand_pruefen(const interpolationstyp &t, const double *x, int anzahl,
                           const char *name) {
    std::size_t m = static_cast<std::size_t>(anzahl);
    const knotenlauf lauf = knoten_durchlaufen(x, m);
    // Nodes that are not numbers are the class's to report.
    if (!lauf.endlich) return;
    const double betrag = lauf.betrag;
    const double mindestabstand = KNOTEN_MINDESTABSTAND * betrag;
    auto zu_dicht = [&](std::size_t j, std::size_t k) {
        fehler("Stuetzstellen x(%zu) und x(%zu) liegen zu dicht beieinander fuer %s %s "
               "(Abstand %g bei Betrag %g).\n",
               std::min(j, k) + 1, std::max(j, k) + 1, t.typtext, name, std::fabs(x[k] - x[j]),
               betrag);
    };
    // The piecewise classes check steps of at least 2^-120 themselves: their
    // cubics are local, and such steps keep them finite.
    if (t.knotenordnung == KNOTEN_AUFSTEIGEND) return;
    // Ascending nodes are their own order: O(n) for them, and no two equal.
    if (lauf.aufsteigend) {
        if (!(lauf.kleinster_schritt < mindestabstand)) return;
        for (std::size_t i = 0; i + 1 < m; ++i)
            if (x[i + 1] - x[i] < mindestabstand) zu_dicht(i, i + 1);
    }
    std::vector<std::size_t> index(m);
    std::iota(index.begin(), index.end(), std::size_t{0});
    std::stable_sort(index.begin(), index.end(),
                     [&](std::size_t l, std::size_t r) { return x[l] < x[r]; });
    for (std::size_t i = 0; i + 1 < m; ++i) {
        std::size_t j = index[i], k = index[i + 1];
        if (x[k] == x[j])
            fehler("Stuetzstellen x(%zu) und x(%zu) gleich fuer %s %s.\n", std::min(j, k) + 1,
                   std::max(j, k) + 1, t.typtext, name);
        if (x[k] - x[j] < mindestabstand) zu_dicht(j, k);
    }
}

double integral_endlich(double wert, double x1, double x2, const interpolationstyp &t,
                        const char *name) {
    if (std::isfinite(wert) || !std::isfinite(x1) || !std::isfinite(x2)) return wert;
    fehler("Integral von %g bis %g ist nicht darstellbar fuer %s %s (Ueberlauf).\n", x1, x2,
           t.typtext, name);
}

kubikskala kubik_skala_waehlen(const double *x, int n) {
    kubikskala s;
    const double spanne = x[n] - x[0];
    if (std::isfinite(spanne) && spanne > 0x1p100) s.ex = std::ilogb(spanne);
    return s;
}

bool kubik_entskalieren(const kubikskala &s, const double *cs, double *c, int n,
                        const interpolationstyp &t, const char *name) {
    bool verloren = false;
    for (long long i = 0; i < 4 * static_cast<long long>(n); ++i) {
        const int potenz = static_cast<int>(i % 4);
        c[i] = std::ldexp(cs[i], s.ey - (3 - potenz) * s.ex);
        // The stored coefficients must hold what evaluation takes: one that
        // overflows there is refused, one that underflows is kept scaled.
        if (!std::isfinite(cs[i]) || !std::isfinite(c[i]))
            fehler("Koeffizienten fuer %s %s sind nicht darstellbar (Ueberlauf bei Werten oder "
                   "Ableitungen dieser Groesse).\n",
                   t.typtext, name);
        if (cs[i] != 0.0 && std::fabs(c[i]) < DBL_MIN) verloren = true;
    }
    return verloren;
}

void basis_problem(objekt *ip, const interpolationstyp &t, const interpolationsproblem &p,
                   int platzierart, bool ungesetzt) {
    interpolationsbasis *d = basis_von(ip);
    if (p.stuetzwerte == nullptr) fehler("Stuetzwerte fehlen fuer%s %s.\n", t.typtext, d->name);
    int n = matrix_tabelle(p.stuetzwerte)->hoehe(p.stuetzwerte) - 1;
    if (n < 0) fehler("Es wird mindestens ein Stuetzwert benoetigt.\n");
    d->n = n;
    // Nodes and values left unset are written in full below, before the
    // object is handed out.
    d->stuetzstellen = ungesetzt ? nm_anlegen_ungesetzt(n + 1, 1, "Stuetzstellen")
                                 : nm_anlegen(n + 1, 1, "Stuetzstellen", ip);
    d->stuetzwerte = ungesetzt ? nm_anlegen_ungesetzt(n + 1, 1, "Stuetzwerte")
                               : nm_anlegen(n + 1, 1, "Stuetzwerte", ip);
    const knotenart *art = knotenart_nummer(platzierart);
    if (art != nullptr && art->gespeichert) {
        if (p.stuetzstellen == nullptr)
            fehler("Stuetzstellen fehlen fuer%s %s.\n", t.typtext, d->name);
        if (matrix_tabelle(p.stuetzstellen)->hoehe(p.stuetzstellen) != n + 1)
            fehler("Stuetzstellenanzahl/-werteanzahl inkompatibel fuer %s %s.\n", t.typtext,
                   d->name);
        // Given nodes keep their order; the classes that need them ascending
        // were checked before.
        spalte_kopieren(p.stuetzstellen, n + 1, schreibfeld(d->stuetzstellen).werte());
    } else {
        // Ends for an unknown kind, before a kind nothing else could handle
        // is stored.
        stuetzstellen_platzieren(d->stuetzstellen, platzierart, n, p.a, p.b, d->name);
        d->a = p.a;
        d->b = p.b;
    }
    d->art = p.art;
    knotenabstand_pruefen(t, eintraege(d->stuetzstellen), n + 1, d->name);
    spalte_kopieren(p.stuetzwerte, n + 1, schreibfeld(d->stuetzwerte).werte());
}

int basis_freigeben(objekt *ip) {
    interpolationsbasis *d = basis_von(ip);
    for (objekt *v : {d->stuetzstellen, d->stuetzwerte, d->koeffizienten})
        if (v != nullptr) matrix_tabelle(v)->freigeben(v);
    intervallsuche_freigeben(d->suche);
    std::free(d->name);
    std::free(d);
    std::free(ip);
    return 0;
}

const char *basis_name(objekt *ip, const interpolationstyp &t) {
    if (ip->daten == nullptr) return t.typtext;
    return static_cast<interpolationsbasis *>(ip->daten)->name;
}

objekt *basis_vektor(objekt *ip, int index) {
    interpolationsbasis *d = basis_von(ip);
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

double basis_grenze(objekt *ip, bool links) {
    interpolationsbasis *d = basis_von(ip);
    const knotenart *art = knotenart_nummer(d->art);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->art);
    if (art->gespeichert)
        return links ? kleinste_stuetzstelle(d->stuetzstellen)
                     : groesste_stuetzstelle(d->stuetzstellen);
    return links ? d->a : d->b;
}

namespace {

// An option's key line, written only where it differs from the default,
// would stand where the value vector's header line begins.  Key lines
// begin with a small letter, type texts with a capital: one character of
// look-ahead tells them apart.
bool zeile_folgt(FILE *ein, const char *zeile) {
    int c = std::fgetc(ein);
    if (c == EOF) return false;
    std::ungetc(c, ein);
    return c == static_cast<unsigned char>(zeile[0]);
}

double option_lesen(FILE *ein, const interpolation_option &o) {
    if (o.ganzzahlig) {
        int wert = 0;
        lese_datum(ein, "%d", o.zeile, &wert);
        return wert;
    }
    double wert = 0.0;
    lese_datum(ein, "%lf", o.zeile, &wert);
    return wert;
}

void option_schreiben(FILE *aus, const interpolation_option &o, double wert) {
    if (o.ganzzahlig)
        std::fprintf(aus, "%s %i\n", o.zeile, static_cast<int>(wert));
    else
        schreibe_datum(aus, o.zeile, wert);
}

} // namespace

problemtext problemtext_lesen(FILE *ein, const interpolationstyp &t) {
    char erwartet[TYPPUFFER];
    std::snprintf(erwartet, sizeof erwartet, "%s", t.typtext);
    problemtext text = {interpolation_kopfzeile(ein, erwartet),
                        STUETZSTELLEN_GEGEBEN,
                        nullptr,
                        0.0,
                        0.0,
                        nullptr,
                        {}};
    lese_datum(ein, "%d", "art =", &text.art);
    // An unknown kind would leave the text's layout unknown: no vector could
    // be read for it.
    const knotenart *art = knotenart_nummer(text.art);
    if (art == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", text.name,
               text.art);
    // The vectors are read by the NM_MATRIX class's own loader; their header
    // lines go through the matrix cluster's reader, so name (which lives in
    // this cluster's header buffer) stays valid until creation copies it.
    text.stuetzstellen.reset(art->lesen(ein, &text.a, &text.b));
    for (int k = 0; k < t.optionen_anzahl; ++k) {
        const interpolation_option &o = t.optionen[k];
        text.optionen[k] = o.standard;
        if (o.zeile == nullptr) continue;
        if (o.im_text == OPTION_TEXT_WENN_GESETZT && !zeile_folgt(ein, o.zeile)) continue;
        text.optionen[k] = option_lesen(ein, o);
    }
    text.stuetzwerte.reset(nm_tabelle()->laden(ein, nullptr));
    return text;
}

void problemtext_schreiben(FILE *aus, const interpolationstyp &t, const char *name, int art,
                           objekt *knoten, double a, double b, const double *optionen,
                           objekt *werte) {
    std::fprintf(aus, "%s: %s\n", t.typtext, name);
    std::fprintf(aus, "art = %i\n", art);
    const knotenart *k = knotenart_nummer(art);
    if (k == nullptr) fehler("Kann %s %s nicht speichern.\n", t.typtext, name);
    k->schreiben(aus, knoten, a, b);
    for (int i = 0; i < t.optionen_anzahl; ++i) {
        const interpolation_option &o = t.optionen[i];
        if (o.zeile == nullptr) continue;
        if (o.im_text == OPTION_TEXT_WENN_GESETZT && optionen[i] == o.standard) continue;
        option_schreiben(aus, o, optionen[i]);
    }
    matrix_tabelle(werte)->speichern(werte, aus);
}

objekt *basis_laden(FILE *ein, const interpolationstyp &t, void *zusatz) {
    problemtext text = problemtext_lesen(ein, t);
    interpolation_problem p;
    interpolation_problem_vorbelegen(&p, t.beschreibung);
    p.name = text.name;
    p.art = text.art;
    p.stuetzstellen = text.stuetzstellen.get();
    p.a = text.a;
    p.b = text.b;
    p.stuetzwerte = text.stuetzwerte.get();
    for (int k = 0; k < t.optionen_anzahl; ++k)
        p.optionen[k] = text.optionen[k];
    interpolationsproblem_pruefen(t.beschreibung,
                                  {p.name, p.art, p.stuetzstellen, p.a, p.b, p.stuetzwerte});
    return t.erzeugen(&p, zusatz);
}

int basis_speichern(objekt *ip, FILE *aus, const interpolationstyp &t) {
    interpolationsbasis *d = basis_von(ip);
    double optionen[INTERPOLATION_OPTIONEN_MAX] = {};
    for (int k = 0; k < t.optionen_anzahl; ++k)
        optionen[k] = t.option(ip, k);
    problemtext_schreiben(aus, t, d->name, d->art, d->stuetzstellen, d->a, d->b, optionen,
                          d->stuetzwerte);
    return 0;
}
