// The cyclic Cholesky-type decomposition of a symmetric cyclic tridiagonal
// matrix, and its substitutions.
#include "lgs/lgs_intern.h"

#include "numerik/a06_mtrx.h"

#include <cmath>
#include <new>
#include <vector>

namespace {

// Cyclic Cholesky-type decomposition.
//
// The factor L of a symmetric cyclic tridiagonal matrix has its non-zeros on
// the diagonal L(k,k), the sub-diagonal L(k+1,k) (k <= n-2) and the last row
// L(n,k) (k <= n-1; L(n,n-1) belongs to the last row).  cholesky_faktor
// keeps exactly these in O(n) memory; the substitutions read only them.  The
// public entry attaches its dense "L", and every value is written there too:
// the same double, so the entry's factor, its solution and those of the
// O(n) path agree bit for bit, and a failed decomposition leaves the dense L
// partly filled, as callers of the entry expect.

class cholesky_faktor {
  public:
    // The dense "L" of the entry, or null for the O(n) path.
    void dicht_anhaengen(objekt *L) { dicht_ = L; }

    void anlegen(int n) {
        n_ = n;
        std::size_t laenge = n > 0 ? static_cast<std::size_t>(n) : 0;
        try {
            diagonale_.assign(laenge, 0.0);
            unter_.assign(laenge, 0.0);
            letzte_zeile_.assign(laenge, 0.0);
        } catch (const std::bad_alloc &) {
            fehler("Nicht genug Speicher fuer Matrixeintraege!\n");
        }
    }
    void diagonale_setzen(int k, double wert) { schreiben(diagonale_, k, k, k, wert); }
    void unter_setzen(int k, double wert) { schreiben(unter_, k, k + 1, k, wert); }
    void letzte_zeile_setzen(int k, double wert) { schreiben(letzte_zeile_, k, n_, k, wert); }

    double diagonale(int k) const { return diagonale_[k - 1]; }
    // L(i+1,i): the sub-diagonal, except L(n,n-1), which is in the last row.
    double unter(int i) const { return i + 1 == n_ ? letzte_zeile_[i - 1] : unter_[i - 1]; }
    double letzte_zeile(int k) const { return letzte_zeile_[k - 1]; }

  private:
    void schreiben(std::vector<double> &ziel, int k, int i, int j, double wert) {
        ziel[k - 1] = wert;
        if (dicht_ != nullptr) nmmatrix_setzen(dicht_, i, j, wert);
    }
    int n_ = 0;
    objekt *dicht_ = nullptr;
    std::vector<double> diagonale_, unter_, letzte_zeile_;
};

// A pivot fails when a < eps: equality passes, a negative pivot fails, and
// NaN passes (the comparison is false for it).
bool pivot_zu_klein(double a) {
    return a < epsilon();
}

template <class Zugriff>
int chol06_lrZerlegungUndDeterminante(gleichungssystem *lgs, cholesky_faktor &L, bool dicht) {
    objekt *A = lgs->A;
    const matrix_funktionen *f = matrix_tabelle(A);
    int n = f->breite(A);
    if (dicht) {
        lgs->L = nm_anlegen(n, n, "L", nullptr);
        L.dicht_anhaengen(lgs->L);
    }
    L.anlegen(n);
    lgs->determinante = 1.0;
    auto d = vektor_von(Zugriff(), f->imVektor(A, 0));
    auto e = vektor_von(Zugriff(), f->imVektor(A, 1));
    auto gamma = vektor_von(Zugriff(), f->imVektor(A, 2));
    for (int k = 1; k <= n - 2; ++k) {
        double a = d(k);
        if (pivot_zu_klein(a)) return 0;
        lgs->determinante = lgs->determinante * a;
        double r = std::sqrt(a);
        L.diagonale_setzen(k, r);
        double ek = e(k);
        double l = ek / r;
        L.unter_setzen(k, l);
        double g = gamma(1);
        double m = g / r;
        L.letzte_zeile_setzen(k, m);
        d.setzen(k + 1, d(k + 1) - l * l);
        // -m*l, the new last-row element in column k+1, formed from gamma
        // and e(k) (not from the rounded m and l): the order of operations
        // is part of the result.
        double t = (-g * ek) / (r * r);
        if (k == n - 2) t = t + e(n - 1); // element (n, n-1) of A0 joins the running value
        gamma.setzen(1, t);
        if (k == n - 2) e.setzen(n - 1, t);
        d.setzen(n, d(n) - m * m);
    }
    // Step k = n-1.  For n = 1 this reads d(0), and the vector's index check
    // ends the process: the order must be at least 2.
    double a = d(n - 1);
    if (pivot_zu_klein(a)) return 0;
    lgs->determinante = lgs->determinante * a;
    double r = std::sqrt(a);
    L.diagonale_setzen(n - 1, r);
    double l = e(n - 1) / r;
    double m = gamma(1) / r;
    // For n >= 3 the loop gave e(n-1) and gamma the same value, so l and m
    // agree exactly; for n = 2 they come from two stored values that stand
    // for the same positions, and m is taken.
    if (std::fabs(l - m) > epsilon())
        warnung("Warnung: merkwuerdige Differenz bei der Berechnung.\n");
    L.letzte_zeile_setzen(n - 1, m);
    d.setzen(n, d(n) - m * m);
    // Step k = n.
    a = d(n);
    if (pivot_zu_klein(a)) return 0;
    lgs->determinante = lgs->determinante * a;
    L.diagonale_setzen(n, std::sqrt(a));
    return 1;
}

template <class Zugriff>
int chol06_vorwaertssubstitution(gleichungssystem *lgs, const cholesky_faktor &L) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->c = nm_anlegen(n, 1, "Vektor c", nullptr);
    auto b = vektor_von(Zugriff(), lgs->b);
    auto c = vektor_von(Zugriff(), lgs->c);
    for (int i = 1; i <= n; ++i) {
        double t = b(i);
        if (1 < i && i < n) t = t - L.unter(i - 1) * c(i - 1);
        if (i == n && n > 1)
            for (int j = 1; j <= n - 1; ++j)
                t = t - L.letzte_zeile(j) * c(j);
        c.setzen(i, t / L.diagonale(i));
    }
    return 1;
}

template <class Zugriff>
int chol06_rueckwaertssubstitution(gleichungssystem *lgs, const cholesky_faktor &L) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->x = nm_anlegen(n, 1, "Loesungsvektor x", nullptr);
    auto c = vektor_von(Zugriff(), lgs->c);
    auto x = vektor_von(Zugriff(), lgs->x);
    // Negated: L^T*x = -c, so that A0*x = -b0.
    for (int i = n; i >= 1; --i) {
        double t = c(i);
        if (i < n) {
            t = t + L.unter(i) * x(i + 1);
            if (i + 1 < n) t = t + L.letzte_zeile(i) * x(n);
        }
        t = t / L.diagonale(i);
        x.setzen(i, -t);
    }
    return 1;
}

} // namespace

int chol06_loesen(gleichungssystem *lgs, int n, bool dicht) {
    // The strategy plays no part here.
    cholesky_faktor L;
    if (n >= 2 && direkt_moeglich(lgs, &a06__matrixFunktionen, n, n, n - 1, 1)) {
        if (chol06_lrZerlegungUndDeterminante<direkt>(lgs, L, dicht) == 0) return 0;
        chol06_vorwaertssubstitution<direkt>(lgs, L);
        chol06_rueckwaertssubstitution<direkt>(lgs, L);
    } else {
        if (chol06_lrZerlegungUndDeterminante<ueber_klassen>(lgs, L, dicht) == 0) return 0;
        chol06_vorwaertssubstitution<ueber_klassen>(lgs, L);
        chol06_rueckwaertssubstitution<ueber_klassen>(lgs, L);
    }
    return 1;
}
