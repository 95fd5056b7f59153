#include "lgs.h"

#include "a06_mtrx.h"
#include "bandmtrx.h"
#include "fehler.h"
#include "lgs_intern.h"
#include "nmmatrix.h"
#include "nmmatrix_intern.h"

#include <cmath>
#include <cstddef>
#include <new>
#include <optional>
#include <vector>

namespace {

// The numerical zero of the subsystem, computed at each test.  Every test is
// written as "too small when |a| < eps", so that a value equal to eps passes
// and so does a NaN: no comparison holds for NaN.
double epsilon() {
    return std::pow(2.0, -120.0);
}

// ---------------------------------------------------------------------------
// Element access.
//
// The solver reads and writes every element through the matrix operations.  For
// an object that is a plain NM_MATRIX the same entries are read and written
// directly in its array, which gives the same doubles in the same order
// (bit-identical results) at a fraction of the cost; every index outside the
// array, and every object of another table, goes through the object's own
// table, so index messages (a loaded diagonal shorter than its diagonal, a
// strategy's row out of range) stay exactly those of the matrix classes.

class elemente {
  public:
    explicit elemente(objekt *m) : m_(m), f_(matrix_tabelle(m)) {
        if (m->funktionen == &nm_matrixFunktionen) {
            werte_ = nmmatrix_werte(m);
            zeilen_ = nmmatrix_hoehe(m);
            spalten_ = nmmatrix_breite(m);
        }
    }
    double operator()(int i, int j) const {
        if (direkt(i, j)) return werte_[stelle(i, j)];
        return f_->amIndex(m_, i, j);
    }
    void setzen(int i, int j, double wert) const {
        if (direkt(i, j))
            werte_[stelle(i, j)] = wert;
        else
            f_->setzen(m_, i, j, wert);
    }
    // Column vectors: entry i is element (i, 1).
    double operator()(int i) const { return (*this)(i, 1); }
    void setzen(int i, double wert) const { setzen(i, 1, wert); }

  private:
    bool direkt(int i, int j) const {
        return werte_ != nullptr && i >= 1 && i <= zeilen_ && j >= 1 && j <= spalten_;
    }
    std::size_t stelle(int i, int j) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(spalten_) +
               static_cast<std::size_t>(j - 1);
    }
    objekt *m_;
    const matrix_funktionen *f_;
    double *werte_ = nullptr;
    int zeilen_ = 0;
    int spalten_ = 0;
};

// The three diagonals of a band matrix of band width 1: A(k,k), A(k,k+1)
// and A(k+1,k).  For an object of the BAND_MATRIX class itself, an element
// inside the matrix is its diagonal vector's entry, read through
// that vector's elemente; everything else goes through A's table.
class tridiagonale {
  public:
    tridiagonale(objekt *a, int n) : a_(a), f_(matrix_tabelle(a)), n_(n) {
        if (a->funktionen == &band_matrixFunktionen) {
            haupt_.emplace(f_->imVektor(a, 0));
            oben_.emplace(f_->imVektor(a, 1));
            unten_.emplace(f_->imVektor(a, 2));
        }
    }
    double haupt(int k) const { return innen(k, k) ? (*haupt_)(k) : f_->amIndex(a_, k, k); }
    double oben(int k) const { return innen(k, k + 1LL) ? (*oben_)(k) : f_->amIndex(a_, k, k + 1); }
    double unten(int k) const {
        return innen(k + 1LL, k) ? (*unten_)(k) : f_->amIndex(a_, k + 1, k);
    }
    void haupt_setzen(int k, double wert) const {
        if (innen(k, k))
            haupt_->setzen(k, wert);
        else
            f_->setzen(a_, k, k, wert);
    }
    void unten_setzen(int k, double wert) const {
        if (innen(k + 1LL, k))
            unten_->setzen(k, wert);
        else
            f_->setzen(a_, k + 1, k, wert);
    }
    // Any element, for the factor extraction; outside the band 0.0.
    double operator()(int i, int j) const {
        if (!haupt_ || !innen(i, j)) return f_->amIndex(a_, i, j);
        if (i == j) return haupt(i);
        if (j - i == 1) return oben(i);
        if (i - j == 1) return unten(j);
        return 0.0;
    }

  private:
    // Inside the matrix and known to be the class's own mapping.
    bool innen(long long i, long long j) const {
        return haupt_.has_value() && i >= 1 && j >= 1 && i <= n_ && j <= n_;
    }
    objekt *a_;
    const matrix_funktionen *f_;
    int n_;
    std::optional<elemente> haupt_, oben_, unten_;
};

// The same accesses on plain arrays, for the solves of the O(n) methods
// when every object is of its class and long enough (direkt_moeglich):
// then each element the classes above would read or write is exactly the
// array entry used here, and no index message can arise.
class feld {
  public:
    explicit feld(double *werte) : werte_(werte) {}
    double operator()(int i) const { return werte_[i - 1]; }
    void setzen(int i, double wert) const { werte_[i - 1] = wert; }

  private:
    double *werte_;
};

class tridiagonal_feld {
  public:
    tridiagonal_feld(objekt *a, int) {
        const matrix_funktionen *f = matrix_tabelle(a);
        haupt_ = nmmatrix_werte(f->imVektor(a, 0));
        oben_ = nmmatrix_werte(f->imVektor(a, 1));
        unten_ = nmmatrix_werte(f->imVektor(a, 2));
    }
    double haupt(int k) const { return haupt_[k - 1]; }
    double oben(int k) const { return oben_[k - 1]; }
    double unten(int k) const { return unten_[k - 1]; }
    void haupt_setzen(int k, double wert) const { haupt_[k - 1] = wert; }
    void unten_setzen(int k, double wert) const { unten_[k - 1] = wert; }

  private:
    double *haupt_;
    double *oben_;
    double *unten_;
};

// The two ways of access, chosen once per solve.
struct ueber_klassen {
    using band = tridiagonale;
};
struct direkt {
    using band = tridiagonal_feld;
};
elemente vektor_von(ueber_klassen, objekt *v) {
    return elemente(v);
}
feld vektor_von(direkt, objekt *v) {
    return feld(nmmatrix_werte(v));
}

// An NM_MATRIX column of at least the given number of rows.
bool spalte_mit(objekt *v, int zeilen) {
    if (!ist_nmmatrix(v)) return false;
    const nmmatrixdaten *d = nmmatrix_daten(v);
    return d->m == 1 && d->n >= zeilen;
}

// A of the class klasse with the diagonal vectors (imVektor 0, 1, 2) of at
// least the given lengths, and b an NM_MATRIX column; c and x are made by
// the solver itself as NM_MATRIX columns of n rows.
bool direkt_moeglich(const gleichungssystem *lgs, const matrix_funktionen *klasse, int n,
                     int laenge0, int laenge1, int laenge2) {
    objekt *A = lgs->A;
    if (A->funktionen != klasse || !spalte_mit(lgs->b, n)) return false;
    const matrix_funktionen *f = matrix_tabelle(A);
    return spalte_mit(f->imVektor(A, 0), laenge0) && spalte_mit(f->imVektor(A, 1), laenge1) &&
           spalte_mit(f->imVektor(A, 2), laenge2);
}

objekt *nm_anlegen(int zeilen, int spalten, const char *name, int nullsetzen) {
    nmmatrix_parameter p = {zeilen, spalten, name, nullsetzen};
    return matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
}

// ---------------------------------------------------------------------------
// Dense Gaussian elimination.

int gauss_lrZerlegungUndDeterminante(gleichungssystem *lgs, pivotstrategie strategie) {
    objekt *A = lgs->A;
    int n = matrix_tabelle(A)->breite(A);
    lgs->p = nm_anlegen(n, 1, "Vektor p", 1);
    elemente a(A);
    elemente p(lgs->p);
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
    lgs->c = nm_anlegen(n, 1, "Vektor c", 1);
    elemente a(A);
    elemente b(lgs->b);
    elemente p(lgs->p);
    elemente c(lgs->c);
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
    lgs->x = nm_anlegen(n, 1, "Loesungsvektor x", 1);
    elemente a(A);
    elemente c(lgs->c);
    elemente x(lgs->x);
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
// tested: a zero pivot runs into IEEE infinities and NaNs, as specified.

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
    lgs->c = nm_anlegen(n, 1, "Vektor c", 1);
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
    lgs->x = nm_anlegen(n, 1, "Loesungsvektor x", 1);
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

// ---------------------------------------------------------------------------
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
        lgs->L = nm_anlegen(n, n, "L", 1);
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
        // and e(k) as specified (not from the rounded m and l).
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
    lgs->c = nm_anlegen(n, 1, "Vektor c", 1);
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
    lgs->x = nm_anlegen(n, 1, "Loesungsvektor x", 1);
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

// ---------------------------------------------------------------------------
// Factor extraction of the entry, its last step.

// After dense Gauss or tridiagonal elimination A holds both factors: the
// multipliers below the diagonal (L has a unit diagonal) and R on and above.
template <class Element> void faktoren_aus_A(gleichungssystem *lgs, const Element &element) {
    objekt *A = lgs->A;
    int zeilen = matrix_tabelle(A)->hoehe(A);
    int spalten = matrix_tabelle(A)->breite(A);
    lgs->R = nm_anlegen(zeilen, spalten, "R", 0);
    lgs->L = nm_anlegen(zeilen, spalten, "L", 0);
    elemente L(lgs->L);
    elemente R(lgs->R);
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
    lgs->R = nm_anlegen(zeilen, spalten, "R", 0);
    elemente L(lgs->L);
    elemente R(lgs->R);
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
        if (gauss_lrZerlegungUndDeterminante(lgs, strategie) == 0) return 0;
        gauss_vorwaertssubstitution(lgs);
        gauss_rueckwaertssubstitution(lgs);
        if (mit_faktoren) faktoren_aus_A(lgs, elemente(A));
        return 1;
    }
    if (art == &band_matrix && f->bandbreite(A) == 1 &&
        (strategie == diagonalStrategie || strategie == nullptr)) {
        if (n >= 1 && direkt_moeglich(lgs, &band_matrixFunktionen, n, n, n - 1, n - 1)) {
            tgauss_lrZerlegungUndDeterminante<direkt>(lgs);
            tgauss_vorwaertssubstitution<direkt>(lgs);
            tgauss_rueckwaertssubstitution<direkt>(lgs);
        } else {
            tgauss_lrZerlegungUndDeterminante<ueber_klassen>(lgs);
            tgauss_vorwaertssubstitution<ueber_klassen>(lgs);
            tgauss_rueckwaertssubstitution<ueber_klassen>(lgs);
        }
        if (mit_faktoren) faktoren_aus_A(lgs, tridiagonale(A, n));
        return 1;
    }
    if (art == &a06__matrix) {
        // The strategy plays no part here.
        cholesky_faktor L;
        if (n >= 2 && direkt_moeglich(lgs, &a06__matrixFunktionen, n, n, n - 1, 1)) {
            if (chol06_lrZerlegungUndDeterminante<direkt>(lgs, L, mit_faktoren) == 0) return 0;
            chol06_vorwaertssubstitution<direkt>(lgs, L);
            chol06_rueckwaertssubstitution<direkt>(lgs, L);
        } else {
            if (chol06_lrZerlegungUndDeterminante<ueber_klassen>(lgs, L, mit_faktoren) == 0)
                return 0;
            chol06_vorwaertssubstitution<ueber_klassen>(lgs, L);
            chol06_rueckwaertssubstitution<ueber_klassen>(lgs, L);
        }
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
    elemente a(A);
    if (std::fabs(a(k, k)) < epsilon()) return 0;
    return k;
}

int relativeSpaltenMaximumStrategie(objekt *A, int k) {
    elemente a(A);
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

} // extern "C"

int lgs_loesen_ohne_faktoren(gleichungssystem *lgs, pivotstrategie strategie) {
    return loesen(lgs, strategie, false);
}
