// The spline's coefficient step: the second derivatives M at the nodes from
// one tridiagonal (non-periodic kinds) or cyclic tridiagonal (periodic
// kinds) system, then the n x 4 coefficients.
#include "grund/epsilon.h"
#include "matrizen/feld.h"
#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/lgs.h"
#include "interpolation/splinipl_intern.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// h(i) = x(i+1) - x(i) into the vector (h); a step below 2^-120 (equal or
// descending nodes) ends the program, a NaN step passes.
void intervalllaengen(splineinterpolationsdaten *d, double *h) {
    const double *x = eintraege(d->stuetzstellen);
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
    // The solver's vectors, released on every path, also where the solver
    // fails half way through its work.
    struct ergebnisse {
        gleichungssystem lgs = {};
        ~ergebnisse() {
            for (objekt *v : {lgs.p, lgs.L, lgs.R, lgs.c, lgs.x})
                if (v != nullptr) matrix_tabelle(v)->freigeben(v);
        }
    } e;
    e.lgs.A = A;
    e.lgs.b = b;
    int geloest = lgs_loesen_ohne_faktoren(&e.lgs, diagonalStrategie);
    matrix_zeiger x(e.lgs.x);
    e.lgs.x = nullptr;
    if (geloest == 0)
        fehler("Fehler bei der Berechnung der Koeffizienten fuer SPLINE_INTERPOLATION %s!\n", name);
    return x;
}

// Replaces the coefficient matrix by the n x 4 "Koeffizientenmatrix" and
// fills row i for [x(i), x(i+1)] from the second derivatives, M(k) =
// zweite(k) for k = 1..n+1.
template <typename Ableitung>
void koeffizienten_fuellen(objekt *ip, splineinterpolationsdaten *d, const double *h,
                           Ableitung zweite) {
    if (d->koeffizienten != nullptr) matrix_tabelle(d->koeffizienten)->freigeben(d->koeffizienten);
    d->koeffizienten = nm_anlegen(d->n, 4, "Koeffizientenmatrix", ip);
    schreibfeld c(d->koeffizienten);
    const double *y = eintraege(d->stuetzwerte);
    for (int i = 0; i < d->n; ++i)
        zeile_fuellen(c.werte() + 4 * static_cast<long long>(i), zweite(i + 1), zweite(i + 2), h[i],
                      (y[i + 1] - y[i]) / h[i], y[i]);
}

// Kinds 0 and 1: the interior M(2..n) from the symmetric tridiagonal system
// of order n-1, M(1) and M(n+1) given.
int splineinterpolation_pnichtperiodisch(objekt *ip, void *) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    int n = d->n;
    bandmatrix_parameter bp = {n - 1, 1, "Hilfsmatrix kubische Splineinterpolation", 0};
    matrix_zeiger A(matrix_tabelle(&band_matrix)->kreieren(&bp, ip));
    matrix_zeiger b(nm_anlegen(n - 1, 1, "Hilfsvektor kubische Splineinterpolation (b)", ip));
    matrix_zeiger hv(nm_anlegen(n, 1, "Hilfsvektor kubische Splineinterpolation (h)", ip));
    schreibfeld h(hv.get());
    intervalllaengen(d, h.werte());

    // The band matrix was made here, so its diagonals are NM_MATRIX vectors
    // whose entries are written directly: index 0 the main diagonal, 1 the
    // upper and 2 the lower side diagonal, element i for (i, i+1)/(i+1, i).
    const matrix_funktionen *fa = matrix_tabelle(A.get());
    {
        schreibfeld haupt(fa->imVektor(A.get(), 0));
        schreibfeld oben(fa->imVektor(A.get(), 1));
        schreibfeld unten(fa->imVektor(A.get(), 2));
        schreibfeld rechts(b.get());
        const double *y = eintraege(d->stuetzwerte);
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
    }

    matrix_zeiger u = loesen(A.get(), b.get(), d->name);
    A.reset();
    b.reset();
    // u(k) is M(k+1); the given end values stand around it.
    const double *uw = eintraege(u.get());
    koeffizienten_fuellen(ip, d, h.werte(), [&](int k) {
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
    matrix_zeiger b(nm_anlegen(n, 1, "Hilfsvektor kubische Splineinterpolation (b)", ip));
    matrix_zeiger hv(nm_anlegen(n, 1, "Hilfsvektor kubische Splineinterpolation (h)", ip));
    schreibfeld h(hv.get());
    intervalllaengen(d, h.werte());

    // Index 0 the main diagonal, 1 the side diagonal, 2 the corner element.
    const matrix_funktionen *fa = matrix_tabelle(A.get());
    {
        schreibfeld haupt(fa->imVektor(A.get(), 0));
        schreibfeld neben(fa->imVektor(A.get(), 1));
        schreibfeld ecke(fa->imVektor(A.get(), 2));
        schreibfeld rechts(b.get());
        const double *y = eintraege(d->stuetzwerte);
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
    }

    matrix_zeiger u = loesen(A.get(), b.get(), d->name);
    A.reset();
    b.reset();
    // u(k) is M(k), and M(n+1) = M(1).
    const double *uw = eintraege(u.get());
    koeffizienten_fuellen(ip, d, h.werte(), [&](int k) { return k == n + 1 ? uw[0] : uw[k - 1]; });
    return 0;
}
// A tridiagonal band matrix of order m with its right-hand side, both
// written through the NM_MATRIX vectors of its diagonals (index 0 the main
// diagonal, 1 the upper, 2 the lower, element k for (k, k+1)/(k+1, k)).
struct bandsystem {
    matrix_zeiger A;
    matrix_zeiger b;
    bandsystem(objekt *ip, int m) {
        bandmatrix_parameter bp = {m, 1, "Hilfsmatrix kubische Splineinterpolation", 0};
        A.reset(matrix_tabelle(&band_matrix)->kreieren(&bp, ip));
        b.reset(nm_anlegen(m, 1, "Hilfsvektor kubische Splineinterpolation (b)", ip));
    }
    objekt *diagonale(int index) { return matrix_tabelle(A.get())->imVektor(A.get(), index); }
};

// Kind 5: M(1..n+1) from the symmetric tridiagonal system of order n+1 whose
// first and last rows say s'(x(1)) = abl1links and s'(x(n+1)) = abl1rechts:
//     2 h(1) M(1) + h(1) M(2) = 6 (d(1) - abl1links),
//     h(n) M(n) + 2 h(n) M(n+1) = 6 (abl1rechts - d(n)),
// d(i) = (y(i+1) - y(i))/h(i).  It is diagonally dominant, so the solver's
// elimination without pivoting is stable; for n = 1 it gives the cubic of
// the end values and slopes.
int splineinterpolation_eingespannt(objekt *ip, void *) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    const int n = d->n;
    matrix_zeiger hv(nm_anlegen(n, 1, "Hilfsvektor kubische Splineinterpolation (h)", ip));
    schreibfeld h(hv.get());
    intervalllaengen(d, h.werte());
    bandsystem sys(ip, n + 1);
    {
        schreibfeld haupt(sys.diagonale(0));
        schreibfeld oben(sys.diagonale(1));
        schreibfeld unten(sys.diagonale(2));
        schreibfeld rechts(sys.b.get());
        const double *y = eintraege(d->stuetzwerte);
        for (int i = 0; i < n; ++i) {
            oben[i] = h[i];
            unten[i] = h[i];
        }
        haupt[0] = 2 * h[0];
        haupt[n] = 2 * h[n - 1];
        for (int i = 1; i < n; ++i)
            haupt[i] = 2 * (h[i - 1] + h[i]);
        // As for kinds 0 and 1, b is the negative of the textbook right-hand
        // side.
        double steigung_vor = (y[1] - y[0]) / h[0];
        rechts[0] = 6 * (d->abl1links - steigung_vor);
        for (int i = 1; i < n; ++i) {
            double steigung = (y[i + 1] - y[i]) / h[i];
            rechts[i] = 6 * (steigung_vor - steigung);
            steigung_vor = steigung;
        }
        rechts[n] = 6 * (steigung_vor - d->abl1rechts);
    }
    matrix_zeiger u = loesen(sys.A.get(), sys.b.get(), d->name);
    sys.A.reset();
    sys.b.reset();
    const double *uw = eintraege(u.get());
    koeffizienten_fuellen(ip, d, h.werte(), [&](int k) { return uw[k - 1]; });
    return 0;
}

// Kind 4: the third derivative continuous at x(2) and x(n), that is M
// linear over the first two and over the last two intervals:
//     M(1) = M(2) + h(1) (M(2) - M(3)) / h(2),
//     M(n+1) = M(n) + h(n) (M(n) - M(n-1)) / h(n-1).
// Put into the first and last equation of the natural system, they leave a
// tridiagonal system of order n-1 in M(2..n) whose end rows (divided by
// h(1) + h(2), resp. h(n-1) + h(n)) read
//     (h(1) + 2 h(2)) M(2) + (h(2) - h(1)) M(3) = h(2) r(2) / (h(1) + h(2)),
//     (h(n-1) - h(n)) M(n-1) + (h(n) + 2 h(n-1)) M(n) = h(n-1) r(n) / (h(n-1) + h(n)),
// r(i) = 6 (d(i) - d(i-1)); both stay diagonally dominant.  A cubic has M
// linear everywhere and is reproduced.  With fewer than four nodes no
// interior row is left to carry both conditions; the spline then is the
// polynomial through the nodes, as is usual: for three nodes the parabola
// (M constant, twice the second divided difference), for two the line
// (M = 0).
int splineinterpolation_notaknot(objekt *ip, void *) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    const int n = d->n;
    matrix_zeiger hv(nm_anlegen(n, 1, "Hilfsvektor kubische Splineinterpolation (h)", ip));
    schreibfeld h(hv.get());
    intervalllaengen(d, h.werte());
    const double *y = eintraege(d->stuetzwerte);
    if (n <= 2) {
        double m = 0.0;
        if (n == 2) m = 2 * ((y[2] - y[1]) / h[1] - (y[1] - y[0]) / h[0]) / (h[0] + h[1]);
        koeffizienten_fuellen(ip, d, h.werte(), [m](int) { return m; });
        return 0;
    }
    bandsystem sys(ip, n - 1);
    {
        schreibfeld haupt(sys.diagonale(0));
        schreibfeld oben(sys.diagonale(1));
        schreibfeld unten(sys.diagonale(2));
        schreibfeld rechts(sys.b.get());
        // Unknown k = 0..n-2 is M at node k+2 (counted from 1), row k the
        // equation of that node; b negated as for kinds 0 and 1.
        for (int k = 0; k < n - 1; ++k)
            haupt[k] = 2 * (h[k] + h[k + 1]);
        for (int k = 0; k < n - 2; ++k) {
            oben[k] = h[k + 1];
            unten[k] = h[k + 1];
        }
        for (int k = 0; k < n - 1; ++k)
            rechts[k] = 6 * ((y[k + 1] - y[k]) / h[k] - (y[k + 2] - y[k + 1]) / h[k + 1]);
        // The end rows; for n = 3 both fall on the one 2 x 2 matrix, in
        // different elements.
        haupt[0] = h[0] + 2 * h[1];
        oben[0] = h[1] - h[0];
        rechts[0] = h[1] * rechts[0] / (h[0] + h[1]);
        haupt[n - 2] = h[n - 1] + 2 * h[n - 2];
        unten[n - 3] = h[n - 2] - h[n - 1];
        rechts[n - 2] = h[n - 2] * rechts[n - 2] / (h[n - 2] + h[n - 1]);
    }
    matrix_zeiger u = loesen(sys.A.get(), sys.b.get(), d->name);
    sys.A.reset();
    sys.b.reset();
    const double *uw = eintraege(u.get());
    const double m_links = uw[0] + h[0] * (uw[0] - uw[1]) / h[1];
    const double m_rechts = uw[n - 2] + h[n - 1] * (uw[n - 2] - uw[n - 3]) / h[n - 2];
    koeffizienten_fuellen(ip, d, h.werte(), [&](int k) {
        return k == 1 ? m_links : k == n + 1 ? m_rechts : uw[k - 2];
    });
    return 0;
}

// The step for the record's kind; true where a direct way made the
// coefficients, which are then all finite.
bool koeffizienten_schritt(objekt *ip, void *zusatz) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    switch (d->splineart) {
    case SPLINE_ABL2_GEGEBEN:
    case SPLINE_NATUERLICH:
        if (d->n >= 3 && spline_direkt_nichtperiodisch(d)) return true;
        splineinterpolation_pnichtperiodisch(ip, zusatz);
        return false;
    case SPLINE_PERIODISCH:
    case SPLINE_PERIODISCH_FORTGESETZT:
        if (d->n >= 3 && spline_direkt_periodisch(d)) return true;
        splineinterpolation_periodisch(ip, zusatz);
        return false;
    case SPLINE_NOT_A_KNOT:
        if (d->n >= 3 && spline_direkt_notaknot(d)) return true;
        splineinterpolation_notaknot(ip, zusatz);
        return false;
    case SPLINE_EINGESPANNT:
        if (spline_direkt_eingespannt(d)) return true;
        splineinterpolation_eingespannt(ip, zusatz);
        return false;
    default:
        fehler("Splineart %i nicht implementiert.\n", d->splineart);
    }
}

// A copy of the vector v (n+1 x 1) times 2^-potenz, named as v.
matrix_zeiger skalierte_kopie(objekt *ip, objekt *v, int anzahl, int potenz) {
    matrix_zeiger kopie(nm_anlegen(anzahl, 1, matrix_tabelle(v)->name(v), ip));
    schreibfeld w(kopie.get());
    const double *alt = eintraege(v);
    for (int i = 0; i < anzahl; ++i)
        w[i] = std::ldexp(alt[i], -potenz);
    return kopie;
}

// The step on the problem scaled by powers of 2 (nodes by 2^-ex, values by
// 2^-ey, the given derivatives to match), which gives every coefficient
// the double the plain step gives times its power of 2 wherever neither
// over- or underflows.  The scaled coefficients are kept where the plain
// ones lose them.
void skaliert_rechnen(objekt *ip, splineinterpolationsdaten *d, kubikskala s, void *zusatz) {
    const int n = d->n;
    // The step reports steps that do not ascend on the nodes as given.
    const double *x = eintraege(d->stuetzstellen);
    for (int i = 0; i < n; ++i)
        if (x[i + 1] - x[i] < epsilon())
            fehler("Die Stuetzstellen fuer SPLINE_INTERPOLATION %s muessen aufsteigend sein!\n",
                   d->name);
    matrix_zeiger knoten = skalierte_kopie(ip, d->stuetzstellen, n + 1, s.ex);
    matrix_zeiger werte = skalierte_kopie(ip, d->stuetzwerte, n + 1, s.ey);
    const double abl[4] = {d->abl2links, d->abl2rechts, d->abl1links, d->abl1rechts};
    d->abl2links = std::ldexp(abl[0], 2 * s.ex - s.ey);
    d->abl2rechts = std::ldexp(abl[1], 2 * s.ex - s.ey);
    d->abl1links = std::ldexp(abl[2], s.ex - s.ey);
    d->abl1rechts = std::ldexp(abl[3], s.ex - s.ey);
    // The record holds the scaled vectors while the step runs, the holders
    // the object's own: each is released once, whatever ends the step.
    objekt *eigene_knoten = d->stuetzstellen;
    objekt *eigene_werte = d->stuetzwerte;
    d->stuetzstellen = knoten.release();
    d->stuetzwerte = werte.release();
    knoten.reset(eigene_knoten);
    werte.reset(eigene_werte);
    auto zurueck = [&] {
        objekt *skalierte_knoten = d->stuetzstellen;
        objekt *skalierte_werte = d->stuetzwerte;
        d->stuetzstellen = knoten.release();
        d->stuetzwerte = werte.release();
        knoten.reset(skalierte_knoten);
        werte.reset(skalierte_werte);
        d->abl2links = abl[0];
        d->abl2rechts = abl[1];
        d->abl1links = abl[2];
        d->abl1rechts = abl[3];
    };
    struct zuruecksetzen {
        decltype(zurueck) &f;
        bool aktiv = true;
        ~zuruecksetzen() {
            if (aktiv) f();
        }
    } wache{zurueck};
    koeffizienten_schritt(ip, zusatz);
    wache.aktiv = false;
    zurueck();
    const std::size_t anzahl = 4 * static_cast<std::size_t>(n);
    auto *cs = static_cast<double *>(std::malloc(anzahl * sizeof(double)));
    if (cs == nullptr) fehler("Nicht genug Speicher fuer SPLINE_INTERPOLATION %s.\n", d->name);
    schreibfeld c(d->koeffizienten);
    std::memcpy(cs, c.werte(), anzahl * sizeof(double));
    d->skaliert = cs;
    if (!kubik_entskalieren(s, cs, c.werte(), n, spline_typ, d->name)) {
        d->skaliert = nullptr;
        std::free(cs);
        return;
    }
    d->ex = s.ex;
    d->ey = s.ey;
}

bool endlich(objekt *v, long long anzahl) {
    const double *w = eintraege(v);
    for (long long i = 0; i < anzahl; ++i)
        if (!std::isfinite(w[i])) return false;
    return true;
}

} // namespace

extern "C" {

int splineinterpolation_koeffizienten(objekt *ip, void *zusatz) {
    splineinterpolationsdaten *d = get_splineinterpolationsdaten(ip);
    // The end numbers the kind reads (the others may hold anything).
    double groesste = 0.0;
    if (d->splineart == SPLINE_ABL2_GEGEBEN)
        groesste = std::fmax(std::fabs(d->abl2links), std::fabs(d->abl2rechts));
    else if (d->splineart == SPLINE_EINGESPANNT)
        groesste = std::fmax(std::fabs(d->abl1links), std::fabs(d->abl1rechts));
    if (std::isnan(d->abl2links + d->abl2rechts) && d->splineart == SPLINE_ABL2_GEGEBEN)
        groesste = NAN;
    if (std::isnan(d->abl1links + d->abl1rechts) && d->splineart == SPLINE_EINGESPANNT)
        groesste = NAN;
    kubikskala s = kubik_skala_waehlen(eintraege(d->stuetzstellen), d->n);
    if (s.ex == 0 && s.ey == 0) {
        if (koeffizienten_schritt(ip, zusatz) ||
            endlich(d->koeffizienten, 4 * static_cast<long long>(d->n)))
            return 0;
        // Input that is not a number, or not finite, gives what the step
        // gives: the generic entry refuses it before.  Finite values or
        // derivatives whose differences overflow on the way: once more,
        // scaled to them.
        const double *x = eintraege(d->stuetzstellen);
        const double *y = eintraege(d->stuetzwerte);
        double groesster = 0.0;
        bool eingabe_endlich = std::isfinite(groesste);
        for (int i = 0; i <= d->n; ++i) {
            eingabe_endlich = eingabe_endlich && std::isfinite(x[i]) && std::isfinite(y[i]);
            groesster = std::fmax(groesster, std::fabs(y[i]));
        }
        if (!eingabe_endlich) return 0;
        groesster = std::fmax(groesster, groesste);
        if (groesster < 1.0)
            fehler("Koeffizienten fuer SPLINE_INTERPOLATION %s sind nicht darstellbar (Ueberlauf "
                   "bei Werten oder Ableitungen dieser Groesse).\n",
                   d->name);
        s.ey = std::ilogb(groesster);
    }
    skaliert_rechnen(ip, d, s, zusatz);
    return 0;
}
} // extern "C"
