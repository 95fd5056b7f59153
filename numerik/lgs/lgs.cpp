// lgs/: linear systems over the matrix classes: the solver entry with its
// checks and pivot strategies (lgs.cpp), Gaussian and banded elimination
// (lgs_verfahren.cpp) and the Cholesky-type decompositions of cyclic
// tridiagonal systems (lgs_cholesky.cpp).  Stands on matrizen/ and grund/.
//
// The solver entry: the record's checks, the choice of method by the
// matrix's class, the factor extraction, and the two pivot strategies.
#include "numerik/lgs.h"

#include "lgs/lgs_intern.h"
#include "numerik/a06_mtrx.h"

#include <cmath>

namespace {

// ---------------------------------------------------------------------------
// Factor extraction of the entry, its last step.

// After dense Gauss or tridiagonal elimination A holds both factors: the
// multipliers below the diagonal (L has a unit diagonal) and R on and above.
template <class Element> void faktoren_aus_A(gleichungssystem *lgs, const Element &element) {
    objekt *A = lgs->A;
    int zeilen = matrix_tabelle(A)->hoehe(A);
    int spalten = matrix_tabelle(A)->breite(A);
    lgs->R = nm_anlegen(zeilen, spalten, "R", nullptr);
    lgs->L = nm_anlegen(zeilen, spalten, "L", nullptr);
    feldsicht L(lgs->L);
    feldsicht R(lgs->R);
    for (int i = 1; i <= zeilen; ++i)
        for (int j = 1; j <= spalten; ++j) {
            if (i > j) {
                L.setzen(i, j, element(i, j));
                R.setzen(i, j, 0.0);
            } else if (i == j) {
                L.setzen(i, i, 1.0);
                R.setzen(i, i, element(i, i));
            } else {
                L.setzen(i, j, 0.0);
                R.setzen(i, j, element(i, j));
            }
        }
}

// After the cyclic Cholesky decomposition: R = L^T.
void faktor_transponieren(gleichungssystem *lgs) {
    objekt *A = lgs->A;
    int zeilen = matrix_tabelle(A)->hoehe(A);
    int spalten = matrix_tabelle(A)->breite(A);
    lgs->R = nm_anlegen(zeilen, spalten, "R", nullptr);
    feldsicht L(lgs->L);
    feldsicht R(lgs->R);
    for (int i = 1; i <= zeilen; ++i)
        for (int j = 1; j <= spalten; ++j)
            R.setzen(i, j, L(j, i));
}

// ---------------------------------------------------------------------------
// The entry's checks, dispatch and methods; mit_faktoren selects the dense
// factor extraction (public entry) or none (lgs_loesen_ohne_faktoren).

int loesen(gleichungssystem *lgs, pivotstrategie strategie, bool mit_faktoren) {
    objekt *A = lgs->A;
    objekt *b = lgs->b;
    if (A == nullptr || b == nullptr) return 0;
    const matrix_funktionen *f = matrix_tabelle(A);
    const matrix_funktionen *fb = matrix_tabelle(b);
    int n = f->breite(A);
    if (f->hoehe(A) != n || fb->breite(b) != 1 || fb->hoehe(b) != n) return 0;

    // The method follows the identity of the descriptor that A's klasse
    // operation returns.
    klasse *art = f->klasse(A);
    if (art == &nm_matrix) {
        if (strategie == nullptr)
            fehler("Gauss-Verfahren erfodert die Angabe einer Pivotstrategie.\n");
        if (gauss_loesen(lgs, strategie) == 0) return 0;
        if (mit_faktoren) faktoren_aus_A(lgs, feldsicht(A));
        return 1;
    }
    if (art == &band_matrix && f->bandbreite(A) == 1 &&
        (strategie == diagonalStrategie || strategie == nullptr)) {
        tgauss_loesen(lgs, n);
        if (mit_faktoren) faktoren_aus_A(lgs, tridiagonale(A, n));
        return 1;
    }
    if (art == &a06__matrix) {
        if (chol06_loesen(lgs, n, mit_faktoren) == 0) return 0;
        if (mit_faktoren) faktor_transponieren(lgs);
        return 1;
    }
    fehler("Fuer Matrixtyp %s kein Loesungsverfahren  verfuegbar\n",
           matrix_tabelle(art)->name(art));
}

} // namespace

extern "C" {

int lrZerlegungUndDeterminanteUndLoesen(gleichungssystem *lgs, pivotstrategie strategie) {
    return loesen(lgs, strategie, true);
}

int diagonalStrategie(objekt *A, int k) {
    feldsicht a(A);
    if (std::fabs(a(k, k)) < epsilon()) return 0;
    return k;
}

int relativeSpaltenMaximumStrategie(objekt *A, int k) {
    feldsicht a(A);
    int n = matrix_tabelle(A)->breite(A);
    double bestes = 0.0;
    int zeile = 0;
    for (int i = k; i <= n; ++i) {
        double summe = 0.0;
        for (int j = k; j <= n; ++j)
            summe += std::fabs(a(i, j));
        // A row of the remaining block that is numerically zero ends the
        // search at once, even if another row has a good pivot.
        if (summe < epsilon()) return 0;
        double verhaeltnis = std::fabs(a(i, k)) / summe;
        // Strictly larger: ties keep the smallest row.
        if (verhaeltnis > bestes) {
            bestes = verhaeltnis;
            zeile = i;
        }
    }
    if (zeile == 0) return 0;
    if (std::fabs(a(zeile, k)) < epsilon()) return 0;
    return zeile;
}

int lgs_loesen_ohne_faktoren(gleichungssystem *lgs, pivotstrategie strategie) {
    return loesen(lgs, strategie, false);
}

} // extern "C"
