// SPLINE_INTERPOLATION: the cubic spline class of the interpolation cluster.
//
// The object (creation with periodic continuation and end-value averaging,
// storage, evaluation, bounds) and its coefficient step: the second
// derivatives M at the nodes from one tridiagonal (non-periodic kinds) or
// cyclic tridiagonal (periodic kinds) system, then the n x 4 coefficients.
#include "splinipl.h"

#include "a06_mtrx.h"
#include "bandmtrx.h"
#include "fehler.h"
#include "interplt_intern.h"
#include "lese_datum.h"
#include "lgs_intern.h"
#include "nmmatrix.h"
#include "nmmatrix_intern.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct splineinterpolationsdaten {
    objekt *stuetzstellen;       // (n+1) x 1 "Stuetzstellen"
    objekt *stuetzwerte;         // (n+1) x 1 "Stuetzwerte"
    objekt *koeffizientenmatrix; // n x 4, "Koeffizienten" until the step
    char *name;
    int n;                // number of intervals
    int stuetzstellenart; // node kind, flag OHNE_KOEFFIZIENTEN included
    double a;
    double b;
    double a_benutzer; // the user's interval of a continued spline (kind 3)
    double b_benutzer;
    int splineart;
    double abl2links;
    double abl2rechts;
    // The bounds that evaluation wraps with, taken at its first call.  They
    // live in the object, so two splines in one process each wrap with their
    // own interval.
    double grenze_links;
    double grenze_rechts;
    int a_b_berechnet;
    // The interval search of evaluation (intervall_suchen): the node array
    // and its write count when its order was last examined, the result, the
    // evaluations left before a changed array is examined again (-1: done),
    // and the interval of the last evaluation.
    const double *such_knoten;
    unsigned long long such_stand;
    int such_geordnet;
    long long such_aufschub;
    int such_lo;
};

splineinterpolationsdaten *get_splineinterpolationsdaten(objekt *ip) {
    if (ip->daten == nullptr) still_beenden();
    return static_cast<splineinterpolationsdaten *>(ip->daten);
}

// Temporary matrices are released through their own freigeben slot on every
// path out of a function.
struct matrix_freigeber {
    void operator()(objekt *m) const { matrix_tabelle(m)->freigeben(m); }
};
using matrix_zeiger = std::unique_ptr<objekt, matrix_freigeber>;

const matrix_funktionen *nm() {
    return matrix_tabelle(&nm_matrix);
}

objekt *vektor_kreieren(int zeilen, int spalten, const char *name, void *zusatz,
                        int nullsetzen = 0) {
    nmmatrix_parameter p = {zeilen, spalten, name, nullsetzen};
    return nm()->kreieren(&p, zusatz);
}

// Element (i, 1) of a vector handed in by the caller: read through its own
// table, since the record's vectors belong to whoever made them.
double element(objekt *v, int i) {
    return matrix_tabelle(v)->amIndex(v, i, 1);
}

double epsilon() {
    return std::pow(2.0, -120.0);
}

// Node kind with the flag cleared.
int knotenart(int stuetzstellenart) {
    return stuetzstellenart & ~OHNE_KOEFFIZIENTEN;
}

// Three nodes of a periodic spline are continued over a second period, so
// that the cyclic system has order 4 instead of 2.
void periodisch_fortsetzen(objekt *ip, splineinterpolationsdaten *d,
                           const splineinterpolation_parameter *r) {
    warnung("Warnung: Nur %i Stuetzstellen fuer SPLINE_INTERPOLATION '%s', benutzte "
            "periodische Fortsetzung!\n",
            3, d->name);
    objekt *knoten = vektor_kreieren(5, 1, "Stuetzstellen", ip);
    objekt *werte = vektor_kreieren(5, 1, "Stuetzwerte", ip);
    objekt *koeffizienten = vektor_kreieren(4, 4, "Koeffizienten", ip, 1);
    const double *x = nmmatrix_eintraege(d->stuetzstellen);
    double x1 = x[0], x2 = x[1], x3 = x[2];
    double y1 = element(r->stuetzwerte, 1);
    double y2 = element(r->stuetzwerte, 2);
    double y3 = element(r->stuetzwerte, 3);
    double periode = x3 - x1;
    double *xn = nmmatrix_werte(knoten);
    double *yn = nmmatrix_werte(werte);
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
    if (knotenart(d->stuetzstellenart) == STUETZSTELLEN_GEGEBEN) {
        d->a = x1;
        d->b = x3;
    }
    nm()->freigeben(d->stuetzstellen);
    nm()->freigeben(d->stuetzwerte);
    nm()->freigeben(d->koeffizientenmatrix);
    d->stuetzstellen = knoten;
    d->stuetzwerte = werte;
    d->koeffizientenmatrix = koeffizienten;
    d->n = 4;
    d->a_benutzer = d->a;
    d->b_benutzer = d->b;
    d->b = xn[4];
    warnung("Neue Stuetzpunkte:\n");
    nm()->speichern(knoten, stderr);
    nm()->speichern(werte, stderr);
    d->splineart = SPLINE_PERIODISCH_FORTGESETZT;
}

// A periodic spline needs y(1) = y(n+1); differing end values are replaced
// by their mean.  A NaN difference fails the test and changes nothing.
void endwerte_mitteln(splineinterpolationsdaten *d) {
    double *y = nmmatrix_werte(d->stuetzwerte);
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

// h(i) = x(i+1) - x(i) into the vector (h); a step below 2^-120 (equal or
// descending nodes) ends the program, a NaN step passes.
void intervalllaengen(splineinterpolationsdaten *d, double *h) {
    const double *x = nmmatrix_eintraege(d->stuetzstellen);
    for (int i = 0; i < d->n; ++i) {
        double laenge = x[i + 1] - x[i];
        if (laenge < epsilon())
            fehler("Die Stuetzstellen fuer SPLINE_INTERPOLATION %s muessen aufsteigend sein!\n",
                   d->name);
        h[i] = laenge;
    }
}

// Solves A*u = -b by the solver's O(n) path (the same arithmetic as
// lrZerlegungUndDeterminanteUndLoesen without its dense factors) and hands
// back u; the solver's other vectors are released here.
matrix_zeiger loesen(objekt *A, objekt *b, const char *name) {
    gleichungssystem lgs = {};
    lgs.A = A;
    lgs.b = b;
    int geloest = lgs_loesen_ohne_faktoren(&lgs, diagonalStrategie);
    matrix_zeiger p(lgs.p), c(lgs.c), x(lgs.x);
    if (geloest == 0)
        fehler("Fehler bei der Berechnung der Koeffizienten fuer SPLINE_INTERPOLATION %s!\n", name);
    return x;
}

// Replaces "Koeffizienten" by the n x 4 "Koeffizientenmatrix" and fills row
// i for [x(i), x(i+1)] from the second derivatives, M(k) = zweite(k) for
// k = 1..n+1: (MR - ML)/(6h), ML/2, (yR - yL)/h - h(2ML + MR)/6, yL.
template <typename Ableitung>
void koeffizienten_fuellen(objekt *ip, splineinterpolationsdaten *d, const double *h,
                           Ableitung zweite) {
    nm()->freigeben(d->koeffizientenmatrix);
    d->koeffizientenmatrix = vektor_kreieren(d->n, 4, "Koeffizientenmatrix", ip);
    double *c = nmmatrix_werte(d->koeffizientenmatrix);
    const double *y = nmmatrix_eintraege(d->stuetzwerte);
    for (int i = 0; i < d->n; ++i) {
        double ml = zweite(i + 1);
        double mr = zweite(i + 2);
        double hi = h[i];
        double *zeile = c + 4 * static_cast<long long>(i);
        zeile[0] = (mr - ml) / (hi * 6);
        zeile[1] = ml / 2;
        // 2*ML is formed as ML + ML; the sum is multiplied by h, then divided.
        double summe = ml + ml;
        summe = summe + mr;
        zeile[2] = (y[i + 1] - y[i]) / hi - hi * summe / 6;
        zeile[3] = y[i];
    }
}

// Kinds 0 and 1: the interior M(2..n) from the symmetric tridiagonal system
// of order n-1, M(1) and M(n+1) given.
int splineinterpolation_pnichtperiodisch(objekt *ip, void *) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    int n = d->n;
    bandmatrix_parameter bp = {n - 1, 1, "Hilfsmatrix kubische Splineinterpolation", 0};
    matrix_zeiger A(matrix_tabelle(&band_matrix)->kreieren(&bp, ip));
    matrix_zeiger b(vektor_kreieren(n - 1, 1, "Hilfsvektor kubische Splineinterpolation (b)", ip));
    matrix_zeiger hv(vektor_kreieren(n, 1, "Hilfsvektor kubische Splineinterpolation (h)", ip));
    double *h = nmmatrix_werte(hv.get());
    intervalllaengen(d, h);

    // The band matrix was made here, so its diagonals are NM_MATRIX vectors
    // whose entries are written directly: index 0 the main diagonal, 1 the
    // upper and 2 the lower side diagonal, element i for (i, i+1)/(i+1, i).
    const matrix_funktionen *fa = matrix_tabelle(A.get());
    double *haupt = nmmatrix_werte(fa->imVektor(A.get(), 0));
    double *oben = nmmatrix_werte(fa->imVektor(A.get(), 1));
    double *unten = nmmatrix_werte(fa->imVektor(A.get(), 2));
    double *rechts = nmmatrix_werte(b.get());
    const double *y = nmmatrix_eintraege(d->stuetzwerte);
    for (int i = 0; i < n - 1; ++i) {
        double s = h[i] + h[i + 1];
        haupt[i] = s + s;
    }
    for (int i = 0; i < n - 2; ++i) {
        oben[i] = h[i + 1];
        unten[i] = h[i + 1];
    }
    // b is the negative of the textbook right-hand side, as the solver
    // returns x with A*x = -b.  d(i+1) of equation i serves as d(i) of the
    // next one.
    double diff = y[1] - y[0];
    for (int i = 0; i < n - 1; ++i) {
        double naechste = y[i + 2] - y[i + 1];
        rechts[i] = 6 * (diff / h[i] - naechste / h[i + 1]);
        diff = naechste;
    }
    rechts[0] = rechts[0] + h[0] * d->abl2links;
    rechts[n - 2] = rechts[n - 2] + h[n - 1] * d->abl2rechts;

    matrix_zeiger u = loesen(A.get(), b.get(), d->name);
    A.reset();
    b.reset();
    // u(k) is M(k+1); the given end values stand around it.
    const double *uw = nmmatrix_eintraege(u.get());
    koeffizienten_fuellen(ip, d, h, [&](int k) {
        return k == 1 ? d->abl2links : k == n + 1 ? d->abl2rechts : uw[k - 2];
    });
    return 0;
}

// Kinds 2 and 3: M(1..n) from the symmetric cyclic tridiagonal system of
// order n, M(n+1) = M(1).
int splineinterpolation_periodisch(objekt *ip, void *) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    int n = d->n;
    a06_matrix_parameter ap = {n, "Hilfsmatrix kubische Splineinterpolation", 0};
    matrix_zeiger A(matrix_tabelle(&a06__matrix)->kreieren(&ap, ip));
    matrix_zeiger b(vektor_kreieren(n, 1, "Hilfsvektor kubische Splineinterpolation (b)", ip));
    matrix_zeiger hv(vektor_kreieren(n, 1, "Hilfsvektor kubische Splineinterpolation (h)", ip));
    double *h = nmmatrix_werte(hv.get());
    intervalllaengen(d, h);

    // Index 0 the main diagonal, 1 the side diagonal, 2 the corner element.
    const matrix_funktionen *fa = matrix_tabelle(A.get());
    double *haupt = nmmatrix_werte(fa->imVektor(A.get(), 0));
    double *neben = nmmatrix_werte(fa->imVektor(A.get(), 1));
    double *ecke = nmmatrix_werte(fa->imVektor(A.get(), 2));
    double *rechts = nmmatrix_werte(b.get());
    const double *y = nmmatrix_eintraege(d->stuetzwerte);
    // p(i): the interval before node i, taken cyclically.
    auto vorher = [n](int i) { return i == 0 ? n - 1 : i - 1; };
    for (int i = 0; i < n; ++i) {
        double s = h[vorher(i)] + h[i];
        haupt[i] = s + s;
    }
    for (int i = 0; i < n - 1; ++i)
        neben[i] = h[i];
    ecke[0] = h[n - 1];
    // Node 1 takes y(1) - y(n) as the difference before it: the values are
    // averaged, so y(n+1) stands for y(1).
    for (int i = 0; i < n; ++i) {
        double dp = i == 0 ? y[0] - y[n - 1] : y[i] - y[i - 1];
        double di = y[i + 1] - y[i];
        rechts[i] = (-di / h[i] + dp / h[vorher(i)]) * 6;
    }

    matrix_zeiger u = loesen(A.get(), b.get(), d->name);
    A.reset();
    b.reset();
    // u(k) is M(k), and M(n+1) = M(1).
    const double *uw = nmmatrix_eintraege(u.get());
    koeffizienten_fuellen(ip, d, h, [&](int k) { return k == n + 1 ? uw[0] : uw[k - 1]; });
    return 0;
}

// The interval search of evaluation.
//
// The interval is defined by the bisection: lo = 1, hi = n+1; while
// hi - lo > 1, mid = (lo + hi)/2, and lo = mid when x(mid) < x, else
// hi = mid.  It reads only x(2..n).  When these are free of NaN and non-decreasing, x(i) < x
// holds for a first part of 2..n and fails for the rest, the bisection keeps
// lo = 1 or x(lo) < x and hi = n+1 or not x(hi) < x, and its result is the
// one lo in 1..n with
//     (lo == 1 or x(lo) < x) and (lo == n or not x(lo+1) < x)
// (two such lo would need x(lo+1) < x for the larger and not for the
// smaller one).  A NaN x fails every comparison and gets 1 both ways.
//
// Points in ascending order mostly fall into the interval of the previous
// evaluation or the next one: these two are tested by that condition, all
// else is left to the bisection itself.  The condition is used only for a
// node array proved ordered and unchanged since (same array, same write
// count); any other array always goes through the bisection.

int bisektion(const double *x, int n, double wert) {
    int lo = 1;
    int hi = n + 1;
    while (hi - lo > 1) {
        int mitte = (lo + hi) / 2;
        if (x[mitte - 1] < wert)
            lo = mitte;
        else
            hi = mitte;
    }
    return lo;
}

bool im_intervall(const double *x, int n, int lo, double wert) {
    return (lo == 1 || x[lo - 1] < wert) && (lo == n || !(x[lo] < wert));
}

// x(2..n) free of NaN and non-decreasing.
bool bisektion_geordnet(const double *x, int n) {
    for (int i = 2; i <= n; ++i) {
        if (std::isnan(x[i - 1])) return false;
        if (i > 2 && x[i - 2] > x[i - 1]) return false;
    }
    return true;
}

int intervall_suchen(splineinterpolationsdaten *d, double wert) {
    nmmatrixdaten *k = nmmatrix_daten(d->stuetzstellen);
    const double *x = k->werte;
    int n = d->n;
    if (x != d->such_knoten || k->stand != d->such_stand) {
        // At the first evaluation the order is examined at once, as creation
        // took O(n) anyway.  After a write to the nodes, n more evaluations
        // pass first, so that writing and evaluating by turns never costs
        // O(n) per evaluation.
        d->such_aufschub = d->such_knoten == nullptr ? 0 : n;
        d->such_knoten = x;
        d->such_stand = k->stand;
        d->such_geordnet = 0;
    }
    if (d->such_aufschub == 0) {
        d->such_geordnet = bisektion_geordnet(x, n);
        d->such_aufschub = -1;
    } else if (d->such_aufschub > 0) {
        --d->such_aufschub;
    }
    int lo = d->such_lo;
    if (d->such_geordnet && lo >= 1 && lo <= n) {
        if (im_intervall(x, n, lo, wert)) return lo;
        if (lo < n && im_intervall(x, n, lo + 1, wert)) return d->such_lo = lo + 1;
    }
    return d->such_lo = bisektion(x, n, wert);
}

// Up to this many periods below a, evaluation wraps by adding the period
// step by step (rounding included, as the spline has always done); an x
// further below is reduced by fmod alone instead of looping for long.
constexpr long WRAP_SCHRITTE = 1L << 20;

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

    d->stuetzstellen = vektor_kreieren(n + 1, 1, "Stuetzstellen", ip);
    d->stuetzwerte = vektor_kreieren(n + 1, 1, "Stuetzwerte", ip);
    // Zeroed, so that an object made without coefficients hands out zeros.
    d->koeffizientenmatrix = vektor_kreieren(n, 4, "Koeffizienten", ip, 1);

    int art = knotenart(r->stuetzstellenart);
    switch (art) {
    case STUETZSTELLEN_GEGEBEN: {
        if (r->stuetzstellen == nullptr)
            fehler("Stuetzstellen fehlen fuerSPLINE_INTERPOLATION %s.\n", d->name);
        if (matrix_tabelle(r->stuetzstellen)->hoehe(r->stuetzstellen) != n + 1)
            fehler("Stuetzstellenanzahl/-werteanzahl inkompatibel fuer SPLINE_INTERPOLATION %s.\n",
                   d->name);
        spalte_kopieren(r->stuetzstellen, n + 1, nmmatrix_werte(d->stuetzstellen));
        break;
    }
    case STUETZSTELLEN_AEQUIDISTANT:
    case STUETZSTELLEN_TSCHEBYSCHEFF:
        stuetzstellen_platzieren(d->stuetzstellen, art, n, r->a, r->b, d->name);
        d->a = r->a;
        d->b = r->b;
        break;
    default:
        // Placing no node would leave the object unusable: reject the kind
        // as given, flag and all.
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               r->stuetzstellenart);
    }
    d->stuetzstellenart = r->stuetzstellenart;
    bool ohne_koeffizienten = (r->stuetzstellenart & OHNE_KOEFFIZIENTEN) != 0;

    if (n <= 1) fehler("Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION '%s'!\n", d->name);

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
    default:
        fehler("Splineart %i nicht moeglich\n", r->splineart);
    }

    if (!werte_gesetzt) {
        spalte_kopieren(r->stuetzwerte, n + 1, nmmatrix_werte(d->stuetzwerte));
    }
    if (d->splineart == SPLINE_PERIODISCH || d->splineart == SPLINE_PERIODISCH_FORTGESETZT)
        endwerte_mitteln(d);
    if (!ohne_koeffizienten) splineinterpolation_koeffizienten(ip, zusatz);
    return ip;
}

int splineinterpolation_koeffizienten(objekt *ip, void *zusatz) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    switch (d->splineart) {
    case SPLINE_ABL2_GEGEBEN:
    case SPLINE_NATUERLICH:
        return splineinterpolation_pnichtperiodisch(ip, zusatz);
    case SPLINE_PERIODISCH:
    case SPLINE_PERIODISCH_FORTGESETZT:
        return splineinterpolation_periodisch(ip, zusatz);
    default:
        fehler("Splineart %i nicht implementiert.\n", d->splineart);
    }
}

int splineinterpolation_freigeben(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    std::free(d->name);
    nm()->freigeben(d->stuetzstellen);
    nm()->freigeben(d->stuetzwerte);
    nm()->freigeben(d->koeffizientenmatrix);
    std::free(d);
    std::free(ip);
    return 0;
}

double splineinterpolation_funktionswert(objekt *ip, double x) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    if (d->a_b_berechnet == 0) {
        d->grenze_links = splineinterpolation_linkeGrenze(ip);
        d->grenze_rechts = splineinterpolation_rechteGrenze(ip);
        d->a_b_berechnet = 1;
    }
    double a = d->grenze_links;
    double b = d->grenze_rechts;
    if (d->splineart == SPLINE_PERIODISCH && (x < a || x > b)) {
        double periode = b - a;
        double ursprung = x;
        long schritte = 0;
        bool reduziert = true;
        while (x < a) {
            // x = -inf, or x so far below a that adding the period no longer
            // changes it (or would take too long), never reaches a.
            if (schritte == WRAP_SCHRITTE || x + periode == x) {
                reduziert = false;
                break;
            }
            x += periode;
            ++schritte;
        }
        if (reduziert) {
            x = std::fmod(x - a, periode) + a;
        } else {
            // fmod alone, one period added to a negative remainder; x = -inf
            // gives NaN.
            double rest = std::fmod(ursprung - a, periode);
            if (rest < 0) rest += periode;
            x = rest + a;
        }
    }

    // The bisection's interval: an x equal to an interior node x(k) takes
    // interval k-1 and is evaluated at its right end.
    int lo = intervall_suchen(d, x);
    const double *knoten = nmmatrix_eintraege(d->stuetzstellen);
    const double *c =
        nmmatrix_eintraege(d->koeffizientenmatrix) + 4 * static_cast<long long>(lo - 1);
    double t = x - knoten[lo - 1];
    double r = c[0];
    for (int k = 1; k < 4; ++k)
        r = r * t + c[k];
    return r;
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
    switch (d->stuetzstellenart) {
    case STUETZSTELLEN_GEGEBEN:
        return kleinste_stuetzstelle(d->stuetzstellen);
    case STUETZSTELLEN_AEQUIDISTANT:
    case STUETZSTELLEN_TSCHEBYSCHEFF:
        return d->splineart == SPLINE_PERIODISCH_FORTGESETZT ? d->a_benutzer : d->a;
    default:
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->stuetzstellenart);
    }
}

double splineinterpolation_rechteGrenze(objekt *ip) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    switch (d->stuetzstellenart) {
    case STUETZSTELLEN_GEGEBEN:
        return groesste_stuetzstelle(d->stuetzstellen);
    case STUETZSTELLEN_AEQUIDISTANT:
    case STUETZSTELLEN_TSCHEBYSCHEFF:
        return d->splineart == SPLINE_PERIODISCH_FORTGESETZT ? d->b_benutzer : d->b;
    default:
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", d->name,
               d->stuetzstellenart);
    }
}

int splineinterpolation_speichern(objekt *ip, FILE *aus) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    int art = knotenart(d->stuetzstellenart);
    std::fprintf(aus, "SPLINE_INTERPOLATION: %s\n", d->name);
    std::fprintf(aus, "stuetzstellenart = %i\n", art);
    if (art == STUETZSTELLEN_GEGEBEN) {
        nm()->speichern(d->stuetzstellen, aus);
    } else if (art == STUETZSTELLEN_AEQUIDISTANT || art == STUETZSTELLEN_TSCHEBYSCHEFF) {
        std::fprintf(aus, "a = %lf\n", d->a);
        std::fprintf(aus, "b = %lf\n", d->b);
    }
    std::fprintf(aus, "splineart = %i\n", d->splineart);
    if (d->splineart == SPLINE_ABL2_GEGEBEN) {
        std::fprintf(aus, "abl2links = %lf\n", d->abl2links);
        std::fprintf(aus, "abl2rechts = %lf\n", d->abl2rechts);
    } else if (d->splineart == SPLINE_PERIODISCH_FORTGESETZT) {
        std::fprintf(aus, "a_benutzer = %lf\n", d->a_benutzer);
        std::fprintf(aus, "b_benutzer = %lf\n", d->b_benutzer);
    }
    nm()->speichern(d->stuetzwerte, aus);
    return 0;
}

objekt *splineinterpolation_laden(FILE *ein, void *zusatz) {
    char typ[] = "SPLINE_INTERPOLATION";
    splineinterpolation_parameter r = {};
    r.name = interpolation_kopfzeile(ein, typ);
    lese_datum(ein, "%d", "stuetzstellenart =", &r.stuetzstellenart);
    // The text carries the node kind without the flag; any other value
    // (also a flagged one) would create an object over unread data.
    if (r.stuetzstellenart < STUETZSTELLEN_GEGEBEN ||
        r.stuetzstellenart > STUETZSTELLEN_TSCHEBYSCHEFF)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", r.name,
               r.stuetzstellenart);
    matrix_zeiger knoten;
    if (r.stuetzstellenart == STUETZSTELLEN_GEGEBEN) {
        knoten.reset(nm()->laden(ein, nullptr));
        r.stuetzstellen = knoten.get();
    } else {
        lese_datum(ein, "%lf", "a =", &r.a);
        lese_datum(ein, "%lf", "b =", &r.b);
    }
    lese_datum(ein, "%d", "splineart =", &r.splineart);
    double a_benutzer = 0.0;
    double b_benutzer = 0.0;
    if (r.splineart == SPLINE_ABL2_GEGEBEN) {
        lese_datum(ein, "%lf", "abl2links =", &r.abl2links);
        lese_datum(ein, "%lf", "abl2rechts =", &r.abl2rechts);
    } else if (r.splineart == SPLINE_PERIODISCH_FORTGESETZT) {
        lese_datum(ein, "%lf", "a_benutzer =", &a_benutzer);
        lese_datum(ein, "%lf", "b_benutzer =", &b_benutzer);
    }
    matrix_zeiger werte(nm()->laden(ein, nullptr));
    r.stuetzwerte = werte.get();

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
