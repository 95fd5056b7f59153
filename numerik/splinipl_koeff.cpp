// The spline's coefficient step: the second derivatives M at the nodes from
// one tridiagonal (non-periodic kinds) or cyclic tridiagonal (periodic
// kinds) system, then the n x 4 coefficients.
#include "epsilon.h"
#include "feld.h"
#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/lgs.h"
#include "splinipl_intern.h"

#include <cmath>

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
    matrix_tabelle(d->koeffizientenmatrix)->freigeben(d->koeffizientenmatrix);
    d->koeffizientenmatrix = nm_anlegen(d->n, 4, "Koeffizientenmatrix", ip);
    schreibfeld c(d->koeffizientenmatrix);
    const double *y = eintraege(d->stuetzwerte);
    for (int i = 0; i < d->n; ++i) {
        double ml = zweite(i + 1);
        double mr = zweite(i + 2);
        double hi = h[i];
        double *zeile = c.werte() + 4 * static_cast<long long>(i);
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
} // namespace

extern "C" {

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
} // extern "C"
