// The elimination methods of the solver: dense Gaussian elimination with a
// pivot strategy, and tridiagonal elimination without interchanges.
#include "lgs/lgs_intern.h"

#include <cmath>

namespace {

// Dense Gaussian elimination.

int gauss_lrZerlegungUndDeterminante(gleichungssystem *lgs, pivotstrategie strategie) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->p = nm_anlegen(n, 1, "Vektor p", nullptr);
    feldsicht a(A);
    feldsicht p(lgs->p);
    lgs->determinante = 1.0;
    for (int k = 1; k <= n - 1; ++k) {
        int r = strategie(A, k);
        if (r == 0) return 0;
        p.setzen(k, r);
        if (r != k) {
            lgs->determinante = -1.0 * lgs->determinante;
            // Whole rows: the multipliers left of column k travel with them.
            for (int j = 1; j <= n; ++j) {
                double oben = a(k, j);
                double unten = a(r, j);
                a.setzen(k, j, unten);
                a.setzen(r, j, oben);
            }
        }
        double pivot = a(k, k);
        lgs->determinante = pivot * lgs->determinante;
        for (int i = k + 1; i <= n; ++i) {
            double faktor = a(i, k) / pivot;
            a.setzen(i, k, faktor);
            for (int j = k + 1; j <= n; ++j)
                a.setzen(i, j, a(i, j) - a(k, j) * faktor);
        }
    }
    // The earlier pivots are the strategy's business; only the last one,
    // for which no strategy is asked, is tested here.
    double letztes = a(n, n);
    if (std::fabs(letztes) < epsilon()) return 0;
    lgs->determinante = lgs->determinante * letztes;
    return 1;
}

int gauss_vorwaertssubstitution(gleichungssystem *lgs) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->c = nm_anlegen(n, 1, "Vektor c", nullptr);
    feldsicht a(A);
    feldsicht b(lgs->b);
    feldsicht p(lgs->p);
    feldsicht c(lgs->c);
    // The interchanges of the decomposition, in the same order, applied to b
    // in place: afterwards b holds P*b0.
    for (int k = 1; k <= n - 1; ++k) {
        int r = static_cast<int>(p(k));
        if (r != k) {
            double oben = b(k);
            double unten = b(r);
            b.setzen(k, unten);
            b.setzen(r, oben);
        }
    }
    // L has a unit diagonal: no division.
    for (int i = 1; i <= n; ++i) {
        double t = b(i);
        for (int j = 1; j <= i - 1; ++j)
            t = t - c(j) * a(i, j);
        c.setzen(i, t);
    }
    return 1;
}

int gauss_rueckwaertssubstitution(gleichungssystem *lgs) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->x = nm_anlegen(n, 1, "Loesungsvektor x", nullptr);
    feldsicht a(A);
    feldsicht c(lgs->c);
    feldsicht x(lgs->x);
    // x is the negated solution of R*x = c, so that A0*x = -b0.
    for (int i = n; i >= 1; --i) {
        double t = c(i);
        for (int j = i + 1; j <= n; ++j)
            t = t + a(i, j) * x(j);
        t = t / a(i, i);
        x.setzen(i, -t);
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Tridiagonal elimination without interchanges.  No pivot is
// tested: a zero pivot runs into IEEE infinities and NaNs, by design.

template <class Zugriff> int tgauss_lrZerlegungUndDeterminante(gleichungssystem *lgs) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    typename Zugriff::band a(A, n);
    lgs->determinante = 1.0;
    for (int k = 1; k <= n - 1; ++k) {
        double pivot = a.haupt(k);
        lgs->determinante = pivot * lgs->determinante;
        double faktor = a.unten(k) / pivot;
        a.unten_setzen(k, faktor);
        a.haupt_setzen(k + 1, a.haupt(k + 1) - a.oben(k) * faktor);
    }
    lgs->determinante = a.haupt(n) * lgs->determinante;
    return 1;
}

template <class Zugriff> int tgauss_vorwaertssubstitution(gleichungssystem *lgs) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->c = nm_anlegen(n, 1, "Vektor c", nullptr);
    typename Zugriff::band a(A, n);
    auto b = vektor_von(Zugriff(), lgs->b);
    auto c = vektor_von(Zugriff(), lgs->c);
    for (int i = 1; i <= n; ++i) {
        double t = b(i);
        if (i > 1) t = t - c(i - 1) * a.unten(i - 1);
        c.setzen(i, t);
    }
    return 1;
}

template <class Zugriff> int tgauss_rueckwaertssubstitution(gleichungssystem *lgs) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->x = nm_anlegen(n, 1, "Loesungsvektor x", nullptr);
    typename Zugriff::band a(A, n);
    auto c = vektor_von(Zugriff(), lgs->c);
    auto x = vektor_von(Zugriff(), lgs->x);
    // Negated: R*x = -c, so that A0*x = -b0.
    for (int i = n; i >= 1; --i) {
        double t = c(i);
        if (i < n) t = t + a.oben(i) * x(i + 1);
        t = t / a.haupt(i);
        x.setzen(i, -t);
    }
    return 1;
}

} // namespace

bool direkt_moeglich(const gleichungssystem *lgs, const matrix_funktionen *tabelle, int n,
                     int laenge0, int laenge1, int laenge2) {
    // An NM_MATRIX column of at least the given number of rows.
    auto spalte_mit = [](objekt *v, int zeilen) {
        if (!ist_nmmatrix(v)) return false;
        const nmmatrixdaten *d = nmmatrix_daten(v);
        return d->m == 1 && d->n >= zeilen;
    };
    objekt *A = lgs->A;
    if (A->funktionen != tabelle || !spalte_mit(lgs->b, n)) return false;
    const matrix_funktionen *f = matrix_tabelle(A);
    return spalte_mit(f->imVektor(A, 0), laenge0) && spalte_mit(f->imVektor(A, 1), laenge1) &&
           spalte_mit(f->imVektor(A, 2), laenge2);
}

int gauss_loesen(gleichungssystem *lgs, pivotstrategie strategie) {
    if (gauss_lrZerlegungUndDeterminante(lgs, strategie) == 0) return 0;
    gauss_vorwaertssubstitution(lgs);
    gauss_rueckwaertssubstitution(lgs);
    return 1;
}

void tgauss_loesen(gleichungssystem *lgs, int n) {
    if (n >= 1 && direkt_moeglich(lgs, &band_matrixFunktionen, n, n, n - 1, n - 1)) {
        tgauss_lrZerlegungUndDeterminante<direkt>(lgs);
        tgauss_vorwaertssubstitution<direkt>(lgs);
        tgauss_rueckwaertssubstitution<direkt>(lgs);
    } else {
        tgauss_lrZerlegungUndDeterminante<ueber_klassen>(lgs);
        tgauss_vorwaertssubstitution<ueber_klassen>(lgs);
        tgauss_rueckwaertssubstitution<ueber_klassen>(lgs);
    }
}
